// Rows of values on the strip chart's linear value scale: one value at a
// time, and many at once for a trace (two per instruction where the
// processor has SSE2, with the same rows).
#pragma once

#include <algorithm>
#include <cmath>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "quellix/host/NumericTypes.h"

namespace quellix::StrpChrtInt {

constexpr Integer kRowLimit = 30000;

// A row computed in floating point, limited to -30000..30000 and cut
// toward zero (NaN lands below the plot); a row that misses an integer
// only by the last bits of the arithmetic counts as that integer, so that
// the range ends land exactly on their rows.
inline Integer RowTrunc(double Row) {
  if (std::isnan(Row)) return kRowLimit;
  Row = std::clamp(Row, double(-kRowLimit), double(kRowLimit));
  return static_cast<Integer>(Row + (Row >= 0 ? 1e-9 : -1e-9) * (1 + std::fabs(Row)));
}

// The row of V on a scale from Low (at row Bottom) over Span (Height rows).
inline Integer LinearRow(double Bottom, double Height, double Low, double Span, double V) {
  return RowTrunc(Bottom - Height * (V - Low) / Span);
}

// LinearRow of each of the N values V into Out. The vector lanes do the
// scalar operations in the same order, each rounded as IEEE double, so
// every row equals LinearRow's.
inline void LinearRows(double Bottom, double Height, double Low, double Span, const Single* V, Integer N,
                       Integer* Out) {
  Integer I = 0;
#ifdef __SSE2__
  const __m128d B = _mm_set1_pd(Bottom), H = _mm_set1_pd(Height), L = _mm_set1_pd(Low), S = _mm_set1_pd(Span);
  const __m128d Lo = _mm_set1_pd(-kRowLimit), Hi = _mm_set1_pd(kRowLimit), Zero = _mm_setzero_pd();
  const __m128d Up = _mm_set1_pd(1e-9), Down = _mm_set1_pd(-1e-9), One = _mm_set1_pd(1);
  const __m128d Magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFFLL));
  const __m128i Limit = _mm_set1_epi32(kRowLimit);
  for (; I + 2 <= N; I += 2) {
    const __m128d X = _mm_cvtps_pd(_mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(V + I))));
    __m128d R = _mm_sub_pd(B, _mm_div_pd(_mm_mul_pd(H, _mm_sub_pd(X, L)), S));
    // NaN: the arithmetic goes on with 0 and the row becomes kRowLimit.
    const __m128d Nan = _mm_cmpunord_pd(R, R);
    R = _mm_andnot_pd(Nan, _mm_min_pd(_mm_max_pd(R, Lo), Hi));
    const __m128d Ahead = _mm_cmpge_pd(R, Zero);
    const __m128d Nudge = _mm_or_pd(_mm_and_pd(Ahead, Up), _mm_andnot_pd(Ahead, Down));
    const __m128d Cut = _mm_add_pd(R, _mm_mul_pd(Nudge, _mm_add_pd(One, _mm_and_pd(R, Magnitude))));
    const __m128i Rows = _mm_cvttpd_epi32(Cut);
    const __m128i NanRows = _mm_shuffle_epi32(_mm_castpd_si128(Nan), _MM_SHUFFLE(3, 1, 2, 0));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(Out + I),
                     _mm_or_si128(_mm_and_si128(NanRows, Limit), _mm_andnot_si128(NanRows, Rows)));
  }
#endif
  for (; I < N; ++I) Out[I] = LinearRow(Bottom, Height, Low, Span, V[I]);
}

}  // namespace quellix::StrpChrtInt
