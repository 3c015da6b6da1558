// Part files: reading one into a list of its own by the reader of its kind, and registering a
// drawing's selection as one in the format the user chose.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/entity_list.h"
#include "model/plenwick_doc.h"
#include "model/program_settings.h"
#include "platform/parts_tree.h"

namespace plenwick {

// The parts folder the settings name (UTF-8), or the default parts folder when the setting names
// no folder of this machine, with `notice` saying so.
std::string PartsFolderOf(const ProgramSettings& settings, std::string* notice = nullptr);

// Part files beyond this size are refused unread: a part is a handful of elements, and the
// browser reads every file it shows a thumbnail of.
inline constexpr std::size_t kMaxPartFileBytes = std::size_t{16} << 20;
// Parts of more elements than this are refused (read, then dropped).
inline constexpr std::size_t kMaxPartElements = 200000;

// Replaces `list`'s elements by those of the part file at `path` read by the reader of `kind`
// (DXF import, the native reader's parts variant, the JWW reader). False, with `error` set and
// the list left empty, when the file cannot be read whole or is no such file.
bool ReadPartFile(const std::string& path, PartKind kind, EntityList& list, std::string* error = nullptr);

// The formats a part is registered in, in the order of the registration dialog's choices.
enum class PartFormat : int { kDxf = 0, kPwk = 1, kJww = 2 };

// What the save dialog of a format shows: its filter, pattern, default extension and title.
struct PartSaveDialogText {
  std::string_view filter;
  std::string_view pattern;
  std::string_view extension;
  std::string_view title;
};
PartSaveDialogText PartSaveDialogTextOf(PartFormat format);
// The initial file name the save dialog offers.
inline constexpr std::string_view kUnsetPartFileName = "未設定ファイル";

// Writes the document's selected elements (mark 4) as a part file at `path` in `format`; the
// previous file is kept when writing fails, and the user is told (for JWW "JWW File WriteOpen
// ERROR!"). Returns 0 or 1.
int WritePartFile(CPlenwickDoc& doc, PartFormat format, const std::string& path, std::string* error = nullptr);

}  // namespace plenwick
