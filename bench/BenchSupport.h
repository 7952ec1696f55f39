// What every benchmark program's main() does alike: run the registered
// benchmarks with a plain console table, keep the time per pass of every
// repetition, and print the figures as
//   FIGURE <name> <value> <unit> ratio <ours/peer> vs <peer>
// so that `make bench` can pick them out with grep '^FIGURE'.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quellix::bench {

// Seconds per pass of one repetition, on the wall clock and on the CPU.
struct TPass {
  double Real = 0;
  double Cpu = 0;
};

// Keeps the console table and collects the passes of every repetition of
// every benchmark, by the name it was registered with.
class TCollector : public benchmark::ConsoleReporter {
public:
  // No colour codes: a code left at the end of the table would stand in
  // front of the first FIGURE line.
  TCollector() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& Reports) override {
    ConsoleReporter::ReportRuns(Reports);
    for (const Run& R : Reports) {
      if (R.run_type != Run::RT_Iteration || R.error_occurred || R.iterations <= 0) continue;
      const double N = static_cast<double>(R.iterations);
      Passes[R.run_name.function_name].push_back({R.real_accumulated_time / N, R.cpu_accumulated_time / N});
    }
  }

  // The least time per pass over the repetitions of Name, on the given
  // clock: the one least disturbed by other work on a shared machine.
  std::optional<double> Best(const std::string& Name, double TPass::*Clock = &TPass::Real) const {
    const std::vector<double> T = Times(Name, Clock);
    if (T.empty()) return std::nullopt;
    return *std::min_element(T.begin(), T.end());
  }

  // The median time per pass over the repetitions of Name.
  std::optional<double> Median(const std::string& Name, double TPass::*Clock = &TPass::Real) const {
    std::vector<double> T = Times(Name, Clock);
    if (T.empty()) return std::nullopt;
    std::sort(T.begin(), T.end());
    const size_t H = T.size() / 2;
    return T.size() % 2 ? T[H] : (T[H - 1] + T[H]) / 2;
  }

  std::map<std::string, std::vector<TPass>> Passes;

private:
  std::vector<double> Times(const std::string& Name, double TPass::*Clock) const {
    std::vector<double> T;
    auto It = Passes.find(Name);
    if (It != Passes.end())
      for (const TPass& P : It->second) T.push_back(P.*Clock);
    return T;
  }
};

// Google Benchmark before 1.8 reads --benchmark_min_time as a plain number
// of seconds; later versions also take "0.2s". Rewrites "0.2s" to "0.2" so
// that both read it. Argv then points into Keep, which must outlive it.
inline void PlainMinTime(int Argc, char** Argv, std::vector<std::string>& Keep) {
  const std::string Key = "--benchmark_min_time=";
  Keep.reserve(static_cast<size_t>(Argc));  // no reallocation: Argv keeps pointers into Keep
  for (int I = 1; I < Argc; ++I) {
    std::string A = Argv[I];
    if (A.rfind(Key, 0) == 0 && A.size() > Key.size() && A.back() == 's') {
      Keep.push_back(A.substr(0, A.size() - 1));
      Argv[I] = Keep.back().data();
    }
  }
}

// Reads the benchmark options from the command line, runs the registered
// benchmarks into Collector and shuts the library down. Argc and Argv lose
// the options the library took, as with benchmark::Initialize.
inline void RunBenchmarks(int& Argc, char** Argv, TCollector& Collector) {
  static std::vector<std::string> Keep;
  PlainMinTime(Argc, Argv, Keep);
  benchmark::Initialize(&Argc, Argv);
  benchmark::RunSpecifiedBenchmarks(&Collector);
  benchmark::Shutdown();
}

// One figure line: Value with Digits decimals in Unit, and the ratio of
// ours to the peer's with RatioDigits decimals.
inline void PrintFigure(const char* Name, double Value, int Digits, const char* Unit, double Ratio,
                        const char* Peer, int RatioDigits = 2) {
  std::printf("FIGURE %s %.*f %s ratio %.*f vs %s\n", Name, Digits, Value, Unit, RatioDigits, Ratio, Peer);
}

}  // namespace quellix::bench
