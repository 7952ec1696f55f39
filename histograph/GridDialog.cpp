// The grid dialog: a check box, the scale list and an owner-drawn list of
// the seven line styles.
#include "quellix/histograph/GridDialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>

#include "quellix/histograph/HistographEngine.h"

namespace quellix::Efg {

void DrawLineStyleItem(TCanvas& Cv, const TRect& R, TPenStyle Style) {
  const int Saved = Cv.SaveDC();
  Cv.Pen().Mode = pmCopy;
  Cv.Pen().Width = 1;
  Cv.Brush().Style = bsSolid;
  Cv.Brush().Color = clWhite;
  Cv.FillRect(R);
  Cv.Pen().Color = clBlack;
  Cv.Pen().Style = psSolid;
  Cv.Brush().Style = bsClear;
  Cv.Rectangle(R);
  Cv.Pen().Style = Style;
  const Integer Middle = (R.Top + R.Bottom) / 2;
  Cv.MoveTo(R.Left + 1, Middle);
  Cv.LineTo(R.Right - 1, Middle);
  Cv.RestoreDC(Saved);
}

namespace {

constexpr TPenStyle LineStyles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame};

// Paints each entry of the line-style list with DrawLineStyleItem.
class TLineStyleDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* P, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    const QRect Q = Option.rect;
    TBitmap B(Q.width(), Q.height());
    DrawLineStyleItem(B.Canvas(), Rect(0, 0, Q.width(), Q.height()), LineStyles[Index.row()]);
    P->drawImage(Q.topLeft(), B.Image());
    if (Option.state & QStyle::State_Selected) {
      P->setPen(QPen(Qt::blue, 2));
      P->drawRect(Q.adjusted(1, 1, -1, -1));
    }
  }
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {100, 15}; }
};

}  // namespace

TFormGrid::TFormGrid(TComponentCore* AOwner, QWidget* AParent) : TForm(AOwner, AParent) {
  SetCaption(QStringLiteral("Gitter"));
  setFixedSize(400, 240);
  auto* Box = new QGroupBox(QStringLiteral("Gitter"), this);
  Box->setGeometry(8, 8, 384, 186);
  CheckVisible = new QCheckBox(QStringLiteral("Gitter sichtbar"), Box);
  CheckVisible->setGeometry(10, 22, 150, 20);
  auto* L1 = new QLabel(QStringLiteral("Skalierung"), Box);
  L1->setGeometry(10, 48, 150, 16);
  ListScale = new QListWidget(Box);
  ListScale->setGeometry(10, 66, 210, 110);
  ListScale->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ListScale->addItems({QStringLiteral("linear/linear"), QStringLiteral("linear/logarithmisch"),
                       QStringLiteral("logarithmisch/linear"), QStringLiteral("logarithmisch/logarithmisch")});
  auto* L2 = new QLabel(QStringLiteral("Linientypen"), Box);
  L2->setGeometry(232, 48, 140, 16);
  ListLineStyle = new QListWidget(Box);
  ListLineStyle->setGeometry(232, 66, 142, 7 * 15 + 4);
  ListLineStyle->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ListLineStyle->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ListLineStyle->setItemDelegate(new TLineStyleDelegate(ListLineStyle));
  for (int i = 0; i < 7; ++i) ListLineStyle->addItem(QString());

  connect(CheckVisible, &QCheckBox::clicked, this, [this] { CheckClick(); });
  connect(ListScale, &QListWidget::currentRowChanged, this, [this] { ScaleClick(); });
  connect(ListLineStyle, &QListWidget::currentRowChanged, this, [this] { LineStyleClick(); });

  auto* Ok = new QPushButton(QStringLiteral("OK"), this);
  Ok->setGeometry(220, 204, 80, 26);
  Ok->setDefault(true);
  connect(Ok, &QPushButton::clicked, this, [this] { OkClick(); });
  auto* Cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
  Cancel->setGeometry(310, 204, 80, 26);
  connect(Cancel, &QPushButton::clicked, this, [this] { CancelClick(); });
}

void TFormGrid::showEvent(QShowEvent* Event) {
  FormShow();
  TForm::showEvent(Event);
  FormActivate();
}

void TFormGrid::changeEvent(QEvent* Event) {
  TForm::changeEvent(Event);
  if (Event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TFormGrid::FormShow() {
  if (!FHisto) return;
  FLineStyle = FHisto->GridLineStyle();
  FVisible = FHisto->GridVisible();
  FScale = FHisto->GridScale();
  FCopied = true;
  FFilling = true;
  ListLineStyle->setCurrentRow(FLineStyle);
  FFilling = false;
}

void TFormGrid::FormActivate() {
  if (!FHisto) return;
  FFilling = true;
  CheckVisible->setChecked(FHisto->GridVisible() != HistoInt::grdNone);
  ListScale->setCurrentRow(FHisto->GridScale());
  ListLineStyle->setCurrentRow(FHisto->GridLineStyle());
  FFilling = false;
}

void TFormGrid::CheckClick() {
  if (!FHisto || FFilling) return;
  FHisto->SetGridVisible(CheckVisible->isChecked() ? HistoInt::grdBoth : HistoInt::grdNone);
}

void TFormGrid::ScaleClick() {
  if (!FHisto || FFilling) return;
  const int Row = ListScale->currentRow();
  if (Row >= 0 && Row <= HistoInt::sclLogLog) FHisto->SetGridScale(static_cast<HistoInt::TGrdScale>(Row));
}

void TFormGrid::LineStyleClick() {
  if (!FHisto || FFilling) return;
  const int Row = ListLineStyle->currentRow();
  if (Row >= 0 && Row < 7) FHisto->SetGridLineStyle(LineStyles[Row]);
}

void TFormGrid::done(int Result) {
  if (FHisto && FCopied && Result != mrOk) {
    FHisto->SetGridLineStyle(FLineStyle);
    FHisto->SetGridVisible(static_cast<HistoInt::TGrdVisible>(FVisible));
    FHisto->SetGridScale(static_cast<HistoInt::TGrdScale>(FScale));
  }
  FCopied = false;
  TForm::done(Result);
}

}  // namespace quellix::Efg
