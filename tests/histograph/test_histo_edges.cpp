// The histograph at the edges: numbers that are not finite (setters, data,
// automatic scaling, extreme ranges), decimal scales whose span is not a
// whole number of gaps in binary, the logarithmic mappings after every
// change they depend on, the side-title fonts at the first paint, and
// scientific X labels that never run together.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <vector>

#include "quellix/histograph/HistographEngine.h"
#include "quellix/host/NumberFormat.h"

using namespace quellix;
using namespace quellix::HistoInt;

namespace {

constexpr Single NaN = std::numeric_limits<Single>::quiet_NaN();
constexpr Single Inf = std::numeric_limits<Single>::infinity();

class THisto : public THistographInt {
public:
  THisto(Integer W = 400, Integer H = 300) {
    SetBounds(0, 0, W, H);
    SetColor(clSilver);
    SetBkColor(clWhite);
  }
  TColor Px(Integer X, Integer Y) { return Canvas().Pixel(X, Y); }
  bool ShowsRangeError() {
    Repaint();
    return Px(Width() - 5, Height() - 5) == clRed;
  }
};

std::vector<Extended> Values(const std::vector<TAxisMark>& Marks) {
  std::vector<Extended> V;
  for (const TAxisMark& M : Marks) V.push_back(M.Value);
  return V;
}

void ExpectValues(const std::vector<Extended>& Got, const std::vector<double>& Want, const std::string& What) {
  ASSERT_EQ(Got.size(), Want.size()) << What;
  for (size_t i = 0; i < Want.size(); ++i) EXPECT_NEAR(double(Got[i]), Want[i], 1e-6) << What << " #" << i;
}

}  // namespace

// ---------------------------------------------------------------------------
// Numbers that are not finite

