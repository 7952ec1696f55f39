// A histograph showing a curve and an upper reference curve (Yt plot).
// Saves histograph.png.
#include <QApplication>
#include <cmath>
#include <vector>

#include <quellix/histograph/HistographEngine.h>

using namespace quellix;
using namespace quellix::HistoInt;

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  THistographInt Plot;
  Plot.resize(500, 300);
  Plot.SetTitleTop("Damped oscillation");
  Plot.SetViewYMin(-1);
  Plot.SetViewYMax(1);
  Plot.SetViewYGap(0.5);
  Plot.SetGridVisible(grdBoth);

  // SetData shows the caller's array without copying it: keep it alive.
  std::vector<Single> Curve(400);
  for (int i = 0; i < 400; ++i) Curve[i] = static_cast<Single>(std::exp(-i / 150.0) * std::sin(i / 8.0));
  Plot.SetData(Curve.data(), static_cast<Integer>(Curve.size()), 1);

  // Series 2 is the upper reference curve: a copy the user may reshape
  // with the mouse, and the program reads back with GetData.
  Plot.SetSeriesNumber(2);
  Plot.SetSeriesCurrent(2);  // the Series... properties apply to this series
  Plot.SetSeriesStyle(dtUpperRef);
  Plot.SetSeriesColor(clRed);
  std::vector<Single> Upper(400);
  for (int i = 0; i < 400; ++i) Upper[i] = static_cast<Single>(std::exp(-i / 150.0));
  Plot.SetData(Upper.data(), static_cast<Integer>(Upper.size()), 2);

  Plot.Repaint();
  return Plot.grab().save("histograph.png") ? 0 : 1;
}
