// A drawing in a headless view at one pixel per millimetre (model (x, y) is client pixel
// (x, 600 − y)) with the program's tools registered, for the tests of the drawing tools: pixel
// events, and the check that every exclusive-or figure drawn on the view since its last whole
// repaint has been drawn an even number of times (so none is left on the screen).
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "model/program_settings.h"
#include "support/entity_builders.h"
#include "support/tool_test_view.h"
#include "view/tool_framework/command_ids.h"
#include "tools/standard_tools.h"

namespace plenwick::testing {

class DrawToolTest : public ::testing::Test {
 protected:
  DrawToolTest() {
    RegisterStandardTools(*t.tools);
    ViewMapping& m = t.view->mapping();
    m.PixelsPerMm = 1;
    m.scale = 1;
    m.ScrollOffset = {0, 0};
    s().Magnet = 0;
    if (CurrentSettings().GridDisplay) t.view->ToggleGrid();
    t.tools->OpenPalette();
    t.host.canvas.Clear();
  }

  static ProgramSettings& s() { return CurrentSettings(); }
  int step() { return t.state().InputStep; }
  std::string prompt() const { return t.tools->promptBox().text(); }

  static PixelPoint Px(double x, double y) {
    return {static_cast<int>(std::lround(x)), 600 - static_cast<int>(std::lround(y))};
  }
  void Move(double x, double y) { t.router->OnMouseMove(0, Px(x, y)); }
  void Click(double x, double y) {
    Move(x, y);
    t.router->OnLButtonDown(kMkLButton, Px(x, y));
    t.router->OnLButtonUp(0, Px(x, y));
  }
  // A double click: a click, then the second press reported as a double click, then its release.
  void DoubleClick(double x, double y) {
    Click(x, y);
    t.router->OnLButtonDblClk(kMkLButton, Px(x, y));
    t.router->OnLButtonUp(0, Px(x, y));
  }
  // A right click with the context menu it brings (answered by ui.contextAnswer).
  void RightClick(double x, double y) {
    t.router->OnRButtonDown(kMkRButton, Px(x, y));
    t.router->OnRButtonUp(0, Px(x, y));
    t.router->OnContextMenu(Px(x, y));
  }
  void Command(int id) { t.router->OnCommand(id); }
  // The ways a running operation ends: Cancel, a right click (answering キャンセル where it brings
  // the numeric input's menu), another tool (直線) and an undo, in that order.
  std::vector<std::function<void()>> Endings() {
    t.ui.contextAnswer = kCmdCancel;
    return {[this] { Command(kCmdCancel); }, [this] { RightClick(250, 250); },
            [this] { ASSERT_TRUE(t.router->OnCommand(32811)); }, [this] { Command(kCmdUndo); }};
  }

  // Exclusive-or figures of one kind drawn since the last whole fill.
  int XorSinceWholeFill(CanvasOp op) const {
    int n = 0;
    for (const RecordedPrimitive& r : SinceWholeFill()) n += r.op == op && r.drawMode != DrawMode::kCopy;
    return n;
  }
  // The last primitive drawn in copy mode: the element last drawn as it looks now.
  ColourRef LastSolidColour() const {
    const auto& all = t.host.canvas.primitives();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
      if (it->drawMode == DrawMode::kCopy) return it->pen.colour;
    }
    return 0xFFFFFFFF;
  }
  ColourRef HighlightColour() const { return t.view->renderSettings().colour(kColourHighlight); }

  // The primitives drawn since the client was last filled whole (which wipes every pixel).
  std::vector<RecordedPrimitive> SinceWholeFill() const {
    const std::vector<RecordedPrimitive>& all = t.host.canvas.primitives();
    const ViewMapping& m = t.view->mapping();
    std::size_t first = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
      const RecordedPrimitive& p = all[i];
      const bool whole = p.rect.left <= 0 && p.rect.top <= 0 && p.rect.right >= m.clientWidth &&
                         p.rect.bottom >= m.clientHeight;
      if (p.op == CanvasOp::kFillRect && p.drawMode == DrawMode::kCopy && whole) first = i + 1;
    }
    return {all.begin() + static_cast<std::ptrdiff_t>(first), all.end()};
  }
  static std::string XorKey(const RecordedPrimitive& p) {
    std::string key = std::to_string(static_cast<int>(p.op)) + " mode" + std::to_string(static_cast<int>(p.drawMode)) +
                      " pen" + std::to_string(p.pen.colour) + "/" + std::to_string(static_cast<int>(p.pen.style));
    for (const PixelPoint& q : p.points) key += " " + std::to_string(q.x) + "," + std::to_string(q.y);
    key += " rect" + std::to_string(p.rect.left) + "," + std::to_string(p.rect.top) + "," +
           std::to_string(p.rect.right) + "," + std::to_string(p.rect.bottom) + " " + p.text;
    return key;
  }
  // Every exclusive-or primitive drawn since the last whole fill, counted by what it drew; the
  // ones drawn an odd number of times (still on the screen).
  std::vector<std::string> XorLeftOnScreen() const {
    std::map<std::string, int> counts;
    for (const RecordedPrimitive& p : SinceWholeFill()) {
      if (p.drawMode != DrawMode::kCopy) ++counts[XorKey(p)];
    }
    std::vector<std::string> odd;
    for (const auto& [key, count] : counts) {
      if (count % 2 != 0) odd.push_back(key);
    }
    return odd;
  }
  std::size_t XorCount() const {
    std::size_t n = 0;
    for (const RecordedPrimitive& p : t.host.canvas.primitives()) n += p.drawMode != DrawMode::kCopy;
    return n;
  }

  ToolTestView t;
};

inline void ExpectNear(ModelPoint actual, ModelPoint expected, double tolerance = 1e-6) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
}

}  // namespace plenwick::testing
