// The initial-value settings dialog's window ("初期値設定"): a tab widget of ten pages over
// CInitialSetDlg, which keeps, checks and stores the values; only the current page has widgets.
#pragma once

#include <QDialog>
#include <vector>

class QLabel;
class QTabWidget;

namespace plenwick {

class CInitialSetDlg;
class UserInterface;

class InitialSetDialog final : public QDialog {
  Q_OBJECT
 public:
  // The tab widget is named "tabs"; a page's widgets take their control's name (radio buttons
  // the name and the button's number from 1, unit labels the name and "Unit"); the buttons
  // "ok", "cancel" and "factory".
  InitialSetDialog(CInitialSetDlg& model, UserInterface& ui, QWidget* parent = nullptr);

 public slots:
  // "設定保存": closes only when the current page's values are taken.
  void accept() override;

 private:
  // The widgets of the model's current page, from its values.
  void BuildPage();
  void ShowEnabled();
  void TabChosen(int tab);
  void FocusControl(int control);

  CInitialSetDlg& model_;
  UserInterface& ui_;
  QTabWidget* tabs_;
  // Per control of the current page: its widgets (the first takes the focus).
  std::vector<std::vector<QWidget*>> widgets_;
};

}  // namespace plenwick
