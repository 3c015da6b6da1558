// Feeds arbitrary bytes to the autosave record reader: it must never crash, and whatever it
// accepts must be written back to the very same bytes and read again to the same record.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "model/autosave_record.h"

using namespace plenwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  AutosaveRecord record;
  std::string error;
  if (!ParseAutosaveRecord(std::span<const uint8_t>(data, size), record, &error)) {
    if (error.empty()) __builtin_trap();
    return 0;
  }
  const std::string text = FormatAutosaveRecord(record);
  AutosaveRecord again;
  if (!ParseAutosaveRecord(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), again, &error) ||
      !(again == record)) {
    __builtin_trap();
  }
  return 0;
}
