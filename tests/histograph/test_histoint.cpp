// THistographInt: series ownership, GetData, automatic scaling, streaming,
// label formats, axis layouts and pixel probes of the drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "support/ExtraProperty.h"
#include "quellix/histograph/HistographEngine.h"
#include "quellix/host/Streaming.h"
#include "quellix/host/NumberFormat.h"
#include "support/ParamRows.h"

using namespace quellix;
using namespace quellix::HistoInt;

namespace {

constexpr TColor Face = clSilver;   // control colour
constexpr TColor Plot = clWhite;    // plot background

// A histograph of a fixed size with plain colours for pixel probes. The
// subclass reaches the crosses, which the mouse modes normally place.
class THisto : public THistographInt {
public:
  THisto(Integer W = 400, Integer H = 300) {
    SetBounds(0, 0, W, H);
    SetColor(Face);
    SetBkColor(Plot);
  }
  using THistographInt::FCrosses;
  TColor Px(Integer X, Integer Y) { return Canvas().Pixel(X, Y); }
};

// Captures the extra list properties a component declares.
QString WriteSeries(THistographInt& H) { return testsupport::WriteExtra(H, "Series"); }

void ReadSeries(THistographInt& H, const QString& Text) { testsupport::ReadExtra(H, "Series", Text); }

void SetStyle(THistographInt& H, Integer Serie, TDataKind Kind, TColor Color = clBlack) {
  H.SetSeriesCurrent(Serie);
  H.SetSeriesStyle(Kind);
  H.SetSeriesColor(Color);
}

std::vector<Extended> Values(const std::vector<TAxisMark>& Marks) {
  std::vector<Extended> V;
  for (const TAxisMark& M : Marks) V.push_back(M.Value);
  return V;
}

std::vector<QString> Texts(const std::vector<TAxisMark>& Marks) {
  std::vector<QString> T;
  for (const TAxisMark& M : Marks) T.push_back(M.Text);
  return T;
}

}  // namespace

// ---------------------------------------------------------------------------
// Series table

TEST(HistoSeries, DataSeriesShowsCallersArrayReferenceKeepsCopy) {
  THisto H;
  H.SetSeriesNumber(2);
  SetStyle(H, 2, dtUpperRef);
  std::vector<Single> A{1, 2, 3}, B{4, 5, 6};
  H.SetData(A.data(), 3, 1);
  H.SetData(B.data(), 3, 2);
  EXPECT_EQ(H.Series(1).Data, A.data());
  EXPECT_FALSE(H.Series(1).Owned);
  EXPECT_NE(H.Series(2).Data, B.data());
  EXPECT_TRUE(H.Series(2).Owned);

  // The caller changes both arrays without calling SetData again.
  A[0] = 9;
  B[0] = 9;
  Single Out[3];
  ASSERT_EQ(H.GetData(Out, 3, 1), 3);
  EXPECT_EQ(Out[0], 9);
  ASSERT_EQ(H.GetData(Out, 3, 2), 3);
  EXPECT_EQ(Out[0], 4);
}

TEST(HistoSeries, WrongOperationOrCountEmptiesSlot) {
  THisto H;
  H.SetSeriesNumber(3);
  SetStyle(H, 2, dtDataXY);
  SetStyle(H, 3, dtLowerRef);
  std::vector<Single> A{1, 2, 3, 4};
  H.SetData(A.data(), 4, 1);
  H.SetDataXY(A.data(), 2, 1);  // XY data on a Yt slot
  EXPECT_FALSE(H.Series(1).HasData());
  H.SetData(A.data(), 4, 2);  // Yt data on an XY slot
  EXPECT_FALSE(H.Series(2).HasData());
  H.SetData(A.data(), 4, 3);
  H.SetData(A.data(), 0, 3);  // a reference count below 1
  EXPECT_FALSE(H.Series(3).HasData());
  H.SetData(nullptr, 4, 3);  // no array to copy
  EXPECT_FALSE(H.Series(3).HasData());
  // Series above SeriesNumber are not addressed.
  H.SetData(A.data(), 4, 4);
  EXPECT_FALSE(H.Series(4).HasData());
  Single Out[4];
  EXPECT_EQ(H.GetData(Out, 4, 4), 0);
  EXPECT_EQ(H.GetData(Out, 4, 0), 0);
  EXPECT_EQ(H.GetData(nullptr, 4, 1), 0);
}

