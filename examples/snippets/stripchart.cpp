// A strip chart of two series fed with AddValues and logged into a data
// file (read it back with snippet-datafile stripchart.qlx). Saves
// stripchart.png.
#include <QApplication>
#include <cmath>
#include <vector>

#include <quellix/stripchart/StripChartEngine.h>

using namespace quellix;
using namespace quellix::StrpChrtInt;

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  TStripChartInt Chart;
  Chart.resize(500, 260);
  Chart.SetTitleTop("Two series");
  Chart.SetSeriesNumber(2);
  Chart.SetSeriesCurrent(2);  // the Series... properties apply to this series
  Chart.SetSeriesColor(clBlue);
  Chart.SetViewYMin(-1);
  Chart.SetViewYMax(1);
  Chart.SetViewYGap(0.5);
  Chart.SetLogTimeIncrement(0.01);  // seconds between samples

  // Every sample appended while logging also goes to the file.
  Chart.StartLogging("stripchart.qlx", "Sine and cosine");
  std::vector<Single> Sine(100), Cosine(100);
  for (int Block = 0; Block < 5; ++Block) {
    for (int i = 0; i < 100; ++i) {
      const double t = (Block * 100 + i) * 0.01;
      Sine[i] = static_cast<Single>(std::sin(t));
      Cosine[i] = static_cast<Single>(std::cos(t));
    }
    Chart.AddValues({Sine.data(), Cosine.data()}, 2, 100);
  }
  Chart.AddRemark(1, -1, dfManual, 2.5, "half way");
  Chart.StopLogging();

  Chart.Repaint();
  return Chart.grab().save("stripchart.png") ? 0 : 1;
}
