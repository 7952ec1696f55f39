#include "quellix/filters/RCLowpass.h"

namespace quellix::Rclow {

TRCLowpass::TRCLowpass(TComponentCore* AOwner) : TRCFilter(AOwner) {}

// out = b*y (Single); y = y - out + x, i.e. y = a*y + x.
void TRCLowpass::Filter(Single* Data, Integer Count) {
  Run(Data, Count, [](Double B, Single& Y, Single X) {
    const Single Out = static_cast<Single>(B * Y);
    Y = static_cast<Single>(static_cast<Double>(Y) - Out + X);
    return Out;
  });
}

}  // namespace quellix::Rclow
