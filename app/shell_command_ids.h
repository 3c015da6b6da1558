// Commands the shell alone knows: the recently-used files, the window arrangement, the bars'
// visibility and the version box.
#pragma once

namespace plenwick {

enum ShellCommandId : int {
  kCmdRecentFile1 = 57616,  // ..57619: the four most recently used drawings
  kRecentFileCount = 4,
  kCmdWindowCascade = 57650,
  kCmdWindowTile = 57651,
  kCmdAppAbout = 57664,
  kCmdViewToolbar = 59392,
  kCmdViewStatusBar = 59393,
};

}  // namespace plenwick
