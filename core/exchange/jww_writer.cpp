// Writing a drawing as a JWW file of version 2.30: lines, arcs and circles, texts and points,
// each class of record together; every other kind broken down into those.
#include <algorithm>
#include <memory>
#include <cmath>
#include <numbers>
#include <span>
#include <vector>

#include "exchange/dimension_terminator_shapes.h"
#include "exchange/jww_exchange.h"
#include "platform/file_io.h"
#include "platform/sjis.h"
#include "view/bspline.h"
#include "view/entity_shape.h"
#include "view/geometry.h"
#include "view/paper.h"
#include "view/render_hooks.h"

namespace plenwick {

namespace {

enum JwwClass { kSen, kEnko, kMoji, kTen, kClassCount };
constexpr std::string_view kClassNames[kClassCount] = {"CDataSen", "CDataEnko", "CDataMoji", "CDataTen"};
constexpr double kRadiansPerDegree = std::numbers::pi / 180;
// Longest font name the format's readers take, in bytes.
constexpr std::size_t kFontBytes = 44;

uint8_t PenStyleOfLineType(int lineType) {
  switch (lineType) {
    case 0: return 1;
    case 1: return 2;
    case 2: return 4;
    case 3: return 6;
    case 4: return 8;
    default: return 1;  // no JWW counterpart: solid
  }
}

// The pen of the ten whose colour is the element's, else the nearest one; never pen 0, which is
// the background and would hide the element.
uint16_t PenOfColour(uint32_t colour, const std::array<uint32_t, kJwwPens>& pens) {
  colour &= 0xFFFFFF;
  const auto channel = [](uint32_t c, int shift) { return static_cast<long>((c >> shift) & 0xFF); };
  int best = 1;
  long bestDistance = -1;
  for (int i = 1; i < kJwwPens; ++i) {
    long distance = 0;
    for (const int shift : {0, 8, 16}) {
      const long diff = channel(colour, shift) - channel(pens[i] & 0xFFFFFF, shift);
      distance += diff * diff;
    }
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<uint16_t>(best);
}

// The smallest JWW sheet (A4..A0) that holds the document's paper.
uint32_t JwwPaperCodeOf(int paperSize) {
  if (paperSize >= 0 && paperSize <= 4) return static_cast<uint32_t>(paperSize);
  const PaperSize ours = PaperFromTable(paperSize, 0);
  for (int code = 4; code >= 0; --code) {
    const JwwPaper sheet = JwwPaperOf(code);
    if (ours.width <= sheet.width + 0.5 && ours.height <= sheet.height + 0.5) return static_cast<uint32_t>(code);
  }
  return 0;
}

// One element broken down into the four record classes, in file units.
class Decomposer {
 public:
  Decomposer(const JwwContext& context, double scale) : context_(context), scale_(scale) {
    area_ = Box::Around({context.areaMin[0], context.areaMin[1]});
    area_.Add({context.areaMax[0], context.areaMax[1]});
  }

  // Calls emit(jwwClass, writeFn) for each record; writeFn(out) writes the record after its tag.
  template <typename Emit>
  bool Visit(const DrawEntity& e, Emit&& emit) const {
    const auto segment = [&](ModelPoint a, ModelPoint b) {
      if (!Usable(a) || !Usable(b)) return;
      emit(kSen, [&, a, b](JwwArchiveWriter& out) {
        Common(out, e);
        Point(out, a);
        Point(out, b);
      });
    };
    const auto polyline = [&](std::span<const ModelPoint> points) {
      for (std::size_t i = 1; i < points.size(); ++i) segment(points[i - 1], points[i]);
    };
    const auto circle = [&](ModelPoint c, double r, double startDeg, double sweepDeg, bool full) {
      if (!Usable(c) || !(r > 0) || !std::isfinite(r) || !std::isfinite(startDeg) || !std::isfinite(sweepDeg)) return;
      emit(kEnko, [&, c, r, startDeg, sweepDeg, full](JwwArchiveWriter& out) {
        Common(out, e);
        Point(out, c);
        out.F64(r / scale_);
        out.F64(full ? 0 : startDeg * kRadiansPerDegree);
        out.F64(full ? 2 * std::numbers::pi : sweepDeg * kRadiansPerDegree);
        out.F64(0);  // tilt
        out.F64(1);  // flatness
        out.U32(full ? 1 : 0);
      });
    };
    const auto text = [&](const double* v) {
      const ModelPoint p{v[0], v[1]};
      if (!Usable(p) || !std::isfinite(v[2]) || !std::isfinite(v[3]) || !std::isfinite(v[4])) return;
      emit(kMoji, [&, p, v](JwwArchiveWriter& out) {
        Common(out, e);
        const std::string_view s = e.text.view();
        const double length = v[3] * 0.5 * static_cast<double>(s.size());
        const double a = v[4] * kRadiansPerDegree;
        Point(out, p);
        Point(out, {p.x + length * std::cos(a), p.y + length * std::sin(a)});
        out.U32(0);  // text kind: a size of its own
        out.F64(v[3] / scale_);
        out.F64(v[2] / scale_);
        out.F64(0);  // spacing
        out.F64(v[4]);
        const std::string_view font = e.font.view();
        out.String(font.substr(0, SjisPrefixLength(font, kFontBytes)));
        out.String(s);
      });
    };
    const double* v = e.values.get();
    const auto has = [&](int n) {
      if (!v || e.valueCount < n) return false;
      for (int i = 0; i < n; ++i) {
        if (!std::isfinite(v[i])) return false;
      }
      return true;
    };
    switch (e.kind) {
      case kPoint:
        if (has(2)) {
          const ModelPoint p{v[0], v[1]};
          if (Usable(p)) {
            emit(kTen, [&, p](JwwArchiveWriter& out) {
              Common(out, e);
              Point(out, p);
              out.U32(0);  // a real point
            });
          }
        }
        return true;
      case kLine:
        if (has(4)) segment({v[0], v[1]}, {v[2], v[3]});
        return true;
      // The part of an infinite line the drawing area shows.
      case kHorizontalInfiniteLine:
        if (has(4) && v[1] >= area_.minY && v[1] <= area_.maxY) segment({area_.minX, v[1]}, {area_.maxX, v[1]});
        return true;
      case kVerticalInfiniteLine:
        if (has(4) && v[0] >= area_.minX && v[0] <= area_.maxX) segment({v[0], area_.minY}, {v[0], area_.maxY});
        return true;
      case kAngledInfiniteLine: {
        ModelPoint a, b;
        double t0 = 0, t1 = 0;
        if (has(4) && SegmentOf(e, &a, &b) && ClipToBox(a, b, area_, -1e300, 1e300, &t0, &t1)) {
          segment({a.x + t0 * (b.x - a.x), a.y + t0 * (b.y - a.y)}, {a.x + t1 * (b.x - a.x), a.y + t1 * (b.y - a.y)});
        }
        return true;
      }
      case kBezierCurve: {
        if (!has(4)) return true;
        const std::vector<ModelPoint> control = PointsFromValues(v, e.valueCount);
        polyline(SampleBSpline(control, static_cast<int>(control.size()) + 1));
        return true;
      }
      case kFreeCurve:
      case kPolygon:
        if (has(e.valueCount)) polyline(Vertices(e));
        return true;
      case kCircle:
        if (has(3)) circle({v[0], v[1]}, std::fabs(v[2]), 0, 360, true);
        return true;
      case kArc: {
        if (!has(5)) return true;
        // A clockwise arc is the counter-clockwise arc from its end to its start.
        const double from = e.subKind == 1 ? v[3] : v[4];
        const double to = e.subKind == 1 ? v[4] : v[3];
        double sweep = std::fmod(to - from, 360.0);
        if (sweep <= 0) sweep += 360;
        circle({v[0], v[1]}, std::fabs(v[2]), from, sweep, false);
        return true;
      }
      case kText:
        if (has(5)) text(v);
        return true;
      case kLeaderText:
        if (!has(9)) return true;
        text(v);
        segment({v[5], v[6]}, {v[7], v[8]});
        if (has(11)) segment({v[7], v[8]}, {v[9], v[10]});
        return true;
      case kHatch: {
        const auto& generate = InstalledRenderHooks().hatchLines;
        if (!generate || !v) return true;
        std::vector<ModelSegment> lines;
        generate(e, nullptr, lines);
        for (const ModelSegment& s : lines) segment(s.a, s.b);
        return true;
      }
      case kDimension: {
        const DimensionTerminatorShapes shapes = TerminatorShapesOf(e, context_.scale);
        for (const TerminatorCircle& c : shapes.circles) circle(c.centre, c.radius, 0, 360, true);
        for (const ModelSegment& s : shapes.strokes) segment(s.a, s.b);
        return true;
      }
      case kPaint:
      case kImage: return false;  // no JWW counterpart
      default: return true;       // grid and group headers draw nothing
    }
  }

 private:
  bool Usable(ModelPoint p) const { return std::isfinite(p.x) && std::isfinite(p.y); }
  void Point(JwwArchiveWriter& out, ModelPoint p) const {
    out.F64((p.x - context_.originX) / scale_);
    out.F64((p.y - context_.originY) / scale_);
  }
  void Common(JwwArchiveWriter& out, const DrawEntity& e) const {
    out.U32(0);  // curve group
    out.U8(PenStyleOfLineType(e.lineAttr / 100));
    out.U16(PenOfColour(static_cast<uint32_t>(e.colour), context_.penColours));
    const int layer = std::clamp<int>(e.layer, 0, kJwwGroups * kJwwLayersPerGroup - 1);
    out.U16(static_cast<uint16_t>(layer % kJwwLayersPerGroup));
    out.U16(static_cast<uint16_t>(layer / kJwwLayersPerGroup));
    out.U16(0);  // flags
  }

  const JwwContext& context_;
  double scale_;
  Box area_;
};

}  // namespace

bool WriteJww(const JwwContext& context, const EntityList& list, const ByteSink& sink, JwwWriteReport* report) {
  JwwHeader header = DefaultJwwHeader();
  // The format's readers divide by the scale: one below 1:1 is written as 1:100, and the
  // coordinates divided by what is written.
  const double scale = std::isfinite(context.scale) && context.scale >= 1 ? context.scale : 100.0;
  for (JwwLayerGroup& g : header.groups) g.scale = scale;
  header.paper = JwwPaperCodeOf(context.paperSize);
  JwwContext used = context;
  used.penColours = header.penColours;
  const Decomposer decomposer(used, scale);
  const bool selectionOnly = context.selectionOnly != 0;

  uint64_t counts[kClassCount] = {};
  int64_t dropped = 0;
  for (const DrawEntity& e : list) {
    if (!IsExported(e, selectionOnly)) continue;
    if (!decomposer.Visit(e, [&](JwwClass c, auto&&) { ++counts[c]; })) ++dropped;
  }
  uint64_t total = 0;
  for (const uint64_t n : counts) total += n;
  if (total > 0xFFFFFFF0u) return false;  // beyond what the count field holds

  JwwArchiveWriter out(sink, static_cast<uint16_t>(kJwwWrittenVersion));
  WriteJwwHeader(out, header);
  out.Count(static_cast<uint32_t>(total));
  // One more walk of the list: the lines, which most drawings mostly are, go straight into the
  // file; the other classes into memory, numbered where they will stand, and after the lines.
  std::vector<uint8_t> held[kClassCount];
  ByteSink sinks[kClassCount];
  std::vector<std::unique_ptr<JwwArchiveWriter>> writers(kClassCount);
  uint32_t number = 1;
  for (int c = 0; c < kClassCount; ++c) {
    if (c > 0) {
      std::vector<uint8_t>& into = held[c];
      sinks[c] = [&into](std::span<const uint8_t> bytes) {
        into.insert(into.end(), bytes.begin(), bytes.end());
        return true;
      };
      writers[c] = std::make_unique<JwwArchiveWriter>(sinks[c], static_cast<uint16_t>(kJwwWrittenVersion), std::size_t{1} << 16, number);
    }
    if (counts[c] > 0) number += static_cast<uint32_t>(counts[c]) + 1;
  }
  uint32_t classNumbers[kClassCount] = {};
  for (const DrawEntity& e : list) {
    if (!out.ok()) return false;
    if (!IsExported(e, selectionOnly)) continue;
    decomposer.Visit(e, [&](JwwClass c, auto&& write) {
      JwwArchiveWriter& w = c == kSen ? out : *writers[c];
      w.ObjectTag(kClassNames[c], &classNumbers[c]);
      write(w);
    });
  }
  for (int c = 1; c < kClassCount; ++c) {
    writers[c]->Finish();
    out.Raw(std::string_view(reinterpret_cast<const char*>(held[c].data()), held[c].size()));
  }
  out.Count(0);  // no block definitions
  if (report) {
    report->objects = static_cast<int64_t>(total);
    report->dropped = dropped;
  }
  return out.Finish();
}

int ExportJww(const JwwContext& context, const std::string& path, const EntityList& list, std::string* error,
              JwwWriteReport* report) {
  std::string why;
  const bool written = WriteFileAtomically(
      path, [&](const ByteSink& sink) { return WriteJww(context, list, sink, report); }, &why);
  if (written) return 0;
  if (error) *error = why.empty() ? "JWW ファイルを書き込めませんでした。" : why;
  return 1;
}

}  // namespace plenwick
