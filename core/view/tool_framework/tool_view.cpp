// A view's services for its tools.
#include "view/tool_framework/tool_view.h"

#include "view/tool_framework/tool_framework.h"
#include "view/view_picking.h"

namespace plenwick {

ToolView::ToolView(ToolFramework& tools, CPlenwickDoc& doc, CPlenwickView& view, ViewHost& host, ToolViewHost& window)
    : tools_(tools), doc_(doc), view_(view), host_(host), window_(window) {}

InteractionState& ToolView::state() const { return tools_.state(); }
ToolUi& ToolView::ui() const { return tools_.ui(); }
ProgramSettings& ToolView::settings() const { return tools_.settings(); }
PickView ToolView::picking() const { return PickViewOf(view_, doc_.snapPoints); }

void ToolView::Draw(const std::function<void(Canvas&)>& draw) const {
  if (painting_) {
    draw(*painting_);
  } else {
    host_.DrawOnClient(draw);
  }
}

void ToolView::DrawingInPaint(Canvas& canvas, const PixelRect& box, const std::function<void()>& run) {
  // Put back as found even when `run` throws: the canvas outlives this call.
  struct Restore {
    ToolView& view;
    Canvas& canvas;
    Canvas* outer;
    bool hadClip;
    PixelRect clip;
    ~Restore() {
      view.painting_ = outer;
      canvas.SetClip(hadClip ? &clip : nullptr);
    }
  } restore{*this, canvas, painting_, canvas.hasClip(), canvas.clip()};
  canvas.SetClip(&box);
  painting_ = &canvas;
  run();
}

void ToolView::ShowPrompt(int kind, std::string_view text) const { tools_.ShowPrompt(kind, text); }
void ToolView::ShowFirstPrompt() const { tools_.ShowFirstPrompt(); }

void ToolView::SetCapture() {
  captured_ = true;
  window_.SetCapture();
}

void ToolView::ReleaseCapture() {
  if (!captured_) return;
  captured_ = false;
  window_.ReleaseCapture();
}

}  // namespace plenwick
