/// RC low-pass: a one-pole recursive low-pass on blocks of Single samples. \file
#pragma once

#include "quellix/filters/RCFilter.h"

namespace quellix::Rclow {

/// First-order RC low-pass. Shares its recursion y[k] = a*y[k-1] + x[k]
/// with TRCHighpass; the output is b*y[k-1], so the answer comes one
/// sample late and the gain at frequency 0 is 1.
class TRCLowpass : public RCBase::TRCFilter {
  Q_OBJECT

public:
  explicit TRCLowpass(TComponentCore* AOwner = nullptr);

  /// Filters Data[0 .. Count-1] in place, continuing from the current state.
  void Filter(Single* Data, Integer Count);
};

}  ///< namespace quellix::Rclow
