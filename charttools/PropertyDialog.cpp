#include "quellix/charttools/PropertyDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quellix::ChartTools {

TPropertyDialog::TPropertyDialog(const QString& Caption, TComponentCore* AOwner, QWidget* AParent)
    : TForm(AOwner, AParent) {
  SetCaption(Caption);
  auto* Column = new QVBoxLayout(this);
  Column->setSizeConstraint(QLayout::SetFixedSize);
  FBody = new QVBoxLayout;
  Column->addLayout(FBody);
  auto* Row = new QHBoxLayout;
  ButtonOK = new QPushButton(tr("OK"), this);
  ButtonOK->setDefault(true);
  ButtonCancel = new QPushButton(tr("Abbrechen"), this);
  Row->addStretch();
  Row->addWidget(ButtonOK);
  Row->addWidget(ButtonCancel);
  Column->addLayout(Row);
  connect(ButtonOK, &QPushButton::clicked, this, [this] { OkClick(); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { CancelClick(); });
}

void TPropertyDialog::showEvent(QShowEvent* Event) {
  setResult(mrNone);  // a result of an earlier showing does not count
  FormShow();
  TForm::showEvent(Event);
}

void TPropertyDialog::FormShow() {
  FLive = false;
  if (!HasChart()) return;
  FRestore = Save();
  FillControls();
  FLive = true;
}

void TPropertyDialog::FillControls() {
  if (!HasChart()) return;
  FFilling = true;
  Fill();
  FFilling = false;
}

void TPropertyDialog::done(int Result) {
  // Off first: the window going away takes the focus from an edit, whose
  // signal must not bring back what Cancel puts right.
  const bool Restore = FLive && Result != mrOk;
  FLive = false;
  if (Restore)
    for (const TRestore& R : FRestore) R();
  FRestore.clear();
  TForm::done(Result);
}

}  // namespace quellix::ChartTools
