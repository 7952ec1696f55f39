/// The histograph's grid dialog ("Gitter"): the charts' grid dialog bound
/// to a histograph, with open lists; the four scale entries are the four
/// values of GridScale. \file
#pragma once

#include <QCheckBox>
#include <QListWidget>

#include "quellix/charttools/GridDialog.h"
#include "quellix/histograph/HistographEngine.h"

namespace quellix::Efg {

using ChartTools::DrawLineStyleItem;

class TFormGrid : public ChartTools::TGridDialogOf<HistoInt::THistographInt> {
  Q_OBJECT
public:
  explicit TFormGrid(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr)
      : TGridDialogOf(ChartTools::csList, AOwner, AParent),
        CheckVisible(CBGridVisible),
        ListScale(static_cast<QListWidget*>(ScaleChoice)),
        ListLineStyle(static_cast<QListWidget*>(LineStyleChoice)) {}
  void SetHistograph(HistoInt::THistographInt* Histo) { Chart = Histo; }
  HistoInt::THistographInt* Histograph() const { return Chart; }

  QCheckBox* CheckVisible;
  QListWidget* ListScale;
  QListWidget* ListLineStyle;

protected:
  int ChartScaleEntry() const override { return Chart->GridScale(); }
  void SetChartScaleEntry(int Entry) override { Chart->SetGridScale(static_cast<HistoInt::TGrdScale>(Entry)); }
};

}  ///< namespace quellix::Efg
