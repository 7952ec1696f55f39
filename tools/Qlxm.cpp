// qlxm: shows, exports and lists the remarks of strip chart data files.
#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <cstring>
#include <memory>

#include "quellix/stripchart/QlxmCommands.h"

int main(int argc, char** argv) {
  // Export reads through the recorder, a control: it needs an application,
  // but no screen. Info and remarks read the file alone and start faster
  // without one.
  const bool NeedsControls = argc > 1 && std::strcmp(argv[1], "export") == 0;
  if (NeedsControls && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's own notes about the platform (runtime directory, fonts) would
  // mix with the tool's one-line messages on stderr.
  qInstallMessageHandler([](QtMsgType Type, const QMessageLogContext&, const QString& Msg) {
    if (Type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(Msg));
  });
  const std::unique_ptr<QCoreApplication> App =
      NeedsControls ? std::make_unique<QApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
  QTextStream Out(stdout);
  QTextStream Err(stderr);
  return quellix::StrpChrtInt::RunQlxm(App->arguments().mid(1), Out, Err);
}
