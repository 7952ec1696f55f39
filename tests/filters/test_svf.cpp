#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "FilterTestUtil.h"
#include "quellix/filters/StateVariableFilter.h"

using namespace quellix;
using namespace quellix::SVFilt;
using filtertest::Noise;

namespace {

void Tune(TStateVariableFilter& F, float Fs, float Fc, float Q, TFilterOutput Output) {
  F.SetSampleFrequency(Fs);
  F.SetCutoffFrequency(Fc);
  F.SetQ(Q);
  F.SetFilterOutput(Output);
}

// Peak amplitude of the last quarter of a settled sine response.
float SineAmplitude(TStateVariableFilter& F, float Freq, int Count = 8000) {
  std::vector<float> X(Count);
  for (int i = 0; i < Count; ++i) X[i] = std::sin(2 * std::numbers::pi * Freq * i / F.SampleFrequency());
  F.Filter(X.data(), Count);
  float Peak = 0;
  for (int i = Count * 3 / 4; i < Count; ++i) Peak = std::max(Peak, std::fabs(X[i]));
  return Peak;
}

}  // namespace

TEST(StateVariableFilter, QAbove0_4OnlyAndPositiveFrequencies) {
  TStateVariableFilter F(nullptr);
  EXPECT_EQ(F.Version(), "V2.10");
  EXPECT_EQ(F.Q(), 1.0f);
  F.SetQ(0.4f);
  EXPECT_EQ(F.Q(), 1.0f);
  F.SetQ(-2);
  EXPECT_EQ(F.Q(), 1.0f);
  F.SetQ(0.41f);
  EXPECT_EQ(F.Q(), 0.41f);
  F.SetSampleFrequency(0);
  F.SetCutoffFrequency(-1);
  EXPECT_EQ(F.SampleFrequency(), 1.0f);
  EXPECT_EQ(F.CutoffFrequency(), 0.5f);
}

TEST(StateVariableFilter, ConstantInputSettlesOnEveryOutput) {
  const std::pair<TFilterOutput, float> Rows[] = {{foLowPass, 1}, {foBandPass, 0}, {foHighPass, 0}, {foNotch, 1}};
  for (auto [Output, Expected] : Rows) {
    TStateVariableFilter F(nullptr);
    Tune(F, 1000, 50, 0.707f, Output);
    std::vector<float> X(2000, 1.0f);
    F.Filter(X.data(), 2000);
    EXPECT_NEAR(X.back(), Expected, 1e-4) << Output;
  }
}

// A sine at the cut-off is removed by the notch and passed by the
// band-pass with the gain Q; far from it the notch passes.
TEST(StateVariableFilter, NotchAndBandPassAroundTheCutoff) {
  TStateVariableFilter F(nullptr);
  Tune(F, 48000, 1000, 2, foNotch);
  EXPECT_LT(SineAmplitude(F, 1000), 0.02f);
  F.Reset();
  EXPECT_GT(SineAmplitude(F, 100), 0.95f);
  F.Reset();
  F.SetFilterOutput(foBandPass);
  EXPECT_NEAR(SineAmplitude(F, 1000), 2.0f, 0.05f);
}

TEST(StateVariableFilter, TwoCallsGiveTheSameOutputAsOne) {
  const std::vector<float> X = Noise(1500);
  for (TFilterOutput Output : {foLowPass, foBandPass, foHighPass, foNotch}) {
    auto [Whole, Split] = filtertest::WholeAndSplit<TStateVariableFilter>(
        X, {700, 1}, [&](TStateVariableFilter& F) { Tune(F, 1000, 120, 3, Output); });
    EXPECT_EQ(Whole, Split) << Output;
  }
}

// The integrators do not depend on the selected output, so switching
// between calls continues exactly where a filter fixed on the new output
// would be.
TEST(StateVariableFilter, SwitchingTheOutputKeepsTheStates) {
  const std::vector<float> X = Noise(400);
  std::vector<float> Fixed[4];
  for (int o = 0; o < 4; ++o) {
    TStateVariableFilter F(nullptr);
    Tune(F, 1000, 100, 1.5f, TFilterOutput(o));
    Fixed[o] = X;
    F.Filter(Fixed[o].data(), 400);
  }
  TStateVariableFilter F(nullptr);
  Tune(F, 1000, 100, 1.5f, foLowPass);
  std::vector<float> Y = X;
  const int Order[4] = {foHighPass, foNotch, foBandPass, foLowPass};
  for (int b = 0; b < 4; ++b) {
    F.Filter(Y.data() + b * 100, 100);
    for (int i = b * 100; i < b * 100 + 100; ++i) ASSERT_EQ(Y[i], Fixed[b == 0 ? foLowPass : Order[b - 1]][i]) << i;
    F.SetFilterOutput(TFilterOutput(Order[b]));
  }
}

TEST(StateVariableFilter, FloatsRoundTripAndUnknownOutputRefused) {
  TStateVariableFilter F(nullptr);
  Tune(F, 8000, 440, 2.5f, foNotch);
  const QString Text = filtertest::WriteFloats(F);
  EXPECT_EQ(Text, "(8000.0, 440.0, 2.5, 3)");
  TStateVariableFilter G(nullptr);
  filtertest::ReadFloats(G, Text);
  EXPECT_EQ(G.SampleFrequency(), 8000.0f);
  EXPECT_EQ(G.CutoffFrequency(), 440.0f);
  EXPECT_EQ(G.Q(), 2.5f);
  EXPECT_EQ(G.FilterOutput(), foNotch);
  std::vector<float> A = Noise(200), B = A;
  F.Filter(A.data(), 200);
  G.Filter(B.data(), 200);
  EXPECT_EQ(A, B);

  TStateVariableFilter H(nullptr);
  EXPECT_THROW(filtertest::ReadFloats(H, "(8000.0, 440.0, 2.5, 4)"), EStreamError);
  EXPECT_EQ(H.SampleFrequency(), 1.0f);
  EXPECT_EQ(H.FilterOutput(), foLowPass);
}
