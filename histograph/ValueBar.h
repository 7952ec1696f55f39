/// The value bar of a histograph: the charts' value bar with "X:" for the
/// value across, four significant digits, and the second cross and the
/// differences hidden outside the calculate mode. \file
#pragma once

#include "quellix/charttools/ValueBar.h"
#include "quellix/host/NumberFormat.h"

namespace quellix::HistoInt {
class THistographInt;
}

namespace quellix::Eca {

class TFormValueBar : public ChartTools::TValueBar {
  Q_OBJECT
public:
  static constexpr int Digits = 4;
  /// A window of the histograph, freed with it.
  explicit TFormValueBar(HistoInt::THistographInt* Histo);

  bool CalculateVisible() const;
  /// A value as the bar writes it: general format, 4 significant digits.
  static QString Format(Extended V) { return FloatToStrGeneral(V, Digits); }
};

}  ///< namespace quellix::Eca
