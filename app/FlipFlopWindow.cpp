#include "quellix/app/FlipFlopWindow.h"

#include <algorithm>
#include <cmath>

namespace quellix::FlipFlop_Unit {

Integer PhaseMs(Integer R, Integer C) { return std::max<Integer>(1, 7 * R * C / 10); }

// ---------------------------------------------------------------------------
// The circuit picture

namespace {

// Columns of the four branches hanging from the supply rail: T1's collector
// line, R2, R3, T2's collector line.
constexpr Integer X1 = 80, X2 = 190, X3 = 280, X4 = 390;
constexpr Integer YRail = 40;       // +UB
constexpr Integer YNode = 214;      // collector and base-resistor nodes
constexpr Integer YCross = 240;     // where the base lines leave their columns
constexpr Integer YTransistor = 300;
constexpr Integer YGround = 356;
constexpr Integer YLamp = 164;
constexpr Integer BarOffset = 26;   // bar of a transistor from its leads
constexpr Integer BaseOffset = 50;  // end of the base lead from the leads

constexpr TColor WireColor = clNavy;

}  // namespace

TFlipFlopCircuit::TFlipFlopCircuit(TComponentCore* AOwner, QWidget* AParent) : TGraphicControl(AOwner, AParent) {
  SetBounds(0, 0, kWidth, kHeight);
}

TPoint TFlipFlopCircuit::LampCentre(Integer Lamp) { return TPoint{Lamp == 1 ? X1 : X4, YLamp}; }

void TFlipFlopCircuit::SetValues(Integer R2, Integer R3, Integer C1, Integer C2) {
  if (R2 == FR2 && R3 == FR3 && C1 == FC1 && C2 == FC2) return;
  FR2 = R2;
  FR3 = R3;
  FC1 = C1;
  FC2 = C2;
  Invalidate();
}

void TFlipFlopCircuit::Text(TCanvas& Cv, Integer X, Integer Y, const QString& S, TColor Color) {
  Cv.Font().SetColor(Color);
  Cv.TextOut(X, Y, S);
}

void TFlipFlopCircuit::Dot(TCanvas& Cv, Integer X, Integer Y) {
  Cv.Brush().Color = WireColor;
  Cv.Brush().Style = bsSolid;
  Cv.Ellipse(X - 3, Y - 3, X + 4, Y + 4);
}

// European resistor symbol: an open rectangle on the wire.
void TFlipFlopCircuit::DrawResistor(TCanvas& Cv, Integer X, Integer Top, Integer Bottom, const QString& Label) {
  const Integer Mid = (Top + Bottom) / 2;
  Cv.MoveTo(X, Top);
  Cv.LineTo(X, Mid - 24);
  Cv.Brush().Color = clWhite;
  Cv.Brush().Style = bsSolid;
  Cv.Rectangle(X - 7, Mid - 24, X + 8, Mid + 24);
  Cv.MoveTo(X, Mid + 23);
  Cv.LineTo(X, Bottom);
  const QStringList Lines = Label.split(QLatin1Char('\n'));
  for (qsizetype k = 0; k < Lines.size(); ++k) Text(Cv, X + 12, Mid - 16 + Integer(k) * 16, Lines[k]);
}

// Two plates across a horizontal wire.
void TFlipFlopCircuit::DrawCapacitor(TCanvas& Cv, Integer Left, Integer Right, Integer Y, const QString& Label) {
  const Integer Mid = (Left + Right) / 2;
  Cv.MoveTo(Left, Y);
  Cv.LineTo(Mid - 4, Y);
  Cv.MoveTo(Mid + 4, Y);
  Cv.LineTo(Right, Y);
  Cv.Brush().Color = WireColor;
  Cv.Brush().Style = bsSolid;
  Cv.FillRect(TRect{Mid - 6, Y - 14, Mid - 3, Y + 15});
  Cv.FillRect(TRect{Mid + 4, Y - 14, Mid + 7, Y + 15});
  const QStringList Lines = Label.split(QLatin1Char('\n'));
  Text(Cv, Mid - Cv.TextWidth(Lines[0]) / 2, Y - 34, Lines[0]);
  if (Lines.size() > 1) Text(Cv, Mid - Cv.TextWidth(Lines[1]) / 2, Y + 17, Lines[1]);
}

void TFlipFlopCircuit::DrawTransistor(TCanvas& Cv, Integer XLead, Integer XBar, Integer XBase, Integer Y,
                                      const QString& Label) {
  // Housing.
  const Integer Cx = (XLead + XBar) / 2 + (XBar > XLead ? 3 : -3);
  Cv.Brush().Style = bsClear;
  Cv.Ellipse(Cx - 27, Y - 27, Cx + 28, Y + 28);
  // Base lead and bar.
  Cv.MoveTo(XBase, Y);
  Cv.LineTo(XBar, Y);
  Cv.Brush().Color = WireColor;
  Cv.Brush().Style = bsSolid;
  Cv.FillRect(TRect{XBar - 1, Y - 14, XBar + 2, Y + 15});
  // Collector up, emitter down.
  Cv.MoveTo(XBar, Y - 7);
  Cv.LineTo(XLead, Y - 24);
  Cv.LineTo(XLead, YNode);
  Cv.MoveTo(XBar, Y + 7);
  Cv.LineTo(XLead, Y + 24);
  Cv.LineTo(XLead, YGround);
  // NPN: the emitter arrow points away from the bar.
  const Double Dx = XLead - XBar, Dy = 17;
  const Double Len = std::sqrt(Dx * Dx + Dy * Dy);
  const Double Ux = Dx / Len, Uy = Dy / Len;
  const TPoint Tip{Integer(XBar + 0.85 * Dx), Integer(Y + 7 + 0.85 * Dy)};
  const Double Bx = Tip.X - 9 * Ux, By = Tip.Y - 9 * Uy;
  Cv.Polygon({Tip, TPoint{Integer(Bx - 4 * Uy), Integer(By + 4 * Ux)}, TPoint{Integer(Bx + 4 * Uy), Integer(By - 4 * Ux)}});
  const Integer Tx = XBar > XLead ? XLead - 28 : XLead + 12;
  Text(Cv, Tx, Y - 8, Label);
}

void TFlipFlopCircuit::Paint() {
  TCanvas& Cv = Canvas();
  Cv.Brush().Color = clWhite;
  Cv.Brush().Style = bsSolid;
  Cv.FillRect(TRect{0, 0, Width(), Height()});
  Cv.Pen().Color = clGray;
  Cv.Brush().Style = bsClear;
  Cv.Rectangle(0, 0, Width(), Height());
  Cv.SetBkMode(bkTransparent);
  Cv.Font().SetName(QStringLiteral("Arial"));
  Cv.Font().SetHeight(-13);
  Cv.Font().SetStyle(0);
  Cv.Pen().Color = WireColor;
  Cv.Pen().Width = 2;

  // Supply rail and ground rail.
  Cv.MoveTo(X1 - 30, YRail);
  Cv.LineTo(X4 + 1, YRail);
  Cv.Brush().Color = clWhite;
  Cv.Ellipse(X1 - 36, YRail - 5, X1 - 25, YRail + 6);
  Text(Cv, X1 - 40, YRail - 24, QStringLiteral("+9 V"));
  Cv.MoveTo(X1, YGround);
  Cv.LineTo(X4 + 1, YGround);
  const Integer XG = (X2 + X3) / 2;
  Cv.MoveTo(XG, YGround);
  Cv.LineTo(XG, YGround + 8);
  Cv.MoveTo(XG - 12, YGround + 8);
  Cv.LineTo(XG + 13, YGround + 8);
  Cv.MoveTo(XG - 7, YGround + 12);
  Cv.LineTo(XG + 8, YGround + 12);
  Cv.MoveTo(XG - 2, YGround + 16);
  Cv.LineTo(XG + 3, YGround + 16);
  Text(Cv, XG + 18, YGround + 2, QStringLiteral("0 V"));

  // Collector lines: resistor, then the lamp (the lamp control sits on the
  // gap left in the wire).
  DrawResistor(Cv, X1, YRail, YLamp - 10, QString::fromUtf8("R1\n470 Ω"));
  DrawResistor(Cv, X4, YRail, YLamp - 10, QString::fromUtf8("R4\n470 Ω"));
  for (const Integer X : {X1, X4}) {
    Cv.MoveTo(X, YLamp + 10);
    Cv.LineTo(X, YNode);
  }
  Text(Cv, X1 - 40, YLamp - 8, QStringLiteral("P1"), clRed);
  Text(Cv, X4 + 22, YLamp - 8, QStringLiteral("P2"), clGreen);

  // Base resistors from the rail to the nodes.
  DrawResistor(Cv, X2, YRail, YNode, QString::fromUtf8("R2\n%1 kΩ").arg(FR2));
  DrawResistor(Cv, X3, YRail, YNode, QString::fromUtf8("R3\n%1 kΩ").arg(FR3));

  // Coupling capacitors: T1's collector to T2's base node, T2's collector
  // to T1's base node.
  DrawCapacitor(Cv, X1, X2, YNode, QString::fromUtf8("C1\n%1 µF").arg(FC1));
  DrawCapacitor(Cv, X3, X4, YNode, QString::fromUtf8("C2\n%1 µF").arg(FC2));

  // The crossed base lines.
  Cv.MoveTo(X2, YNode);
  Cv.LineTo(X2, YCross);
  Cv.LineTo(X4 - BaseOffset, YTransistor);
  Cv.MoveTo(X3, YNode);
  Cv.LineTo(X3, YCross);
  Cv.LineTo(X1 + BaseOffset, YTransistor);

  DrawTransistor(Cv, X1, X1 + BarOffset, X1 + BaseOffset, YTransistor, QStringLiteral("T1"));
  DrawTransistor(Cv, X4, X4 - BarOffset, X4 - BaseOffset, YTransistor, QStringLiteral("T2"));

  for (const Integer X : {X1, X2, X3, X4}) {
    Dot(Cv, X, YNode);
    Dot(Cv, X, YRail);
  }
  Dot(Cv, X1, YGround);
  Dot(Cv, X4, YGround);
  Dot(Cv, XG, YGround);
  Cv.Pen().Width = 1;
}

// ---------------------------------------------------------------------------
// The window

namespace {

constexpr Integer SliderLeft = TFlipFlopCircuit::kWidth + 24;
constexpr Integer SliderPitch = 72;
constexpr Integer LampSize = 28;

}  // namespace

TFlipFlop_Demo::TFlipFlop_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("TFlipFlop_Demo"), tr("Beispielprogramm Flip-Flop"), AOwner) {
  SetTitle(tr("Astabile Kippstufe"));
  SetExplanation(tr(
      "Zwei über C1 und C2 kreuzgekoppelte Transistoren schalten abwechselnd durch: P1 (rot) leuchtet "
      "τ1 = 0,7 · R2 · C1, P2 (grün) leuchtet τ2 = 0,7 · R3 · C2.\n"
      "Mit den Schiebereglern werden R2, R3 (kΩ) und C1, C2 (µF) eingestellt; die Anzeigen zeigen τ1 und τ2 in "
      "Sekunden und markieren die gerade aktive Phase."));
  resize(860, 600);
  QWidget* Area = ClientArea();
  Area->setMinimumSize(SliderLeft + 4 * SliderPitch, TFlipFlopCircuit::kHeight);

  Circuit = new TFlipFlopCircuit(this, Area);
  Circuit->SetName(QStringLiteral("Circuit"));

  auto NewLamp = [&](const QString& Name, Integer Lamp, TColor Color) {
    auto* L = new MLSingleSinks::TLed(this, Area);
    L->SetName(Name);
    const TPoint C = TFlipFlopCircuit::LampCentre(Lamp);
    L->SetBounds(C.X - LampSize / 2, C.Y - LampSize / 2, LampSize, LampSize);
    L->SetColorActive(Color);
    L->SetColor(clWhite);  // the picture's background around the lamp
    return L;
  };
  P1 = NewLamp(QStringLiteral("P1"), 1, clRed);
  P2 = NewLamp(QStringLiteral("P2"), 2, clLime);

  R2 = NewSlider(QStringLiteral("R2"), QString::fromUtf8("R2 [kΩ]"), SliderLeft, 0);
  R3 = NewSlider(QStringLiteral("R3"), QString::fromUtf8("R3 [kΩ]"), SliderLeft + SliderPitch, 0);
  C1 = NewSlider(QStringLiteral("C1"), QString::fromUtf8("C1 [µF]"), SliderLeft + 2 * SliderPitch, 0);
  C2 = NewSlider(QStringLiteral("C2"), QString::fromUtf8("C2 [µF]"), SliderLeft + 3 * SliderPitch, 0);

  PanelMeter1 = NewMeter(QStringLiteral("PanelMeter1"), QString::fromUtf8("τ1 [s] – P1 rot"), clRed, SliderLeft,
                         296);
  PanelMeter2 = NewMeter(QStringLiteral("PanelMeter2"), QString::fromUtf8("τ2 [s] – P2 grün"), clLime,
                         SliderLeft + 2 * SliderPitch, 296);

  Timer1 = new TTimer(this);
  Timer1->SetName(QStringLiteral("Timer1"));
  Timer1->SetEnabled(false);
  Timer1->SetInterval(1);
  Timer1->OnTimer = [this](TObject*) { Timer1Timer(); };

  Timer2 = new TTimer(this);
  Timer2->SetName(QStringLiteral("Timer2"));
  Timer2->SetEnabled(false);
  Timer2->SetInterval(Tau2Ms());
  Timer2->OnTimer = [this](TObject*) { Timer2Timer(); };

  for (Slider::TSlider* S : {R2, R3, C1, C2}) S->OnValueChange = [this](TObject*) { SliderChange(); };
  ShowTau();

  OnShow = [this](TObject*) { FormShow(); };
  OnHide = [this](TObject*) { FormHide(); };
}

