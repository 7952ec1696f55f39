// The analog meter window: two meters driven by Timer1 (1 ms). Every tick
// moves the first meter by 1 and the second by 0.6, up until the first
// passes 99, then down until it falls below 1.
#pragma once

#include "quellix/app/DemoWindow.h"
#include "quellix/instruments/SingleValueSinks.h"

namespace quellix::Meter_Unit {

// The measure sink; the window drives it through the engine's Value,
// without a source.
using TMeter = MLSingleSinks::TMeter;

class TMeter_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  explicit TMeter_Demo(TComponentCore* AOwner = nullptr);

  TMeter* Meter1;
  TMeter* Meter2;
  TTimer* Timer1;

  // Event handlers.
  void FormShow(TObject* Sender);
  void FormHide(TObject* Sender);
  void Timer1Timer(TObject* Sender);

  // The values a and b and the direction.
  Double A() const { return FA; }
  Double B() const { return FB; }
  bool GoingUp() const { return FUp; }

private:
  Double FA = 0;
  Double FB = 0;
  bool FUp = true;
};

}  // namespace quellix::Meter_Unit