TEST(HistoNonFinite, EveryViewSetterKeepsItsValue) {
  struct Row {
    const char* Name;
    std::function<void(THistographInt&, Single)> Set;
    std::function<Single(const THistographInt&)> Get;
  };
#define VIEW_ROW(Prop) \
  Row { #Prop, [](THistographInt& H, Single V) { H.Set##Prop(V); }, [](const THistographInt& H) { return H.Prop(); } }
  const Row Rows[] = {VIEW_ROW(ViewYMin),        VIEW_ROW(ViewYMax),        VIEW_ROW(ViewYGap),
                      VIEW_ROW(ViewXGap),        VIEW_ROW(ViewXNominalMin), VIEW_ROW(ViewXNominalMax),
                      VIEW_ROW(ViewXCurrentMin), VIEW_ROW(ViewXCurrentMax)};
#undef VIEW_ROW
  // A number typed into a dialog beyond the Single range arrives as an
  // infinity too.
  const Single Typed = Single(StrToFloat(QStringLiteral("1e39")));
  for (const Row& R : Rows) {
    for (Single Bad : {NaN, Inf, -Inf, Typed}) {
      THisto H;
      const Single Before = R.Get(H);
      R.Set(H, Bad);
      EXPECT_EQ(R.Get(H), Before) << R.Name << " = " << Bad;
      EXPECT_FALSE(H.ShowsRangeError()) << R.Name << " = " << Bad;
    }
  }
}

// Ranges at the ends of the Single range paint in bounded time: the grid
// is never denser than one line per two pixels, and a gap that would be
// beyond the Single range gives no grid rather than an infinite one.
TEST(HistoNonFinite, ExtremeRangesPaintAndRecover) {
  struct Row {
    const char* Name;
    Single YMin, YMax, YGap;
    TGrdScale Scale;
  };
  const Row Rows[] = {
      {"the whole Single range", -3e38f, 3e38f, 2, sclLinLin},
      {"the whole range on a tiny plot", -3e38f, 3e38f, 1e-30f, sclLinLin},
      {"a gap of the largest Single", 0, 10, 3.4e38f, sclLinLin},
      {"a gap of the smallest Single", 0, 10, 1e-45f, sclLinLin},
      {"seventy-six decades", 1e-38f, 3e38f, 2, sclLinLog},
  };
  for (const Row& R : Rows) {
    THisto H(R.YGap == 1e-30f ? 72 : 400, R.YGap == 1e-30f ? 62 : 300);
    H.SetGridVisible(grdBoth);
    H.SetGridScale(R.Scale);
    H.SetViewYMax(R.YMax);
    H.SetViewYMin(R.YMin);
    H.SetViewYGap(R.YGap);
    H.SetViewXGap(R.YGap);
    EXPECT_FALSE(H.ShowsRangeError()) << R.Name;
    // Bounded: one line per two pixels at most, nine per decade.
    EXPECT_LE(H.LayoutYAxis().Grid.size(), R.Scale == sclLinLin ? 300u : 9u * 77) << R.Name;
    EXPECT_TRUE(std::isfinite(H.ViewYGap())) << R.Name;
    // Back to an ordinary range and size: the picture is the ordinary one.
    H.SetBounds(0, 0, 400, 300);
    H.SetGridScale(sclLinLin);
    H.SetViewYMin(0);
    H.SetViewYMax(10);
    H.SetViewYGap(2);
    const auto Labels = Values(H.LayoutYAxis().Labels);
    ASSERT_FALSE(Labels.empty()) << R.Name;
    EXPECT_EQ(Labels.back(), 10) << R.Name;
  }
}

TEST(HistoNonFinite, AutoScaleFitsTheNumbersAndPassesTheRestBy) {
  struct Row {
    const char* Name;
    std::vector<Single> Block;
    TGrdScale Scale;
  };
  const Row Rows[] = {
      {"+Inf and -Inf in one block", {3.2f, Inf, 4.1f, -Inf, 3.5f}, sclLinLin},
      {"NaN between numbers", {3.2f, NaN, 4.1f, 3.5f}, sclLinLin},
      {"only infinities", {Inf, -Inf}, sclLinLin},
      {"+Inf and -Inf on a logarithmic axis", {3.2f, Inf, 4.1f, -Inf}, sclLinLog},
      {"the ends of the Single range", {-3.4e38f, 3.4e38f}, sclLinLin},
  };
  for (const Row& R : Rows) {
    THisto H;
    H.SetGridScale(R.Scale);
    H.SetAutoScale(true);
    std::vector<Single> Data = R.Block;
    H.SetData(Data.data(), Integer(Data.size()), 1);
    H.Repaint();
    EXPECT_TRUE(std::isfinite(H.ViewYMin()) && std::isfinite(H.ViewYMax())) << R.Name;
    EXPECT_FALSE(H.ShowsRangeError()) << R.Name;
    // The next block of numbers is fitted as on a fresh histograph.
    std::vector<Single> Good{103.2f, 104.1f, 103.5f};
    H.SetData(Good.data(), 3, 1);
    H.Repaint();
    THisto Fresh;
    Fresh.SetGridScale(R.Scale);
    Fresh.SetAutoScale(true);
    Fresh.SetData(Good.data(), 3, 1);
    Fresh.Repaint();
    EXPECT_EQ(H.ViewYMin(), Fresh.ViewYMin()) << R.Name;
    EXPECT_EQ(H.ViewYMax(), Fresh.ViewYMax()) << R.Name;
  }
}

TEST(HistoNonFinite, CurvesWithValuesThatAreNoNumber) {
  THisto H;
  H.SetSeriesNumber(2);
  H.SetSeriesCurrent(2);
  H.SetSeriesStyle(dtDataXY);
  std::vector<Single> Y{1, NaN, 3, Inf, -Inf, 6};
  std::vector<Single> XY{1, 1, NaN, 2, Inf, 3, 4, NaN};
  H.SetData(Y.data(), Integer(Y.size()), 1);
  H.SetDataXY(XY.data(), 4, 2);
  H.Repaint();
  for (const TPoint& P : H.CurvePoints(1, H.ClientRect())) {
    EXPECT_LE(std::abs(P.X), CoordLimit);
    EXPECT_LE(std::abs(P.Y), CoordLimit);
  }
  for (const TPoint& P : H.CurvePoints(2, H.ClientRect())) {
    EXPECT_LE(std::abs(P.X), CoordLimit);
    EXPECT_LE(std::abs(P.Y), CoordLimit);
  }
}

// ---------------------------------------------------------------------------
// Decimal scales

TEST(HistoDecimalScales, EveryMultipleOfTheGapHasItsLabel) {
  struct Row {
    const char* Name;
    Single Min, Max, Gap;
    std::vector<double> Labels;
    std::vector<double> Grid;   // below the upper end, which the frame marks
  };
  const Row Rows[] = {
      {"0 to 0.6 by 0.2: the last label", 0, 0.6f, 0.2f, {0, 0.2, 0.4, 0.6}, {0, 0.2, 0.4}},
      {"0.3 to 1.0 by 0.1: the first and the last",
       0.3f,
       1.0f,
       0.1f,
       {0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0},
       {0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}},
      {"-0.7 to 0.7 by 0.1: the first label",
       -0.7f,
       0.7f,
       0.1f,
       {-0.7, -0.6, -0.5, -0.4, -0.3, -0.2, -0.1, 0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7},
       {-0.7, -0.6, -0.5, -0.4, -0.3, -0.2, -0.1, 0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6}},
      {"5 to 100 by 10: the end on a multiple", 5, 100, 10, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100},
       {10, 20, 30, 40, 50, 60, 70, 80, 90}},
  };
  for (const Row& R : Rows) {
    for (bool IsY : {true, false}) {
      THisto H(1400, 1000);
      H.SetViewXDecimals(1);
      H.SetViewYDecimals(1);
      if (IsY) {
        H.SetViewYMax(R.Max);
        H.SetViewYMin(R.Min);
        H.SetViewYGap(R.Gap);
      } else {
        H.SetViewXCurrentMax(R.Max);
        H.SetViewXCurrentMin(R.Min);
        H.SetViewXGap(R.Gap);
      }
      const TAxisLayout A = IsY ? H.LayoutYAxis() : H.LayoutXAxis();
      const std::string What = std::string(R.Name) + (IsY ? " (Y)" : " (X)");
      ExpectValues(Values(A.Labels), R.Labels, What + ": labels");
      ExpectValues(Values(A.Grid), R.Grid, What + ": grid");
      ASSERT_FALSE(A.Labels.empty());
      // The end labels stand at the range's ends.
      const TRect P = H.PlotRect();
      if (R.Labels.back() == R.Max) {
        EXPECT_EQ(A.Labels.back().Pixel, IsY ? P.Top : P.Right - 1) << What;
      }
    }
  }
}

