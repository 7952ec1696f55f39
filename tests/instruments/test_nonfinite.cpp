// Numbers that are not finite reaching the instruments: every numeric
// setter keeps its value, the measure sinks pass such a value by, a stored
// "Range" list holding one keeps the fields it names, and the instrument
// takes the next good value at once.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "quellix/host/Streaming.h"
#include "quellix/instruments/BarGraph.h"
#include "quellix/instruments/Dial.h"
#include "quellix/instruments/Meter.h"
#include "quellix/instruments/PanelMeter.h"
#include "quellix/instruments/SingleValueSinks.h"
#include "quellix/instruments/Slider.h"
#include "support/ExtraProperty.h"

using namespace quellix;
using namespace quellix::MeasIntf;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// One numeric property of one instrument, reached through its setter and
// getter. Good is a value the setter takes.
struct TNumberRow {
  const char* Name;
  std::function<std::unique_ptr<TComponentCore>()> Make;
  std::function<void(TComponentCore&, double)> Set;
  std::function<double(TComponentCore&)> Get;
  double Good;
};

template <class T>
std::function<std::unique_ptr<TComponentCore>()> Maker() {
  return [] {
    auto C = std::make_unique<T>(nullptr);
    C->SetBounds(0, 0, 200, 180);
    return std::unique_ptr<TComponentCore>(std::move(C));
  };
}

// Two ranges, the first addressed: its limit can move.
template <class T>
std::function<std::unique_ptr<TComponentCore>()> TwoRanges() {
  return [] {
    auto C = std::make_unique<T>(nullptr);
    C->SetBounds(0, 0, 200, 180);
    C->SetRangeNumber(2);
    C->SetRangeCurrent(1);
    return std::unique_ptr<TComponentCore>(std::move(C));
  };
}

#define NUMBER_ROW_MADE(Class, Prop, Good, Make)                                                   \
  TNumberRow {                                                                                     \
    #Class "." #Prop, Make<Class>(), [](TComponentCore& C, double V) { static_cast<Class&>(C).Set##Prop(V); }, \
        [](TComponentCore& C) { return double(static_cast<Class&>(C).Prop()); }, Good             \
  }
#define NUMBER_ROW(Class, Prop, Good) NUMBER_ROW_MADE(Class, Prop, Good, Maker)
#define RANGE_ROW(Class) NUMBER_ROW_MADE(Class, RangeLimit, 70, TwoRanges)

using meterInt::TMeterInt;
using dial::TDial;
using Slider::TSlider;
using bargraphint::TBarGraphInt;
using PMeterInt::TPanelMeterInt;
using MLSingleSinks::TLed;

// A source of single values in one channel.
class TValueSource : public TMeasureSource {
public:
  TValueSource() : TMeasureSource(nullptr) {
    SetCapabilities({mcValues, mcSingleValues, mcOneChannel});
    Info.Duration = 0.01L;
    Info.ChannelCount = 1;
    Info.ValueMin = -10;
    Info.ValueMax = 10;
  }
  void GetInfo(TMeasureSourceInfo& I) override { I = Info; }
  void Send(Single Value) {
    TDescArraySingle D;
    D.ChannelCount = 1;
    D.Channels[0] = {&Value, 1};
    DeliverData(D);
  }
  TMeasureSourceInfo Info{};
};

}  // namespace

TEST(InstrumentNonFinite, EveryNumericSetterKeepsItsValue) {
  const TNumberRow Rows[] = {
      NUMBER_ROW(TMeterInt, Value, 40),           NUMBER_ROW(TMeterInt, ValueMin, -20),
      NUMBER_ROW(TMeterInt, ValueMax, 80),        NUMBER_ROW(TMeterInt, ValueGap, 5),
      NUMBER_ROW(TMeterInt, MeterAngle1, -100),   NUMBER_ROW(TMeterInt, MeterAngle2, 100),
      RANGE_ROW(TMeterInt),      NUMBER_ROW(TDial, Value, 40),
      NUMBER_ROW(TDial, ValueMin, -20),           NUMBER_ROW(TDial, ValueMax, 80),
      NUMBER_ROW(TDial, ValueGap, 5),             NUMBER_ROW(TDial, ValueStepWidth, 2),
      NUMBER_ROW(TDial, ScaleAngle1, -120),       NUMBER_ROW(TDial, ScaleAngle2, 120),
      NUMBER_ROW(TSlider, Value, 40),             NUMBER_ROW(TSlider, ValueMin, -20),
      NUMBER_ROW(TSlider, ValueMax, 80),          NUMBER_ROW(TSlider, ValueStepWidth, 2),
      NUMBER_ROW(TSlider, LabelingGap, 10),       RANGE_ROW(TSlider),
      NUMBER_ROW(TBarGraphInt, Value, 40),        NUMBER_ROW(TBarGraphInt, ValueMin, -20),
      NUMBER_ROW(TBarGraphInt, ValueMax, 80),     NUMBER_ROW(TBarGraphInt, LabelingGap, 10),
      RANGE_ROW(TBarGraphInt),   NUMBER_ROW(TPanelMeterInt, Value, 1.5),
      NUMBER_ROW(TPanelMeterInt, ValueMin, -1),   NUMBER_ROW(TPanelMeterInt, ValueMax, 1),
      NUMBER_ROW(TPanelMeterInt, DisplayAngle, 8), NUMBER_ROW(TLed, Limit, 3),
      NUMBER_ROW(TLed, RangeLower, -3),           NUMBER_ROW(TLed, RangeUpper, 3),
  };
  for (const TNumberRow& R : Rows) {
    for (double Bad : {NaN, Inf, -Inf}) {
      auto C = R.Make();
      const double Before = R.Get(*C);
      R.Set(*C, Bad);
      EXPECT_EQ(R.Get(*C), Before) << R.Name << " = " << Bad;
      R.Set(*C, R.Good);
      EXPECT_EQ(R.Get(*C), R.Good) << R.Name << ": the next good value is taken";
    }
  }
}

