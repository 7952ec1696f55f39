// The slider and bar graph demonstration windows: the coupled sliders and
// the timer-driven levels with their turning points.
#include <gtest/gtest.h>

#include "quellix/app/BarGraphWindow.h"
#include "quellix/app/SliderWindow.h"

using namespace quellix;

TEST(SliderWindow, Slider2AndSlider4AlwaysAddUpToFifty) {
  Slider_Unit::TSlider_Demo W;
  int Changes2 = 0, Changes4 = 0;
  auto Coupling2 = W.Slider2->OnValueChange, Coupling4 = W.Slider4->OnValueChange;
  W.Slider2->OnValueChange = [&](TObject* S) { ++Changes2; Coupling2(S); };
  W.Slider4->OnValueChange = [&](TObject* S) { ++Changes4; Coupling4(S); };
  W.Slider2->SetValue(10);
  EXPECT_DOUBLE_EQ(W.Slider4->Value(), 40);
  EXPECT_EQ(Changes2, 1);
  EXPECT_EQ(Changes4, 1);  // the echo back to Slider2 changes nothing
  W.Slider4->SetValue(45);
  EXPECT_DOUBLE_EQ(W.Slider2->Value(), 5);
  // A drag on Slider4 moves Slider2 as well.
  const TRect B = W.Slider4->ButtonRect();
  W.Slider4->MouseDown(mbLeft, 0, (B.Left + B.Right) / 2, B.Top + 2);
  W.Slider4->MouseMove(0, (B.Left + B.Right) / 2, B.Top + 80);
  W.Slider4->MouseUp(mbLeft, 0, 0, 0);
  EXPECT_LT(W.Slider4->Value(), 45);
  EXPECT_DOUBLE_EQ(W.Slider2->Value() + W.Slider4->Value(), 50);
  // The other three are left alone.
  EXPECT_DOUBLE_EQ(W.Slider1->Value(), 70);
}

TEST(BarGraphWindow, FirstTickGoesDownAndTurnsUp) {
  BarGraph_Unit::TBarGraph_Demo W;
  EXPECT_EQ(W.Timer1->Interval(), 1);
  EXPECT_FALSE(W.Timer1->Enabled());
  W.FormShow(&W);
  EXPECT_TRUE(W.Timer1->Enabled());
  W.Timer1->SetEnabled(false);  // ticks come from the test
  W.Timer1->Tick();
  const auto& L = W.Levels();
  EXPECT_DOUBLE_EQ(L[0], -1);
  EXPECT_DOUBLE_EQ(L[1], -1);
  EXPECT_DOUBLE_EQ(L[2], 101);
  EXPECT_DOUBLE_EQ(L[3], -0.5);
  EXPECT_DOUBLE_EQ(L[4], 59.8);
  EXPECT_TRUE(W.GoingUp());
  // The bar graphs clamp what the window computes.
  EXPECT_DOUBLE_EQ(W.BarGraph1->Value(), 0);
  EXPECT_DOUBLE_EQ(W.BarGraph3->Value(), 100);
  EXPECT_DOUBLE_EQ(W.BarGraph5->Value(), 59.8);
}

TEST(BarGraphWindow, TurnsAtNinetyFiveAndKeepsItsDirectionBetweenOpenings) {
  BarGraph_Unit::TBarGraph_Demo W;
  W.FormShow(&W);
  W.Timer1->SetEnabled(false);
  W.Timer1->Tick();  // -1, turning up
  for (int i = 0; i < 95; ++i) W.Timer1->Tick();
  EXPECT_DOUBLE_EQ(W.Levels()[0], 94);
  EXPECT_TRUE(W.GoingUp());
  W.Timer1->Tick();
  EXPECT_DOUBLE_EQ(W.Levels()[0], 95);
  EXPECT_FALSE(W.GoingUp());
  EXPECT_DOUBLE_EQ(W.BarGraph4->Value(), 47.5);  // 0 - 0.5 + 96 * 0.5
  W.Timer1->SetEnabled(true);
  W.FormHide(&W);
  EXPECT_FALSE(W.Timer1->Enabled());
  // Opening again resets the values but not the direction.
  W.FormShow(&W);
  EXPECT_DOUBLE_EQ(W.Levels()[0], 0);
  EXPECT_DOUBLE_EQ(W.BarGraph3->Value(), 100);
  EXPECT_FALSE(W.GoingUp());
  W.Timer1->SetEnabled(false);
}
