// quellix-demo: the demonstration program.
#include <QApplication>

#include "quellix/app/Application.h"
#include "quellix/host/Translations.h"

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  // German texts unless the locale asks for English.
  quellix::InstallTranslation();
  quellix::app::TDemoApplication Demo;
  Demo.CreateForms();
  Demo.MainForm()->showMaximized();
  return App.exec();
}
