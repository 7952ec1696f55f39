// The flip-flop window: an astable multivibrator. The circuit picture shows
// two transistors cross-coupled through C1 and C2; the base resistors R2
// and R3 and the capacitors are set with four sliders (1 ... 80 kOhm and
// 1 ... 80 uF). The red lamp P1 is lit for tau1 = 0.7 R2 C1, the green lamp
// P2 for tau2 = 0.7 R3 C2; two panel meters show tau1 and tau2 in seconds
// and light their field while their lamp is lit. Timer1 keeps the meters
// up to date, Timer2 switches the flip-flop at the end of each phase.
#pragma once

#include <QLabel>

#include "quellix/app/DemoWindow.h"
#include "quellix/instruments/SingleValueSinks.h"
#include "quellix/instruments/StandalonePanelMeter.h"
#include "quellix/instruments/Slider.h"

namespace quellix::FlipFlop_Unit {

// The circuit of the multivibrator, drawn with the canvas. The labels of
// R2, R3, C1 and C2 show the values the window gives it.
class TFlipFlopCircuit : public TGraphicControl {
  Q_OBJECT
public:
  explicit TFlipFlopCircuit(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);

  static constexpr Integer kWidth = 470;
  static constexpr Integer kHeight = 380;
  // Where the two lamps sit on the collector lines (centres).
  static TPoint LampCentre(Integer Lamp);

  void SetValues(Integer R2, Integer R3, Integer C1, Integer C2);
  void Paint() override;

private:
  void DrawResistor(TCanvas& Cv, Integer X, Integer Top, Integer Bottom, const QString& Label);
  void DrawCapacitor(TCanvas& Cv, Integer Left, Integer Right, Integer Y, const QString& Label);
  // Bar at XBar, collector and emitter leads to XLead, base lead towards
  // XBase; the emitter arrow of an NPN transistor.
  void DrawTransistor(TCanvas& Cv, Integer XLead, Integer XBar, Integer XBase, Integer Y, const QString& Label);
  void Dot(TCanvas& Cv, Integer X, Integer Y);
  void Text(TCanvas& Cv, Integer X, Integer Y, const QString& S, TColor Color = clBlack);

  Integer FR2 = 40, FR3 = 40, FC1 = 40, FC2 = 40;
};

class TFlipFlop_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  static constexpr Integer kInitial = 40;

  explicit TFlipFlop_Demo(TComponentCore* AOwner = nullptr);

  TFlipFlopCircuit* Circuit;
  MLSingleSinks::TLed* P1;  // red: T1 conducts for tau1
  MLSingleSinks::TLed* P2;  // green: T2 conducts for tau2
  Slider::TSlider* R2;  // kOhm
  Slider::TSlider* R3;  // kOhm
  Slider::TSlider* C1;  // uF
  Slider::TSlider* C2;  // uF
  PMeter::TPanelMeter* PanelMeter1;  // tau1 [s]
  PMeter::TPanelMeter* PanelMeter2;  // tau2 [s]
  TTimer* Timer1;
  TTimer* Timer2;

  // Showing: sliders to 40, tau shown, Timer1 on, Timer2 on with tau2.
  void FormShow();
  // Hiding stops both timers.
  void FormHide();
  void Timer1Timer();
  // Switches the flip-flop at the end of a phase.
  void Timer2Timer();
  // Any slider: tau recomputed and shown, Timer2 set to the shorter phase.
  void SliderChange();

  // tau1 = 0.7 R2 C1 and tau2 = 0.7 R3 C2 in seconds (R in kOhm, C in uF).
  Double Tau1() const;
  Double Tau2() const;
  // The same in whole milliseconds (truncated), as Timer2 counts them.
  Integer Tau1Ms() const;
  Integer Tau2Ms() const;

private:
  Slider::TSlider* NewSlider(const QString& Name, const QString& Caption, Integer X, Integer Y);
  PMeter::TPanelMeter* NewMeter(const QString& Name, const QString& Caption, TColor Color, Integer X, Integer Y);
  void ShowTau();
  // Sets Timer2's interval and starts the period anew from now.
  void RestartTimer2(Integer Interval);
  // Lamp P1 on (red phase) or P2 on (green phase), with the meters' fields.
  void SetPhase(bool Red);
};

// Phase length in whole milliseconds of 0.7 R C (R in kOhm, C in uF),
// truncated. Computed in integers: 0.7 R C * 0.001 s * 1000 = 7 R C / 10
// ms exactly, where the floating-point product of 0.7 would land just below
// a whole number for many settings and lose a millisecond. At least 1 ms:
// R = C = 1 gives 0.7 ms, and a timer of interval 0 never ticks, which
// would freeze the flip-flop.
Integer PhaseMs(Integer R, Integer C);

}  // namespace quellix::FlipFlop_Unit
