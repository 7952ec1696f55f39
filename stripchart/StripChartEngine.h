/// TStripChartInt: the eight-channel strip chart recorder.
///
/// This header holds the recorder's data side: the series slots, the linear
/// sample buffer with its window, the time base, appending blocks of
/// samples, the range watch, moving and refilling the window, logging to a
/// data file, playback, run selection and remarks. Painting and the mouse
/// modes build on it; everything they need to read is public below
/// ("Buffer state for drawing"), and the places where the data side asks
/// for drawing are the protected virtual hooks ("Drawing hooks").
/// \file
/// Buffer indices run from 1 to SampleCount(), oldest first; index 0 of
/// every array is unused so that the indices read as in the algorithms.
/// Buffer index i holds the absolute sample number (i - 1) + SampleBase()
/// of the run shown, at time DisplayStartTime + DisplayTimeIncrement x that
/// number.
#pragma once

#include <QString>
#include <QTextStream>
#include <array>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "quellix/host/Controls.h"
#include "quellix/host/Graphics.h"
#include "quellix/stripchart/DataFile.h"
#include "quellix/stripchart/StripChartTypes.h"

class QMenu;

namespace quellix::_sEtb { class TFormToolBarStrip; }
namespace quellix::_sEca { class TFormCalculateBarStrip; }
namespace quellix::_sEjs { class TFormJogShuttleBarStrip; }
namespace quellix::Remedit { class TEditRemark; }