TEST(HistoSeries, GetDataOnXYSeriesCopiesSinglesNotPairs) {
  THisto H;
  SetStyle(H, 1, dtDataXY);
  std::vector<Single> P{1, 10, 2, 20, 3, 30};
  H.SetDataXY(P.data(), 3, 1);
  Single Out[6] = {};
  // MaxCount above the series gives Count Singles: X1, Y1, X2.
  EXPECT_EQ(H.GetData(Out, 100, 1), 3);
  EXPECT_EQ(Out[0], 1);
  EXPECT_EQ(Out[1], 10);
  EXPECT_EQ(Out[2], 2);
  EXPECT_EQ(Out[3], 0);
  EXPECT_EQ(H.GetData(Out, 2, 1), 2);
}

TEST(HistoSeries, ReferenceFromPairsCopiesAllPairs) {
  THisto H;
  SetStyle(H, 1, dtUpperRef);
  std::vector<Single> P{1, 10, 2, 20};
  H.SetDataXY(P.data(), 2, 1);
  ASSERT_TRUE(H.Series(1).Owned);
  EXPECT_EQ(H.Series(1).Own, P);
}

TEST(HistoSeries, KindChangeEmptiesSlotExceptBetweenReferences) {
  THisto H;
  std::vector<Single> A{1, 2, 3, 4};
  H.SetData(A.data(), 4, 1);
  // A Yt array read as pairs would run past its end.
  H.SetSeriesStyle(dtDataXY);
  EXPECT_FALSE(H.Series(1).HasData());
  H.SetSeriesStyle(dtUpperRef);
  H.SetData(A.data(), 4, 1);
  H.SetSeriesStyle(dtLowerRef);
  EXPECT_EQ(H.Series(1).Count, 4);
}

TEST(HistoSeries, SelectionLimits) {
  THisto H;
  H.SetSeriesNumber(3);
  H.SetSeriesNumber(9);
  H.SetSeriesNumber(0);
  EXPECT_EQ(H.SeriesNumber(), 3);
  H.SetSeriesCurrent(5);
  EXPECT_EQ(H.SeriesCurrent(), 5);
  H.SetSeriesColor(clRed);  // slot 5 is not in use
  H.SetSeriesStyle(dtUpperRef);
  EXPECT_EQ(H.SeriesColor(), clBlack);
  EXPECT_EQ(H.SeriesStyle(), dtData);
}

TEST(HistoSeries, PointBufferGrowsToLargestSeriesAndNeverShrinks) {
  THisto H;
  H.SetSeriesNumber(2);
  std::vector<Single> Big(500, 1.0f), Small(10, 1.0f);
  H.SetData(Big.data(), 500, 1);
  EXPECT_GE(H.PointBufferCapacity(), 500u);
  H.SetData(Small.data(), 10, 1);
  EXPECT_GE(H.PointBufferCapacity(), 500u);
}

// ---------------------------------------------------------------------------
// Automatic scaling

struct TScaleRow {
  const char* Name;
  friend void PrintTo(const TScaleRow& R, std::ostream* Os) { *Os << R.Name; }
  TGrdScale Scale;
  std::vector<Single> Data;
  Single YMin, YMax;  // view before
  bool Changed;
  Single NewMin, NewMax, NewGap;
};

class HistoAutoScale : public ::testing::TestWithParam<TScaleRow> {};

