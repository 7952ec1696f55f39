// The two histograph windows: the Yt window's reference band, timer buttons
// and noisy curve; the XY window's figures, their steps and the timer.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "quellix/app/HistographXYWindow.h"
#include "quellix/app/HistographYtWindow.h"
#include "quellix/histograph/ToolBar.h"
#include "quellix/histograph/ValueBar.h"
#include "quellix/host/NumberFormat.h"

using namespace quellix;
using namespace quellix::HistoInt;
using HistoXY_Unit::THisto1_Demo;
using HistoYt_Unit::THisto2_Demo;

// ---------------------------------------------------------------------------
// Yt window

TEST(HistoYtWindow, ShowingSetsUpTheBandAndStopsTheTimer) {
  THisto2_Demo W;
  EXPECT_EQ(W.Caption(), QStringLiteral("THistograph Demo"));
  EXPECT_EQ(W.TitleLabel()->text(), QStringLiteral("Yt-Darstellung"));
  EXPECT_EQ(W.Histograph1->TimerInterval(), 1);

  // The tool bar toggles; showing the window hides it again.
  W.WerkzeugeClick();
  EXPECT_TRUE(W.Histograph1->ShowToolBar());
  W.WerkzeugeClick();
  EXPECT_FALSE(W.Histograph1->ShowToolBar());
  W.WerkzeugeClick();

  W.StartClick();
  W.setAttribute(Qt::WA_DontShowOnScreen, true);
  W.show();
  EXPECT_FALSE(W.Histograph1->ShowToolBar());
  EXPECT_FALSE(W.Histograph1->TimerEnabled());
  EXPECT_TRUE(W.Start->isEnabled());
  EXPECT_FALSE(W.Stop->isEnabled());

  ASSERT_EQ(W.Histograph1->SeriesNumber(), 3);
  const TDataKind Kinds[3] = {dtData, dtUpperRef, dtLowerRef};
  const TColor Colors[3] = {clBlack, clRed, clRed};
  for (Integer k = 1; k <= 3; ++k) {
    EXPECT_EQ(W.Histograph1->Series(k).Style, Kinds[k - 1]) << k;
    EXPECT_EQ(W.Histograph1->Series(k).Color, Colors[k - 1]) << k;
  }
  const THistoSeries& Upper = W.Histograph1->Series(2);
  const THistoSeries& Lower = W.Histograph1->Series(3);
  ASSERT_EQ(Upper.Count, 256);
  ASSERT_EQ(Lower.Count, 256);
  for (Integer i : {1, 25, 128, 256}) {
    EXPECT_FLOAT_EQ(Upper.Data[i - 1], Single(std::sin(i * 0.0625) + 0.3)) << i;
    EXPECT_FLOAT_EQ(Lower.Data[i - 1], Single(std::sin(i * 0.0625) - 0.3)) << i;
  }
  W.hide();
}

TEST(HistoYtWindow, StartAndStopSwapTheButtonsAndClosingStopsTheTimer) {
  THisto2_Demo W;
  W.StartClick();
  EXPECT_TRUE(W.Histograph1->TimerEnabled());
  EXPECT_FALSE(W.Start->isEnabled());
  EXPECT_TRUE(W.Stop->isEnabled());
  W.StopClick();
  EXPECT_FALSE(W.Histograph1->TimerEnabled());
  EXPECT_TRUE(W.Start->isEnabled());
  EXPECT_FALSE(W.Stop->isEnabled());

  W.setAttribute(Qt::WA_DontShowOnScreen, true);
  W.show();
  W.StartClick();
  W.hide();
  EXPECT_FALSE(W.Histograph1->TimerEnabled());
  EXPECT_TRUE(W.Start->isEnabled());
}

TEST(HistoYtWindow, ClosingHidesTheToolBarAndTheValueBar) {
  THisto2_Demo W;
  W.setAttribute(Qt::WA_DontShowOnScreen, true);
  W.show();
  W.WerkzeugeClick();
  W.Histograph1->SetShowValueBar(true);
  ASSERT_TRUE(W.Histograph1->ToolBar() && W.Histograph1->ToolBar()->isVisible());
  ASSERT_TRUE(W.Histograph1->ValueBar() && W.Histograph1->ValueBar()->isVisible());
  W.hide();
  EXPECT_FALSE(W.Histograph1->ShowToolBar());
  EXPECT_FALSE(W.Histograph1->ShowValueBar());
  EXPECT_FALSE(W.Histograph1->ToolBar()->isVisible());
  EXPECT_FALSE(W.Histograph1->ValueBar()->isVisible());
}

TEST(HistoYtWindow, EachTickRenewsTheNoisyCurveInsideItsBand) {
  THisto2_Demo W;
  SetRandSeed(11);
  W.Histograph1->Timer().Tick();
  const THistoSeries& S = W.Histograph1->Series(1);
  ASSERT_EQ(S.Count, 256);
  EXPECT_EQ(S.Data, W.Data().data());
  Double Mean = 0;
  for (Integer i = 1; i <= 256; ++i) {
    const Double Offset = W.Data()[i - 1] - std::sin(i * 0.0625);
    ASSERT_GE(Offset, -0.2 - 1e-6) << i;
    ASSERT_LT(Offset, 0.3 + 1e-6) << i;
    Mean += Offset / 256;
  }
  EXPECT_NEAR(Mean, 0.05, 0.03);
  const auto Before = W.Data();
  W.Histograph1Timer(W.Histograph1);
  EXPECT_NE(W.Data(), Before);
  // The reference band stays as it was.
  EXPECT_FLOAT_EQ(W.Histograph1->Series(2).Data[0], Single(std::sin(0.0625) + 0.3));
}

