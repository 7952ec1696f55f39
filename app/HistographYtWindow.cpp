#include "quellix/app/HistographYtWindow.h"

#include <QVBoxLayout>
#include <cmath>

#include "quellix/host/NumberFormat.h"

namespace quellix::HistoYt_Unit {

using namespace HistoInt;

namespace {

// The curve all three series follow: one sample every 0.0625 rad.
Double Sine(Integer I) { return std::sin(I * 0.0625); }

void SetSeries(Histo::THistograph* H, Integer Serie, TDataKind Kind, TColor Color) {
  H->SetSeriesCurrent(Serie);
  H->SetSeriesStyle(Kind);
  H->SetSeriesColor(Color);
}

}  // namespace

THisto2_Demo::THisto2_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("THisto2_Demo"), tr("THistograph Demo"), AOwner) {
  SetTitle(tr("Yt-Darstellung"));
  SetExplanation(tr(
      "THistograph zeigt bis zu acht Kurven als Yt- oder XY-Darstellung. Hier läuft ein verrauschter Sinus "
      "zwischen einer oberen und einer unteren Referenzkurve (rot).\n"
      "„Start“ und „Stop“ schalten den eingebauten Timer des Histographen ein und aus."));
  resize(700, 560);
  QWidget* Area = ClientArea();

  Histograph1 = new Histo::THistograph(this, Area);
  Histograph1->SetName(QStringLiteral("Histograph1"));
  Histograph1->SetBounds(0, 0, 560, 390);
  Histograph1->SetAutoConfig(false);  // fed by the window, not by a source
  Histograph1->SetBkColor(clWhite);
  Histograph1->SetGridColor(clSilver);
  Histograph1->SetGridVisible(grdBoth);
  Histograph1->SetGridLineStyle(psDot);
  Histograph1->SetGapLeft(60);
  Histograph1->SetGapRight(20);
  Histograph1->SetGapTop(36);
  Histograph1->SetGapBottom(50);
  Histograph1->SetViewYMin(-2);
  Histograph1->SetViewYMax(2);
  Histograph1->SetViewYGap(0.5f);
  Histograph1->SetViewYDecimals(1);
  // One point per sample index.
  Histograph1->SetViewXNominalMin(1);
  Histograph1->SetViewXNominalMax(kPointCount);
  Histograph1->SetViewXCurrentMin(1);
  Histograph1->SetViewXCurrentMax(kPointCount);
  Histograph1->SetViewXGap(32);
  Histograph1->SetViewXDecimals(0);
  Histograph1->SetTitleTop(tr("Messwert mit Toleranzband"));
  Histograph1->SetTitleBottom(tr("Abtastwert"));
  Histograph1->SetTitleLeft(tr("Spannung [V]"));
  Histograph1->SetTimerInterval(1);
  Histograph1->OnTimer = [this](TObject* Sender) { Histograph1Timer(Sender); };

  auto* Buttons = new QWidget(Area);
  Buttons->setGeometry(576, 0, 100, 110);
  auto* Column = new QVBoxLayout(Buttons);
  Column->setContentsMargins(0, 0, 0, 0);
  Start = new QPushButton(tr("&Start"), Buttons);
  Start->setObjectName(QStringLiteral("Start"));
  Stop = new QPushButton(tr("S&top"), Buttons);
  Stop->setObjectName(QStringLiteral("Stop"));
  Werkzeuge = new QPushButton(tr("&Werkzeuge"), Buttons);
  Werkzeuge->setObjectName(QStringLiteral("Werkzeuge"));
  Column->addWidget(Start);
  Column->addWidget(Stop);
  Column->addWidget(Werkzeuge);
  Column->addStretch(1);

  connect(Start, &QPushButton::clicked, this, [this] { StartClick(); });
  connect(Stop, &QPushButton::clicked, this, [this] { StopClick(); });
  connect(Werkzeuge, &QPushButton::clicked, this, [this] { WerkzeugeClick(); });
  OnShow = [this](TObject*) { FormShow(); };
  // A closed window does not keep the timer running behind the menu, nor
  // its tool windows open.
  OnHide = [this](TObject*) { FormClose(); };
  FormShow();
}

void THisto2_Demo::FormShow() {
  Histograph1->SetTimerEnabled(false);
  Histograph1->SetShowToolBar(false);
  Histograph1->SetShowValueBar(false);
  Stop->setEnabled(false);
  Start->setEnabled(true);
  Histograph1->SetSeriesNumber(3);
  SetSeries(Histograph1, 1, dtData, clBlack);
  SetSeries(Histograph1, 2, dtUpperRef, clRed);
  SetSeries(Histograph1, 3, dtLowerRef, clRed);
  Histograph1->SetSeriesCurrent(1);
  // The reference curves are copied by the histograph.
  std::array<Single, kPointCount> Upper, Lower;
  for (Integer i = 1; i <= kPointCount; ++i) {
    Upper[i - 1] = Single(Sine(i) + 0.3);
    Lower[i - 1] = Single(Sine(i) - 0.3);
  }
  Histograph1->SetData(Upper.data(), kPointCount, 2);
  Histograph1->SetData(Lower.data(), kPointCount, 3);
}

void THisto2_Demo::Histograph1Timer(TObject*) {
  for (Integer i = 1; i <= kPointCount; ++i) FData[i - 1] = Single(Sine(i) + 0.5 * Random() - 0.2);
  Histograph1->SetData(FData.data(), kPointCount, 1);
}

void THisto2_Demo::StartClick() {
  Histograph1->SetTimerEnabled(true);
  Start->setEnabled(false);
  Stop->setEnabled(true);
}

// The tool bar window can also be closed on its own, so the histograph's
// state decides, not a flag of this window.
void THisto2_Demo::WerkzeugeClick() { Histograph1->SetShowToolBar(!Histograph1->ShowToolBar()); }

void THisto2_Demo::FormClose() {
  StopClick();
  Histograph1->SetShowToolBar(false);
  Histograph1->SetShowValueBar(false);
}

void THisto2_Demo::StopClick() {
  Histograph1->SetTimerEnabled(false);
  Stop->setEnabled(false);
  Start->setEnabled(true);
}

}  // namespace quellix::HistoYt_Unit