Slider::TSlider* TFlipFlop_Demo::NewSlider(const QString& Name, const QString& Caption, Integer X, Integer Y) {
  auto* Label = new QLabel(Caption, ClientArea());
  Label->setGeometry(X, Y, SliderPitch - 4, 18);
  Label->setAlignment(Qt::AlignCenter);
  auto* S = new Slider::TSlider(this, ClientArea());
  S->SetName(Name);
  S->SetBounds(X, Y + 20, SliderPitch - 8, 250);
  S->SetButtonWidth(26);
  S->SetButtonHeight(12);
  S->SetValueMin(1);
  S->SetValueMax(80);
  S->SetValueStepWidth(1);
  S->SetLabelingStyle(Slider::lbsBoth);
  S->SetLabelingOrientation(Slider::lboLeft);
  S->SetLabelingGap(10);
  S->SetLabelingDecimals(0);
  S->SetValue(kInitial);
  return S;
}

PMeter::TPanelMeter* TFlipFlop_Demo::NewMeter(const QString& Name, const QString& Caption, TColor Color, Integer X,
                                              Integer Y) {
  auto* Label = new QLabel(Caption, ClientArea());
  Label->setGeometry(X, Y, 2 * SliderPitch - 8, 18);
  auto* M = new PMeter::TPanelMeter(this, ClientArea());
  M->SetName(Name);
  M->SetBounds(X, Y + 20, 2 * SliderPitch - 8, 80);
  M->SetDigits(4);
  M->SetDecimalPoint(1);
  M->SetValueMin(-1.999);
  M->SetValueMax(1.999);
  M->SetDisplayColor(Color);
  TStringList Slots;
  Slots.Add(QStringLiteral("AKTIV"));
  M->SetSlots(Slots);
  return M;
}

