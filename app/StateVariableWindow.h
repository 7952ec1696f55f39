// The state-variable window: the band-pass output (Q = 2) picks the
// component of the square wave near its centre frequency and rings at
// each edge.
#pragma once

#include "quellix/app/FilterWindow.h"
#include "quellix/filters/StateVariableFilter.h"

namespace quellix::SVFilter_Unit {

class TSVFilter_Demo : public app::TFilterDemo {
  Q_OBJECT
public:
  explicit TSVFilter_Demo(TComponentCore* AOwner = nullptr);

  SVFilt::TStateVariableFilter* StateVariableFilter1;

protected:
  void RunFilter(Single* Data, Integer Count) override;
};

}  // namespace quellix::SVFilter_Unit
