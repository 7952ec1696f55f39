/// The grid dialog of a chart ("Gitter"): the grid on or off, the scales
/// and the grid's line style. The histograph shows the scale and line-style
/// choices as open lists, the strip chart as drop-down boxes. \file
#pragma once

#include <type_traits>

#include "quellix/charttools/PropertyDialog.h"
#include "quellix/host/Graphics.h"

class QCheckBox;

namespace quellix::ChartTools {

enum TChoiceStyle { csList, csDropDown };

/// One entry of the line-style choice: R filled with Fill, a black frame
/// when Framed, and a black line in Style through the middle of R.
void DrawLineStyleItem(TCanvas& Cv, const TRect& R, TPenStyle Style, TColor Fill = clWhite, bool Framed = true);

class TGridDialog : public TPropertyDialog {
  Q_OBJECT
public:
  TGridDialog(TChoiceStyle Style, TComponentCore* AOwner, QWidget* AParent);

  /// On activation: the controls show the chart's settings.
  void FormActivate() { FillControls(); }
  /// Ticked: both grids on; cleared: none (never only one of them).
  void GridVisibleClick();
  /// Entry of the scale choice (the four of "Skalierung").
  void ScaleChange(int Entry);
  /// Entry of the line-style choice: the pen style of that index.
  void LineStyleChange(int Entry);

  QCheckBox* CBGridVisible;
  QWidget* ScaleChoice;      ///< a QListWidget or a QComboBox
  QWidget* LineStyleChoice;  ///< the same kind, entries drawn by DrawLineStyleItem

protected:
  /// The chart's side.
  virtual bool ChartGridVisible() const = 0;
  virtual void SetChartGridVisible(bool Both) = 0;
  virtual int ChartScaleEntry() const = 0;
  virtual void SetChartScaleEntry(int Entry) = 0;
  virtual TPenStyle ChartLineStyle() const = 0;
  virtual void SetChartLineStyle(TPenStyle Style) = 0;

  void Fill() override;
  void changeEvent(QEvent* Event) override;
};

/// The grid dialog bound to a chart class with the properties GridVisible
/// (grdNone … grdBoth), GridScale and GridLineStyle. The chart's own class
/// says how the four scale entries map to its GridScale.
template <class TChart>
class TGridDialogOf : public TGridDialog {
public:
  using TGridDialog::TGridDialog;
  TChart* Chart = nullptr;

protected:
  bool HasChart() const override { return Chart; }
  /// Put back in this order: line style, visibility, scale.
  std::vector<TRestore> Save() override {
    return {Keep(*Chart, &TChart::GridLineStyle, &TChart::SetGridLineStyle),
            Keep(*Chart, &TChart::GridVisible, &TChart::SetGridVisible),
            Keep(*Chart, &TChart::GridScale, &TChart::SetGridScale)};
  }
  bool ChartGridVisible() const override { return Chart->GridVisible() != Visible(false); }
  void SetChartGridVisible(bool Both) override { Chart->SetGridVisible(Visible(Both)); }
  TPenStyle ChartLineStyle() const override { return Chart->GridLineStyle(); }
  void SetChartLineStyle(TPenStyle Style) override { Chart->SetGridLineStyle(Style); }

private:
  // The chart's own grdBoth or grdNone.
  auto Visible(bool Both) const {
    using TVisible = std::remove_cvref_t<decltype(Chart->GridVisible())>;
    return Both ? TVisible::grdBoth : TVisible::grdNone;
  }
};

}  ///< namespace quellix::ChartTools
