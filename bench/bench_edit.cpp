// Benchmark "edit": the set edits of the editing tools on a 1,000,000-element plan drawing with
// groups, dimensions and hatchings, on a headless view that draws nothing. Each edit selects the
// whole current layer (Ctrl+A) and finishes by clicks, and is undone again; its
// figure is its time divided by the time of opening the drawing's file (with its snap points)
// just before, each edit on the drawing freshly opened; edit.undo_vs_load is the slowest of the
// undos, so divided. edit.copy_memory is the peak heap
// growth of the copy divided by the heap the drawing's records take loaded (records, arrays, snap
// points and element index). A new edit is one more row of kEdits.
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "headless_host.h"
#include "model/plenwick_doc.h"
#include "tools/standard_tools.h"
#include "view/entity_index.h"
#include "view/plenwick_view.h"
#include "view/tool_framework/command_ids.h"
#include "view/tool_framework/silent_tool_ui.h"
#include "view/tool_framework/tool_framework.h"
#include "view/tool_framework/view_tool_router.h"
#include "view/view_document.h"

// The heap this program holds and the most it held since the last reset, counted on every
// allocation (the records, their arrays, snap points and every container).
namespace {
std::size_t heapNow = 0;
std::size_t heapPeak = 0;
void* Allocate(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  heapNow += malloc_usable_size(p);
  heapPeak = std::max(heapPeak, heapNow);
  return p;
}
void Release(void* p) noexcept {
  if (!p) return;
  heapNow -= malloc_usable_size(p);
  std::free(p);
}
}  // namespace
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

namespace plenwick::bench {
namespace {

using Session = HeadlessSession<SilentToolUi>;

// One edit of the whole layer: the command choosing the tool's mode, the selection and what
// finishes the edit, and whether it adds the set again (a copy) or replaces it.
struct Edit {
  const char* figure;
  int command;
  std::function<void(Session&)> run;
  bool adds;
};

std::vector<Edit> Edits() {
  return {
      {"edit.copy_all_vs_load", 32856,  // 複写: Ctrl+A, the base and a destination beside the drawing
       [](Session& s) {
         s.router->OnCommand(kCmdSelectAllKey);
         s.Click({0, 500});
         s.Click({1599, 500});
       },
       true},
      {"edit.move_all_vs_load", 32855,  // 移動: Ctrl+A, the base and the destination
       [](Session& s) {
         s.router->OnCommand(kCmdSelectAllKey);
         s.Click({800, 500});
         s.Click({900, 450});
       },
       false},
      {"edit.mirror_all_vs_load", 32857,  // 水平反転移動: Ctrl+A and the axis
       [](Session& s) {
         s.router->OnCommand(kCmdSelectAllKey);
         s.Click({700, 500});
       },
       false},
  };
}

}  // namespace
}  // namespace plenwick::bench

int main(int argc, char** argv) {
  using namespace plenwick;
  using namespace plenwick::bench;
  const std::string dir = argc > 1 ? argv[1] : ".";
  const std::string path = dir + "/bench_edit_1m.pwk";
  GeneratorOptions options;
  options.elements = 1000000;
  options.withTexts = false;
  options.withCurves = false;
  options.withComposites = true;
  WritePlanDrawing(path, options);
  ResetCurrentSettings();

  // Each edit on the drawing freshly opened: the step an earlier edit left is not its cost.
  double slowestUndo = 0, firstLoadMs = 0;
  for (const Edit& edit : Edits()) {
    Session s(dir);
    const std::size_t heapBeforeLoad = heapNow;
    const double loadMs = s.OpenMs(path);
    // The element index as the first pick builds it, part of the drawing loaded.
    EntityIndex::For(s.doc.entities, s.doc.snapPoints)->Candidates(Box{0, 0, 1, 1});
    const std::size_t loadedHeap = heapNow - heapBeforeLoad;
    if (firstLoadMs == 0) firstLoadMs = loadMs;
    s.Show();
    CurrentSettings().Magnet = 0;
    CurrentSettings().MoveScale = 1;
    CurrentSettings().MoveAngle = 0;
    const std::size_t records = s.Records();
    s.router->OnCommand(edit.command);
    heapPeak = heapNow;
    const std::size_t heapBefore = heapNow;
    const double ms = TimeMs([&] { edit.run(s); });
    const std::size_t expected = edit.adds ? 2 * records - 1 : records;
    if (s.Records() != expected) {
      std::fprintf(stderr, "%s left %zu records, not %zu\n", edit.figure, s.Records(), expected);
      return 1;
    }
    if (edit.adds) Figure("edit.copy_memory", double(heapPeak - heapBefore) / double(loadedHeap), "x");
    const double undoMs = TimeMs([&] { s.router->OnCommand(kCmdUndo); });
    if (s.Records() != records) {
      std::fprintf(stderr, "the undo of %s left %zu records, not %zu\n", edit.figure, s.Records(), records);
      return 1;
    }
    slowestUndo = std::max(slowestUndo, undoMs / loadMs);
    Figure(edit.figure, ms / loadMs, "x");
    ResetCurrentSettings();
  }
  Figure("edit.load_1m_ms", firstLoadMs, "ms");
  Figure("edit.undo_vs_load", slowestUndo, "x");
  return 0;
}
