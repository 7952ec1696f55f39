// The recorder's sample buffer, time base, range watch and setters,
// without any file.
#include <gtest/gtest.h>
#include <limits>

#include "support/ExtraProperty.h"
#include "StripTestUtil.h"

using namespace striptest;

namespace {

// Buffer index i must hold absolute sample (i - 1) + base, and the newest
// sample must sit on the right edge, one pixel step apart within rounding.
void ExpectConsistentBuffer(const TStripChartInt& Chart, Integer Series = 1) {
  const Integer c = Chart.SampleCount();
  const auto Base = static_cast<std::int64_t>(Chart.SampleBase());
  for (Integer k = 1; k <= Series; ++k) {
    const Single* V = Chart.SeriesValues(k);
    ASSERT_NE(V, nullptr);
    for (Integer i = 1; i <= c; ++i) ASSERT_EQ(V[i], Expected(k, i - 1 + Base)) << "series " << k << " index " << i;
  }
  EXPECT_EQ(Chart.WindowStartOffset(), c - Chart.SamplesPerWindow());
  if (c == 0) return;
  EXPECT_EQ(Chart.XPosition(c), Chart.PlotRect().Right);
  const TRect R = Chart.PlotRect();
  const Integer Step = (R.Right - R.Left) / Chart.SamplesPerWindow();
  for (Integer i = std::max(2, c - Chart.SamplesPerWindow() + 1); i <= c; ++i) {
    const Integer d = Chart.XPosition(i) - Chart.XPosition(i - 1);
    ASSERT_TRUE(d == Step || d == Step + 1) << "index " << i << " step " << d;
  }
}

}  // namespace

TEST(StripBuffer, TenSamplesPerCallGrowUntilTheShiftToOneWindow) {
  TStripChartInt Chart;
  SizeLikeDemo(Chart);
  EXPECT_EQ(Chart.PlotRect(), Rect(70, 40, 377, 173));
  std::int64_t Next = 0;
  for (Integer Call = 1; Call <= 102; ++Call) {
    Feed(Chart, Next, 10, 10);
    ASSERT_EQ(Chart.SampleCount(), 10 * Call) << "call " << Call;
    ASSERT_EQ(Chart.SampleBase(), 0);
  }
  // 1020 + 10 + 1 > 1024: the buffer shifts and keeps exactly one window.
  Feed(Chart, Next, 10, 10);
  EXPECT_EQ(Chart.SampleCount(), 512);
  EXPECT_EQ(Chart.SampleBase(), 1030 - 512);
  EXPECT_EQ(Chart.WindowStartOffset(), 0);
  ExpectConsistentBuffer(Chart);
  // The window spans the plot width within one pixel.
  EXPECT_NEAR(Chart.XPosition(512) - Chart.XPosition(1), 307 * 511 / 512.0, 1.0);
  // And grows again by 10 per call from there.
  Feed(Chart, Next, 10, 10);
  EXPECT_EQ(Chart.SampleCount(), 522);
  ExpectConsistentBuffer(Chart);
}

TEST(StripBuffer, BlocksLargerThanTheWindowOrTheBuffer) {
  TStripChartInt Chart;
  SizeLikeDemo(Chart);
  Chart.SetSeriesNumber(2);
  std::int64_t Next = 0;
  Feed(Chart, Next, 500, 100, 2);
  // 600 samples: more than the window, less than the buffer, no room left.
  Feed(Chart, Next, 600, 600, 2);
  EXPECT_EQ(Chart.SampleCount(), 600);
  EXPECT_EQ(Chart.SampleBase(), 500);
  ExpectConsistentBuffer(Chart, 2);
  // 2000 samples: only the newest 1024 are kept, and the window still
  // shows a whole window of them.
  Feed(Chart, Next, 2000, 2000, 2);
  EXPECT_EQ(Chart.SampleCount(), 1024);
  EXPECT_EQ(Chart.SampleBase(), 3100 - 1024);
  EXPECT_EQ(Chart.SeriesValues(2)[1024], Expected(2, 3099));
  EXPECT_EQ(Chart.SampleCount() - Chart.WindowStartOffset(), 512);
  ExpectConsistentBuffer(Chart, 2);
  // A block of exactly one window after that shifts and replaces the window.
  Feed(Chart, Next, 512, 512, 2);
  EXPECT_EQ(Chart.SampleCount(), 512);
  ExpectConsistentBuffer(Chart, 2);
  EXPECT_EQ(Chart.LogTimeLast(), 3611);
  EXPECT_EQ(Chart.WindowEndTime(), 3611);
}