// ---------------------------------------------------------------------------
// Logarithmic mappings follow every change they depend on

TEST(HistoMappings, LogarithmicMappingsFollowEveryChangeTheyDependOn) {
  struct Row {
    const char* Name;
    std::function<void(THistographInt&)> Change;
  };
  const Row Rows[] = {
      {"GapLeft", [](THistographInt& H) { H.SetGapLeft(120); }},
      {"GapRight", [](THistographInt& H) { H.SetGapRight(10); }},
      {"GapTop", [](THistographInt& H) { H.SetGapTop(90); }},
      {"GapBottom", [](THistographInt& H) { H.SetGapBottom(20); }},
      {"ViewXNominalMin from 0 to a positive value", [](THistographInt& H) { H.SetViewXNominalMin(1); }},
      {"ViewXNominalMax after an empty nominal range",
       [](THistographInt& H) {
         H.SetViewXNominalMax(1);
         H.SetViewXNominalMin(1);
         H.SetViewXNominalMax(1000);
       }},
      {"ViewYMin and ViewYMax", [](THistographInt& H) {
         H.SetViewYMax(1e4f);
         H.SetViewYMin(1e-2f);
       }},
      {"ViewXCurrentMin and ViewXCurrentMax", [](THistographInt& H) {
         H.SetViewXCurrentMin(10);
         H.SetViewXCurrentMax(100);
       }},
      {"GridScale", [](THistographInt& H) {
         H.SetGridScale(sclLinLin);
         H.SetGridScale(sclLogLog);
       }},
  };
  for (const Row& R : Rows) {
    THisto H;
    H.SetViewXNominalMin(0);  // no logarithmic X mapping yet
    H.SetGridScale(sclLogLog);
    H.SetViewYMin(1);
    H.SetViewYMax(1000);
    H.SetViewXCurrentMin(1);
    H.SetViewXCurrentMax(1000);
    H.SetViewXNominalMin(1);
    H.SetViewXNominalMax(1000);
    H.Repaint();
    R.Change(H);
    // Whatever changed, the range ends land on the plot's edges, and the
    // labels and grid lines on the plot.
    const TRect P = H.PlotRect();
    EXPECT_EQ(H.LogXPixel(H.ViewXCurrentMin()), P.Left) << R.Name;
    EXPECT_EQ(H.LogXPixel(H.ViewXCurrentMax()), P.Right) << R.Name;
    EXPECT_EQ(H.LogYPixel(H.ViewYMin()), P.Bottom - 1) << R.Name;
    EXPECT_EQ(H.LogYPixel(H.ViewYMax()), P.Top) << R.Name;
    for (const TAxisMark& M : H.LayoutXAxis().Grid) {
      EXPECT_GE(M.Pixel, P.Left) << R.Name;
      EXPECT_LE(M.Pixel, P.Right) << R.Name;
    }
    for (const TAxisMark& M : H.LayoutYAxis().Labels) {
      EXPECT_GE(M.Pixel, P.Top) << R.Name;
      EXPECT_LE(M.Pixel, P.Bottom) << R.Name;
    }
  }
}

