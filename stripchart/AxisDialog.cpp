#include "quellix/stripchart/AxisDialog.h"

#include "quellix/stripchart/StripChartEngine.h"

namespace quellix::_sEfa {

using namespace ChartTools;
using C = StrpChrtInt::TStripChartInt;

TFormAxisStrip::TFormAxisStrip(TComponentCore* AOwner, QWidget* AParent) : TAxisDialog(rfMessage, AOwner, AParent) {
  // The chart takes any gap; the dialog applies only gaps above 0.
  const auto Gap = [](TNumberField F) {
    F.PositiveOnly = true;
    return F;
  };
  const auto [YMin, YMax] = RangeFields(Chart, &C::ViewYMin, &C::SetViewYMin, &C::ViewYMax, &C::SetViewYMax);
  EXGap = AddNumber(agX, tr("Abstand"), Gap(Field(Chart, &C::ViewXGap, &C::SetViewXGap)));
  EYMin = AddNumber(agY, QStringLiteral("Min"), YMin);
  EYMax = AddNumber(agY, QStringLiteral("Max"), YMax);
  EYGap = AddNumber(agY, tr("Abstand"), Gap(Field(Chart, &C::ViewYGap, &C::SetViewYGap)));
  EYDecimals = AddDecimals(agY, 0, 15, [this] { return Chart->ViewYDecimals(); },
                           [this](Integer V) { Chart->SetViewYDecimals(V); });
}

// Put back exactly, in this order.
std::vector<TRestore> TFormAxisStrip::Save() {
  return {Keep(*Chart, &C::ViewXGap, &C::SetViewXGap), Keep(*Chart, &C::ViewYMin, &C::SetViewYMin),
          Keep(*Chart, &C::ViewYMax, &C::SetViewYMax), Keep(*Chart, &C::ViewYGap, &C::SetViewYGap),
          Keep(*Chart, &C::ViewYDecimals, &C::SetViewYDecimals)};
}

}  // namespace quellix::_sEfa
