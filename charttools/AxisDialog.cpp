#include "quellix/charttools/AxisDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "quellix/host/NumberFormat.h"

namespace quellix::ChartTools {

namespace {

QString Text7(Extended V) { return FloatToStrGeneral(V, 7); }

// Whether V fits the property's float type and keeps the range's span
// finite in that type.
template <class T>
bool Holds(Extended V, const TNumberField& F) {
  const T Value = static_cast<T>(V);
  if (!std::isfinite(Value)) return false;
  if (!F.OtherEnd) return true;
  const T Other = static_cast<T>(F.OtherEnd());
  return std::isfinite(F.UpperEnd ? T(Value - Other) : T(Other - Value));
}

}  // namespace

TAxisDialog::TAxisDialog(TRefusal Refusal, TComponentCore* AOwner, QWidget* AParent)
    : TPropertyDialog(tr("Maße"), AOwner, AParent), FRefusal(Refusal) {
  auto* Row = new QHBoxLayout;
  const QString Titles[2] = {tr("X-Achse"), tr("Y-Achse")};
  for (int i = 0; i < 2; ++i) {
    FGroups[i] = new QGroupBox(Titles[i], this);
    new QGridLayout(FGroups[i]);
    Row->addWidget(FGroups[i], 0, Qt::AlignTop);
  }
  Body()->addLayout(Row);
}

QGridLayout* TAxisDialog::GroupGrid(TAxisGroup Group) const {
  return static_cast<QGridLayout*>(FGroups[Group]->layout());
}

QLineEdit* TAxisDialog::AddNumber(TAxisGroup Group, const QString& Label, TNumberField Field) {
  QGridLayout* G = GroupGrid(Group);
  const int R = G->rowCount();
  auto* E = new QLineEdit(FGroups[Group]);
  E->setMinimumWidth(E->fontMetrics().horizontalAdvance(QStringLiteral("-0,0000000E-00")) + 12);
  G->addWidget(new QLabel(Label, FGroups[Group]), R, 0);
  G->addWidget(E, R, 1);
  FNumbers.push_back({E, std::move(Field)});
  connect(E, &QLineEdit::editingFinished, this, [this, E] { EditExit(E); });
  return E;
}

QSpinBox* TAxisDialog::AddDecimals(TAxisGroup Group, int Min, int Max, std::function<Integer()> Get,
                                   std::function<void(Integer)> Set) {
  QGridLayout* G = GroupGrid(Group);
  const int R = G->rowCount();
  auto* S = new QSpinBox(FGroups[Group]);
  S->setRange(Min, Max);
  G->addWidget(new QLabel(tr("Dezimalstellen"), FGroups[Group]), R, 0);
  G->addWidget(S, R, 1);
  FDecimals.push_back({S, std::move(Get)});
  connect(S, &QSpinBox::valueChanged, this, [this, Set = std::move(Set)](int V) {
    if (Live()) Set(V);
  });
  return S;
}

const TAxisDialog::TNumberRow& TAxisDialog::Row(QLineEdit* Edit) const {
  for (const TNumberRow& R : FNumbers)
    if (R.Edit == Edit) return R;
  return FNumbers.front();
}

void TAxisDialog::Fill() {
  for (const TNumberRow& R : FNumbers) R.Edit->setText(Text7(R.Field.Get()));
  for (const TDecimalsRow& R : FDecimals) R.Spin->setValue(R.Get());
}

void TAxisDialog::ApplyNumber(QLineEdit* Edit) {
  if (!Live()) return;
  const TNumberField& F = Row(Edit).Field;
  const Extended V = StrToFloat(Edit->text());
  const bool Fits = F.Kind == fkSingle ? Holds<Single>(V, F) : Holds<Double>(V, F);
  if (!Fits) throw EConvertError(tr("'%1' ist kein gültiger Gleitkommawert").arg(Edit->text()));
  if (F.PositiveOnly && !(V > 0)) return;
  F.Set(V);
}

void TAxisDialog::EditExit(QLineEdit* Edit) {
  // The message box takes the focus from the edit, which must not ask again.
  if (!Live() || FAnswering) return;
  try {
    ApplyNumber(Edit);
  } catch (const EConvertError& E) {
    if (FRefusal == rfPutBack)
      Edit->setText(Text7(Row(Edit).Field.Get()));
    else {
      FAnswering = true;
      MessageDlg(E.Message(), mtError, mbOK);
      FAnswering = false;
    }
  }
}

}  // namespace quellix::ChartTools
