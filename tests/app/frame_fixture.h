// A main frame on the offscreen platform with its program, data and parts folders in a
// temporary folder, messages recorded, and the program-wide settings reset around each test.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "main_frame.h"
#include "model/program_settings.h"
#include "support/recording_ui.h"
#include "support/scoped_temp_folder.h"

namespace plenwick::testing {

// Keeps the events going until `done` (false when it does not come within `ms`).
inline bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

class FrameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetCurrentSettings();
    folders = {tmp / "prog", tmp / "data", tmp / "data/parts", tmp / "state/autosave"};
    for (const std::string& f : {folders.program, folders.data, folders.parts}) std::filesystem::create_directories(f);
    frame = std::make_unique<CMainFrame>(folders, &ui);
    frame->resize(1000, 800);
    frame->show();
    QApplication::setActiveWindow(frame.get());
  }
  void TearDown() override {
    frame.reset();
    ResetCurrentSettings();
  }

  ScopedTempFolder tmp;
  InstalledFolders folders;
  RecordingUserInterface ui;
  std::unique_ptr<CMainFrame> frame;
};

}  // namespace plenwick::testing
