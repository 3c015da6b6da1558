// Reading a dimension element by its group codes.
#include "view/dimension_record.h"

#include <cmath>
#include <cstring>

#include "model/fixed_text.h"

namespace plenwick {

DimensionPacked UnpackDimensionField(double stored) {
  DimensionPacked packed;
  std::memcpy(static_cast<void*>(&packed), &stored, sizeof packed);
  return packed;
}

double PackDimensionField(const DimensionPacked& packed) {
  double stored = 0;
  std::memcpy(&stored, &packed, sizeof stored);
  return stored;
}

DimensionPacked MakeDimensionPacked(int toleranceType, std::string_view prefixSjis) {
  DimensionPacked packed;
  packed.toleranceType = static_cast<int16_t>(toleranceType);
  const std::string_view prefix = SjisPrefix(prefixSjis, kMaxDimensionPrefix);
  packed.prefixLength = static_cast<int16_t>(prefix.size());
  if (!prefix.empty()) std::memcpy(packed.prefix.data(), prefix.data(), prefix.size());
  return packed;
}

int DecimalDigit(double value, int place) {
  if (!(value >= 0 && value < 2147483648.0)) return 0;  // NaN too
  auto n = static_cast<int64_t>(value);
  for (int i = 0; i < place; ++i) n /= 10;
  return static_cast<int>(n % 10);
}

DimensionRecord::DimensionRecord(const DrawEntity& dimension) : e_(dimension), kind_(dimension.subKind) {
  if (e_.values && e_.codes) {
    for (int i = 0; i < e_.valueCount; ++i) {
      const int code = e_.codes[static_cast<std::size_t>(i)];
      if (code < 0 || code >= kCodeLimit || Has(code)) continue;
      present_[static_cast<std::size_t>(code) / 64] |= uint64_t{1} << (code % 64);
      at_[static_cast<std::size_t>(code)] = static_cast<int16_t>(i);
    }
  }
  if (const auto field = Find(kDimCodePacked)) {
    const DimensionPacked packed = UnpackDimensionField(*field);
    if (packed.toleranceType >= 0 && packed.toleranceType <= kMaxToleranceType) toleranceType_ = packed.toleranceType;
    if (packed.prefixLength >= 0 && packed.prefixLength <= kMaxDimensionPrefix) {
      // Up to a NUL, and never ending inside a two-byte character.
      const std::string_view bytes(packed.prefix.data(), static_cast<std::size_t>(packed.prefixLength));
      const std::string_view text = SjisPrefix(bytes.substr(0, bytes.find('\0')), kMaxDimensionPrefix);
      prefix_ = packed.prefix;
      prefixLength_ = text.size();
    }
  }
  while (pointCount_ < kMaxDimensionPoints && Point(kDimCodeFirstPointX + 10 * pointCount_)) ++pointCount_;
}

std::optional<double> DimensionRecord::Find(int code) const {
  if (code < 0 || code >= kCodeLimit || !Has(code)) return std::nullopt;
  return e_.values[static_cast<std::size_t>(at_[static_cast<std::size_t>(code)])];
}

double DimensionRecord::Get(int code, double fallback) const { return Find(code).value_or(fallback); }

std::optional<ModelPoint> DimensionRecord::Point(int xCode) const {
  const auto x = Find(xCode), y = Find(xCode + 1);
  if (!x || !y) return std::nullopt;
  return ModelPoint{*x, *y};
}

}  // namespace plenwick
