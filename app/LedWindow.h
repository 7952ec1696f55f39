// The LED window: 36 lamps in every style. Led8–Led12 and Led25–Led29
// flash, each at its own interval; opening the window switches every
// flashing lamp on, closing switches them off again.
#pragma once

#include <array>

#include "quellix/app/DemoWindow.h"
#include "quellix/instruments/SingleValueSinks.h"

namespace quellix::Led_Unit {

class TLed_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  explicit TLed_Demo(TComponentCore* AOwner = nullptr);

  static constexpr int LedCount = 36;
  // Led1 .. Led36 (index 0 is Led1).
  std::array<MLSingleSinks::TLed*, LedCount> Leds{};
  MLSingleSinks::TLed* Led(int Number) const { return Leds.at(Number - 1); }

  // Event handlers.
  void FormShow();
  void FormHide();

private:
  MLSingleSinks::TLed* NewLed(int Number, LedInt::TLedStyle Style, Integer X, Integer Y, Integer W, Integer H,
                              TColor ColorActive, bool Value = false);
  void Caption(const QString& Text, Integer X, Integer Y, Integer W);
  // Every flashing lamp of the window gets Value.
  void SwitchFlashing(bool Value);
};

}  // namespace quellix::Led_Unit
