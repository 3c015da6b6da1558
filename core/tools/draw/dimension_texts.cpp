// The value text and the tolerance preview's sample texts.
#include "tools/draw/dimension_texts.h"

#include <array>
#include <charconv>
#include <cmath>

#include "model/number_text.h"

namespace plenwick {

namespace {

constexpr std::string_view kPlusMinusSjis = "\x81\x7d";  // ±
constexpr std::string_view kSampleValue = "123";
constexpr std::string_view kSamplePlusMinus = "±0.2";
constexpr std::string_view kSamplePlus = "＋0.2";
constexpr std::string_view kSampleZero = " 0";
constexpr std::string_view kSampleMinus = "－0.2";

}  // namespace

std::string DimensionValueText(double value, int decimals, std::string_view prefix, int toleranceType,
                               double tolerance1) {
  if (decimals < 0 || decimals > 4) decimals = 0;
  std::array<char, 400> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::isfinite(value) ? value : 0,
                                       std::chars_format::fixed, decimals);
  std::string text(prefix);
  text.append(buffer.data(), ec == std::errc() ? end : buffer.data());
  if (toleranceType == 1 && tolerance1 > 1e-8) text += std::string(kPlusMinusSjis) + FormatNumberText(tolerance1, 6);
  return text;
}

std::vector<PreviewText> TolerancePreviewTexts(int toleranceType) {
  const double n = static_cast<double>(kSampleValue.size());
  // Tolerance texts at half height after the value: the upper one half a height up.
  const auto upper = [n](std::string_view t) { return PreviewText{std::string(t), n / 2, 0.5, 0.5}; };
  const auto lower = [n](std::string_view t) { return PreviewText{std::string(t), n / 2, 0, 0.5}; };
  std::vector<PreviewText> texts = {{std::string(kSampleValue), 0, 0, 1}};
  switch (toleranceType) {
    case 1: texts[0].text += kSamplePlusMinus; break;
    case 2: texts.push_back(upper(kSamplePlusMinus)); break;
    case 3: texts.insert(texts.end(), {upper(kSamplePlus), lower(kSampleMinus)}); break;
    case 4: texts.insert(texts.end(), {upper(kSamplePlus), lower(kSampleZero)}); break;
    case 5: texts.insert(texts.end(), {upper(kSampleZero), lower(kSampleMinus)}); break;
    case 6: texts.insert(texts.end(), {upper(kSampleMinus), lower(kSampleMinus)}); break;
    case 7: texts.insert(texts.end(), {upper(kSamplePlus), lower(kSamplePlus)}); break;
    default: break;
  }
  return texts;
}

}  // namespace plenwick
