#include "quellix/app/SliderWindow.h"

#include "quellix/app/InstrumentWindow.h"

namespace quellix::Slider_Unit {

using namespace Slider;

namespace {

// Green, yellow and red thirds of a 0 .. 50 scale, as a level control
// shows its safe, raised and critical part.
void TrafficLightRanges(TSlider* S) {
  S->SetRangeNumber(3);
  const std::pair<TColor, Double> Ranges[] = {{clLime, 20.0}, {clYellow, 40.0}, {clRed, 50.0}};
  for (Integer i = 0; i < 3; ++i) {
    S->SetRangeCurrent(i + 1);
    S->SetRangeColor(Ranges[i].first);
    S->SetRangeLimit(Ranges[i].second);
  }
  S->SetRangeCurrent(1);
}

}  // namespace

TSlider_Demo::TSlider_Demo(TComponentCore* AOwner)
    : TDemoWindow(QStringLiteral("TSlider_Demo"), tr("TSlider Demo"), AOwner) {
  SetTitle(QStringLiteral("TSlider"));
  SetExplanation(tr(
      "TSlider ist ein Schieberegler mit bis zu 16 farbigen Wertebereichen, wahlweise senkrecht oder waagerecht, "
      "mit Skala auf einer oder beiden Seiten, Zeiger-Skala, Beschriftung und Schrittweite.\n"
      "Die Regler „Soll“ und „Rest“ sind gekoppelt: ihre Summe ist immer 50."));
  resize(660, 500);
  QWidget* Area = ClientArea();

  // A plain fader with its scale on the left.
  Slider1 = new TSlider(this, Area);
  Slider1->SetName(QStringLiteral("Slider1"));
  Slider1->SetBounds(10, 20, 70, 233);
  Slider1->SetLabelingStyle(lbsBoth);
  Slider1->SetLabelingGap(10);
  Slider1->SetLabelingDecimals(0);
  Slider1->SetButtonWidth(30);
  Slider1->SetButtonHeight(16);
  Slider1->SetButtonCaption(QStringLiteral("="));
  Slider1->SetValue(70);
  AddLabel(tr("Pegel"), 10, 258, 70);

  // The coupled pair, 0 .. 50 with coloured ranges.
  Slider2 = new TSlider(this, Area);
  Slider2->SetName(QStringLiteral("Slider2"));
  Slider2->SetBounds(100, 20, 70, 233);
  Slider2->SetValueMax(50);
  TrafficLightRanges(Slider2);
  Slider2->SetLabelingStyle(lbsBoth);
  Slider2->SetLabelingOrientation(lboRight);
  Slider2->SetLabelingDecimals(0);
  Slider2->SetSliderWidth(8);
  Slider2->SetButtonWidth(30);
  Slider2->SetValue(15);
  AddLabel(tr("Soll"), 100, 258, 70);

  Slider4 = new TSlider(this, Area);
  Slider4->SetName(QStringLiteral("Slider4"));
  Slider4->SetBounds(190, 20, 90, 233);
  Slider4->SetValueMax(50);
  TrafficLightRanges(Slider4);
  Slider4->SetLabelingStyle(lbsSymmetric);
  Slider4->SetLabelingDecimals(0);
  Slider4->SetSliderWidth(8);
  Slider4->SetButtonWidth(24);
  Slider4->SetButtonColor(clSilver);
  Slider4->SetValue(35);
  AddLabel(tr("Rest"), 190, 258, 90);

  // A pointer scale: the transparent button is a bar across the control
  // with a window onto the scale behind it.
  Slider3 = new TSlider(this, Area);
  Slider3->SetName(QStringLiteral("Slider3"));
  Slider3->SetBounds(300, 20, 90, 233);
  Slider3->SetValueMax(10);
  Slider3->SetLabelingGap(1);
  Slider3->SetLabelingDecimals(0);
  Slider3->SetLabelingOrientation(lboRight);
  Slider3->SetButtonTransparent(true);
  Slider3->SetButtonHeight(24);
  Slider3->SetButtonBorderColor(clGray);
  Slider3->SetLabelingStyle(lbsAsymmetric);
  Slider3->SetRangeColor(clNavy);
  Slider3->SetValue(4);
  AddLabel(tr("Zeiger"), 300, 258, 90);

  // A horizontal slider that moves in steps of 5.
  Slider5 = new TSlider(this, Area);
  Slider5->SetName(QStringLiteral("Slider5"));
  Slider5->SetKind(sbHorizontal);
  Slider5->SetBounds(410, 90, 230, 70);
  Slider5->SetValueStepWidth(5);
  Slider5->SetLabelingStyle(lbsBoth);
  Slider5->SetLabelingOrientation(lboBelow);
  Slider5->SetLabelingGap(5);
  Slider5->SetLabelingDecimals(0);
  Slider5->SetButtonWidth(28);
  Slider5->SetButtonHeight(22);
  Slider5->SetRangeNumber(2);
  Slider5->SetRangeCurrent(1);
  Slider5->SetRangeColor(clTeal);
  Slider5->SetRangeLimit(75);
  Slider5->SetRangeCurrent(2);
  Slider5->SetRangeColor(clFuchsia);
  Slider5->SetRangeCurrent(1);
  Slider5->SetButtonCaption(QStringLiteral("5er"));
  Slider5->SetValue(40);
  AddLabel(tr("Schrittweite 5"), 410, 165, 230);

  Slider2->OnValueChange = [this](TObject* Sender) { Slider2ValueChange(Sender); };
  Slider4->OnValueChange = [this](TObject* Sender) { Slider4ValueChange(Sender); };
}

QLabel* TSlider_Demo::AddLabel(const QString& Text, Integer X, Integer Y, Integer W) {
  return app::AddCenteredLabel(ClientArea(), Text, X, Y, W);
}

void TSlider_Demo::Slider2ValueChange(TObject*) { Slider4->SetValue(50 - Slider2->Value()); }

void TSlider_Demo::Slider4ValueChange(TObject*) { Slider2->SetValue(50 - Slider4->Value()); }

}  // namespace quellix::Slider_Unit
