/// TFormTitleStrip: the strip chart's title dialog ("Beschriftung"), the
/// charts' title dialog bound to a strip chart. \file
#pragma once

#include "quellix/charttools/TitleDialog.h"
#include "quellix/stripchart/StripChartEngine.h"

namespace quellix::_sEft {

class TFormTitleStrip : public ChartTools::TTitleDialogOf<StrpChrtInt::TStripChartInt> {
  Q_OBJECT
public:
  explicit TFormTitleStrip(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr)
      : TTitleDialogOf(AOwner, AParent) {
    RunFontDialog = [this](TFont& Font, bool TrueTypeOnly) {
      if (!FontDialog) return false;
      Font.Assign(FontDialog(Font, TrueTypeOnly));
      return true;
    };
  }

  /// The fonts in button order: bottom, top, left, right, x axis, y axis.
  using TFontSlot = ChartTools::TTitleFont;
  static constexpr TFontSlot fsBottom = ChartTools::tfBottom, fsTop = ChartTools::tfTop,
                             fsLeft = ChartTools::tfLeft, fsRight = ChartTools::tfRight,
                             fsXAxis = ChartTools::tfXAxis, fsYAxis = ChartTools::tfYAxis;
  void ButtonOKClick() { OkClick(); }
  void ButtonCancelClick() { CancelClick(); }

  /// Runs the font dialog; returns the font chosen (the given one after
  /// Cancel). Replaceable for headless runs.
  std::function<TFont(const TFont& Current, bool TrueTypeOnly)> FontDialog = [](const TFont& Current,
                                                                                 bool TrueTypeOnly) {
    TFont F(Current);
    ChartTools::ExecFontDialog(F, TrueTypeOnly);
    return F;
  };
};

}  ///< namespace quellix::_sEft
