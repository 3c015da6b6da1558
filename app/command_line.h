// The program's command line: drawings to open and the options --no-splash, --help, --version.
#pragma once

#include <string>
#include <vector>

namespace plenwick {

struct CommandLine {
  bool help = false;
  bool version = false;
  bool splash = true;  // false with --no-splash
  std::vector<std::string> files;
  std::string error;  // an option the program does not know
};

// Reads the arguments after the program name (the toolkit's own options already removed).
// "--" ends the options: later arguments are files even when they begin with "-".
CommandLine ParseCommandLine(const std::vector<std::string>& args);
// True when the arguments ask for --help or --version (read before the toolkit starts, so that
// they work without a display).
bool AsksForHelpOrVersion(int argc, const char* const* argv);
// The text --help prints.
std::string HelpText();
// The text --version prints.
std::string VersionText();

}  // namespace plenwick
