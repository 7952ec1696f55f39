// The multiples of a grid gap that lie inside a value range: where every
// scale of the instruments and charts puts its ticks, grid lines and
// labels.
//
// Scales are written in decimal and computed in binary. 0.6 / 0.2 is
// 2.9999999999999996, and -0.7 / 0.1 is -6.999999999999999, so a plain
// Trunc(span / gap) loses the last tick of 0 .. 0.6 by 0.2 and a first
// multiple taken by Trunc(min / gap) loses the first of -0.7 .. 0.7 by 0.1.
// Here a multiple counts as inside when it misses the range by no more
// than a small fraction of a gap (the tolerance, which grows with the size
// of the quotients so that it covers the rounding of the operands), and
// the values at the ends are then the range's own ends.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "quellix/host/NumericTypes.h"

namespace quellix {

/// The tolerance in gaps: at least Gaps, and PerQuotient times the larger
/// quotient (range end / gap), which is a few units of the last place of
/// the type the range is held in.
struct TScaleTolerance {
  Extended Gaps;
  Extended PerQuotient;
};
constexpr TScaleTolerance DoubleScale{1e-9L, 16 * 2.3e-16L};
constexpr TScaleTolerance SingleScale{1e-6L, 8 * 1.2e-7L};

/// The multiples of a gap inside a range, computed on demand.
struct TGapMultiples {
  Extended FirstIndex = 0;  ///< the first multiple is FirstIndex * Gap
  Extended Gap = 0;
  std::int64_t Count = 0;   ///< how many lie inside [Lo, Hi]
  Extended Lo = 0, Hi = 0;
  Extended Slack = 0;       ///< the tolerance in value units

  /// Multiple k (0 .. Count-1), (FirstIndex + k) * Gap: an end of the range
  /// where it lies within the tolerance of that end, and exactly 0 at zero.
  Extended At(std::int64_t k) const {
    const Extended V = (FirstIndex + k) * Gap;
    if (V == 0 && Lo <= 0 && Hi >= 0) return 0;
    if (V >= Hi - Slack) return Hi;
    if (V <= Lo + Slack) return Lo;
    return V;
  }
};

/// The multiples of Gap inside [Lo, Hi], at most MaxCount of them. No
/// multiples for a gap that is not a positive finite number, an empty or
/// infinite range.
inline TGapMultiples GapMultiples(Extended Lo, Extended Hi, Extended Gap, TScaleTolerance Tolerance,
                                  std::int64_t MaxCount) {
  TGapMultiples M;
  M.Lo = Lo;
  M.Hi = Hi;
  M.Gap = Gap;
  if (!(Gap > 0) || !std::isfinite(Gap) || !std::isfinite(Lo) || !std::isfinite(Hi) || Hi < Lo) return M;
  const Extended QLo = Lo / Gap, QHi = Hi / Gap;
  if (!std::isfinite(QLo) || !std::isfinite(QHi)) return M;
  const Extended Tol =
      std::max(Tolerance.Gaps, Tolerance.PerQuotient * std::max(std::fabs(QLo), std::fabs(QHi)));
  M.Slack = Tol * Gap;
  M.FirstIndex = std::ceil(QLo - Tol);
  const Extended N = std::floor(QHi + Tol) - M.FirstIndex + 1;
  if (N > 0) M.Count = static_cast<std::int64_t>(std::min<Extended>(N, Extended(MaxCount)));
  return M;
}

}  // namespace quellix
