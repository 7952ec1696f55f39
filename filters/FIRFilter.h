/// FIR filter: convolution of a stream of Single samples with 1 to 512
/// user-supplied coefficients. \file
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "quellix/filters/FilterBase.h"

namespace quellix::Firfilt {

/// y[n] = sum over k = 1 .. N of c[k]*x[n-k+1]: c[1] weighs the newest
/// sample, c[N] the oldest; samples before the first one (or before the last
/// clearing of the history) count as 0. The component designs nothing:
/// SampleFrequency and CutoffFrequency are only stored. The coefficients come
/// from CoefficientList (one number per line), SetCoefficients or the stream.
class TFIRFilter : public FiltBase::TFilterBase {
  Q_OBJECT
  Q_PROPERTY(int CoefficientNumber READ CoefficientNumber WRITE SetCoefficientNumber NOTIFY CoefficientNumberChanged)
  Q_PROPERTY(QStringList CoefficientList READ CoefficientStrings WRITE SetCoefficientStrings NOTIFY CoefficientListChanged)

Q_SIGNALS:
  // Property change signals.
  void CoefficientNumberChanged(int Value);
  void CoefficientListChanged(QStringList Value);

public:
  static constexpr Integer MaxCoefficients = 512;

  explicit TFIRFilter(TComponentCore* AOwner = nullptr);

  /// Number of coefficients N. A new value in 1 .. 512 pads the list with
  /// "0" lines or drops lines from its end, and clears the history; other
  /// values are ignored.
  Integer CoefficientNumber() const { return FCount; }
  void SetCoefficientNumber(Integer Value);

  /// The coefficients as text, one per line (the component's own list).
  const TStringList& CoefficientList() const { return FList; }
  /// Takes over the lines of Value as the coefficients. Raises ERangeError
  /// unless it has 1 to 512 lines. A line that is not a number raises the
  /// conversion error, and so does one beyond the Single range; the lines
  /// before it stay in force as the coefficient set. A new number of
  /// coefficients clears the history.
  void SetCoefficientList(const TStringList& Value);
  QStringList CoefficientStrings() const { return FList.ToQStringList(); }
  void SetCoefficientStrings(const QStringList& Value);

  /// Sets N = Count coefficients from Values[0 .. Count-1] and rewrites the
  /// list from them. Raises ERangeError unless 1 <= Count <= 512; a set
  /// holding a value that is not a finite number is refused and changes
  /// nothing. The history is kept, so the filter can be retuned on the fly
  /// without a glitch: with a new number of coefficients, the newest
  /// samples keep their ages (as many as both counts hold).
  void SetCoefficients(Integer Count, const Single* Values);
  /// Coefficient c[Index+1], Index 0 .. N-1.
  Single Coefficient(Integer Index) const { return FCoefficients.at(Index); }

  /// Filters one sample. A sample that is not a finite number is given back
  /// as it is and does not enter the history.
  Single FilterSample(Single X);
  /// Data[i] := FilterSample(Data[i]) for i = 0 .. Count-1.
  void Filter(Single* Data, Integer Count);
  /// Clears the history.
  void Reset();

  void DefineProperties(TFiler& Filer) override;

private:
  // Filter on a run of finite samples.
  void FilterFinite(Single* Data, Integer Count);
  // Ring position reached from P after Steps samples.
  Integer Advance(Integer P, std::int64_t Steps) const;
  // Ring slot (1 .. N) of the value Age samples older than the one at P.
  Integer Slot(Integer P, Integer Age) const;
  // Makes Values[0 .. Count-1] the coefficients with Lines as their text.
  // A new count clears the history, or with KeepHistory re-lays the ring
  // for it (ReLayHistory).
  void TakeOver(const QStringList& Lines, const Single* Values, Integer Count, bool KeepHistory);
  // The ring for Count coefficients holding the newest samples of the
  // present ring at their ages; older places are 0.
  void ReLayHistory(Integer Count);

  Integer FCount = 1;
  std::array<Single, MaxCoefficients> FCoefficients{};  // c[1..N] at 0..N-1
  std::array<Single, MaxCoefficients> FHistory{};       // h[1..N] at 0..N-1
  Integer FPosition = 0;                                 // newest sample, 0 .. N
  TStringList FList;
  // Work area of Filter: the N most recent inputs followed by one chunk,
  // widened to Double for the convolution.
  std::vector<Double> FWork;
};

}  ///< namespace quellix::Firfilt
