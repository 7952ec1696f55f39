// The single-value sinks TLed, TPanelMeter, TMeter and TBarGraph: the value
// they take from a block, refusal of sources they cannot show, losing the
// source, the range set-up of the meter and the bar graph, the LED's
// comparison rules, and streaming.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "host/Streaming.h"
#include "instruments/MLSingleSinks.h"

using namespace quellix;
using namespace quellix::MeasIntf;
namespace Sinks = quellix::MLSingleSinks;
using Sinks::cmpInRange;
using Sinks::cmpOutOfRange;
using Sinks::cmpOver;
using Sinks::cmpUnder;

namespace {

// A source whose description and capabilities a test sets; it starts as a
// source of single values in one channel with the range -1 .. 1.
class TValueSource : public TMeasureSource {
public:
  explicit TValueSource(TComponentCore* AOwner = nullptr) : TMeasureSource(AOwner) {
    SetCapabilities({mcValues, mcSingleValues, mcOneChannel});
    Info.Duration = 0.01L;
    Info.ChannelCount = 1;
    Info.ValueMin = -1;
    Info.ValueMax = 1;
  }
  void GetInfo(TMeasureSourceInfo& I) override { I = Info; }
  void SetCaps(TMeasureCapabilities Caps) { SetCapabilities(Caps); }
  void SetRange(Single Min, Single Max) {
    Info.ValueMin = Min;
    Info.ValueMax = Max;
  }
  // Delivers one block with channel 0 holding Values (nothing when empty).
  void Send(std::vector<Single> Values) {
    TDescArraySingle D;
    D.ChannelCount = 1;
    if (!Values.empty()) D.Channels[0] = {Values.data(), Integer(Values.size())};
    DeliverData(D);
  }
  void Send(Single V) { Send(std::vector<Single>{V}); }
  TMeasureSourceInfo Info{};
};

const QString Refusal = QStringLiteral("Komponente kann nur Einzelwerte aus Kanal 0 verarbeiten!");

// What each sink shows: the LED the last value it received, the others
// their engine's Value.
Double Shown(const Sinks::TLed& S) { return S.LastValue(); }
template <class T>
Double Shown(const T& S) {
  return S.Value();
}

// Each of the four sinks beside a source of single values. The meter and
// the bar graph take the source's range -1 .. 1 on connection, so every
// sink shows the values the tests send unclamped.
template <class T>
class SingleSink : public ::testing::Test {
protected:
  SingleSink() { Sink.resize(120, 120); }
  TValueSource Source;
  T Sink;
};
using TSinks = ::testing::Types<Sinks::TLed, Sinks::TPanelMeter, Sinks::TMeter, Sinks::TBarGraph>;
TYPED_TEST_SUITE(SingleSink, TSinks);

}  // namespace

// ---------------------------------------------------------------------------
// All four sinks

TYPED_TEST(SingleSink, ShowsFirstValueOfChannel0AndIgnoresBlocksWithoutOne) {
  this->Sink.SetMeasureSource(&this->Source);
  ASSERT_EQ(this->Sink.MeasureSource(), &this->Source);

  this->Source.Send({0.75f, 0.25f, -0.5f});
  EXPECT_DOUBLE_EQ(Shown(this->Sink), 0.75);

  // Channel 0 empty: no values at all, values with a count of 0, a
  // negative count, values only in channel 1.
  this->Source.Send(std::vector<Single>{});
  Single Other[2] = {0.125f, 0.5f};
  TDescArraySingle D;
  D.ChannelCount = 2;
  D.Channels[0] = {Other, 0};
  D.Channels[1] = {Other, 2};
  this->Source.DeliverData(D);
  D.Channels[0] = {Other, -1};
  this->Source.DeliverData(D);
  D.Channels[0] = {nullptr, 2};
  this->Source.DeliverData(D);
  EXPECT_DOUBLE_EQ(Shown(this->Sink), 0.75);

  this->Source.Send(-0.5f);
  EXPECT_DOUBLE_EQ(Shown(this->Sink), -0.5);
}

