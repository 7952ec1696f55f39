#include "WidgetList.h"

#include "quellix/histograph/ColorGrid.h"
#include "quellix/histograph/HistographSink.h"
#include "quellix/instruments/Dial.h"
#include "quellix/instruments/RotateLabel.h"
#include "quellix/instruments/SingleValueSinks.h"
#include "quellix/instruments/Slider.h"
#include "quellix/instruments/StandalonePanelMeter.h"
#include "quellix/stripchart/StripChartSink.h"

namespace quellix::designer {

namespace {

template <class T>
TWidgetEntry Entry(const char* Header, const char* Group, const char* ToolTip) {
  return {QString::fromLatin1(T::staticMetaObject.className()), QString::fromLatin1(Header),
          QString::fromLatin1(Group), QString::fromUtf8(ToolTip),
          [](QWidget* Parent) -> QWidget* {
            auto* W = new T(nullptr, Parent);
            W->SetDesigning(true);
            return W;
          }};
}

constexpr const char* Instruments = "Quellix Instruments";
constexpr const char* Charts = "Quellix Charts";

}  // namespace

const std::vector<TWidgetEntry>& Widgets() {
  static const std::vector<TWidgetEntry> L = {
      Entry<MLSingleSinks::TMeter>("quellix/instruments/SingleValueSinks.h", Instruments,
                                   "Analog meter with needle or wedge, fed by a measure source"),
      Entry<meterInt::TMeterInt>("quellix/instruments/Meter.h", Instruments, "Analog meter with needle or wedge"),
      Entry<dial::TDial>("quellix/instruments/Dial.h", Instruments, "Potentiometer knob"),
      Entry<Slider::TSlider>("quellix/instruments/Slider.h", Instruments, "Slider with scale and value ranges"),
      Entry<MLSingleSinks::TBarGraph>("quellix/instruments/SingleValueSinks.h", Instruments,
                                      "Bar graph, fed by a measure source"),
      Entry<bargraphint::TBarGraphInt>("quellix/instruments/BarGraph.h", Instruments, "Bar graph with scale"),
      Entry<PMeter::TPanelMeter>("quellix/instruments/StandalonePanelMeter.h", Instruments, "LCD panel meter"),
      Entry<MLSingleSinks::TPanelMeter>("quellix/instruments/SingleValueSinks.h", Instruments,
                                        "LCD panel meter, fed by a measure source"),
      Entry<PMeterInt::TPanelMeterInt>("quellix/instruments/PanelMeter.h", Instruments, "LCD panel meter"),
      Entry<MLSingleSinks::TLed>("quellix/instruments/SingleValueSinks.h", Instruments,
                                 "LED lamp, fed by a measure source"),
      Entry<LedInt::TLedInt>("quellix/instruments/Led.h", Instruments, "LED lamp"),
      Entry<RLabel::TRotateLabel>("quellix/instruments/RotateLabel.h", Instruments, "Label drawn at an angle"),
      Entry<StrpChrt::TStripChart>("quellix/stripchart/StripChartSink.h", Charts,
                                   "Eight-channel strip-chart recorder, fed by a measure source"),
      Entry<StrpChrtInt::TStripChartInt>("quellix/stripchart/StripChartEngine.h", Charts,
                                         "Eight-channel strip-chart recorder"),
      Entry<Histo::THistograph>("quellix/histograph/HistographSink.h", Charts,
                                "Yt/XY plot with reference curves, fed by a measure source"),
      Entry<HistoInt::THistographInt>("quellix/histograph/HistographEngine.h", Charts,
                                      "Yt/XY plot with reference curves"),
      Entry<Colorhis::TColorGridHisto>("quellix/histograph/ColorGrid.h", Charts, "Colour grid"),
  };
  return L;
}

}  // namespace quellix::designer
