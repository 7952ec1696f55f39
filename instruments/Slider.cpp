#include "quellix/instruments/Slider.h"

#include <algorithm>
#include <cmath>

namespace quellix::Slider {

using namespace LinearScale;

TSlider::TSlider(TComponentCore* AOwner, QWidget* AParent)
    : TSliderView(AOwner, AParent) {
  SetColor(clBtnFace);
  SetDefaultFont(FLabelingFont);
  SetDefaultFont(FButtonFont);
  FLabelingFont.OnChange = [this] { Invalidate(); };
  FButtonFont.OnChange = [this] { Invalidate(); };
}

TSlider::~TSlider() {
  FLabelingFont.OnChange = nullptr;
  FButtonFont.OnChange = nullptr;
}

// ---------------------------------------------------------------------------
// Geometry properties

Integer TSliderModel::LimitedButtonWidth(Integer Value) const {
  const Integer C = CrossExtent();
  return C > 2 ? std::min(Value, C - 2) : Value;
}

void TSliderModel::SetKind(TScrollBarKind Value) {
  const TChangeScope Changes;
  if (Value != sbHorizontal && Value != sbVertical) return;
  if (Value == FKind) return;
  FKind = Value;
  // Turning a designed slider turns its bounds with it.
  if (IsDesigning() && !IsLoading()) SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TSliderModel::SetBevelWidth(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value == FBevelWidth) return;
  FBevelWidth = Value;
  Invalidate();
}

void TSliderModel::SetSliderWidth(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value == FSliderWidth) return;
  FSliderWidth = Value;
  Invalidate();
}

void TSliderModel::SetButtonWidth(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0) return;
  // A picture pointer keeps the width the picture was made for.
  if (Asymmetric() && !FPictureButton->Empty()) return;
  Value = LimitedButtonWidth(Value);
  if (Value == FButtonWidth) return;
  FButtonWidth = Value;
  Invalidate();
}

void TSliderModel::SetButtonHeight(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value == FButtonHeight) return;
  FButtonHeight = Value;
  Invalidate();
}

void TSliderModel::SetOffsetLower(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value == FOffsetLower) return;
  FOffsetLower = Value;
  Repaint();
}

void TSliderModel::SetOffsetUpper(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value == FOffsetUpper) return;
  FOffsetUpper = Value;
  Repaint();
}

// ---------------------------------------------------------------------------
// Value logic: quantise, clamp, compare, store, fire, redraw.

void TSliderModel::SetValue(Double Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value)) return;
  if (FValueStepWidth > 0) Value = std::nearbyint(Value / FValueStepWidth) * FValueStepWidth;
  if (Value == FValue) return;
  Value = std::clamp(Value, FValueMin, FValueMax);
  if (Value == FValue) return;
  FValue = Value;
  if (OnValueChange) OnValueChange(this);
  emit valueChange(this);
  ScheduleDrawing();
}

void TSliderView::DrawPending() { RedrawButton(); }

void TSliderModel::SetValueMin(Double Value) {
  const TChangeScope Changes;
  if (SetSpanMin(Value, FValueMin, FValueMax, FRanges)) Invalidate();
}

void TSliderModel::SetValueMax(Double Value) {
  const TChangeScope Changes;
  if (SetSpanMax(Value, FValueMin, FValueMax, FRanges)) Invalidate();
}

void TSliderModel::SetValueStepWidth(Double Value) {
  const TChangeScope Changes;
  if (!(Value >= 0) || !std::isfinite(Value) || Value == FValueStepWidth) return;
  FValueStepWidth = Value;
  // The current value moves onto the new grid at once.
  SetValue(FValue);
  Invalidate();
}

// ---------------------------------------------------------------------------
// Scale, colours, pictures

void TSliderLook::SetLabelingStyle(TLabelingStyle Value) {
  const TChangeScope Changes;
  if (Value < lbsNone || Value > lbsAsymmetric || Value == FLabelingStyle) return;
  FLabelingStyle = Value;
  const Integer C = CrossExtent();
  // Without a picture the asymmetric scale's button is a pointer across
  // the whole control.
  if (Asymmetric() && FPictureButton->Empty() && C > 2)
    FButtonWidth = C - 2;
  else
    FButtonWidth = LimitedButtonWidth(FButtonWidth);
  Invalidate();
}

void TSliderLook::SetLabelingOrientation(TLabelingOrientation Value) {
  const TChangeScope Changes;
  if (Value < lboLeft || Value > lboBelow || Value == FLabelingOrientation) return;
  FLabelingOrientation = Value;
  Invalidate();
}

