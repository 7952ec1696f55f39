#include <gtest/gtest.h>

#include <functional>

#include "measure_helpers.h"

using namespace measuretest;

TEST(MeasureLink, SettingTheSameSourceAgainDoesNothing) {
  TTestSource Source;
  TMeasureLink Link(nullptr);
  TRecorder Rec;
  Rec.Hook(Link);
  Link.SetSource(&Source);
  Link.SetSource(&Source);
  EXPECT_EQ(Source.Adds, 1);
  EXPECT_EQ(Source.Removes, 0);
  EXPECT_EQ(Rec.Events, 1);
  EXPECT_EQ(Source.LinkCount(), 1);
}

TEST(SingleValueLink, ChecksTheSourceWhenAttached) {
  const TMeasureCapabilities SingleOne{mcValues, mcSingleValues, mcOneChannel};
  struct Row {
    const char* Name;
    TMeasureCapabilities Caps;
    Integer Channels;
    Extended Duration;
    bool Accepted;
    int Events;
  };
  const Row Rows[] = {
      {"single values in one channel", SingleOne, 1, 0.1L, true, 1},
      {"zero channels: no check, no event", {mcValues, mcMultiChannel}, 0, 0.1L, true, 0},
      {"zero duration: no check, no event", {mcValues, mcMultiChannel}, 4, 0, true, 0},
      {"audio-like, no single values", {mcValues, mcReserved, mcBlocks, mcOneChannel}, 1, 0.1L, false, 0},
      {"single values in two channels", SingleOne, 2, 0.1L, false, 0},
      {"no one-channel bit", {mcValues, mcSingleValues}, 1, 0.1L, false, 0},
  };
  for (const Row& R : Rows) {
    SCOPED_TRACE(R.Name);
    TTestSource Old, Source;
    Old.Describe(SingleOne, 1, 0.1L);
    Source.Describe(R.Caps, R.Channels, R.Duration);
    TMeasureLinkSingleValue Link(nullptr);
    Link.SetSource(&Old);
    TRecorder Rec;
    Rec.Hook(Link);
    QString Message;
    try {
      Link.SetSource(&Source);
    } catch (const EMSIncompatibleSource& E) {
      Message = E.Message();
    }
    EXPECT_EQ(Message, R.Accepted ? QString() : QString("Komponente kann nur Einzelwerte aus Kanal 0 verarbeiten!"));
    EXPECT_EQ(Link.Source(), R.Accepted ? &Source : nullptr);
    EXPECT_EQ(Source.LinkCount(), R.Accepted ? 1 : 0);
    EXPECT_EQ(Old.LinkCount(), 0);
    EXPECT_EQ(Rec.Events, R.Events);
  }
}

TEST(SingleValueLink, SourceTurningIncompatibleDetachesItAndOthersStillHearTheChange) {
  TTestSource Source;
  Source.Describe({mcValues, mcSingleValues, mcOneChannel}, 1, 0.1L);
  TMeasureLinkSingleValue Single(nullptr);
  TMeasureLink Plain(nullptr);
  TRecorder Rec;
  Rec.Hook(Plain);
  Single.SetSource(&Source);
  Plain.SetSource(&Source);
  Source.Describe({mcValues, mcBlocks, mcMultiChannel}, 2, 0.1L);
  EXPECT_THROW(Source.AnnounceSourceChanged(), EMSIncompatibleSource);
  EXPECT_EQ(Single.Source(), nullptr);
  EXPECT_EQ(Source.LinkCount(), 1);
  EXPECT_EQ(Rec.Events, 2);  // attached, then the change
}

TEST(MeasureSource, DetachedLinksStaySilent) {
  auto* Source = new TTestSource;
  TMeasureLink A(nullptr), B(nullptr);
  TRecorder RecA, RecB;
  RecA.Hook(A);
  RecB.Hook(B);
  A.SetSource(Source);
  B.SetSource(Source);
  Source->RemoveLink(&A);
  TDescArraySingle Block;
  Source->DeliverData(Block);
  Source->AnnounceState(msOpened);
  EXPECT_EQ(RecA.Events, 1);
  EXPECT_EQ(RecB.Events, 3);
  delete Source;  // no event, and B reads null
  EXPECT_EQ(B.Source(), nullptr);
  B.DoData(Block);
  B.SourceChanged();
  EXPECT_EQ(RecB.Events, 3);
}

TEST(MeasureSource, DestroyingSinkRemovesItsLinkAndFlag) {
  TTestSource Source;
  TMeasureLink First(nullptr), Last(nullptr);
  auto Middle = std::make_unique<TMeasureLink>(nullptr);
  First.SetSource(&Source);
  Middle->SetSource(&Source);
  Last.SetSource(&Source);
  Source.SetLinkFlag(Middle.get(), true);
  Middle.reset();
  ASSERT_EQ(Source.LinkCount(), 2);
  EXPECT_EQ(Source.Links(1), &Last);
  EXPECT_FALSE(Source.GetLinkFlag(&Last));  // a flag left behind would be Last's
  TMeasureLink Loose(nullptr);
  Source.SetLinkFlag(&Loose, true);
  EXPECT_FALSE(Source.GetLinkFlag(&Loose));
}

TEST(MeasureSource, ServesLinksInAttachOrderAndLaterOnesSeeEarlierChanges) {
  TTestSource Source;
  TMeasureLink A(nullptr), B(nullptr);
  TOrder Order;
  Single Padded[4] = {1, 2, 2, 2};
  TChannelData SeenByB;
  A.OnData = [&](TObject*, TDescArraySingle& D) {
    Order.push_back("A");
    D.Channels[0] = {Padded, 4};
  };
  B.OnData = [&](TObject*, TDescArraySingle& D) {
    Order.push_back("B");
    SeenByB = D.Channels[0];
  };
  A.SetSource(&Source);
  B.SetSource(&Source);
  TDescArraySingle Block;
  Block.ChannelCount = 1;
  Block.Channels[0] = {Padded, 2};
  Source.DeliverData(Block);
  EXPECT_EQ(Order, (TOrder{"A", "B"}));
  EXPECT_EQ(SeenByB.Count, 4);
}

