/// TPanelMeterInt: a numeric LCD-style panel meter. A framed display shows
/// the value in slanted seven-segment digits with a decimal point and an
/// optional sign cell; below the digits a row of annunciator labels (the
/// slots) can be switched on and off; OnRangeCheck reports when the value
/// leaves or re-enters [ValueMin, ValueMax].
///
/// The value logic (format, range code, store, fire) is kept apart from the
/// drawing: PanelMeterFormat and PanelMeterRange are plain functions, and
/// the drawing is split into the frame, the geometry step (digit unit and
/// segment templates), the digits and the slot row.
/// \file
/// The measure sink TPanelMeter (SingleValueSinks.h) and the stand-alone
/// TPanelMeter (unit PMeter) both derive from this class.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include "quellix/host/Component.h"
#include "quellix/host/Controls.h"
#include "quellix/host/Graphics.h"

namespace quellix::PMeterInt {
Q_NAMESPACE

/// pmrNegative: a sign cell before the digits; pmrOnlyPositive: no sign
/// cell, negative values are shown by their magnitude.
enum TPanelMeterSign : Byte { pmrNegative, pmrOnlyPositive };
Q_ENUM_NS(TPanelMeterSign)

/// (Sender, Range): -1 below ValueMin, -2 above ValueMax, -3 a negative
/// value where only positive values are shown, 0 back inside the range.
using TRangeCheck = std::function<void(TObject* Sender, Integer Range)>;

/// The range codes.
constexpr Integer rcInside = 0;
constexpr Integer rcBelow = -1;
constexpr Integer rcAbove = -2;
constexpr Integer rcNegative = -3;

/// The number format of a meter: Digits zeros with a point after the
/// DecimalPoint-th one (no point when DecimalPoint is outside 1..Digits);
/// with a sign cell " P;-P", otherwise P. Digits 4, DecimalPoint 1 and a
/// sign cell give " 0.000;-0.000".
QString PanelMeterFormat(Integer Digits, Integer DecimalPoint, TPanelMeterSign Sign);

/// The range code of Value: below, above, negative (only when only positive
/// values are shown) or inside, checked in this order.
Integer PanelMeterRange(Double Value, Double ValueMin, Double ValueMax, TPanelMeterSign Sign);

/// Segment numbers of the seven-segment cells (1-based as the drawing
/// names them: 1 top, 2 upper right, 3 middle, 4 lower right, 5 bottom,
/// 6 lower left, 7 upper left, 8 decimal point) as bits 1 << n.
using TSegmentSet = unsigned;
/// The lit segments of a display character ("0".."9", "-", "."; "," counts
/// as "."). Any other character lights nothing.
TSegmentSet SegmentsOf(QChar C);

class TPanelMeterInt : public TGraphicControl {
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
  QString Version() const { return QStringLiteral("V2.50"); }
  void SetVersion(const QString&) {}
  QString Copyright() const { return TComponentCore::LibraryCopyright(); }
  void SetCopyright(const QString&) {}

  // --- frame ---
  Integer BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(Integer Value);
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value);
  TColor BevelColor1() const { return FBevelColor1; }
  void SetBevelColor1(TColor Value);
  TColor BevelColor2() const { return FBevelColor2; }
  void SetBevelColor2(TColor Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);

  // --- number ---
  Integer Digits() const { return FDigits; }
  void SetDigits(Integer Value);
  Integer DecimalPoint() const { return FDecimalPoint; }
  void SetDecimalPoint(Integer Value);
  TPanelMeterSign Sign() const { return FSign; }
  void SetSign(TPanelMeterSign Value);
  /// The current number format, e.g. " 0.000;-0.000".
  QString Format() const { return FFormat; }
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
  /// The last range code reported (0 at first).
  Integer RangeState() const { return FRangeState; }

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
  struct TGeometry {
    TRect Display;             ///< inside the frames
    Integer Unit = 0;          ///< digit unit u
    Integer Pitch = 0;         ///< distance from one cell to the next
    /// Segments 1..7 and the point (index 0..7) of the first cell.
    std::array<std::vector<TPoint>, 8> Segments;
    /// The slot row: one rectangle per item.
    std::vector<TRect> SlotRects;
  };
  /// The geometry for the current size and properties (computed when
  /// something it depends on changed).
  const TGeometry& Geometry();
  /// The number of digit cells, the sign cell included.
  Integer CellCount() const { return FDigits + (FSign == pmrNegative ? 1 : 0); }

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

private:
  // Geometry step: digit unit, segment templates, cell pitch, slot row.
  void CalcGeometry();
  void GeometryChanged();
  // Rebuilds the number format and asks for a repaint.
  void FormatChanged();
  // Fires OnRangeCheck when Value moved into another range.
  void CheckRange();
  // One cell: Lit segments in DisplayColor, the others in Color.
  void PaintCell(Integer Offset, TSegmentSet Lit);
  void FillSegment(const std::vector<TPoint>& Template, Integer Offset, TColor Color);
  // The display rectangle for the current size and frame widths.
  TRect DisplayRect() const;

  Integer FBevelWidth = 2;
  Integer FBorderWidth = 3;
  Integer FDigits = 4;
  Integer FDecimalPoint = 1;
  TPanelMeterSign FSign = pmrNegative;
  Double FValue = 0.0;
  Double FValueMin = -1.999;
  Double FValueMax = 1.999;
  Double FDisplayAngle = 5.0;
  TColor FBevelColor1 = clBtnHighlight;
  TColor FBevelColor2 = clBtnShadow;
  TColor FBorderColor = clBtnFace;
  TColor FDisplayColor = clLime;
  TStringList FSlots;
  TFont FSlotFont;
  QString FFormat;
  Integer FRangeState = rcInside;
  TGeometry FGeometry;
  bool FGeometryValid = false;
};

}  ///< namespace quellix::PMeterInt
