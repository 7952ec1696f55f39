/// TFormCalculateBarStrip: the strip chart's value bar ("Anzeige: "): the
/// charts' value bar with "T:" for the time, five significant digits, and
/// the second cross and the differences greyed outside the calculate mode. \file
#pragma once

#include "quellix/charttools/ValueBar.h"

namespace quellix::StrpChrtInt {
class TStripChartInt;
}

namespace quellix::_sEca {

class TFormCalculateBarStrip : public ChartTools::TValueBar {
  Q_OBJECT
public:
  explicit TFormCalculateBarStrip(StrpChrtInt::TStripChartInt* Chart, QWidget* AParent = nullptr);
};

}  ///< namespace quellix::_sEca
