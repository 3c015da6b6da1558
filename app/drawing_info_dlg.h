// "図面情報": the drawing-information dialog, for a new drawing (every field open) and for an
// existing one (file name, author and creation date fixed, the password fixed while the drawing
// is password-protected, and removing a password protection asks for the password).
#pragma once

#include <QDialog>
#include <array>

#include "model/drawing_info.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;

namespace plenwick {

class UserInterface;

class CDrawingInfoDlg final : public QDialog {
  Q_OBJECT
 public:
  enum class Mode { kNewDrawing, kExistingDrawing };

  // `values` fills the fields. For an existing drawing, `currentProtection` is the drawing's
  // protection now and `storedPassword` its password (Shift-JIS).
  CDrawingInfoDlg(Mode mode, const DrawingInfo& values, UserInterface& ui, QWidget* parent = nullptr,
                  int32_t currentProtection = kNotProtectedValue, std::string storedPassword = {});

  // The values after "実　行".
  const DrawingInfo& values() const { return result_; }

  // "%1 から %2 までの整数を入力してください。"
  static QString RangeMessage(int low, int high);

 public slots:
  // "実　行": every field is checked, the first bad one gets the focus back.
  void accept() override;

 private:
  static constexpr int32_t kNotProtectedValue = 0;
  struct DateEdits {
    QLineEdit* year;
    QLineEdit* month;
    QLineEdit* day;
  };
  QLineEdit* AddText(const char* name, const std::string& sjis, std::size_t maxBytes);
  DateEdits AddDate(const char* name, const CalendarDate& date);
  bool ReadInteger(QLineEdit* edit, int low, int high, int& out);
  bool ReadDate(const DateEdits& edits, CalendarDate& out);
  // A protection choice: leaving a password protection needs the password first.
  void ProtectionChosen(int choice);

  Mode mode_;
  UserInterface& ui_;
  DrawingInfo result_;
  int32_t currentProtection_;
  std::string storedPassword_;
  bool passwordConfirmed_ = false;
  int shownProtection_;

  QLineEdit* fileName_;
  QLineEdit* drawingName_;
  QLineEdit* author_;
  QLineEdit* updater_;
  QLineEdit* password_;
  DateEdits creation_;
  DateEdits update_;
  QLineEdit* scale_;
  QComboBox* paperSize_;
  QButtonGroup* paperMode_;
  QButtonGroup* orientation_;
  QButtonGroup* printType_;
  QButtonGroup* protection_;
};

}  // namespace plenwick
