// Gallery page of the histograph's tools: a plot with the measuring cross
// and both calculation crosses, the tool bar with its colour grid, the
// value bar, and the title, grid and dimension dialogs.
#include <cmath>
#include <vector>

#include "Gallery.h"
#include "quellix/histograph/ColorGrid.h"
#include "quellix/histograph/HistographEngine.h"
#include "quellix/histograph/ValueBar.h"
#include "quellix/histograph/DimensionDialog.h"
#include "quellix/histograph/GridDialog.h"
#include "quellix/histograph/TitleDialog.h"
#include "quellix/histograph/ToolBar.h"

using namespace quellix;
using namespace quellix::HistoInt;

QUELLIX_GALLERY_PAGE(HistoTools) {
  THistographInt H;
  H.SetBounds(0, 0, 560, 380);
  H.SetTitleTop(QStringLiteral("Vermessen"));
  H.SetTitleBottom(QStringLiteral("Zeit [ms]"));
  H.SetTitleLeft(QStringLiteral("Spannung [V]"));
  H.SetBkColor(clWhite);
  H.SetGridVisible(grdBoth);
  H.SetGridColor(clSilver);
  H.SetGridLineStyle(psDot);
  H.SetViewYMin(-1.5f);
  H.SetViewYMax(1.5f);
  H.SetViewYGap(0.5f);
  H.SetViewYDecimals(1);
  H.SetViewXNominalMax(20);
  H.SetViewXCurrentMax(20);
  H.SetViewXGap(2);
  H.SetViewXDecimals(0);
  H.SetSeriesNumber(3);
  const Integer N = 200;
  std::vector<Single> Sine(N), Upper(N, 1.2f), Lower(N, -1.2f);
  for (Integer i = 0; i < N; ++i) {
    Sine[i] = Single(std::sin(i * 2 * M_PI / 80) * (1 - i / 400.0));
    Upper[i] = Single(1.15 + 0.15 * std::sin(i * 2 * M_PI / 120));
    Lower[i] = Single(-1.15 - 0.15 * std::cos(i * 2 * M_PI / 150));
  }
  const struct {
    TDataKind Kind;
    TColor Color;
    const std::vector<Single>* Data;
  } Series[] = {{dtData, clBlue, &Sine}, {dtUpperRef, clRed, &Upper}, {dtLowerRef, clGreen, &Lower}};
  for (Integer k = 1; k <= 3; ++k) {
    H.SetSeriesCurrent(k);
    H.SetSeriesStyle(Series[k - 1].Kind);
    H.SetSeriesColor(Series[k - 1].Color);
    H.SetData(Series[k - 1].Data->data(), N, k);
  }
  H.Repaint();

  // Two calculation crosses on the sine (left and right button), then the
  // measuring cross on the upper reference.
  H.SetShowValueBar(true);
  H.SetMode(modeCalculate);
  H.MouseDown(mbLeft, 0, 130, H.YPixelOf(0.9));
  H.MouseUp(mbLeft, 0, 130, H.YPixelOf(0.9));
  H.MouseDown(mbRight, 0, 300, H.YPixelOf(0.6));
  H.MouseUp(mbRight, 0, 300, H.YPixelOf(0.6));
  H.PlaceCross(2, 430, H.YPixelOf(1.2), true);
  quellix::gallery::SaveWidget(&H, OutDir, "histo_tools_crosses.png");
  quellix::gallery::SaveWidget(H.ValueBar(), OutDir, "histo_tools_valuebar.png");

  H.SetShowToolBar(true);
  Etb::TFormToolBar& T = *H.ToolBar();
  T.Palette()->SetSelection(9);
  quellix::gallery::SaveWidget(&T, OutDir, "histo_tools_toolbar.png");
  quellix::gallery::SaveWidget(T.FormTitle(), OutDir, "histo_tools_title.png");
  quellix::gallery::SaveWidget(T.FormGrid(), OutDir, "histo_tools_grid.png");
  quellix::gallery::SaveWidget(T.FormAxis(), OutDir, "histo_tools_axis.png");

  // The colour grid alone in its square ordering with both markers.
  Colorhis::TColorGridHisto G;
  G.SetForegroundIndex(4);
  G.SetBackgroundIndex(11);
  G.SetSelection(6);
  quellix::gallery::SaveWidget(&G, OutDir, "histo_tools_colorgrid.png");
}
