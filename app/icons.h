// Tool-bar and operation-bar button pictures, drawn by the program itself.
#pragma once

#include <QIcon>

namespace plenwick {

// The picture of a tool-bar command or an operation-bar picture button (by its control id); a
// null icon for those without one.
QIcon CommandIcon(int commandId);
// The picture of a drawing-palette family button (0..15).
QIcon FamilyIcon(int family);

}  // namespace plenwick
