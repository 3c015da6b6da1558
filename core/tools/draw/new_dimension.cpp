// The settings part of new dimensions and their layouts of codes per kind.
#include "tools/draw/new_dimension.h"


#include "view/geometry.h"

namespace plenwick {

namespace {

int16_t InRange(int16_t v, int16_t max) { return v >= 0 && v <= max ? v : int16_t{0}; }

constexpr int kToleranceTypes = 8;  // 0 none, 1..7

// The codes and values every kind starts with: 30, 31, 32, 10 (value), 11, 12.
NewDimension Start(const DimensionStyle& style, int16_t kind, double value, double directionDeg) {
  NewDimension r;
  r.kind = kind;
  r.codes = {30, 31, 32, 10, 11, 12};
  r.values = {style.packed, style.tolerance1, style.tolerance2, value, style.textSize, directionDeg};
  return r;
}

void Put(NewDimension& r, int16_t code, double value) {
  r.codes.push_back(code);
  r.values.push_back(value);
}

// Codes 13 to 19 of the distance, diameter and radius records: format, mark and the extension
// lengths (a chain adds 17 and 20 for its intermediate points).
void PutFormatAndExtensions(NewDimension& r, const DimensionStyle& style) {
  Put(r, 13, style.format);
  Put(r, 14, style.mark);
  Put(r, 15, style.extUpper);
  Put(r, 16, style.extUpper);
  Put(r, 18, style.extLower);
  Put(r, 19, style.extLower);
}

void PutPoint(NewDimension& r, int16_t xCode, ModelPoint p) {
  Put(r, xCode, p.x);
  Put(r, static_cast<int16_t>(xCode + 1), p.y);
}

}  // namespace

DimensionStyle DimensionStyleFor(const ProgramSettings& s, int prefixSlot, double drawingScale) {
  const double scale = s.TextSizeMode == 1 ? drawingScale : 1.0;
  const int16_t type = s.DimTolType >= 0 && s.DimTolType < kToleranceTypes ? s.DimTolType : int16_t{0};
  DimensionStyle style;
  style.toleranceType = type;
  style.decimals = InRange(s.DimDecimals, 4);
  style.prefix = s.DimPrefixText(prefixSlot);
  style.packed = PackDimensionField(MakeDimensionPacked(type, style.prefix));
  if (type != 0) {
    style.tolerance1 = s.DimTolUpper[static_cast<std::size_t>(type - 1)];
    style.tolerance2 = s.DimTolLower[static_cast<std::size_t>(type - 1)];
  }
  style.textSize = s.DimTextSize * scale;
  style.format = 1100 + 10 * style.decimals;
  style.mark = InRange(s.DimArrowSize, 4) + 10 * InRange(s.DimMarkSize, 4) + 11100 * InRange(s.LeaderArrow, 3);
  style.extUpper = s.DimExtUpper * scale;
  style.extLower = s.DimExtLower * scale;
  return style;
}

NewDimension LinearDimensionRecord(const DimensionStyle& style, int16_t kind, double value, double directionDeg,
                                      ModelPoint measured, ModelPoint end1, ModelPoint end2) {
  NewDimension r = Start(style, kind, value, directionDeg);
  PutFormatAndExtensions(r, style);
  PutPoint(r, 21, measured);
  PutPoint(r, 40, end1);
  PutPoint(r, 50, end2);
  return r;
}

NewDimension ChainDimensionRecord(const DimensionStyle& style, int16_t kind, double directionDeg,
                                     ModelPoint reference, const std::vector<ModelPoint>& onLine) {
  NewDimension r = Start(style, kind, DegreesToRadians(directionDeg), directionDeg);
  Put(r, 13, style.format);
  Put(r, 14, style.mark);
  for (int16_t code : {15, 16, 17}) Put(r, code, style.extUpper);
  for (int16_t code : {18, 19, 20}) Put(r, code, style.extLower);
  PutPoint(r, 21, reference);
  for (std::size_t i = 0; i < onLine.size() && i < kMaxChainPoints; ++i) {
    PutPoint(r, static_cast<int16_t>(40 + 10 * i), onLine[i]);
  }
  return r;
}

NewDimension RadiusDimensionRecord(const DimensionStyle& style, double radius, double directionDeg,
                                      ModelPoint text, ModelPoint tip, ModelPoint other) {
  NewDimension r = Start(style, kDimRadius, radius, directionDeg);
  PutFormatAndExtensions(r, style);
  PutPoint(r, 42, text);
  PutPoint(r, 40, tip);
  PutPoint(r, 50, other);
  return r;
}

NewDimension AngleDimensionRecord(const DimensionStyle& style, int16_t kind, double sweepDeg, ModelPoint vertex,
                                     double radius, double startDeg, double endDeg, ModelPoint text) {
  NewDimension r = Start(style, kind, sweepDeg, 0);
  Put(r, 13, style.format);
  Put(r, 14, style.mark);
  Put(r, 15, 0);
  Put(r, 16, 0);
  Put(r, 18, style.extLower);
  Put(r, 19, style.extLower);
  PutPoint(r, 23, vertex);
  Put(r, 25, radius);
  Put(r, 26, startDeg);
  Put(r, 27, endDeg);
  PutPoint(r, 42, text);
  return r;
}

NewDimension PerimeterDimensionRecord(const DimensionStyle& style, double length, ModelPoint picked,
                                         ModelPoint click, ModelPoint shoulderEnd, ModelPoint text) {
  NewDimension r = Start(style, kDimPerimeter, length, 0);
  Put(r, 13, style.format);
  Put(r, 14, style.mark);
  PutPoint(r, 40, picked);
  PutPoint(r, 50, click);
  PutPoint(r, 60, shoulderEnd);
  PutPoint(r, 42, text);
  return r;
}

NewDimension AreaDimensionRecord(const DimensionStyle& style, double area, ModelPoint text) {
  NewDimension r = Start(style, kDimArea, area, 0);
  Put(r, 13, style.format);
  PutPoint(r, 40, text);
  return r;
}

}  // namespace plenwick
