// Scales whose span is not a whole number of gaps in binary (0 .. 0.6 by
// 0.2 is 2.9999999999999996 gaps): every multiple of the gap inside the
// scale gets its tick and its label on the meter, the dial, the slider and
// the bar graph, the first and the last included.
#include <gtest/gtest.h>

#include <QString>
#include <functional>
#include <vector>

#include "quellix/instruments/BarGraph.h"
#include "quellix/instruments/Dial.h"
#include "quellix/instruments/Meter.h"
#include "quellix/instruments/Slider.h"

using namespace quellix;

namespace {

struct TScaleRow {
  const char* Name;
  Double Min, Max, Gap;
  std::vector<Double> Multiples;
  const char* FirstText;
  const char* LastText;
};

const TScaleRow ScaleRows[] = {
    {"0 to 0.6 by 0.2: the last one", 0, 0.6, 0.2, {0, 0.2, 0.4, 0.6}, "0.0", "0.6"},
    {"0.3 to 1.0 by 0.1: the last one", 0.3, 1.0, 0.1, {0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0}, "0.3", "1.0"},
    {"-0.7 to 0.7 by 0.1: the first one",
     -0.7,
     0.7,
     0.1,
     {-0.7, -0.6, -0.5, -0.4, -0.3, -0.2, -0.1, 0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7},
     "-0.7",
     "0.7"},
    {"5 to 100 by 10: the end lies on a multiple", 5, 100, 10, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}, "10.0", "100.0"},
    {"0 to 100 by 10: whole numbers as before", 0, 100, 10, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}, "0.0",
     "100.0"},
};

// What an instrument shows of its scale: the tick values, and the values
// and texts of its labels.
struct TShownScale {
  std::vector<Double> Ticks;
  std::vector<Double> Labels;
  std::vector<QString> Texts;
};

void ExpectValues(const std::vector<Double>& Got, const std::vector<Double>& Want, const std::string& What) {
  ASSERT_EQ(Got.size(), Want.size()) << What;
  for (size_t i = 0; i < Want.size(); ++i) EXPECT_NEAR(Got[i], Want[i], 1e-12) << What << " #" << i;
}

// The slider and the bar graph share the linear scale: ticks and labels as
// the next paint lays them out.
template <class TInstrument, class TStyle>
TShownScale ShowLinear(const TScaleRow& R, TStyle Labels) {
  TInstrument I(nullptr);
  I.SetBounds(0, 0, 80, 640);
  I.SetLabelingStyle(Labels);
  I.SetValueMin(-1000);
  I.SetValueMax(R.Max);
  I.SetValueMin(R.Min);
  I.SetLabelingGap(R.Gap);
  TShownScale S;
  const auto L = I.ScaleLayout();
  EXPECT_TRUE(L.Valid);
  for (const auto& M : L.Marks) {
    S.Ticks.push_back(M.Value);
    if (!M.Labelled) continue;
    S.Labels.push_back(M.Value);
    S.Texts.push_back(M.Text);
  }
  return S;
}

struct TInstrumentRow {
  const char* Name;
  std::function<TShownScale(const TScaleRow&)> Show;
};

const TInstrumentRow InstrumentRows[] = {
    {"meter",
     [](const TScaleRow& R) {
       meterInt::TMeterInt M(nullptr);
       M.SetBounds(0, 0, 900, 800);
       M.SetValueDecimals(1);
       M.SetValueMin(R.Min);
       M.SetValueMax(R.Max);
       M.SetValueGap(R.Gap);
       M.Repaint();
       TShownScale S;
       for (Double V : CircularScale::TickValues(CircularScale::TickRun(M.ValueMin(), M.ValueMax(), M.ValueGap())))
         S.Ticks.push_back(V);
       EXPECT_EQ(M.Ticks().size(), S.Ticks.size());
       for (const auto& L : M.Labels()) {
         S.Labels.push_back(L.Value);
         S.Texts.push_back(L.Text);
       }
       return S;
     }},
    {"dial",
     [](const TScaleRow& R) {
       dial::TDial D(nullptr);
       D.SetBounds(0, 0, 420, 420);
       D.SetTicks(true);
       D.SetLabels(true);
       D.SetValueDecimals(1);
       D.SetValueMin(R.Min);
       D.SetValueMax(R.Max);
       D.SetValueGap(R.Gap);
       D.Repaint();
       TShownScale S;
       S.Ticks = CircularScale::TickValues(CircularScale::TickRun(D.ValueMin(), D.ValueMax(), D.ValueGap()));
       EXPECT_EQ(D.TickMarks().size(), S.Ticks.size());
       for (const auto& L : D.LabelList()) {
         S.Labels.push_back(L.Value);
         S.Texts.push_back(L.Text);
       }
       return S;
     }},
    {"slider", [](const TScaleRow& R) { return ShowLinear<Slider::TSlider>(R, Slider::lbsBoth); }},
    {"bar graph", [](const TScaleRow& R) { return ShowLinear<bargraphint::TBarGraphInt>(R, bargraphint::lbsBoth); }},
};

}  // namespace

TEST(DecimalScales, EveryMultipleOfTheGapHasItsTickAndLabel) {
  for (const TInstrumentRow& I : InstrumentRows) {
    for (const TScaleRow& R : ScaleRows) {
      const std::string What = std::string(I.Name) + ", " + R.Name;
      const TShownScale S = I.Show(R);
      ExpectValues(S.Ticks, R.Multiples, What + ": ticks");
      // The instruments are large enough to label every tick.
      ExpectValues(S.Labels, R.Multiples, What + ": labels");
      if (S.Texts.empty()) continue;
      EXPECT_EQ(S.Texts.front(), QString::fromLatin1(R.FirstText)) << What;
      EXPECT_EQ(S.Texts.back(), QString::fromLatin1(R.LastText)) << What;
    }
  }
}
