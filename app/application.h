// CPlenwickApp: start-up of the program (command line, installation check, main frame, splash,
// drawings named on the command line) and its message loop.
#pragma once

namespace plenwick {

class CPlenwickApp {
 public:
  // The whole run; returns the exit code (1 when the installation is unusable).
  static int Run(int argc, char** argv);
};

}  // namespace plenwick
