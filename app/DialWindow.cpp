#include "quellix/app/DialWindow.h"

#include "quellix/app/InstrumentWindow.h"

namespace quellix::Dial_Unit {

using namespace dial;

namespace {

TDial* MakeDial(TDial_Demo* Owner, const QString& Name, Integer X, Integer Y, Integer Size) {
  auto* D = app::MakeInstrument<TDial>(Owner, Name, X, Y, Size, Size);
  D->SetColor(clBtnFace);
  D->SetValueMax(100);
  return D;
}

}  // namespace

TDial_Demo::TDial_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("TDial_Demo"), tr("TDial Demo"), AOwner) {
  SetTitle(QStringLiteral("TDial"));
  SetExplanation(tr(
      "TDial ist ein Drehknopf: ein Klick mit der linken Maustaste in den Knopf stellt den Wert auf den "
      "angeklickten Winkel, Ziehen mit gedrückter Taste dreht ihn weiter.\nSkalenstriche, Beschriftung, "
      "Schrittweite, Farben, Ringbreite und Zeigerform (Kreis, Dreieck, Strich) sind einstellbar."));
  resize(660, 500);

  // Two large knobs with scale: voltage and current.
  Dial1 = MakeDial(this, QStringLiteral("Dial1"), 10, 10, 160);
  Dial1->SetCaption(QStringLiteral("U1"));
  Dial1->SetTicks(true);
  Dial1->SetLabels(true);
  Dial1->SetIndicatorStyle(diaTriangle);
  Dial1->SetIndicatorInner(50);
  Dial1->SetIndicatorOuter(95);
  Dial1->SetRingColor(RGB(64, 64, 72));
  Dial1->SetIndicatorColor(clYellow);
  Dial1->SetValue(40);
  app::AddCenteredLabel(ClientArea(), tr("Spannung, Dreieck"), 10, 172, 160);

  Dial2 = MakeDial(this, QStringLiteral("Dial2"), 180, 10, 160);
  Dial2->SetCaption(QStringLiteral("I1"));
  Dial2->SetTicks(true);
  Dial2->SetLabels(true);
  Dial2->SetValueGap(5);
  Dial2->SetIndicatorStyle(diaLine);
  Dial2->SetIndicatorInner(30);
  Dial2->SetIndicatorOuter(95);
  Dial2->SetRingColor(clSilver);
  Dial2->SetIndicatorColor(clNavy);
  Dial2->SetValue(65);
  app::AddCenteredLabel(ClientArea(), tr("Strom, Strich"), 180, 172, 160);

  // Four small knobs without labels.
  Dial3 = MakeDial(this, QStringLiteral("Dial3"), 365, 15, 100);
  Dial3->SetTicks(true);
  Dial3->SetValue(20);
  app::AddCenteredLabel(ClientArea(), tr("Kreis"), 365, 118, 100);

  Dial4 = MakeDial(this, QStringLiteral("Dial4"), 480, 15, 100);
  Dial4->SetTicks(true);
  Dial4->SetValueStepWidth(10);
  Dial4->SetValueGap(10);
  Dial4->SetIndicatorStyle(diaTriangle);
  Dial4->SetIndicatorInner(55);
  Dial4->SetIndicatorOuter(95);
  Dial4->SetRingColor(RGB(0, 96, 160));
  Dial4->SetInnerColor(RGB(200, 220, 240));
  Dial4->SetIndicatorColor(clWhite);
  Dial4->SetValue(70);
  app::AddCenteredLabel(ClientArea(), tr("Schrittweite 10"), 470, 118, 120);

  Dial5 = MakeDial(this, QStringLiteral("Dial5"), 365, 150, 100);
  Dial5->SetScaleAngle1(-90);
  Dial5->SetScaleAngle2(90);
  Dial5->SetTicks(true);
  Dial5->SetValueGap(25);
  Dial5->SetIndicatorStyle(diaLine);
  Dial5->SetIndicatorInner(20);
  Dial5->SetIndicatorOuter(95);
  Dial5->SetRingWidth(10);
  Dial5->SetIndicatorColor(clBlack);
  Dial5->SetValue(50);
  app::AddCenteredLabel(ClientArea(), tr("Halbkreis"), 365, 253, 100);

  Dial6 = MakeDial(this, QStringLiteral("Dial6"), 480, 150, 100);
  Dial6->SetBevelOuterWidth(-4);
  Dial6->SetBevelInnerWidth(-3);
  Dial6->SetBevelColor(RGB(255, 230, 180));
  Dial6->SetRingColor(RGB(150, 110, 60));
  Dial6->SetInnerColor(RGB(180, 140, 90));
  Dial6->SetIndicatorColor(clLime);
  Dial6->SetValue(85);
  app::AddCenteredLabel(ClientArea(), tr("Vertiefte Fassung"), 470, 253, 120);
}

}  // namespace quellix::Dial_Unit
