/// TPanelMeter (unit PMeter): the stand-alone panel meter, without a
/// measure-source link. It has exactly the properties, defaults and
/// behaviour of TPanelMeterInt and takes them from there; it exists so that
/// a form can hold a panel meter that is not a measure sink, under the
/// class name "TPanelMeter". \file
#pragma once

#include "quellix/instruments/PanelMeter.h"

namespace quellix::PMeter {

using PMeterInt::pmrNegative;
using PMeterInt::pmrOnlyPositive;
using PMeterInt::TPanelMeterSign;
using PMeterInt::TRangeCheck;

class TPanelMeter : public PMeterInt::TPanelMeterInt {
  Q_OBJECT
public:
  explicit TPanelMeter(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
};

}  ///< namespace quellix::PMeter
