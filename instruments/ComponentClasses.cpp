#include "quellix/instruments/ComponentClasses.h"

#include "quellix/instruments/BarGraph.h"
#include "quellix/instruments/Dial.h"
#include "quellix/instruments/Led.h"
#include "quellix/instruments/Meter.h"
#include "quellix/instruments/PanelMeter.h"
#include "quellix/instruments/RotateLabel.h"
#include "quellix/instruments/SingleValueSinks.h"
#include "quellix/instruments/Slider.h"
#include "quellix/instruments/StandalonePanelMeter.h"
#include "quellix/host/Streaming.h"

namespace quellix {

void RegisterInstrumentClasses() {
  RegisterClass<bargraphint::TBarGraphInt>();
  RegisterClass<dial::TDial>();
  RegisterClass<LedInt::TLedInt>();
  RegisterClass<meterInt::TMeterInt>();
  RegisterClass<PMeterInt::TPanelMeterInt>();
  RegisterClass<RLabel::TRotateLabel>();
  RegisterClass<Slider::TSlider>();
  // The stand-alone panel meter keeps the bare name that forms have always
  // carried; the panel meter sink is written as TPanelMeterSink.
  RegisterClass<PMeter::TPanelMeter>();
  MLSingleSinks::RegisterClasses();
}

}  // namespace quellix
