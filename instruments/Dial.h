/// TDial: a rotary potentiometer knob. A round body with a shaded outer
/// bevel, a coloured ring, a shaded inner bevel and an inner disc; an
/// indicator mark (circle, triangle or line) at the angle of the value;
/// optional ticks and labels around the knob and a caption in its centre.
/// \file
/// The left mouse button turns it: a click inside the knob jumps to the
/// clicked angle and dragging follows the pointer. Values can be
/// quantised to a step width. The knob body is cached in an off-screen
/// bitmap; a value change redraws only the indicator's surroundings.
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

class TDial : public TGraphicControl {
  Q_OBJECT
  // Natural and smallest useful size, for Qt layouts.
  Q_CLASSINFO("NaturalSize", "150,150")
  Q_CLASSINFO("MinimumSize", "60,60")
  Q_PROPERTY(QString Version READ Version WRITE SetVersion NOTIFY VersionChanged)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright NOTIFY CopyrightChanged)
  Q_PROPERTY(double ScaleAngle1 READ ScaleAngle1 WRITE SetScaleAngle1 NOTIFY ScaleAngle1Changed)
  Q_CLASSINFO("default:ScaleAngle1", "-150")
  Q_PROPERTY(double ScaleAngle2 READ ScaleAngle2 WRITE SetScaleAngle2 NOTIFY ScaleAngle2Changed)
  Q_CLASSINFO("default:ScaleAngle2", "150")
  Q_PROPERTY(double ValueMin READ ValueMin WRITE SetValueMin NOTIFY ValueMinChanged)
  Q_CLASSINFO("default:ValueMin", "0")
  Q_PROPERTY(double ValueMax READ ValueMax WRITE SetValueMax NOTIFY ValueMaxChanged)
  Q_CLASSINFO("default:ValueMax", "100")
  Q_PROPERTY(double Value READ Value WRITE SetValue NOTIFY ValueChanged)
  Q_CLASSINFO("default:Value", "0")
  Q_PROPERTY(double ValueGap READ ValueGap WRITE SetValueGap NOTIFY ValueGapChanged)
  Q_CLASSINFO("default:ValueGap", "10")
  Q_PROPERTY(double ValueStepWidth READ ValueStepWidth WRITE SetValueStepWidth NOTIFY ValueStepWidthChanged)
  Q_CLASSINFO("default:ValueStepWidth", "0")
  Q_PROPERTY(int BevelOuterWidth READ BevelOuterWidth WRITE SetBevelOuterWidth NOTIFY BevelOuterWidthChanged)
  Q_CLASSINFO("default:BevelOuterWidth", "4")
  Q_PROPERTY(int BevelInnerWidth READ BevelInnerWidth WRITE SetBevelInnerWidth NOTIFY BevelInnerWidthChanged)
  Q_CLASSINFO("default:BevelInnerWidth", "4")
  Q_PROPERTY(int RingWidth READ RingWidth WRITE SetRingWidth NOTIFY RingWidthChanged)
  Q_CLASSINFO("default:RingWidth", "40")
  Q_PROPERTY(int ValueDecimals READ ValueDecimals WRITE SetValueDecimals NOTIFY ValueDecimalsChanged)
  Q_CLASSINFO("default:ValueDecimals", "0")
  Q_PROPERTY(int TickInner READ TickInner WRITE SetTickInner NOTIFY TickInnerChanged)
  Q_CLASSINFO("default:TickInner", "100")
  Q_PROPERTY(int TickOuter READ TickOuter WRITE SetTickOuter NOTIFY TickOuterChanged)
  Q_CLASSINFO("default:TickOuter", "110")
  // The constructor starts IndicatorInner at 70; declaring that as the
  // stream default makes a dial read back with the value it was written
  // with (a declared 75 would lose a 75 to the constructor's 70).
  Q_PROPERTY(int IndicatorInner READ IndicatorInner WRITE SetIndicatorInner NOTIFY IndicatorInnerChanged)
  Q_CLASSINFO("default:IndicatorInner", "70")
  Q_PROPERTY(int IndicatorOuter READ IndicatorOuter WRITE SetIndicatorOuter NOTIFY IndicatorOuterChanged)
  Q_CLASSINFO("default:IndicatorOuter", "85")
  QUELLIX_COLOR_PROPERTY(BevelColor)
  Q_CLASSINFO("default:BevelColor", "16777215")
  QUELLIX_COLOR_PROPERTY(InnerColor)
  Q_CLASSINFO("default:InnerColor", "-2147483633")
  QUELLIX_COLOR_PROPERTY(RingColor)
  Q_CLASSINFO("default:RingColor", "-2147483633")
  QUELLIX_COLOR_PROPERTY(IndicatorColor)
  Q_CLASSINFO("default:IndicatorColor", "255")
  Q_PROPERTY(bool Ticks READ Ticks WRITE SetTicks NOTIFY TicksChanged)
  Q_CLASSINFO("default:Ticks", "false")
  Q_PROPERTY(bool Labels READ Labels WRITE SetLabels NOTIFY LabelsChanged)
  Q_CLASSINFO("default:Labels", "false")
  Q_PROPERTY(quellix::dial::TDialIndicator IndicatorStyle READ IndicatorStyle WRITE SetIndicatorStyle NOTIFY IndicatorStyleChanged)
  Q_CLASSINFO("default:IndicatorStyle", "diaCircle")
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption NOTIFY CaptionChanged)
  Q_CLASSINFO("default:Caption", "")

Q_SIGNALS:
  // Events as signals.
  void valueChange(quellix::TObject* Sender);
  // Property change signals.
  void VersionChanged(const QString& Value);
  void CopyrightChanged(const QString& Value);
  void ScaleAngle1Changed(double Value);
  void ScaleAngle2Changed(double Value);
  void ValueMinChanged(double Value);
  void ValueMaxChanged(double Value);
  void ValueChanged(double Value);
  void ValueGapChanged(double Value);
  void ValueStepWidthChanged(double Value);
  void BevelOuterWidthChanged(int Value);
  void BevelInnerWidthChanged(int Value);
  void RingWidthChanged(int Value);
  void ValueDecimalsChanged(int Value);
  void TickInnerChanged(int Value);
  void TickOuterChanged(int Value);
  void IndicatorInnerChanged(int Value);
  void IndicatorOuterChanged(int Value);
  void TicksChanged(bool Value);
  void LabelsChanged(bool Value);
  void IndicatorStyleChanged(quellix::dial::TDialIndicator Value);
  void CaptionChanged(const QString& Value);

public:
  explicit TDial(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TDial() override;

  // --- identification (fixed texts) ---
  QString Version() const { return QStringLiteral("V2.10"); }
  void SetVersion(const QString&) {}
  QString Copyright() const { return TComponentCore::LibraryCopyright(); }
  void SetCopyright(const QString&) {}

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

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DefineProperties(TFiler& Filer) override;

protected:
  // A value change is drawn with the next frame (TControl::FlushDrawing).
  void DrawPending() override;

private:
  // Setter tails.
  void Rebuild();  // layout, body again if built, invalidate
  void Relayout();  // layout, invalidate
  void ClampValue();

  // Layout step and its pieces.
  void Layout();
  void TickStep();
  void LayoutLabels(TCanvas& Cv, Integer Pitch);

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
  bool FNoScale = false;
};

}  ///< namespace quellix::dial
