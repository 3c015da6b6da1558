// Guards autosave in the program: the recovery dialog lists a crashed run's drawings and its
// three buttons restore them (as changed drawings, the opened one under its path), delete them
// or keep them; a folder autosave cannot write to is told once in the status bar, not every
// round, and the drawing stays open and changed.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "child_frame.h"
#include "frame_fixture.h"
#include "model/autosave_scheduler.h"
#include "model/document_file.h"
#include "recovery_dlg.h"
#include "support/entity_builders.h"
#include "widget_test_support.h"

namespace plenwick {
namespace {

using testing::WaitFor;
using testing::WhenModal;

class AutosaveShellTest : public testing::FrameFixture {
 protected:
  // A crashed run's autosaves of a changed opened drawing (plan.pwk) and of a new one.
  void LeaveCrashedRun() {
    testing::RecordingUserInterface quiet;
    CPlenwickDoc opened(folders.program, quiet), fresh(folders.program, quiet);
    testing::AddLine(opened.entities, 10, 10, 100, 10);
    ASSERT_EQ(SaveDocumentFile(opened, tmp / "plan.pwk"), 0);
    testing::AddLine(opened.entities, 10, 20, 100, 20);
    testing::AddLine(fresh.entities, 1, 2, 3, 4);
    opened.SetModifiedFlag();
    fresh.SetModifiedFlag();
    const std::string crashed = tmp / "crashed";
    {
      AutosaveFolder files(crashed);
      AutosaveScheduler scheduler(files, std::chrono::minutes(1), {});
      const std::vector<DrawingInWindow> open{{&opened, tmp / "plan.pwk", "plan.pwk"}, {&fresh, "", "名称未設定"}};
      ASSERT_EQ(scheduler.WriteChanged(open).written, 2);
      std::filesystem::create_directories(folders.autosave);
      for (const auto& e : std::filesystem::directory_iterator(crashed)) {
        const std::string name = e.path().filename().string();
        if (!name.ends_with(".lock")) std::filesystem::rename(e.path(), folders.autosave + "/1.dead" + name.substr(name.rfind('-')));
      }
    }
    std::ofstream(folders.autosave + "/1.dead.lock") << "1\n";
  }
  int LeftFiles() const {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(folders.autosave)) n += e.path().extension() != ".lock";
    return n;
  }
};

TEST_F(AutosaveShellTest, TheRecoveryDialogsButtonsRestoreDiscardOrKeep) {
  for (const RecoveryChoice choice : {RecoveryChoice::kLater, RecoveryChoice::kDiscard, RecoveryChoice::kRestore}) {
    SCOPED_TRACE(static_cast<int>(choice));
    if (choice != RecoveryChoice::kDiscard) LeaveCrashedRun();
    QStringList rows;
    WhenModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<CRecoveryDlg*>(modal);
      ASSERT_NE(dialog, nullptr);
      for (int i = 0; i < dialog->list()->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = dialog->list()->topLevelItem(i);
        rows << item->text(0) + "|" + item->text(1) + "|" + QString::number(item->text(2).size());
      }
      dialog->button(choice)->click();
    });
    frame->OfferRecovery();
    EXPECT_EQ(rows, QStringList({QString::fromStdString("plan.pwk|" + tmp / "plan.pwk" + "|19"),
                                 QString::fromUtf8("名称未設定|（新規図面）|19")}));
    const QList<CChildFrame*> children = frame->Children();
    if (choice == RecoveryChoice::kLater) {
      EXPECT_TRUE(children.isEmpty());
      EXPECT_EQ(LeftFiles(), 4);
    } else if (choice == RecoveryChoice::kDiscard) {
      EXPECT_TRUE(children.isEmpty());
      EXPECT_EQ(LeftFiles(), 0);
    } else {
      ASSERT_EQ(children.size(), 2);
      EXPECT_EQ(children[0]->path(), QString::fromStdString(tmp / "plan.pwk"));
      EXPECT_EQ(children[0]->windowTitle(), "plan.pwk *");
      EXPECT_EQ(children[0]->document().entities.size(), 2u);
      EXPECT_EQ(children[1]->path(), QString());
      EXPECT_EQ(children[1]->windowTitle(), QString::fromUtf8("名称未設定 *"));
      EXPECT_EQ(LeftFiles(), 4) << "the restored drawings go on in their autosaves";
      // Closing them without saving ends their autosaves.
      for (CChildFrame* child : children) child->CloseWithoutAsking();
      EXPECT_EQ(LeftFiles(), 0);
    }
  }
}

TEST_F(AutosaveShellTest, AnUnwritableFolderIsToldOnceInTheStatusBar) {
  frame.reset();
  std::ofstream(tmp / "state") << "a file where the folder should be";
  std::ofstream(folders.program + "/Plenwick.ini") << "[Autosave]\nInterval=0.01\n";
  frame = std::make_unique<CMainFrame>(folders, &ui);
  frame->show();
  testing::RecordingUserInterface quiet;
  auto doc = std::make_unique<CPlenwickDoc>(folders.program, quiet);
  testing::AddLine(doc->entities, 1, 1, 2, 2);
  ASSERT_EQ(SaveDocumentFile(*doc, tmp / "a.pwk"), 0);
  CChildFrame* child = frame->OpenDrawing(QString::fromStdString(tmp / "a.pwk"));
  ASSERT_NE(child, nullptr);
  child->document().SetModifiedFlag();
  ASSERT_TRUE(WaitFor([&] { return !frame->statusBar()->currentMessage().isEmpty(); }, 4000));
  EXPECT_TRUE(frame->statusBar()->currentMessage().startsWith(QString::fromUtf8("自動保存できませんでした: ")));
  frame->statusBar()->clearMessage();
  child->document().SetModifiedFlag();
  EXPECT_FALSE(WaitFor([&] { return !frame->statusBar()->currentMessage().isEmpty(); }, 2500)) << "told once";
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(child->document().IsModified());
}

}  // namespace
}  // namespace plenwick
