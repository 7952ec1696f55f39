// The XY histograph window: Lissajous-like figures of 200 points. "&Neue
// Figur" draws a new figure at random, either a sweep figure, whose two
// frequencies wander between -1 and 1, or a phase figure, whose two phases
// run on at slightly different speeds. Timer1 moves the figure ten steps
// per tick while the window is open.
//
// The histograph's measuring mode is not offered until the histograph has
// its interaction modes.
#pragma once

#include <QPushButton>
#include <array>

#include "quellix/app/DemoWindow.h"
#include "quellix/histograph/HistographSink.h"

namespace quellix::HistoXY_Unit {

enum TFigureKind { fkSweep, fkPhase };

class THisto1_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  static constexpr Integer kPointCount = 200;
  static constexpr Integer kStepsPerTick = 10;

  explicit THisto1_Demo(TComponentCore* AOwner = nullptr);

  Histo::THistograph* Histograph1;
  QPushButton* NeueFigur;
  TTimer* Timer1;

  // The figure: its kind, frequencies, their steps and the phases.
  TFigureKind Kind = fkSweep;
  Double Fx = 0, Fy = 0, DFx = 0, DFy = 0, Px = 0, Py = 0;

  // Re-seeds the generator, then NewFigure.
  void NeueFigurClick();
  // Draws the parameters of a new figure from the generator and starts Timer1.
  void NewFigure();
  // Ten steps of the figure.
  void Timer1Timer(TObject* Sender);
  // One step: the parameters move on and the 200 points are recomputed.
  void Step();

  // Series 1 as X1, Y1, X2, Y2, ...
  const std::array<Single, 2 * kPointCount>& Points() const { return FPoints; }

private:
  std::array<Single, 2 * kPointCount> FPoints{};  // shown in place
};

}  // namespace quellix::HistoXY_Unit
