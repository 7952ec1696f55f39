// Strip chart drawing: pixel probes on the rendered surface and the
// computed layouts (value mapping, value grid, time axis, label texts).
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "StripTestUtil.h"
#include "quellix/host/NumberFormat.h"

using namespace striptest;

namespace {

// The demo's chart with the time base of the demo window.
struct TDrawChart : TStripChartInt {
  TDrawChart() {
    SizeLikeDemo(*this);
    SetLogTimeIncrement(0.005);
    SetBkColor(clWhite);
  }
  using TStripChartInt::LayoutTimeAxis;
  QRgb At(int X, int Y) const { return Surface().pixel(X, Y); }
};

// Appends Count samples of one value to series 1..Series in blocks of Step.
void FeedConstant(TStripChartInt& Chart, Integer Count, Integer Step, Single Value, Integer Series = 1) {
  std::vector<Single> Block(Step, Value);
  TSeriesValues V{};
  for (Integer k = 0; k < Series; ++k) V[k] = Block.data();
  for (; Count > 0; Count -= Step) Chart.AddValues(V, Series, std::min(Step, Count));
}

// A wave that makes every column of the traces differ.
void FeedWave(TStripChartInt& Chart, std::int64_t& Next, Integer Count, Integer Step) {
  std::vector<Single> Block(Step);
  TSeriesValues V{Block.data()};
  for (; Count > 0; Count -= Step) {
    const Integer n = std::min(Step, Count);
    for (Integer j = 0; j < n; ++j) Block[j] = static_cast<Single>(5 + 4 * std::sin((Next + j) * 0.07));
    Chart.AddValues(V, 1, n);
    Next += n;
  }
}

QRgb Rgb(TColor C) { return ToQRgb(C); }

int CountColour(const QImage& Img, const TRect& R, QRgb C) {
  int N = 0;
  for (int Y = R.Top; Y < R.Bottom; ++Y)
    for (int X = R.Left; X < R.Right; ++X) N += Img.pixel(X, Y) == C;
  return N;
}

class StripDraw : public ::testing::Test {
protected:
  void SetUp() override { SetDecimalSeparator('.'); }
};

}  // namespace

// ---------------------------------------------------------------------------
// Error display, frames, plot

TEST_F(StripDraw, InvalidViewRangeFillsRedWithTheTextAt10_20) {
  TDrawChart Chart;
  Chart.SetViewYMax(0);   // = ViewYMin
  Chart.Repaint();
  const QImage& S = Chart.Surface();
  const QRgb Red = Rgb(clRed);
  // Everything red but the text, which starts at (10, 20).
  EXPECT_EQ(CountColour(S, Rect(0, 0, 417, 20), Red), 417 * 20);
  EXPECT_EQ(CountColour(S, Rect(0, 0, 10, 233), Red), 10 * 233);
  EXPECT_GT(Rect(10, 20, 230, 40).Width() * 20 - CountColour(S, Rect(10, 20, 230, 40), Red), 50);
  EXPECT_EQ(S.pixel(300, 200), Red);

  // Logarithmic: a minimum of 0 is an error too; a positive one is not.
  TDrawChart Log;
  Log.SetGridScale(strpLog);
  Log.Repaint();
  EXPECT_FALSE(Log.ViewRangeValid());
  EXPECT_EQ(Log.At(300, 200), Red);
  Log.SetViewYMin(1);
  Log.Repaint();
  EXPECT_TRUE(Log.ViewRangeValid());
  EXPECT_EQ(Log.At(200, 100), Rgb(clWhite));
}

