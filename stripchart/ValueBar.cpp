#include "quellix/stripchart/ValueBar.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "quellix/host/NumberFormat.h"
#include "quellix/stripchart/StripChartEngine.h"

namespace quellix::_sEca {

namespace {
QGroupBox* Group(QWidget* Parent, const QString& Title, const std::array<QString, 3>& Captions,
                 std::array<QLabel**, 3> Labels, const std::array<QString, 3>& Initial) {
  auto* G = new QGroupBox(Title, Parent);
  auto* L = new QGridLayout(G);
  for (int i = 0; i < 3; ++i) {
    L->addWidget(new QLabel(Captions[i], G), i, 0);
    *Labels[i] = new QLabel(Initial[i], G);
    (*Labels[i])->setMinimumWidth(70);
    L->addWidget(*Labels[i], i, 1);
  }
  return G;
}
}  // namespace

TFormCalculateBarStrip::TFormCalculateBarStrip(StrpChrtInt::TStripChartInt* Chart, QWidget* AParent)
    : TForm(nullptr, AParent), FChart(Chart) {
  SetCaption(QStringLiteral("Anzeige: "));
  SetToolWindow(true);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  const QString Zero = QStringLiteral("0") + DecimalSeparator() + QStringLiteral("0000");
  auto* Row = new QHBoxLayout(this);
  GroupCross1 = Group(this, QString::fromUtf8("Meßkreuz 1"), {"Kurve:", "T:", "Y:"}, {&Series1, &X1, &Y1},
                      {"1", Zero, Zero});
  GroupCross2 = Group(this, QString::fromUtf8("Meßkreuz 2"), {"Kurve:", "T:", "Y:"}, {&Series2, &X2, &Y2},
                      {"1", Zero, Zero});
  GroupCalculate = Group(this, QStringLiteral("Vermessen"),
                         {QString::fromUtf8("ΔT:"), QString::fromUtf8("ΔY:"), QString::fromUtf8("1/Δt:")},
                         {&deltax, &deltay, &invdeltax}, {Zero, Zero, Zero});
  Row->addWidget(GroupCross1);
  Row->addWidget(GroupCross2);
  Row->addWidget(GroupCalculate);
}

void TFormCalculateBarStrip::ShowCross(Integer Cross, Integer Series, const QString& Time, const QString& Value) {
  QLabel* S = Cross == 2 ? Series2 : Series1;
  S->setText(IntToStr(Series));
  (Cross == 2 ? X2 : X1)->setText(Time);
  (Cross == 2 ? Y2 : Y1)->setText(Value);
}

void TFormCalculateBarStrip::ShowDeltas(const QString& DeltaX, const QString& DeltaY, const QString& InvDeltaX) {
  deltax->setText(DeltaX);
  deltay->setText(DeltaY);
  invdeltax->setText(InvDeltaX);
}

void TFormCalculateBarStrip::SetGroupsEnabled(bool Value) {
  GroupCross2->setEnabled(Value);
  GroupCalculate->setEnabled(Value);
}

// Closing the window clears the chart's flag.
void TFormCalculateBarStrip::hideEvent(QHideEvent* Event) {
  TForm::hideEvent(Event);
  if (FChart) FChart->SetShowValueBar(false);
}

}  // namespace quellix::_sEca
