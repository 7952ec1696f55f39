#include <gtest/gtest.h>

#include "measure_helpers.h"

using namespace measuretest;

namespace {

const QString IncompatibleText = QStringLiteral("Komponente kann nur Einzelwerte aus Kanal 0 verarbeiten!");

}  // namespace

TEST(MeasureLink, SettingTheSameSourceAgainDoesNothing) {
  TTestSource Source;
  TMeasureLink Link(nullptr);
  TRecorder Rec;
  Rec.Hook(Link);
  Link.SetSource(&Source);
  ASSERT_EQ(Rec.SourceChanged, 1);
  Link.SetSource(&Source);
  EXPECT_EQ(Source.Adds, 1);
  EXPECT_EQ(Source.Removes, 0);
  EXPECT_EQ(Rec.SourceChanged, 1);
  EXPECT_EQ(Source.LinkCount(), 1);
}

TEST(SingleValueLink, RefusesIncompatibleSourceAndReadsNull) {
  struct Row {
    const char* Name;
    TMeasureCapabilities Caps;
    Integer Channels;
  };
  const Row Rows[] = {
      {"audio-like source without single values", {mcValues, mcReserved, mcBlocks, mcOneChannel}, 1},
      {"single values in two channels", {mcValues, mcSingleValues, mcOneChannel}, 2},
      {"single values without the one-channel bit", {mcValues, mcSingleValues}, 1},
  };
  for (const Row& R : Rows) {
    SCOPED_TRACE(R.Name);
    TTestSource Old, Bad;
    Old.MakeSingleValue();
    Bad.Describe(R.Caps, R.Channels, 0.05L);
    TMeasureLinkSingleValue Link(nullptr);
    TRecorder Rec;
    Rec.Hook(Link);
    Link.SetSource(&Old);
    ASSERT_EQ(Rec.SourceChanged, 1);
    try {
      Link.SetSource(&Bad);
      ADD_FAILURE() << "no exception";
    } catch (const EMSIncompatibleSource& E) {
      EXPECT_EQ(E.Message(), IncompatibleText);
    }
    EXPECT_EQ(Link.Source(), nullptr);
    EXPECT_EQ(Bad.LinkCount(), 0);
    EXPECT_EQ(Old.LinkCount(), 0);  // the old source was left before the check
    EXPECT_EQ(Rec.SourceChanged, 1);
  }
}

TEST(SingleValueLink, AcceptsCompatibleOrUndescribedSource) {
  struct Row {
    const char* Name;
    TMeasureCapabilities Caps;
    Integer Channels;
    Extended Duration;
    int Events;
  };
  const Row Rows[] = {
      {"single values in one channel", {mcValues, mcSingleValues, mcOneChannel}, 1, 0.1L, 1},
      {"zero channels: no check, no event", {mcValues, mcBlocks, mcMultiChannel}, 0, 0.1L, 0},
      {"zero duration: no check, no event", {mcValues, mcBlocks, mcMultiChannel}, 4, 0, 0},
  };
  for (const Row& R : Rows) {
    SCOPED_TRACE(R.Name);
    TTestSource Source;
    Source.Describe(R.Caps, R.Channels, R.Duration);
    TMeasureLinkSingleValue Link(nullptr);
    TRecorder Rec;
    Rec.Hook(Link);
    EXPECT_NO_THROW(Link.SetSource(&Source));
    EXPECT_EQ(Link.Source(), &Source);
    EXPECT_EQ(Source.LinkCount(), 1);
    EXPECT_EQ(Rec.SourceChanged, R.Events);
  }
}

TEST(SingleValueLink, SourceTurningIncompatibleDetachesItAndOthersStillHearTheChange) {
  TTestSource Source;
  Source.MakeSingleValue();
  TMeasureLinkSingleValue Single(nullptr);
  TMeasureLink Plain(nullptr);
  TRecorder SingleRec, PlainRec;
  SingleRec.Hook(Single);
  PlainRec.Hook(Plain);
  Single.SetSource(&Source);
  Plain.SetSource(&Source);
  Source.Describe({mcValues, mcBlocks, mcMultiChannel}, 2, 0.1L);
  EXPECT_THROW(Source.AnnounceSourceChanged(), EMSIncompatibleSource);
  EXPECT_EQ(Single.Source(), nullptr);
  ASSERT_EQ(Source.LinkCount(), 1);
  EXPECT_EQ(Source.Links(0), &Plain);
  EXPECT_EQ(PlainRec.SourceChanged, 2);  // attach, then the change
}

