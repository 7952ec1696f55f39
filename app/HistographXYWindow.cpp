#include "quellix/app/HistographXYWindow.h"

#include <cmath>

#include "quellix/host/NumberFormat.h"

namespace quellix::HistoXY_Unit {

using namespace HistoInt;

THisto1_Demo::THisto1_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("THisto1_Demo"), tr("THistograph Demo"), AOwner) {
  SetTitle(tr("XY-Darstellung"));
  SetExplanation(tr(
      "In der XY-Darstellung verbindet THistograph Wertepaare zu einer Figur. Hier entstehen "
      "Lissajous-Figuren aus 200 Punkten, die sich ständig verändern.\n"
      "„Neue Figur“ wählt zufällig eine neue Figur: wandernde Frequenzen oder laufende Phasen."));
  resize(680, 580);
  QWidget* Area = ClientArea();

  Histograph1 = new Histo::THistograph(this, Area);
  Histograph1->SetName(QStringLiteral("Histograph1"));
  Histograph1->SetBounds(0, 0, 440, 420);
  Histograph1->SetAutoConfig(false);  // fed by the window, not by a source
  Histograph1->SetBkColor(clBlack);
  Histograph1->SetGridColor(clGreen);
  Histograph1->SetGridVisible(grdBoth);
  Histograph1->SetGapLeft(50);
  Histograph1->SetGapRight(20);
  Histograph1->SetGapTop(30);
  Histograph1->SetGapBottom(40);
  Histograph1->SetViewYMin(-1.2f);
  Histograph1->SetViewYMax(1.2f);
  Histograph1->SetViewYGap(0.4f);
  Histograph1->SetViewYDecimals(1);
  Histograph1->SetViewXNominalMin(-1.2f);
  Histograph1->SetViewXNominalMax(1.2f);
  Histograph1->SetViewXCurrentMin(-1.2f);
  Histograph1->SetViewXCurrentMax(1.2f);
  Histograph1->SetViewXGap(0.4f);
  Histograph1->SetViewXDecimals(1);
  Histograph1->SetSeriesNumber(1);
  Histograph1->SetSeriesCurrent(1);
  Histograph1->SetSeriesStyle(dtDataXY);
  Histograph1->SetSeriesColor(clLime);
  // Measuring mode: the cross follows the mouse and snaps to the figure.
  Histograph1->SetMode(HistoInt::modeMeasure);
  Histograph1->SetShowCross(true);

  NeueFigur = new QPushButton(tr("&Neue Figur"), Area);
  NeueFigur->setObjectName(QStringLiteral("NeueFigur"));
  NeueFigur->setGeometry(458, 0, 110, 28);

  Timer1 = new TTimer(this);
  Timer1->SetName(QStringLiteral("Timer1"));
  Timer1->SetEnabled(false);
  Timer1->SetInterval(1);
  Timer1->OnTimer = [this](TObject* Sender) { Timer1Timer(Sender); };

  connect(NeueFigur, &QPushButton::clicked, this, [this] { NeueFigurClick(); });
  OnHide = [this](TObject*) { Timer1->SetEnabled(false); };
}

void THisto1_Demo::NeueFigurClick() {
  Randomize();
  NewFigure();
}

void THisto1_Demo::NewFigure() {
  Fx = 0.25 * Random();
  Fy = 0.25 * Random();
  if (Random() > 0.5) {
    Kind = fkPhase;
    DFx = 0.05 * Random();
    DFy = 0.05 * (Random() - 0.5) + DFx;
    Px = 0;
    Py = 90;
  } else {
    Kind = fkSweep;
    DFx = 0.0005 * Random();
    DFy = 0.0005 * Random();
  }
  Timer1->SetEnabled(true);
}

void THisto1_Demo::Timer1Timer(TObject*) {
  for (Integer S = 0; S < kStepsPerTick; ++S) Step();
}

void THisto1_Demo::Step() {
  if (Kind == fkSweep) {
    Fx += DFx;
    Fy += DFy;
    if (Fx > 1 || Fx < -1) DFx = -DFx;
    if (Fy > 1 || Fy < -1) DFy = -DFy;
    for (Integer i = 1; i <= kPointCount; ++i) {
      FPoints[2 * (i - 1)] = Single(std::cos(i * Fy));
      FPoints[2 * (i - 1) + 1] = Single(std::sin(i * Fx));
    }
  } else {
    Px += DFx;
    Py += DFy;
    for (Integer i = 1; i <= kPointCount; ++i) {
      FPoints[2 * (i - 1)] = Single(std::sin(i * Fy + Px));
      FPoints[2 * (i - 1) + 1] = Single(std::sin(i * Fx + Py));
    }
  }
  Histograph1->SetDataXY(FPoints.data(), kPointCount, 1);
}

}  // namespace quellix::HistoXY_Unit
