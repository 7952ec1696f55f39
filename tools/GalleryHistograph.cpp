// Gallery pages of the histograph: a Yt curve between an upper and a lower
// reference curve, an XY figure, and a logarithmic Y axis.
#include <cmath>
#include <vector>

#include "Gallery.h"
#include "quellix/histograph/HistographEngine.h"
#include "quellix/host/NumberFormat.h"

using namespace quellix;
using namespace quellix::HistoInt;

namespace {

void SetSeries(THistographInt& H, Integer Serie, TDataKind Kind, TColor Color) {
  H.SetSeriesCurrent(Serie);
  H.SetSeriesStyle(Kind);
  H.SetSeriesColor(Color);
}

}  // namespace

QUELLIX_GALLERY_PAGE(Histograph) {
  // Yt: noisy sine between its reference band, as the Yt demonstration
  // window shows it.
  {
    THistographInt H;
    H.SetBounds(0, 0, 560, 380);
    H.SetTitleTop(QStringLiteral("Yt-Darstellung"));
    H.SetTitleBottom(QStringLiteral("Zeit [s]"));
    H.SetTitleLeft(QStringLiteral("Spannung [V]"));
    H.SetTitleRight(QStringLiteral("Kanal 1"));
    H.SetBkColor(clWhite);
    H.SetGridVisible(grdBoth);
    H.SetGridLineStyle(psDot);
    H.SetViewYMin(-2);
    H.SetViewYMax(2);
    H.SetViewYGap(0.5f);
    H.SetViewXNominalMax(16);
    H.SetViewXCurrentMax(16);
    H.SetSeriesNumber(3);
    SetSeries(H, 1, dtData, clBlack);
    SetSeries(H, 2, dtUpperRef, clRed);
    SetSeries(H, 3, dtLowerRef, clRed);
    std::vector<Single> Upper(256), Lower(256), Data(256);
    SetRandSeed(7);
    for (int i = 1; i <= 256; ++i) {
      const double S = std::sin(i * 0.0625);
      Upper[i - 1] = Single(S + 0.3);
      Lower[i - 1] = Single(S - 0.3);
      Data[i - 1] = Single(S + 0.5 * Random() - 0.2);
    }
    H.SetData(Upper.data(), 256, 2);
    H.SetData(Lower.data(), 256, 3);
    H.SetData(Data.data(), 256, 1);
    quellix::gallery::SaveWidget(&H, OutDir, "histograph-yt.png");
  }

  // XY: a phase figure of 200 points.
  {
    THistographInt H;
    H.SetBounds(0, 0, 420, 420);
    H.SetTitleTop(QStringLiteral("XY-Darstellung"));
    H.SetBkColor(clBlack);
    H.SetGridColor(clGreen);
    H.SetGridVisible(grdBoth);
    H.SetViewYMin(-1.2f);
    H.SetViewYMax(1.2f);
    H.SetViewYGap(0.4f);
    H.SetViewXNominalMin(-1.2f);
    H.SetViewXNominalMax(1.2f);
    H.SetViewXCurrentMin(-1.2f);
    H.SetViewXCurrentMax(1.2f);
    H.SetViewXGap(0.4f);
    H.SetViewXDecimals(1);
    H.SetViewYDecimals(1);
    SetSeries(H, 1, dtDataXY, clLime);
    std::vector<Single> Pairs(400);
    const double Fx = 0.1, Fy = 0.15, Px = 0, Py = 90;
    for (int i = 1; i <= 200; ++i) {
      Pairs[2 * (i - 1)] = Single(std::sin(i * Fy + Px));
      Pairs[2 * (i - 1) + 1] = Single(std::sin(i * Fx + Py));
    }
    H.SetDataXY(Pairs.data(), 200, 1);
    quellix::gallery::SaveWidget(&H, OutDir, "histograph-xy.png");
  }

  // Logarithmic Y: the magnitude of a resonance over frequency.
  {
    THistographInt H;
    H.SetBounds(0, 0, 560, 380);
    H.SetTitleTop(QStringLiteral("Resonanzkurve"));
    H.SetTitleBottom(QStringLiteral("Frequenz [Hz]"));
    H.SetTitleLeft(QStringLiteral("Betrag"));
    H.SetBkColor(clWhite);
    H.SetGridScale(sclLinLog);
    H.SetGridVisible(grdBoth);
    H.SetGridColor(clSilver);
    H.SetViewYMin(0.01f);
    H.SetViewYMax(200);
    H.SetViewXNominalMax(1000);
    H.SetViewXCurrentMax(1000);
    H.SetViewXGap(100);
    H.SetViewXDecimals(0);
    SetSeries(H, 1, dtData, clBlue);
    std::vector<Single> Mag(500);
    for (int i = 0; i < 500; ++i) {
      const double F = (i + 1) * 2.0, F0 = 300, Q = 20;
      const double U = F / F0 - F0 / F;
      Mag[i] = Single(100.0 / std::sqrt(1 + Q * Q * U * U));
    }
    H.SetData(Mag.data(), 500, 1);
    quellix::gallery::SaveWidget(&H, OutDir, "histograph-log.png");
  }
}
