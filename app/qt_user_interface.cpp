// Message boxes and beeps through Qt.
#include "qt_user_interface.h"

#include <QApplication>
#include <QMessageBox>

namespace plenwick {

void ShowMessageBox(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kProgramTitle), text, QMessageBox::Ok, parent);
  box.exec();
}

void QtUserInterface::ShowMessage(std::string_view text) { ShowMessageBox(parent_, FromUtf8(text)); }

void QtUserInterface::Beep() { QApplication::beep(); }

}  // namespace plenwick
