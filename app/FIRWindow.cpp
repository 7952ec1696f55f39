#include "quellix/app/FIRWindow.h"

#include <algorithm>

namespace quellix::FIR_Unit {

using namespace HistoInt;

namespace {

void PlotLook(Histo::THistograph* H) {
  H->SetAutoConfig(false);  // fed by the window, not by a source
  H->SetBkColor(clWhite);
  H->SetGridColor(clSilver);
  H->SetGridVisible(grdBoth);
  H->SetGridLineStyle(psDot);
  H->SetGapLeft(60);
  H->SetGapRight(20);
  H->SetGapTop(30);
  H->SetGapBottom(44);
}

}  // namespace

TFIR_Demo::TFIR_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("TFIR_Demo"), tr("TFIRFilter Demo"), AOwner),
      FSignal(kSampleCount),
      FFiltered(kSampleCount) {
  SetTitle(QStringLiteral("TFIRFilter"));
  SetExplanation(tr(
      "Ein FIR-Filter mit 128 Koeffizienten filtert ein Rechtecksignal, dessen Frequenz zwischen 2 und 25 Hz "
      "hin- und herläuft. Die Koeffizienten sind die Impulsantwort des Filters (unten).\n"
      "„Reset“ setzt alle Koeffizienten auf 0."));
  resize(720, 640);
  QWidget* Area = ClientArea();

  Histograph1 = new Histo::THistograph(this, Area);
  Histograph1->SetName(QStringLiteral("Histograph1"));
  Histograph1->SetBounds(0, 0, 580, 265);
  PlotLook(Histograph1);
  app::SetUpSquareWaveGraph(Histograph1);
  Histograph1->OnTimer = [this](TObject* Sender) { Histograph1Timer(Sender); };

  // The coefficients are a lower reference curve: the histograph keeps its
  // own copy of it, which mouse editing reshapes.
  Histograph2 = new Histo::THistograph(this, Area);
  Histograph2->SetName(QStringLiteral("Histograph2"));
  Histograph2->SetBounds(0, 273, 580, 215);
  PlotLook(Histograph2);
  Histograph2->SetViewYMin(-0.1f);
  Histograph2->SetViewYMax(0.1f);
  Histograph2->SetViewYGap(0.05f);
  Histograph2->SetViewYDecimals(2);
  Histograph2->SetViewXNominalMin(0);
  Histograph2->SetViewXNominalMax(kCoefficientCount);
  Histograph2->SetViewXCurrentMin(0);
  Histograph2->SetViewXCurrentMax(kCoefficientCount);
  Histograph2->SetViewXGap(16);
  Histograph2->SetViewXDecimals(0);
  Histograph2->SetTitleTop(tr("Impulsantwort"));
  Histograph2->SetTitleBottom(tr("Koeffizient"));
  Histograph2->SetSeriesNumber(1);
  Histograph2->SetSeriesCurrent(1);
  Histograph2->SetSeriesStyle(dtLowerRef);
  Histograph2->SetSeriesColor(clRed);
  // The coefficients are drawn with the mouse: the curve is the lower
  // reference, reshaped in the editing mode of the histograph.
  Histograph2->SetMode(HistoInt::modeLowerRef);
  Histograph2->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    Histograph2MouseUp(Sender, Button, Shift, X, Y);
  };

  FIRFilter1 = new Firfilt::TFIRFilter(this);
  FIRFilter1->SetName(QStringLiteral("FIRFilter1"));
  FIRFilter1->SetSampleFrequency(kSampleFrequency);

  Reset = new QPushButton(QStringLiteral("Reset"), Area);
  Reset->setObjectName(QStringLiteral("Reset"));
  Reset->setGeometry(594, 273, 90, 28);
  connect(Reset, &QPushButton::clicked, this, [this] { ResetClick(); });

  ResetClick();

  // The timer runs only while the window is on the screen.
  OnShow = [this](TObject*) { Histograph1->SetTimerEnabled(true); };
  OnHide = [this](TObject*) { Histograph1->SetTimerEnabled(false); };
}

void TFIR_Demo::ResetClick() {
  const std::array<Single, kCoefficientCount> Zero{};
  Histograph2->SetData(Zero.data(), kCoefficientCount, 1);
  FIRFilter1->SetCoefficients(kCoefficientCount, Zero.data());
}

void TFIR_Demo::Histograph2MouseUp(TObject*, TMouseButton, TShiftState, Integer, Integer) { CurveChanged = true; }

void TFIR_Demo::Histograph1Timer(TObject*) {
  if (CurveChanged) {
    // A shorter curve leaves the remaining coefficients at 0, so the filter
    // always has 128 of them.
    std::array<Single, kCoefficientCount> C{};
    Histograph2->GetData(C.data(), kCoefficientCount, 1);
    FIRFilter1->SetCoefficients(kCoefficientCount, C.data());
    CurveChanged = false;
  }
  app::MakeSquareWave(FSignal.data(), kSampleCount, 1.0 / kSampleFrequency, Sweep.F);
  std::copy(FSignal.begin(), FSignal.end(), FFiltered.begin());
  FIRFilter1->Reset();
  FIRFilter1->Filter(FFiltered.data(), kSampleCount);
  Histograph1->SetEnableUpdate(false);
  Histograph1->SetData(FSignal.data(), kSampleCount, 1);
  Histograph1->SetData(FFiltered.data(), kSampleCount, 2);
  Histograph1->SetEnableUpdate(true);
  Sweep.Advance();
}

}  // namespace quellix::FIR_Unit
