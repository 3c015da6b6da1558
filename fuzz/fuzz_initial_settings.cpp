// Works the initial-value settings dialog with arbitrary stored blocks and arbitrary typing:
// tabs, texts, choices, colours, factory values and OK must never crash, a refused page must
// leave the copy as it was, and every accepted copy must keep the fields no page shows.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_bytes.h"
#include "model/parameter_block.h"
#include "tools/settings/initial_set_dlg.h"

using namespace plenwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using P = ParameterBlock;
  if (size < P::kSize) return 0;
  P stored;
  std::memcpy(stored.bytes.data(), data, P::kSize);
  fuzzing::FuzzBytes in(data + P::kSize, size - P::kSize);
  SilentUserInterface ui;
  CInitialSetDlg dialog(stored, {"IPAGothic", "ＭＳゴシック", "Sans"}, "/data/部品データ");
  bool factory = false;
  while (!in.empty()) {
    const int control = in.Byte() % 24;
    switch (in.Byte() % 7) {
      case 0: {
        const P before = dialog.copy();
        if (!dialog.SelectTab(in.Byte() % 11, ui) && dialog.copy() != before) __builtin_trap();
        break;
      }
      case 1: {
        std::string text(in.Byte() % 12, '\0');
        for (char& c : text) c = static_cast<char>(in.Byte());
        dialog.SetText(control, text);
        break;
      }
      case 2: dialog.Choose(control, in.Byte() - 2); break;
      case 3: dialog.SetColour(control, static_cast<int32_t>(in.Byte()) << 16 | in.Byte()); break;
      case 4:
        dialog.OnFactorySettings();
        factory = true;
        break;
      case 5: {
        const P before = dialog.copy();
        if (!dialog.OnOk(ui) && dialog.copy() != before) __builtin_trap();
        break;
      }
      default: {
        const std::string_view unit = dialog.unitText();
        if (unit != "pt." && unit != "㎜") __builtin_trap();
      }
    }
  }
  // The plotter options, window placements and tool values belong to no page.
  if (!factory && (!std::equal(stored.bytes.begin(), stored.bytes.begin() + 48, dialog.copy().bytes.begin()) ||
                   !std::equal(stored.bytes.begin() + 226, stored.bytes.begin() + 552, dialog.copy().bytes.begin() + 226))) {
    __builtin_trap();
  }
  return 0;
}
