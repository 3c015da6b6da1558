// What a new drawing starts with: its header and its per-drawing values, taken from the
// parameter block, today's date and the user's login name.
#pragma once

#include <string>
#include <string_view>

#include "model/drawing_dates.h"
#include "model/drawing_header.h"
#include "model/drawing_values.h"
#include "model/parameter_block.h"

namespace plenwick {

// "名称未設定" (untitled), Shift-JIS: a new drawing's file name, and the author when the login
// name does not fit.
inline constexpr std::string_view kUntitledSjis = "\x96\xbc\x8f\xcc\x96\xa2\x90\xdd\x92\xe8";
// "無　題" (no title), Shift-JIS: a new drawing's name.
inline constexpr std::string_view kNoTitleSjis = "\x96\xb3\x81\x40\x91\xe8";

// Where a new document takes the date and the user from; tests pass their own.
struct DocumentEnvironment {
  CalendarDate today;
  std::string loginName;  // UTF-8
};
// Today's local date and the login name of this process.
DocumentEnvironment CurrentDocumentEnvironment();

// The header of a new drawing: magic "PWK" + NUL, "無　題", author and updater = the login name
// in Shift-JIS (each falls back to "名称未設定" when the name does not fit its 40 bytes), no
// password or protection, paper mode, paper size and scale from the block, format version 3,
// landscape, real-size printing, both dates today as YYMMDD.
DrawingHeader NewDrawingHeader(const ParameterBlock& params, const DocumentEnvironment& env);

// The per-drawing values a new drawing takes from the block (text, dimension and hatching
// sizes, and the eight display colours).
DrawingValues DrawingValuesFromParameters(const ParameterBlock& params);

}  // namespace plenwick
