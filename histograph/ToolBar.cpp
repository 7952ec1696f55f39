#include "quellix/histograph/ToolBar.h"

#include "quellix/histograph/ColorGrid.h"
#include "quellix/histograph/DimensionDialog.h"
#include "quellix/histograph/GridDialog.h"
#include "quellix/histograph/HistographEngine.h"
#include "quellix/histograph/TitleDialog.h"

namespace quellix::Etb {

using namespace ChartTools;
using namespace HistoInt;

Colorhis::TColorGridHisto* NewPalette(const QString& Hint) {
  auto* P = new Colorhis::TColorGridHisto(nullptr, nullptr);
  P->SetGridOrdering(Colorhis::go16x1);
  P->SetHint(Hint);
  P->setToolTip(Hint);
  P->SetShowHint(true);
  return P;
}

TFormToolBar::TFormToolBar(THistographInt* Histo)
    : TToolBar(Buttons(Histo, this), NewPalette(tr("Drag&Drop Farbpalette")), Histo), FHisto(Histo) {
  FFormTitle = new Eft::TFormTitle(nullptr, this);
  FFormGrid = new Efg::TFormGrid(nullptr, this);
  FFormAxis = new Efa::TFormAxis(nullptr, this);
  FFormTitle->SetHistograph(Histo);
  FFormGrid->SetHistograph(Histo);
  FFormAxis->SetHistograph(Histo);
  // Closing the window switches the property off.
  OnHide = [this](TObject*) {
    if (FHisto->ShowToolBar()) FHisto->SetShowToolBar(false);
  };
}

// The dialog buttons reach the dialogs through Self, which exists by the
// time a button can be clicked.
std::vector<TToolButtonDef> TFormToolBar::Buttons(THistographInt* H, TFormToolBar* Self) {
  const auto Mode = [H](TToolIcon Icon, const char* Hint, TMode M) {
    return TToolButtonDef{TToolButtonDef::bkMode, Icon, Hint, [H, M] { return H->Mode() == M; },
                          [H, M](bool) { H->SetMode(M); }};
  };
  return {
      {TToolButtonDef::bkToggle, tiCross, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Fadenkreuz"), [H] { return H->ShowCross(); },
       [H](bool Down) { H->SetShowCross(Down); }},
      Mode(tiZoom, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Zoom"), modeZoom),
      Mode(tiLowerRef, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "untere Referenzkurve"), modeLowerRef),
      Mode(tiMeasure, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Meßkurve(n)"), modeMeasure),
      Mode(tiCalculate, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Vermessen"), modeCalculate),
      Mode(tiUpperRef, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "obere Referenzkurve"), modeUpperRef),
      {TToolButtonDef::bkToggle, tiAutoScale, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Autoscale"), [H] { return H->AutoScale(); },
       [H](bool Down) { H->SetAutoScale(Down); }},
      {TToolButtonDef::bkPush, tiCapture, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "fangen"), {},
       [H](bool) {
         if (H->CalcAutoScale()) H->Repaint();
       }},
      {TToolButtonDef::bkToggle, tiValueBar, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Werte anzeigen"), [H] { return H->ShowValueBar(); },
       [H](bool Down) { H->SetShowValueBar(Down); }},
      {TToolButtonDef::bkPush, tiTitles, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Beschriftung"), {}, [Self](bool) { Self->RunModal(Self->FFormTitle); }},
      {TToolButtonDef::bkPush, tiGrid, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Gitter"), {}, [Self](bool) { Self->RunModal(Self->FFormGrid); }},
      {TToolButtonDef::bkPush, tiAxis, QT_TRANSLATE_NOOP("quellix::ChartTools::TToolBar", "Maße"), {}, [Self](bool) { Self->RunModal(Self->FFormAxis); }},
  };
}

Colorhis::TColorGridHisto* TFormToolBar::Palette() const {
  return static_cast<Colorhis::TColorGridHisto*>(TToolBar::Palette());
}

}  // namespace quellix::Etb
