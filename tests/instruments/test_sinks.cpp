// The single-value sinks TLed, TPanelMeter, TMeter and TBarGraph: the value
// they take from a block, refusal of sources they cannot show, losing the
// source, the range set-up, the LED's comparison rules, and streaming.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "quellix/host/Streaming.h"
#include "quellix/instruments/SingleValueSinks.h"

using namespace quellix;
using namespace quellix::MeasIntf;
namespace Sinks = quellix::MLSingleSinks;
using namespace Sinks;

namespace {

// A source of single values in one channel, range -1 .. 1, until a test
// changes its description.
class TValueSource : public TMeasureSource {
public:
  explicit TValueSource(TComponentCore* AOwner = nullptr) : TMeasureSource(AOwner) {
    SetCapabilities({mcValues, mcSingleValues, mcOneChannel});
    Info.Duration = 0.01L;
    Info.ChannelCount = 1;
    SetRange(-1, 1);
  }
  void GetInfo(TMeasureSourceInfo& I) override { I = Info; }
  void SetCaps(TMeasureCapabilities Caps) { SetCapabilities(Caps); }
  void SetRange(Single Min, Single Max) {
    Info.ValueMin = Min;
    Info.ValueMax = Max;
  }
  // One block with channel 0 holding Values (an unused entry when empty).
  void Send(std::vector<Single> Values) {
    TDescArraySingle D;
    D.ChannelCount = 1;
    if (!Values.empty()) D.Channels[0] = {Values.data(), Integer(Values.size())};
    DeliverData(D);
  }
  TMeasureSourceInfo Info{};
};

// The LED shows the last value it received, the others their Value.
Double Shown(const TLed& S) { return S.LastValue(); }
template <class T>
Double Shown(const T& S) {
  return S.Value();
}

template <class T>
class SingleSink : public ::testing::Test {
protected:
  TValueSource Source;
  T Sink;
};
using TSinks = ::testing::Types<TLed, Sinks::TPanelMeter, Sinks::TMeter, Sinks::TBarGraph>;
TYPED_TEST_SUITE(SingleSink, TSinks);

}  // namespace

TYPED_TEST(SingleSink, ShowsFirstValueOfChannel0AndIgnoresBlocksWithoutOne) {
  this->Sink.SetMeasureSource(&this->Source);
  this->Source.Send({0.75f, 0.25f, -0.5f});
  EXPECT_DOUBLE_EQ(Shown(this->Sink), 0.75);

  this->Source.Send({});
  Single Other[2] = {0.125f, 0.5f};
  TDescArraySingle D;
  D.Channels[1] = {Other, 2};
  for (TChannelData Empty : {TChannelData{Other, 0}, TChannelData{nullptr, 2}}) {
    D.Channels[0] = Empty;
    this->Source.DeliverData(D);
  }
  EXPECT_DOUBLE_EQ(Shown(this->Sink), 0.75);
}

TYPED_TEST(SingleSink, RefusesBlockAndMultiChannelSources) {
  const Double Before = Shown(this->Sink);
  const std::pair<TMeasureCapabilities, Integer> Cases[] = {
      {{mcValues, mcBlocks, mcOneChannel}, 1},
      {{mcValues, mcSingleValues, mcOneChannel}, 2},
  };
  for (const auto& [Caps, Channels] : Cases) {
    this->Source.SetCaps(Caps);
    this->Source.Info.ChannelCount = Channels;
    try {
      this->Sink.SetMeasureSource(&this->Source);
      ADD_FAILURE() << "accepted";
    } catch (const EMSIncompatibleSource& E) {
      EXPECT_EQ(E.Message(), QStringLiteral("Komponente kann nur Einzelwerte aus Kanal 0 verarbeiten!"));
    }
    EXPECT_EQ(this->Sink.MeasureSource(), nullptr);
    EXPECT_EQ(this->Source.LinkCount(), 0);
  }
  EXPECT_DOUBLE_EQ(Shown(this->Sink), Before);
}

TYPED_TEST(SingleSink, DestroyingTheSourceLeavesTheSinkUnconnected) {
  auto Gone = std::make_unique<TValueSource>();
  this->Sink.SetMeasureSource(Gone.get());
  Gone.reset();
  EXPECT_EQ(this->Sink.MeasureSource(), nullptr);
  this->Sink.SetMeasureSource(&this->Source);
  this->Source.Send({0.5f});
  EXPECT_DOUBLE_EQ(Shown(this->Sink), 0.5);
}

