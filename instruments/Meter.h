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
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "quellix/host/Controls.h"
#include "quellix/host/Graphics.h"
#include "quellix/instruments/CircularScale.h"

namespace quellix::meterInt {
Q_NAMESPACE

enum TIndicatorStyle { indNeedle, indWedge };
Q_ENUM_NS(TIndicatorStyle)
enum TLabelingStyle { labNone, labInside, labOutside };
Q_ENUM_NS(TLabelingStyle)
enum TTickStyle { ticNone, ticHalf, ticFull, ticLarge };
Q_ENUM_NS(TTickStyle)
enum TLegendPosition { legLeft, LegRight, LegTop, LegBottom };
Q_ENUM_NS(TLegendPosition)

/// (Sender, range code): -1 below ValueMin, -2 above ValueMax, 0 inside
/// the scale but in no checked range, 1..16 the checked range.
using TRangeCheck = std::function<void(TObject* Sender, Integer Range)>;

constexpr Integer MaxRanges = 16;

/// One value range: from the limit of the range before it (ValueMin for
/// the first) up to Limit, drawn as a band polygon in Color.
struct TMeterRange {
  Double Limit = 100.0;
  bool RangeCheck = false;
  TColor Color = clBtnHighlight;
  std::vector<TPoint> Band;  ///< inner arc forward, outer arc back
  Integer InnerCount = 0;    ///< points of Band on the inner arc
};

/// One tick mark: First at radius r1, Second at radius r2.
struct TTick {
  TPoint First;
  TPoint Second;
};

class TMeterInt : public TPaintBox {
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
  // Events as signals.
  void rangeCheck(quellix::TObject* Sender, int Range);
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

  // --- identification (fixed texts) ---
  QString Version() const { return QStringLiteral("V2.50"); }
  void SetVersion(const QString&) {}
  QString Copyright() const { return TComponentCore::LibraryCopyright(); }
  void SetCopyright(const QString&) {}

  // --- scale ---
  Double MeterAngle1() const { return FMeterAngle1; }
  void SetMeterAngle1(Double V);
  Double MeterAngle2() const { return FMeterAngle2; }
  void SetMeterAngle2(Double V);
  Double ValueMin() const { return FValueMin; }
  void SetValueMin(Double V);
  Double ValueMax() const { return FValueMax; }
  void SetValueMax(Double V);
  Double ValueGap() const { return FValueGap; }
  void SetValueGap(Double V);
  Integer ValueDecimals() const { return FValueDecimals; }
  void SetValueDecimals(Integer V);
  Integer MeterScale() const { return FMeterScale; }
  void SetMeterScale(Integer V);
  Integer MeterScaleWidth() const { return FMeterScaleWidth; }
  void SetMeterScaleWidth(Integer V);
  Integer MeterShiftX() const { return FMeterShiftX; }
  void SetMeterShiftX(Integer V);
  Integer MeterShiftY() const { return FMeterShiftY; }
  void SetMeterShiftY(Integer V);
  Integer BevelOuterWidth() const { return FBevelOuterWidth; }
  void SetBevelOuterWidth(Integer V);
  TTickStyle TickStyle() const { return FTickStyle; }
  void SetTickStyle(TTickStyle V);
  TLabelingStyle LabelingStyle() const { return FLabelingStyle; }
  void SetLabelingStyle(TLabelingStyle V);

  // --- value and indicator ---
  Double Value() const { return FValue; }
  void SetValue(Double V);
  Integer IndicatorScale() const { return FIndicatorScale; }
  void SetIndicatorScale(Integer V);
  TColor IndicatorColor() const { return FIndicatorColor; }
  void SetIndicatorColor(TColor V);
  TIndicatorStyle IndicatorStyle() const { return FIndicatorStyle; }
  void SetIndicatorStyle(TIndicatorStyle V);
  bool ReduceFlicker() const { return FReduceFlicker; }
  void SetReduceFlicker(bool V);

  // --- ranges (RangeLimit, RangeColor, RangeCheck address RangeCurrent) ---
  Integer RangeNumber() const { return FRangeNumber; }
  void SetRangeNumber(Integer V);
  Integer RangeCurrent() const { return FRangeCurrent; }
  void SetRangeCurrent(Integer V);
  Double RangeLimit() const;
  void SetRangeLimit(Double V);
  TColor RangeColor() const;
  void SetRangeColor(TColor V);
  bool RangeCheck() const;
  void SetRangeCheck(bool V);

  // --- legends ---
  QString Legend1() const { return FLegend[0]; }
  void SetLegend1(const QString& V) { const TChangeScope Changes; SetLegend(0, V); }
  QString Legend2() const { return FLegend[1]; }
  void SetLegend2(const QString& V) { const TChangeScope Changes; SetLegend(1, V); }
  TLegendPosition LegendPosition() const { return FLegendPosition; }
  void SetLegendPosition(TLegendPosition V);

  TRangeCheck OnRangeCheck;

