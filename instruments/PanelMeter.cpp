#include "quellix/instruments/PanelMeter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "quellix/host/NumberFormat.h"

namespace quellix::PMeterInt {

namespace {

// More cells than this make no readable display; larger counts are
// refused so that the number format stays small.
constexpr Integer MaxDigits = 64;

// The marker stored with an active slot item.
TObject SlotOnMarker;

constexpr TSegmentSet Seg(int N) { return 1u << N; }
constexpr TSegmentSet SegPoint = Seg(8);
constexpr TSegmentSet SegAll7 = Seg(1) | Seg(2) | Seg(3) | Seg(4) | Seg(5) | Seg(6) | Seg(7);

// Lit segments of the digits 0..9.
constexpr TSegmentSet DigitSegments[10] = {
    Seg(1) | Seg(2) | Seg(4) | Seg(5) | Seg(6) | Seg(7),           // 0
    Seg(2) | Seg(4),                                               // 1
    Seg(1) | Seg(2) | Seg(3) | Seg(5) | Seg(6),                    // 2
    Seg(1) | Seg(2) | Seg(3) | Seg(4) | Seg(5),                    // 3
    Seg(2) | Seg(3) | Seg(4) | Seg(7),                             // 4
    Seg(1) | Seg(3) | Seg(4) | Seg(5) | Seg(7),                    // 5
    Seg(1) | Seg(3) | Seg(4) | Seg(5) | Seg(6) | Seg(7),           // 6
    Seg(1) | Seg(2) | Seg(4),                                      // 7
    Seg(1) | Seg(2) | Seg(3) | Seg(4) | Seg(5) | Seg(6) | Seg(7),  // 8
    Seg(1) | Seg(2) | Seg(3) | Seg(4) | Seg(5) | Seg(7),           // 9
};

bool IsPoint(QChar C) { return C == QLatin1Char('.') || C == QLatin1Char(','); }

bool SameFont(const TFont& A, const TFont& B) {
  return A.Name() == B.Name() && A.Height() == B.Height() && A.Color() == B.Color() && A.Style() == B.Style() &&
         A.Escapement() == B.Escapement();
}

}  // namespace

QString PanelMeterFormat(Integer Digits, Integer DecimalPoint, TPanelMeterSign Sign) {
  QString P(std::max(Digits, 0), QLatin1Char('0'));
  if (DecimalPoint >= 1 && DecimalPoint <= Digits) P.insert(DecimalPoint, QLatin1Char('.'));
  if (Sign == pmrOnlyPositive) return P;
  return QLatin1Char(' ') + P + QLatin1String(";-") + P;
}

Integer PanelMeterRange(Double Value, Double ValueMin, Double ValueMax, TPanelMeterSign Sign) {
  if (Value < ValueMin) return rcBelow;
  if (Value > ValueMax) return rcAbove;
  if (Sign == pmrOnlyPositive && Value < 0) return rcNegative;
  return rcInside;
}

TSegmentSet SegmentsOf(QChar C) {
  if (C >= QLatin1Char('0') && C <= QLatin1Char('9')) return DigitSegments[C.unicode() - '0'];
  if (C == QLatin1Char('-')) return Seg(3);
  if (IsPoint(C)) return SegPoint;
  return 0;
}

// ---------------------------------------------------------------------------

TPanelMeterInt::TPanelMeterInt(TComponentCore* AOwner, QWidget* AParent) : TGraphicControl(AOwner, AParent) {
  SetOpaque(true);
  SetColor(clBlack);
  FFormat = PanelMeterFormat(FDigits, FDecimalPoint, FSign);
  FSlotFont.SetName(QStringLiteral("Arial"));
  FSlotFont.SetSize(8);
  FSlotFont.SetStyle(0);
  FSlotFont.SetColor(clBlack);
  FSlotFont.OnChange = [this] { GeometryChanged(); };
  SetBounds(Left(), Top(), 150, 60);
}

TPanelMeterInt::~TPanelMeterInt() { FSlotFont.OnChange = nullptr; }

// --- setters: reject, compare, store, recompute, redraw ---

void TPanelMeterInt::SetBevelWidth(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value == FBevelWidth) return;
  FBevelWidth = Value;
  GeometryChanged();
}

