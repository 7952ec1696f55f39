#include "quellix/charttools/ValueBar.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <cmath>

#include "quellix/host/NumberFormat.h"

namespace quellix::ChartTools {

namespace {

// A group box of three rows: a caption and a value label each.
QGroupBox* Group(QWidget* Parent, const QString& Title, const std::array<std::pair<QString, QString>, 3>& Rows,
                 const std::array<QString, 3>& Initial) {
  auto* G = new QGroupBox(Title, Parent);
  auto* L = new QGridLayout(G);
  for (int i = 0; i < 3; ++i) {
    L->addWidget(new QLabel(Rows[i].first, G), i, 0);
    auto* V = new QLabel(Initial[i], G);
    V->setObjectName(Rows[i].second);
    V->setMinimumWidth(V->fontMetrics().horizontalAdvance(QStringLiteral("-0,0000E-000")));
    L->addWidget(V, i, 1);
  }
  L->setColumnStretch(1, 1);
  return G;
}

}  // namespace

TValueBar::TValueBar(const TValueBarStyle& Style, QWidget* AParent) : TForm(nullptr, AParent), FStyle(Style) {
  SetCaption(tr("Anzeige: "));
  SetToolWindow(true);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  const QString Zero = QStringLiteral("0,0000");
  const QString A = Style.Across + QLatin1Char(':');
  auto* Row = new QHBoxLayout(this);
  Row->setSizeConstraint(QLayout::SetFixedSize);
  const auto Cross = [&](int N) {
    const QString K = QString::number(N);
    return Group(this, tr("Meßkreuz ") + K,
                 {{{tr("Kurve:"), QStringLiteral("Series") + K}, {A, QStringLiteral("X") + K},
                   {QStringLiteral("Y:"), QStringLiteral("Y") + K}}},
                 {QStringLiteral("1"), Zero, Zero});
  };
  GroupCross1 = Cross(1);
  GroupCross2 = Cross(2);
  GroupCalculate = Group(this, tr("Vermessen"), Style.Differences, {Zero, Zero, Zero});
  for (QGroupBox* G : {GroupCross1, GroupCross2, GroupCalculate}) Row->addWidget(G);
  Series1 = Value(QStringLiteral("Series1"));
  X1 = Value(QStringLiteral("X1"));
  Y1 = Value(QStringLiteral("Y1"));
  Series2 = Value(QStringLiteral("Series2"));
  X2 = Value(QStringLiteral("X2"));
  Y2 = Value(QStringLiteral("Y2"));
  deltax = Value(QStringLiteral("deltax"));
  deltay = Value(QStringLiteral("deltay"));
  invdeltax = Value(QStringLiteral("invdeltax"));
}

QLabel* TValueBar::Value(const QString& Name) const { return findChild<QLabel*>(Name); }

QString TValueBar::Format(Extended V) const { return FloatToStrGeneral(V, FStyle.Digits); }

void TValueBar::ShowMeasure(Integer Series, Extended Across, Extended Value) {
  Series1->setText(IntToStr(Series));
  X1->setText(Format(Across));
  Y1->setText(Format(Value));
}

void TValueBar::ShowCalculate(Integer SeriesA, Extended Across1, Extended Value1, Integer SeriesB,
                              Extended Across2, Extended Value2) {
  ShowMeasure(SeriesA, Across1, Value1);
  Series2->setText(IntToStr(SeriesB));
  X2->setText(Format(Across2));
  Y2->setText(Format(Value2));
  const Extended DA = std::fabs(Across2 - Across1), DV = std::fabs(Value2 - Value1);
  deltax->setText(Format(DA));
  deltay->setText(Format(DV));
  invdeltax->setText(DA == 0 ? QStringLiteral("----") : Format(1 / DA));
}

void TValueBar::ShowCalculateGroups(bool Value) {
  for (QGroupBox* G : {GroupCross2, GroupCalculate}) {
    if (FStyle.HideCalculate)
      G->setVisible(Value);
    else
      G->setEnabled(Value);
  }
}

}  // namespace quellix::ChartTools
