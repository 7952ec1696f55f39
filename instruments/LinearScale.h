/// What the slider and the bar graph share: the orientation type, the 16
/// value ranges with their normalisation and their part of the streamed
/// "Range" list, and the linear scale of tick lines and labels beside the
/// slot or track.
/// \file
/// Positions along the track are counted in pixels from its low end (the
/// bottom of a vertical instrument, the left of a horizontal one); device
/// coordinates follow from them with AlongToDevice.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <vector>

#include "quellix/host/Component.h"
#include "quellix/host/Graphics.h"

namespace quellix::LinearScale {
Q_NAMESPACE

/// Orientation of a slider or a bar graph.
enum TScrollBarKind { sbHorizontal, sbVertical };
Q_ENUM_NS(TScrollBarKind)

// ---------------------------------------------------------------------------
// Value ranges: range i covers the values from the limit of range i - 1
// (ValueMin for range 1) up to its own limit.

constexpr Integer MaxRanges = 16;

struct TValueRange {
  TColor Color = clBtnFace;
  Double Limit = 100.0;
};

struct TValueRanges {
  explicit TValueRanges(TColor DefaultColor = clBtnFace, Double DefaultLimit = 100.0);

  std::array<TValueRange, MaxRanges> Items;
  Integer Number = 1;   ///< ranges in use, 1..16
  Integer Current = 1;  ///< range addressed by RangeLimit and RangeColor

  TValueRange& Range(Integer I) { return Items.at(I - 1); }
  const TValueRange& Range(Integer I) const { return Items.at(I - 1); }
  TValueRange& CurrentRange() { return Range(Current); }
  const TValueRange& CurrentRange() const { return Range(Current); }

  /// Clamps the limits of the ranges in use into [Min, Max] and makes the
  /// last one in use end at Max.
  void Normalise(Double Min, Double Max);

  /// The setters behind RangeNumber, RangeCurrent, RangeLimit and
  /// RangeColor. Each rejects what it cannot take (a number or index
  /// outside 1..16, a NaN limit), stores a new value and returns whether
  /// anything changed, so that the instrument redraws only then. Number and
  /// Limit normalise the ranges to the value span [Min, Max] afterwards.
  bool SetNumber(Integer Value, Double Min, Double Max);
  bool SetCurrent(Integer Value);
  bool SetLimit(Double Value, Double Min, Double Max);
  bool SetColor(TColor Value);

  /// The (Color, Limit) pairs of the ranges in use as one list.
  void WritePairs(TWriter& W) const;
  /// Reads such a list back; the number of whole pairs (1..16) becomes
  /// Number. Pairs beyond the sixteenth are read and dropped.
  void ReadPairs(TReader& R);
};

/// The ends of the value span, ValueMin below ValueMax. A new end is taken
/// when it stays strictly on its side of the other end; the ranges are
/// then normalised to the new span. Return whether the end changed.
bool SetSpanMin(Double Value, Double& Min, Double Max, TValueRanges& Ranges);
bool SetSpanMax(Double Value, Double Min, Double& Max, TValueRanges& Ranges);

/// The published ranges of an instrument with a value span: RangeNumber,
/// RangeCurrent, RangeLimit and RangeColor over its TValueRanges. The
/// instrument gives the span the limits are kept in and redraws when a
/// range changes.
class TRangeProperties {
public:
  Integer RangeNumber() const { return FRanges.Number; }
  void SetRangeNumber(Integer Value);
  Integer RangeCurrent() const { return FRanges.Current; }
  void SetRangeCurrent(Integer Value);
  Double RangeLimit() const { return FRanges.CurrentRange().Limit; }
  void SetRangeLimit(Double Value);
  TColor RangeColor() const { return FRanges.CurrentRange().Color; }
  void SetRangeColor(TColor Value);
  const TValueRanges& Ranges() const { return FRanges; }

protected:
  explicit TRangeProperties(TColor DefaultColor) : FRanges(DefaultColor, 100.0) {}
  ~TRangeProperties() = default;
  /// The value span, ValueMin to ValueMax.
  virtual Double SpanMin() const = 0;
  virtual Double SpanMax() const = 0;
  /// Hook: a range changed.
  virtual void RangesChanged() = 0;