TEST_P(HistoAutoScale, Range) {
  const TScaleRow& Row = GetParam();
  THisto H;
  H.SetGridScale(Row.Scale);
  H.SetViewYMax(Row.YMax);
  H.SetViewYMin(Row.YMin);
  std::vector<Single> D = Row.Data;
  H.SetData(D.data(), Integer(D.size()), 1);
  EXPECT_EQ(H.CalcAutoScale(), Row.Changed);
  EXPECT_NEAR(H.ViewYMin(), Row.NewMin, std::fabs(Row.NewMin) * 1e-5 + 1e-7);
  EXPECT_NEAR(H.ViewYMax(), Row.NewMax, std::fabs(Row.NewMax) * 1e-5 + 1e-7);
  EXPECT_NEAR(H.ViewYGap(), Row.NewGap, std::fabs(Row.NewGap) * 1e-5 + 1e-7);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HistoAutoScale,
    ::testing::Values(
        TScaleRow{"span_below_one", sclLinLin, {3.2f, 4.1f, 3.5f}, 0, 10, true, 3.15f, 4.15f, 0.25f},
        TScaleRow{"thousands_rounds_up_to_two", sclLinLin, {0, 1234}, 0, 10, true, -383, 1617, 500},
        TScaleRow{"hundredths", sclLinLin, {-0.0123f, 0.0456f}, 0, 10, true, -0.03335f, 0.06665f, 0.025f},
        TScaleRow{"all_equal_keeps_range", sclLinLin, {5, 5, 5}, 0, 10, false, 0, 10, 2},
        TScaleRow{"fits_and_fills_keeps_range", sclLinLin, {1, 9}, 0, 10, false, 0, 10, 2},
        TScaleRow{"log_centred_min_at_zero", sclLinLog, {0, 1000}, 1, 10, true, 15, 1500, 500},
        TScaleRow{"log_all_negative", sclLinLog, {-5, -1}, 1, 10, true, 0.001f, 0.1f, 1.25f},
        TScaleRow{"log_equal_values_non_positive_min", sclLinLog, {50, 50}, 0, 10, true, 10, 100, 22.5f}),
    quellix::testsupport::RowNamer());

TEST(HistoAutoScaleRule, EmptySeriesCountsAsZero) {
  THisto H;
  H.SetSeriesNumber(2);
  std::vector<Single> D{15, 16};
  H.SetData(D.data(), 2, 1);  // series 2 stays empty: 0..16, not 15..16
  EXPECT_TRUE(H.CalcAutoScale());
  EXPECT_FLOAT_EQ(H.ViewYMin(), -2);
  EXPECT_FLOAT_EQ(H.ViewYMax(), 18);
}

TEST(HistoAutoScaleRule, SwitchToLogAxisMakesRangePositive) {
  THisto H;
  std::vector<Single> D{0, 1000};
  H.SetData(D.data(), 2, 1);
  H.SetAutoScale(true);
  H.SetGridScale(sclLinLog);
  EXPECT_GT(H.ViewYMin(), 0);
  EXPECT_TRUE(H.RangeError().isEmpty());
}

TEST(HistoAutoScaleRule, XYSeriesScalesOnYOnly) {
  THisto H;
  SetStyle(H, 1, dtDataXY);
  std::vector<Single> P{-1000, 3.2f, 1000, 4.1f};
  H.SetDataXY(P.data(), 2, 1);
  EXPECT_TRUE(H.CalcAutoScale());
  EXPECT_FLOAT_EQ(H.ViewYMin(), 3.15f);
}

// ---------------------------------------------------------------------------
// Timer and streaming

TEST(HistoTimer, TickCallsOnTimerWithComponent) {
  THisto H;
  EXPECT_FALSE(H.TimerEnabled());
  EXPECT_EQ(H.TimerInterval(), 1000);
  H.SetTimerInterval(1);
  EXPECT_EQ(H.Timer().Interval(), 1);
  TObject* Sender = nullptr;
  int Ticks = 0;
  H.OnTimer = [&](TObject* S) {
    Sender = S;
    ++Ticks;
  };
  H.Timer().Tick();
  EXPECT_EQ(Ticks, 1);
  EXPECT_EQ(Sender, static_cast<TObject*>(&H));
}

TEST(HistoStreaming, SeriesListRoundTrip) {
  THisto A;
  A.SetSeriesNumber(3);
  SetStyle(A, 2, dtLowerRef);
  A.SetSeriesLineStyle(psDot);
  SetStyle(A, 3, dtData, clRed);
  A.SetSeriesLineStyle(psDot);
  EXPECT_EQ(WriteSeries(A), "(0, 0, 0, 0, 2, 3, 255, 2, 0)");

  THisto B;
  B.SetSeriesNumber(3);
  ReadSeries(B, WriteSeries(A));
  for (Integer k = 1; k <= 3; ++k) {
    EXPECT_EQ(B.Series(k).Color, A.Series(k).Color) << k;
    EXPECT_EQ(B.Series(k).LineStyle, A.Series(k).LineStyle) << k;
    EXPECT_EQ(B.Series(k).Style, A.Series(k).Style) << k;
  }
}