TEST_F(StripDraw, FramesAndPlotFillOnEveryEdge) {
  TDrawChart Chart;
  ASSERT_EQ(Chart.PlotRect(), Rect(70, 40, 377, 173));
  Chart.Repaint();
  const QRgb Light = Rgb(clBtnHighlight), Dark = Rgb(clBtnShadow), Face = Rgb(clBtnFace);
  // Raised frame round the control.
  EXPECT_EQ(Chart.At(0, 100), Light);
  EXPECT_EQ(Chart.At(200, 0), Light);
  EXPECT_EQ(Chart.At(416, 100), Dark);
  EXPECT_EQ(Chart.At(200, 232), Dark);
  EXPECT_EQ(Chart.At(1, 1), Face);
  // Sunken frame one pixel outside the plot.
  EXPECT_EQ(Chart.At(69, 100), Dark);
  EXPECT_EQ(Chart.At(200, 39), Dark);
  EXPECT_EQ(Chart.At(378, 100), Light);
  EXPECT_EQ(Chart.At(200, 174), Light);
  // The plot includes its right and bottom edges.
  for (const TPoint P : {Point(70, 40), Point(377, 40), Point(70, 173), Point(377, 173)})
    EXPECT_EQ(Chart.At(P.X, P.Y), Rgb(clWhite)) << P.X << "," << P.Y;

  Chart.SetBorderStyle(bsNone);
  Chart.Repaint();
  EXPECT_EQ(Chart.At(0, 100), Face);
  EXPECT_EQ(Chart.At(416, 100), Face);
}

TEST_F(StripDraw, TitlesInTheMarginsSideTitlesTurned) {
  TDrawChart Chart;
  Chart.SetTitleTop(QStringLiteral("Oben"));
  Chart.SetTitleLeft(QStringLiteral("Spannung links"));
  Chart.SetTitleRight(QStringLiteral("Kanal rechts"));
  Chart.Repaint();
  const TRect Top = Chart.TitleRect(TStripChartInt::tpTop);
  const TRect Left = Chart.TitleRect(TStripChartInt::tpLeft);
  const TRect Right = Chart.TitleRect(TStripChartInt::tpRight);
  EXPECT_EQ(Top.Top, 10);
  EXPECT_NEAR((Top.Left + Top.Right) / 2, 417 / 2, 1);
  EXPECT_EQ(Left.Left, 10);
  EXPECT_GT(Left.Height(), 2 * Left.Width());     // runs upwards
  EXPECT_EQ(Right.Right, 417 - 10);
  EXPECT_GT(Right.Height(), 2 * Right.Width());   // runs downwards
  EXPECT_NEAR((Left.Top + Left.Bottom) / 2, 233 / 2, 1);
  const QRgb Ink = Rgb(clWindowText);
  EXPECT_GT(CountColour(Chart.Surface(), Left, Ink), 20);
  EXPECT_GT(CountColour(Chart.Surface(), Right, Ink), 20);
  EXPECT_EQ(Chart.TitleRect(TStripChartInt::tpBottom), Rect(-1, -1, -1, -1));   // empty: not drawn
}

// ---------------------------------------------------------------------------
// Value mapping and value axis

TEST_F(StripDraw, LinearAndLogarithmicMapping) {
  TDrawChart Chart;   // Top 40, Bottom 173, H 133
  EXPECT_EQ(Chart.ValueToRow(0), 173);    // ViewYMin on Bottom
  EXPECT_EQ(Chart.ValueToRow(10), 40);    // ViewYMax on Top
  EXPECT_EQ(Chart.ValueToRow(5), 106);    // Trunc(173 - 66.5)
  EXPECT_EQ(Chart.ValueToRow(1e30f), -30000);
  EXPECT_EQ(Chart.ValueToRow(-1e30f), 30000);
  Chart.SetViewYMin(-0.3f);
  Chart.SetViewYMax(0.7f);
  EXPECT_EQ(Chart.ValueToRow(-0.3f), 173);
  EXPECT_EQ(Chart.ValueToRow(0.7f), 40);

  // Logarithmic: f = -(H - 1) / ln(1000), o = Bottom - 1 at the minimum.
  Chart.SetGridScale(strpLog);
  Chart.SetViewYMin(1);
  Chart.SetViewYMax(1000);
  EXPECT_EQ(Chart.ValueToRow(1), 172);
  EXPECT_EQ(Chart.ValueToRow(10), 128);   // 172 - 132 / 3
  EXPECT_EQ(Chart.ValueToRow(1000), 40);
  EXPECT_EQ(Chart.ValueToRow(0), 30000);  // no logarithm: below the plot
}

