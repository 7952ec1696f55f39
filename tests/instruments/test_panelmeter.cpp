// Panel meter: number format, range codes, what the seven-segment cells
// show (read back from the surface), the slot row, the frame, the
// geometry numbers and form streaming.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "quellix/host/Streaming.h"
#include "quellix/host/NumberFormat.h"
#include "quellix/instruments/StandalonePanelMeter.h"
#include "quellix/instruments/PanelMeter.h"
#include "support/ParamRows.h"

using namespace quellix;
using namespace quellix::PMeterInt;

namespace {

// A meter of the size the geometry numbers below are worked out for.
class TMeter : public TPanelMeterInt {
public:
  TMeter() { SetBounds(0, 0, 150, 60); }
  TColor Px(Integer X, Integer Y) { return Canvas().Pixel(X, Y); }

  // A point inside segment N (1..8) of cell Cell.
  TPoint SegmentPoint(Integer Cell, Integer N) {
    const std::vector<TPoint>& P = Geometry().Segments[N - 1];
    Integer X = 0, Y = 0;
    for (const TPoint& Q : P) {
      X += Q.X;
      Y += Q.Y;
    }
    const Integer K = static_cast<Integer>(P.size());
    return {X / K + Cell * Geometry().Pitch, Y / K};
  }
  bool Lit(Integer Cell, Integer N) {
    const TPoint P = SegmentPoint(Cell, N);
    return Px(P.X, P.Y) == DisplayColor();
  }
  // What the cells show, read from the surface: a digit, '-', ' ' or
  // '?' per cell, each followed by '.' when its point is lit.
  std::string Shown() {
    std::string S;
    for (Integer Cell = 0; Cell < CellCount(); ++Cell) {
      TSegmentSet Set = 0;
      for (int N = 1; N <= 7; ++N)
        if (Lit(Cell, N)) Set |= 1u << N;
      char C = '?';
      if (Set == 0) C = ' ';
      for (char D : std::string("0123456789-"))
        if (Set && SegmentsOf(QLatin1Char(D)) == Set) C = D;
      S += C;
      if (Lit(Cell, 8)) S += '.';
    }
    return S;
  }
};

// Is there a line "Name = ..." of the component itself (not of a sub-object)?
bool HasProperty(const QString& Text, const QString& Name) {
  for (const QString& Line : Text.split(QLatin1Char('\n')))
    if (Line.trimmed().startsWith(Name + QStringLiteral(" = "))) return true;
  return false;
}

struct TRangeLog {
  std::vector<Integer> Codes;
  void Attach(TPanelMeterInt& M) {
    M.OnRangeCheck = [this, &M](TObject* Sender, Integer Range) {
      EXPECT_EQ(Sender, static_cast<TObject*>(&M));
      Codes.push_back(Range);
    };
  }
};

}  // namespace

// ---------------------------------------------------------------------------
// Value logic

struct FormatRow {
  const char* What;
  friend void PrintTo(const FormatRow& R, std::ostream* Os) { *Os << R.What; }
  Integer Digits;
  Integer DecimalPoint;
  TPanelMeterSign Sign;
  const char* Expected;
};

class PanelFormat : public ::testing::TestWithParam<FormatRow> {};

TEST_P(PanelFormat, Pattern) {
  const FormatRow& R = GetParam();
  EXPECT_EQ(PanelMeterFormat(R.Digits, R.DecimalPoint, R.Sign).toStdString(), R.Expected) << R.What;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PanelFormat,
    ::testing::Values(FormatRow{"default meter", 4, 1, pmrNegative, " 0.000;-0.000"},
                      FormatRow{"no sign cell", 4, 1, pmrOnlyPositive, "0.000"},
                      FormatRow{"point after the last digit", 3, 3, pmrOnlyPositive, "000."},
                      FormatRow{"point zero gives none", 2, 0, pmrNegative, " 00;-00"},
                      FormatRow{"point beyond the digits gives none", 3, 4, pmrOnlyPositive, "000"},
                      FormatRow{"negative point gives none", 3, -1, pmrOnlyPositive, "000"}),
    quellix::testsupport::RowNamer());

struct RangeRow {
  const char* What;
  friend void PrintTo(const RangeRow& R, std::ostream* Os) { *Os << R.What; }
  TPanelMeterSign Sign;
  std::vector<Double> Values;
  std::vector<Integer> Codes;
};

class PanelRange : public ::testing::TestWithParam<RangeRow> {};

