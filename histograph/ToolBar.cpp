// The tool bar window: the buttons with their hints and icons, the colour
// grid, the three dialogs and the timer that keeps the buttons in step
// with the histograph.
#include "quellix/histograph/ToolBar.h"

#include <QButtonGroup>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include "quellix/histograph/ColorGrid.h"
#include "quellix/histograph/HistographEngine.h"
#include "quellix/histograph/DimensionDialog.h"
#include "quellix/histograph/GridDialog.h"
#include "quellix/histograph/TitleDialog.h"

namespace quellix::Etb {

using HistoInt::THistographInt;

namespace {

constexpr int ButtonSize = 26;

// A 20 x 20 icon for each button, drawn with a few lines.
QIcon MakeIcon(TToolButton B) {
  QPixmap Pm(20, 20);
  Pm.fill(Qt::transparent);
  QPainter P(&Pm);
  P.setPen(QPen(Qt::black, 1));
  switch (B) {
    case tbCross:
      P.drawLine(10, 2, 10, 18);
      P.drawLine(2, 10, 18, 10);
      break;
    case tbZoom:
      P.drawEllipse(3, 3, 9, 9);
      P.setPen(QPen(Qt::black, 2));
      P.drawLine(11, 11, 17, 17);
      break;
    case tbLowerRef:
    case tbUpperRef: {
      const int Y = B == tbUpperRef ? 6 : 14;
      P.setPen(QPen(Qt::red, 1));
      P.drawLine(2, Y, 18, Y);
      P.setPen(QPen(Qt::black, 1));
      QPainterPath Path;
      Path.moveTo(2, 10);
      Path.cubicTo(7, 2, 12, 18, 18, 10);
      P.drawPath(Path);
      break;
    }
    case tbMeasure: {
      QPainterPath Path;
      Path.moveTo(2, 14);
      Path.cubicTo(7, 0, 12, 20, 18, 6);
      P.drawPath(Path);
      break;
    }
    case tbCalculate:
      P.drawLine(6, 2, 6, 18);
      P.drawLine(14, 2, 14, 18);
      P.drawLine(6, 10, 14, 10);
      break;
    case tbAutoScale:
      P.drawLine(10, 2, 10, 18);
      P.drawLine(10, 2, 7, 6);
      P.drawLine(10, 2, 13, 6);
      P.drawLine(10, 18, 7, 14);
      P.drawLine(10, 18, 13, 14);
      break;
    case tbCapture:
      P.drawRect(3, 3, 14, 14);
      P.drawLine(3, 10, 17, 10);
      break;
    case tbValueBar:
      P.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, QStringLiteral("1.2"));
      break;
    case tbTitles:
      P.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, QStringLiteral("Abc"));
      break;
    case tbGrid:
      for (int i = 3; i <= 17; i += 7) {
        P.drawLine(i, 3, i, 17);
        P.drawLine(3, i, 17, i);
      }
      break;
    case tbAxis:
      P.drawLine(3, 17, 17, 17);
      P.drawLine(3, 3, 3, 17);
      for (int i = 6; i <= 17; i += 4) P.drawLine(i, 15, i, 17);
      break;
  }
  return QIcon(Pm);
}

}  // namespace

