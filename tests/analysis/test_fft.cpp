// Vectors and FFT.
//
// The transform is checked against two independent references written here:
// - PlainTransform: the documented algorithm written out plainly (its own tables,
//   its own bit-reversal loop, stage by stage). Every kernel of the library
//   must give the same bits for every size 2 … 65536.
// - DirectDft: the O(n²) sum of the documented definition in long double
//   (forward: positive exponent and 1/n; inverse: negative exponent).
#include <gtest/gtest.h>

#include <QMetaEnum>
#include <QMetaProperty>
#include <QVariant>
#include <cmath>
#include <complex>
#include <cstring>
#include <numbers>
#include <random>
#include <vector>

#include "quellix/analysis/FFT.h"
#include "quellix/analysis/FFTKernel.h"

using namespace quellix;
using namespace quellix::FFT;
using LD = long double;
using CLD = std::complex<LD>;

namespace {

constexpr LD PiL = std::numbers::pi_v<LD>;
// Unit roundoff of Single.
constexpr double U = 0x1p-24;

// ---------------------------------------------------------------------------
// Independent references

struct TTables {
  std::vector<float> Cos, Sin;
};

// The documented tables: a := i·π/Size in extended precision, stored as Single.
TTables PartTables(int N) {
  TTables T;
  T.Cos.resize(N);
  T.Sin.resize(N);
  for (int I = 0; I < N; ++I) {
    const LD A = static_cast<LD>(I) * PiL / N;
    T.Sin[I] = static_cast<float>(sinl(A));
    T.Cos[I] = static_cast<float>(cosl(A));
  }
  return T;
}

// The documented transform, step for step.
void PlainTransform(float* Re, float* Im, int N, const TTables& T, bool Inverse) {
  int J = 0;
  for (int I = 1; I <= N - 1; ++I) {
    int K = N;
    do K = K / 2;
    while (!(K + J <= N - 1));
    J = K + (J & (K - 1));
    if (J > I) {
      std::swap(Re[I], Re[J]);
      std::swap(Im[I], Im[J]);
    }
  }
  int M = 1, Stride = N;
  do {
    for (int Jw = 0; Jw <= M - 1; ++Jw) {
      const int Tw = Jw * Stride;
      const double Wr = T.Cos[Tw];
      const double Wi = Inverse ? -T.Sin[Tw] : T.Sin[Tw];
      for (int K = Jw; K < N; K += 2 * M) {
        const int L = K + M;
        const float Tr = static_cast<float>(Wr * Re[L] - Wi * Im[L]);
        const float Ti = static_cast<float>(Wr * Im[L] + Wi * Re[L]);
        Re[L] = Re[K] - Tr;
        Im[L] = Im[K] - Ti;
        Re[K] = Re[K] + Tr;
        Im[K] = Im[K] + Ti;
      }
    }
    M *= 2;
    Stride /= 2;
  } while (M < N);
  if (!Inverse) {
    const float S = static_cast<float>(1.0 / N);
    for (int I = 0; I < N; ++I) {
      Re[I] *= S;
      Im[I] *= S;
    }
  }
}

// The documented split (RealSpectrum step 4), N = Size, tables of angle π·k/N.
void PartSplit(float* Re, float* Im, int N, const TTables& T) {
  Re[0] = static_cast<float>((static_cast<double>(Re[0]) + Im[0]) * 0.5);
  Im[0] = 0;
  for (int K = 1; K <= N / 2; ++K) {
    const int J = N - K;
    const double c = T.Cos[K], s = -T.Sin[K];
    const double a = Re[K], b = Re[J], d = Im[K], e = Im[J];
    const double p = d + e, q = d - e;
    const double u = static_cast<float>(a - b), v = static_cast<float>(a + b);
    const double w1 = static_cast<float>(u * s - p * c);
    Re[K] = static_cast<float>((v - w1) * 0.5);
    Re[J] = static_cast<float>((v + w1) * 0.5);
    const double w2 = static_cast<float>(u * c + p * s);
    Im[K] = static_cast<float>((q - w2) * 0.5);
    Im[J] = static_cast<float>((-q - w2) * 0.5);
  }
}

// The documented ToPolar.
void PartToPolar(float* Re, float* Im, int N, bool WithPhase) {
  for (int I = 1; I < N; ++I) {
    const float R = Re[I];
    Re[I] = static_cast<float>(std::sqrt(static_cast<double>(Re[I]) * Re[I] + static_cast<double>(Im[I]) * Im[I]));
    if (!WithPhase) continue;
    if (R != 0)
      Im[I] = static_cast<float>(std::atan(static_cast<double>(Im[I]) / R));
    else
      Im[I] = Im[I] > 0 ? static_cast<float>(PiL / 2) : Im[I] < 0 ? -static_cast<float>(PiL / 2) : 0.0f;
  }
}

// Forward: Z[k] = (1/n)·Σ z[t]·e^(+2πi·t·k/n); inverse: Σ Z[k]·e^(−2πi·t·k/n).
std::vector<CLD> DirectDft(const std::vector<CLD>& Z, bool Inverse) {
  const int N = static_cast<int>(Z.size());
  std::vector<CLD> W(N);  // e^(±2πi·j/n), the exponent reduced mod n
  for (int J = 0; J < N; ++J) {
    const LD A = 2 * PiL * J / N;
    W[J] = CLD(cosl(A), Inverse ? -sinl(A) : sinl(A));
  }
  std::vector<CLD> Out(N);
  for (int K = 0; K < N; ++K) {
    CLD Sum = 0;
    for (int T = 0; T < N; ++T) Sum += Z[T] * W[(static_cast<long long>(T) * K) % N];
    Out[K] = Inverse ? Sum : Sum / static_cast<LD>(N);
  }
  return Out;
}

LD Norm2(const std::vector<CLD>& V) {
  LD S = 0;
  for (const CLD& X : V) S += std::norm(X);
  return std::sqrt(S);
}

// ---------------------------------------------------------------------------
// Helpers

void Fill(TComplexVector* C, const std::vector<float>& Re, const std::vector<float>& Im) {
  std::memcpy(C->Re()->Data(), Re.data(), Re.size() * sizeof(float));
  std::memcpy(C->Im()->Data(), Im.data(), Im.size() * sizeof(float));
}

std::vector<float> Values(const TVector* V) { return {V->Data(), V->Data() + V->Count()}; }

std::vector<CLD> ToComplex(const TComplexVector* C) {
  std::vector<CLD> Z(C->Count());
  for (int I = 0; I < C->Count(); ++I) Z[I] = CLD((*C->Re())[I], (*C->Im())[I]);
  return Z;
}

std::vector<float> RandomValues(int N, std::mt19937& G, float Lo = -1, float Hi = 1) {
  std::uniform_real_distribution<float> D(Lo, Hi);
  std::vector<float> V(N);
  for (float& X : V) X = D(G);
  return V;
}

// Random data with the values that make rounding differences show: signed
// zeros, tiny (subnormal) and large magnitudes, exact powers of two.
std::vector<float> HardValues(int N, std::mt19937& G) {
  std::uniform_real_distribution<float> D(-1, 1);
  std::uniform_int_distribution<int> Kind(0, 7), Exp(-140, 100);
  std::vector<float> V(N);
  for (float& X : V) switch (Kind(G)) {
      case 0: X = 0.0f; break;
      case 1: X = -0.0f; break;
      case 2: X = std::ldexp(D(G), Exp(G)); break;
      case 3: X = std::ldexp(1.0f, Exp(G) / 4); break;
      default: X = D(G); break;
    }
  return V;
}

bool SameBits(const std::vector<float>& A, const std::vector<float>& B) {
  return A.size() == B.size() && std::memcmp(A.data(), B.data(), A.size() * sizeof(float)) == 0;
}

// A component with transform size 2^E.
struct TSized {
  explicit TSized(int E) { F.SetExponent(E); }
  TFFT F;
};

}  // namespace

