// Benchmark "list": the entity list over 1,000,000 selected points, lines, circles and arcs, from
// the list mode's リスト編集... command to the window painted offscreen (the items taken from the
// drawing, the window built and drawn once), then scrolling to its end and deleting the last row.
#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <cstdio>
#include <ctime>
#include <string>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "entity_list_dialog.h"
#include "headless_host.h"
#include "model/plenwick_doc.h"
#include "qt_user_interface.h"
#include "tools/edit/enty_list_dlg.h"
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

// The processor time this thread has used: on a shared machine the wall clock also counts the
// waits for a core.
double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Opens the real window and times it; the list is then cancelled.
class Ui final : public SilentToolUi {
 public:
  bool RunEntityList(CEntyListDlg& dialog) override {
    items = dialog.count();
    EntityListDialog window(dialog, *this);
    window.show();
    QApplication::processEvents();
    (void)window.grab();  // every visible row formatted and drawn
    openMs = MillisecondsSince(commandStart);
    openCpuMs = ThreadCpuMs() - commandCpuStart;
    scrollMs = TimeMs([&] {
      window.table()->scrollToBottom();
      (void)window.grab();
    });
    window.table()->selectRow(static_cast<int>(dialog.count()) - 1);
    deleteMs = TimeMs([&] {
      window.findChild<QPushButton*>("delete")->click();
      (void)window.grab();
    });
    remaining = dialog.count();
    return false;
  }
  Clock::time_point commandStart;
  double commandCpuStart = 0;
  std::size_t items = 0, remaining = 0;
  double openMs = 0, openCpuMs = 0, scrollMs = 0, deleteMs = 0;
};

}  // namespace
}  // namespace plenwick::bench

int main(int argc, char** argv) {
  using namespace plenwick;
  using namespace plenwick::bench;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  const std::string dir = argc > 1 ? argv[1] : ".";
  ResetCurrentSettings();
  HeadlessSession<Ui> s(dir);
  GeneratePlanDrawing(s.doc.entities, {.elements = 1000000, .seed = 4242, .withTexts = false, .withCurves = false,
                                       .withPoints = true});
  s.Show();
  s.router->OnCommand(kCmdSelectListMode);
  // What a window over the whole drawing leaves in the list mode.
  for (DrawEntity& e : s.doc.entities) e.mark = kMarkSelected;
  s.ui.commandStart = Clock::now();
  s.ui.commandCpuStart = ThreadCpuMs();
  s.router->OnCommand(kCmdListEdit);
  if (s.ui.items < 900000 || s.ui.remaining + 1 != s.ui.items) {
    std::fprintf(stderr, "the list held %zu items, %zu after the delete\n", s.ui.items, s.ui.remaining);
    return 1;
  }
  Figure("list.items", static_cast<double>(s.ui.items), "count");
  Figure("list.open_1m_ms", s.ui.openMs, "ms");
  Figure("list.open_1m_cpu_ms", s.ui.openCpuMs, "ms");
  Figure("list.scroll_end_ms", s.ui.scrollMs, "ms");
  Figure("list.delete_row_ms", s.ui.deleteMs, "ms");
  return 0;
}
