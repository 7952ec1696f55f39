#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "quellix/host/NumberFormat.h"
#include "support/ParamRows.h"

using namespace quellix;

namespace {

// Keeps the separators the tests set from leaking into other tests.
class Separators : public ::testing::Test {
protected:
  void SetUp() override {
    FDecimal = DecimalSeparator();
    FThousand = ThousandSeparator();
    SetDecimalSeparator(QLatin1Char('.'));
    SetThousandSeparator(QLatin1Char(','));
  }
  void TearDown() override {
    SetDecimalSeparator(FDecimal);
    SetThousandSeparator(FThousand);
  }

private:
  QChar FDecimal, FThousand;
};

struct PatternRow {
  const char* What;
  friend void PrintTo(const PatternRow& R, std::ostream* Os) { *Os << R.What; }
  const char* Format;
  double Value;
  const char* Expected;
};

const PatternRow PatternRows[] = {
    {"integer pattern rounds half away from zero", "0", 2.5, "3"},
    {"integer pattern, negative half", "0", -2.5, "-3"},
    {"bare point shows no separator without decimals", "0.", 1.5, "2"},
    {"fixed decimals padded with zeros", "0.000", 1.5, "1.500"},
    {"decimal text rounds, not its binary neighbour", "0.00", 2.675, "2.68"},
    {"carry runs through every digit", "0.00", 9.9951, "10.00"},
    {"carry from below one", "0.0", 0.96, "1.0"},
    {"leading zeros from integer placeholders", "00.000", 1.25, "01.250"},
    {"more integer digits than placeholders", "00.000", 1234.5678, "1234.568"},
    {"three integer places", "000.000", -7.5, "-007.500"},
    {"zero in fixed pattern", "000.000", 0.0, "000.000"},
    {"optional digits vanish for zero", "#.##", 0.0, ""},
    {"optional decimals drop trailing zeros", "#.##", 1.1, "1.1"},
    {"optional integer digit absent below one", "#.##", 0.5, ".5"},
    {"integer part kept before a bare point pattern", ".00", 12.5, "12.50"},
    {"thousands separator groups integer digits", "#,##0.0", 1234567.25, "1,234,567.3"},
    {"quoted literal text", "0.0' V'", 3.25, "3.3 V"},
    {"scientific, negative exponent", "#.##E-00", 0.00123, "1.23E-03"},
    {"scientific E- hides a positive sign", "#.##E-00", 1.5e20, "1.5E20"},
    {"scientific optional decimals drop zeros", "#.##E-00", 100.0, "1E02"},
    {"scientific E+ always signs", "#E+00", 1234.0, "1E+03"},
    {"scientific carry raises the exponent", "#E+00", 9.6, "1E+01"},
    {"scientific negative value", "#E+00", -0.04, "-4E-02"},
    {"scientific three-digit exponent widens", "0.00E-00", 1.5e-123, "1.50E-123"},
    {"scientific zero", "0.00E-00", 0.0, "0.00E00"},
    {"scientific zero with optional digits", "#E+00", 0.0, "0E+00"},
    {"two integer places shift the exponent", "00.0E+0", 1234.0, "12.3E+2"},
    {"lower-case exponent letter kept", "0.0e+00", 250.0, "2.5e+02"},
    {"negative section formats the absolute value", "0.0;(0.0)", -1.25, "(1.3)"},
    {"positive value uses the first section", "0.0;(0.0)", 1.25, "1.3"},
    {"empty negative section falls back to '-'", "0.0;", -1.25, "-1.3"},
    {"zero section", "0.0;(0.0);'null'", 0.0, "null"},
    {"negative rounding to zero loses its sign", "0.00", -0.001, "0.00"},
    {"negative rounding to zero takes the zero section", "0.0;(0.0);'null'", -0.01, "null"},
    {"fixed pattern falls back to general for huge values", "0.00", 1.5e25, "1.5E+25"},
    {"empty pattern is general format", "", 0.1, "0.1"},
};

class FormatPatterns : public Separators, public ::testing::WithParamInterface<PatternRow> {};

}  // namespace

TEST_P(FormatPatterns, Formats) {
  const PatternRow& R = GetParam();
  EXPECT_EQ(FormatFloat(QString::fromUtf8(R.Format), R.Value), QString::fromUtf8(R.Expected))
      << R.What << ": '" << R.Format << "' " << R.Value;
}

