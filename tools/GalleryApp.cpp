// Gallery pages of the demonstration program: the main window (with its
// note and with the banner running) and every window the menu opens.
#include <QDir>

#include "Gallery.h"
#include "quellix/app/Application.h"

using namespace quellix;

QUELLIX_GALLERY_PAGE(App) {
  app::TDemoApplication Demo;
  Demo.CreateForms();
  Main::TQuellix32* M = Demo.MainForm();
  gallery::SaveWidget(M, OutDir, "00-main.png");
  M->berdiesesDemo1Click();
  for (int I = 0; I < 300; ++I) M->Timer1->Tick();
  gallery::SaveWidget(M, OutDir, "00-main-banner.png");
  M->Demo1Click();
  int N = 1;
  for (TForm* W : Demo.Forms()) {
    QString Class = Demo.CreationOrder().at(N);
    gallery::SaveWidget(W, OutDir, QStringLiteral("%1-%2.png").arg(N, 2, 10, QLatin1Char('0')).arg(Class));
    ++N;
  }
}
