// CPopLayer: the modeless layer list of the main frame. One row per layer in use, the current
// layer selected; picking a row makes it current, a double click cycles its display state, three
// buttons set every layer, and the context menu adds and renames layers. Every change is sent to
// the active drawing as command 108.
#pragma once

#include <QList>
#include <QWidget>

#include "view/layer_list.h"

class QAction;
class QListWidget;
class QPushButton;

namespace plenwick {

class UserInterface;

class CPopLayer final : public QWidget {
  Q_OBJECT
 public:
  // The list edits `layers` (the application's copy); `menu` are the items of its context menu.
  CPopLayer(ProgramLayers& layers, UserInterface& ui, QList<QAction*> menu, QWidget* frame);

  // Rows again from the values, the current layer's row selected.
  void Refill();
  // Commands 32776, 32778, 32780 on the current layer.
  void SetCurrentState(uint8_t state);
  // "レイヤーの追加...": the name dialog, then the new layer.
  void AddLayer();
  // "プロパティ(&P)...": the current layer's name.
  void RenameLayer();

  QListWidget* list() const { return list_; }
  QPushButton* button(int index) const { return buttons_[index]; }

  static constexpr int kMinWidth = 100, kMinHeight = 100, kMaxWidth = 800, kMaxHeight = 700;

 signals:
  // Command 108: the values go to the active drawing.
  void layerUpdate();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void RowChosen(int row);
  void RowDoubleClicked(int row);
  void SetAll(uint8_t state);
  void RewriteRow(int row);
  void RememberPlace();

  ProgramLayers& layers_;
  UserInterface& ui_;
  QList<QAction*> menu_;
  QListWidget* list_;
  QPushButton* buttons_[3];
  bool filling_ = false;
};

}  // namespace plenwick
