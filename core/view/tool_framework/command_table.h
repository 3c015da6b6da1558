// The one table of commands the shell builds its menus, palette, tool bars and keys from: every
// command id with its menu text and what it does, the tool modes with their palette names,
// operation bars and first prompts, the context menus, the accelerator keys and the palette's
// family buttons. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "view/tool_framework/command_ids.h"

namespace plenwick {

enum class CommandKind : uint8_t {
  kToolSelect,  // selects a palette family and mode (SelectTool)
  kToolRouted,  // handled by the active view for the active tool
  kView,        // a view command (zoom, pan, switches)
  kFrame,       // handled by the main frame or the application
  kDisabled,    // a tool-bar button without a handler: always shown disabled
};

struct CommandInfo {
  int id = 0;
  CommandKind kind = CommandKind::kFrame;
  // The menu item as shown ("&" marks the mnemonic, "\t" precedes the key); empty when the
  // command has no menu item of its own (keys, tool-bar buttons).
  std::string_view menuText;
  // Status-bar description and tool tip separated by "\n"; may be empty.
  std::string_view description;
  int family = -1;  // kToolSelect: the palette family and mode it selects
  int mode = -1;
};

struct ToolModeInfo {
  int family = 0;
  int mode = 0;
  int command = 0;                // 0 for the parts placement, which no command selects directly
  std::string_view paletteName;   // row of the palette list
  std::string_view menuText;      // item of the "作図(&D)" menu
  int operationBar = 0;           // 1..25, 0 = none
  std::string_view firstPrompt;   // written as an instruction when the mode is chosen
};

// A popup of one command and "キャンセル".
struct ContextMenuInfo {
  int id = 0;
  std::string_view title;
  int command = 0;
  std::string_view commandText;
};
inline constexpr std::string_view kContextCancelText = "キャンセル";

// Keys of the accelerator table.
enum class AccelKey : uint8_t { kReturn, kEscape, kSpace, kUp, kDown, kLeft, kRight, kPageUp, kPageDown, kBackspace, kA, kC, kP, kZ };
enum AccelModifier : unsigned { kAccelNone = 0, kAccelCtrl = 1, kAccelAlt = 2, kAccelShift = 4 };

struct Accelerator {
  AccelKey key;
  unsigned modifiers;
  int command;
};

struct PaletteFamilyInfo {
  int family = 0;
  int controlId = 0;  // radio button of the palette
  int iconId = 0;
  std::string_view caption;  // tool tip
};

std::span<const CommandInfo> CommandTable();
const CommandInfo* FindCommand(int id);

std::span<const ToolModeInfo> ToolModeTable();
const ToolModeInfo* FindToolMode(int family, int mode);
// The modes of a family in mode order (the palette list).
std::vector<const ToolModeInfo*> ModesOfFamily(int family);
// Empty and 0 for a family and mode without a row.
std::string_view FirstPrompt(int family, int mode);
int OperationBarFor(int family, int mode);

std::span<const ContextMenuInfo> ContextMenus();
const ContextMenuInfo* FindContextMenu(int id);

// In table order; when a key is bound twice the first binding is the one that acts (Enter
// reaches 32779, never 32781).
std::span<const Accelerator> AcceleratorTable();
// The command a key press gives, 0 for none.
int CommandForKey(AccelKey key, unsigned modifiers);
// "Ctrl+A", "Alt+BackSpace", "PageUp"...
std::string_view AccelKeyName(AccelKey key);

std::span<const PaletteFamilyInfo> PaletteFamilies();

}  // namespace plenwick
