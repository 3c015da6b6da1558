// Fixed-point number texts without trailing zeros, and strict decimal reading. Both ignore the
// process locale: the decimal point is always ".".
#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace plenwick {

std::string FormatFixedNumber(double value, int decimals) {
  if (!std::isfinite(value)) return {};
  decimals = std::clamp(decimals, 0, 15);
  char buffer[400];  // the largest double has 309 integer digits; to_chars writes what is read
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (ec != std::errc()) return {};
  return std::string(buffer, end);
}

std::string FormatNumberText(double value, int decimals) {
  std::string text = FormatFixedNumber(std::isfinite(value) ? value : 0, decimals);
  if (text.empty()) return "0";
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}

std::optional<double> ParseDecimalText(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int digits = 0, points = 0;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      ++digits;
    } else if (c == '.') {
      if (++points > 1) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

}  // namespace plenwick
