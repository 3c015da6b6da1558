// CLayerPropatyDlg: the name of a new or renamed layer ("レイヤー名", at most 40 bytes).
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

namespace plenwick {

class UserInterface;

class CLayerPropatyDlg final : public QDialog {
  Q_OBJECT
 public:
  // caption: "レイヤーの追加" or "レイヤープロパティの変更"; nameSjis fills the edit.
  CLayerPropatyDlg(const QString& caption, const std::string& nameSjis, UserInterface& ui, QWidget* parent = nullptr);
  // The name after "設　定", Shift-JIS.
  std::string nameSjis() const;
  QLineEdit* nameEdit() const { return edit_; }

 public slots:
  // "設　定": an empty name is refused and the focus goes back to the edit.
  void accept() override;

 private:
  UserInterface& ui_;
  QLineEdit* edit_;
};

}  // namespace plenwick
