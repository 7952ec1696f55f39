// Gallery page of the panel meter, the LED and the rotated label: each in
// several configurations on a panel of their own, and the panel meter and
// LED demonstration windows after some timer ticks.
#include <QWidget>

#include "Gallery.h"
#include "quellix/app/LedWindow.h"
#include "quellix/app/PanelMeterWindow.h"
#include "quellix/host/NumberFormat.h"
#include "quellix/instruments/Led.h"
#include "quellix/instruments/StandalonePanelMeter.h"
#include "quellix/instruments/RotateLabel.h"

using namespace quellix;

namespace {

// A plain button-face panel that holds components at fixed places.
class TSheet : public TGraphicControl {
public:
  TSheet(Integer W, Integer H) {
    SetBounds(0, 0, W, H);
    SetColor(clBtnFace);
  }
};

PMeter::TPanelMeter* Meter(TSheet& S, Integer X, Integer Y, Integer W, Integer H) {
  auto* M = new PMeter::TPanelMeter(&S, &S);
  M->SetBounds(X, Y, W, H);
  return M;
}

TStringList Items(std::initializer_list<const char*> Texts) {
  TStringList L;
  for (const char* T : Texts) L.Add(QString::fromUtf8(T));
  return L;
}

}  // namespace

QUELLIX_GALLERY_PAGE(PanelLedLabel) {
  // Panel meters: the default, a negative value, an overflow, slots at run
  // time and at design time, two upright digits, a narrow and a tall one.
  {
    TSheet S(620, 400);
    Meter(S, 10, 10, 190, 70)->SetValue(0);
    Meter(S, 215, 10, 190, 70)->SetValue(-1.5);
    auto* Over = Meter(S, 420, 10, 190, 70);
    Over->SetValue(12.5);

    auto* Run = Meter(S, 10, 95, 290, 110);
    Run->SetDigits(5);
    Run->SetDecimalPoint(2);
    Run->SetSlots(Items({"AUTO", "HOLD", "mV"}));
    Run->SetSlot(0, true);
    Run->SetSlot(2, true);
    Run->SetValue(-42.375);

    auto* Design = Meter(S, 320, 95, 290, 110);
    Design->SetDesigning(true);
    Design->SetSign(PMeterInt::pmrOnlyPositive);
    Design->SetDisplayColor(clAqua);
    Design->SetDisplayAngle(12);
    Design->SetSlots(Items({"AC", "DC", "Hz"}));
    Design->SetValue(0.5);

    auto* Upright = Meter(S, 10, 220, 140, 90);
    Upright->SetDigits(2);
    Upright->SetDecimalPoint(0);
    Upright->SetDisplayAngle(0);
    Upright->SetDisplayColor(clRed);
    Upright->SetValue(-7);

    auto* Wide = Meter(S, 165, 220, 445, 60);
    Wide->SetDigits(8);
    Wide->SetDecimalPoint(4);
    Wide->SetBevelWidth(1);
    Wide->SetBorderWidth(6);
    Wide->SetBorderColor(clGray);
    Wide->SetDisplayColor(clYellow);
    Wide->SetColor(clNavy);
    Wide->SetValue(3.14159265);

    auto* Tall = Meter(S, 165, 290, 200, 100);
    Tall->SetSign(PMeterInt::pmrOnlyPositive);
    Tall->SetDigits(3);
    Tall->SetDecimalPoint(3);
    Tall->SetValue(123);

    auto* Tiny = Meter(S, 380, 290, 90, 34);
    Tiny->SetValue(1.234);
    quellix::gallery::SaveWidget(&S, OutDir, "panelmeter.png");
  }

  // LEDs: every style off and on, a wide and a tall circle, bigger lamps.
  {
    using namespace LedInt;
    TSheet S(560, 200);
    S.SetColor(clWhite);
    for (int Style = lesCircle; Style <= lesArrowUpDown; ++Style)
      for (int On = 0; On < 2; ++On) {
        auto* L = new TLedInt(&S, &S);
        L->SetBounds(10 + 46 * Style, 10 + 46 * On, 32, 32);
        L->SetStyle(static_cast<TLedStyle>(Style));
        L->SetValue(On != 0);
      }
    auto* Wide = new TLedInt(&S, &S);
    Wide->SetBounds(10, 110, 80, 40);
    Wide->SetColorActive(clLime);
    Wide->SetValue(true);
    auto* Tall = new TLedInt(&S, &S);
    Tall->SetBounds(100, 100, 40, 80);
    Tall->SetColorActive(clYellow);
    Tall->SetValue(true);
    auto* Big = new TLedInt(&S, &S);
    Big->SetBounds(160, 100, 80, 80);
    Big->SetColorActive(clBlue);
    Big->SetValue(true);
    auto* Bar = new TLedInt(&S, &S);
    Bar->SetBounds(260, 120, 120, 30);
    Bar->SetStyle(lesRectangle);
    Bar->SetColorActive(clAqua);
    Bar->SetValue(true);
    auto* Arrow = new TLedInt(&S, &S);
    Arrow->SetBounds(400, 100, 140, 80);
    Arrow->SetStyle(lesArrowRight);
    Arrow->SetColorActive(clFuchsia);
    Arrow->SetValue(true);
    quellix::gallery::SaveWidget(&S, OutDir, "led.png");
  }

  // Rotated labels at several angles, one bold, underlined and struck out.
  {
    using namespace RLabel;
    TSheet S(560, 300);
    const Integer Angles[] = {0, 30, 90, -90, 180, -135};
    const Integer X[] = {10, 10, 220, 270, 320, 400};
    const Integer Y[] = {10, 60, 20, 20, 240, 20};
    for (int i = 0; i < 6; ++i) {
      auto* L = new TRotateLabel(&S, &S);
      L->SetLeft(X[i]);
      L->SetTop(Y[i]);
      L->Font().SetHeight(-19);
      L->SetCaption(QStringLiteral("Winkel %1°").arg(Angles[i]));
      L->SetAngle(Angles[i]);
    }
    auto* Styled = new TRotateLabel(&S, &S);
    Styled->SetBounds(10, 200, 10, 10);
    Styled->Font().SetHeight(-24);
    Styled->Font().SetStyle(fsBold | fsUnderline | fsStrikeOut);
    Styled->Font().SetColor(clBlue);
    Styled->SetCaption(QStringLiteral("Fett"));
    Styled->SetAngle(15);
    for (int i = 0; i < S.ComponentCount(); ++i)
      if (auto* L = dynamic_cast<TRotateLabel*>(S.Components(i))) L->AdjustBounds();
    quellix::gallery::SaveWidget(&S, OutDir, "rotatelabel.png");
  }

  // The demonstration windows after some ticks.
  {
    SetRandSeed(11);
    PanelMeter_Unit::TPanelMeter_Demo W;
    W.FormShow();
    for (int i = 0; i < 12; ++i) W.Timer1->Tick();
    quellix::gallery::SaveWidget(&W, OutDir, "panelmeter-demo.png");
    W.FormHide();
  }
  {
    Led_Unit::TLed_Demo W;
    W.FormShow();
    for (int i = 0; i < 3; ++i) W.Led(9)->FlashTimer().Tick();
    W.Led(26)->FlashTimer().Tick();
    quellix::gallery::SaveWidget(&W, OutDir, "led-demo.png");
    W.FormHide();
  }
}
