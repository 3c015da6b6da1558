// The block's field layout.
#include "model/parameter_fields.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace plenwick {

namespace {

// Runs of equally wide fields: first offset, total bytes, width of one field.
struct FieldRun {
  std::size_t offset;
  std::size_t bytes;
  std::size_t width;
};

constexpr std::array<FieldRun, 25> kRuns = {{
    {0, 36, 4},      // plotter options
    {36, 12, 2},     // window placements
    {48, 8, 4},      // scale, paper size
    {56, 4, 2},      // size mode, grid sensitivity
    {60, 4, 4},      // grid pitch
    {64, 4, 2},      // grid kind, grid line type
    {68, 20, 4},     // text, hatching and dimension sizes
    {88, 4, 2},      // dimension digits, padding
    {92, 116, 4},    // extension lines, colours, pen widths, thick lines
    {208, 20, 2},    // switches, terminator sizes, 226
    {228, 4, 4},     // always 0
    {232, 12, 4},    // coordinate and distance input
    {244, 20, 2},    // line options
    {264, 28, 4},    // line values
    {292, 4, 2},     // circle options
    {296, 12, 4},    // circle values
    {308, 12, 2},    // polygon, box and corner options
    {320, 20, 4},    // corner, box and polygon values
    {340, 16, 2},    // hatching to point options
    {356, 20, 4},    // angles and distances
    {376, 128, 8},   // tolerance tables
    {504, 48, 48},   // text font
    {552, 48, 48},   // dimension font
    {600, 40, 5},    // dimension prefixes
    {640, 88, 88},   // parts folder
}};

}  // namespace

void ForEachParameterField(const std::function<void(ParameterField)>& visit) {
  for (const FieldRun& run : kRuns) {
    for (std::size_t at = run.offset; at < run.offset + run.bytes; at += run.width) visit({at, run.width});
  }
}

void TakeChangedFields(const ParameterBlock& before, const ParameterBlock& after, ParameterBlock& into) {
  ForEachParameterField([&](ParameterField f) {
    if (std::memcmp(&before.bytes[f.offset], &after.bytes[f.offset], f.width) != 0) {
      std::copy_n(&after.bytes[f.offset], f.width, &into.bytes[f.offset]);
    }
  });
}

}  // namespace plenwick
