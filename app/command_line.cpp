// Parsing the command line and the texts of --help and --version.
#include "command_line.h"

#include <string_view>

namespace plenwick {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool options = true;
  for (const std::string& arg : args) {
    if (options && arg == "--") {
      options = false;
    } else if (options && (arg == "--help" || arg == "-h")) {
      line.help = true;
    } else if (options && arg == "--version") {
      line.version = true;
    } else if (options && arg == "--no-splash") {
      line.splash = false;
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      if (line.error.empty()) line.error = "unknown option " + arg;
    } else {
      line.files.push_back(arg);
    }
  }
  return line;
}

bool AsksForHelpOrVersion(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") return false;
    if (arg == "--help" || arg == "-h" || arg == "--version") return true;
  }
  return false;
}

std::string HelpText() {
  return "Usage: plenwick [OPTIONS] [FILE.pwk|FILE.dxf...]\n"
         "Plenwick, a 2D drafting program. Opens the drawings named (a DXF file becomes a new drawing\n"
         "beside it); without any, starts with no drawing.\n"
         "\n"
         "Options:\n"
         "  --no-splash   start without the splash window\n"
         "  --help, -h    show this text and exit\n"
         "  --version     show the version and exit\n"
         "  --            end of options (later arguments are files)\n"
         "\n"
         "Settings (PWKPRM.DAT, Plenwick.ini) live in $PLENWICK_HOME, else $XDG_CONFIG_HOME/plenwick;\n"
         "data in $XDG_DATA_HOME/BRENTA/Plenwick.\n"
         "Without a display run it under Xvfb: xvfb-run -a plenwick\n";
}

std::string VersionText() { return std::string("plenwick ") + PLENWICK_VERSION + "\n"; }

}  // namespace plenwick
