/// TPanelMeterInt: a numeric LCD-style panel meter. A framed display shows
/// the value in slanted seven-segment digits with a decimal point and an
/// optional sign cell; below the digits a row of annunciator labels (the
/// slots) can be switched on and off; OnRangeCheck reports when the value
/// leaves or re-enters [ValueMin, ValueMax].
///
/// The value logic (format, range code, store, fire) is kept apart from the
/// drawing: PanelMeterFormat and PanelMeterRange are plain functions, and
/// the drawing is split into the frame, the geometry step (digit unit and
/// segment templates), the digits and the slot row. The frame, the number
/// and the display are parts of their own (PanelMeterParts.h).
/// \file
/// The measure sink TPanelMeter (SingleValueSinks.h) and the stand-alone
/// TPanelMeter (unit PMeter) both derive from this class.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "quellix/host/Component.h"
#include "quellix/host/Controls.h"
#include "quellix/host/Graphics.h"
#include "quellix/instruments/PanelMeterParts.h"

namespace quellix::PMeterInt {

/// (Sender, Range): -1 below ValueMin, -2 above ValueMax, -3 a negative
/// value where only positive values are shown, 0 back inside the range.
using TRangeCheck = std::function<void(TObject* Sender, Integer Range)>;

class TPanelMeterInt : public TGraphicControl, public TPanelMeterFrame, public TPanelMeterNumber {
  Q_OBJECT
  // Natural and smallest useful size, for Qt layouts.
  Q_CLASSINFO("NaturalSize", "150,60")
  Q_CLASSINFO("MinimumSize", "60,24")
  Q_PROPERTY(QString Version READ Version WRITE SetVersion NOTIFY VersionChanged)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright NOTIFY CopyrightChanged)
  Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth NOTIFY BevelWidthChanged)
  Q_CLASSINFO("default:BevelWidth", "2")
  Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth NOTIFY BorderWidthChanged)
  Q_CLASSINFO("default:BorderWidth", "3")
  Q_PROPERTY(int Digits READ Digits WRITE SetDigits NOTIFY DigitsChanged)
  Q_CLASSINFO("default:Digits", "4")
  Q_PROPERTY(int DecimalPoint READ DecimalPoint WRITE SetDecimalPoint NOTIFY DecimalPointChanged)
  Q_CLASSINFO("default:DecimalPoint", "1")
  Q_PROPERTY(quellix::PMeterInt::TPanelMeterSign Sign READ Sign WRITE SetSign NOTIFY SignChanged)
  Q_CLASSINFO("default:Sign", "pmrNegative")
  // The four floats travel in the "Range" list instead.
  Q_PROPERTY(double Value READ Value WRITE SetValue STORED false NOTIFY ValueChanged)
  Q_PROPERTY(double ValueMin READ ValueMin WRITE SetValueMin STORED false NOTIFY ValueMinChanged)
  Q_PROPERTY(double ValueMax READ ValueMax WRITE SetValueMax STORED false NOTIFY ValueMaxChanged)
  Q_PROPERTY(double DisplayAngle READ DisplayAngle WRITE SetDisplayAngle STORED false NOTIFY DisplayAngleChanged)
  Q_PROPERTY(int BevelColor1 READ BevelColor1 WRITE SetBevelColor1 NOTIFY BevelColor1Changed)
  Q_CLASSINFO("default:BevelColor1", "-2147483628")
  Q_PROPERTY(int BevelColor2 READ BevelColor2 WRITE SetBevelColor2 NOTIFY BevelColor2Changed)
  Q_CLASSINFO("default:BevelColor2", "-2147483632")
  QUELLIX_COLOR_PROPERTY(BorderColor)
  Q_CLASSINFO("default:BorderColor", "-2147483633")
  QUELLIX_COLOR_PROPERTY(DisplayColor)
  Q_CLASSINFO("default:DisplayColor", "65280")
  Q_CLASSINFO("default:Color", "0")
  Q_CLASSINFO("default:ParentColor", "false")
  Q_PROPERTY(QStringList Slots READ SlotsText WRITE SetSlotsText NOTIFY SlotsChanged)
  Q_CLASSINFO("default:Slots", "()")
  Q_PROPERTY(quellix::TFont* SlotFont READ SlotFontPtr WRITE SetSlotFont NOTIFY SlotFontChanged)

