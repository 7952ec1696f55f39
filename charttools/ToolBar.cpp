#include "quellix/charttools/ToolBar.h"

#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QVBoxLayout>

namespace quellix::ChartTools {

namespace {

constexpr int ButtonSize = 26;
constexpr int PaletteCells = 16;
constexpr int PaletteHeight = 16;

void Curve(QPainter& P, int Y0, int Y1) {
  QPainterPath Path;
  Path.moveTo(2, Y0);
  Path.cubicTo(7, Y0 - 12, 12, Y1 + 12, 18, Y1);
  P.drawPath(Path);
}

}  // namespace

QIcon ToolIcon(TToolIcon Icon) {
  QPixmap Pm(20, 20);
  Pm.fill(Qt::transparent);
  QPainter P(&Pm);
  P.setPen(QPen(Qt::black, 1));
  switch (Icon) {
    case tiCross:
      P.drawLine(10, 2, 10, 18);
      P.drawLine(2, 10, 18, 10);
      break;
    case tiZoom:
      P.drawEllipse(3, 3, 9, 9);
      P.setPen(QPen(Qt::black, 2));
      P.drawLine(11, 11, 17, 17);
      break;
    case tiLowerRef:
    case tiUpperRef: {
      const int Y = Icon == tiUpperRef ? 5 : 15;
      P.setPen(QPen(Qt::red, 1));
      P.drawLine(2, Y, 18, Y);
      P.setPen(QPen(Qt::black, 1));
      Curve(P, 10, 10);
      break;
    }
    case tiMeasure:
      Curve(P, 14, 6);
      break;
    case tiRemark:  // the mark a remark for all series leaves on the chart
      Curve(P, 14, 6);
      P.setPen(QPen(Qt::blue, 2));
      P.drawRoundedRect(8, 2, 4, 16, 2, 2);
      break;
    case tiCalculate:
      P.drawLine(6, 2, 6, 18);
      P.drawLine(14, 2, 14, 18);
      P.drawLine(6, 10, 14, 10);
      break;
    case tiAutoScale:
      P.drawLine(10, 2, 10, 18);
      P.drawLine(10, 2, 7, 6);
      P.drawLine(10, 2, 13, 6);
      P.drawLine(10, 18, 7, 14);
      P.drawLine(10, 18, 13, 14);
      break;
    case tiCapture:
      P.drawRect(3, 3, 14, 14);
      P.drawLine(3, 10, 17, 10);
      break;
    case tiJogShuttle:  // wind back and forth
      P.setBrush(Qt::black);
      P.drawPolygon(QPolygon({QPoint(2, 10), QPoint(9, 5), QPoint(9, 15)}));
      P.drawPolygon(QPolygon({QPoint(18, 10), QPoint(11, 5), QPoint(11, 15)}));
      break;
    case tiValueBar:
      P.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, QStringLiteral("1.2"));
      break;
    case tiTitles:
      P.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, QStringLiteral("Abc"));
      break;
    case tiGrid:
      for (int i = 3; i <= 17; i += 7) {
        P.drawLine(i, 3, i, 17);
        P.drawLine(3, i, 17, i);
      }
      break;
    case tiAxis:
      P.drawLine(3, 17, 17, 17);
      P.drawLine(3, 3, 3, 17);
      for (int i = 6; i <= 17; i += 4) P.drawLine(i, 15, i, 17);
      break;
  }
  return QIcon(Pm);
}

TToolBar::TToolBar(const std::vector<TToolButtonDef>& Buttons, QWidget* Palette, QWidget* AParent)
    : TForm(nullptr, AParent), FDefs(Buttons), FPalette(Palette) {
  SetCaption(tr("Werkzeuge"));
  SetToolWindow(true);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  auto* Column = new QVBoxLayout(this);
  Column->setSizeConstraint(QLayout::SetFixedSize);
  Column->setContentsMargins(4, 4, 4, 4);
  Column->setSpacing(4);
  auto* Row = new QHBoxLayout;
  Row->setSpacing(0);
  FModeGroup = new QButtonGroup(this);
  FModeGroup->setExclusive(true);
  for (const TToolButtonDef& D : FDefs) {
    auto* B = new QToolButton(this);
    B->setFixedSize(ButtonSize, ButtonSize);
    B->setIcon(ToolIcon(D.Icon));
    B->setToolTip(tr(D.Hint));
    B->setCheckable(D.Kind != TToolButtonDef::bkPush);
    if (D.Kind == TToolButtonDef::bkMode) FModeGroup->addButton(B);
    connect(B, &QToolButton::clicked, this, [Click = D.Click](bool Down) { Click(Down); });
    Row->addWidget(B);
    FButtons.push_back(B);
  }
  Column->addLayout(Row);
  const int Width = int(FDefs.size()) * ButtonSize;
  Palette->setFixedSize(Width / PaletteCells * PaletteCells, PaletteHeight);
  Column->addWidget(Palette, 0, Qt::AlignHCenter);

  FTimer = new TTimer(this);
  FTimer->SetInterval(1000);
  FTimer->OnTimer = [this](TObject*) { SyncButtons(); };
  SyncButtons();
}

void TToolBar::changeEvent(QEvent* Event) {
  TForm::changeEvent(Event);
  if (Event->type() == QEvent::ActivationChange && isActiveWindow()) SyncButtons();
}

void TToolBar::SyncButtons() {
  for (size_t i = 0; i < FDefs.size(); ++i) {
    const TToolButtonDef& D = FDefs[i];
    if (!D.Down) continue;
    // In the exclusive group only the button that is down is set.
    const bool Down = D.Down();
    if (D.Kind == TToolButtonDef::bkToggle || Down) FButtons[i]->setChecked(Down);
  }
}

}  // namespace quellix::ChartTools
