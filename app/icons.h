// Tool-bar button pictures, drawn by the program itself.
#pragma once

#include <QIcon>

namespace plenwick {

// The picture of a tool-bar command; a null icon for commands without one.
QIcon CommandIcon(int commandId);

}  // namespace plenwick
