/// The title dialog of a chart ("Beschriftung"): four edits typed straight
/// into the titles and six font buttons, for the bottom, top, left and
/// right titles and the labels of both axes. \file
#pragma once

#include <array>

#include "quellix/charttools/PropertyDialog.h"

class QLineEdit;

namespace quellix::ChartTools {

/// The rows of the dialog, in order; the first four have a title edit.
enum TTitleFont { tfBottom, tfTop, tfLeft, tfRight, tfXAxis, tfYAxis };

/// Runs the font dialog with its effects (the font colour among them) on
/// Font: true when the user chose OK. TrueTypeOnly offers only fonts that
/// can be drawn turned.
bool ExecFontDialog(TFont& Font, bool TrueTypeOnly);

class TTitleDialog : public TPropertyDialog {
  Q_OBJECT
public:
  explicit TTitleDialog(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);

  /// Runs the font dialog for one row and gives the chart its choice.
  void FontButtonClick(TTitleFont Which);

  QLineEdit* EBottom;
  QLineEdit* ETop;
  QLineEdit* ELeft;
  QLineEdit* ERight;
  std::array<QPushButton*, 6> FontButtons{};

  /// The font dialog: edits Font in place, true when the user chose OK.
  /// Replaceable, so that nothing blocks in a headless run.
  std::function<bool(TFont& Font, bool TrueTypeOnly)> RunFontDialog = ExecFontDialog;

protected:
  /// The chart's side: the titles of rows tfBottom..tfRight and all six fonts.
  virtual QString ChartTitle(TTitleFont Which) const = 0;
  virtual void SetChartTitle(TTitleFont Which, const QString& Text) = 0;
  virtual const TFont& ChartFont(TTitleFont Which) const = 0;
  virtual void SetChartFont(TTitleFont Which, const TFont& Font) = 0;

  std::vector<TRestore> Save() override;
  void Fill() override;

private:
  std::array<QLineEdit*, 4> Edits() const { return {EBottom, ETop, ELeft, ERight}; }
};

/// The title dialog bound to a chart class with the properties TitleBottom,
/// TitleTop, TitleLeft, TitleRight and FontTitleBottom, FontTitleTop,
/// FontTitleLeft, FontTitleRight, FontXAxis, FontYAxis.
template <class TChart>
class TTitleDialogOf : public TTitleDialog {
public:
  using TTitleDialog::TTitleDialog;
  TChart* Chart = nullptr;

protected:
  bool HasChart() const override { return Chart; }
  QString ChartTitle(TTitleFont Which) const override {
    switch (Which) {
      case tfBottom: return Chart->TitleBottom();
      case tfTop: return Chart->TitleTop();
      case tfLeft: return Chart->TitleLeft();
      default: return Chart->TitleRight();
    }
  }
  void SetChartTitle(TTitleFont Which, const QString& Text) override {
    switch (Which) {
      case tfBottom: Chart->SetTitleBottom(Text); break;
      case tfTop: Chart->SetTitleTop(Text); break;
      case tfLeft: Chart->SetTitleLeft(Text); break;
      default: Chart->SetTitleRight(Text); break;
    }
  }
  const TFont& ChartFont(TTitleFont Which) const override { return *FontSlot(Which).first; }
  void SetChartFont(TTitleFont Which, const TFont& Font) override {
    TFont Copy(Font);
    (Chart->*FontSlot(Which).second)(&Copy);
  }

private:
  // A font of the chart and its setter.
  std::pair<TFont*, void (TChart::*)(TFont*)> FontSlot(TTitleFont Which) const {
    switch (Which) {
      case tfBottom: return {&Chart->FontTitleBottom(), &TChart::SetFontTitleBottom};
      case tfTop: return {&Chart->FontTitleTop(), &TChart::SetFontTitleTop};
      case tfLeft: return {&Chart->FontTitleLeft(), &TChart::SetFontTitleLeft};
      case tfRight: return {&Chart->FontTitleRight(), &TChart::SetFontTitleRight};
      case tfXAxis: return {&Chart->FontXAxis(), &TChart::SetFontXAxis};
      case tfYAxis: break;
    }
    return {&Chart->FontYAxis(), &TChart::SetFontYAxis};
  }
};

}  ///< namespace quellix::ChartTools
