// The parts browser's window.
#include "parts_browser_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "exchange/part_files.h"
#include "part_thumbnails.h"
#include "platform/parts_tree.h"
#include "qt_canvas.h"
#include "qt_user_interface.h"
#include "tools/draw/part_placement.h"
#include "view/part_preview.h"

namespace plenwick {

namespace {

QPoint FrameOrigin(const QWidget* w) { return w->parentWidget() ? w->parentWidget()->geometry().topLeft() : QPoint(); }

QString Number(double v) { return QString::number(v, 'g', 10); }

// The chosen part drawn to fit, with its placed size.
class PartPreviewBox final : public QWidget {
 public:
  using ScaleShown = std::function<double()>;
  PartPreviewBox(ScaleShown scale, QWidget* parent) : QWidget(parent), scale_(std::move(scale)) {
    setObjectName("partsPreview");
    setMinimumSize(160, 120);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QtPainterCanvas canvas(painter, false);
    const PartPlacement& part = CurrentPartPlacement();
    DrawPartPreview(canvas, width(), height(), part.buffer, part.extents);
    if (!part.extents || part.extents->width() < 0.1 || part.extents->height() < 0.1) return;
    const double s = scale_();
    painter.setFont(QFont(font().family(), 8));
    painter.setPen(Qt::black);
    painter.drawText(QRect(5, 5, width() - 10, 20), Qt::AlignLeft | Qt::AlignTop,
                     QString::asprintf("作図サイズ： 横幅 %0.0f 　縦幅 %0.0f", part.extents->width() * s,
                                       part.extents->height() * s));
  }

 private:
  ScaleShown scale_;
};

}  // namespace

CPopInportDlg::CPopInportDlg(ProgramSettings& settings, std::function<void()> closed, QWidget* frame)
    : QWidget(frame, Qt::Tool), settings_(settings), closed_(std::move(closed)) {
  setObjectName("partsBrowser");
  setWindowTitle(QString::fromUtf8("部品データ"));
  auto* layout = new QVBoxLayout(this);
  notice_ = new QLabel(this);
  notice_->setObjectName("partsNotice");
  notice_->setWordWrap(true);
  notice_->hide();
  layout->addWidget(notice_);
  tree_ = new QTreeWidget(this);
  tree_->setObjectName("partsTree");
  tree_->setHeaderHidden(true);
  tree_->setUniformRowHeights(true);
  layout->addWidget(tree_, 1);
  thumbnails_ = new PartThumbnails(*tree_);
  preview_ = new PartPreviewBox(
      [this] {
        bool ok = false;
        const double typed = scale_->text().toDouble(&ok);
        return ok && PartScaleAccepted(typed) ? typed : CurrentPartPlacement().scale;
      },
      this);
  layout->addWidget(preview_);
  auto* form = new QFormLayout;
  base_ = new QComboBox(this);
  base_->setObjectName("partsBase");
  base_->addItems({QString::fromUtf8(" 中心配置"), QString::fromUtf8(" 左下配置"), QString::fromUtf8(" 左上配置")});
  form->addRow(QString::fromUtf8("配置基準位置"), base_);
  const auto field = [&](const char* name, const char* label, const char* unit) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    row->addWidget(new QLabel(QString::fromUtf8(unit), this));
    form->addRow(QString::fromUtf8(label), row);
    return edit;
  };
  scale_ = field("partsScale", "倍率", "倍");
  angle_ = field("partsAngle", "角度", "度");
  layout->addLayout(form);
  resize(240, 560);

  const PartPlacement& part = CurrentPartPlacement();
  base_->setCurrentIndex(static_cast<int>(part.base));
  scale_->setText(Number(part.scale));
  angle_->setText(Number(part.angle));
  connect(base_, &QComboBox::currentIndexChanged, this,
          [](int index) { CurrentPartPlacement().base = static_cast<PartBase>(index); });
  connect(scale_, &QLineEdit::textEdited, preview_, qOverload<>(&QWidget::update));
  connect(scale_, &QLineEdit::editingFinished, this,
          [this] { TakeField(*scale_, CurrentPartPlacement().scale, PartScaleAccepted); });
  connect(angle_, &QLineEdit::editingFinished, this,
          [this] { TakeField(*angle_, CurrentPartPlacement().angle, PartAngleAccepted); });
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { Choose(item); });
}

void CPopInportDlg::Reload() {
  std::string why;
  const std::string folder = PartsFolderOf(settings_, &why);
  PartsTree tree = BuildPartsTree(folder, false);
  if (!why.empty()) tree.notices.insert(tree.notices.begin(), why);
  QStringList notes;
  for (const std::string& note : tree.notices) notes << FromUtf8(note);
  notice_->setText(notes.join('\n'));
  notice_->setVisible(!notes.isEmpty());
  const QSignalBlocker quiet(tree_);
  tree_->clear();
  auto* root = new QTreeWidgetItem(tree_, {FromUtf8(tree.root.name)});
  root->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
  AddChildren(root, tree.root);
  root->setExpanded(true);
  thumbnails_->Schedule();
}

void CPopInportDlg::AddChildren(QTreeWidgetItem* parent, const PartsTreeNode& node) {
  for (const PartsTreeNode& child : node.children) {
    auto* item = new QTreeWidgetItem(parent, {FromUtf8(child.name)});
    if (child.folder) {
      item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
      AddChildren(item, child);
    } else {
      item->setData(0, PartThumbnails::kPathRole, FromUtf8(child.path));
    }
  }
}

void CPopInportDlg::Choose(QTreeWidgetItem* item) {
  const QString path = item ? item->data(0, PartThumbnails::kPathRole).toString() : QString();
  PartPlacement& part = CurrentPartPlacement();
  if (!path.isEmpty()) {
    // Every part starts unscaled and unturned.
    part.scale = 1;
    part.angle = 0;
    scale_->setText(Number(1));
    angle_->setText(Number(0));
    part.Clear();
    const std::string file = path.toUtf8().toStdString();
    ReadPartFile(file, PartKindOfName(file), part.buffer);
    part.Measure();
  }
  preview_->update();
}

void CPopInportDlg::TakeField(QLineEdit& edit, double& value, bool (*accepted)(double)) {
  bool ok = false;
  const double typed = edit.text().toDouble(&ok);
  if (ok && accepted(typed)) {
    value = typed;
  } else {
    edit.setText(Number(value));
  }
  preview_->update();
}

void CPopInportDlg::HideQuietly() {
  hidingQuietly_ = true;
  hide();
  hidingQuietly_ = false;
  CurrentPartPlacement().Clear();
}

void CPopInportDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  CurrentPartPlacement().Clear();
  if (offset_) {
    QPoint at = FrameOrigin(this) + *offset_;
    if (const QScreen* screen = this->screen()) {
      at.setX(PanelLeftOnScreen(at.x(), frameGeometry().width(), screen->availableGeometry().right()));
    }
    move(at);
  }
  Reload();
  preview_->update();
}

void CPopInportDlg::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  CurrentPartPlacement().Clear();
  if (!hidingQuietly_ && closed_) closed_();
}

void CPopInportDlg::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (isVisible()) offset_ = pos() - FrameOrigin(this);
}

void CPopInportDlg::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  thumbnails_->Schedule();
}

}  // namespace plenwick
