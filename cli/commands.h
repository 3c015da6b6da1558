// The subcommands of plenwick-cli; each returns the process exit status.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace plenwick::cli {

int RunInfo(int argc, char** argv);
int RunDump(int argc, char** argv);
int RunFromJson(int argc, char** argv);
int RunCopy(int argc, char** argv);
int RunConvert(int argc, char** argv);

// Largest JSON file from-json reads: its document in memory takes several times its size.
inline constexpr std::size_t kMaxJsonBytes = std::size_t{64} << 20;

// Prints "plenwick-cli: <message>" on standard error and returns 1.
int Fail(const std::string& message);

// Runs a command; an exception escaping it (memory exhausted, a library's failure) prints one
// line as Fail does and gives 1. Commands write their output only at their end, so nothing
// half-made is left behind.
int RunGuarded(const std::function<int()>& command);

}  // namespace plenwick::cli