Q_SIGNALS:
  // Events as signals.
  void rangeCheck(quellix::TObject* Sender, int Range);
  // Property change signals.
  void VersionChanged(const QString& Value);
  void CopyrightChanged(const QString& Value);
  void BevelWidthChanged(int Value);
  void BorderWidthChanged(int Value);
  void DigitsChanged(int Value);
  void DecimalPointChanged(int Value);
  void SignChanged(quellix::PMeterInt::TPanelMeterSign Value);
  void ValueChanged(double Value);
  void ValueMinChanged(double Value);
  void ValueMaxChanged(double Value);
  void DisplayAngleChanged(double Value);
  void BevelColor1Changed(int Value);
  void BevelColor2Changed(int Value);
  void SlotsChanged(QStringList Value);
  void SlotFontChanged(quellix::TFont* Value);

public:
  explicit TPanelMeterInt(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TPanelMeterInt() override;

  // --- identification (fixed texts) ---
  QUELLIX_FIXED_IDENTIFICATION("V2.50")

  // --- frame: BevelWidth, BorderWidth, BevelColor1, BevelColor2 and
  // BorderColor come with TPanelMeterFrame ---

  // --- number: Digits, DecimalPoint, Sign, Format, RangeState and
  // CellCount come with TPanelMeterNumber ---
  Double Value() const { return FValue; }
  /// Stores the value, reports a change of range and redraws the digits
  /// at once (the frame and the slots stay).
  void SetValue(Double Value);
  Double ValueMin() const { return FValueMin; }
  void SetValueMin(Double Value);
  Double ValueMax() const { return FValueMax; }
  void SetValueMax(Double Value);
  Double DisplayAngle() const { return FDisplayAngle; }
  void SetDisplayAngle(Double Value);
  TColor DisplayColor() const { return FDisplayColor; }
  void SetDisplayColor(TColor Value);

  // --- slots ---
  const TStringList& Slots() const { return FSlots; }
  void SetSlots(const TStringList& Value);
  QStringList SlotsText() const { return FSlots.ToQStringList(); }
  /// A streamed list brings texts only: every slot starts switched off.
  void SetSlotsText(const QStringList& Value);
  /// Switches slot Index (0..Count-1) on or off and redraws the slot row
  /// at once; other indexes are ignored.
  void SetSlot(Integer Index, bool Active);
  /// Is slot Index switched on? False for indexes out of range.
  bool Slot(Integer Index) const;
  TFont& SlotFont() { return FSlotFont; }
  TFont* SlotFontPtr() { return &FSlotFont; }
  void SetSlotFont(const TFont& Value);
  void SetSlotFont(TFont* Value) {
    if (Value) SetSlotFont(*Value);
  }

  TRangeCheck OnRangeCheck;

  // --- geometry, for the drawing and for tests ---
  using TGeometry = TPanelMeterDisplay::TGeometry;
  /// The geometry for the current size and properties (computed when
  /// something it depends on changed).
  const TGeometry& Geometry();

  void Paint() override;
  void Resize() override;
  void DefineProperties(TFiler& Filer) override;

protected:
  /// A value change is drawn with the next frame (TControl::FlushDrawing).
  void DrawPending() override;
  /// Drawing pieces. Each draws at once on the canvas.
  /// The raised bevel, the flat border and the sunken bevel; returns the
  /// display rectangle that remains.
  TRect PaintFrame();
  /// The digits of the current value into the display.
  void PaintDigits();
  /// The annunciator row.
  void PaintSlots();

  void FrameChanged(bool Geometry) override;
  void NumberChanged() override;

private:
  // The geometry is computed again before the next use; repaints.
  void GeometryChanged();

  TPanelMeterDisplay FDisplay;
  Double FValue = 0.0;
  Double FValueMin = -1.999;
  Double FValueMax = 1.999;
  Double FDisplayAngle = 5.0;
  TColor FDisplayColor = clLime;
  TStringList FSlots;
  TFont FSlotFont;
};

}  ///< namespace quellix::PMeterInt
