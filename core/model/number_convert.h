// Conversions to int32 that cannot overflow: values from files and dialogs may be anything.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace plenwick {

inline int32_t SaturateToInt32(int64_t v) {
  constexpr int64_t lo = std::numeric_limits<int32_t>::min();
  constexpr int64_t hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v < lo ? lo : v > hi ? hi : v);
}

// Truncates toward zero like a plain cast, but a NaN gives 0 and values beyond the int32
// range give its nearest end (a plain cast would be undefined there).
inline int32_t TruncateToInt32(double v) {
  if (std::isnan(v)) return 0;
  if (v <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  if (v >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v);
}

}  // namespace plenwick
