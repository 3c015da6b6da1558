// The autosave timer of the application.
#include "autosave_timer.h"

#include <QApplication>
#include <QSettings>
#include <QThread>

#include "view/tool_framework/interaction_state.h"

namespace plenwick {

CAutosaveTimer::CAutosaveTimer(std::string folder, std::chrono::milliseconds interval, DrawingList drawings,
                               const InteractionState& state, QObject* parent)
    : QObject(parent),
      folder_(std::move(folder)),
      scheduler_(folder_, interval, AutosaveScheduler::Clock::now()),
      drawings_(std::move(drawings)),
      state_(state) {
  if (interval.count() <= 0) return;
  // A round that finds an operation under way is tried again a second later, not an interval.
  timer_.setInterval(static_cast<int>(std::min<int64_t>(interval.count(), 1000)));
  connect(&timer_, &QTimer::timeout, this, &CAutosaveTimer::OnTimeout);
  timer_.start();
}

std::chrono::milliseconds CAutosaveTimer::IntervalFromIni(const QString& programFolder) {
  const QSettings ini(programFolder + "/Plenwick.ini", QSettings::IniFormat);
  return AutosaveIntervalFromMinutes(ini.value("Autosave/Interval").toString().toStdString());
}

bool CAutosaveTimer::OperationUnderWayNow() const {
  // A modal dialog, an open menu, a held button or any nested event loop may have a tool's
  // code waiting below it, in the middle of changing the drawing.
  return OperationUnderWay(state_) || QApplication::activeModalWidget() != nullptr ||
         QApplication::activePopupWidget() != nullptr || QApplication::mouseButtons() != Qt::NoButton ||
         QThread::currentThread()->loopLevel() > 1;
}

void CAutosaveTimer::OnTimeout() {
  const bool busy = OperationUnderWayNow();
  const std::vector<DrawingInWindow> open = drawings_();
  const std::optional<AutosaveRound> round = scheduler_.Tick(open, busy, AutosaveScheduler::Clock::now());
  if (!round) return;
  if (round->failed == 0) {
    failing_ = false;
    return;
  }
  if (failing_) return;
  failing_ = true;
  emit failed(QString::fromUtf8("自動保存できませんでした: %1").arg(QString::fromStdString(round->error)));
}

}  // namespace plenwick
