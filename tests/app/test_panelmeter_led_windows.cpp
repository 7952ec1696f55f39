// The panel meter and LED windows driven by their handlers: what showing
// and hiding start and stop, the countdown and the random walk per tick,
// and the range field of the random-walk meter.
#include <gtest/gtest.h>

#include <vector>

#include "quellix/app/LedWindow.h"
#include "quellix/app/PanelMeterWindow.h"
#include "quellix/host/NumberFormat.h"

using namespace quellix;
using quellix::Led_Unit::TLed_Demo;
using quellix::PanelMeter_Unit::TPanelMeter_Demo;

TEST(PanelMeterWindow, ShowingStartsTheTimerAndLightsTheAutoField) {
  TPanelMeter_Demo W;
  EXPECT_FALSE(W.Timer1->Enabled());
  EXPECT_EQ(W.Timer1->Interval(), 1000);
  EXPECT_FALSE(W.PanelMeter3->Slot(0));
  W.show();
  EXPECT_TRUE(W.Timer1->Enabled());
  EXPECT_TRUE(W.PanelMeter3->Slot(0));
  W.hide();
  EXPECT_FALSE(W.Timer1->Enabled());
}

TEST(PanelMeterWindow, CountdownWrapsFromZeroToFiftyNine) {
  TPanelMeter_Demo W;
  W.FormShow();
  std::vector<Double> Shown;
  for (int i = 0; i < 62; ++i) {
    W.Timer1->Tick();
    Shown.push_back(W.PanelMeter4->Value());
  }
  EXPECT_EQ(Shown[0], 60);
  EXPECT_EQ(Shown[1], 59);
  EXPECT_EQ(Shown[59], 1);
  EXPECT_EQ(Shown[60], 0);
  EXPECT_EQ(Shown[61], 59);
  // Showing again starts the count anew.
  W.FormShow();
  W.Timer1->Tick();
  EXPECT_EQ(W.PanelMeter4->Value(), 60);
}

TEST(PanelMeterWindow, ValuesStayInTheirRangesAndTheWalkTurns) {
  SetRandSeed(3);
  TPanelMeter_Demo W;
  W.FormShow();
  bool TurnedDown = false, TurnedUp = false;
  for (int i = 0; i < 400; ++i) {
    const bool Up = W.GoingUp();
    const Double Before = W.Walk();
    W.Timer1->Tick();
    EXPECT_EQ(W.PanelMeter2->Value(), Before);  // the walk is shown before its step
    EXPECT_GE(W.PanelMeter1->Value(), 1);
    EXPECT_LT(W.PanelMeter1->Value(), 2);
    EXPECT_GE(W.PanelMeter3->Value(), 0);
    EXPECT_LT(W.PanelMeter3->Value(), 1);
    EXPECT_EQ(W.Walk() >= Before, Up);
    EXPECT_GT(W.Walk(), -9);
    EXPECT_LT(W.Walk(), 9);
    if (Up && !W.GoingUp()) {
      EXPECT_GT(W.Walk(), 8);
      TurnedDown = true;
    }
    if (!Up && W.GoingUp()) {
      EXPECT_LT(W.Walk(), -8);
      TurnedUp = true;
    }
  }
  EXPECT_TRUE(TurnedDown);
  EXPECT_TRUE(TurnedUp);
}

TEST(PanelMeterWindow, LimitFieldIsLitExactlyWhileTheWalkIsOutsideItsRange) {
  SetRandSeed(5);
  TPanelMeter_Demo W;
  W.FormShow();
  int Outside = 0;
  for (int i = 0; i < 300; ++i) {
    W.Timer1->Tick();
    const Double V = W.PanelMeter2->Value();
    const bool Out = V < W.PanelMeter2->ValueMin() || V > W.PanelMeter2->ValueMax();
    Outside += Out;
    EXPECT_EQ(W.PanelMeter2->Slot(0), Out) << "tick " << i << " value " << V;
  }
  EXPECT_GT(Outside, 0);
}

TEST(LedWindow, ThirtySixLampsOfWhichTenFlash) {
  TLed_Demo W;
  std::vector<int> Flashing;
  for (int n = 1; n <= TLed_Demo::LedCount; ++n) {
    ASSERT_NE(W.Led(n), nullptr);
    EXPECT_EQ(W.Led(n)->Name(), QStringLiteral("Led%1").arg(n));
    if (W.Led(n)->Flashing()) Flashing.push_back(n);
  }
  EXPECT_EQ(Flashing, (std::vector<int>{8, 9, 10, 11, 12, 25, 26, 27, 28, 29}));
  const Integer Intervals[10] = {500, 200, 300, 400, 700, 500, 700, 200, 100, 800};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(W.Led(Flashing[i])->FlashInterval(), Intervals[i]) << Flashing[i];
}

TEST(LedWindow, OpeningStartsAndClosingStopsOnlyTheFlashingLamps) {
  TLed_Demo W;
  const bool SteadyOn = W.Led(1)->Value();
  const bool SteadyOff = W.Led(7)->Value();
  EXPECT_FALSE(W.Led(8)->Value());
  EXPECT_FALSE(W.Led(8)->FlashTimer().Enabled());
  W.show();
  for (int n : {8, 12, 25, 29}) {
    EXPECT_TRUE(W.Led(n)->Value()) << n;
    EXPECT_TRUE(W.Led(n)->FlashTimer().Enabled()) << n;
  }
  EXPECT_EQ(W.Led(1)->Value(), SteadyOn);
  EXPECT_EQ(W.Led(7)->Value(), SteadyOff);
  EXPECT_FALSE(W.Led(1)->FlashTimer().Enabled());
  W.hide();
  for (int n : {8, 12, 25, 29}) {
    EXPECT_FALSE(W.Led(n)->Value()) << n;
    EXPECT_FALSE(W.Led(n)->FlashTimer().Enabled()) << n;
  }
  EXPECT_EQ(W.Led(1)->Value(), SteadyOn);
}
