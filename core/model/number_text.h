// Number texts of dialogs and bars: fixed-point formatting without trailing zeros, and the
// strict reading of a typed decimal number.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace plenwick {

// What a value that prints as a negative zero ("-0.00": −0 or a small negative value) becomes:
// "0" in dialogs and bars, "-0" where the text must say what "%f" said (CSV files).
enum class NegativeZero { kAsZero, kKept };

// The value formatted with `decimals` places ("%0.*f"), then trailing zeros and a trailing point
// removed: 2.50 -> "2.5", 3.00 -> "3", -0.00 -> "0" (or "-0"). NaN and infinities give "0". Every
// digit is written: 1e300 gives 301 of them.
std::string FormatNumberText(double value, int decimals, NegativeZero negativeZero = NegativeZero::kAsZero);
// The same appended to `out`, without a string of its own: for writers of many numbers.
void AppendNumberText(std::string& out, double value, int decimals, NegativeZero negativeZero = NegativeZero::kAsZero);
// The value with `decimals` places (clamped to 0..15) as "%.*f" writes it, nothing trimmed;
// empty for NaN and infinities.
std::string FormatFixedNumber(double value, int decimals);
// Appends the value as "%.*f" writes it (decimals clamped to 0..15; NaN and infinities append
// nothing). Quick for up to six decimals: plotter streams and CSV files write millions.
void AppendFixedNumber(std::string& out, double value, int decimals);
// The same written to `out`, which has room for kFixedNumberRoom bytes; the length written.
inline constexpr std::size_t kFixedNumberRoom = 400;  // the largest double has 309 digits
std::size_t WriteFixedNumber(char* out, double value, int decimals);

// A decimal number: an optional sign, digits with at most one point and at least one digit
// ("12", "-0.5", ".5", "5."). No spaces, exponents, or other characters; nothing for anything
// else and for values beyond the double range.
std::optional<double> ParseDecimalText(std::string_view text);

}  // namespace plenwick
