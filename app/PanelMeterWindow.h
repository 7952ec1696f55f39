// The panel meter window: four stand-alone panel meters set once a second.
// PanelMeter1 shows 1 + r, PanelMeter2 a random walk between about -9 and
// 9, PanelMeter3 r with its "AUTO" field lit, PanelMeter4 a countdown
// 60, 59, ..., 0, 59, ... PanelMeter2 reports leaving and re-entering its
// range -5 .. 5 and toggles its "GRENZE" field with each report, so the
// field is lit while the walk is outside the range.
#pragma once

#include <QLabel>

#include "quellix/app/DemoWindow.h"
#include "quellix/instruments/StandalonePanelMeter.h"

namespace quellix::PanelMeter_Unit {

class TPanelMeter_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  explicit TPanelMeter_Demo(TComponentCore* AOwner = nullptr);

  PMeter::TPanelMeter* PanelMeter1;
  PMeter::TPanelMeter* PanelMeter2;
  PMeter::TPanelMeter* PanelMeter3;
  PMeter::TPanelMeter* PanelMeter4;
  TTimer* Timer1;

  // Event handlers.
  void FormShow();
  void FormHide();
  void Timer1Timer();
  void PanelMeter2RangeCheck(TObject* Sender, Integer Range);

  // The random walk, the countdown and the walk's direction.
  Double Walk() const { return FWalk; }
  Integer Countdown() const { return FCountdown; }
  bool GoingUp() const { return FGoingUp; }

private:
  PMeter::TPanelMeter* NewMeter(const QString& Name, const QString& Caption, Integer X, Integer Y);

  Double FWalk = 0;
  Integer FCountdown = 60;
  bool FGoingUp = true;
};

}  // namespace quellix::PanelMeter_Unit
