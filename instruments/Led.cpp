#include "quellix/instruments/Led.h"

#include <algorithm>

namespace quellix::LedInt {

// Halving by a right shift: all sizes here are non-negative.
std::vector<TPoint> LedPolygon(TLedStyle Style, Integer W, Integer H) {
  switch (Style) {
    case lesArrowLeft:
      return {{W - 1, 0}, {W - 1, H - 1}, {0, H / 2}};
    case lesArrowRight:
      return {{0, 0}, {0, H - 1}, {W - 1, H / 2}};
    case lesArrowUp:
      return {{0, H - 1}, {W - 1, H - 1}, {W / 2, 0}};
    case lesArrowDown:
      return {{0, 0}, {W - 1, 0}, {W / 2, H - 1}};
    case lesArrowLeftRight:
    case lesArrowUpDown:
      // Both double arrows are drawn as the same diamond.
      return {{W / 2, 0}, {W - 1, H / 2}, {W / 2, H - 1}, {0, H / 2}};
    case lesCircle:
    case lesRectangle:
      break;
  }
  return {};
}

TRect LedCircleBounds(Integer W, Integer H) {
  const Integer S = std::min(W, H);
  const Integer X0 = H <= W ? (W - H) / 2 : 0;
  const Integer Y0 = H <= W ? 0 : (H - W) / 2;
  return Rect(X0, Y0, X0 + S, Y0 + S);
}

// A small quadrilateral in the upper-left quarter: its long edge runs from
// a quarter of the lamp's side left of the centre to a quarter above it.
std::vector<TPoint> LedHighlight(Integer W, Integer H) {
  const Integer S = std::min(W, H);
  const TPoint P1{W / 2 - S / 4, H / 2};
  const TPoint P2{W / 2, H / 2 - S / 4};
  const TPoint P3{(3 * P1.X + P2.X) / 4, P2.Y};
  const TPoint P4{P1.X, (3 * P2.Y + P1.Y) / 4};
  return {P1, P2, P3, P4};
}

TLedInt::TLedInt(TComponentCore* AOwner, QWidget* AParent) : TGraphicControl(AOwner, AParent) {
  SetOpaque(true);
  // The window colour of its own; on a parent it follows the parent's.
  SetColor(clWindow);
  SetParentColor(true);
  FCurrentColor = FColorInactive;
  FFlashTimer = std::make_unique<TTimer>();
  FFlashTimer->SetEnabled(false);
  FFlashTimer->OnTimer = [this](TObject*) { FlashTimerTick(); };
  SetBounds(Left(), Top(), 20, 20);
}

TLedInt::~TLedInt() {
  FFlashTimer->SetEnabled(false);
  FFlashTimer->OnTimer = nullptr;
}

void TLedInt::SetColorInactive(TColor Value) {
  const TChangeScope Changes;
  if (Value == FColorInactive) return;
  FColorInactive = Value;
  if (!FValue) FCurrentColor = Value;
  Invalidate();
}

void TLedInt::SetColorActive(TColor Value) {
  const TChangeScope Changes;
  if (Value == FColorActive) return;
  FColorActive = Value;
  if (FValue) FCurrentColor = Value;
  Invalidate();
}

void TLedInt::SetValue(bool Value) {
  const TChangeScope Changes;
  if (Value == FValue) return;
  FValue = Value;
  FCurrentColor = SteadyColor();
  ScheduleDrawing();
  if (!IsDesigning()) UpdateFlashTimer();
}

void TLedInt::DrawPending() { PaintLamp(); }

void TLedInt::SetFlashing(bool Value) {
  const TChangeScope Changes;
  if (Value == FFlashing) return;
  FFlashing = Value;
  // While loading, Loaded() starts the flashing once Value is known too.
  if (IsDesigning() || IsLoading()) return;
  UpdateFlashTimer();
  if (!FFlashTimer->Enabled()) {
    FCurrentColor = SteadyColor();
    PaintLamp();
  }
}

void TLedInt::SetFlashInterval(Integer Value) {
  const TChangeScope Changes;
  // An interval below 1 ms would keep the timer firing without pause.
  if (Value < 1 || Value == FFlashInterval) return;
  FFlashInterval = Value;
  FFlashTimer->SetInterval(Value);
}

void TLedInt::SetStyle(TLedStyle Value) {
  const TChangeScope Changes;
  if (Value == FStyle) return;
  FStyle = Value;
  Invalidate();
}

void TLedInt::Loaded() {
  TGraphicControl::Loaded();
  if (IsDesigning()) return;
  if (FFlashing && FValue) {
    FFlashing = false;
    SetFlashing(true);
  }
}

void TLedInt::UpdateFlashTimer() { FFlashTimer->SetEnabled(FFlashing && FValue); }

void TLedInt::FlashTimerTick() {
  if (!FValue) return;
  FCurrentColor = FCurrentColor == FColorInactive ? FColorActive : FColorInactive;
  PaintLamp();
}

// --- drawing ---

void TLedInt::Paint() {
  Canvas().Brush().Color = EffectiveColor();
  Canvas().Brush().Style = bsSolid;
  Canvas().FillRect(ClientRect());
  PaintLamp();
}

void TLedInt::PaintLamp() {
  if (Surface().isNull()) return;
  TCanvas& C = Canvas();
  const Integer W = Width(), H = Height();
  C.Brush().Style = bsSolid;
  C.Brush().Color = FCurrentColor;
  C.Pen().Color = clBtnShadow;
  C.Pen().Mode = pmCopy;
  switch (FStyle) {
    case lesCircle:
      C.Ellipse(LedCircleBounds(W, H));
      C.Brush().Color = clWhite;
      C.Pen().Color = clWhite;
      C.Polygon(LedHighlight(W, H));
      break;
    case lesRectangle:
      C.FillRect(Rect(0, 0, W, H));
      C.Brush().Color = clBtnShadow;
      C.FrameRect(Rect(0, 0, W, H));
      break;
    default:
      C.Polygon(LedPolygon(FStyle, W, H));
      break;
  }
}

}  // namespace quellix::LedInt
