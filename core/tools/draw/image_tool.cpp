// The picture tool: two corners, the file dialog, the checks, and the kind-80 element.
#include "tools/draw/image_tool.h"

#include <algorithm>
#include <cmath>

#include "model/draw_entity.h"
#include "model/plenwick_doc.h"
#include "platform/sjis.h"
#include "tools/draw/element_adding.h"
#include "view/tool_framework/point_entry.h"
#include "view/tool_framework/tool_codes.h"
#include "view/tool_framework/tool_view.h"

namespace plenwick {

namespace {

constexpr std::string_view kSecondCorner = "終了位置を指示して下さい。";
// A rectangle side below this (mm) is two clicks on one place: nothing is placed.
constexpr double kMinSide = 0.05;
constexpr int16_t kImageCodes[4] = {10, 20, 11, 22};

}  // namespace

bool StorableImagePath(const std::string& utf8Path, std::string* sjis) {
  return Utf8ToSjisExact(utf8Path, sjis) && !sjis->empty() && sjis->size() <= kMaxImagePathBytes;
}

CImageTool::CImageTool(InteractionState& state) : CFeedbackTool(kImageToolCode, state) {}

void CImageTool::OnLButtonDown(ToolView&, unsigned, PixelPoint point) { pressPoint = point; }

void CImageTool::OnLButtonUp(ToolView& view, unsigned, PixelPoint point) {
  StepClick(view, point, [&] {
    const ModelPoint p = ClickedPoint(*this, view, point, kPickAll);
    if (state().InputStep != 0) {
      Place(view, p);
      return;
    }
    first_.Start(p, point, view.view().mapping());
    ShowCross(view, p);
    view.ShowPrompt(0, kSecondCorner);
    state().InputStep = 1;
    state().phaseFlag = 1;
  });
}

void CImageTool::OnRButtonDown(ToolView& view, unsigned, PixelPoint) { EndOnRightButton(view); }

void CImageTool::Place(ToolView& view, ModelPoint second) {
  const ModelPoint a = first_.anchor();
  // The rectangle ends here whatever the dialog brings: its feedback must not stay under it.
  EndOperation(view, std::nullopt);
  const double values[4] = {std::min(a.x, second.x), std::min(a.y, second.y), std::max(a.x, second.x),
                            std::max(a.y, second.y)};
  if (!(values[2] - values[0] >= kMinSide) || !(values[3] - values[1] >= kMinSide) ||
      !ToolElementStorable(kImage, values)) {
    return;
  }
  // A drawing that cannot take the picture says so before one is chosen.
  if (view.doc().RefuseIfProtected()) return;
  ToolUi& ui = view.ui();
  const std::string path = ui.AskImageFile();
  if (path.empty()) return;
  std::string sjis;
  if (!StorableImagePath(path, &sjis)) {
    ui.ShowMessage(std::string(kImageUnstorableMessage) + path);
    return;
  }
  if (!ui.ImageLoads(path)) {
    ui.ShowMessage(std::string(kImageUnreadableMessage) + path);
    return;
  }
  ui.RememberImageFile(path);
  AddToolElement(*this, view, {kImage, 0, kImageCodes, values, nullptr, sjis.c_str()});
}

void CImageTool::BuildPreview(ToolView& view, PixelPoint cursor, RubberShape* shape) {
  if (state().InputStep != 1) return;
  const ModelPoint a = first_.anchor();
  const ModelPoint c = CursorPoint(*this, view, cursor);
  const ModelPoint b{c.x, a.y}, d{a.x, c.y};
  shape->segments = {{a, b}, {b, c}, {c, d}, {d, a}};
}

}  // namespace plenwick
