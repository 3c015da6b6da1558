// The plotter command stream.
#include "output/hpgl_generator.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "model/entity_core.h"
#include "model/number_text.h"
#include "model/layer_table.h"
#include "view/bspline.h"
#include "view/dimension_record.h"
#include "view/dimension_terminators.h"
#include "view/entity_shape.h"
#include "view/render_hooks.h"
#include "view/terminator_shape.h"

namespace plenwick {

namespace {

constexpr double kSqrt2 = 1.4142135623730951;
constexpr double kDegree = 3.14159265358979323846 / 180;
constexpr char kEtx = 3;
constexpr char kEsc = 27;
// Room for a command's mnemonic, tail, ";" and line end.
constexpr std::size_t kShortCommand = 16;
// Circles and arcs are drawn in chords of 5 degrees.
constexpr std::string_view kChordAngle = ",5";
// Combo values of the scale choices 1..6.
constexpr std::array<int, 7> kScaleChoices = {0, 100, 50, 30, 20, 10, 1};
// Dots and strokes of dimension terminators by size index, plotter units.
constexpr std::array<double, 5> kDotRadius = {20, 30, 40, 50, 60};
constexpr std::array<double, 5> kStrokeLength = {60, 80, 100, 120, 150};

bool Finite(const DrawEntity& e, int needed) {
  if (!e.values || e.valueCount < needed) return false;
  return std::all_of(e.values.get(), e.values.get() + e.valueCount, [](double v) { return std::isfinite(v); });
}

ModelPoint At(const DrawEntity& e, int i) { return {e.values[i], e.values[i + 1]}; }

// A Shift-JIS lead byte followed by a valid trail byte.
bool HasDoubleByteCharacter(std::string_view s) {
  for (std::size_t i = 0; i + 1 < s.size(); ++i) {
    const auto lead = static_cast<uint8_t>(s[i]), trail = static_cast<uint8_t>(s[i + 1]);
    const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEA);
    if (isLead && trail >= 0x40 && trail <= 0xFC && trail != 0x7F) return true;
  }
  return false;
}

}  // namespace

int AutomaticPlotScale(ModelPoint areaMin, ModelPoint areaMax) {
  const double diagonal = std::hypot(areaMax.x - areaMin.x, areaMax.y - areaMin.y);
  const double automatic = diagonal / 1494.02141885583 * 2.185;
  if (!(automatic <= 1e9)) return 1;
  const auto a = static_cast<int>(automatic);
  return a <= 10 ? 1 : a - a % 10;
}

int PlotScale(const HpglOptions& options, const HpglDrawing& drawing) {
  double chosen = 0;
  if (options.scaleChoice == 0) {
    chosen = drawing.scale;
  } else if (options.scaleChoice > 0 && options.scaleChoice < static_cast<int>(kScaleChoices.size())) {
    chosen = kScaleChoices[static_cast<std::size_t>(options.scaleChoice)];
  }
  if (chosen >= 1 && chosen <= 1e9) return static_cast<int>(chosen);
  return AutomaticPlotScale(drawing.areaMin, drawing.areaMax);
}

double PlotPaperFactor(const HpglOptions& options) {
  if (!options.paperBased) return 1;
  constexpr std::array<double, 7> kFactors = {1 / kSqrt2, 1, kSqrt2, 2, 2 * kSqrt2, 4, 1.64};
  return kFactors[static_cast<std::size_t>(std::clamp(options.paperSize, 0, 6))];
}

HpglGenerator::HpglGenerator(const HpglOptions& options, const HpglDrawing& drawing, HpglCommandSink sink,
                             std::string_view lineEnd)
    : options_(options), drawing_(drawing), sink_(std::move(sink)), lineEnd_(lineEnd) {
  divisor_ = PlotPaperFactor(options) * PlotScale(options, drawing) * kPlotterUnitMm;
  correctionX_ = std::clamp(options.correctionX, -300, 300) / kPlotterUnitMm;
  correctionY_ = std::clamp(options.correctionY, -300, 300) / kPlotterUnitMm;
}

void HpglGenerator::Start() {
  if (options_.commandSet == kHpgl2) {
    Emit(std::string(1, kEsc) + "%-1BBPIN;");
  } else {
    Emit("IN;");
  }
}

void HpglGenerator::End() { Emit(options_.commandSet == kHpgl2 ? "PUSP0PG;" : "PUSPPG;"); }

