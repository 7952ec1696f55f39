// The Pro window's chain of lamps and its narrowing curve, and the
// flip-flop window's phases: equal and unequal time constants, the timer
// restarted with each new phase, and the settings whose phases a
// millisecond timer could not tell apart.
#include <gtest/gtest.h>

#include <QTimer>
#include <cmath>

#include "quellix/app/FlipFlopWindow.h"
#include "quellix/app/ProWindow.h"

using namespace quellix;
using quellix::FlipFlop_Unit::TFlipFlop_Demo;
using quellix::Pro_Unit::TPro_Demo;

namespace {

// The curve |10 sin(i / p)| as the histograph shows it.
void ExpectCurveOf(const TPro_Demo& W, Double P) {
  const HistoInt::THistoSeries& S = W.Histograph1->Series(1);
  ASSERT_EQ(S.Count, TPro_Demo::kPointCount);
  for (Integer i = 1; i <= TPro_Demo::kPointCount; ++i)
    ASSERT_FLOAT_EQ(S.Data[i - 1], Single(std::fabs(10 * std::sin(i / P)))) << "p " << P << ", i " << i;
}

}  // namespace

TEST(ProWindow, ShowsTheWidestCurveBeforeTheFirstTick) {
  TPro_Demo W;
  ExpectCurveOf(W, 32);
  EXPECT_EQ(W.P(), 32);
  EXPECT_EQ(W.Histograph1->TimerInterval(), 10);
  EXPECT_FALSE(W.Histograph1->TimerEnabled());
  W.show();
  EXPECT_TRUE(W.Histograph1->TimerEnabled());
  W.hide();
  EXPECT_FALSE(W.Histograph1->TimerEnabled());
}

TEST(ProWindow, EachTickEndsWithTheFftLampAlone) {
  TPro_Demo W;
  for (int Tick = 0; Tick < 3; ++Tick) {
    W.Histograph1->Timer().Tick();
    EXPECT_FALSE(W.Led1->Value());
    EXPECT_FALSE(W.Led2->Value());
    EXPECT_TRUE(W.Led3->Value());
    EXPECT_EQ(W.Led3->CurrentColor(), clLime);
  }
}

TEST(ProWindow, DivisorCountsDownFromThirtyTwoToTwoAndStartsAgain) {
  TPro_Demo W;
  // Ticks 1 .. 31 show p = 32 .. 2, tick 32 starts over with 32.
  for (Integer P = 32; P >= 2; --P) {
    W.Histograph1Timer(W.Histograph1);
    ExpectCurveOf(W, P);
  }
  EXPECT_EQ(W.P(), 32);
  W.Histograph1Timer(W.Histograph1);
  ExpectCurveOf(W, 32);
  EXPECT_EQ(W.P(), 31);
}

TEST(FlipFlopPhase, WholeMillisecondsWithoutRoundingLoss) {
  struct Row {
    const char* Name;
    Integer R, C, Ms;
  } Rows[] = {
      {"initial setting", 40, 40, 1120},
      {"largest setting", 80, 80, 4480},
      // 0.7 * 3 * 10 in floating point lies just below 21.
      {"product just below a whole number", 3, 10, 21},
      {"fraction truncated", 3, 3, 6},
      {"below one millisecond still ticks", 1, 1, 1},
  };
  for (const Row& R : Rows) EXPECT_EQ(FlipFlop_Unit::PhaseMs(R.R, R.C), R.Ms) << R.Name;
}

TEST(FlipFlopWindow, ShowingResetsTheSlidersAndStartsBothTimers) {
  TFlipFlop_Demo W;
  EXPECT_FALSE(W.Timer1->Enabled());
  EXPECT_FALSE(W.Timer2->Enabled());
  W.R2->SetValue(10);
  W.C2->SetValue(75);
  W.show();
  for (Slider::TSlider* S : {W.R2, W.R3, W.C1, W.C2}) EXPECT_EQ(S->Value(), 40);
  EXPECT_DOUBLE_EQ(W.Tau1(), 1.12);
  EXPECT_DOUBLE_EQ(W.Tau2(), 1.12);
  EXPECT_DOUBLE_EQ(W.PanelMeter1->Value(), 1.12);
  EXPECT_DOUBLE_EQ(W.PanelMeter2->Value(), 1.12);
  EXPECT_TRUE(W.Timer1->Enabled());
  EXPECT_EQ(W.Timer1->Interval(), 1);
  EXPECT_TRUE(W.Timer2->Enabled());
  EXPECT_EQ(W.Timer2->Interval(), 1120);
  W.hide();
  EXPECT_FALSE(W.Timer1->Enabled());
  EXPECT_FALSE(W.Timer2->Enabled());
}

TEST(FlipFlopWindow, EqualTimeConstantsAlternateEvery1120Ms) {
  TFlipFlop_Demo W;
  W.FormShow();
  EXPECT_FALSE(W.P1->Value());
  EXPECT_FALSE(W.P2->Value());
  for (int Tick = 0; Tick < 6; ++Tick) {
    W.Timer2->Tick();
    const bool Red = Tick % 2 == 0;  // the first switch lights P1
    EXPECT_EQ(W.P1->Value(), Red) << Tick;
    EXPECT_EQ(W.P2->Value(), !Red) << Tick;
    EXPECT_EQ(W.PanelMeter1->Slot(0), Red) << Tick;
    EXPECT_EQ(W.PanelMeter2->Slot(0), !Red) << Tick;
    EXPECT_EQ(W.Timer2->Interval(), 1120) << Tick;
  }
  EXPECT_EQ(W.P1->CurrentColor(), clSilver);
  EXPECT_EQ(W.P2->CurrentColor(), clLime);
  W.FormHide();
}

