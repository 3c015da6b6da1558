// Fuzzes the drawing-file reader: any bytes must read without fault, and whatever was read must
// write back into a file that reads again to the same elements and the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "model/drawing_file.h"
#include "model/entity_core.h"

namespace {

std::size_t CountStored(const plenwick::EntityList& list) {
  std::size_t n = 0;
  for (const plenwick::DrawEntity& e : list) {
    if (!(e.owner && e.owner->kind == plenwick::kDimension)) ++n;
  }
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace plenwick;
  DrawingFileInfo info;
  EntityList list;
  if (ReadDrawingFile(std::span<const uint8_t>(data, size), info, list, nullptr) != 0 || list.empty()) return 0;

  std::vector<uint8_t> written;
  if (WriteDrawingFile(written, info, list) != 0) std::abort();
  DrawingFileInfo againInfo;
  EntityList again;
  if (ReadDrawingFile(written, againInfo, again, nullptr) != 0) std::abort();
  if (againInfo.skippedRecords != 0 || CountStored(again) != CountStored(list)) std::abort();

  // The first write normalises (fonts cut to fit, widths replaced); from then on nothing changes.
  std::vector<uint8_t> rewritten;
  if (WriteDrawingFile(rewritten, againInfo, again) != 0 || rewritten != written) std::abort();
  return 0;
}
