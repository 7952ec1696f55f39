// The bar graph window: five bar graphs driven by Timer1 (1 ms). Every
// tick moves the five levels up or down together; the first one turns at
// 95 and at 0.
#pragma once

#include <array>

#include "quellix/app/DemoWindow.h"
#include "quellix/instruments/SingleValueSinks.h"

namespace quellix::BarGraph_Unit {

// The measure sink; the window drives it through the engine's Value,
// without a source.
using TBarGraph = MLSingleSinks::TBarGraph;

class TBarGraph_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  explicit TBarGraph_Demo(TComponentCore* AOwner = nullptr);

  TBarGraph* BarGraph1;
  TBarGraph* BarGraph2;
  TBarGraph* BarGraph3;
  TBarGraph* BarGraph4;
  TBarGraph* BarGraph5;
  TTimer* Timer1;

  // Event handlers.
  void FormShow(TObject* Sender);
  void FormHide(TObject* Sender);
  void Timer1Timer(TObject* Sender);

  // The values b1 .. b5 and the direction (kept between openings).
  const std::array<Double, 5>& Levels() const { return FLevels; }
  bool GoingUp() const { return FUp; }

private:
  void ShowLevels();
  std::array<Double, 5> FLevels{0, 0, 100, 0, 60};
  bool FUp = false;  // the first tick goes down and turns
};

}  // namespace quellix::BarGraph_Unit