TYPED_TEST(SingleSink, RefusesSourcesThatDoNotDeliverSingleValuesOfOneChannel) {
  const Double Before = Shown(this->Sink);
  struct TCase {
    TMeasureCapabilities Caps;
    Integer Channels;
  };
  const TCase Cases[] = {
      {{mcValues, mcBlocks, mcOneChannel}, 1},           // blocks, as the audio source
      {{mcValues, mcSingleValues, mcMultiChannel}, 2},   // several channels
      {{mcValues, mcSingleValues, mcOneChannel}, 2},     // says one channel, reports two
      {{mcSingleValues, mcOneChannel}, 1},               // no values at all
  };
  for (const TCase& C : Cases) {
    this->Source.SetCaps(C.Caps);
    this->Source.Info.ChannelCount = C.Channels;
    try {
      this->Sink.SetMeasureSource(&this->Source);
      ADD_FAILURE() << "accepted a source with " << C.Channels << " channels";
    } catch (const EMSIncompatibleSource& E) {
      EXPECT_EQ(E.Message(), Refusal);
    }
    EXPECT_EQ(this->Sink.MeasureSource(), nullptr);
    EXPECT_EQ(this->Source.LinkCount(), 0);
  }
  EXPECT_DOUBLE_EQ(Shown(this->Sink), Before);
}

TYPED_TEST(SingleSink, SourceTurningIncompatibleWhileAttachedDetachesTheSink) {
  this->Sink.SetMeasureSource(&this->Source);
  this->Source.SetCaps({mcValues, mcBlocks, mcOneChannel});
  EXPECT_THROW(this->Source.AnnounceSourceChanged(), EMSIncompatibleSource);
  EXPECT_EQ(this->Sink.MeasureSource(), nullptr);
  EXPECT_EQ(this->Source.LinkCount(), 0);
  // Its blocks no longer arrive.
  const Double Before = Shown(this->Sink);
  this->Source.Send(0.5f);
  EXPECT_DOUBLE_EQ(Shown(this->Sink), Before);
}

TYPED_TEST(SingleSink, DestroyingEitherEndDisconnects) {
  auto Other = std::make_unique<TValueSource>();
  this->Sink.SetMeasureSource(Other.get());
  Other.reset();
  EXPECT_EQ(this->Sink.MeasureSource(), nullptr);
  // The sink can be connected again afterwards.
  this->Sink.SetMeasureSource(&this->Source);
  this->Source.Send(0.5f);
  EXPECT_DOUBLE_EQ(Shown(this->Sink), 0.5);

  auto Second = std::make_unique<TypeParam>();
  Second->SetMeasureSource(&this->Source);
  ASSERT_EQ(this->Source.LinkCount(), 2);
  Second.reset();
  ASSERT_EQ(this->Source.LinkCount(), 1);
  EXPECT_EQ(this->Source.Links(0), this->Sink.Link());
  this->Source.Send(-0.25f);
  EXPECT_DOUBLE_EQ(Shown(this->Sink), -0.25);
}

// ---------------------------------------------------------------------------
// Range set-up

TEST(SinkMeter, AutoConfigTakesSourceRangeKeepingTheDivisions) {
  TValueSource S;
  Sinks::TMeter M;
  EXPECT_TRUE(M.AutoConfig());
  M.SetMeasureSource(&S);
  EXPECT_DOUBLE_EQ(M.ValueMin(), -1);
  EXPECT_DOUBLE_EQ(M.ValueMax(), 1);
  EXPECT_DOUBLE_EQ(M.ValueGap(), 0.2);

  // 2.5 divisions round to 2 (halves to even).
  Sinks::TMeter Half;
  Half.SetValueMax(25);
  S.SetRange(0, 1);
  Half.SetMeasureSource(&S);
  EXPECT_DOUBLE_EQ(Half.ValueGap(), 0.5);

  // 3.5 divisions round to 4 (not truncated to 3).
  Sinks::TMeter Odd;
  Odd.SetValueMax(7);
  Odd.SetValueGap(2);
  Odd.SetMeasureSource(&S);
  EXPECT_DOUBLE_EQ(Odd.ValueGap(), 0.25);

  // Less than half a division counts as one.
  Sinks::TMeter Coarse;
  Coarse.SetValueMax(4);
  S.SetRange(0, 3);
  Coarse.SetMeasureSource(&S);
  EXPECT_DOUBLE_EQ(Coarse.ValueGap(), 3);

  // A range wholly above the old one, announced while attached.
  S.SetRange(200, 300);
  S.AnnounceSourceChanged();
  EXPECT_DOUBLE_EQ(M.ValueMin(), 200);
  EXPECT_DOUBLE_EQ(M.ValueMax(), 300);
  EXPECT_DOUBLE_EQ(M.ValueGap(), 10);
}

