// The parts folder as the parts browser and the registration dialog list it: sub-folders and
// part files (DXF, native and JWW drawings), sorted by name, walked with bounds so that a huge
// folder, a link loop or a name the screen cannot show never hangs the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plenwick {

// Kinds of part files, by the last extension of the name in any case.
enum class PartKind : int8_t { kNone = 0, kDxf = 1, kPwk = 2, kJww = 3 };
PartKind PartKindOfName(std::string_view name);

struct PartsTreeNode {
  std::string name;  // the entry's name (UTF-8); the root: the folder's full path
  std::string path;  // full path
  bool folder = false;
  PartKind kind = PartKind::kNone;
  std::vector<PartsTreeNode> children;  // folders and files together, by name
};

struct PartsTree {
  PartsTreeNode root;
  // What could not be listed (a folder that cannot be opened, a link loop, an undisplayable
  // name, the bounds reached), for one notice; UTF-8 sentences.
  std::vector<std::string> notices;
};

// Bounds of one walk.
inline constexpr int kPartsTreeMaxDepth = 100;
inline constexpr std::size_t kPartsTreeMaxEntries = 100000;

// Walks the folder at `root`: every sub-folder (links to folders followed once each) and, unless
// `foldersOnly`, the part files. Entries whose names start with "." are hidden ones and left out.
PartsTree BuildPartsTree(const std::string& root, bool foldersOnly);

// The parts folder to use for the stored setting (UTF-8): the setting when it is an absolute
// path here, else `defaultFolder`, with `notice` saying why (empty when the setting was used).
std::string UsablePartsFolder(std::string_view stored, const std::string& defaultFolder, std::string* notice);

}  // namespace plenwick
