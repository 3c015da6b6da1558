// Guards where the settings and data live: the environment decides, in the documented order,
// folder names keep their case, and folders are created (or refused) as asked.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <optional>
#include <string>

#include "platform/folders.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

using testing::ScopedEnv;
using testing::ScopedTempFolder;
using testing::WriteBytes;

struct Env {
  std::optional<std::string> plenwickHome, xdgConfig, xdgData, home;
};

TEST(Folders, EnvironmentOrder) {
  struct Case {
    const char* what;
    Env env;
    std::string programFolder;
    std::string dataFolder;
  } cases[] = {
      {"own variable wins", {"/opt/Pw/Home", "/x/config", "/x/data", "/home/u"}, "/opt/Pw/Home", "/x/data/BRENTA/Plenwick"},
      {"trailing slashes dropped", {"/opt/pw//", std::nullopt, std::nullopt, "/home/u/"}, "/opt/pw",
       "/home/u/.local/share/BRENTA/Plenwick"},
      {"XDG folders", {std::nullopt, "/x/Config", "/x/Data", "/home/u"}, "/x/Config/plenwick", "/x/Data/BRENTA/Plenwick"},
      {"empty own variable ignored", {"", "/x/config", std::nullopt, "/home/u"}, "/x/config/plenwick",
       "/home/u/.local/share/BRENTA/Plenwick"},
      {"relative XDG ignored", {std::nullopt, "rel/config", "rel/data", "/home/u"}, "/home/u/.config/plenwick",
       "/home/u/.local/share/BRENTA/Plenwick"},
      {"home only", {std::nullopt, std::nullopt, std::nullopt, "/home/User"}, "/home/User/.config/plenwick",
       "/home/User/.local/share/BRENTA/Plenwick"},
  };
  for (const Case& c : cases) {
    ScopedEnv a("PLENWICK_HOME", c.env.plenwickHome);
    ScopedEnv b("XDG_CONFIG_HOME", c.env.xdgConfig);
    ScopedEnv d("XDG_DATA_HOME", c.env.xdgData);
    ScopedEnv e("HOME", c.env.home);
    EXPECT_EQ(ProgramFolder(), c.programFolder) << c.what;
    EXPECT_EQ(DataFolder(), c.dataFolder) << c.what;
    EXPECT_EQ(DefaultPartsFolder(), c.dataFolder + "/部品データ") << c.what;
  }
}

TEST(Folders, CreateFoldersMakesParentsAndRefusesFiles) {
  ScopedTempFolder tmp;
  const std::string nested = tmp / "a/b/c";
  EXPECT_TRUE(CreateFolders(nested));
  struct stat st {};
  ASSERT_EQ(::stat(nested.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_TRUE(CreateFolders(nested));  // already there

  WriteBytes(tmp / "file", {1, 2, 3});
  EXPECT_FALSE(CreateFolders(tmp / "file"));
  EXPECT_FALSE(CreateFolders(tmp / "file/below"));
  EXPECT_FALSE(CreateFolders(""));
}

TEST(Folders, LoginNameIsKnown) {
  // From the password database, or from $USER when the process's user is not listed there.
  ScopedEnv user("USER", "someone");
  EXPECT_FALSE(LoginName().empty());
}

}  // namespace
}  // namespace plenwick