TEST(HistoStreaming, FormTextRoundTrip) {
  THisto A;
  A.SetName("Histograph1");
  A.SetSeriesNumber(3);
  SetStyle(A, 3, dtUpperRef, clRed);
  A.SetGridScale(sclLinLog);
  A.SetViewYMin(0.5f);
  A.SetTitleLeft("Spannung");
  const QString Text = WriteComponentText(&A);
  EXPECT_TRUE(Text.contains("Series = (0, 0, 0, 0, 0, 0, 255, 0, 2)")) << Text.toStdString();
  EXPECT_LT(Text.indexOf("SeriesNumber = 3"), Text.indexOf("Series = ("));
  THisto B;
  ReadComponentText(&B, Text);
  EXPECT_EQ(B.SeriesNumber(), 3);
  EXPECT_EQ(B.Series(3).Style, dtUpperRef);
  EXPECT_EQ(B.Series(3).Color, clRed);
  EXPECT_EQ(B.GridScale(), sclLinLog);
  EXPECT_FLOAT_EQ(B.ViewYMin(), 0.5f);
  EXPECT_EQ(B.TitleLeft(), "Spannung");
  EXPECT_EQ(WriteComponentText(&B), Text);
}

TEST(HistoStreaming, ReaderKeepsSeriesNumberAndSkipsBadEntries) {
  THisto H;
  // Nine triples, one line style and one kind out of their range.
  ReadSeries(H, "(1, 1, 1, 2, 99, 2, 3, 0, 7, 4, 0, 0, 5, 0, 0, 6, 0, 0, 7, 0, 0, 8, 0, 3, 9, 0, 2)");
  EXPECT_EQ(H.SeriesNumber(), 1);
  EXPECT_EQ(H.Series(1).Style, dtDataXY);
  EXPECT_EQ(H.Series(2).LineStyle, psSolid);
  EXPECT_EQ(H.Series(2).Style, dtUpperRef);
  EXPECT_EQ(H.Series(3).Style, dtData);
  EXPECT_EQ(H.Series(8).Color, 8);
  EXPECT_EQ(H.Series(8).Style, dtLowerRef);
}

TEST(HistoStreaming, IntStylePropertiesIgnoreOrdinalsThatNameNoStyle) {
  THisto H;
  H.SetGridLineStyle(psDot);
  H.SetSeriesLineStyle(psDash);
  for (int Bad : {7, 8, -1, 1 << 30}) {
    H.setProperty("GridLineStyle", Bad);
    H.setProperty("SeriesLineStyle", Bad);
  }
  EXPECT_EQ(H.GridLineStyle(), psDot);
  EXPECT_EQ(H.SeriesLineStyle(), psDash);
}

// ---------------------------------------------------------------------------
// Label formats and axis layouts

TEST(HistoLabels, LinearFormat) {
  EXPECT_EQ(LinearLabelFormat(-200000, 200000, 2), "#.##E-00");
  EXPECT_EQ(LinearLabelFormat(1.0, 1.0005, 2), "#.##E-00");
  EXPECT_EQ(LinearLabelFormat(0, 99999, 2), "0.00");
  EXPECT_EQ(LinearLabelFormat(0, 10, 0), "0");
  EXPECT_EQ(LinearLabelFormat(0, 10, 3), "0.000");
}

TEST(HistoLabels, AxisTextsUseDecimalSeparatorAndExponentForm) {
  const QChar Saved = DecimalSeparator();
  SetDecimalSeparator(QLatin1Char(','));
  THisto H;
  TAxisLayout Y = H.LayoutYAxis();
  ASSERT_FALSE(Y.Labels.empty());
  EXPECT_EQ(Y.Labels.front().Text, "0,00");
  EXPECT_EQ(Y.Labels.back().Text, "10,00");

  H.SetViewYMax(200000);
  H.SetViewYMin(-200000);
  Y = H.LayoutYAxis();
  ASSERT_FALSE(Y.Labels.empty());
  for (const TAxisMark& M : Y.Labels) EXPECT_TRUE(M.Text.contains('E')) << M.Text.toStdString();

  H.SetViewYMin(1.0f);
  H.SetViewYMax(1.0005f);
  H.SetViewYGap(0.0001f);
  Y = H.LayoutYAxis();
  ASSERT_FALSE(Y.Labels.empty());
  EXPECT_EQ(Y.Labels.front().Text, "1E00");
  SetDecimalSeparator(Saved);
}

