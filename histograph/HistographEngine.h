/// THistographInt: the histograph engine. Up to eight curves ("series") of
/// Single values, drawn as Yt curves spread evenly over an X interval or as
/// XY figures, with an upper and a lower reference curve that the user can
/// reshape with the mouse and the application reads back.
/// \file
/// This unit holds the data model (series table, view ranges, automatic Y
/// scaling, the built-in timer, the streamed "Series" list) and the drawing
/// (range checks, margins, frames, titles, linear and logarithmic axes,
/// curves). The mouse modes, tool windows and dialogs build on it; the
/// measure sink THistograph (unit Histo) derives from it.
#pragma once

#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "quellix/host/Component.h"
#include "quellix/host/Controls.h"
#include "quellix/host/Graphics.h"

class QMenu;
class QTextStream;

namespace quellix::Etb {
class TFormToolBar;
}
namespace quellix::Eca {
class TFormValueBar;
}

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

class THistographInt : public TPaintBox {
  Q_OBJECT
  // Natural and smallest useful size, for Qt layouts.
  Q_CLASSINFO("NaturalSize", "560,390")
  Q_CLASSINFO("MinimumSize", "200,120")
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
  Q_PROPERTY(bool EnableUpdate READ EnableUpdate WRITE SetEnableUpdate NOTIFY EnableUpdateChanged)
  Q_CLASSINFO("default:EnableUpdate", "true")
  QUELLIX_COLOR_PROPERTY(GridColor)
  Q_CLASSINFO("default:GridColor", "8421504")
  QUELLIX_COLOR_PROPERTY(BkColor)
  Q_CLASSINFO("default:BkColor", "-2147483633")
  Q_PROPERTY(quellix::HistoInt::TGrdVisible GridVisible READ GridVisible WRITE SetGridVisible NOTIFY GridVisibleChanged)
  Q_CLASSINFO("default:GridVisible", "grdNone")
  Q_PROPERTY(quellix::HistoInt::TGrdScale GridScale READ GridScale WRITE SetGridScale NOTIFY GridScaleChanged)
  Q_CLASSINFO("default:GridScale", "sclLinLin")
  Q_PROPERTY(int GridLineStyle READ GridLineStyleInt WRITE SetGridLineStyleInt NOTIFY GridLineStyleChanged)
  Q_CLASSINFO("default:GridLineStyle", "0")
  Q_PROPERTY(quellix::HistoInt::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle NOTIFY BorderStyleChanged)
  Q_CLASSINFO("default:BorderStyle", "bsSingle")
  Q_PROPERTY(int GapRight READ GapRight WRITE SetGapRight NOTIFY GapRightChanged)
  Q_CLASSINFO("default:GapRight", "40")
  Q_PROPERTY(int GapLeft READ GapLeft WRITE SetGapLeft NOTIFY GapLeftChanged)
  Q_CLASSINFO("default:GapLeft", "70")
  Q_PROPERTY(int GapTop READ GapTop WRITE SetGapTop NOTIFY GapTopChanged)
  Q_CLASSINFO("default:GapTop", "40")
  Q_PROPERTY(int GapBottom READ GapBottom WRITE SetGapBottom NOTIFY GapBottomChanged)
  Q_CLASSINFO("default:GapBottom", "60")
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
  Q_PROPERTY(bool ReduceFlicker READ ReduceFlicker WRITE SetReduceFlicker NOTIFY ReduceFlickerChanged)
  Q_CLASSINFO("default:ReduceFlicker", "false")
  Q_PROPERTY(quellix::HistoInt::TMode Mode READ Mode WRITE SetMode NOTIFY ModeChanged)
  Q_CLASSINFO("default:Mode", "modeMeasure")
  Q_PROPERTY(bool ShowCross READ ShowCross WRITE SetShowCross NOTIFY ShowCrossChanged)
  Q_CLASSINFO("default:ShowCross", "true")
  Q_PROPERTY(bool ShowValues READ ShowValues WRITE SetShowValues NOTIFY ShowValuesChanged)
  Q_CLASSINFO("default:ShowValues", "true")
  Q_PROPERTY(int ReferenceRubberWidth READ ReferenceRubberWidth WRITE SetReferenceRubberWidth NOTIFY ReferenceRubberWidthChanged)
  Q_CLASSINFO("default:ReferenceRubberWidth", "30")
  Q_PROPERTY(bool ShowToolBar READ ShowToolBar WRITE SetShowToolBar NOTIFY ShowToolBarChanged)
  Q_CLASSINFO("default:ShowToolBar", "false")
  Q_PROPERTY(bool ShowValueBar READ ShowValueBar WRITE SetShowValueBar NOTIFY ShowValueBarChanged)
  Q_CLASSINFO("default:ShowValueBar", "false")

Q_SIGNALS:
  // Events as signals.
  void crossMove(quellix::TObject* Sender, float X, float Y, int Serie, int Index);
  void referenceMove(quellix::TObject* Sender, float X, float Y, int Serie, int Index);
  void calculate(quellix::TObject* Sender, int Serie1, int Serie2, float Value1X, float Value2X, float Value1Y,
                 float Value2Y);
  void timer(quellix::TObject* Sender);
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
  void EnableUpdateChanged(bool Value);
  void GridVisibleChanged(quellix::HistoInt::TGrdVisible Value);
  void GridScaleChanged(quellix::HistoInt::TGrdScale Value);
  void GridLineStyleChanged(int Value);
  void BorderStyleChanged(quellix::HistoInt::TBorderStyle Value);
  void GapRightChanged(int Value);
  void GapLeftChanged(int Value);
  void GapTopChanged(int Value);
  void GapBottomChanged(int Value);
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
  void ReduceFlickerChanged(bool Value);
  void ModeChanged(quellix::HistoInt::TMode Value);
  void ShowCrossChanged(bool Value);
  void ShowValuesChanged(bool Value);
  void ReferenceRubberWidthChanged(int Value);
  void ShowToolBarChanged(bool Value);
  void ShowValueBarChanged(bool Value);

public:
  explicit THistographInt(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~THistographInt() override;

  // --- identification (fixed texts) ---
  QString Version() const { return QStringLiteral("V2.50"); }
  void SetVersion(const QString&) {}
  QString Copyright() const { return TComponentCore::LibraryCopyright(); }
  void SetCopyright(const QString&) {}

  // --- export ---
  // Saves the picture the histograph shows: SVG for a name ending in
  // ".svg", otherwise PNG. False when the file cannot be written.
  bool SavePicture(const QString& FileName);
  // Every series with data as CSV: "series,kind,index,x,y", one line per
  // point; a Yt series' X is where its point stands on the nominal X range.
  void WriteSeriesCsv(QTextStream& Out) const;
  bool SaveSeriesCsv(const QString& FileName) const;
  // The context menu's export entries (the caller owns the menu); the
  // menu opens on a right click in the measure mode, whose right button
  // has no work of its own, and from the keyboard.
  QMenu* NewExportMenu();

  // --- data ---
  // Shows Count values of series Serie (dtData: the caller's array, not
  // copied; reference series: a copy). Redraws the plot area at once.
  void SetData(const Single* Data, Integer Count, Integer Serie);
  /// Shows Count X/Y pairs (2 * Count Singles) of series Serie (dtDataXY:
  /// the caller's array; reference series: a copy of the pairs).
  void SetDataXY(const Single* Data, Integer Count, Integer Serie);
  /// Copies up to MaxCount Singles of series Serie into Dest; returns how
  /// many (for an XY series the first Singles of the pair array).
  Integer GetData(Single* Dest, Integer MaxCount, Integer Serie) const;
  /// Adapts the Y range to the data; true when it changed the range.
  bool CalcAutoScale();
  /// Redraws the plot rectangle (everything when AutoScale moved the
  /// range). The range adapts at once; the drawing is deferred to the next
  /// frame (DrawPending), so that many calls in one frame draw once.
  void UpdatePlot();

  /// The slot of series Serie (1..8). Read access for the mouse modes,
  /// dialogs and the measure sink.
  const THistoSeries& Series(Integer Serie) const { return FSeries.at(Serie - 1); }

  Integer SeriesNumber() const { return FSeriesNumber; }
  void SetSeriesNumber(Integer Value);
  Integer SeriesCurrent() const { return FSeriesCurrent; }
  void SetSeriesCurrent(Integer Value);
  TColor SeriesColor() const { return CurrentSlot().Color; }
  void SetSeriesColor(TColor Value);
  TPenStyle SeriesLineStyle() const { return CurrentSlot().LineStyle; }
  void SetSeriesLineStyle(TPenStyle Value);
  TDataKind SeriesStyle() const { return CurrentSlot().Style; }
  void SetSeriesStyle(TDataKind Value);
  int SeriesLineStyleInt() const { return SeriesLineStyle(); }
  void SetSeriesLineStyleInt(int Value);

  // --- view ranges ---
  Single ViewYMin() const { return FViewYMin; }
  void SetViewYMin(Single Value);
  Single ViewYMax() const { return FViewYMax; }
  void SetViewYMax(Single Value);
  Single ViewYGap() const { return FViewYGap; }
  void SetViewYGap(Single Value);
  Integer ViewYDecimals() const { return FViewYDecimals; }
  void SetViewYDecimals(Integer Value);
  Single ViewXNominalMin() const { return FViewXNominalMin; }
  void SetViewXNominalMin(Single Value);
  Single ViewXNominalMax() const { return FViewXNominalMax; }
  void SetViewXNominalMax(Single Value);
  Single ViewXCurrentMin() const { return FViewXCurrentMin; }
  void SetViewXCurrentMin(Single Value);
  Single ViewXCurrentMax() const { return FViewXCurrentMax; }
  void SetViewXCurrentMax(Single Value);
  Single ViewXGap() const { return FViewXGap; }
  void SetViewXGap(Single Value);
  Integer ViewXDecimals() const { return FViewXDecimals; }
  void SetViewXDecimals(Integer Value);
  bool AutoScale() const { return FAutoScale; }
  void SetAutoScale(bool Value);

  // --- timer ---
  Integer TimerInterval() const;
  void SetTimerInterval(Integer Value);
  bool TimerEnabled() const;
  void SetTimerEnabled(bool Value);
  /// The built-in timer (tests drive it with Tick).
  TTimer& Timer() { return *FTimer; }

  // --- drawing properties ---
  bool EnableUpdate() const { return FEnableUpdate; }
  void SetEnableUpdate(bool Value);
  TColor GridColor() const { return FGridColor; }
  void SetGridColor(TColor Value);
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);
  TGrdVisible GridVisible() const { return FGridVisible; }
  void SetGridVisible(TGrdVisible Value);
  TGrdScale GridScale() const { return FGridScale; }
  void SetGridScale(TGrdScale Value);
  TPenStyle GridLineStyle() const { return FGridLineStyle; }
  void SetGridLineStyle(TPenStyle Value);
  int GridLineStyleInt() const { return FGridLineStyle; }
  void SetGridLineStyleInt(int Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  Integer GapRight() const { return FGapRight; }
  void SetGapRight(Integer Value);
  Integer GapLeft() const { return FGapLeft; }
  void SetGapLeft(Integer Value);
  Integer GapTop() const { return FGapTop; }
  void SetGapTop(Integer Value);
  Integer GapBottom() const { return FGapBottom; }
  void SetGapBottom(Integer Value);
  QString TitleRight() const { return FTitles[tpRight]; }
  void SetTitleRight(const QString& Value) { const TChangeScope Changes; SetTitle(tpRight, Value); }
  QString TitleLeft() const { return FTitles[tpLeft]; }
  void SetTitleLeft(const QString& Value) { const TChangeScope Changes; SetTitle(tpLeft, Value); }
  QString TitleTop() const { return FTitles[tpTop]; }
  void SetTitleTop(const QString& Value) { const TChangeScope Changes; SetTitle(tpTop, Value); }
  QString TitleBottom() const { return FTitles[tpBottom]; }
  void SetTitleBottom(const QString& Value) { const TChangeScope Changes; SetTitle(tpBottom, Value); }

  TFont& FontTitleTop() { return FFontTitleTop; }
  TFont* FontTitleTopPtr() { return &FFontTitleTop; }
  void SetFontTitleTop(const TFont& Value) { const TChangeScope Changes; SetFont(FFontTitleTop, Value); }
  void SetFontTitleTop(TFont* Value) { const TChangeScope Changes; if (Value) SetFontTitleTop(*Value); }
  TFont& FontXAxis() { return FFontXAxis; }
  TFont* FontXAxisPtr() { return &FFontXAxis; }
  void SetFontXAxis(const TFont& Value) { const TChangeScope Changes; SetFont(FFontXAxis, Value); }
  void SetFontXAxis(TFont* Value) { const TChangeScope Changes; if (Value) SetFontXAxis(*Value); }
  TFont& FontYAxis() { return FFontYAxis; }
  TFont* FontYAxisPtr() { return &FFontYAxis; }
  void SetFontYAxis(const TFont& Value) { const TChangeScope Changes; SetFont(FFontYAxis, Value); }
  void SetFontYAxis(TFont* Value) { const TChangeScope Changes; if (Value) SetFontYAxis(*Value); }
  TFont& FontTitleBottom() { return FFontTitleBottom; }
  TFont* FontTitleBottomPtr() { return &FFontTitleBottom; }
  void SetFontTitleBottom(const TFont& Value) { const TChangeScope Changes; SetFont(FFontTitleBottom, Value); }
  void SetFontTitleBottom(TFont* Value) { const TChangeScope Changes; if (Value) SetFontTitleBottom(*Value); }
  TFont& FontTitleLeft() { return FFontTitleLeft; }
  TFont* FontTitleLeftPtr() { return &FFontTitleLeft; }
  void SetFontTitleLeft(const TFont& Value) { const TChangeScope Changes; SetFont(FFontTitleLeft, Value); }
  void SetFontTitleLeft(TFont* Value) { const TChangeScope Changes; if (Value) SetFontTitleLeft(*Value); }
  TFont& FontTitleRight() { return FFontTitleRight; }
  TFont* FontTitleRightPtr() { return &FFontTitleRight; }
  void SetFontTitleRight(const TFont& Value) { const TChangeScope Changes; SetFont(FFontTitleRight, Value); }
  void SetFontTitleRight(TFont* Value) { const TChangeScope Changes; if (Value) SetFontTitleRight(*Value); }

  bool ReduceFlicker() const { return FReduceFlicker; }
  void SetReduceFlicker(bool Value);

  // --- geometry, shared by painting and mouse hit-testing ---
  // The plot rectangle as its four edges: L = GapLeft, T = GapTop,
  // R = Width - GapRight, B = Height - GapBottom (R and B are drawn on).
  TRect PlotRect() const;
  /// The range error the paint would report instead of the plot, or an
  /// empty text when the view ranges are consistent.
  QString RangeError() const;
  /// The labels and grid lines of the axes as the paint draws them. Laying
  /// out a linear axis stores a wider grid gap when the set one would put
  /// more than one grid line on every two pixels.
  TAxisLayout LayoutYAxis() { return LayoutYAxis(Canvas()); }
  TAxisLayout LayoutXAxis() { return LayoutXAxis(Canvas()); }
  /// The pixel points of series Serie's curve for a paint limited to Clip
  /// (only the visible samples plus one on each side).
  std::vector<TPoint> CurvePoints(Integer Serie, const TRect& Clip);
  std::vector<TPoint> CurvePoints(Integer Serie) { return CurvePoints(Serie, ClientRect()); }
  /// The logarithmic mappings of values to pixels (rows, columns).
  Integer LogYPixel(Extended V) const;
  Integer LogXPixel(Extended V) const;
  /// Title rectangles as last drawn; (-1, -1, -1, -1) until drawn.
  TRect TitleRect(TTitlePlace Place) const { return FTitleRects[Place]; }
  /// Capacity of the shared point buffer.
  std::size_t PointBufferCapacity() const { return FPoints.size(); }

  // --- mouse modes and tool windows (HistoInteract.cpp) ---
  TMode Mode() const { return FMode; }
  void SetMode(TMode Value);
  bool ShowCross() const { return FShowCross; }
  void SetShowCross(bool Value) { const TChangeScope Changes; FShowCross = Value; }
  bool ShowValues() const { return FShowValues; }
  void SetShowValues(bool Value) { const TChangeScope Changes; FShowValues = Value; }
  Integer ReferenceRubberWidth() const { return FReferenceRubberWidth; }
  void SetReferenceRubberWidth(Integer Value) { const TChangeScope Changes; FReferenceRubberWidth = Value; }
  bool ShowToolBar() const { return FShowToolBar; }
  void SetShowToolBar(bool Value);
  /// Whether the value bar window is really on the screen.
  bool ShowValueBar() const;
  void SetShowValueBar(bool Value);
  /// The tool windows, once created (nullptr before).
  Etb::TFormToolBar* ToolBar() const { return FToolBar; }
  Eca::TFormValueBar* ValueBar() const { return FValueBar; }

  /// Pixels and values (crosses, zoom, reference editing).
  Extended XValueAt(Integer Px) const;
  Extended YValueAt(Integer Py) const;
  Integer XPixelOf(Extended X) const;
  Integer YPixelOf(Extended Y) const;
  /// The curve point nearest to (Mx, My): per series the sample nearest in
  /// X, then the series whose value is nearest to the Y value of My.
  TNearestPoint NearestPoint(Integer Mx, Integer My) const;
  /// Places cross I (0, 1 calculation; 2 measuring) on the curve point
  /// nearest to the mouse position, erasing the old one first when asked.
  /// Returns false (and does nothing) when no series has data.
  bool PlaceCross(Integer I, Integer Mx, Integer My, bool EraseFirst);
  const TCross& Cross(Integer I) const { return FCrosses.at(I); }
  bool Zoomed() const { return FZoomed; }
  const TSavedView& SavedView() const { return FSavedView; }
  bool ReferenceDragging() const { return FRefDragging; }
  /// The part of the display at (X, Y) a dropped colour would change, and
  /// the series number for a curve.
  TColorTarget ColorTargetAt(Integer X, Integer Y, Integer& Serie);
  TColor TargetColor(TColorTarget Target, Integer Serie);
  void SetTargetColor(TColorTarget Target, Integer Serie, TColor Value);
  TColorTarget PreviewTarget() const { return FPreviewTarget; }

  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

  // --- events ---
  TNotifyCrossMove OnCrossMove;
  TNotifyCrossMove OnReferenceMove;
  TNotifyCalculate OnCalculate;
  TNotifyEvent OnTimer;

  void Paint() override;
  void DefineProperties(TFiler& Filer) override;

protected:
  void Resize() override;
  void DrawPending() override;
  void contextMenuEvent(QContextMenuEvent* Event) override;

  // --- overlays drawn in XOR over the finished picture ---
  // The crosses and the zoom rubber rectangle belong to the mouse modes;
  // the engine keeps them on the screen across repaints: a paint draws the
  // visible crosses after the picture (never after a range error), and
  // UpdatePlot takes the rubber rectangle off before it redraws the plot
  // and puts it back afterwards.
  void DrawCross(const TCross& Cross);
  void DrawZoomRubber();
  std::array<TCross, 3> FCrosses;
  TRect FZoomRubber;
  bool FZoomRubberOnScreen = false;

  /// Mutable access to a slot (reference editing).
  THistoSeries& Slot(Integer Serie) { return FSeries.at(Serie - 1); }

private:
  // Mouse modes (HistoInteract.cpp).
  void InitInteraction();
  void FreeToolWindows();
  void UpdateToolCaptions();
  void MeasureMove(Integer X, Integer Y);
  void CalculateFollow(Integer X, Integer Y);
  void ZoomRelease(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void StartReference(Integer X, Integer Y);
  void MoveReference(Integer X, Integer Y);
  void EndReference();
  Integer NearestSample(const THistoSeries& S, Integer Mx) const;
  TPoint SamplePixel(const THistoSeries& S, Integer I, Extended V) const;
  void DrawShadow();
  void DrawValueBox(Extended X, Extended V);
  void ColorDragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
  void ColorDragDrop(TObject* Source, Integer X, Integer Y);
  void UndoPreview();
  bool InPlot(Integer X, Integer Y) const;

  TMode FMode = modeMeasure;
  bool FShowCross = true;
  bool FShowValues = true;
  Integer FReferenceRubberWidth = 30;
  bool FShowToolBar = false;
  Etb::TFormToolBar* FToolBar = nullptr;   // child window of this control, freed with it
  Eca::TFormValueBar* FValueBar = nullptr;
  TMouseButton FButton = mbLeft;
  bool FButtonDown = false;
  bool FZoomed = false;
  TSavedView FSavedView;
  // Reference drag: series k, centre sample c, band first..last and the
  // offset of the band into the weights; old values and the edited copy.
  bool FRefDragging = false;
  TPoint FRefPress;
  Integer FRefSerie = 0, FRefCentre = 0, FRefFirst = 0, FRefLast = 0, FRefOffset = 0;
  Extended FRefCentreX = 0;
  TRect FRefBand;
  std::vector<Single> FRefOld, FRefShadow;
  std::vector<Extended> FRefWeights;
  // Colour drop preview.
  TColorTarget FPreviewTarget = ctNone;
  Integer FPreviewSerie = -1;
  TColor FPreviewColor = clWhite;

  const THistoSeries& CurrentSlot() const { return FSeries.at(FSeriesCurrent - 1); }
  bool CurrentSlotEditable() const { return FSeriesCurrent >= 1 && FSeriesCurrent <= FSeriesNumber; }
  bool LogX() const { return FGridScale == sclLogLin || FGridScale == sclLogLog; }
  bool LogY() const { return FGridScale == sclLinLog || FGridScale == sclLogLog; }
  void SetTitle(TTitlePlace Place, const QString& Value);
  void SetFont(TFont& Dest, const TFont& Value);
  void SetGap(Integer& Field, Integer Value);
  void StoreSeries(const Single* Data, Integer Count, Integer Serie, bool XY);
  void GrowPointBuffer();
  void CalcLogY();
  void CalcLogX();
  void FixLogXRange();
  void MakeSampleCurves(Integer OnlySlot = 0);

  // Drawing pieces, in the order the picture is composed.
  void DrawRangeError(const QString& Text, Integer X, Integer Y);
  void DrawPicture(TCanvas& Cv, const TRect& Clip);
  void DrawMargins(TCanvas& Cv, const TRect& Clip);
  void DrawFrames(TCanvas& Cv);
  void DrawTitles(TCanvas& Cv);
  void DrawAxis(TCanvas& Cv, const TAxisLayout& Axis, bool IsY);
  void DrawCurves(TCanvas& Cv, const TRect& Clip);
  Integer BuildCurve(Integer Serie, const TRect& Clip);
  TAxisLayout LayoutYAxis(TCanvas& Cv);
  TAxisLayout LayoutXAxis(TCanvas& Cv);
  TAxisLayout LayoutLinearAxis(TCanvas& Cv, bool IsY);
  TAxisLayout LayoutLogAxis(TCanvas& Cv, bool IsY);

  std::array<THistoSeries, MaxSeries> FSeries;
  Integer FSeriesNumber = 1;
  Integer FSeriesCurrent = 1;
  std::vector<TPoint> FPoints;  // shared point buffer, grown, never shrunk

  Single FViewYMin = 0, FViewYMax = 10, FViewYGap = 2;
  Single FViewXNominalMin = 0, FViewXNominalMax = 10;
  Single FViewXCurrentMin = 0, FViewXCurrentMax = 10, FViewXGap = 2;
  Integer FViewYDecimals = 2, FViewXDecimals = 2;
  bool FAutoScale = false;

  std::unique_ptr<TTimer> FTimer;

  bool FEnableUpdate = true;
  TColor FGridColor = clGray;
  TColor FBkColor = clBtnFace;
  TGrdVisible FGridVisible = grdNone;
  TGrdScale FGridScale = sclLinLin;
  TPenStyle FGridLineStyle = psSolid;
  TBorderStyle FBorderStyle = bsSingle;
  Integer FGapRight = 40, FGapLeft = 70, FGapTop = 40, FGapBottom = 60;
  std::array<QString, 4> FTitles;
  std::array<TRect, 4> FTitleRects;
  TFont FFontTitleTop, FFontXAxis, FFontYAxis, FFontTitleBottom, FFontTitleLeft, FFontTitleRight;
  bool FReduceFlicker = false;
  std::unique_ptr<TBitmap> FBitmap;
  // UpdatePlot calls not drawn yet; one of them moved the range.
  bool FPlotPending = false;
  bool FRangePending = false;

  // Logarithmic mappings: pixel = Trunc(o + f * ln v), and the control
  // size they were last computed for.
  Extended FLogOY = 0, FLogFY = 1, FLogOX = 0, FLogFX = 1;
  TSize FLastSize{-1, -1};
  // The side-title fonts took the control font's attributes (first paint).
  bool FFontsPrepared = false;
};

}  ///< namespace quellix::HistoInt