void TPanelMeterInt::SetBorderWidth(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value == FBorderWidth) return;
  FBorderWidth = Value;
  GeometryChanged();
}

void TPanelMeterInt::SetBevelColor1(TColor Value) {
  const TChangeScope Changes;
  if (Value == FBevelColor1) return;
  FBevelColor1 = Value;
  Invalidate();
}

void TPanelMeterInt::SetBevelColor2(TColor Value) {
  const TChangeScope Changes;
  if (Value == FBevelColor2) return;
  FBevelColor2 = Value;
  Invalidate();
}

void TPanelMeterInt::SetBorderColor(TColor Value) {
  const TChangeScope Changes;
  if (Value == FBorderColor) return;
  FBorderColor = Value;
  Invalidate();
}

void TPanelMeterInt::SetDisplayColor(TColor Value) {
  const TChangeScope Changes;
  if (Value == FDisplayColor) return;
  FDisplayColor = Value;
  Invalidate();
}

void TPanelMeterInt::SetDigits(Integer Value) {
  const TChangeScope Changes;
  if (Value < 1 || Value > MaxDigits || Value == FDigits) return;
  FDigits = Value;
  FormatChanged();
}

void TPanelMeterInt::SetDecimalPoint(Integer Value) {
  const TChangeScope Changes;
  if (Value == FDecimalPoint) return;
  FDecimalPoint = Value;
  FormatChanged();
}