TEST(StripBuffer, TimeBaseAfterThreeSamples) {
  for (Integer Step : {3, 1}) {
    TStripChartInt Chart;
    Chart.SetLogTimeIncrement(0.5);
    EXPECT_EQ(Chart.LogTimeLast(), -0.5);
    std::int64_t Next = 0;
    Feed(Chart, Next, 3, Step);
    EXPECT_EQ(Chart.LogTimeLast(), 1.0) << "step " << Step;
    EXPECT_EQ(Chart.WindowEndTime(), 1.0) << "step " << Step;
    EXPECT_EQ(Chart.DisplayTimeIncrement(), 0.5);
  }
}

TEST(StripBuffer, LogStartTimeRestartsTheLiveDisplay) {
  TStripChartInt Chart;
  std::int64_t Next = 0;
  Feed(Chart, Next, 50, 10);
  Chart.SetLogStartTime(100);
  EXPECT_EQ(Chart.SampleCount(), 0);
  EXPECT_EQ(Chart.LogTimeLast(), 99);
  EXPECT_EQ(Chart.DisplayStartTime(), 100);
  Feed(Chart, Next, 2, 2);
  EXPECT_EQ(Chart.WindowEndTime(), 101);
}

TEST(StripBuffer, RangeWatchReportsEachChangeOnceAcrossCalls) {
  TStripChartInt Chart;
  Chart.SetRangeLower(0);
  Chart.SetRangeUpper(10);
  struct Event {
    Double Time;
    Single Value;
    Integer Series;
    TStripRange Range;
  };
  std::vector<Event> Events;
  Chart.OnRangeCheck = [&](TObject* Sender, Double Time, Single Value, Integer Series, TStripRange Range) {
    EXPECT_EQ(Sender, &Chart);
    Events.push_back({Time, Value, Series, Range});
  };
  // Series 2 stays inside and must never report; the sequence of series 1
  // is split across two calls, so the flags must survive between them.
  const Single First[] = {5, 12, 13, 4};
  const Single Second[] = {-1, -2, 3};
  const Single Quiet[] = {1, 2, 3, 4};
  Chart.AddValues({First, Quiet}, 2, 4);
  Chart.AddValues({Second, Quiet}, 2, 3);
  ASSERT_EQ(Events.size(), 4u);
  const Event Want[] = {{1, 12, 1, rngAbove}, {3, 4, 1, rngInside}, {4, -1, 1, rngBelow}, {6, 3, 1, rngInside}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(Events[i].Time, Want[i].Time) << i;
    EXPECT_EQ(Events[i].Value, Want[i].Value) << i;
    EXPECT_EQ(Events[i].Series, Want[i].Series) << i;
    EXPECT_EQ(Events[i].Range, Want[i].Range) << i;
  }
}

