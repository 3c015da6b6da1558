// CPlotOutGoDlg, "プロッタ-出力": the progress of a plot on a port or of an HP-GL file, with
// "ｷｬﾝｾﾙ". A plotter that stops taking data is named in the window, which offers to wait.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace plenwick {

class PlotterOutput;
class UserInterface;

class CPlotOutGoDlg final : public QDialog {
  Q_OBJECT
 public:
  static constexpr const char* kCaption = "プロッタ-出力";

  // Children: the label "progress" ("%3d %%"), the bar "bar", the label "stalled" and the
  // button "wait" (shown while the plotter takes nothing), the button "cancel".
  explicit CPlotOutGoDlg(QWidget* parent = nullptr);
  ~CPlotOutGoDlg() override;

  // Runs a started plot to its end or cancel (modal); a failing device is named in a message.
  void RunPlot(std::unique_ptr<PlotterOutput> output, UserInterface& ui);
  // Shows the window while `work` runs; `work` is told to report progress through Progress(),
  // which keeps the window responsive and returns false once "ｷｬﾝｾﾙ" was pressed.
  void RunWork(const std::function<void()>& work);
  bool Progress(int percent, bool finished);

 public slots:
  // "ｷｬﾝｾﾙ" and the window's close: the plot ends with its end string.
  void reject() override;

 private:
  void Tick();
  void ShowProgress(int percent, const QString& text);

  QLabel* progress_;
  QProgressBar* bar_;
  QLabel* stalled_;
  QPushButton* wait_;
  QTimer* timer_;
  std::unique_ptr<PlotterOutput> output_;
  UserInterface* ui_ = nullptr;
  bool cancelled_ = false;
};

}  // namespace plenwick