namespace quellix::StrpChrtInt {

using TRunComment = QString;     ///< at most 80 characters
using TRemarkString = QString;   ///< at most 200 characters

using TStripRangeCheck =
    std::function<void(TObject* Sender, Double Time, Single Value, Integer Series, TStripRange Range)>;
using TNotifyRemark = std::function<void(TObject* Sender, Double Time, Integer Series, TDescFlag Flag,
                                         Integer RunNumber, const TRemarkString& Text)>;

/// Writes logged samples. Stream is the data-file stream (nullptr when the
/// application stores elsewhere); Values[k] points to SampleCount samples of
/// series k + 1 for k < SeriesCount.
using TStoreHandler = std::function<void(TStream* Stream, TStoreCommand Command, const TSeriesValues& Values,
                                         Integer SeriesCount, Integer SampleCount)>;
/// Reads logged samples of the run shown: the samples of the times
/// StartTime, StartTime + Interval, ... EndTime go to
/// Dest[k][FirstIndex..LastIndex] for series k + 1 = 1..SeriesCount (arrays of BufferLength + 1
/// entries, index 0 unused; a null pointer skips that series). Returns a
/// status (TLoadStatus) and, in SamplesRead, the samples read per series.
using TLoadHandler = std::function<Integer(TStream* Stream, const TSeriesBuffers& Dest, Integer FirstIndex,
                                           Integer LastIndex, Integer BufferLength, Integer SeriesCount,
                                           Extended StartTime, Extended EndTime, Extended Interval,
                                           Integer& SamplesRead)>;

/// An error of the component that arose inside one of its own event
/// handlers (a remark click, a jog shuttle move, a tool window), where no
/// caller can catch it.
using TNotifyError = std::function<void(TObject* Sender, const Exception& E)>;

/// The measuring cross moved onto a sample: X its pixel column, Y its value.
using TNotifyCrossMove = std::function<void(TObject* Sender, Single X, Single Y, Integer Series, Integer Index)>;
/// The two crosses of the calculate mode: their series, times and values.
using TNotifyCalculateStrip = std::function<void(TObject* Sender, Integer Serie1, Integer Serie2, Double Value1X,
                                                 Double Value2X, Double Value1Y, Double Value2Y)>;

/// Status codes of the reader.
enum TLoadStatus : Integer {
  lsDone = 0,
  lsEndOfFile = 2,
  lsStartOfFile = 3,
  lsGap = 4,
  lsLoggingStopped = 5,   ///< the wanted part was in the block buffer, logging has stopped
  lsInconsistent = 6,     ///< short read, damaged chunk or inconsistent time
  lsUnknownChunk = 7,
  lsNoFile = 10,          ///< neither logging nor playing
};

/// Entry of the remark list of the run shown.
struct TRemarkIndexEntry {
  Integer RunNumber = 0;
  Double Time = 0;
  Integer Series = -1;
  TDescFlag Flag = dfAutomatic;
  Integer FilePos = 0;
};

class TStripChartInt : public TPaintBox {
  Q_OBJECT
  // Natural and smallest useful size, for Qt layouts.
  Q_CLASSINFO("NaturalSize", "417,233")
  Q_CLASSINFO("MinimumSize", "200,120")
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
  // Drawing.
  Q_PROPERTY(bool EnableUpdate READ EnableUpdate WRITE SetEnableUpdate NOTIFY EnableUpdateChanged)
  Q_CLASSINFO("default:EnableUpdate", "true")
  QUELLIX_COLOR_PROPERTY(GridColor)
  Q_CLASSINFO("default:GridColor", "8421504")
  QUELLIX_COLOR_PROPERTY(BkColor)
  Q_CLASSINFO("default:BkColor", "-2147483633")
  Q_PROPERTY(quellix::StrpChrtInt::TGrdVisible GridVisible READ GridVisible WRITE SetGridVisible NOTIFY GridVisibleChanged)
  Q_CLASSINFO("default:GridVisible", "grdNone")
  Q_PROPERTY(quellix::StrpChrtInt::TstrpScale GridScale READ GridScale WRITE SetGridScale NOTIFY GridScaleChanged)
  Q_CLASSINFO("default:GridScale", "strpLin")
  Q_PROPERTY(int GridLineStyle READ GridLineStyleInt WRITE SetGridLineStyleInt NOTIFY GridLineStyleChanged)
  Q_CLASSINFO("default:GridLineStyle", "0")
  QUELLIX_COLOR_PROPERTY(MarkerHighlightColor)
  Q_CLASSINFO("default:MarkerHighlightColor", "32768")
  QUELLIX_COLOR_PROPERTY(MarkerColor)
  Q_CLASSINFO("default:MarkerColor", "255")
  Q_PROPERTY(float MarkerWidth READ MarkerWidth WRITE SetMarkerWidth NOTIFY MarkerWidthChanged)
  Q_CLASSINFO("default:MarkerWidth", "0")
  Q_PROPERTY(quellix::StrpChrtInt::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle NOTIFY BorderStyleChanged)
  Q_CLASSINFO("default:BorderStyle", "bsSingle")
  Q_PROPERTY(QString TitleRight READ TitleRight WRITE SetTitleRight NOTIFY TitleRightChanged)
  Q_CLASSINFO("default:TitleRight", "")
  Q_PROPERTY(QString TitleLeft READ TitleLeft WRITE SetTitleLeft NOTIFY TitleLeftChanged)
  Q_CLASSINFO("default:TitleLeft", "")
  Q_PROPERTY(QString TitleTop READ TitleTop WRITE SetTitleTop NOTIFY TitleTopChanged)
  Q_CLASSINFO("default:TitleTop", "")
  Q_PROPERTY(QString TitleBottom READ TitleBottom WRITE SetTitleBottom NOTIFY TitleBottomChanged)
  Q_CLASSINFO("default:TitleBottom", "")
  Q_PROPERTY(quellix::TFont* FontTitleTop READ FontTitleTopPtr WRITE SetFontTitleTop NOTIFY FontTitleTopChanged)
  Q_PROPERTY(quellix::TFont* FontXAxis READ FontXAxisPtr WRITE SetFontXAxis NOTIFY FontXAxisChanged)
  Q_PROPERTY(quellix::TFont* FontYAxis READ FontYAxisPtr WRITE SetFontYAxis NOTIFY FontYAxisChanged)
  Q_PROPERTY(quellix::TFont* FontTitleBottom READ FontTitleBottomPtr WRITE SetFontTitleBottom NOTIFY FontTitleBottomChanged)
  Q_PROPERTY(quellix::TFont* FontTitleLeft READ FontTitleLeftPtr WRITE SetFontTitleLeft NOTIFY FontTitleLeftChanged)
  Q_PROPERTY(quellix::TFont* FontTitleRight READ FontTitleRightPtr WRITE SetFontTitleRight NOTIFY FontTitleRightChanged)
  Q_PROPERTY(float ViewYMin READ ViewYMin WRITE SetViewYMin NOTIFY ViewYMinChanged)
  Q_CLASSINFO("default:ViewYMin", "0")
  Q_PROPERTY(float ViewYMax READ ViewYMax WRITE SetViewYMax NOTIFY ViewYMaxChanged)
  Q_CLASSINFO("default:ViewYMax", "10")
  Q_PROPERTY(float ViewYGap READ ViewYGap WRITE SetViewYGap NOTIFY ViewYGapChanged)
  Q_CLASSINFO("default:ViewYGap", "2")
  Q_PROPERTY(int ViewYDecimals READ ViewYDecimals WRITE SetViewYDecimals NOTIFY ViewYDecimalsChanged)
  Q_CLASSINFO("default:ViewYDecimals", "2")
  Q_PROPERTY(double ViewXGap READ ViewXGap WRITE SetViewXGap NOTIFY ViewXGapChanged)
  Q_CLASSINFO("default:ViewXGap", "1")
  Q_PROPERTY(bool ShowCross READ ShowCross WRITE SetShowCross NOTIFY ShowCrossChanged)
  Q_CLASSINFO("default:ShowCross", "true")
  Q_PROPERTY(bool ReduceFlicker READ ReduceFlicker WRITE SetReduceFlicker NOTIFY ReduceFlickerChanged)
  Q_CLASSINFO("default:ReduceFlicker", "false")
  // Interaction (StripChartInteraction.cpp).
  Q_PROPERTY(TStripMode StripMode READ StripMode WRITE SetStripMode NOTIFY StripModeChanged)
  Q_CLASSINFO("default:StripMode", "modeMeasure")
  Q_PROPERTY(bool AutoScale READ AutoScale WRITE SetAutoScale NOTIFY AutoScaleChanged)
  Q_CLASSINFO("default:AutoScale", "false")
  Q_PROPERTY(bool ShowToolBar READ ShowToolBar WRITE SetShowToolBar NOTIFY ShowToolBarChanged)
  Q_CLASSINFO("default:ShowToolBar", "false")
  Q_PROPERTY(bool ShowValueBar READ ShowValueBar WRITE SetShowValueBar NOTIFY ShowValueBarChanged)
  Q_CLASSINFO("default:ShowValueBar", "false")
  Q_PROPERTY(bool ShowJogShuttleBar READ ShowJogShuttleBar WRITE SetShowJogShuttleBar NOTIFY ShowJogShuttleBarChanged)
  Q_CLASSINFO("default:ShowJogShuttleBar", "false")

Q_SIGNALS:
  // Events as signals.
  void crossMove(quellix::TObject* Sender, float X, float Y, int Series, int Index);
  void calculate(quellix::TObject* Sender, int Serie1, int Serie2, double Value1X, double Value2X, double Value1Y,
                 double Value2Y);
  void rangeCheck(quellix::TObject* Sender, double Time, float Value, int Series,
                  quellix::StrpChrtInt::TStripRange Range);
  void remark(quellix::TObject* Sender, double Time, int Series, quellix::StrpChrtInt::TDescFlag Flag, int RunNumber,
              const QString& Text);
  // Emitted with the message wherever OnError is called.
  void errorOccurred(const QString& Message);
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
  void EnableUpdateChanged(bool Value);
  void GridVisibleChanged(quellix::StrpChrtInt::TGrdVisible Value);
  void GridScaleChanged(quellix::StrpChrtInt::TstrpScale Value);
  void GridLineStyleChanged(int Value);
  void MarkerWidthChanged(float Value);
  void BorderStyleChanged(quellix::StrpChrtInt::TBorderStyle Value);
  void TitleRightChanged(const QString& Value);
  void TitleLeftChanged(const QString& Value);
  void TitleTopChanged(const QString& Value);
  void TitleBottomChanged(const QString& Value);
  void FontTitleTopChanged(quellix::TFont* Value);
  void FontXAxisChanged(quellix::TFont* Value);
  void FontYAxisChanged(quellix::TFont* Value);
  void FontTitleBottomChanged(quellix::TFont* Value);
  void FontTitleLeftChanged(quellix::TFont* Value);
  void FontTitleRightChanged(quellix::TFont* Value);
  void ViewYMinChanged(float Value);
  void ViewYMaxChanged(float Value);
  void ViewYGapChanged(float Value);
  void ViewYDecimalsChanged(int Value);
  void ViewXGapChanged(double Value);
  void ShowCrossChanged(bool Value);
  void ReduceFlickerChanged(bool Value);
  void AutoScaleChanged(bool Value);
  void ShowToolBarChanged(bool Value);
  void ShowValueBarChanged(bool Value);
  void ShowJogShuttleBarChanged(bool Value);

public:
  /// The titles in the four margins.
  enum TTitlePlace { tpTop, tpBottom, tpLeft, tpRight };
  /// What the mouse does on the plot.
  enum TStripMode : Byte { modeMeasure, modeRemark, modeZoom, modeCalculate };
  Q_ENUM(TStripMode)

Q_SIGNALS:
  // Declared after its type.
  void StripModeChanged(TStripMode Value);

public:

