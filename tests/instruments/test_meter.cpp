// TMeterInt and the circular scale it shares with the dial: setter rules,
// range normalisation, overshoot and range-check events, geometry the
// layout gives numbers for, label thinning, the partial redraw of a moving
// indicator against a full paint, and the streamed "Range" list.
#include <gtest/gtest.h>

#include <cmath>

#include "support/ExtraProperty.h"
#include "quellix/host/NumberFormat.h"
#include "quellix/instruments/CircularScale.h"
#include "quellix/instruments/Meter.h"

using namespace quellix;
using namespace quellix::meterInt;

namespace {

constexpr TColor Back = clSilver;

class TMeter : public TMeterInt {
public:
  explicit TMeter(Integer W = 200, Integer H = 200) {
    SetBounds(0, 0, W, H);
    SetColor(Back);
  }
  TColor Px(Integer X, Integer Y) { return Canvas().Pixel(X, Y); }
};

void SetRange(TMeterInt& M, Integer I, Double Limit, bool Check = false, TColor Color = clBtnHighlight) {
  M.SetRangeCurrent(I);
  M.SetRangeLimit(Limit);
  M.SetRangeCheck(Check);
  M.SetRangeColor(Color);
}

// The meter of the demonstration window.
void DemoMeter(TMeterInt& M) {
  M.SetMeterAngle1(-120);
  M.SetMeterAngle2(120);
  M.SetMeterScale(110);
  M.SetMeterShiftY(10);
  M.SetLabelingStyle(labInside);
  M.SetRangeNumber(4);
  SetRange(M, 1, 20, false, 65280);
  SetRange(M, 2, 40, false, 65535);
  SetRange(M, 3, 80, false, 33023);
  SetRange(M, 4, 100, false, 255);
  M.SetRangeCurrent(1);
}

QString WriteRange(TComponentCore& C) { return testsupport::WriteExtra(C, "Range"); }

void ReadRange(TComponentCore& C, const QString& Text) { testsupport::ReadExtra(C, "Range", Text); }

int DifferentPixels(const QImage& A, const QImage& B) {
  int N = 0;
  for (int Y = 0; Y < A.height(); ++Y)
    for (int X = 0; X < A.width(); ++X) N += A.pixel(X, Y) != B.pixel(X, Y);
  return N;
}

}  // namespace

// ---------------------------------------------------------------------------
// The shared circular scale

TEST(CircularScale, LabelFormatPicksScientificForLargeOrNarrowScales) {
  struct Row {
    const char* Shows;
    Double Min, Max;
    Integer Decimals;
    const char* Format;
  } Rows[] = {
      {"plain integers", 0, 100, 0, "0"},
      {"decimals", 0, 1, 2, "0.00"},
      {"negative decimals count as none", 0, 1, -1, "0"},
      {"ValueMax reaches 10000", 0, 10000, 0, "#.##E-00"},
      {"ValueMin reaches -10000", -10000, 0, 3, "#.##E-00"},
      {"narrow scale above zero", 1, 1.00005, 2, "#.##E-00"},
      {"narrow scale below zero", -0.00005, -0.00001, 2, "#.##E-00"},
      {"narrow scale across zero stays fixed", -0.00005, 0.00005 + 0.0001, 6, "0.000000"},
  };
  for (const Row& R : Rows)
    EXPECT_EQ(CircularScale::LabelFormat(R.Min, R.Max, R.Decimals), QString(R.Format)) << R.Shows;
}

TEST(CircularScale, TickRunStartsAtFirstMultipleOnTheScale) {
  const auto Run = CircularScale::TickRun(3, 47, 10);
  EXPECT_DOUBLE_EQ(Run.At(0), 10);
  EXPECT_EQ(CircularScale::TickValues(Run), (std::vector<Double>{10, 20, 30, 40}));
  const auto Neg = CircularScale::TickRun(-25, 25, 10);
  EXPECT_EQ(CircularScale::TickValues(Neg), (std::vector<Double>{-20, -10, 0, 10, 20}));
  // Scale ends beyond the Integer range do not overflow.
  const auto Far = CircularScale::TickRun(1e15, 1e15 + 50, 10);
  EXPECT_DOUBLE_EQ(Far.At(0), 1e15);
  EXPECT_EQ(Far.Count, 6);
}

