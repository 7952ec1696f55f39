/// State-variable filter: two integrators in a loop giving low-pass,
/// band-pass, high-pass and notch outputs at once; one is selected. \file
#pragma once

#include <QString>

#include "quellix/filters/FilterBase.h"

namespace quellix::SVFilt {
Q_NAMESPACE

enum TFilterOutput { foLowPass, foBandPass, foHighPass, foNotch };
Q_ENUM_NS(TFilterOutput)

/// Tuned by f = 2*sin(pi*Fc/Fs) and damping d = 1/Q. The two integrator
/// states survive between calls and property changes; Reset clears them.
class TStateVariableFilter : public FiltBase::TFilterBase {
  Q_OBJECT
  Q_PROPERTY(float Q READ Q WRITE SetQ NOTIFY QChanged)
  Q_PROPERTY(quellix::SVFilt::TFilterOutput FilterOutput READ FilterOutput WRITE SetFilterOutput NOTIFY FilterOutputChanged)
  Q_CLASSINFO("default:FilterOutput", "foLowPass")

Q_SIGNALS:
  // Property change signals.
  void QChanged(float Value);
  void FilterOutputChanged(quellix::SVFilt::TFilterOutput Value);

public:
  explicit TStateVariableFilter(TComponentCore* AOwner = nullptr);

  /// Quality factor; values of 0.4 and below are refused.
  Single Q() const { return FQ; }
  void SetQ(Single Value);
  TFilterOutput FilterOutput() const { return FFilterOutput; }
  void SetFilterOutput(TFilterOutput Value);

  /// Clears both integrators.
  void Reset() {
    FBand = 0;
    FLow = 0;
  }
  /// Filters Data[0 .. Count-1] in place.
  void Filter(Single* Data, Integer Count);

  void DefineProperties(TFiler& Filer) override;

private:
  void FrequencyChanged() override { ComputeTuning(); }
  void ComputeTuning();
  // The recursion over Data with the selected output.
  template <bool SkipNonFinite>
  void RunOutput(Single* Data, Integer Count, Double F, Double D);

  Single FQ = 1.0f;
  TFilterOutput FFilterOutput = foLowPass;
  Single FDamping = 1.0f;  // d = 1/Q
  Single FTuning = 0;      // f = 2*sin(pi*Fc/Fs)
  Single FBand = 0;        // B, output of the first integrator
  Single FLow = 0;         // L, output of the second integrator
};

}  ///< namespace quellix::SVFilt
