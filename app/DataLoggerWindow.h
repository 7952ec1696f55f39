// The data-logger window: a description of TFastlog, a component that
// writes the blocks of a measure source straight to disk, and of the
// throughput it reaches. The window shows text only and has no code.
#pragma once

#include <QLabel>

#include "quellix/app/DemoWindow.h"

namespace quellix::Fastlog_Unit {

class TFastlog_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  explicit TFastlog_Demo(TComponentCore* AOwner = nullptr);

  QLabel* Description;  // what the logger does and how
  QLabel* Throughput;   // the table of throughput figures
};

}  // namespace quellix::Fastlog_Unit
