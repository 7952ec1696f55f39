// TDial: setters and value logic, the layout step, the cached knob body,
// the picture with its partial redraw, and the mouse.
#include "quellix/instruments/Dial.h"

#include <algorithm>
#include <cmath>

#include "quellix/host/NumberFormat.h"

namespace quellix::dial {

using namespace CircularScale;

namespace {
// The triangle's back corners lie 135 degrees (in radians) either side of
// the direction from the centre to its tip.
constexpr Double TriangleBack = 2.356;
}  // namespace

TDial::TDial(TComponentCore* AOwner, QWidget* AParent) : TDialView(AOwner, AParent) {
  SetOpaque(true);
  SetColor(clWindow);
  FBuildColor = EffectiveColor();
  FBody = std::make_unique<TBitmap>();
}

TDial::~TDial() { Destroying(); }

// ---------------------------------------------------------------------------
// Value logic

Double TDialSettings::AngleOf(Double V) const {
  return CircularScale::AngleOf(V, FScaleAngle1, FScaleAngle2, FValueMin, FValueMax);
}

Double TDialSettings::Quantised(Double V) const {
  if (FValueStepWidth > 0) return std::nearbyint(V / FValueStepWidth) * FValueStepWidth;
  return V;
}

bool TDialGeometry::InKnob(Integer X, Integer Y) const {
  const Double dx = X - FPivot.cx, dy = Y - FPivot.yBase;
  return dx * dx + dy * dy <= Double(Fr) * Fr;
}

Double TDialGeometry::ValueAtPoint(Integer X, Integer Y) const {
  const Double dx = X - FPivot.cx;
  const Double dy = (Height() - Y) - FPivot.yBase;  // upward positive
  Double Theta = std::atan2(dx, dy) * 180 / Pi;
  Theta = std::clamp(Theta, FScaleAngle1, FScaleAngle2);
  return (Theta - FScaleAngle1) / (FScaleAngle2 - FScaleAngle1) * (FValueMax - FValueMin) + FValueMin;
}

void TDialSettings::SetValue(Double V) {
  const TChangeScope Changes;
  if (!std::isfinite(V)) return;
  V = Quantised(V);
  if (V == FValue) return;
  V = std::clamp(V, FValueMin, FValueMax);
  if (V == FValue || FNoScale) return;
  FValue = V;
  if (OnValueChange) OnValueChange(this);
  emit valueChange(this);
  ScheduleDrawing();
}

// From the indicator on the surface to the one of the value.
void TDialView::DrawPending() { MoveIndicator(FIndicatorRect); }

// After a change of the scale ends the value stays on the scale, quietly.
void TDialSettings::ClampValue() { FValue = std::clamp(FValue, FValueMin, FValueMax); }

// ---------------------------------------------------------------------------
// Setters

void TDialGeometry::Relayout() {
  Layout();
  Invalidate();
}

// The body depends on the radius and the colours: it is drawn again when
// it was drawn before (otherwise the first paint draws it).
void TDialView::Rebuild() {
  if (FBodyBuilt)
    BuildBody();
  else
    Layout();
  Invalidate();
}

void TDialSettings::SetScaleAngle1(Double V) {
  const TChangeScope Changes;
  if (SetStartAngle(V, FScaleAngle1, FScaleAngle2)) Relayout();
}

void TDialSettings::SetScaleAngle2(Double V) {
  const TChangeScope Changes;
  if (SetEndAngle(V, FScaleAngle1, FScaleAngle2)) Relayout();
}

void TDialSettings::SetValueMin(Double V) {
  const TChangeScope Changes;
  if (!SetScaleMin(V, FValueMin, FValueMax)) return;
  ClampValue();
  Relayout();
}

void TDialSettings::SetValueMax(Double V) {
  const TChangeScope Changes;
  if (!SetScaleMax(V, FValueMin, FValueMax)) return;
  ClampValue();
  Relayout();
}

void TDialSettings::SetValueGap(Double V) {
  const TChangeScope Changes;
  if (!(V > 0) || !std::isfinite(V) || V == FValueGap) return;
  FValueGap = V;
  Relayout();
}

void TDialSettings::SetValueStepWidth(Double V) {
  const TChangeScope Changes;
  if (!std::isfinite(V) || V == FValueStepWidth) return;
  FValueStepWidth = V;
  SetValue(FValue);
}

void TDialSettings::SetValueDecimals(Integer V) {
  const TChangeScope Changes;
  if (V == FValueDecimals) return;
  FValueDecimals = V;
  Rebuild();
}

void TDialSettings::SetTicks(bool V) {
  const TChangeScope Changes;
  if (V == FTicks) return;
  FTicks = V;
  Relayout();
}

void TDialSettings::SetLabels(bool V) {
  const TChangeScope Changes;
  if (V == FLabels) return;
  FLabels = V;
  Rebuild();
}

void TDialSettings::SetTickInner(Integer V) {
  const TChangeScope Changes;
  if (V == FTickInner) return;
  FTickInner = V;
  Relayout();
}

// The knob radius is the tick ring's divided by TickOuter percent, so
// TickOuter must be positive.
void TDialSettings::SetTickOuter(Integer V) {
  const TChangeScope Changes;
  if (V < 1 || V == FTickOuter) return;
  FTickOuter = V;
  Relayout();
}

void TDialSettings::SetBevelOuterWidth(Integer V) {
  const TChangeScope Changes;
  if (V == FBevelOuterWidth) return;
  FBevelOuterWidth = V;
  Rebuild();
}

void TDialSettings::SetBevelInnerWidth(Integer V) {
  const TChangeScope Changes;
  if (V == FBevelInnerWidth) return;
  FBevelInnerWidth = V;
  Rebuild();
}

void TDialSettings::SetRingWidth(Integer V) {
  const TChangeScope Changes;
  if (V == FRingWidth) return;
  FRingWidth = V;
  Rebuild();
}

// The bevels are shaded from the colour's red, green and blue parts; a
// system colour has none.
void TDialSettings::SetBevelColor(TColor V) {
  const TChangeScope Changes;
  if (V < 0 || V == FBevelColor) return;
  FBevelColor = V;
  Rebuild();
}

void TDialSettings::SetInnerColor(TColor V) {
  const TChangeScope Changes;
  if (V == FInnerColor) return;
  FInnerColor = V;
  Rebuild();
}

void TDialSettings::SetRingColor(TColor V) {
  const TChangeScope Changes;
  if (V == FRingColor) return;
  FRingColor = V;
  Rebuild();
}

void TDialSettings::SetIndicatorInner(Integer V) {
  const TChangeScope Changes;
  if (V == FIndicatorInner) return;
  FIndicatorInner = V;
  Invalidate();
}

void TDialSettings::SetIndicatorOuter(Integer V) {
  const TChangeScope Changes;
  if (V == FIndicatorOuter) return;
  FIndicatorOuter = V;
  Invalidate();
}

void TDialSettings::SetIndicatorColor(TColor V) {
  const TChangeScope Changes;
  if (V == FIndicatorColor) return;
  FIndicatorColor = V;
  Invalidate();
}

void TDialSettings::SetIndicatorStyle(TDialIndicator V) {
  const TChangeScope Changes;
  if (V == FIndicatorStyle) return;
  FIndicatorStyle = V;
  Invalidate();
}

// ---------------------------------------------------------------------------
// Layout step: knob radius, ticks, labels

void TDialGeometry::Layout() {
  TCanvas& Cv = Canvas();
  Cv.Font() = Font();
  FNoScale = false;
  FTickMarks.clear();
  FTickValues.clear();
  FLabelList.clear();
  FPivot = {Width() / 2, Height() / 2, Height()};
  FLabelFormat = LabelFormat(FValueMin, FValueMax, FValueDecimals);

  if (!FLabels) {
    // The tick ends touch the nearer edge of the control.
    FMarginX = FMarginY = 5;
    Fr = std::min(Round((Width() / 2) * 100.0 / FTickOuter), Round((Height() / 2) * 100.0 / FTickOuter));
    if (FTicks) TickStep();
    return;
  }

  const Integer hBox = Cv.TextHeight(QStringLiteral("08")) + 10;
  const Integer wBox = std::max(Cv.TextWidth(LabelText(FLabelFormat, FValueMin)),
                                Cv.TextWidth(LabelText(FLabelFormat, FValueMax))) + 10;
  const Integer D = Trunc(std::sqrt(Double(wBox) * wBox + Double(hBox) * hBox));
  FMarginX = FMarginY = D;
  Fr = FPivot.yBase + D < FPivot.cx + D ? Trunc(Height() * 0.5 - D) : Trunc(Width() * 0.5 - D);
  Fr = std::max(Fr, 1);
  if (FTicks) TickStep();
  if (FNoScale) return;

  const Double Span = FValueMax - FValueMin;
  const Double Arc = 2 * Pi * Fr * (FScaleAngle2 - FScaleAngle1) / 360;
  const Integer Pitch = Span * Width() < FValueGap ? Width() : TickPitch(Arc, FValueGap, Span);
  if (Pitch <= 0) {
    FNoScale = true;
    return;
  }
  LayoutLabels(Cv, Pitch);
}

// Ticks at least four pixels apart on the knob's circle.
void TDialGeometry::TickStep() {
  const Double Span = FValueMax - FValueMin;
  const Double Cap = 2 * Pi * Fr * (FScaleAngle2 - FScaleAngle1) / 360;
  if (!FitTickGap(Span, Cap, FValueGap)) {
    FNoScale = true;
    return;
  }
  FTickRun = TickRun(FValueMin, FValueMax, FValueGap);
  FTickValues = TickValues(FTickRun);
  const Double r1 = Fr * FTickInner * 0.01, r2 = Fr * FTickOuter * 0.01;
  for (Double t : FTickValues) {
    const Double a = AngleOf(t);
    FTickMarks.push_back({FPivot.PointTrunc(r1, a), FPivot.PointTrunc(r2, a)});
  }
}

// Labels outside the tick ring, thinned to at least the widest label's
// width apart; the ticks at labels are 5 pixels longer.
void TDialGeometry::LayoutLabels(TCanvas& Cv, Integer Pitch) {
  const Integer wL = Cv.TextWidth(WidestLabel(FLabelFormat, FValueMin, FValueMax));
  const TLabelPitch LP = ThinLabels(Pitch, wL, FValueGap);
  const Double Ring = Fr * FTickOuter * 0.01;
  const TTickRun Run = FTicks ? FTickRun : TTickRun{};
  FLabelList = PlaceLabels(Cv, FPivot, FLabelFormat, FValueMin, FValueMax, LP, TLabelRing{Ring, 1}, Run,
                           [this](Double V) { return AngleOf(V); });
  for (const TScaleLabel& L : FLabelList)
    if (L.Tick >= 0 && L.Tick < Integer(FTickMarks.size()))
      FTickMarks[L.Tick].Outer = FPivot.PointTrunc(Ring + 5, AngleOf(FTickValues[L.Tick]));
}

// ---------------------------------------------------------------------------
// Knob body, cached in the bitmap

bool TDialView::BodyCurrent() const {
  return FBodyBuilt && FBuildSize == size() && FBody->PixelRatio() == PixelRatio() && FBuildRadius == Fr &&
         FBuildColor == EffectiveColor() &&
         FBuildFont == const_cast<TDialView*>(this)->Font().ToQFont();
}

void TDialView::BuildBody() {
  FBuildColor = EffectiveColor();
  FBody->SetPixelRatio(PixelRatio());
  FBody->SetSize(Width(), Height());
  Layout();
  DrawBody(FBody->Canvas());
  FBuildSize = size();
  FBuildRadius = Fr;
  FBuildFont = Font().ToQFont();
  FBodyBuilt = true;
}

// Outer bevel, ring, inner bevel and inner disc, each inside the last.
void TDialView::DrawBody(TCanvas& Cv) {
  Cv.Pen().Mode = pmCopy;
  Cv.Pen().Style = psSolid;
  Cv.Brush().Style = bsSolid;
  Cv.Brush().Color = FBuildColor;
  Cv.FillRect(Rect(0, 0, Width(), Height()));
  TRect R = {FPivot.cx - Fr, FPivot.yBase - Fr, FPivot.cx + Fr, FPivot.yBase + Fr};
  const auto Shrink = [&R](Integer By) {
    InflateRect(R, -By, -By);
    return R.Right > R.Left && R.Bottom > R.Top;
  };
  if (IsRectEmpty(R)) return;

  DrawShadedRing(Cv, R, FBevelOuterWidth >= 0 ? 45 : -135);
  Cv.Pen().Color = clBtnShadow;
  Cv.Pen().Style = psSolid;
  Cv.Brush().Style = bsClear;
  Cv.Ellipse(R);
  if (!Shrink(std::abs(FBevelOuterWidth))) return;

  Cv.Brush().Style = bsSolid;
  Cv.Brush().Color = FRingColor;
  Cv.Pen().Color = FRingColor;
  Cv.Ellipse(R);
  if (!Shrink(Trunc(FRingWidth * Fr * 0.01))) return;

  DrawShadedRing(Cv, R, FBevelInnerWidth >= 0 ? -135 : 45);
  if (!Shrink(std::abs(FBevelInnerWidth))) return;

  Cv.Brush().Style = bsSolid;
  Cv.Brush().Color = FInnerColor;
  Cv.Pen().Color = FInnerColor;
  Cv.Pen().Style = psSolid;
  Cv.Ellipse(R);
}

// Forty 9-degree pie slices of R's ellipse, each shaded by how much it
// faces the light: f = 0.5 * cos(alpha + Light) + 0.5. With Light 45 the
// upper left is brightest (raised), with -135 the lower right (sunken).
// The slices' radials run through the centre of R.
void TDialView::DrawShadedRing(TCanvas& Cv, const TRect& R, Double Light) {
  const TColor C = ColorToRGB(FBevelColor);
  const Integer Red = C & 0xFF, Green = (C >> 8) & 0xFF, Blue = (C >> 16) & 0xFF;
  const Double xc = (R.Left + R.Right) * 0.5, yc = (R.Top + R.Bottom) * 0.5;
  const Double Reach = std::max(Width(), Height());
  const auto Radial = [&](Double Degrees) {
    return TPoint{Round(xc + Reach * std::sin(Rad(Degrees))), Round(yc - Reach * std::cos(Rad(Degrees)))};
  };
  Cv.Brush().Style = bsSolid;
  Cv.Pen().Style = psSolid;
  for (Integer j = 0; j < 40; ++j) {
    const Double Alpha = j * 9.0;
    const Double f = 0.5 * std::cos(Rad(Alpha + Light)) + 0.5;
    const TColor Shade = RGB(Round(Red * f), Round(Green * f), Round(Blue * f));
    Cv.Brush().Color = Shade;
    Cv.Pen().Color = Shade;
    const TPoint From = Radial(Alpha + 9), To = Radial(Alpha);
    Cv.Pie(R.Left, R.Top, R.Right, R.Bottom, From.X, From.Y, To.X, To.Y);
  }
}

// ---------------------------------------------------------------------------
// Picture

TRect TDialGeometry::IndicatorRectFor(Double V) const {
  const Double a = AngleOf(V);
  const Double rho = (FIndicatorOuter + FIndicatorInner) * Fr * 0.005;
  const TPoint C = FPivot.PointTrunc(rho, a);
  const Integer s = Round((FIndicatorOuter - FIndicatorInner) * Fr * 0.005);
  return {C.X - s, C.Y - s, C.X + s, C.Y + s};
}

void TDialView::Paint() {
  if (!BodyCurrent()) BuildBody();
  Canvas().Brush().Color = EffectiveColor();
  Canvas().Brush().Style = bsSolid;
  Canvas().FillRect(ClientRect());
  DrawPicture(Canvas());
}

void TDialView::DrawPicture(TCanvas& Cv) {
  if (!BodyCurrent()) BuildBody();
  if (FNoScale) return;
  Cv.Draw(0, 0, *FBody);
  DrawTicksAndLabels(Cv);
  DrawIndicator(Cv);
  DrawCaption(Cv);
}

void TDialView::DrawTicksAndLabels(TCanvas& Cv) {
  Cv.Pen().Color = Font().Color();
  Cv.Pen().Style = psSolid;
  Cv.Pen().Mode = pmCopy;
  for (const TTickMark& T : FTickMarks) {
    Cv.MoveTo(T.Outer.X, T.Outer.Y);
    Cv.LineTo(T.Inner.X, T.Inner.Y);
  }
  if (FLabelList.empty()) return;
  Cv.Font() = Font();
  Cv.SetBkMode(bkTransparent);
  for (const TScaleLabel& L : FLabelList) Cv.TextOut(L.Pos.X, L.Pos.Y, L.Text);
}

void TDialView::DrawIndicator(TCanvas& Cv) {
  FIndicatorRect = IndicatorRectFor(FValue);
  const TColor Fill = Enabled() ? FIndicatorColor : clBtnShadow;
  const Double a = AngleOf(FValue);
  Cv.Pen().Mode = pmCopy;
  Cv.Pen().Style = psSolid;
  Cv.Brush().Style = bsSolid;
  switch (FIndicatorStyle) {
    case diaCircle:
      Cv.Brush().Color = Fill;
      Cv.Pen().Color = clBtnShadow;
      Cv.Ellipse(FIndicatorRect);
      break;
    case diaTriangle: {
      const Integer s = Round((FIndicatorOuter - FIndicatorInner) * Fr * 0.005);
      const TPoint T = FPivot.PointTrunc(Fr * FIndicatorOuter * 0.01, a);
      const Double ar = Rad(a);
      const auto Corner = [&](Double b) {
        return TPoint{T.X + Trunc(1.4 * s * std::sin(b)), T.Y + Trunc(-1.4 * s * std::cos(b))};
      };
      const TPoint P[3] = {T, Corner(ar - TriangleBack), Corner(ar + TriangleBack)};
      Cv.Brush().Color = Fill;
      Cv.Pen().Color = clBtnShadow;
      Cv.Polygon(P, 3);
      break;
    }
    case diaLine: {
      Cv.Pen().Color = Fill;
      const TPoint A = FPivot.PointTrunc(Fr * FIndicatorInner * 0.01, a);
      const TPoint B = FPivot.PointTrunc(Fr * FIndicatorOuter * 0.01, a);
      Cv.MoveTo(A.X, A.Y);
      Cv.LineTo(B.X, B.Y);
      break;
    }
  }
}

void TDialView::DrawCaption(TCanvas& Cv) {
  const QString Text = Caption();
  if (Text.isEmpty()) return;
  Cv.Font() = Font();
  Cv.SetBkMode(bkTransparent);
  const Integer tw = Cv.TextWidth(Text), th = Cv.TextHeight(Text);
  Cv.TextOut(FPivot.cx - tw / 2, FPivot.yBase - th / 2, Text);
}

// Redraws the picture only around the old and the new indicator: once
// within their joint box when they overlap, else within each box apart.
void TDialView::MoveIndicator(const TRect& OldRect) {
  if (!FBodyBuilt) return;  // the first paint draws everything
  TCanvas& Cv = Canvas();
  const bool HadClip = Cv.HasClip();
  const QRegion Saved = Cv.ClipRegion();
  const TRect NewRect = IndicatorRectFor(FValue);
  const auto DrawWithin = [&](TRect R) {
    InflateRect(R, 2, 2);
    Cv.SelectClipRect(R);
    DrawPicture(Cv);
  };
  TRect Joint;
  if (IntersectRect(Joint, OldRect, NewRect)) {
    UnionRect(Joint, OldRect, NewRect);
    DrawWithin(Joint);
  } else {
    DrawWithin(OldRect);
    DrawWithin(NewRect);
  }
  if (HadClip)
    Cv.SelectClipRgn(Saved);
  else
    Cv.SelectNoClip();
}

// ---------------------------------------------------------------------------
// Mouse

void TDialView::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (!Enabled() || Button != mbLeft) return;
  if (PtInRect(FIndicatorRect, Point(X, Y))) FDragging = true;
  if (InKnob(X, Y) && !(X == FPivot.cx && Y == FPivot.yBase)) {
    SetValue(ValueAtPoint(X, Y));
    FDragging = true;
  }
}

