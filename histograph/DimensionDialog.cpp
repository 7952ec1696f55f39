// The dimension dialog: six number edits applied when left, two spin
// edits applied at every change, copies of the ten values for Cancel.
#include "quellix/histograph/DimensionDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <limits>

#include "quellix/histograph/HistographEngine.h"
#include "quellix/host/NumberFormat.h"

namespace quellix::Efa {

namespace {

QString Text7(Extended V) { return FloatToStrGeneral(V, 7); }

}  // namespace

TFormAxis::TFormAxis(TComponentCore* AOwner, QWidget* AParent) : TForm(AOwner, AParent) {
  SetCaption(QStringLiteral("Maße"));
  setFixedSize(364, 200);
  const auto Group = [this](const QString& Title, int X, QLineEdit*& Min, QLineEdit*& Max, QLineEdit*& Gap,
                            QSpinBox*& Dec) {
    auto* Box = new QGroupBox(Title, this);
    Box->setGeometry(X, 8, 170, 146);
    const char* Labels[] = {"Min", "Max", "Abstand", "Dezimalstellen"};
    QLineEdit** Edits[] = {&Min, &Max, &Gap};
    for (int i = 0; i < 4; ++i) {
      auto* L = new QLabel(QString::fromLatin1(Labels[i]), Box);
      L->setGeometry(8, 24 + i * 30, 100, 18);
      if (i < 3) {
        auto* E = new QLineEdit(Box);
        E->setGeometry(85, 22 + i * 30, 77, 22);
        *Edits[i] = E;
        connect(E, &QLineEdit::editingFinished, this, [this, E] { EditExit(E); });
      }
    }
    Dec = new QSpinBox(Box);
    Dec->setGeometry(110, 112, 52, 22);
  };
  Group(QStringLiteral("X-Achse"), 8, EXMin, EXMax, EXGap, SEXDecimals);
  Group(QStringLiteral("Y-Achse"), 186, EYMin, EYMax, EYGap, SEYDecimals);
  SEXDecimals->setRange(0, 8);
  SEYDecimals->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  connect(SEXDecimals, &QSpinBox::valueChanged, this, [this] { XDecimalsChange(); });
  connect(SEYDecimals, &QSpinBox::valueChanged, this, [this] { YDecimalsChange(); });

  auto* Ok = new QPushButton(QStringLiteral("OK"), this);
  Ok->setGeometry(184, 164, 80, 26);
  Ok->setDefault(true);
  connect(Ok, &QPushButton::clicked, this, [this] { OkClick(); });
  auto* Cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
  Cancel->setGeometry(274, 164, 80, 26);
  connect(Cancel, &QPushButton::clicked, this, [this] { CancelClick(); });
}

void TFormAxis::showEvent(QShowEvent* Event) {
  FormShow();
  TForm::showEvent(Event);
}

void TFormAxis::FormShow() {
  if (!FHisto) return;
  HistoInt::THistographInt& H = *FHisto;
  FFilling = true;
  EXMin->setText(Text7(H.ViewXNominalMin()));
  EXMax->setText(Text7(H.ViewXNominalMax()));
  EXGap->setText(Text7(H.ViewXGap()));
  EYMin->setText(Text7(H.ViewYMin()));
  EYMax->setText(Text7(H.ViewYMax()));
  EYGap->setText(Text7(H.ViewYGap()));
  SEXDecimals->setValue(H.ViewXDecimals());
  SEYDecimals->setValue(H.ViewYDecimals());
  FFilling = false;
  FXNomMin = H.ViewXNominalMin();
  FXNomMax = H.ViewXNominalMax();
  FXCurMin = H.ViewXCurrentMin();
  FXCurMax = H.ViewXCurrentMax();
  FXGap = H.ViewXGap();
  FXDec = H.ViewXDecimals();
  FYMin = H.ViewYMin();
  FYMax = H.ViewYMax();
  FYGap = H.ViewYGap();
  FYDec = H.ViewYDecimals();
  FCopied = true;
}

// The value an edit stands for, as the histograph has it now.
Extended TFormAxis::Current(QLineEdit* E) const {
  const HistoInt::THistographInt& H = *FHisto;
  if (E == EXMin) return H.ViewXNominalMin();
  if (E == EXMax) return H.ViewXNominalMax();
  if (E == EXGap) return H.ViewXGap();
  if (E == EYMin) return H.ViewYMin();
  if (E == EYMax) return H.ViewYMax();
  return H.ViewYGap();
}

void TFormAxis::EditExit(QLineEdit* E) {
  if (!FHisto || FFilling) return;
  Single V;
  try {
    V = Single(StrToFloat(E->text()));
  } catch (const EConvertError&) {
    E->setText(Text7(Current(E)));
    return;
  }
  HistoInt::THistographInt& H = *FHisto;
  if (E == EXMin) {
    H.SetViewXNominalMin(V);
    H.SetViewXCurrentMin(V);
  } else if (E == EXMax) {
    H.SetViewXNominalMax(V);
    H.SetViewXCurrentMax(V);
  } else if (E == EXGap) {
    H.SetViewXGap(V);
  } else if (E == EYMin) {
    H.SetViewYMin(V);
  } else if (E == EYMax) {
    H.SetViewYMax(V);
  } else if (E == EYGap) {
    H.SetViewYGap(V);
  }
}

void TFormAxis::XDecimalsChange() {
  if (FHisto && !FFilling) FHisto->SetViewXDecimals(SEXDecimals->value());
}

void TFormAxis::YDecimalsChange() {
  if (FHisto && !FFilling) FHisto->SetViewYDecimals(SEYDecimals->value());
}

void TFormAxis::done(int Result) {
  if (FHisto && FCopied && Result != mrOk) {
    HistoInt::THistographInt& H = *FHisto;
    H.SetViewXNominalMin(FXNomMin);
    H.SetViewXNominalMax(FXNomMax);
    H.SetViewXCurrentMin(FXCurMin);
    H.SetViewXCurrentMax(FXCurMax);
    H.SetViewXGap(FXGap);
    H.SetViewXDecimals(FXDec);
    H.SetViewYMin(FYMin);
    H.SetViewYMax(FYMax);
    H.SetViewYGap(FYGap);
    H.SetViewYDecimals(FYDec);
  }
  FCopied = false;
  TForm::done(Result);
}

}  // namespace quellix::Efa
