// Building one data block from a 16-bit stereo buffer of 8192 sample
// values: the whole handling of one "buffer filled" notification by
// TAudioIn (block record, two channel arrays, conversion and
// de-interleaving, delivery to one sink, re-queueing the buffer), measured
// against a plain conversion loop into ready arrays and against real time
// (44100 frames of 2 values per second). Prints:
//   FIGURE audioin.block_s16_stereo_8192 <ns> ns/sample ratio <ours/plain> vs plain-loop
//   FIGURE audioin.realtime_s16_stereo_8192 <x> x_realtime ratio <time/real time> vs realtime
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <cstdint>
#include <cstring>
#include <vector>

#include "BenchSupport.h"
#include "quellix/measure/AudioIn.h"
#include "quellix/measure/DataEvent.h"

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
      Left[I] = static_cast<float>(In[2 * I] * (1.0 / 65536));
      Right[I] = static_cast<float>(In[2 * I + 1] * (1.0 / 65536));
    }
    benchmark::DoNotOptimize(Left.data());
    benchmark::DoNotOptimize(Right.data());
  }
  State.SetItemsProcessed(State.iterations() * Values);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication App(argc, argv);
  benchmark::RegisterBenchmark("audioin_block/ours", OursBlock)->UseRealTime();
  benchmark::RegisterBenchmark("audioin_block/plain", PlainLoop)->UseRealTime();
  bench::TCollector Collector;
  bench::RunBenchmarks(argc, argv, Collector);

  const auto O = Collector.Best("audioin_block/ours"), P = Collector.Best("audioin_block/plain");
  if (!O || !P) return 0;
  const double OursBlock = *O / Batch;  // seconds per block
  const double OursNs = OursBlock * 1e9 / Values, PlainNs = *P * 1e9 / Values;
  const double RealTime = Values / ValuesPerSecond;  // seconds the buffer spans
  bench::PrintFigure("audioin.block_s16_stereo_8192", OursNs, 3, "ns/sample", OursNs / PlainNs, "plain-loop");
  bench::PrintFigure("audioin.realtime_s16_stereo_8192", RealTime / OursBlock, 0, "x_realtime", OursBlock / RealTime,
                     "realtime", 6);
  return 0;
}
