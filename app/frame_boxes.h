// The boxes embedded in the main frame's tool bars: the size box (paper and scale of the active
// drawing), the prompt box (the active tool's instruction) and the grid bar (a grid pitch).
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <string>

#include "view/tool_framework/prompt_box.h"

namespace plenwick {

// CSizeInfoDlg: "Ａ４ 横  1/100" for the active drawing, empty without one.
class CSizeInfoDlg final : public QWidget {
  Q_OBJECT
 public:
  explicit CSizeInfoDlg(QWidget* parent = nullptr);
  // Paper size index, orientation (1 portrait) and scale 1:n; nothing shown when `shown` is false.
  void ShowDrawing(bool shown, int paperSize = 0, int orientation = 0, double scale = 1, bool printerPaper = false);
  const QString& text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};

// The prompt box's window: paints the tool framework's COperateMsgBox (blue instruction, red
// emphasis, on white).
class PromptBoxWidget final : public QWidget {
  Q_OBJECT
 public:
  PromptBoxWidget(const COperateMsgBox& box, QWidget* parent = nullptr);
  // The text as shown (UTF-8).
  QString text() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const COperateMsgBox& box_;
};

// CGrigBarDlg: the grid pitch (model mm) that "グリッドピッチ設定" gives the grid.
class CGrigBarDlg final : public QWidget {
  Q_OBJECT
 public:
  explicit CGrigBarDlg(QWidget* parent = nullptr);
  // The pitch typed, or the one last shown when the text is no positive number.
  double pitch() const;
  void SetPitch(double pitch);
  QLineEdit* edit() const { return edit_; }

 private:
  QLineEdit* edit_;
  double shown_ = 0;
};

}  // namespace plenwick
