// The tool bar of a histograph: one row of buttons for the mouse modes,
// the cross, automatic scaling, the value bar and the three property
// dialogs, and below it the colour grid from which colours are dragged
// onto the display.
#pragma once

#include <array>

#include "quellix/host/Controls.h"

class QToolButton;

namespace quellix::HistoInt {
class THistographInt;
}
namespace quellix::Colorhis {
class TColorGridHisto;
}
namespace quellix::Eft {
class TFormTitle;
}
namespace quellix::Efg {
class TFormGrid;
}
namespace quellix::Efa {
class TFormAxis;
}

namespace quellix::Etb {

// The buttons, left to right.
enum TToolButton {
  tbCross, tbZoom, tbLowerRef, tbMeasure, tbCalculate, tbUpperRef,
  tbAutoScale, tbCapture, tbValueBar, tbTitles, tbGrid, tbAxis
};
constexpr int ToolButtonCount = tbAxis + 1;

class TFormToolBar : public TForm {
  Q_OBJECT
public:
  // A window of the histograph, freed with it; it creates the three
  // dialogs and binds them to the histograph.
  explicit TFormToolBar(HistoInt::THistographInt* Histo);
  ~TFormToolBar() override;

  HistoInt::THistographInt* Histograph() const { return FHisto; }
  QToolButton* Button(TToolButton B) const { return FButtons[B]; }
  Colorhis::TColorGridHisto* Palette() const { return FPalette; }
  Eft::TFormTitle* FormTitle() const { return FFormTitle; }
  Efg::TFormGrid* FormGrid() const { return FFormGrid; }
  Efa::TFormAxis* FormAxis() const { return FFormAxis; }
  TTimer& Timer() { return *FTimer; }

  // What a click on button B does (the button's state already toggled).
  void ButtonClick(TToolButton B);
  // Sets the buttons from the histograph: value bar, cross, autoscale and
  // the button of the current mode.
  void SyncButtons();

  // Runs a dialog modally; tests replace it so that nothing blocks.
  std::function<int(TForm*)> RunModal = [](TForm* F) { return F->ShowModal(); };

protected:
  void changeEvent(QEvent* Event) override;

private:
  HistoInt::THistographInt* FHisto;
  std::array<QToolButton*, ToolButtonCount> FButtons{};
  Colorhis::TColorGridHisto* FPalette;
  Eft::TFormTitle* FFormTitle;
  Efg::TFormGrid* FFormGrid;
  Efa::TFormAxis* FFormAxis;
  TTimer* FTimer;
};

}  // namespace quellix::Etb
