// "部品データ" (CPopInportDlg): the parts browser that takes the drawing palette's place. The
// parts folder as a tree with a thumbnail of every part, the chosen part's preview and size, and
// the base position, scale and angle the placement uses; choosing a part reads it into the part
// buffer.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "model/program_settings.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace plenwick {

class PartThumbnails;
struct PartsTreeNode;

class CPopInportDlg final : public QWidget {
  Q_OBJECT
 public:
  // `closed` runs when the user closes the browser.
  CPopInportDlg(ProgramSettings& settings, std::function<void()> closed, QWidget* frame);

  // Hides the browser without telling the framework (it asked for it); the part buffer empties.
  void HideQuietly();
  // Lists the parts folder anew (a part was registered).
  void Reload();

  QTreeWidget* tree() const { return tree_; }
  PartThumbnails& thumbnails() const { return *thumbnails_; }
  QLabel* notice() const { return notice_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void AddChildren(QTreeWidgetItem* parent, const PartsTreeNode& node);
  void Choose(QTreeWidgetItem* item);
  // The scale or angle field lost the focus: its value taken when `accepted`, else the previous
  // one shown again.
  void TakeField(QLineEdit& edit, double& value, bool (*accepted)(double));

  ProgramSettings& settings_;
  std::function<void()> closed_;
  QLabel* notice_;
  QTreeWidget* tree_;
  QWidget* preview_;
  QComboBox* base_;
  QLineEdit* scale_;
  QLineEdit* angle_;
  PartThumbnails* thumbnails_;
  std::optional<QPoint> offset_;  // from the main frame, once moved
  bool hidingQuietly_ = false;
};

}  // namespace plenwick
