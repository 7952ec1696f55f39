/// Enumerations and small types of the strip chart unit, shared by the
/// component and its data-file layer. \file
#pragma once

#include <QObject>
#include <array>

#include "quellix/host/NumericTypes.h"

namespace quellix::StrpChrtInt {

Q_NAMESPACE

/// Where a sample lies relative to RangeLower..RangeUpper.
enum TStripRange { rngInside = 0, rngBelow = 1, rngAbove = 2 };
Q_ENUM_NS(TStripRange)

/// Flag of a remark: set by the program or typed by the user.
enum TDescFlag { dfAutomatic = 0, dfManual = 1 };
Q_ENUM_NS(TDescFlag)

/// Commands handed to the StoreHandler.
enum TStoreCommand { scNewFile = 0, scStartRun = 1, scWrite = 2, scEndRun = 3 };
Q_ENUM_NS(TStoreCommand)

/// Which grids are drawn: grdHor the vertical lines of the time grid,
/// grdVer the horizontal lines of the value grid.
enum TGrdVisible : Byte { grdNone, grdHor, grdVer, grdBoth };
Q_ENUM_NS(TGrdVisible)
/// Value axis linear or logarithmic.
enum TstrpScale : Byte { strpLin, strpLog };
Q_ENUM_NS(TstrpScale)
/// The raised frame round the chart.
enum TBorderStyle : Byte { bsNone, bsSingle };
Q_ENUM_NS(TBorderStyle)

constexpr Integer kMaxSeries = 8;

/// One pointer per series: Values[k] holds the samples of series k + 1.
using TSeriesValues = std::array<const Single*, kMaxSeries>;
/// Destination arrays of a read, one per series.
using TSeriesBuffers = std::array<Single*, kMaxSeries>;

}  ///< namespace quellix::StrpChrtInt
