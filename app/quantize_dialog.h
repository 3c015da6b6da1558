// The entity list's rounding window ("クォンタイズ処理"): the number of places, 四捨五入 or 切捨て,
// and the sample with its result as the choice turns it.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QRadioButton;

namespace plenwick {

class CQuantizeDlg;

class QuantizeDialog final : public QDialog {
  Q_OBJECT
 public:
  QuantizeDialog(CQuantizeDlg& model, QWidget* parent = nullptr);
  QComboBox* places() const { return places_; }
  QRadioButton* truncate() const { return truncate_; }
  QLabel* result() const { return result_; }

 private:
  void Update();

  CQuantizeDlg& model_;
  QComboBox* places_;
  QRadioButton* round_;
  QRadioButton* truncate_;
  QLabel* result_;
};

}  // namespace plenwick
