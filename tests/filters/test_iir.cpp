#include <gtest/gtest.h>

#include <QMetaProperty>
#include <cmath>
#include <complex>
#include <numbers>

#include "FilterTestUtil.h"
#include "quellix/filters/IIRFilter.h"
#include "support/ParamRows.h"

using namespace quellix;
using namespace quellix::IIRFilt;
using filtertest::Noise;

namespace {

constexpr double Pi = std::numbers::pi;

// |H| of the designed cascade at frequency F, from the section formulas
// g(1 +- 2z^-1 + z^-2)/(1 + c1 z^-1 + c2 z^-2) and
// g(1 - 2z^-2 + z^-4)/(1 + c1 z^-1 + ... + c4 z^-4).
double Gain(const TIIRFilter& F, double Freq) {
  const std::complex<double> Zi = std::polar(1.0, -2 * Pi * Freq / F.SampleFrequency());
  std::complex<double> H = 1;
  for (int s = 0; s < F.SectionCount(); ++s) {
    const TIirSection& C = F.Section(s);
    std::complex<double> Num, Den;
    switch (F.FilterOutput()) {
      case iirLowPass: Num = 1.0 + 2.0 * Zi + Zi * Zi; break;
      case iirHighPass: Num = 1.0 - 2.0 * Zi + Zi * Zi; break;
      case iirBandPass: Num = 1.0 - 2.0 * Zi * Zi + std::pow(Zi, 4); break;
    }
    Den = 1.0 + double(C.c1) * Zi + double(C.c2) * Zi * Zi + double(C.c3) * std::pow(Zi, 3) +
          double(C.c4) * std::pow(Zi, 4);
    H *= double(C.g) * Num / Den;
  }
  return std::abs(H);
}

double Warp(double Freq, double Fs) { return std::tan(Pi * Freq / Fs); }

TIIRFilter* Make(TIirFilterOutput Output, int Order, float Fs, float F1, float F2 = 0.75f) {
  auto* F = new TIIRFilter(nullptr);
  F->SetSampleFrequency(Fs);
  F->SetCutoffFrequency(F1);
  F->SetCutoffHighFrequency(F2);
  F->SetOrder(Order);
  F->SetFilterOutput(Output);
  return F;
}

struct TDesignRow {
  const char* Name;
  friend void PrintTo(const TDesignRow& R, std::ostream* Os) { *Os << R.Name; }
  TIirFilterOutput Output;
  int Order;
  float Fs, Fc;
};

class IIRDesign : public ::testing::TestWithParam<TDesignRow> {};

}  // namespace

