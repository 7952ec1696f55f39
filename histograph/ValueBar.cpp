#include "quellix/histograph/ValueBar.h"

#include <QGroupBox>

#include "quellix/histograph/HistographEngine.h"

namespace quellix::Eca {

TFormValueBar::TFormValueBar(HistoInt::THistographInt* Histo)
    : TValueBar({.Across = QStringLiteral("X"),
                 .Differences = {{{QStringLiteral("1/ΔX:"), QStringLiteral("invdeltax")},
                                  {QStringLiteral("ΔX:"), QStringLiteral("deltax")},
                                  {QStringLiteral("ΔY:"), QStringLiteral("deltay")}}},
                 .HideCalculate = true,
                 .Digits = Digits},
                Histo) {}

bool TFormValueBar::CalculateVisible() const { return !GroupCross2->isHidden(); }

}  // namespace quellix::Eca