// ---------------------------------------------------------------------------
// Vectors

TEST(Vector, CreateGivesZerosAndRefusesOutOfRangeLengths) {
  TVector V(5);
  ASSERT_EQ(V.Count(), 5);
  for (int I = 0; I < 5; ++I) EXPECT_EQ(V[I], 0.0f);
  for (Integer N : {-1, 0, TVector::MaxCount + 1}) {
    TVector E(N);
    EXPECT_EQ(E.Count(), 0) << N;
    EXPECT_EQ(E.Data(), nullptr) << N;
  }
}

TEST(Vector, AssignCopiesOnlyFromAtLeastAsLongASource) {
  TVector Dst(3), Longer(4), Shorter(2);
  for (int I = 0; I < 4; ++I) Longer[I] = static_cast<float>(I + 1);
  Shorter[0] = Shorter[1] = 9;
  Dst.Assign(&Shorter);  // shorter: nothing
  EXPECT_EQ(Values(&Dst), (std::vector<float>{0, 0, 0}));
  Dst.Assign(nullptr);
  EXPECT_EQ(Values(&Dst), (std::vector<float>{0, 0, 0}));
  Dst.Assign(&Longer);
  EXPECT_EQ(Values(&Dst), (std::vector<float>{1, 2, 3}));
}

TEST(ComplexVector, ElementOperations) {
  TComplexVector A(2), B(2), R(2);
  Fill(&A, {1, 3}, {2, -4});
  Fill(&B, {5, 0.5f}, {-6, 2});
  R.Multiply(&A, &B);  // (1+2i)(5−6i) = 17+4i; (3−4i)(0.5+2i) = 9.5+4i
  EXPECT_EQ(Values(R.Re()), (std::vector<float>{17, 9.5f}));
  EXPECT_EQ(Values(R.Im()), (std::vector<float>{4, 4}));
  R.Assign(&A);
  EXPECT_EQ(Values(R.Re()), (std::vector<float>{1, 3}));
  EXPECT_EQ(Values(R.Im()), (std::vector<float>{2, -4}));
  R.Conjugate(&R);
  EXPECT_EQ(Values(R.Re()), (std::vector<float>{1, 3}));
  EXPECT_EQ(Values(R.Im()), (std::vector<float>{-2, 4}));
  R.Power(&A);
  EXPECT_EQ(Values(R.Re()), (std::vector<float>{5, 25}));
  EXPECT_EQ(Values(R.Im()), (std::vector<float>{0, 0}));
  R.Magnitude(&A);
  EXPECT_EQ(Values(R.Re()), (std::vector<float>{std::sqrt(5.0f), 5}));
  EXPECT_EQ(Values(R.Im()), (std::vector<float>{0, 0}));
}

TEST(ComplexVector, MultiplyIntoOneOfItsArgumentsReadsBeforeWriting) {
  TComplexVector A(1), B(1);
  Fill(&A, {1}, {2});
  Fill(&B, {3}, {4});
  A.Multiply(&A, &B);  // (1+2i)(3+4i) = −5+10i
  EXPECT_EQ(A.Re()->Data()[0], -5.0f);
  EXPECT_EQ(A.Im()->Data()[0], 10.0f);
  B.Multiply(&B, &B);  // (3+4i)² = −7+24i
  EXPECT_EQ(B.Re()->Data()[0], -7.0f);
  EXPECT_EQ(B.Im()->Data()[0], 24.0f);
}

TEST(ComplexVector, ShorterOrNullArgumentsLeaveTheDestinationUntouched) {
  TComplexVector Dst(3), Short(2), Empty(-5);
  Fill(&Dst, {1, 2, 3}, {4, 5, 6});
  Fill(&Short, {7, 8}, {9, 10});
  EXPECT_EQ(Empty.Count(), 0);
  Dst.Assign(&Short);
  Dst.Multiply(&Short, &Dst);
  Dst.Multiply(&Dst, nullptr);
  Dst.Conjugate(&Short);
  Dst.Power(&Empty);
  Dst.Magnitude(nullptr);
  EXPECT_EQ(Values(Dst.Re()), (std::vector<float>{1, 2, 3}));
  EXPECT_EQ(Values(Dst.Im()), (std::vector<float>{4, 5, 6}));
}

// ---------------------------------------------------------------------------
// Component: properties, tables, pools

