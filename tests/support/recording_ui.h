// A user interface for tests: remembers every message and beep.
#pragma once

#include <string>
#include <vector>

#include "model/user_interface.h"

namespace plenwick::testing {

class RecordingUserInterface final : public UserInterface {
 public:
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void Beep() override { ++beeps; }
  std::vector<std::string> messages;
  int beeps = 0;
};

}  // namespace plenwick::testing
