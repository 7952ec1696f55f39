// TSlider: button geometry, value logic (quantise, clamp, fire), range
// normalisation, the mouse, the shared linear scale, pixel probes of the
// slot, button and sprite, the value redraw and the "Range" list.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/ExtraProperty.h"
#include "quellix/host/Streaming.h"
#include "quellix/instruments/Slider.h"

using namespace quellix;
using namespace quellix::Slider;

namespace {

// A vertical slider 233 high on a plain background, with a counter on
// OnValueChange.
class TTestSlider : public TSlider {
public:
  explicit TTestSlider(Integer W = 60, Integer H = 233) {
    SetBounds(0, 0, W, H);
    SetColor(clWhite);
    OnValueChange = [this](TObject*) { ++Changes; };
  }
  TColor Px(Integer X, Integer Y) { return Canvas().Pixel(X, Y); }
  int Changes = 0;
};

// Captures the "Range" list property.
QString WriteRange(TSlider& S) { return testsupport::WriteExtra(S, "Range"); }

void ReadRange(TSlider& S, const QString& Text) { testsupport::ReadExtra(S, "Range", Text); }

}  // namespace

TEST(Slider, ButtonRunsBetweenTheOffsets) {
  TTestSlider S;
  S.SetValueMax(50);
  EXPECT_EQ(S.ButtonRect().Bottom, 225);
  S.SetValue(50);
  EXPECT_EQ(S.ButtonRect().Bottom, 18);
  EXPECT_EQ(S.ButtonRect().Top, 8);
  // Across: (60 - 40) div 2 + 1.
  EXPECT_EQ(S.ButtonRect().Left, 11);
  EXPECT_EQ(S.ButtonRect().Right, 51);

  TTestSlider H(233, 60);
  H.SetKind(sbHorizontal);
  H.SetValue(100);
  EXPECT_EQ(H.ButtonRect(), Rect(215, 10, 225, 50));
}

TEST(Slider, SetValueQuantisesClampsAndFiresOnce) {
  struct Row {
    const char* Shows;
    Double Step, Start, Set, Expect;
    int Fires;
  };
  const Row Rows[] = {
      {"step 5 rounds to the nearest multiple", 5, 0, 12.6, 15, 1},
      {"a half step rounds to even", 5, 0, 12.5, 10, 1},
      {"continuous value kept as set", 0, 0, 12.34, 12.34, 1},
      {"value above max clamps", 0, 0, 130, 100, 1},
      {"value below min clamps", 0, 50, -3, 0, 1},
      {"clamped value equal to the stored one fires nothing", 0, 100, 250, 100, 0},
      {"the same value again fires nothing", 0, 40, 40, 40, 0},
      {"quantised to the stored value fires nothing", 5, 10, 11, 10, 0},
      {"NaN is refused", 0, 30, std::numeric_limits<Double>::quiet_NaN(), 30, 0},
  };
  for (const Row& R : Rows) {
    SCOPED_TRACE(R.Shows);
    TTestSlider S;
    S.SetValue(R.Start);
    S.SetValueStepWidth(R.Step);
    S.Changes = 0;
    S.SetValue(R.Set);
    EXPECT_DOUBLE_EQ(S.Value(), R.Expect);
    EXPECT_EQ(S.Changes, R.Fires);
  }
}

TEST(Slider, StepWidthRequantisesAtOnce) {
  TTestSlider S;
  S.SetValue(13);
  S.Changes = 0;
  S.SetValueStepWidth(5);
  EXPECT_DOUBLE_EQ(S.Value(), 15);
  EXPECT_EQ(S.Changes, 1);
  S.SetValueStepWidth(-1);  // refused
  EXPECT_DOUBLE_EQ(S.ValueStepWidth(), 5);
}

TEST(Slider, RangeLimitsRefuseCrossingAndKeepValue) {
  TTestSlider S;
  S.SetValue(80);
  S.SetValueMin(100);  // not below ValueMax
  EXPECT_DOUBLE_EQ(S.ValueMin(), 0);
  S.SetValueMax(0);  // not above ValueMin
  EXPECT_DOUBLE_EQ(S.ValueMax(), 100);
  S.SetValueMax(50);
  EXPECT_DOUBLE_EQ(S.ValueMax(), 50);
  EXPECT_DOUBLE_EQ(S.Value(), 80);  // not adjusted
}

