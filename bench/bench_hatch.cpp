// Benchmark "hatch": the growth of hatch-line generation with the boundary. A saw-tooth region of
// 100,000 pieces (built in memory: more than one record holds) against one of 10,000, both
// hatched as a grid whose lines and crossings grow with the teeth; a line-by-piece cut would
// take a hundred times longer for the larger, a sweep about ten.
#include <cstdio>
#include <vector>

#include "bench_timing.h"
#include "view/hatch_lines.h"

using namespace plenwick;
using namespace plenwick::bench;

namespace {

// A region under a rising saw-tooth: (teeth, 0), then the teeth from right to left down to the
// origin. Every line of either family meets only the few teeth near its diagonal.
std::vector<BoundaryPiece> SawTooth(int pieces) {
  const int zig = pieces - 1;
  std::vector<BoundaryPiece> out;
  out.reserve(static_cast<std::size_t>(pieces));
  out.push_back({BoundaryPiece::Kind::kVertex, {zig * 0.5, 0}, {}, 0, true});
  for (int j = zig - 1; j >= 0; --j) {
    out.push_back({BoundaryPiece::Kind::kVertex, {j * 0.5, j * 0.5 + (j % 2 ? 1 : 0)}, {}, 0, true});
  }
  return out;
}

// Building the region and generating its lines; the lines made are returned through `count`.
double GenerateMs(int pieces, std::size_t* count) {
  return BestMs(5, [&] {
    const std::vector<BoundaryPiece> region = SawTooth(pieces);
    HatchLayout layout;
    layout.pattern = kHatchGrid;
    layout.spacingX = layout.spacingY = 0.37;
    layout.angleDeg = 0;
    layout.box = {0, 0, (pieces - 1) * 0.5, (pieces - 1) * 0.5 + 1};
    std::vector<ModelSegment> lines;
    GenerateHatchLines(layout, region, lines);
    *count = lines.size();
  });
}

}  // namespace

int main() {
  std::size_t small = 0, large = 0;
  const double smallMs = GenerateMs(10000, &small);
  const double largeMs = GenerateMs(100000, &large);
  std::fprintf(stderr, "10,000 pieces: %zu lines in %.3f ms; 100,000 pieces: %zu lines in %.3f ms\n", small, smallMs,
               large, largeMs);
  Figure("hatch.growth", largeMs / (10 * smallMs), "ratio");
  return 0;
}
