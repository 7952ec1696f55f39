/// What every filter component publishes alike: the informational Version
/// and Copyright, and the sample and cutoff frequencies with their checks. \file
#pragma once

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "quellix/host/Component.h"

namespace quellix::FiltBase {

/// Version and Copyright are read-only: their setters exist so that a form
/// loader can assign them, and ignore the value. SampleFrequency and
/// CutoffFrequency refuse values <= 0, values that are not finite numbers
/// (a NaN frequency would make every output NaN) and the value they already
/// have; a new value is stored and FrequencyChanged lets the filter
/// redesign itself.
class TFilterBase : public TComponent {
  Q_OBJECT
  Q_PROPERTY(QString Version READ Version WRITE SetVersion NOTIFY VersionChanged)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright NOTIFY CopyrightChanged)
  Q_PROPERTY(float SampleFrequency READ SampleFrequency WRITE SetSampleFrequency NOTIFY SampleFrequencyChanged)
  Q_PROPERTY(float CutoffFrequency READ CutoffFrequency WRITE SetCutoffFrequency NOTIFY CutoffFrequencyChanged)

Q_SIGNALS:
  // Property change signals.
  void VersionChanged(const QString& Value);
  void CopyrightChanged(const QString& Value);
  void SampleFrequencyChanged(float Value);
  void CutoffFrequencyChanged(float Value);

public:
  QString Version() const { return FVersion; }
  void SetVersion(const QString&) {}
  QString Copyright() const { return FCopyright; }
  void SetCopyright(const QString&) {}

  Single SampleFrequency() const { return FSampleFrequency; }
  void SetSampleFrequency(Single Value);
  Single CutoffFrequency() const { return FCutoffFrequency; }
  void SetCutoffFrequency(Single Value);

protected:
  TFilterBase(TComponentCore* AOwner, const QString& AVersion);

  /// Whether a frequency setter may take Value: a finite number above 0.
  static bool AcceptsFrequency(Single Value) { return Value > 0 && std::isfinite(Value); }

  /// Hands the runs of finite samples in Data[0 .. Count-1] to Run(Data,
  /// Count) one after the other. A sample that is not a finite number stays
  /// as it is and never enters the filter's state, so that one NaN or
  /// infinity in the input does not make every later output NaN; the filter
  /// goes on from the sample before it.
  template <class TRun>
  static void ForEachFiniteRun(Single* Data, Integer Count, TRun Run) {
    if (!Data || Count < 1) return;
    if (AllFinite(Data, Count)) {
      Run(Data, Count);
      return;
    }
    for (Integer I = 0; I < Count;) {
      while (I < Count && !std::isfinite(Data[I])) ++I;
      Integer J = I;
      while (J < Count && std::isfinite(Data[J])) ++J;
      if (J > I) Run(Data + I, J - I);
      I = J;
    }
  }

  /// Whether no sample of Data[0 .. Count-1] is a NaN or an infinity (all
  /// exponent bits set), as one pass the compiler can vectorise.
  static bool AllFinite(const Single* Data, Integer Count) {
    std::uint32_t Special = 0;
    for (Integer I = 0; I < Count; ++I) {
      std::uint32_t Bits;
      std::memcpy(&Bits, Data + I, sizeof Bits);
      Special |= (Bits & 0x7F800000u) == 0x7F800000u;
    }
    return Special == 0;
  }

  /// A streamed "Floats" list holding a number that is not finite is
  /// refused as a stream error, leaving the filter as it was.
  static void CheckStreamedFloats(std::initializer_list<Single> Values);
  /// Called after a setter has stored a new frequency. Not called by the
  /// constructor: each filter designs itself once when it is built.
  virtual void FrequencyChanged() {}

  /// The streamed "Floats" lists store these two directly, without the
  /// setters' checks.
  Single FSampleFrequency = 1.0f;
  Single FCutoffFrequency = 0.5f;

private:
  QString FVersion;
  QString FCopyright;
};

}  ///< namespace quellix::FiltBase
