// Guards the start-up check: the program, data and parts folders are created; a program or data
// folder that cannot be created stops the program, a missing parts folder does not.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/installation.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

using testing::ScopedEnv;
using testing::ScopedTempFolder;
using testing::WriteBytes;

TEST(Installation, CreatesEveryFolder) {
  ScopedTempFolder tmp;
  ScopedEnv home("PLENWICK_HOME", tmp / "prog/nested");
  ScopedEnv data("XDG_DATA_HOME", tmp / "data");
  const std::optional<InstalledFolders> folders = PrepareInstallation();
  ASSERT_TRUE(folders);
  EXPECT_EQ(folders->program, tmp / "prog/nested");
  EXPECT_EQ(folders->data, tmp / "data/BRENTA/Plenwick");
  EXPECT_EQ(folders->parts, tmp / "data/BRENTA/Plenwick/部品データ");
  for (const std::string* f : {&folders->program, &folders->data, &folders->parts}) {
    EXPECT_TRUE(std::filesystem::is_directory(*f)) << *f;
    EXPECT_TRUE(IsWritableFolder(*f)) << *f;
  }
}

TEST(Installation, RefusesFoldersThatCannotBeMade) {
  ScopedTempFolder tmp;
  WriteBytes(tmp / "file", {1});
  struct Case {
    const char* what;
    std::string program, data;
  } cases[] = {
      {"program folder below a file", tmp / "file/prog", tmp / "data"},
      {"program folder is a file", tmp / "file", tmp / "data"},
      {"data folder below a file", tmp / "prog", tmp / "file/data"},
  };
  for (const Case& c : cases) {
    ScopedEnv home("PLENWICK_HOME", c.program);
    ScopedEnv data("XDG_DATA_HOME", c.data);
    EXPECT_FALSE(PrepareInstallation()) << c.what;
  }
}

TEST(Installation, AMissingPartsFolderIsNoFailure) {
  ScopedTempFolder tmp;
  ScopedEnv home("PLENWICK_HOME", tmp / "prog");
  ScopedEnv data("XDG_DATA_HOME", tmp / "data");
  std::filesystem::create_directories(tmp / "data/BRENTA/Plenwick");
  WriteBytes(tmp / "data/BRENTA/Plenwick/部品データ", {1});  // a file where the folder should be
  EXPECT_TRUE(PrepareInstallation());
}

TEST(Installation, WritableFolderNeedsAFolder) {
  ScopedTempFolder tmp;
  WriteBytes(tmp / "file", {1});
  EXPECT_TRUE(IsWritableFolder(tmp.path()));
  EXPECT_FALSE(IsWritableFolder(tmp / "file"));
  EXPECT_FALSE(IsWritableFolder(tmp / "missing"));
  EXPECT_FALSE(IsWritableFolder(""));
}

}  // namespace
}  // namespace plenwick
