/// What the RC low-pass and high-pass share: their coefficients, their
/// state, the recursion both run and the streamed "Floats" list. \file
#pragma once

#include <cmath>

#include "quellix/filters/FilterBase.h"

namespace quellix::RCBase {

/// First-order RC filter on blocks of Single samples. Both outputs come from
/// one recursion y[k] = a*y[k-1] + x[k], with a = exp(-2*pi*Fc/Fs) and
/// b = 1 - a; the low-pass and high-pass differ only in the sample they
/// give out, which each passes to Run as its output step.
class TRCFilter : public FiltBase::TFilterBase {
  Q_OBJECT

public:
  /// Clears the filter's memory.
  void Reset() { FState = 0; }

  void DefineProperties(TFiler& Filer) override;

protected:
  explicit TRCFilter(TComponentCore* AOwner);

  void FrequencyChanged() override { ComputeCoefficients(); }

  /// Runs Data[0 .. Count-1] in place through Step, continuing from the
  /// current state: Data[i] = Step(b, y, Data[i]), where Step updates y.
  /// Samples that are not finite numbers are passed over.
  template <class TStep>
  void Run(Single* Data, Integer Count, TStep Step) {
    if (!Data || Count < 1) return;
    const Double B = FB;
    Single Y = FState;
    for (Integer I = 0; I < Count; ++I)
      if (std::isfinite(Data[I])) Data[I] = Step(B, Y, Data[I]);
    FState = Y;
  }

private:
  void ComputeCoefficients();

  Single FState = 0;
  Single FB = 0;  // 1 - a
  Single FA = 0;  // exp(-2*pi*Fc/Fs)
};

}  ///< namespace quellix::RCBase
