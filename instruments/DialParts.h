/// The parts TDial (Dial.h) is composed of, each a class on top of the one
/// before: TDialSignals (the value change event as a signal), TDialSettings
/// (identification, scale, value, knob body, indicator), TDialGeometry (the
/// layout step and what it lays out) and TDialView (the cached body,
/// painting, turning with the mouse). The component adds the published
/// properties and streaming. A part calls up into a later one only through
/// the protected virtual functions it declares.
/// \file
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "quellix/host/Controls.h"
#include "quellix/host/Graphics.h"
#include "quellix/instruments/CircularScale.h"

namespace quellix::dial {
Q_NAMESPACE

enum TDialIndicator { diaCircle, diaTriangle, diaLine };
Q_ENUM_NS(TDialIndicator)
class TDialSignals : public TGraphicControl {
  Q_OBJECT

public:
  using TGraphicControl::TGraphicControl;

Q_SIGNALS:
  // Events as signals.
  void valueChange(quellix::TObject* Sender);
};

class TDialSettings : public TDialSignals {
public:
  using TDialSignals::TDialSignals;

  // --- identification (fixed texts) ---
  QUELLIX_FIXED_IDENTIFICATION("V2.10")

  // --- scale ---
  Double ScaleAngle1() const { return FScaleAngle1; }
  void SetScaleAngle1(Double V);
  Double ScaleAngle2() const { return FScaleAngle2; }
  void SetScaleAngle2(Double V);
  Double ValueMin() const { return FValueMin; }
  void SetValueMin(Double V);
  Double ValueMax() const { return FValueMax; }
  void SetValueMax(Double V);
  Double ValueGap() const { return FValueGap; }
  void SetValueGap(Double V);
  Integer ValueDecimals() const { return FValueDecimals; }
  void SetValueDecimals(Integer V);
  bool Ticks() const { return FTicks; }
  void SetTicks(bool V);
  bool Labels() const { return FLabels; }
  void SetLabels(bool V);
  Integer TickInner() const { return FTickInner; }
  void SetTickInner(Integer V);
  Integer TickOuter() const { return FTickOuter; }
  void SetTickOuter(Integer V);

  // --- value ---
  Double Value() const { return FValue; }
  void SetValue(Double V);
  Double ValueStepWidth() const { return FValueStepWidth; }
  void SetValueStepWidth(Double V);

  // --- knob body ---
  Integer BevelOuterWidth() const { return FBevelOuterWidth; }
  void SetBevelOuterWidth(Integer V);
  Integer BevelInnerWidth() const { return FBevelInnerWidth; }
  void SetBevelInnerWidth(Integer V);
  Integer RingWidth() const { return FRingWidth; }
  void SetRingWidth(Integer V);
  TColor BevelColor() const { return FBevelColor; }
  void SetBevelColor(TColor V);
  TColor InnerColor() const { return FInnerColor; }
  void SetInnerColor(TColor V);
  TColor RingColor() const { return FRingColor; }
  void SetRingColor(TColor V);

  // --- indicator and caption ---
  Integer IndicatorInner() const { return FIndicatorInner; }
  void SetIndicatorInner(Integer V);
  Integer IndicatorOuter() const { return FIndicatorOuter; }
  void SetIndicatorOuter(Integer V);
  TColor IndicatorColor() const { return FIndicatorColor; }
  void SetIndicatorColor(TColor V);
  TDialIndicator IndicatorStyle() const { return FIndicatorStyle; }
  void SetIndicatorStyle(TDialIndicator V);
  // Caption is the control's own text (set with SetCaption).

  /// Fires when Value changes through its setter (code or mouse).
  TNotifyEvent OnValueChange;

  // --- value logic, without drawing ---
  Double AngleOf(Double V) const;
  /// V quantised to ValueStepWidth (halves to even) when that is positive.
  Double Quantised(Double V) const;

protected:
  // Setter tails: layout, the body again if built, invalidate; layout and
  // invalidate.
  virtual void Rebuild() = 0;
  virtual void Relayout() = 0;
  void ClampValue();