TEST_P(PanelRange, ReportsEachRangeOnce) {
  const RangeRow& R = GetParam();
  TMeter M;
  M.SetSign(R.Sign);
  TRangeLog Log;
  Log.Attach(M);
  for (Double V : R.Values) M.SetValue(V);
  EXPECT_EQ(Log.Codes, R.Codes) << R.What;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PanelRange,
    ::testing::Values(
        RangeRow{"inside from the start stays silent", pmrNegative, {0.5, 1.0, -1.0}, {}},
        RangeRow{"two values below report once", pmrNegative, {-3, -4, -5}, {-1}},
        RangeRow{"two values above report once", pmrNegative, {3, 4}, {-2}},
        RangeRow{"back inside reports zero once", pmrNegative, {3, 1, 1.5}, {-2, 0}},
        RangeRow{"below then straight above", pmrNegative, {-3, 3, -3}, {-1, -2, -1}},
        RangeRow{"limits themselves are inside", pmrNegative, {1.999, -1.999}, {}},
        RangeRow{"negative where only positive", pmrOnlyPositive, {-1.5, -0.5, 0.75}, {-3, 0}},
        RangeRow{"below the range wins over negative", pmrOnlyPositive, {-3, -4, -1}, {-1, -3}}),
    quellix::testsupport::RowNamer());

TEST(PanelMeter, OnlyPositiveStoresTheMagnitudeAfterTheCheck) {
  TMeter M;
  M.SetSign(pmrOnlyPositive);
  TRangeLog Log;
  Log.Attach(M);
  M.SetValue(-1.5);
  EXPECT_EQ(M.Value(), 1.5);
  EXPECT_EQ(Log.Codes, std::vector<Integer>{-3});
}

TEST(PanelMeter, WithoutHandlerTheRangeIsNotTracked) {
  TMeter M;
  M.SetValue(5);
  EXPECT_EQ(M.RangeState(), 0);
  TRangeLog Log;
  Log.Attach(M);
  M.SetValue(6);
  EXPECT_EQ(Log.Codes, std::vector<Integer>{-2});
}

TEST(PanelMeter, IllegalSettingsAreIgnored) {
  TMeter M;
  M.SetDigits(0);
  M.SetDigits(-3);
  M.SetDigits(100000);
  EXPECT_EQ(M.Digits(), 4);
  M.SetBevelWidth(-1);
  M.SetBorderWidth(-1);
  EXPECT_EQ(M.BevelWidth(), 2);
  EXPECT_EQ(M.BorderWidth(), 3);
  M.SetDisplayAngle(std::numeric_limits<Double>::quiet_NaN());
  EXPECT_EQ(M.DisplayAngle(), 5.0);
  M.SetVersion("V9");
  M.SetCopyright("x");
  EXPECT_EQ(M.Version(), "V2.50");
  EXPECT_EQ(M.Copyright(), TComponentCore::LibraryCopyright());
}

// ---------------------------------------------------------------------------
// What the display shows

TEST(PanelMeter, GeometryOfTheDefaultMeter) {
  TMeter M;  // 150 x 60: display 136 x 46
  const auto& G = M.Geometry();
  EXPECT_EQ(G.Display, Rect(7, 7, 143, 53));
  EXPECT_EQ(G.Unit, 15);   // min(Round(136 / 8 / 1.153), Round(46 / 3))
  EXPECT_EQ(G.Pitch, 26);  // Round(1.6 * Round(1.087 * 15))
  // The bottom segment's foot line lies at top + 2 (u + g) + u div 2.
  EXPECT_EQ(G.Segments[4][0].Y, 7 + 2 * (15 + 1) + 7);

  // A slot row takes its height from the digits.
  TStringList L;
  L.Add("AUTO");
  M.SetSlots(L);
  EXPECT_LT(M.Geometry().Unit, 15);
  EXPECT_GT(M.Geometry().Unit, 0);
}

TEST(PanelMeter, FrameAroundTheBlackDisplay) {
  TMeter M;
  M.SetBevelColor1(clWhite);
  M.SetBevelColor2(clGray);
  M.SetBorderColor(clBlue);
  M.Repaint();
  EXPECT_EQ(M.Px(0, 0), clWhite);      // raised: light top-left
  EXPECT_EQ(M.Px(149, 59), clGray);    // dark bottom-right
  EXPECT_EQ(M.Px(2, 30), clBlue);      // flat border
  EXPECT_EQ(M.Px(4, 30), clBlue);
  EXPECT_EQ(M.Px(5, 30), clGray);      // sunken: dark top-left
  EXPECT_EQ(M.Px(144, 30), clWhite);   // light bottom-right
  EXPECT_EQ(M.Px(7, 30), clBlack);     // the display
  EXPECT_EQ(M.Px(142, 52), clBlack);
}

