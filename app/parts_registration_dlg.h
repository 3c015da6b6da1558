// "部品データ登録場所指定" (CGaibuDataSaveDlg): where a part is registered, the format and a folder
// of the parts folder, before the save dialog of that format.
#pragma once

#include <QDialog>
#include <QString>

class QButtonGroup;
class QTreeWidget;
class QTreeWidgetItem;

namespace plenwick {

struct PartsTreeNode;

class CGaibuDataSaveDlg final : public QDialog {
  Q_OBJECT
 public:
  // The folders of the parts folder `root` (UTF-8); `format` chosen at first (0 DXF, 1 PWK, 2 JWW).
  CGaibuDataSaveDlg(const std::string& root, int format, QWidget* parent);

  int format() const;
  // The full path of the folder chosen (the parts folder when none is).
  QString folder() const;

  QTreeWidget* tree() const { return tree_; }

 private:
  void AddFolders(QTreeWidgetItem* parent, const PartsTreeNode& node);

  QButtonGroup* formats_;
  QTreeWidget* tree_;
  QString root_;
};

// The whole registration after "部品データ登録...": this dialog, then the save dialog of the format
// starting in the folder chosen, named "未設定ファイル", asking before a file is replaced. The path
// (UTF-8) with `format` set; empty when either was cancelled.
std::string AskPartFileToRegister(QWidget* parent, const std::string& root, int& format);

}  // namespace plenwick
