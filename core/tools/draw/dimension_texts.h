// The texts the dimension tool needs before a dimension's parts exist: the value text whose length
// places a radius's or a perimeter's text, and the tolerance dialog's preview of each tolerance
// type with its sample texts and their places.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plenwick {

// The value text as a dimension shows it (Shift-JIS): the prefix, the value with `decimals`
// places (0..4; any other count none), and for tolerance type 1 with a value 1 above 1e-8 "±"
// and value 1 appended.
std::string DimensionValueText(double value, int decimals, std::string_view prefix, int toleranceType,
                               double tolerance1);

// One text of the tolerance preview (UTF-8). Its insertion point and height are in units of the
// value text's height, relative to the value text's insertion point, y upward.
struct PreviewText {
  std::string text;
  double x = 0;
  double y = 0;
  double height = 1;
};
// The sample value "123" with the sample tolerance texts of a stored tolerance type (1..7), each
// at its place; the value alone for any other type.
std::vector<PreviewText> TolerancePreviewTexts(int toleranceType);

}  // namespace plenwick
