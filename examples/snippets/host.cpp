// A control of one's own on the host layer: a paint box whose OnPaint
// draws with the canvas, a timer that changes what it shows, and the
// host's number formatting. Saves host.png.
#include <QApplication>
#include <cstdio>

#include <quellix/host/Controls.h>
#include <quellix/host/NumberFormat.h>

using namespace quellix;

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  TPaintBox Box;
  Box.SetBounds(0, 0, 200, 80);
  double Level = 0.25;
  Box.OnPaint = [&](TObject*) {
    TCanvas& C = Box.Canvas();
    C.Brush().Color = clWhite;
    C.FillRect(TRect{0, 0, Box.Width(), Box.Height()});
    C.Brush().Color = clLime;
    C.Rectangle(10, 30, 10 + static_cast<Integer>(180 * Level), 60);  // covers 10 .. right-1
    C.Brush().Color = clWhite;
    C.TextOut(10, 8, FormatFloat("0.0 %", Level * 100));
  };

  // Timers tick on the user-interface thread; Invalidate asks for a Paint.
  TTimer Timer;
  Timer.SetInterval(10);
  Timer.OnTimer = [&](TObject*) {
    Level = std::min(Level + 0.25, 0.75);
    Box.Invalidate();
    if (Level >= 0.75) App.quit();
  };
  App.exec();

  Box.Repaint();  // paint into the control's surface now
  std::printf("%s\n", qPrintable(FormatFloat("#,##0.00;-#,##0.00;'zero'", -1234.5)));  // -1,234.50
  return Box.grab().save("host.png") ? 0 : 1;
}