TFormToolBar::TFormToolBar(THistographInt* Histo) : TForm(nullptr, Histo), FHisto(Histo) {
  SetCaption(QStringLiteral("Werkzeuge"));
  SetToolWindow(true);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);

  struct Def {
    TToolButton B;
    const char* Hint;
    bool Checkable;
  };
  const Def Defs[ToolButtonCount] = {
      {tbCross, "Fadenkreuz", true},        {tbZoom, "Zoom", true},
      {tbLowerRef, "untere Referenzkurve", true}, {tbMeasure, "Meßkurve(n)", true},
      {tbCalculate, "Vermessen", true},     {tbUpperRef, "obere Referenzkurve", true},
      {tbAutoScale, "Autoscale", true},     {tbCapture, "fangen", false},
      {tbValueBar, "Werte anzeigen", true}, {tbTitles, "Beschriftung", false},
      {tbGrid, "Gitter", false},            {tbAxis, "Maße", false}};
  auto* Modes = new QButtonGroup(this);
  Modes->setExclusive(true);
  for (int i = 0; i < ToolButtonCount; ++i) {
    auto* Btn = new QToolButton(this);
    Btn->setGeometry(4 + i * ButtonSize, 4, ButtonSize, ButtonSize);
    Btn->setToolTip(QString::fromUtf8(Defs[i].Hint));
    Btn->setCheckable(Defs[i].Checkable);
    Btn->setIcon(MakeIcon(Defs[i].B));
    Btn->setAutoRaise(false);
    FButtons[i] = Btn;
    const TToolButton B = Defs[i].B;
    connect(Btn, &QToolButton::clicked, this, [this, B] { ButtonClick(B); });
  }
  for (TToolButton B : {tbZoom, tbLowerRef, tbMeasure, tbCalculate, tbUpperRef}) Modes->addButton(FButtons[B]);

  const int W = 8 + ToolButtonCount * ButtonSize;
  FPalette = new Colorhis::TColorGridHisto(nullptr, this);
  FPalette->SetGridOrdering(Colorhis::go16x1);
  FPalette->SetBounds(4, 4 + ButtonSize + 4, W - 8, 16);
  FPalette->SetHint(QStringLiteral("Drag&Drop Farbpalette"));
  FPalette->setToolTip(FPalette->Hint());
  FPalette->SetShowHint(true);
  setFixedSize(W, 4 + ButtonSize + 4 + FPalette->Height() + 4);

  FFormTitle = new Eft::TFormTitle(nullptr, this);
  FFormGrid = new Efg::TFormGrid(nullptr, this);
  FFormAxis = new Efa::TFormAxis(nullptr, this);
  FFormTitle->SetHistograph(Histo);
  FFormGrid->SetHistograph(Histo);
  FFormAxis->SetHistograph(Histo);

  FTimer = new TTimer(nullptr);
  FTimer->SetInterval(1000);
  FTimer->OnTimer = [this](TObject*) { SyncButtons(); };

  // Closing the window switches the property off.
  OnClose = [this](TObject*) {
    if (FHisto->ShowToolBar()) FHisto->SetShowToolBar(false);
  };
  SyncButtons();
}

TFormToolBar::~TFormToolBar() {
  FTimer->OnTimer = nullptr;
  delete FTimer;
}

void TFormToolBar::changeEvent(QEvent* Event) {
  TForm::changeEvent(Event);
  if (Event->type() == QEvent::ActivationChange && isActiveWindow()) SyncButtons();
}

void TFormToolBar::SyncButtons() {
  FButtons[tbValueBar]->setChecked(FHisto->ShowValueBar());
  FButtons[tbCross]->setChecked(FHisto->ShowCross());
  FButtons[tbAutoScale]->setChecked(FHisto->AutoScale());
  static constexpr TToolButton ModeButtons[] = {tbMeasure, tbLowerRef, tbUpperRef, tbZoom, tbCalculate};
  FButtons[ModeButtons[FHisto->Mode()]]->setChecked(true);
}

void TFormToolBar::ButtonClick(TToolButton B) {
  THistographInt& H = *FHisto;
  switch (B) {
    case tbCross: H.SetShowCross(FButtons[B]->isChecked()); break;
    case tbZoom: H.SetMode(HistoInt::modeZoom); break;
    case tbLowerRef: H.SetMode(HistoInt::modeLowerRef); break;
    case tbMeasure: H.SetMode(HistoInt::modeMeasure); break;
    case tbCalculate: H.SetMode(HistoInt::modeCalculate); break;
    case tbUpperRef: H.SetMode(HistoInt::modeUpperRef); break;
    case tbAutoScale: H.SetAutoScale(FButtons[B]->isChecked()); break;
    case tbCapture:
      if (H.CalcAutoScale()) H.Repaint();
      break;
    case tbValueBar: H.SetShowValueBar(FButtons[B]->isChecked()); break;
    case tbTitles: RunModal(FFormTitle); break;
    case tbGrid: RunModal(FFormGrid); break;
    case tbAxis: RunModal(FFormAxis); break;
  }
}

}  // namespace quellix::Etb
