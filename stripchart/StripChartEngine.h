/// TStripChartInt: the eight-channel strip chart recorder.
///
/// The component a program places: its published properties, streaming,
/// and picture and data export. Its work is done by the parts it is built
/// from, one class on top of the other (StripChartSignals.h lists them):
/// the sample ring with its time base, the file session (logging, playback,
/// runs), the remarks, the look, the mapping, the crosses, the view and the
/// interaction. Every member a caller uses is reachable as a member of
/// TStripChartInt.
/// \file
#pragma once

#include <QString>
#include <QTextStream>

#include "quellix/host/QtSurface.h"
#include "quellix/stripchart/StripChartInteraction.h"

class QMenu;

namespace quellix::StrpChrtInt {

class TStripChartInt : public TStripChartInteraction {
  Q_OBJECT
  // Natural and smallest useful size, for Qt layouts.
  Q_CLASSINFO("NaturalSize", "417,233")
  Q_CLASSINFO("MinimumSize", "200,120")
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
  // Property change signals.
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
  void StripModeChanged(TStripMode Value);

public:
  explicit TStripChartInt(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TStripChartInt() override;

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

  /// "Series" streamed after the published properties.
  void DefineProperties(TFiler& Filer) override;
  /// At design time the series arrays show preview waves once loaded.
  void Loaded() override;

protected:
  void contextMenuEvent(QContextMenuEvent* Event) override;
};

using TTitlePlace = TStripChartInt::TTitlePlace;
using TStripMode = TStripChartInt::TStripMode;
inline constexpr TStripMode modeMeasure = TStripChartInt::modeMeasure;
inline constexpr TStripMode modeRemark = TStripChartInt::modeRemark;
inline constexpr TStripMode modeZoom = TStripChartInt::modeZoom;
inline constexpr TStripMode modeCalculate = TStripChartInt::modeCalculate;

}  ///< namespace quellix::StrpChrtInt
