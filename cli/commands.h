// The subcommands of plenwick-cli; each returns the process exit status.
#pragma once

#include <string>

namespace plenwick::cli {

int RunInfo(int argc, char** argv);
int RunDump(int argc, char** argv);
int RunFromJson(int argc, char** argv);
int RunCopy(int argc, char** argv);

// Prints "plenwick-cli: <message>" on standard error and returns 1.
int Fail(const std::string& message);

}  // namespace plenwick::cli
