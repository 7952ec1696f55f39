/// Real and complex vectors of Single, and the non-visual FFT
/// component TFFT (tables, vector pools, leakage windows, radix-2 transform,
/// real spectrum, correlations and power spectra). \file
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "quellix/host/Component.h"
#include "quellix/host/NumericTypes.h"

namespace quellix::FFT {
Q_NAMESPACE

// ---------------------------------------------------------------------------
// Vectors

/// A real vector of Count Single values; owns its data. A vector whose
/// allocation failed (or whose requested length was outside 0 … 200000000)
/// is empty: Count 0, Data null.
class TVector : public TObject {
public:
  static constexpr Integer MaxCount = 200000000;

  explicit TVector(Integer N);
  ~TVector() override;
  TVector(const TVector&) = delete;
  TVector& operator=(const TVector&) = delete;

  Integer Count() const { return FCount; }
  Single* Data() { return FData; }
  const Single* Data() const { return FData; }
  Single& operator[](Integer I) { return FData[I]; }
  Single operator[](Integer I) const { return FData[I]; }

  /// Copies this vector's Count values from Source when Source has at least
  /// as many; otherwise (or for a null Source) does nothing.
  void Assign(const TVector* Source);

private:
  Integer FCount = 0;
  Single* FData = nullptr;
};

/// A complex vector: element i is Re[i] + i·Im[i]. Owns both real vectors.
/// Count is n only when both parts could be allocated, otherwise 0.
class TComplexVector : public TObject {
public:
  explicit TComplexVector(Integer N);
  ~TComplexVector() override;
  TComplexVector(const TComplexVector&) = delete;
  TComplexVector& operator=(const TComplexVector&) = delete;

  TVector* Re() const { return FRe.get(); }
  TVector* Im() const { return FIm.get(); }
  Integer Count() const { return FCount; }

  /// This vector is the destination; each loop runs over its Count elements
  /// and does nothing when an argument is null or shorter.
  void Assign(const TComplexVector* A);
  /// this[i] := a[i]·b[i]; the destination may be a or b.
  void Multiply(const TComplexVector* A, const TComplexVector* B);
  /// Im[i] := −a.Im[i]; Re is not touched.
  void Conjugate(const TComplexVector* A);
  /// Re[i] := |a[i]|², Im[i] := 0.
  void Power(const TComplexVector* A);
  /// Re[i] := |a[i]|, Im[i] := 0.
  void Magnitude(const TComplexVector* A);

private:
  bool Covers(const TComplexVector* A) const;
  std::unique_ptr<TVector> FRe, FIm;
  Integer FCount = 0;
};

// ---------------------------------------------------------------------------

enum TLeakType { wnRectangle = 0, wnHanning = 1, wnHamming = 2, wnBlackman = 3, wnOwn = 4 };
Q_ENUM_NS(TLeakType)

/// The user's own window: changes the data vector in place.
using TLeakFunction = std::function<void(TVector* Data)>;

/// The host's floating-point division error, raised when a window of length
/// 1 is computed (its weights divide by L−1 = 0).
class EZeroDivide : public Exception {
public:
  using Exception::Exception;
};

/// Non-visual FFT component. Owns the sine and cosine tables for one
/// transform size, the leakage window, and every vector it hands out.
///
/// Transform convention (n = Size): <pre>
///   forward  Z[k] = (1/n)·Σₜ z[t]·e^(+2πi·t·k/n)
///   inverse  z[t] =       Σₖ Z[k]·e^(−2πi·t·k/n) </pre>
/// so an inverse after a forward restores the input.
class TFFT : public TComponent {
  Q_OBJECT
  Q_PROPERTY(QString Version READ Version WRITE SetVersion NOTIFY VersionChanged)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright NOTIFY CopyrightChanged)
  Q_PROPERTY(int Exponent READ Exponent WRITE SetExponent NOTIFY ExponentChanged)
  Q_PROPERTY(int Size READ Size STORED false NOTIFY SizeChanged)
  Q_PROPERTY(quellix::FFT::TLeakType LeakFunction READ LeakFunction WRITE SetLeakFunction NOTIFY LeakFunctionChanged)

Q_SIGNALS:
  // Property change signals.
  void VersionChanged(const QString& Value);
  void CopyrightChanged(const QString& Value);
  void ExponentChanged(int Value);
  void SizeChanged(int Value);
  void LeakFunctionChanged(quellix::FFT::TLeakType Value);

public:
  static constexpr int MinExponent = 1;   ///< BitRange 1 … 31
  static constexpr int MaxExponent = 31;

