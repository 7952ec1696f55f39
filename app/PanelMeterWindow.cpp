#include "quellix/app/PanelMeterWindow.h"

#include "quellix/host/NumberFormat.h"

namespace quellix::PanelMeter_Unit {

namespace {

constexpr Integer MeterWidth = 250;
constexpr Integer MeterHeight = 110;

TStringList SlotList(std::initializer_list<const char*> Texts) {
  TStringList L;
  for (const char* T : Texts) L.Add(QString::fromUtf8(T));
  return L;
}

}  // namespace

TPanelMeter_Demo::TPanelMeter_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("TPanelMeter_Demo"), tr("TPanelMeter Demo"), AOwner) {
  SetTitle(QStringLiteral("TPanelMeter"));
  SetExplanation(tr(
      "TPanelMeter zeigt einen Messwert wie ein LCD-Einbauinstrument: schräge Siebensegment-Ziffern mit "
      "Dezimalpunkt und Vorzeichen, darunter schaltbare Anzeigefelder (Slots).\n"
      "Die vier Anzeigen werden jede Sekunde neu gesetzt. Die Irrfahrt meldet über OnRangeCheck, wenn sie den "
      "Bereich −5 … 5 verlässt oder wieder erreicht, und schaltet damit ihr Feld „GRENZE“."));

  // Spannung: 1 + r, the default meter with lit fields.
  PanelMeter1 = NewMeter(QStringLiteral("PanelMeter1"), QStringLiteral("Spannung (1 + Zufall)"), 20, 24);
  PanelMeter1->SetSlots(SlotList({"DC", "V"}));
  PanelMeter1->SetSlot(0, true);
  PanelMeter1->SetSlot(1, true);

  // Irrfahrt: up to about ±9 in a three-digit meter with a range of ±5.
  PanelMeter2 = NewMeter(QStringLiteral("PanelMeter2"), QStringLiteral("Irrfahrt (Bereich −5 … 5)"), 290, 24);
  PanelMeter2->SetDigits(3);
  PanelMeter2->SetDecimalPoint(1);
  PanelMeter2->SetValueMin(-5);
  PanelMeter2->SetValueMax(5);
  PanelMeter2->SetDisplayColor(clYellow);
  PanelMeter2->SetSlots(SlotList({"GRENZE"}));
  PanelMeter2->OnRangeCheck = [this](TObject* Sender, Integer Range) { PanelMeter2RangeCheck(Sender, Range); };

  // Zufall: r without a sign cell, more slanted, in aqua.
  PanelMeter3 = NewMeter(QStringLiteral("PanelMeter3"), QStringLiteral("Zufallszahl 0 … 1"), 20, 174);
  PanelMeter3->SetSign(PMeter::pmrOnlyPositive);
  PanelMeter3->SetDisplayAngle(10);
  PanelMeter3->SetDisplayColor(clAqua);
  PanelMeter3->SetSlots(SlotList({"AUTO", "HOLD"}));

  // Countdown: two upright red digits without point.
  PanelMeter4 = NewMeter(QStringLiteral("PanelMeter4"), QStringLiteral("Countdown [s]"), 290, 174);
  PanelMeter4->SetDigits(2);
  PanelMeter4->SetDecimalPoint(0);
  PanelMeter4->SetSign(PMeter::pmrOnlyPositive);
  PanelMeter4->SetDisplayAngle(0);
  PanelMeter4->SetValueMin(0);
  PanelMeter4->SetValueMax(60);
  PanelMeter4->SetDisplayColor(clRed);

  Timer1 = new TTimer(this);
  Timer1->SetName(QStringLiteral("Timer1"));
  Timer1->SetEnabled(false);
  Timer1->SetInterval(1000);
  Timer1->OnTimer = [this](TObject*) { Timer1Timer(); };

  OnShow = [this](TObject*) { FormShow(); };
  OnHide = [this](TObject*) { FormHide(); };
}

PMeter::TPanelMeter* TPanelMeter_Demo::NewMeter(const QString& Name, const QString& Caption, Integer X, Integer Y) {
  auto* Label = new QLabel(Caption, ClientArea());
  Label->setGeometry(X, Y - 20, MeterWidth, 18);
  auto* M = new PMeter::TPanelMeter(this, ClientArea());
  M->SetName(Name);
  M->SetBounds(X, Y, MeterWidth, MeterHeight);
  return M;
}

void TPanelMeter_Demo::FormShow() {
  PanelMeter3->SetSlot(0, true);
  FWalk = 0;
  FCountdown = 60;
  FGoingUp = true;
  Timer1->SetEnabled(true);
}

void TPanelMeter_Demo::FormHide() { Timer1->SetEnabled(false); }

void TPanelMeter_Demo::Timer1Timer() {
  PanelMeter1->SetValue(1 + Random());
  PanelMeter2->SetValue(FWalk);
  PanelMeter3->SetValue(Random());
  PanelMeter4->SetValue(FCountdown);
  // The display counts 60, 59, ..., 1, 0, 59, ...
  if (FCountdown == 0) FCountdown = 60;
  FCountdown = FCountdown - 1;
  if (FGoingUp) {
    FWalk = FWalk + Random();
    if (FWalk > 8) FGoingUp = false;
  } else {
    FWalk = FWalk - Random();
    if (FWalk < -8) FGoingUp = true;
  }
}

void TPanelMeter_Demo::PanelMeter2RangeCheck(TObject*, Integer) { PanelMeter2->SetSlot(0, !PanelMeter2->Slot(0)); }

}  // namespace quellix::PanelMeter_Unit
