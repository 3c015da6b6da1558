// The drawing as one JSON object and back: header, drawing block, layers and every element.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "model/drawing_file.h"
#include "model/entity_list.h"

namespace plenwick::cli {

// Strings become UTF-8 (with a "...Bytes" hex twin when Shift-JIS does not survive the trip);
// doubles print so that they read back exactly; a value whose bits are not a finite number (a
// dimension's packed field) becomes the hex string of its 8 bytes in file order. "headerBytes"
// carries the whole 192-byte header, bytes no named field shows included.
// With `withParts`, each dimension also lists the parts generated for it under "parts": kind,
// values and, for texts, the text (the reader ignores them: they are made again).
nlohmann::ordered_json DrawingToJson(const DrawingFileInfo& info, const EntityList& list, bool withParts = false);

// The inverse: fills info and appends every element through AddStoredEntity. The header starts
// from "headerBytes" when present and takes the named fields that differ from it. Returns false
// with `error` set (one line naming the field) when the JSON does not describe a drawing or a
// field does not fit what it is stored in; `list` may then hold the elements before the fault.
// Elements a drawing file could not keep as they are (see pwk::StorableElement) or the entity
// core refuses are left out and counted in `refused`.
bool DrawingFromJson(const nlohmann::json& json, DrawingFileInfo& info, EntityList& list, std::string* error,
                     int* refused);

}  // namespace plenwick::cli
