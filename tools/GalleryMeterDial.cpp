// Gallery page of the analog meter and the dial: each in several dresses
// (angles, labelling, ticks, indicators, bevels), and their demonstration
// windows after some ticks and a mouse turn.
#include <QWidget>

#include "Gallery.h"
#include "quellix/app/DialWindow.h"
#include "quellix/app/MeterWindow.h"
#include "quellix/instruments/Dial.h"
#include "quellix/instruments/Meter.h"

using namespace quellix;
using namespace quellix::meterInt;
using namespace quellix::dial;

namespace {

TMeterInt* Meter(QWidget* Parent, int X, int Y, int W, int H) {
  auto* M = new TMeterInt(nullptr, Parent);
  M->SetBounds(X, Y, W, H);
  return M;
}

void Ranges(TMeterInt* M, std::initializer_list<std::pair<TColor, Double>> R) {
  M->SetRangeNumber(Integer(R.size()));
  Integer I = 1;
  for (const auto& [C, L] : R) {
    M->SetRangeCurrent(I++);
    M->SetRangeColor(C);
    M->SetRangeLimit(L);
  }
  M->SetRangeCurrent(1);
}

TDial* Dial(QWidget* Parent, int X, int Y, int W, int H) {
  auto* D = new TDial(nullptr, Parent);
  D->SetBounds(X, Y, W, H);
  D->SetColor(clBtnFace);
  return D;
}

}  // namespace