Double TFlipFlop_Demo::Tau1() const { return 7.0 * Round(R2->Value()) * Round(C1->Value()) / 10000; }
Double TFlipFlop_Demo::Tau2() const { return 7.0 * Round(R3->Value()) * Round(C2->Value()) / 10000; }
Integer TFlipFlop_Demo::Tau1Ms() const { return PhaseMs(Round(R2->Value()), Round(C1->Value())); }
Integer TFlipFlop_Demo::Tau2Ms() const { return PhaseMs(Round(R3->Value()), Round(C2->Value())); }

void TFlipFlop_Demo::ShowTau() {
  PanelMeter1->SetValue(Tau1());
  PanelMeter2->SetValue(Tau2());
  Circuit->SetValues(Round(R2->Value()), Round(R3->Value()), Round(C1->Value()), Round(C2->Value()));
}

void TFlipFlop_Demo::FormShow() {
  for (Slider::TSlider* S : {R2, R3, C1, C2}) S->SetValue(kInitial);
  ShowTau();
  Timer1->SetEnabled(true);
  Timer2->SetInterval(Tau2Ms());
  Timer2->SetEnabled(true);
}

void TFlipFlop_Demo::FormHide() {
  Timer1->SetEnabled(false);
  Timer2->SetEnabled(false);
}