TEST(StripBuffer, SettersRefuseValuesOutsideTheirRange) {
  TStripChartInt Chart;
  struct Row {
    const char* Name;
    std::function<void()> Set;
  };
  const Row Rows[] = {
      {"window 0", [&] { Chart.SetSamplesPerWindow(0); }},
      {"window above buffer", [&] { Chart.SetSamplesPerWindow(1025); }},
      {"buffer below window", [&] { Chart.SetSamplesPerBuffer(511); }},
      {"buffer 0", [&] { Chart.SetSamplesPerBuffer(0); }},
      {"buffer 200000000", [&] { Chart.SetSamplesPerBuffer(200000000); }},
      {"series 0", [&] { Chart.SetSeriesNumber(0); }},
      {"series 9", [&] { Chart.SetSeriesNumber(9); }},
      {"interval 0", [&] { Chart.SetLogTimeIncrement(0); }},
      {"interval negative", [&] { Chart.SetLogTimeIncrement(-1); }},
  };
  for (const Row& R : Rows) {
    R.Set();
    EXPECT_EQ(Chart.SamplesPerWindow(), 512) << R.Name;
    EXPECT_EQ(Chart.SamplesPerBuffer(), 1024) << R.Name;
    EXPECT_EQ(Chart.SeriesNumber(), 1) << R.Name;
    EXPECT_EQ(Chart.LogTimeIncrement(), 1.0) << R.Name;
  }
  // Slot 3 is not in use: its settings can be neither read nor written.
  Chart.SetSeriesCurrent(3);
  Chart.SetSeriesColor(255);
  EXPECT_EQ(Chart.SeriesColor(), 0);
  Chart.SetSeriesNumber(3);
  Chart.SetSeriesColor(255);
  EXPECT_EQ(Chart.SeriesColor(), 255);
  EXPECT_NE(Chart.SeriesValues(3), nullptr);
}

TEST(StripBuffer, NarrowerWindowKeepsTheNewestSampleOnTheRightEdge) {
  TStripChartInt Chart;
  SizeLikeDemo(Chart);
  std::int64_t Next = 0;
  Feed(Chart, Next, 700, 7);
  Chart.SetSamplesPerWindow(100);
  EXPECT_TRUE(Chart.LiveView());
  EXPECT_EQ(Chart.WindowEndTime(), 699);
  ExpectConsistentBuffer(Chart);
  // 307 pixels for 100 samples: about 3 pixels per sample.
  EXPECT_NEAR(Chart.XPosition(Chart.SampleCount()) - Chart.XPosition(Chart.SampleCount() - 100), 307, 1);
  Feed(Chart, Next, 5, 5);
  ExpectConsistentBuffer(Chart);
}

TEST(StripBuffer, MovingTheWindowWithoutAFileStaysInsideTheBuffer) {
  TStripChartInt Chart;
  SizeLikeDemo(Chart);
  std::int64_t Next = 0;
  Feed(Chart, Next, 100, 10);
  Chart.MoveWindowTo(false, 49);
  EXPECT_FALSE(Chart.LiveView());
  EXPECT_EQ(Chart.WindowEndTime(), 49);
  // Neither shown nor logged: the samples are dropped and the time stands.
  Feed(Chart, Next, 10, 10);
  EXPECT_EQ(Chart.SampleCount(), 50);
  EXPECT_EQ(Chart.LogTimeLast(), 99);
  Chart.MoveWindowTo(true, 1000);
  EXPECT_TRUE(Chart.LiveView());
  EXPECT_EQ(Chart.WindowEndTime(), 99);
  Next = 100;
  Feed(Chart, Next, 3103, 10);
  EXPECT_EQ(Chart.WindowEndTime(), 3202);
  ExpectConsistentBuffer(Chart);
  // Far back, before the buffer: there is nothing to read, so the window
  // stops at the oldest full window the buffer holds and loses nothing.
  const auto Base = static_cast<std::int64_t>(Chart.SampleBase());
  const Integer Count = Chart.SampleCount();
  ASSERT_GT(Count, 530);
  Chart.MoveWindowTo(false, 100);
  EXPECT_FALSE(Chart.LiveView());
  EXPECT_EQ(Chart.WindowEndTime(), Base + 511);
  EXPECT_EQ(Chart.SampleBase(), Base);
  Chart.MoveWindowTo(true, 5);
  EXPECT_EQ(Chart.WindowEndTime(), Base + 516);
  Chart.MoveWindowTo(true, 1e6);
  EXPECT_TRUE(Chart.LiveView());
  EXPECT_EQ(Chart.SampleCount(), Count);
  EXPECT_EQ(Chart.WindowEndTime(), 3202);
  ExpectConsistentBuffer(Chart);
}

