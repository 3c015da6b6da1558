// The program's own drawing file (".pwk"): writing version 3 and reading versions 1, 2 and 3.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/drawing_header.h"
#include "model/drawing_values.h"
#include "model/entity_list.h"
#include "model/layer_table.h"

namespace plenwick {

class SnapPointList;

// What a drawing file carries besides the elements; the document fills it before writing and
// takes it over after reading.
struct DrawingFileInfo {
  DrawingHeader header;  // 192 bytes; the writer sets the magic, the version and the current layer
  std::array<double, 3> areaMin{}, areaMax{}, extentMin{}, extentMax{};  // model mm
  // Version 3 carries only the eight display colours; versions 1 and 2 carry the whole block.
  DrawingValues drawingValues;
  // layerCount = number of layers stored (0..128); currentLayer goes to the header.
  LayerTable layers;
  bool selectionOnly = false;  // write only the elements with mark 4 (parts-data files)
  int versionRead = 0;         // set by the reader: 1, 2 or 3
  int skippedRecords = 0;      // set by the reader: damaged, unknown or missing records left out
};

// Builds a version-3 file of the list's elements in list order (deleted elements and the parts
// of dimensions are left out; with selectionOnly only elements with mark 4 are stored). The
// caller clears orphan group numbers first (ClearOrphanGroupNumbers).
// Returns 0, 1 when no element would be stored (out stays empty), or -1 when the drawing is too
// large for the format's 32-bit offsets.
int WriteDrawingFile(std::vector<uint8_t>& out, const DrawingFileInfo& info, const EntityList& list);

// Reads a drawing file of version 1, 2 or 3, appending its elements to `list` (dimension parts
// are regenerated, group members linked to their headers, and snap points registered in
// `points` when given). Damaged, unknown or out-of-range records are skipped and counted in
// info.skippedRecords. Returns 1 with `error` set and nothing changed when the magic or the
// version is wrong or the header blocks are cut short; 0 otherwise.
int ReadDrawingFile(std::span<const uint8_t> bytes, DrawingFileInfo& info, EntityList& list,
                    SnapPointList* points, std::string* error = nullptr);

// The same for the parts-data browser, into a list of its own (no snap points).
int ReadPartsFile(std::span<const uint8_t> bytes, DrawingFileInfo& info, EntityList& list,
                  std::string* error = nullptr);

// The bytes WriteDrawingFile would give, streamed to disk as they are produced; they replace
// `path` only when all of them were written and flushed, so a failed save keeps the previous
// file. Returns 0, or 1 with `error` set (2 when the drawing has no element to store).
int SaveDrawingFile(const std::string& path, const DrawingFileInfo& info, const EntityList& list,
                    std::string* error = nullptr);

// ReadDrawingFile on the file at `path`, read a piece at a time (a file that cannot be read to
// its end adds nothing). Returns 0, or 1 with `error` set.
int LoadDrawingFile(const std::string& path, DrawingFileInfo& info, EntityList& list, SnapPointList* points,
                    std::string* error = nullptr);

}  // namespace plenwick