TEST(CircularScale, ThinningTakesSmallestLabelStepWiderThanTheWidestLabel) {
  struct Row {
    const char* Shows;
    Integer Pitch, Widest, k;
  } Rows[] = {
      {"pitch already wide enough", 30, 25, 1},
      {"pitch exactly the width", 25, 25, 1},
      {"every third tick", 9, 25, 3},
      {"one pixel pitch", 1, 25, 25},
  };
  for (const Row& R : Rows) {
    const auto L = CircularScale::ThinLabels(R.Pitch, R.Widest, 10);
    EXPECT_EQ(L.k, R.k) << R.Shows;
    EXPECT_DOUBLE_EQ(L.Step, 10.0 * R.k) << R.Shows;
  }
}

// ---------------------------------------------------------------------------
// Setters

TEST(MeterSetters, ClampOrIgnoreOutOfRangeValues) {
  TMeter M;
  M.SetMeterAngle1(100);  // beyond MeterAngle2 = 90
  EXPECT_EQ(M.MeterAngle1(), -90);
  M.SetMeterAngle2(400);
  EXPECT_EQ(M.MeterAngle2(), 90);
  M.SetMeterAngle1(-360);
  EXPECT_EQ(M.MeterAngle1(), -360);
  M.SetIndicatorScale(500);
  EXPECT_EQ(M.IndicatorScale(), 200);
  M.SetMeterScale(20);
  EXPECT_EQ(M.MeterScale(), 50);
  M.SetMeterScaleWidth(-4);
  EXPECT_EQ(M.MeterScaleWidth(), 0);
  M.SetMeterShiftX(99);
  EXPECT_EQ(M.MeterShiftX(), 60);
  M.SetMeterShiftY(-99);
  EXPECT_EQ(M.MeterShiftY(), -60);
  M.SetRangeNumber(17);
  EXPECT_EQ(M.RangeNumber(), 1);
  M.SetRangeCurrent(0);
  EXPECT_EQ(M.RangeCurrent(), 1);
  M.SetBevelOuterWidth(-1);
  EXPECT_EQ(M.BevelOuterWidth(), 1);
  M.SetValueGap(0);
  M.SetValueGap(-3);
  M.SetValueGap(std::nan(""));
  EXPECT_EQ(M.ValueGap(), 10);
  M.SetValue(std::nan(""));
  EXPECT_EQ(M.Value(), 0);
}

TEST(MeterSetters, ScaleEndsAreHeldApart) {
  TMeter M;
  M.SetValueMin(10);
  M.SetValueMax(5);
  EXPECT_EQ(M.ValueMax(), 5);
  EXPECT_EQ(M.ValueMin(), 4);
  M.SetValueMin(20);
  EXPECT_EQ(M.ValueMin(), 20);
  EXPECT_EQ(M.ValueMax(), 21);
}

TEST(MeterSetters, RangeAccessOutsideRangeNumberReadsZeroAndIgnoresWrites) {
  TMeter M;
  M.SetRangeNumber(2);
  M.SetRangeCurrent(5);
  EXPECT_EQ(M.RangeLimit(), 0.0);
  EXPECT_EQ(M.RangeColor(), 0);
  EXPECT_FALSE(M.RangeCheck());
  M.SetRangeColor(clRed);
  M.SetRangeCheck(true);
  M.SetRangeNumber(5);
  EXPECT_EQ(M.RangeColor(), clBtnHighlight);
  EXPECT_FALSE(M.RangeCheck());
}

TEST(MeterRanges, LimitsStayOnTheScaleAndTheLastEndsAtValueMax) {
  TMeter M;
  M.SetValueMax(60);
  M.SetRangeNumber(3);
  SetRange(M, 1, 30);
  SetRange(M, 2, 50);
  SetRange(M, 3, 55);
  EXPECT_EQ(M.Range(3).Limit, 60);
  SetRange(M, 1, -10);
  EXPECT_EQ(M.Range(1).Limit, 0);
  M.SetValueMax(40);
  EXPECT_EQ(M.Range(2).Limit, 40);
  EXPECT_EQ(M.Range(3).Limit, 40);
  // A range given up and taken again keeps its limit; the new last one ends at the end.
  M.SetRangeNumber(2);
  EXPECT_EQ(M.Range(2).Limit, 40);
}

// ---------------------------------------------------------------------------
// Value, overshoot and range check

