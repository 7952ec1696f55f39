#include "quellix/stripchart/ValueBar.h"

#include "quellix/stripchart/StripChartEngine.h"

namespace quellix::_sEca {

TFormCalculateBarStrip::TFormCalculateBarStrip(StrpChrtInt::TStripChartInt* Chart, QWidget* AParent)
    : TValueBar({.Across = QStringLiteral("T"),
                 .Differences = {{{QStringLiteral("ΔT:"), QStringLiteral("deltax")},
                                  {QStringLiteral("ΔY:"), QStringLiteral("deltay")},
                                  {QStringLiteral("1/Δt:"), QStringLiteral("invdeltax")}}},
                 .HideCalculate = false,
                 .Digits = 5},
                AParent) {
  // Closing the window clears the chart's flag.
  OnHide = [Chart](TObject*) {
    if (Chart) Chart->SetShowValueBar(false);
  };
}

}  // namespace quellix::_sEca
