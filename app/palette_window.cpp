// The drawing palette's window.
#include "palette_window.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "icons.h"
#include "qt_user_interface.h"

namespace plenwick {

namespace {
// Offsets are kept relative to the main frame, so the palette stays beside it.
QPoint FrameOrigin(const QWidget* w) { return w->parentWidget() ? w->parentWidget()->geometry().topLeft() : QPoint(); }
}  // namespace

DrawingPaletteWindow::DrawingPaletteWindow(ToolFramework& tools, QWidget* frame)
    : QWidget(frame, Qt::Tool), model_(tools), buttons_(new QButtonGroup(this)), list_(new QListWidget(this)) {
  setObjectName("drawingPalette");
  setWindowTitle(FromUtf8(CPopEntity::kCaption));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* grid = new QGridLayout;
  grid->setSpacing(1);
  for (const PaletteFamilyInfo& family : CPopEntity::FamilyButtons()) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString("family%1").arg(family.family));
    button->setCheckable(true);
    button->setIcon(FamilyIcon(family.family));
    button->setToolTip(FromUtf8(family.caption));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    buttons_->addButton(button, family.family);
    grid->addWidget(button, family.family / 4, family.family % 4);
  }
  buttons_->setExclusive(true);
  layout->addLayout(grid);
  list_->setObjectName("modeList");
  list_->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(list_);
  connect(buttons_, &QButtonGroup::idClicked, this, [this](int family) {
    if (!refreshing_) model_.OnFamilyButton(family);
  });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!refreshing_ && row >= 0) model_.OnListSelect(row);
  });
  resize(140, 260);
  const PixelPoint at = model_.position();
  move(FrameOrigin(this) + QPoint(at.x, at.y));
  Refresh();
}

void DrawingPaletteWindow::Refresh() {
  refreshing_ = true;
  const int family = model_.family();
  if (QAbstractButton* b = buttons_->button(family)) b->setChecked(true);
  if (family != listedFamily_) {
    list_->clear();
    for (std::string_view name : model_.modeNames()) list_->addItem(FromUtf8(name));
    listedFamily_ = family;
  }
  list_->setCurrentRow(model_.selectedRow());
  refreshing_ = false;
}

void DrawingPaletteWindow::HideQuietly() {
  hidingQuietly_ = true;
  hide();
  hidingQuietly_ = false;
}

void DrawingPaletteWindow::closeEvent(QCloseEvent* event) {
  if (hidingQuietly_ || !isVisible()) {
    QWidget::closeEvent(event);
    return;
  }
  // The user closed it: the framework puts the parts browser in its place (and hides this).
  event->ignore();
  model_.OnClose();
}

void DrawingPaletteWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (!isVisible()) return;
  const QPoint offset = pos() - FrameOrigin(this);
  model_.OnMove({offset.x(), offset.y()});
}

}  // namespace plenwick
