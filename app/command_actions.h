// One QAction per command id, shared by menus, tool bars and keys, all delivering the id to one
// handler, with their enabled and checked states asked of that handler.
#pragma once

#include <QAction>
#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <functional>

namespace plenwick {

class CommandActions final : public QObject {
  Q_OBJECT
 public:
  struct Handler {
    std::function<void(int)> run;
    std::function<bool(int)> enabled;  // false: shown disabled
    std::function<bool(int)> checked;  // only asked for checkable commands
  };

  CommandActions(QWidget* owner, Handler handler);

  // The action of a command, made on first use with its menu text, status tip, tool tip and
  // picture. A command in `checkable` shows a check mark.
  QAction* Action(int id);
  // Makes a command's action show check marks.
  void SetCheckable(int id);
  // A key that sends a command without a menu item of its own; the action lives on the owner
  // window so the key works wherever the focus is inside it.
  void AddKey(const QKeySequence& key, int id);
  // Asks the handler for every action's enabled and checked state.
  void UpdateStates();
  // Sends a command as if it had been chosen (keys and tests).
  void Run(int id);

 private:
  QWidget* owner_;
  Handler handler_;
  QHash<int, QAction*> actions_;
  QList<QPair<QAction*, int>> keys_;
};

}  // namespace plenwick
