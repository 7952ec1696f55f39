// TBarGraphInt: value logic, the range-coloured fill, the strip redraw,
// the opaque paint, the scale it shares with the slider (label format,
// thinning, ticks at the fill levels) and the "Range" list.
#include <gtest/gtest.h>

#include <limits>

#include "quellix/host/Streaming.h"
#include "quellix/instruments/BarGraph.h"

using namespace quellix;
using namespace quellix::bargraphint;

namespace {

// A vertical bar graph 233 high on a white background: track 25..35
// across, inner track rows 9..223 (215 pixels).
class TTestBar : public TBarGraphInt {
public:
  explicit TTestBar(Integer W = 60, Integer H = 233) {
    SetBounds(0, 0, W, H);
    SetColor(clWhite);
  }
  TColor Px(Integer X, Integer Y) { return Canvas().Pixel(X, Y); }
  // The row of a pixel Level pixels above the inner track's low end.
  Integer Row(Integer Level) { return InnerTrack().Bottom - 1 - Level; }
};

void SetRange(TBarGraphInt& B, Integer I, TColor C, Double Limit) {
  B.SetRangeCurrent(I);
  B.SetRangeColor(C);
  B.SetRangeLimit(Limit);
}

}  // namespace

TEST(BarGraph, FillTakesTheColourOfEachRangeUpToTheValue) {
  TTestBar B;
  B.SetRangeNumber(3);
  SetRange(B, 1, clGreen, 20);
  SetRange(B, 2, clYellow, 40);
  SetRange(B, 3, clRed, 100);
  B.SetValue(50);
  B.Repaint();
  // Levels: 20 -> Round(43) = 43, 40 -> 86, 50 -> Round(107.5) = 108.
  EXPECT_EQ(B.LevelOf(20), 43);
  EXPECT_EQ(B.LevelOf(50), 108);
  struct Probe {
    const char* Shows;
    Integer Level;
    TColor Color;
  };
  const Probe Probes[] = {
      {"bottom of range 1", 0, clGreen},       {"top of range 1", 42, clGreen},
      {"bottom of range 2", 43, clYellow},     {"top of range 2", 85, clYellow},
      {"range 3 up to the value", 86, clRed},  {"last filled row", 107, clRed},
      {"track above the value", 108, clBtnFace},
  };
  for (const Probe& P : Probes) {
    SCOPED_TRACE(P.Shows);
    EXPECT_EQ(B.Px(30, B.Row(P.Level)), ColorToRGB(P.Color));
  }
  // The sunken frame: dark left, light right.
  EXPECT_EQ(B.Px(25, 100), ColorToRGB(clBtnShadow));
  EXPECT_EQ(B.Px(34, 100), ColorToRGB(clBtnHighlight));
}

TEST(BarGraph, ValueIsClampedAndStoredOnlyWhenItChanges) {
  struct Row {
    const char* Shows;
    Double Start, Set, Expect;
  };
  const Row Rows[] = {
      {"above ValueMax shows a full bar", 10, 130, 100},
      {"below ValueMin shows an empty bar", 10, -5, 0},
      {"inside the range kept", 10, 33.3, 33.3},
      {"NaN refused", 10, std::numeric_limits<Double>::quiet_NaN(), 10},
  };
  for (const Row& R : Rows) {
    SCOPED_TRACE(R.Shows);
    TTestBar B;
    B.SetValue(R.Start);
    B.SetValue(R.Set);
    EXPECT_DOUBLE_EQ(B.Value(), R.Expect);
  }
  // Full bar, and setting the same too-large value again draws nothing.
  TTestBar B;
  B.SetRangeColor(clRed);
  B.Repaint();
  B.SetValue(130);
  B.FlushDrawing();
  EXPECT_EQ(B.Px(30, B.InnerTrack().Top), clRed);
  B.Canvas().SetPixel(30, B.InnerTrack().Top, clBlue);
  B.SetValue(130);
  B.FlushDrawing();
  EXPECT_EQ(B.Px(30, B.InnerTrack().Top), clBlue);
}

TEST(BarGraph, CrossingLimitsAreRefused) {
  TTestBar B;
  B.SetValueMin(150);
  EXPECT_DOUBLE_EQ(B.ValueMin(), 0);
  B.SetValueMax(-1);
  EXPECT_DOUBLE_EQ(B.ValueMax(), 100);
  B.SetValueMin(99);
  EXPECT_DOUBLE_EQ(B.ValueMin(), 99);
  EXPECT_DOUBLE_EQ(B.RangeLimit(), 100);
}