TEST(FFTComponent, InitialStateAndPublishedProperties) {
  TFFT F;
  EXPECT_EQ(F.Exponent(), 10);
  EXPECT_EQ(F.Size(), 1024);
  EXPECT_EQ(F.LeakFunction(), wnRectangle);
  EXPECT_EQ(F.Version(), QString("V2.50"));
  EXPECT_EQ(F.Copyright(), TComponentCore::LibraryCopyright());
  ASSERT_NE(F.WindowVector(), nullptr);
  EXPECT_EQ(F.WindowVector()->Count(), 1024);
  EXPECT_EQ(F.ClassName(), QString("TFFT"));

  // Through the meta-object, as a form loader reaches them.
  QObject* O = &F;
  EXPECT_TRUE(O->setProperty("Exponent", 8));
  EXPECT_EQ(O->property("Size").toInt(), 256);
  EXPECT_TRUE(O->setProperty("LeakFunction", QVariant::fromValue(wnHamming)));
  EXPECT_EQ(F.LeakFunction(), wnHamming);
  EXPECT_EQ(O->property("LeakFunction").value<TLeakType>(), wnHamming);
  O->setProperty("Version", "V9");
  O->setProperty("Copyright", "nobody");
  EXPECT_EQ(F.Version(), QString("V2.50"));
  EXPECT_EQ(F.Copyright(), TComponentCore::LibraryCopyright());
  const QMetaObject* M = O->metaObject();
  EXPECT_FALSE(M->property(M->indexOfProperty("Size")).isWritable());
  EXPECT_EQ(QMetaEnum::fromType<TLeakType>().valueToKey(wnBlackman), QByteArray("wnBlackman"));
}

TEST(FFTComponent, ExponentOutsideBitRangeIsIgnored) {
  TFFT F;
  for (int E : {0, -3, 32}) {
    F.SetExponent(E);
    EXPECT_EQ(F.Exponent(), 10) << E;
    EXPECT_EQ(F.Size(), 1024) << E;
  }
}

TEST(FFTComponent, TablesAreThePartsSinesAndCosines) {
  for (int E : {1, 2, 5, 10, 13}) {
    TSized S(E);
    const TTables T = PartTables(1 << E);
    EXPECT_TRUE(SameBits(Values(S.F.CosineTable()), T.Cos)) << E;
    EXPECT_TRUE(SameBits(Values(S.F.SineTable()), T.Sin)) << E;
  }
}

TEST(FFTComponent, ExponentSetToItsValueRebuildsNothing) {
  TFFT F;
  TVector* V = F.NewVector(37);
  F.ApplyLeakFunction(V);  // the window follows the last request: 37
  const TVector* Cos = F.CosineTable();
  const TVector* Win = F.WindowVector();
  ASSERT_EQ(Win->Count(), 37);
  F.SetExponent(10);
  EXPECT_EQ(F.CosineTable(), Cos);
  EXPECT_EQ(F.WindowVector(), Win);
  EXPECT_EQ(F.WindowVector()->Count(), 37);
  // A different value rebuilds the tables and the window for the new size.
  F.SetExponent(6);
  EXPECT_EQ(F.Size(), 64);
  EXPECT_EQ(F.CosineTable()->Count(), 64);
  EXPECT_EQ(F.SineTable()->Count(), 64);
  EXPECT_EQ(F.WindowVector()->Count(), 64);
}

TEST(FFTComponent, LeakFunctionSetToItsValueRebuildsNothing) {
  TFFT F;
  F.SetLeakFunction(wnHanning);
  const TVector* Win = F.WindowVector();
  F.SetLeakFunction(wnHanning);
  EXPECT_EQ(F.WindowVector(), Win);
}

TEST(FFTComponent, PoolsHandOutVectorsAndFreeOnlyTheirOwn) {
  TFFT F, Other;
  TVector* V = F.NewVector(8);
  TComplexVector* C = F.NewComplexVector(16);
  ASSERT_EQ(V->Count(), 8);
  ASSERT_EQ(C->Count(), 16);
  EXPECT_EQ(F.NewVector(-1)->Count(), 0);  // an empty vector, no error
  TVector* Foreign = Other.NewVector(4);
  F.FreeVector(Foreign);  // not F's: nothing happens
  (*Foreign)[3] = 1.5f;
  EXPECT_EQ((*Foreign)[3], 1.5f);
  F.FreeVector(V);
  F.FreeVector(V);  // no longer in the pool: nothing happens
  F.FreeVector(nullptr);
}

TEST(FFTComponent, DesignTimeComputesNoTables) {
  TFFT F;
  F.SetDesigning(true);
  F.SetExponent(5);
  EXPECT_EQ(F.Size(), 32);
  EXPECT_EQ(F.CosineTable()->Count(), 1024);
  TComplexVector* C = F.NewComplexVector(32);
  C->Re()->Data()[1] = 1;
  F.Transform(C, false);  // no tables for this size yet: nothing happens
  EXPECT_EQ(C->Re()->Data()[1], 1.0f);
}

// ---------------------------------------------------------------------------
// Transform

// Every kernel of this machine equals the plain algorithm bit for bit,
// for every size 2 … 65536, both directions.
TEST(Transform, EveryKernelEqualsThePlainAlgorithmBitForBit) {
  std::mt19937 G(1234);
  for (int E = 1; E <= 16; ++E) {
    const int N = 1 << E;
    const TTables T = PartTables(N);
    Kernel::TPlan Plan;
    ASSERT_TRUE(Plan.Build(N, T.Cos.data(), T.Sin.data()));
    for (bool Inverse : {false, true})
      for (bool Hard : {false, true}) {
        const std::vector<float> Re0 = Hard ? HardValues(N, G) : RandomValues(N, G);
        const std::vector<float> Im0 = Hard ? HardValues(N, G) : RandomValues(N, G);
        std::vector<float> Re = Re0, Im = Im0;
        PlainTransform(Re.data(), Im.data(), N, T, Inverse);
        for (Kernel::TKind K : Kernel::AvailableKinds()) {
          std::vector<float> R = Re0, I = Im0;
          Plan.Execute(R.data(), I.data(), Inverse, K);
          EXPECT_TRUE(SameBits(R, Re) && SameBits(I, Im))
              << "n=" << N << " kernel=" << Kernel::KindName(K) << " inverse=" << Inverse
              << " hard=" << Hard;
        }
      }
  }
}