  explicit TStripChartInt(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TStripChartInt() override;

  static QString DefaultRunComment() { return QStringLiteral("Ohne Kommentar"); }

  // --- Identity -----------------------------------------------------------
  QString Version() const { return QStringLiteral("V2.50"); }
  void SetVersion(const QString&) {}
  QString Copyright() const { return TComponentCore::LibraryCopyright(); }
  void SetCopyright(const QString&) {}

  // --- Series -------------------------------------------------------------
  Integer SeriesNumber() const { return FSeriesNumber; }
  void SetSeriesNumber(Integer Value);
  Integer SeriesCurrent() const { return FSeriesCurrent; }
  void SetSeriesCurrent(Integer Value);
  /// Per-series settings of slot SeriesCurrent; the setters do nothing when
  /// that slot is not in use, and SeriesColor then reads 0.
  TColor SeriesColor() const;
  void SetSeriesColor(TColor Value);
  TPenStyle SeriesLineStyle() const;
  void SetSeriesLineStyle(TPenStyle Value);
  bool SeriesVisible() const;
  void SetSeriesVisible(bool Value);
  int SeriesLineStyleInt() const { return SeriesLineStyle(); }
  void SetSeriesLineStyleInt(int Value) { const TChangeScope Changes; SetSeriesLineStyle(static_cast<TPenStyle>(Value)); }

  // --- Sample window ------------------------------------------------------
  Integer SamplesPerBuffer() const { return FSamplesPerBuffer; }
  /// Accepts 0 < Value < 200000000 and Value >= SamplesPerWindow.
  void SetSamplesPerBuffer(Integer Value);
  Integer SamplesPerWindow() const { return FSamplesPerWindow; }
  /// Accepts 1 <= Value <= SamplesPerBuffer.
  void SetSamplesPerWindow(Integer Value);

  // --- Time base ----------------------------------------------------------
  Double LogStartTime() const { return FLogStartTime; }
  void SetLogStartTime(Double Value);
  Double LogTimeIncrement() const { return FLogTimeIncrement; }
  void SetLogTimeIncrement(Double Value);
  Extended LogTimeLast() const { return FLogTimeLast; }
  Extended DisplayStartTime() const { return FDisplayStartTime; }
  Extended DisplayTimeIncrement() const { return FDisplayTimeIncrement; }
  Extended DisplayTimeLast() const { return FDisplayTimeLast; }
  /// Time of the newest buffered sample (buffer index SampleCount()).
  Double WindowEndTime() const { return static_cast<Double>(BufferIndexTime(FCount)); }
  /// Time of buffer index i.
  Extended BufferIndexTime(Integer Index) const {
    return FDisplayStartTime + FDisplayTimeIncrement * ((Index - 1) + FSampleBase);
  }

  // --- Runs and files -----------------------------------------------------
  bool Logging() const { return FLogging; }
  bool Playing() const { return FPlaying; }
  bool LiveView() const { return FLiveView; }
  Integer DisplayRunNumber() const { return FDisplayRunNumber; }
  /// Selects a logged run (ignored when unchanged, <= 0 or without a file;
  /// a run that is not found leaves the run shown unchanged).
  void SetDisplayRunNumber(Integer Value);
  TRunComment RunComment() const { return FRunComment; }
  void SetRunComment(const TRunComment& Value) { const TChangeScope Changes; FRunComment = Value.left(kCommentLength); }
  /// While logging: the number of runs in the file, the last being the one
  /// written now. 0 otherwise.
  Integer RunCount() const { return FRunCounter; }
  /// Number of series stored in the run shown (0 when no run is shown).
  Integer DisplayRunSeries() const { return FDisplaySeries; }
  /// Samples per series of the run shown, from its start and end times.
  std::int64_t DisplaySampleCount() const;
  /// The status of the last read or run selection (TLoadStatus).
  Integer LoadStatus() const { return FLoadStatus; }
  QString FileName() const { return FFileName; }

  // --- Range watch --------------------------------------------------------
  Single RangeLower() const { return FRangeLower; }
  /// The limits take finite numbers only.
  void SetRangeLower(Single Value) {
    const TChangeScope Changes;
    if (std::isfinite(Value)) FRangeLower = Value;
  }
  Single RangeUpper() const { return FRangeUpper; }
  void SetRangeUpper(Single Value) {
    const TChangeScope Changes;
    if (std::isfinite(Value)) FRangeUpper = Value;
  }

  // --- Margins of the plot rectangle --------------------------------------
  Integer GapLeft() const { return FGapLeft; }
  void SetGapLeft(Integer Value);
  Integer GapTop() const { return FGapTop; }
  void SetGapTop(Integer Value);
  Integer GapRight() const { return FGapRight; }
  void SetGapRight(Integer Value);
  Integer GapBottom() const { return FGapBottom; }
  void SetGapBottom(Integer Value);
  /// (GapLeft, GapTop, Width - GapRight, Height - GapBottom).
  TRect PlotRect() const;

  // --- Drawing properties (StripChartDraw.cpp) ------------------------------
  bool EnableUpdate() const { return FEnableUpdate; }
  /// Invalidates only when switched on.
  void SetEnableUpdate(bool Value);
  TColor GridColor() const { return FGridColor; }
  void SetGridColor(TColor Value);
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);
  TGrdVisible GridVisible() const { return FGridVisible; }
  void SetGridVisible(TGrdVisible Value);
  TstrpScale GridScale() const { return FGridScale; }
  void SetGridScale(TstrpScale Value);
  TPenStyle GridLineStyle() const { return FGridLineStyle; }
  void SetGridLineStyle(TPenStyle Value);
  int GridLineStyleInt() const { return FGridLineStyle; }
  void SetGridLineStyleInt(int Value) { const TChangeScope Changes; SetGridLineStyle(static_cast<TPenStyle>(Value)); }
  TColor MarkerHighlightColor() const { return FMarkerHighlightColor; }
  void SetMarkerHighlightColor(TColor Value);
  TColor MarkerColor() const { return FMarkerColor; }
  void SetMarkerColor(TColor Value);
  Single MarkerWidth() const { return FMarkerWidth; }
  void SetMarkerWidth(Single Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  QString TitleRight() const { return FTitles[tpRight]; }
  void SetTitleRight(const QString& Value) { const TChangeScope Changes; SetTitle(tpRight, Value); }
  QString TitleLeft() const { return FTitles[tpLeft]; }
  void SetTitleLeft(const QString& Value) { const TChangeScope Changes; SetTitle(tpLeft, Value); }
  QString TitleTop() const { return FTitles[tpTop]; }
  void SetTitleTop(const QString& Value) { const TChangeScope Changes; SetTitle(tpTop, Value); }
  QString TitleBottom() const { return FTitles[tpBottom]; }
  void SetTitleBottom(const QString& Value) { const TChangeScope Changes; SetTitle(tpBottom, Value); }
  /// Fonts of the titles and axis labels; changing one repaints.
  TFont& FontTitleTop() { return FFontTitleTop; }
  TFont* FontTitleTopPtr() { return &FFontTitleTop; }
  void SetFontTitleTop(TFont* Value) { const TChangeScope Changes; if (Value) FFontTitleTop.Assign(*Value); }
  TFont& FontXAxis() { return FFontXAxis; }
  TFont* FontXAxisPtr() { return &FFontXAxis; }
  void SetFontXAxis(TFont* Value) { const TChangeScope Changes; if (Value) FFontXAxis.Assign(*Value); }
  TFont& FontYAxis() { return FFontYAxis; }
  TFont* FontYAxisPtr() { return &FFontYAxis; }
  void SetFontYAxis(TFont* Value) { const TChangeScope Changes; if (Value) FFontYAxis.Assign(*Value); }
  TFont& FontTitleBottom() { return FFontTitleBottom; }
  TFont* FontTitleBottomPtr() { return &FFontTitleBottom; }
  void SetFontTitleBottom(TFont* Value) { const TChangeScope Changes; if (Value) FFontTitleBottom.Assign(*Value); }
  TFont& FontTitleLeft() { return FFontTitleLeft; }
  TFont* FontTitleLeftPtr() { return &FFontTitleLeft; }
  void SetFontTitleLeft(TFont* Value) { const TChangeScope Changes; if (Value) FFontTitleLeft.Assign(*Value); }
  TFont& FontTitleRight() { return FFontTitleRight; }
  TFont* FontTitleRightPtr() { return &FFontTitleRight; }
  void SetFontTitleRight(TFont* Value) { const TChangeScope Changes; if (Value) FFontTitleRight.Assign(*Value); }
  Single ViewYMin() const { return FViewYMin; }
  void SetViewYMin(Single Value);
  Single ViewYMax() const { return FViewYMax; }
  void SetViewYMax(Single Value);
  Single ViewYGap() const { return FViewYGap; }
  void SetViewYGap(Single Value);
  Integer ViewYDecimals() const { return FViewYDecimals; }
  void SetViewYDecimals(Integer Value);
  Double ViewXGap() const { return FViewXGap; }
  void SetViewXGap(Double Value);
  bool ShowCross() const { return FShowCross; }
  void SetShowCross(bool Value);
  bool ReduceFlicker() const { return FReduceFlicker; }
  void SetReduceFlicker(bool Value);

  // --- Drawing geometry, shared by painting, the mouse modes and tests ----
  // A value row or label of the value axis.
  struct TValueMark {
    Extended Value = 0;
    Integer Row = 0;
    QString Text;   ///< labels only
  };
  struct TValueAxis {
    std::vector<TValueMark> Grid;     ///< at most 999 rows
    std::vector<TValueMark> Labels;
  };
  /// The time-axis layout: first grid time, unit class, label step.
  struct TTimeAxis {
    Extended FirstGridTime = 0;
    Integer UnitClass = 0;
    Integer LabelStep = 1;
  };
  /// False when the view range cannot be drawn (the red error display).
  bool ViewRangeValid() const;
  /// Pixel row of a value: linear Trunc(c0 + c1 v) with ViewYMin on
  /// Bottom and ViewYMax on Top, or logarithmic; limited to -30000..30000.
  Integer ValueToRow(Single Value) const;
  /// The value grid and labels as the paint draws them; a ViewYGap that
  /// would put more grid lines than pixel rows is enlarged first.
  TValueAxis LayoutValueAxis();
  const TTimeAxis& TimeAxis() const { return FTimeAxis; }
  /// Title rectangles of the last paint; (-1, -1, -1, -1) before.
  TRect TitleRect(TTitlePlace Place) const { return FTitleRects[Place]; }
  /// Number pattern of the linear value labels for a range.
  static QString ValueLabelFormat(Single YMin, Single YMax, Integer Decimals);
  /// Unit class of a window span of Samples x Increment seconds, its
  /// caption unit and the sample string that spaces the labels.
  static Integer TimeUnitClass(Integer Samples, Extended Increment);
  static QString TimeUnitCaption(Integer UnitClass);
  static QString TimeUnitSample(Integer UnitClass);
  /// Text of a time-axis label at Time seconds in a unit class.
  static QString TimeLabelText(Integer UnitClass, Extended Time);
  /// Calendar date and time of the window end for the caption.
  static QString TimeCaptionText(Extended Time);

  void Paint() override;

  // --- Interaction (StripChartInteraction.cpp) --------------------------------
  TStripMode StripMode() const { return FStripMode; }
  /// Another mode hides the crosses of the old one and switches the value
  /// bar's second-cross and calculation groups.
  void SetStripMode(TStripMode Value);
  bool AutoScale() const { return FAutoScale; }
  void SetAutoScale(bool Value);
  bool ShowToolBar() const { return FShowToolBar; }
  void SetShowToolBar(bool Value);
  bool ShowValueBar() const { return FShowValueBar; }
  void SetShowValueBar(bool Value);
  bool ShowJogShuttleBar() const { return FShowJogShuttleBar; }
  void SetShowJogShuttleBar(bool Value);

  /// The three crosses: 0 the measure cross, 1 and 2 those of the calculate
  /// mode.
  enum TCrossKind { crMeasure = 0, crFirst = 1, crSecond = 2 };
  struct TCross {
    bool Shown = false;     ///< placed and to be kept on the screen
    TColor Color = 0;       ///< colour of its series
    Double Time = 0;
    Double Value = 0;
    Integer Series = 0;     ///< 1..8
    Integer Index = 0;      ///< buffer index
    Integer X = 0, Y = 0;   ///< pixel position
  };
  const TCross& Cross(TCrossKind Kind) const { return FCrosses[Kind]; }
  /// The sample under a mouse position: the buffer index whose column is
  /// the last one not right of X, and among the visible series with data
  /// the one whose sample there lies closest to the value of row Y (the
  /// first on equal distance). Series -1 when there is none.
  struct TSampleHit {
    Integer Series = -1;
    Integer Index = 0;
    Double Value = 0;
    Integer X = 0;
  };
  TSampleHit FindSample(Integer X, Integer Y) const;
  /// The value of pixel row Y on the value axis.
  Double RowToValue(Integer Y) const;
  /// Places cross Kind on the sample under (X, Y) and reports it.
  void PlaceCross(TCrossKind Kind, Integer X, Integer Y);
  /// Zoomed: the view saved before the first zoom.
  bool Zoomed() const { return FSavedWindow >= 0; }
  /// Adapts the value range to the samples of the window once (the
  /// AutoScale algorithm); true when the range changed.
  bool CaptureRange();

  /// Colour drops: what a point of the chart stands for.
  enum TDropKind {
    dtNone, dtYAxis, dtXAxis, dtTitleLeft, dtTitleRight, dtTitleBottom, dtTitleTop, dtControl,
    dtSeries, dtGrid, dtBackground
  };
  struct TDropTarget {
    TDropKind Kind = dtNone;
    Integer Series = 0;   ///< dtSeries
    bool operator==(const TDropTarget&) const = default;
  };
  TDropTarget DropTargetAt(Integer X, Integer Y);
  TColor DropTargetColor(const TDropTarget& Target);
  void SetDropTargetColor(const TDropTarget& Target, TColor Color);

  /// The tool windows, created on their first showing (nullptr before).
  _sEtb::TFormToolBarStrip* ToolBar() const { return FToolBar.get(); }
  _sEca::TFormCalculateBarStrip* ValueBar() const { return FValueBar.get(); }
  _sEjs::TFormJogShuttleBarStrip* JogShuttleBar() const { return FJogShuttleBar.get(); }
  Remedit::TEditRemark* RemarkDialog();

  TNotifyCrossMove OnCrossMove;
  TNotifyCalculateStrip OnCalculate;

  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Click() override;
  void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, Integer X, Integer Y) override;

