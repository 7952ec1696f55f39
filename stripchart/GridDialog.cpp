#include "quellix/stripchart/GridDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "quellix/stripchart/StripChartEngine.h"

namespace quellix::_sEfg {

using namespace StrpChrtInt;

namespace {

const Qt::PenStyle kQtStyles[7] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                   Qt::DashDotDotLine, Qt::NoPen, Qt::SolidLine};

// An entry of the line-style box: its rectangle filled with the box's
// colour and a horizontal line across it in the entry's pen style.
void DrawStyleEntry(QPainter& P, const QRect& R, int Row, const QBrush& Fill, const QColor& Line) {
  P.save();
  P.fillRect(R, Fill);
  QPen Pen(Line);
  Pen.setStyle(kQtStyles[std::clamp(Row, 0, 6)]);
  P.setPen(Pen);
  const int Y = R.center().y();
  P.drawLine(R.left() + 4, Y, R.right() - 4, Y);
  P.restore();
}

class TLineStyleDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* P, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    const bool Selected = Option.state & QStyle::State_Selected;
    DrawStyleEntry(*P, Option.rect, Index.row(), Selected ? Option.palette.highlight() : Option.palette.base(),
                   Selected ? Option.palette.highlightedText().color() : Option.palette.text().color());
  }
  QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    return {QStyledItemDelegate::sizeHint(Option, Index).width(), 16};
  }
};

// The closed box shows the chosen entry the same way.
class TLineStyleCombo : public QComboBox {
public:
  using QComboBox::QComboBox;

protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter P(this);
    QStyleOptionComboBox Opt;
    initStyleOption(&Opt);
    Opt.currentText.clear();
    P.drawComplexControl(QStyle::CC_ComboBox, Opt);
    const QRect R = style()->subControlRect(QStyle::CC_ComboBox, &Opt, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0) DrawStyleEntry(P, R, currentIndex(), palette().base(), palette().text().color());
  }
};

}  // namespace

TFormGridStrip::TFormGridStrip(TComponentCore* AOwner, QWidget* AParent) : TForm(AOwner, AParent) {
  SetCaption(QStringLiteral("Gitter"));
  auto* Col = new QVBoxLayout(this);
  auto* Box = new QGroupBox(QStringLiteral("Gitter"), this);
  auto* BoxL = new QVBoxLayout(Box);
  CBGridVisible = new QCheckBox(QString::fromUtf8("Gitter sichtbar"), Box);
  BoxL->addWidget(CBGridVisible);
  BoxL->addWidget(new QLabel(QStringLiteral("Skalierung"), Box));
  CBScale = new QComboBox(Box);
  CBScale->addItems({QStringLiteral("linear/linear"), QStringLiteral("linear/logarithmisch"),
                     QStringLiteral("logarithmisch/linear"), QStringLiteral("logarithmisch/logarithmisch")});
  BoxL->addWidget(CBScale);
  BoxL->addWidget(new QLabel(QStringLiteral("Linientypen"), Box));
  CBLineStyle = new TLineStyleCombo(Box);
  for (int i = psSolid; i <= psInsideFrame; ++i) CBLineStyle->addItem(QString());
  CBLineStyle->setItemDelegate(new TLineStyleDelegate(CBLineStyle));
  CBLineStyle->setMinimumWidth(120);
  BoxL->addWidget(CBLineStyle);
  Col->addWidget(Box);
  auto* Buttons = new QHBoxLayout;
  auto* OK = new QPushButton(QStringLiteral("OK"), this);
  auto* Cancel = new QPushButton(QStringLiteral("Cancel"), this);
  Buttons->addStretch();
  Buttons->addWidget(OK);
  Buttons->addWidget(Cancel);
  Col->addLayout(Buttons);
  connect(OK, &QPushButton::clicked, this, [this] { ButtonOKClick(); });
  connect(Cancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
  connect(CBGridVisible, &QCheckBox::clicked, this, [this] { CBGridVisibleClick(); });
  connect(CBScale, &QComboBox::activated, this, [this](int I) { CBScaleChange(I); });
  connect(CBLineStyle, &QComboBox::activated, this, [this](int I) { CBLineStyleChange(I); });
  OnShow = [this](TObject*) { FormShow(); };
}

void TFormGridStrip::FormShow() {
  if (!Chart) return;
  FSavedStyle = Chart->GridLineStyle();
  FSavedVisible = Chart->GridVisible();
  FSavedScale = Chart->GridScale();
  CBScale->setCurrentIndex(Chart->GridScale() == strpLog ? 1 : 0);
  CBLineStyle->setCurrentIndex(Chart->GridLineStyle());
  CBGridVisible->setChecked(Chart->GridVisible() != grdNone);
  FShowing = true;
}

void TFormGridStrip::CBGridVisibleClick() {
  if (Chart) Chart->SetGridVisible(CBGridVisible->isChecked() ? grdBoth : grdNone);
}

// The chart knows a linear and a logarithmic value axis; the time axis is
// always linear. So the entries name time/value scales, and the two with
// a logarithmic time axis select the value scale they name second.
void TFormGridStrip::CBScaleChange(int Index) {
  if (Chart && Index >= 0) Chart->SetGridScale(Index % 2 == 0 ? strpLin : strpLog);
}

void TFormGridStrip::CBLineStyleChange(int Index) {
  if (Chart && Index >= psSolid && Index <= psInsideFrame) Chart->SetGridLineStyle(static_cast<TPenStyle>(Index));
}

void TFormGridStrip::done(int Result) {
  if (Result == mrCancel && Chart && FShowing) {
    Chart->SetGridLineStyle(FSavedStyle);
    Chart->SetGridVisible(static_cast<TGrdVisible>(FSavedVisible));
    Chart->SetGridScale(static_cast<TstrpScale>(FSavedScale));
  }
  FShowing = false;
  TForm::done(Result);
}

}  // namespace quellix::_sEfg
