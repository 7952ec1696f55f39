// Every drawn component on a high-DPI surface: at ratio 2 (and 1.5) the
// picture has the geometry of the ratio-1 picture spread over the larger
// surface (flat areas, frames and margins in the same logical places), and
// text and sloped lines finer than one logical pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "quellix/histograph/ColorGrid.h"
#include "quellix/histograph/HistographEngine.h"
#include "quellix/instruments/BarGraph.h"
#include "quellix/instruments/Dial.h"
#include "quellix/instruments/Led.h"
#include "quellix/instruments/Meter.h"
#include "quellix/instruments/PanelMeter.h"
#include "quellix/instruments/RotateLabel.h"
#include "quellix/instruments/Slider.h"
#include "quellix/stripchart/StripChartEngine.h"

using namespace quellix;

namespace {

int Cell(qreal R, int X) { return static_cast<int>(std::floor(X * R + 0.5)); }

struct TKind {
  const char* Name;
  std::function<TControl*()> Make;  // sized and filled with content
  bool HasDetail;                   // text or sloped lines to show finer than a logical pixel
};

template <class T>
TKind Kind(const char* Name, int W, int H, std::function<void(T&)> Fill, bool HasDetail = true) {
  return {Name,
          [=] {
            T* C = new T;
            C->SetBounds(0, 0, W, H);
            Fill(*C);
            return C;
          },
          HasDetail};
}

std::vector<Single> Wave(int N, double F) {
  std::vector<Single> V(N);
  for (int i = 0; i < N; ++i) V[i] = static_cast<Single>(5 + 4 * std::sin(i * F));
  return V;
}

const std::vector<Single>& HistoData() {
  static const std::vector<Single> D = Wave(200, 0.07);
  return D;
}

std::vector<TKind> Kinds() {
  return {
      Kind<StrpChrtInt::TStripChartInt>("strip chart", 417, 233,
                                        [](auto& C) {
                                          C.SetGridVisible(StrpChrtInt::grdBoth);
                                          C.SetTitleTop("Titel");
                                          C.SetTitleLeft("Links");
                                          const std::vector<Single> V = Wave(300, 0.05);
                                          StrpChrtInt::TSeriesValues S{V.data()};
                                          C.AddValues(S, 1, 300);
                                        }),
      Kind<HistoInt::THistographInt>("histograph", 400, 300,
                                     [](auto& H) {
                                       H.SetGridVisible(HistoInt::grdBoth);
                                       H.SetTitleTop("Titel");
                                       H.SetData(HistoData().data(), 200, 1);
                                     }),
      Kind<meterInt::TMeterInt>("meter", 200, 150, [](auto& M) {
        M.SetLegend1("Volt");
        M.SetValue(37);
      }),
      Kind<dial::TDial>("dial", 120, 120, [](auto& D) { D.SetValue(30); }),
      Kind<Slider::TSlider>("slider", 60, 200,
                            [](auto& S) {
                              S.SetButtonCaption("Q");
                              S.SetValue(40);
                            }),
      Kind<bargraphint::TBarGraphInt>("bar graph", 60, 233, [](auto& B) { B.SetValue(60); }, false),
      Kind<LedInt::TLedInt>("LED", 30, 30, [](auto& L) { L.SetValue(true); }),
      Kind<PMeterInt::TPanelMeterInt>("panel meter", 160, 60, [](auto& P) { P.SetValue(1.234); }, false),
      Kind<RLabel::TRotateLabel>("rotated label", 100, 100, [](auto& L) { L.SetCaption("Quellix"); }),
      Kind<Colorhis::TColorGridHisto>("colour grid", 100, 100, [](auto&) {}, false),
  };
}

}  // namespace

TEST(HiDpiComponents, SameGeometryAsRatioOneAndFinerDetail) {
  for (const TKind& K : Kinds()) {
    std::unique_ptr<TControl> Lo(K.Make());
    Lo->Repaint();
    const QImage L = Lo->Surface().copy();
    for (const qreal R : {2.0, 1.5}) {
      std::unique_ptr<TControl> Hi(K.Make());
      Hi->SetPixelRatio(R);
      Hi->Repaint();
      const QImage& S = Hi->Surface();
      ASSERT_EQ(S.size(), QSize(Cell(R, L.width()), Cell(R, L.height()))) << K.Name;
      // Every logical pixel inside a flat area of the ratio-1 picture (its
      // neighbours of its colour) covers surface pixels of that colour. At
      // ratio 1.5 a sloped edge drawn at the surface's resolution may lie
      // one surface pixel (2/3 of a logical one) beside the ratio-1 edge,
      // so there the flat area starts two logical pixels from any edge.
      const int Reach = R == 2 ? 1 : 2;
      int Flat = 0, Wrong = 0, Fine = 0;
      for (int Y = Reach; Y + Reach < L.height(); ++Y)
        for (int X = Reach; X + Reach < L.width(); ++X) {
          const QRgb C = L.pixel(X, Y);
          bool Uniform = true;
          for (int DY = -Reach; DY <= Reach && Uniform; ++DY)
            for (int DX = -Reach; DX <= Reach; ++DX) Uniform = Uniform && L.pixel(X + DX, Y + DY) == C;
          bool Same = true, Mixed = false;
          const QRgb First = S.pixel(Cell(R, X), Cell(R, Y));
          for (int SY = Cell(R, Y); SY < Cell(R, Y + 1); ++SY)
            for (int SX = Cell(R, X); SX < Cell(R, X + 1); ++SX) {
              Same = Same && S.pixel(SX, SY) == C;
              Mixed = Mixed || S.pixel(SX, SY) != First;
            }
          Fine += Mixed;
          if (!Uniform) continue;
          ++Flat;
          Wrong += !Same;
        }
      // Glyphs hinted at the larger size may reach a flat pixel next to a
      // letter now and then; nothing else may.
      EXPECT_LE(Wrong, Flat / 500) << K.Name << " at ratio " << R << ": " << Wrong << " of " << Flat;
      if (K.HasDetail && R == 2) {
        EXPECT_GT(Fine, 20) << K.Name << ": nothing finer than a logical pixel";
      }
    }
  }
}