INSTANTIATE_TEST_SUITE_P(Rows, FormatPatterns, ::testing::ValuesIn(PatternRows),
    quellix::testsupport::RowNamer());

TEST_F(Separators, FormatUsesTheCurrentSeparators) {
  SetDecimalSeparator(QLatin1Char(','));
  SetThousandSeparator(QLatin1Char('.'));
  EXPECT_EQ(FormatFloat("0.00", 1.5), QString("1,50"));
  EXPECT_EQ(FormatFloat("#,##0.0", 12345.0), QString("12.345,0"));
  EXPECT_EQ(FormatFloat("0.0E+00", 1500.0), QString("1,5E+03"));
  EXPECT_EQ(FloatToStr(0.25), QString("0,25"));
}

TEST_F(Separators, NonFiniteValues) {
  EXPECT_EQ(FormatFloat("0.0", std::numeric_limits<double>::quiet_NaN()), QString("NAN"));
  EXPECT_EQ(FormatFloat("0.0", -std::numeric_limits<double>::infinity()), QString("-INF"));
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), QString("INF"));
}

TEST_F(Separators, GeneralFormat) {
  struct Row {
    const char* What;
    double Value;
    int Precision;
    const char* Expected;
  } Rows[] = {
      {"trailing zeros dropped", 2.5, 15, "2.5"},
      {"zero", 0.0, 15, "0"},
      {"negative", -0.125, 15, "-0.125"},
      {"digits up to the precision stay fixed", 123.0, 3, "123"},
      {"exponent at the precision goes scientific", 1234.0, 3, "1.23E+3"},
      {"rounding carry moves to scientific", 999.6, 3, "1E+3"},
      {"rounding to fewer digits", 3.14159, 3, "3.14"},
      {"large value", 1.5e20, 15, "1.5E+20"},
      {"smallest fixed value", 0.0001, 15, "0.0001"},
      {"below 0.0001 scientific", 0.00001234, 15, "1.234E-5"},
      {"fifteen digits of a double", 0.1 + 0.2, 15, "0.3"},
      {"integer beyond the precision", 1e15, 15, "1E+15"},
  };
  for (const Row& R : Rows)
    EXPECT_EQ(FloatToStrGeneral(R.Value, R.Precision), QString(R.Expected)) << R.What;
  EXPECT_EQ(FloatToStrFixed(-2.345, 2), QString("-2.35"));
  EXPECT_EQ(FloatToStrFixed(7.0, 0), QString("7"));
}

TEST_F(Separators, StrToFloatAccepts) {
  struct Row {
    const char* Text;
    double Expected;
  } Rows[] = {
      {"1.5", 1.5},     {"  -2.25 ", -2.25}, {"+3", 3.0},   {"1E5", 1e5},
      {"2.5e-3", 2.5e-3}, {".5", 0.5},       {"7.", 7.0},   {"-0", 0.0},
  };
  for (const Row& R : Rows) EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat(R.Text)), R.Expected) << R.Text;
  SetDecimalSeparator(QLatin1Char(','));
  EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat("1,25")), 1.25);
}

TEST_F(Separators, StrToFloatRejects) {
  const char* Bad[] = {"", "   ", "abc", "1.2.3", "1e", "1e+", "--1", "1 5", ".", "-", "e5", "INF", "NAN",
                       "1,5" /* not the separator */, "0x10", "1e99999" /* beyond the range */};
  for (const char* T : Bad) {
    try {
      StrToFloat(T);
      ADD_FAILURE() << "accepted '" << T << "'";
    } catch (const EConvertError& E) {
      EXPECT_EQ(E.Message(), QString("'%1' ist kein gültiger Gleitkommawert").arg(T));
    }
  }
  SetDecimalSeparator(QLatin1Char(','));
  EXPECT_THROW(StrToFloat("1.5"), EConvertError);
}

TEST_F(Separators, FormattedTextReadsBack) {
  // What the instruments show must be readable by the dialogs' edits.
  SetDecimalSeparator(QLatin1Char(','));
  for (double V : {-1234.5, 0.001, 1.5e-7, 2.5e30})
    EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat(FloatToStr(V))), V) << V;
}