TEST(MeterValue, OvershootStopsAtFivePercentAndReportsOnce) {
  TMeter M;
  std::vector<Integer> Codes;
  M.OnRangeCheck = [&](TObject* Sender, Integer Range) {
    EXPECT_EQ(Sender, &M);
    Codes.push_back(Range);
  };
  M.SetValue(120);
  EXPECT_EQ(M.Value(), 120);
  EXPECT_EQ(M.DisplayedValue(), 105);
  M.SetValue(130);
  EXPECT_EQ(M.DisplayedValue(), 105);
  M.SetValue(-30);
  EXPECT_EQ(M.DisplayedValue(), -5);
  M.SetValue(-40);
  EXPECT_EQ(Codes, (std::vector<Integer>{-2, -1}));
}

TEST(MeterValue, RangeCheckReportsEachChangeOnce) {
  TMeter M;
  M.SetValueMax(60);
  M.SetRangeNumber(3);
  SetRange(M, 1, 30, true);
  SetRange(M, 2, 50, false);
  SetRange(M, 3, 60, true);
  std::vector<Integer> Codes;
  M.OnRangeCheck = [&](TObject*, Integer Range) { Codes.push_back(Range); };
  struct Row {
    const char* Shows;
    Double Value;
  } Rows[] = {
      {"checked range 1", 10}, {"still range 1", 20},      {"unchecked range 2 reads 0", 40},
      {"range 3", 55},         {"upper end is range 3", 60}, {"above the scale", 61},
      {"below the scale", -1}, {"back in range 1", 0},
  };
  for (const Row& R : Rows) M.SetValue(R.Value);
  EXPECT_EQ(Codes, (std::vector<Integer>{1, 0, 3, -2, -1, 1}));
  EXPECT_EQ(M.RangeState(), 1);
}

TEST(MeterValue, ShrinkingTheScaleClampsTheIndicatorAndReports) {
  TMeter M;
  std::vector<Integer> Codes;
  M.OnRangeCheck = [&](TObject*, Integer Range) { Codes.push_back(Range); };
  M.SetValue(90);
  Codes.clear();
  M.SetValueMax(50);  // 90 lies beyond 50 + 5 % of 50
  EXPECT_DOUBLE_EQ(M.DisplayedValue(), 52.5);
  EXPECT_EQ(Codes, (std::vector<Integer>{-2}));
}

TEST(MeterValue, SameValueNeitherDrawsNorFires) {
  TMeter M;
  M.SetRangeCheck(true);
  M.Repaint();
  int Fired = 0;
  M.OnRangeCheck = [&](TObject*, Integer) { ++Fired; };
  M.SetValue(50);
  EXPECT_EQ(Fired, 1);
  // A mark on the indicator stays when the same value is set again.
  const Integer X = M.PivotX(), Y = M.PivotY() - Integer(M.Radius() * 0.6);
  M.Canvas().SetPixel(X, Y, clLime);
  M.SetValue(50);
  EXPECT_EQ(M.Px(X, Y), clLime);
  EXPECT_EQ(Fired, 1);
}

// ---------------------------------------------------------------------------
// Geometry and layout

TEST(MeterGeometry, DemonstrationMeterRadiiAndPivot) {
  TMeter M(201, 177);
  DemoMeter(M);
  M.Repaint();
  EXPECT_DOUBLE_EQ(M.Radius(), 90.75);
  EXPECT_NEAR(M.InnerRadius(), 81.675, 1e-9);
  EXPECT_EQ(M.PivotX(), 100);
  EXPECT_EQ(M.PivotY(), 106);
  EXPECT_FALSE(M.NoScale());
}

TEST(MeterGeometry, TinyMeterWidensTheTickGap) {
  TMeter M(40, 40);
  M.Repaint();
  const Double Cap = 2 * M_PI * M.InnerRadius() * 180 * 100 / 36000;
  EXPECT_GT(M.ValueGap(), 10);
  EXPECT_LE(100 * 4 / M.ValueGap(), Cap * (1 + 1e-12));
}

