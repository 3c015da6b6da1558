// Shift-JIS byte limits for edit fields.
#include "sjis_field.h"

#include "platform/sjis.h"

namespace plenwick {

QValidator::State SjisLimitValidator::validate(QString& input, int&) const {
  std::string sjis;
  if (!Utf8ToSjisExact(input.toStdString(), &sjis)) return Invalid;  // a character Shift-JIS cannot hold
  return sjis.size() <= maxBytes_ ? Acceptable : Invalid;
}

void LimitToSjisBytes(QLineEdit* edit, std::size_t maxBytes) {
  edit->setValidator(new SjisLimitValidator(maxBytes, edit));
  edit->setMaxLength(static_cast<int>(maxBytes));
}

std::string SjisOf(const QString& text) {
  std::string sjis;
  return Utf8ToSjisExact(text.toStdString(), &sjis) ? sjis : Utf8ToSjis(text.toStdString());
}

QString TextOfSjis(std::string_view sjis) { return QString::fromStdString(SjisToUtf8(sjis)); }

}  // namespace plenwick