bool HpglGenerator::Takes(const DrawEntity& e) const {
  if (e.kind == kGrid || options_.allLayers) return true;
  if (e.layer < 0 || e.layer >= LayerTable::kLayers) return false;
  return e.layer == drawing_.currentLayer || drawing_.layerStates[static_cast<std::size_t>(e.layer)] == kLayerNormal;
}

void HpglGenerator::Element(const DrawEntity& e) {
  if (!Takes(e)) return;
  PenAndLineType(e);
  Geometry(e);
}

void HpglGenerator::Command(std::string_view mnemonic, std::initializer_list<double> numbers, int decimals,
                            std::string_view tail) {
  // Built on the stack: millions of them go out.
  char line[kShortCommand + 3 * (kFixedNumberRoom + 1)];
  if (mnemonic.size() + tail.size() + lineEnd_.size() + 1 > kShortCommand || numbers.size() > 3) return;
  // Short pieces are copied by hand: a library call each would cost more than the copy.
  std::size_t n = 0;
  auto put = [&](std::string_view piece) {
    for (char c : piece) line[n++] = c;
  };
  put(mnemonic);
  bool first = true;
  for (double v : numbers) {
    if (!first) line[n++] = ',';
    first = false;
    n += WriteFixedNumber(line + n, v, decimals);
  }
  put(tail);
  line[n++] = ';';
  put(lineEnd_);
  sink_(std::string_view(line, n));
}

void HpglGenerator::PenAndLineType(const DrawEntity& e) {
  const int pen = e.lineAttr % 100;
  const int sent = pen >= 1 && pen <= 7 ? pen : 2;
  if (sent != lastPen_) {
    Command("SP", {static_cast<double>(sent)}, 0);
    lastPen_ = sent;
  }
  const int type = e.lineAttr / 100;
  if (type == lastLineType_) return;
  lastLineType_ = type;
  if (type == 0) {
    Emit("LT;");
    return;
  }
  const int pattern = type == 2 ? 3 : type == 3 ? 5 : type == 4 ? 6 : 2;
  // The pattern length of a line is absolute (percent of the diagonal); other kinds adapt it.
  if (e.kind == kLine) {
    Emit("LT" + std::to_string(pattern) + (type == 1 ? ",0.1;" : ",0.5;"));
  } else {
    Emit("LT-" + std::to_string(pattern) + ";");
  }
}

void HpglGenerator::Move(std::string_view mnemonic, ModelPoint p) { Command(mnemonic, {X(p.x), Y(p.y)}); }

void HpglGenerator::Segment(ModelPoint a, ModelPoint b) {
  Move("PU", a);
  Move("PD", b);
}

void HpglGenerator::Polyline(const std::vector<ModelPoint>& points) {
  for (std::size_t i = 1; i < points.size(); ++i) Segment(points[i - 1], points[i]);
}

void HpglGenerator::Circle(ModelPoint centre, double radius) {
  Move("PU", centre);
  Command("CI", {Length(std::fabs(radius))}, 2, kChordAngle);
}

void HpglGenerator::Geometry(const DrawEntity& e) {
  switch (e.kind) {
    case kPoint: {
      if (!Finite(e, 2)) return;
      const double x = X(e.values[0]), y = Y(e.values[1]);
      const double a = x - 20, b = x + 20, c = y - 20, d = y + 20;
      // The square and its diagonals.
      const double moves[12][2] = {{a, c}, {b, c}, {b, c}, {b, d}, {b, d}, {a, d},
                                   {a, d}, {a, c}, {a, d}, {b, c}, {b, d}, {a, c}};
      for (int i = 0; i < 12; ++i) Command(i % 2 == 0 ? "PU" : "PD", {moves[i][0], moves[i][1]});
      return;
    }
    case kLine:
      if (Finite(e, 4)) Segment(At(e, 0), At(e, 2));
      return;
    case kHorizontalInfiniteLine:
    case kVerticalInfiniteLine:
    case kAngledInfiniteLine:
      InfiniteLine(e);
      return;
    case kCircle:
      if (Finite(e, 3)) Circle(At(e, 0), e.values[2]);
      return;
    case kArc:
      if (Finite(e, 5)) Arc(e);
      return;
    case kText:
    case kLeaderText:
      if (!Finite(e, e.kind == kText ? 5 : 9)) return;
      Text(e);
      if (e.kind == kText) return;
      Segment(At(e, 5), At(e, 7));
      if (e.valueCount >= 11) Segment(At(e, 7), At(e, 9));
      return;
    case kBezierCurve: {
      if (!Finite(e, 4)) return;
      const std::vector<ModelPoint> control = PointsFromValues(e.values.get(), e.valueCount);
      Polyline(SampleBSpline(control, static_cast<int>(control.size()) + 1));
      return;
    }
    case kFreeCurve:
    case kPolygon:
      if (Finite(e, 4)) Polyline(PointsFromValues(e.values.get(), e.valueCount));
      return;
    case kHatch: {
      const auto& generate = InstalledRenderHooks().hatchLines;
      if (!generate || !Finite(e, 0)) return;
      std::vector<ModelSegment> lines;
      generate(e, nullptr, lines);
      for (const ModelSegment& s : lines) {
        if (std::isfinite(s.a.x) && std::isfinite(s.a.y) && std::isfinite(s.b.x) && std::isfinite(s.b.y)) {
          Segment(s.a, s.b);
        }
      }
      return;
    }
    case kDimension:
      DimensionTerminators(e);
      return;
    default:  // the grid, group headers, paints and images draw nothing with a pen
      return;
  }
}