void TSliderLook::SetLabelingGap(Double Value) {
  const TChangeScope Changes;
  if (!(Value > 0) || !std::isfinite(Value) || Value == FLabelingGap) return;
  FLabelingGap = Value;
  Invalidate();
}

void TSliderLook::SetLabelingDecimals(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value == FLabelingDecimals) return;
  FLabelingDecimals = Value;
  Invalidate();
}

void TSliderLook::SetLabelingFont(const TFont& Value) {
  const TChangeScope Changes;
  if (&Value == &FLabelingFont) return;
  FLabelingFont.Assign(Value);  // invalidates through OnChange
}

void TSliderLook::SetBevelColor1(TColor Value) {
  const TChangeScope Changes;
  if (Value == FBevelColor1) return;
  FBevelColor1 = Value;
  Invalidate();
}

void TSliderLook::SetBevelColor2(TColor Value) {
  const TChangeScope Changes;
  if (Value == FBevelColor2) return;
  FBevelColor2 = Value;
  Invalidate();
}

void TSliderLook::SetButtonColor(TColor Value) {
  const TChangeScope Changes;
  if (Value == FButtonColor) return;
  FButtonColor = Value;
  Invalidate();
}

void TSliderLook::SetButtonBorderColor(TColor Value) {
  const TChangeScope Changes;
  if (Value == FButtonBorderColor) return;
  FButtonBorderColor = Value;
  Invalidate();
}

void TSliderLook::SetButtonCaption(const QString& Value) {
  const TChangeScope Changes;
  if (Value == FButtonCaption) return;
  FButtonCaption = Value;
  Invalidate();
}

void TSliderLook::SetButtonFont(const TFont& Value) {
  const TChangeScope Changes;
  if (&Value == &FButtonFont) return;
  FButtonFont.Assign(Value);
}

void TSliderLook::SetButtonTransparent(bool Value) {
  const TChangeScope Changes;
  if (Value == FButtonTransparent) return;
  FButtonTransparent = Value;
  Invalidate();
}

void TSliderLook::SetPictureSlide(const TPicture& Value) {
  if (&Value == FPictureSlide.get()) return;
  FPictureSlide->Assign(Value);
  Invalidate();
}

void TSliderLook::SetPictureButton(const TPicture& Value) {
  if (&Value == FPictureButton.get()) return;
  FPictureButton->Assign(Value);
  Invalidate();
}

void TSliderLook::SetPictureMask(const TPicture& Value) {
  if (&Value == FPictureMask.get()) return;
  FPictureMask->Assign(Value);
  Invalidate();
}

void TSliderLook::SetReduceFlicker(bool Value) {
  const TChangeScope Changes;
  if (Value == FReduceFlicker) return;
  FReduceFlicker = Value;
  if (Value) {
    FBitmap = std::make_unique<TBitmap>(std::max(Width(), 1), std::max(Height(), 1));
    FBitmap->Canvas().SetCopyMode(cmSrcCopy);
  } else {
    FBitmap.reset();
  }
  Invalidate();
}

// ---------------------------------------------------------------------------
// Geometry

TRect TSliderView::ButtonRectFor(Double V) const {
  const Integer P = ValueToPixel(V, FValueMin, FValueMax - FValueMin, TravelLength());
  TRect R;
  if (Vertical()) {
    if (PointerBar()) {
      R.Left = 0;
      R.Right = Width();
    } else {
      R.Left = (Width() - FButtonWidth) / 2 + 1;
      R.Right = R.Left + FButtonWidth;
    }
    R.Bottom = Height() - P - FOffsetLower;
    R.Top = R.Bottom - FButtonHeight;
  } else {
    if (PointerBar()) {
      R.Top = 0;
      R.Bottom = Height();
    } else {
      R.Top = (Height() - FButtonWidth) / 2;
      R.Bottom = R.Top + FButtonWidth;
    }
    R.Left = FOffsetLower + P;
    R.Right = R.Left + FButtonHeight;
  }
  return R;
}

TRect TSliderView::SlotRect() const {
  const Integer C = CrossExtent();
  Integer Lo;
  if (Asymmetric() && FarSide())
    Lo = Trunc(C * 0.1);
  else if (Asymmetric())
    Lo = Trunc(C * 0.9) - FSliderWidth;
  else
    Lo = (C - FSliderWidth) / 2;
  const Integer Hi = Lo + FSliderWidth;
  if (Vertical()) return Rect(Lo, FOffsetUpper, Hi, Height() - FOffsetLower);
  return Rect(FOffsetLower, Lo, Width() - FOffsetUpper, Hi);
}

