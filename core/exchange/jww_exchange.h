// Exchanging drawings with the JW-CAD drafting program through its JWW files: reading versions
// 2.30 and later (Shift-JIS or UTF-16 strings) with their blocks expanded, and writing version 2.30.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "exchange/jww_archive.h"
#include "exchange/jww_header.h"
#include "model/entity_list.h"
#include "platform/byte_io.h"

namespace plenwick {

// What the JWW commands tell the user.
inline constexpr std::string_view kJwwOpenErrorMessage = "JWW FileOpen ERROR!";
inline constexpr std::string_view kJwwOldVersionMessage = "未対応の JwwCad Data Version2.3 以下のファイルです。";
inline constexpr std::string_view kJwwUnknownTagMessage = "JWW Read ERROR! #0001";
inline constexpr std::string_view kJwwNullTagMessage = "JWW Read ERROR! #0002";
inline constexpr std::string_view kJwwWriteOpenErrorMessage = "JWW File WriteOpen ERROR!";

// State kept while a JWW file is read or written.
struct JwwContext {
  int32_t version = 0;
  int32_t paper = 0;  // the file's paper code
  float scale = 1;    // the scale of layer group 0: file coordinates times it are model mm
  std::array<double, 3> areaMin{}, areaMax{};
  std::array<uint32_t, kJwwPens> penColours{};  // COLORREF of pens 0..9
  // Writer.
  int32_t selectionOnly = 0;  // 1 writes only the elements whose mark is 4
  int16_t paperSize = 3;      // the document's paper index (A0..B6)
  double originX = 0, originY = 0;  // subtracted from every x and y written
};

// What reading a JWW file came to besides the elements.
struct JwwReadReport {
  int64_t added = 0;
  int64_t skipped = 0;        // elements left out for non-finite or out-of-range values
  int64_t dimensions = 0;     // dimensions taken as their line and text
  int64_t inserts = 0;        // block inserts expanded
  int64_t insertsDropped = 0; // inserts of unknown blocks, cycles, nesting or size beyond bounds
  int64_t solids = 0;         // dropped: no counterpart in the drawing
  int64_t images = 0;         // embedded images dropped
  int64_t foldedLayers = 0;   // elements of layer groups 8..15, put on the layers of groups 0..7
  int badUtf16 = 0;           // strings with broken UTF-16, read with replacement characters
  std::size_t bytesRead = 0;  // where reading ended: the file's size when all of it was read
  // Why the file could not be read (return 1), or why reading stopped early (return 0, the
  // elements read before kept): one of the messages above or a sentence for the user, UTF-8.
  std::string error;
};

// Paper sides (mm, landscape) of a JWW paper code; codes 5..7 and beyond 14 read as A3.
struct JwwPaper {
  double width = 420;
  double height = 297;
};
JwwPaper JwwPaperOf(int32_t code);

// Reads the magic, the version and the header. Returns 0; the version when it is below 2.30;
// 1 when the magic is missing or the header is cut off.
int ReadJwwHeader(JwwArchiveReader& in, JwwContext& context, JwwHeader& header);

// Appends the elements of a JWW file to `list`, filling the context from its header. Returns 0
// when the file was read (report.error set when reading stopped early; what was read is kept), 1
// with report.error set, and nothing appended, when it cannot be opened or is no JWW file this
// program reads.
int ReadJww(JwwContext& context, const std::string& path, EntityList& list, JwwReadReport& report);
int ReadJwwBytes(JwwContext& context, std::span<const uint8_t> bytes, EntityList& list, JwwReadReport& report);

// What writing left out: elements with no JWW counterpart (paints, images).
struct JwwWriteReport {
  int64_t objects = 0;
  int64_t dropped = 0;
};

// Writes the whole file (header, objects grouped by class) to `sink`. False when the sink
// refuses bytes.
bool WriteJww(const JwwContext& context, const EntityList& list, const ByteSink& sink, JwwWriteReport* report = nullptr);

// WriteJww into the file at `path`, which is replaced only when all of it was written. Returns 0,
// or 1 with `error` set.
int ExportJww(const JwwContext& context, const std::string& path, const EntityList& list, std::string* error = nullptr,
              JwwWriteReport* report = nullptr);

// Whether the bytes start as a JWW file does ("JwwData.").
bool HasJwwMagic(std::span<const uint8_t> bytes);
// Whether the file at `path` starts so.
bool IsJwwFile(const std::string& path);

}  // namespace plenwick
