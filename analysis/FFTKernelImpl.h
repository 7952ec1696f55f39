// The SIMD transform, written once for both instruction sets. Included only
// by FFTKernel.cpp (SSE2) and FFTKernelAVX2.cpp (compiled with -mavx2).
// Everything here has internal linkage, so that no function compiled for
// AVX2 can be picked by the linker for a caller of the SSE2 build.
//
// Butterfly (k, l = k + m, twiddle w = wr + i·wi):
//   tr := wr·Re[l] − wi·Im[l];  ti := wr·Im[l] + wi·Re[l]   (double, then Single)
//   Re[l] := Re[k] − tr;  Im[l] := Im[k] − ti;  Re[k] := Re[k] + tr;  Im[k] := Im[k] + ti
// Four butterflies run side by side: the Single values of four l elements
// are widened to double (exact), the products and the sum are computed in
// double exactly as the scalar code does, and the sum is rounded to Single
// once. IEEE arithmetic gives the same bits in every lane as the scalar
// expression, so the result equals the plain transform bit for bit.
#pragma once

#include <immintrin.h>

#include "quellix/analysis/FFTKernel.h"

namespace {

using quellix::Integer;
using quellix::Single;

// Four Single lanes (F4) and the matching four double lanes (D4) of one
// instruction set. The SSE2 D4 is a pair of two-lane registers.
#if defined(QUELLIX_FFT_AVX2)
struct TIsa {
  using D4 = __m256d;
  static D4 Up(__m128 X) { return _mm256_cvtps_pd(X); }
  static __m128 Down(D4 X) { return _mm256_cvtpd_ps(X); }
  static D4 Mul(D4 A, D4 B) { return _mm256_mul_pd(A, B); }
  static D4 Add(D4 A, D4 B) { return _mm256_add_pd(A, B); }
  static D4 Sub(D4 A, D4 B) { return _mm256_sub_pd(A, B); }
  static D4 Load(const double* P) { return _mm256_loadu_pd(P); }
  static D4 Set1(double X) { return _mm256_set1_pd(X); }
  static D4 Sqrt(D4 X) { return _mm256_sqrt_pd(X); }
  // Unary minus: flips the sign bit only, as −x does.
  static D4 Neg(D4 X) { return _mm256_xor_pd(X, _mm256_set1_pd(-0.0)); }
};
#else
struct TIsa {
  struct D4 {
    __m128d Lo, Hi;
  };
  static D4 Up(__m128 X) { return {_mm_cvtps_pd(X), _mm_cvtps_pd(_mm_movehl_ps(X, X))}; }
  static __m128 Down(D4 X) { return _mm_movelh_ps(_mm_cvtpd_ps(X.Lo), _mm_cvtpd_ps(X.Hi)); }
  static D4 Mul(D4 A, D4 B) { return {_mm_mul_pd(A.Lo, B.Lo), _mm_mul_pd(A.Hi, B.Hi)}; }
  static D4 Add(D4 A, D4 B) { return {_mm_add_pd(A.Lo, B.Lo), _mm_add_pd(A.Hi, B.Hi)}; }
  static D4 Sub(D4 A, D4 B) { return {_mm_sub_pd(A.Lo, B.Lo), _mm_sub_pd(A.Hi, B.Hi)}; }
  static D4 Load(const double* P) { return {_mm_loadu_pd(P), _mm_loadu_pd(P + 2)}; }
  static D4 Set1(double X) { return {_mm_set1_pd(X), _mm_set1_pd(X)}; }
  static D4 Sqrt(D4 X) { return {_mm_sqrt_pd(X.Lo), _mm_sqrt_pd(X.Hi)}; }
  static D4 Neg(D4 X) {
    const __m128d S = _mm_set1_pd(-0.0);
    return {_mm_xor_pd(X.Lo, S), _mm_xor_pd(X.Hi, S)};
  }
};
#endif

using D4 = TIsa::D4;

// Four butterflies with twiddles (Wr, Wi) per lane.
inline void Butterfly(__m128& Rk, __m128& Ik, __m128& Rl, __m128& Il, D4 Wr, D4 Wi) {
  const D4 Xr = TIsa::Up(Rl);
  const D4 Xi = TIsa::Up(Il);
  const __m128 Tr = TIsa::Down(TIsa::Sub(TIsa::Mul(Wr, Xr), TIsa::Mul(Wi, Xi)));
  const __m128 Ti = TIsa::Down(TIsa::Add(TIsa::Mul(Wr, Xi), TIsa::Mul(Wi, Xr)));
  Rl = _mm_sub_ps(Rk, Tr);
  Il = _mm_sub_ps(Ik, Ti);
  Rk = _mm_add_ps(Rk, Tr);
  Ik = _mm_add_ps(Ik, Ti);
}

inline void Swap(Single* P, std::uint32_t I, std::uint32_t J) {
  const Single T = P[I];
  P[I] = P[J];
  P[J] = T;
}

// Stages m = 1 and m = 2 together, on 16 elements at a time: the four
// groups of four are transposed so that each register holds one position
// of four groups; the butterflies of both stages then run lane-wise.
template <bool Inverse>
inline void FirstTwoStages(const quellix::FFT::Kernel::TPlanView& P, Single* Re, Single* Im) {
  const D4 W1r = TIsa::Set1(P.Cos[1]);
  const D4 W1i = TIsa::Set1(Inverse ? -P.Sin[1] : P.Sin[1]);
  const D4 W20r = TIsa::Set1(P.Cos[2]);
  const D4 W20i = TIsa::Set1(Inverse ? -P.Sin[2] : P.Sin[2]);
  const D4 W21r = TIsa::Set1(P.Cos[3]);
  const D4 W21i = TIsa::Set1(Inverse ? -P.Sin[3] : P.Sin[3]);
  for (Integer C = 0; C < P.N; C += 16) {
    __m128 R0 = _mm_loadu_ps(Re + C), R1 = _mm_loadu_ps(Re + C + 4);
    __m128 R2 = _mm_loadu_ps(Re + C + 8), R3 = _mm_loadu_ps(Re + C + 12);
    __m128 I0 = _mm_loadu_ps(Im + C), I1 = _mm_loadu_ps(Im + C + 4);
    __m128 I2 = _mm_loadu_ps(Im + C + 8), I3 = _mm_loadu_ps(Im + C + 12);
    _MM_TRANSPOSE4_PS(R0, R1, R2, R3);
    _MM_TRANSPOSE4_PS(I0, I1, I2, I3);
    // m = 1: (0, 1), (2, 3), twiddle of j = 0
    Butterfly(R0, I0, R1, I1, W1r, W1i);
    Butterfly(R2, I2, R3, I3, W1r, W1i);
    // m = 2: (0, 2) with j = 0, (1, 3) with j = 1
    Butterfly(R0, I0, R2, I2, W20r, W20i);
    Butterfly(R1, I1, R3, I3, W21r, W21i);
    _MM_TRANSPOSE4_PS(R0, R1, R2, R3);
    _MM_TRANSPOSE4_PS(I0, I1, I2, I3);
    _mm_storeu_ps(Re + C, R0);
    _mm_storeu_ps(Re + C + 4, R1);
    _mm_storeu_ps(Re + C + 8, R2);
    _mm_storeu_ps(Re + C + 12, R3);
    _mm_storeu_ps(Im + C, I0);
    _mm_storeu_ps(Im + C + 4, I1);
    _mm_storeu_ps(Im + C + 8, I2);
    _mm_storeu_ps(Im + C + 12, I3);
  }
}

// One stage of half-span M ≥ 4, four butterflies at a time. With Scale the
// stored results are multiplied by S (the forward 1/n, fused into the last
// stage: the same Single product as a separate pass).
template <bool Inverse, bool Scale>
inline void Stage(const quellix::FFT::Kernel::TPlanView& P, Single* Re, Single* Im, Integer M,
                  __m128 S) {
  const double* Cw = P.Cos + M;
  const double* Sw = P.Sin + M;
  for (Integer B = 0; B < P.N; B += 2 * M) {
    Single* Rk = Re + B;
    Single* Ik = Im + B;
    Single* Rl = Rk + M;
    Single* Il = Ik + M;
    for (Integer J = 0; J < M; J += 4) {
      __m128 A = _mm_loadu_ps(Rk + J), Ai = _mm_loadu_ps(Ik + J);
      __m128 L = _mm_loadu_ps(Rl + J), Li = _mm_loadu_ps(Il + J);
      const D4 Wr = TIsa::Load(Cw + J);
      const D4 Wi = Inverse ? TIsa::Neg(TIsa::Load(Sw + J)) : TIsa::Load(Sw + J);
      Butterfly(A, Ai, L, Li, Wr, Wi);
      if (Scale) {
        A = _mm_mul_ps(A, S);
        Ai = _mm_mul_ps(Ai, S);
        L = _mm_mul_ps(L, S);
        Li = _mm_mul_ps(Li, S);
      }
      _mm_storeu_ps(Rk + J, A);
      _mm_storeu_ps(Ik + J, Ai);
      _mm_storeu_ps(Rl + J, L);
      _mm_storeu_ps(Il + J, Li);
    }
  }
}

template <bool Inverse>
inline void Run(const quellix::FFT::Kernel::TPlanView& P, Single* Re, Single* Im) {
  const Integer N = P.N;
  // 1. Bit reversal, as the list of the documented swaps.
  for (Integer S = 0; S < P.SwapCount; ++S) {
    const std::uint32_t I = P.Swaps[2 * S], J = P.Swaps[2 * S + 1];
    Swap(Re, I, J);
    Swap(Im, I, J);
  }
  // 2. Butterflies.
  FirstTwoStages<Inverse>(P, Re, Im);
  const __m128 Scale = _mm_set1_ps(static_cast<Single>(1.0 / N));
  for (Integer M = 4; M < N; M *= 2) {
    // 3. The forward 1/n rides on the last stage.
    if (!Inverse && 2 * M == N)
      Stage<false, true>(P, Re, Im, M, Scale);
    else
      Stage<Inverse, false>(P, Re, Im, M, Scale);
  }
}

inline void RunTransform(const quellix::FFT::Kernel::TPlanView& P, Single* Re, Single* Im,
                         bool Inverse) {
  if (Inverse)
    Run<true>(P, Re, Im);
  else
    Run<false>(P, Re, Im);
}

// ---------------------------------------------------------------------------
// The linear steps of RealSpectrum, four elements at a time, each with the
// arithmetic of the plain code in FFTKernel.cpp (same operations, same
// rounding points), so the results are the same bits.

inline __m128 Reverse(__m128 X) { return _mm_shuffle_ps(X, X, _MM_SHUFFLE(0, 1, 2, 3)); }

// Re[i] := X[2i], Im[i] := X[2i+1], i < H.
inline void RunUnpack(const Single* X, Single* Re, Single* Im, Integer H) {
  Integer I = 0;
  for (; I + 4 <= H; I += 4) {
    const __m128 A = _mm_loadu_ps(X + 2 * I), B = _mm_loadu_ps(X + 2 * I + 4);
    _mm_storeu_ps(Re + I, _mm_shuffle_ps(A, B, _MM_SHUFFLE(2, 0, 2, 0)));
    _mm_storeu_ps(Im + I, _mm_shuffle_ps(A, B, _MM_SHUFFLE(3, 1, 3, 1)));
  }
  for (; I < H; ++I) {
    Re[I] = X[2 * I];
    Im[I] = X[2 * I + 1];
  }
}

// The split for k = 1 … Last, where the four k of a step and
// their partners j = N−k (reversed) do not overlap; returns the first k
// left for the scalar loop.
inline Integer RunSplit(Single* Re, Single* Im, Integer N, const Single* Cos, const Single* Sin) {
  const D4 Half = TIsa::Set1(0.5);
  Integer K = 1;
  for (; K + 3 < N - K - 3; K += 4) {
    const Integer J = N - K - 3;  // lowest of the four partners
    const __m128 A = _mm_loadu_ps(Re + K), B = Reverse(_mm_loadu_ps(Re + J));
    const D4 d = TIsa::Up(_mm_loadu_ps(Im + K)), e = TIsa::Up(Reverse(_mm_loadu_ps(Im + J)));
    const D4 c = TIsa::Up(_mm_loadu_ps(Cos + K));
    const D4 s = TIsa::Neg(TIsa::Up(_mm_loadu_ps(Sin + K)));
    const D4 p = TIsa::Add(d, e), q = TIsa::Sub(d, e);
    const D4 u = TIsa::Up(_mm_sub_ps(A, B)), v = TIsa::Up(_mm_add_ps(A, B));
    const D4 w1 = TIsa::Up(TIsa::Down(TIsa::Sub(TIsa::Mul(u, s), TIsa::Mul(p, c))));
    const D4 w2 = TIsa::Up(TIsa::Down(TIsa::Add(TIsa::Mul(u, c), TIsa::Mul(p, s))));
    _mm_storeu_ps(Re + K, TIsa::Down(TIsa::Mul(TIsa::Sub(v, w1), Half)));
    _mm_storeu_ps(Re + J, Reverse(TIsa::Down(TIsa::Mul(TIsa::Add(v, w1), Half))));
    _mm_storeu_ps(Im + K, TIsa::Down(TIsa::Mul(TIsa::Sub(q, w2), Half)));
    _mm_storeu_ps(Im + J, Reverse(TIsa::Down(TIsa::Mul(TIsa::Sub(TIsa::Neg(q), w2), Half))));
  }
  return K;
}

// Re[i] := √(Re[i]² + Im[i]²) for From ≤ i < To; returns the first i left.
inline Integer RunMagnitudes(Single* Re, const Single* Im, Integer From, Integer To) {
  Integer I = From;
  for (; I + 4 <= To; I += 4) {
    const D4 R = TIsa::Up(_mm_loadu_ps(Re + I)), X = TIsa::Up(_mm_loadu_ps(Im + I));
    _mm_storeu_ps(Re + I, TIsa::Down(TIsa::Sqrt(TIsa::Add(TIsa::Mul(R, R), TIsa::Mul(X, X)))));
  }
  return I;
}

}  // namespace