TEST(MeasureLink, LoopThroughStagesIsRefusedSilently) {
  TTestSource Source, Elsewhere;
  TStage A, B, C;
  A.SetMeasureSource(&Source);
  B.SetMeasureSource(&A);
  C.SetMeasureSource(&B);
  TMeasureSource* Closing[] = {&C, &B, &A};  // A <- C <- B <- A, A <- B <- A, A <- A
  for (TMeasureSource* S : Closing) {
    A.SetMeasureSource(&Source);
    EXPECT_NO_THROW(A.SetMeasureSource(S));
    EXPECT_EQ(A.MeasureSource(), nullptr);
    EXPECT_EQ(Source.LinkCount(), 0);
  }
  EXPECT_EQ(A.LinkCount(), 1);  // only B
  // An open chain connects, also by property name as a loaded form does.
  A.setProperty("MeasureSource", QVariant::fromValue<QObject*>(&Elsewhere));
  EXPECT_EQ(A.MeasureSource(), &Elsewhere);
}

TEST(MeasureSource, HandlersAttachingAndDetachingDuringDelivery) {
  TTestSource Source;
  TMeasureLink L1(nullptr), L3(nullptr), L4(nullptr), Late(nullptr);
  auto L2 = std::make_unique<TMeasureLink>(nullptr);
  TOrder Order;
  TRecorder R1, R2, R3, R4, RL;
  R2.Hook(*L2, &Order, "2");
  R3.Hook(L3, &Order, "3");
  R4.Hook(L4, &Order, "4");
  RL.Hook(Late, &Order, "late");
  for (TMeasureLink* L : {&L1, L2.get(), &L3, &L4}) L->SetSource(&Source);
  TDescArraySingle Block;

  // The first frees the second and moves the fourth to another source
  // before their turns.
  TTestSource Other;
  L1.OnData = [&](TObject*, TDescArraySingle&) {
    Order.push_back("1");
    L2.reset();
    L4.SetSource(&Other);
  };
  Source.DeliverData(Block);
  EXPECT_EQ(Order, (TOrder{"1", "3"}));
  L4.SetSource(&Source);

  // The third moves the first (already served) to the end and attaches a new
  // link: the fourth is not skipped, nobody is served twice, the new link
  // starts with the next block.
  R1.Hook(L1, &Order, "1");
  L3.OnData = [&](TObject*, TDescArraySingle&) {
    Order.push_back("3");
    L1.SetSource(nullptr);
    L1.SetSource(&Source);
    Late.SetSource(&Source);
  };
  Order.clear();
  Source.DeliverData(Block);
  EXPECT_EQ(Order, (TOrder{"1", "3", "4"}));
  R3.Hook(L3, &Order, "3");
  Order.clear();
  Source.DeliverData(Block);
  EXPECT_EQ(Order, (TOrder{"3", "4", "1", "late"}));
}

TEST(MeasureSource, FailingHandlerDoesNotStarveLaterLinks) {
  TTestSource Source;
  TMeasureLink Failing(nullptr), After(nullptr);
  TRecorder Rec;
  Rec.Hook(After);
  Failing.OnData = [](TObject*, TDescArraySingle&) { throw ERangeError(QStringLiteral("kaputt")); };
  Failing.SetSource(&Source);
  After.SetSource(&Source);
  TDescArraySingle Block;
  EXPECT_THROW(Source.DeliverData(Block), ERangeError);
  EXPECT_EQ(Rec.Events, 2);  // attached, then the block
}

// A sink that frees its source while the source serves it: every loop of
// the source ends there, touching nothing of the freed source, and no
// later link is served by a source that no longer exists.
TEST(MeasureSource, HandlerFreeingTheSourceEndsEveryLoop) {
  struct Row {
    const char* Name;
    std::function<void(TMeasureSource&)> Loop;
    std::function<void(TMeasureLink&, std::function<void()>)> Hook;
  } Rows[] = {
      {"data",
       [](TMeasureSource& S) {
         TDescArraySingle D;
         S.DeliverData(D);
       },
       [](TMeasureLink& L, std::function<void()> Free) {
         L.OnData = [Free](TObject*, TDescArraySingle&) { Free(); };
       }},
      {"state", [](TMeasureSource& S) { S.AnnounceState(msOpened); },
       [](TMeasureLink& L, std::function<void()> Free) {
         L.OnStateChanged = [Free](TObject*, TMeasureSourceState) { Free(); };
       }},
      {"configuration", [](TMeasureSource& S) { S.AnnounceSourceChanged(); },
       [](TMeasureLink& L, std::function<void()> Free) {
         L.OnSourceChanged = [Free](TObject*) { Free(); };
       }},
  };
  for (const Row& R : Rows) {
    SCOPED_TRACE(R.Name);
    auto* Source = new TTestSource;
    TMeasureLink First(nullptr), Second(nullptr);
    First.SetSource(Source);
    Second.SetSource(Source);
    R.Hook(First, [&Source] {
      delete Source;
      Source = nullptr;
    });
    TRecorder Rec;
    Rec.Hook(Second);
    const int Before = Rec.Events;
    R.Loop(*Source);
    EXPECT_EQ(Source, nullptr);
    EXPECT_EQ(Rec.Events, Before);
    EXPECT_EQ(First.Source(), nullptr);
    EXPECT_EQ(Second.Source(), nullptr);
  }
}
