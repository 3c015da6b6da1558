// Reading a dimension element (kind 50) by its group codes: values are found by code, never by
// position, so that a record with codes missing, repeated or reordered is read as far as it goes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/draw_entity.h"
#include "view/view_mapping.h"

namespace plenwick {

// Dimension kinds (the dimension element's subKind).
enum DimensionKind : int16_t {
  kDimDistance = 0,
  kDimHorizontal = 1,
  kDimVertical = 2,
  kDimPerimeter = 3,
  kDimRadius = 4,
  kDimDiameter = 5,
  kDimAngleLines = 6,
  kDimAngleArc = 7,
  kDimArea = 8,
};

// Codes of a dimension's values.
enum DimensionCode : int16_t {
  kDimCodePacked = 30,       // tolerance type, prefix length and prefix in one 8-byte field
  kDimCodeTolerance1 = 31,
  kDimCodeTolerance2 = 32,
  kDimCodeValue = 10,        // the measured value
  kDimCodeTextSize = 11,
  kDimCodeDirection = 12,    // degrees: the angle of the texts
  kDimCodeFormat = 13,       // extension-line switches and decimals
  kDimCodeMarks = 14,        // terminator types and sizes
  kDimCodeExtUpperFirst = 15,
  kDimCodeExtUpperLast = 16,
  kDimCodeExtUpperInner = 17,
  kDimCodeExtLowerFirst = 18,
  kDimCodeExtLowerLast = 19,
  kDimCodeExtLowerInner = 20,
  kDimCodeReferenceX = 21,
  kDimCodeVertexX = 23,
  kDimCodeArcRadius = 25,
  kDimCodeArcStart = 26,
  kDimCodeArcEnd = 27,
  kDimCodeFirstPointX = 40,  // point i of the dimension line: 40 + 10 i (x), 41 + 10 i (y)
  kDimCodeTextX = 42,        // radius, perimeter and angle: the text position
  kDimCodeLeaderEndX = 60,   // perimeter: the far end of the text shoulder
};

// Defining points are coded 40..449: at most 41 of them.
inline constexpr int kMaxDimensionPoints = 41;
// The longest prefix a dimension stores.
inline constexpr int kMaxDimensionPrefix = 4;
// The greatest tolerance type (0 none, 1..7).
inline constexpr int kMaxToleranceType = 7;

// The 8-byte packed field (code 30) as it lies in memory and in files: int16 tolerance type,
// int16 prefix length, char[4] prefix (NUL-padded). Copied as bytes, never as a number.
struct DimensionPacked {
  int16_t toleranceType = 0;
  int16_t prefixLength = 0;
  std::array<char, kMaxDimensionPrefix> prefix{};
};
static_assert(sizeof(DimensionPacked) == sizeof(double));

// The packed field with the bytes of a double, and back.
DimensionPacked UnpackDimensionField(double stored);
double PackDimensionField(const DimensionPacked& packed);
// A packed field for a tolerance type and a prefix (cut to 4 bytes at a character boundary).
DimensionPacked MakeDimensionPacked(int toleranceType, std::string_view prefixSjis);

// The decimal digit `place` (0 units, 1 tens, ...) of a code value; 0 for values that are not
// finite, negative or beyond 2^31.
int DecimalDigit(double value, int place);

// A dimension element read by code. Each code's first occurrence counts; codes outside 0..449
// are ignored.
class DimensionRecord {
 public:
  explicit DimensionRecord(const DrawEntity& dimension);

  int kind() const { return kind_; }
  // The value of the first occurrence of `code`, if any.
  std::optional<double> Find(int code) const;
  // The value of `code`, or `fallback` when the record lacks it.
  double Get(int code, double fallback = 0) const;
  // The point coded (xCode, xCode + 1), when both are present.
  std::optional<ModelPoint> Point(int xCode) const;

  // Tolerance type 0..7 (0 when missing or out of range) and the prefix (empty when missing or
  // its length is outside 0..4), both from the packed field.
  int ToleranceType() const { return toleranceType_; }
  std::string_view Prefix() const { return std::string_view(prefix_.data(), prefixLength_); }

  // Decimal places (tens digit of code 13) and the extension-line switches.
  int Decimals() const { return DecimalDigit(Get(kDimCodeFormat), 1); }
  bool FirstExtensionLine() const { return DecimalDigit(Get(kDimCodeFormat), 3) != 0; }
  bool LastExtensionLine() const { return DecimalDigit(Get(kDimCodeFormat), 2) != 0; }

  // The points of the dimension line (codes 40 + 10 i, 41 + 10 i from i = 0 while present).
  int PointCount() const { return pointCount_; }

 private:
  static constexpr int kCodeLimit = 450;
  bool Has(int code) const { return (present_[static_cast<std::size_t>(code) / 64] >> (code % 64)) & 1; }
  const DrawEntity& e_;
  int kind_ = 0;
  // Which codes occur, and the value index of each one's first occurrence (set only where present:
  // a record is read once per generation, and clearing a whole table would cost more than reading).
  std::array<uint64_t, (kCodeLimit + 63) / 64> present_{};
  std::array<int16_t, kCodeLimit> at_;
  int toleranceType_ = 0;
  std::array<char, kMaxDimensionPrefix> prefix_{};
  std::size_t prefixLength_ = 0;
  int pointCount_ = 0;
};

}  // namespace plenwick
