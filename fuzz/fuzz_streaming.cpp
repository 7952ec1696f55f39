// Form streaming text: a form that already owns a strip chart, an FIR
// filter and a meter reads the text, which may also create components of
// the registered classes.
#include "FuzzApplication.h"
#include "quellix/filters/FIRFilter.h"
#include "quellix/host/Controls.h"
#include "quellix/host/Streaming.h"
#include "quellix/instruments/SingleValueSinks.h"
#include "quellix/stripchart/StripChartEngine.h"

using namespace quellix;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::StartApplication(argc, argv);
  MLSingleSinks::RegisterClasses();
  RegisterClass<Firfilt::TFIRFilter>();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static TForm* Form = [] {
    auto* F = new TForm;
    F->SetName(QStringLiteral("Form1"));
    auto* Chart = new StrpChrtInt::TStripChartInt(F, F);
    Chart->SetName(QStringLiteral("Chart"));
    auto* Fir = new Firfilt::TFIRFilter(F);
    Fir->SetName(QStringLiteral("Fir"));
    auto* Meter = new MLSingleSinks::TMeter(F, F);
    Meter->SetName(QStringLiteral("Meter"));
    return F;
  }();
  // The text as UTF-8, as a form file is read.
  const QString Text = QString::fromUtf8(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  try {
    ReadComponentText(Form, Text);
    WriteComponentText(Form);
  } catch (const Exception&) {
  }
  // Components the text created are removed again so that the form does
  // not grow from one input to the next.
  for (int i = Form->ComponentCount() - 1; i >= 3; --i) delete Form->Components(i);
  return 0;
}
