// Numbers that are not finite reaching the filters: the frequency and Q
// setters keep their values, a streamed "Floats" list holding one is a
// stream error, and a NaN or infinite input sample passes through as it is
// without entering the filter's state.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>

#include "FilterTestUtil.h"
#include "quellix/filters/FIRFilter.h"
#include "quellix/filters/IIRFilter.h"
#include "quellix/filters/RCHighpass.h"
#include "quellix/filters/RCLowpass.h"
#include "quellix/filters/StateVariableFilter.h"
#include "quellix/host/Streaming.h"

using namespace quellix;
using filtertest::Noise;

namespace {

constexpr Single NaN = std::numeric_limits<Single>::quiet_NaN();
constexpr Single Inf = std::numeric_limits<Single>::infinity();

// One filter of each kind, set up as a demonstration window sets it.
struct TAnyFilter {
  const char* Name;
  std::function<std::unique_ptr<FiltBase::TFilterBase>()> Make;
  std::function<void(FiltBase::TFilterBase&, Single*, Integer)> Filter;
};

template <class T>
std::function<void(FiltBase::TFilterBase&, Single*, Integer)> FilterOf() {
  return [](FiltBase::TFilterBase& F, Single* D, Integer N) { static_cast<T&>(F).Filter(D, N); };
}

const std::vector<TAnyFilter>& Filters() {
  static const std::vector<TAnyFilter> All = {
      {"RC low-pass",
       [] {
         auto F = std::make_unique<Rclow::TRCLowpass>(nullptr);
         F->SetSampleFrequency(1000);
         F->SetCutoffFrequency(20);
         return std::unique_ptr<FiltBase::TFilterBase>(std::move(F));
       },
       FilterOf<Rclow::TRCLowpass>()},
      {"RC high-pass",
       [] {
         auto F = std::make_unique<Rchigh::TRCHighpass>(nullptr);
         F->SetSampleFrequency(1000);
         F->SetCutoffFrequency(20);
         return std::unique_ptr<FiltBase::TFilterBase>(std::move(F));
       },
       FilterOf<Rchigh::TRCHighpass>()},
      {"IIR band-pass",
       [] {
         auto F = std::make_unique<IIRFilt::TIIRFilter>(nullptr);
         F->SetSampleFrequency(1000);
         F->SetCutoffFrequency(20);
         F->SetCutoffHighFrequency(80);
         F->SetOrder(4);
         F->SetFilterOutput(IIRFilt::iirBandPass);
         return std::unique_ptr<FiltBase::TFilterBase>(std::move(F));
       },
       FilterOf<IIRFilt::TIIRFilter>()},
      {"IIR low-pass",
       [] {
         auto F = std::make_unique<IIRFilt::TIIRFilter>(nullptr);
         F->SetSampleFrequency(1000);
         F->SetCutoffFrequency(20);
         F->SetOrder(6);
         return std::unique_ptr<FiltBase::TFilterBase>(std::move(F));
       },
       FilterOf<IIRFilt::TIIRFilter>()},
      {"state-variable",
       [] {
         auto F = std::make_unique<SVFilt::TStateVariableFilter>(nullptr);
         F->SetSampleFrequency(1000);
         F->SetCutoffFrequency(20);
         F->SetQ(2);
         return std::unique_ptr<FiltBase::TFilterBase>(std::move(F));
       },
       FilterOf<SVFilt::TStateVariableFilter>()},
      {"FIR",
       [] {
         auto F = std::make_unique<Firfilt::TFIRFilter>(nullptr);
         const Single C[5] = {0.1f, 0.2f, 0.4f, 0.2f, 0.1f};
         F->SetCoefficients(5, C);
         return std::unique_ptr<FiltBase::TFilterBase>(std::move(F));
       },
       FilterOf<Firfilt::TFIRFilter>()},
  };
  return All;
}

}  // namespace

