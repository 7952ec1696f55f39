// Building one data block from a 16-bit stereo buffer of 8192 sample
// values: the whole handling of one "buffer filled" notice by TAudioIn
// (block record, two channel arrays, conversion and de-interleaving,
// delivery to one sink, re-queueing the buffer), measured against a plain
// conversion loop into ready arrays and against real time (44100 frames of
// 2 values per second). Then a live feed: eight channels of 16-bit samples
// at 44100 per second, converted and delivered block by block as TAudioIn
// does, into a visible strip chart, paced by the clock for a few seconds
// while the event loop paints; the figure is the process's CPU time over
// that wall time, the share of one core it takes. Prints:
//   FIGURE audioin.block_s16_stereo_8192 <ns> ns/sample ratio <ours/plain> vs plain-loop
//   FIGURE audioin.realtime_s16_stereo_8192 <x> x_realtime ratio <time/real time> vs realtime
//   FIGURE audioin.live_8ch_44100_block512 <%> %core ratio <share> vs one-core
//   FIGURE audioin.live_8ch_44100_block1024 <%> %core ratio <share> vs one-core
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "quellix/measure/AudioIn.h"
#include "quellix/measure/DataEvent.h"
#include "quellix/stripchart/StripChartSink.h"

namespace {

using namespace quellix;
using namespace quellix::audioin;

constexpr int Values = 8192;
// Buffers handled per timed pass, so that pausing the timer while the
// device fills them costs little next to the work measured.
constexpr int Batch = 32;
constexpr double ValuesPerSecond = 44100.0 * 2;

void OursBlock(benchmark::State& State) {
  WaveIn::SetVirtualClock(false);
  TAudioIn Source;
  Source.SetDevice(WaveIn::VirtualDeviceNames().value(1));  // the counting ramp: cheap to generate
  Source.SetMode(tam_Stereo);
  Source.SetResolution(taw_16Bit);
  Source.SetClockFrequency(taf_44100);
  Source.SetBufferSize(Values);
  Source.SetBufferCount(Batch);
  dataevent::TDataEvent Sink;
  Single Sum = 0;
  Sink.OnData = [&Sum](TObject*, MeasIntf::TDescArraySingle& D) { Sum += D.Channels[1].Values[D.Channels[1].Count - 1]; };
  Sink.SetMeasureSource(&Source);
  Source.Start();
  Source.ProcessMessages();  // the open notification
  auto* Device = dynamic_cast<WaveIn::TVirtualWaveInDevice*>(Source.WaveDevice());
  for (auto _ : State) {
    State.PauseTiming();
    Device->Produce(Batch * Values / 2);  // fills every queued buffer
    State.ResumeTiming();
    Source.ProcessMessages();
  }
  benchmark::DoNotOptimize(Sum);
  State.SetItemsProcessed(State.iterations() * Batch * Values);
}

void PlainLoop(benchmark::State& State) {
  std::vector<std::int16_t> In(Values);
  for (int I = 0; I < Values; ++I) In[I] = static_cast<std::int16_t>(I * 7);
  std::vector<float> Left(Values / 2), Right(Values / 2);
  for (auto _ : State) {
    benchmark::ClobberMemory();
    for (int I = 0; I < Values / 2; ++I) {
      Left[I] = static_cast<float>(In[2 * I] * (1.0 / 32768));
      Right[I] = static_cast<float>(In[2 * I + 1] * (1.0 / 32768));
    }
    benchmark::DoNotOptimize(Left.data());
    benchmark::DoNotOptimize(Right.data());
  }
  State.SetItemsProcessed(State.iterations() * Values);
}

// ---------------------------------------------------------------------------
// Live feed into a visible strip chart

constexpr int LiveChannels = 8;
constexpr int LiveRate = 44100;
constexpr double LiveWarmUp = 0.5, LiveSeconds = 3.0;

// A source that does per block what TAudioIn does: channel arrays made for
// the block, 16-bit interleaved samples converted to Single, the block
// delivered to every link, the arrays freed.
class TLiveSource : public MeasIntf::TMeasureSource {
public:
  explicit TLiveSource(int Frames) : FFrames(Frames) {
    SetCapabilities({MeasIntf::mcValues, MeasIntf::mcReserved, MeasIntf::mcBlocks, MeasIntf::mcMultiChannel});
  }
  void GetInfo(MeasIntf::TMeasureSourceInfo& Info) override {
    Info.ChannelCount = LiveChannels;
    Info.Duration = static_cast<Extended>(FFrames) / LiveRate;
    Info.ValueMin = -1;
    Info.ValueMax = 1;
    for (int C = 0; C < LiveChannels; ++C) Info.ChannelLength[C] = FFrames;
    Info.BlockLength = FFrames;
  }
  void Deliver(const std::int16_t* In) {
    MeasIntf::TDescArraySingle Block;
    std::unique_ptr<Single[]> Arrays[LiveChannels];
    Block.Duration = static_cast<Extended>(FFrames) / LiveRate;
    for (int C = 0; C < LiveChannels; ++C) {
      Arrays[C].reset(new Single[FFrames]);
      Block.Channels[C] = {Arrays[C].get(), FFrames};
    }
    Block.ChannelCount = LiveChannels;
    for (int F = 0; F < FFrames; ++F)
      for (int C = 0; C < LiveChannels; ++C) Arrays[C][F] = static_cast<Single>(In[F * LiveChannels + C] * (1.0 / 32768));
    DeliverData(Block);
  }

private:
  int FFrames;
};

double CpuSeconds() {
  timespec T{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &T);
  return T.tv_sec + T.tv_nsec * 1e-9;
}

// The share of one core that the live feed takes with blocks of Frames
// frames: process CPU time over wall time while the clock paces the feed.
double LiveCpuShare(int Frames) {
  // One second of eight channels: sines of different pitch with a little noise.
  std::vector<std::int16_t> Pcm(std::size_t(LiveRate) * LiveChannels);
  std::uint32_t Noise = 12345;
  for (int F = 0; F < LiveRate; ++F)
    for (int C = 0; C < LiveChannels; ++C) {
      Noise = Noise * 1664525u + 1013904223u;
      const double X = 0.6 * std::sin(2 * M_PI * (110.0 * (C + 1)) * F / LiveRate) + 0.05 * ((Noise >> 16) / 65536.0 - 0.5);
      Pcm[std::size_t(F) * LiveChannels + C] = static_cast<std::int16_t>(std::lround(X * 32767));
    }

  StrpChrt::TStripChart Chart;
  Chart.SetBounds(0, 0, 417, 233);
  Chart.setAttribute(Qt::WA_DontShowOnScreen, true);
  Chart.show();
  TLiveSource Source(Frames);
  Chart.SetMeasureSource(&Source);

  QElapsedTimer Clock;
  std::int64_t Made = 0;
  QTimer Tick;
  Tick.setTimerType(Qt::PreciseTimer);
  Tick.setInterval(5);
  QObject::connect(&Tick, &QTimer::timeout, [&] {
    const std::int64_t Due = Clock.nsecsElapsed() * LiveRate / 1000000000 / Frames;
    for (; Made < Due; ++Made) {
      const std::int64_t First = (Made * Frames) % (LiveRate - Frames);
      Source.Deliver(Pcm.data() + First * LiveChannels);
    }
  });
  Clock.start();
  Tick.start();
  auto Run = [](double Seconds) {
    QEventLoop Loop;
    QTimer::singleShot(static_cast<int>(Seconds * 1000), &Loop, &QEventLoop::quit);
    Loop.exec();
  };
  Run(LiveWarmUp);
  const double Cpu0 = CpuSeconds();
  const std::int64_t Wall0 = Clock.nsecsElapsed();
  Run(LiveSeconds);
  const double Cpu = CpuSeconds() - Cpu0;
  const double Wall = (Clock.nsecsElapsed() - Wall0) * 1e-9;
  Tick.stop();
  return Cpu / Wall;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  benchmark::RegisterBenchmark("audioin_block/ours", OursBlock)->UseRealTime();
  benchmark::RegisterBenchmark("audioin_block/plain", PlainLoop)->UseRealTime();
  bench::TCollector Collector;
  bench::RunBenchmarks(argc, argv, Collector);

  const auto O = Collector.Best("audioin_block/ours"), P = Collector.Best("audioin_block/plain");
  if (O && P) {
    const double OursBlock = *O / Batch;  // seconds per block
    const double OursNs = OursBlock * 1e9 / Values, PlainNs = *P * 1e9 / Values;
    const double RealTime = Values / ValuesPerSecond;  // seconds the buffer spans
    bench::PrintFigure("audioin.block_s16_stereo_8192", OursNs, 3, "ns/sample", OursNs / PlainNs, "plain-loop");
    bench::PrintFigure("audioin.realtime_s16_stereo_8192", RealTime / OursBlock, 0, "x_realtime",
                       OursBlock / RealTime, "realtime", 6);
  }
  for (int Frames : {512, 1024}) {
    const double Share = LiveCpuShare(Frames);
    const std::string Name = "audioin.live_8ch_44100_block" + std::to_string(Frames);
    bench::PrintFigure(Name.c_str(), Share * 100, 2, "%core", Share, "one-core", 4);
  }
  return 0;
}
