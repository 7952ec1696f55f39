/// The histograph's dimension dialog ("Maße"): the charts' axis dialog with
/// the X range, gap and decimals (0..8) and the Y range, gap and decimals
/// (no limits). A refused number is replaced by the current value. \file
#pragma once

#include "quellix/charttools/AxisDialog.h"

class QLineEdit;
class QSpinBox;

namespace quellix::HistoInt {
class THistographInt;
}

namespace quellix::Efa {

class TFormAxis : public ChartTools::TAxisDialog {
  Q_OBJECT
public:
  explicit TFormAxis(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);

  void SetHistograph(HistoInt::THistographInt* Histo) { FHisto = Histo; }
  HistoInt::THistographInt* Histograph() const { return FHisto; }

  QLineEdit* EXMin;
  QLineEdit* EXMax;
  QLineEdit* EXGap;
  QLineEdit* EYMin;
  QLineEdit* EYMax;
  QLineEdit* EYGap;
  QSpinBox* SEXDecimals;
  QSpinBox* SEYDecimals;

protected:
  bool HasChart() const override { return FHisto; }
  std::vector<ChartTools::TRestore> Save() override;

private:
  HistoInt::THistographInt* FHisto = nullptr;
};

}  ///< namespace quellix::Efa
