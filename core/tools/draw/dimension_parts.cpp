// Generating the parts of dimensions from their records.
#include "tools/draw/dimension_parts.h"

#include <array>
#include <cmath>
#include <string>

#include "model/dimension_text.h"
#include "model/entity_core.h"
#include "model/program_settings.h"
#include "view/dimension_record.h"
#include "view/dimension_terminators.h"
#include "view/geometry.h"
#include "view/render_hooks.h"

namespace plenwick {

namespace {

// Below this a lower extension line is left out (the line stops at the dimension line).
constexpr double kShortestLowerExtension = 0.05;

ModelPoint Offset(ModelPoint p, ModelPoint direction, double distance) {
  return {p.x + direction.x * distance, p.y + direction.y * distance};
}

// Appends the parts of one dimension with its layer, colour and pen; a part with a value that is
// not finite or lies outside the coordinate range is left out, and so is a line of no length.
class PartWriter {
 public:
  PartWriter(EntityList& list, DrawEntity& dimension) : list_(list), dimension_(dimension) {
    const std::string_view face = CurrentSettings().DimFont.view();
    if (!face.empty()) font_ = face;
  }

  void Line(ModelPoint a, ModelPoint b) {
    if (a == b) return;
    static constexpr int16_t kCodes[] = {10, 20, 11, 22};
    const double v[] = {a.x, a.y, b.x, b.y};
    Add(kLine, dimension_.subKind, kCodes, v);
  }

  void Arc(ModelPoint centre, double radius, double startDeg, double endDeg) {
    if (!(radius > 0)) return;
    static constexpr int16_t kCodes[] = {10, 20, 40, 50, 51};
    const double v[] = {centre.x, centre.y, radius, startDeg, endDeg};
    Add(kArc, 1, kCodes, v);  // counter-clockwise
  }

  void Text(ModelPoint at, double height, double angleDeg, const std::string& text) {
    if (text.empty() || !(height > 0)) return;
    static constexpr int16_t kCodes[] = {10, 20, 30, 40, 50};
    const double v[] = {at.x, at.y, height, height, angleDeg};
    Add(kText, 0, kCodes, v, text.c_str());
  }

  // The value text at `at` and the tolerance texts in its frame.
  void ValueTexts(const DimensionTexts& texts, ModelPoint at, double height, double angleDeg) {
    Text(at, height, angleDeg, texts.value);
    if (texts.upper.empty() && texts.lower.empty()) return;
    const ToleranceOffsets o = ToleranceTextOffsets(texts.value.size(), height);
    const double a = DegreesToRadians(angleDeg), c = std::cos(a), s = std::sin(a);
    const auto place = [&](double x, double y) { return ModelPoint{at.x + x * c - y * s, at.y + x * s + y * c}; };
    Text(place(o.upperX, o.upperY), height / 2, angleDeg, texts.upper);
    Text(place(o.lowerX, o.lowerY), height / 2, angleDeg, texts.lower);
  }

 private:
  template <std::size_t N>
  void Add(int16_t kind, int16_t subKind, const int16_t (&codes)[N], const double (&values)[N],
           const char* text = nullptr) {
    if (!AllInCoordinateRange(values)) return;
    const EntityAttr attr{kind, subKind, dimension_.lineAttr, dimension_.layer, static_cast<int16_t>(N)};
    AddChildEntity(attr, kind == kText ? FontOrDefault() : nullptr, list_, codes, dimension_.colour, values, text,
                   &dimension_);
  }
  const char* FontOrDefault() const { return font_.empty() ? nullptr : font_.c_str(); }

