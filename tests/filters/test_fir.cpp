#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "FilterTestUtil.h"
#include "quellix/filters/FIRFilter.h"

using namespace quellix;
using namespace quellix::Firfilt;
using filtertest::Noise;

namespace {

const QString RangeText = QStringLiteral("Die Anzahl der Koeffizienten muß zwischen 1 und 512 betragen");

class FIRFilter : public ::testing::Test {
protected:
  void SetUp() override {
    SetDecimalSeparator(QLatin1Char('.'));
    Filter = std::make_unique<TFIRFilter>(nullptr);
  }

  void SetLines(const QStringList& Lines) {
    TStringList L;
    for (const QString& S : Lines) L.Add(S);
    Filter->SetCoefficientList(L);
  }

  std::vector<float> Run(std::vector<float> X) {
    Filter->Filter(X.data(), static_cast<int>(X.size()));
    return X;
  }

  std::unique_ptr<TFIRFilter> Filter;
};

}  // namespace

TEST_F(FIRFilter, NewComponentIsTheIdentity) {
  EXPECT_EQ(Filter->Version(), "V2.10");
  EXPECT_EQ(Filter->CoefficientNumber(), 1);
  EXPECT_EQ(Filter->CoefficientStrings(), QStringList{"1"});
  const std::vector<float> X = Noise(50);
  EXPECT_EQ(Run(X), X);
  EXPECT_EQ(Filter->FilterSample(-2.5f), -2.5f);
}

TEST_F(FIRFilter, TwoHalvesAverageAnImpulse) {
  SetLines({"0.5", "0.5"});
  EXPECT_EQ(Run({1, 0, 0}), (std::vector<float>{0.5f, 0.5f, 0}));
  // c[1] weighs the newest sample.
  SetLines({"1", "0", "-1"});
  Filter->Reset();
  EXPECT_EQ(Run({1, 2, 4, 8}), (std::vector<float>{1, 2, 3, 6}));
}

TEST_F(FIRFilter, CoefficientNumberPadsWithZerosOrDropsFromTheEnd) {
  SetLines({"0.5", "0.25"});
  const std::vector<float> X = Noise(40);
  const std::vector<float> TwoTap = Run(X);
  Filter->SetCoefficientNumber(4);
  EXPECT_EQ(Filter->CoefficientStrings(), (QStringList{"0.5", "0.25", "0", "0"}));
  EXPECT_EQ(Run(X), TwoTap);  // the history was cleared and the new taps are 0
  Filter->SetCoefficientNumber(0);
  Filter->SetCoefficientNumber(513);
  EXPECT_EQ(Filter->CoefficientNumber(), 4);
  Filter->SetCoefficientNumber(1);
  EXPECT_EQ(Filter->CoefficientStrings(), QStringList{"0.5"});
  EXPECT_EQ(Run({2, 4}), (std::vector<float>{1, 2}));
}

TEST_F(FIRFilter, CoefficientCountOutsideOneTo512IsARangeError) {
  SetLines({"0.5", "0.5"});
  QStringList Many;
  for (int i = 0; i < 513; ++i) Many << "1";
  for (const QStringList& Bad : {Many, QStringList{}}) {
    try {
      SetLines(Bad);
      ADD_FAILURE() << "no range error for " << Bad.size();
    } catch (const ERangeError& E) {
      EXPECT_EQ(E.Message(), RangeText);
    }
    EXPECT_EQ(Filter->CoefficientStrings(), (QStringList{"0.5", "0.5"}));
  }
  const float V[1] = {1};
  EXPECT_THROW(Filter->SetCoefficients(0, V), ERangeError);
  EXPECT_THROW(Filter->SetCoefficients(513, V), ERangeError);
  Many.removeLast();
  SetLines(Many);
  EXPECT_EQ(Filter->CoefficientNumber(), 512);
}