Double TSliderView::ValueAt(Integer X, Integer Y) const {
  const Integer Travel = TravelLength();
  if (Travel <= 0) return FValue;
  const Double Span = FValueMax - FValueMin;
  if (Vertical()) return Span * ((Height() - FButtonHeight * 0.5 - FOffsetLower) - Y) / Travel + FValueMin;
  return Span * (X - FButtonHeight * 0.5 - FOffsetLower) / Travel + FValueMin;
}

LinearScale::TScaleSetup TSliderView::ScaleSetup() const {
  TScaleSetup S;
  S.Vertical = Vertical();
  S.Width = Width();
  S.Height = Height();
  S.Start = FButtonHeight / 2 + FOffsetLower;
  S.End = AlongExtent() - FButtonHeight / 2 - FOffsetUpper;
  S.ValueMin = FValueMin;
  S.ValueMax = FValueMax;
  S.Gap = FLabelingGap;
  S.Decimals = FLabelingDecimals;
  S.Labels = FLabelingStyle == lbsLabels || FLabelingStyle == lbsBoth || FLabelingStyle == lbsSymmetric ||
             FLabelingStyle == lbsAsymmetric;
  S.Lines = FLabelingStyle == lbsLines || FLabelingStyle == lbsBoth || FLabelingStyle == lbsSymmetric;
  S.FarSide = FarSide();
  S.Symmetric = FLabelingStyle == lbsSymmetric;
  S.Asymmetric = Asymmetric();
  S.SlotLo = (CrossExtent() - FSliderWidth) / 2;
  S.SlotHi = S.SlotLo + FSliderWidth;
  S.Color = Color();
  return S;
}

// ---------------------------------------------------------------------------
// Drawing

void TSliderView::DrawSlot(TCanvas& Cv) {
  FSlotRect = SlotRect();
  const Integer W = Width(), H = Height();
  Cv.Brush().Style = bsSolid;
  Cv.Brush().Color = Color();
  if (!FPictureSlide->Empty()) {
    Cv.FillRect(ClientRect());
    Cv.SetCopyMode(cmSrcCopy);
    Cv.StretchDraw(ClientRect(), *FPictureSlide);
    return;
  }
  const TRect& S = FSlotRect;
  Cv.FillRect(Rect(0, 0, W, S.Top));
  Cv.FillRect(Rect(0, S.Bottom, W, H));
  Cv.FillRect(Rect(0, S.Top, S.Left, S.Bottom));
  Cv.FillRect(Rect(S.Right, S.Top, W, S.Bottom));

  TRect In = S;
  Cv.Frame3D(In, FBevelColor2, FBevelColor1, FBevelWidth);
  // The ranges from the low end; a boundary lies under the button centre
  // for the range's limit, the last range reaches the high end.
  const Integer Len = Vertical() ? In.Height() : In.Width();
  if (Len <= 0 || In.Width() <= 0 || In.Height() <= 0) return;
  const Double Span = FValueMax - FValueMin;
  Integer Prev = 0;
  for (Integer i = 1; i <= FRanges.Number; ++i) {
    Integer D = Len;
    if (i < FRanges.Number)
      D = std::clamp(ValueToPixel(FRanges.Range(i).Limit, FValueMin, Span, Len - FButtonHeight) + FButtonHeight / 2,
                     0, Len);
    if (D <= Prev) continue;
    Cv.Brush().Color = FRanges.Range(i).Color;
    if (Vertical())
      Cv.FillRect(Rect(In.Left, In.Bottom - D, In.Right, In.Bottom - Prev));
    else
      Cv.FillRect(Rect(In.Left + Prev, In.Top, In.Left + D, In.Bottom));
    Prev = D;
  }
}

LinearScale::TScaleLayout TSliderView::ScaleLayout() {
  if (FLabelingStyle == lbsNone) return {};
  TCanvas& Cv = Canvas();
  Cv.Font() = FLabelingFont;
  return LayoutScale(Cv, ScaleSetup());
}

void TSliderView::DrawScale(TCanvas& Cv) {
  if (FLabelingStyle == lbsNone) return;
  Cv.Font() = FLabelingFont;
  const TScaleLayout L = PaintScale(Cv, ScaleSetup(), FLabelingGap);
  if (L.Valid) FLabelWidth = L.LabelWidth;
}

