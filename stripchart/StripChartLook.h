/// The look of the strip chart recorder: colours, grid, border, marker
/// colours, the titles in the margins and the fonts.
/// \file
#pragma once

#include <QString>
#include <array>

#include "quellix/stripchart/StripChartRemarks.h"

namespace quellix::StrpChrtInt {

class TStripChartLook : public TStripRemarks {
public:
  using TStripRemarks::TStripRemarks;

  /// The titles in the four margins.
  enum TTitlePlace { tpTop, tpBottom, tpLeft, tpRight };

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
  void SetGridLineStyleInt(int Value) {
    const TChangeScope Changes;
    if (TPenStyle Style; PenStyleFromOrdinal(Value, Style)) SetGridLineStyle(Style);
  }
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
  /// Title rectangles of the last paint; (-1, -1, -1, -1) before.
  TRect TitleRect(TTitlePlace Place) const { return FTitleRects[Place]; }

protected:
  /// The tool windows carry the top title in their captions.
  virtual void RetitleToolWindows() = 0;
  // Runs the AutoScale algorithm; with Invalidate false only the fields
  // change (inside a paint). True when the range changed.
  virtual bool AdaptRange(bool Invalidate) = 0;
  void SetTitle(TTitlePlace Place, const QString& Value);
  // Fonts, title rectangles and the opaque style, from the constructor.
  void SetupDrawing();

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
  bool FAutoScale = false;
};

}  ///< namespace quellix::StrpChrtInt
