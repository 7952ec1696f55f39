#include "quellix/stripchart/ToolBar.h"

#include "quellix/histograph/ColorGrid.h"
#include "quellix/histograph/ToolBar.h"
#include "quellix/stripchart/AxisDialog.h"
#include "quellix/stripchart/GridDialog.h"
#include "quellix/stripchart/StripChartEngine.h"
#include "quellix/stripchart/TitleDialog.h"

namespace quellix::_sEtb {

using namespace ChartTools;
using StrpChrtInt::TStripChartInt;

TFormToolBarStrip::TFormToolBarStrip(TStripChartInt* Chart, QWidget* AParent)
    : TToolBar(Buttons(Chart, this), Etb::NewPalette(tr("Farben")), AParent) {
  QToolButton** Named[] = {&BShowCross, &BModeZoom, &BModeMeasure, &BModeRemark, &BModeCalculate, &BAutoScale,
                           &BCapture,   &BJogShuttle, &BValueBar,  &BTitle,      &BGrid,          &BView};
  for (int i = 0; i < int(std::size(Named)); ++i) *Named[i] = Button(i);
  ColorGridHisto1 = static_cast<Colorhis::TColorGridHisto*>(Palette());
  FTitle = new _sEft::TFormTitleStrip(nullptr, this);
  FGrid = new _sEfg::TFormGridStrip(nullptr, this);
  FAxis = new _sEfa::TFormAxisStrip(nullptr, this);
  FTitle->Chart = FGrid->Chart = Chart;
  FAxis->Chart = Chart;
  // Closing the window clears the chart's flag.
  OnHide = [Chart](TObject*) { Chart->SetShowToolBar(false); };
}

// The dialog buttons reach the dialogs through Self, which exists by the
// time a button can be clicked. A setting the chart cannot take (a buffer
// too large for the memory) is reported by the chart, never thrown into
// the event loop.
std::vector<TToolButtonDef> TFormToolBarStrip::Buttons(TStripChartInt* C, TFormToolBarStrip* Self) {
  using StrpChrtInt::TStripMode;
  const auto Mode = [C](TToolIcon Icon, const char* Hint, TStripMode M) {
    return TToolButtonDef{TToolButtonDef::bkMode, Icon, Hint, [C, M] { return C->StripMode() == M; },
                          [C, M](bool) { C->SetStripMode(M); }};
  };
  const auto Toggle = [C](TToolIcon Icon, const char* Hint, bool (TStripChartInt::*Get)() const,
                          void (TStripChartInt::*Set)(bool)) {
    return TToolButtonDef{TToolButtonDef::bkToggle, Icon, Hint, [C, Get] { return (C->*Get)(); },
                          [C, Set](bool Down) { (C->*Set)(Down); }};
  };
  return {
      Toggle(tiCross, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Fadenkreuz"), &TStripChartInt::ShowCross, &TStripChartInt::SetShowCross),
      Mode(tiZoom, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Zoom"), StrpChrtInt::modeZoom),
      Mode(tiMeasure, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Meßkurve(n)"), StrpChrtInt::modeMeasure),
      Mode(tiRemark, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Bemerkung ändern"), StrpChrtInt::modeRemark),
      Mode(tiCalculate, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Vermessen"), StrpChrtInt::modeCalculate),
      Toggle(tiAutoScale, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Autoscale"), &TStripChartInt::AutoScale, &TStripChartInt::SetAutoScale),
      {TToolButtonDef::bkPush, tiCapture, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "fangen"), {}, [C](bool) { C->CaptureRange(); }},
      Toggle(tiJogShuttle, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Jog Shuttle"), &TStripChartInt::ShowJogShuttleBar, &TStripChartInt::SetShowJogShuttleBar),
      Toggle(tiValueBar, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Werte anzeigen"), &TStripChartInt::ShowValueBar, &TStripChartInt::SetShowValueBar),
      {TToolButtonDef::bkPush, tiTitles, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Beschriftung"), {}, [C, Self](bool) { C->Guarded([Self] { Self->RunModal(Self->FTitle); }); }},
      {TToolButtonDef::bkPush, tiGrid, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Gitter"), {}, [C, Self](bool) { C->Guarded([Self] { Self->RunModal(Self->FGrid); }); }},
      {TToolButtonDef::bkPush, tiAxis, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Maße"), {}, [C, Self](bool) { C->Guarded([Self] { Self->RunModal(Self->FAxis); }); }},
  };
}

}  // namespace quellix::_sEtb
