// Exclusive-or feedback kept as drawn pixels.
#include "view/tool_framework/xor_feedback.h"

#include <cmath>

#include "view/pixel_geometry.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

// Segments are clipped a little outside the client so that their ends never show.
constexpr int kClipMargin = 4;

bool ValidSlot(int slot) { return slot >= 0 && slot < XorFeedback::kSlotCount; }

bool SameLines(const std::vector<PixelLine>& a, const std::vector<PixelLine>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!(a[i].from == b[i].from) || !(a[i].to == b[i].to)) return false;
  }
  return true;
}

bool SameLabel(const std::optional<DistanceLabelPlan>& a, const std::optional<DistanceLabelPlan>& b) {
  if (a.has_value() != b.has_value()) return false;
  return !a || (a->text == b->text && a->anchor == b->anchor && a->textTopLeft == b->textTopLeft && a->font == b->font);
}

bool SameFigure(const XorFigure& a, const XorFigure& b) {
  return a.pen == b.pen && a.rects == b.rects && SameLines(a.lines, b.lines) && SameLabel(a.label, b.label);
}

}  // namespace

bool ClientSegment(const ViewMapping& mapping, ModelPoint a, ModelPoint b, PixelLine* line) {
  const DevicePoint da{mapping.ScreenXOf(a.x), mapping.ScreenYOf(a.y)};
  const DevicePoint db{mapping.ScreenXOf(b.x), mapping.ScreenYOf(b.y)};
  const PixelRect box{-kClipMargin, -kClipMargin, mapping.clientWidth + kClipMargin,
                      mapping.clientHeight + kClipMargin};
  double t0 = 0, t1 = 1;
  if (!ClipParameters(da, db, box, t0, t1)) return false;
  const double dx = db.x - da.x, dy = db.y - da.y;
  line->from = RoundToPixel({da.x + t0 * dx, da.y + t0 * dy});
  line->to = RoundToPixel({da.x + t1 * dx, da.y + t1 * dy});
  return true;
}

void XorFigure::AddSegment(const ViewMapping& mapping, ModelPoint a, ModelPoint b) {
  PixelLine line;
  if (ClientSegment(mapping, a, b, &line)) lines.push_back(line);
}

void DrawXorFigure(Canvas& canvas, const XorFigure& figure) {
  const DrawMode mode = canvas.drawMode();
  const Pen pen = canvas.pen();
  const Brush brush = canvas.brush();
  const BackgroundMode background = canvas.backgroundMode();
  canvas.SetDrawMode(DrawMode::kNotXor);
  canvas.SetPen(figure.pen);
  canvas.SetBrush({});
  canvas.SetBackgroundMode(BackgroundMode::kTransparent);
  for (const PixelLine& line : figure.lines) canvas.Line(line.from, line.to);
  for (const PixelRect& rect : figure.rects) canvas.Rectangle(rect);
  if (figure.label) DrawDistanceLabel(canvas, *figure.label);
  canvas.SetDrawMode(mode);
  canvas.SetPen(pen);
  canvas.SetBrush(brush);
  canvas.SetBackgroundMode(background);
}

void XorFeedback::Show(ToolView& view, int slot, XorFigure figure) {
  if (!ValidSlot(slot)) return;
  auto& shown = shown_[static_cast<std::size_t>(slot)];
  // The same figure again: nothing to redraw.
  if (shown ? SameFigure(*shown, figure) : figure.IsEmpty()) return;
  view.Draw([&](Canvas& canvas) {
    if (shown) DrawXorFigure(canvas, *shown);
    shown.reset();
    if (figure.IsEmpty()) return;
    DrawXorFigure(canvas, figure);
    shown = std::move(figure);
  });
}

void XorFeedback::Erase(ToolView& view, int slot) {
  if (!ValidSlot(slot) || !shown_[static_cast<std::size_t>(slot)]) return;
  Show(view, slot, {});
}

void XorFeedback::EraseAll(ToolView& view) {
  for (int slot = 0; slot < kSlotCount; ++slot) Erase(view, slot);
}

bool XorFeedback::IsShown(int slot) const { return ValidSlot(slot) && shown_[static_cast<std::size_t>(slot)]; }

bool XorFeedback::IsAnyShown() const {
  for (const auto& figure : shown_) {
    if (figure) return true;
  }
  return false;
}

void XorFeedback::DrawUnderneath(ToolView& view, const std::function<void(Canvas&)>& draw) {
  view.Draw([&](Canvas& canvas) {
    DrawAll(canvas);
    draw(canvas);
    DrawAll(canvas);
  });
}

void XorFeedback::DrawAllAgain(ToolView& view) {
  if (IsAnyShown()) view.Draw([&](Canvas& canvas) { DrawAll(canvas); });
}

void XorFeedback::Forget() {
  for (auto& figure : shown_) figure.reset();
}

void XorFeedback::DrawAll(Canvas& canvas) const {
  for (const auto& figure : shown_) {
    if (figure) DrawXorFigure(canvas, *figure);
  }
}

}  // namespace plenwick
