// THistographInt mouse modes: pixel/value conversions, snapping to the
// nearest point, the measuring and calculation crosses, the value bar,
// reshaping a reference curve, zoom and its undo, colour drops.
#include <gtest/gtest.h>

#include <QLabel>
#include <cmath>
#include <vector>

#include "quellix/histograph/ColorGrid.h"
#include "quellix/histograph/HistographEngine.h"
#include "quellix/histograph/ValueBar.h"
#include "quellix/host/NumberFormat.h"

using namespace quellix;
using namespace quellix::HistoInt;

namespace {

// 400 x 300 with the default gaps: plot columns 70..360, rows 40..240,
// X 0..10 and Y 0..10.
class THisto : public THistographInt {
public:
  THisto() {
    SetBounds(0, 0, 400, 300);
    SetColor(clSilver);
    SetBkColor(clWhite);
  }
  void Move(Integer X, Integer Y) { MouseMove(0, X, Y); }
  void Down(TMouseButton B, Integer X, Integer Y) { MouseDown(B, 0, X, Y); }
  void Up(TMouseButton B, Integer X, Integer Y) { MouseUp(B, 0, X, Y); }
  QImage Picture() const { return Surface().copy(); }
};

// Pixel column of sample i of an n-sample Yt series over the whole X range.
Integer SampleX(Integer i, Integer n) {
  const Extended Dx = 290.0L / (n - 1);
  return Trunc(70 - Dx + i * Dx);
}

TEST(HistoInteraction, PixelValueConversions) {
  THisto H;
  EXPECT_DOUBLE_EQ(double(H.XValueAt(70)), 0.0);
  EXPECT_DOUBLE_EQ(double(H.XValueAt(360)), 10.0);
  EXPECT_DOUBLE_EQ(double(H.YValueAt(240)), 0.0);
  EXPECT_DOUBLE_EQ(double(H.YValueAt(40)), 10.0);
  EXPECT_EQ(H.XPixelOf(5), 215);
  EXPECT_EQ(H.YPixelOf(5), 141);  // Trunc(240 - 100) + 1
  EXPECT_EQ(H.YPixelOf(0), 241);
  // Values far outside do not overflow the pixel type.
  EXPECT_LE(std::abs(H.XPixelOf(1e30L)), CoordLimit);
  EXPECT_LE(std::abs(H.YPixelOf(-1e30L)), CoordLimit);
  // Logarithmic axes invert their own mapping.
  H.SetGridScale(sclLogLog);
  H.SetViewYMin(1);
  H.SetViewYMax(1000);
  H.SetViewXNominalMin(1);
  H.SetViewXCurrentMin(1);
  H.SetViewXNominalMax(100);
  H.SetViewXCurrentMax(100);
  H.Repaint();
  EXPECT_NEAR(double(H.YValueAt(H.LogYPixel(100))), 100.0, 3.5);
  EXPECT_NEAR(double(H.XValueAt(H.LogXPixel(10))), 10.0, 0.2);
}

TEST(HistoInteraction, NearestPointSnapsAcrossSeries) {
  THisto H;
  H.SetSeriesNumber(3);
  std::vector<Single> Low(11, 2.0f), High(11, 8.0f);
  High[4] = 9.0f;
  H.SetData(Low.data(), 11, 1);
  H.SetData(High.data(), 11, 2);

  // Nothing at all without data in any series.
  THisto Empty;
  EXPECT_EQ(Empty.NearestPoint(200, 100).Serie, 0);

  // Column of sample 5 (X = 4) plus a few pixels; value 7 is nearer to 8.
  TNearestPoint P = H.NearestPoint(SampleX(5, 11) + 10, H.YPixelOf(7));
  EXPECT_EQ(P.Serie, 2);
  EXPECT_EQ(P.Index, 5);
  EXPECT_FLOAT_EQ(P.X, 4.0f);
  EXPECT_FLOAT_EQ(P.Y, 9.0f);
  // Equally far from both: the earlier series wins.
  std::vector<Single> Mid(11, 5.0f), Mid2(11, 5.0f);
  H.SetData(Mid.data(), 11, 1);
  H.SetData(Mid2.data(), 11, 2);
  EXPECT_EQ(H.NearestPoint(200, 100).Serie, 1);
  // Columns beyond the ends are limited to the first and last sample.
  EXPECT_EQ(H.NearestPoint(-500, 100).Index, 1);
  EXPECT_EQ(H.NearestPoint(5000, 100).Index, 11);

  // XY series: the pair with the nearest X, found by bisection.
  H.SetSeriesCurrent(3);
  H.SetSeriesStyle(dtDataXY);
  const Single Xy[] = {0, 50, 1, 50, 2.5f, 50, 6, 50, 9, 50};
  H.SetDataXY(Xy, 5, 3);
  H.SetData(nullptr, 0, 1);
  H.SetData(nullptr, 0, 2);
  P = H.NearestPoint(H.XPixelOf(5), 100);
  EXPECT_EQ(P.Serie, 3);
  EXPECT_EQ(P.Index, 4);
  EXPECT_FLOAT_EQ(P.X, 6.0f);
  EXPECT_EQ(H.NearestPoint(H.XPixelOf(1.6), 100).Index, 2);
  EXPECT_EQ(H.NearestPoint(H.XPixelOf(100), 100).Index, 5);
}

TEST(HistoInteraction, ModeSetterHidesTheOtherCrosses) {
  THisto H;
  std::vector<Single> D(11, 5.0f);
  H.SetData(D.data(), 11, 1);
  H.SetMode(modeCalculate);
  H.Down(mbLeft, 100, 100);
  H.Up(mbLeft, 100, 100);
  H.Down(mbRight, 300, 100);
  H.Up(mbRight, 300, 100);
  EXPECT_TRUE(H.Cross(0).Visible);
  EXPECT_TRUE(H.Cross(1).Visible);
  H.SetMode(modeZoom);
  EXPECT_FALSE(H.Cross(0).Visible);
  EXPECT_FALSE(H.Cross(1).Visible);

  H.SetMode(modeMeasure);
  H.Move(200, 100);
  EXPECT_TRUE(H.Cross(2).Visible);
  H.SetMode(modeCalculate);
  EXPECT_FALSE(H.Cross(2).Visible);
  H.SetMode(static_cast<TMode>(9));  // out of range: ignored
  EXPECT_EQ(H.Mode(), modeCalculate);
}

TEST(HistoInteraction, MeasuringCrossFollowsMouseAndReports) {
  THisto H;
  std::vector<Single> D = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 9};
  H.SetData(D.data(), 11, 1);
  H.Repaint();
  const QImage Before = H.Picture();

