// THistograph as a measure sink: set-up from the source's description,
// refusal of single-value sources, and the channel-to-series assignment
// of the data blocks.
#include <gtest/gtest.h>

#include <vector>

#include "quellix/histograph/HistographSink.h"

using namespace quellix;
using namespace quellix::MeasIntf;
using quellix::Histo::THistograph;

namespace {

// A source whose description and capabilities a test sets.
class TDescribedSource : public TMeasureSource {
public:
  using TMeasureSource::TMeasureSource;
  void GetInfo(TMeasureSourceInfo& I) override { I = Info; }
  void SetCaps(TMeasureCapabilities Caps) { SetCapabilities(Caps); }
  TMeasureSourceInfo Info{};
};

// One mono channel from 0 s lasting 0.0928798 s (1024 samples at 11025/s), range -1..1.
void DescribeMonoBlock(TDescribedSource& S) {
  S.SetCaps({mcValues, mcBlocks, mcOneChannel});
  S.Info.StartTime = 0;
  S.Info.Duration = 0.0928798L;
  S.Info.ChannelCount = 1;
  S.Info.ValueMin = -1;
  S.Info.ValueMax = 1;
}

// A block whose channels carry the given arrays; an empty array leaves the
// channel unused.
struct TBlock {
  std::vector<std::vector<Single>> Arrays;
  TDescArraySingle Data;
  explicit TBlock(std::vector<std::vector<Single>> A) : Arrays(std::move(A)) {
    for (std::size_t C = 0; C < Arrays.size(); ++C)
      if (!Arrays[C].empty()) Data.Channels[C] = {Arrays[C].data(), Integer(Arrays[C].size())};
    Data.ChannelCount = Integer(Arrays.size());
  }
};

std::vector<Single> Shown(const THistograph& H, Integer Serie) {
  std::vector<Single> V(std::size_t(H.Series(Serie).Count));
  V.resize(std::size_t(H.GetData(V.data(), Integer(V.size()), Serie)));
  return V;
}

class HistoSink : public ::testing::Test {
protected:
  HistoSink() { H.resize(400, 300); }
  TDescribedSource Source;
  THistograph H;
};

}  // namespace

TEST_F(HistoSink, AutoConfigTakesWindowRangeAndChannelsKeepingTheGridIntervals) {
  // Histograph 0..10 with X gap 2 (five intervals), Y 0..10 with gap 2.5 (four).
  H.SetViewYGap(2.5f);
  H.SetSeriesNumber(4);
  DescribeMonoBlock(Source);
  H.SetMeasureSource(&Source);

  EXPECT_EQ(H.MeasureSource(), &Source);
  EXPECT_FLOAT_EQ(H.ViewXNominalMin(), 0);
  EXPECT_FLOAT_EQ(H.ViewXNominalMax(), 0.0928798f);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMin(), 0);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMax(), 0.0928798f);
  EXPECT_NEAR(H.ViewXGap(), 0.0185760, 5e-8);
  EXPECT_FLOAT_EQ(H.ViewYMin(), -1);
  EXPECT_FLOAT_EQ(H.ViewYMax(), 1);
  EXPECT_FLOAT_EQ(H.ViewYGap(), 0.5f);
  EXPECT_EQ(H.SeriesNumber(), 1);
  EXPECT_TRUE(H.EnableUpdate());

  // A new configuration starts from the current setting: still five X and
  // four Y intervals; more than eight channels give eight series.
  Source.Info.StartTime = 1;
  Source.Info.Duration = 2;
  Source.Info.ChannelCount = 12;
  Source.Info.ValueMin = 0;
  Source.Info.ValueMax = 100;
  Source.SetCaps({mcValues, mcBlocks, mcMultiChannel});
  H.SetEnableUpdate(false);
  Source.AnnounceSourceChanged();
  EXPECT_FLOAT_EQ(H.ViewXNominalMin(), 1);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMax(), 3);
  EXPECT_FLOAT_EQ(H.ViewXGap(), 0.4f);
  EXPECT_FLOAT_EQ(H.ViewYGap(), 25);
  EXPECT_EQ(H.SeriesNumber(), 8);
  EXPECT_FALSE(H.EnableUpdate());  // restored as it was
}

