#include "quellix/analysis/FFT.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>

#include "quellix/analysis/FFTKernel.h"

namespace quellix::FFT {

namespace {

constexpr Extended Pi = std::numbers::pi_v<Extended>;

bool HasData(const TVector* V) { return V && V->Data(); }

// Zeroed storage for N Singles, or null. Small vectors are 64-byte aligned
// for the transform's loads; large ones come from calloc, which leaves the
// zero pages untouched until they are used.
Single* AllocateZeroed(Integer N) {
  const std::size_t Bytes = static_cast<std::size_t>(N) * sizeof(Single);
  if (N <= (1 << 20)) {
    void* P = std::aligned_alloc(64, (Bytes + 63) / 64 * 64);
    if (P) std::memset(P, 0, Bytes);
    return static_cast<Single*>(P);
  }
  return static_cast<Single*>(std::calloc(static_cast<std::size_t>(N), sizeof(Single)));
}

}  // namespace

// ---------------------------------------------------------------------------
// TVector

TVector::TVector(Integer N) {
  if (N < 0 || N > MaxCount) return;
  if (N == 0) return;
  FData = AllocateZeroed(N);
  if (FData) FCount = N;
}

TVector::~TVector() {
  std::free(FData);
  FData = nullptr;
  FCount = 0;
}

void TVector::Assign(const TVector* Source) {
  if (!HasData(Source) || !FData || FCount > Source->FCount) return;
  std::memcpy(FData, Source->FData, static_cast<std::size_t>(FCount) * sizeof(Single));
}

// ---------------------------------------------------------------------------
// TComplexVector

TComplexVector::TComplexVector(Integer N)
    : FRe(std::make_unique<TVector>(N)), FIm(std::make_unique<TVector>(N)) {
  if (FRe->Count() == N && FIm->Count() == N) FCount = N;
}

TComplexVector::~TComplexVector() { FCount = 0; }

bool TComplexVector::Covers(const TComplexVector* A) const {
  return A && A->FCount >= FCount;
}

void TComplexVector::Assign(const TComplexVector* A) {
  if (!Covers(A)) return;
  FRe->Assign(A->FRe.get());
  FIm->Assign(A->FIm.get());
}

void TComplexVector::Multiply(const TComplexVector* A, const TComplexVector* B) {
  if (!Covers(A) || !Covers(B)) return;
  const Single *Ar = A->FRe->Data(), *Ai = A->FIm->Data();
  const Single *Br = B->FRe->Data(), *Bi = B->FIm->Data();
  Single *Re = FRe->Data(), *Im = FIm->Data();
  for (Integer I = 0; I < FCount; ++I) {
    const Double ar = Ar[I], ai = Ai[I], br = Br[I], bi = Bi[I];
    Re[I] = static_cast<Single>(ar * br - ai * bi);
    Im[I] = static_cast<Single>(ar * bi + br * ai);
  }
}

void TComplexVector::Conjugate(const TComplexVector* A) {
  if (!Covers(A)) return;
  const Single* Ai = A->FIm->Data();
  Single* Im = FIm->Data();
  for (Integer I = 0; I < FCount; ++I) Im[I] = -Ai[I];
}

void TComplexVector::Power(const TComplexVector* A) {
  if (!Covers(A)) return;
  const Single *Ar = A->FRe->Data(), *Ai = A->FIm->Data();
  Single *Re = FRe->Data(), *Im = FIm->Data();
  for (Integer I = 0; I < FCount; ++I) {
    const Double ar = Ar[I], ai = Ai[I];
    Re[I] = static_cast<Single>(ai * ai + ar * ar);
    Im[I] = 0.0f;
  }
}

void TComplexVector::Magnitude(const TComplexVector* A) {
  if (!Covers(A)) return;
  const Single *Ar = A->FRe->Data(), *Ai = A->FIm->Data();
  Single *Re = FRe->Data(), *Im = FIm->Data();
  for (Integer I = 0; I < FCount; ++I) {
    const Double ar = Ar[I], ai = Ai[I];
    Re[I] = static_cast<Single>(std::sqrt(ai * ai + ar * ar));
    Im[I] = 0.0f;
  }
}

// ---------------------------------------------------------------------------
// TFFT

struct TFFT::TPlanHolder {
  Kernel::TPlan Plan;
  bool Ready = false;
};

TFFT::TFFT(TComponentCore* AOwner) : TComponent(AOwner) {
  FExponent = 10;
  FSize = 1024;
  FLeakFunction = wnRectangle;
  BuildTables();
  FWindow = NewVector(FSize);
  FWindowProc = nullptr;  // the rectangle: does nothing
  FCopyright = LibraryCopyright();
  FVersion = QStringLiteral("V2.50");
}

TFFT::~TFFT() {
  FPlan.reset();
  FComplexPool.clear();
  FVectorPool.clear();  // tables and window included
}

void TFFT::SetExponent(int Value) {
  const TChangeScope Changes;
  if (Value < MinExponent || Value > MaxExponent || Value == FExponent) return;
  FExponent = Value;
  // 2^31 wraps to a negative Integer, as in the system; such a size (like
  // any above 2^27) cannot be allocated, and every operation then does nothing.
  FSize = static_cast<Integer>(std::uint32_t{1} << Value);
  if (!IsDesigning()) BuildTables();
  RebuildWindow(FLeakFunction, FSize);
}

void TFFT::SetLeakFunction(TLeakType Value) {
  const TChangeScope Changes;
  if (Value < wnRectangle || Value > wnOwn || Value == FLeakFunction) return;
  RebuildWindow(Value, FWindow ? FWindow->Count() : FSize);
}

TVector* TFFT::NewVector(Integer N) {
  FVectorPool.push_back(std::make_unique<TVector>(N));
  return FVectorPool.back().get();
}

void TFFT::FreeVector(TVector* V) {
  auto It = std::find_if(FVectorPool.begin(), FVectorPool.end(),
                         [V](const std::unique_ptr<TVector>& P) { return P.get() == V; });
  if (It == FVectorPool.end()) return;
  // A freed table or window is forgotten: the operations then do nothing
  // (tables) or the next apply builds a new window.
  if (V == FCosTable) FCosTable = nullptr;
  if (V == FSinTable) FSinTable = nullptr;
  if (!FCosTable || !FSinTable) FPlan.reset();
  if (V == FWindow) FWindow = nullptr;
  FVectorPool.erase(It);
}

TComplexVector* TFFT::NewComplexVector(Integer N) {
  FComplexPool.push_back(std::make_unique<TComplexVector>(N));
  return FComplexPool.back().get();
}

// Tables: cos(π·i/Size) and sin(π·i/Size), i = 0 … Size−1, the angle in
// extended precision, the values stored as Single.
void TFFT::BuildTables() {
  FPlan.reset();
  FreeVector(FCosTable);
  FreeVector(FSinTable);
  FCosTable = NewVector(FSize);
  FSinTable = NewVector(FSize);
  if (FCosTable->Count() != FSize || FSinTable->Count() != FSize) return;
  Single* C = FCosTable->Data();
  Single* S = FSinTable->Data();
  for (Integer I = 0; I < FSize; ++I) {
    const Extended A = static_cast<Extended>(I) * Pi / FSize;
    S[I] = static_cast<Single>(std::sin(A));
    C[I] = static_cast<Single>(std::cos(A));
  }
}

// Window rebuild for (Type, Length): only when the type or the length changed.
void TFFT::RebuildWindow(TLeakType Type, Integer Length) {
  if (FWindow && Type == FLeakFunction && Length == FWindow->Count()) return;
  const bool Weighted = Type == wnHanning || Type == wnHamming || Type == wnBlackman;
  const bool Designing = IsDesigning();
  // The weights divide by L−1: a length of 1 is refused before anything
  // changes, so the component stays as it was.
  if (Weighted && !Designing && Length == 1)
    throw EZeroDivide(QStringLiteral("Gleitkommadivision durch Null"));
  if (!Designing) {
    FreeVector(FWindow);
    FWindow = NewVector(Length);
  }
  switch (Type) {
    case wnOwn:
      if (OwnerLeakFunction) {
        FWindowProc = OwnerLeakFunction;
        FLeakFunction = wnOwn;
        break;
      }
      [[fallthrough]];  // no handler: the rectangle
    case wnRectangle:
      FWindowProc = nullptr;
      FLeakFunction = wnRectangle;
      break;
    case wnHanning:
    case wnHamming:
    case wnBlackman: {
      if (!Designing && FWindow) {
        // d := 2π/(L−1) as a Single; x := i·d rounded to a Single.
        const Single D = static_cast<Single>(2 * Pi / (Length - 1));
        Single* W = FWindow->Data();
        for (Integer I = 0; I < FWindow->Count(); ++I) {
          const Single X = static_cast<Single>(static_cast<Extended>(I) * D);
          const Extended C = std::cos(static_cast<Extended>(X));
          Extended V;
          if (Type == wnHanning)
            V = 0.5L - 0.5L * C;
          else if (Type == wnHamming)
            V = 0.54L - 0.46L * C;
          else
            V = 0.42L - 0.5L * C + 0.08L * std::cos(2 * static_cast<Extended>(X));
          W[I] = static_cast<Single>(V);
        }
      }
      FWindowProc = [this](TVector* Data) { MultiplyByWindow(Data); };
      FLeakFunction = Type;
      break;
    }
  }
}

void TFFT::MultiplyByWindow(TVector* Data) const {
  if (!FWindow || !HasData(Data) || FWindow->Count() < Data->Count()) return;
  const Single* W = FWindow->Data();
  Single* X = Data->Data();
  for (Integer I = 0; I < Data->Count(); ++I) X[I] = X[I] * W[I];
}

void TFFT::ApplyLeakFunction(TVector* V) {
  if (!HasData(V)) return;
  RebuildWindow(FLeakFunction, V->Count());
  if (FWindowProc) {
    const TLeakFunction Proc = FWindowProc;  // a handler may change the window
    Proc(V);
  }
}

bool TFFT::IsSized(const TComplexVector* C) const {
  return C && C->Count() == FSize && FSize >= 2 && FCosTable && FSinTable &&
         FCosTable->Count() == FSize && FSinTable->Count() == FSize;
}

void TFFT::DoTransform(TComplexVector* C, bool Inverse) {
  if (!FPlan) {
    FPlan = std::make_unique<TPlanHolder>();
    FPlan->Ready = FPlan->Plan.Build(FSize, FCosTable->Data(), FSinTable->Data());
  }
  Single* Re = C->Re()->Data();
  Single* Im = C->Im()->Data();
  if (FPlan->Ready)
    FPlan->Plan.Execute(Re, Im, Inverse, Kernel::Best());
  else
    Kernel::PlainTransform(Re, Im, FSize, FCosTable->Data(), FSinTable->Data(), Inverse);
}

void TFFT::Transform(TComplexVector* C, bool Inverse) {
  if (!IsSized(C)) return;
  DoTransform(C, Inverse);
}

void TFFT::Unpack(const TVector* X, TComplexVector* C) {
  if (!HasData(X) || !C) return;
  const Integer H = X->Count() / 2;
  if (X->Count() <= 0 || C->Count() < H) return;
  if (H > 0) Kernel::Unpack(X->Data(), C->Re()->Data(), C->Im()->Data(), H, Kernel::Best());
}

void TFFT::RealSpectrum(TVector* X, TComplexVector* C, bool WithPhase) {
  if (!HasData(X) || !IsSized(C) || X->Count() != 2 * static_cast<std::int64_t>(FSize)) return;
  ApplyLeakFunction(X);
  Unpack(X, C);
  DoTransform(C, false);
  // Split: bin 0 the mean of the windowed x, bin k (1 ≤ k ≤ N−1)
  // X[k] = (2/M)·Σₜ x[t]·e^(+2πi·t·k/M), M = 2N; the Nyquist bin is not kept.
  Kernel::Split(C->Re()->Data(), C->Im()->Data(), FSize, FCosTable->Data(), FSinTable->Data(),
                Kernel::Best());
  ToPolar(C, WithPhase);
}

void TFFT::ToPolar(TComplexVector* C, bool WithPhase) {
  if (!C || C->Count() < 2) return;
  Single* Re = C->Re()->Data();
  Single* Im = C->Im()->Data();
  if (!WithPhase) {
    Kernel::Magnitudes(Re, Im, 1, C->Count(), Kernel::Best());
    return;
  }
  constexpr Single HalfPi = static_cast<Single>(Pi / 2);
  for (Integer I = 1; I < C->Count(); ++I) {
    const Single R = Re[I];
    const Double re = Re[I], im = Im[I];
    Re[I] = static_cast<Single>(std::sqrt(re * re + im * im));
    if (R != 0)
      Im[I] = static_cast<Single>(std::atan(im / R));
    else
      Im[I] = Im[I] > 0 ? HalfPi : Im[I] < 0 ? -HalfPi : 0.0f;
  }
}

void TFFT::CrossCorrelation(TComplexVector* R, TComplexVector* A, TComplexVector* B) {
  if (!IsSized(R) || !IsSized(A) || !IsSized(B)) return;
  DoTransform(A, false);
  DoTransform(B, false);
  B->Conjugate(B);
  R->Multiply(A, B);
  DoTransform(R, true);
}

void TFFT::CrossPowerSpectrum(TComplexVector* R, TComplexVector* A, TComplexVector* B) {
  if (!IsSized(R) || !IsSized(A) || !IsSized(B)) return;
  DoTransform(A, false);
  DoTransform(B, false);
  B->Conjugate(B);
  R->Multiply(A, B);
}

void TFFT::AutoCorrelation(TComplexVector* C) {
  if (!IsSized(C)) return;
  DoTransform(C, false);
  C->Power(C);
  DoTransform(C, true);
}

void TFFT::PowerSpectrum(TComplexVector* C) {
  if (!IsSized(C)) return;
  DoTransform(C, false);
  C->Power(C);
}

}  // namespace quellix::FFT