// The lines before a line that is not a number become the coefficient set;
// the filter runs exactly those.
TEST_F(FIRFilter, LineThatIsNotANumberKeepsTheEarlierOnes) {
  SetLines({"1", "1", "1", "1", "1"});
  Run({9, 9, 9});
  EXPECT_THROW(SetLines({"0.25", " 0.75 ", "abc", "1"}), EConvertError);
  EXPECT_EQ(Filter->CoefficientStrings(), (QStringList{"0.25", " 0.75 "}));
  EXPECT_EQ(Filter->CoefficientNumber(), 2);
  EXPECT_EQ(Run({4, 0, 0}), (std::vector<float>{1, 3, 0}));  // history cleared, two taps
  // A first line that is not a number takes nothing over.
  EXPECT_THROW(SetLines({"x", "1"}), EConvertError);
  EXPECT_EQ(Filter->CoefficientStrings(), (QStringList{"0.25", " 0.75 "}));
}

TEST_F(FIRFilter, SetCoefficientsWritesTheListAndKeepsTheHistoryOfTheSameLength) {
  const float Delay[2] = {0, 1};
  Filter->SetCoefficients(2, Delay);
  EXPECT_EQ(Filter->CoefficientStrings(), (QStringList{"0", "1"}));
  EXPECT_EQ(Run({1, 2, 3}), (std::vector<float>{0, 1, 2}));
  const float Sum[2] = {1, 0.5f};
  Filter->SetCoefficients(2, Sum);
  EXPECT_EQ(Filter->CoefficientStrings(), (QStringList{"1", "0.5"}));
  EXPECT_EQ(Filter->FilterSample(4), 5.5f);  // 4 + 0.5*3: the ring went on
  SetLines({"1", "1"});
  EXPECT_EQ(Filter->FilterSample(1), 5.0f);  // same length: kept
  SetLines({"1", "1", "1"});
  EXPECT_EQ(Filter->FilterSample(1), 1.0f);  // new length: cleared
}

// What each way of changing the coefficients does to the history, after
// the samples 1 .. 5 went through two taps: SetCoefficients keeps the
// newest samples at their ages whatever the count; a list of another
// length and CoefficientNumber clear the ring. The next sample is 10.
TEST_F(FIRFilter, CountChangesAndTheHistory) {
  struct Row {
    const char* Name;
    std::function<void(TFIRFilter&)> Change;
    float Next;  // the output for the sample 10
  };
  const float Four[4] = {1, 10, 100, 1000};
  const float Two[2] = {1, 10};
  const float One[1] = {1};
  const Row Rows[] = {
      {"SetCoefficients, same count: the ring goes on", [&](TFIRFilter& F) { F.SetCoefficients(2, Two); }, 10 + 50},
      {"SetCoefficients, more taps: the kept samples keep their ages",
       [&](TFIRFilter& F) { F.SetCoefficients(4, Four); }, 10 + 50 + 400 + 0},
      {"SetCoefficients, fewer taps: the newest sample stays", [&](TFIRFilter& F) { F.SetCoefficients(1, One); }, 10},
      {"SetCoefficients, fewer then more: only what one tap held", [&](TFIRFilter& F) {
         F.SetCoefficients(1, One);
         F.SetCoefficients(4, Four);
       }, 10 + 50},
      {"a value that is no number changes nothing", [&](TFIRFilter& F) {
         const float Bad[4] = {1, std::numeric_limits<float>::quiet_NaN(), 1, 1};
         F.SetCoefficients(4, Bad);
       }, 10 + 0.5f * 5},
      {"CoefficientList of another length clears the ring",
       [&](TFIRFilter& F) { F.SetCoefficientStrings({"1", "10", "100"}); }, 10},
      {"CoefficientList of the same length keeps it", [&](TFIRFilter& F) { F.SetCoefficientStrings({"1", "10"}); },
       10 + 50},
      {"CoefficientNumber clears the ring", [&](TFIRFilter& F) { F.SetCoefficientNumber(3); }, 10},
  };
  for (const Row& R : Rows) {
    TFIRFilter F(nullptr);
    const float Half[2] = {1, 0.5f};
    F.SetCoefficients(2, Half);
    std::vector<float> X{1, 2, 3, 4, 5};
    F.Filter(X.data(), 5);
    R.Change(F);
    EXPECT_EQ(F.FilterSample(10), R.Next) << R.Name;
  }
  // Blocks see the re-laid ring as single samples do.
  TFIRFilter A(nullptr), B(nullptr);
  for (TFIRFilter* F : {&A, &B}) {
    F->SetCoefficients(2, Two);
    std::vector<float> X{1, 2, 3, 4, 5};
    F->Filter(X.data(), 5);
    F->SetCoefficients(4, Four);
  }
  std::vector<float> Block{6, 7, 8, 9, 10, 11};
  A.Filter(Block.data(), 6);
  for (size_t i = 0; i < Block.size(); ++i) EXPECT_EQ(B.FilterSample(6 + float(i)), Block[i]) << i;
  EXPECT_EQ(Block[0], 6 + 50 + 400.0f);
}