TEST(Slider, RangesAreNormalisedAfterEveryChange) {
  TTestSlider S;
  S.SetRangeNumber(3);
  S.SetRangeCurrent(1);
  S.SetRangeLimit(-20);  // clamped to ValueMin
  EXPECT_DOUBLE_EQ(S.RangeLimit(), 0);
  S.SetRangeLimit(30);
  S.SetRangeCurrent(2);
  S.SetRangeLimit(70);
  S.SetValueMax(50);
  EXPECT_DOUBLE_EQ(S.Ranges().Range(1).Limit, 30);
  EXPECT_DOUBLE_EQ(S.Ranges().Range(2).Limit, 50);
  EXPECT_DOUBLE_EQ(S.Ranges().Range(3).Limit, 50);
  // Fewer ranges: the new last one ends at ValueMax.
  S.SetRangeNumber(1);
  EXPECT_DOUBLE_EQ(S.Ranges().Range(1).Limit, 50);
  S.SetRangeNumber(17);
  S.SetRangeNumber(0);
  EXPECT_EQ(S.RangeNumber(), 1);
}

TEST(Slider, MouseClicksAndDrags) {
  TTestSlider S;
  S.SetValueMax(50);
  // A click in the slot below the button: the button centre jumps there.
  S.MouseDown(mbLeft, 0, 30, 120);
  EXPECT_NEAR(S.Value(), 50.0 * ((233 - 5 - 8) - 120) / 207, 1e-9);
  EXPECT_EQ(S.Changes, 1);
  EXPECT_TRUE(S.Dragging());
  // Dragging up by 41 pixels adds 50 * 41 / 207.
  const Double AtPress = S.Value();
  S.MouseMove(0, 30, Integer(120 - 207 / 5));
  EXPECT_NEAR(S.Value(), AtPress + 50.0 * (207 / 5) / 207, 1e-9);
  S.MouseUp(mbLeft, 0, 30, 0);
  EXPECT_FALSE(S.Dragging());
  const Double Before = S.Value();
  S.MouseMove(0, 30, 10);  // no longer dragging
  EXPECT_DOUBLE_EQ(S.Value(), Before);

  // Outside the slot and the button nothing happens.
  S.Changes = 0;
  S.MouseDown(mbLeft, 0, 2, 120);
  EXPECT_FALSE(S.Dragging());
  EXPECT_EQ(S.Changes, 0);

  // A right click does not move the button.
  S.MouseDown(mbRight, 0, 30, 60);
  EXPECT_EQ(S.Changes, 0);

  // Disabled: the mouse is ignored.
  S.SetEnabled(false);
  S.MouseDown(mbLeft, 0, 30, 60);
  EXPECT_EQ(S.Changes, 0);
  EXPECT_FALSE(S.Dragging());
}

TEST(Slider, DraggingWithStepWidthGivesOnlyMultiples) {
  TTestSlider S;
  S.SetValueStepWidth(5);
  S.SetValue(50);
  const TRect B = S.ButtonRect();
  const Integer Y0 = (B.Top + B.Bottom) / 2;
  S.MouseDown(mbLeft, 0, 30, Y0);
  ASSERT_TRUE(S.Dragging());
  for (Integer Y = Y0; Y > 0; Y -= 3) {
    S.MouseMove(0, 30, Y);
    EXPECT_DOUBLE_EQ(std::fmod(S.Value(), 5.0), 0.0) << "at y " << Y;
  }
  EXPECT_DOUBLE_EQ(S.Value(), 100);
}

TEST(Slider, NoTravelLeavesTheValueAlone) {
  // Offsets and button fill the whole height: no pixel of travel.
  TTestSlider S(60, 26);
  S.SetValue(40);
  S.MouseDown(mbLeft, 0, 30, 12);
  S.MouseMove(0, 30, -400);
  EXPECT_DOUBLE_EQ(S.Value(), 40);
  EXPECT_FALSE(std::isnan(S.Value()));
}