TEST(PanelMeter, CellsNeverDrawOverTheFrame) {
  // In this size the last cell's point reaches the inner bevel.
  TMeter M;
  M.SetBounds(0, 0, 190, 70);
  M.SetBevelColor1(clWhite);
  M.Repaint();
  const TPoint P = M.SegmentPoint(M.CellCount() - 1, 8);
  ASSERT_GE(P.X + 2, M.Geometry().Display.Right);
  for (Integer Y = 50; Y < 63; ++Y) EXPECT_EQ(M.Px(183, Y), clWhite) << Y;
}

struct ShownRow {
  const char* What;
  friend void PrintTo(const ShownRow& R, std::ostream* Os) { *Os << R.What; }
  Integer Digits;
  Integer DecimalPoint;
  TPanelMeterSign Sign;
  Double Value;
  const char* Shown;
};

class PanelShows : public ::testing::TestWithParam<ShownRow> {};

TEST_P(PanelShows, Cells) {
  const ShownRow& R = GetParam();
  TMeter M;
  M.SetDigits(R.Digits);
  M.SetDecimalPoint(R.DecimalPoint);
  M.SetSign(R.Sign);
  M.Repaint();
  M.SetValue(R.Value);
  M.FlushDrawing();
  EXPECT_EQ(M.Shown(), R.Shown) << R.What;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PanelShows,
    ::testing::Values(
        ShownRow{"zero with a blank sign", 4, 1, pmrNegative, 0.0, " 0.000"},
        ShownRow{"minus pattern in the sign cell", 4, 1, pmrNegative, -1.5, "-1.500"},
        ShownRow{"only positive shows the magnitude", 4, 1, pmrOnlyPositive, -1.5, "1.500"},
        ShownRow{"overflow drops the last digit", 4, 1, pmrNegative, 12.5, " 12.50"},
        ShownRow{"two digits without point", 2, 0, pmrNegative, 7, " 07"},
        ShownRow{"two digits negative", 2, 0, pmrNegative, -3, "-03"},
        ShownRow{"every digit pattern", 4, 0, pmrOnlyPositive, 6789, "6789"},
        ShownRow{"more digit patterns", 6, 3, pmrNegative, -123.45, "-123.450"},
        ShownRow{"point after the last digit has nothing to follow", 3, 3, pmrOnlyPositive, 42, "042"},
        ShownRow{"a value that is no number is refused: the digits stay", 4, 1, pmrNegative,
                 std::numeric_limits<Double>::quiet_NaN(), " 0.000"}),
    quellix::testsupport::RowNamer());

TEST(PanelMeter, CommaSeparatorLightsThePointToo) {
  const QChar Old = DecimalSeparator();
  SetDecimalSeparator(QLatin1Char(','));
  TMeter M;
  M.Repaint();
  M.SetValue(1.25);
  M.FlushDrawing();
  const std::string Shown = M.Shown();
  SetDecimalSeparator(Old);
  EXPECT_EQ(Shown, " 1.250");
}

TEST(PanelMeter, ValueRedrawsDigitsAtOnceAndASameValueDrawsNothing) {
  TMeter M;
  M.Repaint();
  M.SetValue(1.5);
  M.FlushDrawing();
  EXPECT_EQ(M.Shown(), " 1.500");
  // A mark over a lit segment survives a repeated value and goes with a new one.
  const TPoint P = M.SegmentPoint(1, 2);
  M.Canvas().SetPixel(P.X, P.Y, clRed);
  TRangeLog Log;
  Log.Attach(M);
  M.SetValue(1.5);
  M.FlushDrawing();
  EXPECT_EQ(M.Px(P.X, P.Y), clRed);
  EXPECT_TRUE(Log.Codes.empty());
  M.SetValue(1.75);
  M.FlushDrawing();
  EXPECT_EQ(M.Px(P.X, P.Y), clLime);
  // The frame is not drawn again by a value change.
  M.Canvas().SetPixel(0, 0, clRed);
  M.SetValue(1.25);
  M.FlushDrawing();
  EXPECT_EQ(M.Px(0, 0), clRed);
}

