// LED: lamp shapes (pixel probes), switching and flashing driven through
// the flash timer's Tick, colour changes while on and off, and loading
// from a form text at run time and at design time.
#include <gtest/gtest.h>

#include <string>

#include "quellix/host/Streaming.h"
#include "quellix/instruments/Led.h"
#include "support/ParamRows.h"

using namespace quellix;
using namespace quellix::LedInt;

namespace {

class TLamp : public TLedInt {
public:
  TLamp(Integer W = 20, Integer H = 20) {
    SetBounds(0, 0, W, H);
    SetColor(clWhite);
  }
  TColor Px(Integer X, Integer Y) { return Canvas().Pixel(X, Y); }
};

const TColor Shadow = ColorToRGB(clBtnShadow);

}  // namespace

// ---------------------------------------------------------------------------
// Shapes

struct CircleRow {
  const char* What;
  friend void PrintTo(const CircleRow& R, std::ostream* Os) { *Os << R.What; }
  Integer W, H;
  TRect Box;
};

class LedCircle : public ::testing::TestWithParam<CircleRow> {};

TEST_P(LedCircle, BoundingBox) {
  const CircleRow& R = GetParam();
  EXPECT_EQ(LedCircleBounds(R.W, R.H), R.Box) << R.What;
}

INSTANTIATE_TEST_SUITE_P(Rows, LedCircle,
                         ::testing::Values(CircleRow{"wide lamp centred across", 40, 20, Rect(10, 0, 30, 20)},
                                           CircleRow{"tall lamp centred down", 20, 40, Rect(0, 10, 20, 30)},
                                           CircleRow{"odd difference rounds toward zero", 21, 20, Rect(0, 0, 20, 20)},
                                           CircleRow{"square fills the control", 16, 16, Rect(0, 0, 16, 16)}),
    quellix::testsupport::RowNamer());

TEST(Led, WideCircleLampWithHighlightOnTheBackground) {
  TLamp L(40, 20);
  L.SetValue(true);
  L.Repaint();
  EXPECT_EQ(L.Px(5, 10), clWhite);    // background left of the circle
  EXPECT_EQ(L.Px(35, 10), clWhite);   // and right of it
  EXPECT_EQ(L.Px(25, 14), clRed);     // lamp, lower right of the centre
  EXPECT_EQ(L.Px(10, 10), Shadow);    // outline at the left edge
  // Highlight points (15,10), (20,5), (16,5), (15,6): white inside the lamp.
  EXPECT_EQ(L.Px(16, 7), clWhite);
  EXPECT_EQ(LedHighlight(40, 20), (std::vector<TPoint>{{15, 10}, {20, 5}, {16, 5}, {15, 6}}));
}

struct ArrowRow {
  const char* What;
  friend void PrintTo(const ArrowRow& R, std::ostream* Os) { *Os << R.What; }
  TLedStyle Style;
  TPoint Lit;    // inside the arrow
  TPoint Blank;  // outside it
};

class LedArrow : public ::testing::TestWithParam<ArrowRow> {};

TEST_P(LedArrow, PointsTheRightWay) {
  const ArrowRow& R = GetParam();
  TLamp L(21, 21);
  L.SetStyle(R.Style);
  L.SetValue(true);
  L.Repaint();
  EXPECT_EQ(L.Px(R.Lit.X, R.Lit.Y), clRed) << R.What;
  EXPECT_EQ(L.Px(R.Blank.X, R.Blank.Y), clWhite) << R.What;
}

INSTANTIATE_TEST_SUITE_P(Rows, LedArrow,
                         ::testing::Values(ArrowRow{"left tip at the left middle", lesArrowLeft, {4, 10}, {4, 2}},
                                           ArrowRow{"right tip at the right middle", lesArrowRight, {16, 10}, {16, 2}},
                                           ArrowRow{"up tip at the top middle", lesArrowUp, {10, 4}, {2, 4}},
                                           ArrowRow{"down tip at the bottom middle", lesArrowDown, {10, 16}, {2, 16}},
                                           ArrowRow{"diamond leaves the corners", lesArrowLeftRight, {10, 10}, {2, 2}}),
    quellix::testsupport::RowNamer());