QUELLIX_GALLERY_PAGE(MeterDial) {
  // --- meters ---
  {
    QWidget Page;
    Page.resize(860, 420);
    Page.setStyleSheet(QStringLiteral("background: #d4d0c8"));

    // Defaults: half circle, wedge, labels outside.
    TMeterInt* M1 = Meter(&Page, 10, 10, 200, 190);
    M1->SetTickStyle(ticHalf);
    M1->SetValue(35);

    // The four-range meter with labels inside.
    TMeterInt* M2 = Meter(&Page, 220, 10, 201, 177);
    M2->SetMeterAngle1(-120);
    M2->SetMeterAngle2(120);
    M2->SetMeterScale(110);
    M2->SetMeterShiftY(10);
    M2->SetLabelingStyle(labInside);
    Ranges(M2, {{clLime, 20}, {clYellow, 40}, {RGB(255, 128, 0), 80}, {clRed, 100}});
    M2->SetLegend1(QStringLiteral("Drehzahl"));
    M2->SetLegend2(QStringLiteral("x 100 / min"));
    M2->SetValue(63);

    // Needle, flat arc, half ticks, legend on top.
    TMeterInt* M3 = Meter(&Page, 430, 10, 300, 177);
    M3->SetMeterAngle1(-50);
    M3->SetMeterAngle2(50);
    M3->SetMeterShiftY(40);
    M3->SetMeterScale(150);
    M3->SetMeterScaleWidth(6);
    M3->SetValueMax(60);
    M3->SetValueGap(2.5);
    M3->SetIndicatorStyle(indNeedle);
    M3->SetIndicatorColor(clMaroon);
    M3->SetTickStyle(ticLarge);
    M3->SetColor(RGB(250, 246, 230));
    Ranges(M3, {{clBlack, 50}, {clRed, 60}});
    M3->SetLegend1(QStringLiteral("V"));
    M3->SetLegendPosition(LegTop);
    M3->SetValue(41.5);

    // Full circle, large ticks, a scale of 0 .. 1000 thinned labels, overshoot.
    TMeterInt* M4 = Meter(&Page, 740, 10, 110, 110);
    M4->SetMeterAngle1(-150);
    M4->SetMeterAngle2(150);
    M4->SetValueMax(1000);
    M4->SetTickStyle(ticLarge);
    M4->SetLabelingStyle(labNone);
    M4->SetIndicatorStyle(indNeedle);
    M4->SetValue(1200);

    // Negative values with decimals, pivot shifted left, legends on the right.
    TMeterInt* M5 = Meter(&Page, 10, 215, 260, 190);
    M5->SetMeterAngle1(0);
    M5->SetMeterAngle2(90);
    M5->SetMeterShiftX(-35);
    M5->SetMeterShiftY(35);
    M5->SetMeterScale(170);
    M5->SetValueMin(-1);
    M5->SetValueMax(1);
    M5->SetValueGap(0.25);
    M5->SetValueDecimals(2);
    Ranges(M5, {{clBlue, 0}, {clRed, 1}});
    M5->SetLegend1(QStringLiteral("Phase"));
    M5->SetLegend2(QStringLiteral("cos φ"));
    M5->SetLegendPosition(LegRight);
    M5->SetValue(0.4);

    // Scientific labels, no bevel, no band.
    TMeterInt* M6 = Meter(&Page, 280, 215, 260, 190);
    M6->SetBevelOuterWidth(0);
    M6->SetValueMax(50000);
    M6->SetValueGap(5000);
    M6->SetMeterScaleWidth(0);
    M6->SetIndicatorColor(clNavy);
    M6->SetLegend1(QStringLiteral("Pa"));
    M6->SetValue(20000);

    // Degenerate: the band takes the whole radius, only frame and background.
    TMeterInt* M7 = Meter(&Page, 550, 215, 140, 120);
    M7->SetMeterScaleWidth(100);
    M7->SetValue(50);

    // Thick bevel, ReduceFlicker, wide band, labels inside.
    TMeterInt* M8 = Meter(&Page, 700, 215, 150, 190);
    M8->SetBevelOuterWidth(4);
    M8->SetReduceFlicker(true);
    M8->SetMeterScaleWidth(18);
    M8->SetLabelingStyle(labInside);
    M8->SetTickStyle(ticLarge);
    M8->SetMeterAngle1(-135);
    M8->SetMeterAngle2(135);
    Ranges(M8, {{clGreen, 70}, {clOlive, 90}, {clMaroon, 100}});
    M8->SetValue(10);
    M8->SetValue(77);

    gallery::SaveWidget(&Page, OutDir, "meterdial_meters.png");
  }

  // --- dials ---
  {
    QWidget Page;
    Page.resize(760, 400);
    Page.setStyleSheet(QStringLiteral("background: #d4d0c8"));

    TDial* D1 = Dial(&Page, 10, 10, 120, 120);  // defaults
    D1->SetValue(30);

    TDial* D2 = Dial(&Page, 140, 10, 180, 180);
    D2->SetTicks(true);
    D2->SetLabels(true);
    D2->SetIndicatorStyle(diaTriangle);
    D2->SetIndicatorInner(50);
    D2->SetIndicatorOuter(95);
    D2->SetCaption(QStringLiteral("U1"));
    D2->SetValue(72);

    TDial* D3 = Dial(&Page, 330, 10, 180, 180);
    D3->SetTicks(true);
    D3->SetLabels(true);
    D3->SetValueMin(-5);
    D3->SetValueMax(5);
    D3->SetValueGap(0.5);
    D3->SetValueDecimals(1);
    D3->SetIndicatorStyle(diaLine);
    D3->SetIndicatorInner(40);
    D3->SetIndicatorOuter(90);
    D3->SetRingColor(clSilver);
    D3->SetValue(-2.5);

    TDial* D4 = Dial(&Page, 520, 10, 220, 120);  // wider than high
    D4->SetTicks(true);
    D4->SetRingColor(RGB(0, 96, 160));
    D4->SetInnerColor(RGB(200, 220, 240));
    D4->SetValue(50);

    TDial* D5 = Dial(&Page, 10, 200, 120, 120);  // sunken bevels
    D5->SetBevelOuterWidth(-5);
    D5->SetBevelInnerWidth(-3);
    D5->SetBevelColor(RGB(255, 230, 180));
    D5->SetRingColor(RGB(150, 110, 60));
    D5->SetValue(85);

    TDial* D6 = Dial(&Page, 140, 200, 120, 120);  // disabled
    D6->SetTicks(true);
    D6->SetValue(40);
    D6->SetEnabled(false);

    TDial* D7 = Dial(&Page, 270, 200, 140, 180);  // half circle, step width
    D7->SetScaleAngle1(-90);
    D7->SetScaleAngle2(90);
    D7->SetTicks(true);
    D7->SetLabels(true);
    D7->SetValueGap(20);
    D7->SetValueStepWidth(20);
    D7->SetValue(47);
    D7->SetCaption(QStringLiteral("Stufe"));

    TDial* D8 = Dial(&Page, 420, 200, 150, 150);  // large scale, thinned labels
    D8->SetTicks(true);
    D8->SetLabels(true);
    D8->SetValueMax(10000);
    D8->SetValueGap(250);
    D8->SetRingWidth(20);
    D8->SetBevelOuterWidth(2);
    D8->SetValue(6000);

    gallery::SaveWidget(&Page, OutDir, "meterdial_dials.png");
  }

  // --- demonstration windows ---
  {
    Meter_Unit::TMeter_Demo W;
    W.FormShow(&W);
    for (int I = 0; I < 130; ++I) W.Timer1->Tick();  // up to 99, turned, on the way down
    W.FormHide(&W);
    W.OnShow = nullptr;  // showing for the picture must not start again at 0
    gallery::SaveWidget(&W, OutDir, "meterdial_meter_demo.png");
  }
  {
    Dial_Unit::TDial_Demo W;
    W.ensurePolished();
    W.Dial3->Repaint();
    W.Dial3->MouseDown(mbLeft, 0, 80, 30);  // a click in the upper right of the knob
    W.Dial3->MouseUp(mbLeft, 0, 80, 30);
    gallery::SaveWidget(&W, OutDir, "meterdial_dial_demo.png");
  }
}