TEST_F(StripDraw, TraceOfAVisibleSeriesOnItsRow) {
  TDrawChart Chart;
  Chart.SetSeriesNumber(2);
  Chart.SetSeriesCurrent(1);
  Chart.SetSeriesColor(clBlue);
  Chart.SetSeriesCurrent(2);
  Chart.SetSeriesColor(clRed);
  Chart.SetSeriesVisible(false);
  Chart.SetViewYMax(80);
  TSeriesValues V{};
  std::vector<Single> A(100, 50), B(100, 20);
  V[0] = A.data();
  V[1] = B.data();
  Chart.AddValues(V, 2, 100);
  Chart.Repaint();
  const Integer Row = Chart.ValueToRow(50);
  EXPECT_EQ(Chart.At(360, Row), Rgb(clBlue));
  EXPECT_EQ(CountColour(Chart.Surface(), Chart.PlotRect(), Rgb(clRed)), 0);   // invisible
  // Left of the oldest sample nothing is drawn.
  EXPECT_EQ(Chart.At(Chart.XPosition(1) - 2, Row), Rgb(clWhite));
}

TEST_F(StripDraw, ValueGridRowsAndLabels) {
  TDrawChart Chart;
  Chart.SetViewYMax(80);
  Chart.SetViewYGap(10);
  auto Axis = Chart.LayoutValueAxis();
  ASSERT_EQ(Axis.Grid.size(), 8u);   // 0 .. 70: none on 80
  EXPECT_EQ(Axis.Grid.front().Row, Chart.ValueToRow(0));
  EXPECT_EQ(Axis.Grid.back().Value, 70);
  // Labels two text heights apart at least, up to and including 80.
  ASSERT_GE(Axis.Labels.size(), 2u);
  EXPECT_EQ(Axis.Labels.back().Value, 80);
  EXPECT_EQ(Axis.Labels.back().Text, QStringLiteral("80.00"));
  for (size_t i = 1; i < Axis.Labels.size(); ++i) EXPECT_GE(Axis.Labels[i - 1].Row - Axis.Labels[i].Row, 26);

  Chart.SetGridVisible(grdVer);
  Chart.SetGridColor(clGreen);
  Chart.Repaint();
  EXPECT_EQ(Chart.At(200, Chart.ValueToRow(30)), Rgb(clWhite));   // no samples, no grid
  FeedConstant(Chart, 600, 600, -5);
  Chart.Repaint();
  EXPECT_EQ(Chart.At(200, Chart.ValueToRow(30)), Rgb(clGreen));
  EXPECT_EQ(Chart.At(200, Chart.ValueToRow(30) + 1), Rgb(clWhite));
  Chart.SetGridVisible(grdNone);
  Chart.Repaint();
  EXPECT_EQ(CountColour(Chart.Surface(), Chart.PlotRect(), Rgb(clGreen)), 0);

  // A gap finer than the pixel rows is widened to one line per two rows.
  Chart.SetViewYGap(0.0001f);
  Axis = Chart.LayoutValueAxis();
  EXPECT_FLOAT_EQ(Chart.ViewYGap(), 2 * 80.0f / 133);
  EXPECT_LE(Axis.Grid.size(), 67u);
  Chart.SetViewYGap(-5);   // no usable spacing
  EXPECT_FALSE(Chart.LayoutValueAxis().Grid.empty());
  EXPECT_GT(Chart.ViewYGap(), 0);

  // Logarithmic: 1..9 per decade, labels at the decades.
  Chart.SetGridScale(strpLog);
  Chart.SetViewYMin(2);
  Chart.SetViewYMax(1000);
  Axis = Chart.LayoutValueAxis();
  EXPECT_EQ(Axis.Grid.front().Value, 2);
  EXPECT_EQ(Axis.Grid.size(), 8u + 9 + 9);   // 2..9, 10..90, 100..900
  ASSERT_EQ(Axis.Labels.size(), 3u);
  EXPECT_EQ(Axis.Labels[0].Text, QStringLiteral("10"));
  EXPECT_EQ(Axis.Labels[2].Text, QStringLiteral("1000"));
  Chart.SetViewYMax(1e5f);
  EXPECT_EQ(Chart.LayoutValueAxis().Labels.back().Text, QStringLiteral("1E+05"));
}

