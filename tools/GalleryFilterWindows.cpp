// Gallery page of the filter and histograph windows: each filter window
// after some ticks of its sweep, the FIR window with a low-pass impulse
// response in its coefficient curve, the Yt window running and the XY
// window with a figure under way.
#include <cmath>
#include <numbers>
#include <vector>

#include "Gallery.h"
#include "quellix/app/FIRWindow.h"
#include "quellix/app/HistographXYWindow.h"
#include "quellix/app/HistographYtWindow.h"
#include "quellix/app/IIRWindow.h"
#include "quellix/app/RCHighpassWindow.h"
#include "quellix/app/RCLowpassWindow.h"
#include "quellix/app/StateVariableWindow.h"
#include "quellix/host/NumberFormat.h"

using namespace quellix;

namespace {

// Ticks driven here rather than by the clock; the window's show handler
// would start the real timer behind the picture.
template <class TWindow>
void SaveFilterWindow(const QString& OutDir, const QString& File, Integer Ticks, Double Cutoff) {
  TWindow Window;
  Window.OnShow = nullptr;
  Window.Eckfrequenz->SetValue(Cutoff);
  for (Integer T = 0; T < Ticks; ++T) Window.Histograph1Timer(Window.Histograph1);
  gallery::SaveWidget(&Window, OutDir, File);
}

}  // namespace

QUELLIX_GALLERY_PAGE(FilterWindows) {
  SaveFilterWindow<RCHoch_Unit::TRCHoch_Demo>(OutDir, "filter-rchigh.png", 20, 2);
  SaveFilterWindow<RCTief_Unit::TRCTief_Demo>(OutDir, "filter-rclow.png", 20, 8);
  SaveFilterWindow<IIR_Unit::TIIR_Demo>(OutDir, "filter-iir.png", 40, 10);
  SaveFilterWindow<SVFilter_Unit::TSVFilter_Demo>(OutDir, "filter-svf.png", 30, 5);

  {
    FIR_Unit::TFIR_Demo Window;
    Window.OnShow = nullptr;
    // A Hann-windowed sinc low-pass at 8 Hz with gain 1, as the user might
    // draw it, taken over by the next tick like an edited curve.
    constexpr Integer N = FIR_Unit::TFIR_Demo::kCoefficientCount;
    std::vector<Single> C(N);
    Double Sum = 0;
    for (Integer k = 0; k < N; ++k) {
      const Double M = k - (N - 1) / 2.0;
      const Double X = 2 * 8.0 / 512.0 * M;
      const Double Sinc = std::sin(std::numbers::pi * X) / (std::numbers::pi * X);
      const Double Hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * k / (N - 1));
      C[k] = Single(Sinc * Hann);
      Sum += C[k];
    }
    for (Single& V : C) V = Single(V / Sum);
    Window.Histograph2->SetData(C.data(), N, 1);
    Window.Histograph2MouseUp(Window.Histograph2, mbLeft, 0, 100, 100);
    for (Integer T = 0; T < 40; ++T) Window.Histograph1Timer(Window.Histograph1);
    gallery::SaveWidget(&Window, OutDir, "filter-fir.png");
  }

  {
    SetRandSeed(5);
    HistoYt_Unit::THisto2_Demo Window;
    Window.StartClick();
    for (Integer T = 0; T < 10; ++T) Window.Histograph1Timer(Window.Histograph1);
    Window.StopClick();
    gallery::SaveWidget(&Window, OutDir, "histo-yt.png");
  }

  {
    // Two seeds, two figures.
    for (std::uint32_t Seed : {1u, 2u}) {
      SetRandSeed(Seed);
      HistoXY_Unit::THisto1_Demo Window;
      Window.NewFigure();
      Window.Timer1->SetEnabled(false);
      for (Integer T = 0; T < 30; ++T) Window.Timer1Timer(Window.Timer1);
      gallery::SaveWidget(&Window, OutDir, QStringLiteral("histo-xy-%1.png").arg(Seed));
    }
  }
}
