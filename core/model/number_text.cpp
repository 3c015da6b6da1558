// Fixed-point number texts without trailing zeros, and strict decimal reading. Both ignore the
// process locale: the decimal point is always ".".
#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace plenwick {

std::string FormatFixedNumber(double value, int decimals) {
  std::string text;
  AppendFixedNumber(text, value, decimals);
  return text;
}

void AppendFixedNumber(std::string& out, double value, int decimals) {
  char buffer[kFixedNumberRoom];
  out.append(buffer, WriteFixedNumber(buffer, value, decimals));
}

std::size_t WriteFixedNumber(char* out, double value, int decimals) {
  if (!std::isfinite(value)) return 0;
  decimals = std::clamp(decimals, 0, 15);
  static constexpr double kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
  // Scaled to whole units and rounded, unless the value lies near a rounding tie, where only the
  // exact decimal expansion decides. Up to six decimals: the "%f" of CSV files.
  const double scaled = decimals <= 6 ? value * kPowers[decimals] : 0;
  if (decimals <= 6 && std::fabs(scaled) < 1e15) {
    // floor without the library call: the value fits an int64.
    double below = static_cast<double>(static_cast<int64_t>(scaled));
    if (below > scaled) below -= 1;
    // The product may be off by half a unit in its last place.
    if (std::fabs(scaled - below - 0.5) > 1e-9 + std::fabs(scaled) * 4e-16) {
      const int64_t units = static_cast<int64_t>(below) + (scaled - below > 0.5 ? 1 : 0);
      uint64_t magnitude = units < 0 ? static_cast<uint64_t>(-units) : static_cast<uint64_t>(units);
      // "%.*f" keeps the sign of a negative value that rounds to zero, and of −0.
      const bool negative = units < 0 || (units == 0 && std::signbit(value));
      // Constant divisors: the compiler multiplies instead of dividing.
      uint64_t whole = magnitude, fraction = 0;
      switch (decimals) {
        case 1: whole = magnitude / 10, fraction = magnitude % 10; break;
        case 2: whole = magnitude / 100, fraction = magnitude % 100; break;
        case 3: whole = magnitude / 1000, fraction = magnitude % 1000; break;
        case 4: whole = magnitude / 10000, fraction = magnitude % 10000; break;
        case 5: whole = magnitude / 100000, fraction = magnitude % 100000; break;
        case 6: whole = magnitude / 1000000, fraction = magnitude % 1000000; break;
        default: break;
      }
      std::size_t digits = 1;
      for (uint64_t bound = 10; digits < 16 && whole >= bound; bound *= 10) ++digits;
      const std::size_t length = (negative ? 1 : 0) + digits + (decimals > 0 ? static_cast<std::size_t>(decimals) + 1 : 0);
      // Two digits at a time, from the end.
      static constexpr char kPairs[] =
          "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
          "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
          "8081828384858687888990919293949596979899";
      char* p = out + length;
      for (int left = decimals; left > 0; left -= 2) {
        if (left == 1) {
          *--p = static_cast<char>('0' + fraction % 10);
          fraction /= 10;
          break;
        }
        const std::size_t pair = 2 * (fraction % 100);
        fraction /= 100;
        *--p = kPairs[pair + 1];
        *--p = kPairs[pair];
      }
      if (decimals > 0) *--p = '.';
      while (whole >= 100) {
        const std::size_t pair = 2 * (whole % 100);
        whole /= 100;
        *--p = kPairs[pair + 1];
        *--p = kPairs[pair];
      }
      if (whole >= 10) {
        *--p = kPairs[2 * whole + 1];
        *--p = kPairs[2 * whole];
      } else {
        *--p = static_cast<char>('0' + whole);
      }
      if (negative) *--p = '-';
      return length;
    }
  }
  const auto [last, ec] = std::to_chars(out, out + kFixedNumberRoom, value, std::chars_format::fixed, decimals);
  return ec == std::errc() ? static_cast<std::size_t>(last - out) : 0;
}

std::string FormatNumberText(double value, int decimals, NegativeZero negativeZero) {
  std::string text;
  AppendNumberText(text, value, decimals, negativeZero);
  return text;
}

void AppendNumberText(std::string& out, double value, int decimals, NegativeZero negativeZero) {
  char buffer[kFixedNumberRoom];
  std::size_t n = WriteFixedNumber(buffer, std::isfinite(value) ? value : 0, decimals);
  if (n == 0) {
    out += '0';
    return;
  }
  if (std::memchr(buffer, '.', n) != nullptr) {
    while (buffer[n - 1] == '0') --n;
    if (buffer[n - 1] == '.') --n;
  }
  if (n == 2 && buffer[0] == '-' && buffer[1] == '0' && negativeZero == NegativeZero::kAsZero) {
    out += '0';
    return;
  }
  out.append(buffer, n);
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
