// The values of a new dimension element (kind 50) as the dimension tool stores them: the settings
// every kind carries (packed tolerance type and prefix, tolerance values, text size, format and
// mark codes, extension lengths) and one layout of codes per dimension kind. Lengths are model mm,
// angles degrees unless named otherwise.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/program_settings.h"
#include "view/dimension_record.h"
#include "view/view_mapping.h"

namespace plenwick {

// Most measuring points of a horizontal or vertical chain.
inline constexpr int kMaxChainPoints = 40;

// What every dimension takes from the settings at the moment it is made.
struct DimensionStyle {
  int16_t toleranceType = 0;  // 0..7
  int decimals = 0;           // 0..4
  std::string prefix;         // Shift-JIS, at most 4 bytes
  double packed = 0;     // code 30
  double tolerance1 = 0;  // code 31: entry t − 1 of DimTolUpper, 0 for type 0
  double tolerance2 = 0;  // code 32: entry t − 1 of DimTolLower
  double textSize = 0;   // code 11 (mm)
  double format = 0;     // code 13: 1100 + 10 × decimals
  double mark = 0;       // code 14: arrow size + 10 × mark size + 11100 × arrow type
  double extUpper = 0;   // codes 15, 16, 17 (mm)
  double extLower = 0;   // codes 18, 19, 20 (mm)
};

// The style of the settings for the prefix of `prefixSlot` (the tool's sub-mode). In points mode
// (TextSizeMode 1) the text size and the extension lengths are multiplied by `drawingScale`.
// Settings outside their ranges (a hostile parameter file) are read as their first value: a
// tolerance type outside 0..7 as 0, decimals outside 0..4 as 0, sizes outside 0..4 and an arrow
// type outside 0..3 as 0, so that every digit of codes 13 and 14 means what it says.
DimensionStyle DimensionStyleFor(const ProgramSettings& s, int prefixSlot, double drawingScale);

// A dimension ready for adding: codes and values in storage order.
struct NewDimension {
  int16_t kind = kDimDistance;
  std::vector<int16_t> codes;
  std::vector<double> values;
};

// Distance and diameter (18 values): the measured value, the direction of the dimension line
// (degrees), the first measured point and the two ends of the dimension line.
NewDimension LinearDimensionRecord(const DimensionStyle& style, int16_t kind, double value, double directionDeg,
                                      ModelPoint measured, ModelPoint end1, ModelPoint end2);
// A horizontal or vertical chain (16 + 2n values): the direction in degrees (stored also in
// radians as code 10), the reference point and the measuring points projected onto the line.
NewDimension ChainDimensionRecord(const DimensionStyle& style, int16_t kind, double directionDeg,
                                     ModelPoint reference, const std::vector<ModelPoint>& onLine);
// Radius (18 values): the text position and the dimension line from `tip` (the point on the
// circle, where the terminator goes) to `other`.
NewDimension RadiusDimensionRecord(const DimensionStyle& style, double radius, double directionDeg,
                                      ModelPoint text, ModelPoint tip, ModelPoint other);
// Angle (19 values): the vertex, the dimension arc (counter-clockwise from startDeg to endDeg) and
// the text position. `kind` 6 between two lines, 7 on an arc.
NewDimension AngleDimensionRecord(const DimensionStyle& style, int16_t kind, double sweepDeg, ModelPoint vertex,
                                     double radius, double startDeg, double endDeg, ModelPoint text);
// Perimeter (16 values): the leader from the picked point to the final click and on to the far end
// of the text shoulder, and the text position.
NewDimension PerimeterDimensionRecord(const DimensionStyle& style, double length, ModelPoint picked,
                                         ModelPoint click, ModelPoint shoulderEnd, ModelPoint text);
// Area (9 values): the text position.
NewDimension AreaDimensionRecord(const DimensionStyle& style, double area, ModelPoint text);

}  // namespace plenwick