TEST(Transform, ComponentEqualsThePlainAlgorithmBitForBit) {
  std::mt19937 G(99);
  for (int E = 1; E <= 16; ++E) {
    TSized S(E);
    const int N = 1 << E;
    const TTables T = PartTables(N);
    TComplexVector* C = S.F.NewComplexVector(N);
    for (bool Inverse : {false, true}) {
      std::vector<float> Re = RandomValues(N, G), Im = RandomValues(N, G);
      Fill(C, Re, Im);
      S.F.Transform(C, Inverse);
      PlainTransform(Re.data(), Im.data(), N, T, Inverse);
      EXPECT_TRUE(SameBits(Values(C->Re()), Re) && SameBits(Values(C->Im()), Im))
          << "n=" << N << " inverse=" << Inverse;
    }
  }
}

// Error bound (Higham, Accuracy and Stability of Numerical Algorithms,
// Thm. 24.2, radix-2 FFT): ‖ẑ − z‖₂ ≤ log₂n·η/(1 − log₂n·η)·‖z‖₂ with
// η = μ + γ₄(√2 + μ), μ = u the error of the rounded twiddles, u = 2⁻²⁴.
// η < 7u, so the test asserts ‖ẑ − z‖₂ ≤ 7u·log₂n·‖z‖₂ (the scaling by 1/n
// is exact).
TEST(Transform, MatchesTheDirectDftWithinTheStatedBound) {
  std::mt19937 G(7);
  for (int E : {1, 2, 3, 4, 5, 7, 9, 10, 12}) {
    const int N = 1 << E;
    TSized S(E);
    TComplexVector* C = S.F.NewComplexVector(N);
    for (bool Inverse : {false, true}) {
      Fill(C, RandomValues(N, G), RandomValues(N, G));
      const std::vector<CLD> Want = DirectDft(ToComplex(C), Inverse);
      S.F.Transform(C, Inverse);
      std::vector<CLD> Diff = ToComplex(C);
      for (int I = 0; I < N; ++I) Diff[I] -= Want[I];
      const LD Bound = 7 * U * E * Norm2(Want);
      EXPECT_LE(Norm2(Diff), Bound) << "n=" << N << " inverse=" << Inverse;
    }
  }
}

TEST(Transform, ForwardThenInverseRestoresTheInput) {
  std::mt19937 G(11);
  for (int E : {1, 3, 8, 10, 14}) {
    const int N = 1 << E;
    TSized S(E);
    TComplexVector* C = S.F.NewComplexVector(N);
    const std::vector<float> Re = RandomValues(N, G), Im = RandomValues(N, G);
    Fill(C, Re, Im);
    const std::vector<CLD> Z0 = ToComplex(C);
    S.F.Transform(C, false);
    S.F.Transform(C, true);
    std::vector<CLD> Diff = ToComplex(C);
    for (int I = 0; I < N; ++I) Diff[I] -= Z0[I];
    // Two transforms, each within 7u·log₂n relative (see above).
    EXPECT_LE(Norm2(Diff), 2 * 7 * U * E * Norm2(Z0)) << "n=" << N;
  }
}

TEST(Transform, SignConventionPutsAPositiveFrequencyOnItsBin) {
  // z[t] = e^(−2πi·3t/n) forward gives Z[3] = 1 (positive exponent in the
  // forward direction), all other bins 0.
  TSized S(4);
  TComplexVector* C = S.F.NewComplexVector(16);
  for (int T = 0; T < 16; ++T) {
    (*C->Re())[T] = static_cast<float>(std::cos(2 * std::numbers::pi * 3 * T / 16));
    (*C->Im())[T] = static_cast<float>(-std::sin(2 * std::numbers::pi * 3 * T / 16));
  }
  S.F.Transform(C, false);
  for (int K = 0; K < 16; ++K) {
    EXPECT_NEAR((*C->Re())[K], K == 3 ? 1.0 : 0.0, 1e-6) << K;
    EXPECT_NEAR((*C->Im())[K], 0.0, 1e-6) << K;
  }
}

// ---------------------------------------------------------------------------
// Length mismatches: the output keeps its previous content.

