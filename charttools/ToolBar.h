/// The tool bar of a chart ("Werkzeuge"): a stay-on-top tool window with
/// one row of buttons and, below it, the colour palette that colours are
/// dragged from onto the chart. Each chart lists its buttons; the tool bar
/// sets the toggles and the mode group from the chart when it is activated
/// and once per second. \file
#pragma once

#include <QButtonGroup>
#include <QToolButton>
#include <vector>

#include "quellix/host/Controls.h"

namespace quellix::ChartTools {

/// The pictures of the buttons.
enum TToolIcon {
  tiCross, tiZoom, tiLowerRef, tiUpperRef, tiMeasure, tiRemark, tiCalculate,
  tiAutoScale, tiCapture, tiJogShuttle, tiValueBar, tiTitles, tiGrid, tiAxis
};

/// One button: a push button acts on a click; a toggle follows a property
/// of the chart; the mode buttons form one exclusive group.
struct TToolButtonDef {
  enum TKind { bkPush, bkToggle, bkMode };
  TKind Kind;
  TToolIcon Icon;
  const char* Hint;
  std::function<bool()> Down;            ///< toggles and modes: down now?
  std::function<void(bool Down)> Click;  ///< with the button's new state
};

class TToolBar : public TForm {
  Q_OBJECT
public:
  /// Palette: the colour grid, laid out as one row of 16 cells under the
  /// buttons.
  TToolBar(const std::vector<TToolButtonDef>& Buttons, QWidget* Palette, QWidget* AParent);

  QToolButton* Button(int Index) const { return FButtons[Index]; }
  QButtonGroup* ModeGroup() const { return FModeGroup; }
  QWidget* Palette() const { return FPalette; }
  TTimer& Timer() { return *FTimer; }
  /// The toggles and the mode group take the chart's current state.
  void SyncButtons();

  /// Runs a property dialog modally; tests replace it so that nothing blocks.
  std::function<int(TForm*)> RunModal = [](TForm* F) { return F->ShowModal(); };

protected:
  void changeEvent(QEvent* Event) override;

private:
  std::vector<TToolButtonDef> FDefs;
  std::vector<QToolButton*> FButtons;
  QButtonGroup* FModeGroup;
  QWidget* FPalette;
  TTimer* FTimer;
};

/// The picture of a button, 20 x 20 pixels.
QIcon ToolIcon(TToolIcon Icon);

}  ///< namespace quellix::ChartTools
