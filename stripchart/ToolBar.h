/// TFormToolBarStrip: the strip chart's tool bar ("Werkzeuge"): the charts'
/// tool bar with the cross, the four mouse modes, automatic scaling, the
/// jog shuttle and value bar windows, the three property dialogs, and the
/// colour palette "Farben". \file
#pragma once

#include "quellix/charttools/ToolBar.h"

class QToolButton;

namespace quellix::StrpChrtInt {
class TStripChartInt;
}
namespace quellix::Colorhis {
class TColorGridHisto;
}
namespace quellix::_sEft {
class TFormTitleStrip;
}
namespace quellix::_sEfg {
class TFormGridStrip;
}
namespace quellix::_sEfa {
class TFormAxisStrip;
}

namespace quellix::_sEtb {

class TFormToolBarStrip : public ChartTools::TToolBar {
  Q_OBJECT
public:
  explicit TFormToolBarStrip(StrpChrtInt::TStripChartInt* Chart, QWidget* AParent = nullptr);

  /// The toggles and the mode group take the chart's current state (on
  /// activation and once per second).
  void SyncFromChart() { SyncButtons(); }

  QToolButton *BShowCross, *BModeZoom, *BModeMeasure, *BModeRemark, *BModeCalculate;
  QToolButton *BAutoScale, *BCapture, *BJogShuttle, *BValueBar, *BTitle, *BGrid, *BView;
  Colorhis::TColorGridHisto* ColorGridHisto1;
  _sEft::TFormTitleStrip* FormTitleStrip() const { return FTitle; }
  _sEfg::TFormGridStrip* FormGridStrip() const { return FGrid; }
  _sEfa::TFormAxisStrip* FormAxisStrip() const { return FAxis; }

private:
  static std::vector<ChartTools::TToolButtonDef> Buttons(StrpChrtInt::TStripChartInt* C, TFormToolBarStrip* Self);
  _sEft::TFormTitleStrip* FTitle;
  _sEfg::TFormGridStrip* FGrid;
  _sEfa::TFormAxisStrip* FAxis;
};

}  ///< namespace quellix::_sEtb
