// The radix-2 transform and its faster forms.
//
// Every kernel computes exactly the same numbers as the plain
// algorithm (PlainTransform), bit for bit: the faster ones only change the
// memory order (a precomputed bit-reversal swap list, the first two stages
// fused in registers, per-stage contiguous twiddles) and do four butterflies
// at a time with SIMD instructions. The arithmetic of each butterfly is
// unchanged: the twiddle products and their sum in double, rounded once to
// Single (tr, ti); the additions in Single. Nothing is fused into FMA.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "quellix/host/NumericTypes.h"

namespace quellix::FFT::Kernel {

enum class TKind { Plain, SSE2, AVX2 };

const char* KindName(TKind Kind);
// Whether this machine (and this build) can run the kernel.
bool Available(TKind Kind);
// The fastest kernel available; the component uses it.
TKind Best();
// The kernels available here, Plain first.
std::vector<TKind> AvailableKinds();

// The transform written out as documented (bit reversal by
// the documented loop, butterflies stage by stage, 1/n on the forward
// direction). Cos and Sin are the component's tables of N values.
void PlainTransform(Single* Re, Single* Im, Integer N, const Single* Cos, const Single* Sin,
                    bool Inverse);

// What the fast kernels read: built once per size from the component's
// tables, never inside a transform.
struct TPlanView {
  Integer N = 0;
  const std::uint32_t* Swaps = nullptr;  // pairs (i, j), i < j, in the documented order
  Integer SwapCount = 0;                 // number of pairs
  const double* Cos = nullptr;  // stage with half-span m at [m … 2m−1]: cos table[j·N/m]
  const double* Sin = nullptr;  // the same for the sine table
};

class TPlan {
public:
  // Returns false when the memory could not be had (the caller then uses
  // the plain transform).
  bool Build(Integer N, const Single* Cos, const Single* Sin);
  Integer N() const { return FN; }
  const Single* CosTable() const { return FCosTable; }
  const Single* SinTable() const { return FSinTable; }
  // Runs the transform with the given kernel (Plain for sizes the SIMD
  // kernels leave to it).
  void Execute(Single* Re, Single* Im, bool Inverse, TKind Kind) const;

private:
  Integer FN = 0;
  const Single* FCosTable = nullptr;
  const Single* FSinTable = nullptr;
  std::vector<std::uint32_t> FSwaps;
  std::vector<double> FCos, FSin;
};

// The linear steps of RealSpectrum (steps 2, 4 and 5), plain or
// with the kernel's instructions; the results are the same bits.
// Re[i] := X[2i], Im[i] := X[2i+1] for i < H.
void Unpack(const Single* X, Single* Re, Single* Im, Integer H, TKind Kind);
// The split of the N-point transform of the packed signal into the
// spectrum of the 2N real samples (Cos, Sin: the tables of angle π·k/N).
void Split(Single* Re, Single* Im, Integer N, const Single* Cos, const Single* Sin, TKind Kind);
// Re[i] := √(Re[i]² + Im[i]²) for From ≤ i < To.
void Magnitudes(Single* Re, const Single* Im, Integer From, Integer To, TKind Kind);

// Smallest size the SIMD kernels handle themselves.
constexpr Integer SimdMinSize = 16;

// Kernel entry points (raw pointers only, see FFTKernelAVX2.cpp).
void TransformSSE2(const TPlanView& Plan, Single* Re, Single* Im, bool Inverse);
void TransformAVX2(const TPlanView& Plan, Single* Re, Single* Im, bool Inverse);
// Vector parts of Split and Magnitudes: each returns the first index it
// left to the plain loop.
Integer SplitAVX2(Single* Re, Single* Im, Integer N, const Single* Cos, const Single* Sin);
Integer MagnitudesAVX2(Single* Re, const Single* Im, Integer From, Integer To);

}  // namespace quellix::FFT::Kernel
