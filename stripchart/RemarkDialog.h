/// TEditRemark: the dialog "Bemerkung ändern" that the strip chart fills
/// with a remark (run, time, series, flag, text), shows modally and reads
/// back after OK. Also the modal run shared by the strip chart's dialogs. \file
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <functional>

#include "quellix/host/Controls.h"
#include "quellix/stripchart/StripChartTypes.h"

namespace quellix::Remedit {

/// Shows a strip chart dialog modally and returns its modal result. A
/// headless run or a test replaces the modal run with a handler that works
/// the dialog and returns the result (an empty handler restores ShowModal).
using TModalRunner = std::function<int(TForm& Dialog)>;
void SetModalRunner(TModalRunner Runner);
int RunModal(TForm& Dialog);

class TEditRemark : public TForm {
  Q_OBJECT
public:
  explicit TEditRemark(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);

  /// The fields: filled by the caller, read by it after OK.
  Integer RunNumber = 0;
  Double Time = 0;
  Integer Series = -1;   ///< -1: all series
  StrpChrtInt::TDescFlag Flag = StrpChrtInt::dfAutomatic;
  QString Text;

  /// Showing: the controls take the fields.
  void FormShow();
  /// Closing by either button: the fields take the controls.
  void FormClose();
  void ButtonOKClick();
  void ButtonCancelClick();

  QLabel* LabRunNumber;
  QLabel* LabTime;
  QLineEdit* Edit1;       ///< "Alle" or the series number
  QSpinBox* EditSeries;   ///< the up-down, 0..8
  QLineEdit* EditText;
  QRadioButton* RBAutomatic;
  QRadioButton* RBManual;
  QPushButton* ButtonOK;
  QPushButton* ButtonCancel;

private:
  void SeriesChanged(int Value);
};

}  ///< namespace quellix::Remedit
