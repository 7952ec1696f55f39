// The FIR window: the sweeping square wave (512 samples per second) and its
// filtered copy in Histograph1; the filter's 128 coefficients, its impulse
// response, as the lower reference curve of Histograph2, where the user
// shapes them with the mouse. Releasing the mouse over Histograph2 marks
// the curve as changed; the next tick reads it back into the filter.
// "Reset" sets every coefficient to 0 again.
#pragma once

#include <QPushButton>
#include <array>
#include <vector>

#include "quellix/app/DemoWindow.h"
#include "quellix/app/FilterWindow.h"
#include "quellix/filters/FIRFilter.h"
#include "quellix/histograph/HistographSink.h"

namespace quellix::FIR_Unit {

class TFIR_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  static constexpr Integer kSampleCount = 512;
  static constexpr Single kSampleFrequency = 512.0f;
  static constexpr Integer kCoefficientCount = 128;

  explicit TFIR_Demo(TComponentCore* AOwner = nullptr);

  Histo::THistograph* Histograph1;  // series 1 the signal, series 2 the filtered copy
  Histo::THistograph* Histograph2;  // series 1 the coefficients (lower reference curve)
  QPushButton* Reset;
  Firfilt::TFIRFilter* FIRFilter1;

  app::TFrequencySweep Sweep;
  // Set when the coefficient curve may have been edited.
  bool CurveChanged = false;

  // One tick of Histograph1's timer: takes over an edited coefficient
  // curve, then filters a new square wave from a cleared history.
  void Histograph1Timer(TObject* Sender);
  // The mouse was released over Histograph2.
  void Histograph2MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  // All coefficients 0, in the curve and in the filter.
  void ResetClick();

  const std::vector<Single>& Signal() const { return FSignal; }
  const std::vector<Single>& Filtered() const { return FFiltered; }

private:
  std::vector<Single> FSignal;
  std::vector<Single> FFiltered;
};

}  // namespace quellix::FIR_Unit
