// qlxm: shows, exports and lists the remarks of strip chart data files.
#include <QApplication>
#include <QTextStream>
#include <cstdio>

#include "quellix/stripchart/QlxmCommands.h"

int main(int argc, char** argv) {
  // The recorder is a control: it needs an application, but no screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's own notes about the platform (runtime directory, fonts) would
  // mix with the tool's one-line messages on stderr.
  qInstallMessageHandler([](QtMsgType Type, const QMessageLogContext&, const QString& Msg) {
    if (Type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(Msg));
  });
  QApplication App(argc, argv);
  QTextStream Out(stdout);
  QTextStream Err(stderr);
  return quellix::StrpChrtInt::RunQlxm(App.arguments().mid(1), Out, Err);
}
