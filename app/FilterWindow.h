// What the filter windows share: a square-wave test signal whose frequency
// sweeps from 2 to 25 cycles per second and back, and the window of the
// RC high-pass, RC low-pass, IIR and state-variable filters, which shows one
// second of that signal and its filtered copy in a histograph and sets the
// filter's cutoff frequency with the slider "Eckfrequenz".
//
// Each of those four windows derives from TFilterDemo, creates its filter,
// hands it over with AttachFilter and says in RunFilter how one block is
// filtered. The FIR window has a layout of its own and uses only the test
// signal.
#pragma once

#include <QLabel>
#include <vector>

#include "quellix/app/DemoWindow.h"
#include "quellix/filters/FilterBase.h"
#include "quellix/histograph/HistographSink.h"
#include "quellix/instruments/Slider.h"

namespace quellix::app {

// Amplitude of the test square wave.
constexpr Single kSquareLevel = 1.2f;

// Count samples of a square wave of F cycles per second sampled every Step
// seconds: it starts at +1.2 and changes sign once t has passed the next
// edge (edges every half period, 0.5/F).
void MakeSquareWave(Single* Out, Integer Count, Double Step, Double F);

// Sets up the graph that shows the square wave and its filtered copy.
void SetUpSquareWaveGraph(Histo::THistograph* H);

// The frequency of the test signal: starts at 2, moves by DF per tick and
// turns round once it has passed 25 or fallen below 2.
struct TFrequencySweep {
  static constexpr Double Low = 2.0;
  static constexpr Double High = 25.0;
  Double F = 2.0;
  Double DF = 0.1;
  // Turns at the ends, then takes one step.
  void Advance();
};

class TFilterDemo : public TDemoWindow {
  Q_OBJECT
public:
  // One second of signal at 1000 samples per second.
  static constexpr Integer kSampleCount = 1000;
  static constexpr Single kSampleFrequency = 1000.0f;

  Histo::THistograph* Histograph1;  // series 1 the signal, series 2 the filtered copy
  Slider::TSlider* Eckfrequenz;
  QLabel* EckfrequenzText;           // the cutoff frequency as a number

  // The frequency of the next square wave.
  TFrequencySweep Sweep;

  // One tick of the histograph's timer: a new square wave, filtered from a
  // cleared filter state, both shown, the sweep moved on.
  void Histograph1Timer(TObject* Sender);
  // The slider moved: the filter follows.
  void EckfrequenzChange(TObject* Sender);

  // The curves as last computed (shown by the histograph, which keeps no copy).
  const std::vector<Single>& Signal() const { return FSignal; }
  const std::vector<Single>& Filtered() const { return FFiltered; }

protected:
  // FilterName is the component's class name, shown as the title.
  TFilterDemo(const QString& ClassName, const QString& Caption, const QString& FilterName,
              const QString& Explanation, TComponentCore* AOwner);

  // Called by the derived constructor once its filter exists: the slider
  // gets its range and initial value, the filter 1000 Hz sample frequency
  // and the slider's value as cutoff frequency.
  void AttachFilter(FiltBase::TFilterBase* Filter, Double CutoffMin, Double CutoffMax, Double CutoffInitial);

  // Clears the filter's state and filters Count samples in place.
  virtual void RunFilter(Single* Data, Integer Count) = 0;

private:
  void ShowCutoff();

  FiltBase::TFilterBase* FFilter = nullptr;
  std::vector<Single> FSignal;
  std::vector<Single> FFiltered;
};

}  // namespace quellix::app
