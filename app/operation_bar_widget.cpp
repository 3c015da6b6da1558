// Rendering an operation bar's controls and reporting the user's actions to it.
#include "operation_bar_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

#include "icons.h"
#include "qt_user_interface.h"
#include "view/tool_framework/operation_bar.h"

namespace plenwick {

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

bool IsEnterOrEscape(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape;
}

}  // namespace

OperationBarWidget::OperationBarWidget(QWidget* parent) : QWidget(parent) {
  setObjectName("operationBar");
  // As wide as its controls: the tool bar must not spread them over the whole row.
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 0, 2, 0);
  layout->setSpacing(4);
}

void OperationBarWidget::Clear() {
  QLayout* layout = this->layout();
  while (QLayoutItem* item = layout->takeAt(0)) {
    if (QWidget* w = item->widget()) {
      w->removeEventFilter(this);
      w->hide();
      w->deleteLater();
    }
    delete item;
  }
  controls_.clear();
  labels_.clear();
}

void OperationBarWidget::Show(OperationBar* bar) {
  if (bar && bar == bar_ && bar->index() == index_) {
    Sync();
    return;
  }
  Clear();
  bar_ = bar;
  index_ = bar ? bar->index() : 0;
  if (bar_) Build();
}

void OperationBarWidget::Build() {
  QLayout* layout = this->layout();
  for (const BarControl& c : bar_->controls()) {
    QWidget* w = nullptr;
    const int id = c.id;
    switch (c.kind) {
      case BarControlKind::kLabel: w = new QLabel(Text(c.caption), this); break;
      case BarControlKind::kEdit: {
        auto* edit = new QLineEdit(this);
        edit->setFixedWidth(fontMetrics().horizontalAdvance("0000000000") + 8);
        connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
          if (!syncing_ && bar_) bar_->EditChanged(id, text.toStdString());
        });
        connect(edit, &QLineEdit::editingFinished, this, [this, id] {
          if (syncing_ || !bar_) return;
          bar_->EditFinished(id);
          Sync();
        });
        w = edit;
        break;
      }
      case BarControlKind::kCheck: {
        auto* check = new QCheckBox(Text(c.caption), this);
        connect(check, &QCheckBox::clicked, this, [this, id] {
          if (syncing_ || !bar_) return;
          bar_->Click(id);
          Sync();
        });
        w = check;
        break;
      }
      case BarControlKind::kRadio: {
        QAbstractButton* button;
        if (c.picture) {
          auto* tool = new QToolButton(this);
          const QIcon icon = CommandIcon(id);
          if (icon.isNull()) {
            tool->setText(Text(c.caption).isEmpty() ? QString::number(controls_.size() + 1) : Text(c.caption));
          } else {
            tool->setIcon(icon);
            tool->setIconSize(QSize(16, 15));
          }
          tool->setToolTip(Text(c.caption));
          button = tool;
        } else {
          button = new QRadioButton(Text(c.caption), this);
        }
        button->setCheckable(true);
        button->setAutoExclusive(false);  // the bar decides which button of a group is chosen
        connect(button, &QAbstractButton::clicked, this, [this, id] {
          if (syncing_ || !bar_) return;
          bar_->Click(id);
          Sync();
        });
        w = button;
        break;
      }
      case BarControlKind::kCombo: {
        auto* combo = new QComboBox(this);
        for (const std::string& item : c.items) combo->addItem(Text(item));
        connect(combo, &QComboBox::activated, this, [this, id](int item) {
          if (syncing_ || !bar_) return;
          bar_->SelectItem(id, item);
          Sync();
        });
        w = combo;
        break;
      }
      case BarControlKind::kButton: {
        auto* button = new QToolButton(this);
        // Flat pictures as in the other tool bars; the tip still names the action.
        button->setAutoRaise(true);
        const QIcon icon = CommandIcon(id);
        if (icon.isNull()) {
          button->setText(Text(c.caption));
        } else {
          button->setIcon(icon);
          button->setIconSize(QSize(16, 15));
        }
        button->setToolTip(Text(c.caption));
        connect(button, &QToolButton::clicked, this, [this, id] {
          if (syncing_ || !bar_) return;
          bar_->Click(id);
          Sync();
        });
        w = button;
        break;
      }
    }
    w->installEventFilter(this);
    layout->addWidget(w);
    if (id != 0) {
      w->setObjectName(QString(c.kind == BarControlKind::kButton ? "barButton%1" : "control%1").arg(id));
      controls_.insert(id, w);
    } else {
      labels_.append(w);
    }
  }
  Sync();
  adjustSize();
  updateGeometry();
}

void OperationBarWidget::Sync() {
  if (!bar_) return;
  syncing_ = true;
  int label = 0;
  for (const BarControl& c : bar_->controls()) {
    QWidget* w = c.id != 0 ? controls_.value(c.id) : labels_.value(label++);
    if (!w) continue;
    w->setEnabled(c.enabled);
    switch (c.kind) {
      case BarControlKind::kLabel: static_cast<QLabel*>(w)->setText(Text(c.caption)); break;
      case BarControlKind::kEdit: {
        auto* edit = static_cast<QLineEdit*>(w);
        if (edit->text() != Text(c.text)) edit->setText(Text(c.text));
        break;
      }
      case BarControlKind::kCheck:
      case BarControlKind::kRadio: static_cast<QAbstractButton*>(w)->setChecked(c.checked); break;
      case BarControlKind::kCombo: static_cast<QComboBox*>(w)->setCurrentIndex(c.selected); break;
      case BarControlKind::kButton: break;
    }
  }
  syncing_ = false;
}

void OperationBarWidget::TakeFocus() {
  for (QWidget* w : controls_) {
    if (qobject_cast<QLineEdit*>(w) && w->isEnabled()) {
      w->setFocus();
      return;
    }
  }
  for (QWidget* w : controls_) {
    if (w->isEnabled()) {
      w->setFocus();
      return;
    }
  }
}

bool OperationBarWidget::eventFilter(QObject* watched, QEvent* event) {
  // Enter and Esc neither close anything nor reach the view's keys.
  if (event->type() == QEvent::ShortcutOverride && IsEnterOrEscape(static_cast<QKeyEvent*>(event))) {
    event->accept();
    return false;
  }
  if (event->type() == QEvent::KeyPress && IsEnterOrEscape(static_cast<QKeyEvent*>(event))) {
    // Enter in an edit takes its value as leaving the edit would.
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && bar_ && static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) {
      bar_->EditFinished(controls_.key(edit));
      Sync();
    }
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace plenwick