TEST(LengthMismatch, OperationsLeaveTheirOutputsUntouched) {
  TFFT F;  // Size 1024
  const int N = F.Size();
  std::mt19937 G(5);
  struct TRow {
    const char* Name;
    int XCount;          // real input
    int CCount;          // complex output / argument
    int OtherCount;      // second complex argument
    std::function<void(TFFT&, TVector*, TComplexVector*, TComplexVector*)> Run;
  };
  const std::vector<TRow> Rows = {
      {"Transform, count below Size", 0, N / 2, N, [](TFFT& F, TVector*, TComplexVector* C, TComplexVector*) { F.Transform(C, false); }},
      {"Transform inverse, count above Size", 0, 2 * N, N, [](TFFT& F, TVector*, TComplexVector* C, TComplexVector*) { F.Transform(C, true); }},
      {"RealSpectrum, signal of Size", N, N, N, [](TFFT& F, TVector* X, TComplexVector* C, TComplexVector*) { F.RealSpectrum(X, C, true); }},
      {"RealSpectrum, spectrum too short", 2 * N, N - 1, N, [](TFFT& F, TVector* X, TComplexVector* C, TComplexVector*) { F.RealSpectrum(X, C, false); }},
      {"AutoCorrelation", 0, N / 4, N, [](TFFT& F, TVector*, TComplexVector* C, TComplexVector*) { F.AutoCorrelation(C); }},
      {"PowerSpectrum", 0, N + 1, N, [](TFFT& F, TVector*, TComplexVector* C, TComplexVector*) { F.PowerSpectrum(C); }},
      {"CrossCorrelation, result short", 0, N / 2, N, [](TFFT& F, TVector*, TComplexVector* C, TComplexVector* O) { F.CrossCorrelation(C, O, O); }},
      {"CrossCorrelation, one argument short", 0, N, N / 2, [](TFFT& F, TVector*, TComplexVector* C, TComplexVector* O) { F.CrossCorrelation(O, C, O); }},
      {"CrossPowerSpectrum, one argument short", 0, N, N / 2, [](TFFT& F, TVector*, TComplexVector* C, TComplexVector* O) { F.CrossPowerSpectrum(C, O, C); }},
      {"Unpack, complex shorter than half", 10, 4, N, [](TFFT& F, TVector* X, TComplexVector* C, TComplexVector*) { F.Unpack(X, C); }},
      {"null vectors", 0, N, N, [](TFFT& F, TVector*, TComplexVector*, TComplexVector*) {
         F.Transform(nullptr, false); F.RealSpectrum(nullptr, nullptr, true); F.AutoCorrelation(nullptr);
         F.CrossCorrelation(nullptr, nullptr, nullptr); F.ToPolar(nullptr, true); F.ApplyLeakFunction(nullptr); }},
  };
  for (const TRow& Row : Rows) {
    TVector* X = F.NewVector(Row.XCount);
    TComplexVector* C = F.NewComplexVector(Row.CCount);
    TComplexVector* O = F.NewComplexVector(Row.OtherCount);
    const std::vector<float> Xv = RandomValues(Row.XCount, G);
    if (Row.XCount) std::memcpy(X->Data(), Xv.data(), Xv.size() * sizeof(float));
    Fill(C, RandomValues(Row.CCount, G), RandomValues(Row.CCount, G));
    Fill(O, RandomValues(Row.OtherCount, G), RandomValues(Row.OtherCount, G));
    const std::vector<float> Cr = Values(C->Re()), Ci = Values(C->Im());
    const std::vector<float> Or = Values(O->Re()), Oi = Values(O->Im());
    Row.Run(F, X, C, O);
    EXPECT_TRUE(SameBits(Values(C->Re()), Cr) && SameBits(Values(C->Im()), Ci)) << Row.Name;
    EXPECT_TRUE(SameBits(Values(O->Re()), Or) && SameBits(Values(O->Im()), Oi)) << Row.Name;
    EXPECT_TRUE(Row.XCount == 0 || SameBits(Values(X), Xv)) << Row.Name;
  }
}

TEST(Unpack, SplitsEvenAndOddSamples) {
  TFFT F;
  TVector* X = F.NewVector(7);  // h = 3: the last sample is left out
  for (int I = 0; I < 7; ++I) (*X)[I] = static_cast<float>(I);
  TComplexVector* C = F.NewComplexVector(3);
  F.Unpack(X, C);
  EXPECT_EQ(Values(C->Re()), (std::vector<float>{0, 2, 4}));
  EXPECT_EQ(Values(C->Im()), (std::vector<float>{1, 3, 5}));
}

// ---------------------------------------------------------------------------
// Real spectrum

TEST(RealSpectrum, ConstantThreeGivesBinZeroThreeAndNothingElse) {
  for (int E : {1, 4, 10}) {
    TSized S(E);
    const int N = S.F.Size();
    TVector* X = S.F.NewVector(2 * N);
    for (int T = 0; T < 2 * N; ++T) (*X)[T] = 3.0f;
    TComplexVector* C = S.F.NewComplexVector(N);
    S.F.RealSpectrum(X, C, true);
    EXPECT_NEAR((*C->Re())[0], 3.0, 1e-6) << N;
    EXPECT_EQ((*C->Im())[0], 0.0f);
    for (int K = 1; K < N; ++K) EXPECT_NEAR((*C->Re())[K], 0.0, 1e-6) << "n=" << N << " bin " << K;
  }
}

// x[t] = A·cos(2π·k·t/M + φ) shows magnitude A and phase −φ on bin k
// (the forward direction's positive exponent), nothing on the others.
TEST(RealSpectrum, CosineShowsItsAmplitudeAndPhaseOnItsBin) {
  struct TRow {
    const char* Name;
    int Bin;
    double Amplitude, Phase;
  };
  const TRow Rows[] = {
      {"the documented case 2·cos(2π·5·t/M)", 5, 2.0, 0.0},
      {"lowest bin", 1, 1.0, 0.0},
      {"phase shifted", 5, 2.0, 0.5},
      {"negative phase", 37, 0.25, -1.2},
      {"bin N/2 (the split's middle)", 512, 1.5, 0.3},
      {"highest kept bin N−1", 1023, 1.0, 0.0},
  };
  TFFT F;
  const int N = F.Size(), M = 2 * N;
  TVector* X = F.NewVector(M);
  TComplexVector* C = F.NewComplexVector(N);
  for (const TRow& R : Rows) {
    for (int T = 0; T < M; ++T)
      (*X)[T] = static_cast<float>(R.Amplitude * std::cos(2 * std::numbers::pi * R.Bin * T / M + R.Phase));
    F.RealSpectrum(X, C, true);
    EXPECT_NEAR((*C->Re())[R.Bin], R.Amplitude, 1e-5) << R.Name;
    EXPECT_NEAR((*C->Im())[R.Bin], -R.Phase, 1e-5) << R.Name;
    EXPECT_NEAR((*C->Re())[0], 0.0, 1e-6) << R.Name;
    double Other = 0;
    for (int K = 1; K < N; ++K)
      if (K != R.Bin) Other = std::max(Other, static_cast<double>((*C->Re())[K]));
    EXPECT_LT(Other, 1e-5) << R.Name;
  }
}

TEST(RealSpectrum, MatchesTheDirectSumOfTheRealSignal) {
  // bin 0: mean; bin k: (2/M)·Σ x[t]·e^(+2πi·t·k/M), as magnitude and phase.
  std::mt19937 G(3);
  for (int E : {2, 6, 9}) {
    TSized S(E);
    const int N = S.F.Size(), M = 2 * N;
    TVector* X = S.F.NewVector(M);
    const std::vector<float> Xv = RandomValues(M, G);
    std::memcpy(X->Data(), Xv.data(), M * sizeof(float));
    TComplexVector* C = S.F.NewComplexVector(N);
    S.F.RealSpectrum(X, C, true);
    std::vector<CLD> Z(M);
    for (int T = 0; T < M; ++T) Z[T] = Xv[T];
    const std::vector<CLD> D = DirectDft(Z, false);  // (1/M)·Σ …
    EXPECT_NEAR((*C->Re())[0], static_cast<double>(D[0].real()), 1e-6);
    for (int K = 1; K < N; ++K) {
      const CLD Want = D[K] * static_cast<LD>(2);
      EXPECT_NEAR((*C->Re())[K], static_cast<double>(std::abs(Want)), 1e-5) << "n=" << N << " bin " << K;
      if (std::abs(Want.real()) > 1e-3) {
        EXPECT_NEAR((*C->Im())[K], static_cast<double>(atanl(Want.imag() / Want.real())), 1e-3)
            << "n=" << N << " bin " << K;
      }
    }
  }
}

