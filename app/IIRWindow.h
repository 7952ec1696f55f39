// The IIR window: a fourth-order Butterworth low-pass turns the square
// wave into its fundamental with a little ringing once the signal's
// frequency comes near the cutoff frequency.
#pragma once

#include "quellix/app/FilterWindow.h"
#include "quellix/filters/IIRFilter.h"

namespace quellix::IIR_Unit {

class TIIR_Demo : public app::TFilterDemo {
  Q_OBJECT
public:
  explicit TIIR_Demo(TComponentCore* AOwner = nullptr);

  IIRFilt::TIIRFilter* IIRFilter1;

protected:
  void RunFilter(Single* Data, Integer Count) override;
};

}  // namespace quellix::IIR_Unit