TEST(HistoLabels, DenseGapWidenedAndLabelsThinned) {
  THisto H(400, 300);  // plot 200 pixels high
  H.SetViewYGap(0.001f);
  TAxisLayout Y = H.LayoutYAxis();
  EXPECT_FLOAT_EQ(H.ViewYGap(), 0.1f);
  ASSERT_GE(Y.Grid.size(), 99u);
  EXPECT_EQ(Y.Grid[0].Pixel - Y.Grid[1].Pixel, 2);
  H.Canvas().Font().Assign(H.FontYAxis());
  const Integer Th = H.Canvas().TextHeight("012.");
  ASSERT_GE(Y.Labels.size(), 2u);
  for (std::size_t i = 1; i < Y.Labels.size(); ++i)
    EXPECT_GE(Y.Labels[i - 1].Pixel - Y.Labels[i].Pixel, 2 * Th);
}

TEST(HistoLabels, LogGridQuarterToTwoThousand) {
  THisto H;
  H.SetGridScale(sclLinLog);
  H.SetViewYMin(0.25f);
  H.SetViewYMax(2000);
  TAxisLayout Y = H.LayoutYAxis();
  EXPECT_EQ(Texts(Y.Labels), (std::vector<QString>{"1", "10", "100", "1000"}));
  std::vector<Extended> Want;
  for (Extended Decade : {0.1L, 1.0L, 10.0L, 100.0L})
    for (int m = (Decade < 1 ? 3 : 1); m <= 9; ++m) Want.push_back(m * Decade);
  Want.push_back(1000);
  std::vector<Extended> Got = Values(Y.Grid);
  ASSERT_EQ(Got.size(), Want.size());
  for (std::size_t i = 0; i < Got.size(); ++i) EXPECT_NEAR(Got[i], Want[i], Want[i] * 1e-9);
  // The minimum maps to the row above the bottom edge, the maximum to the top.
  const TRect P = H.PlotRect();
  EXPECT_EQ(H.LogYPixel(0.25f), P.Bottom - 1);
  EXPECT_EQ(H.LogYPixel(2000), P.Top);
}

TEST(HistoLabels, LogAxisBeyondThreeDecadesAllExponent) {
  THisto H;
  H.SetGridScale(sclLogLog);
  H.SetViewXNominalMin(0.0001f);
  H.SetViewXCurrentMin(0.0001f);
  H.SetViewYMin(0.0001f);
  H.SetViewYMax(10);
  EXPECT_EQ(Texts(H.LayoutYAxis().Labels),
            (std::vector<QString>{"1E-04", "1E-03", "1E-02", "1E-01", "1E+00", "1E+01"}));
}

TEST(HistoLabels, LogAxisKeepsTheDecadeAtASingleRangeEnd) {
  // 0.001f lies just above 10^-3 and 1000.0001f just above 10^3: both
  // decades are still labelled.
  THisto H;
  H.SetGridScale(sclLinLog);
  H.SetViewYMin(0.001f);
  H.SetViewYMax(1000);
  const std::vector<Extended> V = Values(H.LayoutYAxis().Labels);
  ASSERT_EQ(V.size(), 7u);
  EXPECT_NEAR(V.front(), 0.001, 1e-12);
  EXPECT_NEAR(V.back(), 1000, 1e-9);
}

// ---------------------------------------------------------------------------
// Curves

TEST(HistoCurves, DataCurveRunsFromLeftToRightEdge) {
  THisto H;
  std::vector<Single> D(101);
  for (int i = 0; i <= 100; ++i) D[i] = Single(i) / 10;  // 0 .. 10 over the window
  H.SetData(D.data(), 101, 1);
  const TRect P = H.PlotRect();
  std::vector<TPoint> Pts = H.CurvePoints(1);
  ASSERT_EQ(Pts.size(), 101u);
  EXPECT_EQ(Pts.front().X, P.Left);
  EXPECT_EQ(Pts.back().X, P.Right);
  EXPECT_EQ(Pts.back().Y, P.Top + 1);
  H.Repaint();
  EXPECT_EQ(H.Px(Pts[25].X, Pts[25].Y), clBlack);
}

