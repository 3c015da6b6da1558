// Reading list items from a CSV file: rows "POINT,x,y", "LINE,x1,y1,x2,y2" and
// "CIRCLE,cx,cy,r,start,end" (as the writer writes them, or typed by hand); other rows are passed
// over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "exchange/list_item.h"
#include "model/user_interface.h"

namespace plenwick {

// The longest row and the longest field the reader takes, in bytes (without the line end).
inline constexpr std::size_t kMaxCsvRowBytes = 1023;
inline constexpr std::size_t kMaxCsvFieldBytes = 20;
// The largest file the reader opens: far more rows than any drawing holds.
inline constexpr std::size_t kMaxCsvFileBytes = std::size_t{1} << 30;

enum class CsvReadStatus { kRead, kNotOpened, kRefused };

struct CsvReadResult {
  CsvReadStatus status = CsvReadStatus::kRead;
  std::string error;  // kNotOpened: why; kRefused: the line and its fault, for the user (UTF-8)
};

// Appends an item for every row whose first field is exactly "POINT", "LINE" or "CIRCLE"; other
// rows are skipped. Rows end at LF or CR LF, a UTF-8 byte-order mark before the first is passed
// over. A row is cut at commas into at most six fields; fields after the sixth are ignored. The
// kind takes its values from fields 2 on (POINT 2 of them, LINE 4, CIRCLE 5: an arc's angles
// counter-clockwise from start to end, both empty for a full circle); an empty field is 0.
// Numbers are decimal, an exponent allowed, spaces around them ignored, whatever the locale.
// A row longer than 1023 bytes, a field of a POINT, LINE or CIRCLE row longer than 20, or a value
// that is not a number or lies outside the coordinate range refuses the whole file: nothing is
// appended and result.error names the line and the fault.
CsvReadResult ReadCsvBytes(std::span<const uint8_t> bytes, std::vector<ListItem>& items);
// The same for the file at `path` (a regular file of at most kMaxCsvFileBytes); one that cannot
// be read gives kNotOpened, with nothing appended.
CsvReadResult ReadCsvFile(const std::string& path, std::vector<ListItem>& items);

// ReadCsvFile for the user: a refused file is told with its line and fault, one that cannot be
// read with "<path> を開けませんでした。" and the reason. Returns the number of items appended.
std::size_t ImportCsvItems(UserInterface& ui, const std::string& path, std::vector<ListItem>& items);

}  // namespace plenwick
