/// The parts TPanelMeterInt (PanelMeter.h) is composed of. Beside the plain
/// functions of the value logic (number format, range code, lit segments):
/// TPanelMeterFrame (bevels and border: widths, colours, the display
/// rectangle inside them, their drawing), TPanelMeterNumber (digit count,
/// decimal point, sign cell, the format they give and the range last
/// reported) and TPanelMeterDisplay (the geometry step and the drawing of
/// the digit cells and the slot row). The frame and the number carry
/// published properties, so the component takes them on as bases and hears
/// of their changes through one hook each; the display is a member that is
/// handed the canvas, colours and texts it needs and never calls back.
/// \file
#pragma once

#include <QString>
#include <QStringList>
#include <array>
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

/// The number side of the display: how many digit cells, where the point
/// goes, whether there is a sign cell, the format string that follows from
/// them, and the range code last reported.
class TPanelMeterNumber {
public:
  Integer Digits() const { return FDigits; }
  /// 1..64; other counts are refused.
  void SetDigits(Integer Value);
  Integer DecimalPoint() const { return FDecimalPoint; }
  void SetDecimalPoint(Integer Value);
  TPanelMeterSign Sign() const { return FSign; }
  void SetSign(TPanelMeterSign Value);
  /// The current number format, e.g. " 0.000;-0.000".
  QString Format() const { return FFormat; }
  /// The last range code reported (0 at first).
  Integer RangeState() const { return FRangeState; }
  /// The number of digit cells, the sign cell included.
  Integer CellCount() const { return FDigits + (FSign == pmrNegative ? 1 : 0); }

protected:
  TPanelMeterNumber() { Reformat(); }
  ~TPanelMeterNumber() = default;

  /// Hook: the format and with it the cell count changed.
  virtual void NumberChanged() = 0;

  /// Value as the cells show it.
  QString ValueText(Double Value) const;
  /// Takes the range code of Value; true when it differs from the one
  /// before, so that each range is reported once, when the value enters it.
  bool EnterRange(Double Value, Double ValueMin, Double ValueMax);

private:
  void Reformat() { FFormat = PanelMeterFormat(FDigits, FDecimalPoint, FSign); }

  Integer FDigits = 4;
  Integer FDecimalPoint = 1;
  TPanelMeterSign FSign = pmrNegative;
  QString FFormat;
  Integer FRangeState = rcInside;
};

/// The frame around the display: a raised bevel, a flat border and a
/// sunken bevel.
class TPanelMeterFrame {
public:
  Integer BevelWidth() const { return FBevelWidth; }
  /// Widths below 0 are refused.
  void SetBevelWidth(Integer Value);
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value);
  TColor BevelColor1() const { return FBevelColor1; }
  void SetBevelColor1(TColor Value);
  TColor BevelColor2() const { return FBevelColor2; }
  void SetBevelColor2(TColor Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);

protected:
  ~TPanelMeterFrame() = default;

  /// Hook: a width (Geometry) or a colour of the frame changed.
  virtual void FrameChanged(bool Geometry) = 0;

  /// The display rectangle that the frame leaves of Client.
  TRect Inside(TRect Client) const;
  /// Draws the frame along the edge of Client; returns what remains.
  TRect PaintFrameOn(TCanvas& Cv, TRect Client) const;

private:
  Integer FBevelWidth = 2;
  Integer FBorderWidth = 3;
  TColor FBevelColor1 = clBtnHighlight;
  TColor FBevelColor2 = clBtnShadow;
  TColor FBorderColor = clBtnFace;
};

/// What the geometry step works from.
struct TPanelMeterSetup {
  TRect Display;  ///< inside the frame
  Integer Digits;
  TPanelMeterSign Sign;
  Double Angle;   ///< slant of the cells, degrees
  const TStringList& Slots;
  const TFont& SlotFont;
};

/// The digit cells and the slot row: their geometry (kept until something
/// it depends on changes) and their drawing.
class TPanelMeterDisplay {
public:
  struct TGeometry {
    TRect Display;             ///< inside the frames
    Integer Unit = 0;          ///< digit unit u
    Integer Pitch = 0;         ///< distance from one cell to the next
    /// Segments 1..7 and the point (index 0..7) of the first cell.
    std::array<std::vector<TPoint>, 8> Segments;
    /// The slot row: one rectangle per item.
    std::vector<TRect> SlotRects;
  };

  bool Valid() const { return FValid; }
  void Invalidate() { FValid = false; }
  const TGeometry& Geometry() const { return FGeometry; }
  /// The geometry step: digit unit, segment templates, cell pitch, slot
  /// row. Cv measures the slot texts (its state is restored).
  void Layout(TCanvas& Cv, const TPanelMeterSetup& Setup);

  /// Text in Cells cells from the left: lit segments in On, the others in
  /// Off; a cell the text does not reach is erased. Clipped to the display.
  void PaintDigits(TCanvas& Cv, const QString& Text, Integer Cells, TColor On, TColor Off) const;
  /// The slot row: a switched-on item (every item when ShowAll) as its text
  /// on On, the others as Off.
  void PaintSlots(TCanvas& Cv, const TStringList& Slots, const TFont& Font, bool ShowAll, TColor On,
                  TColor Off) const;

private:
  // One cell: Lit segments in On, the others in Off.
  void PaintCell(TCanvas& Cv, Integer Offset, TSegmentSet Lit, TColor On, TColor Off) const;
  void FillSegment(TCanvas& Cv, const std::vector<TPoint>& Template, Integer Offset, TColor Color) const;

  TGeometry FGeometry;
  bool FValid = false;
};

}  ///< namespace quellix::PMeterInt
