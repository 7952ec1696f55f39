// Throughput of the filters on 1 000 000 samples, each against a peer run
// in the same process: liquid-dsp's Butterworth iirfilt_rrrf of the same
// order and firfilt_rrrf of the same length, and plain direct-form loops
// for the RC low-pass and the state-variable filter. Prints one FIGURE
// line per filter: our samples per second and the ratio to the peer's.
#include <benchmark/benchmark.h>

#include <complex>
#include <cstdio>
#include <cstring>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include <liquid/liquid.h>

#include "BenchSupport.h"
#include "quellix/filters/FIRFilter.h"
#include "quellix/filters/IIRFilter.h"
#include "quellix/filters/RCLowpass.h"
#include "quellix/filters/StateVariableFilter.h"
#include "quellix/host/NumberFormat.h"

using namespace quellix;

namespace {

constexpr int SampleCount = 1000000;

const std::vector<float>& Signal() {
  static const std::vector<float> S = [] {
    SetRandSeed(42);
    std::vector<float> V(SampleCount);
    for (float& X : V) X = static_cast<float>(2 * Random() - 1);
    return V;
  }();
  return S;
}

// Ours filter in place, so each pass starts from a fresh copy of the
// signal; the copy is timed with the filter.
template <class TFilterClass>
void RunOurs(benchmark::State& State, TFilterClass& F) {
  std::vector<float> Buf(SampleCount);
  for (auto _ : State) {
    std::memcpy(Buf.data(), Signal().data(), SampleCount * sizeof(float));
    F.Filter(Buf.data(), SampleCount);
    benchmark::DoNotOptimize(Buf.data());
    benchmark::ClobberMemory();
  }
  State.SetItemsProcessed(State.iterations() * SampleCount);
}

// ---------------------------------------------------------------------------
// IIR

std::unique_ptr<IIRFilt::TIIRFilter> MakeIir(IIRFilt::TIirFilterOutput Output, int Order) {
  auto F = std::make_unique<IIRFilt::TIIRFilter>(nullptr);
  F->SetSampleFrequency(1);
  F->SetCutoffFrequency(0.1f);
  F->SetCutoffHighFrequency(0.2f);
  F->SetOrder(Order);
  F->SetFilterOutput(Output);
  return F;
}

void OursIir(benchmark::State& State, IIRFilt::TIirFilterOutput Output, int Order) {
  auto F = MakeIir(Output, Order);
  RunOurs(State, *F);
}

// Liquid's band-pass of prototype order N has a response of order 2N, as
// ours of Order N has.
void LiquidIir(benchmark::State& State, liquid_iirdes_bandtype Band, int Order) {
  iirfilt_rrrf Q = iirfilt_rrrf_create_prototype(LIQUID_IIRDES_BUTTER, Band, LIQUID_IIRDES_SOS, Order, 0.1f,
                                                 0.15f, 1.0f, 40.0f);
  std::vector<float> In = Signal(), Out(SampleCount);
  for (auto _ : State) {
    iirfilt_rrrf_execute_block(Q, In.data(), SampleCount, Out.data());
    benchmark::DoNotOptimize(Out.data());
    benchmark::ClobberMemory();
  }
  State.SetItemsProcessed(State.iterations() * SampleCount);
  iirfilt_rrrf_destroy(Q);
}

// ---------------------------------------------------------------------------
// FIR

std::vector<float> FirTaps() {
  // A windowed-sinc low-pass of 128 taps.
  std::vector<float> H(128);
  for (int k = 0; k < 128; ++k) {
    const double T = k - 63.5, Pi = std::numbers::pi;
    H[k] = static_cast<float>(0.2 * std::sin(Pi * 0.2 * T) / (Pi * 0.2 * T) * (0.54 - 0.46 * std::cos(2 * Pi * k / 127)));
  }
  return H;
}

void OursFir(benchmark::State& State) {
  Firfilt::TFIRFilter F(nullptr);
  const std::vector<float> H = FirTaps();
  F.SetCoefficients(128, H.data());
  RunOurs(State, F);
}

void LiquidFir(benchmark::State& State) {
  std::vector<float> H = FirTaps();
  firfilt_rrrf Q = firfilt_rrrf_create(H.data(), 128);
  std::vector<float> In = Signal(), Out(SampleCount);
  for (auto _ : State) {
    firfilt_rrrf_execute_block(Q, In.data(), SampleCount, Out.data());
    benchmark::DoNotOptimize(Out.data());
    benchmark::ClobberMemory();
  }
  State.SetItemsProcessed(State.iterations() * SampleCount);
  firfilt_rrrf_destroy(Q);
}

// ---------------------------------------------------------------------------
// RC and state-variable against plain loops of the same recursions.

void OursRc(benchmark::State& State) {
  Rclow::TRCLowpass F(nullptr);
  F.SetSampleFrequency(1);
  F.SetCutoffFrequency(0.1f);
  RunOurs(State, F);
}

void PlainRc(benchmark::State& State) {
  const float A = std::exp(-2 * std::numbers::pi_v<float> * 0.1f), B = 1 - A;
  std::vector<float> Out(SampleCount);
  const float* In = Signal().data();
  float Y = 0;
  for (auto _ : State) {
    for (int i = 0; i < SampleCount; ++i) {
      Out[i] = B * Y;
      Y = A * Y + In[i];
    }
    benchmark::DoNotOptimize(Out.data());
    benchmark::ClobberMemory();
  }
  State.SetItemsProcessed(State.iterations() * SampleCount);
}

void OursSvf(benchmark::State& State) {
  SVFilt::TStateVariableFilter F(nullptr);
  F.SetSampleFrequency(1);
  F.SetCutoffFrequency(0.1f);
  F.SetQ(2);
  RunOurs(State, F);
}

void PlainSvf(benchmark::State& State) {
  const float F = 2 * std::sin(std::numbers::pi_v<float> * 0.1f), D = 0.5f;
  std::vector<float> Out(SampleCount);
  const float* In = Signal().data();
  float B = 0, L = 0;
  for (auto _ : State) {
    for (int i = 0; i < SampleCount; ++i) {
      L = F * B + L;
      const float H = In[i] - L - D * B;
      B = F * H + B;
      Out[i] = L;
    }
    benchmark::DoNotOptimize(Out.data());
    benchmark::ClobberMemory();
  }
  State.SetItemsProcessed(State.iterations() * SampleCount);
}

// ---------------------------------------------------------------------------

struct TFigure {
  const char* Name;
  const char* Ours;
  const char* Peer;
  const char* PeerName;
};

}  // namespace