  // --- Operations ---------------------------------------------------------
  // Appends SampleCount samples of series 1..SeriesCount.
  void AddValues(const TSeriesValues& Values, Integer SeriesCount, Integer SampleCount);
  /// Refills and shows the window that ends at Time (WindowEndTime + Time
  /// when Relative).
  void MoveWindowTo(bool Relative, Double Time);

  /// Starts a run in FileName, creating the file or appending to it. Raises
  /// EStripChartFile for a file that is not a data file of this format, and
  /// EStreamError (naming the file and the system's reason) when the data
  /// file or its remark file cannot be written; a start that fails leaves
  /// both files as they were.
  ///
  /// While logging, every DATA chunk goes to the file as soon as its block
  /// of 1024 samples is full, and every remark together with the link of
  /// its predecessor: a process killed at any moment loses at most the
  /// samples of the block being filled (up to 1023 per series). A write
  /// that fails, or a data or remark file that was deleted, replaced or
  /// changed in size by someone else, ends the run: the operation that met
  /// it raises EStreamError once, both files are closed, and the data file
  /// keeps every whole chunk written before (it plays back like a run cut
  /// off by a crash, and the next StartLogging closes that run).
  void StartLogging(const QString& FileName, const QString& Comment);
  void StopLogging();
  /// Opens an existing data file for playback and shows run 1. Playback
  /// opens the data file and its remark file for reading only and creates
  /// nothing; the files stay as they are.
  void StartPlaying(const QString& FileName);
  /// Ends playback; the chart shows the live samples again.
  void StopPlaying();

