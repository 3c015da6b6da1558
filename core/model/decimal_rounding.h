// Rounding a value to a number of decimal places as its decimal text reads, not as its binary
// fraction does: 0.57 cut to two places stays 0.57 although the double lies just below it.
#pragma once

namespace plenwick {

enum class DecimalRounding {
  kHalfUp,    // floor(v * 10^d + 0.5): 2.5 -> 3, -2.5 -> -2, -2.7 -> -3
  kTruncate,  // toward zero: 2.99 -> 2, -2.99 -> -2
};

// `value` with `places` (clamped to 0..15) decimal places, taken from the shortest decimal text
// that reads back as `value` (1.005 rounds to 1.01). The result is the double nearest to the
// rounded decimal; a zero result is +0. NaN and infinities are returned as they are.
double RoundDecimal(double value, int places, DecimalRounding mode);

}  // namespace plenwick
