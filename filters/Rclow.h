// RC low-pass: a one-pole recursive low-pass on blocks of Single samples.
#pragma once

#include <QString>

#include "host/Classes.h"

namespace quellix::Rclow {

// First-order RC low-pass. Shares its recursion y[k] = a*y[k-1] + x[k]
// with TRCHighpass; the output is b*y[k-1], so the answer comes one
// sample late and the gain at frequency 0 is 1.
class TRCLowpass : public TComponent {
  Q_OBJECT
  Q_PROPERTY(QString Version READ Version WRITE SetVersion)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
  Q_PROPERTY(float SampleFrequency READ SampleFrequency WRITE SetSampleFrequency)
  Q_PROPERTY(float CutoffFrequency READ CutoffFrequency WRITE SetCutoffFrequency)

public:
  explicit TRCLowpass(TComponentCore* AOwner = nullptr);

  QString Version() const { return FVersion; }
  void SetVersion(const QString&) {}
  QString Copyright() const { return FCopyright; }
  void SetCopyright(const QString&) {}

  Single SampleFrequency() const { return FSampleFrequency; }
  void SetSampleFrequency(Single Value);
  Single CutoffFrequency() const { return FCutoffFrequency; }
  void SetCutoffFrequency(Single Value);

  // Clears the filter's memory.
  void Reset() { FState = 0; }
  // Filters Data[0 .. Count-1] in place, continuing from the current state.
  void Filter(Single* Data, Integer Count);

  void DefineProperties(TFiler& Filer) override;

private:
  void ComputeCoefficients();

  QString FVersion;
  QString FCopyright;
  Single FSampleFrequency = 1.0f;
  Single FCutoffFrequency = 0.5f;
  Single FState = 0;
  Single FB = 0;  // 1 - a
  Single FA = 0;  // exp(-2*pi*Fc/Fs)
};

}  // namespace quellix::Rclow
