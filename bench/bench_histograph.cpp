// Histograph drawing against bare QPainter polylines of the same points on
// the same surface:
//   histograph.repaint_8x1024    full repaint, 8 series x 1024 points, 800 x 600
//   histograph.updateplot_1x1024 UpdatePlot of one series of 1024 points
// Prints one FIGURE line per figure (CPU time per pass; lower is better).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "quellix/histograph/HistographEngine.h"

using namespace quellix;
using namespace quellix::HistoInt;

namespace {

constexpr int PointCount = 1024;
const TColor Colors[8] = {clRed, clBlue, clGreen, clYellow, clPurple, clMaroon, clLime, clAqua};

// A histograph with Series curves of noisy sines, each in its own band.
struct TSetup {
  std::unique_ptr<THistographInt> H;
  std::vector<std::vector<Single>> Data;
  std::vector<QPolygon> Lines;  // the same points for the peer

  explicit TSetup(int Series) : H(std::make_unique<THistographInt>()) {
    H->SetBounds(0, 0, 800, 600);
    H->SetBkColor(clWhite);
    H->SetGridVisible(grdBoth);
    H->SetViewYMin(0);
    H->SetViewYMax(Single(Series));
    H->SetViewYGap(1);
    H->SetSeriesNumber(Series);
    Data.resize(Series);
    for (int k = 0; k < Series; ++k) {
      H->SetSeriesCurrent(k + 1);
      H->SetSeriesColor(Colors[k]);
      Data[k].resize(PointCount);
      for (int i = 0; i < PointCount; ++i)
        Data[k][i] = Single(k + 0.5 + 0.4 * std::sin(i * 0.05 + k) + 0.05 * std::sin(i * 1.7));
      H->SetData(Data[k].data(), PointCount, k + 1);
    }
    for (int k = 1; k <= Series; ++k) {
      QPolygon L;
      for (const TPoint& P : H->CurvePoints(k)) L << QPoint(P.X, P.Y);
      Lines.push_back(L);
    }
    H->Repaint();
  }

  // The peer: the same polylines drawn straight on the control's surface.
  void DrawBare() {
    QImage& Surface = const_cast<QImage&>(H->Surface());
    QPainter P(&Surface);
    P.setRenderHint(QPainter::Antialiasing, false);
    for (std::size_t k = 0; k < Lines.size(); ++k) {
      P.setPen(QPen(ToQColor(Colors[k]), 0));
      P.drawPolyline(Lines[k]);
    }
  }
};

void OursRepaint(benchmark::State& State) {
  TSetup S(8);
  for (auto _ : State) S.H->Repaint();
}

void BareRepaint(benchmark::State& State) {
  TSetup S(8);
  for (auto _ : State) S.DrawBare();
}

// UpdatePlot draws with the next frame: each pass is one call and its frame.
void OursUpdatePlot(benchmark::State& State) {
  TSetup S(1);
  for (auto _ : State) {
    S.H->UpdatePlot();
    S.H->FlushDrawing();
  }
}

void BareUpdatePlot(benchmark::State& State) {
  TSetup S(1);
  for (auto _ : State) S.DrawBare();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  benchmark::RegisterBenchmark("repaint_8x1024/ours", OursRepaint)->Repetitions(3);
  benchmark::RegisterBenchmark("repaint_8x1024/qpainter", BareRepaint)->Repetitions(3);
  benchmark::RegisterBenchmark("updateplot_1x1024/ours", OursUpdatePlot)->Repetitions(3);
  benchmark::RegisterBenchmark("updateplot_1x1024/qpainter", BareUpdatePlot)->Repetitions(3);
  bench::TCollector Collector;
  bench::RunBenchmarks(argc, argv, Collector);

  const struct {
    const char* Name;
    const char* Ours;
    const char* Peer;
  } Figures[] = {
      {"histograph.repaint_8x1024", "repaint_8x1024/ours", "repaint_8x1024/qpainter"},
      {"histograph.updateplot_1x1024", "updateplot_1x1024/ours", "updateplot_1x1024/qpainter"},
  };
  for (const auto& F : Figures) {
    const auto O = Collector.Best(F.Ours, &bench::TPass::Cpu), P = Collector.Best(F.Peer, &bench::TPass::Cpu);
    if (!O || !P) continue;
    bench::PrintFigure(F.Name, *O * 1e6, 1, "us", *O / *P, "qpainter-polyline");
  }
  return 0;
}
