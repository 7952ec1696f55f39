/// RC high-pass: the complement of the RC low-pass, on blocks of Single samples. \file
#pragma once

#include "quellix/filters/RCFilter.h"

namespace quellix::Rchigh {

/// First-order RC high-pass, (1 - z^-1)/(1 - a*z^-1). Shares its recursion
/// y[k] = a*y[k-1] + x[k] with TRCLowpass; the output is x[k] - b*y[k-1], so
/// the two outputs of equal state add up to the input.
class TRCHighpass : public RCBase::TRCFilter {
  Q_OBJECT

public:
  explicit TRCHighpass(TComponentCore* AOwner = nullptr);

  /// Filters Data[0 .. Count-1] in place, continuing from the current state.
  void Filter(Single* Data, Integer Count);
};

}  ///< namespace quellix::Rchigh