  // --- value logic, without drawing ---
  // Angle in degrees of a value on the scale.
  Double AngleOf(Double V) const;
  /// Where the indicator stands for V: V clamped to 5 % of the span beyond
  /// either scale end.
  Double DisplayedFor(Double V) const;
  /// The range code of V: -1 below ValueMin, -2 above ValueMax, else the
  /// first checked range holding V, else 0.
  Integer RangeCodeOf(Double V) const;
  Double DisplayedValue() const { return FDisplayed; }
  Integer RangeState() const { return FRangeState; }

  // --- geometry, as last computed ---
  Integer PivotX() const { return FPivot.cx; }
  Integer PivotY() const { return Height() - FPivot.yBase; }
  Double Radius() const { return FR; }
  Double InnerRadius() const { return FRin; }
  bool NoScale() const { return FNoScale; }
  const std::vector<TTick>& Ticks() const { return FTicks; }
  const std::vector<CircularScale::TScaleLabel>& Labels() const { return FLabels; }
  const TMeterRange& Range(Integer I) const { return FRanges.at(I - 1); }
  const std::vector<TPoint>& EdgeLine() const { return FEdge; }
  TPoint LegendPos(Integer I) const { return FLegendPos.at(I - 1); }
  QString LabelFormat() const { return FLabelFormat; }
  Double TickRedrawRadius() const { return FTickRedrawRadius; }
  Double LabelRedrawRadius() const { return FLabelRedrawRadius; }
  /// The pixels the indicator's scale-reaching part spans for a value
  /// (radius Rfrom to Rto on the value's angle), before widening.
  TRect IndicatorBox(Double V, Double Rfrom, Double Rto) const;

  void Paint() override;
  void DefineProperties(TFiler& Filer) override;

protected:
  /// A value change is drawn with the next frame (TControl::FlushDrawing).
  void DrawPending() override;
  /// The layout and geometry steps, public to descendants that change the
  /// scale from incoming measurements.
  void Layout();
  void Geometry();

private:
  // Setter tails.
  void Relayout();  // layout, geometry, synchronous repaint
  void SetLegend(int I, const QString& V);
  // Value logic.
  void NormaliseRanges();
  void ClampDisplayed();
  void CheckRange();
  void FireRange(Integer Code);

  // Geometry pieces.
  void ComputePivot();
  void ComputeRadii();
  void BuildBands();
  void TickStep();
  void LayoutLabels(TCanvas& Cv, Integer Pitch);
  void LayoutLegends(TCanvas& Cv);
  Double TickR1(bool Lengthened) const;
  Double TickR2(bool Lengthened) const;
  bool LayoutCurrent() const;

  // Drawing pieces.
  TCanvas& PictureCanvas();
  void PrepareBitmap();
  void DrawPicture(TCanvas& Cv);
  void DrawRanges(TCanvas& Cv);
  void DrawTicks(TCanvas& Cv);
  void DrawLabels(TCanvas& Cv);
  void DrawLegends(TCanvas& Cv);
  void DrawIndicator(TCanvas& Cv, Double V);
  void MoveIndicator(Double NewDisplayed);

  Double FMeterAngle1 = -90.0;
  Double FMeterAngle2 = 90.0;
  Double FValueMin = 0.0;
  Double FValueMax = 100.0;
  Double FValue = 0.0;
  Double FValueGap = 10.0;
  Integer FIndicatorScale = 100;
  Integer FMeterScaleWidth = 10;
  Integer FMeterScale = 100;
  Integer FRangeNumber = 1;
  Integer FRangeCurrent = 1;
  Integer FBevelOuterWidth = 1;
  Integer FValueDecimals = 0;
  Integer FMeterShiftX = 0;
  Integer FMeterShiftY = 0;
  TColor FIndicatorColor = clBlack;
  bool FReduceFlicker = false;
  std::array<QString, 2> FLegend;
  TIndicatorStyle FIndicatorStyle = indWedge;
  TLabelingStyle FLabelingStyle = labOutside;
  TTickStyle FTickStyle = ticFull;
  TLegendPosition FLegendPosition = LegBottom;
  std::array<TMeterRange, MaxRanges> FRanges;

  // Internal state.
  Double FDisplayed = 0.0;
  Double FDrawnDisplayed = 0.0;   // where the indicator is on the surface
  Integer FRangeState = 0;
  CircularScale::TPivot FPivot;
  Double FR = 1.0;
  Double FRin = 0.0;
  Integer FmX = 0;
  Integer FmY = 0;
  QString FLabelFormat = QStringLiteral("0");
  std::vector<TPoint> FEdge;
  std::vector<TTick> FTicks;
  std::vector<Double> FTickValues;
  CircularScale::TTickRun FTickRun;
  std::vector<CircularScale::TScaleLabel> FLabels;
  std::array<TPoint, 2> FLegendPos;
  Double FTickRedrawRadius = 0.0;
  Double FLabelRedrawRadius = 0.0;
  bool FLayoutMade = false;
  bool FNoScale = false;
  QSize FLayoutSize;
  QFont FLayoutFont;
  std::unique_ptr<TBitmap> FBitmap;
};

}  ///< namespace quellix::meterInt
