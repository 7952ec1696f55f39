// The RC low-pass window: a first-order low-pass rounds the edges of the
// square wave off, the more the lower the cutoff frequency.
#pragma once

#include "quellix/app/FilterWindow.h"
#include "quellix/filters/RCLowpass.h"

namespace quellix::RCTief_Unit {

class TRCTief_Demo : public app::TFilterDemo {
  Q_OBJECT
public:
  explicit TRCTief_Demo(TComponentCore* AOwner = nullptr);

  Rclow::TRCLowpass* RCLowpass1;

protected:
  void RunFilter(Single* Data, Integer Count) override;
};

}  // namespace quellix::RCTief_Unit