  explicit TFFT(TComponentCore* AOwner = nullptr);
  ~TFFT() override;

  QString Version() const { return FVersion; }
  void SetVersion(const QString&) {}
  QString Copyright() const { return FCopyright; }
  void SetCopyright(const QString&) {}

  int Exponent() const { return FExponent; }
  /// If different (and within 1 … 31): Size := 2^Exponent, both tables and
  /// the window (length Size) are rebuilt.
  void SetExponent(int Value);
  Integer Size() const { return FSize; }
  TLeakType LeakFunction() const { return FLeakFunction; }
  /// If different: rebuilds the window with the new type for the current
  /// window length. wnOwn without OwnerLeakFunction falls back to wnRectangle.
  void SetLeakFunction(TLeakType Value);

  /// The user's window for wnOwn; takes effect at the next rebuild with wnOwn.
  TLeakFunction OwnerLeakFunction;

  /// Vector pools: the component owns every vector it hands out.
  TVector* NewVector(Integer N);
  void FreeVector(TVector* V);  ///< only vectors of this component's pool
  TComplexVector* NewComplexVector(Integer N);

  /// Rebuilds the window for (LeakFunction, V.Count) if needed, then applies it
  /// to V in place. Raises EZeroDivide for a weighted window of length 1.
  void ApplyLeakFunction(TVector* V);

  /// In-place transform; requires C.Count = Size.
  void Transform(TComplexVector* C, bool Inverse);
  /// Spectrum of the real signal X (Count 2·Size, overwritten by the windowed
  /// signal) into C (Count Size): bin 0 the mean, bins 1 … Size−1 as
  /// magnitudes (and phases if WithPhase).
  void RealSpectrum(TVector* X, TComplexVector* C, bool WithPhase);
  /// Element 0 untouched; elements 1 … Count−1 to magnitude (and phase).
  void ToPolar(TComplexVector* C, bool WithPhase);
  /// R := inverse(forward(A)·conj(forward(B))); A and B keep their spectra,
  /// B conjugated. All three of Count Size.
  void CrossCorrelation(TComplexVector* R, TComplexVector* A, TComplexVector* B);
  /// The same without the final inverse transform.
  void CrossPowerSpectrum(TComplexVector* R, TComplexVector* A, TComplexVector* B);
  /// C := inverse(|forward(C)|²).
  void AutoCorrelation(TComplexVector* C);
  /// C := |forward(C)|².
  void PowerSpectrum(TComplexVector* C);
  /// C[i] := X[2i] + i·X[2i+1] for i < X.Count div 2, if C is long enough.
  void Unpack(const TVector* X, TComplexVector* C);

  /// Read-only views for callers that inspect the component's state.
  const TVector* CosineTable() const { return FCosTable; }
  const TVector* SineTable() const { return FSinTable; }
  const TVector* WindowVector() const { return FWindow; }

private:
  struct TPlanHolder;
  bool IsSized(const TComplexVector* C) const;
  void BuildTables();
  void RebuildWindow(TLeakType Type, Integer Length);
  void MultiplyByWindow(TVector* Data) const;
  void DoTransform(TComplexVector* C, bool Inverse);

  QString FVersion;
  QString FCopyright;
  int FExponent = 10;
  Integer FSize = 1024;
  TLeakType FLeakFunction = wnRectangle;
  std::vector<std::unique_ptr<TVector>> FVectorPool;
  std::vector<std::unique_ptr<TComplexVector>> FComplexPool;
  TVector* FCosTable = nullptr;
  TVector* FSinTable = nullptr;
  TVector* FWindow = nullptr;
  TLeakFunction FWindowProc;  // empty: the rectangle (does nothing)
  std::unique_ptr<TPlanHolder> FPlan;  // fast-transform plan, built on first use
};

}  ///< namespace quellix::FFT
