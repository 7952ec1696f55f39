/// The published properties of the histograph's data: identification,
/// view ranges, series, auto scale and timer, with their change signals.
/// A property and its NOTIFY signal are declared in one class; the
/// accessors are those of THistoData.
/// \file
#pragma once

#include <QString>

#include "quellix/histograph/HistographData.h"
#include "quellix/host/QtSurface.h"

namespace quellix::HistoInt {

class THistoDataProperties : public THistoData {
  Q_OBJECT
  Q_PROPERTY(QString Version READ Version WRITE SetVersion NOTIFY VersionChanged)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright NOTIFY CopyrightChanged)
  Q_PROPERTY(float ViewYMin READ ViewYMin WRITE SetViewYMin NOTIFY ViewYMinChanged)
  Q_CLASSINFO("default:ViewYMin", "0")
  Q_PROPERTY(float ViewYMax READ ViewYMax WRITE SetViewYMax NOTIFY ViewYMaxChanged)
  Q_CLASSINFO("default:ViewYMax", "10")
  Q_PROPERTY(float ViewYGap READ ViewYGap WRITE SetViewYGap NOTIFY ViewYGapChanged)
  Q_CLASSINFO("default:ViewYGap", "2")
  Q_PROPERTY(int ViewYDecimals READ ViewYDecimals WRITE SetViewYDecimals NOTIFY ViewYDecimalsChanged)
  Q_CLASSINFO("default:ViewYDecimals", "2")
  Q_PROPERTY(float ViewXNominalMin READ ViewXNominalMin WRITE SetViewXNominalMin NOTIFY ViewXNominalMinChanged)
  Q_CLASSINFO("default:ViewXNominalMin", "0")
  Q_PROPERTY(float ViewXNominalMax READ ViewXNominalMax WRITE SetViewXNominalMax NOTIFY ViewXNominalMaxChanged)
  Q_CLASSINFO("default:ViewXNominalMax", "10")
  Q_PROPERTY(float ViewXCurrentMin READ ViewXCurrentMin WRITE SetViewXCurrentMin NOTIFY ViewXCurrentMinChanged)
  Q_CLASSINFO("default:ViewXCurrentMin", "0")
  Q_PROPERTY(float ViewXCurrentMax READ ViewXCurrentMax WRITE SetViewXCurrentMax NOTIFY ViewXCurrentMaxChanged)
  Q_CLASSINFO("default:ViewXCurrentMax", "10")
  Q_PROPERTY(float ViewXGap READ ViewXGap WRITE SetViewXGap NOTIFY ViewXGapChanged)
  Q_CLASSINFO("default:ViewXGap", "2")
  Q_PROPERTY(int ViewXDecimals READ ViewXDecimals WRITE SetViewXDecimals NOTIFY ViewXDecimalsChanged)
  Q_CLASSINFO("default:ViewXDecimals", "2")
  Q_PROPERTY(int SeriesNumber READ SeriesNumber WRITE SetSeriesNumber NOTIFY SeriesNumberChanged)
  Q_CLASSINFO("default:SeriesNumber", "1")
  Q_PROPERTY(int SeriesCurrent READ SeriesCurrent WRITE SetSeriesCurrent NOTIFY SeriesCurrentChanged)
  Q_CLASSINFO("default:SeriesCurrent", "1")
  QUELLIX_COLOR_PROPERTY(SeriesColor)
  Q_CLASSINFO("default:SeriesColor", "0")
  Q_PROPERTY(int SeriesLineStyle READ SeriesLineStyleInt WRITE SetSeriesLineStyleInt NOTIFY SeriesLineStyleChanged)
  Q_CLASSINFO("default:SeriesLineStyle", "0")
  Q_PROPERTY(quellix::HistoInt::TDataKind SeriesStyle READ SeriesStyle WRITE SetSeriesStyle NOTIFY SeriesStyleChanged)
  Q_CLASSINFO("default:SeriesStyle", "dtData")
  Q_PROPERTY(bool AutoScale READ AutoScale WRITE SetAutoScale NOTIFY AutoScaleChanged)
  Q_CLASSINFO("default:AutoScale", "false")
  Q_PROPERTY(int TimerInterval READ TimerInterval WRITE SetTimerInterval NOTIFY TimerIntervalChanged)
  Q_CLASSINFO("default:TimerInterval", "1000")
  Q_PROPERTY(bool TimerEnabled READ TimerEnabled WRITE SetTimerEnabled NOTIFY TimerEnabledChanged)
  Q_CLASSINFO("default:TimerEnabled", "false")

Q_SIGNALS:
  // Property change signals.
  void VersionChanged(const QString& Value);
  void CopyrightChanged(const QString& Value);
  void ViewYMinChanged(float Value);
  void ViewYMaxChanged(float Value);
  void ViewYGapChanged(float Value);
  void ViewYDecimalsChanged(int Value);
  void ViewXNominalMinChanged(float Value);
  void ViewXNominalMaxChanged(float Value);
  void ViewXCurrentMinChanged(float Value);
  void ViewXCurrentMaxChanged(float Value);
  void ViewXGapChanged(float Value);
  void ViewXDecimalsChanged(int Value);
  void SeriesNumberChanged(int Value);
  void SeriesCurrentChanged(int Value);
  void SeriesLineStyleChanged(int Value);
  void SeriesStyleChanged(quellix::HistoInt::TDataKind Value);
  void AutoScaleChanged(bool Value);
  void TimerIntervalChanged(int Value);
  void TimerEnabledChanged(bool Value);

public:
  using THistoData::THistoData;

  // --- identification (fixed texts) ---
  QUELLIX_FIXED_IDENTIFICATION("V2.50")
};

}  ///< namespace quellix::HistoInt
