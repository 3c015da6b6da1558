// The texts of a dimension: the value text (prefix, number, degree sign, a "±" tolerance after
// it) and the small tolerance texts beside it, all Shift-JIS; their widths are estimated from
// their byte lengths (a byte is half a character cell wide).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plenwick {

// What one tolerance text shows: a sign and one of the two tolerance values, or " 0".
enum class ToleranceSign : uint8_t { kNone, kPlusMinus, kPlus, kMinus, kZero };
struct ToleranceItem {
  ToleranceSign sign = ToleranceSign::kNone;
  int value = 0;  // 1 or 2: which tolerance value; 0 for kNone and kZero
};

// The tolerance texts a type draws: the upper one (types 2..7) and the lower one (types 3..7).
// Type 1 draws neither (its "±" goes after the value); types outside 1..7 draw nothing.
struct ToleranceLayout {
  ToleranceItem upper;
  ToleranceItem lower;
};
ToleranceLayout ToleranceLayoutOf(int toleranceType);

// What the texts are made from. `decimals` 0..4 selects "%.Nf"; any other value "%.0f".
struct DimensionTextInput {
  double value = 0;
  int decimals = 0;
  std::string_view prefix;  // Shift-JIS, put in front when not empty
  bool degrees = false;     // angle dimensions: "°" after the number
  int toleranceType = 0;    // 0..7 as stored
  double tolerance1 = 0;
  double tolerance2 = 0;
};

struct DimensionTexts {
  std::string value;  // prefix, number, "°", and for type 1 "±" value 1 when value 1 > 1e-8
  std::string upper;  // empty when the type draws none
  std::string lower;
  // Byte length of the tolerance text that widens the value text (types 2..7), else 0: "±"
  // value 1 (type 2), "+" value 1 (4), "-" value 2 (5), the longer of value 1 and value 2 each
  // written with "-" (3, 6, 7).
  std::size_t toleranceBytes = 0;
};

// The texts of a dimension. Tolerance numbers are written with "%f" and trimmed (trailing zeros
// and a trailing point removed). A value that is not finite gives no texts at all.
DimensionTexts FormatDimensionTexts(const DimensionTextInput& input);

// The number of the value text alone: "%.Nf" for decimals 0..4, "%.0f" otherwise; empty when
// the value is not finite.
std::string FormatDimensionNumber(double value, int decimals);

// Half the width of the value text (model mm, text height h): n × h / 4 for n bytes, plus
// toleranceBytes × h / 8 for the tolerance texts at half size.
double DimensionTextHalfWidth(const DimensionTexts& texts, double height);

// Where the tolerance texts go, in the value text's own frame (x along its angle, y across it,
// model mm from its insertion point), for a value text of `valueBytes` bytes and height h: the
// upper at (n h/2, h/2), the lower at (n h/2, 0). Both are h/2 high.
struct ToleranceOffsets {
  double upperX = 0, upperY = 0;
  double lowerX = 0, lowerY = 0;
};
ToleranceOffsets ToleranceTextOffsets(std::size_t valueBytes, double height);

}  // namespace plenwick