// RealSpectrum = unpack, the plain transform, the plain split, ToPolar:
// the same bits for every size, with and without phase.
TEST(RealSpectrum, EqualsThePlainStepsBitForBit) {
  std::mt19937 G(17);
  for (int E = 1; E <= 16; ++E) {
    TSized S(E);
    const int N = S.F.Size();
    const TTables T = PartTables(N);
    TVector* X = S.F.NewVector(2 * N);
    TComplexVector* C = S.F.NewComplexVector(N);
    for (bool WithPhase : {false, true}) {
      const std::vector<float> Xv = RandomValues(2 * N, G);
      std::memcpy(X->Data(), Xv.data(), Xv.size() * sizeof(float));
      S.F.RealSpectrum(X, C, WithPhase);
      std::vector<float> Re(N), Im(N);
      for (int I = 0; I < N; ++I) {
        Re[I] = Xv[2 * I];
        Im[I] = Xv[2 * I + 1];
      }
      PlainTransform(Re.data(), Im.data(), N, T, false);
      PartSplit(Re.data(), Im.data(), N, T);
      PartToPolar(Re.data(), Im.data(), N, WithPhase);
      EXPECT_TRUE(SameBits(Values(C->Re()), Re) && SameBits(Values(C->Im()), Im))
          << "n=" << N << " phase=" << WithPhase;
    }
  }
}

TEST(RealSpectrum, EveryKernelsLinearStepsEqualThePlainOnes) {
  std::mt19937 G(23);
  for (int E = 1; E <= 12; ++E) {
    const int N = 1 << E;
    const TTables T = PartTables(N);
    for (bool Hard : {false, true}) {
      const std::vector<float> Re0 = Hard ? HardValues(N, G) : RandomValues(N, G);
      const std::vector<float> Im0 = Hard ? HardValues(N, G) : RandomValues(N, G);
      std::vector<float> SRe = Re0, SIm = Im0, MRe = Re0;
      PartSplit(SRe.data(), SIm.data(), N, T);
      for (int I = 1; I < N; ++I)
        MRe[I] = static_cast<float>(std::sqrt(static_cast<double>(Re0[I]) * Re0[I] + static_cast<double>(Im0[I]) * Im0[I]));
      std::vector<float> X(2 * N);
      for (int I = 0; I < N; ++I) {
        X[2 * I] = Re0[I];
        X[2 * I + 1] = Im0[I];
      }
      for (Kernel::TKind K : Kernel::AvailableKinds()) {
        std::vector<float> R = Re0, I = Im0;
        Kernel::Split(R.data(), I.data(), N, T.Cos.data(), T.Sin.data(), K);
        EXPECT_TRUE(SameBits(R, SRe) && SameBits(I, SIm)) << "split n=" << N << " " << Kernel::KindName(K);
        R = Re0;
        Kernel::Magnitudes(R.data(), Im0.data(), 1, N, K);
        EXPECT_TRUE(SameBits(R, MRe)) << "magnitudes n=" << N << " " << Kernel::KindName(K);
        std::vector<float> Ur(N), Ui(N);
        Kernel::Unpack(X.data(), Ur.data(), Ui.data(), N, K);
        EXPECT_TRUE(SameBits(Ur, Re0) && SameBits(Ui, Im0)) << "unpack n=" << N << " " << Kernel::KindName(K);
      }
    }
  }
}

TEST(RealSpectrum, OverwritesTheSignalWithTheWindowedSignal) {
  TSized S(3);  // M = 16
  S.F.SetLeakFunction(wnHanning);
  TVector* X = S.F.NewVector(16);
  for (int T = 0; T < 16; ++T) (*X)[T] = 1.0f;
  TComplexVector* C = S.F.NewComplexVector(8);
  S.F.RealSpectrum(X, C, false);
  EXPECT_EQ(S.F.WindowVector()->Count(), 16);  // rebuilt for 2·Size
  EXPECT_TRUE(SameBits(Values(X), Values(S.F.WindowVector())));
  EXPECT_NEAR((*X)[0], 0.0, 1e-7);
  EXPECT_LT((*X)[7], 1.0f);
}

TEST(ToPolar, MagnitudeAndPhaseIncludingTheZeroRealPart) {
  TFFT F;
  TComplexVector* C = F.NewComplexVector(6);
  Fill(C, {7, 3, 0, 0, 0, -1}, {8, 4, 2, -2, 0, 1});
  TComplexVector* D = F.NewComplexVector(6);
  D->Assign(C);
  F.ToPolar(C, true);
  const float HalfPi = static_cast<float>(std::numbers::pi / 2);
  EXPECT_EQ(Values(C->Re()), (std::vector<float>{7, 5, 2, 2, 0, std::sqrt(2.0f)}));
  EXPECT_EQ((*C->Im())[0], 8.0f);  // element 0 untouched
  EXPECT_FLOAT_EQ((*C->Im())[1], std::atan(4.0f / 3.0f));
  EXPECT_EQ((*C->Im())[2], HalfPi);
  EXPECT_EQ((*C->Im())[3], -HalfPi);
  EXPECT_EQ((*C->Im())[4], 0.0f);
  EXPECT_FLOAT_EQ((*C->Im())[5], static_cast<float>(-std::numbers::pi / 4));  // arctan keeps ±π/2
  F.ToPolar(D, false);  // without phase the imaginary parts stay
  EXPECT_EQ(Values(D->Re()), Values(C->Re()));
  EXPECT_EQ(Values(D->Im()), (std::vector<float>{8, 4, 2, -2, 0, 1}));
}

// ---------------------------------------------------------------------------
// Windows

