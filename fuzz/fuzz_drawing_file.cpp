// Fuzzes the drawing-file reader: any bytes must read without fault, whatever was read must write
// back into a file that reads again to the same elements and the same bytes, and the snap points
// registered for the drawing all at once must be those registering each element as it is read
// gives, in the same order. The program's extensions are installed, so dimensions get their parts,
// the same again after the round trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "stored_elements.h"
#include "model/snap_point_list.h"
#include "registered_points.h"
#include "tools/standard_tools.h"
#include "view/snap_registration.h"

using plenwick::fuzzing::CountParts;
using plenwick::fuzzing::CountStored;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace plenwick;
  static const bool installed = (InstallToolExtensions(), true);
  (void)installed;
  DrawingFileInfo info;
  EntityList list;
  if (ReadDrawingFile(std::span<const uint8_t>(data, size), info, list, nullptr) != 0 || list.empty()) return 0;

  std::vector<uint8_t> written;
  if (WriteDrawingFile(written, info, list) != 0) std::abort();
  DrawingFileInfo againInfo;
  EntityList again;
  if (ReadDrawingFile(written, againInfo, again, nullptr) != 0) std::abort();
  if (againInfo.skippedRecords != 0 || CountStored(again) != CountStored(list)) std::abort();
  if (CountParts(again) != CountParts(list)) std::abort();

  // The first write normalises (fonts cut to fit, widths replaced); from then on nothing changes.
  std::vector<uint8_t> rewritten;
  if (WriteDrawingFile(rewritten, againInfo, again) != 0 || rewritten != written) std::abort();

  SnapPointList pa;
  EntityList a;
  a.snapPoints = &pa;
  DrawingFileInfo ia;
  if (ReadDrawingFile(std::span<const uint8_t>(data, size), ia, a, &pa) != 0) std::abort();
  const SnapPointRegistrar together = InstallSnapPointRegistrar(
      [](SnapPointList& points, EntityList& entities, DrawEntity& added) { RegisterEntitySnapPoints(points, entities, added); });
  SnapPointList pb;
  EntityList b;
  b.snapPoints = &pb;
  DrawingFileInfo ib;
  if (ReadDrawingFile(std::span<const uint8_t>(data, size), ib, b, &pb) != 0) std::abort();
  InstallSnapPointRegistrar(together);
  if (RegisteredPoints(pa, a) != RegisteredPoints(pb, b)) std::abort();
  return 0;
}