void HpglGenerator::Arc(const DrawEntity& e) {
  // The arc the screen draws: a clockwise one is the same arc counter-clockwise from its end.
  const bool counterClockwise = e.subKind == 1;
  const double a1 = counterClockwise ? e.values[3] : e.values[4];
  const double a2 = counterClockwise ? e.values[4] : e.values[3];
  double sweep = 360;
  if (a2 == 0) {
    sweep = 360 - a1;
  } else if (a2 > a1) {
    sweep = a2 - a1;
  } else if (a2 < a1) {
    sweep = a2 + 360 - a1;
  }
  const ModelPoint centre = At(e, 0);
  const double r = std::fabs(e.values[2]);
  Move("PU", {centre.x + r * std::cos(a1 * kDegree), centre.y + r * std::sin(a1 * kDegree)});
  Emit("PD;");
  Command("AA", {X(centre.x), Y(centre.y), sweep}, 3, kChordAngle);
}

void HpglGenerator::Text(const DrawEntity& e) {
  const double angle = std::trunc(e.values[4]);
  Command("DI", {std::cos(angle * kDegree), std::sin(angle * kDegree)}, 3);
  Move("PU", At(e, 0));
  // Sizes in centimetres on the paper: the element's are model millimetres, as the screen shows
  // them at the scale.
  const std::string_view text = e.text.view();
  const double width = e.values[3] / (HasDoubleByteCharacter(text) ? 10 : 20);
  Command("SI", {Length(width) * kPlotterUnitMm, Length(e.values[2] / 10) * kPlotterUnitMm}, 3);
  std::string label = "LB";
  label += text;
  label += kEtx;
  Emit(label);
}

void HpglGenerator::InfiniteLine(const DrawEntity& e) {
  ModelPoint a, b;
  if (!Finite(e, 4) || !SegmentOf(e, &a, &b)) return;
  // Only the part over the drawing area plots.
  const Box area{std::min(drawing_.areaMin.x, drawing_.areaMax.x), std::min(drawing_.areaMin.y, drawing_.areaMax.y),
                 std::max(drawing_.areaMin.x, drawing_.areaMax.x), std::max(drawing_.areaMin.y, drawing_.areaMax.y)};
  double t0 = 0, t1 = 0;
  if (!ClipToBox(a, b, area, -INFINITY, INFINITY, &t0, &t1)) return;
  auto at = [&](double t) { return ModelPoint{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}; };
  Segment(at(t0), at(t1));
}

void HpglGenerator::DimensionTerminators(const DrawEntity& e) {
  const std::vector<DimensionTerminator> terminators = PlaceDimensionTerminators(e);
  if (terminators.empty()) return;
  const DimensionMarkSizes sizes = DimensionMarkSizesOf(DimensionRecord(e));
  const double radius = kDotRadius[static_cast<std::size_t>(std::clamp(sizes.dotIndex, 0, 4))];
  const double length = kStrokeLength[static_cast<std::size_t>(std::clamp(sizes.arrowIndex, 0, 4))];
  for (const DimensionTerminator& t : terminators) {
    if (t.type == kTerminatorDot) {
      Move("PU", t.tip);
      Command("CI", {radius}, 2, kChordAngle);
      continue;
    }
    const double tipX = X(t.tip.x), tipY = Y(t.tip.y);
    const double theta = std::atan2(tipY - Y(t.from.y), tipX - X(t.from.x));
    for (double turn : TerminatorStrokeOffsets(t.type)) {
      const double a = theta + turn * kDegree;
      Command("PU", {tipX, tipY});
      Command("PD", {tipX + length * std::cos(a), tipY + length * std::sin(a)});
    }
  }
}

}  // namespace plenwick