// ---------------------------------------------------------------------------
// Slots

TEST(PanelMeter, SlotsShowOnlyWhenSwitchedOnAtRunTime) {
  TMeter M;
  TStringList L;
  L.Add("AUTO");
  L.Add("HOLD");
  M.SetSlots(L);
  M.Repaint();
  const auto Rects = M.Geometry().SlotRects;
  ASSERT_EQ(Rects.size(), 2u);
  EXPECT_EQ(Rects[0].Left, 10);
  EXPECT_EQ(Rects[1].Left, Rects[0].Right + 3);
  EXPECT_EQ(Rects[0].Bottom, 53 - 3);
  auto Corner = [&](int I) { return M.Px(Rects[I].Left + 1, Rects[I].Top + 1); };
  EXPECT_EQ(Corner(0), clBlack);
  EXPECT_EQ(Corner(1), clBlack);

  M.SetSlot(1, true);  // drawn at once, without a paint
  EXPECT_EQ(Corner(0), clBlack);
  EXPECT_EQ(Corner(1), clLime);
  EXPECT_TRUE(M.Slot(1));
  M.SetSlot(2, true);  // out of range: ignored
  M.SetSlot(-1, true);
  EXPECT_FALSE(M.Slot(2));
  M.SetSlot(1, false);
  EXPECT_EQ(Corner(1), clBlack);

  M.SetDesigning(true);
  M.Repaint();
  EXPECT_EQ(Corner(0), clLime);
  EXPECT_EQ(Corner(1), clLime);
}

// ---------------------------------------------------------------------------
// Streaming

TEST(PanelMeter, FormTextCarriesTheRangeListAndTheSlots) {
  TMeter A;
  A.SetName("PanelMeter1");
  A.SetDigits(3);
  A.SetSign(pmrOnlyPositive);
  A.SetValueMin(-8);
  A.SetDisplayAngle(10);
  A.SetValue(0.25);
  TStringList L;
  L.Add("V");
  L.Add("mA");
  A.SetSlots(L);
  A.SlotFont().SetSize(10);
  const QString Text = WriteComponentText(&A);
  EXPECT_TRUE(Text.contains("Range = (0.25, -8.0, 1.999, 10.0)")) << Text.toStdString();
  EXPECT_FALSE(HasProperty(Text, "ValueMin")) << Text.toStdString();
  EXPECT_FALSE(HasProperty(Text, "Value")) << Text.toStdString();
  EXPECT_FALSE(HasProperty(Text, "Color")) << Text.toStdString();

  TMeter B;
  ReadComponentText(&B, Text);
  EXPECT_EQ(B.Digits(), 3);
  EXPECT_EQ(B.Sign(), pmrOnlyPositive);
  EXPECT_EQ(B.Format(), "0.00");
  EXPECT_EQ(B.Value(), 0.25);
  EXPECT_EQ(B.ValueMin(), -8);
  EXPECT_EQ(B.DisplayAngle(), 10);
  EXPECT_EQ(B.SlotsText(), QStringList({"V", "mA"}));
  EXPECT_EQ(B.SlotFont().Size(), 10);
  EXPECT_EQ(WriteComponentText(&B), Text);
}

TEST(PanelMeter, DefaultMeterWritesOnlyTheRangeList) {
  TMeter A;
  A.SetName("PanelMeter1");
  const QString Text = WriteComponentText(&A);
  EXPECT_TRUE(Text.contains("Range = (0.0, -1.999, 1.999, 5.0)")) << Text.toStdString();
  for (const char* P : {"Digits", "Sign", "DecimalPoint", "Slots", "BevelWidth", "DisplayColor"})
    EXPECT_FALSE(HasProperty(Text, QString::fromLatin1(P))) << P;
}

TEST(PanelMeter, StandAloneMeterHasTheSameDefaultsUnderItsOwnName) {
  PMeter::TPanelMeter M;
  M.SetName("PanelMeter2");
  EXPECT_EQ(M.ClassName(), "TPanelMeter");
  EXPECT_EQ(M.Format(), " 0.000;-0.000");
  EXPECT_EQ(M.Color(), clBlack);
  EXPECT_EQ(M.DisplayColor(), clLime);
  EXPECT_EQ(M.SlotFont().Name(), "Arial");
  EXPECT_EQ(M.SlotFont().Size(), 8);
  EXPECT_TRUE(WriteComponentText(&M).startsWith("object PanelMeter2: TPanelMeter"));
}
