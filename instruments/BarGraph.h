/// TBarGraphInt: a level bar. A sunken track fills from its low end up to
/// the value, each part of the filled bar in the colour of the value range
/// (up to 16) it lies in, with an optional background picture and an
/// optional scale of ticks and labels. The display counterpart of the
/// slider: the same ranges, offsets and scale. A value change redraws only
/// the strip between the old and the new level.
/// \file
/// The measure sink TBarGraph derives from it and sets Value (and, when it
/// configures itself, ValueMin and ValueMax).
#pragma once

#include <QString>

#include "quellix/instruments/BarGraphParts.h"

namespace quellix::bargraphint {

class TBarGraphInt : public TBarGraphView {
  Q_OBJECT
  // Natural and smallest useful size, for Qt layouts.
  Q_CLASSINFO("NaturalSize", "60,233")
  Q_CLASSINFO("MinimumSize", "24,60")
  Q_PROPERTY(QString Version READ Version WRITE SetVersion NOTIFY VersionChanged)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright NOTIFY CopyrightChanged)
  Q_PROPERTY(quellix::LinearScale::TScrollBarKind Kind READ Kind WRITE SetKind NOTIFY KindChanged)
  Q_CLASSINFO("default:Kind", "sbVertical")
  Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth NOTIFY BevelWidthChanged)
  Q_CLASSINFO("default:BevelWidth", "1")
  Q_PROPERTY(int BarWidth READ BarWidth WRITE SetBarWidth NOTIFY BarWidthChanged)
  Q_CLASSINFO("default:BarWidth", "10")
  Q_PROPERTY(int OffsetLower READ OffsetLower WRITE SetOffsetLower NOTIFY OffsetLowerChanged)
  Q_CLASSINFO("default:OffsetLower", "8")
  Q_PROPERTY(int OffsetUpper READ OffsetUpper WRITE SetOffsetUpper NOTIFY OffsetUpperChanged)
  Q_CLASSINFO("default:OffsetUpper", "8")
  Q_PROPERTY(double Value READ Value WRITE SetValue NOTIFY ValueChanged)
  Q_CLASSINFO("default:Value", "0")
  Q_PROPERTY(double ValueMin READ ValueMin WRITE SetValueMin NOTIFY ValueMinChanged)
  Q_CLASSINFO("default:ValueMin", "0")
  Q_PROPERTY(double ValueMax READ ValueMax WRITE SetValueMax NOTIFY ValueMaxChanged)
  Q_CLASSINFO("default:ValueMax", "100")
  Q_PROPERTY(int RangeNumber READ RangeNumber WRITE SetRangeNumber NOTIFY RangeNumberChanged)
  Q_CLASSINFO("default:RangeNumber", "1")
  Q_PROPERTY(int RangeCurrent READ RangeCurrent WRITE SetRangeCurrent NOTIFY RangeCurrentChanged)
  Q_CLASSINFO("default:RangeCurrent", "1")
  Q_PROPERTY(double RangeLimit READ RangeLimit WRITE SetRangeLimit NOTIFY RangeLimitChanged)
  Q_CLASSINFO("default:RangeLimit", "100")
  QUELLIX_COLOR_PROPERTY(RangeColor)
  Q_CLASSINFO("default:RangeColor", "0")
  QUELLIX_COLOR_PROPERTY(BarColor)
  Q_CLASSINFO("default:BarColor", "-2147483633")
  Q_PROPERTY(int BevelColor1 READ BevelColor1 WRITE SetBevelColor1 NOTIFY BevelColor1Changed)
  Q_CLASSINFO("default:BevelColor1", "-2147483628")
  Q_PROPERTY(int BevelColor2 READ BevelColor2 WRITE SetBevelColor2 NOTIFY BevelColor2Changed)
  Q_CLASSINFO("default:BevelColor2", "-2147483632")
  Q_PROPERTY(quellix::bargraphint::TLabelingStyle LabelingStyle READ LabelingStyle WRITE SetLabelingStyle NOTIFY LabelingStyleChanged)
  Q_CLASSINFO("default:LabelingStyle", "lbsNone")
  Q_PROPERTY(quellix::bargraphint::TLabelingOrientation LabelingOrientation READ LabelingOrientation WRITE SetLabelingOrientation NOTIFY LabelingOrientationChanged)
  Q_CLASSINFO("default:LabelingOrientation", "lboLeft")
  Q_PROPERTY(double LabelingGap READ LabelingGap WRITE SetLabelingGap NOTIFY LabelingGapChanged)
  Q_CLASSINFO("default:LabelingGap", "5")
  Q_PROPERTY(int LabelingDecimals READ LabelingDecimals WRITE SetLabelingDecimals NOTIFY LabelingDecimalsChanged)
  Q_CLASSINFO("default:LabelingDecimals", "1")
  Q_PROPERTY(quellix::TFont* LabelingFont READ LabelingFontPtr WRITE SetLabelingFont NOTIFY LabelingFontChanged)

Q_SIGNALS:
  // Property change signals.
  void VersionChanged(const QString& Value);
  void CopyrightChanged(const QString& Value);
  void KindChanged(quellix::LinearScale::TScrollBarKind Value);
  void BevelWidthChanged(int Value);
  void BarWidthChanged(int Value);
  void OffsetLowerChanged(int Value);
  void OffsetUpperChanged(int Value);
  void ValueChanged(double Value);
  void ValueMinChanged(double Value);
  void ValueMaxChanged(double Value);
  void RangeNumberChanged(int Value);
  void RangeCurrentChanged(int Value);
  void RangeLimitChanged(double Value);
  void BevelColor1Changed(int Value);
  void BevelColor2Changed(int Value);
  void LabelingStyleChanged(quellix::bargraphint::TLabelingStyle Value);
  void LabelingOrientationChanged(quellix::bargraphint::TLabelingOrientation Value);
  void LabelingGapChanged(double Value);
  void LabelingDecimalsChanged(int Value);
  void LabelingFontChanged(quellix::TFont* Value);

public:
  explicit TBarGraphInt(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TBarGraphInt() override;

  /// "Range": ((Color, Limit, ...), Value, ValueMin, ValueMax, LabelingGap).
  void DefineProperties(TFiler& Filer) override;

private:
  void ReadRange(TReader& R);
  void WriteRange(TWriter& W) const;
};

}  ///< namespace quellix::bargraphint
