// The row of buttons the program's modal dialogs end with, and the focus put back into an edit
// whose text was refused.
#pragma once

#include <string_view>

class QBoxLayout;
class QDialog;
class QDialogButtonBox;
class QLineEdit;

namespace plenwick {

// Adds to `layout` the default button `ok` (object name "ok"), which runs the dialog's accept(),
// and `cancel` ("cancel"), which rejects it. Texts UTF-8.
QDialogButtonBox* AddDialogButtons(QDialog& dialog, QBoxLayout& layout, std::string_view ok, std::string_view cancel);

// The focus into `edit` with its text selected, for typing it again.
void FocusAtFault(QLineEdit& edit);

}  // namespace plenwick
