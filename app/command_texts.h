// Where the shell takes a command's menu text and description from.
#pragma once

#include <QString>

namespace plenwick {

// The menu item of a command as Qt shows it: the mnemonic before the key text
// ("印刷...(&P)\tCtrl+P"); empty when the command has no menu item.
QString CommandMenuText(int id);
// The status-bar description (before "\n") and the tool tip (after it).
QString CommandStatusTip(int id);
QString CommandToolTip(int id);

// A menu text with its "(&X)" mnemonic moved in front of the "\t" key text.
QString MnemonicBeforeKey(const QString& text);

}  // namespace plenwick
