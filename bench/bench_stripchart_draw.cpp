// Strip chart drawing, as the user's screen sees it: data arrive at the
// sample rate and the event loop runs once per frame (60 per second),
// which is when the deferred drawing happens. CPU time; the share of one
// core is CPU time over the time the samples stand for.
//   stripchart.livefeed_8ch        AddValues of 10 samples x 8 series on a
//                                  visible 417 x 233 chart, per sample;
//                                  ratio = share of one core needed for
//                                  44 100 samples per second
//   stripchart.sinkfeed_8ch        the measure sink fed by a source with
//                                  blocks of 512 samples x 8 channels, on
//                                  a visible 800 x 600 chart; ratio = share
//                                  of one core at 44 100 samples per second
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
#include "quellix/stripchart/StripChartSink.h"

using namespace quellix;
using namespace quellix::StrpChrtInt;

namespace {

constexpr int kSeries = 8;
constexpr int kBlock = 10;
constexpr int kSinkBlock = 512;
constexpr int kLiveSamples = 88200;  // two seconds of data per pass
constexpr double kSampleRate = 44100;
constexpr double kFrameRate = 60;
const TColor kColors[kSeries] = {clRed, clBlue, clGreen, clYellow, clPurple, clMaroon, clLime, clAqua};

// Sample j of series k: a noisy sine in its own band of 0..80. Computed
// once for one pass of data and then read, as a source would hand over
// samples it already has: the figures measure the chart, not sin().
Single Wave(int k, std::int64_t j) {
  static const std::vector<Single> Table = [] {
    std::vector<Single> T(static_cast<size_t>(kSeries) * kLiveSamples);
    for (int s = 0; s < kSeries; ++s)
      for (int i = 0; i < kLiveSamples; ++i)
        T[static_cast<size_t>(s) * kLiveSamples + i] = Single(10 * s + 5 + 3 * std::sin(i * 0.01 + s) + std::sin(i * 1.3));
    return T;
  }();
  return Table[static_cast<size_t>(k) * kLiveSamples + static_cast<size_t>(j % kLiveSamples)];
}

// The event loop once per frame of the time the samples stand for.
struct TFrames {
  std::int64_t Samples = 0;
  std::int64_t NextFrame = 0;
  void Advance(int n) {
    Samples += n;
    while (Samples >= NextFrame) {
      ProcessMessages();
      NextFrame += static_cast<std::int64_t>(kSampleRate / kFrameRate);
    }
  }
};

template <class T>
void Style(T& C, int W, int H) {
  C.SetBounds(0, 0, W, H);
  C.SetBkColor(clWhite);
  C.SetGridVisible(grdBoth);
  C.SetViewYMax(80);
  C.SetViewYGap(10);
}

// A chart of 8 series fed by AddValues.
struct TChart {
  std::unique_ptr<TStripChartInt> C = std::make_unique<TStripChartInt>();
  std::vector<std::vector<Single>> Block = std::vector<std::vector<Single>>(kSeries);
  std::int64_t Next = 0;
  TFrames Frames;

  TChart(int W, int H) {
    Style(*C, W, H);
    C->SetLogTimeIncrement(1 / kSampleRate);
    C->SetViewXGap(0.001);
    C->SetSeriesNumber(kSeries);
    for (int k = 1; k <= kSeries; ++k) {
      C->SetSeriesCurrent(k);
      C->SetSeriesColor(kColors[k - 1]);
    }
  }

