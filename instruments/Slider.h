/// TSlider: a linear fader. A sunken slot divided into up to 16 coloured
/// value ranges, a button the user drags along it, and an optional scale of
/// tick lines and labels beside it. Vertical or horizontal; the slot and
/// the button can be replaced by pictures (the button with a mask, as a
/// transparent sprite). Values are quantised to ValueStepWidth and changes
/// reported through OnValueChange. A value change redraws only the old and
/// the new button area, optionally through an off-screen bitmap. \file
#pragma once

#include <QString>

#include "quellix/instruments/SliderParts.h"

namespace quellix::Slider {

class TSlider : public TSliderView {
  Q_OBJECT
  // Natural and smallest useful size, for Qt layouts.
  Q_CLASSINFO("NaturalSize", "70,233")
  Q_CLASSINFO("MinimumSize", "30,80")
  Q_PROPERTY(QString Version READ Version WRITE SetVersion NOTIFY VersionChanged)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright NOTIFY CopyrightChanged)
  Q_PROPERTY(quellix::LinearScale::TScrollBarKind Kind READ Kind WRITE SetKind NOTIFY KindChanged)
  Q_CLASSINFO("default:Kind", "sbVertical")
  Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth NOTIFY BevelWidthChanged)
  Q_CLASSINFO("default:BevelWidth", "1")
  Q_PROPERTY(int SliderWidth READ SliderWidth WRITE SetSliderWidth NOTIFY SliderWidthChanged)
  Q_CLASSINFO("default:SliderWidth", "10")
  Q_PROPERTY(int ButtonWidth READ ButtonWidth WRITE SetButtonWidth NOTIFY ButtonWidthChanged)
  Q_CLASSINFO("default:ButtonWidth", "40")
  Q_PROPERTY(int ButtonHeight READ ButtonHeight WRITE SetButtonHeight NOTIFY ButtonHeightChanged)
  Q_CLASSINFO("default:ButtonHeight", "10")
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
  Q_PROPERTY(double ValueStepWidth READ ValueStepWidth WRITE SetValueStepWidth NOTIFY ValueStepWidthChanged)
  Q_CLASSINFO("default:ValueStepWidth", "0")
  Q_PROPERTY(int RangeNumber READ RangeNumber WRITE SetRangeNumber NOTIFY RangeNumberChanged)
  Q_CLASSINFO("default:RangeNumber", "1")
  Q_PROPERTY(int RangeCurrent READ RangeCurrent WRITE SetRangeCurrent NOTIFY RangeCurrentChanged)
  Q_CLASSINFO("default:RangeCurrent", "1")
  Q_PROPERTY(double RangeLimit READ RangeLimit WRITE SetRangeLimit NOTIFY RangeLimitChanged)
  Q_CLASSINFO("default:RangeLimit", "100")
  QUELLIX_COLOR_PROPERTY(RangeColor)
  Q_CLASSINFO("default:RangeColor", "-2147483633")
  Q_PROPERTY(quellix::Slider::TLabelingStyle LabelingStyle READ LabelingStyle WRITE SetLabelingStyle NOTIFY LabelingStyleChanged)
  Q_CLASSINFO("default:LabelingStyle", "lbsNone")
  Q_PROPERTY(quellix::Slider::TLabelingOrientation LabelingOrientation READ LabelingOrientation WRITE SetLabelingOrientation NOTIFY LabelingOrientationChanged)
  Q_CLASSINFO("default:LabelingOrientation", "lboLeft")
  Q_PROPERTY(double LabelingGap READ LabelingGap WRITE SetLabelingGap NOTIFY LabelingGapChanged)
  Q_CLASSINFO("default:LabelingGap", "5")
  Q_PROPERTY(int LabelingDecimals READ LabelingDecimals WRITE SetLabelingDecimals NOTIFY LabelingDecimalsChanged)
  Q_CLASSINFO("default:LabelingDecimals", "1")
  Q_PROPERTY(quellix::TFont* LabelingFont READ LabelingFontPtr WRITE SetLabelingFont NOTIFY LabelingFontChanged)
  Q_PROPERTY(int BevelColor1 READ BevelColor1 WRITE SetBevelColor1 NOTIFY BevelColor1Changed)
  Q_CLASSINFO("default:BevelColor1", "-2147483628")
  Q_PROPERTY(int BevelColor2 READ BevelColor2 WRITE SetBevelColor2 NOTIFY BevelColor2Changed)
  Q_CLASSINFO("default:BevelColor2", "-2147483632")
  QUELLIX_COLOR_PROPERTY(ButtonColor)
  Q_CLASSINFO("default:ButtonColor", "-2147483633")
  QUELLIX_COLOR_PROPERTY(ButtonBorderColor)
  Q_CLASSINFO("default:ButtonBorderColor", "-2147483633")
  Q_PROPERTY(QString ButtonCaption READ ButtonCaption WRITE SetButtonCaption NOTIFY ButtonCaptionChanged)
  Q_CLASSINFO("default:ButtonCaption", "")
  Q_PROPERTY(quellix::TFont* ButtonFont READ ButtonFontPtr WRITE SetButtonFont NOTIFY ButtonFontChanged)
  Q_PROPERTY(bool ButtonTransparent READ ButtonTransparent WRITE SetButtonTransparent NOTIFY ButtonTransparentChanged)
  Q_CLASSINFO("default:ButtonTransparent", "false")
  Q_PROPERTY(bool ReduceFlicker READ ReduceFlicker WRITE SetReduceFlicker NOTIFY ReduceFlickerChanged)
  Q_CLASSINFO("default:ReduceFlicker", "false")

Q_SIGNALS:
  // Property change signals.
  void VersionChanged(const QString& Value);
  void CopyrightChanged(const QString& Value);
  void KindChanged(quellix::LinearScale::TScrollBarKind Value);
  void BevelWidthChanged(int Value);
  void SliderWidthChanged(int Value);
  void ButtonWidthChanged(int Value);
  void ButtonHeightChanged(int Value);
  void OffsetLowerChanged(int Value);
  void OffsetUpperChanged(int Value);
  void ValueChanged(double Value);
  void ValueMinChanged(double Value);
  void ValueMaxChanged(double Value);
  void ValueStepWidthChanged(double Value);
  void RangeNumberChanged(int Value);
  void RangeCurrentChanged(int Value);
  void RangeLimitChanged(double Value);
  void LabelingStyleChanged(quellix::Slider::TLabelingStyle Value);
  void LabelingOrientationChanged(quellix::Slider::TLabelingOrientation Value);
  void LabelingGapChanged(double Value);
  void LabelingDecimalsChanged(int Value);
  void LabelingFontChanged(quellix::TFont* Value);
  void BevelColor1Changed(int Value);
  void BevelColor2Changed(int Value);
  void ButtonCaptionChanged(const QString& Value);
  void ButtonFontChanged(quellix::TFont* Value);
  void ButtonTransparentChanged(bool Value);
  void ReduceFlickerChanged(bool Value);

public:
  explicit TSlider(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TSlider() override;

  /// "Range": ((Color, Limit, ...), Value, ValueMin, ValueMax,
  /// ValueStepWidth, LabelingGap).
  void DefineProperties(TFiler& Filer) override;

private:
  void ReadRange(TReader& R);
  void WriteRange(TWriter& W) const;
};

}  ///< namespace quellix::Slider
