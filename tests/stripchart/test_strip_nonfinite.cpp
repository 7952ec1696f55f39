// Non-finite numbers reaching the strip chart: every numeric setter keeps
// its value, samples that are no number pass the range watch and the
// automatic range by, and the picture recovers as soon as good values
// arrive.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <random>

#include "StripTestUtil.h"
#include "quellix/stripchart/StripChartRows.h"

using namespace striptest;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

struct TChart : TStripChartInt {
  TChart() {
    SizeLikeDemo(*this);
    SetLogTimeIncrement(0.005);
    SetBkColor(clWhite);
  }
  QRgb At(int X, int Y) const { return Surface().pixel(X, Y); }
};

void FeedBlock(TStripChartInt& Chart, std::vector<Single> Block) {
  TSeriesValues V{Block.data()};
  Chart.AddValues(V, 1, static_cast<Integer>(Block.size()));
}

}  // namespace

TEST(StripNonFinite, EveryNumericSetterKeepsItsValue) {
  struct Row {
    const char* Name;
    std::function<void(TStripChartInt&, double)> Set;
    std::function<double(const TStripChartInt&)> Get;
  };
  const Row Rows[] = {
      {"ViewYMin", [](auto& C, double V) { C.SetViewYMin(Single(V)); }, [](auto& C) { return double(C.ViewYMin()); }},
      {"ViewYMax", [](auto& C, double V) { C.SetViewYMax(Single(V)); }, [](auto& C) { return double(C.ViewYMax()); }},
      {"ViewYGap", [](auto& C, double V) { C.SetViewYGap(Single(V)); }, [](auto& C) { return double(C.ViewYGap()); }},
      {"ViewXGap", [](auto& C, double V) { C.SetViewXGap(V); }, [](auto& C) { return C.ViewXGap(); }},
      {"MarkerWidth", [](auto& C, double V) { C.SetMarkerWidth(Single(V)); },
       [](auto& C) { return double(C.MarkerWidth()); }},
      {"RangeLower", [](auto& C, double V) { C.SetRangeLower(Single(V)); },
       [](auto& C) { return double(C.RangeLower()); }},
      {"RangeUpper", [](auto& C, double V) { C.SetRangeUpper(Single(V)); },
       [](auto& C) { return double(C.RangeUpper()); }},
      {"LogTimeIncrement", [](auto& C, double V) { C.SetLogTimeIncrement(V); },
       [](auto& C) { return C.LogTimeIncrement(); }},
      {"LogStartTime", [](auto& C, double V) { C.SetLogStartTime(V); }, [](auto& C) { return C.LogStartTime(); }},
  };
  for (const Row& R : Rows) {
    for (double Bad : {NaN, Inf, -Inf}) {
      TChart Chart;
      const double Before = R.Get(Chart);
      R.Set(Chart, Bad);
      EXPECT_EQ(R.Get(Chart), Before) << R.Name << " = " << Bad;
      Chart.Repaint();
      EXPECT_NE(Chart.At(300, 100), ToQRgb(clRed)) << R.Name << " = " << Bad << ": no range error";
      // A good value is taken at once.
      R.Set(Chart, 3.0);
      EXPECT_EQ(R.Get(Chart), 3.0) << R.Name;
    }
  }
}

TEST(StripNonFinite, SamplesThatAreNoNumber) {
  struct Row {
    const char* Name;
    Single Bad;
  };
  const Row Rows[] = {
      {"NaN sample", std::numeric_limits<Single>::quiet_NaN()},
      {"+Inf sample", std::numeric_limits<Single>::infinity()},
      {"-Inf sample", -std::numeric_limits<Single>::infinity()},
  };
  for (const Row& R : Rows) {
    TChart Chart;
    Chart.SetRangeLower(0);
    Chart.SetRangeUpper(10);
    std::vector<TStripRange> Events;
    Chart.OnRangeCheck = [&](TObject*, Double, Single, Integer, TStripRange Range) { Events.push_back(Range); };
    Chart.SetAutoScale(true);
    FeedBlock(Chart, {12, R.Bad, 5, R.Bad, -1, 3});
    // An infinity is outside the range like any large value; NaN is no
    // value and neither enters nor leaves it.
    const std::vector<TStripRange> NaNEvents{rngAbove, rngInside, rngBelow, rngInside};
    if (std::isnan(R.Bad))
      EXPECT_EQ(Events, NaNEvents) << R.Name;
    else
      EXPECT_EQ(Events.size(), 5u) << R.Name;   // above, inside, out, below, inside

    // The automatic range fits the numbers, not the infinity.
    Chart.Repaint();
    EXPECT_TRUE(std::isfinite(Chart.ViewYMin()) && std::isfinite(Chart.ViewYMax())) << R.Name;
    EXPECT_LE(Chart.ViewYMin(), -1) << R.Name;
    EXPECT_GE(Chart.ViewYMax(), 12) << R.Name;
    EXPECT_LE(Chart.ViewYMax() - Chart.ViewYMin(), 20) << R.Name;
    EXPECT_NE(Chart.At(300, 100), ToQRgb(clRed)) << R.Name;

    // Good values after the bad ones: the range follows them.
    std::vector<Single> Good(600);
    for (size_t i = 0; i < Good.size(); ++i) Good[i] = Single(100 + i % 101);
    FeedBlock(Chart, Good);
    Chart.Repaint();
    EXPECT_LE(Chart.ViewYMin(), 100) << R.Name;
    EXPECT_GE(Chart.ViewYMax(), 200) << R.Name;
    const TRect P = Chart.PlotRect();
    int Trace = 0;
    for (int X = P.Left; X < P.Right; ++X)
      for (int Y = P.Top; Y < P.Bottom; ++Y) Trace += Chart.At(X, Y) == ToQRgb(clBlack);
    EXPECT_GT(Trace, P.Right - P.Left) << R.Name << ": trace of the good values";
  }
}

