#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "FilterTestUtil.h"
#include "quellix/filters/RCHighpass.h"
#include "quellix/filters/RCLowpass.h"

using namespace quellix;
using filtertest::Noise;
using Rchigh::TRCHighpass;
using Rclow::TRCLowpass;

namespace {

template <class T>
void Tune(T& F, float Fs, float Fc) {
  F.SetSampleFrequency(Fs);
  F.SetCutoffFrequency(Fc);
}

}  // namespace

TEST(RCFilter, InformationalPropertiesAndRefusedFrequencies) {
  TRCLowpass Low(nullptr);
  TRCHighpass High(nullptr);
  EXPECT_EQ(Low.Version(), "V2.10");
  EXPECT_EQ(High.Version(), "V2.10");
  Low.SetVersion("V9");
  EXPECT_EQ(Low.Version(), "V2.10");
  EXPECT_EQ(High.Copyright(), TComponentCore::LibraryCopyright());
  EXPECT_EQ(Low.SampleFrequency(), 1.0f);
  EXPECT_EQ(Low.CutoffFrequency(), 0.5f);
  Low.SetSampleFrequency(0);
  Low.SetCutoffFrequency(-3);
  High.SetSampleFrequency(-1);
  EXPECT_EQ(Low.SampleFrequency(), 1.0f);
  EXPECT_EQ(Low.CutoffFrequency(), 0.5f);
  EXPECT_EQ(High.SampleFrequency(), 1.0f);
}

// The low-pass answers one sample late: 0, b, b*a, b*a^2, ...
TEST(RCFilter, LowPassImpulseResponseIsDelayedGeometricSeries) {
  TRCLowpass F(nullptr);
  Tune(F, 1000, 50);
  const double A = std::exp(-2 * std::numbers::pi * 50 / 1000), B = 1 - A;
  std::vector<float> X(6, 0.0f);
  X[0] = 1;
  F.Filter(X.data(), 6);
  EXPECT_EQ(X[0], 0.0f);
  for (int k = 1; k < 6; ++k) EXPECT_NEAR(X[k], B * std::pow(A, k - 1), 1e-6) << k;
}

TEST(RCFilter, StepResponseOfBothApproachesItsLimit) {
  TRCLowpass Low(nullptr);
  TRCHighpass High(nullptr);
  Tune(Low, 1000, 20);
  Tune(High, 1000, 20);
  std::vector<float> L(400, 1.0f), H(400, 1.0f);
  Low.Filter(L.data(), 400);
  High.Filter(H.data(), 400);
  EXPECT_EQ(L[0], 0.0f);
  EXPECT_EQ(H[0], 1.0f);
  for (int k = 1; k < 400; ++k) {
    EXPECT_GE(L[k], L[k - 1]);
    EXPECT_LE(H[k], H[k - 1]);
  }
  EXPECT_NEAR(L.back(), 1.0f, 1e-4);
  EXPECT_NEAR(H.back(), 0.0f, 1e-4);
}

TEST(RCFilter, LowAndHighPassOutputsAddUpToTheInput) {
  TRCLowpass Low(nullptr);
  TRCHighpass High(nullptr);
  Tune(Low, 8000, 300);
  Tune(High, 8000, 300);
  const std::vector<float> X = Noise(5000);
  std::vector<float> L = X, H = X;
  Low.Filter(L.data(), 5000);
  High.Filter(H.data(), 5000);
  for (int k = 0; k < 5000; ++k) ASSERT_NEAR(L[k] + H[k], X[k], 1e-5) << k;
}

TEST(RCFilter, TwoCallsGiveTheSameOutputAsOne) {
  const std::vector<float> X = Noise(1001);
  auto Setup = [](auto& F) { Tune(F, 1000, 77); };
  auto [LowWhole, LowSplit] = filtertest::WholeAndSplit<TRCLowpass>(X, {333}, Setup);
  auto [HighWhole, HighSplit] = filtertest::WholeAndSplit<TRCHighpass>(X, {1, 500}, Setup);
  EXPECT_EQ(LowWhole, LowSplit);
  EXPECT_EQ(HighWhole, HighSplit);
}

TEST(RCFilter, ResetClearsTheStateButAPropertyChangeDoesNot) {
  TRCLowpass F(nullptr);
  Tune(F, 1000, 100);
  std::vector<float> X(10, 1.0f);
  F.Filter(X.data(), 10);
  F.SetCutoffFrequency(200);
  float Next = 0;
  F.Filter(&Next, 1);
  EXPECT_GT(Next, 0.5f);  // still charged
  F.Reset();
  Next = 0;
  F.Filter(&Next, 1);
  EXPECT_EQ(Next, 0.0f);
}

TEST(RCFilter, FloatsRoundTripIntoAFreshComponent) {
  TRCHighpass F(nullptr);
  Tune(F, 44100, 1234.5f);
  const QString Text = filtertest::WriteFloats(F);
  EXPECT_EQ(Text, "(44100.0, 1234.5)");
  TRCHighpass G(nullptr);
  filtertest::ReadFloats(G, Text);
  EXPECT_EQ(G.SampleFrequency(), 44100.0f);
  EXPECT_EQ(G.CutoffFrequency(), 1234.5f);
  // The coefficients were recomputed: both filter alike.
  std::vector<float> A = Noise(100), B = A;
  F.Filter(A.data(), 100);
  G.Filter(B.data(), 100);
  EXPECT_EQ(A, B);

  TRCLowpass L(nullptr);
  filtertest::ReadFloats(L, "(100.0, 10.0)");
  float Step[2] = {1, 1};
  L.Filter(Step, 2);
  EXPECT_NEAR(Step[1], 1 - std::exp(-2 * std::numbers::pi * 10 / 100), 1e-6);
}
