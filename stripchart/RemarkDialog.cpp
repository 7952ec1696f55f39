#include "quellix/stripchart/RemarkDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QValidator>

#include "quellix/stripchart/DataFile.h"

#include "quellix/host/NumberFormat.h"

namespace quellix::Remedit {

namespace {
TModalRunner& Runner() {
  static TModalRunner R;
  return R;
}

// Takes every character, as long as the whole text fits the 200 bytes of
// a remark record: what the dialog shows is what the file keeps.
class TRemarkTextValidator : public QValidator {
public:
  using QValidator::QValidator;
  State validate(QString& Input, int&) const override {
    return StrpChrtInt::RemarkTextFits(Input) ? Acceptable : Invalid;
  }
};
}  // namespace

void SetModalRunner(TModalRunner R) { Runner() = std::move(R); }

int RunModal(TForm& Dialog) { return Runner() ? Runner()(Dialog) : Dialog.ShowModal(); }

TEditRemark::TEditRemark(TComponentCore* AOwner, QWidget* AParent) : TForm(AOwner, AParent) {
  SetCaption(tr("Bemerkung ändern"));
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  auto* Grid = new QGridLayout(this);
  LabRunNumber = new QLabel(this);
  LabTime = new QLabel(this);
  Edit1 = new QLineEdit(this);
  Edit1->setReadOnly(true);
  Edit1->setToolTip(tr("Kurvennummer"));
  EditSeries = new QSpinBox(this);
  EditSeries->setRange(0, 8);
  EditSeries->setWrapping(false);
  EditSeries->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  EditSeries->setMaximumWidth(18);
  EditText = new QLineEdit(this);
  EditText->setMaxLength(StrpChrtInt::kRemarkLength);
  EditText->setValidator(new TRemarkTextValidator(EditText));
  EditText->setToolTip(tr("Bemerkung ändern"));
  auto* Art = new QGroupBox(tr("Art:"), this);
  auto* ArtL = new QHBoxLayout(Art);
  RBAutomatic = new QRadioButton(tr("Automatisch"), Art);
  RBManual = new QRadioButton(tr("Manuell"), Art);
  RBAutomatic->setChecked(true);
  ArtL->addWidget(RBAutomatic);
  ArtL->addWidget(RBManual);
  ButtonOK = new QPushButton(tr("OK"), this);
  ButtonCancel = new QPushButton(tr("Abbrechen"), this);
  Grid->addWidget(new QLabel(tr("Aktueller Run:"), this), 0, 0);
  Grid->addWidget(LabRunNumber, 0, 1, 1, 2);
  Grid->addWidget(new QLabel(tr("Zeit:"), this), 1, 0);
  Grid->addWidget(LabTime, 1, 1, 1, 2);
  Grid->addWidget(new QLabel(tr("Kurve:"), this), 2, 0);
  Grid->addWidget(Edit1, 2, 1);
  Grid->addWidget(EditSeries, 2, 2);
  Grid->addWidget(new QLabel(tr("Bemerkung:"), this), 3, 0);
  Grid->addWidget(EditText, 3, 1, 1, 2);
  Grid->addWidget(Art, 4, 0, 1, 3);
  auto* Buttons = new QHBoxLayout;
  Buttons->addWidget(ButtonOK);
  Buttons->addWidget(ButtonCancel);
  Grid->addLayout(Buttons, 5, 0, 1, 3);
  connect(EditSeries, &QSpinBox::valueChanged, this, &TEditRemark::SeriesChanged);
  connect(ButtonOK, &QPushButton::clicked, this, [this] { ButtonOKClick(); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
  OnShow = [this](TObject*) { FormShow(); };
  SeriesChanged(0);
}

void TEditRemark::FormShow() {
  LabRunNumber->setText(IntToStr(RunNumber));
  LabTime->setText(FloatToStr(Time));
  EditSeries->setValue(Series < 1 || Series > 8 ? 0 : Series);
  SeriesChanged(EditSeries->value());
  (Flag == StrpChrtInt::dfAutomatic ? RBAutomatic : RBManual)->setChecked(true);
  EditText->setText(Text);
}

void TEditRemark::SeriesChanged(int Value) { Edit1->setText(Value == 0 ? tr("Alle") : IntToStr(Value)); }

void TEditRemark::FormClose() {
  Series = EditSeries->value() == 0 ? -1 : EditSeries->value();
  Text = EditText->text();
  Flag = RBAutomatic->isChecked() ? StrpChrtInt::dfAutomatic : StrpChrtInt::dfManual;
}

void TEditRemark::ButtonOKClick() {
  FormClose();
  SetModalResult(mrOk);
}

void TEditRemark::ButtonCancelClick() {
  FormClose();
  SetModalResult(mrCancel);
}

}  // namespace quellix::Remedit
