// Deferred drawing of the instruments' value changes: a value set many
// times in one frame is drawn once, from the picture on the surface to the
// last value, and gives the picture of drawing every change at once.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

#include "quellix/instruments/BarGraph.h"
#include "quellix/instruments/Dial.h"
#include "quellix/instruments/Led.h"
#include "quellix/instruments/Meter.h"
#include "quellix/instruments/PanelMeter.h"
#include "quellix/instruments/Slider.h"

using namespace quellix;

namespace {

struct TCase {
  const char* Name;
  std::function<TControl*()> Make;
  std::function<void(TControl*, double)> Set;
};

template <class T>
TCase Case(const char* Name, std::function<void(T*, double)> Set, int W = 120, int H = 120) {
  return {Name,
          [W, H] {
            T* C = new T;
            C->SetBounds(0, 0, W, H);
            C->SetColor(clSilver);
            return C;
          },
          [Set](TControl* C, double V) { Set(static_cast<T*>(C), V); }};
}

}  // namespace

TEST(InstrumentDeferred, ValueChangesOfAFrameGiveThePictureOfDrawingEveryChange) {
  const TCase Cases[] = {
      Case<bargraphint::TBarGraphInt>("bar graph", [](auto* C, double V) { C->SetValue(V); }, 60, 233),
      Case<meterInt::TMeterInt>("meter", [](auto* C, double V) { C->SetValue(V); }, 200, 150),
      Case<dial::TDial>("dial", [](auto* C, double V) { C->SetValue(V); }),
      Case<Slider::TSlider>("slider", [](auto* C, double V) { C->SetValue(V); }, 60, 200),
      Case<LedInt::TLedInt>("LED", [](auto* C, double V) { C->SetValue(V > 50); }, 30, 30),
      Case<PMeterInt::TPanelMeterInt>("panel meter", [](auto* C, double V) { C->SetValue(V / 60 - 0.8); }, 160, 60),
  };
  for (const TCase& K : Cases) {
    std::unique_ptr<TControl> Now(K.Make()), Later(K.Make());
    Now->SetDrawDeferred(false);
    Now->Repaint();
    Later->Repaint();
    std::mt19937 Rng(11);
    for (int Frame = 0; Frame < 25; ++Frame) {
      const int Changes = std::uniform_int_distribution<int>(1, 8)(Rng);
      for (int I = 0; I < Changes; ++I) {
        const double V = std::uniform_real_distribution<double>(-5, 105)(Rng);
        K.Set(Now.get(), V);
        K.Set(Later.get(), V);
      }
      ProcessMessages();
      ASSERT_FALSE(Later->DrawingPending()) << K.Name;
      ASSERT_EQ(Now->Surface(), Later->Surface()) << K.Name << ", frame " << Frame;
    }
  }
}