  /// Reads samples of the run shown through the LoadHandler, without
  /// touching the window: Count samples per series starting at absolute
  /// sample number First, into Dest[k][1..Count]. Returns the status.
  Integer ReadRunSamples(std::int64_t First, Integer Count, const TSeriesBuffers& Dest, Integer SeriesCount,
                         Integer& SamplesRead);

  // --- Export ---------------------------------------------------------------
  // Saves the picture the chart shows: SVG for a name ending in ".svg",
  // otherwise PNG. False when the file cannot be written.
  bool SavePicture(const QString& FileName);
  // The samples of the visible window as CSV, in the form qlxm export
  // writes: "time,series1,...", then one line per sample.
  void WriteWindowCsv(QTextStream& Out);
  bool SaveWindowCsv(const QString& FileName);
  // The context menu's export entries (the caller owns the menu); the
  // menu opens on a right click in the measure mode, whose right button
  // has no work of its own, and from the keyboard.
  QMenu* NewExportMenu();

  // --- Remarks ------------------------------------------------------------
  // Appends a remark to the remark file; it is in the file, linked to its
  // run, when the call returns. Raises EStreamError (and adds nothing to
  // the list) when it cannot be stored; while logging, that also ends the
  // run. During playback the remark file is opened for writing only for
  // this edit. Texts keep every character that fits the record's 200
  // bytes (see RemarkTextFits).
  void AddRemark(Integer RunNumber, Integer Series, TDescFlag Flag, Double Time, const TRemarkString& Text);
  /// The remarks of the run shown.
  const std::vector<TRemarkIndexEntry>& Remarks() const { return FRemarks; }
  /// The whole record of an entry, read from the remark file.
  TRemarkRecord RemarkRecord(const TRemarkIndexEntry& Entry);
  /// Makes the remark nearest to Time the current one; false when there is none.
  bool FindNearestRemark(Double Time);
  const TRemarkRecord& CurrentRemark() const { return FCurrentRemark; }
  Integer CurrentRemarkPos() const { return FCurrentRemarkPos; }
  /// Rewrites the current remark with new text, series and flag; raises
  /// EStreamError as AddRemark does.
  void UpdateCurrentRemark(const TRemarkString& Text, Integer Series, TDescFlag Flag);
  /// Raised when the remark list was reloaded, resp. when another remark
  /// became the current one; the remark display clears them.
  bool RemarkListChanged() const { return FRemarkListChanged; }
  bool NearestRemarkChanged() const { return FNearestRemarkChanged; }
  void ClearRemarkFlags() { FRemarkListChanged = FNearestRemarkChanged = false; }