  std::vector<int> Order;
  Integer Serie = 0, Index = 0;
  Single X = -1, Y = -1;
  H.OnMouseMove = [&](TObject*, TShiftState, Integer, Integer) { Order.push_back(1); };
  H.OnCrossMove = [&](TObject*, Single Xv, Single Yv, Integer S, Integer I) {
    Order.push_back(2);
    X = Xv;
    Y = Yv;
    Serie = S;
    Index = I;
  };
  H.Move(SampleX(3, 11), 100);
  EXPECT_EQ(Order, (std::vector<int>{1, 2}));
  EXPECT_TRUE(H.MouseCapture());
  EXPECT_EQ(Serie, 1);
  EXPECT_EQ(Index, 3);
  EXPECT_FLOAT_EQ(X, 2.0f);
  EXPECT_FLOAT_EQ(Y, 3.0f);
  EXPECT_EQ(H.Cross(2).Pixel.X, H.XPixelOf(2));
  EXPECT_EQ(H.Cross(2).Pixel.Y, H.YPixelOf(3));
  EXPECT_NE(H.Picture(), Before);

  // Moving to another point erases the old cross: the picture equals one
  // with only the new cross.
  H.Move(SampleX(8, 11), 100);
  EXPECT_EQ(Index, 8);
  // Leaving the plot takes the cross off and restores the picture exactly.
  H.Move(10, 10);
  EXPECT_FALSE(H.Cross(2).Visible);
  EXPECT_FALSE(H.MouseCapture());
  EXPECT_EQ(H.Picture(), Before);

  // Without ShowCross nothing is placed.
  H.SetShowCross(false);
  Order.clear();
  H.Move(200, 100);
  EXPECT_EQ(Order, (std::vector<int>{1}));
  EXPECT_FALSE(H.Cross(2).Visible);
}

