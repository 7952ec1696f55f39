// The canvas's one-pixel line routine against QPainter:
//   host.thinline_8x512   8 polylines of 512 points each (noisy traces
//                         across an 800 x 600 surface, as a chart draws
//                         them, a few segments leaving the surface),
//                         TCanvas::Polyline against QPainter::drawPolyline
//                         with a cosmetic pen, same points, same image.
// CPU time per pass; lower is better.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <vector>

#include "BenchSupport.h"
#include "quellix/host/Graphics.h"

using namespace quellix;

namespace {

constexpr int kW = 800, kH = 600, kSeries = 8, kPoints = 512;
const TColor kColors[kSeries] = {clRed, clBlue, clGreen, clYellow, clPurple, clMaroon, clLime, clAqua};

struct TTraces {
  std::vector<std::vector<TPoint>> Points;
  std::vector<QPolygon> Lines;
  TTraces() {
    for (int k = 0; k < kSeries; ++k) {
      std::vector<TPoint> P;
      QPolygon L;
      for (int i = 0; i < kPoints; ++i) {
        const int X = 70 + i * (kW - 110) / (kPoints - 1);
        // Each trace in its own band, with fast noise; every 97th point
        // jumps far off the surface, as clamped outliers do.
        int Y = static_cast<int>(60 + 60 * k + 25 * std::sin(i * 0.05 + k) + 10 * std::sin(i * 1.3));
        if (i % 97 == 50) Y = k % 2 ? -30000 : 30000;
        P.push_back({X, Y});
        L << QPoint(X, Y);
      }
      Points.push_back(P);
      Lines.push_back(L);
    }
  }
};

void Ours(benchmark::State& State) {
  TTraces T;
  TBitmap Bmp(kW, kH);
  TCanvas& C = Bmp.Canvas();
  for (auto _ : State)
    for (int k = 0; k < kSeries; ++k) {
      C.Pen().Color = kColors[k];
      C.Polyline(T.Points[k]);
    }
}

void Peer(benchmark::State& State) {
  TTraces T;
  TBitmap Bmp(kW, kH);
  for (auto _ : State) {
    QPainter P(&Bmp.Image());
    P.setRenderHint(QPainter::Antialiasing, false);
    for (int k = 0; k < kSeries; ++k) {
      P.setPen(QPen(ToQColor(kColors[k]), 0));
      P.drawPolyline(T.Lines[k]);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  benchmark::RegisterBenchmark("thinline_8x512/ours", Ours)->Repetitions(3);
  benchmark::RegisterBenchmark("thinline_8x512/qpainter", Peer)->Repetitions(3);
  bench::TCollector Collector;
  bench::RunBenchmarks(argc, argv, Collector);
  const auto O = Collector.Best("thinline_8x512/ours", &bench::TPass::Cpu);
  const auto P = Collector.Best("thinline_8x512/qpainter", &bench::TPass::Cpu);
  if (O && P) bench::PrintFigure("host.thinline_8x512", *O * 1e6, 1, "us", *O / *P, "qpainter-polyline");
  return 0;
}