TEST_F(HistoSink, WithoutAutoConfigOnlyTheNominalIntervalFollows) {
  H.SetAutoConfig(false);
  H.SetViewXCurrentMin(2);  // zoomed in
  H.SetViewXCurrentMax(4);
  H.SetSeriesNumber(3);
  DescribeMonoBlock(Source);
  H.SetMeasureSource(&Source);

  EXPECT_FLOAT_EQ(H.ViewXNominalMin(), 0);
  EXPECT_FLOAT_EQ(H.ViewXNominalMax(), 0.0928798f);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMin(), 2);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMax(), 4);
  EXPECT_FLOAT_EQ(H.ViewXGap(), 2);
  EXPECT_FLOAT_EQ(H.ViewYMin(), 0);
  EXPECT_FLOAT_EQ(H.ViewYMax(), 10);
  EXPECT_EQ(H.SeriesNumber(), 3);
}

TEST_F(HistoSink, DescriptionsThatSayTooLittleChangeOnlyWhatTheyCan) {
  struct Row {
    const char* Name;
    Integer Channels;
    Extended Duration;
    Single Lo, Hi;
    bool XChanges, YChanges;
  } Rows[] = {
      {"no channels: ignored", 0, 0.5L, -1, 1, false, false},
      {"zero duration: ignored", 2, 0, -1, 1, false, false},
      {"empty value range: X only", 2, 0.5L, 3, 3, true, false},
  };
  for (const Row& R : Rows) {
    THistograph G;
    TDescribedSource S;
    S.SetCaps({mcValues, mcBlocks, mcMultiChannel});
    S.Info.ChannelCount = R.Channels;
    S.Info.Duration = R.Duration;
    S.Info.ValueMin = R.Lo;
    S.Info.ValueMax = R.Hi;
    G.SetMeasureSource(&S);
    EXPECT_EQ(G.MeasureSource(), &S) << R.Name;
    EXPECT_FLOAT_EQ(G.ViewXNominalMax(), R.XChanges ? 0.5f : 10) << R.Name;
    EXPECT_FLOAT_EQ(G.ViewXGap(), R.XChanges ? 0.1f : 2) << R.Name;
    EXPECT_FLOAT_EQ(G.ViewYMax(), R.YChanges ? R.Hi : 10) << R.Name;
    EXPECT_EQ(G.SeriesNumber(), R.XChanges ? 2 : 1) << R.Name;
  }
}

TEST_F(HistoSink, SingleValueSourcesAreRefused) {
  const QString Msg = QString::fromUtf8("Histograph benötigt kontinuierlichen Betrieb und keine Einzelwerte.");
  struct Row {
    const char* Name;
    TMeasureCapabilities Caps;
  } Rows[] = {
      {"single values", {mcValues, mcSingleValues, mcOneChannel}},
      {"no values", {mcBlocks, mcOneChannel}},
  };
  for (const Row& R : Rows) {
    THistograph G;
    TDescribedSource S;
    DescribeMonoBlock(S);
    S.SetCaps(R.Caps);
    try {
      G.SetMeasureSource(&S);
      ADD_FAILURE() << R.Name << ": accepted";
    } catch (const EMSIncompatibleSource& E) {
      EXPECT_EQ(E.Message(), Msg) << R.Name;
    }
    EXPECT_EQ(G.MeasureSource(), nullptr) << R.Name;
    EXPECT_EQ(S.LinkCount(), 0) << R.Name;
    EXPECT_FLOAT_EQ(G.ViewXNominalMax(), 10) << R.Name;  // nothing was set up
  }

  // A source that turns to single values later is dropped when it says so.
  DescribeMonoBlock(Source);
  H.SetMeasureSource(&Source);
  Source.SetCaps({mcValues, mcSingleValues, mcOneChannel});
  EXPECT_THROW(Source.AnnounceSourceChanged(), EMSIncompatibleSource);
  EXPECT_EQ(H.MeasureSource(), nullptr);
}

