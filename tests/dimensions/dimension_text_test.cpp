// Guards the dimension texts against drifting from the C formats they stand for ("%.Nf" for the
// value, "%f" trimmed for tolerances), against tolerance texts of a type landing in the wrong
// place, and against widths that do not count bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "model/dimension_text.h"

namespace plenwick {
namespace {

const std::string kPlusMinus = "\x81\x7d";
const std::string kDegree = "\x81\x8b";

std::string Printf(const char* format, double v) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, format, v);
  return buffer;
}

// "%f" with trailing zeros and a trailing point removed.
std::string TrimmedF(double v) {
  std::string s = Printf("%f", v);
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

DimensionTexts Texts(double value, int decimals = 0, std::string_view prefix = {}, bool degrees = false, int type = 0,
                     double tolerance1 = 0, double tolerance2 = 0) {
  DimensionTextInput in;
  in.value = value;
  in.decimals = decimals;
  in.prefix = prefix;
  in.degrees = degrees;
  in.toleranceType = type;
  in.tolerance1 = tolerance1;
  in.tolerance2 = tolerance2;
  return FormatDimensionTexts(in);
}

TEST(DimensionText, ValueNumberIsPrintfWithTheDecimalsOrNoneOutsideZeroToFour) {
  const double values[] = {0, 0.5, 1.5, 2.5, -0.5, -2.25, 12.345, 99.99995, 1234567.125, 1e15, -7e-5};
  for (int decimals = -1; decimals <= 9; ++decimals) {
    const std::string format = decimals >= 0 && decimals <= 4 ? "%." + std::to_string(decimals) + "f" : "%.0f";
    for (const double v : values) {
      EXPECT_EQ(Texts(v, decimals).value, Printf(format.c_str(), v)) << v << " " << decimals;
    }
  }
  EXPECT_EQ(FormatDimensionNumber(12.345, 2), "12.35");
  EXPECT_TRUE(Texts(std::nan("")).value.empty());
  EXPECT_TRUE(Texts(HUGE_VAL, 0, {}, false, 3).upper.empty());
}

TEST(DimensionText, PrefixDegreesAndTheAppendedTolerance) {
  EXPECT_EQ(Texts(5, 0, "R").value, "R5");
  EXPECT_EQ(Texts(90, 1, {}, true).value, "90.0" + kDegree);
  const DimensionTexts t = Texts(50, 2, "\x83\xd3", true, 1, 0.2);
  EXPECT_EQ(t.value, "\x83\xd3" "50.00" + kDegree + kPlusMinus + "0.2");
  EXPECT_TRUE(t.upper.empty() && t.lower.empty());
  EXPECT_EQ(t.toleranceBytes, 0u);
  // At or below 1e-8 the type-1 tolerance is not shown.
  EXPECT_EQ(Texts(3, 0, {}, false, 1, 1e-8).value, "3");
}

TEST(DimensionText, EveryToleranceTypeWritesItsTextsInTheirPlaces) {
  for (const double v : {0.0015, 0.2, 1.0, 1e-9}) {
    const double v2 = v * 3;  // a second value that differs, so the texts show which one they use
    const std::string p1 = "+" + TrimmedF(v), m1 = "-" + TrimmedF(v), pm1 = kPlusMinus + TrimmedF(v);
    const std::string p2 = "+" + TrimmedF(v2), m2 = "-" + TrimmedF(v2);
    const std::size_t longerMinus = std::max(m1.size(), m2.size());
    struct Expected {
      std::string valueSuffix, upper, lower;
      std::size_t toleranceBytes;
    } table[] = {
        {"", "", "", 0},                          // 0 none
        {v > 1e-8 ? pm1 : "", "", "", 0},         // 1 "±" after the value
        {"", pm1, "", pm1.size()},                // 2 "±" above
        {"", p1, m2, longerMinus},                // 3 (+)(−)
        {"", p1, " 0", p1.size()},                // 4 (+)(0)
        {"", " 0", m2, m2.size()},                // 5 (0)(−)
        {"", m1, m2, longerMinus},                // 6 (−)(−)
        {"", p1, p2, longerMinus},                // 7 (+)(+)
    };
    for (int type = 0; type <= 9; ++type) {
      const Expected& want = table[type <= 7 ? type : 0];
      const DimensionTexts t = Texts(123, 0, {}, false, type, v, v2);
      SCOPED_TRACE(std::to_string(type) + " " + std::to_string(v));
      EXPECT_EQ(t.value, "123" + want.valueSuffix);
      EXPECT_EQ(t.upper, want.upper);
      EXPECT_EQ(t.lower, want.lower);
      EXPECT_EQ(t.toleranceBytes, want.toleranceBytes);
      // Half the value text by bytes plus half the tolerance text at half size.
      EXPECT_DOUBLE_EQ(DimensionTextHalfWidth(t, 8), t.value.size() * 2.0 + want.toleranceBytes * 1.0);
    }
  }
  // The upper text sits half a height up, both after the value text's n half-height cells.
  const ToleranceOffsets o = ToleranceTextOffsets(3, 20);
  EXPECT_DOUBLE_EQ(o.upperX, 30);
  EXPECT_DOUBLE_EQ(o.upperY, 10);
  EXPECT_DOUBLE_EQ(o.lowerX, 30);
  EXPECT_DOUBLE_EQ(o.lowerY, 0);
}

}  // namespace
}  // namespace plenwick