// A curve's rows are the mapped values cut toward zero (plus one), for
// rows on, between and far off the pixel boundaries, above and below the
// plot, and for values with no row at all.
TEST(HistoCurves, CurveRowsAreTheMappedValuesCutTowardZero) {
  THisto H;
  H.SetViewYMin(-3);
  H.SetViewYMax(5);
  const TRect P = H.PlotRect();
  const Extended PH = P.Bottom - P.Top, Span = Extended(H.ViewYMax()) - H.ViewYMin();
  const Extended Y0 = P.Bottom + PH * H.ViewYMin() / Span, Ys = -PH / Span;
  std::vector<Single> D;
  for (Extended T = -6; T <= PH + P.Bottom + 6; T += 0.25) {
    const Single V = Single((T - Y0) / Ys);
    D.insert(D.end(), {V, std::nextafter(V, 1e9f), std::nextafter(V, -1e9f)});
  }
  const Single Inf = std::numeric_limits<Single>::infinity();
  D.insert(D.end(), {0.0f, -0.0f, 1e30f, -1e30f, 4e4f, -4e4f, Inf, -Inf, std::nanf("")});
  H.SetData(D.data(), Integer(D.size()), 1);
  const std::vector<TPoint> Pts = H.CurvePoints(1);
  ASSERT_EQ(Pts.size(), D.size());
  for (size_t i = 0; i < D.size(); ++i) {
    const Extended T = Y0 + Ys * D[i];
    const Integer Row = std::isnan(T) ? CoordLimit
                                      : Integer(std::clamp<Extended>(std::trunc(T) + 1, -CoordLimit, CoordLimit));
    ASSERT_EQ(Pts[i].Y, Row) << "value " << D[i];
  }
}

TEST(HistoCurves, CurveWiderThanWindowStaysInPlot) {
  THisto H;
  H.SetSeriesColor(clRed);
  H.SetViewXNominalMax(100);
  H.SetViewXCurrentMin(40);
  H.SetViewXCurrentMax(60);
  std::vector<Single> D(1000, 5.0f);
  H.SetData(D.data(), 1000, 1);
  std::vector<TPoint> Pts = H.CurvePoints(1);
  EXPECT_LT(Pts.size(), 250u);  // only the visible samples, plus one each side
  H.Repaint();
  const TRect P = H.PlotRect();
  const Integer Y = Pts[Pts.size() / 2].Y;
  EXPECT_EQ(H.Px(P.Left + 10, Y), clRed);
  EXPECT_EQ(H.Px(P.Right - 2, Y), clRed);
  for (Integer X : {P.Left - 3, P.Left - 20, P.Right + 2, P.Right + 20}) EXPECT_NE(H.Px(X, Y), clRed) << X;
}

TEST(HistoCurves, XYPointsOutsideRangeAreLimited) {
  THisto H;
  SetStyle(H, 1, dtDataXY);
  std::vector<Single> P{5, 1e30f, 1e30f, 5, 5, -1e30f};
  H.SetDataXY(P.data(), 3, 1);
  std::vector<TPoint> Pts = H.CurvePoints(1);
  ASSERT_EQ(Pts.size(), 3u);
  EXPECT_EQ(Pts[0].Y, -CoordLimit);
  EXPECT_EQ(Pts[1].X, CoordLimit);
  EXPECT_EQ(Pts[2].Y, CoordLimit);
}

// ---------------------------------------------------------------------------
// Range errors, frames, titles, partial updates

TEST(HistoPaint, RangeErrorsFillRedWithoutCrosses) {
  THisto H;
  H.FCrosses[2].Visible = true;
  H.FCrosses[2].Pixel = Point(200, 120);
  H.SetViewXCurrentMax(0);  // = ViewXCurrentMin
  EXPECT_EQ(H.RangeError(), "Range-Error in ViewX-Properties");
  H.Repaint();
  for (Integer Y = 0; Y < 10; ++Y) EXPECT_EQ(H.Px(12, Y), clRed);
  EXPECT_EQ(H.Px(200, 200), clRed);  // no cross line
  bool Text = false;
  for (Integer Y = 10; Y < 30 && !Text; ++Y)
    for (Integer X = 10; X < 60; ++X) Text = Text || H.Px(X, Y) != clRed;
  EXPECT_TRUE(Text);

  THisto L;
  L.SetGridScale(sclLinLog);  // ViewYMin is 0
  EXPECT_EQ(L.RangeError(), "Range-Error in ViewY-Properties");
  L.Repaint();
  for (Integer Y = 0; Y < 20; ++Y) EXPECT_EQ(L.Px(12, Y), clRed) << Y;
  L.SetAutoScale(true);
  L.Repaint();
  EXPECT_TRUE(L.RangeError().isEmpty());
  EXPECT_GT(L.ViewYMin(), 0);
}

