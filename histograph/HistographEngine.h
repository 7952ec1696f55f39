/// THistographInt: the histograph. Up to eight curves ("series") of
/// Single values, drawn as Yt curves spread evenly over an X interval or as
/// XY figures, with an upper and a lower reference curve that the user can
/// reshape with the mouse and the application reads back.
/// \file
/// The component a program places: its published properties, streaming
/// and export. Its work is done by the parts it is built from, one class on
/// top of the other (HistographSignals.h lists them); every member a
/// caller uses is reachable as a member of THistographInt. The measure sink
/// THistograph (HistographSink.h) derives from it.
#pragma once

#include <QString>

#include "quellix/histograph/HistographInteraction.h"
#include "quellix/host/QtSurface.h"

class QMenu;
class QTextStream;

namespace quellix::HistoInt {

class THistographInt : public THistoInteraction {
  Q_OBJECT
  // Natural and smallest useful size, for Qt layouts.
  Q_CLASSINFO("NaturalSize", "560,390")
  Q_CLASSINFO("MinimumSize", "200,120")
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
  // Property change signals.
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

  void DefineProperties(TFiler& Filer) override;

protected:
  void contextMenuEvent(QContextMenuEvent* Event) override;
};

}  ///< namespace quellix::HistoInt
