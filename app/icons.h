// Tool-bar button pictures, drawn by the program itself.
#pragma once

#include <QIcon>

namespace plenwick {

// The picture of a tool-bar command; a null icon for commands without one.
QIcon CommandIcon(int commandId);
// The picture of a drawing-palette family button (0..15).
QIcon FamilyIcon(int family);

}  // namespace plenwick