// A Butterworth response after pre-warping: |H|^2 = 1/(1 + r^(2N)) with
// r = tan(pi f/Fs)/tan(pi Fc/Fs) for the low-pass, its inverse for the
// high-pass; so -3 dB at Fc, unity at 0 (low-pass) or Fs/2 (high-pass).
TEST_P(IIRDesign, MagnitudeIsButterworthOfTheOrder) {
  const TDesignRow& Row = GetParam();
  std::unique_ptr<TIIRFilter> F(Make(Row.Output, Row.Order, Row.Fs, Row.Fc));
  ASSERT_EQ(F->SectionCount(), Row.Order / 2);
  const bool Low = Row.Output == iirLowPass;
  EXPECT_NEAR(20 * std::log10(Gain(*F, Row.Fc)), -3.0103, 0.01);
  EXPECT_NEAR(Gain(*F, Low ? 0 : Row.Fs / 2), 1.0, 1e-4);
  EXPECT_NEAR(Gain(*F, Low ? Row.Fs / 2 : 0), 0.0, 1e-6);
  for (double Rel : {0.1, 0.5, 0.8, 1.25, 2.0, 3.0}) {
    const double Freq = Row.Fc * Rel;
    if (Freq >= Row.Fs / 2) continue;
    double R = Warp(Freq, Row.Fs) / Warp(Row.Fc, Row.Fs);
    if (!Low) R = 1 / R;
    EXPECT_NEAR(Gain(*F, Freq), 1 / std::sqrt(1 + std::pow(R, 2 * Row.Order)), 2e-4) << Freq;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Orders, IIRDesign,
    ::testing::Values(TDesignRow{"LowOrder2", iirLowPass, 2, 1000, 100}, TDesignRow{"LowOrder4", iirLowPass, 4, 48000, 3000},
                      TDesignRow{"LowOrder6", iirLowPass, 6, 1000, 250}, TDesignRow{"LowOrder10", iirLowPass, 10, 1000, 100},
                      TDesignRow{"HighOrder2", iirHighPass, 2, 1000, 100}, TDesignRow{"HighOrder4", iirHighPass, 4, 44100, 500},
                      TDesignRow{"HighOrder8", iirHighPass, 8, 1000, 300}, TDesignRow{"HighOrder10", iirHighPass, 10, 1000, 100}),
    quellix::testsupport::RowNamer());

// The band-pass maps the low-pass prototype of order Order onto the band
// F1 .. F2: unity at the geometric centre of the warped edges, -3 dB at
// both edges, nothing at 0 and Fs/2, and the order 2*Order skirts.
TEST(IIRFilter, BandPassPassesItsBand) {
  for (int Order : {2, 4, 10}) {
    std::unique_ptr<TIIRFilter> F(Make(iirBandPass, Order, 1000, 100, 200));
    const double T1 = Warp(100, 1000), T2 = Warp(200, 1000);
    const double Centre = std::atan(std::sqrt(T1 * T2)) * 1000 / Pi;
    EXPECT_NEAR(Gain(*F, Centre), 1.0, 1e-4) << Order;
    EXPECT_NEAR(20 * std::log10(Gain(*F, 100)), -3.0103, 0.01) << Order;
    EXPECT_NEAR(20 * std::log10(Gain(*F, 200)), -3.0103, 0.01) << Order;
    EXPECT_NEAR(Gain(*F, 0), 0.0, 1e-6);
    EXPECT_NEAR(Gain(*F, 500), 0.0, 1e-6);
    for (double Freq : {60.0, 120.0, 150.0, 260.0, 350.0}) {
      const double W = Warp(Freq, 1000);
      const double X = (W * W - T1 * T2) / (W * (T2 - T1));
      EXPECT_NEAR(Gain(*F, Freq), 1 / std::sqrt(1 + std::pow(X, 2 * Order)), 5e-4) << Order << " " << Freq;
    }
  }
}

TEST(IIRFilter, OrderIsRoundedDownToEvenAndOutOfRangeIgnored) {
  TIIRFilter F(nullptr);
  EXPECT_EQ(F.Order(), 2);
  F.SetOrder(7);
  EXPECT_EQ(F.Order(), 6);
  EXPECT_EQ(F.SectionCount(), 3);
  F.SetOrder(11);
  EXPECT_EQ(F.Order(), 6);
  F.SetOrder(1);
  EXPECT_EQ(F.Order(), 6);
  F.SetOrder(10);
  EXPECT_EQ(F.SectionCount(), 5);
  F.SetOrder(3);
  EXPECT_EQ(F.Order(), 2);
  EXPECT_EQ(F.SectionCount(), 1);
  F.SetSampleFrequency(0);
  F.SetCutoffFrequency(-1);
  F.SetCutoffHighFrequency(0);
  EXPECT_EQ(F.SampleFrequency(), 1.0f);
  EXPECT_EQ(F.CutoffFrequency(), 0.5f);
  EXPECT_EQ(F.CutoffHighFrequency(), 0.75f);
}

TEST(IIRFilter, ConstantInputSettles) {
  for (int Order : {2, 6, 10}) {
    std::unique_ptr<TIIRFilter> Low(Make(iirLowPass, Order, 1000, 100));
    std::unique_ptr<TIIRFilter> High(Make(iirHighPass, Order, 1000, 100));
    std::vector<float> L(3000, 1.0f), H(3000, 1.0f);
    Low->Filter(L.data(), 3000);
    High->Filter(H.data(), 3000);
    EXPECT_NEAR(L.back(), 1.0f, 1e-4) << Order;
    EXPECT_NEAR(H.back(), 0.0f, 1e-4) << Order;
  }
}

TEST(IIRFilter, TwoCallsGiveTheSameOutputAsOneForEveryType) {
  const std::vector<float> X = Noise(2000);
  for (TIirFilterOutput Output : {iirLowPass, iirBandPass, iirHighPass})
    for (int Order : {2, 4, 10}) {
      auto Setup = [&](TIIRFilter& F) {
        F.SetSampleFrequency(1000);
        F.SetCutoffFrequency(80);
        F.SetCutoffHighFrequency(160);
        F.SetOrder(Order);
        F.SetFilterOutput(Output);
      };
      for (std::vector<int> Pieces : {std::vector<int>{1000}, {1, 1, 3}, {999}}) {
        auto [Whole, Split] = filtertest::WholeAndSplit<TIIRFilter>(X, Pieces, Setup);
        EXPECT_EQ(Whole, Split) << Output << " " << Order;
      }
    }
}

// The history survives property changes, including a change of the
// filter type: a plain sample-by-sample cascade that keeps five values per
// stage and shifts all of them gives the same output block after block.
TEST(IIRFilter, PropertyChangesContinueOnTheSameHistory) {
  for (int Order : {2, 4, 6, 8, 10}) {
  TIIRFilter F(nullptr);
  F.SetSampleFrequency(1000);
  F.SetCutoffFrequency(50);
  F.SetCutoffHighFrequency(150);
  F.SetOrder(Order);
  float U[6][5] = {};  // U[stage][0] newest
  auto Reference = [&](float X) {
    for (int k = 0; k <= F.SectionCount(); ++k)
      for (int j = 4; j > 0; --j) U[k][j] = U[k][j - 1];
    U[0][0] = X;
    for (int s = 1; s <= F.SectionCount(); ++s) {
      const TIirSection& C = F.Section(s - 1);
      const float* u = U[s - 1];
      float* y = U[s];
      double v;
      if (F.FilterOutput() == iirBandPass) {
        v = float(double(C.g) * (double(u[0]) - 2.0 * u[2] + u[4]));
        y[0] = float(v - double(C.c1) * y[1] - double(C.c2) * y[2] - double(C.c3) * y[3] - double(C.c4) * y[4]);
      } else {
        const double Sign = F.FilterOutput() == iirLowPass ? 2.0 : -2.0;
        v = float(double(C.g) * (double(u[0]) + Sign * u[1] + u[2]));
        y[0] = float(v - double(C.c1) * y[1] - double(C.c2) * y[2]);
      }
    }
    return U[F.SectionCount()][0];
  };
  const std::vector<float> X = Noise(700);
  int Done = 0;
  auto Block = [&](int Len) {
    std::vector<float> Out(X.begin() + Done, X.begin() + Done + Len);
    F.Filter(Out.data(), Len);
    for (int i = 0; i < Len; ++i) ASSERT_EQ(Out[i], Reference(X[Done + i])) << Order << " " << Done + i;
    Done += Len;
  };
  Block(100);
  F.SetFilterOutput(iirBandPass);
  Block(1);
  F.SetFilterOutput(iirLowPass);
  Block(3);
  F.SetFilterOutput(iirBandPass);
  Block(100);
  F.SetFilterOutput(iirHighPass);
  F.SetCutoffFrequency(120);
  Block(100);
  F.SetFilterOutput(iirBandPass);
  Block(100);
  }
}

TEST(IIRFilter, ResetMakesTheSameBlockGiveTheSameOutput) {
  std::unique_ptr<TIIRFilter> F(Make(iirBandPass, 6, 1000, 100, 300));
  const std::vector<float> X = Noise(300);
  std::vector<float> A = X, B = X;
  F->Filter(A.data(), 300);
  F->Filter(B.data(), 300);
  EXPECT_NE(A, B);
  F->Reset();
  B = X;
  F->Filter(B.data(), 300);
  EXPECT_EQ(A, B);
}

TEST(IIRFilter, PublishedPropertiesAndFloatsRoundTrip) {
  std::unique_ptr<TIIRFilter> F(Make(iirBandPass, 6, 48000, 1000, 3000.5f));
  EXPECT_EQ(F->Version(), "V2.1");
  const QMetaObject* M = F->metaObject();
  const QMetaProperty P = M->property(M->indexOfProperty("FilterOutput"));
  ASSERT_TRUE(P.isEnumType());
  EXPECT_STREQ(P.enumerator().valueToKey(iirHighPass), "iirHighPass");
  EXPECT_STREQ(M->classInfo(M->indexOfClassInfo("default:FilterOutput")).value(), "iirLowPass");

  const QString Text = filtertest::WriteFloats(*F);
  EXPECT_EQ(Text, "(48000.0, 1000.0, 3000.5, 6, 1)");
  TIIRFilter G(nullptr);
  filtertest::ReadFloats(G, Text);
  EXPECT_EQ(G.SampleFrequency(), 48000.0f);
  EXPECT_EQ(G.CutoffFrequency(), 1000.0f);
  EXPECT_EQ(G.CutoffHighFrequency(), 3000.5f);
  EXPECT_EQ(G.Order(), 6);
  EXPECT_EQ(G.FilterOutput(), iirBandPass);
  std::vector<float> A = Noise(200), B = A;
  F->Filter(A.data(), 200);
  G.Filter(B.data(), 200);
  EXPECT_EQ(A, B);
}

// An order or a filter type that the filter cannot run is refused as a
// stream error and leaves the component as it was.
TEST(IIRFilter, FloatsWithAnImpossibleOrderOrTypeAreRefused) {
  TIIRFilter G(nullptr);
  for (const char* Bad : {"(100.0, 10.0, 20.0, 12, 0)", "(100.0, 10.0, 20.0, 0, 0)", "(100.0, 10.0, 20.0, 4, 3)"}) {
    EXPECT_THROW(filtertest::ReadFloats(G, Bad), EStreamError) << Bad;
    EXPECT_EQ(G.SampleFrequency(), 1.0f);
    EXPECT_EQ(G.Order(), 2);
    EXPECT_EQ(G.SectionCount(), 1);
  }
  filtertest::ReadFloats(G, "(100.0, 10.0, 20.0, 5, 2)");
  EXPECT_EQ(G.Order(), 4);
  EXPECT_EQ(G.FilterOutput(), iirHighPass);
}
