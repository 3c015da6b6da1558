// Writing list items as a CSV file: one row per item, the kind word and its values.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "exchange/list_item.h"
#include "model/user_interface.h"
#include "platform/byte_io.h"

namespace plenwick {

// What the user is told when the CSV file cannot be written.
inline constexpr std::string_view kCsvWriteOpenErrorMessage = "CSV WriteOpen ERROR!";

// Appends the item's row with its newline: "POINT,x,y,,,,", "LINE,x1,y1,x2,y2,,",
// "CIRCLE,cx,cy,r,,," for a full circle and "CIRCLE,cx,cy,r,start,end" for an arc. Every value
// as "%f" writes it, trailing zeros and a trailing point removed, a negative zero kept ("-0").
void AppendCsvRow(std::string& out, const ListItem& item);

// Writes the rows of the items in order to `sink`; false when the sink refuses bytes.
bool WriteCsv(std::span<const ListItem> items, const ByteSink& sink);

// WriteCsv into the file at `path`, which is replaced only when all of it was written; a failure
// keeps the previous file. Returns 0, or 1 with `error` set.
int ExportCsv(const std::string& path, std::span<const ListItem> items, std::string* error = nullptr);

// ExportCsv telling the user "CSV WriteOpen ERROR!" with the reason when it fails. Returns 0 or 1.
int SaveItemsAsCsv(UserInterface& ui, const std::string& path, std::span<const ListItem> items);

}  // namespace plenwick
