// TFFT against KissFFT and FFTW, single precision, the same sizes, in one run.
//
//   transform.1024     one complex transform of 1024 points. Each iteration
//                      does a forward and an inverse transform (ours in place,
//                      which keeps the data at the same scale; the peers out
//                      of place), and the figure is half an iteration.
//   realspectrum.2048  the spectrum of 2048 real samples: ours is
//                      RealSpectrum (rectangle window, no phase: transform,
//                      split and magnitudes), the peers' kiss_fftr and
//                      fftwf r2c (transform and split only).
//
// After the Google Benchmark table, prints for each figure and peer
//   FIGURE fft.<op>.<n> <ours> us ratio <ours/peer> vs <peer>
// and the peers' own times as TIME lines. Each time is the median of the
// repetitions.
#include <benchmark/benchmark.h>
#include <fftw3.h>
#include <kiss_fft.h>
#include <kiss_fftr.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "quellix/analysis/FFT.h"

using namespace quellix::FFT;

namespace {

constexpr int N = 1024;   // complex transform size
constexpr int M = 2048;   // real samples

std::vector<float> Noise(int Count, unsigned Seed) {
  std::mt19937 G(Seed);
  std::uniform_real_distribution<float> D(-1, 1);
  std::vector<float> V(Count);
  for (float& X : V) X = D(G);
  return V;
}

// ---------------------------------------------------------------------------
// Transform, N = 1024

void QuellixTransform(benchmark::State& State) {
  TFFT F;
  F.SetExponent(10);
  TComplexVector* C = F.NewComplexVector(N);
  const std::vector<float> Re = Noise(N, 1), Im = Noise(N, 2);
  std::memcpy(C->Re()->Data(), Re.data(), N * sizeof(float));
  std::memcpy(C->Im()->Data(), Im.data(), N * sizeof(float));
  for (auto _ : State) {
    F.Transform(C, false);
    F.Transform(C, true);
    benchmark::DoNotOptimize(C->Re()->Data());
    benchmark::ClobberMemory();
  }
}

void KissTransform(benchmark::State& State) {
  kiss_fft_cfg Fwd = kiss_fft_alloc(N, 0, nullptr, nullptr);
  kiss_fft_cfg Inv = kiss_fft_alloc(N, 1, nullptr, nullptr);
  std::vector<kiss_fft_cpx> In(N), Out(N), Back(N);
  const std::vector<float> Re = Noise(N, 1), Im = Noise(N, 2);
  for (int I = 0; I < N; ++I) In[I] = {Re[I], Im[I]};
  for (auto _ : State) {
    kiss_fft(Fwd, In.data(), Out.data());
    kiss_fft(Inv, Out.data(), Back.data());
    benchmark::DoNotOptimize(Back.data());
    benchmark::ClobberMemory();
  }
  kiss_fft_free(Fwd);
  kiss_fft_free(Inv);
}

void FftwTransform(benchmark::State& State) {
  auto* In = fftwf_alloc_complex(N);
  auto* Out = fftwf_alloc_complex(N);
  auto* Back = fftwf_alloc_complex(N);
  fftwf_plan Fwd = fftwf_plan_dft_1d(N, In, Out, FFTW_FORWARD, FFTW_MEASURE);
  fftwf_plan Inv = fftwf_plan_dft_1d(N, Out, Back, FFTW_BACKWARD, FFTW_MEASURE);
  const std::vector<float> Re = Noise(N, 1), Im = Noise(N, 2);  // after planning
  for (int I = 0; I < N; ++I) {
    In[I][0] = Re[I];
    In[I][1] = Im[I];
  }
  for (auto _ : State) {
    fftwf_execute(Fwd);
    fftwf_execute(Inv);
    benchmark::DoNotOptimize(Back);
    benchmark::ClobberMemory();
  }
  fftwf_destroy_plan(Fwd);
  fftwf_destroy_plan(Inv);
  fftwf_free(In);
  fftwf_free(Out);
  fftwf_free(Back);
}

// ---------------------------------------------------------------------------
// Real spectrum, 2048 samples

void QuellixRealSpectrum(benchmark::State& State) {
  TFFT F;
  F.SetExponent(10);  // Size 1024: 2048 real samples
  TVector* X = F.NewVector(M);
  TComplexVector* C = F.NewComplexVector(N);
  const std::vector<float> In = Noise(M, 3);
  std::memcpy(X->Data(), In.data(), M * sizeof(float));
  // The rectangle leaves x as it is, so every iteration sees the same signal.
  for (auto _ : State) {
    F.RealSpectrum(X, C, false);
    benchmark::DoNotOptimize(C->Re()->Data());
    benchmark::ClobberMemory();
  }
}

void KissRealSpectrum(benchmark::State& State) {
  kiss_fftr_cfg Cfg = kiss_fftr_alloc(M, 0, nullptr, nullptr);
  std::vector<float> In = Noise(M, 3);
  std::vector<kiss_fft_cpx> Out(M / 2 + 1);
  for (auto _ : State) {
    kiss_fftr(Cfg, In.data(), Out.data());
    benchmark::DoNotOptimize(Out.data());
    benchmark::ClobberMemory();
  }
  kiss_fftr_free(Cfg);
}

void FftwRealSpectrum(benchmark::State& State) {
  float* In = fftwf_alloc_real(M);
  auto* Out = fftwf_alloc_complex(M / 2 + 1);
  fftwf_plan P = fftwf_plan_dft_r2c_1d(M, In, Out, FFTW_MEASURE);
  const std::vector<float> Data = Noise(M, 3);
  std::memcpy(In, Data.data(), M * sizeof(float));
  for (auto _ : State) {
    fftwf_execute(P);
    benchmark::DoNotOptimize(Out);
    benchmark::ClobberMemory();
  }
  fftwf_destroy_plan(P);
  fftwf_free(In);
  fftwf_free(Out);
}

// ---------------------------------------------------------------------------

// Median time per pass of Name in microseconds, or -1 if it did not run.
double MedianUs(const quellix::bench::TCollector& Reporter, const std::string& Name) {
  const auto T = Reporter.Median(Name);
  return T ? *T * 1e6 : -1;
}

}  // namespace