void TDialView::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (FDragging) SetValue(ValueAtPoint(X, Y));
}

void TDialView::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) FDragging = false;
}

// ---------------------------------------------------------------------------
// Streaming: "Range" = (Value, ValueMin, ValueMax, ValueStepWidth,
// ValueGap, ScaleAngle1, ScaleAngle2).

void TDial::DefineProperties(TFiler& Filer) {
  TDialView::DefineProperties(Filer);
  Filer.DefineProperty(
      QStringLiteral("Range"),
      [this](TReader& R) {
        Double F[7];
        R.ReadListBegin();
        for (Double& X : F) X = static_cast<Double>(R.ReadFloat());
        R.ReadListEnd();
        // Only a consistent scale is taken: ValueMin below ValueMax,
        // ordered angles, a positive gap; the value stays on the scale.
        if (std::isfinite(F[1]) && std::isfinite(F[2]) && F[1] < F[2]) {
          FValueMin = F[1];
          FValueMax = F[2];
        }
        if (std::isfinite(F[3])) FValueStepWidth = F[3];
        if (std::isfinite(F[4]) && F[4] > 0) FValueGap = F[4];
        if (F[5] >= -360 && F[5] < F[6] && F[6] <= 360) {
          FScaleAngle1 = F[5];
          FScaleAngle2 = F[6];
        }
        if (std::isfinite(F[0])) FValue = F[0];
        ClampValue();
        // Laid out and drawn anew at the next paint.
        FBuildRadius = -1;
        Layout();
        Invalidate();
      },
      [this](TWriter& W) {
        W.WriteListBegin();
        for (Double X : {FValue, FValueMin, FValueMax, FValueStepWidth, FValueGap, FScaleAngle1, FScaleAngle2})
          W.WriteFloat(X);
        W.WriteListEnd();
      },
      true);
}

}  // namespace quellix::dial