TEST(Slider, AsymmetricStyleWidensTheButtonToAPointer) {
  TTestSlider S(90, 233);
  S.SetButtonWidth(200);
  EXPECT_EQ(S.ButtonWidth(), 88);  // C - 2
  S.SetButtonWidth(30);
  S.SetLabelingStyle(lbsAsymmetric);
  EXPECT_EQ(S.ButtonWidth(), 88);
  // With a picture button the width stays where it was set.
  TTestSlider P(90, 233);
  TPicture Pic;
  Pic.SetImage(QImage(8, 8, QImage::Format_RGB32));
  P.SetPictureButton(Pic);
  P.SetButtonWidth(30);
  P.SetLabelingStyle(lbsAsymmetric);
  P.SetButtonWidth(50);
  EXPECT_EQ(P.ButtonWidth(), 30);
}

TEST(Slider, KindSwapsTheBoundsOnlyAtDesignTime) {
  TTestSlider S(60, 233);
  S.SetKind(sbHorizontal);
  EXPECT_EQ(S.Width(), 60);
  S.SetDesigning(true);
  S.SetKind(sbVertical);
  EXPECT_EQ(S.Width(), 233);
  EXPECT_EQ(S.Height(), 60);
}

TEST(Slider, PaintShowsSunkenSlotRangesAndRaisedButton) {
  TTestSlider S;
  S.SetValueMax(50);
  S.SetRangeNumber(2);
  S.SetRangeCurrent(1);
  S.SetRangeColor(clLime);
  S.SetRangeLimit(20);
  S.SetRangeCurrent(2);
  S.SetRangeColor(clRed);
  S.SetValue(50);  // button at the top, out of the way
  S.SetBevelColor1(clYellow);
  S.SetBevelColor2(clNavy);
  S.SetButtonColor(clSilver);
  S.SetButtonBorderColor(clGray);
  S.Repaint();
  const TRect Slot = S.SlotRect();
  EXPECT_EQ(Slot, Rect(25, 8, 35, 225));
  EXPECT_EQ(S.Px(25, 100), clNavy);    // sunken: dark left edge
  EXPECT_EQ(S.Px(34, 100), clYellow);  // light right edge
  EXPECT_EQ(S.Px(10, 100), clWhite);   // background
  // Range 1 ends under the button centre for 20: Round(20 * (215 - 10) / 50)
  // + 5 = 87 pixels above the inner slot's bottom (224, exclusive).
  EXPECT_EQ(S.Px(30, 224 - 87), clLime);
  EXPECT_EQ(S.Px(30, 224 - 88), clRed);
  // Button: raised, flat, sunken frames, face.
  const TRect B = S.ButtonRect();
  EXPECT_EQ(S.Px(B.Left, B.Top + 5), clYellow);
  EXPECT_EQ(S.Px(B.Left + 1, B.Top + 5), clGray);
  EXPECT_EQ(S.Px(B.Left + 2, B.Top + 5), clNavy);
  EXPECT_EQ(S.Px(B.Left + 10, B.Top + 4), clSilver);
  EXPECT_EQ(S.Px(B.Right - 1, B.Top + 5), clNavy);
}

TEST(Slider, ValueRedrawTouchesOnlyTheButtonAreas) {
  for (bool Reduce : {false, true}) {
    SCOPED_TRACE(Reduce ? "through the bitmap" : "direct");
    TTestSlider S;
    S.SetReduceFlicker(Reduce);
    EXPECT_EQ(S.Bitmap() != nullptr, Reduce);
    S.SetButtonColor(clSilver);
    S.Repaint();
    // A marker the redraw must leave alone, and the old button area.
    S.Canvas().SetPixel(5, 100, clRed);
    S.SetValue(50);
    S.FlushDrawing();
    const TRect New = S.ButtonRect();
    EXPECT_EQ(S.Px(5, 100), clRed);
    EXPECT_EQ(S.Px(New.Left + 10, New.Top + 4), clSilver);
    // The old button (at the bottom) is gone: slot again.
    EXPECT_NE(S.Px(40, 220), clSilver);
  }
  TTestSlider S;
  S.SetReduceFlicker(true);
  S.SetReduceFlicker(false);
  EXPECT_EQ(S.Bitmap(), nullptr);
}