  void Feed(int Samples, int Step, bool Frames_ = false) {
    TSeriesValues V{};
    for (int k = 0; k < kSeries; ++k) {
      Block[k].resize(Step);
      V[k] = Block[k].data();
    }
    for (int Done = 0; Done < Samples; Done += Step) {
      for (int k = 0; k < kSeries; ++k)
        for (int j = 0; j < Step; ++j) Block[k][j] = Wave(k, Next + j);
      C->AddValues(V, kSeries, Step);
      Next += Step;
      if (Frames_) Frames.Advance(Step);
    }
  }
};

void OursLiveFeed(benchmark::State& State) {
  TChart T(417, 233);
  T.C->setAttribute(Qt::WA_DontShowOnScreen, true);
  T.C->show();
  T.Feed(1024, kBlock);
  T.C->Repaint();
  for (auto _ : State) T.Feed(kLiveSamples, kBlock, true);
}

// A source of 8 channels in blocks of 512 samples.
class TBlockSource : public MeasIntf::TMeasureSource {
public:
  TBlockSource() { SetCapabilities({MeasIntf::mcValues, MeasIntf::mcBlocks, MeasIntf::mcMultiChannel}); }
  void GetInfo(MeasIntf::TMeasureSourceInfo& I) override {
    I.ChannelCount = kSeries;
    I.BlockLength = kSinkBlock;
    I.Duration = kSinkBlock / static_cast<Extended>(kSampleRate);
    I.ValueMin = 0;
    I.ValueMax = 80;
  }
  void Deliver() {
    MeasIntf::TDescArraySingle D;
    D.Duration = kSinkBlock / static_cast<Extended>(kSampleRate);
    D.ChannelCount = kSeries;
    for (int k = 0; k < kSeries; ++k) {
      Data[k].resize(kSinkBlock);
      for (int j = 0; j < kSinkBlock; ++j) Data[k][j] = Wave(k, Next + j);
      D.Channels[k] = {Data[k].data(), kSinkBlock};
    }
    Next += kSinkBlock;
    DeliverData(D);
  }
  std::vector<Single> Data[kSeries];
  std::int64_t Next = 0;
};

void OursSinkFeed(benchmark::State& State) {
  TBlockSource Source;
  StrpChrt::TStripChart Chart;
  Style(Chart, 800, 600);
  Chart.setAttribute(Qt::WA_DontShowOnScreen, true);
  Chart.show();
  Chart.SetMeasureSource(&Source);
  TFrames Frames;
  for (int i = 0; i < 4; ++i) Source.Deliver();
  Chart.Repaint();
  for (auto _ : State)
    for (int Done = 0; Done < kLiveSamples; Done += kSinkBlock) {
      Source.Deliver();
      Frames.Advance(kSinkBlock);
    }
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
  benchmark::RegisterBenchmark("livefeed_8ch/ours", OursLiveFeed)->Repetitions(3);
  benchmark::RegisterBenchmark("sinkfeed_8ch/ours", OursSinkFeed)->Repetitions(3);
  benchmark::RegisterBenchmark("repaint_8x512/ours", OursRepaint)->Repetitions(3);
  benchmark::RegisterBenchmark("repaint_8x512/qpainter", BareRepaint)->Repetitions(3);
  bench::TCollector Collector;
  bench::RunBenchmarks(argc, argv, Collector);

  const auto Cpu = &bench::TPass::Cpu;
  const double Seconds = kLiveSamples / kSampleRate;  // of data per pass
  if (const auto Live = Collector.Best("livefeed_8ch/ours", Cpu))
    bench::PrintFigure("stripchart.livefeed_8ch", *Live / kLiveSamples * 1e9, 1, "ns/sample", *Live / Seconds,
                       "one-core-at-44100Hz", 3);
  if (const auto Sink = Collector.Best("sinkfeed_8ch/ours", Cpu))
    bench::PrintFigure("stripchart.sinkfeed_8ch", *Sink / kLiveSamples * 1e9, 1, "ns/sample", *Sink / Seconds,
                       "one-core-at-44100Hz", 3);
  const auto O = Collector.Best("repaint_8x512/ours", Cpu), P = Collector.Best("repaint_8x512/qpainter", Cpu);
  if (O && P) bench::PrintFigure("stripchart.repaint_8x512", *O * 1e6, 1, "us", *O / *P, "qpainter-polyline");
  return 0;
}