// Around the lamp: the window colour of its own, the colour of the form it
// sits on (through any plain container) as long as ParentColor holds.
TEST(Led, BackgroundIsTheWindowColourOrTheParentsColour) {
  TLedInt Alone;
  EXPECT_EQ(Alone.Color(), clWindow);
  EXPECT_TRUE(Alone.ParentColor());
  Alone.SetBounds(0, 0, 21, 21);
  Alone.SetStyle(lesArrowUp);
  Alone.Repaint();
  EXPECT_EQ(Alone.Canvas().Pixel(1, 1), ColorToRGB(clWindow));

  struct TProbe : TLedInt {
    using TLedInt::TLedInt;
    using TLedInt::EffectiveColor;
  };
  TForm Form;
  Form.SetColor(clYellow);
  QWidget Client(&Form);
  TProbe OnForm(nullptr, &Client);
  EXPECT_EQ(OnForm.EffectiveColor(), clYellow);
  OnForm.SetColor(clAqua);  // a colour of its own ends the following
  EXPECT_EQ(OnForm.EffectiveColor(), clAqua);
}

TEST(Led, BothDoubleArrowsDrawTheSamePicture) {
  TLamp A(30, 17), B(30, 17);
  A.SetStyle(lesArrowLeftRight);
  B.SetStyle(lesArrowUpDown);
  A.Repaint();
  B.Repaint();
  EXPECT_EQ(A.Surface(), B.Surface());
}

TEST(Led, RectangleFilledWithAOnePixelFrame) {
  TLamp L(12, 8);
  L.SetStyle(lesRectangle);
  L.Repaint();
  EXPECT_EQ(L.Px(0, 0), Shadow);
  EXPECT_EQ(L.Px(11, 7), Shadow);
  EXPECT_EQ(L.Px(1, 1), clSilver);
  EXPECT_EQ(L.Px(10, 6), clSilver);
}

TEST(Led, SwitchingDrawsTheLampOverWhatIsShown) {
  TLamp L(40, 20);
  L.Repaint();
  L.Canvas().SetPixel(2, 2, clBlue);  // outside the lamp
  L.SetValue(true);
  L.FlushDrawing();
  EXPECT_EQ(L.Px(25, 14), clRed);
  EXPECT_EQ(L.Px(2, 2), clBlue);  // no background fill outside a paint
}

// ---------------------------------------------------------------------------
// Colours and flashing

TEST(Led, ColourChangesReachTheLampOnlyInTheirState) {
  TLamp L;
  L.SetColorActive(clGreen);  // off: only stored
  EXPECT_EQ(L.CurrentColor(), clSilver);
  L.Repaint();
  EXPECT_EQ(L.Px(13, 13), clSilver);
  L.SetColorInactive(clMaroon);
  EXPECT_EQ(L.CurrentColor(), clMaroon);
  L.SetValue(true);
  EXPECT_EQ(L.CurrentColor(), clGreen);
  L.SetColorInactive(clGray);  // on: only stored
  EXPECT_EQ(L.CurrentColor(), clGreen);
  L.SetColorActive(clBlue);
  EXPECT_EQ(L.CurrentColor(), clBlue);
  L.Repaint();
  EXPECT_EQ(L.Px(13, 13), clBlue);
}

