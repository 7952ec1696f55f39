// TFormTitleStrip: the dialog "Beschriftung" for the strip chart's four
// titles and six fonts. Every edit is applied to the chart at once;
// Cancel puts back what the chart had when the dialog was shown.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "quellix/host/Controls.h"

namespace quellix::StrpChrtInt { class TStripChartInt; }

namespace quellix::_sEft {

class TFormTitleStrip : public TForm {
  Q_OBJECT
public:
  explicit TFormTitleStrip(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TFormTitleStrip() override;

  StrpChrtInt::TStripChartInt* Chart = nullptr;

  // The fonts in button order: bottom, top, left, right, x axis, y axis.
  enum TFontSlot { fsBottom, fsTop, fsLeft, fsRight, fsXAxis, fsYAxis };
  // Saves the titles and fonts and shows the titles.
  void FormShow();
  // Opens the font dialog for a slot (a replaceable step for headless runs).
  void FontButtonClick(TFontSlot Slot);
  void ButtonOKClick() { SetModalResult(mrOk); }
  void ButtonCancelClick() { SetModalResult(mrCancel); }
  // Cancel writes the saved titles and fonts back.
  void done(int Result) override;

  // Runs the font dialog; returns the font chosen (the given one after
  // Cancel). Replaceable for headless runs.
  std::function<TFont(const TFont& Current, bool TrueTypeOnly)> FontDialog;

  QLineEdit *EBottom, *ETop, *ELeft, *ERight;
  std::array<QPushButton*, 6> FontButtons{};

private:
  TFont& ChartFont(TFontSlot Slot);
  std::array<TFont, 6> FSavedFonts;   // owned copies
  std::array<QString, 4> FSavedTitles;
  bool FShowing = false;
};

}  // namespace quellix::_sEft
