#include "quellix/app/LedWindow.h"

#include <QLabel>

namespace quellix::Led_Unit {

using namespace LedInt;

TLed_Demo::TLed_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("TLed_Demo"), tr("TLed Demo"), AOwner) {
  SetTitle(QStringLiteral("TLed"));
  SetExplanation(tr(
      "TLed zeigt einen Schaltzustand als Lampe: Kreis mit Glanzlicht, Rechteck, Pfeil oder Raute, mit je "
      "einer Farbe für Ein und Aus.\n"
      "Blinkende LEDs (Flashing) wechseln mit ihrem eigenen Zeitgeber im Takt von FlashInterval zwischen beiden "
      "Farben; sie werden beim Öffnen des Fensters ein- und beim Schließen ausgeschaltet."));

  // Circles, steady: on in seven colours.
  Caption(tr("Kreis, Dauerlicht"), 10, 4, 240);
  const TColor CircleColors[7] = {clRed, clLime, clYellow, clBlue, clAqua, clFuchsia, clRed};
  for (int i = 0; i < 7; ++i) NewLed(1 + i, lesCircle, 10 + 34 * i, 26, 24, 24, CircleColors[i], i < 6);

  // Circles, flashing at five intervals.
  Caption(tr("Kreis, blinkend (500, 200, 300, 400, 700 ms)"), 270, 4, 290);
  const Integer Intervals1[5] = {500, 200, 300, 400, 700};
  const TColor FlashColors1[5] = {clRed, clLime, clYellow, clAqua, clFuchsia};
  for (int i = 0; i < 5; ++i) {
    LedInt::TLedInt* L = NewLed(8 + i, lesCircle, 270 + 34 * i, 26, 24, 24, FlashColors1[i]);
    L->SetFlashInterval(Intervals1[i]);
    L->SetFlashing(true);
  }

  // Arrows as two direction crosses, the first with the right arrow on.
  Caption(tr("Pfeile und Rauten"), 10, 70, 260);
  const TLedStyle Cross[4] = {lesArrowUp, lesArrowLeft, lesArrowRight, lesArrowDown};
  const TPoint CrossPlace[4] = {{22, 0}, {0, 22}, {44, 22}, {22, 44}};
  for (int c = 0; c < 2; ++c)
    for (int i = 0; i < 4; ++i) {
      const TColor Color = c == 0 ? clLime : clYellow;
      NewLed(13 + 4 * c + i, Cross[i], 10 + 90 * c + CrossPlace[i].X, 92 + CrossPlace[i].Y, 20, 20, Color,
             (c == 0 && i == 2) || (c == 1 && i == 0));
    }
  // Diamonds and rectangles.
  NewLed(21, lesArrowLeftRight, 190, 96, 34, 22, clRed, true);
  NewLed(22, lesArrowUpDown, 234, 90, 22, 34, clBlue);
  NewLed(23, lesRectangle, 190, 134, 34, 16, clLime, true);
  NewLed(24, lesRectangle, 234, 128, 16, 30, clYellow);

  // Arrows, flashing at five intervals: a flow from left to right.
  Caption(tr("Pfeile, blinkend (500, 700, 200, 100, 800 ms)"), 290, 70, 290);
  const Integer Intervals2[5] = {500, 700, 200, 100, 800};
  for (int i = 0; i < 5; ++i) {
    LedInt::TLedInt* L = NewLed(25 + i, lesArrowRight, 290 + 48 * i, 106, 40, 24, clLime);
    L->SetFlashInterval(Intervals2[i]);
    L->SetFlashing(true);
  }

  // A level bar of rectangles: green, yellow, red; the first five on.
  Caption(tr("Pegelanzeige aus Rechtecken"), 10, 186, 300);
  const TColor BarColors[7] = {clLime, clLime, clLime, clYellow, clYellow, clRed, clRed};
  for (int i = 0; i < 7; ++i) NewLed(30 + i, lesRectangle, 10 + 58 * i, 208, 52, 18, BarColors[i], i < 5);

  OnShow = [this](TObject*) { FormShow(); };
  OnHide = [this](TObject*) { FormHide(); };
}

MLSingleSinks::TLed* TLed_Demo::NewLed(int Number, TLedStyle Style, Integer X, Integer Y, Integer W, Integer H,
                                       TColor ColorActive, bool Value) {
  auto* L = new MLSingleSinks::TLed(this, ClientArea());
  L->SetName(QStringLiteral("Led%1").arg(Number));
  L->SetBounds(X, Y, W, H);
  L->SetStyle(Style);
  L->SetColorActive(ColorActive);
  L->SetValue(Value);
  Leds.at(Number - 1) = L;
  return L;
}

void TLed_Demo::Caption(const QString& Text, Integer X, Integer Y, Integer W) {
  auto* Label = new QLabel(Text, ClientArea());
  Label->setGeometry(X, Y, W, 18);
}

void TLed_Demo::SwitchFlashing(bool Value) {
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* L = dynamic_cast<LedInt::TLedInt*>(Components(i)))
      if (L->Flashing()) L->SetValue(Value);
}

void TLed_Demo::FormShow() { SwitchFlashing(true); }

void TLed_Demo::FormHide() { SwitchFlashing(false); }

}  // namespace quellix::Led_Unit
