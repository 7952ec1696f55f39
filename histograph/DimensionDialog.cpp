#include "quellix/histograph/DimensionDialog.h"

#include <limits>

#include "quellix/histograph/HistographEngine.h"

namespace quellix::Efa {

using namespace ChartTools;
using H = HistoInt::THistographInt;

TFormAxis::TFormAxis(TComponentCore* AOwner, QWidget* AParent) : TAxisDialog(rfPutBack, AOwner, AParent) {
  // X "Min" and "Max" set the nominal and the current end, so that a
  // zoomed window becomes the whole nominal range.
  auto [XMin, XMax] = RangeFields(FHisto, &H::ViewXNominalMin, &H::SetViewXNominalMin, &H::ViewXNominalMax,
                                  &H::SetViewXNominalMax);
  XMin.Set = [this, Nominal = XMin.Set](Extended V) {
    Nominal(V);
    FHisto->SetViewXCurrentMin(Single(V));
  };
  XMax.Set = [this, Nominal = XMax.Set](Extended V) {
    Nominal(V);
    FHisto->SetViewXCurrentMax(Single(V));
  };
  const auto [YMin, YMax] = RangeFields(FHisto, &H::ViewYMin, &H::SetViewYMin, &H::ViewYMax, &H::SetViewYMax);
  EXMin = AddNumber(agX, QStringLiteral("Min"), XMin);
  EXMax = AddNumber(agX, QStringLiteral("Max"), XMax);
  EXGap = AddNumber(agX, tr("Abstand"), Field(FHisto, &H::ViewXGap, &H::SetViewXGap));
  SEXDecimals = AddDecimals(agX, 0, 8, [this] { return FHisto->ViewXDecimals(); },
                            [this](Integer V) { FHisto->SetViewXDecimals(V); });
  EYMin = AddNumber(agY, QStringLiteral("Min"), YMin);
  EYMax = AddNumber(agY, QStringLiteral("Max"), YMax);
  EYGap = AddNumber(agY, tr("Abstand"), Field(FHisto, &H::ViewYGap, &H::SetViewYGap));
  SEYDecimals = AddDecimals(agY, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(),
                            [this] { return FHisto->ViewYDecimals(); },
                            [this](Integer V) { FHisto->SetViewYDecimals(V); });
}

// Put back in this order, through the setters.
std::vector<TRestore> TFormAxis::Save() {
  H& C = *FHisto;
  return {Keep(C, &H::ViewXNominalMin, &H::SetViewXNominalMin), Keep(C, &H::ViewXNominalMax, &H::SetViewXNominalMax),
          Keep(C, &H::ViewXCurrentMin, &H::SetViewXCurrentMin), Keep(C, &H::ViewXCurrentMax, &H::SetViewXCurrentMax),
          Keep(C, &H::ViewXGap, &H::SetViewXGap),               Keep(C, &H::ViewXDecimals, &H::SetViewXDecimals),
          Keep(C, &H::ViewYMin, &H::SetViewYMin),               Keep(C, &H::ViewYMax, &H::SetViewYMax),
          Keep(C, &H::ViewYGap, &H::SetViewYGap),               Keep(C, &H::ViewYDecimals, &H::SetViewYDecimals)};
}

}  // namespace quellix::Efa
