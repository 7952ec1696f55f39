// The meter and the dial windows: the meter window's timer walk between
// showing and hiding, and the dial window's six knobs.
#include <gtest/gtest.h>

#include "quellix/app/Application.h"
#include "quellix/app/DialWindow.h"
#include "quellix/app/MeterWindow.h"

using namespace quellix;
using quellix::Dial_Unit::TDial_Demo;
using quellix::Meter_Unit::TMeter_Demo;

TEST(MeterWindow, TicksWalkBothMetersUpAndBack) {
  TMeter_Demo W;
  ASSERT_TRUE(W.OnShow);
  W.OnShow(&W);
  EXPECT_TRUE(W.Timer1->Enabled());
  EXPECT_EQ(W.Timer1->Interval(), 1);
  W.Timer1->Tick();
  EXPECT_EQ(W.Meter1->Value(), 1);
  EXPECT_DOUBLE_EQ(W.Meter2->Value(), 0.6);
  for (int I = 1; I < 100; ++I) W.Timer1->Tick();
  // At 100 the walk turned; the next tick goes down.
  EXPECT_EQ(W.A(), 100);
  EXPECT_FALSE(W.GoingUp());
  W.Timer1->Tick();
  EXPECT_EQ(W.Meter1->Value(), 99);
  EXPECT_NEAR(W.Meter2->Value(), 59.4, 1e-9);
  for (int I = 0; I < 99; ++I) W.Timer1->Tick();
  EXPECT_EQ(W.A(), 0);
  EXPECT_TRUE(W.GoingUp());

  ASSERT_TRUE(W.OnHide);
  W.OnHide(&W);
  EXPECT_FALSE(W.Timer1->Enabled());
  // Showing again starts from 0 going up.
  W.Timer1->Tick();
  W.OnShow(&W);
  EXPECT_EQ(W.Meter1->Value(), 0);
  EXPECT_EQ(W.A(), 0);
  EXPECT_TRUE(W.GoingUp());
}

TEST(MeterWindow, TheLauncherBuildsIt) {
  for (const auto& Entry : app::WindowSpecs())
    if (Entry.ClassName == QLatin1String("TMeter_Demo") || Entry.ClassName == QLatin1String("TDial_Demo")) {
      ASSERT_TRUE(Entry.Create) << Entry.ClassName.toStdString();
      std::unique_ptr<TForm> F(Entry.Create());
      EXPECT_EQ(F->Caption(), Entry.Caption);
    }
}

TEST(DialWindow, SixKnobsAllUpToOneHundred) {
  TDial_Demo W;
  dial::TDial* Dials[] = {W.Dial1, W.Dial2, W.Dial3, W.Dial4, W.Dial5, W.Dial6};
  bool Triangle = false, Line = false;
  for (dial::TDial* D : Dials) {
    EXPECT_EQ(D->ValueMax(), 100);
    EXPECT_EQ(D->Owner(), &W);
    Triangle |= D->IndicatorStyle() == dial::diaTriangle;
    Line |= D->IndicatorStyle() == dial::diaLine;
  }
  EXPECT_TRUE(Triangle);
  EXPECT_TRUE(Line);
  EXPECT_EQ(W.Dial1->Caption(), QStringLiteral("U1"));
  EXPECT_EQ(W.Dial2->Caption(), QStringLiteral("I1"));
  EXPECT_EQ(W.Dial1->Name(), QStringLiteral("Dial1"));
  EXPECT_EQ(W.Caption(), QStringLiteral("TDial Demo"));
}
