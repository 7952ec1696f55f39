// Logging throughput of the strip chart recorder: AddValues of 8 series,
// 1024 samples per call, while logging to a data file in /tmp, against a
// plain fwrite of the same bytes (one 40-byte chunk header and 8 x 4096
// bytes of samples per call) to another file in /tmp.
//
// Prints one FIGURE line: samples per second of the recorder, and the
// ratio to the plain write (higher is better for both).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "quellix/stripchart/StripChartEngine.h"

using namespace quellix;
using namespace quellix::StrpChrtInt;

namespace {

constexpr int kSeries = 8;
constexpr int kSamples = 1024;
// Fixed so that each file stays near 64 MB.
constexpr int kCalls = 2000;

std::vector<std::vector<Single>> MakeSignal() {
  std::vector<std::vector<Single>> Data(kSeries, std::vector<Single>(kSamples));
  for (int k = 0; k < kSeries; ++k)
    for (int i = 0; i < kSamples; ++i) Data[k][i] = static_cast<Single>((k + 1) * 0.001 * i);
  return Data;
}

QString TempName(const char* Name) { return QDir::tempPath() + "/quellix_bench_" + Name; }

void Logging(benchmark::State& State) {
  const auto Data = MakeSignal();
  TSeriesValues Values{};
  for (int k = 0; k < kSeries; ++k) Values[k] = Data[k].data();
  const QString Name = TempName("log.qlx");
  for (auto _ : State) {
    State.PauseTiming();
    QFile::remove(Name);
    QFile::remove(TempName("log.XRM"));
    auto Chart = std::make_unique<TStripChartInt>();
    Chart->SetSeriesNumber(kSeries);
    Chart->SetBounds(0, 0, 417, 233);
    Chart->StartLogging(Name, "bench");
    State.ResumeTiming();
    for (int Call = 0; Call < kCalls; ++Call) Chart->AddValues(Values, kSeries, kSamples);
    Chart->StopLogging();
  }
  QFile::remove(Name);
  QFile::remove(TempName("log.XRM"));
  State.SetItemsProcessed(State.iterations() * kCalls * kSeries * kSamples);
}

void PlainWrite(benchmark::State& State) {
  const auto Data = MakeSignal();
  const QByteArray Name = TempName("plain.bin").toLocal8Bit();
  unsigned char Header[40] = {'D', 'A', 'T', 'A'};
  for (auto _ : State) {
    State.PauseTiming();
    std::remove(Name.constData());
    std::FILE* F = std::fopen(Name.constData(), "wb");
    State.ResumeTiming();
    for (int Call = 0; Call < kCalls; ++Call) {
      std::fwrite(Header, 1, sizeof Header, F);
      for (int k = 0; k < kSeries; ++k) std::fwrite(Data[k].data(), sizeof(Single), kSamples, F);
    }
    std::fclose(F);
  }
  std::remove(Name.constData());
  State.SetItemsProcessed(State.iterations() * kCalls * kSeries * kSamples);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  // Alternate the two so that both see the same state of the disk cache.
  for (int Round = 0; Round < 3; ++Round) {
    char Name[64];
    std::snprintf(Name, sizeof Name, "logging_8x1024/ours/%d", Round);
    benchmark::RegisterBenchmark(Name, Logging)->UseRealTime()->Iterations(3);
    std::snprintf(Name, sizeof Name, "logging_8x1024/fwrite/%d", Round);
    benchmark::RegisterBenchmark(Name, PlainWrite)->UseRealTime()->Iterations(3);
  }
  bench::TCollector Collector;
  bench::RunBenchmarks(argc, argv, Collector);

  // The best pass of each over the rounds: the least disturbed by other
  // work on the machine.
  double Ours = 0, Peer = 0;
  for (const auto& [Name, Passes] : Collector.Passes) {
    double& Best = Name.find("/ours/") != std::string::npos ? Ours : Peer;
    for (const bench::TPass& P : Passes)
      if (Best == 0 || P.Real < Best) Best = P.Real;
  }
  if (Ours > 0 && Peer > 0) {
    const double Samples = static_cast<double>(kCalls) * kSeries * kSamples;
    const double OursRate = Samples / Ours / 1e6, PeerRate = Samples / Peer / 1e6;
    bench::PrintFigure("stripchart.logging_8x1024", OursRate, 1, "Msamples/s", OursRate / PeerRate, "fwrite");
    bench::PrintFigure("stripchart.fwrite_8x1024", PeerRate, 1, "Msamples/s", 1.0, "fwrite");
  }
  return 0;
}
