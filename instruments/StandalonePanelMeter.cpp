#include "quellix/instruments/StandalonePanelMeter.h"

namespace quellix::PMeter {

TPanelMeter::TPanelMeter(TComponentCore* AOwner, QWidget* AParent) : PMeterInt::TPanelMeterInt(AOwner, AParent) {}

}  // namespace quellix::PMeter
