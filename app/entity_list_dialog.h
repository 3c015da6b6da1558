// The entity list window ("作図要素リスト"): the pages, the table of items, the five value fields
// and the buttons. It only shows CEntyListDlg and passes the user's actions to it.
#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTableView;

namespace plenwick {

class CEntyListDlg;
class EntityListTable;
class UserInterface;

class EntityListDialog final : public QDialog {
  Q_OBJECT
 public:
  EntityListDialog(CEntyListDlg& model, UserInterface& ui, QWidget* parent = nullptr);

  QTableView* table() const { return table_; }
  EntityListTable* rows() const { return rows_; }
  QTabBar* pages() const { return pages_; }
  QLineEdit* field(int i) const { return fields_[static_cast<std::size_t>(i)]; }
  QLabel* caption(int i) const { return captions_[static_cast<std::size_t>(i)]; }

 public slots:
  // "データ反映": closes only when every item can go into the drawing.
  void accept() override;

 private:
  void OnAdd();
  void OnChange();
  void OnDelete();
  void OnClear();
  void OnExport();
  void OnImport();
  void OnQuantize();
  void OnPageChosen(int page);
  void OnRowChosen(int row);
  // The fields' texts into the list, and the list's page, captions and texts into the window.
  void TakeFields();
  void ShowFields();
  // Selects the list's selected row in the table without loading it again.
  void ShowSelection();

  CEntyListDlg& model_;
  UserInterface& ui_;
  QTabBar* pages_;
  QTableView* table_;
  EntityListTable* rows_;
  std::array<QLabel*, 5> captions_{};
  std::array<QLineEdit*, 5> fields_{};
  bool updating_ = false;  // the window is being set from the list: its signals are not the user's
};

}  // namespace plenwick
