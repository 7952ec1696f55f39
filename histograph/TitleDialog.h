// The title dialog of a histograph ("Beschriftung"): the four titles and
// the six fonts, applied at once and put back on Cancel.
#pragma once

#include <array>
#include <functional>

#include "quellix/host/Controls.h"

class QLineEdit;
class QPushButton;

namespace quellix::HistoInt {
class THistographInt;
}

namespace quellix::Eft {

// The fonts the dialog edits, in the order of its font buttons.
enum TTitleFont { tfBottom, tfTop, tfLeft, tfRight, tfXAxis, tfYAxis };

class TFormTitle : public TForm {
  Q_OBJECT
public:
  explicit TFormTitle(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);

  void SetHistograph(HistoInt::THistographInt* Histo) { FHisto = Histo; }
  HistoInt::THistographInt* Histograph() const { return FHisto; }

  // Fills the edits and copies the titles and fonts (runs on show).
  void FormShow();
  // Runs the font dialog for one font and applies the choice.
  void FontButtonClick(TTitleFont Which);
  void OkClick() { SetModalResult(mrOk); }
  void CancelClick() { SetModalResult(mrCancel); }

  QLineEdit* EBottom;
  QLineEdit* ETop;
  QLineEdit* ELeft;
  QLineEdit* ERight;
  std::array<QPushButton*, 6> FontButtons{};

  // The font dialog: edits Font in place, true when the user chose OK.
  // TrueTypeOnly limits the choice to fonts that can be drawn turned.
  std::function<bool(TFont& Font, bool TrueTypeOnly)> RunFontDialog;

  void done(int Result) override;

protected:
  void showEvent(QShowEvent* Event) override;

private:
  TFont& HistoFont(TTitleFont Which);
  void SetHistoFont(TTitleFont Which, const TFont& F);
  HistoInt::THistographInt* FHisto = nullptr;
  std::array<QString, 4> FTitles;  // bottom, top, left, right
  std::array<TFont, 6> FFonts;
  bool FFilling = false;
  bool FCopied = false;  // the copies hold the state to go back to
};

// Runs the platform's font dialog on Font.
bool ExecFontDialog(TFont& Font, bool TrueTypeOnly);

}  // namespace quellix::Eft
