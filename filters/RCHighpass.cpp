#include "quellix/filters/RCHighpass.h"

namespace quellix::Rchigh {

TRCHighpass::TRCHighpass(TComponentCore* AOwner) : TRCFilter(AOwner) {}

// out = x - b*y (Single); y = y - b*y + x, i.e. y = a*y + x.
void TRCHighpass::Filter(Single* Data, Integer Count) {
  Run(Data, Count, [](Double B, Single& Y, Single Input) {
    const Double X = Input;
    const Double BY = B * Y;
    Y = static_cast<Single>(static_cast<Double>(Y) - BY + X);
    return static_cast<Single>(X - BY);
  });
}

}  // namespace quellix::Rchigh
