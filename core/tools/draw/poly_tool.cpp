// The polygon tool's sub-modes: the steps of each, their rubber figures and the groups they add.
#include "tools/draw/poly_tool.h"

#include "model/entity_core.h"
#include "tools/draw/element_adding.h"
#include "tools/draw/line_geometry.h"
#include "view/tool_framework/point_entry.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

// The box's opposite corner and the parallelogram's opposite side.
constexpr std::string_view kEndPosition = "終了位置を指示して下さい。";
constexpr std::string_view kBaseEnd = "基準線 終端を指示して下さい。";
constexpr std::string_view kRadiusEnd = "半径終端を指示して下さい。[マウス右：数値入力／中止]";
constexpr std::string_view kFirstVertex = "マウスにて作図方向を指示して下さい。[マウス右：角度入力／中止]";

// The bar's angle turns the one-click polygon from a first vertex straight up.
constexpr double kUpright = 90;

// The sides of a closed figure as rubber segments.
void AddOutline(const FigureVertices& v, RubberShape* shape) {
  for (std::size_t i = 0; i < v.size(); ++i) shape->segments.push_back({v[i], v[(i + 1) % v.size()]});
}

}  // namespace

CPolyTool::CPolyTool(InteractionState& state) : CFeedbackTool(kPolyToolCode, state) {}

void CPolyTool::FocusOperationBar(ToolView& view) {
  const int mode = state().ToolMode;
  if (mode == kBox || mode == kRegularPolygon) view.ui().FocusOperationBar();
}

void CPolyTool::OnLButtonDown(ToolView&, unsigned, PixelPoint point) { pressPoint = point; }

void CPolyTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  StepClick(view, point, [&] {
    switch (state().ToolMode) {
      case kBox: Box(view, point); break;
      case kParallelogram: Parallelogram(view, point); break;
      case kRegularPolygon: RegularPolygon(view, point); break;
      default: break;
    }
  });
}

void CPolyTool::OnRButtonDown(ToolView& view, unsigned, PixelPoint) { EndOnRightButton(view); }

void CPolyTool::TakeFirst(ToolView& view, ModelPoint p, PixelPoint click, std::string_view prompt) {
  first_.Start(p, click, view.view().mapping());
  ShowCross(view, p);
  view.ShowPrompt(0, prompt);
  state().InputStep = 1;
  state().phaseFlag = 1;
}

void CPolyTool::Finish(ToolView& view, ModelPoint reference, const std::optional<FigureVertices>& vertices) {
  if (state().InputStep != 0) EndOperation(view, std::nullopt);
  if (vertices) AddToolFigure(*this, view, reference, *vertices);
}

void CPolyTool::Box(ToolView& view, PixelPoint click) {
  // A typed value means nothing to a box.
  if (state().NumericEntered) return;
  const ProgramSettings& s = view.settings();
  if (state().InputStep == 0 && s.PolyValuesOn) {
    const ModelPoint p = ClickedPoint(*this, view, click);
    const BoxBase base = s.BoxBasePoint == 1 ? BoxBase::kLowerLeft : BoxBase::kCentre;
    Finish(view, p, SizedBoxVertices(p, s.BoxWidth, s.BoxHeight, base, s.PolyAngle));
    return;
  }
  if (state().InputStep == 0) {
    TakeFirst(view, ClickedPoint(*this, view, click), click, kEndPosition);
    return;
  }
  if (first_.SamePixel(click, view.view().mapping())) return;
  const ModelPoint corner = first_.anchor();
  Finish(view, corner, BoxVertices(corner, ClickedPoint(*this, view, click)));
}

void CPolyTool::Parallelogram(ToolView& view, PixelPoint click) {
  if (state().NumericEntered) return;
  const ModelPoint p = ClickedPoint(*this, view, click);
  switch (state().InputStep) {
    case 0: TakeFirst(view, p, click, kBaseEnd); return;
    case 1:
      if (!(Distance(first_.anchor(), p) >= kMinFigureSize)) return;
      second_ = p;
      view.ShowPrompt(0, kEndPosition);
      state().InputStep = 2;
      return;
    default: break;
  }
  const std::optional<FigureVertices> v = ParallelogramVertices(first_.anchor(), second_, p);
  // A point on the base line makes no figure: the step waits for another.
  if (v) Finish(view, first_.anchor(), v);
}

std::optional<FigureVertices> CPolyTool::PolygonToward(ModelPoint toward, double radius, int n) const {
  const ModelPoint c = first_.anchor();
  if (toward == c) return std::nullopt;
  return RegularPolygonVertices(c, radius, n, DirectionDegrees(c, toward));
}

void CPolyTool::RegularPolygon(ToolView& view, PixelPoint click) {
  const ProgramSettings& s = view.settings();
  const bool numeric = state().NumericEntered != 0;
  const double typed = state().EnteredValue;
  const int step = state().InputStep;
  if (step == 0) {
    if (numeric) return;
    const ModelPoint c = ClickedPoint(*this, view, click);
    if (!s.PolyValuesOn) {
      TakeFirst(view, c, click, kRadiusEnd);
      return;
    }
    Finish(view, c, RegularPolygonVertices(c, s.PolyRadius, PolygonVertexCount(s.PolyVertexCount), s.PolyAngle + kUpright));
    return;
  }
  const ModelPoint c = first_.anchor();
  if (step == 1) {
    double r = 0;
    if (numeric) {
      r = typed;
    } else if (!first_.SamePixel(click, view.view().mapping())) {
      r = Distance(c, ClickedPoint(*this, view, click));
    }
    // A radius no drawing file keeps keeps the step waiting.
    if (!(r >= kMinFigureSize && r <= kMaxCoordinate)) return;
    radius_ = r;
    vertices_ = PolygonVertexCount(s.PolyVertexCount);
    view.ShowPrompt(0, kFirstVertex);
    state().InputStep = 2;
    return;
  }
  std::optional<FigureVertices> v;
  if (numeric) {
    v = RegularPolygonVertices(c, radius_, vertices_, typed);
  } else {
    v = PolygonToward(ClickedPoint(*this, view, click), radius_, vertices_);
  }
  if (v) Finish(view, c, v);
}

void CPolyTool::BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) {
  const ModelPoint m = CursorPoint(*this, view, cursor);
  const ModelPoint a = first_.anchor();
  const int step = state().InputStep;
  std::optional<FigureVertices> v;
  switch (state().ToolMode) {
    case kBox: v = BoxVertices(a, m); break;
    case kParallelogram:
      if (step == 1) shape->segments.push_back({a, m});
      if (step == 2) v = ParallelogramVertices(a, second_, m);
      break;
    case kRegularPolygon:
      if (step == 1) {
        v = PolygonToward(m, Distance(a, m), PolygonVertexCount(view.settings().PolyVertexCount));
      } else {
        v = PolygonToward(m, radius_, vertices_);
      }
      shape->segments.push_back({a, m});
      if (step == 1) shape->measured = LineEnds{a, m};
      break;
    default: break;
  }
  if (v) AddOutline(*v, shape);
}

void CPolyTool::DropOwnOperation(ToolView&) {
  radius_ = 0;
  vertices_ = kMinPolygonVertices;
}

}  // namespace plenwick