// ---------------------------------------------------------------------------
// Side-title fonts and X labels

TEST(HistoDrawing, SideTitlesTakeTheControlFontButTheirFaceAtTheFirstPaint) {
  THisto H;
  H.FontTitleLeft().SetName(QStringLiteral("DejaVu Sans"));
  H.Font().SetSize(14);
  H.Font().SetStyle(fsBold | fsItalic);
  H.Font().SetColor(clBlue);
  H.SetTitleLeft(QStringLiteral("links"));
  H.Repaint();
  for (TFont* F : {&H.FontTitleLeft(), &H.FontTitleRight()}) {
    EXPECT_EQ(F->Size(), 14);
    EXPECT_EQ(F->Style(), fsBold | fsItalic);
    EXPECT_EQ(F->Color(), clBlue);
  }
  EXPECT_EQ(H.FontTitleLeft().Name(), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(H.FontTitleRight().Name(), QStringLiteral("Arial"));
  // Only once: a font set afterwards stays as set.
  H.FontTitleRight().SetSize(20);
  H.Repaint();
  EXPECT_EQ(H.FontTitleRight().Size(), 20);
}

TEST(HistoDrawing, ScientificXLabelsNeverRunTogether) {
  struct Row {
    const char* Name;
    Single Min, Max, Gap;
    Integer Width;
  };
  const Row Rows[] = {
      {"round ends, long inner labels", 0.0001f, 0.0009f, 0.0000125f, 400},
      {"narrow plot", 0.0001f, 0.0009f, 0.0000125f, 200},
      {"negative values", -0.0004f, 0.0004f, 0.0000125f, 400},
      {"large values", 100000, 900000, 12500, 400},
  };
  for (const Row& R : Rows) {
    THisto H(R.Width, 200);
    H.SetViewXCurrentMax(R.Max);
    H.SetViewXCurrentMin(R.Min);
    H.SetViewXNominalMin(R.Min);
    H.SetViewXNominalMax(R.Max);
    H.SetViewXGap(R.Gap);
    const TAxisLayout A = H.LayoutXAxis();
    ASSERT_GE(A.Labels.size(), 2u) << R.Name;
    EXPECT_TRUE(A.Labels[1].Text.contains(QLatin1Char('E'))) << R.Name;
    TCanvas& Cv = H.Canvas();
    Cv.Font().Assign(H.FontXAxis());
    for (size_t i = 1; i < A.Labels.size(); ++i) {
      const TAxisMark &L = A.Labels[i - 1], &N = A.Labels[i];
      const Integer RightOfLast = L.Pixel - Cv.TextWidth(L.Text) / 2 + Cv.TextWidth(L.Text);
      const Integer LeftOfNext = N.Pixel - Cv.TextWidth(N.Text) / 2;
      EXPECT_GE(LeftOfNext - RightOfLast, 5) << R.Name << ": " << L.Text.toStdString() << " and "
                                            << N.Text.toStdString();
    }
  }
}
