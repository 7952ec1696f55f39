#include "quellix/instruments/BarGraph.h"

#include <algorithm>
#include <cmath>

namespace quellix::bargraphint {

using namespace LinearScale;

TBarGraphInt::TBarGraphInt(TComponentCore* AOwner, QWidget* AParent)
    : TBarGraphView(AOwner, AParent) {
  SetOpaque(true);
  SetColor(clBtnFace);
  SetDefaultFont(FLabelingFont);
  FLabelingFont.OnChange = [this] { Invalidate(); };
}

TBarGraphInt::~TBarGraphInt() { FLabelingFont.OnChange = nullptr; }

// ---------------------------------------------------------------------------
// Geometry properties

void TBarGraphModel::SetKind(TScrollBarKind Value) {
  const TChangeScope Changes;
  if (Value != sbHorizontal && Value != sbVertical) return;
  if (Value == FKind) return;
  FKind = Value;
  Invalidate();
}

void TBarGraphModel::SetBevelWidth(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value == FBevelWidth) return;
  FBevelWidth = Value;
  Invalidate();
}

void TBarGraphModel::SetBarWidth(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value == FBarWidth) return;
  FBarWidth = Value;
  Invalidate();
}

void TBarGraphModel::SetOffsetLower(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value == FOffsetLower) return;
  FOffsetLower = Value;
  Invalidate();
}

void TBarGraphModel::SetOffsetUpper(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value == FOffsetUpper) return;
  FOffsetUpper = Value;
  Invalidate();
}

// ---------------------------------------------------------------------------
// Value logic: compare, clamp, compare, store, redraw.

void TBarGraphModel::SetValue(Double Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FValue) return;
  Value = std::clamp(Value, FValueMin, FValueMax);
  if (Value == FValue) return;
  if (!FValuePending) FDrawnValue = FValue;
  FValue = Value;
  FValuePending = true;
  ScheduleDrawing();
}

void TBarGraphView::DrawPending() {
  if (!FValuePending) return;
  FValuePending = false;
  RedrawLevels(FDrawnValue, FValue);
}

void TBarGraphModel::SetValueMin(Double Value) {
  const TChangeScope Changes;
  if (SetSpanMin(Value, FValueMin, FValueMax, FRanges)) Invalidate();
}

void TBarGraphModel::SetValueMax(Double Value) {
  const TChangeScope Changes;
  if (SetSpanMax(Value, FValueMin, FValueMax, FRanges)) Invalidate();
}

// ---------------------------------------------------------------------------
// Colours, picture, scale

void TBarGraphView::SetBarColor(TColor Value) {
  const TChangeScope Changes;
  if (Value == FBarColor) return;
  FBarColor = Value;
  Invalidate();
}

void TBarGraphView::SetBevelColor1(TColor Value) {
  const TChangeScope Changes;
  if (Value == FBevelColor1) return;
  FBevelColor1 = Value;
  Invalidate();
}

void TBarGraphView::SetBevelColor2(TColor Value) {
  const TChangeScope Changes;
  if (Value == FBevelColor2) return;
  FBevelColor2 = Value;
  Invalidate();
}

void TBarGraphView::SetPictureBackground(const TPicture& Value) {
  if (&Value == FPictureBackground.get()) return;
  FPictureBackground->Assign(Value);
  Invalidate();
}

void TBarGraphView::SetLabelingStyle(TLabelingStyle Value) {
  const TChangeScope Changes;
  if (Value < lbsNone || Value > lbsSymmetric || Value == FLabelingStyle) return;
  FLabelingStyle = Value;
  Invalidate();
}

void TBarGraphView::SetLabelingOrientation(TLabelingOrientation Value) {
  const TChangeScope Changes;
  if (Value < lboLeft || Value > lboBelow || Value == FLabelingOrientation) return;
  FLabelingOrientation = Value;
  Invalidate();
}

void TBarGraphView::SetLabelingGap(Double Value) {
  const TChangeScope Changes;
  if (!(Value > 0) || !std::isfinite(Value) || Value == FLabelingGap) return;
  FLabelingGap = Value;
  Invalidate();
}

