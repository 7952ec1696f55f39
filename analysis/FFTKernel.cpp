#include "quellix/analysis/FFTKernel.h"

#include <cmath>
#include <new>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#define QUELLIX_FFT_X86 1
#include "quellix/analysis/FFTKernelImpl.h"
#endif

namespace quellix::FFT::Kernel {

const char* KindName(TKind Kind) {
  switch (Kind) {
    case TKind::Plain: return "plain";
    case TKind::SSE2: return "sse2";
    case TKind::AVX2: return "avx2";
  }
  return "?";
}

bool Available(TKind Kind) {
  switch (Kind) {
    case TKind::Plain: return true;
#if defined(QUELLIX_FFT_X86)
    case TKind::SSE2: return true;  // part of every x86-64
#if defined(QUELLIX_FFT_HAVE_AVX2)
    case TKind::AVX2: {
      static const bool Has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
      }();
      return Has;
    }
#endif
#endif
    default: return false;
  }
}

TKind Best() {
  static const TKind Kind = [] {
    if (Available(TKind::AVX2)) return TKind::AVX2;
    if (Available(TKind::SSE2)) return TKind::SSE2;
    return TKind::Plain;
  }();
  return Kind;
}

std::vector<TKind> AvailableKinds() {
  std::vector<TKind> Kinds;
  for (TKind K : {TKind::Plain, TKind::SSE2, TKind::AVX2})
    if (Available(K)) Kinds.push_back(K);
  return Kinds;
}

// ---------------------------------------------------------------------------
// The radix-2 transform, step by step.

void PlainTransform(Single* Re, Single* Im, Integer N, const Single* Cos, const Single* Sin,
                    bool Inverse) {
  // 1. Bit reversal.
  Integer J = 0;
  for (Integer I = 1; I <= N - 1; ++I) {
    Integer K = N;
    do K = K / 2;
    while (!(K + J <= N - 1));
    J = K + (J & (K - 1));
    if (J > I) {
      std::swap(Re[I], Re[J]);
      std::swap(Im[I], Im[J]);
    }
  }
  // 2. Butterflies: half-span M, table stride N/M.
  Integer M = 1, Stride = N;
  do {
    for (Integer Jw = 0; Jw <= M - 1; ++Jw) {
      const Integer T = Jw * Stride;
      const Double Wr = Cos[T];
      const Double Wi = Inverse ? -Sin[T] : Sin[T];
      for (Integer K = Jw; K < N; K += 2 * M) {
        const Integer L = K + M;
        const Single Tr = static_cast<Single>(Wr * Re[L] - Wi * Im[L]);
        const Single Ti = static_cast<Single>(Wr * Im[L] + Wi * Re[L]);
        Re[L] = Re[K] - Tr;
        Im[L] = Im[K] - Ti;
        Re[K] = Re[K] + Tr;
        Im[K] = Im[K] + Ti;
      }
    }
    M = 2 * M;
    Stride = Stride / 2;
  } while (!(M >= N));
  // 3. Forward only: 1/n, computed as a Single.
  if (!Inverse) {
    const Single Scale = static_cast<Single>(1.0 / N);
    for (Integer I = 0; I < N; ++I) {
      Re[I] = Re[I] * Scale;
      Im[I] = Im[I] * Scale;
    }
  }
}

// ---------------------------------------------------------------------------

bool TPlan::Build(Integer N, const Single* Cos, const Single* Sin) {
  FN = 0;
  FCosTable = Cos;
  FSinTable = Sin;
  try {
    // The swaps of the documented bit-reversal loop, in its order.
    FSwaps.clear();
    Integer J = 0;
    for (Integer I = 1; I <= N - 1; ++I) {
      Integer K = N;
      do K = K / 2;
      while (!(K + J <= N - 1));
      J = K + (J & (K - 1));
      if (J > I) {
        FSwaps.push_back(static_cast<std::uint32_t>(I));
        FSwaps.push_back(static_cast<std::uint32_t>(J));
      }
    }
    // Per-stage twiddles, contiguous: the table values widened to double
    // (exactly), so the kernels read them in order.
    FCos.assign(static_cast<std::size_t>(N), 0.0);
    FSin.assign(static_cast<std::size_t>(N), 0.0);
    for (Integer M = 1; M < N; M *= 2)
      for (Integer Jw = 0; Jw < M; ++Jw) {
        FCos[M + Jw] = Cos[Jw * (N / M)];
        FSin[M + Jw] = Sin[Jw * (N / M)];
      }
  } catch (const std::bad_alloc&) {
    FSwaps = {};
    FCos = {};
    FSin = {};
    return false;
  }
  FN = N;
  return true;
}