TEST(StripNonFinite, MovingTheWindowToNoTime) {
  struct Row {
    const char* Name;
    bool Relative;
    double Time;
    double SameAs;   // the finite time that moves the window alike
  };
  // 2000 samples at 5 ms: the run spans 0 .. 9.995 s; the window ends at 5 s.
  const Row Rows[] = {
      {"NaN, absolute: nothing moves", false, NaN, 5.0},
      {"NaN, relative: nothing moves", true, NaN, 5.0},
      {"+Inf: to the live end", false, Inf, 1e9},
      {"-Inf, relative: to the run's start", true, -Inf, -1e9},
  };
  for (const Row& R : Rows) {
    TChart Chart, Finite;
    for (TChart* C : {&Chart, &Finite}) {
      C->SetSamplesPerBuffer(4096);
      std::int64_t Next = 0;
      Feed(*C, Next, 2000, 100);
      C->MoveWindowTo(false, 5.0);
      ASSERT_FALSE(C->LiveView()) << R.Name;
    }
    Chart.MoveWindowTo(R.Relative, R.Time);
    Finite.MoveWindowTo(false, R.SameAs);
    EXPECT_EQ(Chart.LiveView(), Finite.LiveView()) << R.Name;
    EXPECT_EQ(Chart.WindowEndTime(), Finite.WindowEndTime()) << R.Name;
    EXPECT_TRUE(std::isfinite(Chart.WindowEndTime())) << R.Name;
  }
}

// A trace's rows are computed many at a time: they must be the rows of
// the values one by one, for values that are no number, infinite, huge,
// on the range ends and on the half rows, on scales narrow, wide and
// upside down, for every count (the tail after the pairs) and for values
// that start at any address.
TEST(StripNonFinite, TraceRowsManyAtOnceEqualOneByOne) {
  const float FInf = std::numeric_limits<float>::infinity(), FNaN = std::numeric_limits<float>::quiet_NaN();
  std::vector<Single> Values = {FNaN, FInf, -FInf, 3.4e38f, -3.4e38f, 1e-38f, -0.0f, 0.0f, 10, 80, 0.5f,
                                79.999f, 80.001f, 40, 39.9375f, 1e7f, -1e7f, FNaN, 7.25f, 2.5f};
  std::mt19937 Rng(3);
  std::uniform_real_distribution<float> Near(-20, 100);
  for (int I = 0; I < 300; ++I) Values.push_back(Near(Rng));
  struct TScale {
    double Bottom, Height, Low, Span;
  };
  const TScale Scales[] = {{552, 540, 0, 80},      {552, 540, 0, 1e-30}, {300, 1, -1e30, 2e30},
                           {17, 550, 39.9, 0.1},   {100, 100, 10, -5},   {0, 0, 0, 1},
                           {552, 540, 0, 0},       {8191, 8000, -3, 7}};
  for (const TScale& S : Scales)
    for (size_t From = 0; From < 3; ++From)
      for (Integer N = 0; N <= static_cast<Integer>(Values.size() - From); N += N < 9 ? 1 : 37) {
        std::vector<Integer> Rows(static_cast<size_t>(N) + 1, -1);
        LinearRows(S.Bottom, S.Height, S.Low, S.Span, Values.data() + From, N, Rows.data());
        for (Integer I = 0; I < N; ++I)
          ASSERT_EQ(Rows[I], LinearRow(S.Bottom, S.Height, S.Low, S.Span, Values[From + I]))
              << "value " << Values[From + I] << " scale " << S.Low << "+" << S.Span << " count " << N;
        EXPECT_EQ(Rows[N], -1) << "wrote past the count " << N;
      }
}
