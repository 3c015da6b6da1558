// The command actions and their states.
#include "command_actions.h"

#include <QWidget>

#include "command_texts.h"
#include "icons.h"

namespace plenwick {

CommandActions::CommandActions(QWidget* owner, Handler handler) : QObject(owner), owner_(owner), handler_(std::move(handler)) {}

QAction* CommandActions::Action(int id) {
  if (QAction* existing = actions_.value(id)) return existing;
  auto* action = new QAction(CommandMenuText(id), this);
  action->setStatusTip(CommandStatusTip(id));
  const QString tip = CommandToolTip(id);
  if (!tip.isEmpty()) action->setToolTip(tip);
  const QIcon icon = CommandIcon(id);
  if (!icon.isNull()) action->setIcon(icon);
  action->setIconVisibleInMenu(false);
  connect(action, &QAction::triggered, this, [this, id] { Run(id); });
  actions_.insert(id, action);
  return action;
}

void CommandActions::SetCheckable(int id) { Action(id)->setCheckable(true); }

void CommandActions::AddKey(const QKeySequence& key, int id) {
  auto* action = new QAction(this);
  action->setShortcut(key);
  action->setShortcutContext(Qt::WindowShortcut);
  connect(action, &QAction::triggered, this, [this, id] {
    if (handler_.enabled(id)) Run(id);
  });
  owner_->addAction(action);
  keys_.append({action, id});
}

void CommandActions::UpdateStates() {
  for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
    QAction* action = it.value();
    action->setEnabled(handler_.enabled(it.key()));
    if (action->isCheckable()) action->setChecked(handler_.checked(it.key()));
  }
}

void CommandActions::Run(int id) {
  handler_.run(id);
  UpdateStates();
}

}  // namespace plenwick
