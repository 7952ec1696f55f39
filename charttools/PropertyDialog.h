/// The frame every property dialog of a chart shares: a modal window laid
/// out top to bottom with the dialog's own controls and a row with "OK"
/// and "Abbrechen". Every change goes to the chart at once, so that the
/// chart shows it; each showing saves what the dialog can change, and
/// leaving the dialog in any way but OK (the Cancel button, Escape, the
/// window's close box) puts that back. Once the dialog is being left, late
/// signals of its controls (an edit losing the focus as the window goes)
/// change nothing. \file
#pragma once

#include <functional>
#include <vector>

#include "quellix/host/Controls.h"

class QPushButton;
class QVBoxLayout;

namespace quellix::ChartTools {

/// Writes back one value as it was when the closure was made.
using TRestore = std::function<void()>;

/// The value Get reads from Obj now, kept for Set: the closure puts it back.
template <class TObj, class TGet, class TSet>
TRestore Keep(TObj& Obj, TGet Get, TSet Set) {
  return [&Obj, Set, Value = (Obj.*Get)()] { (Obj.*Set)(Value); };
}

class TPropertyDialog : public TForm {
  Q_OBJECT
public:
  TPropertyDialog(const QString& Caption, TComponentCore* AOwner, QWidget* AParent);

  /// Saves the chart's values and shows them in the controls; from now on
  /// the controls change the chart. Runs on every showing.
  void FormShow();
  void OkClick() { SetModalResult(mrOk); }
  void CancelClick() { SetModalResult(mrCancel); }
  /// Any result but mrOk writes the saved values back.
  void done(int Result) override;

  QPushButton* ButtonOK;
  QPushButton* ButtonCancel;

protected:
  /// Whether the dialog is bound to a chart.
  virtual bool HasChart() const = 0;
  /// Closures that put the chart back as it is now; run in this order.
  virtual std::vector<TRestore> Save() = 0;
  /// The controls take the chart's values.
  virtual void Fill() = 0;
  /// Fill, without the controls' signals reaching the chart.
  void FillControls();
  /// True while a change of a control is to go to the chart.
  bool Live() const { return FLive && !FFilling; }
  /// Where a dialog puts its controls, above the button row.
  QVBoxLayout* Body() const { return FBody; }
  void showEvent(QShowEvent* Event) override;

private:
  QVBoxLayout* FBody;
  std::vector<TRestore> FRestore;
  bool FLive = false;
  bool FFilling = false;
};

}  ///< namespace quellix::ChartTools
