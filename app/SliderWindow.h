// The slider window: five sliders in different dress, vertical and
// horizontal, with scales on either side, a pointer scale and a stepped
// slider. Slider2 and Slider4 are coupled: moving one sets the other to
// 50 minus its value.
#pragma once

#include <QLabel>

#include "quellix/app/DemoWindow.h"
#include "quellix/instruments/Slider.h"

namespace quellix::Slider_Unit {

class TSlider_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  explicit TSlider_Demo(TComponentCore* AOwner = nullptr);

  Slider::TSlider* Slider1;
  Slider::TSlider* Slider2;
  Slider::TSlider* Slider3;
  Slider::TSlider* Slider4;
  Slider::TSlider* Slider5;

  // Event handlers: the coupling of Slider2 and Slider4.
  void Slider2ValueChange(TObject* Sender);
  void Slider4ValueChange(TObject* Sender);

private:
  QLabel* AddLabel(const QString& Text, Integer X, Integer Y, Integer W);
};

}  // namespace quellix::Slider_Unit