TEST(MeasureSource, DestroyingSourceLeavesSinksUnconnectedWithoutEvent) {
  auto* Source = new TTestSource;
  TMeasureLink A(nullptr);
  TMeasureLinkSingleValue B(nullptr);
  TRecorder RecA, RecB;
  RecA.Hook(A);
  RecB.Hook(B);
  A.SetSource(Source);
  B.SetSource(Source);
  int Before = RecA.Total() + RecB.Total();
  delete Source;
  EXPECT_EQ(A.Source(), nullptr);
  EXPECT_EQ(B.Source(), nullptr);
  EXPECT_EQ(RecA.Total() + RecB.Total(), Before);
  // The links are whole and can be used again.
  TTestSource Other;
  A.SetSource(&Other);
  EXPECT_EQ(Other.LinkCount(), 1);
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
  EXPECT_EQ(Source.Links(0), &First);
  EXPECT_EQ(Source.Links(1), &Last);
  // A flag left behind would now be read as Last's.
  EXPECT_FALSE(Source.GetLinkFlag(&First));
  EXPECT_FALSE(Source.GetLinkFlag(&Last));
  // Flags of links that are not attached are neither stored nor read.
  TMeasureLink Loose(nullptr);
  Source.SetLinkFlag(&Loose, true);
  EXPECT_FALSE(Source.GetLinkFlag(&Loose));
  EXPECT_EQ(Source.LinkCount(), 2);
}

