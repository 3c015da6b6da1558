// Message boxes and beeps of the core, shown with Qt.
#pragma once

#include <QString>
#include <QWidget>

#include "model/user_interface.h"

namespace plenwick {

// The program's name in every message box title.
inline const char* const kProgramTitle = "Plenwick";

// A modal message box with one OK button, titled with the program's name.
void ShowMessageBox(QWidget* parent, const QString& text);

class QtUserInterface final : public UserInterface {
 public:
  // Message boxes are centred over `parent` (may be null).
  explicit QtUserInterface(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  void ShowMessage(std::string_view text) override;
  void Beep() override;

 private:
  QWidget* parent_;
};

// A QString from UTF-8 bytes.
inline QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace plenwick