TEST(Led, FlashingFollowsValueAndTicks) {
  TLamp L;
  L.SetFlashing(true);  // off: the timer stays off
  EXPECT_FALSE(L.FlashTimer().Enabled());
  L.SetFlashInterval(200);
  EXPECT_EQ(L.FlashTimer().Interval(), 200);

  L.SetValue(true);
  EXPECT_TRUE(L.FlashTimer().Enabled());
  EXPECT_EQ(L.CurrentColor(), clRed);
  L.FlashTimer().Tick();  // the first tick turns the lamp off
  EXPECT_EQ(L.CurrentColor(), clSilver);
  EXPECT_EQ(L.Px(13, 13), clSilver);
  L.FlashTimer().Tick();
  EXPECT_EQ(L.CurrentColor(), clRed);
  EXPECT_EQ(L.Px(13, 13), clRed);

  // A colour change while flashing shows at once.
  L.SetColorActive(clLime);
  EXPECT_EQ(L.CurrentColor(), clLime);

  L.SetValue(false);
  EXPECT_FALSE(L.FlashTimer().Enabled());
  EXPECT_EQ(L.CurrentColor(), clSilver);
  L.FlashTimer().Tick();  // a late tick while off changes nothing
  EXPECT_EQ(L.CurrentColor(), clSilver);
  L.FlushDrawing();
  EXPECT_EQ(L.Px(13, 13), clSilver);
}

TEST(Led, StoppingTheFlashingShowsTheSteadyColour) {
  TLamp L;
  L.SetValue(true);
  L.SetFlashing(true);
  EXPECT_TRUE(L.FlashTimer().Enabled());
  L.FlashTimer().Tick();
  EXPECT_EQ(L.CurrentColor(), clSilver);
  L.SetFlashing(false);
  EXPECT_FALSE(L.FlashTimer().Enabled());
  EXPECT_EQ(L.CurrentColor(), clRed);
  EXPECT_EQ(L.Px(13, 13), clRed);
}

TEST(Led, DesignTimeNeverFlashes) {
  TLamp L;
  L.SetDesigning(true);
  L.SetFlashing(true);
  L.SetValue(true);
  EXPECT_FALSE(L.FlashTimer().Enabled());
  EXPECT_EQ(L.CurrentColor(), clRed);
}

TEST(Led, IllegalIntervalAndFixedTextsAreIgnored) {
  TLamp L;
  L.SetFlashInterval(0);
  L.SetFlashInterval(-5);
  EXPECT_EQ(L.FlashInterval(), 1000);
  EXPECT_EQ(L.FlashTimer().Interval(), 1000);
  L.SetVersion("V1");
  L.SetCopyright("x");
  EXPECT_EQ(L.Version(), "V2.50");
  EXPECT_EQ(L.Copyright(), TComponentCore::LibraryCopyright());
}

// ---------------------------------------------------------------------------
// Loading

TEST(Led, LoadedFlashingAndOnStartsFlashingAtRunTime) {
  TLamp A;
  A.SetName("Led1");
  A.SetFlashInterval(300);
  A.SetValue(true);
  A.SetFlashing(true);
  A.SetStyle(lesArrowUp);
  const QString Text = WriteComponentText(&A);
  EXPECT_TRUE(Text.contains("Flashing = True")) << Text.toStdString();
  EXPECT_TRUE(Text.contains("Style = lesArrowUp")) << Text.toStdString();

  TLamp B;
  ReadComponentText(&B, Text);
  EXPECT_TRUE(B.Flashing());
  EXPECT_TRUE(B.Value());
  EXPECT_TRUE(B.FlashTimer().Enabled());
  EXPECT_EQ(B.FlashTimer().Interval(), 300);
  EXPECT_EQ(B.Style(), lesArrowUp);
}

TEST(Led, LoadedFlashingAndOnShowsSteadilyAtDesignTime) {
  TLamp A;
  A.SetName("Led1");
  A.SetValue(true);
  A.SetFlashing(true);
  const QString Text = WriteComponentText(&A);

  TLamp B;
  B.SetDesigning(true);
  ReadComponentText(&B, Text);
  EXPECT_TRUE(B.Flashing());
  EXPECT_FALSE(B.FlashTimer().Enabled());
  EXPECT_EQ(B.CurrentColor(), clRed);
}
