/// The tool bar of a histograph: the charts' tool bar with the buttons for
/// the cross, the five mouse modes, automatic scaling, the value bar and
/// the three property dialogs, and the colour palette "Drag&Drop
/// Farbpalette". It creates the dialogs and binds them to the histograph. \file
#pragma once

#include "quellix/charttools/ToolBar.h"

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

/// The buttons, left to right.
enum TToolButton {
  tbCross, tbZoom, tbLowerRef, tbMeasure, tbCalculate, tbUpperRef,
  tbAutoScale, tbCapture, tbValueBar, tbTitles, tbGrid, tbAxis
};
constexpr int ToolButtonCount = tbAxis + 1;

/// A colour palette for a chart's tool bar: the colour grid in one row of
/// 16 cells, with its hint.
Colorhis::TColorGridHisto* NewPalette(const QString& Hint);

class TFormToolBar : public ChartTools::TToolBar {
  Q_OBJECT
public:
  /// A window of the histograph, freed with it.
  explicit TFormToolBar(HistoInt::THistographInt* Histo);

  HistoInt::THistographInt* Histograph() const { return FHisto; }
  QToolButton* Button(TToolButton B) const { return TToolBar::Button(B); }
  Colorhis::TColorGridHisto* Palette() const;
  Eft::TFormTitle* FormTitle() const { return FFormTitle; }
  Efg::TFormGrid* FormGrid() const { return FFormGrid; }
  Efa::TFormAxis* FormAxis() const { return FFormAxis; }

private:
  static std::vector<ChartTools::TToolButtonDef> Buttons(HistoInt::THistographInt* H, TFormToolBar* Self);
  HistoInt::THistographInt* FHisto;
  Eft::TFormTitle* FFormTitle;
  Efg::TFormGrid* FFormGrid;
  Efa::TFormAxis* FFormAxis;
};

}  ///< namespace quellix::Etb
