#include "quellix/instruments/PanelMeter.h"

#include <cmath>

namespace quellix::PMeterInt {

namespace {

// The marker stored with an active slot item.
TObject SlotOnMarker;

bool SameFont(const TFont& A, const TFont& B) {
  return A.Name() == B.Name() && A.Height() == B.Height() && A.Color() == B.Color() && A.Style() == B.Style() &&
         A.Escapement() == B.Escapement();
}

}  // namespace

TPanelMeterInt::TPanelMeterInt(TComponentCore* AOwner, QWidget* AParent) : TGraphicControl(AOwner, AParent) {
  SetOpaque(true);
  SetColor(clBlack);
  FSlotFont.SetName(QStringLiteral("Arial"));
  FSlotFont.SetSize(8);
  FSlotFont.SetStyle(0);
  FSlotFont.SetColor(clBlack);
  FSlotFont.OnChange = [this] { GeometryChanged(); };
  SetBounds(Left(), Top(), 150, 60);
}

TPanelMeterInt::~TPanelMeterInt() { FSlotFont.OnChange = nullptr; }

// --- setters: reject, compare, store, recompute, redraw ---

void TPanelMeterInt::SetDisplayColor(TColor Value) {
  const TChangeScope Changes;
  if (Value == FDisplayColor) return;
  FDisplayColor = Value;
  Invalidate();
}

void TPanelMeterInt::SetValueMin(Double Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FValueMin) return;
  FValueMin = Value;
  Invalidate();
}

void TPanelMeterInt::SetValueMax(Double Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FValueMax) return;
  FValueMax = Value;
  Invalidate();
}

void TPanelMeterInt::SetDisplayAngle(Double Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FDisplayAngle) return;
  FDisplayAngle = Value;
  GeometryChanged();
}

void TPanelMeterInt::SetSlots(const TStringList& Value) {
  bool Same = Value.Count() == FSlots.Count();
  for (int I = 0; Same && I < Value.Count(); ++I)
    Same = Value.Strings(I) == FSlots.Strings(I) && Value.Objects(I) == FSlots.Objects(I);
  if (Same) return;
  FSlots.Assign(Value);
  GeometryChanged();
}

void TPanelMeterInt::SetSlotsText(const QStringList& Value) {
  const TChangeScope Changes;
  TStringList L;
  for (const QString& S : Value) L.Add(S);
  SetSlots(L);
}

void TPanelMeterInt::SetSlotFont(const TFont& Value) {
  const TChangeScope Changes;
  if (SameFont(Value, FSlotFont)) return;
  FSlotFont.Assign(Value);  // OnChange recomputes the geometry
}

void TPanelMeterInt::SetSlot(Integer Index, bool Active) {
  if (Index < 0 || Index >= FSlots.Count()) return;
  FSlots.SetObjects(Index, Active ? &SlotOnMarker : nullptr);
  PaintSlots();
}

bool TPanelMeterInt::Slot(Integer Index) const {
  return Index >= 0 && Index < FSlots.Count() && FSlots.Objects(Index) != nullptr;
}

void TPanelMeterInt::FrameChanged(bool Geometry) {
  if (Geometry)
    GeometryChanged();
  else
    Invalidate();
}

// A new format changes the cell count too: Digits and Sign decide it.
void TPanelMeterInt::NumberChanged() { GeometryChanged(); }

void TPanelMeterInt::GeometryChanged() {
  FDisplay.Invalidate();
  Invalidate();
}

void TPanelMeterInt::Resize() { FDisplay.Invalidate(); }

// --- value logic ---

// Each range code is reported once, when the value enters that range; a
// run of values in the same range stays silent. The range is checked on
// the signed value, before a display without sign cell takes its magnitude.
void TPanelMeterInt::SetValue(Double Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FValue) return;
  FValue = Value;
  if (Wanted(OnRangeCheck, &TPanelMeterInt::rangeCheck) && EnterRange(FValue, FValueMin, FValueMax)) {
    const Integer Code = RangeState();
    if (OnRangeCheck) OnRangeCheck(this, Code);
    emit rangeCheck(this, Code);
  }
  if (Sign() == pmrOnlyPositive && FValue < 0) FValue = -FValue;
  ScheduleDrawing();
}

void TPanelMeterInt::DrawPending() { PaintDigits(); }

// --- streaming ---

void TPanelMeterInt::DefineProperties(TFiler& Filer) {
  TGraphicControl::DefineProperties(Filer);
  Filer.DefineProperty(
      QStringLiteral("Range"),
      [this](TReader& R) {
        R.ReadListBegin();
        const Double Value = R.ReadFloat();
        const Double Min = R.ReadFloat();
        const Double Max = R.ReadFloat();
        const Double Angle = R.ReadFloat();
        R.ReadListEnd();
        // Numbers that are not finite keep the field as it was.
        if (std::isfinite(Value)) FValue = Value;
        if (std::isfinite(Min)) FValueMin = Min;
        if (std::isfinite(Max)) FValueMax = Max;
        if (std::isfinite(Angle)) FDisplayAngle = Angle;
        GeometryChanged();
      },
      [this](TWriter& W) {
        W.WriteListBegin();
        W.WriteFloat(FValue);
        W.WriteFloat(FValueMin);
        W.WriteFloat(FValueMax);
        W.WriteFloat(FDisplayAngle);
        W.WriteListEnd();
      },
      true);
}

// --- geometry ---

const TPanelMeterInt::TGeometry& TPanelMeterInt::Geometry() {
  if (!FDisplay.Valid())
    FDisplay.Layout(Canvas(), {Inside(ClientRect()), Digits(), Sign(), FDisplayAngle, FSlots, FSlotFont});
  return FDisplay.Geometry();
}

// --- drawing ---

void TPanelMeterInt::Paint() {
  const TRect Display = PaintFrame();
  FDisplay.Invalidate();  // a paint always lays the display out afresh
  Geometry();
  Canvas().Brush().Color = EffectiveColor();
  Canvas().Brush().Style = bsSolid;
  Canvas().FillRect(Display);
  PaintDigits();
  PaintSlots();
}

TRect TPanelMeterInt::PaintFrame() { return PaintFrameOn(Canvas(), ClientRect()); }

void TPanelMeterInt::PaintDigits() {
  Geometry();
  if (Surface().isNull()) return;
  FDisplay.PaintDigits(Canvas(), ValueText(FValue), CellCount(), FDisplayColor, EffectiveColor());
}

void TPanelMeterInt::PaintSlots() {
  if (FSlots.Count() == 0 || Surface().isNull()) return;
  Geometry();
  FDisplay.PaintSlots(Canvas(), FSlots, FSlotFont, IsDesigning(), FDisplayColor, EffectiveColor());
}

}  // namespace quellix::PMeterInt