TEST(MeterGeometry, FullWidthBandLeavesOnlyBackgroundAndFrame) {
  TMeter M;
  M.SetMeterScaleWidth(100);
  M.SetValue(50);
  M.Repaint();
  EXPECT_EQ(M.InnerRadius(), 0);
  EXPECT_TRUE(M.NoScale());
  EXPECT_EQ(M.Px(0, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(M.Px(199, 199), ColorToRGB(clBtnShadow));
  for (Integer Y = 5; Y < 195; Y += 10)
    for (Integer X = 5; X < 195; X += 10) ASSERT_EQ(M.Px(X, Y), Back) << X << "," << Y;
}

TEST(MeterLayout, LabelsOfAWideScaleStandAtEveryKthTick) {
  TMeter M(240, 200);
  M.SetValueMax(1000);
  M.Repaint();
  const auto& L = M.Labels();
  ASSERT_GE(L.size(), 2u);
  const Double Step = L[1].Value - L[0].Value;
  const Integer k = Integer(std::lround(Step / M.ValueGap()));
  EXPECT_GT(k, 1);
  // The label pitch along the reference arc covers the text "1000-", and
  // one tick fewer would not.
  const Double Arc = M_PI * M.Radius() * 180 / 360;
  const Integer g = Trunc((Arc - 1) * M.ValueGap() / 1000);
  M.Canvas().Font() = M.Font();
  const Integer wL = M.Canvas().TextWidth(QStringLiteral("1000-"));
  EXPECT_GE(k * g, wL);
  EXPECT_LT((k - 1) * g, wL);
  for (std::size_t i = 0; i < L.size(); ++i) EXPECT_DOUBLE_EQ(L[i].Value, i * Step);
}

TEST(MeterLayout, LabelledTicksAreLongerEvenWhenTheScaleStartsOffTheLabelStep) {
  TMeter M(300, 300);
  M.SetValueMin(5);
  M.SetValueMax(205);
  M.Repaint();
  const auto& T = M.Ticks();
  ASSERT_FALSE(T.empty());
  auto Length = [](const TTick& t) { return std::hypot(t.First.X - t.Second.X, t.First.Y - t.Second.Y); };
  int Long = 0;
  for (const auto& L : M.Labels()) {
    ASSERT_GE(L.Tick, 0);
    ASSERT_LT(L.Tick, Integer(T.size()));
    EXPECT_GT(Length(T[L.Tick]), Length(T[(L.Tick + 1) % T.size()]) + 3) << L.Text.toStdString();
    ++Long;
  }
  EXPECT_GE(Long, 2);
}

TEST(MeterLayout, LegendsBelowThePivot) {
  TMeter M;
  M.SetLegend1(QStringLiteral("Drehzahl"));
  M.SetLegend2(QStringLiteral("1/min"));
  M.Repaint();
  M.Canvas().Font() = M.Font();
  const Integer h = M.Canvas().TextHeight(QStringLiteral("08"));
  const Integer yc = Round(M.PivotY() + M.InnerRadius() / 2);
  EXPECT_EQ(M.LegendPos(1),
            Point(M.PivotX() - M.Canvas().TextWidth(QStringLiteral("Drehzahl")) / 2, yc - h / 2 - 5));
  EXPECT_EQ(M.LegendPos(2), Point(M.PivotX() - M.Canvas().TextWidth(QStringLiteral("1/min")) / 2, yc));
  M.SetLegend1(QString());
  M.SetLegendPosition(legLeft);
  const Integer xc = Round(M.PivotX() - M.InnerRadius() / 2);
  EXPECT_EQ(M.LegendPos(2), Point(xc - M.Canvas().TextWidth(QStringLiteral("1/min")) / 2, M.PivotY()));
}

// ---------------------------------------------------------------------------
// Drawing

TEST(MeterDrawing, IndicatorPointsAtTheValueOverTheBand) {
  TMeter M;
  M.SetIndicatorColor(clBlack);
  M.SetRangeColor(clLime);
  M.SetValue(50);  // straight up
  M.Repaint();
  const Integer cx = M.PivotX(), py = M.PivotY();
  const Integer Mid = Integer((M.Radius() + M.InnerRadius()) / 2);
  EXPECT_EQ(M.Px(cx, py - Integer(M.Radius() * 0.7)), clBlack);
  EXPECT_EQ(M.Px(cx + 3, py - Mid), clLime);
  M.SetValue(0);  // to the left, drawn in place
  M.FlushDrawing();
  EXPECT_EQ(M.Px(cx, py - Integer(M.Radius() * 0.7)), Back);
  EXPECT_EQ(M.Px(cx + 3, py - Mid), clLime);  // the band where the tip was
  EXPECT_EQ(M.Px(cx, py - Mid), clBlack);     // and the tick at 50 on it
  EXPECT_EQ(M.Px(cx - Integer(M.Radius() * 0.7), py), clBlack);
}

TEST(MeterDrawing, MovingIndicatorLeavesTheSamePictureAsAFullPaint) {
  struct Row {
    const char* Shows;
    TIndicatorStyle Indicator;
    TLabelingStyle Labels;
    TTickStyle Ticks;
    Integer IndicatorScale;
    bool ReduceFlicker;
  } Rows[] = {
      {"wedge, labels outside", indWedge, labOutside, ticFull, 100, false},
      {"needle, labels inside", indNeedle, labInside, ticLarge, 100, false},
      {"long wedge over the outside labels", indWedge, labOutside, ticLarge, 130, false},
      {"needle, half ticks, no labels", indNeedle, labNone, ticHalf, 100, false},
      {"short needle below the scale", indNeedle, labOutside, ticFull, 50, false},
      {"through the off-screen bitmap", indWedge, labInside, ticFull, 100, true},
  };
  for (const Row& R : Rows) {
    TMeter M(201, 177);
    DemoMeter(M);
    M.SetLegend1(QStringLiteral("Drehzahl"));
    M.SetIndicatorStyle(R.Indicator);
    M.SetLabelingStyle(R.Labels);
    M.SetTickStyle(R.Ticks);
    M.SetIndicatorScale(R.IndicatorScale);
    M.SetReduceFlicker(R.ReduceFlicker);
    M.Repaint();
    for (Double V : {13.0, 37.0, 38.0, 71.0, 104.0, 99.0, -3.0}) {
      M.SetValue(V);
      M.FlushDrawing();
      const QImage Moved = M.Surface().copy();
      M.Repaint();
      EXPECT_EQ(DifferentPixels(Moved, M.Surface()), 0) << R.Shows << " at " << V;
    }
  }
}

// ---------------------------------------------------------------------------
// Streaming

TEST(MeterStreaming, RangeListOfTheDemonstrationMeter) {
  TMeter M(201, 177);
  DemoMeter(M);
  M.Repaint();
  EXPECT_EQ(WriteRange(M), QStringLiteral("((65280, False, 20.0, 65535, False, 40.0, 33023, False, 80.0, 255, False, "
                                          "100.0), -120.0, 120.0, 81.675, 90.75, 0.0, 0.0, 100.0, 10.0)"));
}

TEST(MeterStreaming, RangeListReadsBackIntoAFreshMeter) {
  TMeter A(201, 177);
  DemoMeter(A);
  A.SetRangeCurrent(2);
  A.SetRangeCheck(true);
  A.SetValue(30);
  const QString Text = WriteRange(A);
  TMeter B(201, 177);
  ReadRange(B, Text);
  EXPECT_EQ(B.RangeNumber(), 4);
  EXPECT_EQ(B.MeterAngle1(), -120);
  EXPECT_EQ(B.MeterAngle2(), 120);
  EXPECT_EQ(B.DisplayedValue(), 30);
  for (Integer i = 1; i <= 4; ++i) {
    EXPECT_EQ(B.Range(i).Limit, A.Range(i).Limit);
    EXPECT_EQ(B.Range(i).Color, A.Range(i).Color);
    EXPECT_EQ(B.Range(i).RangeCheck, A.Range(i).RangeCheck);
  }
  EXPECT_EQ(WriteRange(B), Text);
  // The first paint lays the scale out from what was read.
  B.Repaint();
  EXPECT_EQ(B.Range(4).Band.empty(), false);
}

TEST(MeterStreaming, RangeListKeepsOnlyWhatAMeterCanHold) {
  TMeter M;
  QString Triples;
  for (int i = 1; i <= 20; ++i) {
    if (i > 1) Triples += QStringLiteral(", ");
    Triples += QStringLiteral("255, True, ") + QString::number(i * 5) + QStringLiteral(".0");
  }
  // 20 ranges, swapped angles, ValueMin above ValueMax, a negative gap.
  ReadRange(M, QStringLiteral("((%1), 90.0, -90.0, 1.0, 2.0, 50.0, 100.0, 0.0, -1.0)").arg(Triples));
  EXPECT_EQ(M.RangeNumber(), 16);
  EXPECT_EQ(M.Range(16).Limit, 80);
  EXPECT_EQ(M.MeterAngle1(), -90);
  EXPECT_EQ(M.ValueMin(), 0);
  EXPECT_EQ(M.ValueMax(), 100);
  EXPECT_EQ(M.ValueGap(), 10);
  M.Repaint();  // draws without fault
  EXPECT_FALSE(M.NoScale());
}
