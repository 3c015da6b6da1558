// Generates the hatch lines of hatchings made of arbitrary bytes (pattern, spacings, angle,
// box, piece codes and numbers, NaN and huge values included) through the hook the program
// installs, for files and for a screen: nothing may crash or hang, the output stays within its
// cap and finite, and for a boundary of straight pieces no line passes a point outside it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_bytes.h"
#include "model/draw_entity.h"
#include "support/even_odd_inside.h"
#include "tools/standard_tools.h"
#include "view/hatch_lines.h"
#include "view/render_hooks.h"

using namespace plenwick;

using plenwick::testing::InsideOrNear;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const bool installed = (InstallToolExtensions(), true);
  (void)installed;
  fuzzing::FuzzBytes in(data, size);
  const int count = 7 + in.Byte() % 120;
  auto e = NewEntityRecord(count, true);
  if (!e) return 0;
  e->kind = kHatch;
  e->subKind = static_cast<int16_t>(static_cast<int>(in.Byte() % 6) - 1);
  e->valueCount = static_cast<int16_t>(count);
  static constexpr int16_t kCodes[] = {10, 20, 0, 1, 2, 3, 4, 5, 50, 51, 52, 11, 60, -1};
  bool straightOnly = true;
  for (int i = 0; i < count; ++i) {
    const uint8_t c = in.Byte();
    e->codes[i] = c < 160 ? (i % 2 ? int16_t{20} : int16_t{10}) : kCodes[c % std::size(kCodes)];
    e->values[i] = in.Double(2.5, 240);
  }
  e->codes[0] = static_cast<int16_t>(static_cast<int>(in.Byte()) - 8);
  // Every line (files, paper), then what a screen with a window anywhere at any zoom asks for.
  const HatchScreenView screen{{in.Double(), in.Double(), in.Double(), in.Double()}, in.Double(0.01, 240)};
  std::vector<ModelSegment> lines;
  for (const HatchScreenView* view : {static_cast<const HatchScreenView*>(nullptr), &screen}) {
    const std::size_t before = lines.size();
    InstalledRenderHooks().hatchLines(*e, view, lines);
    if (static_cast<int64_t>(lines.size() - before) > kMaxHatchSegments) __builtin_trap();
  }
  for (const ModelSegment& s : lines) {
    if (!std::isfinite(s.a.x) || !std::isfinite(s.a.y) || !std::isfinite(s.b.x) || !std::isfinite(s.b.y)) {
      __builtin_trap();
    }
  }

  // The boundary as read (codes[0] pieces from value 7) when it holds straight pieces only.
  std::vector<ModelPoint> polygon;
  for (int i = 7; i + 1 < count && static_cast<int>(polygon.size()) < e->codes[0]; i += 2) {
    if (e->codes[i] != 10) {
      straightOnly = e->codes[i] != 0 && e->codes[i] != 1 && e->codes[i] != 50;
      break;
    }
    polygon.push_back({e->values[i], e->values[i + 1]});
  }
  if (!straightOnly || polygon.size() < 3) return 0;
  double scale = 1;
  for (ModelPoint p : polygon) scale = std::fmax(scale, std::fmax(std::fabs(p.x), std::fabs(p.y)));
  for (const ModelSegment& s : lines) {
    const ModelPoint mid{(s.a.x + s.b.x) / 2, (s.a.y + s.b.y) / 2};
    if (!InsideOrNear(polygon, mid, scale * 1e-9)) __builtin_trap();
  }
  return 0;
}
