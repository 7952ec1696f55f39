// TMeterInt: setters and value logic, the geometry and layout steps, the
// drawing pieces and the partial redraw of a moving indicator.
#include "quellix/instruments/Meter.h"

#include <algorithm>
#include <cmath>

#include "quellix/host/NumberFormat.h"

namespace quellix::meterInt {

using namespace CircularScale;

namespace {
// The wedge's base corners lie this many radians either side of the
// direction away from the tip, behind the pivot.
constexpr Double WedgeBase = 2.9;
}  // namespace

TMeterInt::TMeterInt(TComponentCore* AOwner, QWidget* AParent) : TMeterView(AOwner, AParent) {
  SetOpaque(true);
  FBitmap = std::make_unique<TBitmap>(Width(), Height());
  Geometry();
}

TMeterInt::~TMeterInt() { Destroying(); }

// ---------------------------------------------------------------------------
// Value logic

Double TMeterValue::AngleOf(Double V) const {
  return CircularScale::AngleOf(V, FMeterAngle1, FMeterAngle2, FValueMin, FValueMax);
}

Double TMeterValue::DisplayedFor(Double V) const {
  const Double Span = FValueMax - FValueMin;
  return std::clamp(V, FValueMax - 1.05 * Span, FValueMin + 1.05 * Span);
}

Integer TMeterValue::RangeCodeOf(Double V) const {
  if (V < FValueMin) return -1;
  if (V > FValueMax) return -2;
  Double Lower = FValueMin;
  for (Integer i = 1; i <= FRangeNumber; ++i) {
    const TMeterRange& R = FRanges[i - 1];
    if (R.RangeCheck && Lower <= V && V <= R.Limit) return i;
    Lower = R.Limit;
  }
  return 0;
}

void TMeterValue::FireRange(Integer Code) {
  FRangeState = Code;
  if (OnRangeCheck) OnRangeCheck(this, Code);
  emit rangeCheck(this, Code);
}

// Reports the range the value lies in when it differs from the last one
// reported, so that each change is reported once.
void TMeterValue::CheckRange() {
  if (!Wanted(OnRangeCheck, &TMeterSignals::rangeCheck)) return;
  const Integer Code = RangeCodeOf(FValue);
  if (Code != FRangeState) FireRange(Code);
}

// After ValueMin or ValueMax moved: the indicator stays within 5 % of the
// span beyond the scale ends.
void TMeterValue::ClampDisplayed() {
  const Double Span = FValueMax - FValueMin;
  const Double Hi = FValueMin + 1.05 * Span;
  if (FDisplayed > Hi) {
    FDisplayed = Hi;
    if (Wanted(OnRangeCheck, &TMeterSignals::rangeCheck) && FRangeState != -2) FireRange(-2);
  }
  const Double Lo = FValueMax - 1.05 * Span;
  if (FDisplayed < Lo) {
    FDisplayed = Lo;
    if (Wanted(OnRangeCheck, &TMeterSignals::rangeCheck) && FRangeState != -1) FireRange(-1);
  }
}

// Every limit in use lies on the scale, and the last range ends at its end.
void TMeterValue::NormaliseRanges() {
  for (Integer i = 1; i <= FRangeNumber; ++i)
    FRanges[i - 1].Limit = std::clamp(FRanges[i - 1].Limit, FValueMin, FValueMax);
  FRanges[FRangeNumber - 1].Limit = FValueMax;
}

// ---------------------------------------------------------------------------
// Setters

void TMeterGeometry::Relayout() {
  Layout();
  Geometry();
  Repaint();
}

void TMeterSettings::SetMeterAngle1(Double V) {
  const TChangeScope Changes;
  if (SetStartAngle(V, FMeterAngle1, FMeterAngle2)) Relayout();
}

void TMeterSettings::SetMeterAngle2(Double V) {
  const TChangeScope Changes;
  if (SetEndAngle(V, FMeterAngle1, FMeterAngle2)) Relayout();
}

void TMeterValue::SetValueMax(Double V) {
  const TChangeScope Changes;
  if (!SetScaleMax(V, FValueMin, FValueMax)) return;
  ClampDisplayed();
  NormaliseRanges();
  Relayout();
}

void TMeterValue::SetValueMin(Double V) {
  const TChangeScope Changes;
  if (!SetScaleMin(V, FValueMin, FValueMax)) return;
  ClampDisplayed();
  NormaliseRanges();
  Relayout();
}

void TMeterSettings::SetValueGap(Double V) {
  const TChangeScope Changes;
  if (!(V > 0) || !std::isfinite(V) || V == FValueGap) return;
  FValueGap = V;
  Relayout();
}

void TMeterSettings::SetValueDecimals(Integer V) {
  const TChangeScope Changes;
  if (V == FValueDecimals) return;
  FValueDecimals = V;
  Relayout();
}

void TMeterSettings::SetMeterScale(Integer V) {
  const TChangeScope Changes;
  V = std::clamp(V, 50, 210);
  if (V == FMeterScale) return;
  FMeterScale = V;
  Relayout();
}

void TMeterSettings::SetMeterScaleWidth(Integer V) {
  const TChangeScope Changes;
  V = std::clamp(V, 0, 100);
  if (V == FMeterScaleWidth) return;
  FMeterScaleWidth = V;
  Relayout();
}

void TMeterSettings::SetMeterShiftX(Integer V) {
  const TChangeScope Changes;
  V = std::clamp(V, -60, 60);
  if (V == FMeterShiftX) return;
  FMeterShiftX = V;
  Relayout();
}

void TMeterSettings::SetMeterShiftY(Integer V) {
  const TChangeScope Changes;
  V = std::clamp(V, -60, 60);
  if (V == FMeterShiftY) return;
  FMeterShiftY = V;
  Relayout();
}

// The frame width takes room from the radius, so labels move with it.
void TMeterSettings::SetBevelOuterWidth(Integer V) {
  const TChangeScope Changes;
  if (V < 0 || V == FBevelOuterWidth) return;
  FBevelOuterWidth = V;
  Relayout();
}

void TMeterSettings::SetTickStyle(TTickStyle V) {
  const TChangeScope Changes;
  if (V == FTickStyle) return;
  FTickStyle = V;
  Relayout();
}

// The margins depend on the style and the radii on the margins: the
// layout runs again once the geometry has the new margins.
void TMeterSettings::SetLabelingStyle(TLabelingStyle V) {
  const TChangeScope Changes;
  if (V == FLabelingStyle) return;
  FLabelingStyle = V;
  Layout();
  Geometry();
  Layout();
  Repaint();
}

void TMeterValue::SetValue(Double V) {
  const TChangeScope Changes;
  if (!std::isfinite(V) || V == FValue) return;
  FValue = V;
  const Double D = DisplayedFor(V);
  if (D != FDisplayed) {
    FDisplayed = D;
    ScheduleDrawing();
  }
  CheckRange();
}

void TMeterView::DrawPending() {
  if (FDrawnDisplayed != FDisplayed) MoveIndicator(FDisplayed);
}

void TMeterValue::SetIndicatorScale(Integer V) {
  const TChangeScope Changes;
  V = std::clamp(V, 0, 200);
  if (V == FIndicatorScale) return;
  FIndicatorScale = V;
  Repaint();
}

void TMeterValue::SetIndicatorColor(TColor V) {
  const TChangeScope Changes;
  if (V == FIndicatorColor) return;
  FIndicatorColor = V;
  Repaint();
}

void TMeterValue::SetIndicatorStyle(TIndicatorStyle V) {
  const TChangeScope Changes;
  if (V == FIndicatorStyle) return;
  FIndicatorStyle = V;
  Repaint();
}

void TMeterValue::SetReduceFlicker(bool V) {
  const TChangeScope Changes;
  if (V == FReduceFlicker) return;
  FReduceFlicker = V;
  Repaint();
}

void TMeterValue::SetRangeNumber(Integer V) {
  const TChangeScope Changes;
  if (V < 1 || V > MaxRanges || V == FRangeNumber) return;
  FRangeNumber = V;
  NormaliseRanges();
  Geometry();
  Repaint();
}

void TMeterValue::SetRangeCurrent(Integer V) {
  const TChangeScope Changes;
  if (V < 1 || V > MaxRanges || V == FRangeCurrent) return;
  FRangeCurrent = V;
  Repaint();
}

Double TMeterValue::RangeLimit() const {
  return FRangeCurrent <= FRangeNumber ? FRanges[FRangeCurrent - 1].Limit : 0.0;
}

TColor TMeterValue::RangeColor() const { return FRangeCurrent <= FRangeNumber ? FRanges[FRangeCurrent - 1].Color : 0; }

bool TMeterValue::RangeCheck() const { return FRangeCurrent <= FRangeNumber && FRanges[FRangeCurrent - 1].RangeCheck; }

void TMeterValue::SetRangeLimit(Double V) {
  const TChangeScope Changes;
  if (FRangeCurrent > FRangeNumber || !std::isfinite(V)) return;
  TMeterRange& R = FRanges[FRangeCurrent - 1];
  if (V == R.Limit) return;
  R.Limit = V;
  NormaliseRanges();
  Geometry();
  Repaint();
}

void TMeterValue::SetRangeColor(TColor V) {
  const TChangeScope Changes;
  if (FRangeCurrent > FRangeNumber) return;
  TMeterRange& R = FRanges[FRangeCurrent - 1];
  if (V == R.Color) return;
  R.Color = V;
  Repaint();
}

void TMeterValue::SetRangeCheck(bool V) {
  const TChangeScope Changes;
  if (FRangeCurrent > FRangeNumber) return;
  TMeterRange& R = FRanges[FRangeCurrent - 1];
  if (V == R.RangeCheck) return;
  R.RangeCheck = V;
  Repaint();
}

void TMeterSettings::SetLegend(int I, const QString& V) {
  if (V == FLegend[I]) return;
  FLegend[I] = V;
  Layout();
  Repaint();
}

void TMeterSettings::SetLegendPosition(TLegendPosition V) {
  const TChangeScope Changes;
  if (V == FLegendPosition) return;
  FLegendPosition = V;
  Layout();
  Repaint();
}

// ---------------------------------------------------------------------------
// Geometry step: pivot, radii, range bands, scale edge line

void TMeterGeometry::ComputePivot() {
  FPivot.cx = Width() / 2 + Trunc(FMeterShiftX * Width() * 0.01);
  FPivot.yBase = Height() / 2 - Trunc(FMeterShiftY * Height() * 0.01);
  FPivot.Height = Height();
}

// The radius fills the direction with less room, after the frame and the
// label margins; the band takes MeterScaleWidth percent of it.
void TMeterGeometry::ComputeRadii() {
  if (FPivot.yBase + FmY < FPivot.cx + FmX)
    FR = (Height() * 0.5 - FBevelOuterWidth - FmY) * FMeterScale * 0.01;
  else
    FR = (Width() * 0.5 - FBevelOuterWidth - FmX) * FMeterScale * 0.01;
  if (FR < 1) FR = 1;
  FRin = (1 - FMeterScaleWidth * 0.01) * FR;
}

void TMeterGeometry::Geometry() {
  ComputePivot();
  ComputeRadii();
  BuildBands();
}

// Each range's band: its inner arc from the start angle to the end angle,
// then its outer arc back. Arc resolution grows with the square root of
// the radius, at most 300 points for a full circle.
void TMeterGeometry::BuildBands() {
  const Integer Nin = std::clamp(Trunc(std::sqrt(FRin) * 11 + 6), 1, 300);
  const Integer Nout = std::clamp(Trunc(std::sqrt(FR) * 11 + 4), 1, 300);
  const Double Span = FValueMax - FValueMin;
  FEdge.clear();
  Double Lower = FValueMin;
  Double Start = FMeterAngle1;
  for (Integer i = 1; i <= FRangeNumber; ++i) {
    TMeterRange& Rg = FRanges[i - 1];
    const Double S = (FMeterAngle2 - FMeterAngle1) * (Rg.Limit - Lower) / Span;
    const Double End = Start + S;
    const Integer nIn = std::clamp(TruncSat(Nin * S / 360), 2, 300);
    const Integer nOut = std::clamp(TruncSat(Nout * S / 360), 2, 300);
    Rg.Band.clear();
    Rg.Band.reserve(nIn + nOut);
    for (Integer k = 0; k < nIn; ++k) Rg.Band.push_back(FPivot.PointTrunc(FRin, Start + S * k / (nIn - 1)));
    for (Integer k = 0; k < nOut; ++k) Rg.Band.push_back(FPivot.PointTrunc(FR, End - S * k / (nOut - 1)));
    Rg.InnerCount = nIn;
    // The edge line runs on the side of the band away from the labels.
    if (FLabelingStyle == labInside)
      FEdge.insert(FEdge.end(), Rg.Band.rbegin(), Rg.Band.rbegin() + nOut);
    else
      FEdge.insert(FEdge.end(), Rg.Band.begin(), Rg.Band.begin() + nIn);
    Lower = Rg.Limit;
    Start = End;
  }
}

// ---------------------------------------------------------------------------
// Layout step: label format, margins, ticks, labels, legends

bool TMeterGeometry::LayoutCurrent() const {
  return FLayoutSize == size() && FLayoutFont == const_cast<TMeterGeometry*>(this)->Font().ToQFont();
}

void TMeterGeometry::Layout() {
  TCanvas& Cv = Canvas();
  Cv.Font() = Font();
  FLayoutSize = size();
  FLayoutFont = Font().ToQFont();
  FNoScale = false;
  FLabels.clear();
  ComputePivot();
  FLabelFormat = CircularScale::LabelFormat(FValueMin, FValueMax, FValueDecimals);
  const Double Span = FValueMax - FValueMin;
  const Double Degrees = FMeterAngle2 - FMeterAngle1;
  const Integer hBox = Cv.TextHeight(QStringLiteral("08")) + 10;
  const Integer wBox = std::max(Cv.TextWidth(LabelText(FLabelFormat, FValueMin)),
                                Cv.TextWidth(LabelText(FLabelFormat, FValueMax))) + 10;
  Integer Pitch = 0;
  FLabelRedrawRadius = FR;
  switch (FLabelingStyle) {
    case labNone:
      FmX = FmY = 5;
      ComputeRadii();
      TickStep();
      FLabelRedrawRadius = FR;
      break;
    case labInside: {
      FmX = FmY = 5;
      const Integer d = Trunc(std::sqrt(Double(wBox) * wBox + Double(hBox) * hBox));
      ComputeRadii();
      const Integer rl = TruncSat(FRin - d);
      TickStep();
      FLabelRedrawRadius = rl;
      const Double Arc = rl * Pi * Degrees / 360;
      Pitch = TickPitch(Arc, FValueGap, Span);
      break;
    }
    case labOutside: {
      FmX = FmY = Trunc(std::sqrt(Double(wBox) * wBox + Double(hBox) * hBox));
      ComputeRadii();
      TickStep();
      FLabelRedrawRadius = FR;
      const Double Arc = Pi * FR * Degrees / 360;
      Pitch = Span * Width() < FValueGap ? Width() : TickPitch(Arc, FValueGap, Span);
      break;
    }
  }
  if (FNoScale) return;
  if (FLabelingStyle != labNone) {
    if (Pitch <= 0) {
      FNoScale = true;
      return;
    }
    LayoutLabels(Cv, Pitch);
  }
  FTickRedrawRadius = FR;
  for (std::size_t i = 0; i < FTicks.size(); ++i) FTickRedrawRadius = std::min(FTickRedrawRadius, TickR1(false));
  for (const TScaleLabel& L : FLabels)
    if (L.Tick >= 0 && L.Tick < Integer(FTicks.size())) FTickRedrawRadius = std::min(FTickRedrawRadius, TickR1(true));
  LayoutLegends(Cv);
}

// Tick radii: r1 (first point) and r2 (second point) of a plain or a
// labelled (lengthened) tick.
Double TMeterGeometry::TickR1(bool Lengthened) const {
  const bool In = FLabelingStyle == labInside;
  switch (FTickStyle) {
    case ticHalf:
      return In && !Lengthened ? FRin + (FR - FRin) * 0.5 : FRin;
    case ticFull:
      return In && Lengthened ? FRin - 5 : FRin;
    case ticLarge:
      return In ? (Lengthened ? FRin - 10 : FRin - 5) : FRin;
    case ticNone:
      break;
  }
  return FRin;
}

Double TMeterGeometry::TickR2(bool Lengthened) const {
  const bool Out = FLabelingStyle == labOutside;
  const bool In = FLabelingStyle == labInside;
  switch (FTickStyle) {
    case ticHalf:
      return In || (Out && Lengthened) ? FR : FR - (FR - FRin) * 0.5;
    case ticFull:
      return Out && Lengthened ? FR + 5 : FR;
    case ticLarge:
      return In ? FR : (Out && Lengthened ? FR + 8 : FR + 5);
    case ticNone:
      break;
  }
  return FR;
}

// Ticks stay at least four scaled pixels apart on the inner arc; a scale
// without an inner arc has no ticks, labels or indicator.
void TMeterGeometry::TickStep() {
  FTicks.clear();
  FTickValues.clear();
  const Double Span = FValueMax - FValueMin;
  const Double Cap = 2 * Pi * FRin * (FMeterAngle2 - FMeterAngle1) * FMeterScale / 36000;
  if (!FitTickGap(Span, Cap, FValueGap)) {
    FNoScale = true;
    return;
  }
  FTickRun = TickRun(FValueMin, FValueMax, FValueGap);
  if (FTickStyle == ticNone) return;
  FTickValues = TickValues(FTickRun);
  const Double r1 = TickR1(false), r2 = TickR2(false);
  for (Double t : FTickValues) {
    const Double a = AngleOf(t);
    if (FTickStyle == ticHalf)
      FTicks.push_back({FPivot.PointRound(r1, a), FPivot.PointRound(r2, a)});
    else
      FTicks.push_back({FPivot.PointTrunc(r1, a), FPivot.PointTrunc(r2, a)});
  }
}

// A label at every k-th tick, k chosen so that the label pitch along the
// reference arc is at least the width of the widest label; the ticks at
// the labels are lengthened.
void TMeterGeometry::LayoutLabels(TCanvas& Cv, Integer Pitch) {
  const Integer wL = Cv.TextWidth(WidestLabel(FLabelFormat, FValueMin, FValueMax));
  const TLabelPitch LP = ThinLabels(Pitch, wL, FValueGap);
  const TLabelRing Ring = FLabelingStyle == labInside ? TLabelRing{FRin, -1} : TLabelRing{FR, 1};
  FLabels = PlaceLabels(Cv, FPivot, FLabelFormat, FValueMin, FValueMax, LP, Ring, FTickRun,
                        [this](Double V) { return AngleOf(V); });
  const Double r1 = TickR1(true), r2 = TickR2(true);
  for (const TScaleLabel& L : FLabels) {
    if (L.Tick < 0 || L.Tick >= Integer(FTicks.size())) continue;
    const Double a = AngleOf(FTickValues[L.Tick]);
    if (FTickStyle == ticHalf)
      FTicks[L.Tick] = {FPivot.PointRound(r1, a), FPivot.PointRound(r2, a)};
    else
      FTicks[L.Tick] = {FPivot.PointTrunc(r1, a), FPivot.PointTrunc(r2, a)};
  }
}

// Legend positions (top-left corners) beside, above or below the pivot,
// half the inner radius away.
void TMeterGeometry::LayoutLegends(TCanvas& Cv) {
  const Integer h = Cv.TextHeight(QStringLiteral("08"));
  const Integer w1 = Cv.TextWidth(FLegend[0]);
  const Integer w2 = Cv.TextWidth(FLegend[1]);
  const Integer cx = FPivot.cx;
  const Integer py = Height() - FPivot.yBase;
  const bool Both = !FLegend[0].isEmpty() && !FLegend[1].isEmpty();
  const Integer wOne = FLegend[0].isEmpty() ? w2 : w1;
  TPoint One;
  switch (FLegendPosition) {
    case legLeft:
    case LegRight: {
      const Integer xc = Round(FLegendPosition == legLeft ? cx - FRin / 2 : cx + FRin / 2);
      FLegendPos[0] = {xc - w1 / 2, py - h / 2};
      FLegendPos[1] = {xc - w2 / 2, py + h / 2};
      One = {xc - wOne / 2, py};
      break;
    }
    case LegTop:
    case LegBottom: {
      const Integer yc = Round(FLegendPosition == LegTop ? py - FRin / 2 : py + FRin / 2);
      FLegendPos[0] = {cx - w1 / 2, yc - h / 2 - 5};
      FLegendPos[1] = {cx - w2 / 2, yc};
      One = {cx - wOne / 2, yc};
      break;
    }
  }
  if (!Both) FLegendPos[0] = FLegendPos[1] = One;
}

// ---------------------------------------------------------------------------
// Painting

void TMeterView::PrepareBitmap() {
  FBitmap->SetPixelRatio(PixelRatio());
  if (FBitmap->Width() != Width() || FBitmap->Height() != Height()) FBitmap->SetSize(Width(), Height());
  FBitmap->Canvas().Font() = Font();
}

TCanvas& TMeterView::PictureCanvas() {
  if (FReduceFlicker && FBitmap) {
    PrepareBitmap();
    return FBitmap->Canvas();
  }
  return Canvas();
}

void TMeterView::Paint() {
  TPaintBox::Paint();
  if (!FLayoutMade) {
    Layout();
    Geometry();
    FLayoutMade = true;
  }
  if (FReduceFlicker && FBitmap) {
    PrepareBitmap();
    DrawPicture(FBitmap->Canvas());
    Canvas().Draw(0, 0, *FBitmap);
  } else {
    DrawPicture(Canvas());
  }
}

void TMeterView::DrawPicture(TCanvas& Cv) {
  if (!LayoutCurrent()) {
    Layout();
    Geometry();
  }
  const TColor Back = EffectiveColor();
  Cv.Pen().Style = psSolid;
  Cv.Pen().Mode = pmCopy;
  Cv.Brush().Style = bsSolid;
  Cv.Brush().Color = Back;
  Cv.FillRect(Cv.ClipBox());
  if (FBevelOuterWidth > 0) {
    TRect R = ClientRect();
    Cv.Frame3D(R, clBtnHighlight, clBtnShadow, FBevelOuterWidth);
  }
  if (FNoScale) return;
  DrawRanges(Cv);
  DrawTicks(Cv);
  DrawLabels(Cv);
  DrawLegends(Cv);
  Cv.Brush().Color = FIndicatorColor;
  Cv.Brush().Style = bsSolid;
  Cv.Pen().Color = FIndicatorColor;
  Cv.Pen().Style = psSolid;
  DrawIndicator(Cv, FDisplayed);
  FDrawnDisplayed = FDisplayed;
}

void TMeterView::DrawRanges(TCanvas& Cv) {
  Cv.Pen().Style = psSolid;
  Cv.Pen().Mode = pmCopy;
  Cv.Brush().Style = bsSolid;
  if (FMeterScaleWidth >= 1)
    for (Integer i = 1; i <= FRangeNumber; ++i) {
      const TMeterRange& R = FRanges[i - 1];
      if (R.Band.size() < 3) continue;
      Cv.Brush().Color = R.Color;
      Cv.Pen().Color = R.Color;
      Cv.Polygon(R.Band);
    }
  Cv.Pen().Color = Font().Color();
  Cv.Polyline(FEdge);
}

void TMeterView::DrawTicks(TCanvas& Cv) {
  if (FTickStyle == ticNone || FTicks.empty()) return;
  Cv.Pen().Color = Font().Color();
  Cv.Pen().Style = psSolid;
  for (const TTick& T : FTicks) {
    Cv.MoveTo(T.Second.X, T.Second.Y);
    Cv.LineTo(T.First.X, T.First.Y);
  }
}

void TMeterView::DrawLabels(TCanvas& Cv) {
  if (FLabelingStyle == labNone || FLabels.empty()) return;
  Cv.SetBkMode(bkTransparent);
  for (const TScaleLabel& L : FLabels) Cv.TextOut(L.Pos.X, L.Pos.Y, L.Text);
}

void TMeterView::DrawLegends(TCanvas& Cv) {
  Cv.SetBkMode(bkTransparent);
  for (int I = 0; I < 2; ++I)
    if (!FLegend[I].isEmpty()) Cv.TextOut(FLegendPos[I].X, FLegendPos[I].Y, FLegend[I]);
}

// The needle is a line with a hub; the wedge a triangle whose base lies
// behind the pivot, with a hole in the background colour at the pivot.
// Brush and pen are the caller's (indicator colour, or the background
// colour to erase).
void TMeterView::DrawIndicator(TCanvas& Cv, Double V) {
  const Double a = Rad(AngleOf(V));
  const Double L = FIndicatorScale * 0.01 * FR;
  const Integer h = Round(0.04 * L);
  const Integer cx = FPivot.cx;
  const Integer py = Height() - FPivot.yBase;
  if (FIndicatorStyle == indNeedle) {
    Cv.MoveTo(cx, py);
    Cv.LineTo(TruncSat(cx + L * std::sin(a)), TruncSat(py - L * std::cos(a)));
    Cv.Ellipse(cx - h + 1, py - h + 1, cx + h + 1, py + h + 1);
    return;
  }
  const TPoint P[3] = {
      {Round(cx + 0.3 * L * std::sin(a - WedgeBase)), Round(py - 0.3 * L * std::cos(a - WedgeBase))},
      {Round(cx + 0.3 * L * std::sin(a + WedgeBase)), Round(py - 0.3 * L * std::cos(a + WedgeBase))},
      {Round(cx + L * std::sin(a)), Round(py - L * std::cos(a))}};
  Cv.Polygon(P, 3);
  Cv.Brush().Color = EffectiveColor();
  Cv.Pen().Style = psClear;
  Cv.Ellipse(cx - h + 1, py - h + 1, cx + h + 1, py + h + 1);
}

TRect TMeterGeometry::IndicatorBox(Double V, Double Rfrom, Double Rto) const {
  const Double a = AngleOf(V);
  const TPoint A = FPivot.PointTrunc(Rfrom, a);
  const TPoint B = FPivot.PointTrunc(Rto, a);
  return {std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X) + 1, std::max(A.Y, B.Y) + 1};
}