  // --- Storage ------------------------------------------------------------
  // Replaceable writer and reader; they start as FileStore and FileLoad.
  TStoreHandler StoreHandler;
  TLoadHandler LoadHandler;
  /// The built-in file writer and reader, for handlers that delegate.
  void FileStore(TStream* Stream, TStoreCommand Command, const TSeriesValues& Values, Integer SeriesCount,
                 Integer SampleCount);
  Integer FileLoad(TStream* Stream, const TSeriesBuffers& Dest, Integer FirstIndex, Integer LastIndex,
                   Integer BufferLength, Integer SeriesCount, Extended StartTime, Extended EndTime,
                   Extended Interval, Integer& SamplesRead);

  // --- Events -------------------------------------------------------------
  TStripRangeCheck OnRangeCheck;
  TNotifyRemark OnRemark;
  /// Errors met inside the component's own event handlers go here and to
  /// errorOccurred; with neither a handler nor a receiver they are shown in
  /// a message box. No error of the component leaves it into the event loop.
  TNotifyError OnError;
  void HandleError(const Exception& E);
  /// Runs Action and hands an error it raises to HandleError.
  template <class F>
  void Guarded(F&& Action) {
    try {
      Action();
    } catch (const Exception& E) {
      HandleError(E);
    }
  }

  // --- Buffer state for drawing -------------------------------------------
  Integer SampleCount() const { return FCount; }
  Integer WindowStartOffset() const { return FWindowOffset; }
  Integer PreviousCount() const { return FPrevCount; }
  Extended SampleBase() const { return FSampleBase; }
  Single PixelCarry() const { return FCarry; }
  /// x pixel column of buffer index i (0 .. SamplesPerBuffer + 1).
  Integer XPosition(Integer Index) const { return FXPos[Index]; }
  /// Samples of series 1..8, indexed 1..SampleCount(); nullptr when the
  /// series has no array of the current buffer length.
  const Single* SeriesValues(Integer Series) const;
  /// SamplesPerWindow + 1 screen points for the traces.
  std::vector<TPoint>& Points() { return FPoints; }

  /// "Series" streamed after the published properties.
  void DefineProperties(TFiler& Filer) override;
  /// At design time the series arrays show preview waves once loaded.
  void Loaded() override;

protected:
  void contextMenuEvent(QContextMenuEvent* Event) override;
  // --- Drawing hooks ------------------------------------------------------
  // The places where the data side asks for drawing (StripChartDraw.cpp);
  // the mouse modes extend them.
  // Repaint the whole plot.
  virtual void InvalidatePlot();
  /// Repaint the marks of the remarks at these file positions (old and new
  /// current remark, a remark added or changed).
  void InvalidateRemarkMarks(std::initializer_list<std::int64_t> FilePositions);
  /// The rectangle of a remark's mark, without its pen; empty when the mark
  /// is not drawn.
  TRect RemarkMarkRect(const TRemarkIndexEntry& Entry) const;
  /// Scroll the plot left by the pixels that Samples new samples take and
  /// draw only the uncovered strip. The drawing is deferred (DrawPending):
  /// the scrolls of all appends of one frame are drawn as one.
  virtual void ScrollBy(Integer Samples);
  void DrawPending() override;
  /// Place the measuring cross again after the plot changed under it (the
  /// measure mode puts it on the sample now under the mouse). The paint
  /// itself keeps a showing cross on the screen.
  virtual void RedrawCross();
  /// The zoom rectangle of the zoom mode: whether it is showing, and an XOR
  /// draw that erases it when drawn a second time.
  virtual bool ZoomRectShowing() const { return FZoomRectShowing; }
  virtual void DrawZoomRect();
  /// Recompute the time-axis layout after a change of the time base or run.
  virtual void LayoutTimeAxis();
  /// Draws the marks of the run's remarks over the traces, clipped to the
  /// plot.
  virtual void DrawRemarkMarks(TCanvas& Cv);
  /// The crosses in XOR: EraseCrosses takes every cross off the screen,
  /// DrawCrosses puts every shown one on it at its current position.
  /// A fresh paint has none on the screen (ForgetCrossesOnScreen).
  void EraseCrosses();
  void DrawCrosses();
  void ForgetCrossesOnScreen();
  /// Recomputes the pixel positions of the shown crosses from their times
  /// and values (x 0 when the time has left the window).
  void UpdateCrossPositions();
  /// The zoom rectangle as the zoom mode drags it.
  TRect FZoomRect;
  bool FZoomRectShowing = false;
  /// Makes the remark nearest to the middle of the window the current one,
  /// raises NearestRemarkChanged and fires OnRemark. With OnlyWhenChanged
  /// (the scroll after an append) nothing happens when that remark is the
  /// current one already. Returns whether a remark was made current.
  bool SelectRemarkNearWindowMiddle(bool OnlyWhenChanged);
  /// Value range of the design-time preview waves.
  virtual void PreviewRange(Single& YMin, Single& YMax) const {
    YMin = FViewYMin;
    YMax = FViewYMax;
  }

private:
  // Drawing pieces (StripChartDraw.cpp), in the order the picture is composed.
  struct TValueMap;
  TValueMap MakeValueMap() const;
  void SetTitle(TTitlePlace Place, const QString& Value);
  // Fonts, title rectangles and the opaque style, from the constructor.
  void SetupDrawing();
  void DrawRangeError();
  void DrawFrame(TCanvas& Cv, const TRect& Clip);
  void DrawTitles(TCanvas& Cv);
  void DrawGridAndTraces(TCanvas& Cv);
  void DrawValueLabels(TCanvas& Cv);
  void DrawTimeLabels(TCanvas& Cv);
  // The move of the picture by the samples appended since the last one,
  // and the paint of the uncovered strip.
  void DrawScroll(Integer Samples);
  // The pixels the picture moves for Samples appended samples, or -1 when
  // it cannot move and is painted anew.
  Integer ScrollDistance(Integer Samples);
  // Whether a moved picture equals a new one: not with a dashed pen on
  // what moves across the pattern (the traces, the value grid).
  bool ScrollKeepsPicture() const;
  // Buffer indices From..To that carry a line of the time grid.
  std::vector<Integer> TimeGridIndices(Integer From, Integer To) const;
  // Rows of the time-axis label strip below the plot, and of the caption.
  TRect LabelStrip();
  TRect CaptionStrip();
  // The text heights of FontXAxis and FontYAxis.
  Integer XAxisTextHeight();
  Integer YAxisTextHeight();

