// Fuzzes the JWW reader: any bytes must read without fault, either refused with a message and
// nothing appended or read (perhaps stopping early with a message) to elements that our writer
// writes back into a file that reads again to as many records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "exchange/jww_exchange.h"
#include "model/entity_core.h"
#include "tools/standard_tools.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace plenwick;
  static const bool installed = (InstallToolExtensions(), true);
  (void)installed;

  EntityList list;
  JwwContext context;
  JwwReadReport report;
  if (ReadJwwBytes(context, std::span<const uint8_t>(data, size), list, report) != 0) {
    if (!list.empty() || report.error.empty()) std::abort();
    return 0;
  }
  if (report.bytesRead > size || static_cast<int64_t>(list.size()) != report.added) std::abort();

  std::vector<uint8_t> written;
  const ByteSink sink = [&written](std::span<const uint8_t> bytes) {
    written.insert(written.end(), bytes.begin(), bytes.end());
    return true;
  };
  JwwWriteReport writeReport;
  if (!WriteJww(context, list, sink, &writeReport)) std::abort();
  EntityList again;
  JwwContext againContext;
  JwwReadReport againReport;
  if (ReadJwwBytes(againContext, written, again, againReport) != 0 || !againReport.error.empty()) std::abort();
  if (againReport.bytesRead != written.size()) std::abort();
  if (againReport.added + againReport.skipped != writeReport.objects) std::abort();
  return 0;
}
