/// The histograph's title dialog ("Beschriftung"): the charts' title dialog
/// bound to a histograph. \file
#pragma once

#include "quellix/charttools/TitleDialog.h"
#include "quellix/histograph/HistographEngine.h"

namespace quellix::Eft {

using ChartTools::ExecFontDialog;
using ChartTools::TTitleFont;
using enum ChartTools::TTitleFont;

class TFormTitle : public ChartTools::TTitleDialogOf<HistoInt::THistographInt> {
  Q_OBJECT
public:
  explicit TFormTitle(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr)
      : TTitleDialogOf(AOwner, AParent) {}
  void SetHistograph(HistoInt::THistographInt* Histo) { Chart = Histo; }
  HistoInt::THistographInt* Histograph() const { return Chart; }
};

}  ///< namespace quellix::Eft
