// The value bar window: three group boxes of labels laid out at fixed places.
#include "quellix/histograph/ValueBar.h"

#include <QGroupBox>
#include <QLabel>
#include <cmath>

#include "quellix/histograph/HistographEngine.h"
#include "quellix/host/NumberFormat.h"

namespace quellix::Eca {

namespace {

// A caption label and its value label in one row of a group box.
void AddRow(QGroupBox* Box, int Y, const QString& Caption, const QString& Name, const QString& Initial) {
  auto* C = new QLabel(Caption, Box);
  C->setGeometry(8, Y, 50, 16);
  auto* V = new QLabel(Initial, Box);
  V->setObjectName(Name);
  V->setGeometry(60, Y, 90, 16);
}

}  // namespace

TFormValueBar::TFormValueBar(HistoInt::THistographInt* Histo) : TForm(nullptr, Histo) {
  SetCaption(QStringLiteral("Anzeige"));
  SetToolWindow(true);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  setFixedSize(490, 100);
  const QString Zero = QStringLiteral("0,0000");

  FCross1 = new QGroupBox(QStringLiteral("Meßkreuz 1"), this);
  FCross1->setGeometry(8, 8, 155, 84);
  AddRow(FCross1, 20, QStringLiteral("Kurve:"), QStringLiteral("Series1"), QStringLiteral("1"));
  AddRow(FCross1, 40, QStringLiteral("X:"), QStringLiteral("X1"), Zero);
  AddRow(FCross1, 60, QStringLiteral("Y:"), QStringLiteral("Y1"), Zero);

  FCross2 = new QGroupBox(QStringLiteral("Meßkreuz 2"), this);
  FCross2->setGeometry(168, 8, 155, 84);
  AddRow(FCross2, 20, QStringLiteral("Kurve:"), QStringLiteral("Series2"), QStringLiteral("1"));
  AddRow(FCross2, 40, QStringLiteral("X:"), QStringLiteral("X2"), Zero);
  AddRow(FCross2, 60, QStringLiteral("Y:"), QStringLiteral("Y2"), Zero);

  FCalc = new QGroupBox(QStringLiteral("Vermessen"), this);
  FCalc->setGeometry(328, 8, 155, 84);
  AddRow(FCalc, 20, QStringLiteral("1/ΔX:"), QStringLiteral("invdeltax"), Zero);
  AddRow(FCalc, 40, QStringLiteral("ΔX:"), QStringLiteral("deltax"), Zero);
  AddRow(FCalc, 60, QStringLiteral("ΔY:"), QStringLiteral("deltay"), Zero);
}

QLabel* TFormValueBar::Value(const QString& Name) const { return findChild<QLabel*>(Name); }

QString TFormValueBar::Format(Extended V) { return FloatToStrGeneral(V, 4); }

void TFormValueBar::ShowMeasure(Integer Serie, Extended X, Extended Y) {
  Value(QStringLiteral("Series1"))->setText(IntToStr(Serie));
  Value(QStringLiteral("X1"))->setText(Format(X));
  Value(QStringLiteral("Y1"))->setText(Format(Y));
}

void TFormValueBar::ShowCalculate(Integer Serie1, Extended X1, Extended Y1, Integer Serie2, Extended X2,
                                  Extended Y2) {
  ShowMeasure(Serie1, X1, Y1);
  Value(QStringLiteral("Series2"))->setText(IntToStr(Serie2));
  Value(QStringLiteral("X2"))->setText(Format(X2));
  Value(QStringLiteral("Y2"))->setText(Format(Y2));
  const Extended Dx = std::fabs(X2 - X1), Dy = std::fabs(Y2 - Y1);
  Value(QStringLiteral("deltax"))->setText(Format(Dx));
  Value(QStringLiteral("deltay"))->setText(Format(Dy));
  Value(QStringLiteral("invdeltax"))->setText(Dx == 0 ? QStringLiteral("----") : Format(1 / Dx));
}

void TFormValueBar::SetCalculateVisible(bool Value) {
  FCross2->setVisible(Value);
  FCalc->setVisible(Value);
}

bool TFormValueBar::CalculateVisible() const { return !FCross2->isHidden(); }

}  // namespace quellix::Eca