// Moves the indicator without repainting the control: the old indicator
// is overdrawn in the background colour, the scale parts it can reach are
// redrawn clipped to the box around the old and the new indicator, and
// the new indicator is drawn.
void TMeterView::MoveIndicator(Double NewDisplayed) {
  // Nothing is on the screen yet, or there is no indicator to move.
  if (!FLayoutMade || FNoScale) {
    FDrawnDisplayed = NewDisplayed;
    return;
  }
  TCanvas& Cv = PictureCanvas();
  Cv.Font() = Font();
  const Double L = FIndicatorScale * 0.01 * FR;
  const Integer rmin = std::min({TruncSat(FRin), TruncSat(FTickRedrawRadius), TruncSat(FLabelRedrawRadius)});
  const bool UseClip = rmin <= L;
  TRect Box;
  const bool HadClip = Cv.HasClip();
  const QRegion Saved = Cv.ClipRegion();
  if (UseClip) {
    // Joined by hand: a box along a vertical or horizontal indicator is
    // one pixel wide, which the rectangle union would drop as empty.
    const TRect A = IndicatorBox(FDrawnDisplayed, rmin, L), B = IndicatorBox(NewDisplayed, rmin, L);
    Box = {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right), std::max(A.Bottom, B.Bottom)};
    const Integer m = Round((1.29 * L - rmin) * 0.06) + 2;
    InflateRect(Box, m, m);
  }

  const TColor Back = EffectiveColor();
  Cv.Brush().Color = Back;
  Cv.Brush().Style = bsSolid;
  Cv.Pen().Color = Back;
  Cv.Pen().Style = psSolid;
  Cv.Pen().Mode = pmCopy;
  DrawIndicator(Cv, FDrawnDisplayed);
  FDrawnDisplayed = NewDisplayed;

  if (UseClip) Cv.SelectClipRect(Box);
  if (L + 1 >= FRin) DrawRanges(Cv);
  if (L + 2 >= FTickRedrawRadius) DrawTicks(Cv);
  if (L + 2 >= FLabelRedrawRadius) DrawLabels(Cv);
  if (UseClip) {
    if (HadClip)
      Cv.SelectClipRgn(Saved);
    else
      Cv.SelectNoClip();
  }
  DrawLegends(Cv);

  Cv.Brush().Color = FIndicatorColor;
  Cv.Brush().Style = bsSolid;
  Cv.Pen().Color = FIndicatorColor;
  Cv.Pen().Style = psSolid;
  Cv.Pen().Mode = pmCopy;
  DrawIndicator(Cv, FDrawnDisplayed);
  if (&Cv != &Canvas()) Canvas().Draw(0, 0, *FBitmap);
}