void TBarGraphView::SetLabelingDecimals(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value == FLabelingDecimals) return;
  FLabelingDecimals = Value;
  Invalidate();
}

void TBarGraphView::SetLabelingFont(const TFont& Value) {
  const TChangeScope Changes;
  if (&Value == &FLabelingFont) return;
  FLabelingFont.Assign(Value);  // invalidates through OnChange
}

// ---------------------------------------------------------------------------
// Geometry

TRect TBarGraphView::TrackRect() const {
  const Integer Lo = (CrossExtent() - FBarWidth) / 2;
  if (Vertical()) return Rect(Lo, FOffsetUpper, Lo + FBarWidth, Height() - FOffsetLower);
  return Rect(FOffsetLower, Lo, Width() - FOffsetUpper, Lo + FBarWidth);
}

TRect TBarGraphView::InnerTrack() const {
  TRect R = TrackRect();
  InflateRect(R, -FBevelWidth, -FBevelWidth);
  return R;
}

Integer TBarGraphView::LevelOf(Double V) const {
  const TRect In = InnerTrack();
  const Integer Len = Vertical() ? In.Height() : In.Width();
  if (Len <= 0) return 0;
  return std::clamp(ValueToPixel(V, FValueMin, FValueMax - FValueMin, Len), 0, Len);
}

LinearScale::TScaleSetup TBarGraphView::ScaleSetup() const {
  // The scale spans the inner track, so that a tick and the level of its
  // value meet.
  TScaleSetup S;
  S.Vertical = Vertical();
  S.Width = Width();
  S.Height = Height();
  S.Start = FOffsetLower + FBevelWidth;
  S.End = AlongExtent() - FOffsetUpper - FBevelWidth;
  S.ValueMin = FValueMin;
  S.ValueMax = FValueMax;
  S.Gap = FLabelingGap;
  S.Decimals = FLabelingDecimals;
  S.Labels = FLabelingStyle == lbsLabels || FLabelingStyle == lbsBoth || FLabelingStyle == lbsSymmetric;
  S.Lines = FLabelingStyle == lbsLines || FLabelingStyle == lbsBoth || FLabelingStyle == lbsSymmetric;
  S.FarSide = FLabelingOrientation == lboRight || FLabelingOrientation == lboBelow;
  S.Symmetric = FLabelingStyle == lbsSymmetric;
  S.SlotLo = (CrossExtent() - FBarWidth) / 2;
  S.SlotHi = S.SlotLo + FBarWidth;
  S.Color = Color();
  return S;
}

// ---------------------------------------------------------------------------
// Drawing

void TBarGraphView::DrawBackground(TCanvas& Cv) {
  Cv.SetCopyMode(cmSrcCopy);
  Cv.Brush().Style = bsSolid;
  Cv.Brush().Color = Color();
  // The control is opaque: it paints every pixel of its rectangle.
  Cv.FillRect(ClientRect());
  if (!FPictureBackground->Empty()) Cv.StretchDraw(Rect(1, 1, Width() - 1, Height() - 1), *FPictureBackground);
}

void TBarGraphView::DrawTrack(TCanvas& Cv) {
  FTrackRect = TrackRect();
  Cv.Brush().Style = bsSolid;
  Cv.Brush().Color = FBarColor;
  Cv.FillRect(FTrackRect);
  TRect R = FTrackRect;
  Cv.Frame3D(R, FBevelColor2, FBevelColor1, FBevelWidth);
}

