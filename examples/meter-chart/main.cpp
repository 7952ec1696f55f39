// meter-chart: a meter, a slider that drives it, and a strip chart that
// records the sound card's input (or, without a sound card, the built-in
// test signal, a 440 Hz sine).
//
//   meter-chart                  opens the window
//   meter-chart --snapshot FILE  records for a second, saves the window as
//                                a PNG picture and ends (no display needed
//                                with QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>

#include <quellix/instruments/Meter.h>
#include <quellix/instruments/Slider.h>
#include <quellix/measure/AudioIn.h>
#include <quellix/stripchart/StripChartSink.h>

using namespace quellix;

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  const QStringList Args = App.arguments();
  const int SnapshotArg = Args.indexOf("--snapshot");
  const QString Snapshot = SnapshotArg > 0 ? Args.value(SnapshotArg + 1) : QString();

  QWidget Window;
  Window.setWindowTitle("Quellix: meter and strip chart");
  auto* Layout = new QVBoxLayout(&Window);
  auto* Row = new QHBoxLayout;
  Layout->addLayout(Row);

  // The meter shows 0 .. 100; the slider beside it sets its value.
  auto* Meter = new meterInt::TMeterInt(nullptr, &Window);
  Meter->SetValueMin(0);
  Meter->SetValueMax(100);
  Meter->setMinimumSize(240, 180);
  Row->addWidget(Meter, 1);

  auto* Slider = new Slider::TSlider(nullptr, &Window);
  Slider->SetValueMin(0);
  Slider->SetValueMax(100);
  Slider->SetValueStepWidth(1);
  Slider->setMinimumSize(60, 180);
  Slider->OnValueChange = [Meter, Slider](TObject*) { Meter->SetValue(Slider->Value()); };
  Row->addWidget(Slider);
  Slider->SetValue(40);

  // The strip chart takes its time base, value range and number of series
  // from the source it is connected to.
  auto* Chart = new StrpChrt::TStripChart(nullptr, &Window);
  Chart->SetTitleTop("Audio input");
  Chart->setMinimumSize(420, 240);
  Layout->addWidget(Chart, 1);

  auto* Input = new QLabel(&Window);
  Layout->addWidget(Input);

  // Device 0 is the first sound card, or the test signal when there is none.
  // Declared after the window, so it stops before the chart goes.
  audioin::TAudioIn Audio;
  try {
    const QString Device = audioin::TAudioIn::DeviceNames().value(0);
    Audio.SetDevice(Device);
    Audio.SetClockFrequency(audioin::taf_11025);
    Chart->SetMeasureSource(&Audio);
    Audio.Start();
    Input->setText("Recording: " + Device);
  } catch (const Exception& E) {
    Input->setText("No recording: " + E.Message());
  }

  Window.resize(640, 520);
  Window.show();
  if (Snapshot.isEmpty()) return App.exec();

  QTimer::singleShot(1000, [&] {
    const bool Saved = Window.grab().save(Snapshot);
    std::printf("%s %s\n", Saved ? "saved" : "could not save", qPrintable(Snapshot));
    App.exit(Saved ? 0 : 1);
  });
  return App.exec();
}