void TPanelMeterInt::SetSign(TPanelMeterSign Value) {
  const TChangeScope Changes;
  if (Value == FSign) return;
  FSign = Value;
  FormatChanged();
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

void TPanelMeterInt::FormatChanged() {
  FFormat = PanelMeterFormat(FDigits, FDecimalPoint, FSign);
  GeometryChanged();  // the cell count follows Digits and Sign
}

void TPanelMeterInt::GeometryChanged() {
  FGeometryValid = false;
  Invalidate();
}

void TPanelMeterInt::Resize() { FGeometryValid = false; }

// --- value logic ---

void TPanelMeterInt::SetValue(Double Value) {
  const TChangeScope Changes;
  if (!std::isfinite(Value) || Value == FValue) return;
  FValue = Value;
  CheckRange();
  if (FSign == pmrOnlyPositive && FValue < 0) FValue = -FValue;
  ScheduleDrawing();
}

void TPanelMeterInt::DrawPending() { PaintDigits(); }

// Each range code is reported once, when the value enters that range; a
// run of values in the same range stays silent.
void TPanelMeterInt::CheckRange() {
  if (!Wanted(OnRangeCheck, &TPanelMeterInt::rangeCheck)) return;
  const Integer Code = PanelMeterRange(FValue, FValueMin, FValueMax, FSign);
  if (Code == FRangeState) return;
  FRangeState = Code;
  if (OnRangeCheck) OnRangeCheck(this, Code);
  emit rangeCheck(this, Code);
}

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

TRect TPanelMeterInt::DisplayRect() const {
  TRect R = ClientRect();
  const Integer Frame = 2 * FBevelWidth + FBorderWidth;
  InflateRect(R, -Frame, -Frame);
  return R;
}

const TPanelMeterInt::TGeometry& TPanelMeterInt::Geometry() {
  if (!FGeometryValid) CalcGeometry();
  return FGeometry;
}

void TPanelMeterInt::CalcGeometry() {
  TGeometry& G = FGeometry;
  G.Display = DisplayRect();
  const Extended A = FDisplayAngle * std::numbers::pi_v<Extended> / 180;
  const Extended SinA = std::sin(A);
  const Integer S = FSign == pmrNegative ? 1 : 0;
  const Integer D = FDigits;
  const Integer Wd = G.Display.Width(), Hd = G.Display.Height();

  Canvas().SaveDC();
  Canvas().Font() = FSlotFont;
  const Integer SlotTextHeight = Canvas().TextHeight(QStringLiteral("089"));

  // Digit unit: as wide as the cells allow and at most a third of the
  // height (less the slot row).
  Integer U = Round(Wd / (1.5L * D + 1 + S) / (SinA + 1.066L));
  const Integer HeightLimit = FSlots.Count() == 0 ? Round(Hd / 3.0L) : Round((Hd - (SlotTextHeight + 9)) / 3.0L);
  U = std::min(U, HeightLimit);
  G.Unit = U;

  const Extended Al = 0.4L * U, B = 0.2L * Al, Inner = Al - 2 * B;
  const Integer g = Round(B);
  const Integer t = Round(Inner / std::sqrt(2.0L));
  const Integer mw = Round(0.4L * Inner);
  const Integer x0 = Round(0.8L * Inner) / 2;
  const Integer h = U + g + g / 2;
  const Integer p = 2 * g + U + U / 4 - 1;
  const Integer r = 2 * g + U;  // right edge of the cell

  // Templates of the first cell: x to the right, y upward from the foot.
  G.Segments = {{
      {{g, 2 * U + 3 * g}, {g + U, 2 * U + 3 * g}, {g + U - t, 2 * U + 3 * g - t}, {g + t, 2 * U + 3 * g - t}},
      {{r, 2 * g + U}, {r, 2 * U + 2 * g}, {r - t, 2 * U + 2 * g - t}, {r - t, 2 * g + U + t}},
      {{x0, h}, {x0 + mw, h + mw}, {r - x0 - mw, h + mw}, {r - x0, h}, {r - x0 - mw, h - mw}, {x0 + mw, h - mw}},
      {{r, g}, {r, U + g}, {r - t, U + g - t}, {r - t, g + t}},
      {{g, 0}, {g + U, 0}, {g + U - t, t}, {g + t, t}},
      {{0, U + g}, {0, g}, {t, g + t}, {t, U + g - t}},
      {{0, 2 * U + 2 * g}, {0, U + 2 * g}, {t, U + 2 * g + t}, {t, 2 * U + 2 * g - t}},
      {{p, 0}, {p + t, 0}, {p + t, t}, {p, t}},
  }};

  // Slant, then placement: centred across the display, screen y downward.
  const Integer TW = Round((SinA + 1.066L) * (1.5L * D + S) * U);
  const Integer DX = G.Display.Left + (Wd / 2 - TW / 2);
  const Integer DY = G.Display.Top + 2 * (U + g) + U / 2;
  for (std::vector<TPoint>& Poly : G.Segments)
    for (TPoint& P : Poly) {
      P.X += Round(P.Y * SinA) + DX;
      P.Y = DY - P.Y;
    }
  G.Pitch = Round(1.6L * Round((SinA + 1) * U));

  // The slot row along the bottom of the display.
  G.SlotRects.clear();
  const Integer RowH = SlotTextHeight + 6;
  const Integer Y = G.Display.Bottom - RowH - 3;
  Integer X = G.Display.Left + 3;
  for (int I = 0; I < FSlots.Count(); ++I) {
    const Integer W = Canvas().TextWidth(FSlots.Strings(I)) + 6;
    G.SlotRects.push_back(Rect(X, Y, X + W, Y + RowH));
    X += W + 3;
  }
  Canvas().RestoreDC(-1);
  FGeometryValid = true;
}

// --- drawing ---

void TPanelMeterInt::Paint() {
  const TRect Display = PaintFrame();
  CalcGeometry();
  Canvas().Brush().Color = EffectiveColor();
  Canvas().Brush().Style = bsSolid;
  Canvas().FillRect(Display);
  PaintDigits();
  PaintSlots();
}

TRect TPanelMeterInt::PaintFrame() {
  TRect R = ClientRect();
  Canvas().Frame3D(R, FBevelColor1, FBevelColor2, FBevelWidth);
  Canvas().Frame3D(R, FBorderColor, FBorderColor, FBorderWidth);
  Canvas().Frame3D(R, FBevelColor2, FBevelColor1, FBevelWidth);
  return R;
}

void TPanelMeterInt::FillSegment(const std::vector<TPoint>& Template, Integer Offset, TColor Color) {
  std::vector<TPoint> Poly = Template;
  for (TPoint& P : Poly) P.X += Offset;
  Canvas().Brush().Color = Color;
  Canvas().Pen().Color = Color;
  Canvas().Polygon(Poly);
}

void TPanelMeterInt::PaintCell(Integer Offset, TSegmentSet Lit) {
  const TGeometry& G = Geometry();
  const TColor Off = EffectiveColor();
  for (int N = 1; N <= 8; ++N) FillSegment(G.Segments[N - 1], Offset, (Lit & Seg(N)) ? FDisplayColor : Off);
}

void TPanelMeterInt::PaintDigits() {
  const TGeometry& G = Geometry();
  if (G.Unit <= 0 || Surface().isNull()) return;
  Canvas().SaveDC();
  // Narrow displays put the last cell's point at the display's edge: the
  // cells never draw over the frame.
  Canvas().IntersectClipRect(G.Display);
  Canvas().Brush().Style = bsSolid;
  Canvas().Pen().Style = psSolid;
  Canvas().Pen().Width = 1;
  Canvas().Pen().Mode = pmCopy;

  const QString Text = FormatFloat(FFormat, FValue);
  const Integer Cells = CellCount();
  Integer Offset = 0;
  Integer Cell = 0;
  for (int I = 0; I < Text.size() && Cell < Cells; ++I, ++Cell, Offset += G.Pitch) {
    const QChar C = Text[I];
    if (C == QLatin1Char(' ')) {
      // Erased: the seven segments in the background colour.
      for (int N = 1; N <= 7; ++N) FillSegment(G.Segments[N - 1], Offset, EffectiveColor());
      continue;
    }
    TSegmentSet Lit = SegmentsOf(C);
    const QChar Next = I + 1 < Text.size() ? Text[I + 1] : QLatin1Char(' ');
    if (IsPoint(Next)) {
      Lit |= SegPoint;
      ++I;  // the point belongs to this cell
    }
    PaintCell(Offset, Lit);
  }
  // A text shorter than the display ("NAN", "INF") leaves no old digit
  // behind: the remaining cells are erased.
  for (; Cell < Cells; ++Cell, Offset += G.Pitch) PaintCell(Offset, 0);
  Canvas().RestoreDC(-1);
}

void TPanelMeterInt::PaintSlots() {
  if (FSlots.Count() == 0 || Surface().isNull()) return;
  const TGeometry& G = Geometry();
  Canvas().SaveDC();
  Canvas().Font() = FSlotFont;
  Canvas().Brush().Style = bsSolid;
  Canvas().SetBkMode(bkTransparent);
  for (int I = 0; I < FSlots.Count() && I < static_cast<int>(G.SlotRects.size()); ++I) {
    const TRect& R = G.SlotRects[I];
    if (Slot(I) || IsDesigning()) {
      Canvas().Brush().Color = FDisplayColor;
      Canvas().FillRect(R);
      Canvas().TextOut(R.Left + 3, R.Top + 3, FSlots.Strings(I));
    } else {
      Canvas().Brush().Color = EffectiveColor();
      Canvas().FillRect(R);
    }
  }
  Canvas().RestoreDC(-1);
}

}  // namespace quellix::PMeterInt
