// The filter windows: the square wave and its frequency sweep, the four
// windows that share one layout (slider, filter set-up, ticks, show and
// hide), and the FIR window with its coefficient curve.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "quellix/app/FIRWindow.h"
#include "quellix/app/IIRWindow.h"
#include "quellix/app/RCHighpassWindow.h"
#include "quellix/app/RCLowpassWindow.h"
#include "quellix/app/StateVariableWindow.h"
#include "support/ParamRows.h"

using namespace quellix;
using app::TFilterDemo;

namespace {

Integer SignChanges(const std::vector<Single>& V) {
  Integer N = 0;
  for (std::size_t i = 1; i < V.size(); ++i)
    if ((V[i] > 0) != (V[i - 1] > 0)) ++N;
  return N;
}

}  // namespace

// ---------------------------------------------------------------------------
// Test signal

TEST(FilterSignal, SquareWaveStartsHighAndTurnsEveryHalfPeriod) {
  std::vector<Single> V(1000);
  app::MakeSquareWave(V.data(), 1000, 0.001, 2.0);
  for (Integer i = 0; i < 250; ++i) ASSERT_EQ(V[i], 1.2f) << i;
  for (Integer i = 251; i < 500; ++i) ASSERT_EQ(V[i], -1.2f) << i;
  EXPECT_EQ(SignChanges(V), 3);   // edges at 0.25, 0.5 and 0.75 s

  // At the top of the sweep an edge every 20 ms: 49 in one second.
  app::MakeSquareWave(V.data(), 1000, 0.001, 25.0);
  EXPECT_EQ(SignChanges(V), 49);
  for (Single S : V) ASSERT_TRUE(S == 1.2f || S == -1.2f);

  // The FIR window's 512 samples per second see the same edges.
  std::vector<Single> W(512);
  app::MakeSquareWave(W.data(), 512, 1.0 / 512, 2.0);
  EXPECT_EQ(SignChanges(W), 3);
}

TEST(FilterSignal, SweepRunsFromTwoToTwentyFiveAndBackInTenthSteps) {
  app::TFrequencySweep S;
  std::vector<Double> Used;
  for (int Tick = 0; Tick < 5000; ++Tick) {
    Used.push_back(S.F);
    S.Advance();
  }
  EXPECT_DOUBLE_EQ(Used[0], 2.0);
  EXPECT_NEAR(Used[1], 2.1, 1e-12);
  Double Lo = Used[0], Hi = Used[0];
  int Turns = 0;
  for (std::size_t i = 1; i < Used.size(); ++i) {
    EXPECT_NEAR(std::abs(Used[i] - Used[i - 1]), 0.1, 1e-9) << i;
    if (i >= 2 && (Used[i] - Used[i - 1]) * (Used[i - 1] - Used[i - 2]) < 0) ++Turns;
    Lo = std::min(Lo, Used[i]);
    Hi = std::max(Hi, Used[i]);
  }
  // It reaches both ends and never strays more than one step past them,
  // however long it runs.
  EXPECT_GE(Hi, 25.0 - 1e-9);
  EXPECT_LE(Hi, 25.1 + 1e-9);
  EXPECT_LE(Lo, 2.0 + 1e-9);
  EXPECT_GE(Lo, 1.9 - 1e-9);
  EXPECT_GE(Turns, 20);
}

// ---------------------------------------------------------------------------
// The four windows of one layout

namespace {

struct TFilterWindowCase {
  const char* Name;
  friend void PrintTo(const TFilterWindowCase& R, std::ostream* Os) { *Os << R.Name; }
  const char* Caption;
  Double Min, Max, Initial;
  std::function<std::unique_ptr<TFilterDemo>()> Create;
  std::function<FiltBase::TFilterBase*(TFilterDemo&)> Filter;
  // The window's filter settings applied to a fresh filter, run over Data
  // from a cleared state.
  std::function<void(std::vector<Single>& Data, Single Cutoff)> Reference;
};

template <class TWindow>
std::unique_ptr<TFilterDemo> Make() {
  return std::make_unique<TWindow>();
}

const std::vector<TFilterWindowCase>& Cases() {
  static const std::vector<TFilterWindowCase> C = {
      {"RCHighpass", "TRCHighpass Demo", 2, 25, 2, Make<RCHoch_Unit::TRCHoch_Demo>,
       [](TFilterDemo& W) { return static_cast<RCHoch_Unit::TRCHoch_Demo&>(W).RCHighpass1; },
       [](std::vector<Single>& D, Single Fc) {
         Rchigh::TRCHighpass F;
         F.SetSampleFrequency(1000);
         F.SetCutoffFrequency(Fc);
         F.Filter(D.data(), Integer(D.size()));
       }},
      {"RCLowpass", "TRCLowpass Demo", 2, 25, 2, Make<RCTief_Unit::TRCTief_Demo>,
       [](TFilterDemo& W) { return static_cast<RCTief_Unit::TRCTief_Demo&>(W).RCLowpass1; },
       [](std::vector<Single>& D, Single Fc) {
         Rclow::TRCLowpass F;
         F.SetSampleFrequency(1000);
         F.SetCutoffFrequency(Fc);
         F.Filter(D.data(), Integer(D.size()));
       }},
      {"IIR", "TIIRFilter Demo", 5, 50, 10, Make<IIR_Unit::TIIR_Demo>,
       [](TFilterDemo& W) { return static_cast<IIR_Unit::TIIR_Demo&>(W).IIRFilter1; },
       [](std::vector<Single>& D, Single Fc) {
         IIRFilt::TIIRFilter F;
         F.SetSampleFrequency(1000);
         F.SetCutoffFrequency(Fc);
         F.SetOrder(4);
         F.Filter(D.data(), Integer(D.size()));
       }},
      {"StateVariable", "TStateVariableFilter Demo", 2, 25, 2, Make<SVFilter_Unit::TSVFilter_Demo>,
       [](TFilterDemo& W) { return static_cast<SVFilter_Unit::TSVFilter_Demo&>(W).StateVariableFilter1; },
       [](std::vector<Single>& D, Single Fc) {
         SVFilt::TStateVariableFilter F;
         F.SetSampleFrequency(1000);
         F.SetCutoffFrequency(Fc);
         F.SetQ(2);
         F.SetFilterOutput(SVFilt::foBandPass);
         F.Filter(D.data(), Integer(D.size()));
       }},
  };
  return C;
}

class FilterWindow : public ::testing::TestWithParam<TFilterWindowCase> {};

}  // namespace

