// Which commands the menu bar holds and in what order, which show check marks, and the keys.
#pragma once

#include <QKeySequence>
#include <vector>

namespace plenwick {

struct MenuItem {
  enum Kind { kCommand, kSeparator, kSubmenu, kRecentFiles, kWindowList };
  Kind kind = kCommand;
  int command = 0;
  const char* title = nullptr;  // kSubmenu
  std::vector<int> submenu;     // kSubmenu: command ids, 0 for a separator
};

struct MenuSpec {
  const char* title;
  std::vector<MenuItem> items;
};

// ファイル, 編集, 表示, 作図, オプション, ウィンドウ, ヘルプ.
const std::vector<MenuSpec>& MainMenus();
// Commands whose menu items and buttons show check marks.
const std::vector<int>& CheckableCommands();

struct KeyBinding {
  QKeySequence key;
  int command;
};
// The accelerator table: each key once, the first binding of a key being the one that acts.
const std::vector<KeyBinding>& KeyBindings();

}  // namespace plenwick