namespace {

// Collects the extra streamed properties of a component.
using TRecordingFiler = testsupport::TExtraPropertyFiler;

}  // namespace

TEST(StripBuffer, SeriesListStreamsTriplesAndIgnoresMoreThanEight) {
  TStripChartInt Chart;
  Chart.SetSeriesNumber(2);
  Chart.SetSeriesCurrent(2);
  Chart.SetSeriesColor(65280);
  Chart.SetSeriesLineStyle(psDot);
  Chart.SetSeriesVisible(false);
  TRecordingFiler Filer("Series");
  Chart.DefineProperties(Filer);
  ASSERT_TRUE(Filer.Has);
  TWriter W;
  Filer.Write(W);
  EXPECT_EQ(W.Text(), "((0, 0, True), (65280, 2, False))");

  TStripChartInt Copy;
  TRecordingFiler ReadFiler("Series");
  Copy.DefineProperties(ReadFiler);
  QString Nine = "(";
  for (int k = 1; k <= 9; ++k) Nine += QString("(%1, 1, False)%2").arg(k).arg(k < 9 ? ", " : "");
  TReader R(Nine + ")");
  ReadFiler.Read(R);
  Copy.SetSeriesNumber(8);
  Copy.SetSeriesCurrent(8);
  EXPECT_EQ(Copy.SeriesColor(), 8);
  EXPECT_EQ(Copy.SeriesLineStyle(), psDash);
  EXPECT_FALSE(Copy.SeriesVisible());
}

// Pen-style ordinals from a stream or an int property that name no style
// leave the style as it was; none of them may form an invalid style (the
// checked build traps on that).
TEST(StripBuffer, PenStyleOrdinalsOutsideTheStylesKeepTheStyle) {
  TStripChartInt Chart;
  Chart.SetSeriesNumber(2);
  TRecordingFiler Filer("Series");
  Chart.DefineProperties(Filer);
  TReader R("((255, 8, False), (65280, -1, True))");
  Filer.Read(R);
  for (Integer k : {1, 2}) {
    Chart.SetSeriesCurrent(k);
    EXPECT_EQ(Chart.SeriesLineStyle(), psSolid) << k;
  }
  EXPECT_EQ(Chart.SeriesColor(), 65280);  // the rest of the triple counts

  Chart.SetSeriesCurrent(1);
  Chart.SetGridLineStyle(psDot);
  Chart.SetSeriesLineStyle(psDash);
  for (int Bad : {7, 8, -1, 1 << 30}) {
    EXPECT_TRUE(Chart.setProperty("GridLineStyle", Bad));
    EXPECT_TRUE(Chart.setProperty("SeriesLineStyle", Bad));
  }
  EXPECT_EQ(Chart.GridLineStyle(), psDot);
  EXPECT_EQ(Chart.SeriesLineStyle(), psDash);
  Chart.setProperty("GridLineStyle", int(psInsideFrame));
  EXPECT_EQ(Chart.GridLineStyle(), psInsideFrame);
}

// A NaN is neither inside nor outside: it reports nothing, and the value
// after it is compared with the last real one.
TEST(StripBuffer, RangeWatchPassesOverNaN) {
  TStripChartInt Chart;
  Chart.SetRangeLower(0);
  Chart.SetRangeUpper(10);
  std::vector<std::pair<Double, TStripRange>> Events;
  Chart.OnRangeCheck = [&](TObject*, Double Time, Single, Integer, TStripRange Range) {
    Events.push_back({Time, Range});
  };
  const Single NaN = std::numeric_limits<Single>::quiet_NaN();
  const Single Values[] = {NaN, 5, 12, NaN, 13, NaN, 4, NaN, 5};
  Chart.AddValues({Values}, 1, 9);
  const std::vector<std::pair<Double, TStripRange>> Want = {{2, rngAbove}, {6, rngInside}};
  EXPECT_EQ(Events, Want);
}