  TValueRanges FRanges;
};

// ---------------------------------------------------------------------------
// The scale

/// The scale and caption font both instruments start with: Arial, 8 points,
/// no style, black.
void SetDefaultFont(TFont& F);

/// Pixel distance of V from the low end of a run of Len pixels that shows
/// Min .. Min + Span: Round(Len * (V - Min) / Span), limited to a range that
/// pixel arithmetic cannot overflow (a value far outside the range).
Integer ValueToPixel(Double V, Double Min, Double Span, Integer Len);

/// The label pattern: scientific for large magnitudes and for very narrow
/// ranges near zero, otherwise fixed point with Decimals decimals.
QString LabelFormat(Double ValueMin, Double ValueMax, Integer Decimals);

/// Device coordinate along the track of a position counted from the low end.
inline Integer AlongToDevice(bool Vertical, Integer Width, Integer Height, Integer Pos) {
  (void)Width;
  return Vertical ? Height - Pos : Pos;
}

/// What a scale is drawn for. The instrument fills it in from its
/// properties and its size.
struct TScaleSetup {
  bool Vertical = true;
  Integer Width = 0;
  Integer Height = 0;
  /// The scale runs from Start to End, counted from the low end.
  Integer Start = 0;
  Integer End = 0;
  Double ValueMin = 0.0;
  Double ValueMax = 100.0;
  Double Gap = 5.0;  ///< value distance between ticks
  Integer Decimals = 1;
  bool Labels = false;      ///< draw labels
  bool Lines = false;       ///< draw tick lines
  bool FarSide = false;     ///< labels at the bottom or right edge
  bool Symmetric = false;   ///< labels and ticks on both sides
  bool Asymmetric = false;  ///< labels moved inward (the slider's pointer scale)
  /// Cross edges of the slot or track centred across the control; tick
  /// lines end there.
  Integer SlotLo = 0;
  Integer SlotHi = 0;
  TColor Color = clBtnFace;  ///< brush (the control's background)
};

struct TScaleMark {
  Double Value = 0.0;
  Integer Along = 0;  ///< device coordinate along the track
  bool Labelled = false;
  QString Text;       ///< label text (labelled marks only)
  Integer TextWidth = 0;
};

struct TScaleLayout {
  bool Valid = false;       ///< false: nothing to draw (no room)
  Double Gap = 0.0;         ///< the gap in use, raised by the density limit
  Integer Pitch = 0;        ///< pixels between ticks
  Integer LabelStep = 1;    ///< ticks per label
  QString Format;
  Integer TextHeight = 0;   ///< TextHeight("012.")
  Integer LabelWidth = 0;   ///< widest label drawn
  std::vector<TScaleMark> Marks;
};

/// Places ticks and labels. The canvas must carry the scale font.
/// Density limit: when the span holds more than one tick per two pixels,
/// the gap becomes Span * 2 / length.
TScaleLayout LayoutScale(TCanvas& Cv, const TScaleSetup& S);
/// Draws a laid-out scale with the canvas's font; the pen takes the
/// font colour, the brush S.Color, labels have a transparent background.
void DrawScale(TCanvas& Cv, const TScaleSetup& S, const TScaleLayout& L);
/// Lays the scale out and draws it. Gap (the instrument's own gap) takes
/// the gap in use, so that a small instrument with a wide span keeps its
/// ticks two pixels apart from then on. When there is no room, nothing is
/// drawn and Gap stays as it is; the layout says which happened.
TScaleLayout PaintScale(TCanvas& Cv, const TScaleSetup& S, Double& Gap);

}  ///< namespace quellix::LinearScale