TEST(InstrumentNonFinite, SinksPassValuesThatAreNoNumberBy) {
  struct Row {
    const char* Name;
    std::function<std::unique_ptr<TComponentCore>(TValueSource&)> Make;
    std::function<double(TComponentCore&)> Shown;
  };
  const auto Attach = [](auto* Sink, TValueSource& S) {
    Sink->SetMeasureSource(&S);
    return std::unique_ptr<TComponentCore>(Sink);
  };
  const Row Rows[] = {
      {"TMeter", [&](TValueSource& S) { return Attach(new MLSingleSinks::TMeter(nullptr), S); },
       [](TComponentCore& C) { return static_cast<TMeterInt&>(C).Value(); }},
      {"TBarGraph", [&](TValueSource& S) { return Attach(new MLSingleSinks::TBarGraph(nullptr), S); },
       [](TComponentCore& C) { return static_cast<TBarGraphInt&>(C).Value(); }},
      {"TPanelMeter", [&](TValueSource& S) { return Attach(new MLSingleSinks::TPanelMeter(nullptr), S); },
       [](TComponentCore& C) { return static_cast<TPanelMeterInt&>(C).Value(); }},
      {"TLed (above 0)", [&](TValueSource& S) { return Attach(new TLed(nullptr), S); },
       [](TComponentCore& C) { return double(static_cast<TLed&>(C).Value()); }},
  };
  for (const Row& R : Rows) {
    for (Single Bad : {std::numeric_limits<Single>::quiet_NaN(), std::numeric_limits<Single>::infinity(),
                       -std::numeric_limits<Single>::infinity()}) {
      TValueSource Source;
      auto Sink = R.Make(Source);
      Source.Send(0.5f);
      const double Before = R.Shown(*Sink);
      Source.Send(Bad);
      EXPECT_EQ(R.Shown(*Sink), Before) << R.Name << " with " << Bad;
      Source.Send(-0.25f);
      EXPECT_NE(R.Shown(*Sink), Before) << R.Name << ": the next good value is shown";
    }
  }
}

TEST(InstrumentNonFinite, StoredRangeListsKeepTheFieldsTheyCannotHold) {
  struct Row {
    const char* Name;
    std::function<std::unique_ptr<TComponentCore>()> Make;
    const char* Range;
    std::function<std::vector<double>(TComponentCore&)> Fields;
    std::vector<double> Want;
  };
  const Row Rows[] = {
      {"panel meter value and limits", Maker<TPanelMeterInt>(), "(NAN, -INF, INF, 7.0)",
       [](TComponentCore& C) {
         auto& P = static_cast<TPanelMeterInt&>(C);
         return std::vector<double>{P.Value(), P.ValueMin(), P.ValueMax(), P.DisplayAngle()};
       },
       {0.0, -1.999, 1.999, 7.0}},
      {"slider value and limits", Maker<TSlider>(), "((255, NAN), INF, -INF, 50.0, 0.0, 5.0)",
       [](TComponentCore& C) {
         auto& S = static_cast<TSlider&>(C);
         S.SetRangeCurrent(1);
         return std::vector<double>{S.Value(), S.ValueMin(), S.ValueMax(), S.RangeLimit()};
       },
       {0.0, 0.0, 100.0, 100.0}},
      {"bar graph value", Maker<TBarGraphInt>(), "((255, 40.0), NAN, 0.0, 50.0, 5.0)",
       [](TComponentCore& C) {
         auto& B = static_cast<TBarGraphInt&>(C);
         return std::vector<double>{B.Value(), B.ValueMin(), B.ValueMax()};
       },
       {0.0, 0.0, 50.0}},
      {"dial value", Maker<TDial>(), "(INF, 0.0, 100.0, 0.0, 10.0, -140.0, 140.0)",
       [](TComponentCore& C) {
         auto& D = static_cast<TDial&>(C);
         return std::vector<double>{D.Value(), D.ScaleAngle1()};
       },
       {0.0, -140.0}},
  };
  for (const Row& R : Rows) {
    auto C = R.Make();
    testsupport::ReadExtra(*C, QStringLiteral("Range"), QString::fromLatin1(R.Range));
    EXPECT_EQ(R.Fields(*C), R.Want) << R.Name;
  }
}