TEST(SinkBarGraph, AutoConfigTakesSourceRangeWhereverItLies) {
  TValueSource S;
  Sinks::TBarGraph B;
  B.resize(40, 200);
  EXPECT_TRUE(B.AutoConfig());
  B.SetMeasureSource(&S);
  EXPECT_DOUBLE_EQ(B.ValueMin(), -1);
  EXPECT_DOUBLE_EQ(B.ValueMax(), 1);

  // Wholly above the current range: both ends still follow the source.
  S.SetRange(200, 300);
  S.AnnounceSourceChanged();
  EXPECT_DOUBLE_EQ(B.ValueMin(), 200);
  EXPECT_DOUBLE_EQ(B.ValueMax(), 300);
  // And wholly below it.
  S.SetRange(-50, -10);
  S.AnnounceSourceChanged();
  EXPECT_DOUBLE_EQ(B.ValueMin(), -50);
  EXPECT_DOUBLE_EQ(B.ValueMax(), -10);
}

TEST(SinkRangeSetup, KeptWithoutAutoConfigOrWithoutADescription) {
  TValueSource S;
  Sinks::TMeter M;
  Sinks::TBarGraph B;
  M.SetAutoConfig(false);
  B.SetAutoConfig(false);
  M.SetMeasureSource(&S);
  B.SetMeasureSource(&S);
  EXPECT_DOUBLE_EQ(M.ValueMin(), 0);
  EXPECT_DOUBLE_EQ(M.ValueMax(), 100);
  EXPECT_DOUBLE_EQ(M.ValueGap(), 10);
  EXPECT_DOUBLE_EQ(B.ValueMin(), 0);
  EXPECT_DOUBLE_EQ(B.ValueMax(), 100);

  // A source that describes no channels is taken as it is, without set-up.
  TValueSource Blank;
  Blank.Info = {};
  Blank.SetCaps({});
  Sinks::TMeter M2;
  Sinks::TBarGraph B2;
  M2.SetMeasureSource(&Blank);
  B2.SetMeasureSource(&Blank);
  EXPECT_EQ(M2.MeasureSource(), &Blank);
  EXPECT_DOUBLE_EQ(M2.ValueMax(), 100);
  EXPECT_DOUBLE_EQ(B2.ValueMax(), 100);
}

// ---------------------------------------------------------------------------
// LED

TEST(SinkLed, ComparisonRulesAtAndAroundTheirBounds) {
  TValueSource S;
  Sinks::TLed L;
  L.resize(20, 20);
  L.SetMeasureSource(&S);
  auto On = [&](Single X) {
    S.Send(X);
    return L.Value();
  };
  const Single Tiny = std::numeric_limits<Single>::denorm_min();

  EXPECT_EQ(L.Compare(), cmpOver);
  EXPECT_FALSE(On(0));
  EXPECT_TRUE(On(Tiny));
  EXPECT_FALSE(On(-0.0f));
  EXPECT_FALSE(On(-Tiny));

  L.SetCompare(cmpUnder);
  L.SetLimit(2);
  EXPECT_FALSE(On(2));
  EXPECT_TRUE(On(std::nextafter(2.0f, 0.0f)));
  EXPECT_FALSE(On(std::nextafter(2.0f, 3.0f)));

  L.SetRangeLower(-1);
  L.SetRangeUpper(1);
  L.SetCompare(cmpInRange);
  EXPECT_TRUE(On(-1));
  EXPECT_TRUE(On(1));
  EXPECT_FALSE(On(std::nextafter(1.0f, 2.0f)));
  EXPECT_FALSE(On(std::nextafter(-1.0f, -2.0f)));
  L.SetCompare(cmpOutOfRange);
  EXPECT_FALSE(On(-1));
  EXPECT_FALSE(On(1));
  EXPECT_TRUE(On(std::nextafter(1.0f, 2.0f)));
  EXPECT_TRUE(On(std::nextafter(-1.0f, -2.0f)));

  // Bounds the wrong way round: nothing is inside.
  L.SetRangeLower(1);
  L.SetRangeUpper(-1);
  for (Single X : {-1.0f, 0.0f, 1.0f}) {
    EXPECT_TRUE(On(X)) << X;
    L.SetCompare(cmpInRange);
    EXPECT_FALSE(L.Value()) << X;
    L.SetCompare(cmpOutOfRange);
  }
}

