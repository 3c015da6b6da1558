// Face name mapping to installed families.
#include "font_faces.h"

namespace plenwick {

QStringList FamiliesForFace(std::string_view faceUtf8) {
  const QString face = QString::fromUtf8(faceUtf8.data(), static_cast<qsizetype>(faceUtf8.size())).trimmed();
  // Full-width letters and spaces in names like "ＭＳ Ｐゴシック" are folded before matching.
  const QString folded = face.normalized(QString::NormalizationForm_KC).toLower();
  const bool proportional = folded.contains(QStringLiteral("ms p")) || folded.contains(QStringLiteral("msp"));
  if (folded.contains(QStringLiteral("明朝")) || folded.contains(QStringLiteral("mincho"))) {
    return {proportional ? QStringLiteral("IPAPMincho") : QStringLiteral("IPAMincho"), QStringLiteral("IPAMincho")};
  }
  if (face.isEmpty() || folded.contains(QStringLiteral("ゴシック")) || folded.contains(QStringLiteral("gothic")) ||
      folded == QStringLiteral("system")) {
    return {proportional ? QStringLiteral("IPAPGothic") : QStringLiteral("IPAGothic"), QStringLiteral("IPAGothic")};
  }
  return {face, QStringLiteral("IPAGothic")};
}

}  // namespace plenwick
