/// The value bar of a chart ("Anzeige: "): the series and the two values
/// under the first cross ("Meßkreuz 1") and the second cross ("Meßkreuz
/// 2"), and their differences ("Vermessen"). Outside the calculate mode the
/// second cross and the differences are hidden (histograph) or greyed
/// (strip chart). \file
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <array>

#include "quellix/host/Controls.h"

namespace quellix::ChartTools {

/// What differs between the charts' value bars.
struct TValueBarStyle {
  /// The value across: "X" (histograph) or "T" (time, strip chart).
  QString Across;
  /// The three rows of "Vermessen", top to bottom: caption and value label
  /// ("deltax", "deltay" or "invdeltax").
  std::array<std::pair<QString, QString>, 3> Differences;
  bool HideCalculate;  ///< hide, rather than grey, outside the calculate mode
  int Digits;          ///< significant digits of the values shown
};

class TValueBar : public TForm {
  Q_OBJECT
public:
  TValueBar(const TValueBarStyle& Style, QWidget* AParent);

  /// The first cross alone (measuring).
  void ShowMeasure(Integer Series, Extended Across, Extended Value);
  /// Both crosses, |dAcross|, |dValue| and 1/|dAcross| ("----" for 0).
  void ShowCalculate(Integer SeriesA, Extended Across1, Extended Value1, Integer SeriesB, Extended Across2,
                     Extended Value2);
  /// The second cross and the differences are shown (calculate mode).
  void ShowCalculateGroups(bool Value);

  /// A value label by name: "Series1", "X1", "Y1", "Series2", "X2", "Y2",
  /// "deltax", "deltay", "invdeltax".
  QLabel* Value(const QString& Name) const;

  QGroupBox* GroupCross1;
  QGroupBox* GroupCross2;
  QGroupBox* GroupCalculate;
  QLabel *Series1, *X1, *Y1, *Series2, *X2, *Y2;
  QLabel *deltax, *deltay, *invdeltax;

private:
  QString Format(Extended V) const;
  TValueBarStyle FStyle;
};

}  ///< namespace quellix::ChartTools