TEST(SinkRangeSetup, MeterKeepsItsDivisionsAndBarGraphFollowsAnyRange) {
  TValueSource S;
  Sinks::TMeter M;
  M.SetMeasureSource(&S);
  EXPECT_DOUBLE_EQ(M.ValueMin(), -1);
  EXPECT_DOUBLE_EQ(M.ValueMax(), 1);
  EXPECT_DOUBLE_EQ(M.ValueGap(), 0.2);

  // 2.5 divisions round to 2, halves to even.
  Sinks::TMeter Half;
  Half.SetValueMax(25);
  S.SetRange(0, 1);
  Half.SetMeasureSource(&S);
  EXPECT_DOUBLE_EQ(Half.ValueGap(), 0.5);

  // A bar graph whose new range lies wholly above its old one.
  Sinks::TBarGraph B;
  S.SetRange(200, 300);
  B.SetMeasureSource(&S);
  EXPECT_DOUBLE_EQ(B.ValueMin(), 200);
  EXPECT_DOUBLE_EQ(B.ValueMax(), 300);

  Sinks::TMeter MFixed;
  Sinks::TBarGraph BFixed;
  MFixed.SetAutoConfig(false);
  BFixed.SetAutoConfig(false);
  MFixed.SetMeasureSource(&S);
  BFixed.SetMeasureSource(&S);
  EXPECT_DOUBLE_EQ(MFixed.ValueMax(), 100);
  EXPECT_DOUBLE_EQ(MFixed.ValueGap(), 10);
  EXPECT_DOUBLE_EQ(BFixed.ValueMin(), 0);
}

TEST(SinkLed, ComparisonRulesAtAndAroundTheirBounds) {
  const Single Up1 = std::nextafter(1.0f, 2.0f), Down1 = std::nextafter(1.0f, 0.0f);
  struct TCase {
    TLEDCompare Compare;
    Single Lower, Upper, X;
    bool On;
  };
  // Limit is 1; the range 1 .. 2 (or 2 .. 1 the wrong way round).
  const TCase Cases[] = {
      {cmpOver, 1, 2, 1, false},        {cmpOver, 1, 2, Up1, true},        {cmpUnder, 1, 2, 1, false},
      {cmpUnder, 1, 2, Down1, true},    {cmpInRange, 1, 2, 1, true},       {cmpInRange, 1, 2, 2, true},
      {cmpInRange, 1, 2, Down1, false}, {cmpOutOfRange, 1, 2, 1, false},   {cmpOutOfRange, 1, 2, Down1, true},
      {cmpInRange, 2, 1, 1.5f, false},  {cmpOutOfRange, 2, 1, 1.5f, true},
  };
  TValueSource S;
  TLed L;
  L.SetMeasureSource(&S);
  L.SetLimit(1);
  for (const TCase& C : Cases) {
    L.SetCompare(C.Compare);
    L.SetRangeLower(C.Lower);
    L.SetRangeUpper(C.Upper);
    S.Send({C.X});
    EXPECT_EQ(L.Value(), C.On) << int(C.Compare) << " " << C.Lower << ".." << C.Upper << " x=" << C.X;
  }
}

TEST(SinkLed, ChangingTheRuleReEvaluatesTheLastValueAtOnce) {
  TValueSource S;
  TLed L;
  L.SetLimit(-1);  // the last value is 0 before any block
  EXPECT_TRUE(L.Value());
  L.SetMeasureSource(&S);
  S.Send({5});
  L.SetLimit(5);
  EXPECT_FALSE(L.Value());
  L.SetCompare(cmpOutOfRange);
  EXPECT_TRUE(L.Value());
}

TEST(SinkStreaming, SinksRoundTripWithTheirSourceByName) {
  RegisterClasses();
  TComponent A;
  A.SetName("Form1");
  auto* S = new TValueSource(&A);
  S->SetName("Source1");
  auto* M = new Sinks::TMeter(&A);
  M->SetName("Meter1");
  M->SetMeasureSource(S);
  M->SetAutoConfig(false);
  auto* L = new TLed(&A);
  L->SetName("Led1");
  L->SetLimit(5);
  L->SetValue(true);
  const QString Text = WriteComponentText(&A);
  EXPECT_TRUE(Text.contains("MeasureSource = Source1")) << Text.toStdString();
  EXPECT_TRUE(Text.contains("Compare = cmpOver")) << Text.toStdString();

  TComponent B;
  auto* S2 = new TValueSource(&B);
  S2->SetName("Source1");
  ReadComponentText(&B, Text);
  auto* M2 = dynamic_cast<Sinks::TMeter*>(B.FindComponent("Meter1"));
  auto* L2 = dynamic_cast<TLed*>(B.FindComponent("Led1"));
  ASSERT_TRUE(M2 && L2);
  EXPECT_EQ(M2->MeasureSource(), S2);
  EXPECT_FALSE(M2->AutoConfig());
  EXPECT_FLOAT_EQ(L2->Limit(), 5);
  // Reading the rule leaves the lamp state the form stored.
  EXPECT_TRUE(L2->Value());
}
