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
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "measure/audioin.h"
#include "measure/dataevent.h"

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

// Keeps the console output and remembers the time per pass of each run.
class TCollector : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> Seconds;
  void ReportRuns(const std::vector<Run>& Reports) override {
    ConsoleReporter::ReportRuns(Reports);
    for (const Run& R : Reports)
      if (R.run_type == Run::RT_Iteration && R.iterations > 0)
        Seconds[R.benchmark_name()] = R.real_accumulated_time / static_cast<double>(R.iterations);
  }
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication App(argc, argv);
  benchmark::RegisterBenchmark("audioin_block/ours", OursBlock)->UseRealTime();
  benchmark::RegisterBenchmark("audioin_block/plain", PlainLoop)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  TCollector Collector;
  benchmark::RunSpecifiedBenchmarks(&Collector);
  benchmark::Shutdown();

  auto O = Collector.Seconds.find("audioin_block/ours/real_time");
  auto P = Collector.Seconds.find("audioin_block/plain/real_time");
  if (O == Collector.Seconds.end() || P == Collector.Seconds.end()) return 0;
  const double OursBlock = O->second / Batch;  // seconds per block
  const double OursNs = OursBlock * 1e9 / Values, PlainNs = P->second * 1e9 / Values;
  const double RealTime = Values / ValuesPerSecond;  // seconds the buffer spans
  std::printf("FIGURE audioin.block_s16_stereo_8192 %.3f ns/sample ratio %.2f vs plain-loop\n", OursNs,
              OursNs / PlainNs);
  std::printf("FIGURE audioin.realtime_s16_stereo_8192 %.0f x_realtime ratio %.6f vs realtime\n",
              RealTime / OursBlock, OursBlock / RealTime);
  return 0;
}
