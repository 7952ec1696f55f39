// The RC high-pass window: a first-order high-pass lets the edges of
// the square wave through and lets its flat parts decay towards zero, the
// faster the higher the cutoff frequency.
#pragma once

#include "quellix/app/FilterWindow.h"
#include "quellix/filters/RCHighpass.h"

namespace quellix::RCHoch_Unit {

class TRCHoch_Demo : public app::TFilterDemo {
  Q_OBJECT
public:
  explicit TRCHoch_Demo(TComponentCore* AOwner = nullptr);

  Rchigh::TRCHighpass* RCHighpass1;

protected:
  void RunFilter(Single* Data, Integer Count) override;
};

}  // namespace quellix::RCHoch_Unit