// Range by range from the low end up to the value: range i reaches the
// level of min(Limit_i, Value); the range holding the value is the last.
void TBarGraphView::DrawFill(TCanvas& Cv) {
  const TRect In = InnerTrack();
  if (In.Width() <= 0 || In.Height() <= 0) return;
  Integer Prev = 0;
  for (Integer i = 1; i <= FRanges.Number; ++i) {
    const TValueRange& Range = FRanges.Range(i);
    const Integer Reach = LevelOf(std::min(Range.Limit, FValue));
    if (Reach > Prev) {
      Cv.Brush().Color = Range.Color;
      if (Vertical())
        Cv.FillRect(Rect(In.Left, In.Bottom - Reach, In.Right, In.Bottom - Prev));
      else
        Cv.FillRect(Rect(In.Left + Prev, In.Top, In.Left + Reach, In.Bottom));
      Prev = Reach;
    }
    if (!(Range.Limit < FValue)) break;
  }
}

LinearScale::TScaleLayout TBarGraphView::ScaleLayout() {
  if (FLabelingStyle == lbsNone) return {};
  TCanvas& Cv = Canvas();
  Cv.Font() = FLabelingFont;
  return LayoutScale(Cv, ScaleSetup());
}

void TBarGraphView::DrawScale(TCanvas& Cv) {
  if (FLabelingStyle == lbsNone) return;
  Cv.Font() = FLabelingFont;
  PaintScale(Cv, ScaleSetup(), FLabelingGap);
}

void TBarGraphView::Paint() {
  TCanvas& Cv = Canvas();
  if (!Cv.HasClip() || (QRegion(rect()) - Cv.ClipRegion()).isEmpty()) FValuePending = false;  // drawn now
  DrawBackground(Cv);
  DrawTrack(Cv);
  DrawFill(Cv);
  DrawScale(Cv);
}

void TBarGraphView::RedrawLevels(Double OldValue, Double NewValue) {
  if (Width() <= 0 || Height() <= 0 || Surface().isNull()) return;
  const Integer A = LevelOf(OldValue), B = LevelOf(NewValue);
  if (A == B) return;
  const Integer Lo = std::min(A, B), Hi = std::max(A, B);
  const TRect Track = TrackRect();
  const TRect In = InnerTrack();
  TRect Strip;
  if (Vertical())
    Strip = Rect(Track.Left, In.Bottom - Hi, Track.Right, In.Bottom - Lo);
  else
    Strip = Rect(In.Left + Lo, Track.Top, In.Left + Hi, Track.Bottom);
  TCanvas& Cv = Canvas();
  const int Saved = Cv.SaveDC();
  Cv.SelectClipRect(Strip);
  DrawTrack(Cv);
  DrawFill(Cv);
  Cv.RestoreDC(Saved);
}

// ---------------------------------------------------------------------------
// Streaming

void TBarGraphInt::WriteRange(TWriter& W) const {
  W.WriteListBegin();
  FRanges.WritePairs(W);
  W.WriteFloat(FValue);
  W.WriteFloat(FValueMin);
  W.WriteFloat(FValueMax);
  W.WriteFloat(FLabelingGap);
  W.WriteListEnd();
}

// The list comes after the published properties and sets the value fields
// together, so that a range read before its partner is restored all the
// same.
void TBarGraphInt::ReadRange(TReader& R) {
  R.ReadListBegin();
  FRanges.ReadPairs(R);
  const Double V = static_cast<Double>(R.ReadFloat());
  const Double Min = static_cast<Double>(R.ReadFloat());
  const Double Max = static_cast<Double>(R.ReadFloat());
  const Double Gap = static_cast<Double>(R.ReadFloat());
  R.ReadListEnd();
  if (std::isfinite(Min) && std::isfinite(Max) && Min < Max) {
    FValueMin = Min;
    FValueMax = Max;
  }
  if (Gap > 0 && std::isfinite(Gap)) FLabelingGap = Gap;
  if (std::isfinite(V)) FValue = std::clamp(V, FValueMin, FValueMax);
  FRanges.Normalise(FValueMin, FValueMax);
  Invalidate();
}

void TBarGraphInt::DefineProperties(TFiler& Filer) {
  TBarGraphView::DefineProperties(Filer);
  Filer.DefineProperty(
      QStringLiteral("Range"), [this](TReader& R) { ReadRange(R); }, [this](TWriter& W) { WriteRange(W); }, true);
}

}  // namespace quellix::bargraphint
