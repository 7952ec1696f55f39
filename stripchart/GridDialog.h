// TFormGridStrip: the dialog "Gitter": grid on or off, the scale and the
// grid's line style, applied at once; Cancel restores them.
#pragma once

#include <QCheckBox>
#include <QComboBox>

#include "quellix/host/Controls.h"
#include "quellix/host/Graphics.h"

namespace quellix::StrpChrtInt { class TStripChartInt; }

namespace quellix::_sEfg {

class TFormGridStrip : public TForm {
  Q_OBJECT
public:
  explicit TFormGridStrip(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  StrpChrtInt::TStripChartInt* Chart = nullptr;

  // Saves the three values and shows them.
  void FormShow();
  void CBGridVisibleClick();
  void CBScaleChange(int Index);
  void CBLineStyleChange(int Index);
  void ButtonOKClick() { SetModalResult(mrOk); }
  void ButtonCancelClick() { SetModalResult(mrCancel); }
  void done(int Result) override;

  QCheckBox* CBGridVisible;
  QComboBox* CBScale;
  QComboBox* CBLineStyle;

private:
  TPenStyle FSavedStyle = psSolid;
  int FSavedVisible = 0;
  int FSavedScale = 0;
  bool FShowing = false;
};

}  // namespace quellix::_sEfg
