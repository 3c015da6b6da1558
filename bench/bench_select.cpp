// Benchmark "select": selecting and deleting in a 1,000,000-element plan drawing through the tools
// on a headless view that draws nothing. The ratios divide by loading the drawing from its file
// (with its snap points) in the same run: a window over everything in 図形選択, a window deletion
// of everything and its undo; and the median click that lets the last pick go and picks one record.
#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "headless_host.h"
#include "model/plenwick_doc.h"
#include "tools/edit/delete_group_dlg.h"
#include "tools/standard_tools.h"
#include "view/plenwick_view.h"
#include "view/recording_canvas.h"
#include "view/tool_framework/command_ids.h"
#include "view/tool_framework/silent_tool_ui.h"
#include "view/tool_framework/tool_framework.h"
#include "view/tool_framework/view_tool_router.h"
#include "view/view_document.h"

namespace plenwick::bench {
namespace {

// Answers every window deletion with 実　行 on its defaults: all kinds inside the window.
class Ui final : public SilentToolUi {
 public:
  bool RunDeleteGroup(CDeleteGroupDlg&) override { return true; }
};

using Session = HeadlessSession<Ui>;

}  // namespace
}  // namespace plenwick::bench

int main(int argc, char** argv) {
  using namespace plenwick;
  using namespace plenwick::bench;
  const std::string dir = argc > 1 ? argv[1] : ".";
  const std::string path = dir + "/bench_select_1m.pwk";
  WritePlanDrawing(path, 1000000);
  ResetCurrentSettings();

  Session s(dir);
  const double loadMs = s.OpenMs(path);
  s.Show();
  const PixelPoint first{1, 1}, last{1598, 998};

  s.router->OnCommand(32801);  // 図形選択
  const double windowMs = TimeMs([&] { s.Drag(first, last); });
  int picked = 0;
  for (const DrawEntity& e : s.doc.entities) picked += e.mark == kMarkPicked;
  if (picked < 900000) {
    std::fprintf(stderr, "the window picked only %d records\n", picked);
    return 1;
  }
  s.router->OnCommand(kCmdCancel);

  std::mt19937 random(9);
  std::uniform_int_distribution<int> x(100, 1500), y(100, 900);
  std::vector<double> picks;
  int hits = 0;
  for (int i = 0; i < 200; ++i) {
    const PixelPoint p{x(random), y(random)};
    s.router->OnMouseMove(0, p);
    picks.push_back(TimeMs([&] {
      s.router->OnLButtonDown(kMkLButton, p);
      s.router->OnLButtonUp(0, p);
    }));
    hits += s.doc.entities.tail && s.tools.state().CurrentToolCode == kSelectToolCode;
  }
  s.router->OnCommand(kCmdCancel);

  s.router->OnCommand(32844);  // グループ削除
  const std::size_t before = s.Records();
  s.Click(first);
  const double deleteMs = TimeMs([&] { s.Click(last); });
  if (s.Records() > before / 10) {
    std::fprintf(stderr, "the window deletion left %zu of %zu records\n", s.Records(), before);
    return 1;
  }
  const double undoMs = TimeMs([&] { s.router->OnCommand(kCmdUndo); });
  if (s.Records() != before) {
    std::fprintf(stderr, "the undo brought back %zu of %zu records\n", s.Records(), before);
    return 1;
  }
  (void)hits;
  Figure("select.load_1m_ms", loadMs, "ms");
  Figure("select.window_all_vs_load", windowMs / loadMs, "x");
  Figure("select.pick_in_1m_ms", Median(picks), "ms");
  Figure("delete.all_vs_load", deleteMs / loadMs, "x");
  Figure("delete.undo_vs_load", undoMs / loadMs, "x");
  return 0;
}
