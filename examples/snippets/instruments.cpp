// An analog meter, a slider that sets it, and an LED that lights above
// 80. Saves instruments.png.
#include <QApplication>
#include <QHBoxLayout>
#include <QWidget>

#include <quellix/instruments/Led.h>
#include <quellix/instruments/Meter.h>
#include <quellix/instruments/Slider.h>

using namespace quellix;

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  QWidget Window;
  auto* Layout = new QHBoxLayout(&Window);

  auto* Meter = new meterInt::TMeterInt(nullptr, &Window);
  Meter->SetValueMin(0);
  Meter->SetValueMax(100);
  Meter->setMinimumSize(220, 160);
  auto* Slider = new Slider::TSlider(nullptr, &Window);  // vertical, 0 .. 100
  Slider->setMinimumSize(50, 160);
  auto* Led = new LedInt::TLedInt(nullptr, &Window);
  Led->setMinimumSize(30, 30);
  Layout->addWidget(Meter);
  Layout->addWidget(Slider);
  Layout->addWidget(Led);

  // The slider reports every change of its value; the meter and the LED follow.
  Slider->OnValueChange = [=](TObject*) {
    Meter->SetValue(Slider->Value());
    Led->SetValue(Slider->Value() > 80);
  };
  Slider->SetValue(85);

  Window.show();
  return Window.grab().save("instruments.png") ? 0 : 1;
}
