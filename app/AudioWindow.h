// The audio window: the audio input source feeds a histograph and a data
// event. "&Play" records from input device 0 (22050 samples per second,
// stereo), "&Stop" ends the recording, and every block is drawn as it
// arrives.
//
// Device 0 is the first sound-card input; without a sound card it is the
// built-in 440 Hz test-signal generator, so the window always shows a live
// curve. The window plays no audio CD: the original started one so that
// there was something to record, and the test signal takes that part here.
#pragma once

#include <QLabel>
#include <QPushButton>

#include "quellix/app/DemoWindow.h"
#include "quellix/histograph/HistographSink.h"
#include "quellix/measure/AudioIn.h"
#include "quellix/measure/DataEvent.h"

namespace quellix::AudioIn_Unit {

using MeasIntf::TDescArraySingle;

class TAudio_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  explicit TAudio_Demo(TComponentCore* AOwner = nullptr);
  // Ends a recording and lets the source go before the sinks and this
  // window's handlers.
  ~TAudio_Demo() override;

  // Components, in the order they are attached to the source.
  Histo::THistograph* Histograph1;
  dataevent::TDataEvent* DataEvent1;
  audioin::TAudioIn* AudioIn1;
  QPushButton* Play;
  QPushButton* Stop;
  // Names the input that "&Play" records from.
  QLabel* SourceLabel;
  // The last failure of the recording, in red; empty while all is well.
  QLabel* ErrorLabel;

  // Event handlers.
  void PlayClick();
  void StopClick();
  // The close button: what "&Stop" does, once the window was started.
  void BitBtn1Click();
  void DataEvent1Data(TObject* Sender, TDescArraySingle& Data);
  // A failure of the live recording: shown beside the buttons, without a
  // modal box that would hold up the recording; a recording that ended
  // (its device went away) lets "&Play" start again.
  void AudioIn1Error(TObject* Sender, const QString& Message);

  // True from the first press of "&Play" on.
  bool Started() const { return FStarted; }
  // The name of the input "&Play" records from: that of device 0.
  static QString InputName();

private:
  // Shows a failure of the audio source the way the program shows any
  // error that reaches an event handler.
  static void ShowError(const Exception& E);

  bool FStarted = false;
  // True while DataEvent1Data processes messages (see there).
  bool FProcessingMessages = false;
};

}  // namespace quellix::AudioIn_Unit
