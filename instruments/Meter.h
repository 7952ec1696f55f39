/// TMeterInt: the analog pointer instrument. A circular scale between two
/// angles with a coloured band of up to 16 value ranges, tick marks,
/// numeric labels, two legend lines and a needle or wedge that points at
/// the current value.
/// \file
/// The whole scale is computed from the control's size and a few
/// percentages: the geometry step (pivot, radii, range bands, scale edge
/// line) and the layout step (label format, margins, ticks, labels,
/// legends). Labels are thinned so that they never overlap. The indicator
/// may overshoot the scale ends by 5 % of the span. A value change redraws
/// only what the moving indicator touches; range changes are reported
/// through OnRangeCheck. The measure sink TMeter derives from this class
/// and sets Value.
#pragma once

#include <QString>

#include "quellix/instruments/MeterParts.h"

namespace quellix::meterInt {

class TMeterInt : public TMeterView {
  Q_OBJECT
  // Natural and smallest useful size, for Qt layouts.
  Q_CLASSINFO("NaturalSize", "201,177")
  Q_CLASSINFO("MinimumSize", "80,60")
  Q_PROPERTY(QString Version READ Version WRITE SetVersion NOTIFY VersionChanged)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright NOTIFY CopyrightChanged)
  Q_PROPERTY(double MeterAngle1 READ MeterAngle1 WRITE SetMeterAngle1 NOTIFY MeterAngle1Changed)
  Q_CLASSINFO("default:MeterAngle1", "-90")
  Q_PROPERTY(double MeterAngle2 READ MeterAngle2 WRITE SetMeterAngle2 NOTIFY MeterAngle2Changed)
  Q_CLASSINFO("default:MeterAngle2", "90")
  Q_PROPERTY(double ValueMin READ ValueMin WRITE SetValueMin NOTIFY ValueMinChanged)
  Q_CLASSINFO("default:ValueMin", "0")
  Q_PROPERTY(double ValueMax READ ValueMax WRITE SetValueMax NOTIFY ValueMaxChanged)
  Q_CLASSINFO("default:ValueMax", "100")
  Q_PROPERTY(double Value READ Value WRITE SetValue NOTIFY ValueChanged)
  Q_CLASSINFO("default:Value", "0")
  Q_PROPERTY(double ValueGap READ ValueGap WRITE SetValueGap NOTIFY ValueGapChanged)
  Q_CLASSINFO("default:ValueGap", "10")
  Q_PROPERTY(int IndicatorScale READ IndicatorScale WRITE SetIndicatorScale NOTIFY IndicatorScaleChanged)
  Q_CLASSINFO("default:IndicatorScale", "100")
  Q_PROPERTY(int MeterScaleWidth READ MeterScaleWidth WRITE SetMeterScaleWidth NOTIFY MeterScaleWidthChanged)
  Q_CLASSINFO("default:MeterScaleWidth", "10")
  Q_PROPERTY(int MeterScale READ MeterScale WRITE SetMeterScale NOTIFY MeterScaleChanged)
  Q_CLASSINFO("default:MeterScale", "100")
  Q_PROPERTY(int RangeNumber READ RangeNumber WRITE SetRangeNumber NOTIFY RangeNumberChanged)
  Q_CLASSINFO("default:RangeNumber", "1")
  Q_PROPERTY(int RangeCurrent READ RangeCurrent WRITE SetRangeCurrent NOTIFY RangeCurrentChanged)
  Q_CLASSINFO("default:RangeCurrent", "1")
  Q_PROPERTY(double RangeLimit READ RangeLimit WRITE SetRangeLimit NOTIFY RangeLimitChanged)
  Q_CLASSINFO("default:RangeLimit", "100")
  QUELLIX_COLOR_PROPERTY(RangeColor)
  Q_CLASSINFO("default:RangeColor", "-2147483628")
  Q_PROPERTY(bool RangeCheck READ RangeCheck WRITE SetRangeCheck NOTIFY RangeCheckChanged)
  Q_CLASSINFO("default:RangeCheck", "false")
  Q_PROPERTY(int BevelOuterWidth READ BevelOuterWidth WRITE SetBevelOuterWidth NOTIFY BevelOuterWidthChanged)
  Q_CLASSINFO("default:BevelOuterWidth", "1")
  Q_PROPERTY(int ValueDecimals READ ValueDecimals WRITE SetValueDecimals NOTIFY ValueDecimalsChanged)
  Q_CLASSINFO("default:ValueDecimals", "0")
  Q_PROPERTY(int MeterShiftX READ MeterShiftX WRITE SetMeterShiftX NOTIFY MeterShiftXChanged)
  Q_CLASSINFO("default:MeterShiftX", "0")
  Q_PROPERTY(int MeterShiftY READ MeterShiftY WRITE SetMeterShiftY NOTIFY MeterShiftYChanged)
  Q_CLASSINFO("default:MeterShiftY", "0")
  QUELLIX_COLOR_PROPERTY(IndicatorColor)
  Q_CLASSINFO("default:IndicatorColor", "0")
  Q_PROPERTY(bool ReduceFlicker READ ReduceFlicker WRITE SetReduceFlicker NOTIFY ReduceFlickerChanged)
  Q_CLASSINFO("default:ReduceFlicker", "false")
  Q_PROPERTY(QString Legend1 READ Legend1 WRITE SetLegend1 NOTIFY Legend1Changed)
  Q_CLASSINFO("default:Legend1", "")
  Q_PROPERTY(QString Legend2 READ Legend2 WRITE SetLegend2 NOTIFY Legend2Changed)
  Q_CLASSINFO("default:Legend2", "")
  Q_PROPERTY(quellix::meterInt::TIndicatorStyle IndicatorStyle READ IndicatorStyle WRITE SetIndicatorStyle NOTIFY IndicatorStyleChanged)
  Q_CLASSINFO("default:IndicatorStyle", "indWedge")
  Q_PROPERTY(quellix::meterInt::TLabelingStyle LabelingStyle READ LabelingStyle WRITE SetLabelingStyle NOTIFY LabelingStyleChanged)
  Q_CLASSINFO("default:LabelingStyle", "labOutside")
  Q_PROPERTY(quellix::meterInt::TTickStyle TickStyle READ TickStyle WRITE SetTickStyle NOTIFY TickStyleChanged)
  Q_CLASSINFO("default:TickStyle", "ticFull")
  Q_PROPERTY(quellix::meterInt::TLegendPosition LegendPosition READ LegendPosition WRITE SetLegendPosition NOTIFY LegendPositionChanged)
  Q_CLASSINFO("default:LegendPosition", "LegBottom")

Q_SIGNALS:
  // Property change signals.
  void VersionChanged(const QString& Value);
  void CopyrightChanged(const QString& Value);
  void MeterAngle1Changed(double Value);
  void MeterAngle2Changed(double Value);
  void ValueMinChanged(double Value);
  void ValueMaxChanged(double Value);
  void ValueChanged(double Value);
  void ValueGapChanged(double Value);
  void IndicatorScaleChanged(int Value);
  void MeterScaleWidthChanged(int Value);
  void MeterScaleChanged(int Value);
  void RangeNumberChanged(int Value);
  void RangeCurrentChanged(int Value);
  void RangeLimitChanged(double Value);
  void RangeCheckChanged(bool Value);
  void BevelOuterWidthChanged(int Value);
  void ValueDecimalsChanged(int Value);
  void MeterShiftXChanged(int Value);
  void MeterShiftYChanged(int Value);
  void ReduceFlickerChanged(bool Value);
  void Legend1Changed(const QString& Value);
  void Legend2Changed(const QString& Value);
  void IndicatorStyleChanged(quellix::meterInt::TIndicatorStyle Value);
  void LabelingStyleChanged(quellix::meterInt::TLabelingStyle Value);
  void TickStyleChanged(quellix::meterInt::TTickStyle Value);
  void LegendPositionChanged(quellix::meterInt::TLegendPosition Value);

public:
  explicit TMeterInt(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TMeterInt() override;

  void DefineProperties(TFiler& Filer) override;
};

}  ///< namespace quellix::meterInt
