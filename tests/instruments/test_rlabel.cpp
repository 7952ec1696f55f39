// Rotated label: angle reduction, the box and start point per quadrant,
// sizing under Align, the drawn text (pixel probes) and streaming of the
// angle.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "quellix/host/Streaming.h"
#include "quellix/instruments/RotateLabel.h"
#include "support/ParamRows.h"

using namespace quellix;
using namespace quellix::RLabel;

namespace {

class TLabel : public TRotateLabel {
public:
  TLabel() {
    SetColor(clWhite);
    Font().SetHeight(-19);
    Font().SetColor(clBlack);
  }
  // The smallest rectangle around the pixels that are not background.
  TRect Ink() {
    TRect R{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (Integer Y = 0; Y < Height(); ++Y)
      for (Integer X = 0; X < Width(); ++X)
        if (Canvas().Pixel(X, Y) != clWhite) {
          R.Left = std::min(R.Left, X);
          R.Top = std::min(R.Top, Y);
          R.Right = std::max(R.Right, X + 1);
          R.Bottom = std::max(R.Bottom, Y + 1);
        }
    return R;
  }
  int InkCount() {
    int N = 0;
    for (Integer Y = 0; Y < Height(); ++Y)
      for (Integer X = 0; X < Width(); ++X) N += Canvas().Pixel(X, Y) != clWhite;
    return N;
  }
};

}  // namespace

struct AngleRow {
  const char* What;
  friend void PrintTo(const AngleRow& R, std::ostream* Os) { *Os << R.What; }
  Integer In;
  Integer Stored;
};

class LabelAngle : public ::testing::TestWithParam<AngleRow> {};

TEST_P(LabelAngle, Reduced) {
  const AngleRow& R = GetParam();
  TRotateLabel L;
  L.SetAngle(R.In);
  EXPECT_EQ(L.Angle(), R.Stored) << R.What;
}

INSTANTIATE_TEST_SUITE_P(Rows, LabelAngle,
                         ::testing::Values(AngleRow{"one turn and a quarter", 450, 90},
                                           AngleRow{"below minus half a turn", -200, 160},
                                           AngleRow{"three quarters become minus one", 270, -90},
                                           AngleRow{"minus three quarters become one", -270, 90},
                                           AngleRow{"one and a half turns", 540, 180},
                                           AngleRow{"minus half a turn stays", -180, -180},
                                           AngleRow{"full turn is zero", 360, 0},
                                           AngleRow{"smallest integer without overflow", INT_MIN, -128}),
    quellix::testsupport::RowNamer());

struct PlaceRow {
  const char* What;
  friend void PrintTo(const PlaceRow& R, std::ostream* Os) { *Os << R.What; }
  Integer Angle;
  TRotatedTextPlace Place;
};

class LabelPlace : public ::testing::TestWithParam<PlaceRow> {};

TEST_P(LabelPlace, BoxAndStart) {
  const PlaceRow& R = GetParam();
  const TRotatedTextPlace P = RotatedTextPlace(R.Angle, 120, 19);
  EXPECT_EQ(P.BoxWidth, R.Place.BoxWidth) << R.What;
  EXPECT_EQ(P.BoxHeight, R.Place.BoxHeight) << R.What;
  EXPECT_EQ(P.Origin, R.Place.Origin) << R.What;
}

// A caption 120 wide and 19 high.
INSTANTIATE_TEST_SUITE_P(Rows, LabelPlace,
                         ::testing::Values(PlaceRow{"level text starts top left", 0, {120, 19, {0, 0}}},
                                           PlaceRow{"upward text starts bottom left", 90, {19, 120, {0, 120}}},
                                           PlaceRow{"downward text starts top right", -90, {19, 120, {19, 0}}},
                                           PlaceRow{"upside down starts bottom right", 180, {120, 19, {120, 19}}},
                                           PlaceRow{"minus half a turn as half a turn", -180, {120, 19, {120, 19}}},
                                           PlaceRow{"diagonal up", 45, {98, 98, {0, 85}}},
                                           PlaceRow{"diagonal down", -45, {98, 98, {13, 0}}},
                                           PlaceRow{"steep up to the left", 135, {98, 98, {85, 98}}},
                                           PlaceRow{"steep down to the left", -135, {98, 98, {98, 13}}}),
    quellix::testsupport::RowNamer());

TEST(RotateLabel, Defaults) {
  TRotateLabel L;
  EXPECT_EQ(L.Angle(), 45);
  EXPECT_EQ(L.Caption(), "RotateLabel");
  EXPECT_EQ(L.Font().Name(), "Arial");
  EXPECT_EQ(L.Version(), "V2.0");
  L.SetVersion("x");
  L.SetCopyright("y");
  EXPECT_EQ(L.Version(), "V2.0");
  EXPECT_EQ(L.Copyright(), TComponentCore::LibraryCopyright());
}

TEST(RotateLabel, UpwardCaptionSizesTheControlAndStaysInside) {
  TLabel L;
  L.SetCaption("Measure Source");
  L.SetAngle(90);
  L.Repaint();
  const TSize E = [&] {
    TCanvas& C = L.Canvas();
    C.Font() = L.Font();
    return C.TextExtent(L.Caption());
  }();
  EXPECT_EQ(L.Width(), E.cy);
  EXPECT_EQ(L.Height(), E.cx);
  const TRect Ink = L.Ink();
  ASSERT_LT(Ink.Left, Ink.Right);
  // Text reading upward fills most of the height and little of the width.
  EXPECT_GE(Ink.Height(), E.cx * 8 / 10);
  EXPECT_LE(Ink.Width(), E.cy);
  EXPECT_GE(Ink.Top, 0);
  EXPECT_LE(Ink.Bottom, L.Height());
}

TEST(RotateLabel, LevelCaptionDrawsLikeAPlainLabel) {
  TLabel L;
  L.SetCaption("Prinzip");
  L.SetAngle(0);
  L.Repaint();
  TBitmap B(L.Width(), L.Height());
  B.Canvas().Brush().Color = clWhite;
  B.Canvas().FillRect(Rect(0, 0, L.Width(), L.Height()));
  B.Canvas().Font() = L.Font();
  B.Canvas().Brush().Style = bsClear;
  const TSize E = B.Canvas().TextExtent("Prinzip");
  EXPECT_EQ(L.Width(), E.cx);
  EXPECT_EQ(L.Height(), E.cy);
  B.Canvas().TextOut(0, 0, "Prinzip");
  EXPECT_EQ(L.Surface(), B.Image());
}

TEST(RotateLabel, NewCaptionResizesAtOnce) {
  TLabel L;
  L.SetAngle(90);
  L.SetCaption("A");
  const Integer Short = L.Height();
  L.SetCaption("A much longer caption");
  EXPECT_GT(L.Height(), 3 * Short);
  EXPECT_EQ(L.Height(), L.TextPlace().BoxHeight);
}

TEST(RotateLabel, AlignLeavesTheOtherSideAlone) {
  TLabel L;
  L.SetCaption("Abc");
  L.SetAngle(90);
  const TRotatedTextPlace P = L.TextPlace();

  L.SetAlign(alNone);
  L.SetBounds(0, 0, 200, 200);
  L.SetAlignInt(alLeft);
  L.SetBounds(0, 0, 200, 200);  // a parentless control keeps what it is given
  L.AdjustBounds();
  EXPECT_EQ(L.Width(), P.BoxWidth);
  EXPECT_EQ(L.Height(), 200);

  L.SetAlignInt(alTop);
  L.SetBounds(0, 0, 200, 200);
  L.AdjustBounds();
  EXPECT_EQ(L.Width(), 200);
  EXPECT_EQ(L.Height(), P.BoxHeight);

  L.SetAlignInt(alClient);
  L.SetBounds(0, 0, 200, 200);
  L.AdjustBounds();
  EXPECT_EQ(L.Width(), 200);
  EXPECT_EQ(L.Height(), 200);
}

TEST(RotateLabel, BoldUnderlineAndStrikeOutAreDrawn) {
  TLabel Plain, Styled;
  for (TLabel* L : {&Plain, &Styled}) {
    L->SetCaption("Prinzip");
    L->SetAngle(90);
  }
  Styled.Font().SetStyle(fsBold | fsUnderline | fsStrikeOut);
  Plain.Repaint();
  Styled.Repaint();
  EXPECT_GT(Styled.InkCount(), Plain.InkCount() * 13 / 10);
}

TEST(RotateLabel, EveryAngleComesBackFromAFormText) {
  for (Integer Angle : {0, 45, 90, -180}) {
    TRotateLabel A;
    A.SetName("RotateLabel1");
    A.SetAngle(Angle);
    A.SetCaption("Prinzip");
    const QString Text = WriteComponentText(&A);
    TRotateLabel B;
    ReadComponentText(&B, Text);
    EXPECT_EQ(B.Angle(), Angle) << Text.toStdString();
    EXPECT_EQ(B.Caption(), "Prinzip");
  }
}
