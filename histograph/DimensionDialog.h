// The dimension dialog of a histograph ("Maße"): the X and Y ranges, grid
// gaps and decimals, applied when an edit is left and put back on Cancel.
#pragma once

#include "quellix/host/Controls.h"

class QLineEdit;
class QSpinBox;

namespace quellix::HistoInt {
class THistographInt;
}

namespace quellix::Efa {

class TFormAxis : public TForm {
  Q_OBJECT
public:
  explicit TFormAxis(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);

  void SetHistograph(HistoInt::THistographInt* Histo) { FHisto = Histo; }
  HistoInt::THistographInt* Histograph() const { return FHisto; }

  // Fills the edits and copies the ten values (runs on show).
  void FormShow();
  // Leaving an edit: its number goes to the histograph; a text that is
  // not a number is replaced by the current value.
  void EditExit(QLineEdit* Edit);
  void XDecimalsChange();
  void YDecimalsChange();
  void OkClick() { SetModalResult(mrOk); }
  void CancelClick() { SetModalResult(mrCancel); }

  QLineEdit* EXMin;
  QLineEdit* EXMax;
  QLineEdit* EXGap;
  QLineEdit* EYMin;
  QLineEdit* EYMax;
  QLineEdit* EYGap;
  QSpinBox* SEXDecimals;
  QSpinBox* SEYDecimals;

  void done(int Result) override;

protected:
  void showEvent(QShowEvent* Event) override;

private:
  Extended Current(QLineEdit* Edit) const;
  HistoInt::THistographInt* FHisto = nullptr;
  Single FXNomMin = 0, FXNomMax = 0, FXCurMin = 0, FXCurMax = 0, FXGap = 0;
  Single FYMin = 0, FYMax = 0, FYGap = 0;
  Integer FXDec = 0, FYDec = 0;
  bool FFilling = false;
  bool FCopied = false;  // the copies hold the state to go back to
};

}  // namespace quellix::Efa
