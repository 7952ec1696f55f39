// Gallery page of the strip chart window: the eight channels after five
// seconds of simulated ticks, with time grid, value grid and time axis.
#include "Gallery.h"
#include "quellix/app/StripChartWindow.h"
#include "quellix/host/NumberFormat.h"

using namespace quellix;

QUELLIX_GALLERY_PAGE(Stripchart) {
  SetRandSeed(1);
  Stripchart_Unit::TStripchart_Demo Window;
  Window.resize(680, 520);
  // Five seconds of 50 ms ticks, driven here rather than by the clock.
  for (int Tick = 0; Tick < 100; ++Tick) Window.Timer1Timer(Window.Timer1);
  Window.Timer1->SetEnabled(false);
  Window.OnShow = nullptr;   // no running timer behind the picture
  quellix::gallery::SaveWidget(&Window, OutDir, "stripchart.png");
}