int main(int Argc, char** Argv) {
  struct TEntry {
    const char* Name;
    void (*Fn)(benchmark::State&);
  };
  const TEntry Entries[] = {
      {"quellix.transform.1024", QuellixTransform},
      {"kissfft.transform.1024", KissTransform},
      {"fftw.transform.1024", FftwTransform},
      {"quellix.realspectrum.2048", QuellixRealSpectrum},
      {"kissfft.realspectrum.2048", KissRealSpectrum},
      {"fftw.realspectrum.2048", FftwRealSpectrum},
  };
  for (const TEntry& E : Entries)
    benchmark::RegisterBenchmark(E.Name, E.Fn)->Unit(benchmark::kMicrosecond)->Repetitions(5);

  quellix::bench::TCollector Reporter;
  quellix::bench::RunBenchmarks(Argc, Argv, Reporter);

  // Per transform: half of the forward + inverse iteration.
  const struct {
    const char* Op;
    double Div;
  } Ops[] = {{"transform.1024", 2.0}, {"realspectrum.2048", 1.0}};
  for (const auto& Op : Ops) {
    const double Ours = MedianUs(Reporter, std::string("quellix.") + Op.Op);
    for (const char* Peer : {"kissfft", "fftw"}) {
      const double Theirs = MedianUs(Reporter, std::string(Peer) + "." + Op.Op);
      if (Theirs > 0) std::printf("TIME %s.%s %.3f us\n", Peer, Op.Op, Theirs / Op.Div);
    }
    if (Ours <= 0) continue;
    std::printf("TIME quellix.%s %.3f us\n", Op.Op, Ours / Op.Div);
    const std::string Name = std::string("fft.") + Op.Op;
    for (const char* Peer : {"kissfft", "fftw"}) {
      const double Theirs = MedianUs(Reporter, std::string(Peer) + "." + Op.Op);
      if (Theirs > 0) quellix::bench::PrintFigure(Name.c_str(), Ours / Op.Div, 3, "us", Ours / Theirs, Peer);
    }
  }
  return 0;
}
