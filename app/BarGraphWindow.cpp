#include "quellix/app/BarGraphWindow.h"

#include "quellix/app/InstrumentWindow.h"

namespace quellix::BarGraph_Unit {

using namespace bargraphint;
using app::SetRange;

TBarGraph_Demo::TBarGraph_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("TBarGraph_Demo"), tr("TBargraph Demo"), AOwner) {
  SetTitle(QStringLiteral("TBarGraph"));
  SetExplanation(tr(
      "TBarGraph zeigt einen Wert als Balken, der sich von unten (oder links) füllt. Jeder Abschnitt des Balkens "
      "trägt die Farbe seines Wertebereichs; eine Skala mit Strichen und Zahlen steht wahlweise links, rechts "
      "oder auf beiden Seiten.\nEin Zeitgeber (1 ms) bewegt die fünf Balken gemeinsam auf und ab."));
  resize(660, 500);

  // A level meter: green, yellow, red.
  BarGraph1 = app::MakeInstrument<TBarGraph>(this, QStringLiteral("BarGraph1"), 10, 20, 80, 233);
  BarGraph1->SetBarWidth(16);
  BarGraph1->SetRangeNumber(3);
  SetRange(BarGraph1, 1, clLime, 60);
  SetRange(BarGraph1, 2, clYellow, 80);
  SetRange(BarGraph1, 3, clRed, 100);
  BarGraph1->SetRangeCurrent(1);
  BarGraph1->SetLabelingStyle(lbsBoth);
  BarGraph1->SetLabelingGap(10);
  BarGraph1->SetLabelingDecimals(0);
  app::AddCenteredLabel(ClientArea(), tr("Pegel"), 10, 258, 80);

  // One colour, scale on both sides.
  BarGraph2 = app::MakeInstrument<TBarGraph>(this, QStringLiteral("BarGraph2"), 110, 20, 90, 233);
  BarGraph2->SetBarWidth(12);
  BarGraph2->SetRangeColor(clBlue);
  BarGraph2->SetBarColor(clWhite);
  BarGraph2->SetLabelingStyle(lbsSymmetric);
  BarGraph2->SetLabelingGap(10);
  BarGraph2->SetLabelingDecimals(0);
  app::AddCenteredLabel(ClientArea(), tr("Füllstand"), 110, 258, 90);

  // Falls while the others rise; the scale on the right.
  BarGraph3 = app::MakeInstrument<TBarGraph>(this, QStringLiteral("BarGraph3"), 220, 20, 80, 233);
  BarGraph3->SetBarWidth(20);
  BarGraph3->SetRangeNumber(2);
  SetRange(BarGraph3, 1, clRed, 20);
  SetRange(BarGraph3, 2, clGreen, 100);
  BarGraph3->SetRangeCurrent(1);
  BarGraph3->SetLabelingStyle(lbsBoth);
  BarGraph3->SetLabelingOrientation(lboRight);
  BarGraph3->SetLabelingGap(10);
  BarGraph3->SetLabelingDecimals(0);
  app::AddCenteredLabel(ClientArea(), tr("Vorrat"), 220, 258, 80);

  // Horizontal, 0 .. 50 with one decimal.
  BarGraph4 = app::MakeInstrument<TBarGraph>(this, QStringLiteral("BarGraph4"), 330, 30, 300, 60);
  BarGraph4->SetKind(sbHorizontal);
  BarGraph4->SetBarWidth(14);
  BarGraph4->SetValueMax(50);
  BarGraph4->SetRangeNumber(2);
  SetRange(BarGraph4, 1, clTeal, 40);
  SetRange(BarGraph4, 2, clMaroon, 50);
  BarGraph4->SetRangeCurrent(1);
  BarGraph4->SetLabelingStyle(lbsBoth);
  BarGraph4->SetLabelingOrientation(lboBelow);
  BarGraph4->SetLabelingGap(2.5);
  app::AddCenteredLabel(ClientArea(), tr("Durchfluss"), 330, 95, 300);

  // Horizontal, 40 .. 80, tick lines only.
  BarGraph5 = app::MakeInstrument<TBarGraph>(this, QStringLiteral("BarGraph5"), 330, 150, 300, 40);
  BarGraph5->SetKind(sbHorizontal);
  BarGraph5->SetBarWidth(12);
  BarGraph5->SetValueMin(40);
  BarGraph5->SetValueMax(80);
  BarGraph5->SetRangeColor(clPurple);
  BarGraph5->SetLabelingStyle(lbsLines);
  BarGraph5->SetLabelingGap(2);
  app::AddCenteredLabel(ClientArea(), tr("Temperatur 40 … 80"), 330, 195, 300);

  Timer1 = app::MakeAnimationTimer(this, 1);
}

void TBarGraph_Demo::FormShow(TObject*) {
  FLevels = {0, 0, 100, 0, 60};
  ShowLevels();
  Timer1->SetEnabled(true);
}

void TBarGraph_Demo::FormHide(TObject*) { Timer1->SetEnabled(false); }

void TBarGraph_Demo::Timer1Timer(TObject*) {
  // Steps of the five levels while going up; going down reverses them.
  static constexpr std::array<Double, 5> Step{1.0, 1.0, -1.0, 0.5, 0.2};
  const Double Sign = FUp ? 1.0 : -1.0;
  for (std::size_t i = 0; i < FLevels.size(); ++i) FLevels[i] += Sign * Step[i];
  if (FLevels[0] >= 95) FUp = false;
  if (FLevels[0] <= 0) FUp = true;
  ShowLevels();
}

void TBarGraph_Demo::ShowLevels() {
  TBarGraph* const Bars[] = {BarGraph1, BarGraph2, BarGraph3, BarGraph4, BarGraph5};
  for (std::size_t i = 0; i < FLevels.size(); ++i) Bars[i]->SetValue(FLevels[i]);
}

}  // namespace quellix::BarGraph_Unit