// ---------------------------------------------------------------------------
// Streaming: "Range" holds the ranges in use and the scale.
//   ((Color, RangeCheck, Limit, ...), MeterAngle1, MeterAngle2, Rin, R,
//    displayed value, ValueMin, ValueMax, ValueGap)

void TMeterInt::DefineProperties(TFiler& Filer) {
  TMeterView::DefineProperties(Filer);
  Filer.DefineProperty(
      QStringLiteral("Range"),
      [this](TReader& R) {
        struct Triple {
          TColor Color;
          bool Check;
          Double Limit;
        };
        std::vector<Triple> T;
        R.ReadListBegin();
        R.ReadListBegin();
        while (!R.EndOfList()) {
          Triple X;
          X.Color = static_cast<TColor>(R.ReadInteger());
          X.Check = R.ReadBoolean();
          X.Limit = static_cast<Double>(R.ReadFloat());
          T.push_back(X);
        }
        R.ReadListEnd();
        Double F[8];
        for (Double& X : F) X = static_cast<Double>(R.ReadFloat());
        R.ReadListEnd();

        // Only what a meter can hold is taken: at most 16 ranges, an
        // ordered angle pair, ValueMin below ValueMax, a positive gap.
        const Integer N = std::min<Integer>(Integer(T.size()), MaxRanges);
        for (Integer i = 0; i < N; ++i) {
          FRanges[i].Color = T[i].Color;
          FRanges[i].RangeCheck = T[i].Check;
          if (std::isfinite(T[i].Limit)) FRanges[i].Limit = T[i].Limit;
        }
        if (N >= 1) FRangeNumber = N;
        if (F[0] >= -360 && F[0] < F[1] && F[1] <= 360) {
          FMeterAngle1 = F[0];
          FMeterAngle2 = F[1];
        }
        if (std::isfinite(F[5]) && std::isfinite(F[6]) && F[5] < F[6]) {
          FValueMin = F[5];
          FValueMax = F[6];
        }
        if (std::isfinite(F[7]) && F[7] > 0) FValueGap = F[7];
        if (std::isfinite(F[2]) && std::isfinite(F[3]) && F[2] >= 0 && F[3] >= F[2]) {
          FRin = F[2];
          FR = F[3];
        }
        if (std::isfinite(F[4])) FDisplayed = DisplayedFor(F[4]);
        // Rebuilt from the values read at the next paint.
        FLayoutMade = false;
        FLayoutSize = QSize();
      },
      [this](TWriter& W) {
        W.WriteListBegin();
        W.WriteListBegin();
        for (Integer i = 0; i < FRangeNumber; ++i) {
          W.WriteInteger(FRanges[i].Color);
          W.WriteBoolean(FRanges[i].RangeCheck);
          W.WriteFloat(FRanges[i].Limit);
        }
        W.WriteListEnd();
        for (Double X : {FMeterAngle1, FMeterAngle2, FRin, FR, FDisplayed, FValueMin, FValueMax, FValueGap})
          W.WriteFloat(X);
        W.WriteListEnd();
      },
      FRangeNumber >= 1);
}

}  // namespace quellix::meterInt
