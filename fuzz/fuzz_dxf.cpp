// Fuzzes the DXF reader: any bytes must read without fault or error out leaving the list as it
// was, and whatever was read must write back into a DXF file that reads again to as many
// elements (less those the whole-unit rounding of the writer makes unusable, which are counted).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "exchange/dxf_exchange.h"
#include "model/entity_core.h"
#include "tools/standard_tools.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace plenwick;
  static const bool installed = (InstallToolExtensions(), true);
  (void)installed;

  EntityList list;
  DxfContext context;
  DxfReadReport report;
  if (ReadDxfBytes(context, std::span<const uint8_t>(data, size), list, report) != 0) {
    if (!list.empty() || report.error.empty()) std::abort();
    return 0;
  }
  if (static_cast<std::size_t>(context.count) != list.size() || !(context.ltScale >= 0.001)) std::abort();

  std::vector<uint8_t> written;
  const ByteSink sink = [&written](std::span<const uint8_t> bytes) {
    written.insert(written.end(), bytes.begin(), bytes.end());
    return true;
  };
  if (!WriteDxf(context, list, sink)) std::abort();
  EntityList again;
  DxfContext againContext;
  DxfReadReport againReport;
  if (ReadDxfBytes(againContext, written, again, againReport) != 0) std::abort();
  if (againContext.count + againReport.skipped != context.count) std::abort();
  return 0;
}