void TPlan::Execute(Single* Re, Single* Im, bool Inverse, TKind Kind) const {
  TPlanView View;
  View.N = FN;
  View.Swaps = FSwaps.data();
  View.SwapCount = static_cast<Integer>(FSwaps.size() / 2);
  View.Cos = FCos.data();
  View.Sin = FSin.data();
  if (FN < SimdMinSize || !Available(Kind)) Kind = TKind::Plain;
  switch (Kind) {
    case TKind::SSE2: TransformSSE2(View, Re, Im, Inverse); break;
    case TKind::AVX2: TransformAVX2(View, Re, Im, Inverse); break;
    case TKind::Plain: PlainTransform(Re, Im, FN, FCosTable, FSinTable, Inverse); break;
  }
}

void TransformSSE2(const TPlanView& Plan, Single* Re, Single* Im, bool Inverse) {
#if defined(QUELLIX_FFT_X86)
  RunTransform(Plan, Re, Im, Inverse);
#else
  (void)Plan, (void)Re, (void)Im, (void)Inverse;
#endif
}

#if !defined(QUELLIX_FFT_HAVE_AVX2)
void TransformAVX2(const TPlanView& Plan, Single* Re, Single* Im, bool Inverse) {
  (void)Plan, (void)Re, (void)Im, (void)Inverse;
}
Integer SplitAVX2(Single*, Single*, Integer, const Single*, const Single*) { return 1; }
Integer MagnitudesAVX2(Single*, const Single*, Integer From, Integer) { return From; }
#endif

// ---------------------------------------------------------------------------
// The linear steps of RealSpectrum.

void Unpack(const Single* X, Single* Re, Single* Im, Integer H, TKind Kind) {
#if defined(QUELLIX_FFT_X86)
  if (Kind != TKind::Plain) {
    RunUnpack(X, Re, Im, H);
    return;
  }
#endif
  (void)Kind;
  for (Integer I = 0; I < H; ++I) {
    Re[I] = X[2 * I];
    Im[I] = X[2 * I + 1];
  }
}

// Split (N = Size, tables of angle π·k/N):
//   Re[0] := (Re[0] + Im[0])·0.5; Im[0] := 0
//   k = 1 … N/2, j = N−k, c = cos, s = −sin, a b d e = Re[k] Re[j] Im[k] Im[j]:
//   p = d+e, q = d−e (double); u = a−b, v = a+b (Single);
//   w1 = u·s − p·c (Single): Re[k] = (v−w1)/2, Re[j] = (v+w1)/2
//   w2 = u·c + p·s (Single): Im[k] = (q−w2)/2, Im[j] = (−q−w2)/2
// For k = N/2 both writes go to the same element; the second ones stand.
void Split(Single* Re, Single* Im, Integer N, const Single* Cos, const Single* Sin, TKind Kind) {
  Re[0] = static_cast<Single>((static_cast<Double>(Re[0]) + Im[0]) * 0.5);
  Im[0] = 0.0f;
  Integer K = 1;
  if (Kind == TKind::AVX2 && Available(TKind::AVX2)) K = SplitAVX2(Re, Im, N, Cos, Sin);
#if defined(QUELLIX_FFT_X86)
  else if (Kind != TKind::Plain) K = RunSplit(Re, Im, N, Cos, Sin);
#endif
  for (; K <= N / 2; ++K) {
    const Integer J = N - K;
    const Double c = Cos[K], s = -Sin[K];
    const Double a = Re[K], b = Re[J], d = Im[K], e = Im[J];
    const Double p = d + e, q = d - e;
    const Double u = static_cast<Single>(a - b), v = static_cast<Single>(a + b);
    const Double w1 = static_cast<Single>(u * s - p * c);
    Re[K] = static_cast<Single>((v - w1) * 0.5);
    Re[J] = static_cast<Single>((v + w1) * 0.5);
    const Double w2 = static_cast<Single>(u * c + p * s);
    Im[K] = static_cast<Single>((q - w2) * 0.5);
    Im[J] = static_cast<Single>((-q - w2) * 0.5);
  }
}

void Magnitudes(Single* Re, const Single* Im, Integer From, Integer To, TKind Kind) {
  Integer I = From;
  if (Kind == TKind::AVX2 && Available(TKind::AVX2)) I = MagnitudesAVX2(Re, Im, From, To);
#if defined(QUELLIX_FFT_X86)
  else if (Kind != TKind::Plain) I = RunMagnitudes(Re, Im, From, To);
#endif
  for (; I < To; ++I) {
    const Double re = Re[I], im = Im[I];
    Re[I] = static_cast<Single>(std::sqrt(re * re + im * im));
  }
}

}  // namespace quellix::FFT::Kernel
