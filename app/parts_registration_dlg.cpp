// The registration dialog of parts and the save dialog after it.
#include "parts_registration_dlg.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QGroupBox>
#include <QRadioButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialog_buttons.h"
#include "exchange/part_files.h"
#include "file_dialogs.h"
#include "platform/parts_tree.h"
#include "qt_user_interface.h"

namespace plenwick {

namespace {
constexpr int kPathRole = Qt::UserRole;
}  // namespace

CGaibuDataSaveDlg::CGaibuDataSaveDlg(const std::string& root, int format, QWidget* parent)
    : QDialog(parent), formats_(new QButtonGroup(this)), tree_(new QTreeWidget(this)), root_(FromUtf8(root)) {
  setObjectName("partsRegistration");
  setWindowTitle(QString::fromUtf8("部品データ登録場所指定"));
  auto* layout = new QVBoxLayout(this);
  auto* box = new QGroupBox(QString::fromUtf8("  登録データ形式"), this);
  auto* radios = new QVBoxLayout(box);
  const char* names[] = {" ＤＸＦフォーマット", " PWK(Plenwick)形式", " JWW(JW_ＣＡＤ)形式"};
  for (int i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(QString::fromUtf8(names[i]), box);
    radio->setObjectName(QString("format%1").arg(i));
    formats_->addButton(radio, i);
    radios->addWidget(radio);
  }
  formats_->button(format >= 0 && format <= 2 ? format : 0)->setChecked(true);
  layout->addWidget(box);
  tree_->setObjectName("partsFolders");
  tree_->setHeaderHidden(true);
  const PartsTree folders = BuildPartsTree(root, true);
  auto* top = new QTreeWidgetItem(tree_, {root_});
  top->setData(0, kPathRole, root_);
  top->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
  AddFolders(top, folders.root);
  top->setExpanded(true);
  tree_->setCurrentItem(top);
  layout->addWidget(tree_, 1);
  AddDialogButtons(*this, *layout, "登\u3000録", "ｷｬﾝｾﾙ");
  resize(320, 400);
}

void CGaibuDataSaveDlg::AddFolders(QTreeWidgetItem* parent, const PartsTreeNode& node) {
  for (const PartsTreeNode& child : node.children) {
    auto* item = new QTreeWidgetItem(parent, {FromUtf8(child.name)});
    item->setData(0, kPathRole, FromUtf8(child.path));
    item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    AddFolders(item, child);
  }
}

int CGaibuDataSaveDlg::format() const { return formats_->checkedId(); }

QString CGaibuDataSaveDlg::folder() const {
  const QTreeWidgetItem* item = tree_->currentItem();
  return item ? item->data(0, kPathRole).toString() : root_;
}

std::string AskPartFileToRegister(QWidget* parent, const std::string& root, int& format) {
  CGaibuDataSaveDlg dialog(root, format, parent);
  if (dialog.exec() != QDialog::Accepted) return {};
  format = dialog.format();
  const PartSaveDialogText text = PartSaveDialogTextOf(static_cast<PartFormat>(format));
  const QString path = AskToSave(parent, FromUtf8(text.title), dialog.folder() + '/' + FromUtf8(kUnsetPartFileName),
                                 FromUtf8(text.filter), FromUtf8(text.extension), QFileDialog::DontUseNativeDialog);
  return path.toUtf8().toStdString();
}

}  // namespace plenwick
