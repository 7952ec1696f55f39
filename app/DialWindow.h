// The dial window: six potentiometer knobs in different dress, turned by
// the user with the mouse. The window has no code of its own.
#pragma once

#include "quellix/app/DemoWindow.h"
#include "quellix/instruments/Dial.h"

namespace quellix::Dial_Unit {

using dial::TDial;

class TDial_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  explicit TDial_Demo(TComponentCore* AOwner = nullptr);

  TDial* Dial1;
  TDial* Dial2;
  TDial* Dial3;
  TDial* Dial4;
  TDial* Dial5;
  TDial* Dial6;
};

}  // namespace quellix::Dial_Unit
