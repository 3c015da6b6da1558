// Guards the command line: files and --no-splash in any order, "--" before file names that look
// like options, unknown options reported, and --help / --version found before the toolkit starts.
#include <gtest/gtest.h>

#include "command_line.h"

namespace plenwick {
namespace {

TEST(CommandLineTest, ReadsFilesAndOptions) {
  struct Case {
    std::vector<std::string> args;
    bool splash, help, version;
    std::vector<std::string> files;
    bool error;
  } cases[] = {
      {{}, true, false, false, {}, false},
      {{"a.pwk"}, true, false, false, {"a.pwk"}, false},
      {{"--no-splash", "a.pwk", "b.pwk"}, false, false, false, {"a.pwk", "b.pwk"}, false},
      {{"a.pwk", "--no-splash"}, false, false, false, {"a.pwk"}, false},
      {{"--", "-odd.pwk", "--no-splash"}, true, false, false, {"-odd.pwk", "--no-splash"}, false},
      {{"-"}, true, false, false, {"-"}, false},
      {{"--help"}, true, true, false, {}, false},
      {{"-h"}, true, true, false, {}, false},
      {{"--version"}, true, false, true, {}, false},
      {{"--bogus", "a.pwk"}, true, false, false, {"a.pwk"}, true},
  };
  for (const Case& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    const std::string what = c.args.empty() ? "(none)" : c.args[0];
    EXPECT_EQ(line.splash, c.splash) << what;
    EXPECT_EQ(line.help, c.help) << what;
    EXPECT_EQ(line.version, c.version) << what;
    EXPECT_EQ(line.files, c.files) << what;
    EXPECT_EQ(!line.error.empty(), c.error) << what;
  }
}

TEST(CommandLineTest, HelpAndVersionAreSeenBeforeTheToolkit) {
  struct Case {
    std::vector<const char*> argv;
    bool asks;
  } cases[] = {
      {{"plenwick", "--help"}, true},
      {{"plenwick", "-platform", "offscreen", "--version"}, true},
      {{"plenwick", "a.pwk"}, false},
      {{"plenwick", "--", "--help"}, false},
      {{"plenwick"}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AsksForHelpOrVersion(static_cast<int>(c.argv.size()), c.argv.data()), c.asks) << c.argv.back();
  }
  EXPECT_NE(HelpText().find("--no-splash"), std::string::npos);
  EXPECT_EQ(VersionText().rfind("plenwick ", 0), 0u);
}

}  // namespace
}  // namespace plenwick