  Double FScaleAngle1 = -150.0;
  Double FScaleAngle2 = 150.0;
  Double FValueMin = 0.0;
  Double FValueMax = 100.0;
  Double FValue = 0.0;
  Double FValueGap = 10.0;
  Double FValueStepWidth = 0.0;
  Integer FBevelOuterWidth = 4;
  Integer FBevelInnerWidth = 4;
  Integer FRingWidth = 40;
  Integer FValueDecimals = 0;
  Integer FTickInner = 100;
  Integer FTickOuter = 110;
  Integer FIndicatorInner = 70;
  Integer FIndicatorOuter = 85;
  TColor FBevelColor = clWhite;
  TColor FInnerColor = clBtnFace;
  TColor FRingColor = clBtnFace;
  TColor FIndicatorColor = clRed;
  bool FTicks = false;
  bool FLabels = false;
  TDialIndicator FIndicatorStyle = diaCircle;
  // The layout found no room for a scale: the value stays.
  bool FNoScale = false;
};

class TDialGeometry : public TDialSettings {
public:
  using TDialSettings::TDialSettings;

  /// The value under a pointer position: its angle clockwise from straight
  /// up, clamped to the scale angles, mapped onto ValueMin..ValueMax.
  Double ValueAtPoint(Integer X, Integer Y) const;
  /// Is the point inside the knob circle?
  bool InKnob(Integer X, Integer Y) const;

  // --- geometry, as last laid out ---
  Integer KnobRadius() const { return Fr; }
  Integer PivotX() const { return FPivot.cx; }
  Integer PivotY() const { return FPivot.yBase; }
  bool NoScale() const { return FNoScale; }
  bool Dragging() const { return FDragging; }
  /// The indicator's bounding box for a value, and as last drawn.
  TRect IndicatorRectFor(Double V) const;
  TRect IndicatorRect() const { return FIndicatorRect; }
  struct TTickMark {
    TPoint Inner;
    TPoint Outer;
  };
  const std::vector<TTickMark>& TickMarks() const { return FTickMarks; }
  const std::vector<CircularScale::TScaleLabel>& LabelList() const { return FLabelList; }
  /// The cached knob body.
  const TBitmap& Body() const { return *FBody; }

protected:
  void Relayout() override;
  // Layout step and its pieces.
  void Layout();
  void TickStep();
  void LayoutLabels(TCanvas& Cv, Integer Pitch);

  // Internal state.
  Integer Fr = 0;
  CircularScale::TPivot FPivot;
  Integer FMarginX = 5;
  Integer FMarginY = 5;
  QString FLabelFormat = QStringLiteral("0");
  std::vector<TTickMark> FTickMarks;
  std::vector<Double> FTickValues;
  CircularScale::TTickRun FTickRun;
  std::vector<CircularScale::TScaleLabel> FLabelList;
  TRect FIndicatorRect;
  std::unique_ptr<TBitmap> FBody;
  QSize FBuildSize;
  Integer FBuildRadius = -1;
  QFont FBuildFont;
  TColor FBuildColor;
  bool FBodyBuilt = false;
  bool FDragging = false;
};

class TDialView : public TDialGeometry {
public:
  using TDialGeometry::TDialGeometry;

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

protected:
  // A value change is drawn with the next frame (TControl::FlushDrawing).
  void DrawPending() override;
  void Rebuild() override;
  // Drawing pieces.
  void BuildBody();
  void DrawBody(TCanvas& Cv);
  void DrawShadedRing(TCanvas& Cv, const TRect& R, Double Light);
  void DrawPicture(TCanvas& Cv);
  void DrawTicksAndLabels(TCanvas& Cv);
  void DrawIndicator(TCanvas& Cv);
  void DrawCaption(TCanvas& Cv);
  void MoveIndicator(const TRect& OldRect);
  bool BodyCurrent() const;
};

}  ///< namespace quellix::dial
