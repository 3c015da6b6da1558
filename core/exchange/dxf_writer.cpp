// Writing a drawing as an ASCII DXF file: HEADER, the fixed LTYPE, LAYER and STYLE tables, and
// the elements broken down into POINT, LINE, CIRCLE, ARC and TEXT entities.
#include <cmath>
#include <span>
#include <string_view>
#include <vector>

#include "exchange/dimension_terminator_shapes.h"
#include "exchange/dxf_dimension_terminators.h"
#include "exchange/dxf_exchange.h"
#include "exchange/dxf_names.h"
#include "exchange/dxf_output.h"
#include "platform/file_io.h"
#include "view/bspline.h"
#include "view/render_hooks.h"

namespace plenwick {

namespace {

// Texts in the tables are Shift-JIS, as $DWGCODEPAGE says.
struct LineTypeEntry {
  std::string_view name;
  std::string_view description;
  int elements;
  double patternLength;
  std::initializer_list<double> dashes;
};
const LineTypeEntry kLineTypeTable[] = {
    {"CONTINUOUS", "\x8e\xc0\x90\xfc", 0, 0, {}},                                     // 実線
    {"HIDDEN", "\x93\x5f\x90\xfc", 2, 250, {125, -125}},                              // 点線
    {"CENTER", "\x88\xea\x93\x5f\x8d\xbd\x90\xfc", 4, 1000, {700, -100, 100, -100}},  // 一点鎖線
    {"PHANTOM", "\x93\xf1\x93\x5f\x8d\xbd\x90\xfc", 6, 1000, {500, -100, 100, -100, 100, -100}},  // 二点鎖線
    {"DASHED", "\x94\x6a\x90\xfc", 2, 400, {300, -100}},                              // 破線
};
// Colour index of the layers PEN1..PEN8.
constexpr int kPenLayerColours[dxf::kPens] = {3, 2, 4, 3, 3, 3, 3, 7};

void WritePoint(DxfOutput& out, std::string_view name, double x, double y) {
  out.Group(9, name);
  out.Number(10, x);
  out.Number(20, y);
}

void WriteHeader(DxfOutput& out, const DxfContext& context) {
  out.Group(0, "SECTION");
  out.Group(2, "HEADER");
  out.Group(999, "Plenwick DXF export");
  // R12 with the Japanese code page, so that other readers decode our Shift-JIS texts.
  out.Group(9, "$ACADVER");
  out.Group(1, "AC1009");
  out.Group(9, "$DWGCODEPAGE");
  out.Group(3, "ANSI_932");
  WritePoint(out, "$EXTMIN", context.areaMin[0], context.areaMin[1]);
  WritePoint(out, "$EXTMAX", context.areaMax[0], context.areaMax[1]);
  WritePoint(out, "$LIMMIN", 0, 0);
  WritePoint(out, "$LIMMAX", 64000, 64000);
  out.Group(9, "$LTSCALE");
  out.Number(40, context.ltScale, 4);
  out.Group(0, "ENDSEC");
}

void WriteTables(DxfOutput& out) {
  out.Group(0, "SECTION");
  out.Group(2, "TABLES");

  out.Group(0, "TABLE");
  out.Group(2, "LTYPE");
  out.Group(70, "5");
  for (const LineTypeEntry& t : kLineTypeTable) {
    out.Group(0, "LTYPE");
    out.Group(2, t.name);
    out.Group(70, "64");
    out.Group(3, t.description);
    out.Group(72, "65");
    out.Number(73, t.elements);
    out.Number(40, t.patternLength);
    for (const double dash : t.dashes) out.Number(49, dash);
  }
  out.Group(0, "ENDTAB");

  out.Group(0, "TABLE");
  out.Group(2, "LAYER");
  out.Group(70, "8");
  for (int pen = 0; pen < dxf::kPens; ++pen) {
    out.Group(0, "LAYER");
    out.Group(2, dxf::PenLayerName(pen));
    out.Group(70, "0");
    out.Number(62, kPenLayerColours[pen]);
    out.Group(6, "CONTINUOUS");
  }
  out.Group(0, "ENDTAB");

  out.Group(0, "TABLE");
  out.Group(2, "STYLE");
  out.Group(70, "1");
  out.Group(0, "STYLE");
  out.Group(2, "BIGFONT");
  out.Group(70, "64");
  out.Group(40, "0.0");
  out.Group(41, "1.0");
  out.Group(50, "0.0");
  out.Group(71, "0");
  out.Group(42, "0.2");
  out.Group(3, "");
  out.Group(4, "bigfont");
  out.Group(0, "ENDTAB");

  out.Group(0, "ENDSEC");
}

// Enough values for the kind, all of them numbers: "nan" or "inf" in the file would stop other
// readers.
bool HasUsableValues(const DrawEntity& e, int needed) {
  if (!e.values || e.valueCount < needed) return false;
  const std::span<const double> values(e.values.get(), static_cast<std::size_t>(e.valueCount));
  for (const double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

ModelPoint At(const DrawEntity& e, int i) { return {e.values[i], e.values[i + 1]}; }

void WriteVertexLines(DxfOutput& out, std::span<const ModelPoint> points, const DxfStyle& style) {
  for (std::size_t i = 1; i < points.size(); ++i) out.Line(points[i - 1], points[i], style);
}

void WriteElement(DxfOutput& out, const DxfContext& context, const DrawEntity& e) {
  const DxfStyle style = DxfStyleOf(e.lineAttr);
  switch (e.kind) {
    case kPoint:
      if (HasUsableValues(e, 2)) out.Point(At(e, 0), style);
      break;
    case kLine:
      if (HasUsableValues(e, 4)) out.Line(At(e, 0), At(e, 2), style);
      break;
    case kCircle:
      if (HasUsableValues(e, 3)) out.Circle(At(e, 0), std::fabs(e.values[2]), style);
      break;
    case kArc:
      if (!HasUsableValues(e, 5)) break;
      // DXF arcs run counter-clockwise: a clockwise arc is the same arc from its end.
      if (e.subKind == 1) {
        out.Arc(At(e, 0), std::fabs(e.values[2]), e.values[3], e.values[4], style);
      } else {
        out.Arc(At(e, 0), std::fabs(e.values[2]), e.values[4], e.values[3], style);
      }
      break;
    case kText:
    case kLeaderText:
      if (!HasUsableValues(e, e.kind == kText ? 5 : 9)) break;
      out.Text(At(e, 0), e.values[2], e.values[4], e.text.view(), style);
      if (e.kind == kText) break;
      out.Line(At(e, 5), At(e, 7), style);
      if (e.valueCount >= 11) out.Line(At(e, 7), At(e, 9), style);
      break;
    case kPolygon:
      if (HasUsableValues(e, 0)) WriteVertexLines(out, PointsFromValues(e.values.get(), e.valueCount), style);
      break;
    case kBezierCurve: {
      if (!HasUsableValues(e, 4)) break;
      const std::vector<ModelPoint> control = PointsFromValues(e.values.get(), e.valueCount);
      // n + 1 steps a span for n control points: finer for the longer curves.
      WriteVertexLines(out, SampleBSpline(control, static_cast<int>(control.size()) + 1), style);
      break;
    }
    case kHatch: {
      const auto& generate = InstalledRenderHooks().hatchLines;
      if (!generate || !HasUsableValues(e, 0)) break;
      std::vector<ModelSegment> lines;
      generate(e, nullptr, lines);
      for (const ModelSegment& s : lines) {
        if (std::isfinite(s.a.x) && std::isfinite(s.a.y) && std::isfinite(s.b.x) && std::isfinite(s.b.y)) {
          out.Line(s.a, s.b, style);
        }
      }
      break;
    }
    case kDimension:
      WriteDimensionTerminators(out, context, e);
      break;
    default:  // grid, infinite lines, free curves, group headers, paints and images have no DXF form
      break;
  }
}

}  // namespace

bool WriteDxf(const DxfContext& context, const EntityList& list, const ByteSink& sink) {
  DxfOutput out(sink, context.originX, context.originY);
  WriteHeader(out, context);
  WriteTables(out);
  out.Group(0, "SECTION");
  out.Group(2, "ENTITIES");
  for (const DrawEntity& e : list) {
    if (!out.ok()) return false;
    if (IsExported(e, context.selectionOnly != 0)) WriteElement(out, context, e);
  }
  out.Group(0, "ENDSEC");
  out.Group(0, "EOF");
  return out.Finish();
}

int ExportDxf(const DxfContext& context, const std::string& path, const EntityList& list, std::string* error) {
  std::string why;
  const bool written = WriteFileAtomically(
      path, [&](const ByteSink& sink) { return WriteDxf(context, list, sink); }, &why);
  if (written) return 0;
  if (error) *error = why.empty() ? "DXFファイルを書き込めませんでした。" : why;
  return 1;
}

}  // namespace plenwick
