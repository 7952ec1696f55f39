/// The types of the histograph (THistographInt): series kinds, scales,
/// series slots, axis layouts, crosses, and the helpers its parts share.
/// \file
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "quellix/host/Component.h"
#include "quellix/host/Graphics.h"

namespace quellix::HistoInt {
Q_NAMESPACE

/// Kind of a series; says how its array is laid out and who owns it.
enum TDataKind : Byte {
  dtData,      ///< Count Y values, the caller's array (not copied)
  dtDataXY,    ///< Count pairs X1, Y1, X2, Y2, ..., the caller's array
  dtUpperRef,  ///< Count Y values, the component's own copy
  dtLowerRef   // Count Y values, the component's own copy
};
Q_ENUM_NS(TDataKind)

enum TGrdVisible : Byte { grdNone, grdHor, grdVer, grdBoth };
Q_ENUM_NS(TGrdVisible)

/// Scales of X and Y: sclLinLog is X linear, Y logarithmic.
enum TGrdScale : Byte { sclLinLin, sclLinLog, sclLogLin, sclLogLog };
Q_ENUM_NS(TGrdScale)

enum TBorderStyle : Byte { bsNone, bsSingle };
Q_ENUM_NS(TBorderStyle)

/// (Sender, X, Y, series 1..8, 1-based index of the point in the series)
using TNotifyCrossMove = std::function<void(TObject* Sender, Single X, Single Y, Integer Serie, Integer Index)>;
/// (Sender, series under cross 1 and 2, X under cross 1 and 2, Y under cross 1 and 2)
using TNotifyCalculate = std::function<void(TObject* Sender, Integer Serie1, Integer Serie2, Single Value1X,
                                            Single Value2X, Single Value1Y, Single Value2Y)>;

/// What the mouse does in the plot.
enum TMode : Byte { modeMeasure, modeLowerRef, modeUpperRef, modeZoom, modeCalculate };
Q_ENUM_NS(TMode)

/// The part of the display a dropped colour goes to.
enum TColorTarget : Byte {
  ctNone, ctSeries, ctGrid, ctPlotBackground, ctTitleLeft, ctTitleRight, ctTitleTop, ctTitleBottom,
  ctYLabels, ctXLabels, ctControlBackground
};

constexpr Integer MaxSeries = 8;
/// Largest reference copy SetData (values) and SetDataXY (pairs) accept.
constexpr Integer MaxRefValues = 200000000;
constexpr Integer MaxRefPairs = 100000000;
/// Series with more points than this are not drawn.
constexpr Integer MaxDrawCount = 199999999;
/// Pixel coordinates are limited to this magnitude.
constexpr Integer CoordLimit = 30000;

/// One series slot.
///
/// Ownership: a dtData or dtDataXY slot points at the caller's array
/// (Owned false); the caller keeps it alive while the slot shows it, and
/// every paint draws its current contents. A reference slot holds a copy of
/// its own in Own (Owned true), because mouse editing writes into it.
struct THistoSeries {
  TDataKind Style = dtData;
  TPenStyle LineStyle = psSolid;
  TColor Color = clBlack;
  const Single* Data = nullptr;
  Integer Count = 0;  ///< values, or pairs for a dtDataXY slot
  bool Owned = false;
  std::vector<Single> Own;  ///< the storage of Data while Owned

  bool HasData() const { return Data != nullptr && Count > 0; }
  /// Empties the slot and frees an owned array.
  void Clear();
  /// Single values in Data: 2 * Count for an XY layout.
  qsizetype ValueCount() const { return Style == dtDataXY ? 2 * qsizetype(Count) : qsizetype(Count); }
};

/// A label or grid position of an axis: the value and its pixel (row for
/// the Y axis, column for the X axis).
struct TAxisMark {
  Extended Value = 0;
  Integer Pixel = 0;
  QString Text;
};

/// What one axis draws: the labels (with ticks) and the grid lines.
struct TAxisLayout {
  std::vector<TAxisMark> Labels;
  std::vector<TAxisMark> Grid;
};

/// The titles in the four margins.
enum TTitlePlace { tpTop, tpBottom, tpLeft, tpRight };

/// A measuring or calculation cross: 0 and 1 are the calculation crosses,
/// 2 the measuring cross. The mouse modes place them; the paint draws the
/// visible ones over the finished picture.
struct TCross {
  bool Visible = false;
  TPoint Mouse;  ///< the mouse position that placed it
  TPoint Pixel;  ///< the curve point it sits on
  TColor Color = clBlack;
  Single X = 0;
  Single Y = 0;
  Integer Serie = 0;
};

/// The curve point nearest to a mouse position (Serie 0: none found).
struct TNearestPoint {
  Integer Serie = 0;
  Integer Index = 0;  ///< 1-based sample (or pair) index
  Single X = 0;
  Single Y = 0;
};

/// The view a zoom saves and a right click brings back.
struct TSavedView {
  Single YMin = 0, YMax = 0, XCurrentMin = 0, XCurrentMax = 0, XGap = 0, YGap = 0;
};

/// The weights of a reference band of N samples (index 0 is sample 1 of
/// the band): a Gaussian that is 1 at the centre and nearly 0 at both ends.
std::vector<Extended> ReferenceWeights(Integer N);

/// The value format of linear axis labels: "#.##E-00" for very large or
/// very narrow ranges, otherwise fixed point with Decimals decimals.
QString LinearLabelFormat(Extended Lo, Extended Hi, Integer Decimals);
/// The label of the power of ten 10^E on a logarithmic axis whose labelled
/// decades are D0..D1.
QString LogLabelText(Integer E, Integer D0, Integer D1);
/// C with red, green and blue multiplied by F (system colours resolved).
TColor Shade(TColor C, Extended F);

}  ///< namespace quellix::HistoInt
