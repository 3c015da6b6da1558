// Autosave driven from the event loop: a timer asks the scheduler whether a round is due, tells
// it whether an operation is under way, and reports a failing autosave folder once.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "model/autosave_folder.h"
#include "model/autosave_scheduler.h"

namespace plenwick {

struct InteractionState;

class CAutosaveTimer final : public QObject {
  Q_OBJECT
 public:
  using DrawingList = std::function<std::vector<DrawingInWindow>()>;

  // Autosaves into `folder` every `interval` (0: never) the drawings `drawings` lists, between
  // the operations of `state`.
  CAutosaveTimer(std::string folder, std::chrono::milliseconds interval, DrawingList drawings,
                 const InteractionState& state, QObject* parent = nullptr);

  // The interval "Interval" of the section [Autosave] of <programFolder>/Plenwick.ini gives, in
  // minutes; 5 when it names none.
  static std::chrono::milliseconds IntervalFromIni(const QString& programFolder);

  AutosaveFolder& folder() { return folder_; }
  AutosaveScheduler& scheduler() { return scheduler_; }

 signals:
  // Autosave stopped working (told once, until a round succeeds again).
  void failed(const QString& message);

 private:
  void OnTimeout();
  bool OperationUnderWayNow() const;

  AutosaveFolder folder_;
  AutosaveScheduler scheduler_;
  DrawingList drawings_;
  const InteractionState& state_;
  QTimer timer_;
  bool failing_ = false;
};

}  // namespace plenwick