void TSliderView::DrawButton(TCanvas& Cv, const TRect& R) {
  FButtonRect = R;
  if (!FPictureButton->Empty()) {
    // A transparent sprite: the mask clears the button's shape, the
    // picture is then laid over it.
    if (!FPictureMask->Empty()) {
      Cv.SetCopyMode(cmSrcAnd);
      Cv.StretchDraw(R, *FPictureMask);
    }
    TRect In = R;
    InflateRect(In, -1, -1);
    Cv.SetCopyMode(cmSrcPaint);
    Cv.StretchDraw(In, *FPictureButton);
    Cv.SetCopyMode(cmSrcCopy);
    return;
  }
  if (PointerBar()) {
    DrawPointerBar(Cv, R);
    return;
  }
  TRect F = R;
  Cv.Frame3D(F, FBevelColor1, FBevelColor2, FBevelWidth);
  Cv.Frame3D(F, FButtonBorderColor, FButtonBorderColor, FBevelWidth);
  Cv.Frame3D(F, FBevelColor2, FBevelColor1, FBevelWidth);
  if (!FButtonTransparent) {
    Cv.Brush().Style = bsSolid;
    Cv.Brush().Color = FButtonColor;
    Cv.FillRect(F);
  }
  if (!FButtonCaption.isEmpty()) {
    Cv.Font() = FButtonFont;
    const TBkMode OldBk = Cv.BkMode();
    Cv.SetBkMode(bkTransparent);
    const Integer X = F.Left + (F.Width() - Cv.TextWidth(FButtonCaption)) / 2;
    const Integer Y = F.Top + (F.Height() - Cv.TextHeight(FButtonCaption)) / 2;
    Cv.TextOut(X, Y, FButtonCaption);
    Cv.SetBkMode(OldBk);
  }
}

// The pointer bar of a transparent button on an asymmetric scale: a raised
// bar across the control with an unfilled window through which the label
// behind it shows.
void TSliderView::DrawPointerBar(TCanvas& Cv, const TRect& R) {
  TRect F = R;
  Cv.Frame3D(F, FBevelColor1, FBevelColor2, FBevelWidth);
  Cv.Font() = FLabelingFont;
  TRect Win = F;
  if (Vertical()) {
    const Integer WinWidth = FLabelWidth + 2 * Cv.TextWidth(QStringLiteral("8")) + FBevelWidth;
    if (FarSide()) {
      Win.Right = Trunc(0.8 * Width()) + FBevelWidth;
      Win.Left = Win.Right - WinWidth;
    } else {
      Win.Left = Trunc(0.2 * Width()) - FBevelWidth;
      Win.Right = Win.Left + WinWidth;
    }
  } else {
    // Across a horizontal slider the label is one text line high; the
    // window leaves half a line above and below it.
    const Integer Th = Cv.TextHeight(QStringLiteral("012."));
    const Integer WinHeight = 2 * Th + FBevelWidth;
    if (FarSide()) {
      Win.Bottom = Height() - Trunc(0.2 * Height()) + FBevelWidth;
      Win.Top = Win.Bottom - WinHeight;
    } else {
      Win.Top = Trunc(0.2 * Height()) - FBevelWidth;
      Win.Bottom = Win.Top + WinHeight;
    }
  }
  Win.Left = std::max(Win.Left, F.Left);
  Win.Right = std::min(Win.Right, F.Right);
  Win.Top = std::max(Win.Top, F.Top);
  Win.Bottom = std::min(Win.Bottom, F.Bottom);
  Cv.Brush().Style = bsSolid;
  Cv.Brush().Color = FButtonBorderColor;
  if (Vertical()) {
    Cv.FillRect(Rect(F.Left, F.Top, Win.Left, F.Bottom));
    Cv.FillRect(Rect(Win.Right, F.Top, F.Right, F.Bottom));
  } else {
    Cv.FillRect(Rect(F.Left, F.Top, F.Right, Win.Top));
    Cv.FillRect(Rect(F.Left, Win.Bottom, F.Right, F.Bottom));
  }
  Cv.Frame3D(Win, FButtonBorderColor, FButtonBorderColor, FBevelWidth);
  Cv.Frame3D(Win, FBevelColor2, FBevelColor1, FBevelWidth);
}

void TSliderView::DrawAll(TCanvas& Cv) {
  DrawSlot(Cv);
  DrawScale(Cv);
  DrawButton(Cv, ButtonRect());
}

