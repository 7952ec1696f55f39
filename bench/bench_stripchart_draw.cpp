// Strip chart drawing:
//   stripchart.livefeed_8ch        AddValues of 10 samples x 8 series on a
//                                  visible chart (scroll and strip paint),
//                                  per sample; ratio = share of one core
//                                  needed for 44 100 samples per second
//   stripchart.repaint_8x512       full repaint, 8 series x 512 samples,
//                                  800 x 600, against bare drawPolyline
//                                  calls of the same points
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "quellix/stripchart/StripChartEngine.h"

using namespace quellix;
using namespace quellix::StrpChrtInt;

namespace {

constexpr int kSeries = 8;
constexpr int kBlock = 10;
constexpr int kLiveSamples = 100000;
constexpr double kSampleRate = 44100;
const TColor kColors[kSeries] = {clRed, clBlue, clGreen, clYellow, clPurple, clMaroon, clLime, clAqua};

// A chart of 8 series, each a noisy sine in its own band of 0..80.
struct TChart {
  std::unique_ptr<TStripChartInt> C = std::make_unique<TStripChartInt>();
  std::vector<std::vector<Single>> Block = std::vector<std::vector<Single>>(kSeries);
  std::int64_t Next = 0;

  TChart(int W, int H) {
    C->SetBounds(0, 0, W, H);
    C->SetBkColor(clWhite);
    C->SetGridVisible(grdBoth);
    C->SetViewYMax(80);
    C->SetViewYGap(10);
    C->SetLogTimeIncrement(1 / kSampleRate);
    C->SetViewXGap(0.001);
    C->SetSeriesNumber(kSeries);
    for (int k = 1; k <= kSeries; ++k) {
      C->SetSeriesCurrent(k);
      C->SetSeriesColor(kColors[k - 1]);
    }
  }

  void Feed(int Samples, int Step) {
    TSeriesValues V{};
    for (int k = 0; k < kSeries; ++k) {
      Block[k].resize(Step);
      V[k] = Block[k].data();
    }
    for (int Done = 0; Done < Samples; Done += Step) {
      for (int k = 0; k < kSeries; ++k)
        for (int j = 0; j < Step; ++j)
          Block[k][j] = Single(10 * k + 5 + 3 * std::sin((Next + j) * 0.01 + k) + std::sin((Next + j) * 1.3));
      C->AddValues(V, kSeries, Step);
      Next += Step;
    }
  }
};

void OursLiveFeed(benchmark::State& State) {
  TChart T(417, 233);
  T.C->setAttribute(Qt::WA_DontShowOnScreen, true);
  T.C->show();
  T.Feed(1024, kBlock);
  T.C->Repaint();
  for (auto _ : State) T.Feed(kLiveSamples, kBlock);
}

// The repaint set-up: the window full, painted once; the peer gets the
// same trace points.
struct TRepaint : TChart {
  std::vector<QPolygon> Lines;
  TRepaint() : TChart(800, 600) {
    Feed(512, 512);
    C->Repaint();
    const Integer From = std::max(1, C->WindowStartOffset() + 1);
    for (int k = 1; k <= kSeries; ++k) {
      QPolygon L;
      const Single* V = C->SeriesValues(k);
      for (Integer i = From; i <= C->SampleCount(); ++i) L << QPoint(C->XPosition(i), C->ValueToRow(V[i]));
      Lines.push_back(L);
    }
  }
  void DrawBare() {
    QImage& Surface = const_cast<QImage&>(C->Surface());
    QPainter P(&Surface);
    P.setRenderHint(QPainter::Antialiasing, false);
    for (int k = 0; k < kSeries; ++k) {
      P.setPen(QPen(ToQColor(kColors[k]), 0));
      P.drawPolyline(Lines[k]);
    }
  }
};

void OursRepaint(benchmark::State& State) {
  TRepaint T;
  for (auto _ : State) T.C->Repaint();
}

void BareRepaint(benchmark::State& State) {
  TRepaint T;
  for (auto _ : State) T.DrawBare();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  benchmark::RegisterBenchmark("livefeed_8ch/ours", OursLiveFeed)->UseRealTime()->Repetitions(3);
  benchmark::RegisterBenchmark("repaint_8x512/ours", OursRepaint)->UseRealTime()->Repetitions(3);
  benchmark::RegisterBenchmark("repaint_8x512/qpainter", BareRepaint)->UseRealTime()->Repetitions(3);
  bench::TCollector Collector;
  bench::RunBenchmarks(argc, argv, Collector);

  if (const auto Live = Collector.Best("livefeed_8ch/ours")) {
    const double PerSample = *Live / kLiveSamples;
    bench::PrintFigure("stripchart.livefeed_8ch", PerSample * 1e9, 1, "ns/sample", PerSample * kSampleRate,
                       "one-core-at-44100Hz", 3);
  }
  const auto O = Collector.Best("repaint_8x512/ours"), P = Collector.Best("repaint_8x512/qpainter");
  if (O && P) bench::PrintFigure("stripchart.repaint_8x512", *O * 1e6, 1, "us", *O / *P, "qpainter-polyline");
  return 0;
}