TEST(BarGraph, ValueChangeRedrawsOnlyTheStripBetweenTheLevels) {
  TTestBar B;
  B.SetRangeColor(clRed);
  B.SetValue(10);
  B.Repaint();
  const Integer L10 = B.LevelOf(10), L12 = B.LevelOf(12);
  ASSERT_LT(L10, L12);
  // Markers inside the track just outside the strip, and outside the track.
  B.Canvas().SetPixel(30, B.Row(L10 - 1), clBlue);
  B.Canvas().SetPixel(30, B.Row(L12), clBlue);
  B.Canvas().SetPixel(10, B.Row(L10 + 1), clBlue);
  B.SetValue(12);
  B.FlushDrawing();
  for (Integer L = L10; L < L12; ++L) EXPECT_EQ(B.Px(30, B.Row(L)), clRed) << "level " << L;
  EXPECT_EQ(B.Px(30, B.Row(L10 - 1)), clBlue);
  EXPECT_EQ(B.Px(30, B.Row(L12)), clBlue);
  EXPECT_EQ(B.Px(10, B.Row(L10 + 1)), clBlue);
  // Going down: the strip gets the track colour back, frame included.
  B.SetValue(10);
  B.FlushDrawing();
  EXPECT_EQ(ColorToRGB(B.Px(30, B.Row(L10))), ColorToRGB(clBtnFace));
  EXPECT_EQ(B.Px(25, B.Row(L10)), ColorToRGB(clBtnShadow));
}

TEST(BarGraph, HorizontalFillsFromTheLeft) {
  TTestBar B(233, 60);
  B.SetKind(sbHorizontal);
  B.SetRangeColor(clGreen);
  B.SetValue(50);
  B.Repaint();
  const TRect In = B.InnerTrack();
  EXPECT_EQ(In, Rect(9, 26, 224, 34));
  EXPECT_EQ(B.Px(In.Left, 30), clGreen);
  EXPECT_EQ(B.Px(In.Left + 107, 30), clGreen);
  EXPECT_EQ(ColorToRGB(B.Px(In.Left + 108, 30)), ColorToRGB(clBtnFace));
}

TEST(BarGraph, OpaquePaintCoversTheWholeRectangle) {
  TTestBar B;
  ASSERT_TRUE(B.Opaque());
  B.Canvas().SetPixel(0, 0, clRed);
  B.Canvas().SetPixel(59, 232, clRed);
  B.Repaint();
  EXPECT_EQ(B.Px(0, 0), clWhite);
  EXPECT_EQ(B.Px(59, 232), clWhite);
  // The background picture goes inside the one-pixel border.
  QImage Img(4, 4, QImage::Format_RGB32);
  Img.fill(qRgb(0, 0, 255));
  TPicture P;
  P.SetImage(Img);
  B.SetPictureBackground(P);
  B.Repaint();
  EXPECT_EQ(B.Px(1, 1), clBlue);
  EXPECT_EQ(B.Px(0, 0), clWhite);
}

TEST(BarGraph, TicksStandAtTheFillLevels) {
  TTestBar B(80, 233);
  B.SetLabelingStyle(lbsLines);
  B.SetLabelingGap(25);
  B.SetRangeColor(clRed);
  B.Repaint();
  for (Double V : {25.0, 50.0, 75.0, 100.0}) {
    SCOPED_TRACE(V);
    B.SetValue(V);
    B.FlushDrawing();
    // The tick of V (from the left edge to the track at x 35) is the top
    // row of the fill for V.
    const Integer Top = B.Row(B.LevelOf(V) - 1);
    EXPECT_EQ(B.Px(2, Top), clBlack);
    EXPECT_EQ(B.Px(34, Top), clBlack);
    EXPECT_EQ(B.Px(2, Top - 1), clWhite);
    EXPECT_EQ(B.Px(2, Top + 1), clWhite);
    EXPECT_EQ(B.Px(40, Top), clRed);
    EXPECT_EQ(ColorToRGB(B.Px(40, Top - 1)), V == 100.0 ? ColorToRGB(clBtnShadow) : ColorToRGB(clBtnFace));
  }
}

