#include "quellix/instruments/PanelMeterParts.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "quellix/host/NumberFormat.h"

namespace quellix::PMeterInt {

namespace {

// More cells than this make no readable display; larger counts are
// refused so that the number format stays small.
constexpr Integer MaxDigits = 64;

constexpr TSegmentSet Seg(int N) { return 1u << N; }
constexpr TSegmentSet SegPoint = Seg(8);

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
// The number: reject, compare, store, reformat, tell

void TPanelMeterNumber::SetDigits(Integer Value) {
  const TChangeScope Changes;
  if (Value < 1 || Value > MaxDigits || Value == FDigits) return;
  FDigits = Value;
  Reformat();
  NumberChanged();
}

void TPanelMeterNumber::SetDecimalPoint(Integer Value) {
  const TChangeScope Changes;
  if (Value == FDecimalPoint) return;
  FDecimalPoint = Value;
  Reformat();
  NumberChanged();
}

void TPanelMeterNumber::SetSign(TPanelMeterSign Value) {
  const TChangeScope Changes;
  if (Value == FSign) return;
  FSign = Value;
  Reformat();
  NumberChanged();
}

QString TPanelMeterNumber::ValueText(Double Value) const { return FormatFloat(FFormat, Value); }

bool TPanelMeterNumber::EnterRange(Double Value, Double ValueMin, Double ValueMax) {
  const Integer Code = PanelMeterRange(Value, ValueMin, ValueMax, FSign);
  if (Code == FRangeState) return false;
  FRangeState = Code;
  return true;
}

// ---------------------------------------------------------------------------
// The frame

void TPanelMeterFrame::SetBevelWidth(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value == FBevelWidth) return;
  FBevelWidth = Value;
  FrameChanged(true);
}

void TPanelMeterFrame::SetBorderWidth(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value == FBorderWidth) return;
  FBorderWidth = Value;
  FrameChanged(true);
}

void TPanelMeterFrame::SetBevelColor1(TColor Value) {
  const TChangeScope Changes;
  if (Value == FBevelColor1) return;
  FBevelColor1 = Value;
  FrameChanged(false);
}

void TPanelMeterFrame::SetBevelColor2(TColor Value) {
  const TChangeScope Changes;
  if (Value == FBevelColor2) return;
  FBevelColor2 = Value;
  FrameChanged(false);
}

void TPanelMeterFrame::SetBorderColor(TColor Value) {
  const TChangeScope Changes;
  if (Value == FBorderColor) return;
  FBorderColor = Value;
  FrameChanged(false);
}

TRect TPanelMeterFrame::Inside(TRect Client) const {
  const Integer Frame = 2 * FBevelWidth + FBorderWidth;
  InflateRect(Client, -Frame, -Frame);
  return Client;
}

TRect TPanelMeterFrame::PaintFrameOn(TCanvas& Cv, TRect Client) const {
  Cv.Frame3D(Client, FBevelColor1, FBevelColor2, FBevelWidth);
  Cv.Frame3D(Client, FBorderColor, FBorderColor, FBorderWidth);
  Cv.Frame3D(Client, FBevelColor2, FBevelColor1, FBevelWidth);
  return Client;
}

// ---------------------------------------------------------------------------
// The display: geometry

void TPanelMeterDisplay::Layout(TCanvas& Cv, const TPanelMeterSetup& Setup) {
  TGeometry& G = FGeometry;
  G.Display = Setup.Display;
  const Extended A = Setup.Angle * std::numbers::pi_v<Extended> / 180;
  const Extended SinA = std::sin(A);
  const Integer S = Setup.Sign == pmrNegative ? 1 : 0;
  const Integer D = Setup.Digits;
  const Integer Wd = G.Display.Width(), Hd = G.Display.Height();

  Cv.SaveDC();
  Cv.Font() = Setup.SlotFont;
  const Integer SlotTextHeight = Cv.TextHeight(QStringLiteral("089"));

  // Digit unit: as wide as the cells allow and at most a third of the
  // height (less the slot row).
  Integer U = Round(Wd / (1.5L * D + 1 + S) / (SinA + 1.066L));
  const Integer HeightLimit =
      Setup.Slots.Count() == 0 ? Round(Hd / 3.0L) : Round((Hd - (SlotTextHeight + 9)) / 3.0L);
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
  for (int I = 0; I < Setup.Slots.Count(); ++I) {
    const Integer W = Cv.TextWidth(Setup.Slots.Strings(I)) + 6;
    G.SlotRects.push_back(Rect(X, Y, X + W, Y + RowH));
    X += W + 3;
  }
  Cv.RestoreDC(-1);
  FValid = true;
}

