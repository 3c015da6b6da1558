// Benchmark "transform": 拡大・縮小 of a whole 1,000,000-element plan drawing by the transforming
// tool on a headless view that draws nothing: Ctrl+A, the menu's 拡大・縮小 and a factor of 2,
// divided by loading the drawing from its file (with its snap points) in the same run; and its
// undo.
#include <cstdio>
#include <string>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "headless_host.h"
#include "view/tool_framework/command_ids.h"
#include "view/tool_framework/numeric_input.h"
#include "view/tool_framework/silent_tool_ui.h"

namespace plenwick::bench {
namespace {

// Chooses the context menu's command and types 2 into the factor dialog.
class Ui final : public SilentToolUi {
 public:
  int TrackContextMenu(int, PixelPoint) override { return kCmdScaleInput; }
  bool RunNumericInput(CInputNumDlg& dialog) override { return dialog.OnExecute("2", *this); }
};

using Session = HeadlessSession<Ui>;

}  // namespace
}  // namespace plenwick::bench

int main(int argc, char** argv) {
  using namespace plenwick;
  using namespace plenwick::bench;
  const std::string dir = argc > 1 ? argv[1] : ".";
  const std::string path = dir + "/bench_transform_1m.pwk";
  WritePlanDrawing(path, 1000000);
  ResetCurrentSettings();

  Session s(dir);
  const double loadMs = s.OpenMs(path);
  s.Show();
  const std::size_t records = s.doc.entities.size();
  const double firstX = s.doc.entities.tail->valueCount > 0 ? s.doc.entities.tail->values[0] : 0;

  s.router->OnCommand(32852);  // 拡大・縮小
  const PixelPoint corner{1598, 998};
  const double scaleMs = TimeMs([&] {
    s.router->OnCommand(kCmdSelectAllKey);
    s.router->OnRButtonDown(kMkRButton, corner);
    s.router->OnContextMenu(corner);
  });
  const DrawEntity* tail = s.doc.entities.tail;
  if (s.doc.entities.size() != records || tail->valueCount == 0 || tail->values[0] == firstX) {
    std::fprintf(stderr, "the drawing was not scaled\n");
    return 1;
  }
  const double undoMs = TimeMs([&] { s.router->OnCommand(kCmdUndo); });
  if (s.doc.entities.size() != records) {
    std::fprintf(stderr, "the undo left %zu of %zu records\n", s.doc.entities.size(), records);
    return 1;
  }
  Figure("edit.scale_all_vs_load", scaleMs / loadMs, "x");
  Figure("edit.scale_undo_vs_load", undoMs / loadMs, "x");
  return 0;
}