  struct TSeriesSlot {
    TPenStyle LineStyle = psSolid;
    TColor Color = 0;
    std::vector<Single> Data;   ///< SamplesPerBuffer + 1 entries, index 0 unused
    bool Allocated = false;
    bool Visible = true;
  };
  struct TBlockBuffer {
    Integer Capacity = 0;
    Integer Fill = 0;
    Extended BlockTime = 0;     ///< time of the last sample already in the file
    Double Interval = 1.0;      ///< the run's sample interval
    Integer SeriesCount = 0;
    std::array<std::vector<Single>, kMaxSeries> Data;
    TRunComment Comment;
  };
  // What a refill did, so that MoveWindowTo can scroll or repaint.
  struct TRefill {
    bool Scroll = false;
    Integer NewSamples = 0;
  };

  bool SlotInUse() const { return FSeriesCurrent >= 1 && FSeriesCurrent <= FSeriesNumber; }
  // Gives the x-position array and the series in use arrays of Length
  // samples. Everything is allocated before anything is replaced: raises
  // EOutOfMemory and leaves the chart as it was when the memory is not there.
  void AllocateBuffers(Integer Length, Integer Series);
  void FillPreview();
  void ReportRange(Double Time, Single Value, Integer Series, TStripRange Range);
  void WatchRange(const TSeriesValues& Values, Integer SeriesCount, Integer SampleCount);
  // Sets x positions of indices First..FCount and moves all so that FCount
  // sits on the right edge of the plot.
  void LayoutXPositions(Integer First);
  // Moves buffer indices From..From+Count-1 to 1..Count in every array.
  void MoveToFront(Integer From, Integer Count);
  bool ShowsLiveRun() const;
  TRefill Refill(Extended Time);
  Integer CallLoad(Integer FirstIndex, Integer Count, std::int64_t FirstSample, Integer& SamplesRead);
  void ResetLiveBuffer();
  // The chart shows the live samples from StartTime on, in the time base
  // of the log: nothing of a file or run shown before stays in the view.
  void ShowLiveFrom(Double StartTime);
  // Everything of the view that belongs to the run shown: buffer, remarks,
  // crosses.
  void ForgetShownRun();

  // File side.
  // Hands a command to the StoreHandler. When it fails, the run ends
  // (FailLogging).
  void CallStore(TStoreCommand Command, const TSeriesValues& Values, Integer SeriesCount, Integer SampleCount);
  // Ends the run after a failure and raises the one error that reports it.
  // With DataFileWhole the data file still takes the end of the run.
  [[noreturn]] void FailLogging(const QString& Reason, bool DataFileWhole);
  // The run ends (StopLogging or a failure): a view that was not following
  // the log returns to the live samples.
  void AfterRunEnded();
  // Ends the run being logged and starts the next at NewStart in the same
  // file; the run closed keeps its own interval and times.
  void RestartRun(Double NewStart);
  void EncodeHeader(Byte* Out, const char* Id, Cardinal Size, Double First, Double Last, Word BytesPerSeries) const;
  // Writes one whole chunk at the write position and hands it to the
  // system; a chunk that reached the file only in part is cut off again.
  void WriteChunk(const Byte* Bytes, Cardinal Size);
  void WriteDataChunk();
  void WriteTail();
  void StartRun(Integer SeriesCount);
  // Checks both files after a write (TStream::Flush).
  void FlushFiles();
  void CloseFiles();
  void RecoverInterruptedRun(const TFileScan& Scan);
  bool LocateRun(Integer Number, std::int64_t& HeadPos);
  void LoadRemarks(Integer RunNumber);
  // False when the record is not (wholly) in the file.
  bool ReadRemark(std::int64_t Pos, TRemarkRecord& R);
  void WriteRemark(std::int64_t Pos, const TRemarkRecord& R);
  // The remark file for an edit: during playback it is opened for writing
  // (created when missing) now.
  void OpenRemarkWriter();
  // A remark could not be stored: raises the error (ending a run being
  // logged).
  [[noreturn]] void FailRemark(const Exception& E);
  void SetCurrentRemark(std::int64_t Pos, const TRemarkRecord& R);
  Integer LoadFromBlockBuffer(const TSeriesBuffers& Dest, Integer At, Integer Wanted, Integer SeriesCount,
                              Extended Time, Integer& SamplesRead);

  // Series and buffer.
  Integer FSeriesNumber = 1;
  Integer FSeriesCurrent = 1;
  std::array<TSeriesSlot, kMaxSeries + 1> FSeries;   // slots 1..8
  Integer FSamplesPerBuffer = 0;
  Integer FSamplesPerWindow = 512;
  Integer FCount = 0;
  Integer FCached = 0;        // buffered samples, >= FCount after a move back
  Integer FWindowOffset = -512;
  Integer FPrevCount = 0;
  Extended FSampleBase = 0;
  std::vector<Integer> FXPos;
  Single FCarry = 0;
  std::vector<TPoint> FPoints;
  Integer FGapLeft = 70, FGapTop = 40, FGapRight = 40, FGapBottom = 60;

