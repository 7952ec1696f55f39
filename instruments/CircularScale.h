/// The circular scale shared by the analog meter and the dial: points on a
/// circle around a pivot, the label format, the tick run with its minimum
/// spacing, label thinning and label placement, and the rules the two
/// instruments' setters share for the scale ends and angles.
/// \file
/// Angles are in degrees, clockwise from straight up (-90 left, 0 up, 90
/// right); screen y grows downward. A point at angle a and radius r lies at
/// (cx + r * sin a, Height - yBase - r * cos a), where yBase is the pivot's
/// distance from the bottom edge.
#pragma once

#include <QString>
#include <vector>

#include "quellix/host/Graphics.h"
#include "quellix/host/NumericTypes.h"
#include "quellix/host/ScaleSteps.h"

namespace quellix::CircularScale {

/// Longest label text; longer texts are cut.
constexpr int MaxLabelLength = 20;

constexpr Double Pi = 3.14159265358979323846;

/// The angle of value V on a scale that runs from Angle1 at ValueMin to
/// Angle2 at ValueMax, linear in the value.
inline Double AngleOf(Double V, Double Angle1, Double Angle2, Double ValueMin, Double ValueMax) {
  return Angle1 + (Angle2 - Angle1) * (V - ValueMin) / (ValueMax - ValueMin);
}

/// The scale ends. A finite new end is stored; when it meets or passes the
/// other end, that one moves to one unit beyond it. Return whether the end
/// changed.
bool SetScaleMin(Double V, Double& Min, Double& Max);
bool SetScaleMax(Double V, Double& Min, Double& Max);

/// The scale angles: the start in [-360, End), the end in (Start, 360].
/// Return whether the angle changed.
bool SetStartAngle(Double V, Double& Start, Double End);
bool SetEndAngle(Double V, Double Start, Double& End);

/// The pivot of a circular scale inside a control of the given height.
struct TPivot {
  Integer cx = 0;
  Integer yBase = 0;
  Integer Height = 0;

  Double X(Double r, Double Degrees) const;
  Double Y(Double r, Double Degrees) const;
  /// Coordinates truncated toward zero, or rounded (halves to even).
  TPoint PointTrunc(Double r, Double Degrees) const;
  TPoint PointRound(Double r, Double Degrees) const;
};

/// Degrees to radians.
Double Rad(Double Degrees);

/// Truncation toward zero that saturates instead of overflowing, for pixel
/// counts computed from arbitrary property values.
Integer TruncSat(Double X);

/// The label pattern: "#.##E-00" for scales reaching 10000 in magnitude and
/// for very narrow scales near zero, otherwise "0." with Decimals zeros, or
/// "0" without decimals.
QString LabelFormat(Double ValueMin, Double ValueMax, Integer Decimals);
/// V in the label pattern, cut to MaxLabelLength characters.
QString LabelText(const QString& Format, Double V);
/// The text that sets the label pitch: the label of the end of larger
/// magnitude with a minus sign appended.
QString WidestLabel(const QString& Format, Double ValueMin, Double ValueMax);

/// Widens Gap so that ticks stay at least four pixels apart on an arc of
/// length Cap: Span * 4 / Gap must not exceed Cap. Returns false (Gap
/// untouched) when Cap <= 0: there is no arc to put a scale on.
bool FitTickGap(Double Span, Double Cap, Double& Gap);

/// The ticks: the multiples of Gap inside [ValueMin, ValueMax], the ends
/// included wherever decimal arithmetic in binary misses them by a hair.
using TTickRun = TGapMultiples;
TTickRun TickRun(Double ValueMin, Double ValueMax, Double Gap);
/// The tick values of a run, from the lowest up.
std::vector<Double> TickValues(const TTickRun& Run);

/// Pixel distance along the reference arc between neighbouring ticks.
Integer TickPitch(Double Arc, Double Gap, Double Span);

/// Label thinning: a label at every k-th tick, k the smallest for which
/// k * Pitch is at least WidestWidth pixels. Step is the value distance
/// between labels (k * Gap).
struct TLabelPitch {
  Integer k = 1;
  Double Step = 0;
};
TLabelPitch ThinLabels(Integer Pitch, Integer WidestWidth, Double Gap);

/// One label as placed: value, text, top-left corner of the text, and the
/// index of the tick it stands at (-1 when it stands at none).
struct TScaleLabel {
  Double Value = 0;
  QString Text;
  TPoint Pos;
  Integer Tick = -1;
};

/// Where the label texts stand: centred on the circle Base + Sign * e,
/// where e is half the text's diagonal plus 5 pixels, so that a label
/// never touches the circle Base whatever its angle.
struct TLabelRing {
  Double Base = 0;
  Integer Sign = 1;  ///< +1 outside the circle Base, -1 inside
};

/// The labels at the multiples of Pitch.Step inside [ValueMin, ValueMax],
/// with the angle of each value given by AngleOf.
/// Texts are measured with Cv's current font. Ticks is the tick run the
/// labels lengthen (Tick is the index of the tick at the label's value).
template <class AngleFn>
std::vector<TScaleLabel> PlaceLabels(TCanvas& Cv, const TPivot& P, const QString& Format, Double ValueMin,
                                     Double ValueMax, const TLabelPitch& Pitch, const TLabelRing& Ring,
                                     const TTickRun& Ticks, AngleFn AngleOf);

/// Shared by the template: the label values and the placement of one text.
std::vector<Double> LabelValues(Double ValueMin, Double ValueMax, Double Step);
TPoint LabelPos(const TPivot& P, const TLabelRing& Ring, Double Degrees, TSize Text);
Integer TickIndexOf(const TTickRun& Ticks, Double V);

template <class AngleFn>
std::vector<TScaleLabel> PlaceLabels(TCanvas& Cv, const TPivot& P, const QString& Format, Double ValueMin,
                                     Double ValueMax, const TLabelPitch& Pitch, const TLabelRing& Ring,
                                     const TTickRun& Ticks, AngleFn AngleOf) {
  std::vector<TScaleLabel> Out;
  for (Double V : LabelValues(ValueMin, ValueMax, Pitch.Step)) {
    TScaleLabel L;
    L.Value = V;
    L.Text = LabelText(Format, V);
    L.Pos = LabelPos(P, Ring, AngleOf(V), Cv.TextExtent(L.Text));
    L.Tick = TickIndexOf(Ticks, V);
    Out.push_back(std::move(L));
  }
  return Out;
}

}  ///< namespace quellix::CircularScale
