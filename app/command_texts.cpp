// Menu texts and descriptions: the command table's, with the key that sends the command.
#include "command_texts.h"

#include <QHash>

#include "menu_layout.h"
#include "shell_command_ids.h"
#include "view/tool_framework/command_table.h"

namespace plenwick {

namespace {

struct Texts {
  const char* menu;
  const char* description;  // status-bar text "\n" tool tip
};

// The shell's own commands, which the command table leaves to the window system.
const QHash<int, Texts>& ShellTexts() {
  static const QHash<int, Texts> texts{
      {kCmdWindowCascade, {"重ねて表示(&C)", "ウィンドウを重ねて表示します。\n重ねて表示"}},
      {kCmdWindowTile, {"並べて表示(&T)", "ウィンドウを並べて表示します。\n並べて表示"}},
      {kCmdAppAbout, {"バージョン情報 Plenwick(&A)...", "プログラム情報、バージョン、著作権を表示します。\nバージョン情報"}},
      {kCmdViewToolbar, {"ツール バー(&T)", "ツール バーの表示/非表示を切り替えます。\nツール バー"}},
      {kCmdViewStatusBar, {"ステータス バー(&S)", "ステータス バーの表示/非表示を切り替えます。\nステータス バー"}},
  };
  return texts;
}

QString Description(int id) {
  if (auto it = ShellTexts().find(id); it != ShellTexts().end()) return QString::fromUtf8(it->description);
  const CommandInfo* c = FindCommand(id);
  return c ? QString::fromUtf8(c->description.data(), static_cast<qsizetype>(c->description.size())) : QString();
}

}  // namespace

QString MnemonicBeforeKey(const QString& text) {
  const qsizetype tab = text.indexOf('\t');
  if (tab < 0) return text;
  QString key = text.mid(tab + 1);
  QString item = text.left(tab);
  const qsizetype amp = key.indexOf("(&");
  if (amp >= 0 && key.endsWith(')')) {
    item += key.mid(amp);
    key = key.left(amp);
  }
  return item + '\t' + key;
}

QString CommandMenuText(int id) {
  if (auto it = ShellTexts().find(id); it != ShellTexts().end()) return QString::fromUtf8(it->menu);
  const CommandInfo* c = FindCommand(id);
  if (!c) return {};
  QString text = QString::fromUtf8(c->menuText.data(), static_cast<qsizetype>(c->menuText.size()));
  // Tool-bar commands without a menu text of their own are named by their tool tip.
  if (text.isEmpty()) text = CommandToolTip(id);
  if (!text.isEmpty() && !text.contains('\t')) {
    for (const KeyBinding& key : KeyBindings()) {
      if (key.command == id) {
        text += '\t' + key.key.toString(QKeySequence::NativeText);
        break;
      }
    }
  }
  return MnemonicBeforeKey(text);
}

QString CommandStatusTip(int id) { return Description(id).section('\n', 0, 0); }

QString CommandToolTip(int id) {
  const QString d = Description(id);
  return d.contains('\n') ? d.section('\n', 1) : d;
}

}  // namespace plenwick
