/// TFormGridStrip: the strip chart's grid dialog ("Gitter"), the charts'
/// grid dialog bound to a strip chart, with drop-down boxes. \file
#pragma once

#include <QComboBox>

#include "quellix/charttools/GridDialog.h"
#include "quellix/stripchart/StripChartEngine.h"

namespace quellix::_sEfg {

class TFormGridStrip : public ChartTools::TGridDialogOf<StrpChrtInt::TStripChartInt> {
  Q_OBJECT
public:
  explicit TFormGridStrip(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr)
      : TGridDialogOf(ChartTools::csDropDown, AOwner, AParent),
        CBScale(static_cast<QComboBox*>(ScaleChoice)),
        CBLineStyle(static_cast<QComboBox*>(LineStyleChoice)) {}

  void CBGridVisibleClick() { GridVisibleClick(); }
  void CBScaleChange(int Index) { ScaleChange(Index); }
  void CBLineStyleChange(int Index) { LineStyleChange(Index); }
  void ButtonOKClick() { OkClick(); }
  void ButtonCancelClick() { CancelClick(); }

  QComboBox* CBScale;
  QComboBox* CBLineStyle;

protected:
  /// The chart knows a linear and a logarithmic value axis; the time axis
  /// is always linear. So the entries name time/value scales, and the two
  /// with a logarithmic time axis select the value scale they name second.
  int ChartScaleEntry() const override { return Chart->GridScale() == StrpChrtInt::strpLog ? 1 : 0; }
  void SetChartScaleEntry(int Entry) override {
    Chart->SetGridScale(Entry % 2 == 0 ? StrpChrtInt::strpLin : StrpChrtInt::strpLog);
  }
};

}  ///< namespace quellix::_sEfg