TEST(SinkLed, ChangingTheRuleReEvaluatesTheLastValueAtOnce) {
  TValueSource S;
  Sinks::TLed L;
  L.resize(20, 20);
  // Before any block the last value is 0.
  L.SetLimit(-1);
  EXPECT_TRUE(L.Value());
  L.SetLimit(0);
  EXPECT_FALSE(L.Value());

  L.SetMeasureSource(&S);
  S.Send(5);
  EXPECT_TRUE(L.Value());
  L.SetLimit(5);
  EXPECT_FALSE(L.Value());
  L.SetCompare(cmpUnder);
  EXPECT_FALSE(L.Value());
  L.SetLimit(6);
  EXPECT_TRUE(L.Value());
  L.SetRangeUpper(10);
  L.SetCompare(cmpInRange);
  EXPECT_TRUE(L.Value());
  L.SetRangeLower(5.5f);
  EXPECT_FALSE(L.Value());
  // The lamp lit by a rule that lets it flash starts flashing.
  L.SetFlashing(true);
  L.SetCompare(cmpOutOfRange);
  EXPECT_TRUE(L.Value());
  EXPECT_TRUE(L.FlashTimer().Enabled());
}

// ---------------------------------------------------------------------------
// Streaming

TEST(SinkStreaming, SinksRoundTripWithTheirSourceByName) {
  Sinks::RegisterClasses();
  // The name "TPanelMeter" stays with the stand-alone panel meter.
  if (TComponentFactory F = FindComponentClass(QStringLiteral("TPanelMeter"))) {
    std::unique_ptr<TComponentCore> C(F(nullptr));
    EXPECT_EQ(dynamic_cast<Sinks::TPanelMeter*>(C.get()), nullptr);
  }

  TComponent A;
  A.SetName("Form1");
  auto* S = new TValueSource(&A);
  S->SetName("Source1");
  auto* M = new Sinks::TMeter(&A);
  M->SetName("Meter1");
  M->SetMeasureSource(S);
  M->SetAutoConfig(false);
  M->SetValueMax(50);
  auto* L = new Sinks::TLed(&A);
  L->SetName("Led1");
  L->SetMeasureSource(S);
  L->SetLimit(5);
  L->SetValue(true);
  const QString Text = WriteComponentText(&A);
  for (const char* Line : {"MeasureSource = Source1", "AutoConfig = False", "Compare = cmpOver", "Limit = 5.0",
                           "RangeLower = 0.0", "Value = True"})
    EXPECT_TRUE(Text.contains(QLatin1String(Line))) << Line << "\n" << Text.toStdString();

  TComponent B;
  auto* S2 = new TValueSource(&B);
  S2->SetName("Source1");
  ReadComponentText(&B, Text);
  auto* M2 = dynamic_cast<Sinks::TMeter*>(B.FindComponent("Meter1"));
  auto* L2 = dynamic_cast<Sinks::TLed*>(B.FindComponent("Led1"));
  ASSERT_NE(M2, nullptr);
  ASSERT_NE(L2, nullptr);
  EXPECT_EQ(M2->MeasureSource(), S2);
  EXPECT_FALSE(M2->AutoConfig());
  EXPECT_DOUBLE_EQ(M2->ValueMax(), 50);
  EXPECT_EQ(L2->MeasureSource(), S2);
  EXPECT_FLOAT_EQ(L2->Limit(), 5);
  // Reading the rule does not override the lamp state the form stored.
  EXPECT_TRUE(L2->Value());
  S2->Send(6);
  EXPECT_TRUE(L2->Value());
  S2->Send(5);
  EXPECT_FALSE(L2->Value());
}
