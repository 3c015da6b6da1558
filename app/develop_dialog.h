// The development tool's dialog window ("展開図"): seven number edits with the labels of the
// chosen body, the unused ones hidden with their labels, and "実　行", which closes only when
// every shown edit passes.
#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;

namespace plenwick {

class CDevelopDlg;
class ToolUi;

class DevelopDialog final : public QDialog {
  Q_OBJECT
 public:
  DevelopDialog(CDevelopDlg& model, ToolUi& ui, QWidget* parent = nullptr);
  QLineEdit* edit(int field) const { return edits_.at(static_cast<std::size_t>(field)); }
  QLabel* label(int field) const { return labels_.at(static_cast<std::size_t>(field)); }

 public slots:
  // "実　行": the focus goes back to the edit at fault.
  void accept() override;

 private:
  CDevelopDlg& model_;
  ToolUi& ui_;
  std::array<QLabel*, 7> labels_{};
  std::array<QLineEdit*, 7> edits_{};
};

}  // namespace plenwick