// A coefficient set that grows again must not bring back samples from
// before a Reset.
TEST_F(FIRFilter, GrowingAfterResetSeesNoOldSamples) {
  const float Ones[4] = {1, 1, 1, 1};
  Filter->SetCoefficients(4, Ones);
  Run({5, 6, 7, 8});
  Filter->SetCoefficients(1, Ones);
  Filter->Reset();
  Filter->SetCoefficients(4, Ones);
  EXPECT_EQ(Filter->FilterSample(1), 1.0f);
}

// Filter runs its own block kernel; it must leave the same outputs and the
// same ring as FilterSample one sample after the other, whatever the
// split, the number of taps, or a block shorter than the ring.
TEST_F(FIRFilter, BlocksMatchSampleBySample) {
  for (int Taps : {1, 3, 17, 128, 512}) {
    const std::vector<float> C = Noise(Taps, 7 + Taps);
    TFIRFilter A(nullptr), B(nullptr);
    A.SetCoefficients(Taps, C.data());
    B.SetCoefficients(Taps, C.data());
    const std::vector<float> X = Noise(10000, 3);
    std::vector<float> Y = X;
    int Done = 0;
    for (int Len : {1, 2, 15, 16, 33, 5000, 100}) {
      B.Filter(Y.data() + Done, Len);
      Done += Len;
      Y[Done] = B.FilterSample(Y[Done]);
      ++Done;
    }
    B.Filter(Y.data() + Done, static_cast<int>(X.size()) - Done);
    for (size_t i = 0; i < X.size(); ++i) ASSERT_EQ(Y[i], A.FilterSample(X[i])) << Taps << " " << i;
  }
}

TEST_F(FIRFilter, FloatsRoundTripCarriesTheCoefficients) {
  Filter->SetSampleFrequency(8000);
  Filter->SetCutoffFrequency(1000);
  const float C[3] = {0.1f, -0.25f, 3};
  Filter->SetCoefficients(3, C);
  const QString Text = filtertest::WriteFloats(*Filter);
  EXPECT_EQ(Text, "(8000.0, 1000.0, (" + FloatToStreamText(0.1f) + ", -0.25, 3.0))");
  TFIRFilter G(nullptr);
  filtertest::ReadFloats(G, Text);
  EXPECT_EQ(G.SampleFrequency(), 8000.0f);
  EXPECT_EQ(G.CutoffFrequency(), 1000.0f);
  ASSERT_EQ(G.CoefficientNumber(), 3);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(G.Coefficient(k), C[k]);
  EXPECT_EQ(G.CoefficientStrings(), Filter->CoefficientStrings());
}

// No values or more than 512 in the stream: the range error, and the
// coefficients stay as they were.
TEST_F(FIRFilter, FloatsWithABadCountRaiseTheRangeError) {
  SetLines({"0.5", "0.5"});
  QString Many = "(1.0, 0.5, (";
  for (int i = 0; i < 513; ++i) Many += i ? ", 2.0" : "2.0";
  Many += "))";
  for (const QString& Bad : {Many, QString("(1.0, 0.5, ())")}) {
    EXPECT_THROW(filtertest::ReadFloats(*Filter, Bad), ERangeError);
    EXPECT_EQ(Filter->CoefficientNumber(), 2);
    EXPECT_EQ(Filter->Coefficient(1), 0.5f);
  }
}
