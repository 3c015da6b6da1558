// The layer list window.
#include "pop_layer.h"

#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>

#include "layer_propaty_dlg.h"
#include "model/program_settings.h"
#include "model/user_interface.h"
#include "platform/sjis.h"
#include "qt_user_interface.h"

namespace plenwick {

namespace {

constexpr int kScreenWidthLimit = 1024;  // remembered offsets beyond this start at x 100
constexpr int kScreenHeightLimit = 768;  // and beyond this at y 100

// The three button pictures: a filled box (normal), an empty box (off-colour), a line (hidden).
QIcon StateIcon(uint8_t state) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QColor(20, 20, 20));
  switch (state) {
    case kLayerNormal: p.setBrush(QColor(20, 20, 20)); p.drawRect(3, 3, 10, 10); break;
    case kLayerOffColour: p.setBrush(Qt::white); p.drawRect(3, 3, 10, 10); break;
    default: p.drawLine(2, 13, 13, 13); break;
  }
  return QIcon(pixmap);
}

}  // namespace

CPopLayer::CPopLayer(ProgramLayers& layers, UserInterface& ui, QList<QAction*> menu, QWidget* frame)
    : QWidget(frame, Qt::Tool), layers_(layers), ui_(ui), menu_(std::move(menu)), list_(new QListWidget(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromUtf8("レイヤーリスト"));
  list_->setObjectName("layerRows");
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  connect(list_, &QListWidget::currentRowChanged, this, &CPopLayer::RowChosen);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { RowDoubleClicked(list_->row(item)); });
  const uint8_t states[3] = {kLayerNormal, kLayerOffColour, kLayerHidden};
  const char* tips[3] = {"すべて通常色表示", "すべてオフカラー表示", "すべて表示しない"};
  for (int i = 0; i < 3; ++i) {
    buttons_[i] = new QPushButton(StateIcon(states[i]), QString(), this);
    buttons_[i]->setObjectName(QString("allLayers%1").arg(i));
    buttons_[i]->setToolTip(QString::fromUtf8(tips[i]));
    buttons_[i]->setFocusPolicy(Qt::NoFocus);
    connect(buttons_[i], &QPushButton::clicked, this, [this, state = states[i]] { SetAll(state); });
  }
  setMinimumSize(kMinWidth, kMinHeight);
  setMaximumSize(kMaxWidth, kMaxHeight);

  const ProgramSettings& s = CurrentSettings();
  // An offset beyond the screen (or before it, from a damaged settings file) would leave the
  // list where it cannot be reached.
  int x = s.LayerListLeft;
  if (x > kScreenWidthLimit || x < -kScreenWidthLimit) x = 100;
  int y = s.LayerListTop;
  if (y > kScreenHeightLimit || y < -kScreenHeightLimit) y = 100;
  const QPoint origin = frame ? frame->geometry().topLeft() : QPoint();
  resize(std::clamp<int>(s.LayerListWidth, kMinWidth, kMaxWidth), std::clamp<int>(s.LayerListHeight, kMinHeight, kMaxHeight));
  move(origin + QPoint(x, y));
  Refill();
}

void CPopLayer::Refill() {
  filling_ = true;
  list_->clear();
  for (const std::string& row : LayerRows(layers_.table)) list_->addItem(FromUtf8(row));
  const int current = layers_.table.currentLayer;
  if (current >= 0 && current < list_->count()) list_->setCurrentRow(current);
  filling_ = false;
}

void CPopLayer::RewriteRow(int row) {
  if (QListWidgetItem* item = list_->item(row)) item->setText(FromUtf8(LayerRowText(layers_.table, row)));
}

void CPopLayer::RowChosen(int row) {
  if (filling_) return;
  if (SelectLayerRow(layers_, row)) emit layerUpdate();
}

void CPopLayer::RowDoubleClicked(int row) {
  if (!CycleLayerRow(layers_, row)) return;
  RewriteRow(row);
  emit layerUpdate();
}

void CPopLayer::SetAll(uint8_t state) {
  SetAllLayerStates(layers_, state);
  Refill();
  emit layerUpdate();
}

void CPopLayer::SetCurrentState(uint8_t state) {
  SetCurrentLayerState(layers_, state);
  RewriteRow(layers_.table.currentLayer);
  emit layerUpdate();
}

void CPopLayer::AddLayer() {
  if (layers_.Count() >= LayerTable::kLayers) {
    ui_.ShowMessage(kNoMoreLayersMessage);
    return;
  }
  CLayerPropatyDlg dialog(FromUtf8(kAddLayerCaption), ProposedLayerName(layers_), ui_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const int index = plenwick::AddLayer(layers_, dialog.nameSjis());
  if (index < 0) return;
  filling_ = true;
  list_->addItem(FromUtf8(LayerRowText(layers_.table, index)));
  list_->setCurrentRow(index);
  filling_ = false;
  emit layerUpdate();
}

void CPopLayer::RenameLayer() {
  const int current = layers_.table.currentLayer;
  CLayerPropatyDlg dialog(FromUtf8(kRenameLayerCaption), std::string(layers_.table.name(current)), ui_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  RenameCurrentLayer(layers_, dialog.nameSjis());
  RewriteRow(current);
  emit layerUpdate();
}

void CPopLayer::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int w = width(), h = height();
  list_->setGeometry(5, 5, std::max(0, w - 10), std::max(0, h - 5 - 41));
  for (int i = 0; i < 3; ++i) buttons_[i]->setGeometry(5 + 30 * i, h - 29, 30, 24);
  RememberPlace();
}

void CPopLayer::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  RememberPlace();
}

void CPopLayer::RememberPlace() {
  if (!isVisible()) return;
  ProgramSettings& s = CurrentSettings();
  const QPoint origin = parentWidget() ? parentWidget()->geometry().topLeft() : QPoint();
  const QPoint offset = pos() - origin;
  s.LayerListLeft = static_cast<int16_t>(std::clamp(offset.x(), -32768, 32767));
  s.LayerListTop = static_cast<int16_t>(std::clamp(offset.y(), -32768, 32767));
  s.LayerListWidth = static_cast<int16_t>(width());
  s.LayerListHeight = static_cast<int16_t>(height());
}

void CPopLayer::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(QString::fromUtf8("レイヤーメニュー"), this);
  for (QAction* action : menu_) {
    if (!action) {
      menu.addSeparator();
    } else {
      menu.addAction(action);
    }
  }
  menu.exec(event->globalPos());
}

}  // namespace plenwick