TEST(Slider, PictureButtonIsDrawnAsAMaskedSprite) {
  TTestSlider S;
  S.SetValue(50);
  // Mask: black left half (the sprite's shape), white right half.
  QImage Mask(40, 10, QImage::Format_RGB32);
  Mask.fill(Qt::white);
  for (int Y = 0; Y < 10; ++Y)
    for (int X = 0; X < 20; ++X) Mask.setPixel(X, Y, qRgb(0, 0, 0));
  QImage Pic(38, 8, QImage::Format_RGB32);
  Pic.fill(Qt::black);
  for (int Y = 0; Y < 8; ++Y)
    for (int X = 0; X < 19; ++X) Pic.setPixel(X, Y, qRgb(0, 0, 255));
  TPicture PM, PB;
  PM.SetImage(Mask);
  PB.SetImage(Pic);
  S.SetPictureMask(PM);
  S.SetPictureButton(PB);
  S.Repaint();
  const TRect B = S.ButtonRect();
  EXPECT_EQ(S.Px(B.Left + 5, B.Top + 5), clBlue);     // sprite
  EXPECT_EQ(S.Px(B.Right - 3, B.Top + 5), clWhite);   // background shows through
}

TEST(Slider, TinySliderRaisesTheGapToTwoPixelTicks) {
  TTestSlider S(60, 60);  // scale length 60 - 10 - 16 = 34
  S.SetValueMax(1000);
  S.SetLabelingGap(1);
  S.SetLabelingStyle(lbsLines);
  S.Repaint();
  EXPECT_DOUBLE_EQ(S.LabelingGap(), 1000.0 * 2 / 34);
}

TEST(Slider, TicksMeetTheButtonCentres) {
  TTestSlider S(80, 233);
  S.SetLabelingStyle(lbsLines);
  S.SetLabelingGap(25);
  S.SetColor(clWhite);
  S.LabelingFont().SetColor(clBlack);
  S.Repaint();
  for (Double V : {0.0, 25.0, 50.0, 75.0, 100.0}) {
    SCOPED_TRACE(V);
    S.SetValue(V);
    const TRect B = S.ButtonRect();
    const Integer Centre = B.Bottom - 5;  // ButtonHeight div 2 above the bottom edge
    EXPECT_EQ(S.Px(2, Centre), clBlack);
    EXPECT_EQ(S.Px(2, Centre - 2), clWhite);
  }
}

TEST(Slider, RangeListRoundTripsAndRestoresCrossedLimits) {
  TTestSlider S;
  ReadRange(S, QStringLiteral("((65280, 20.0, 65535, 40.0, 255, 50.0), 0.0, 0.0, 50.0, 0.0, 5.0)"));
  EXPECT_EQ(S.RangeNumber(), 3);
  EXPECT_DOUBLE_EQ(S.ValueMax(), 50);
  EXPECT_EQ(S.Ranges().Range(2).Color, clYellow);
  EXPECT_EQ(WriteRange(S), QStringLiteral("((65280, 20.0, 65535, 40.0, 255, 50.0), 0.0, 0.0, 50.0, 0.0, 5.0)"));

  // A range above the default one: ValueMin 200 comes before ValueMax 300.
  TSlider A;
  A.SetName(QStringLiteral("Slider1"));
  A.SetValueMax(300);
  A.SetValueMin(200);
  A.SetValueStepWidth(2);
  A.SetValue(251);
  A.SetLabelingStyle(lbsBoth);
  A.SetKind(sbHorizontal);
  const QString Text = WriteComponentText(&A);
  TSlider B;
  ReadComponentText(&B, Text);
  EXPECT_DOUBLE_EQ(B.ValueMin(), 200);
  EXPECT_DOUBLE_EQ(B.ValueMax(), 300);
  EXPECT_DOUBLE_EQ(B.Value(), 252);
  EXPECT_EQ(B.LabelingStyle(), lbsBoth);
  EXPECT_EQ(B.Kind(), sbHorizontal);
  EXPECT_EQ(WriteComponentText(&B), Text);
}

TEST(Slider, FixedTextsIgnoreAssignments) {
  TSlider S;
  S.SetVersion(QStringLiteral("V9"));
  EXPECT_EQ(S.Version(), QStringLiteral("V2.11"));
  EXPECT_EQ(S.Copyright(), TComponentCore::LibraryCopyright());
  EXPECT_EQ(S.Color(), clBtnFace);
  EXPECT_EQ(S.LabelingFont().Name(), QStringLiteral("Arial"));
}