void TFlipFlop_Demo::Timer1Timer() { ShowTau(); }

void TFlipFlop_Demo::SliderChange() {
  ShowTau();
  Timer2->SetInterval(std::min(Tau1Ms(), Tau2Ms()));
}

void TFlipFlop_Demo::SetPhase(bool Red) {
  P1->SetValue(Red);
  P2->SetValue(!Red);
  PanelMeter1->SetSlot(0, Red);
  PanelMeter2->SetSlot(0, !Red);
}

void TFlipFlop_Demo::RestartTimer2(Integer Interval) {
  Timer2->SetInterval(Interval);
  if (Timer2->Enabled()) {
    Timer2->SetEnabled(false);
    Timer2->SetEnabled(true);
  }
}

void TFlipFlop_Demo::Timer2Timer() {
  const Integer T1 = Tau1Ms(), T2 = Tau2Ms();
  // Equal phases are told apart by the lamps, since the interval cannot
  // say which phase is running. Phases that differ by less than a
  // millisecond count as equal: the interval could not tell them apart
  // either, and the flip-flop would stick in one phase.
  if (T1 == T2) {
    if (!P1->Value())
      SetPhase(true);
    else if (!P2->Value())
      SetPhase(false);
    return;
  }
  const Integer Current = Timer2->Interval();
  if (Current == T1) {
    SetPhase(false);  // the red phase ends
    RestartTimer2(T2);
  } else if (Current == T2) {
    SetPhase(true);  // the green phase ends
    RestartTimer2(T1);
  }
}

}  // namespace quellix::FlipFlop_Unit
