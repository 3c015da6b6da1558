// The open and save dialogs of drawing files.
#pragma once

#include <QString>
#include <QWidget>

namespace plenwick {

// The filter of drawing files in the open and save dialogs.
QString DrawingFileFilter();
// A drawing file to open; empty when cancelled.
QString AskDrawingToOpen(QWidget* parent);
// Where to save a drawing, starting from `suggested`; ".pwk" is added when no extension is
// given. Empty when cancelled.
QString AskDrawingToSave(QWidget* parent, const QString& suggested);

}  // namespace plenwick