TEST_F(HistoSink, ChannelsBecomeSeriesInTheOrderTheyCarryData) {
  H.SetSeriesNumber(3);
  DescribeMonoBlock(Source);
  Source.Info.ChannelCount = 3;
  H.SetAutoConfig(false);
  H.SetMeasureSource(&Source);

  TBlock B({{1, 2, 3}, {}, {7, 8}});
  Source.DeliverData(B.Data);
  EXPECT_EQ(Shown(H, 1), (std::vector<Single>{1, 2, 3}));
  EXPECT_EQ(Shown(H, 2), (std::vector<Single>{7, 8}));
  EXPECT_FALSE(H.Series(3).HasData());
  // The histograph shows copies: the source's arrays may go after the call.
  B.Arrays[0][0] = 99;
  EXPECT_EQ(Shown(H, 1)[0], 1);
  EXPECT_EQ(H.ReceiveCapacity(), 3);

  // Null values with a count, or a count of 0, do not make a channel.
  TBlock Unusable({{}, {}});
  Unusable.Data.Channels[0].Count = 5;
  Unusable.Data.Channels[1] = {B.Arrays[0].data(), 0};
  Source.DeliverData(Unusable.Data);
  EXPECT_EQ(Shown(H, 1), (std::vector<Single>{1, 2, 3}));
  EXPECT_EQ(H.ReceiveCapacity(), 3);
}

TEST_F(HistoSink, OnlyTheFirstEightFilledChannelsAreShown) {
  H.SetAutoConfig(false);
  H.SetSeriesNumber(8);
  DescribeMonoBlock(Source);
  H.SetMeasureSource(&Source);
  // Ten filled channels, 1..10 values long; channel 4 is empty.
  std::vector<std::vector<Single>> A(11);
  for (int C = 0; C < 11; ++C)
    if (C != 4) A[C].assign(std::size_t(C + 1), Single(C));
  TBlock B(A);
  Source.DeliverData(B.Data);
  const int Expected[8] = {0, 1, 2, 3, 5, 6, 7, 8};
  for (Integer S = 1; S <= 8; ++S) {
    const std::vector<Single> V = Shown(H, S);
    ASSERT_EQ(V.size(), std::size_t(Expected[S - 1] + 1)) << "series " << S;
    EXPECT_EQ(V.front(), Single(Expected[S - 1])) << "series " << S;
  }
  // Sized for the channels shown, not for the longer ones left out.
  EXPECT_EQ(H.ReceiveCapacity(), 9);
}

TEST_F(HistoSink, GrowingBuffersKeepSeriesWhoseChannelIsMissing) {
  H.SetAutoConfig(false);
  H.SetSeriesNumber(3);
  H.SetSeriesCurrent(3);
  H.SetSeriesStyle(HistoInt::dtUpperRef);
  DescribeMonoBlock(Source);
  H.SetMeasureSource(&Source);

  TBlock First({{1, 2}, {3, 4}, {5, 6}});
  Source.DeliverData(First.Data);
  // A reference series keeps a copy of its own; a data series shows the buffer.
  EXPECT_TRUE(H.Series(3).Owned);
  EXPECT_EQ(H.Series(2).Data, H.ReceiveBuffer(1));

  // A longer block with one channel: all buffers grow; series 2 still
  // shows its earlier values, now from the new buffer.
  TBlock Longer({std::vector<Single>(100, 0.5f)});
  Source.DeliverData(Longer.Data);
  EXPECT_EQ(H.ReceiveCapacity(), 100);
  EXPECT_EQ(H.Series(1).Count, 100);
  EXPECT_EQ(H.Series(2).Data, H.ReceiveBuffer(1));
  EXPECT_EQ(Shown(H, 2), (std::vector<Single>{3, 4}));
  EXPECT_EQ(Shown(H, 3), (std::vector<Single>{5, 6}));

  // A shorter block does not shrink them.
  TBlock Shorter({std::vector<Single>{9}});
  Source.DeliverData(Shorter.Data);
  EXPECT_EQ(H.ReceiveCapacity(), 100);
  EXPECT_EQ(Shown(H, 1), (std::vector<Single>{9}));
}