TEST(HistoInteraction, CrossFollowsLiveDataOnEveryRepaint) {
  THisto H;
  std::vector<Single> D(11, 2.0f);
  H.SetData(D.data(), 11, 1);
  int Fired = 0;
  Single Y = 0;
  H.OnCrossMove = [&](TObject*, Single, Single Yv, Integer, Integer) {
    ++Fired;
    Y = Yv;
  };
  H.Move(SampleX(6, 11), 120);
  ASSERT_EQ(Fired, 1);
  // New data in the caller's array: the next repaint moves the cross.
  D[5] = 7.5f;
  H.Repaint();
  EXPECT_EQ(Fired, 2);
  EXPECT_FLOAT_EQ(Y, 7.5f);
  EXPECT_EQ(H.Cross(2).Pixel.X, H.XPixelOf(5));
  EXPECT_EQ(H.Cross(2).Pixel.Y, H.YPixelOf(7.5));
  H.UpdatePlot();
  H.FlushDrawing();  // the paint that places the cross comes with the frame
  EXPECT_EQ(Fired, 3);
}

TEST(HistoInteraction, CalculationCrossesAndValueBar) {
  SetDecimalSeparator(QLatin1Char(','));
  THisto H;
  std::vector<Single> D = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  H.SetData(D.data(), 11, 1);
  H.SetShowValueBar(true);
  ASSERT_TRUE(H.ShowValueBar());
  EXPECT_FALSE(H.ValueBar()->CalculateVisible());
  H.SetMode(modeCalculate);
  EXPECT_TRUE(H.ValueBar()->CalculateVisible());

  std::vector<Single> Got;
  int Downs = 0;
  H.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++Downs; };
  H.OnCalculate = [&](TObject*, Integer S1, Integer S2, Single X1, Single X2, Single Y1, Single Y2) {
    Got = {Single(S1), Single(S2), X1, X2, Y1, Y2};
  };
  H.Down(mbLeft, SampleX(3, 11), 100);
  EXPECT_EQ(Downs, 0) << "left and right presses place crosses instead";
  H.Up(mbLeft, SampleX(3, 11), 100);
  // The right button held while moving drags cross 1 along.
  H.Down(mbRight, SampleX(5, 11), 100);
  H.Move(SampleX(7, 11), 100);
  H.Up(mbRight, SampleX(7, 11), 100);
  ASSERT_EQ(Got.size(), 6u);
  EXPECT_FLOAT_EQ(Got[2], 2.0f);
  EXPECT_FLOAT_EQ(Got[3], 6.0f);
  const Eca::TFormValueBar& V = *H.ValueBar();
  EXPECT_EQ(V.Value("X1")->text(), QStringLiteral("2"));
  EXPECT_EQ(V.Value("X2")->text(), QStringLiteral("6"));
  EXPECT_EQ(V.Value("deltax")->text(), QStringLiteral("4"));
  EXPECT_EQ(V.Value("deltay")->text(), QStringLiteral("4"));
  EXPECT_EQ(V.Value("invdeltax")->text(), QStringLiteral("0,25"));
  // A middle press goes to the host event.
  H.Down(mbMiddle, 100, 100);
  H.Up(mbMiddle, 100, 100);
  EXPECT_EQ(Downs, 1);

  // Both crosses on the same X: no reciprocal.
  H.Down(mbLeft, SampleX(7, 11), 100);
  H.Up(mbLeft, SampleX(7, 11), 100);
  EXPECT_EQ(V.Value("deltax")->text(), QStringLiteral("0"));
  EXPECT_EQ(V.Value("invdeltax")->text(), QStringLiteral("----"));
  H.SetShowValueBar(false);
  EXPECT_FALSE(H.ShowValueBar());
  SetDecimalSeparator(QLatin1Char('.'));
}

