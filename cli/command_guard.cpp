// How every command reports a failure: one line on standard error and a non-zero status.
#include <cstdio>
#include <exception>
#include <new>
#include <string>

#include "commands.h"

namespace plenwick::cli {

int Fail(const std::string& message) {
  std::fprintf(stderr, "plenwick-cli: %s\n", message.c_str());
  return 1;
}

int RunGuarded(const std::function<int()>& command) {
  try {
    return command();
  } catch (const std::bad_alloc&) {
    // Nothing that allocates: memory is what is missing.
    std::fputs("plenwick-cli: there is not enough memory\n", stderr);
    return 1;
  } catch (const std::exception& e) {
    std::string what = e.what();
    for (char& c : what) {
      if (c == '\n' || c == '\r') c = ' ';
    }
    return Fail("unexpected failure: " + what);
  } catch (...) {
    return Fail("unexpected failure");
  }
}

}  // namespace plenwick::cli
