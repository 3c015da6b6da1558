// Guards number texts: trailing zeros and points go, the locale never changes the point, and a
// typed number is read only when it is one plain decimal (no exponent, no second point, no junk).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <optional>
#include <string>

#include "model/number_text.h"

namespace plenwick {
namespace {

TEST(NumberText, FormatsWithoutTrailingZeros) {
  const struct {
    double value;
    int decimals;
    const char* text;
  } cases[] = {
      {2.5, 2, "2.5"},   {3.0, 2, "3"},     {-0.001, 2, "0"},  {12.345, 1, "12.3"}, {0.1f, 6, "0.1"},
      {100, 0, "100"},   {-7.25, 2, "-7.25"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatNumberText(c.value, c.decimals), c.text) << c.value;
  EXPECT_EQ(FormatNumberText(1e22, 2), "1" + std::string(22, '0'));
  EXPECT_EQ(FormatNumberText(std::numeric_limits<double>::quiet_NaN(), 2), "0");
  EXPECT_EQ(FormatNumberText(std::numeric_limits<double>::infinity(), 2), "0");
}

TEST(NumberText, FixedNumbersAreWhatPrintfWrites) {
  // Random magnitudes, exact ties (x.125, x.5), values just beside them, negatives rounding to
  // zero and −0: every decimals count gives printf's text.
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> mantissa(-1, 1);
  std::uniform_int_distribution<int> exponent(-8, 17);
  std::vector<double> values = {0.0, -0.0, 0.125, -0.125, 2.5, 0.005, -0.004, 1e15, -1e16, 123456.785, 0.045};
  for (int i = 0; i < 200000; ++i) {
    double v = mantissa(random) * std::pow(10.0, exponent(random));
    if (i % 4 == 0) v = std::round(v * 8) / 8;  // ties in binary
    if (i % 4 == 1) v = std::nextafter(std::round(v * 200) / 200, v > 0 ? 1e300 : -1e300);
    if (i % 8 == 2) v = std::nextafter(std::round(v * 2e6) / 2e6, i % 16 == 2 ? 1e300 : -1e300);  // sixth place
    values.push_back(v);
  }
  for (double v : values) {
    for (int decimals = 0; decimals <= 7; ++decimals) {
      char expected[400];
      std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
      std::string text = "x";
      AppendFixedNumber(text, v, decimals);
      ASSERT_EQ(text, std::string("x") + expected) << v << " with " << decimals;
    }
  }
  std::string text;
  AppendFixedNumber(text, std::numeric_limits<double>::quiet_NaN(), 2);
  EXPECT_EQ(text, "");
}

TEST(NumberText, ReadsOnlyPlainDecimals) {
  const struct {
    const char* text;
    std::optional<double> value;
  } cases[] = {
      {"12", 12},  {"-0.5", -0.5}, {"+3", 3},  {".5", 0.5},   {"5.", 5},         {"007", 7},
      {"", {}},    {"-", {}},      {".", {}},  {"1.2.3", {}}, {"1e3", {}},       {" 1", {}},
      {"1 ", {}},  {"0x10", {}},   {"nan", {}}, {"inf", {}},  {"--1", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseDecimalText(c.text), c.value) << c.text;
  EXPECT_EQ(ParseDecimalText("1" + std::string(400, '0')), std::nullopt);  // beyond the double range
}

}  // namespace
}  // namespace plenwick
