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

#include "quellix/instruments/DialParts.h"

namespace quellix::dial {

class TDial : public TDialView {
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

  void DefineProperties(TFiler& Filer) override;
};

}  ///< namespace quellix::dial
