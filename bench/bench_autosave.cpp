// Benchmark "autosave": one autosave round of a changed drawing of 1,000,000 elements (written as
// saving writes it, to a folder of its own), and a round that finds nothing changed.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "drawing_generator.h"
#include "model/autosave_scheduler.h"
#include "model/plenwick_doc.h"

using namespace plenwick;
using namespace plenwick::bench;

namespace {

class QuietUserInterface final : public UserInterface {
 public:
  void ShowMessage(std::string_view) override {}
  void Beep() override {}
};

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  constexpr int64_t kElements = 1000000;
  QuietUserInterface ui;
  CPlenwickDoc doc(dir, ui);
  GeneratePlanDrawing(doc.entities, {kElements, 12345, true, true});
  doc.SetModifiedFlag();

  AutosaveFolder folder(dir + "/autosave");
  AutosaveScheduler scheduler(folder, kDefaultAutosaveInterval, AutosaveScheduler::Clock::now());
  const std::vector<DrawingInWindow> open{{&doc, "", "bench"}};
  const double changedMs = MedianMs(3, [&] {
    doc.SetModifiedFlag();
    const AutosaveRound round = scheduler.WriteChanged(open);
    if (round.written != 1) {
      std::fprintf(stderr, "autosave failed: %s\n", round.error.c_str());
      std::exit(1);
    }
  });
  const double unchangedMs = MedianMs(5, [&] {
    if (scheduler.WriteChanged(open).written != 0) std::exit(1);
  });
  Figure("autosave.1m_ms", changedMs, "ms");
  Figure("autosave.unchanged_ms", unchangedMs, "ms");
  return 0;
}
