// Guards number texts: trailing zeros and points go, the locale never changes the point, and a
// typed number is read only when it is one plain decimal (no exponent, no second point, no junk).
#include <gtest/gtest.h>

#include <limits>
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
