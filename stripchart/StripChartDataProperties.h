/// The published properties of the strip chart recorder's data side: the
/// series, the sample window, the time base, the run shown, the range
/// watch and the margins, with their change signals. A property and its
/// NOTIFY signal are declared in one class; the accessors are those of the
/// sample ring and the file session.
/// \file
#pragma once

#include <QString>

#include "quellix/host/QtSurface.h"
#include "quellix/stripchart/StripChartFileSession.h"

namespace quellix::StrpChrtInt {

class TStripDataProperties : public TStripFileSession {
  Q_OBJECT
  Q_PROPERTY(QString Version READ Version WRITE SetVersion NOTIFY VersionChanged)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright NOTIFY CopyrightChanged)
  Q_PROPERTY(int SeriesNumber READ SeriesNumber WRITE SetSeriesNumber NOTIFY SeriesNumberChanged)
  Q_PROPERTY(int SeriesCurrent READ SeriesCurrent WRITE SetSeriesCurrent NOTIFY SeriesCurrentChanged)
  QUELLIX_UNSTORED_COLOR_PROPERTY(SeriesColor)
  Q_PROPERTY(int SeriesLineStyle READ SeriesLineStyleInt WRITE SetSeriesLineStyleInt STORED false NOTIFY SeriesLineStyleChanged)
  Q_PROPERTY(bool SeriesVisible READ SeriesVisible WRITE SetSeriesVisible STORED false NOTIFY SeriesVisibleChanged)
  Q_PROPERTY(int SamplesPerBuffer READ SamplesPerBuffer WRITE SetSamplesPerBuffer NOTIFY SamplesPerBufferChanged)
  Q_PROPERTY(int SamplesPerWindow READ SamplesPerWindow WRITE SetSamplesPerWindow NOTIFY SamplesPerWindowChanged)
  Q_PROPERTY(double LogStartTime READ LogStartTime WRITE SetLogStartTime NOTIFY LogStartTimeChanged)
  Q_PROPERTY(double LogTimeIncrement READ LogTimeIncrement WRITE SetLogTimeIncrement NOTIFY LogTimeIncrementChanged)
  Q_PROPERTY(int DisplayRunNumber READ DisplayRunNumber WRITE SetDisplayRunNumber NOTIFY DisplayRunNumberChanged)
  Q_PROPERTY(QString RunComment READ RunComment WRITE SetRunComment NOTIFY RunCommentChanged)
  Q_PROPERTY(float RangeLower READ RangeLower WRITE SetRangeLower NOTIFY RangeLowerChanged)
  Q_PROPERTY(float RangeUpper READ RangeUpper WRITE SetRangeUpper NOTIFY RangeUpperChanged)
  Q_PROPERTY(int GapLeft READ GapLeft WRITE SetGapLeft NOTIFY GapLeftChanged)
  Q_PROPERTY(int GapTop READ GapTop WRITE SetGapTop NOTIFY GapTopChanged)
  Q_PROPERTY(int GapRight READ GapRight WRITE SetGapRight NOTIFY GapRightChanged)
  Q_PROPERTY(int GapBottom READ GapBottom WRITE SetGapBottom NOTIFY GapBottomChanged)
  Q_CLASSINFO("default:SeriesNumber", "1")
  Q_CLASSINFO("default:SeriesCurrent", "1")
  Q_CLASSINFO("default:SamplesPerBuffer", "1024")
  Q_CLASSINFO("default:SamplesPerWindow", "512")
  Q_CLASSINFO("default:LogStartTime", "0")
  Q_CLASSINFO("default:LogTimeIncrement", "1")
  Q_CLASSINFO("default:DisplayRunNumber", "0")
  Q_CLASSINFO("default:RunComment", "Ohne Kommentar")
  Q_CLASSINFO("default:RangeLower", "0")
  Q_CLASSINFO("default:RangeUpper", "0")
  Q_CLASSINFO("default:GapLeft", "70")
  Q_CLASSINFO("default:GapTop", "40")
  Q_CLASSINFO("default:GapRight", "40")
  Q_CLASSINFO("default:GapBottom", "60")

Q_SIGNALS:
  // Property change signals.
  void VersionChanged(const QString& Value);
  void CopyrightChanged(const QString& Value);
  void SeriesNumberChanged(int Value);
  void SeriesCurrentChanged(int Value);
  void SeriesLineStyleChanged(int Value);
  void SeriesVisibleChanged(bool Value);
  void SamplesPerBufferChanged(int Value);
  void SamplesPerWindowChanged(int Value);
  void LogStartTimeChanged(double Value);
  void LogTimeIncrementChanged(double Value);
  void DisplayRunNumberChanged(int Value);
  void RunCommentChanged(const QString& Value);
  void RangeLowerChanged(float Value);
  void RangeUpperChanged(float Value);
  void GapLeftChanged(int Value);
  void GapTopChanged(int Value);
  void GapRightChanged(int Value);
  void GapBottomChanged(int Value);

public:
  using TStripFileSession::TStripFileSession;

  // --- Identity -----------------------------------------------------------
  QUELLIX_FIXED_IDENTIFICATION("V2.50")
};

}  ///< namespace quellix::StrpChrtInt
