// The grid dialog of a histograph ("Gitter"): grid on or off, the scales
// and the grid's line style, applied at once and put back on Cancel.
#pragma once

#include "quellix/host/Controls.h"
#include "quellix/host/Graphics.h"

class QCheckBox;
class QListWidget;

namespace quellix::HistoInt {
class THistographInt;
}

namespace quellix::Efg {

class TFormGrid : public TForm {
  Q_OBJECT
public:
  explicit TFormGrid(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);

  void SetHistograph(HistoInt::THistographInt* Histo) { FHisto = Histo; }
  HistoInt::THistographInt* Histograph() const { return FHisto; }

  // On show: copies the three properties and selects the line style.
  void FormShow();
  // On activation: the controls show the histograph's settings.
  void FormActivate();
  void CheckClick();
  void ScaleClick();
  void LineStyleClick();
  void OkClick() { SetModalResult(mrOk); }
  void CancelClick() { SetModalResult(mrCancel); }

  QCheckBox* CheckVisible;
  QListWidget* ListScale;
  QListWidget* ListLineStyle;

  void done(int Result) override;

protected:
  void showEvent(QShowEvent* Event) override;
  void changeEvent(QEvent* Event) override;

private:
  HistoInt::THistographInt* FHisto = nullptr;
  TPenStyle FLineStyle = psSolid;
  int FVisible = 0;
  int FScale = 0;
  bool FFilling = false;
  bool FCopied = false;  // the copies hold the state to go back to
};

// One entry of the line-style list: white fill, a black outline and a
// black line in Style through the middle of R.
void DrawLineStyleItem(TCanvas& Cv, const TRect& R, TPenStyle Style);

}  // namespace quellix::Efg
