#include "quellix/app/MeterWindow.h"

#include "quellix/app/InstrumentWindow.h"

namespace quellix::Meter_Unit {

using namespace meterInt;
using app::SetRange;

TMeter_Demo::TMeter_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("TMeter_Demo"), tr("TMeter Demo"), AOwner) {
  SetTitle(QStringLiteral("TMeter"));
  SetExplanation(tr(
      "TMeter ist ein Zeigerinstrument mit frei wählbarem Skalenbogen, bis zu 16 farbigen Wertebereichen, "
      "Skalenstrichen, Beschriftung innen oder außen und zwei Legendenzeilen. Der Zeiger (Keil oder Nadel) "
      "darf die Skalenenden um 5 % überschreiten.\nEin Zeitgeber (1 ms) bewegt beide Zeiger; bei jeder "
      "Bewegung wird nur der Bereich um den Zeiger neu gezeichnet."));
  resize(660, 500);

  // A wedge over four coloured ranges, labels inside the band.
  Meter1 = app::MakeInstrument<TMeter>(this, QStringLiteral("Meter1"), 30, 20, 201, 177);
  Meter1->SetMeterAngle1(-120);
  Meter1->SetMeterAngle2(120);
  Meter1->SetMeterScale(110);
  Meter1->SetMeterShiftY(10);
  Meter1->SetLabelingStyle(labInside);
  Meter1->SetRangeNumber(4);
  SetRange(Meter1, 1, clLime, 20);
  SetRange(Meter1, 2, clYellow, 40);
  SetRange(Meter1, 3, RGB(255, 128, 0), 80);
  SetRange(Meter1, 4, clRed, 100);
  Meter1->SetRangeCurrent(1);
  Meter1->SetLegend1(tr("Drehzahl"));
  Meter1->SetLegend2(tr("x 100 / min"));
  app::AddCenteredLabel(ClientArea(), tr("Keilzeiger, Beschriftung innen"), 30, 205, 201);

  // A needle on a flat arc with labels outside: a panel voltmeter.
  Meter2 = app::MakeInstrument<TMeter>(this, QStringLiteral("Meter2"), 290, 20, 300, 177);
  Meter2->SetMeterAngle1(-50);
  Meter2->SetMeterAngle2(50);
  Meter2->SetMeterShiftY(40);
  Meter2->SetMeterScale(150);
  Meter2->SetMeterScaleWidth(6);
  Meter2->SetValueMax(60);
  Meter2->SetValueGap(2.5);
  Meter2->SetIndicatorStyle(indNeedle);
  Meter2->SetIndicatorColor(clMaroon);
  Meter2->SetTickStyle(ticLarge);
  Meter2->SetColor(RGB(250, 246, 230));
  Meter2->SetRangeNumber(2);
  SetRange(Meter2, 1, clBlack, 50);
  SetRange(Meter2, 2, clRed, 60);
  Meter2->SetRangeCurrent(1);
  Meter2->SetLegend1(QStringLiteral("V"));
  Meter2->SetLegendPosition(LegTop);
  app::AddCenteredLabel(ClientArea(), tr("Nadelzeiger, Beschriftung außen"), 290, 205, 300);

  Timer1 = app::MakeAnimationTimer(this, 1);
}

void TMeter_Demo::FormShow(TObject*) {
  Meter1->SetValue(0);
  Meter2->SetValue(0);
  FA = 0;
  FB = 0;
  FUp = true;
  Timer1->SetEnabled(true);
}

void TMeter_Demo::FormHide(TObject*) { Timer1->SetEnabled(false); }

void TMeter_Demo::Timer1Timer(TObject*) {
  const Double Sign = FUp ? 1.0 : -1.0;
  FA += Sign * 1.0;
  FB += Sign * 0.6;
  if (FA > 99) FUp = false;
  if (FA < 1) FUp = true;
  Meter1->SetValue(FA);
  Meter2->SetValue(FB);
}

}  // namespace quellix::Meter_Unit
