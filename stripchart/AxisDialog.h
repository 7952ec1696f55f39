/// TFormAxisStrip: the strip chart's axis dialog ("Maße"): the time grid
/// spacing, the value range, the value grid spacing and decimals. A text
/// that is not a number, or a number the chart cannot hold, raises the
/// host's conversion error, shown as a message; gaps ≤ 0 are ignored. \file
#pragma once

#include "quellix/charttools/AxisDialog.h"

class QLineEdit;
class QSpinBox;

namespace quellix::StrpChrtInt {
class TStripChartInt;
}

namespace quellix::_sEfa {

class TFormAxisStrip : public ChartTools::TAxisDialog {
  Q_OBJECT
public:
  explicit TFormAxisStrip(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  StrpChrtInt::TStripChartInt* Chart = nullptr;

  /// Leaving an edit: its text as a number to the property; a refused text
  /// raises EConvertError and changes nothing.
  void EXGapExit() { ApplyNumber(EXGap); }
  void EYMinExit() { ApplyNumber(EYMin); }
  void EYMaxExit() { ApplyNumber(EYMax); }
  void EYGapExit() { ApplyNumber(EYGap); }
  void ButtonOKClick() { OkClick(); }
  void ButtonCancelClick() { CancelClick(); }

  QLineEdit *EXGap, *EYMin, *EYMax, *EYGap;
  QSpinBox* EYDecimals;

protected:
  bool HasChart() const override { return Chart; }
  std::vector<ChartTools::TRestore> Save() override;
};

}  ///< namespace quellix::_sEfa
