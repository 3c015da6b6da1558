// The program's logo, drawn with a painter (the MDI background and the splash show it).
#pragma once

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QRect>

namespace plenwick {

// The logo's natural size in pixels.
inline constexpr int kLogoWidth = 360;
inline constexpr int kLogoHeight = 140;
// The name the logo shows beside its drawing sheet.
inline constexpr const char* kLogoName = "Plenwick";

// Draws the logo filling `box`.
void DrawLogo(QPainter& painter, const QRect& box);
// The logo on a pixmap of its natural size.
QPixmap LogoPixmap();
// The program's window icon: the logo's drawing sheet.
QIcon ProgramIcon();

}  // namespace plenwick