// Scales whose span is not a whole number of gaps in binary: every
// multiple of the gap inside the range gets its grid line (below the upper
// end, which the frame marks) and, on a chart tall enough, its label.
TEST_F(StripDraw, DecimalScalesKeepTheirFirstAndLastMultiple) {
  struct Row {
    const char* Name;
    Single Min, Max, Gap;
    std::vector<double> Labels;
  };
  const Row Rows[] = {
      {"0 to 0.6 by 0.2: the last label", 0, 0.6f, 0.2f, {0, 0.2, 0.4, 0.6}},
      {"0.3 to 1.0 by 0.1: the first and the last", 0.3f, 1.0f, 0.1f, {0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0}},
      {"-0.7 to 0.7 by 0.1: the first label",
       -0.7f,
       0.7f,
       0.1f,
       {-0.7, -0.6, -0.5, -0.4, -0.3, -0.2, -0.1, 0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7}},
      {"5 to 100 by 10: the end on a multiple", 5, 100, 10, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
  };
  for (const Row& R : Rows) {
    TDrawChart Chart;
    Chart.SetBounds(0, 0, 600, 1000);
    Chart.SetViewYMax(R.Max);
    Chart.SetViewYMin(R.Min);
    Chart.SetViewYGap(R.Gap);
    const auto Axis = Chart.LayoutValueAxis();
    ASSERT_EQ(Axis.Labels.size(), R.Labels.size()) << R.Name;
    ASSERT_EQ(Axis.Grid.size(), R.Labels.size() - 1) << R.Name;
    for (size_t i = 0; i < R.Labels.size(); ++i) {
      EXPECT_NEAR(double(Axis.Labels[i].Value), R.Labels[i], 1e-6) << R.Name << " #" << i;
      if (i + 1 < R.Labels.size()) {
        EXPECT_NEAR(double(Axis.Grid[i].Value), R.Labels[i], 1e-6) << R.Name << " #" << i;
      }
    }
    EXPECT_EQ(Axis.Labels.back().Row, Chart.ValueToRow(R.Max)) << R.Name;
  }
}

// A gap far finer than the pixel rows, at magnitudes where widening it to
// one line per two rows still leaves too many lines: the layout stays
// bounded.
TEST_F(StripDraw, TinyGapsGiveABoundedGrid) {
  TDrawChart Chart;
  Chart.SetViewYMax(3e38f);
  Chart.SetViewYMin(-3e38f);
  Chart.SetViewYGap(1e-30f);
  const auto Axis = Chart.LayoutValueAxis();
  EXPECT_LE(Axis.Grid.size(), 999u);
  EXPECT_LE(Axis.Labels.size(), 999u);
}

TEST_F(StripDraw, ValueLabelFormatSwitch) {
  struct Row {
    const char* Name;
    Single Min, Max;
    Integer Decimals;
    const char* Format;
  };
  const Row Rows[] = {
      {"ordinary range", 0, 80, 2, "0.00"},
      {"no decimals", 0, 80, 0, "0"},
      {"maximum above 100000", 0, 200000, 2, "#.##E-00"},
      {"minimum below -100000", -200000, 0, 2, "#.##E-00"},
      {"span below 0.001", 0.0001f, 0.0005f, 2, "#.##E-00"},
      {"narrow but round zero", -0.001f, 0.001f, 3, "0.000"},
  };
  for (const Row& R : Rows)
    EXPECT_EQ(TStripChartInt::ValueLabelFormat(R.Min, R.Max, R.Decimals), QString::fromLatin1(R.Format)) << R.Name;
}

// ---------------------------------------------------------------------------
// Time axis

TEST_F(StripDraw, UnitClassAndCaptionUnitAcrossTheClasses) {
  struct Row {
    Integer Samples;
    Extended Increment;
    Integer Class;
    const char* Unit;
  };
  const Row Rows[] = {
      {512, 0.005L, 0, "   [sec:msec]"},     // 2.56 s
      {1000, 1, 3, "   [min:sec]"},          // 1000 s
      {100, 1e-10L, -9, "   [nsec:psec]"},   // 10 ns
      {100, 1e-7L, -6, "   [\u00b5sec:nsec]"},
      {100, 1e-4L, -3, "   [msec:\u00b5sec]"},
      {100, 0.002L, -2, "   [msec:\u00b5sec]"},   // 0.2 s rounds to -1, minus one
      {100, 50, 4, "   [h:min]"},
      {100, 1e4L, 6, "   [day]"},
      {100, 1e-13L, -12, "   [day]"},
  };
  for (const Row& R : Rows) {
    const Integer U = TStripChartInt::TimeUnitClass(R.Samples, R.Increment);
    EXPECT_EQ(U, R.Class) << R.Samples << " x " << double(R.Increment);
    EXPECT_EQ(TStripChartInt::TimeUnitCaption(U), QString::fromUtf8(R.Unit)) << U;
  }
}

TEST_F(StripDraw, LabelFormatters) {
  struct Row {
    const char* Name;
    Integer Class;
    Extended Time;
    const char* Text;
  };
  const Row Rows[] = {
      {"seconds and milliseconds", 0, 3.25L, "03.250"},
      {"carry into the next second", 0, 62.9996L, "03.000"},
      {"zero", 1, 0, "00.000"},
      {"milliseconds", -2, 1.0123456L, "012.346"},
      {"milliseconds overflow", -2, 0.9999999L, "000.000"},
      {"microseconds", -5, 0.00012345L, "23.450"},
      {"microseconds overflow", -5, 0.00009999999L, "00.000"},
      {"nanoseconds", -8, 1.23456789e-7L, "23.457"},
      {"minutes and seconds", 3, 125, "02:05"},
      {"clock zero", 2, -4, "00:00"},
      {"hours and minutes", 5, 3 * 3600 + 25 * 60 + 59, "03:25"},
      {"day of the month", 6, 5 * 86400 + 10, "05"},
      {"day class at zero", 9, 0, "00"},
  };
  for (const Row& R : Rows)
    EXPECT_EQ(TStripChartInt::TimeLabelText(R.Class, R.Time), QString::fromLatin1(R.Text)) << R.Name;

  EXPECT_EQ(TStripChartInt::TimeCaptionText(0.5), QStringLiteral("00:00"));
  EXPECT_EQ(TStripChartInt::TimeCaptionText(3725.5), QStringLiteral("01:02:05"));
  EXPECT_EQ(TStripChartInt::TimeCaptionText(2 * 86400 + 3600), QString::fromUtf8("0001 Jan 02 01:00:00"));
}

TEST_F(StripDraw, LabelStepAndFirstGridTime) {
  TDrawChart Chart;   // plot 307 wide, 512 x 0.005 s
  TCanvas Measure;
  Measure.Font().Assign(Chart.FontXAxis());
  const Extended W = Measure.TextWidth(TStripChartInt::TimeUnitSample(0));
  const auto Step = [&](Extended Gap) { return std::max(1, Round(W / (307 * Gap / 2.56L) + 0.5L)); };
  Chart.LayoutTimeAxis();
  EXPECT_EQ(Chart.TimeAxis().LabelStep, Step(1.0));
  Chart.SetViewXGap(0.05);
  EXPECT_EQ(Chart.TimeAxis().LabelStep, Step(0.05));
  EXPECT_GT(Chart.TimeAxis().LabelStep, 1);
  // No usable spacing: ten divisions per window.
  Chart.SetViewXGap(0);
  EXPECT_DOUBLE_EQ(Chart.ViewXGap(), 0.256);
  EXPECT_EQ(Chart.TimeAxis().LabelStep, Step(0.256));

  // Start 0.123 s: the first grid time is the first whole multiple of
  // ViewXGap at or after the start, where a label can stand.
  Chart.SetLogStartTime(0.123);
  Chart.SetViewXGap(1.0);
  EXPECT_NEAR(double(Chart.TimeAxis().FirstGridTime), 1.0, 1e-12);
  Chart.SetViewXGap(0.002);
  EXPECT_NEAR(double(Chart.TimeAxis().FirstGridTime), 0.124, 1e-12);
}

TEST_F(StripDraw, TimeGridAndLabelsAtTheirSamples) {
  TDrawChart Chart;
  Chart.SetGridVisible(grdHor);
  Chart.SetGridColor(clGreen);
  FeedConstant(Chart, 400, 10, -5);   // below the plot: the trace does not hide the grid
  Chart.Repaint();
  // A run from 0: grid lines at the whole seconds, on the samples of their
  // labels (1.0 s is index 201), not beside them.
  ASSERT_NEAR(double(Chart.TimeAxis().FirstGridTime), 0.0, 1e-12);
  const Integer X = Chart.XPosition(201);
  EXPECT_EQ(Chart.At(X, 100), Rgb(clGreen));
  EXPECT_EQ(Chart.At(Chart.XPosition(200), 100), Rgb(clWhite));
  EXPECT_EQ(Chart.At(Chart.XPosition(202), 100), Rgb(clWhite));
  EXPECT_EQ(Chart.At(X, 173 + 3), Rgb(clWindowText));   // tick below the plot
  EXPECT_NE(Chart.At(X + 2, 173 + 3), Rgb(clWindowText));
  // The label "01.000" centred under it.
  const TRect Label = Rect(X - 25, 178, X + 25, 195);
  EXPECT_GT(CountColour(Chart.Surface(), Label, Rgb(clWindowText)), 15);
}

// The label texts are kept from frame to frame; another decimal separator
// makes other texts.
TEST_F(StripDraw, TimeLabelsFollowTheDecimalSeparator) {
  TDrawChart Chart;
  std::int64_t Next = 0;
  FeedWave(Chart, Next, 300, 10);
  Chart.Repaint();
  const QImage Dot = Chart.Surface().copy();
  SetDecimalSeparator(',');
  Chart.Repaint();
  const QImage Comma = Chart.Surface().copy();
  SetDecimalSeparator('.');
  Chart.Repaint();
  EXPECT_EQ(Chart.Surface(), Dot);
  const TRect P = Chart.PlotRect();
  // The plot is the same, the time labels below it are not.
  const QRect Plot(P.Left, P.Top, P.Right + 1 - P.Left, P.Bottom + 2 - P.Top);
  const QRect Labels(P.Left, P.Bottom + 2, P.Right + 1 - P.Left, 233 - P.Bottom - 2);
  EXPECT_EQ(Comma.copy(Plot), Dot.copy(Plot));
  EXPECT_NE(Comma.copy(Labels), Dot.copy(Labels));
}

// ---------------------------------------------------------------------------
// Scroll, EnableUpdate, ReduceFlicker

TEST_F(StripDraw, ScrollMovesTheOldPixelsAndPaintsOnlyTheUncoveredStrip) {
  TDrawChart Chart;
  Chart.SetGridVisible(grdBoth);
  std::int64_t Next = 0;
  FeedWave(Chart, Next, 300, 10);
  Chart.Repaint();
  const QImage Before = Chart.Surface().copy();
  std::vector<QRegion> Painted;
  Chart.OnPaint = [&](TObject*) { Painted.push_back(Chart.Canvas().ClipRegion()); };

  FeedWave(Chart, Next, 10, 10);
  Chart.FlushDrawing();
  const TRect P = Chart.PlotRect();
  const Integer D = P.Right - Chart.XPosition(Chart.SampleCount() - 10);
  EXPECT_NEAR(D, 10 * 307.0 / 512, 1.0);
  // One paint: of the plot (down to its frame row) only the strip the
  // scroll uncovered (and the column where the new segment starts), and
  // the time labels below it.
  ASSERT_EQ(Painted.size(), 1u);
  const QRect PlotRows(0, P.Top, 417, P.Bottom + 2 - P.Top);
  const QRect InPlot = (Painted[0] & PlotRows).boundingRect();
  EXPECT_GE(InPlot.left(), P.Right - D);
  EXPECT_LE(InPlot.right(), P.Right);
  EXPECT_EQ(Painted[0].boundingRect().top(), P.Top);
  const QRect Below = (Painted[0] - PlotRows).boundingRect();
  EXPECT_GT(Below.top(), P.Bottom + 1);
  EXPECT_GE(Below.left(), P.Left);
  EXPECT_LE(Below.right(), P.Right);
  // The rest of the plot is the old picture moved left by D.
  const QImage After = Chart.Surface().copy();
  for (int Y = P.Top; Y <= P.Bottom; ++Y)
    for (int X = P.Left; X < P.Right - D; ++X)
      ASSERT_EQ(After.pixel(X, Y), Before.pixel(X + D, Y)) << X << "," << Y;

  // And all of it is what a full paint draws, but for the first columns
  // where the oldest samples left the window.
  Chart.OnPaint = nullptr;
  Chart.Repaint();
  const QImage Full = Chart.Surface();
  // The window's first sample: buffer index 1 while the buffer holds less
  // than a window (the offset is then negative).
  const Integer Skip = Chart.XPosition(std::max(1, Chart.WindowStartOffset() + 1)) + 1;
  for (int Y = 0; Y < 233; ++Y)
    for (int X = Skip; X < 417; ++X) ASSERT_EQ(After.pixel(X, Y), Full.pixel(X, Y)) << X << "," << Y;
}

TEST_F(StripDraw, NothingIsDrawnWhileEnableUpdateIsOff) {
  TDrawChart Chart;
  std::int64_t Next = 0;
  FeedWave(Chart, Next, 100, 10);
  Chart.Repaint();
  const QImage Before = Chart.Surface().copy();
  Chart.SetEnableUpdate(false);
  Chart.SetBkColor(clYellow);
  Chart.SetViewYMax(Chart.ViewYMin());   // an error display would be red
  FeedWave(Chart, Next, 10, 10);
  Chart.Repaint();
  EXPECT_EQ(Chart.Surface(), Before);
  Chart.SetViewYMax(10);
  Chart.SetEnableUpdate(true);
  Chart.Repaint();
  EXPECT_EQ(Chart.At(200, 60), Rgb(clYellow));
}

TEST_F(StripDraw, ReduceFlickerPaintsTheSamePixels) {
  TDrawChart Direct, Buffered;
  Buffered.SetReduceFlicker(true);
  for (TDrawChart* C : {&Direct, &Buffered}) {
    C->SetGridVisible(grdBoth);
    C->SetTitleTop(QStringLiteral("Titel"));
    C->SetTitleLeft(QStringLiteral("Links"));
    std::int64_t Next = 0;
    FeedWave(*C, Next, 300, 10);
    C->Repaint();
  }
  EXPECT_EQ(Direct.Surface(), Buffered.Surface());
  // The same after a scroll that paints only a strip.
  for (TDrawChart* C : {&Direct, &Buffered}) {
    std::int64_t Next = 300;
    FeedWave(*C, Next, 10, 10);
  }
  EXPECT_EQ(Direct.Surface(), Buffered.Surface());
}

// ---------------------------------------------------------------------------
// Drawing rules that would hide data

TEST_F(StripDraw, TracesAtTheRangeEndsAreDrawnInsideThePlot) {
  for (const Single Value : {0.0f, 10.0f}) {
    TDrawChart Chart;
    Chart.SetSeriesCurrent(1);
    Chart.SetSeriesColor(clRed);
    FeedConstant(Chart, 100, 10, Value);
    Chart.Repaint();
    const TRect P = Chart.PlotRect();
    EXPECT_EQ(Chart.At(P.Right - 5, Value == 0 ? P.Bottom : P.Top), Rgb(clRed)) << Value;
  }
}

TEST_F(StripDraw, LogAxisKeepsTheDecadeOfASingleRangeEnd) {
  TDrawChart Chart;
  Chart.SetGridScale(strpLog);
  // 0.1f and 1e-5f lie a hair above and below their decades.
  for (const auto& [Min, Max] : {std::pair{0.1f, 1000.0f}, std::pair{1e-7f, 1e-5f}}) {
    Chart.SetViewYMin(Min);
    Chart.SetViewYMax(Max);
    const auto Axis = Chart.LayoutValueAxis();
    ASSERT_FALSE(Axis.Labels.empty());
    EXPECT_NEAR(double(Axis.Labels.front().Value), double(Min), 1e-6 * Min);
    EXPECT_NEAR(double(Axis.Labels.back().Value), double(Max), 1e-6 * Max);
    EXPECT_NEAR(double(Axis.Grid.front().Value), double(Min), 1e-6 * Min);
    EXPECT_EQ(Axis.Labels.front().Row, Chart.ValueToRow(Min));
  }
}
