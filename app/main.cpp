// quellix-demo: the demonstration program.
#include <QApplication>

#include "quellix/app/Application.h"

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  quellix::app::TDemoApplication Demo;
  Demo.CreateForms();
  Demo.MainForm()->showMaximized();
  return App.exec();
}