int main(int argc, char** argv) {
  using IIRFilt::iirBandPass;
  using IIRFilt::iirLowPass;
  benchmark::RegisterBenchmark("rc_lowpass/ours", OursRc)->Repetitions(3);
  benchmark::RegisterBenchmark("rc_lowpass/plain", PlainRc)->Repetitions(3);
  benchmark::RegisterBenchmark("iir_lowpass4/ours", OursIir, iirLowPass, 4)->Repetitions(3);
  benchmark::RegisterBenchmark("iir_lowpass4/liquid", LiquidIir, LIQUID_IIRDES_LOWPASS, 4)->Repetitions(3);
  benchmark::RegisterBenchmark("iir_lowpass10/ours", OursIir, iirLowPass, 10)->Repetitions(3);
  benchmark::RegisterBenchmark("iir_lowpass10/liquid", LiquidIir, LIQUID_IIRDES_LOWPASS, 10)->Repetitions(3);
  benchmark::RegisterBenchmark("iir_bandpass4/ours", OursIir, iirBandPass, 4)->Repetitions(3);
  benchmark::RegisterBenchmark("iir_bandpass4/liquid", LiquidIir, LIQUID_IIRDES_BANDPASS, 4)->Repetitions(3);
  benchmark::RegisterBenchmark("svf_lowpass/ours", OursSvf)->Repetitions(3);
  benchmark::RegisterBenchmark("svf_lowpass/plain", PlainSvf)->Repetitions(3);
  benchmark::RegisterBenchmark("fir128/ours", OursFir)->Repetitions(3);
  benchmark::RegisterBenchmark("fir128/liquid", LiquidFir)->Repetitions(3);

  bench::TCollector Collector;
  bench::RunBenchmarks(argc, argv, Collector);

  const TFigure Figures[] = {
      {"filters.rc_lowpass", "rc_lowpass/ours", "rc_lowpass/plain", "plain-loop"},
      {"filters.iir_lowpass4", "iir_lowpass4/ours", "iir_lowpass4/liquid", "liquid-dsp"},
      {"filters.iir_lowpass10", "iir_lowpass10/ours", "iir_lowpass10/liquid", "liquid-dsp"},
      {"filters.iir_bandpass4", "iir_bandpass4/ours", "iir_bandpass4/liquid", "liquid-dsp"},
      {"filters.svf_lowpass", "svf_lowpass/ours", "svf_lowpass/plain", "plain-loop"},
      {"filters.fir128", "fir128/ours", "fir128/liquid", "liquid-dsp"},
  };
  // The best CPU time per pass of each over its repetitions, so that a
  // burst of load on a shared machine during one repetition does not decide
  // the figure.
  for (const TFigure& F : Figures) {
    const auto O = Collector.Best(F.Ours, &bench::TPass::Cpu), P = Collector.Best(F.Peer, &bench::TPass::Cpu);
    if (!O || !P) continue;
    const double Ours = SampleCount / *O / 1e6, Peer = SampleCount / *P / 1e6;
    bench::PrintFigure(F.Name, Ours, 1, "Msamples/s", Ours / Peer, F.PeerName);
  }
  return 0;
}