// Weights through ApplyLeakFunction on a vector of ones.
static std::vector<float> Weights(TFFT& F, TLeakType Type, int L) {
  F.SetLeakFunction(Type);
  TVector V(L);
  for (int I = 0; I < L; ++I) V[I] = 1.0f;
  F.ApplyLeakFunction(&V);
  return Values(&V);
}

TEST(Window, FormulasAtTheirEndsAndMiddle) {
  struct TRow {
    const char* Name;
    TLeakType Type;
    double End, Middle;
  };
  const TRow Rows[] = {
      {"Hanning 0.5 − 0.5·cos x", wnHanning, 0.0, 1.0},
      {"Hamming 0.54 − 0.46·cos x", wnHamming, 0.08, 1.0},
      {"Blackman 0.42 − 0.5·cos x + 0.08·cos 2x", wnBlackman, 0.0, 1.0},
  };
  for (const TRow& R : Rows)
    for (int L : {3, 9, 1025}) {
      TFFT F;
      const std::vector<float> W = Weights(F, R.Type, L);
      EXPECT_EQ(F.LeakFunction(), R.Type);
      EXPECT_NEAR(W.front(), R.End, 1e-7) << R.Name << " L=" << L;
      EXPECT_NEAR(W.back(), R.End, 1e-6) << R.Name << " L=" << L;
      EXPECT_NEAR(W[L / 2], R.Middle, 1e-6) << R.Name << " L=" << L;
      // every weight: the formula at x = i·d, d = 2π/(L−1), both as Single
      const float D = static_cast<float>(2 * std::numbers::pi / (L - 1));
      for (int I = 0; I < L; ++I) {
        const double X = static_cast<float>(static_cast<double>(I) * D);
        const double Want = R.Type == wnHanning   ? 0.5 - 0.5 * std::cos(X)
                            : R.Type == wnHamming ? 0.54 - 0.46 * std::cos(X)
                                                  : 0.42 - 0.5 * std::cos(X) + 0.08 * std::cos(2 * X);
        EXPECT_NEAR(W[I], Want, 1e-7) << R.Name << " L=" << L << " i=" << I;
      }
    }
}

TEST(Window, RectangleLeavesTheDataAsItIs) {
  TFFT F;
  const std::vector<float> W = Weights(F, wnRectangle, 5);
  EXPECT_EQ(W, std::vector<float>(5, 1.0f));
}

TEST(Window, WindowFollowsTheLengthOfTheData) {
  TFFT F;
  F.SetLeakFunction(wnHanning);  // window of the current length 1024
  // SetExponent rebuilds the window for Size; applying it to another length
  // rebuilds it for that length first.
  F.SetExponent(2);
  EXPECT_EQ(F.WindowVector()->Count(), 4);
  TVector V(6);
  for (int I = 0; I < 6; ++I) V[I] = 1.0f;
  F.ApplyLeakFunction(&V);
  EXPECT_EQ(F.WindowVector()->Count(), 6);
  EXPECT_NEAR(V[0], 0.0, 1e-7);
}

TEST(Window, OwnWithoutHandlerReadsBackRectangle) {
  TFFT F;
  F.SetLeakFunction(wnHanning);
  F.SetLeakFunction(wnOwn);
  EXPECT_EQ(F.LeakFunction(), wnRectangle);
  EXPECT_EQ(Weights(F, wnOwn, 4), std::vector<float>(4, 1.0f));
}

TEST(Window, OwnHandlerIsUsedFromTheNextRebuild) {
  TFFT F;
  int Calls = 0;
  TVector* Seen = nullptr;
  F.OwnerLeakFunction = [&](TVector* Data) {
    ++Calls;
    Seen = Data;
    for (int I = 0; I < Data->Count(); ++I) (*Data)[I] *= 2;
  };
  F.SetLeakFunction(wnOwn);
  EXPECT_EQ(F.LeakFunction(), wnOwn);
  TVector V(3);
  V[0] = 1;
  F.ApplyLeakFunction(&V);
  EXPECT_EQ(Calls, 1);
  EXPECT_EQ(Seen, &V);
  EXPECT_EQ(V[0], 2.0f);
}

TEST(Window, LengthOneRaisesTheDivisionErrorAndChangesNothing) {
  for (TLeakType Type : {wnHanning, wnHamming, wnBlackman}) {
    TFFT F;
    F.SetLeakFunction(Type);
    const TVector* Win = F.WindowVector();
    TVector One(1);
    One[0] = 5;
    EXPECT_THROW(F.ApplyLeakFunction(&One), EZeroDivide);
    EXPECT_EQ(One[0], 5.0f);
    EXPECT_EQ(F.LeakFunction(), Type);
    EXPECT_EQ(F.WindowVector(), Win);
    try {
      F.ApplyLeakFunction(&One);
    } catch (const EZeroDivide& E) {
      EXPECT_EQ(E.Message(), QString("Gleitkommadivision durch Null"));
    }
  }
  // The rectangle divides by nothing: length 1 is fine, and switching a
  // length-1 window to a weighted type raises the error.
  TFFT F;
  TVector One(1);
  One[0] = 5;
  F.ApplyLeakFunction(&One);
  EXPECT_EQ(One[0], 5.0f);
  EXPECT_EQ(F.WindowVector()->Count(), 1);
  EXPECT_THROW(F.SetLeakFunction(wnBlackman), EZeroDivide);
  EXPECT_EQ(F.LeakFunction(), wnRectangle);
}

// ---------------------------------------------------------------------------
// Correlations and power spectra

TEST(Correlation, AutoCorrelationOfAUnitSine) {
  // r[k] = (1/N)·Σ x[t]·x[(t−k) mod N] = 0.5·cos(2π·f·k/N); r[0] = 0.5.
  TFFT F;  // N = 1024
  const int N = F.Size(), Freq = 16;
  TComplexVector* C = F.NewComplexVector(N);
  for (int T = 0; T < N; ++T) (*C->Re())[T] = static_cast<float>(std::sin(2 * std::numbers::pi * Freq * T / N));
  F.AutoCorrelation(C);
  EXPECT_NEAR((*C->Re())[0], 0.5, 1e-6);
  for (int K = 0; K < N; ++K) {
    EXPECT_NEAR((*C->Re())[K], 0.5 * std::cos(2 * std::numbers::pi * Freq * K / N), 1e-5) << K;
    EXPECT_NEAR((*C->Im())[K], 0.0, 1e-5) << K;
  }
}