// ---------------------------------------------------------------------------
// XY window

TEST(HistoXYWindow, NewFiguresAreSweepOrPhaseFiguresWithTheirRanges) {
  THisto1_Demo W;
  EXPECT_EQ(W.TitleLabel()->text(), QStringLiteral("XY-Darstellung"));
  EXPECT_EQ(W.Timer1->Interval(), 1);
  EXPECT_FALSE(W.Timer1->Enabled());
  EXPECT_EQ(W.Histograph1->Series(1).Style, dtDataXY);

  std::set<HistoXY_Unit::TFigureKind> Seen;
  for (std::uint32_t Seed = 1; Seed <= 40; ++Seed) {
    SetRandSeed(Seed);
    W.NewFigure();
    Seen.insert(W.Kind);
    EXPECT_TRUE(W.Timer1->Enabled());
    EXPECT_GE(W.Fx, 0);
    EXPECT_LT(W.Fx, 0.25);
    EXPECT_GE(W.Fy, 0);
    EXPECT_LT(W.Fy, 0.25);
    if (W.Kind == HistoXY_Unit::fkPhase) {
      EXPECT_GE(W.DFx, 0);
      EXPECT_LT(W.DFx, 0.05);
      EXPECT_GE(W.DFy - W.DFx, -0.025 - 1e-12);
      EXPECT_LT(W.DFy - W.DFx, 0.025);
      EXPECT_EQ(W.Px, 0);
      EXPECT_EQ(W.Py, 90);
    } else {
      EXPECT_GE(W.DFx, 0);
      EXPECT_LT(W.DFx, 0.0005);
      EXPECT_GE(W.DFy, 0);
      EXPECT_LT(W.DFy, 0.0005);
    }
  }
  EXPECT_EQ(Seen.size(), 2u);
}

TEST(HistoXYWindow, ATickTakesTenStepsOfTheFigure) {
  THisto1_Demo W;
  W.Kind = HistoXY_Unit::fkSweep;
  W.Fx = 0.1;
  W.Fy = 0.2;
  W.DFx = 0.0004;
  W.DFy = 0.0002;
  W.Timer1->Tick();
  EXPECT_NEAR(W.Fx, 0.104, 1e-12);
  EXPECT_NEAR(W.Fy, 0.202, 1e-12);
  const THistoSeries& S = W.Histograph1->Series(1);
  ASSERT_EQ(S.Count, 200);
  EXPECT_EQ(S.Data, W.Points().data());
  for (Integer i : {1, 100, 200}) {
    EXPECT_FLOAT_EQ(W.Points()[2 * (i - 1)], Single(std::cos(i * W.Fy))) << i;
    EXPECT_FLOAT_EQ(W.Points()[2 * (i - 1) + 1], Single(std::sin(i * W.Fx))) << i;
  }

  W.Kind = HistoXY_Unit::fkPhase;
  W.Px = 0;
  W.Py = 90;
  W.DFx = 0.03;
  W.DFy = 0.01;
  W.Timer1Timer(W.Timer1);
  EXPECT_NEAR(W.Px, 0.3, 1e-12);
  EXPECT_NEAR(W.Py, 90.1, 1e-12);
  EXPECT_NEAR(W.Fx, 0.104, 1e-12);   // the frequencies hold still
  for (Integer i : {1, 77, 200}) {
    EXPECT_FLOAT_EQ(W.Points()[2 * (i - 1)], Single(std::sin(i * W.Fy + W.Px))) << i;
    EXPECT_FLOAT_EQ(W.Points()[2 * (i - 1) + 1], Single(std::sin(i * W.Fx + W.Py))) << i;
  }
}

TEST(HistoXYWindow, SweepFrequenciesTurnAtPlusAndMinusOne) {
  THisto1_Demo W;
  W.Kind = HistoXY_Unit::fkSweep;
  W.Fx = 0.995;
  W.DFx = 0.004;
  W.Fy = -0.995;
  W.DFy = -0.004;
  W.Step();   // 0.999: still inside
  EXPECT_GT(W.DFx, 0);
  W.Step();   // 1.003: turns
  EXPECT_LT(W.DFx, 0);
  EXPECT_GT(W.DFy, 0);
  for (int i = 0; i < 600; ++i) {
    W.Step();
    ASSERT_LE(std::abs(W.Fx), 1.004 + 1e-9);
    ASSERT_LE(std::abs(W.Fy), 1.004 + 1e-9);
  }
}

TEST(HistoXYWindow, ClosingStopsTheTimer) {
  THisto1_Demo W;
  W.setAttribute(Qt::WA_DontShowOnScreen, true);
  W.show();
  SetRandSeed(3);
  W.NewFigure();
  EXPECT_TRUE(W.Timer1->Enabled());
  W.hide();
  EXPECT_FALSE(W.Timer1->Enabled());
}