TEST(LinearScale, LabelFormatFollowsMagnitudeAndSpan) {
  struct Row {
    const char* Shows;
    Double Min, Max;
    Integer Decimals;
    const char* Format;
  };
  const Row Rows[] = {
      {"plain range with one decimal", 0, 100, 1, "0.0"},
      {"no decimals", 0, 100, 0, "0"},
      {"three decimals", -1, 1, 3, "0.000"},
      {"max at 100000 goes scientific", 0, 100000, 1, "0.00E-00"},
      {"min at -100000 goes scientific", -100000, 0, 1, "0.00E-00"},
      {"tiny span near zero goes scientific", 0, 0.0005, 2, "0.00E-00"},
      {"tiny span away from zero goes scientific too", -1.0002, -1.0001, 2, "0.00E-00"},
      {"span of 0.001 stays fixed", 0, 0.001, 3, "0.000"},
  };
  for (const Row& R : Rows) {
    SCOPED_TRACE(R.Shows);
    EXPECT_EQ(LinearScale::LabelFormat(R.Min, R.Max, R.Decimals), QString::fromLatin1(R.Format));
  }
}

TEST(LinearScale, LayoutThinsLabelsAndRaisesTheGap) {
  TBitmap Bmp(300, 300);
  TCanvas& Cv = Bmp.Canvas();
  Cv.Font().SetName(QStringLiteral("Arial"));
  Cv.Font().SetSize(8);
  LinearScale::TScaleSetup S;
  S.Vertical = true;
  S.Width = 80;
  S.Height = 233;
  S.Start = 13;
  S.End = 220;
  S.Gap = 1;  // 100 ticks on 207 pixels: two pixels apart, allowed
  S.Labels = true;
  S.Lines = true;
  LinearScale::TScaleLayout L = LinearScale::LayoutScale(Cv, S);
  ASSERT_TRUE(L.Valid);
  EXPECT_DOUBLE_EQ(L.Gap, 1);
  EXPECT_EQ(L.Marks.size(), 101u);
  EXPECT_EQ(L.Marks.front().Along, 233 - 13);
  EXPECT_EQ(L.Marks.back().Along, 233 - 220);
  // Labels at least two text heights apart.
  EXPECT_GE(L.LabelStep * L.Pitch, 2 * L.TextHeight);
  EXPECT_LT((L.LabelStep - 1) * L.Pitch, 2 * L.TextHeight);
  EXPECT_TRUE(L.Marks.front().Labelled);
  EXPECT_EQ(L.Marks.front().Text, QStringLiteral("0.0"));

  S.Gap = 0.1;  // 1000 ticks on 207 pixels: too dense
  L = LinearScale::LayoutScale(Cv, S);
  EXPECT_DOUBLE_EQ(L.Gap, 200.0 / 207);
  // First tick: the first multiple of the gap not below ValueMin.
  S.Gap = 3;
  S.ValueMin = -10;
  L = LinearScale::LayoutScale(Cv, S);
  EXPECT_DOUBLE_EQ(L.Marks.front().Value, -9);
  EXPECT_DOUBLE_EQ(L.Marks.back().Value, 99);
  // No room: nothing laid out.
  S.End = S.Start;
  EXPECT_FALSE(LinearScale::LayoutScale(Cv, S).Valid);
}

TEST(BarGraph, RangeListRoundTrip) {
  TBarGraphInt A;
  A.SetName(QStringLiteral("BarGraph1"));
  A.SetValueMax(300);
  A.SetValueMin(200);
  A.SetRangeNumber(2);
  SetRange(A, 1, clLime, 250);
  SetRange(A, 2, clRed, 300);
  A.SetValue(260);
  A.SetLabelingStyle(lbsSymmetric);
  const QString Text = WriteComponentText(&A);
  EXPECT_TRUE(Text.contains(QStringLiteral("Range = ((65280, 250.0, 255, 300.0), 260.0, 200.0, 300.0, 5.0)")))
      << qPrintable(Text);
  TBarGraphInt B;
  ReadComponentText(&B, Text);
  EXPECT_DOUBLE_EQ(B.ValueMin(), 200);
  EXPECT_DOUBLE_EQ(B.Value(), 260);
  EXPECT_EQ(B.RangeNumber(), 2);
  EXPECT_EQ(B.Ranges().Range(1).Color, clLime);
  EXPECT_EQ(B.LabelingStyle(), lbsSymmetric);
  EXPECT_EQ(WriteComponentText(&B), Text);
  EXPECT_EQ(B.Version(), QStringLiteral("V2.50"));
}