TEST(HistoInteraction, ReferenceWeightsAreAGaussianBand) {
  EXPECT_EQ(ReferenceWeights(1), std::vector<Extended>{1.0L});
  const std::vector<Extended> W = ReferenceWeights(30);
  ASSERT_EQ(W.size(), 30u);
  EXPECT_NEAR(double(W[14]), 1.0, 1e-4);  // i = 15 = n/2
  for (int i = 2; i < 14; ++i) EXPECT_LT(W[i], W[i + 1]);
  // The outermost two on each side are damped by 0.1 and 0.5.
  const auto Raw = [](int i) { return (std::exp(-12.0L * (i - 15) * (i - 15) / 900) - 0.04978L) * 1.05239L; };
  EXPECT_NEAR(double(W[0]), double(0.1L * Raw(1)), 1e-12);
  EXPECT_NEAR(double(W[1]), double(0.5L * Raw(2)), 1e-12);
  EXPECT_NEAR(double(W[29]), double(0.1L * Raw(30)), 1e-12);
  EXPECT_NEAR(double(W[28]), double(0.5L * Raw(29)), 1e-12);
  for (Extended w : W) EXPECT_GE(w, 0);
  // Up to 10 samples no damping.
  const std::vector<Extended> S = ReferenceWeights(10);
  EXPECT_NEAR(double(S[0]), double((std::exp(-12.0L * 16 / 100) - 0.04978L) * 1.05239L), 1e-12);
}

// A histograph with a measured curve in series 1 and a lower reference
// of 100 zeros in series 2.
class RefHisto : public ::testing::Test {
protected:
  void SetUp() override {
    H.SetSeriesNumber(2);
    H.SetSeriesCurrent(2);
    H.SetSeriesStyle(dtLowerRef);
    H.SetData(Measured.data(), 100, 1);
    H.SetData(Zeros.data(), 100, 2);
    H.SetMode(modeLowerRef);
    H.Repaint();
  }
  Integer PressX(Integer Sample) { return SampleX(Sample, 100) + 1; }
  std::vector<Single> Values() {
    std::vector<Single> V(100);
    H.GetData(V.data(), 100, 2);
    return V;
  }
  THisto H;
  std::vector<Single> Measured = std::vector<Single>(100, 5.0f);
  std::vector<Single> Zeros = std::vector<Single>(100, 0.0f);
};

TEST_F(RefHisto, BandAtTheStartUsesTheUpperWeights) {
  // Grabbing sample 3 with a 30-sample band: samples 1..17 move with the
  // weights 14..30.
  H.Down(mbLeft, PressX(3), 200);
  ASSERT_TRUE(H.ReferenceDragging());
  H.Move(PressX(3), 180);  // 20 pixels up: 1.0 in values
  H.Up(mbLeft, PressX(3), 180);
  EXPECT_FALSE(H.ReferenceDragging());
  const std::vector<Extended> W = ReferenceWeights(30);
  const std::vector<Single> V = Values();
  for (int i = 1; i <= 17; ++i) EXPECT_FLOAT_EQ(V[i - 1], Single(1.0L * W[i + 12])) << "sample " << i;
  for (int i = 18; i <= 100; ++i) EXPECT_EQ(V[i - 1], 0.0f);
  EXPECT_EQ(Measured, std::vector<Single>(100, 5.0f)) << "the measured curve stays";
}

TEST_F(RefHisto, BandInTheMiddleAndZeroDrag) {
  H.Down(mbLeft, PressX(50), 200);
  H.Move(PressX(50), 200);
  H.Up(mbLeft, PressX(50), 200);
  EXPECT_EQ(Values(), Zeros);

  H.SetReferenceRubberWidth(5);
  H.Down(mbLeft, PressX(50), 200);
  H.Move(PressX(50), 220);  // 20 pixels down
  H.Up(mbLeft, PressX(50), 220);
  const std::vector<Single> V = Values();
  const std::vector<Extended> W = ReferenceWeights(5);
  for (int i = 48; i <= 52; ++i) EXPECT_FLOAT_EQ(V[i - 1], Single(-1.0L * W[i - 48]));
  EXPECT_EQ(V[46], 0.0f);
  EXPECT_EQ(V[52], 0.0f);
}

TEST_F(RefHisto, ReportsTheCentreValueOrDrawsTheBox) {
  H.SetShowValues(false);
  Single X = -1, Y = -1;
  Integer S = 0, I = 0;
  H.OnReferenceMove = [&](TObject*, Single Xv, Single Yv, Integer Sv, Integer Iv) {
    X = Xv;
    Y = Yv;
    S = Sv;
    I = Iv;
  };
  H.Down(mbLeft, PressX(40), 200);
  H.Move(PressX(40), 190);
  EXPECT_EQ(S, 2);
  EXPECT_EQ(I, 40);
  EXPECT_FLOAT_EQ(X, Single(39 * 10.0L / 99));
  // 10 pixels are 0.5; the centre sample 40 has weight 16 of the band 25..54.
  EXPECT_FLOAT_EQ(Y, Single(0.5L * ReferenceWeights(30)[15]));
  H.Up(mbLeft, PressX(40), 190);

  // With ShowValues the box takes the place of the event.
  H.SetShowValues(true);
  S = 0;
  H.Repaint();
  const TColor Corner = H.Canvas().Pixel(1, 299 - 5);
  H.Down(mbLeft, PressX(40), 200);
  H.Move(PressX(40), 190);
  H.Up(mbLeft, PressX(40), 190);
  EXPECT_EQ(S, 0);
  EXPECT_EQ(H.Canvas().Pixel(1, 299 - 5), H.GridColor()) << "left edge of the value box";
  EXPECT_NE(Corner, H.GridColor());
}

