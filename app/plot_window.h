// The window of "プロッター出力処理" over CPlotDlg: paper, scale, paper-based scale, the two
// corrections, the output layers and the preview of the sheet.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace plenwick {

class CPlotDlg;
class EntityList;
class UserInterface;

class PlotDlg final : public QDialog {
  Q_OBJECT
 public:
  // Controls are named "paper", "scale", "paperBased", "correctionX", "correctionY",
  // "visibleOnly", "allLayers" and "preview"; the buttons "show", "output" and "close".
  PlotDlg(CPlotDlg& model, const EntityList& list, UserInterface& ui, QWidget* parent = nullptr);

 public slots:
  // "プロッター出力": closes once the corrections are taken; the model then holds the values.
  void accept() override;

 private:
  // Takes the controls into the model; false when a correction is refused (the user is told
  // when `tell`).
  bool TakeControls(bool tell);
  // Redraws the preview from the controls; with `tell` ("現設定値で表示") a refused correction
  // is named in a message.
  void Repaint(bool tell);

  CPlotDlg& model_;
  UserInterface& ui_;
  QComboBox* paper_;
  QComboBox* scale_;
  QCheckBox* paperBased_;
  QLineEdit* correction_[2];
  QRadioButton* visibleOnly_;
  QRadioButton* allLayers_;
  QWidget* preview_;
};

}  // namespace plenwick
