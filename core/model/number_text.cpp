// Fixed-point number texts without trailing zeros, and strict decimal reading. Both ignore the
// process locale: the decimal point is always ".".
#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace plenwick {

std::string FormatFixedNumber(double value, int decimals) {
  std::string text;
  AppendFixedNumber(text, value, decimals);
  return text;
}

void AppendFixedNumber(std::string& out, double value, int decimals) {
  if (!std::isfinite(value)) return;
  decimals = std::clamp(decimals, 0, 15);
  static constexpr double kPowers[] = {1, 10, 100, 1000, 10000};
  char buffer[400];  // the largest double has 309 integer digits; to_chars writes what is read
  // Scaled to whole units and rounded, unless the value lies near a rounding tie, where only the
  // exact decimal expansion decides.
  const double scaled = decimals <= 4 ? value * kPowers[decimals] : 0;
  if (decimals <= 4 && std::fabs(scaled) < 1e15) {
    // The product may be off by half a unit in its last place.
    if (std::fabs(scaled - std::floor(scaled) - 0.5) > 1e-9 + std::fabs(scaled) * 4e-16) {
      const auto units = static_cast<int64_t>(std::floor(scaled + 0.5));
      uint64_t magnitude = units < 0 ? static_cast<uint64_t>(-units) : static_cast<uint64_t>(units);
      char* const end = buffer + sizeof buffer;
      char* p = end;
      for (int i = 0; i < decimals; ++i, magnitude /= 10) *--p = static_cast<char>('0' + magnitude % 10);
      if (decimals > 0) *--p = '.';
      do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
      } while (magnitude != 0);
      // "%.*f" keeps the sign of a negative value that rounds to zero, and of −0.
      if (units < 0 || (units == 0 && std::signbit(value))) *--p = '-';
      out.append(p, end);
      return;
    }
  }
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (ec == std::errc()) out.append(buffer, end);
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