void TSliderView::Paint() {
  if (FReduceFlicker && FBitmap) {
    FBitmap->SetPixelRatio(PixelRatio());
    FBitmap->SetSize(std::max(Width(), 1), std::max(Height(), 1));
  }
  const TSize Size{Width(), Height()};
  if (Size != FLastSize) {
    FLastSize = Size;
    FButtonWidth = LimitedButtonWidth(FButtonWidth);
  }
  Canvas().SetCopyMode(cmSrcCopy);
  DrawAll(Canvas());
}

void TSliderView::RedrawArea(const TRect& Area) {
  if (FReduceFlicker && FBitmap) {
    FBitmap->SetPixelRatio(PixelRatio());
    FBitmap->SetSize(std::max(Width(), 1), std::max(Height(), 1));
    TCanvas& B = FBitmap->Canvas();
    const int Saved = B.SaveDC();
    B.SelectClipRect(Area);
    DrawAll(B);
    B.RestoreDC(Saved);
    Canvas().SetCopyMode(cmSrcCopy);
    Canvas().CopyRect(Area, B, Area);
  } else {
    TCanvas& Cv = Canvas();
    const int Saved = Cv.SaveDC();
    Cv.SelectClipRect(Area);
    DrawAll(Cv);
    Cv.RestoreDC(Saved);
  }
}

void TSliderView::RedrawButton() {
  if (Width() <= 0 || Height() <= 0 || Surface().isNull()) return;
  TRect Old = FButtonRect;
  TRect New = ButtonRect();
  TRect Both;
  if (!IsRectEmpty(Old) && IntersectRect(Both, Old, New)) {
    UnionRect(Both, Old, New);
    InflateRect(Both, 2, 2);
    RedrawArea(Both);
    return;
  }
  if (!IsRectEmpty(Old)) {
    InflateRect(Old, 2, 2);
    RedrawArea(Old);
  }
  InflateRect(New, 2, 2);
  RedrawArea(New);
}

// ---------------------------------------------------------------------------
// Mouse

void TSliderView::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (!Enabled() || Button != mbLeft) return;
  const TPoint P = Point(X, Y);
  if (PtInRect(ButtonRect(), P)) {
    FDragging = true;
  } else if (PtInRect(SlotRect(), P) && TravelLength() > 0) {
    // The button jumps so that its centre lies under the pointer.
    SetValue(ValueAt(X, Y));
    FDragging = true;
  } else {
    return;
  }
  FPressPoint = P;
  FPressValue = FValue;
}

void TSliderView::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging || !Enabled()) return;
  const Integer Travel = TravelLength();
  if (Travel <= 0) return;
  const Integer D = Vertical() ? FPressPoint.Y - Y : X - FPressPoint.X;
  SetValue(FPressValue + (FValueMax - FValueMin) * D / Travel);
}

void TSliderView::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) FDragging = false;
}

// ---------------------------------------------------------------------------
// Streaming

void TSlider::WriteRange(TWriter& W) const {
  W.WriteListBegin();
  FRanges.WritePairs(W);
  W.WriteFloat(FValue);
  W.WriteFloat(FValueMin);
  W.WriteFloat(FValueMax);
  W.WriteFloat(FValueStepWidth);
  W.WriteFloat(FLabelingGap);
  W.WriteListEnd();
}

// The list comes after the published properties and sets the value fields
// together, so that a range read before its partner (ValueMin 200 before
// ValueMax 300) is restored all the same.
void TSlider::ReadRange(TReader& R) {
  R.ReadListBegin();
  FRanges.ReadPairs(R);
  const Double V = static_cast<Double>(R.ReadFloat());
  const Double Min = static_cast<Double>(R.ReadFloat());
  const Double Max = static_cast<Double>(R.ReadFloat());
  const Double Step = static_cast<Double>(R.ReadFloat());
  const Double Gap = static_cast<Double>(R.ReadFloat());
  R.ReadListEnd();
  if (std::isfinite(Min) && std::isfinite(Max) && Min < Max) {
    FValueMin = Min;
    FValueMax = Max;
  }
  if (Step >= 0 && std::isfinite(Step)) FValueStepWidth = Step;
  if (Gap > 0 && std::isfinite(Gap)) FLabelingGap = Gap;
  if (std::isfinite(V)) FValue = std::clamp(V, FValueMin, FValueMax);
  FRanges.Normalise(FValueMin, FValueMax);
  Invalidate();
}

void TSlider::DefineProperties(TFiler& Filer) {
  TSliderView::DefineProperties(Filer);
  Filer.DefineProperty(
      QStringLiteral("Range"), [this](TReader& R) { ReadRange(R); }, [this](TWriter& W) { WriteRange(W); }, true);
}

}  // namespace quellix::Slider
