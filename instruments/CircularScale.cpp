#include "quellix/instruments/CircularScale.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "quellix/host/NumberFormat.h"

namespace quellix::CircularScale {

Double Rad(Double Degrees) { return Degrees * Pi / 180.0; }

Integer TruncSat(Double X) {
  if (std::isnan(X)) return 0;
  constexpr Double Hi = std::numeric_limits<Integer>::max();
  constexpr Double Lo = std::numeric_limits<Integer>::min();
  if (X >= Hi) return std::numeric_limits<Integer>::max();
  if (X <= Lo) return std::numeric_limits<Integer>::min();
  return static_cast<Integer>(X);
}

bool SetScaleMin(Double V, Double& Min, Double& Max) {
  if (!std::isfinite(V) || V == Min) return false;
  Min = V;
  if (Min >= Max) Max = Min + 1;
  return true;
}

bool SetScaleMax(Double V, Double& Min, Double& Max) {
  if (!std::isfinite(V) || V == Max) return false;
  Max = V;
  if (Max <= Min) Min = Max - 1;
  return true;
}

bool SetStartAngle(Double V, Double& Start, Double End) {
  if (!(V >= -360 && V < End) || V == Start) return false;
  Start = V;
  return true;
}

bool SetEndAngle(Double V, Double Start, Double& End) {
  if (!(V > Start && V <= 360) || V == End) return false;
  End = V;
  return true;
}

Double TPivot::X(Double r, Double Degrees) const { return cx + r * std::sin(Rad(Degrees)); }

Double TPivot::Y(Double r, Double Degrees) const { return Height - r * std::cos(Rad(Degrees)) - yBase; }

TPoint TPivot::PointTrunc(Double r, Double Degrees) const {
  return {TruncSat(X(r, Degrees)), TruncSat(Y(r, Degrees))};
}

TPoint TPivot::PointRound(Double r, Double Degrees) const {
  return {TruncSat(std::nearbyint(X(r, Degrees))), TruncSat(std::nearbyint(Y(r, Degrees)))};
}

QString LabelFormat(Double ValueMin, Double ValueMax, Integer Decimals) {
  const Double Span = ValueMax - ValueMin;
  if (ValueMin <= -10000 || ValueMax >= 10000 || ((ValueMax < 0.0001 || ValueMin > -0.0001) && Span < 0.0001))
    return QStringLiteral("#.##E-00");
  if (Decimals >= 1) return QStringLiteral("0.") + QString(Decimals, QLatin1Char('0'));
  return QStringLiteral("0");
}

QString LabelText(const QString& Format, Double V) { return FormatFloat(Format, V).left(MaxLabelLength); }

QString WidestLabel(const QString& Format, Double ValueMin, Double ValueMax) {
  const Double V = std::fabs(ValueMin) >= std::fabs(ValueMax) ? ValueMin : ValueMax;
  return LabelText(Format, V) + QLatin1Char('-');
}

bool FitTickGap(Double Span, Double Cap, Double& Gap) {
  if (!(Cap > 0)) return false;
  if (Span * 4 / Gap > Cap) Gap = Span * 4 / Cap;
  return true;
}

TTickRun TickRun(Double ValueMin, Double ValueMax, Double Gap) {
  return GapMultiples(ValueMin, ValueMax, Gap, DoubleScale, std::numeric_limits<Integer>::max());
}

std::vector<Double> TickValues(const TTickRun& Run) {
  std::vector<Double> V;
  V.reserve(Run.Count);
  for (std::int64_t k = 0; k < Run.Count; ++k) V.push_back(static_cast<Double>(Run.At(k)));
  return V;
}

Integer TickPitch(Double Arc, Double Gap, Double Span) { return TruncSat((Arc - 1) * Gap / Span); }

TLabelPitch ThinLabels(Integer Pitch, Integer WidestWidth, Double Gap) {
  TLabelPitch L;
  L.Step = Gap;
  if (Pitch <= 0) return L;
  for (Integer p = Pitch; p < WidestWidth; p += Pitch) {
    L.Step += Gap;
    ++L.k;
  }
  return L;
}

std::vector<Double> LabelValues(Double ValueMin, Double ValueMax, Double Step) {
  return TickValues(GapMultiples(ValueMin, ValueMax, Step, DoubleScale, std::numeric_limits<Integer>::max()));
}

TPoint LabelPos(const TPivot& P, const TLabelRing& Ring, Double Degrees, TSize Text) {
  const Double tw = Text.cx, th = Text.cy;
  const Integer e = TruncSat(std::sqrt(tw * tw + th * th) * 0.5 + 5);
  const Double rc = Ring.Base + Ring.Sign * e;
  return {TruncSat(P.X(rc, Degrees) - tw * 0.5), TruncSat(P.Y(rc, Degrees) - th * 0.5)};
}

Integer TickIndexOf(const TTickRun& Ticks, Double V) {
  const Double I = std::nearbyint(V / Ticks.Gap - Ticks.FirstIndex);
  if (!(I >= 0) || I >= Ticks.Count) return -1;
  return static_cast<Integer>(I);
}

}  // namespace quellix::CircularScale
