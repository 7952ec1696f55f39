// The value bar of a histograph: the series, X and Y under the measuring
// cross ("Meßkreuz 1"), under the second calculation cross ("Meßkreuz 2"),
// and their differences ("Vermessen").
#pragma once

#include "quellix/host/Controls.h"

class QGroupBox;
class QLabel;

namespace quellix::HistoInt {
class THistographInt;
}

namespace quellix::Eca {

class TFormValueBar : public TForm {
  Q_OBJECT
public:
  // A window of the histograph, freed with it.
  explicit TFormValueBar(HistoInt::THistographInt* Histo);

  // The values of the measuring cross (or of calculation cross 1).
  void ShowMeasure(Integer Serie, Extended X, Extended Y);
  // Both calculation crosses, |dX|, |dY| and 1/|dX| ("----" for dX = 0).
  void ShowCalculate(Integer Serie1, Extended X1, Extended Y1, Integer Serie2, Extended X2, Extended Y2);
  // Shows the second cross and the differences (not in measuring mode).
  void SetCalculateVisible(bool Value);
  bool CalculateVisible() const;

  // The value labels by name: "Series1", "X1", "Y1", "Series2", "X2",
  // "Y2", "deltax", "deltay", "invdeltax".
  QLabel* Value(const QString& Name) const;

  // A value as the bar writes it: general format, 4 significant digits.
  static QString Format(Extended V);

private:
  QGroupBox* FCross1;
  QGroupBox* FCross2;
  QGroupBox* FCalc;
};

}  // namespace quellix::Eca