  // Time base.
  Double FLogStartTime = 0;
  Double FLogTimeIncrement = 1.0;
  Extended FLogTimeLast = -1.0;
  Extended FDisplayStartTime = 0;
  Extended FDisplayTimeIncrement = 1.0;
  Extended FDisplayTimeLast = 0;

  // Runs.
  bool FLogging = false;
  bool FPlaying = false;
  bool FLiveView = true;
  Integer FDisplayRunNumber = 0;
  TRunComment FRunComment = DefaultRunComment();
  Integer FRunCounter = 0;
  Integer FDisplaySeries = 0;
  Integer FLoadStatus = lsDone;
  Integer FLastRefillRun = -1;
  QString FFileName;

  // Range watch.
  Single FRangeLower = 0, FRangeUpper = 0;
  std::array<bool, kMaxSeries + 1> FBelowReported{}, FAboveReported{};

  // Files.
  std::unique_ptr<TStream> FDataStream;
  std::unique_ptr<TStream> FRemarkStream;
  bool FRemarkWritable = false;
  bool FRemarkFileFailed = false;   // the last FlushFiles failed on the remark file
  std::int64_t FPrevChunkPos = -1;
  std::int64_t FReadCursor = -1;
  std::int64_t FDisplayHeadPos = -1;
  std::int64_t FWritePos = -1;
  // The DATA chunks of the run shown, built when it is selected (or first
  // read) and extended while it is being written.
  TRunIndex FRunIndex;
  std::vector<Byte> FReadBytes;    // the part of a chunk one read takes
  TBlockBuffer FBlock;
  std::vector<Byte> FChunkBytes;   // one DATA chunk, reused

  // Drawing.
  bool FEnableUpdate = true;
  TColor FGridColor = clGray;
  TColor FBkColor = clBtnFace;
  TGrdVisible FGridVisible = grdNone;
  TstrpScale FGridScale = strpLin;
  TPenStyle FGridLineStyle = psSolid;
  TColor FMarkerHighlightColor = clGreen;
  TColor FMarkerColor = clRed;
  Single FMarkerWidth = 0;
  TBorderStyle FBorderStyle = bsSingle;
  std::array<QString, 4> FTitles;
  std::array<TRect, 4> FTitleRects;
  TFont FFontTitleTop, FFontXAxis, FFontYAxis, FFontTitleBottom, FFontTitleLeft, FFontTitleRight;
  // Turned copies of the side title fonts, built on the first paint and
  // after a change of their font.
  TFont FRotatedLeft, FRotatedRight;
  bool FRotatedValid = false;
  Single FViewYMin = 0, FViewYMax = 10, FViewYGap = 2;
  Integer FViewYDecimals = 2;
  Double FViewXGap = 1.0;
  bool FShowCross = true;
  bool FReduceFlicker = false;
  std::unique_ptr<TBitmap> FBitmap;
  TTimeAxis FTimeAxis;
  TSize FPaintedSize{-1, -1};   // client size of the last paint
  bool FFullRedraw = false;
  Integer FPendingScroll = 0;   // samples appended and not scrolled in yet

  // Interaction.
  struct TCrossOnScreen {
    bool Drawn = false;
    TColor Color = 0;
    Integer X = 0, Y = 0;
  };
  void XorCross(const TCrossOnScreen& C);
  void EraseCross(TCrossKind Kind);
  void DrawCross(TCrossKind Kind);
  void ReportCross(TCrossKind Kind);
  void ZoomTo(const TRect& R);
  void Unzoom();
  void RemarkClick(TMouseButton Button, Integer X, Integer Y);
  void PreviewDrop(const TDropTarget& Target, TColor Color);
  void EndPreview(bool Keep);
  bool ColorOfSource(TObject* Source, TColor& Color) const;
  // Runs the AutoScale algorithm; with Invalidate false only the fields
  // change (inside a paint). True when the range changed.
  bool AdaptRange(bool Invalidate);
  void RetitleToolWindows();
  // Logging or playing started or stopped: the jog shuttle follows.
  void FileStateChanged();
  TStripMode FStripMode = modeMeasure;
  bool FAutoScale = false;
  bool FShowToolBar = false, FShowValueBar = false, FShowJogShuttleBar = false;
  std::array<TCross, 3> FCrosses;
  std::array<TCrossOnScreen, 3> FCrossesOnScreen;
  TMouseButton FMouseButton = mbLeft;
  TPoint FMousePos;    // of the last press
  TPoint FLastMove;    // of the last move
  bool FMousePressed = false;
  bool FZoomDragging = false;
  bool FSkipMove = false;
  bool FMouseOverPlot = false;
  // The view before the first zoom; FSavedWindow -1 when unzoomed.
  Integer FSavedWindow = -1;
  Single FSavedYMax = 0, FSavedYMin = 0, FSavedYGap = 0;
  Double FSavedXGap = 0;
  bool FSavedLive = false;
  // The colour drag: the target previewing the colour and its old colour.
  TDropTarget FDropTarget;
  TColor FDropOldColor = 0;
  std::unique_ptr<_sEtb::TFormToolBarStrip> FToolBar;
  std::unique_ptr<_sEca::TFormCalculateBarStrip> FValueBar;
  std::unique_ptr<_sEjs::TFormJogShuttleBarStrip> FJogShuttleBar;
  std::unique_ptr<Remedit::TEditRemark> FRemarkDialog;

  // Remarks.
  std::vector<TRemarkIndexEntry> FRemarks;
  TRemarkRecord FLastRemark;
  TRemarkRecord FCurrentRemark;
  std::int64_t FLastRemarkPos = -1;
  std::int64_t FCurrentRemarkPos = -1;
  bool FRemarkListChanged = false;
  bool FNearestRemarkChanged = false;
};

using TTitlePlace = TStripChartInt::TTitlePlace;
using TStripMode = TStripChartInt::TStripMode;
inline constexpr TStripMode modeMeasure = TStripChartInt::modeMeasure;
inline constexpr TStripMode modeRemark = TStripChartInt::modeRemark;
inline constexpr TStripMode modeZoom = TStripChartInt::modeZoom;
inline constexpr TStripMode modeCalculate = TStripChartInt::modeCalculate;

}  ///< namespace quellix::StrpChrtInt
