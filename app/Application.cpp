#include "quellix/app/Application.h"

#include "quellix/app/AudioWindow.h"
#include "quellix/app/BarGraphWindow.h"
#include "quellix/app/SerialLineWindow.h"
#include "quellix/app/DemoWindow.h"
#include "quellix/app/DialWindow.h"
#include "quellix/app/FIRWindow.h"
#include "quellix/app/DataLoggerWindow.h"
#include "quellix/app/FlipFlopWindow.h"
#include "quellix/app/DistributorsWindow.h"
#include "quellix/app/HistographXYWindow.h"
#include "quellix/app/HistographYtWindow.h"
#include "quellix/app/IIRWindow.h"
#include "quellix/app/LedWindow.h"
#include "quellix/app/MeasureLibraryWindow.h"
#include "quellix/app/MeterWindow.h"
#include "quellix/app/PanelMeterWindow.h"
#include "quellix/app/ProWindow.h"
#include "quellix/app/RCHighpassWindow.h"
#include "quellix/app/RCLowpassWindow.h"
#include "quellix/app/StateVariableWindow.h"
#include "quellix/app/SliderWindow.h"
#include "quellix/app/StripChartWindow.h"
#include "quellix/analysis/AutocorrelationDialog.h"
#include "quellix/analysis/CrossPowerDialog.h"
#include "quellix/analysis/CrossCorrelationDialog.h"
#include "quellix/analysis/FFTDialog.h"
#include "quellix/analysis/PowerSpectrumDialog.h"

namespace quellix::app {

const std::vector<TWindowSpec>& WindowSpecs() {
  static const std::vector<TWindowSpec> Windows = {
      {"TAutokorrDialog", "Autokorrelation", [] { return new Uauto::TAutokorrDialog(); }},
      {"TKreuzkorrelationDialog", "Kreuzkorrelation", [] { return new Ucross::TKreuzkorrelationDialog(); }},
      {"TfftDialog", "FFT Demo", [] { return new Ufft::TfftDialog(); }},
      {"TDial_Demo", "TDial Demo", [] { return new Dial_Unit::TDial_Demo(); }},
      {"TBarGraph_Demo", "TBargraph Demo", [] { return new BarGraph_Unit::TBarGraph_Demo(); }},
      {"THisto1_Demo", "THistograph Demo", [] { return new HistoXY_Unit::THisto1_Demo(); }},
      {"TSlider_Demo", "TSlider Demo", [] { return new Slider_Unit::TSlider_Demo(); }},
      {"TPanelMeter_Demo", "TPanelMeter Demo", [] { return new PanelMeter_Unit::TPanelMeter_Demo(); }},
      {"THisto2_Demo", "THistograph Demo", [] { return new HistoYt_Unit::THisto2_Demo(); }},
      {"TLed_Demo", "TLed Demo", [] { return new Led_Unit::TLed_Demo(); }},
      {"TMeter_Demo", "TMeter Demo", [] { return new Meter_Unit::TMeter_Demo(); }},
      {"TStripchart_Demo", "TStripchart Demo", [] { return new Stripchart_Unit::TStripchart_Demo(); }},
      {"TFastlog_Demo", "TFastlog Demo", [] { return new Fastlog_Unit::TFastlog_Demo(); }},
      {"TRCHoch_Demo", "TRCHighpass Demo", [] { return new RCHoch_Unit::TRCHoch_Demo(); }},
      {"TRCTief_Demo", "TRCLowpass Demo", [] { return new RCTief_Unit::TRCTief_Demo(); }},
      {"TSVFilter_Demo", "TStateVariableFilter Demo", [] { return new SVFilter_Unit::TSVFilter_Demo(); }},
      {"TIIR_Demo", "TIIRFilter Demo", [] { return new IIR_Unit::TIIR_Demo(); }},
      {"TPowerSpectrumDialog", "Power Spectrum", [] { return new Upow::TPowerSpectrumDialog(); }},
      {"TCrossPowerDialog", "Cross Power Spectrum", [] { return new Ucropow::TCrossPowerDialog(); }},
      {"TComm2_Demo", "TComm Demo", [] { return new Comm2_Unit::TComm2_Demo(); }},
      {"THersteller_Demo", "Vertrieb und Hersteller", [] { return new Hersteller_Unit::THersteller_Demo(); }},
      {"TPro_Demo", "Quellix Pro", [] { return new Pro_Unit::TPro_Demo(); }},
      {"TFIR_Demo", "TFIRFilter Demo", [] { return new FIR_Unit::TFIR_Demo(); }},
      {"TFlipFlop_Demo", "Beispielprogramm Flip-Flop", [] { return new FlipFlop_Unit::TFlipFlop_Demo(); }},
      {"TAudio_Demo", "Audio Library", [] { return new AudioIn_Unit::TAudio_Demo(); }},
      {"TMeasureSource_Demo", "MeasureSource Library", [] { return new MSLib_Unit::TMeasureSource_Demo(); }},
  };
  return Windows;
}

TDemoApplication::TDemoApplication() = default;

TDemoApplication::~TDemoApplication() {
  // The windows go before the main window that refers to them.
  FFormList.clear();
  while (!FForms.empty()) FForms.pop_back();
}

void TDemoApplication::CreateForms() {
  FMainForm = std::make_unique<Main::TQuellix32>();
  FCreationOrder << QStringLiteral("TQuellix32");
  for (const TWindowSpec& Entry : WindowSpecs()) {
    TForm* W = Entry.Create ? Entry.Create() : new TDemoWindow(Entry.ClassName, Entry.Caption);
    W->hide();
    FForms.emplace_back(W);
    FFormList.push_back(W);
    FCreationOrder << Entry.ClassName;
    FMainForm->SetWindow(Entry.ClassName, W);
  }
}

TForm* TDemoApplication::FormByClass(const QString& ClassName) const {
  return FMainForm ? FMainForm->Window(ClassName) : nullptr;
}

}  // namespace quellix::app