TEST_P(FilterWindow, SliderRangeAndFilterSetUp) {
  const TFilterWindowCase& C = GetParam();
  auto W = C.Create();
  EXPECT_EQ(W->Caption(), QString::fromLatin1(C.Caption));
  EXPECT_EQ(W->Eckfrequenz->ValueMin(), C.Min);
  EXPECT_EQ(W->Eckfrequenz->ValueMax(), C.Max);
  EXPECT_EQ(W->Eckfrequenz->Value(), C.Initial);
  FiltBase::TFilterBase* F = C.Filter(*W);
  EXPECT_EQ(F->SampleFrequency(), 1000.0f);
  EXPECT_EQ(F->CutoffFrequency(), Single(C.Initial));
  EXPECT_EQ(W->Histograph1->TimerInterval(), 1);
  EXPECT_FALSE(W->Histograph1->TimerEnabled());
  EXPECT_DOUBLE_EQ(W->Sweep.F, 2.0);
  EXPECT_DOUBLE_EQ(W->Sweep.DF, 0.1);

  // The slider tunes the filter, up to its end and no further.
  W->Eckfrequenz->SetValue(C.Min + 3);
  EXPECT_EQ(F->CutoffFrequency(), Single(C.Min + 3));
  W->Eckfrequenz->SetValue(C.Max + 10);
  EXPECT_EQ(F->CutoffFrequency(), Single(C.Max));
  EXPECT_TRUE(W->EckfrequenzText->text().startsWith(QString::number(C.Max)));
}

TEST_P(FilterWindow, ShowingRunsTheTimerAndHidingStopsIt) {
  auto W = GetParam().Create();
  W->setAttribute(Qt::WA_DontShowOnScreen, true);
  W->show();
  EXPECT_TRUE(W->Histograph1->TimerEnabled());
  W->hide();
  EXPECT_FALSE(W->Histograph1->TimerEnabled());
}

TEST_P(FilterWindow, EachTickShowsTheSquareWaveAndItsCopyFilteredFromRest) {
  const TFilterWindowCase& C = GetParam();
  auto W = C.Create();
  W->Eckfrequenz->SetValue(C.Min + 5);
  W->Histograph1->Timer().Tick();

  std::vector<Single> Expected(1000);
  app::MakeSquareWave(Expected.data(), 1000, 0.001, 2.0);
  EXPECT_EQ(W->Signal(), Expected);
  const HistoInt::THistoSeries& S1 = W->Histograph1->Series(1);
  const HistoInt::THistoSeries& S2 = W->Histograph1->Series(2);
  EXPECT_EQ(S1.Data, W->Signal().data());
  EXPECT_EQ(S1.Count, 1000);
  EXPECT_EQ(S2.Data, W->Filtered().data());
  EXPECT_EQ(S2.Count, 1000);
  EXPECT_TRUE(W->Histograph1->EnableUpdate());
  C.Reference(Expected, Single(C.Min + 5));
  EXPECT_EQ(W->Filtered(), Expected);
  EXPECT_NE(W->Filtered(), W->Signal());
  EXPECT_NEAR(W->Sweep.F, 2.1, 1e-12);

  // The filter starts from rest on every tick: the same frequency twice
  // gives the same curve, whatever the previous tick left in the state.
  for (int T = 0; T < 7; ++T) W->Histograph1Timer(W->Histograph1);
  const Double F = W->Sweep.F;
  W->Histograph1Timer(W->Histograph1);
  const std::vector<Single> First = W->Filtered();
  W->Sweep.F = F;
  W->Histograph1Timer(W->Histograph1);
  EXPECT_EQ(W->Filtered(), First);
}

