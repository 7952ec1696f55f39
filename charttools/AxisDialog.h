/// The axis dialog of a chart ("Maße"): a group "X-Achse" and a group
/// "Y-Achse" of number edits (applied when an edit is left) and decimals
/// spin edits (applied at every change). Each chart adds the fields it has.
/// \file
/// A number is refused when it is not a number, when the property cannot
/// hold it (beyond the range of its float type), or when it would make the
/// span of a view range infinite. A refused text is either answered with
/// the host's conversion message (the strip chart) or replaced by the
/// property's current value without a message (the histograph).
#pragma once

#include <type_traits>

#include "quellix/charttools/PropertyDialog.h"

class QGroupBox;
class QGridLayout;
class QLineEdit;
class QSpinBox;

namespace quellix::ChartTools {

enum TAxisGroup { agX, agY };
enum TRefusal { rfMessage, rfPutBack };
/// The float type of the property a number edit sets.
enum TFloatKind { fkSingle, fkDouble };

/// One number edit of the dialog.
struct TNumberField {
  std::function<Extended()> Get;      ///< the value as the chart has it now
  std::function<void(Extended)> Set;  ///< applies an accepted value
  TFloatKind Kind = fkSingle;
  /// Only values above 0 are applied; the others are ignored.
  bool PositiveOnly = false;
  /// For the ends of a range: the other end now, and whether this field is
  /// the range's upper end. The span between them must stay finite.
  std::function<Extended()> OtherEnd;
  bool UpperEnd = false;
};

/// Reads a property of the chart that Chart points to when it is called.
/// The accessors may be members of a base class of TChart.
template <class TChart, class TGet>
std::function<Extended()> Reader(TChart* const& Chart, TGet Get) {
  return [&Chart, Get]() -> Extended { return (Chart->*Get)(); };
}

/// The field of a float property of the chart that Chart points to when
/// the field is used.
template <class TChart, class TGet, class TSet>
TNumberField Field(TChart* const& Chart, TGet Get, TSet Set) {
  using TValue = std::remove_cvref_t<decltype((Chart->*Get)())>;
  static_assert(std::is_floating_point_v<TValue>);
  TNumberField F;
  F.Get = Reader(Chart, Get);
  F.Set = [&Chart, Set](Extended V) { (Chart->*Set)(static_cast<TValue>(V)); };
  F.Kind = sizeof(TValue) == sizeof(Single) ? fkSingle : fkDouble;
  return F;
}

/// The fields of the two ends of a range, each knowing the other.
template <class TChart, class TGet, class TSet>
std::pair<TNumberField, TNumberField> RangeFields(TChart* const& Chart, TGet GetMin, TSet SetMin, TGet GetMax,
                                                  TSet SetMax) {
  TNumberField Min = Field(Chart, GetMin, SetMin), Max = Field(Chart, GetMax, SetMax);
  Min.OtherEnd = Max.Get;
  Max.OtherEnd = Min.Get;
  Max.UpperEnd = true;
  return {Min, Max};
}

class TAxisDialog : public TPropertyDialog {
  Q_OBJECT
public:
  TAxisDialog(TRefusal Refusal, TComponentCore* AOwner, QWidget* AParent);

  /// Leaving an edit: its number goes to the chart; a refused text is
  /// answered as the chart's refusal says.
  void EditExit(QLineEdit* Edit);
  /// The number of an edit given to the chart; raises EConvertError with
  /// the host's message when the text is refused.
  void ApplyNumber(QLineEdit* Edit);

protected:
  /// The chart's class adds its fields in order, row by row.
  QLineEdit* AddNumber(TAxisGroup Group, const QString& Label, TNumberField Field);
  QSpinBox* AddDecimals(TAxisGroup Group, int Min, int Max, std::function<Integer()> Get,
                        std::function<void(Integer)> Set);
  void Fill() override;

private:
  struct TNumberRow {
    QLineEdit* Edit;
    TNumberField Field;
  };
  struct TDecimalsRow {
    QSpinBox* Spin;
    std::function<Integer()> Get;
  };
  const TNumberRow& Row(QLineEdit* Edit) const;
  QGridLayout* GroupGrid(TAxisGroup Group) const;
  TRefusal FRefusal;
  bool FAnswering = false;  // a refusal's message is up
  std::array<QGroupBox*, 2> FGroups{};
  std::vector<TNumberRow> FNumbers;
  std::vector<TDecimalsRow> FDecimals;
};

}  ///< namespace quellix::ChartTools
