#include "quellix/stripchart/ToolBar.h"

#include <QEvent>
#include <QHBoxLayout>

#include "quellix/stripchart/RemarkDialog.h"
#include "quellix/stripchart/StripChartEngine.h"
#include "quellix/stripchart/AxisDialog.h"
#include "quellix/stripchart/GridDialog.h"
#include "quellix/stripchart/TitleDialog.h"

namespace quellix::_sEtb {

using StrpChrtInt::TStripChartInt;

namespace {
QToolButton* Button(QWidget* Parent, const QString& Text, const QString& Hint, bool Toggle) {
  auto* B = new QToolButton(Parent);
  B->setText(Text);
  B->setToolTip(Hint);
  B->setCheckable(Toggle);
  B->setAutoRaise(false);
  B->setMinimumWidth(26);
  return B;
}
}  // namespace

TFormToolBarStrip::TFormToolBarStrip(TStripChartInt* Chart, QWidget* AParent)
    : TForm(nullptr, AParent), FChart(Chart) {
  SetCaption(QStringLiteral("Werkzeuge"));
  SetToolWindow(true);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  auto* Row = new QHBoxLayout(this);
  Row->setSpacing(2);
  BShowCross = Button(this, QStringLiteral("+"), QStringLiteral("Fadenkreuz"), true);
  BModeZoom = Button(this, QStringLiteral("Z"), QStringLiteral("Zoom"), true);
  BModeMeasure = Button(this, QStringLiteral("M"), QString::fromUtf8("Meßkurve(n)"), true);
  BModeRemark = Button(this, QStringLiteral("B"), QString::fromUtf8("Bemerkung ändern"), true);
  BModeCalculate = Button(this, QStringLiteral("V"), QStringLiteral("Vermessen"), true);
  BAutoScale = Button(this, QStringLiteral("A"), QStringLiteral("Autoscale"), true);
  BCapture = Button(this, QStringLiteral("F"), QStringLiteral("fangen"), false);
  BJogShuttle = Button(this, QStringLiteral("J"), QStringLiteral("Jog Shuttle"), true);
  BValueBar = Button(this, QStringLiteral("W"), QStringLiteral("Werte anzeigen"), true);
  BTitle = Button(this, QStringLiteral("T"), QStringLiteral("Beschriftung"), false);
  BGrid = Button(this, QStringLiteral("#"), QStringLiteral("Gitter"), false);
  BView = Button(this, QStringLiteral("|-|"), QString::fromUtf8("Maße"), false);
  ModeGroup = new QButtonGroup(this);
  ModeGroup->setExclusive(true);
  ModeGroup->addButton(BModeMeasure, StrpChrtInt::modeMeasure);
  ModeGroup->addButton(BModeRemark, StrpChrtInt::modeRemark);
  ModeGroup->addButton(BModeZoom, StrpChrtInt::modeZoom);
  ModeGroup->addButton(BModeCalculate, StrpChrtInt::modeCalculate);
  BModeMeasure->setChecked(true);
  for (QToolButton* B : {BShowCross, BModeZoom, BModeMeasure, BModeRemark, BModeCalculate, BAutoScale, BCapture,
                         BJogShuttle, BValueBar, BTitle, BGrid, BView})
    Row->addWidget(B);
  ColorGridHisto1 = new Colorhis::TColorGridHisto(nullptr, this);
  ColorGridHisto1->SetGridOrdering(Colorhis::go16x1);
  ColorGridHisto1->SetBounds(0, 0, 16 * 12, 14);
  ColorGridHisto1->setFixedSize(16 * 12, 14);
  ColorGridHisto1->SetHint(QStringLiteral("Farben"));
  ColorGridHisto1->setToolTip(QStringLiteral("Farben"));
  Row->addWidget(ColorGridHisto1);

  FTitle = std::make_unique<_sEft::TFormTitleStrip>();
  FGrid = std::make_unique<_sEfg::TFormGridStrip>();
  FAxis = std::make_unique<_sEfa::TFormAxisStrip>();
  FTitle->Chart = FGrid->Chart = FAxis->Chart = Chart;

  connect(BShowCross, &QToolButton::toggled, this, [this](bool On) { FChart->SetShowCross(On); });
  connect(BAutoScale, &QToolButton::toggled, this, [this](bool On) { FChart->SetAutoScale(On); });
  connect(BValueBar, &QToolButton::toggled, this, [this](bool On) { FChart->SetShowValueBar(On); });
  connect(BJogShuttle, &QToolButton::toggled, this, [this](bool On) { FChart->SetShowJogShuttleBar(On); });
  connect(ModeGroup, &QButtonGroup::idToggled, this, [this](int Id, bool On) {
    if (On) FChart->SetStripMode(static_cast<StrpChrtInt::TStripMode>(Id));
  });
  connect(BCapture, &QToolButton::clicked, this, [this] { FChart->CaptureRange(); });
  connect(BTitle, &QToolButton::clicked, this, [this] { Remedit::RunModal(*FTitle); });
  connect(BGrid, &QToolButton::clicked, this, [this] { Remedit::RunModal(*FGrid); });
  connect(BView, &QToolButton::clicked, this, [this] { Remedit::RunModal(*FAxis); });

  Timer1 = new TTimer(this);
  Timer1->SetInterval(1000);
  Timer1->OnTimer = [this](TObject*) { SyncFromChart(); };
  SyncFromChart();
}

TFormToolBarStrip::~TFormToolBarStrip() = default;

void TFormToolBarStrip::SyncFromChart() {
  const QSignalBlocker B1(BShowCross), B2(BAutoScale), B3(BValueBar), B4(BJogShuttle), B5(ModeGroup);
  BShowCross->setChecked(FChart->ShowCross());
  BAutoScale->setChecked(FChart->AutoScale());
  BValueBar->setChecked(FChart->ShowValueBar());
  BJogShuttle->setChecked(FChart->ShowJogShuttleBar());
  if (QAbstractButton* M = ModeGroup->button(FChart->StripMode())) M->setChecked(true);
}

bool TFormToolBarStrip::event(QEvent* Event) {
  if (Event->type() == QEvent::WindowActivate) SyncFromChart();
  return TForm::event(Event);
}

void TFormToolBarStrip::hideEvent(QHideEvent* Event) {
  TForm::hideEvent(Event);
  FChart->SetShowToolBar(false);
}

}  // namespace quellix::_sEtb
