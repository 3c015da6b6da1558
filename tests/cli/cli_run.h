// Runs the plenwick-cli program of the build with arguments and collects its status and output.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace plenwick::testing {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs plenwick-cli with arguments (already quoted as needed); its output goes through files in dir.
inline CliRun RunCli(const std::string& args, const std::filesystem::path& dir) {
  const std::filesystem::path out = dir / "stdout.txt";
  const std::filesystem::path err = dir / "stderr.txt";
  const std::string cmd = std::string("'") + PLENWICK_CLI_PATH + "' " + args + " >'" + out.string() + "' 2>'" +
                          err.string() + "'";
  CliRun r;
  const int rc = std::system(cmd.c_str());
  r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  auto slurp = [](const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  };
  r.out = slurp(out);
  r.err = slurp(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return r;
}

}  // namespace plenwick::testing
