#include "quellix/stripchart/AxisDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "quellix/host/NumberFormat.h"
#include "quellix/stripchart/StripChartEngine.h"

namespace quellix::_sEfa {

TFormAxisStrip::TFormAxisStrip(TComponentCore* AOwner, QWidget* AParent) : TForm(AOwner, AParent) {
  SetCaption(QString::fromUtf8("Maße"));
  auto* Col = new QVBoxLayout(this);
  auto* GX = new QGroupBox(QStringLiteral("X-Achse"), this);
  auto* GXL = new QGridLayout(GX);
  EXGap = new QLineEdit(GX);
  GXL->addWidget(new QLabel(QStringLiteral("Abstand"), GX), 0, 0);
  GXL->addWidget(EXGap, 0, 1);
  auto* GY = new QGroupBox(QStringLiteral("Y-Achse"), this);
  auto* GYL = new QGridLayout(GY);
  EYMin = new QLineEdit(GY);
  EYMax = new QLineEdit(GY);
  EYGap = new QLineEdit(GY);
  EYDecimals = new QSpinBox(GY);
  EYDecimals->setRange(0, 15);
  GYL->addWidget(new QLabel(QStringLiteral("Min"), GY), 0, 0);
  GYL->addWidget(EYMin, 0, 1);
  GYL->addWidget(new QLabel(QStringLiteral("Max"), GY), 1, 0);
  GYL->addWidget(EYMax, 1, 1);
  GYL->addWidget(new QLabel(QStringLiteral("Abstand"), GY), 2, 0);
  GYL->addWidget(EYGap, 2, 1);
  GYL->addWidget(new QLabel(QStringLiteral("Dezimalstellen"), GY), 3, 0);
  GYL->addWidget(EYDecimals, 3, 1);
  Col->addWidget(GX);
  Col->addWidget(GY);
  auto* Buttons = new QHBoxLayout;
  auto* OK = new QPushButton(QStringLiteral("OK"), this);
  auto* Cancel = new QPushButton(QStringLiteral("Cancel"), this);
  Buttons->addStretch();
  Buttons->addWidget(OK);
  Buttons->addWidget(Cancel);
  Col->addLayout(Buttons);
  connect(OK, &QPushButton::clicked, this, [this] { ButtonOKClick(); });
  connect(Cancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
  connect(EXGap, &QLineEdit::editingFinished, this, [this] { Guarded(&TFormAxisStrip::EXGapExit); });
  connect(EYMin, &QLineEdit::editingFinished, this, [this] { Guarded(&TFormAxisStrip::EYMinExit); });
  connect(EYMax, &QLineEdit::editingFinished, this, [this] { Guarded(&TFormAxisStrip::EYMaxExit); });
  connect(EYGap, &QLineEdit::editingFinished, this, [this] { Guarded(&TFormAxisStrip::EYGapExit); });
  connect(EYDecimals, &QSpinBox::valueChanged, this, [this](int V) { EYDecimalsChange(V); });
  OnShow = [this](TObject*) { FormShow(); };
}

void TFormAxisStrip::Guarded(void (TFormAxisStrip::*Handler)()) {
  try {
    (this->*Handler)();
  } catch (const EConvertError& E) {
    MessageDlg(E.Message(), mtError, mbOK);
  }
}

void TFormAxisStrip::FormShow() {
  if (!Chart) return;
  FShowing = false;
  FSavedXGap = Chart->ViewXGap();
  FSavedYMin = Chart->ViewYMin();
  FSavedYMax = Chart->ViewYMax();
  FSavedYGap = Chart->ViewYGap();
  FSavedDecimals = Chart->ViewYDecimals();
  EXGap->setText(FloatToStrGeneral(FSavedXGap, 7));
  EYMin->setText(FloatToStrGeneral(FSavedYMin, 7));
  EYMax->setText(FloatToStrGeneral(FSavedYMax, 7));
  EYGap->setText(FloatToStrGeneral(FSavedYGap, 7));
  EYDecimals->setValue(FSavedDecimals);
  FShowing = true;
}

void TFormAxisStrip::EXGapExit() {
  const Extended V = StrToFloat(EXGap->text());
  if (Chart && V > 0) Chart->SetViewXGap(static_cast<Double>(V));
}

void TFormAxisStrip::EYMinExit() {
  const Extended V = StrToFloat(EYMin->text());
  if (Chart) Chart->SetViewYMin(static_cast<Single>(V));
}

void TFormAxisStrip::EYMaxExit() {
  const Extended V = StrToFloat(EYMax->text());
  if (Chart) Chart->SetViewYMax(static_cast<Single>(V));
}

void TFormAxisStrip::EYGapExit() {
  const Extended V = StrToFloat(EYGap->text());
  if (Chart && V > 0) Chart->SetViewYGap(static_cast<Single>(V));
}

void TFormAxisStrip::EYDecimalsChange(int Value) {
  if (Chart && FShowing) Chart->SetViewYDecimals(Value);
}

void TFormAxisStrip::done(int Result) {
  if (Result == mrCancel && Chart && FShowing) {
    Chart->SetViewXGap(FSavedXGap);
    Chart->SetViewYMin(FSavedYMin);
    Chart->SetViewYMax(FSavedYMax);
    Chart->SetViewYGap(FSavedYGap);
    Chart->SetViewYDecimals(FSavedDecimals);
  }
  FShowing = false;
  TForm::done(Result);
}

}  // namespace quellix::_sEfa