INSTANTIATE_TEST_SUITE_P(Windows, FilterWindow, ::testing::ValuesIn(Cases()),
    quellix::testsupport::RowNamer());

TEST(FilterWindowOutput, LowPassSettlesOnThePlateauAndHighPassDecaysToZero) {
  // Cutoff 25 Hz: time constant 6.4 ms, so 250 ms of plateau is settled.
  RCTief_Unit::TRCTief_Demo Low;
  Low.Eckfrequenz->SetValue(25);
  Low.Histograph1Timer(Low.Histograph1);
  EXPECT_NEAR(Low.Filtered()[249], 1.2f, 0.01f);
  EXPECT_NEAR(Low.Filtered()[499], -1.2f, 0.01f);

  RCHoch_Unit::TRCHoch_Demo High;
  High.Eckfrequenz->SetValue(25);
  High.Histograph1Timer(High.Histograph1);
  EXPECT_NEAR(High.Filtered()[0], 1.2f, 0.01f);   // the first edge passes
  EXPECT_NEAR(High.Filtered()[249], 0.0f, 0.01f);
  // The next edge is a step of 2.4 down.
  EXPECT_LT(*std::min_element(High.Filtered().begin() + 249, High.Filtered().begin() + 253), -2.0f);
}

// ---------------------------------------------------------------------------
// FIR window

TEST(FirWindow, StartsWith128ZeroCoefficientsInCurveAndFilter) {
  FIR_Unit::TFIR_Demo W;
  EXPECT_EQ(W.Caption(), QStringLiteral("TFIRFilter Demo"));
  EXPECT_EQ(W.FIRFilter1->SampleFrequency(), 512.0f);
  ASSERT_EQ(W.FIRFilter1->CoefficientNumber(), 128);
  const HistoInt::THistoSeries& Curve = W.Histograph2->Series(1);
  EXPECT_EQ(Curve.Style, HistoInt::dtLowerRef);
  ASSERT_EQ(Curve.Count, 128);
  for (Integer k = 0; k < 128; ++k) {
    EXPECT_EQ(W.FIRFilter1->Coefficient(k), 0.0f);
    EXPECT_EQ(Curve.Data[k], 0.0f);
  }
  W.Histograph1Timer(W.Histograph1);
  ASSERT_EQ(W.Signal().size(), 512u);
  for (Single V : W.Filtered()) ASSERT_EQ(V, 0.0f);
  EXPECT_EQ(W.Histograph1->Series(2).Count, 512);
  EXPECT_NEAR(W.Sweep.F, 2.1, 1e-12);
}

TEST(FirWindow, AnEditedCurveReachesTheFilterOnlyAfterTheMouseIsReleased) {
  FIR_Unit::TFIR_Demo W;
  // What mouse editing leaves in the reference curve: c[1] = 0.5, c[3] = 0.25.
  std::vector<Single> Curve(128, 0.0f);
  Curve[0] = 0.5f;
  Curve[2] = 0.25f;
  W.Histograph2->SetData(Curve.data(), 128, 1);
  W.Histograph1Timer(W.Histograph1);
  EXPECT_EQ(W.FIRFilter1->Coefficient(0), 0.0f);   // not marked yet

  W.Histograph2->MouseUp(mbLeft, 0, 10, 10);
  EXPECT_TRUE(W.CurveChanged);
  W.Histograph1Timer(W.Histograph1);
  EXPECT_FALSE(W.CurveChanged);
  EXPECT_EQ(W.FIRFilter1->Coefficient(0), 0.5f);
  EXPECT_EQ(W.FIRFilter1->Coefficient(2), 0.25f);
  // y[n] = 0.5 x[n] + 0.25 x[n-2], from a cleared history.
  const std::vector<Single>& X = W.Signal();
  const std::vector<Single>& Y = W.Filtered();
  EXPECT_FLOAT_EQ(Y[0], 0.5f * X[0]);
  EXPECT_FLOAT_EQ(Y[1], 0.5f * X[1]);
  for (std::size_t n = 2; n < X.size(); ++n) ASSERT_FLOAT_EQ(Y[n], 0.5f * X[n] + 0.25f * X[n - 2]) << n;

  // "Reset" clears both; a later mark reads back the zeros.
  W.ResetClick();
  EXPECT_EQ(W.FIRFilter1->Coefficient(0), 0.0f);
  EXPECT_EQ(W.Histograph2->Series(1).Data[0], 0.0f);
  EXPECT_EQ(W.Histograph2->Series(1).Count, 128);
  W.Histograph1Timer(W.Histograph1);
  for (Single V : W.Filtered()) ASSERT_EQ(V, 0.0f);
}

TEST(FirWindow, ShowingRunsTheTimerAndHidingStopsIt) {
  FIR_Unit::TFIR_Demo W;
  W.setAttribute(Qt::WA_DontShowOnScreen, true);
  W.show();
  EXPECT_TRUE(W.Histograph1->TimerEnabled());
  W.hide();
  EXPECT_FALSE(W.Histograph1->TimerEnabled());
}
