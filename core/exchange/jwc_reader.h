// Reading drawings of the DOS version of JW_CAD (JWC files): their lines, circles, arcs, texts and
// points; everything else in the file is passed over.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/entity_list.h"

namespace plenwick {

// What reading a JWC file came to besides the elements.
struct JwcReadResult {
  bool placed = false;  // the header was usable: scale, paper and area below hold
  float scale = 0;      // the drawing scale 1:n, above 0
  int16_t paperSize = 0;  // paper table index (A0..A4), landscape, the area is made from
  // The drawing area, model mm: (0, 0, 0) to the paper times the scale, 6400 high.
  std::array<double, 3> areaMin{}, areaMax{};
  int64_t added = 0;
  // Elements left out for values that are not finite or lie outside the coordinate range, and
  // circles and arcs without a positive radius.
  int64_t skipped = 0;
  bool fileOpened = false;  // false: the file itself could not be read (error says why)
  std::string error;        // when reading stopped: what the user is told, UTF-8
};

// Appends the elements of the JWC file at `path` to `list` in file order (lines, circles and arcs,
// texts, points), every coordinate and length in model mm. Returns 0 when the whole file was
// read; 1 with result.error set when it stopped, keeping the elements appended before.
int ReadJwcFile(const std::string& path, JwcReadResult& result, EntityList& list);
// The same over the bytes of a file in memory.
int ReadJwcBytes(std::span<const uint8_t> bytes, JwcReadResult& result, EntityList& list);

// The numbers of a header list: pieces ending in "," converted as decimal numbers (only their
// first 11 characters; a piece that is no number gives 0), at most maxCount of them, up to the
// first NUL. The last piece, with no "," after it, is not a number of the list.
std::vector<float> JwcHeaderNumbers(std::string_view list, std::size_t maxCount);

// Whether `path` names a JWC file by its extension, of any case.
bool IsJwcPath(const std::string& path);

}  // namespace plenwick
