// TDial: quantising and clamping the value, its event, the mouse, the
// layout's knob radius and labelled ticks, the shaded body, the partial
// redraw against a full paint, and streaming.
#include <gtest/gtest.h>

#include <cmath>

#include "quellix/host/Streaming.h"
#include "quellix/host/NumberFormat.h"
#include "quellix/instruments/Dial.h"

using namespace quellix;
using namespace quellix::dial;

namespace {

constexpr TColor Back = clSilver;

class TTestDial : public TDial {
public:
  explicit TTestDial(Integer W = 120, Integer H = 120) {
    SetBounds(0, 0, W, H);
    SetColor(Back);
    OnValueChange = [this](TObject* Sender) {
      EXPECT_EQ(Sender, this);
      ++Changes;
    };
  }
  TColor Px(Integer X, Integer Y) { return Canvas().Pixel(X, Y); }
  // The point at angle a (degrees) and radius in percent of the knob radius.
  TPoint At(Double a, Double Percent) const {
    const Double rho = KnobRadius() * Percent * 0.01, r = a * M_PI / 180;
    return {PivotX() + Integer(std::lround(rho * std::sin(r))), Height() - PivotY() - Integer(std::lround(rho * std::cos(r)))};
  }
  void Click(TPoint P, TMouseButton B = mbLeft) {
    MouseDown(B, 0, P.X, P.Y);
    MouseUp(B, 0, P.X, P.Y);
  }
  int Changes = 0;
};

int Brightness(TColor C) {
  C = ColorToRGB(C);
  return (C & 0xFF) + ((C >> 8) & 0xFF) + ((C >> 16) & 0xFF);
}

}  // namespace

// ---------------------------------------------------------------------------
// Value

TEST(DialValue, QuantisedToTheStepWidthHalvesToEven) {
  struct Row {
    const char* Shows;
    Double Set, Is;
  } Rows[] = {
      {"14 rounds down", 14, 10},
      {"15 rounds to the even 20", 15, 20},
      {"25 rounds to the even 20", 25, 20},
      {"-4 rounds to 0", -4, 0},
      {"above ValueMax clamps", 150, 100},
  };
  for (const Row& R : Rows) {
    TTestDial D;
    D.SetValueStepWidth(10);
    D.SetValue(R.Set);
    EXPECT_EQ(D.Value(), R.Is) << R.Shows;
  }
}

TEST(DialValue, ClampedValueFiresOnceAndARepeatFiresNothing) {
  TTestDial D;
  D.SetValue(150);
  EXPECT_EQ(D.Value(), 100);
  EXPECT_EQ(D.Changes, 1);
  D.SetValue(150);
  D.SetValue(100);
  EXPECT_EQ(D.Changes, 1);
  D.SetValue(std::nan(""));
  EXPECT_EQ(D.Value(), 100);
}

TEST(DialValue, StepWidthReappliesTheValue) {
  TTestDial D;
  D.SetValue(37);
  D.SetValueStepWidth(5);
  EXPECT_EQ(D.Value(), 35);
  EXPECT_EQ(D.Changes, 2);
}

TEST(DialValue, MovingTheScaleEndsMovesTheValueQuietly) {
  TTestDial D;
  D.SetValue(20);
  D.Changes = 0;
  D.SetValueMin(50);
  EXPECT_EQ(D.Value(), 50);
  D.SetValueMax(40);  // below ValueMin: the ends stay apart
  EXPECT_EQ(D.ValueMax(), 40);
  EXPECT_EQ(D.ValueMin(), 39);
  EXPECT_EQ(D.Value(), 40);
  EXPECT_EQ(D.Changes, 0);
}

TEST(DialSetters, IgnoredValues) {
  TTestDial D;
  D.SetBevelColor(clBtnFace);
  EXPECT_EQ(D.BevelColor(), clWhite);
  D.SetScaleAngle1(200);
  EXPECT_EQ(D.ScaleAngle1(), -150);
  D.SetScaleAngle2(-160);
  EXPECT_EQ(D.ScaleAngle2(), 150);
  D.SetScaleAngle1(-400);
  EXPECT_EQ(D.ScaleAngle1(), -150);
  D.SetValueGap(0);
  EXPECT_EQ(D.ValueGap(), 10);
  D.SetTickOuter(0);
  EXPECT_EQ(D.TickOuter(), 110);
}

// ---------------------------------------------------------------------------
// Mouse

TEST(DialMouse, ClicksTurnTheKnobWithinTheScaleAngles) {
  TTestDial D;
  D.Repaint();
  D.Click(D.At(180, 50));  // straight down, beyond 150
  EXPECT_EQ(D.Value(), 100);
  D.Click(D.At(-170, 50));  // beyond -150
  EXPECT_EQ(D.Value(), 0);
  D.Click(D.At(0, 50));
  EXPECT_NEAR(D.Value(), 50, 1e-9);
  D.Click(D.At(90, 90));
  EXPECT_NEAR(D.Value(), 80, 1e-9);
}