TEST(FlipFlopWindow, UnequalTimeConstantsGiveEachPhaseItsOwnLength) {
  TFlipFlop_Demo W;
  W.FormShow();
  W.Timer2->Tick();  // red phase
  ASSERT_TRUE(W.P1->Value());
  // tau1 = 0.7 * 20 kOhm * 40 uF = 0.56 s: the shorter phase sets the timer.
  W.R2->SetValue(20);
  EXPECT_DOUBLE_EQ(W.PanelMeter1->Value(), 0.56);
  EXPECT_DOUBLE_EQ(W.PanelMeter2->Value(), 1.12);
  EXPECT_EQ(W.Timer2->Interval(), 560);
  for (int Tick = 0; Tick < 4; ++Tick) {
    W.Timer2->Tick();
    // Odd ticks end the red phase, even ones the green phase; the interval
    // is the length of the phase that begins.
    const bool Red = Tick % 2 == 1;
    EXPECT_EQ(W.P1->Value(), Red) << Tick;
    EXPECT_EQ(W.P2->Value(), !Red) << Tick;
    EXPECT_EQ(W.PanelMeter1->Slot(0), Red) << Tick;
    EXPECT_EQ(W.PanelMeter2->Slot(0), !Red) << Tick;
    EXPECT_EQ(W.Timer2->Interval(), Red ? 560 : 1120) << Tick;
  }
  // An interval that fits neither phase switches nothing.
  W.Timer2->SetInterval(333);
  W.Timer2->Tick();
  EXPECT_TRUE(W.P1->Value());
  EXPECT_EQ(W.Timer2->Interval(), 333);
  W.FormHide();
}

TEST(FlipFlopWindow, NewPhaseCountsFromTheSwitch) {
  TFlipFlop_Demo W;
  W.FormShow();
  W.C2->SetValue(80);  // tau2 = 2.24 s, tau1 stays 1.12 s
  ASSERT_EQ(W.Timer2->Interval(), 1120);
  auto* Clock = W.Timer2->findChild<QTimer*>();
  ASSERT_NE(Clock, nullptr);
  W.Timer2->Tick();  // red phase ends: 2240 ms of green from now
  EXPECT_TRUE(Clock->isActive());
  EXPECT_EQ(Clock->interval(), 2240);
  EXPECT_GT(Clock->remainingTime(), 2240 - 200);
  W.Timer2->Tick();
  EXPECT_TRUE(Clock->isActive());
  EXPECT_EQ(Clock->interval(), 1120);
  EXPECT_GT(Clock->remainingTime(), 1120 - 200);
  W.FormHide();
  EXPECT_FALSE(Clock->isActive());
}

TEST(FlipFlopWindow, PhasesWithinOneMillisecondStillAlternate) {
  TFlipFlop_Demo W;
  W.FormShow();
  // tau1 = 7.0 ms and tau2 = 7.7 ms: a millisecond timer runs both as 7 ms.
  W.R2->SetValue(10);
  W.C1->SetValue(1);
  W.R3->SetValue(11);
  W.C2->SetValue(1);
  ASSERT_NE(W.Tau1(), W.Tau2());
  ASSERT_EQ(W.Timer2->Interval(), 7);
  bool Previous = W.P1->Value();
  for (int Tick = 0; Tick < 4; ++Tick) {
    W.Timer2->Tick();
    EXPECT_NE(W.P1->Value(), Previous) << Tick;
    EXPECT_NE(W.P1->Value(), W.P2->Value()) << Tick;
    Previous = W.P1->Value();
  }
  W.FormHide();
}

TEST(FlipFlopWindow, SmallestSettingKeepsTheTimerRunning) {
  TFlipFlop_Demo W;
  W.FormShow();
  W.R2->SetValue(1);
  W.C1->SetValue(1);  // 0.7 ms
  EXPECT_EQ(W.Timer2->Interval(), 1);
  EXPECT_TRUE(W.Timer2->Running());
  W.Timer2->Tick();
  W.Timer2->Tick();
  EXPECT_TRUE(W.Timer2->Running());
  W.FormHide();
}

TEST(FlipFlopWindow, LampsSitOnTheCollectorLinesOfThePicture) {
  TFlipFlop_Demo W;
  W.Circuit->Repaint();
  for (LedInt::TLedInt* L : {W.P1, W.P2}) {
    const Integer X = L->Left() + L->Width() / 2;
    // The wire ends just inside the lamp above and below.
    EXPECT_EQ(W.Circuit->Canvas().Pixel(X, L->Top() + 1), clNavy) << L->Name().toStdString();
    EXPECT_EQ(W.Circuit->Canvas().Pixel(X, L->Top() + L->Height() - 2), clNavy) << L->Name().toStdString();
    EXPECT_EQ(W.Circuit->Canvas().Pixel(X - L->Width() / 2 + 1, L->Top() + L->Height() / 2), clWhite);
  }
}
