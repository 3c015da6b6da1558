// Guards the tools' part in the view's repaints, without which their exclusive-or feedback falls
// out of step with the screen: every paint of the view, immediate (a zoom, a redraw) or by the
// window (a pan, an invalidated part), tells every registered tool before and after it and whether
// the whole client was painted; what the tools draw then lands on the canvas being painted, within
// the painted part only; and a view whose router has gone paints without calling into it.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "support/tool_test_view.h"
#include "view/tool_framework/tool_codes.h"

namespace plenwick {
namespace {

using Calls = std::vector<std::string>;

std::string ClipText(const Canvas& c) {
  if (!c.hasClip()) return "no clip";
  const PixelRect& r = c.clip();
  return "clip " + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// Writes down the paint slots, drawing in each to see where the drawing lands.
class PaintRecordingTool final : public CDrawTool {
 public:
  PaintRecordingTool(int code, InteractionState& state, const Canvas& expected)
      : CDrawTool(code, state), expected_(expected) {}
  void BeforeViewPaint(ToolView& view) override { Log(view, "before"); }
  void AfterViewPaint(ToolView& view, bool wholeClient) override { Log(view, wholeClient ? "after whole" : "after part"); }
  Calls calls;

 private:
  void Log(ToolView& view, const std::string& what) {
    view.Draw([&](Canvas& c) { calls.push_back(what + (&c == &expected_ ? " " : " elsewhere ") + ClipText(c)); });
  }
  const Canvas& expected_;
};

struct PaintCase {
  const char* name;
  void (*paint)(testing::ToolTestView& t);
  int hostDraws;  // the host's own client drawings the paint takes
  Calls calls;
};

void PrintTo(const PaintCase& c, std::ostream* os) { *os << c.name; }

class ViewPaint : public ::testing::TestWithParam<PaintCase> {
 protected:
  void SetUp() override {
    for (const int code : {kSelectToolCode, kLineToolCode}) {
      tools.push_back(static_cast<PaintRecordingTool*>(t.tools->toolList().Register(
          std::make_unique<PaintRecordingTool>(code, t.state(), t.host.canvas))));
    }
  }
  testing::ToolTestView t;
  std::vector<PaintRecordingTool*> tools;
};

const Calls kWhole{"before clip 0,0,800,600", "after whole clip 0,0,800,600"};

const PaintCase kPaints[] = {
    {"ZoomIn", [](testing::ToolTestView& t) { t.router->OnCommand(kCmdPageUp); }, 1, kWhole},
    {"Redraw", [](testing::ToolTestView& t) { t.router->OnCommand(kCmdRedraw); }, 1, kWhole},
    {"PanPaintedByTheWindow",
     [](testing::ToolTestView& t) {
       t.router->OnCommand(kCmdPanLeft);
       t.PaintInvalidated();
     },
     0, kWhole},
    {"APartPaintedByTheWindow",
     [](testing::ToolTestView& t) {
       const PixelRect part{10, 20, 110, 70};
       t.host.Invalidate(&part);
       t.PaintInvalidated();
     },
     0, Calls{"before clip 10,20,110,70", "after part clip 10,20,110,70"}},
};

TEST_P(ViewPaint, EveryToolIsToldAndDrawsOnThePaintedPart) {
  const int draws = t.host.clientDraws;
  GetParam().paint(t);
  EXPECT_EQ(t.host.clientDraws - draws, GetParam().hostDraws);
  for (PaintRecordingTool* tool : tools) EXPECT_EQ(tool->calls, GetParam().calls) << tool->code();
  EXPECT_FALSE(t.host.canvas.hasClip());  // the paint's clip is not left behind
  // Outside a paint, drawing goes through the host again.
  t.toolView().Draw([](Canvas&) {});
  EXPECT_EQ(t.host.clientDraws - draws, GetParam().hostDraws + 1);
}

INSTANTIATE_TEST_SUITE_P(Paints, ViewPaint, ::testing::ValuesIn(kPaints),
                         [](const ::testing::TestParamInfo<PaintCase>& row) { return std::string(row.param.name); });

TEST_F(ViewPaint, AViewWithoutItsRouterPaintsAlone) {
  t.router.reset();
  t.view->Redraw();
  for (PaintRecordingTool* tool : tools) EXPECT_TRUE(tool->calls.empty());
}

}  // namespace
}  // namespace plenwick
