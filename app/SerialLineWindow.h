// The serial-line window: a picture and a description of TComm, a
// component that talks to measuring instruments on a serial port. TComm is
// not part of this library; the window only describes it and opens no port.
#pragma once

#include <QImage>
#include <QLabel>

#include "quellix/app/DemoWindow.h"

namespace quellix::Comm2_Unit {

class TComm2_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  explicit TComm2_Demo(TComponentCore* AOwner = nullptr);

  QLabel* Image1;       // the instrument on its cable
  QLabel* Description;  // what TComm does
};

// A bench instrument with a display, joined by a serial cable to a 9-pin
// connector.
QImage DrawInstrumentPicture(int Width, int Height);

}  // namespace quellix::Comm2_Unit
