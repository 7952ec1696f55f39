#include <gtest/gtest.h>

#include <QMetaClassInfo>

#include "quellix/measure/DataEvent.h"
#include "measure_helpers.h"

using namespace measuretest;
using quellix::dataevent::TDataEvent;

TEST(DataEvent, ForwardsEveryBlockAndStateWithTheLinkFirst) {
  TTestSource Source;
  // Several channels: a single-value sink would refuse this source.
  Source.Describe({mcValues, mcReserved, mcBlocks, mcMultiChannel}, 2, 0.1L);
  TDataEvent Events(nullptr);
  std::vector<TObject*> Senders;
  std::vector<TDescArraySingle*> Blocks;
  std::vector<TMeasureSourceState> States;
  Events.OnData = [&](TObject* Link, TDescArraySingle& D) {
    Senders.push_back(Link);
    Blocks.push_back(&D);
  };
  Events.OnChangedState = [&](TObject* Link, TMeasureSourceState S) {
    Senders.push_back(Link);
    States.push_back(S);
  };
  EXPECT_NO_THROW(Events.SetMeasureSource(&Source));
  TDescArraySingle Full, Empty;
  Single Values[3] = {1, 2, 3};
  Full.ChannelCount = 1;
  Full.Channels[0] = {Values, 3};
  Source.AnnounceState(msOpened);
  Source.DeliverData(Full);
  Source.DeliverData(Empty);  // a block without channels is delivered too
  EXPECT_EQ(Blocks, (std::vector<TDescArraySingle*>{&Full, &Empty}));  // by reference
  EXPECT_EQ(States, (std::vector<TMeasureSourceState>{msOpened}));
  ASSERT_EQ(Senders.size(), 3u);
  for (TObject* S : Senders) EXPECT_EQ(S, Events.Link());
}

TEST(DataEvent, DestructionOnEitherSide) {
  auto* Source = new TTestSource;
  auto* Events = new TDataEvent(nullptr);
  int Calls = 0;
  Events->OnData = [&](TObject*, TDescArraySingle&) { ++Calls; };
  Events->OnChangedState = [&](TObject*, TMeasureSourceState) { ++Calls; };
  Events->SetMeasureSource(Source);
  delete Source;
  EXPECT_EQ(Events->MeasureSource(), nullptr);
  EXPECT_EQ(Calls, 0);
  TTestSource Other;
  Events->SetMeasureSource(&Other);
  delete Events;
  EXPECT_EQ(Other.LinkCount(), 0);
}

TEST(DataEvent, PublishedProperties) {
  TTestSource Source;
  TDataEvent Events(nullptr);
  // A loaded form assigns the resolved source by property name.
  ASSERT_TRUE(Events.setProperty("MeasureSource", QVariant::fromValue<QObject*>(&Source)));
  EXPECT_EQ(Events.MeasureSource(), &Source);
  Events.setProperty("Version", "V9.99");
  EXPECT_EQ(Events.Version(), QString("V2.50"));
  // The declared default must be the text the constructor sets, or the
  // notice would be streamed with every form.
  const QMetaObject* M = Events.metaObject();
  int I = M->indexOfClassInfo("default:Copyright");
  ASSERT_GE(I, 0);
  EXPECT_EQ(QString::fromUtf8(M->classInfo(I).value()), Events.Copyright());
  EXPECT_EQ(Events.Copyright(), TComponentCore::LibraryCopyright());
}
