// Decimal rounding on the digits of the shortest text of a value.
#include "model/decimal_rounding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace plenwick {

namespace {

// Adds one unit in the last place of a string of decimal digits (a carry may lengthen it).
void Increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

double RoundDecimal(double value, int places, DecimalRounding mode) {
  if (!std::isfinite(value)) return value;
  places = std::clamp(places, 0, 15);
  // The shortest fixed-point text that reads back as the value: the digits the user sees.
  std::array<char, 400> text{};
  const auto [end, ec] = std::to_chars(text.data(), text.data() + text.size(), std::fabs(value), std::chars_format::fixed);
  if (ec != std::errc()) return value;
  const std::string magnitude(text.data(), end);
  const std::size_t point = magnitude.find('.');
  const std::string whole = magnitude.substr(0, point);
  const std::string fraction = point == std::string::npos ? std::string() : magnitude.substr(point + 1);
  const auto kept = static_cast<std::size_t>(places);
  std::string digits = whole + fraction.substr(0, std::min(kept, fraction.size()));
  digits.append(kept - std::min(kept, fraction.size()), '0');
  const std::string rest = fraction.size() > kept ? fraction.substr(kept) : std::string();
  const bool negative = std::signbit(value);
  if (mode == DecimalRounding::kHalfUp && !rest.empty()) {
    // floor(v + 0.5) goes up in size from a half on for positive values and only past a half
    // for negative ones.
    const bool pastHalf = rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
    if (rest[0] >= '5' && (!negative || pastHalf)) Increment(digits);
  }
  std::string rounded = digits.substr(0, digits.size() - kept);
  if (kept > 0) rounded += "." + digits.substr(digits.size() - kept);
  double result = 0;
  std::from_chars(rounded.data(), rounded.data() + rounded.size(), result, std::chars_format::fixed);
  if (result == 0) return 0.0;
  return negative ? -result : result;
}

}  // namespace plenwick
