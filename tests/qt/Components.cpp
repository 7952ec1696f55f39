#include "qt/Components.h"

#include "quellix/analysis/FFT.h"
#include "quellix/filters/FIRFilter.h"
#include "quellix/filters/IIRFilter.h"
#include "quellix/filters/RCHighpass.h"
#include "quellix/filters/RCLowpass.h"
#include "quellix/filters/StateVariableFilter.h"
#include "quellix/histograph/ColorGrid.h"
#include "quellix/histograph/HistographSink.h"
#include "quellix/instruments/Dial.h"
#include "quellix/instruments/RotateLabel.h"
#include "quellix/instruments/SingleValueSinks.h"
#include "quellix/instruments/Slider.h"
#include "quellix/instruments/StandalonePanelMeter.h"
#include "quellix/measure/AudioIn.h"
#include "quellix/measure/DataEvent.h"
#include "quellix/stripchart/StripChartSink.h"

namespace quellix::test {

template <class T>
TComponentMaker Maker(const char* Name, bool Visual) {
  return {QString::fromLatin1(Name), Visual, [] { return static_cast<TComponentCore*>(new T()); }};
}

const std::vector<TComponentMaker>& AllComponents() {
  static const std::vector<TComponentMaker> L = {
      Maker<meterInt::TMeterInt>("TMeterInt", true),
      Maker<MLSingleSinks::TMeter>("TMeter", true),
      Maker<dial::TDial>("TDial", true),
      Maker<Slider::TSlider>("TSlider", true),
      Maker<bargraphint::TBarGraphInt>("TBarGraphInt", true),
      Maker<MLSingleSinks::TBarGraph>("TBarGraph", true),
      Maker<PMeterInt::TPanelMeterInt>("TPanelMeterInt", true),
      Maker<MLSingleSinks::TPanelMeter>("TPanelMeter (sink)", true),
      Maker<PMeter::TPanelMeter>("TPanelMeter", true),
      Maker<LedInt::TLedInt>("TLedInt", true),
      Maker<MLSingleSinks::TLed>("TLed", true),
      Maker<RLabel::TRotateLabel>("TRotateLabel", true),
      Maker<StrpChrtInt::TStripChartInt>("TStripChartInt", true),
      Maker<StrpChrt::TStripChart>("TStripChart", true),
      Maker<HistoInt::THistographInt>("THistographInt", true),
      Maker<Histo::THistograph>("THistograph", true),
      Maker<Colorhis::TColorGridHisto>("TColorGridHisto", true),
      Maker<audioin::TAudioIn>("TAudioIn", false),
      Maker<dataevent::TDataEvent>("TDataEvent", false),
      Maker<Rclow::TRCLowpass>("TRCLowpass", false),
      Maker<Rchigh::TRCHighpass>("TRCHighpass", false),
      Maker<IIRFilt::TIIRFilter>("TIIRFilter", false),
      Maker<SVFilt::TStateVariableFilter>("TStateVariableFilter", false),
      Maker<Firfilt::TFIRFilter>("TFIRFilter", false),
      Maker<FFT::TFFT>("TFFT", false),
  };
  return L;
}

}  // namespace quellix::test