TEST(DialMouse, ClicksThatDoNothing) {
  TTestDial D(160, 120);
  D.Repaint();
  D.SetValue(30);
  D.Changes = 0;
  D.Click(Point(2, 2));  // inside the control, outside the knob
  D.Click(D.At(90, 50), mbRight);
  D.Click(Point(D.PivotX(), D.PivotY()));  // the centre has no angle
  D.SetEnabled(false);
  D.Click(D.At(90, 50));
  EXPECT_EQ(D.Value(), 30);
  EXPECT_EQ(D.Changes, 0);
}

TEST(DialMouse, DraggingFollowsThePointerUntilTheButtonIsUp) {
  TTestDial D;
  D.Repaint();
  D.MouseDown(mbLeft, 0, D.At(0, 50).X, D.At(0, 50).Y);
  EXPECT_TRUE(D.Dragging());
  const TPoint Far = D.At(90, 300);  // outside the knob and the control
  D.MouseMove(ssLeft, Far.X, Far.Y);
  EXPECT_NEAR(D.Value(), 80, 0.5);
  D.MouseUp(mbLeft, 0, Far.X, Far.Y);
  EXPECT_FALSE(D.Dragging());
  const TPoint Left = D.At(-90, 50);
  D.MouseMove(0, Left.X, Left.Y);
  EXPECT_NEAR(D.Value(), 80, 0.5);
}

TEST(DialMouse, GrabbingTheIndicatorOutsideTheKnobStartsADrag) {
  TTestDial D;
  D.SetIndicatorInner(100);
  D.SetIndicatorOuter(130);
  D.Repaint();
  const TRect R = D.IndicatorRect();
  const TPoint Corner{R.Left, R.Top};
  ASSERT_FALSE(D.InKnob(Corner.X, Corner.Y));
  D.MouseDown(mbLeft, 0, Corner.X, Corner.Y);
  EXPECT_TRUE(D.Dragging());
  EXPECT_EQ(D.Changes, 0);
}

// ---------------------------------------------------------------------------
// Layout

TEST(DialLayout, KnobRadiusFromTheNearerEdge) {
  struct Row {
    const char* Shows;
    Integer W, H, TickOuter, r;
  } Rows[] = {
      {"square", 120, 120, 110, 55},       // Round(60 * 100 / 110) = 55
      {"wide: the height rules", 100, 80, 110, 36},
      {"tall: the width rules", 80, 100, 110, 36},
      {"ticks at the radius", 120, 120, 100, 60},
  };
  for (const Row& R : Rows) {
    TTestDial D(R.W, R.H);
    D.SetTickOuter(R.TickOuter);
    D.Repaint();
    EXPECT_EQ(D.KnobRadius(), R.r) << R.Shows;
  }
}

TEST(DialLayout, LabelledTicksAreLongerAtTheLabelValues) {
  TTestDial D(220, 220);
  D.SetValueMin(10);  // the first tick is not on a label step of 20 or more
  D.SetValueMax(200);
  D.SetTicks(true);
  D.SetLabels(true);
  D.Repaint();
  const auto& T = D.TickMarks();
  const auto& L = D.LabelList();
  ASSERT_GE(L.size(), 2u);
  ASSERT_GT(L[1].Value - L[0].Value, D.ValueGap());  // thinned
  auto Length = [](const TDial::TTickMark& t) { return std::hypot(t.Outer.X - t.Inner.X, t.Outer.Y - t.Inner.Y); };
  ASSERT_EQ(L[0].Value, 20);
  const Double Plain = Length(T[0]);  // the tick at 10
  for (const auto& Lb : L) {
    ASSERT_GE(Lb.Tick, 0);
    EXPECT_NEAR(Length(T[Lb.Tick]) - Plain, 5, 1.5) << Lb.Text.toStdString();
  }
}

TEST(DialLayout, NoRoomForLabelsBlanksTheKnobAndFreezesTheValue) {
  TTestDial D(40, 40);
  D.SetInnerColor(clWhite);
  D.SetValueMax(100000);
  D.SetLabels(true);
  D.Repaint();
  ASSERT_TRUE(D.NoScale());
  D.SetValue(50);
  EXPECT_EQ(D.Value(), 0);
  EXPECT_EQ(D.Px(20, 20), Back);
  // Without labels the knob is back.
  D.SetLabels(false);
  D.Repaint();
  EXPECT_FALSE(D.NoScale());
  EXPECT_EQ(D.Px(20, 20), clWhite);
}

// ---------------------------------------------------------------------------
// Drawing

TEST(DialDrawing, RaisedAndSunkenOuterBevels) {
  for (Integer Bevel : {6, -6}) {
    TTestDial D(120, 120);
    D.SetBevelOuterWidth(Bevel);
    D.Repaint();
    const Double Rim = 100 - 300.0 / D.KnobRadius();  // 3 pixels inside the rim
    const int UpperLeft = Brightness(D.Px(D.At(-45, Rim).X, D.At(-45, Rim).Y));
    const int LowerRight = Brightness(D.Px(D.At(135, Rim).X, D.At(135, Rim).Y));
    if (Bevel > 0)
      EXPECT_GT(UpperLeft, LowerRight + 300) << "raised";
    else
      EXPECT_LT(UpperLeft + 300, LowerRight) << "sunken";
  }
}