TEST(FilterNonFinite, SettersKeepTheirValues) {
  struct Row {
    const char* Name;
    std::function<std::unique_ptr<FiltBase::TFilterBase>()> Make;
    std::function<void(FiltBase::TFilterBase&, Single)> Set;
    std::function<Single(const FiltBase::TFilterBase&)> Get;
  };
  const auto Fs = [](FiltBase::TFilterBase& F, Single V) { F.SetSampleFrequency(V); };
  const auto GetFs = [](const FiltBase::TFilterBase& F) { return F.SampleFrequency(); };
  const auto Fc = [](FiltBase::TFilterBase& F, Single V) { F.SetCutoffFrequency(V); };
  const auto GetFc = [](const FiltBase::TFilterBase& F) { return F.CutoffFrequency(); };
  std::vector<Row> Rows;
  for (const TAnyFilter& F : Filters()) {
    Rows.push_back({F.Name, F.Make, Fs, GetFs});
    Rows.push_back({F.Name, F.Make, Fc, GetFc});
  }
  Rows.push_back({"IIR upper cut-off", Filters()[2].Make,
                  [](auto& F, Single V) { static_cast<IIRFilt::TIIRFilter&>(F).SetCutoffHighFrequency(V); },
                  [](const auto& F) { return static_cast<const IIRFilt::TIIRFilter&>(F).CutoffHighFrequency(); }});
  Rows.push_back({"state-variable Q", Filters()[4].Make,
                  [](auto& F, Single V) { static_cast<SVFilt::TStateVariableFilter&>(F).SetQ(V); },
                  [](const auto& F) { return static_cast<const SVFilt::TStateVariableFilter&>(F).Q(); }});

  for (const Row& R : Rows) {
    for (Single Bad : {NaN, Inf, -Inf}) {
      auto F = R.Make();
      const Single Before = R.Get(*F);
      R.Set(*F, Bad);
      EXPECT_EQ(R.Get(*F), Before) << R.Name << " = " << Bad;
    }
  }
  // And the outputs stay numbers.
  for (const TAnyFilter& Any : Filters()) {
    auto F = Any.Make();
    F->SetSampleFrequency(NaN);
    F->SetCutoffFrequency(Inf);
    std::vector<Single> X = Noise(200);
    Any.Filter(*F, X.data(), 200);
    for (Single Y : X) ASSERT_TRUE(std::isfinite(Y)) << Any.Name;
  }
}

TEST(FilterNonFinite, SamplesThatAreNoNumberPassThroughAndLeaveTheStateAlone) {
  for (const TAnyFilter& Any : Filters()) {
    for (Single Bad : {NaN, Inf, -Inf}) {
      // The block with two bad samples against the same block without them.
      const std::vector<Single> Clean = Noise(300);
      std::vector<Single> Dirty = Clean;
      Dirty.insert(Dirty.begin() + 100, Bad);
      Dirty.insert(Dirty.begin() + 201, Bad);
      auto A = Any.Make(), B = Any.Make();
      std::vector<Single> Want = Clean;
      Any.Filter(*A, Want.data(), Integer(Want.size()));
      Any.Filter(*B, Dirty.data(), Integer(Dirty.size()));
      Want.insert(Want.begin() + 100, Bad);
      Want.insert(Want.begin() + 201, Bad);
      ASSERT_EQ(Dirty.size(), Want.size());
      for (size_t i = 0; i < Want.size(); ++i) {
        if (std::isnan(Want[i]))
          ASSERT_TRUE(std::isnan(Dirty[i])) << Any.Name << " at " << i;
        else
          ASSERT_EQ(Dirty[i], Want[i]) << Any.Name << " with " << Bad << " at " << i;
      }
    }
  }
  // One sample at a time through the FIR filter does the same.
  Firfilt::TFIRFilter Fir;
  const Single C[2] = {1, 1};
  Fir.SetCoefficients(2, C);
  EXPECT_EQ(Fir.FilterSample(1), 1);
  EXPECT_TRUE(std::isnan(Fir.FilterSample(NaN)));
  EXPECT_EQ(Fir.FilterSample(-Inf), -Inf);
  EXPECT_EQ(Fir.FilterSample(2), 3);
}

TEST(FilterNonFinite, StreamedFloatsWithANonFiniteNumberAreAStreamError) {
  struct Row {
    const char* Name;
    std::function<std::unique_ptr<FiltBase::TFilterBase>()> Make;
    const char* Floats;
  };
  const Row Rows[] = {
      {"RC sample frequency NAN", Filters()[0].Make, "(NAN, 20.0)"},
      {"RC cut-off INF", Filters()[1].Make, "(1000.0, INF)"},
      {"IIR upper cut-off -INF", Filters()[2].Make, "(1000.0, 20.0, -INF, 4, 1)"},
      {"state-variable Q NAN", Filters()[4].Make, "(1000.0, 20.0, NAN, 1)"},
      {"FIR coefficient INF", Filters()[5].Make, "(1000.0, 20.0, (1.0, INF))"},
  };
  for (const Row& R : Rows) {
    auto F = R.Make();
    const QString Before = filtertest::WriteFloats(*F);
    EXPECT_THROW(filtertest::ReadFloats(*F, QString::fromLatin1(R.Floats)), EStreamError) << R.Name;
    EXPECT_EQ(filtertest::WriteFloats(*F), Before) << R.Name;
  }
}