TEST_F(RefHisto, LogarithmicAxisKeepsSigns) {
  H.SetGridScale(sclLinLog);
  H.SetViewYMin(0.1f);
  H.SetViewYMax(100);
  std::vector<Single> Ref(100, 1.0f);
  Ref[2] = -2.0f;
  H.SetData(Ref.data(), 100, 2);
  H.Repaint();
  H.Down(mbLeft, PressX(3), 200);
  H.Move(PressX(3), 120);
  H.Up(mbLeft, PressX(3), 120);
  const std::vector<Single> V = Values();
  EXPECT_LT(V[2], -2.0f);
  EXPECT_GT(V[0], 1.0f);
  for (int i = 0; i < 100; ++i)
    if (i != 2) {
      EXPECT_GT(V[i], 0.0f);
    }
}

TEST_F(RefHisto, NoReferenceSeriesFallsBackToMeasuring) {
  H.SetMode(modeUpperRef);  // only a lower reference exists
  H.Down(mbLeft, PressX(3), 200);
  EXPECT_EQ(H.Mode(), modeMeasure);
  EXPECT_FALSE(H.ReferenceDragging());
  // A press outside the plot does not look for one.
  H.SetMode(modeUpperRef);
  H.Down(mbLeft, 5, 5);
  EXPECT_EQ(H.Mode(), modeUpperRef);
}

TEST_F(RefHisto, NewDataDuringTheDragIsNotOverwritten) {
  H.Down(mbLeft, PressX(50), 200);
  H.Move(PressX(50), 150);
  std::vector<Single> Short(10, 3.0f);
  H.SetData(Short.data(), 10, 2);  // a shorter copy while the mouse is held
  H.Up(mbLeft, PressX(50), 150);
  std::vector<Single> V(10);
  EXPECT_EQ(H.GetData(V.data(), 100, 2), 10);
  EXPECT_EQ(V, Short);
}

TEST(HistoInteraction, ZoomNarrowsAndOneRightClickUndoes) {
  THisto H;
  H.SetMode(modeZoom);
  int Ups = 0;
  H.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++Ups; };

  // A rectangle of zero width changes nothing and fires no mouse-up.
  H.Down(mbLeft, 100, 60);
  H.Move(100, 200);
  H.Up(mbLeft, 100, 200);
  EXPECT_FALSE(H.Zoomed());
  EXPECT_EQ(Ups, 0);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMax(), 10.0f);

  H.Repaint();
  const QImage Before = H.Picture();
  H.Down(mbLeft, 215, 140);  // X 5, Y 5
  H.Move(360, 40);           // corners given in any order
  EXPECT_NE(H.Picture(), Before) << "the rubber rectangle is on the screen";
  H.Up(mbLeft, 360, 40);
  EXPECT_TRUE(H.Zoomed());
  EXPECT_EQ(Ups, 1);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMin(), 5.0f);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMax(), 10.0f);
  EXPECT_FLOAT_EQ(H.ViewYMin(), 5.0f);
  EXPECT_FLOAT_EQ(H.ViewYMax(), 10.0f);
  EXPECT_FLOAT_EQ(H.ViewXGap(), 1.0f);  // five intervals as before
  EXPECT_FLOAT_EQ(H.ViewYGap(), 1.0f);
  EXPECT_FLOAT_EQ(H.ViewXNominalMax(), 10.0f);

  // A second zoom narrows further; the grid keeps five intervals.
  H.Down(mbLeft, 70, 40);
  H.Move(215, 140);
  H.Up(mbLeft, 215, 140);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMin(), 5.0f);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMax(), 7.5f);
  EXPECT_FLOAT_EQ(H.ViewXGap(), 0.5f);

  // One right click goes back to the view before the first zoom.
  H.Up(mbRight, 200, 200);
  EXPECT_FALSE(H.Zoomed());
  EXPECT_FLOAT_EQ(H.ViewXCurrentMin(), 0.0f);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMax(), 10.0f);
  EXPECT_FLOAT_EQ(H.ViewYMin(), 0.0f);
  EXPECT_FLOAT_EQ(H.ViewYMax(), 10.0f);
  EXPECT_FLOAT_EQ(H.ViewXGap(), 2.0f);
  EXPECT_FLOAT_EQ(H.ViewYGap(), 2.0f);
  EXPECT_TRUE(H.EnableUpdate());
  H.Repaint();
  EXPECT_EQ(H.Picture(), Before);
}