// ---------------------------------------------------------------------------
// The display: drawing

void TPanelMeterDisplay::FillSegment(TCanvas& Cv, const std::vector<TPoint>& Template, Integer Offset,
                                     TColor Color) const {
  std::vector<TPoint> Poly = Template;
  for (TPoint& P : Poly) P.X += Offset;
  Cv.Brush().Color = Color;
  Cv.Pen().Color = Color;
  Cv.Polygon(Poly);
}

void TPanelMeterDisplay::PaintCell(TCanvas& Cv, Integer Offset, TSegmentSet Lit, TColor On, TColor Off) const {
  for (int N = 1; N <= 8; ++N) FillSegment(Cv, FGeometry.Segments[N - 1], Offset, (Lit & Seg(N)) ? On : Off);
}

void TPanelMeterDisplay::PaintDigits(TCanvas& Cv, const QString& Text, Integer Cells, TColor On, TColor Off) const {
  const TGeometry& G = FGeometry;
  if (G.Unit <= 0) return;
  Cv.SaveDC();
  // Narrow displays put the last cell's point at the display's edge: the
  // cells never draw over the frame.
  Cv.IntersectClipRect(G.Display);
  Cv.Brush().Style = bsSolid;
  Cv.Pen().Style = psSolid;
  Cv.Pen().Width = 1;
  Cv.Pen().Mode = pmCopy;

  Integer Offset = 0;
  Integer Cell = 0;
  for (int I = 0; I < Text.size() && Cell < Cells; ++I, ++Cell, Offset += G.Pitch) {
    const QChar C = Text[I];
    if (C == QLatin1Char(' ')) {
      // Erased: the seven segments in the background colour.
      for (int N = 1; N <= 7; ++N) FillSegment(Cv, G.Segments[N - 1], Offset, Off);
      continue;
    }
    TSegmentSet Lit = SegmentsOf(C);
    const QChar Next = I + 1 < Text.size() ? Text[I + 1] : QLatin1Char(' ');
    if (IsPoint(Next)) {
      Lit |= SegPoint;
      ++I;  // the point belongs to this cell
    }
    PaintCell(Cv, Offset, Lit, On, Off);
  }
  // A text shorter than the display ("NAN", "INF") leaves no old digit
  // behind: the remaining cells are erased.
  for (; Cell < Cells; ++Cell, Offset += G.Pitch) PaintCell(Cv, Offset, 0, On, Off);
  Cv.RestoreDC(-1);
}

void TPanelMeterDisplay::PaintSlots(TCanvas& Cv, const TStringList& Slots, const TFont& Font, bool ShowAll,
                                    TColor On, TColor Off) const {
  const TGeometry& G = FGeometry;
  Cv.SaveDC();
  Cv.Font() = Font;
  Cv.Brush().Style = bsSolid;
  Cv.SetBkMode(bkTransparent);
  for (int I = 0; I < Slots.Count() && I < static_cast<int>(G.SlotRects.size()); ++I) {
    const TRect& R = G.SlotRects[I];
    if (Slots.Objects(I) != nullptr || ShowAll) {
      Cv.Brush().Color = On;
      Cv.FillRect(R);
      Cv.TextOut(R.Left + 3, R.Top + 3, Slots.Strings(I));
    } else {
      Cv.Brush().Color = Off;
      Cv.FillRect(R);
    }
  }
  Cv.RestoreDC(-1);
}

}  // namespace quellix::PMeterInt
