// TFormAxisStrip: the dialog "Maße": time grid spacing, value range,
// value grid spacing and decimals, applied when an edit is left; Cancel
// restores all five exactly.
#pragma once

#include <QLineEdit>
#include <QSpinBox>

#include "quellix/host/Controls.h"

namespace quellix::StrpChrtInt { class TStripChartInt; }

namespace quellix::_sEfa {

class TFormAxisStrip : public TForm {
  Q_OBJECT
public:
  explicit TFormAxisStrip(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  StrpChrtInt::TStripChartInt* Chart = nullptr;

  void FormShow();
  // Leaving an edit: its text as a number to the property. A text that is
  // not a number raises EConvertError and changes nothing.
  void EXGapExit();
  void EYMinExit();
  void EYMaxExit();
  void EYGapExit();
  void EYDecimalsChange(int Value);
  void ButtonOKClick() { SetModalResult(mrOk); }
  void ButtonCancelClick() { SetModalResult(mrCancel); }
  void done(int Result) override;

  QLineEdit *EXGap, *EYMin, *EYMax, *EYGap;
  QSpinBox* EYDecimals;

private:
  // Runs an exit handler from an editing-finished signal: a conversion
  // error shows its message instead of escaping into the event loop.
  void Guarded(void (TFormAxisStrip::*Handler)());
  double FSavedXGap = 0;
  float FSavedYMin = 0, FSavedYMax = 0, FSavedYGap = 0;
  int FSavedDecimals = 0;
  bool FShowing = false;
};

}  // namespace quellix::_sEfa