TEST(HistoPaint, VisibleCrossDrawnOverPicture) {
  THisto H;
  H.FCrosses[2].Visible = true;
  H.FCrosses[2].Color = clBlack;
  H.FCrosses[2].Pixel = Point(200, 120);
  H.Repaint();
  // Black in pmNotXor on white leaves black.
  EXPECT_EQ(H.Px(100, 120), clBlack);
  EXPECT_EQ(H.Px(200, 60), clBlack);
}

TEST(HistoPaint, BorderStyles) {
  THisto H;
  H.Repaint();
  const TRect P = H.PlotRect();
  const TColor Light = Shade(Face, 1.25), Dark = Shade(Face, 0.75);
  EXPECT_EQ(Light, RGB(240, 240, 240));
  EXPECT_EQ(H.Px(0, 0), Light);
  EXPECT_EQ(H.Px(H.Width() - 1, H.Height() - 1), Dark);
  H.SetBorderStyle(bsNone);
  H.Repaint();
  EXPECT_EQ(H.Px(0, 0), Face);
  EXPECT_EQ(H.Px(H.Width() - 1, H.Height() - 1), Face);
  EXPECT_EQ(H.Px(P.Left - 1, P.Top + 5), Dark);
  EXPECT_EQ(H.Px(P.Right, P.Top + 5), Light);
  EXPECT_EQ(H.Px(P.Left + 5, P.Bottom + 1), Light);
  EXPECT_EQ(H.Px(P.Left + 5, P.Top + 5), Plot);
}

TEST(HistoPaint, TitleRectanglesOnlyForDrawnTitles) {
  THisto H;
  H.SetTitleTop("Oben");
  H.Repaint();
  const TRect Top = H.TitleRect(tpTop);
  EXPECT_EQ(Top.Top, 10);
  EXPECT_EQ(Top.Left, H.Width() / 2 - Top.Width() / 2);
  EXPECT_EQ(H.TitleRect(tpLeft), Rect(-1, -1, -1, -1));
  H.SetTitleLeft("Links");
  H.Repaint();
  const TRect Left = H.TitleRect(tpLeft);
  EXPECT_EQ(Left.Left, 10);
  EXPECT_EQ(Left.Bottom, H.Height() / 2 + Left.Height() / 2);
  EXPECT_GT(Left.Height(), Left.Width());  // runs upwards
}

TEST(HistoPaint, UpdatePlotRedrawsOnlyThePlot) {
  THisto H;
  H.Repaint();
  H.Canvas().SetPixel(5, 5, clBlue);      // margin
  H.Canvas().SetPixel(150, 150, clBlue);  // plot
  std::vector<Single> D(10, -1.0f);       // below the view: no curve pixels
  H.SetData(D.data(), 10, 1);
  H.FlushDrawing();
  EXPECT_EQ(H.Px(5, 5), clBlue);
  EXPECT_EQ(H.Px(150, 150), Plot);
}

TEST(HistoPaint, EnableUpdateOffDrawsNothing) {
  THisto H;
  H.Repaint();
  H.SetEnableUpdate(false);
  H.Canvas().SetPixel(150, 150, clBlue);
  H.Repaint();
  EXPECT_EQ(H.Px(150, 150), clBlue);
}

TEST(HistoPaint, ReduceFlickerGivesTheSamePicture) {
  THisto A, B;
  for (THisto* H : {&A, &B}) {
    H->SetGridVisible(grdBoth);
    H->SetTitleTop("Titel");
  }
  std::vector<Single> D{1, 8, 3, 9, 2};
  A.SetData(D.data(), 5, 1);
  B.SetData(D.data(), 5, 1);
  B.SetReduceFlicker(true);
  A.Repaint();
  B.Repaint();
  EXPECT_EQ(A.Surface(), B.Surface());
}

TEST(HistoDesign, SampleCurvesOnlyInDesigner) {
  THisto Run;
  EXPECT_FALSE(Run.Series(1).HasData());
  TComponent Form;
  Form.SetDesigning(true);
  THistographInt* H = new THistographInt(&Form);
  for (Integer k = 1; k <= MaxSeries; ++k) {
    ASSERT_EQ(H->Series(k).Count, 100);
    for (Integer i = 0; i < 100; ++i) {
      EXPECT_GE(H->Series(k).Data[i], 0);
      EXPECT_LE(H->Series(k).Data[i], 10.0001f);
    }
  }
}
