// Gallery page of the Pro and flip-flop windows: the measurement chain after
// some ticks of the histograph's timer, the flip-flop in its red phase with
// equal time constants and in its green phase with unequal ones.
#include "Gallery.h"
#include "quellix/app/FlipFlopWindow.h"
#include "quellix/app/ProWindow.h"

using namespace quellix;

QUELLIX_GALLERY_PAGE(ProFlipFlop) {
  {
    Pro_Unit::TPro_Demo Window;
    // Ticks driven here; the show handler would start the real timer.
    Window.OnShow = nullptr;
    for (int T = 0; T < 8; ++T) Window.Histograph1Timer(Window.Histograph1);
    gallery::SaveWidget(&Window, OutDir, "pro-demo.png");
  }
  {
    FlipFlop_Unit::TFlipFlop_Demo Window;
    Window.OnShow = nullptr;
    Window.Timer2Timer();
    gallery::SaveWidget(&Window, OutDir, "flipflop-demo.png");
  }
  {
    FlipFlop_Unit::TFlipFlop_Demo Window;
    Window.OnShow = nullptr;
    Window.R2->SetValue(25);
    Window.C1->SetValue(60);
    Window.R3->SetValue(15);
    Window.C2->SetValue(80);
    Window.Timer2Timer();
    Window.Timer2Timer();
    gallery::SaveWidget(&Window, OutDir, "flipflop-asymmetric.png");
  }
}
