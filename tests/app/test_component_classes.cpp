// Every streamable component class can be created from form text by its
// registered name and is written back under that name; the two panel
// meters stay apart.
#include <gtest/gtest.h>

#include "quellix/analysis/ComponentClasses.h"
#include "quellix/filters/ComponentClasses.h"
#include "quellix/histograph/ComponentClasses.h"
#include "quellix/host/Controls.h"
#include "quellix/host/Streaming.h"
#include "quellix/instruments/ComponentClasses.h"
#include "quellix/instruments/SingleValueSinks.h"
#include "quellix/instruments/StandalonePanelMeter.h"
#include "quellix/measure/ComponentClasses.h"
#include "quellix/stripchart/ComponentClasses.h"

using namespace quellix;

namespace {

void RegisterEverything() {
  RegisterMeasureClasses();
  RegisterAnalysisClasses();
  RegisterFilterClasses();
  RegisterInstrumentClasses();
  RegisterStripChartClasses();
  RegisterHistographClasses();
}

struct TClassRow {
  const char* StreamName;  // what a form text names
  const char* QtClass;     // the class that must be created
};

std::ostream& operator<<(std::ostream& Os, const TClassRow& R) { return Os << R.StreamName; }

class ComponentClasses : public ::testing::TestWithParam<TClassRow> {};

TEST_P(ComponentClasses, AreCreatedFromTextAndWrittenBackUnderTheirName) {
  RegisterEverything();
  const TClassRow& Row = GetParam();
  TForm Form;
  Form.SetName(QStringLiteral("Form1"));
  const QString Text = QStringLiteral("object Form1: TForm\n  object Part1: %1\n  end\nend\n").arg(Row.StreamName);
  ReadComponentText(&Form, Text);
  TComponentCore* Part = Form.FindComponent(QStringLiteral("Part1"));
  ASSERT_NE(Part, nullptr);
  EXPECT_STREQ(Part->AsQObject()->metaObject()->className(), Row.QtClass);
  // A control is placed on the form it was read into.
  if (auto* W = qobject_cast<QWidget*>(Part->AsQObject())) EXPECT_EQ(W->parentWidget(), &Form);

  const QString Written = WriteComponentText(&Form);
  EXPECT_TRUE(Written.contains(QStringLiteral("object Part1: %1\n").arg(Row.StreamName))) << Written.toStdString();

  // And the text read into another form makes the same class again.
  TForm Again;
  ReadComponentText(&Again, Written);
  TComponentCore* Copy = Again.FindComponent(QStringLiteral("Part1"));
  ASSERT_NE(Copy, nullptr);
  EXPECT_STREQ(Copy->AsQObject()->metaObject()->className(), Row.QtClass);
}

const TClassRow Rows[] = {
    {"TPaintBox", "quellix::TPaintBox"},
    {"TTimer", "quellix::TTimer"},
    {"TAudioIn", "quellix::audioin::TAudioIn"},
    {"TDataEvent", "quellix::dataevent::TDataEvent"},
    {"TFFT", "quellix::FFT::TFFT"},
    {"TRCLowpass", "quellix::Rclow::TRCLowpass"},
    {"TRCHighpass", "quellix::Rchigh::TRCHighpass"},
    {"TIIRFilter", "quellix::IIRFilt::TIIRFilter"},
    {"TStateVariableFilter", "quellix::SVFilt::TStateVariableFilter"},
    {"TFIRFilter", "quellix::Firfilt::TFIRFilter"},
    {"TMeterInt", "quellix::meterInt::TMeterInt"},
    {"TDial", "quellix::dial::TDial"},
    {"TSlider", "quellix::Slider::TSlider"},
    {"TPanelMeterInt", "quellix::PMeterInt::TPanelMeterInt"},
    {"TBarGraphInt", "quellix::bargraphint::TBarGraphInt"},
    {"TLedInt", "quellix::LedInt::TLedInt"},
    {"TRotateLabel", "quellix::RLabel::TRotateLabel"},
    {"TPanelMeter", "quellix::PMeter::TPanelMeter"},
    {"TPanelMeterSink", "quellix::MLSingleSinks::TPanelMeter"},
    {"TLed", "quellix::MLSingleSinks::TLed"},
    {"TMeter", "quellix::MLSingleSinks::TMeter"},
    {"TBarGraph", "quellix::MLSingleSinks::TBarGraph"},
    {"TStripChartInt", "quellix::StrpChrtInt::TStripChartInt"},
    {"TStripChart", "quellix::StrpChrt::TStripChart"},
    {"THistographInt", "quellix::HistoInt::THistographInt"},
    {"THistograph", "quellix::Histo::THistograph"},
    {"TColorGridHisto", "quellix::Colorhis::TColorGridHisto"},
};

INSTANTIATE_TEST_SUITE_P(Registered, ComponentClasses, ::testing::ValuesIn(Rows),
                         [](const ::testing::TestParamInfo<TClassRow>& I) { return std::string(I.param.StreamName); });

TEST(ComponentClassNames, BothPanelMetersKeepTheirClassAndAStoredFormStillLoads) {
  RegisterEverything();
  TForm Form;
  Form.SetName(QStringLiteral("Form1"));
  auto* Alone = new PMeter::TPanelMeter(&Form, &Form);
  Alone->SetName(QStringLiteral("Alone"));
  auto* Sink = new MLSingleSinks::TPanelMeter(&Form, &Form);
  Sink->SetName(QStringLiteral("Sink"));
  const QString Text = WriteComponentText(&Form);
  EXPECT_TRUE(Text.contains(QStringLiteral("object Alone: TPanelMeter\n"))) << Text.toStdString();
  EXPECT_TRUE(Text.contains(QStringLiteral("object Sink: TPanelMeterSink\n"))) << Text.toStdString();

  // A form text written before the sink had a name of its own names both
  // "TPanelMeter": a form that already holds its sink still reads it, by
  // the component's name.
  TForm Old;
  Old.SetName(QStringLiteral("Form1"));
  auto* OldSink = new MLSingleSinks::TPanelMeter(&Old, &Old);
  OldSink->SetName(QStringLiteral("Sink"));
  QString OldText = Text;
  OldText.replace(QStringLiteral("TPanelMeterSink"), QStringLiteral("TPanelMeter"));
  ReadComponentText(&Old, OldText);
  EXPECT_EQ(Old.FindComponent(QStringLiteral("Sink")), OldSink);
  EXPECT_NE(dynamic_cast<PMeter::TPanelMeter*>(Old.FindComponent(QStringLiteral("Alone"))), nullptr);
}

TEST(ComponentClassNames, AnUnknownClassIsAnErrorNamingIt) {
  TForm Form;
  Form.SetName(QStringLiteral("Form1"));
  try {
    ReadComponentText(&Form, QStringLiteral("object Form1: TForm\n  object X: TNoSuchThing\n  end\nend\n"));
    FAIL() << "no error";
  } catch (const EStreamError& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Klasse TNoSuchThing nicht gefunden"));
  }
}

}  // namespace
