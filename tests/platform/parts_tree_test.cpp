// Guards the parts folder as the browser lists it: the kind of a file by its last extension in any
// case, folders and files sorted by name whatever order the directory gives, hidden entries,
// links back to a folder above, names that are no UTF-8 and missing folders left out with a
// notice and no hang, and the stored folder setting falling back to the default when it names no
// folder of this machine.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/parts_tree.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

TEST(PartsTree, KindIsTheLastExtensionInAnyCase) {
  const struct {
    const char* name;
    PartKind kind;
  } cases[] = {
      {"a.dxf", PartKind::kDxf},      {"A.DXF", PartKind::kDxf},   {"M6.bolt.dxf", PartKind::kDxf},
      {"x.Pwk", PartKind::kPwk},      {"部品.jww", PartKind::kJww}, {"a.jwc", PartKind::kNone},
      {"a.ras", PartKind::kNone},     {"dxf", PartKind::kNone},    {".dxf", PartKind::kNone},
      {"a.dxf.bak", PartKind::kNone}, {"a.", PartKind::kNone},     {"a.dxff", PartKind::kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(PartKindOfName(c.name), c.kind) << c.name;
}

// The tree as lines "depth name", depth first.
std::vector<std::string> Lines(const PartsTreeNode& node, int depth = 0) {
  std::vector<std::string> out;
  for (const PartsTreeNode& child : node.children) {
    out.push_back(std::to_string(depth) + " " + child.name);
    for (std::string& line : Lines(child, depth + 1)) out.push_back(std::move(line));
  }
  return out;
}

TEST(PartsTree, SortedFoldersAndPartsWithoutHiddenLoopedOrUnreadableEntries) {
  testing::ScopedTempFolder root;
  namespace fs = std::filesystem;
  for (const char* folder : {"z機械", "a建具/b/c", "a建具/.hidden", "empty"}) fs::create_directories(root / folder);
  for (const char* file : {"z機械/M6.bolt.dxf", "z機械/note.txt", "a建具/door.PWK", "a建具/b/c/w.jww",
                           "a建具/.hidden/h.dxf", "a建具/.h.dxf", "top.dxf", "Top.jww"}) {
    testing::WriteBytes(root / file, {1});
  }
  testing::WriteBytes(root / "bad\xff\xfe.dxf", {1});
  fs::create_directory_symlink(root.path(), root / "a建具/b/up");   // a loop back to the root
  fs::create_symlink(root / "gone", root / "dangling.dxf");

  const PartsTree tree = BuildPartsTree(root.path(), false);
  EXPECT_EQ(tree.root.name, root.path());
  EXPECT_EQ(Lines(tree.root), (std::vector<std::string>{"0 Top.jww", "0 a建具", "1 b", "2 c", "3 w.jww", "1 door.PWK",
                                                        "0 empty", "0 top.dxf", "0 z機械", "1 M6.bolt.dxf"}));
  EXPECT_EQ(tree.root.children[1].children[1].path, root / "a建具/door.PWK");
  EXPECT_EQ(tree.root.children[1].children[1].kind, PartKind::kPwk);
  EXPECT_EQ(tree.notices.size(), 2u);  // the loop and the name

  const PartsTree folders = BuildPartsTree(root.path(), true);
  EXPECT_EQ(Lines(folders.root), (std::vector<std::string>{"0 a建具", "1 b", "2 c", "0 empty", "0 z機械"}));

  const PartsTree missing = BuildPartsTree(root / "none", false);
  EXPECT_TRUE(missing.root.children.empty());
  EXPECT_EQ(missing.notices.size(), 1u);
}

TEST(PartsTree, AStoredFolderUnusableHereFallsBackToTheDefaultWithANotice) {
  const struct {
    const char* stored;
    const char* used;
    bool notice;
  } cases[] = {
      {"/home/u/部品", "/home/u/部品", false}, {"/home/u/部品/", "/home/u/部品", false}, {"", "/d/部品データ", false},
      {"c:\\部品データ", "/d/部品データ", true}, {"部品データ", "/d/部品データ", true},      {"./p", "/d/部品データ", true},
  };
  for (const auto& c : cases) {
    std::string notice;
    EXPECT_EQ(UsablePartsFolder(c.stored, "/d/部品データ", &notice), c.used) << c.stored;
    EXPECT_EQ(!notice.empty(), c.notice) << c.stored;
  }
}

}  // namespace
}  // namespace plenwick