TEST(HistoInteraction, ZoomRefusesViewsTooNarrowToDraw) {
  THisto H;
  H.SetViewXNominalMin(1000000);
  H.SetViewXCurrentMin(1000000);
  H.SetViewXNominalMax(1000010);
  H.SetViewXCurrentMax(1000010);
  H.SetMode(modeZoom);
  H.Down(mbLeft, 100, 60);
  H.Move(200, 200);  // a 100-pixel window over X near 10^6
  H.Up(mbLeft, 200, 200);
  EXPECT_FALSE(H.Zoomed());
  EXPECT_FLOAT_EQ(H.ViewXCurrentMax(), 1000010.0f);
  // Zero height changes nothing either; the same window at X near 0 zooms.
  THisto G;
  G.SetMode(modeZoom);
  G.Down(mbLeft, 100, 60);
  G.Move(200, 60);
  G.Up(mbLeft, 200, 60);
  EXPECT_FALSE(G.Zoomed());
  G.Down(mbLeft, 100, 60);
  G.Move(200, 200);
  G.Up(mbLeft, 200, 200);
  EXPECT_TRUE(G.Zoomed());
}

TEST(HistoInteraction, ZoomWithAutoScaleNarrowsX) {
  THisto H;
  std::vector<Single> D = {0, 10};
  H.SetData(D.data(), 2, 1);
  H.SetAutoScale(true);
  const Single X1 = Single(H.XValueAt(100));
  H.SetMode(modeZoom);
  H.Down(mbLeft, 100, 60);
  H.Move(200, 200);
  H.Up(mbLeft, 200, 200);
  EXPECT_TRUE(H.Zoomed());
  EXPECT_FLOAT_EQ(H.ViewXCurrentMin(), X1);
  H.Up(mbRight, 0, 0);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMin(), 0.0f);
}

// ---------------------------------------------------------------------------
// Colour drops

class DropHisto : public ::testing::Test {
protected:
  void SetUp() override {
    H.SetSeriesNumber(3);
    for (Integer k = 1; k <= 3; ++k) {
      H.SetSeriesCurrent(k);
      H.SetSeriesColor(clBlack);
      H.SetData(Curves[k - 1].data(), 11, k);
    }
    H.SetTitleTop(QStringLiteral("Oben"));
    H.SetTitleLeft(QStringLiteral("Links"));
    H.Repaint();
    Grid.SetSelection(9);  // red in the standard palette
    Red = Grid.SelectColor();
  }
  // The column of the sample at X = 4 (samples are 29 pixels apart).
  Integer Col() { return H.XPixelOf(4); }
  void Drop(Integer X, Integer Y) {
    TDragManager::Instance().Begin(&Grid);
    TDragManager::Instance().DropOn(&H, X, Y);
  }
  THisto H;
  Colorhis::TColorGridHisto Grid;
  TColor Red = 0;
  std::vector<Single> Curves[3] = {std::vector<Single>(11, 2.0f), std::vector<Single>(11, 5.0f),
                                   std::vector<Single>(11, 8.0f)};
};

