#include "quellix/charttools/GridDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace quellix::ChartTools {

void DrawLineStyleItem(TCanvas& Cv, const TRect& R, TPenStyle Style, TColor Fill, bool Framed) {
  const int Saved = Cv.SaveDC();
  Cv.Pen().Mode = pmCopy;
  Cv.Pen().Width = 1;
  Cv.Brush().Style = bsSolid;
  Cv.Brush().Color = Fill;
  Cv.FillRect(R);
  Cv.Pen().Color = clBlack;
  if (Framed) {
    Cv.Pen().Style = psSolid;
    Cv.Brush().Style = bsClear;
    Cv.Rectangle(R);
  }
  Cv.Pen().Style = Style;
  const Integer Middle = (R.Top + R.Bottom) / 2;
  Cv.MoveTo(R.Left + 1, Middle);
  Cv.LineTo(R.Right - 1, Middle);
  Cv.RestoreDC(Saved);
}

namespace {

constexpr TPenStyle LineStyles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame};
constexpr int LineStyleCount = 7;
constexpr int ItemHeight = 16;

// The look of the line-style entries: framed on white in an open list,
// on the box's own colour in a drop-down box.
struct TLineStyleLook {
  TColor Fill;
  bool Framed;
};

void PaintLineStyle(QPainter& P, const QRect& Q, int Row, TLineStyleLook Look) {
  if (Row < 0 || Row >= LineStyleCount || Q.isEmpty()) return;
  TBitmap B(Q.width(), Q.height());
  DrawLineStyleItem(B.Canvas(), Rect(0, 0, Q.width(), Q.height()), LineStyles[Row], Look.Fill, Look.Framed);
  P.drawImage(Q.topLeft(), B.Image());
}

class TLineStyleDelegate : public QStyledItemDelegate {
public:
  TLineStyleDelegate(TLineStyleLook Look, QObject* Parent) : QStyledItemDelegate(Parent), FLook(Look) {}
  void paint(QPainter* P, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    PaintLineStyle(*P, Option.rect, Index.row(), FLook);
    if (Option.state & QStyle::State_Selected) {
      P->setPen(QPen(Option.palette.highlight(), 2));
      P->drawRect(Option.rect.adjusted(1, 1, -1, -1));
    }
  }
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {100, ItemHeight}; }

private:
  TLineStyleLook FLook;
};

// A closed drop-down box shows its chosen line style the same way.
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
    PaintLineStyle(P, R, currentIndex(), {clWindow, false});
  }
};

// An open list just tall and wide enough for its entries.
QListWidget* NewList(const QStringList& Entries, QWidget* Parent) {
  auto* L = new QListWidget(Parent);
  L->addItems(Entries);
  L->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  L->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return L;
}

void FitList(QListWidget* L) {
  const int Frame = 2 * L->frameWidth();
  L->setFixedHeight(L->count() * L->sizeHintForRow(0) + Frame);
  L->setMinimumWidth(L->sizeHintForColumn(0) + Frame + 8);
}

void SetCurrent(QWidget* Choice, int Entry) {
  if (auto* L = qobject_cast<QListWidget*>(Choice))
    L->setCurrentRow(Entry);
  else
    static_cast<QComboBox*>(Choice)->setCurrentIndex(Entry);
}

}  // namespace

TGridDialog::TGridDialog(TChoiceStyle Style, TComponentCore* AOwner, QWidget* AParent)
    : TPropertyDialog(tr("Gitter"), AOwner, AParent) {
  auto* Box = new QGroupBox(tr("Gitter"), this);
  auto* Column = new QVBoxLayout(Box);
  CBGridVisible = new QCheckBox(tr("Gitter sichtbar"), Box);
  Column->addWidget(CBGridVisible);
  const QStringList Scales = {tr("linear/linear"), tr("linear/logarithmisch"),
                              tr("logarithmisch/linear"), tr("logarithmisch/logarithmisch")};
  const QStringList Blank(LineStyleCount, QString());
  if (Style == csList) {
    auto* Lists = new QHBoxLayout;
    auto* Left = new QVBoxLayout;
    auto* Right = new QVBoxLayout;
    auto* Scale = NewList(Scales, Box);
    auto* Line = NewList(Blank, Box);
    Line->setItemDelegate(new TLineStyleDelegate({clWhite, true}, Line));
    FitList(Scale);
    FitList(Line);
    Left->addWidget(new QLabel(tr("Skalierung"), Box));
    Left->addWidget(Scale);
    Left->addStretch();
    Right->addWidget(new QLabel(tr("Linientypen"), Box));
    Right->addWidget(Line);
    Right->addStretch();
    Lists->addLayout(Left);
    Lists->addLayout(Right);
    Column->addLayout(Lists);
    connect(Scale, &QListWidget::currentRowChanged, this, [this](int R) { ScaleChange(R); });
    connect(Line, &QListWidget::currentRowChanged, this, [this](int R) { LineStyleChange(R); });
    ScaleChoice = Scale;
    LineStyleChoice = Line;
  } else {
    auto* Scale = new QComboBox(Box);
    Scale->addItems(Scales);
    auto* Line = new TLineStyleCombo(Box);
    Line->addItems(Blank);
    Line->setItemDelegate(new TLineStyleDelegate({clWindow, false}, Line));
    Column->addWidget(new QLabel(tr("Skalierung"), Box));
    Column->addWidget(Scale);
    Column->addWidget(new QLabel(tr("Linientypen"), Box));
    Column->addWidget(Line);
    connect(Scale, &QComboBox::currentIndexChanged, this, [this](int I) { ScaleChange(I); });
    connect(Line, &QComboBox::currentIndexChanged, this, [this](int I) { LineStyleChange(I); });
    ScaleChoice = Scale;
    LineStyleChoice = Line;
  }
  connect(CBGridVisible, &QCheckBox::clicked, this, [this] { GridVisibleClick(); });
  Body()->addWidget(Box);
}

void TGridDialog::changeEvent(QEvent* Event) {
  TPropertyDialog::changeEvent(Event);
  if (Event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TGridDialog::Fill() {
  CBGridVisible->setChecked(ChartGridVisible());
  SetCurrent(ScaleChoice, ChartScaleEntry());
  SetCurrent(LineStyleChoice, ChartLineStyle());
}

void TGridDialog::GridVisibleClick() {
  if (Live()) SetChartGridVisible(CBGridVisible->isChecked());
}

void TGridDialog::ScaleChange(int Entry) {
  if (Live() && Entry >= 0 && Entry < 4) SetChartScaleEntry(Entry);
}

void TGridDialog::LineStyleChange(int Entry) {
  if (Live() && Entry >= 0 && Entry < LineStyleCount) SetChartLineStyle(LineStyles[Entry]);
}

}  // namespace quellix::ChartTools
