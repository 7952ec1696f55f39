/// The titles of the histograph in its four margins and the fonts of the
/// titles and axis labels.
/// \file
#pragma once

#include <QString>
#include <array>

#include "quellix/histograph/HistographLook.h"

namespace quellix::HistoInt {

class THistoTitles : public THistoLook {
public:
  using THistoLook::THistoLook;

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
  /// Title rectangles as last drawn; (-1, -1, -1, -1) until drawn.
  TRect TitleRect(TTitlePlace Place) const { return FTitleRects[Place]; }

protected:
  /// The tool windows carry the top title in their captions.
  virtual void UpdateToolCaptions() = 0;
  void SetTitle(TTitlePlace Place, const QString& Value);
  void SetFont(TFont& Dest, const TFont& Value);

  std::array<QString, 4> FTitles;
  std::array<TRect, 4> FTitleRects;
  TFont FFontTitleTop, FFontXAxis, FFontYAxis, FFontTitleBottom, FFontTitleLeft, FFontTitleRight;
  // The side-title fonts took the control font's attributes (first paint).
  bool FFontsPrepared = false;
};

}  ///< namespace quellix::HistoInt