TEST(Correlation, CrossCorrelationIsTheCircularSum) {
  // R[k] = (1/N)·Σₜ a[t]·b[(t−k) mod N]
  std::mt19937 G(21);
  TSized S(7);
  const int N = S.F.Size();
  const std::vector<float> A = RandomValues(N, G), B = RandomValues(N, G);
  TComplexVector* Ca = S.F.NewComplexVector(N);
  TComplexVector* Cb = S.F.NewComplexVector(N);
  TComplexVector* R = S.F.NewComplexVector(N);
  Fill(Ca, A, std::vector<float>(N, 0.0f));
  Fill(Cb, B, std::vector<float>(N, 0.0f));
  TComplexVector* SpecA = S.F.NewComplexVector(N);
  TComplexVector* SpecB = S.F.NewComplexVector(N);
  SpecA->Assign(Ca);
  SpecB->Assign(Cb);
  S.F.Transform(SpecA, false);
  S.F.Transform(SpecB, false);
  SpecB->Conjugate(SpecB);

  S.F.CrossCorrelation(R, Ca, Cb);
  for (int K = 0; K < N; ++K) {
    double Want = 0;
    for (int T = 0; T < N; ++T) Want += static_cast<double>(A[T]) * B[((T - K) % N + N) % N];
    EXPECT_NEAR((*R->Re())[K], Want / N, 1e-5) << K;
    EXPECT_NEAR((*R->Im())[K], 0.0, 1e-5) << K;
  }
  // a and b are left holding their spectra, b conjugated.
  EXPECT_TRUE(SameBits(Values(Ca->Re()), Values(SpecA->Re())) && SameBits(Values(Ca->Im()), Values(SpecA->Im())));
  EXPECT_TRUE(SameBits(Values(Cb->Re()), Values(SpecB->Re())) && SameBits(Values(Cb->Im()), Values(SpecB->Im())));
}

TEST(Correlation, CrossCorrelationOfASignalWithItselfIsItsAutoCorrelation) {
  std::mt19937 G(8);
  TSized S(8);
  const int N = S.F.Size();
  const std::vector<float> Re = RandomValues(N, G), Im = RandomValues(N, G);
  TComplexVector *A = S.F.NewComplexVector(N), *B = S.F.NewComplexVector(N);
  TComplexVector *R = S.F.NewComplexVector(N), *Auto = S.F.NewComplexVector(N);
  Fill(A, Re, Im);
  Fill(B, Re, Im);
  Fill(Auto, Re, Im);
  S.F.CrossCorrelation(R, A, B);
  S.F.AutoCorrelation(Auto);
  for (int K = 0; K < N; ++K) {
    EXPECT_NEAR((*R->Re())[K], (*Auto->Re())[K], 1e-6) << K;
    EXPECT_NEAR((*R->Im())[K], (*Auto->Im())[K], 1e-6) << K;
  }
}

TEST(PowerSpectrum, IsTheSquaredTransformAndObeysParseval) {
  std::mt19937 G(4);
  TSized S(9);
  const int N = S.F.Size();
  const std::vector<float> Re = RandomValues(N, G), Im = RandomValues(N, G);
  TComplexVector *P = S.F.NewComplexVector(N), *Z = S.F.NewComplexVector(N);
  Fill(P, Re, Im);
  Fill(Z, Re, Im);
  S.F.PowerSpectrum(P);
  S.F.Transform(Z, false);
  double Sum = 0, Energy = 0;
  for (int K = 0; K < N; ++K) {
    const double zr = (*Z->Re())[K], zi = (*Z->Im())[K];
    EXPECT_EQ((*P->Re())[K], static_cast<float>(zi * zi + zr * zr)) << K;
    EXPECT_EQ((*P->Im())[K], 0.0f);
    Sum += (*P->Re())[K];
    Energy += static_cast<double>(Re[K]) * Re[K] + static_cast<double>(Im[K]) * Im[K];
  }
  // Σ|Z|² = (1/N)·Σ|z|² with the forward 1/N.
  EXPECT_NEAR(Sum, Energy / N, 1e-6 * Energy / N);
}

TEST(PowerSpectrum, CrossPowerSpectrumIsTheProductOfTheSpectra) {
  std::mt19937 G(6);
  TSized S(6);
  const int N = S.F.Size();
  TComplexVector *A = S.F.NewComplexVector(N), *B = S.F.NewComplexVector(N), *R = S.F.NewComplexVector(N);
  Fill(A, RandomValues(N, G), RandomValues(N, G));
  Fill(B, RandomValues(N, G), RandomValues(N, G));
  TComplexVector *Sa = S.F.NewComplexVector(N), *Sb = S.F.NewComplexVector(N), *Want = S.F.NewComplexVector(N);
  Sa->Assign(A);
  Sb->Assign(B);
  S.F.Transform(Sa, false);
  S.F.Transform(Sb, false);
  Sb->Conjugate(Sb);
  Want->Multiply(Sa, Sb);
  S.F.CrossPowerSpectrum(R, A, B);
  EXPECT_TRUE(SameBits(Values(R->Re()), Values(Want->Re())));
  EXPECT_TRUE(SameBits(Values(R->Im()), Values(Want->Im())));
  // The cross power of a signal with itself is its power spectrum.
  TComplexVector *X = S.F.NewComplexVector(N), *Y = S.F.NewComplexVector(N), *P = S.F.NewComplexVector(N);
  Fill(X, Values(Sa->Re()), Values(Sa->Im()));
  Y->Assign(X);
  P->Assign(X);
  S.F.CrossPowerSpectrum(R, X, Y);
  S.F.PowerSpectrum(P);
  for (int K = 0; K < N; ++K) {
    EXPECT_NEAR((*R->Re())[K], (*P->Re())[K], 1e-7) << K;
    EXPECT_NEAR((*R->Im())[K], 0.0, 1e-7) << K;
  }
}