TEST(DialDrawing, BevelShadingFollowsTheKnobInAWideControl) {
  // Mirror images across the light's axis (upper left to lower right)
  // are shaded alike, also when the knob is not at (Width/2, Width/2).
  TTestDial D(240, 120);
  D.SetBevelOuterWidth(6);
  D.Repaint();
  const Double Rim = 100 - 300.0 / D.KnobRadius();
  for (Double d : {20.0, 50.0, 70.0}) {
    const TPoint A = D.At(-45 + d, Rim), B = D.At(-45 - d, Rim);
    EXPECT_NEAR(Brightness(D.Px(A.X, A.Y)), Brightness(D.Px(B.X, B.Y)), 60) << d;
  }
}

TEST(DialDrawing, IndicatorColourAndDisabledShadow) {
  TTestDial D;
  D.SetIndicatorInner(60);
  D.SetIndicatorOuter(90);
  D.SetValue(50);
  D.Repaint();
  const TPoint Centre = D.At(0, 75);
  EXPECT_EQ(D.Px(Centre.X, Centre.Y), clRed);
  D.SetEnabled(false);
  D.Repaint();
  EXPECT_EQ(D.Px(Centre.X, Centre.Y), ColorToRGB(clBtnShadow));
}

TEST(DialDrawing, TurningLeavesTheSamePictureAsAFullPaint) {
  for (TDialIndicator Style : {diaCircle, diaTriangle, diaLine}) {
    TTestDial D(160, 160);
    D.SetTicks(true);
    D.SetLabels(true);
    D.SetCaption(QStringLiteral("U1"));
    D.SetIndicatorStyle(Style);
    D.SetIndicatorInner(40);
    D.SetIndicatorOuter(95);
    D.Repaint();
    for (Double V : {3.0, 4.0, 50.0, 51.0, 97.0, 20.0}) {
      D.SetValue(V);
      D.FlushDrawing();
      const QImage Turned = D.Surface().copy();
      D.Repaint();
      EXPECT_TRUE(Turned == D.Surface()) << int(Style) << " at " << V;
    }
  }
}

TEST(DialDrawing, ResizingRebuildsTheBody) {
  TTestDial D(100, 100);
  D.Repaint();
  EXPECT_EQ(D.Body().Width(), 100);
  D.SetBounds(0, 0, 150, 150);
  D.Repaint();
  EXPECT_EQ(D.Body().Width(), 150);
  EXPECT_EQ(D.KnobRadius(), Round(75 * 100.0 / 110));
  // TickOuter changes the radius: the body follows.
  D.SetTickOuter(150);
  D.Repaint();
  const TPoint Edge = D.At(90, 95);
  EXPECT_NE(D.Px(Edge.X, Edge.Y), Back);
  const TPoint Out = D.At(90, 115);
  EXPECT_EQ(D.Px(Out.X, Out.Y), Back);
}

// ---------------------------------------------------------------------------
// Streaming

TEST(DialStreaming, RangeListAndIndicatorInnerSurviveARoundTrip) {
  for (Integer Inner : {70, 75, 20}) {
    TTestDial A;
    A.SetName(QStringLiteral("Dial1"));
    A.SetScaleAngle1(-140);
    A.SetScaleAngle2(140);
    A.SetValueStepWidth(10);
    A.SetValue(40);
    A.SetIndicatorInner(Inner);
    const QString Text = WriteComponentText(&A);
    EXPECT_TRUE(Text.contains(QStringLiteral("Range = (40.0, 0.0, 100.0, 10.0, 10.0, -140.0, 140.0)")))
        << Text.toStdString();
    TTestDial B;
    ReadComponentText(&B, Text);
    EXPECT_EQ(B.IndicatorInner(), Inner);
    EXPECT_EQ(B.Value(), 40);
    EXPECT_EQ(B.ValueStepWidth(), 10);
    EXPECT_EQ(B.ScaleAngle1(), -140);
  }
}

TEST(DialStreaming, InconsistentRangeListKeepsTheScale) {
  TTestDial D;
  QString Text = QStringLiteral("object Dial1: TDial\n  Range = (500.0, 80.0, 20.0, 0.0, -5.0, 100.0, -100.0)\nend\n");
  ReadComponentText(&D, Text);
  EXPECT_EQ(D.ValueMin(), 0);
  EXPECT_EQ(D.ValueMax(), 100);
  EXPECT_EQ(D.ValueGap(), 10);
  EXPECT_EQ(D.ScaleAngle1(), -150);
  EXPECT_EQ(D.Value(), 100);  // clamped onto the scale
}
