// Which installed font family draws a face name a drawing asks for ("ＭＳゴシック", "ＭＳ明朝"...).
#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

namespace plenwick {

// Families to try, best first, for a face name in UTF-8: the Japanese Gothic and Mincho faces
// map to the installed IPA faces; any other face is tried as named, then IPAGothic.
QStringList FamiliesForFace(std::string_view faceUtf8);

}  // namespace plenwick
