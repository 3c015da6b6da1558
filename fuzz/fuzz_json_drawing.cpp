// Fuzzes the JSON form of a drawing that plenwick-cli reads: any text must be refused with an
// error or read without fault, and whatever from-json accepts must write a file that reads back
// with every element it accepted and the same dimension parts, and dump to JSON again (parts
// listed). The program's extensions are installed, as plenwick-cli installs them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "json_drawing.h"
#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "stored_elements.h"
#include "tools/standard_tools.h"

using plenwick::fuzzing::CountParts;
using plenwick::fuzzing::CountStored;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace plenwick;
  static const bool installed = (InstallToolExtensions(), true);
  (void)installed;
  const nlohmann::json json = nlohmann::json::parse(data, data + size, nullptr, false);
  if (json.is_discarded()) return 0;
  DrawingFileInfo info;
  EntityList list;
  std::string error;
  int refused = 0;
  bool read = false;
  try {
    read = cli::DrawingFromJson(json, info, list, &error, &refused);
  } catch (const std::exception&) {
    std::abort();  // a malformed drawing must be refused with an error, not thrown out
  }
  if (!read || list.empty()) return 0;

  std::vector<uint8_t> written;
  if (WriteDrawingFile(written, info, list) != 0) return 0;  // e.g. nothing storable
  DrawingFileInfo againInfo;
  EntityList again;
  if (ReadDrawingFile(written, againInfo, again, nullptr) != 0) std::abort();
  // What from-json accepted, the file keeps.
  if (againInfo.skippedRecords != 0 || CountStored(again) != CountStored(list)) std::abort();
  if (CountParts(again) != CountParts(list)) std::abort();
  try {
    (void)cli::DrawingToJson(againInfo, again, true).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  } catch (const std::exception&) {
    std::abort();
  }
  return 0;
}