TEST(MeasureSource, ServesLinksInAttachOrderAndLaterOnesSeeEarlierChanges) {
  TTestSource Source;
  TMeasureLink A(nullptr), B(nullptr);
  std::vector<std::string> Order;
  Single Short[2] = {1, 2};
  Single Padded[4] = {1, 2, 2, 2};
  Integer SeenByB = -1;
  Single* ValuesSeenByB = nullptr;
  A.OnData = [&](TObject*, TDescArraySingle& D) {
    Order.push_back("A");
    D.Channels[0].Values = Padded;  // pads the short channel
    D.Channels[0].Count = 4;
  };
  B.OnData = [&](TObject*, TDescArraySingle& D) {
    Order.push_back("B");
    SeenByB = D.Channels[0].Count;
    ValuesSeenByB = D.Channels[0].Values;
  };
  A.SetSource(&Source);
  B.SetSource(&Source);
  TDescArraySingle Block;
  Block.ChannelCount = 1;
  Block.Channels[0] = {Short, 2};
  Source.DeliverData(Block);
  EXPECT_EQ(Order, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(SeenByB, 4);
  EXPECT_EQ(ValuesSeenByB, Padded);

  // Attaching again puts a link at the end.
  A.SetSource(nullptr);
  A.SetSource(&Source);
  Order.clear();
  Source.DeliverData(Block);
  EXPECT_EQ(Order, (std::vector<std::string>{"B", "A"}));
}

TEST(MeasureLink, DetachedLinkFiresNothing) {
  TTestSource Source;
  TMeasureLink Link(nullptr);
  TRecorder Rec;
  Rec.Hook(Link);
  Link.SetSource(&Source);
  Source.RemoveLink(&Link);
  EXPECT_EQ(Link.Source(), nullptr);
  int Before = Rec.Total();
  TDescArraySingle Block;
  Source.DeliverData(Block);
  Source.AnnounceState(msOpened);
  Source.AnnounceSourceChanged();
  // Called directly, too: without a source the link stays silent.
  Link.DoData(Block);
  Link.DoStateChanged(msOpened);
  Link.SourceChanged();
  EXPECT_EQ(Rec.Total(), Before);
  EXPECT_EQ(Source.State(), msOpened);
}

TEST(MeasureLink, LoopThroughStagesIsRefusedSilently) {
  TTestSource Source, Elsewhere;
  TStage A, B, C;
  A.SetMeasureSource(&Source);
  B.SetMeasureSource(&A);
  C.SetMeasureSource(&B);

  EXPECT_NO_THROW(A.SetMeasureSource(&C));  // A <- C <- B <- A
  EXPECT_EQ(A.MeasureSource(), nullptr);
  EXPECT_EQ(Source.LinkCount(), 0);  // left before the walk
  EXPECT_EQ(C.LinkCount(), 0);

  A.SetMeasureSource(&Source);
  EXPECT_NO_THROW(A.SetMeasureSource(&B));  // A <- B <- A
  EXPECT_EQ(A.MeasureSource(), nullptr);

  EXPECT_NO_THROW(A.SetMeasureSource(&A));  // a stage feeding itself
  EXPECT_EQ(A.MeasureSource(), nullptr);
  EXPECT_EQ(A.LinkCount(), 1);  // only B

  // Stages that do not lead back to the owner connect normally, also by
  // property name as a loaded form does.
  A.setProperty("MeasureSource", QVariant::fromValue<QObject*>(&Elsewhere));
  EXPECT_EQ(A.MeasureSource(), &Elsewhere);
  EXPECT_EQ(B.property("MeasureSource").value<QObject*>(), &A);
}

TEST(MeasureSource, HandlersDetachingLinksDuringDelivery) {
  TTestSource Source;
  TMeasureLink L1(nullptr), L3(nullptr);
  auto L2 = std::make_unique<TMeasureLink>(nullptr);
  std::vector<std::string> Order;
  TRecorder R1, R2, R3;
  R1.Hook(L1, &Order, "1");
  R2.Hook(*L2, &Order, "2");
  R3.Hook(L3, &Order, "3");
  L1.SetSource(&Source);
  L2->SetSource(&Source);
  L3.SetSource(&Source);
  TDescArraySingle Block;

  // The first frees the second before its turn: the second is not served,
  // the third is not skipped.
  L1.OnData = [&](TObject*, TDescArraySingle&) {
    Order.push_back("1");
    L2.reset();
  };
  Source.DeliverData(Block);
  EXPECT_EQ(Order, (std::vector<std::string>{"1", "3"}));

  // The middle one moves the first (already served) to the end: the link
  // behind the middle one is not skipped and the moved one is not served
  // again; the new order holds from the next block on.
  TMeasureLink L4(nullptr);
  TRecorder R4;
  R4.Hook(L4, &Order, "4");
  L4.SetSource(&Source);
  L1.OnData = [&](TObject*, TDescArraySingle&) { Order.push_back("1"); };
  L3.OnData = [&](TObject*, TDescArraySingle&) {
    Order.push_back("3");
    L1.SetSource(nullptr);
    L1.SetSource(&Source);
  };
  Order.clear();
  Source.DeliverData(Block);
  EXPECT_EQ(Order, (std::vector<std::string>{"1", "3", "4"}));
  Order.clear();
  L3.OnData = [&](TObject*, TDescArraySingle&) { Order.push_back("3"); };
  Source.DeliverData(Block);
  EXPECT_EQ(Order, (std::vector<std::string>{"3", "4", "1"}));
}

TEST(MeasureSource, HandlersAttachingLinksDuringDelivery) {
  TTestSource Source;
  TMeasureLink First(nullptr), Second(nullptr), Late(nullptr);
  std::vector<std::string> Order;
  TRecorder RF, RS, RL;
  RF.Hook(First, &Order, "first");
  RS.Hook(Second, &Order, "second");
  RL.Hook(Late, &Order, "late");
  First.SetSource(&Source);
  Second.SetSource(&Source);
  // The first moves itself behind the second and attaches a new link.
  First.OnData = [&](TObject*, TDescArraySingle&) {
    Order.push_back("first");
    First.SetSource(nullptr);
    First.SetSource(&Source);
    Late.SetSource(&Source);
  };
  TDescArraySingle Block;
  Source.DeliverData(Block);
  // The new link starts with the next block; the moved one is not served again.
  EXPECT_EQ(Order, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(RL.SourceChanged, 1);
  Order.clear();
  First.OnData = [&](TObject*, TDescArraySingle&) { Order.push_back("first"); };
  Source.DeliverData(Block);
  EXPECT_EQ(Order, (std::vector<std::string>{"second", "first", "late"}));
}

TEST(MeasureSource, FailingHandlerDoesNotStarveLaterLinks) {
  TTestSource Source;
  TMeasureLink Failing(nullptr), After(nullptr);
  TRecorder Rec;
  Rec.Hook(After);
  Failing.OnData = [](TObject*, TDescArraySingle&) { throw ERangeError(QStringLiteral("kaputt")); };
  Failing.OnStateChanged = [](TObject*, TMeasureSourceState) { throw ERangeError(QStringLiteral("kaputt")); };
  Failing.SetSource(&Source);
  After.SetSource(&Source);
  TDescArraySingle Block;
  EXPECT_THROW(Source.DeliverData(Block), ERangeError);
  EXPECT_THROW(Source.AnnounceState(msOpened), ERangeError);
  EXPECT_EQ(Rec.Data, 1);
  EXPECT_EQ(Rec.StateChanged, 1);
}