TEST_F(DropHisto, TargetsByArea) {
  Integer S = 0;
  EXPECT_EQ(H.ColorTargetAt(Col(), H.YPixelOf(8) + 1, S), ctSeries);
  EXPECT_EQ(S, 3);
  // Between samples the curve is more than 3 pixels away from its points.
  EXPECT_EQ(H.ColorTargetAt(Col() + 6, H.YPixelOf(8), S), ctPlotBackground);
  EXPECT_EQ(H.ColorTargetAt(Col() + 3, H.YPixelOf(8), S), ctSeries);
  EXPECT_EQ(H.ColorTargetAt(200, H.YPixelOf(6.5), S), ctPlotBackground);
  EXPECT_EQ(S, -1);
  EXPECT_EQ(H.ColorTargetAt(65, 100, S), ctYLabels);
  EXPECT_EQ(H.ColorTargetAt(200, 250, S), ctXLabels);
  EXPECT_EQ(H.ColorTargetAt(200, 251, S), ctControlBackground);
  EXPECT_EQ(H.ColorTargetAt(5, 5, S), ctControlBackground);
  const TRect T = H.TitleRect(tpTop);
  EXPECT_EQ(H.ColorTargetAt(T.Left + 1, T.Top + 1, S), ctTitleTop);
  const TRect L = H.TitleRect(tpLeft);
  EXPECT_EQ(H.ColorTargetAt(L.Left + 1, (L.Top + L.Bottom) / 2, S), ctTitleLeft);
  // A title that is no longer shown is no target.
  H.SetTitleTop(QString());
  EXPECT_EQ(H.ColorTargetAt(T.Left + 1, T.Top + 1, S), ctControlBackground);

  // Grid lines nearer than the curve win; without a grid they do not exist.
  H.SetGridVisible(grdBoth);
  EXPECT_EQ(H.ColorTargetAt(H.XPixelOf(4) + 1, H.YPixelOf(6.5), S), ctGrid);
  H.SetGridVisible(grdHor);
  EXPECT_EQ(H.ColorTargetAt(H.XPixelOf(4) + 1, H.YPixelOf(6.5), S), ctPlotBackground);
}

TEST_F(DropHisto, DropOnACurveColoursOnlyThatSeries) {
  Drop(Col(), H.YPixelOf(8) + 2);
  EXPECT_EQ(H.Series(3).Color, Red);
  EXPECT_EQ(H.Series(1).Color, clBlack);
  EXPECT_EQ(H.Series(2).Color, clBlack);
  EXPECT_EQ(H.BkColor(), clWhite);
  EXPECT_EQ(H.PreviewTarget(), ctNone);
}

TEST_F(DropHisto, DropAwayFromCurvesColoursThePlotBackground) {
  Drop(200, H.YPixelOf(6.5));
  EXPECT_EQ(H.BkColor(), Red);
  for (Integer k = 1; k <= 3; ++k) EXPECT_EQ(H.Series(k).Color, clBlack);
  Drop(5, 5);
  EXPECT_EQ(H.Color(), Red);
  Drop(200, 245);
  EXPECT_EQ(H.FontXAxis().Color(), Red);
}

TEST_F(DropHisto, PreviewFollowsTheMouseAndLeavingUndoesIt) {
  TDragManager& M = TDragManager::Instance();
  M.Begin(&Grid);
  M.MoveOver(&H, Col(), H.YPixelOf(5) + 1);
  EXPECT_EQ(H.PreviewTarget(), ctSeries);
  EXPECT_EQ(H.Series(2).Color, Red);
  M.MoveOver(&H, Col(), H.YPixelOf(2) + 1);
  EXPECT_EQ(H.Series(2).Color, clBlack) << "the old target gets its colour back";
  EXPECT_EQ(H.Series(1).Color, Red);
  M.MoveOver(&H, 200, H.YPixelOf(6.5));
  EXPECT_EQ(H.Series(1).Color, clBlack);
  EXPECT_EQ(H.BkColor(), Red);
  M.MoveOver(nullptr, 0, 0);  // the drag leaves the control
  EXPECT_EQ(H.BkColor(), clWhite);
  EXPECT_EQ(H.PreviewTarget(), ctNone);
  M.Cancel();
  for (Integer k = 1; k <= 3; ++k) EXPECT_EQ(H.Series(k).Color, clBlack);
}

TEST_F(DropHisto, OtherDragSourcesAreRefused) {
  THisto Other;
  bool Accept = true;
  H.DispatchDragOver(&Other, 200, 100, dsDragMove, Accept);
  EXPECT_FALSE(Accept);
  H.DispatchDragDrop(&Other, 200, H.YPixelOf(6.5));
  EXPECT_EQ(H.BkColor(), clWhite);
}

}  // namespace
