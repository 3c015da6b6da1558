// Exchanging drawings with other CAD programs as ASCII DXF: the writer (POINT, LINE, CIRCLE, ARC
// and TEXT only, composite elements broken down) and the reader of those entities and POLYLINE.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "model/entity_list.h"
#include "platform/byte_io.h"

namespace plenwick {

// What the caller hands the writer and what the reader hands back.
struct DxfContext {
  int32_t count = 0;          // reader: elements added
  int32_t selectionOnly = 0;  // writer: 1 writes only the elements whose mark is 4
  double ltScale = 1;         // $LTSCALE: the drawing scale denominator
  // Writer: the document's boxes. Reader: $EXTMIN, $EXTMAX, $LIMMIN and $LIMMAX (x, y, z), left
  // as they were when the file lacks them or holds absurd values.
  std::array<double, 3> areaMin{}, areaMax{}, extentMin{}, extentMax{};
  double originX = 0, originY = 0;  // writer: subtracted from every x and y written
};

// What reading a DXF file came to besides the elements.
struct DxfReadReport {
  int64_t skipped = 0;   // entities left out for non-finite or out-of-range values or a radius <= 0
  std::string error;     // when reading failed: a sentence for the user naming the line, UTF-8
};

// Writes the whole file to `sink`: HEADER, TABLES, ENTITIES and EOF, elements in list order.
// Returns false when the sink refuses bytes.
bool WriteDxf(const DxfContext& context, const EntityList& list, const ByteSink& sink);

// WriteDxf into the file at `path`, which is replaced only when all of it was written; a failure
// keeps the previous file. Returns 0, or 1 with `error` set.
int ExportDxf(const DxfContext& context, const std::string& path, const EntityList& list,
              std::string* error = nullptr);

// Appends the entities of a DXF file to `list` (layer 0, pen 0) and fills the context from its
// header. Returns 0 when an ENTITIES section was read; 1 with report.error set, and nothing
// appended, when the file cannot be opened or read, is malformed, or has no ENTITIES section.
int ReadDxf(DxfContext& context, const std::string& path, EntityList& list, DxfReadReport& report);
// The same over bytes in memory.
int ReadDxfBytes(DxfContext& context, std::span<const uint8_t> bytes, EntityList& list, DxfReadReport& report);

}  // namespace plenwick
