// TFormToolBarStrip: the tool bar "Werkzeuge" of the strip chart: the
// mouse modes, the cross, automatic scaling, the other tool windows, the
// three property dialogs and the colour grid that colours are dragged
// from onto the chart.
#pragma once

#include <QButtonGroup>
#include <QToolButton>
#include <memory>

#include "quellix/histograph/ColorGrid.h"
#include "quellix/host/Controls.h"

namespace quellix::StrpChrtInt { class TStripChartInt; }
namespace quellix::_sEft { class TFormTitleStrip; }
namespace quellix::_sEfg { class TFormGridStrip; }
namespace quellix::_sEfa { class TFormAxisStrip; }

namespace quellix::_sEtb {

class TFormToolBarStrip : public TForm {
  Q_OBJECT
public:
  explicit TFormToolBarStrip(StrpChrtInt::TStripChartInt* Chart, QWidget* AParent = nullptr);
  ~TFormToolBarStrip() override;

  // The toggles and the mode group take the chart's current state (on
  // activation and once per second).
  void SyncFromChart();

  QToolButton *BShowCross, *BModeZoom, *BModeMeasure, *BModeRemark, *BModeCalculate;
  QToolButton *BAutoScale, *BCapture, *BJogShuttle, *BValueBar, *BTitle, *BGrid, *BView;
  QButtonGroup* ModeGroup;
  Colorhis::TColorGridHisto* ColorGridHisto1;
  TTimer* Timer1;
  _sEft::TFormTitleStrip* FormTitleStrip() const { return FTitle.get(); }
  _sEfg::TFormGridStrip* FormGridStrip() const { return FGrid.get(); }
  _sEfa::TFormAxisStrip* FormAxisStrip() const { return FAxis.get(); }

protected:
  void hideEvent(QHideEvent* Event) override;
  bool event(QEvent* Event) override;

private:
  StrpChrtInt::TStripChartInt* FChart;
  std::unique_ptr<_sEft::TFormTitleStrip> FTitle;
  std::unique_ptr<_sEfg::TFormGridStrip> FGrid;
  std::unique_ptr<_sEfa::TFormAxisStrip> FAxis;
};

}  // namespace quellix::_sEtb
