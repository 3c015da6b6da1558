// Building elements from the groups of a DXF ENTITIES section.
#include "exchange/dxf_entity_reader.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "exchange/dxf_names.h"
#include "model/entity_core.h"

namespace plenwick {

namespace {

// POLYLINE flags: closed, and the two meshes, which are surfaces rather than figures of lines.
constexpr int kClosed = 1;
constexpr int kPolygonMesh = 16;
constexpr int kPolyfaceMesh = 64;
// VERTEX flag of a spline's frame control point: not on the polyline drawn.
constexpr int kSplineFrameVertex = 16;

// Text widths below this are taken as the height.
constexpr double kSmallestTextWidth = 1.9;

}  // namespace

void DxfEntityReader::Take(const DxfGroup& group) {
  if (group.code == 0) {
    EndEntity();
    Start(DxfTrimmed(group.value));
    return;
  }
  if (type_ == Type::kIgnored) return;
  auto number = [&](double& into) {
    const auto v = DxfNumber(group.value);
    if (v && std::isfinite(*v)) {
      into = *v;
    } else {
      bad_ = true;
    }
  };
  switch (group.code) {
    case 1:
      if (type_ == Type::kText) text_.assign(group.value);
      return;
    case 6:
      lineType_ = dxf::LineTypeIndex(DxfTrimmed(group.value));
      return;
    case 70:
      flags_ = DxfInteger(group.value).value_or(0);
      return;
    default:
      break;
  }
  if (type_ == Type::kLwPolyline && (group.code == 10 || group.code == 20)) {
    // Each 10 starts a vertex, its 20 follows.
    if (group.code == 10) vertices_.push_back({});
    if (!vertices_.empty()) number(group.code == 10 ? vertices_.back().x : vertices_.back().y);
    return;
  }
  switch (group.code) {
    case 10: number(values_[k10]); break;
    case 20: number(values_[k20]); break;
    case 11: number(values_[k11]); break;
    case 21: number(values_[k21]); break;
    case 40: number(values_[k40]); break;
    case 41: number(values_[k41]); break;
    case 50: number(values_[k50]); break;
    case 51: number(values_[k51]); break;
    default: break;  // Z values, colours, alignment and the rest are not kept
  }
}

void DxfEntityReader::Finish() {
  EndEntity();
  if (inPolyline_) EndPolyline();
  type_ = Type::kIgnored;
}

void DxfEntityReader::Start(std::string_view name) {
  // A POLYLINE ends at its SEQEND, or at whatever entity comes instead.
  if (inPolyline_ && name != "VERTEX") EndPolyline();
  type_ = Type::kIgnored;
  std::fill(std::begin(values_), std::end(values_), 0.0);
  values_[k41] = 1;  // width factor
  flags_ = 0;
  lineType_ = -1;
  bad_ = false;
  text_.clear();
  if (name == "LINE") {
    type_ = Type::kLine;
  } else if (name == "TEXT") {
    type_ = Type::kText;
  } else if (name == "CIRCLE") {
    type_ = Type::kCircle;
  } else if (name == "ARC") {
    type_ = Type::kArc;
  } else if (name == "POINT") {
    type_ = Type::kPoint;
  } else if (name == "VERTEX") {
    if (inPolyline_) type_ = Type::kVertex;
  } else if (name == "POLYLINE" || name == "LWPOLYLINE") {
    type_ = name == "POLYLINE" ? Type::kPolyline : Type::kLwPolyline;
    vertices_.clear();
    polylineBad_ = false;
  }
}

void DxfEntityReader::EndEntity() {
  switch (type_) {
    case Type::kIgnored:
      break;
    case Type::kPolyline:
      inPolyline_ = true;
      polylineClosed_ = (flags_ & kClosed) != 0;
      polylineSkipped_ = (flags_ & (kPolygonMesh | kPolyfaceMesh)) != 0;
      polylineLineType_ = lineType_ < 0 ? 0 : lineType_;
      break;
    case Type::kVertex:
      if (flags_ & kSplineFrameVertex) break;
      if (bad_) polylineBad_ = true;
      vertices_.push_back({Value(k10), Value(k20), lineType_ < 0 ? polylineLineType_ : lineType_});
      break;
    case Type::kLwPolyline:
      polylineClosed_ = (flags_ & kClosed) != 0;
      polylineSkipped_ = false;
      polylineLineType_ = lineType_ < 0 ? 0 : lineType_;
      polylineBad_ = polylineBad_ || bad_;
      for (Vertex& v : vertices_) v.lineType = polylineLineType_;
      inPolyline_ = true;
      EndPolyline();
      break;
    default:
      AddPending();
      break;
  }
  type_ = Type::kIgnored;
}

void DxfEntityReader::EndPolyline() {
  inPolyline_ = false;
  if (polylineSkipped_ || vertices_.empty()) {
    vertices_.clear();
    return;
  }
  bool usable = !polylineBad_;
  for (const Vertex& v : vertices_) usable = usable && InCoordinateRange(v.x) && InCoordinateRange(v.y);
  if (!usable) {
    ++skipped_;
    vertices_.clear();
    return;
  }
  static constexpr int16_t kCodes[] = {10, 20, 11, 22};
  auto line = [&](const Vertex& a, const Vertex& b, int lineType) {
    const double values[] = {a.x, a.y, b.x, b.y};
    Add(kLine, 0, lineType, kCodes, values, true);
  };
  for (std::size_t i = 1; i < vertices_.size(); ++i) line(vertices_[i - 1], vertices_[i], vertices_[i - 1].lineType);
  // Open polylines have no closing line; two vertices closed would only repeat the one line.
  if (polylineClosed_ && vertices_.size() >= 3) {
    line(vertices_.back(), vertices_.front(), vertices_[vertices_.size() - 2].lineType);
  }
  vertices_.clear();
}

void DxfEntityReader::AddPending() {
  static constexpr int16_t kPointCodes[] = {10, 20};
  static constexpr int16_t kLineCodes[] = {10, 20, 11, 22};
  static constexpr int16_t kCircleCodes[] = {10, 20, 40};
  static constexpr int16_t kArcCodes[] = {10, 20, 40, 50, 51};
  static constexpr int16_t kTextCodes[] = {10, 20, 30, 40, 50};
  const int lineType = lineType_ < 0 ? 0 : lineType_;
  const double x = Value(k10), y = Value(k20), radius = Value(k40);
  const bool radiusUsable = radius > 0 && InCoordinateRange(radius);
  switch (type_) {
    case Type::kPoint: {
      const double values[] = {x, y};
      Add(kPoint, 0, lineType, kPointCodes, values, !bad_);
      break;
    }
    case Type::kLine: {
      const double values[] = {x, y, Value(k11), Value(k21)};
      Add(kLine, 0, lineType, kLineCodes, values, !bad_ && AllInCoordinateRange(values));
      break;
    }
    case Type::kCircle: {
      const double values[] = {x, y, radius};
      Add(kCircle, 0, lineType, kCircleCodes, values, !bad_ && radiusUsable);
      break;
    }
    case Type::kArc: {
      const double values[] = {x, y, radius, Value(k50), Value(k51)};
      Add(kArc, 1, lineType, kArcCodes, values, !bad_ && radiusUsable);
      break;
    }
    case Type::kText: {
      const double height = Value(k40);
      const double width = Value(k41) * height;
      const double values[] = {x, y, height, width < kSmallestTextWidth ? height : width, Value(k50)};
      const bool usable = !bad_ && InCoordinateRange(height) && InCoordinateRange(width);
      Add(kText, 0, lineType, kTextCodes, values, usable, usable ? DecodeDxfText(text_, encoding_).c_str() : nullptr);
      break;
    }
    default:
      break;
  }
}

void DxfEntityReader::Add(int16_t kind, int16_t subKind, int lineType, const int16_t* codes,
                          std::span<const double> values, bool usable, const char* text) {
  // Every element's first point must lie in the coordinate range, whatever its kind.
  usable = usable && values.size() >= 2 && InCoordinateRange(values[0]) && InCoordinateRange(values[1]);
  const EntityAttr attr{kind, subKind, static_cast<int16_t>(lineType * 100), 0, static_cast<int16_t>(values.size())};
  if (usable && AddEntity(attr, nullptr, list_, codes, 0, values.data(), text) == 0) {
    ++added_;
  } else {
    ++skipped_;
  }
}

}  // namespace plenwick
