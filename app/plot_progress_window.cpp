// The progress window: a plot stepped by a timer, a file written with the events kept going.
#include "plot_progress_window.h"

#include <QApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "output/plotter_output.h"
#include "qt_user_interface.h"

namespace plenwick {

namespace {

// A step's work: short enough for the window to answer at once.
constexpr auto kStepBudget = std::chrono::milliseconds(25);

}  // namespace

CPlotOutGoDlg::CPlotOutGoDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8(kCaption));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  progress_ = new QLabel(this);
  progress_->setObjectName("progress");
  bar_ = new QProgressBar(this);
  bar_->setObjectName("bar");
  bar_->setRange(0, 100);
  bar_->setTextVisible(false);
  stalled_ = new QLabel(FromUtf8(kPlotterStalledMessage), this);
  stalled_->setObjectName("stalled");
  stalled_->hide();
  auto* buttons = new QHBoxLayout;
  wait_ = new QPushButton(QString::fromUtf8("待\u3000つ"), this);
  wait_->setObjectName("wait");
  wait_->hide();
  auto* cancel = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
  cancel->setObjectName("cancel");
  buttons->addStretch();
  buttons->addWidget(wait_);
  buttons->addWidget(cancel);
  layout->addWidget(progress_);
  layout->addWidget(bar_);
  layout->addWidget(stalled_);
  layout->addLayout(buttons);
  connect(cancel, &QPushButton::clicked, this, &CPlotOutGoDlg::reject);
  connect(wait_, &QPushButton::clicked, this, [this] {
    if (output_) output_->KeepWaiting();
    stalled_->hide();
    wait_->hide();
  });
  timer_ = new QTimer(this);
  timer_->setInterval(5);
  connect(timer_, &QTimer::timeout, this, &CPlotOutGoDlg::Tick);
  ShowProgress(0, QString::fromStdString(PlotProgressText(0, false)));
}

CPlotOutGoDlg::~CPlotOutGoDlg() {
  // A window destroyed while the port is open still ends the plot.
  if (output_) output_->Cancel();
}

void CPlotOutGoDlg::ShowProgress(int percent, const QString& text) {
  bar_->setValue(percent);
  progress_->setText(text);
}

void CPlotOutGoDlg::RunPlot(std::unique_ptr<PlotterOutput> output, UserInterface& ui) {
  output_ = std::move(output);
  ui_ = &ui;
  timer_->start();
  exec();
  timer_->stop();
  const bool failed = output_ && output_->state() == PlotterOutput::State::kFailed;
  output_.reset();
  if (failed) ui.ShowMessage(kPortWriteFailedMessage);
}

void CPlotOutGoDlg::Tick() {
  if (!output_) return;
  const PlotterOutput::State state = output_->Step(kStepBudget);
  ShowProgress(output_->percent(), QString::fromStdString(output_->ProgressText()));
  const bool stalled = state == PlotterOutput::State::kStalled;
  stalled_->setVisible(stalled);
  wait_->setVisible(stalled);
  if (state == PlotterOutput::State::kFinished || state == PlotterOutput::State::kCancelled ||
      state == PlotterOutput::State::kFailed) {
    timer_->stop();
    done(state == PlotterOutput::State::kFinished ? Accepted : Rejected);
  }
}

void CPlotOutGoDlg::reject() {
  cancelled_ = true;
  // The plot still sends its last command and the end string; the timer closes the window.
  if (output_) {
    output_->Cancel();
    stalled_->hide();
    wait_->hide();
    return;
  }
}

void CPlotOutGoDlg::RunWork(const std::function<void()>& work) {
  show();
  QApplication::processEvents();
  work();
  hide();
}

bool CPlotOutGoDlg::Progress(int percent, bool finished) {
  ShowProgress(percent, QString::fromStdString(PlotProgressText(percent, finished)));
  QApplication::processEvents(QEventLoop::AllEvents);
  return !cancelled_;
}

}  // namespace plenwick
