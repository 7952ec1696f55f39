/// The parts TMeterInt (Meter.h) is composed of, each a class on top of
/// the one before: TMeterSignals (the range event as a signal),
/// TMeterSettings (identification, scale settings, legends), TMeterValue
/// (value, indicator, ranges and the range check), TMeterGeometry (the
/// geometry and layout steps) and TMeterView (painting and the indicator
/// move). The component adds the published properties and streaming. A
/// part calls up into a later one only through the protected virtual
/// functions it declares.
/// \file
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

class TMeterSignals : public TPaintBox {
  Q_OBJECT

public:
  using TPaintBox::TPaintBox;

Q_SIGNALS:
  // Events as signals.
  void rangeCheck(quellix::TObject* Sender, int Range);
};

class TMeterSettings : public TMeterSignals {
public:
  using TMeterSignals::TMeterSignals;

  // --- identification (fixed texts) ---
  QUELLIX_FIXED_IDENTIFICATION("V2.50")

  // --- scale ---
  Double MeterAngle1() const { return FMeterAngle1; }
  void SetMeterAngle1(Double V);
  Double MeterAngle2() const { return FMeterAngle2; }
  void SetMeterAngle2(Double V);
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

  // --- legends ---
  QString Legend1() const { return FLegend[0]; }
  void SetLegend1(const QString& V) { const TChangeScope Changes; SetLegend(0, V); }
  QString Legend2() const { return FLegend[1]; }
  void SetLegend2(const QString& V) { const TChangeScope Changes; SetLegend(1, V); }
  TLegendPosition LegendPosition() const { return FLegendPosition; }
  void SetLegendPosition(TLegendPosition V);

protected:
  // Layout, geometry and a synchronous repaint after a setting changed.
  virtual void Relayout() = 0;
  // The layout and geometry steps (TMeterGeometry).
  virtual void Layout() = 0;
  virtual void Geometry() = 0;
  void SetLegend(int I, const QString& V);

  Double FMeterAngle1 = -90.0;
  Double FMeterAngle2 = 90.0;
  Double FValueMin = 0.0;
  Double FValueMax = 100.0;
  Double FValueGap = 10.0;
  Integer FMeterScaleWidth = 10;
  Integer FMeterScale = 100;
  Integer FBevelOuterWidth = 1;
  Integer FValueDecimals = 0;
  Integer FMeterShiftX = 0;
  Integer FMeterShiftY = 0;
  std::array<QString, 2> FLegend;
  TLabelingStyle FLabelingStyle = labOutside;
  TTickStyle FTickStyle = ticFull;
  TLegendPosition FLegendPosition = LegBottom;
};

class TMeterValue : public TMeterSettings {
public:
  using TMeterSettings::TMeterSettings;

  // --- scale ends ---
  Double ValueMin() const { return FValueMin; }
  void SetValueMin(Double V);
  Double ValueMax() const { return FValueMax; }
  void SetValueMax(Double V);

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

protected:
  // The indicator moves to a new displayed value.
  virtual void MoveIndicator(Double NewDisplayed) = 0;
  // Value logic.
  void NormaliseRanges();
  void ClampDisplayed();
  void CheckRange();
  void FireRange(Integer Code);

  Double FValue = 0.0;
  Integer FIndicatorScale = 100;
  Integer FRangeNumber = 1;
  Integer FRangeCurrent = 1;
  TColor FIndicatorColor = clBlack;
  bool FReduceFlicker = false;
  TIndicatorStyle FIndicatorStyle = indWedge;
  std::array<TMeterRange, MaxRanges> FRanges;
  Double FDisplayed = 0.0;
  Double FDrawnDisplayed = 0.0;   // where the indicator is on the surface
  Integer FRangeState = 0;
};

class TMeterGeometry : public TMeterValue {
public:
  using TMeterValue::TMeterValue;

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

protected:
  /// The layout and geometry steps, public to descendants that change the
  /// scale from incoming measurements.
  void Layout() override;
  void Geometry() override;
  void Relayout() override;
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
};

class TMeterView : public TMeterGeometry {
public:
  using TMeterGeometry::TMeterGeometry;

  void Paint() override;

protected:
  /// A value change is drawn with the next frame (TControl::FlushDrawing).
  void DrawPending() override;
  void MoveIndicator(Double NewDisplayed) override;
  // Drawing pieces.
  TCanvas& PictureCanvas();
  void PrepareBitmap();
  void DrawPicture(TCanvas& Cv);
  void DrawRanges(TCanvas& Cv);
  void DrawTicks(TCanvas& Cv);
  void DrawLabels(TCanvas& Cv);
  void DrawLegends(TCanvas& Cv);
  void DrawIndicator(TCanvas& Cv, Double V);

  std::unique_ptr<TBitmap> FBitmap;
};

}  ///< namespace quellix::meterInt