  EntityList& list_;
  DrawEntity& dimension_;
  std::string font_;
};

// The value and tolerance texts of a dimension measuring `value`.
DimensionTexts TextsOf(const DimensionRecord& r, double value, bool degrees) {
  DimensionTextInput in;
  in.value = value;
  in.decimals = r.Decimals();
  in.prefix = r.Prefix();
  in.degrees = degrees;
  in.toleranceType = r.ToleranceType();
  in.tolerance1 = r.Get(kDimCodeTolerance1);
  in.tolerance2 = r.Get(kDimCodeTolerance2);
  return FormatDimensionTexts(in);
}

// Texts placed at a stored position: radius, perimeter, angle and area.
void TextsAt(PartWriter& w, const DimensionRecord& r, int positionCode, bool degrees) {
  const auto value = r.Find(kDimCodeValue);
  const auto at = r.Point(positionCode);
  if (!value || !at) return;
  w.ValueTexts(TextsOf(r, *value, degrees), *at, r.Get(kDimCodeTextSize), r.Get(kDimCodeDirection));
}

// An extension line at p: `upper` toward the side `side` and `lower` beyond the dimension line.
void ExtensionLine(PartWriter& w, ModelPoint p, ModelPoint side, double upper, double lower) {
  w.Line(Offset(p, side, upper), lower > kShortestLowerExtension ? Offset(p, side, -lower) : p);
}

// Whether the texts run from the second dimension-line point toward the first: g is the
// direction of the line, h that of the reference point seen from the first point.
bool TextRunsBackward(int g, int h) { return g == -1 || h == -1 || (g == 2 && h == 4) || (g == 4 && (h == 1 || h == 2)); }

void RadiusParts(PartWriter& w, const DimensionRecord& r) {
  const auto a = r.Point(kDimCodeFirstPointX), b = r.Point(kDimCodeFirstPointX + 10);
  if (a && b) w.Line(*a, *b);
  TextsAt(w, r, kDimCodeTextX, false);
}

}  // namespace

ModelPoint DimensionTextInsertion(ModelPoint s, ModelPoint t, double along, double height) {
  double length = 0;
  ModelPoint u{1, 0};
  if (PointDistance(s, t, &length) == 0 && length > 0) u = {(t.x - s.x) / length, (t.y - s.y) / length};
  return Offset(Offset(s, u, along), {-u.y, u.x}, height / 3);
}

void GenerateLinearDimensionParts(EntityList& list, DrawEntity& dimension, int mode) {
  const DimensionRecord r(dimension);
  PartWriter w(list, dimension);
  if (r.kind() == kDimRadius) {
    RadiusParts(w, r);
    return;
  }
  const int n = r.PointCount();
  if (n < 2) return;
  std::array<ModelPoint, kMaxDimensionPoints> points;
  for (int i = 0; i < n; ++i) points[static_cast<std::size_t>(i)] = *r.Point(kDimCodeFirstPointX + 10 * i);
  const auto p = [&points](int i) { return points[static_cast<std::size_t>(i)]; };
  w.Line(p(0), p(n - 1));

  // Extension lines stand on the side of the reference point, perpendicular to the line.
  const auto reference = r.Point(kDimCodeReferenceX);
  double length = 0;
  if (reference && PointDistance(p(0), p(n - 1), &length) == 0 && length > 0 && std::isfinite(length)) {
    const ModelPoint along{(p(n - 1).x - p(0).x) / length, (p(n - 1).y - p(0).y) / length};
    const double cross = along.x * (reference->y - p(0).y) - along.y * (reference->x - p(0).x);
    const ModelPoint side = cross >= 0 ? ModelPoint{-along.y, along.x} : ModelPoint{along.y, -along.x};
    if (r.FirstExtensionLine()) {
      ExtensionLine(w, p(0), side, r.Get(kDimCodeExtUpperFirst), r.Get(kDimCodeExtLowerFirst));
    }
    if (r.LastExtensionLine()) {
      ExtensionLine(w, p(n - 1), side, r.Get(kDimCodeExtUpperLast), r.Get(kDimCodeExtLowerLast));
      for (int i = 1; i + 1 < n; ++i) {
        ExtensionLine(w, p(i), side, r.Get(kDimCodeExtUpperInner), r.Get(kDimCodeExtLowerInner));
      }
    }
  }

  const int g = OctantOf(p(0), p(n - 1));
  const int h = reference ? OctantOf(p(0), *reference) : -1;
  const bool backward = TextRunsBackward(g, h);
  const double height = r.Get(kDimCodeTextSize), angle = r.Get(kDimCodeDirection);
  const bool chain = mode == kDimHorizontal || mode == kDimVertical;
  const std::optional<double> value = chain ? std::optional<double>(Distance(p(0), p(1))) : r.Find(kDimCodeValue);
  if (value) {
    const DimensionTexts texts = TextsOf(r, *value, false);
    const double e = DimensionTextHalfWidth(texts, height);
    const ModelPoint s = backward ? p(1) : p(0), t = backward ? p(0) : p(1);
    w.ValueTexts(texts, DimensionTextInsertion(s, t, *value / 2 - e, height), height, angle);
  }
  if (!chain) return;
  // Further segments of a chain: their own lengths, without prefix or tolerance.
  for (int i = 1; i + 1 < n; ++i) {
    const ModelPoint s = backward ? p(i + 1) : p(i), t = backward ? p(i) : p(i + 1);
    const double segment = Distance(s, t);
    const std::string text = FormatDimensionNumber(segment, r.Decimals());
    const double along = segment / 2 - static_cast<double>(text.size()) * height / 4;
    w.Text(DimensionTextInsertion(s, t, along, height), height, angle, text);
  }
}

void GeneratePerimeterDimensionParts(EntityList& list, DrawEntity& dimension, int) {
  const DimensionRecord r(dimension);
  PartWriter w(list, dimension);
  TextsAt(w, r, kDimCodeTextX, false);
  const auto start = r.Point(kDimCodeFirstPointX), bend = r.Point(kDimCodeFirstPointX + 10),
             end = r.Point(kDimCodeLeaderEndX);
  if (start && bend) w.Line(*start, *bend);
  if (bend && end) w.Line(*bend, *end);
}

void GenerateAngleDimensionParts(EntityList& list, DrawEntity& dimension, int) {
  const DimensionRecord r(dimension);
  PartWriter w(list, dimension);
  const auto vertex = r.Point(kDimCodeVertexX);
  const auto radius = r.Find(kDimCodeArcRadius), start = r.Find(kDimCodeArcStart), end = r.Find(kDimCodeArcEnd);
  const bool arc = vertex && radius && start && end;
  if (arc) w.Arc(*vertex, *radius, *start, *end);
  TextsAt(w, r, kDimCodeTextX, true);
  if (!arc || r.kind() != kDimAngleArc || !(*radius > 0)) return;
  // Taken from an arc: the radii through the arc's ends, extended beyond them.
  ModelPoint ends[2];
  ArcEndPoints(*vertex, *radius, *start, *end, &ends[0], &ends[1]);
  const double beyond = r.Get(kDimCodeExtLowerFirst);
  for (const ModelPoint& p : ends) {
    const ModelPoint outward{(p.x - vertex->x) / *radius, (p.y - vertex->y) / *radius};
    w.Line(*vertex, Offset(p, outward, beyond));
  }
}

void GenerateAreaDimensionParts(EntityList& list, DrawEntity& dimension, int) {
  const DimensionRecord r(dimension);
  PartWriter w(list, dimension);
  TextsAt(w, r, kDimCodeFirstPointX, false);
}

void InstallDimensionExtensions() {
  InstallDimensionPartsGenerators(
      {GenerateLinearDimensionParts, GeneratePerimeterDimensionParts, GenerateAngleDimensionParts,
       GenerateAreaDimensionParts});
  RenderHooks hooks = InstalledRenderHooks();
  hooks.dimensionTerminators = DrawDimensionTerminators;
  InstallRenderHooks(std::move(hooks));
}

}  // namespace plenwick
