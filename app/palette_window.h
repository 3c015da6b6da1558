// The drawing palette's window ("作図パレット"): sixteen family buttons above the list of the
// chosen family's modes.
#pragma once

#include <QWidget>

#include "view/tool_framework/drawing_palette.h"

class QButtonGroup;
class QListWidget;

namespace plenwick {

class DrawingPaletteWindow final : public QWidget {
  Q_OBJECT
 public:
  DrawingPaletteWindow(ToolFramework& tools, QWidget* frame);

  // Shows the family, its modes and the selected mode as the framework has them.
  void Refresh();
  // Hides the window without telling the framework (it asked for it).
  void HideQuietly();

  QListWidget* modeList() const { return list_; }
  QButtonGroup* familyButtons() const { return buttons_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  CPopEntity model_;
  QButtonGroup* buttons_;
  QListWidget* list_;
  int listedFamily_ = -1;
  bool refreshing_ = false;
  bool hidingQuietly_ = false;
};

}  // namespace plenwick
