// The value and tolerance texts of dimensions.
#include "model/dimension_text.h"

#include <algorithm>
#include <cmath>

#include "model/number_text.h"

namespace plenwick {

namespace {

constexpr std::string_view kPlusMinusSjis = "\x81\x7d";  // ±
constexpr std::string_view kDegreeSjis = "\x81\x8b";     // °
// Tolerances at or below this are not shown after the value.
constexpr double kSmallestShownTolerance = 1e-8;
// "%f" keeps six places.
constexpr int kToleranceDecimals = 6;

std::string_view SignText(ToleranceSign sign) {
  switch (sign) {
    case ToleranceSign::kPlusMinus: return kPlusMinusSjis;
    case ToleranceSign::kPlus: return "+";
    case ToleranceSign::kMinus: return "-";
    case ToleranceSign::kZero: return " 0";
    case ToleranceSign::kNone: break;
  }
  return {};
}

std::string ItemText(const ToleranceItem& item, const DimensionTextInput& in) {
  std::string text(SignText(item.sign));
  if (item.value == 1) text += FormatNumberText(in.tolerance1, kToleranceDecimals);
  if (item.value == 2) text += FormatNumberText(in.tolerance2, kToleranceDecimals);
  return text;
}

}  // namespace

ToleranceLayout ToleranceLayoutOf(int type) {
  using S = ToleranceSign;
  switch (type) {
    case 2: return {{S::kPlusMinus, 1}, {}};
    case 3: return {{S::kPlus, 1}, {S::kMinus, 2}};
    case 4: return {{S::kPlus, 1}, {S::kZero, 0}};
    case 5: return {{S::kZero, 0}, {S::kMinus, 2}};
    case 6: return {{S::kMinus, 1}, {S::kMinus, 2}};
    case 7: return {{S::kPlus, 1}, {S::kPlus, 2}};
    default: return {};
  }
}

std::string FormatDimensionNumber(double value, int decimals) {
  return FormatFixedNumber(value, decimals >= 0 && decimals <= 4 ? decimals : 0);
}

DimensionTexts FormatDimensionTexts(const DimensionTextInput& in) {
  DimensionTexts out;
  const std::string number = FormatDimensionNumber(in.value, in.decimals);
  if (number.empty()) return out;
  out.value.reserve(in.prefix.size() + number.size() + 16);
  out.value += in.prefix;
  out.value += number;
  if (in.degrees) out.value += kDegreeSjis;
  if (in.toleranceType == 1 && in.tolerance1 > kSmallestShownTolerance) {
    out.value += ItemText({ToleranceSign::kPlusMinus, 1}, in);
  }
  const ToleranceLayout layout = ToleranceLayoutOf(in.toleranceType);
  out.upper = ItemText(layout.upper, in);
  out.lower = ItemText(layout.lower, in);
  switch (in.toleranceType) {
    case 2: case 4: out.toleranceBytes = out.upper.size(); break;
    case 5: out.toleranceBytes = out.lower.size(); break;
    case 3: case 6: case 7:
      out.toleranceBytes = std::max(ItemText({ToleranceSign::kMinus, 1}, in).size(),
                                    ItemText({ToleranceSign::kMinus, 2}, in).size());
      break;
    default: break;
  }
  return out;
}

double DimensionTextHalfWidth(const DimensionTexts& texts, double height) {
  return static_cast<double>(texts.value.size()) * height / 4 + static_cast<double>(texts.toleranceBytes) * height / 8;
}

ToleranceOffsets ToleranceTextOffsets(std::size_t valueBytes, double height) {
  const double x = static_cast<double>(valueBytes) * height / 2;
  return {x, height / 2, x, 0};
}

}  // namespace plenwick
