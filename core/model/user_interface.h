// How the core talks to the user: message boxes, beeps and prompts. The Qt shell implements it;
// tests script it. Texts are UTF-8 (the program's own wording); model strings are converted by
// the caller.
#pragma once

#include <string_view>

namespace plenwick {

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  // A modal message box with one OK button.
  virtual void ShowMessage(std::string_view text) = 0;
  // The system beep of a step that found nothing to act on.
  virtual void Beep() = 0;
};

// Swallows everything: for batch tools that have no one to tell.
class SilentUserInterface final : public UserInterface {
 public:
  void ShowMessage(std::string_view) override {}
  void Beep() override {}
};

}  // namespace plenwick
