// State-variable filter: two integrators in a loop giving low-pass,
// band-pass, high-pass and notch outputs at once; one is selected.
#pragma once

#include <QString>

#include "host/Classes.h"

namespace quellix::SVFilt {
Q_NAMESPACE

enum TFilterOutput { foLowPass, foBandPass, foHighPass, foNotch };
Q_ENUM_NS(TFilterOutput)

// Tuned by f = 2*sin(pi*Fc/Fs) and damping d = 1/Q. The two integrator
// states survive between calls and property changes; Reset clears them.
class TStateVariableFilter : public TComponent {
  Q_OBJECT
  Q_PROPERTY(QString Version READ Version WRITE SetVersion)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
  Q_PROPERTY(float SampleFrequency READ SampleFrequency WRITE SetSampleFrequency)
  Q_PROPERTY(float CutoffFrequency READ CutoffFrequency WRITE SetCutoffFrequency)
  Q_PROPERTY(float Q READ Q WRITE SetQ)
  Q_PROPERTY(quellix::SVFilt::TFilterOutput FilterOutput READ FilterOutput WRITE SetFilterOutput)
  Q_CLASSINFO("default:FilterOutput", "foLowPass")

public:
  explicit TStateVariableFilter(TComponentCore* AOwner = nullptr);

  QString Version() const { return FVersion; }
  void SetVersion(const QString&) {}
  QString Copyright() const { return FCopyright; }
  void SetCopyright(const QString&) {}

  Single SampleFrequency() const { return FSampleFrequency; }
  void SetSampleFrequency(Single Value);
  Single CutoffFrequency() const { return FCutoffFrequency; }
  void SetCutoffFrequency(Single Value);
  // Quality factor; values of 0.4 and below are refused.
  Single Q() const { return FQ; }
  void SetQ(Single Value);
  TFilterOutput FilterOutput() const { return FFilterOutput; }
  void SetFilterOutput(TFilterOutput Value);

  // Clears both integrators.
  void Reset() {
    FBand = 0;
    FLow = 0;
  }
  // Filters Data[0 .. Count-1] in place.
  void Filter(Single* Data, Integer Count);

  void DefineProperties(TFiler& Filer) override;

private:
  void ComputeTuning();

  QString FVersion;
  QString FCopyright;
  Single FSampleFrequency = 1.0f;
  Single FCutoffFrequency = 0.5f;
  Single FQ = 1.0f;
  TFilterOutput FFilterOutput = foLowPass;
  Single FDamping = 1.0f;  // d = 1/Q
  Single FTuning = 0;      // f = 2*sin(pi*Fc/Fs)
  Single FBand = 0;        // B, output of the first integrator
  Single FLow = 0;         // L, output of the second integrator
};

}  // namespace quellix::SVFilt
