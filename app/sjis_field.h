// Edit fields whose text is stored as Shift-JIS in a field of a fixed number of bytes.
#pragma once

#include <QLineEdit>
#include <QValidator>
#include <string>

namespace plenwick {

// Accepts only text that Shift-JIS can hold within maxBytes bytes, so that nothing typed is
// cut or turned into "?" when it is stored.
class SjisLimitValidator final : public QValidator {
  Q_OBJECT
 public:
  SjisLimitValidator(std::size_t maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}
  State validate(QString& input, int& pos) const override;

 private:
  std::size_t maxBytes_;
};

// Gives `edit` the limit of a Shift-JIS field of maxBytes bytes.
void LimitToSjisBytes(QLineEdit* edit, std::size_t maxBytes);
// The edit's text as Shift-JIS bytes, and Shift-JIS bytes as text for an edit.
std::string SjisOf(const QString& text);
QString TextOfSjis(std::string_view sjis);

}  // namespace plenwick
