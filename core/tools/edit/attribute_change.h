// The attribute dialogs that a double click of the selection tool opens: one per element kind,
// each replacing the element by one with the values and look chosen, in one undo step.
#pragma once

namespace plenwick {

class CFeedbackTool;
class CSelectTool;
class ToolView;
struct DrawEntity;

// Opens the dialog of the element's kind and applies it: 1 when the dialog was cancelled, 0
// otherwise (after a change, a change the drawing refused, or for a kind without a dialog: the
// grid and group headers). A dimension's part opens its dimension. `tool` draws the replaced
// element.
int ChangeEntityAttributes(DrawEntity& element, ToolView& view, CFeedbackTool& tool);

// Lets the selection tool's double click open the dialogs.
void InstallAttributeDialogs(CSelectTool& tool);

}  // namespace plenwick
