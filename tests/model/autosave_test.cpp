// Guards autosave: a round comes only at the interval and never during an operation, writes only
// drawings changed since their last autosave (as native drawing files that keep the protection),
// never touches the user's own file, and saving, closing or forgetting a drawing removes its
// files; the record survives any path or title and refuses damaged bytes; a crashed run's
// drawings are listed (unreadable ones as such) for one run only, and 復元, 破棄 and 後で do what
// they say.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/autosave_recovery.h"
#include "model/autosave_scheduler.h"
#include "model/document_file.h"
#include "model/program_settings.h"
#include "platform/file_io.h"
#include "platform/sjis.h"
#include "support/entity_builders.h"
#include "support/recording_ui.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

using namespace std::chrono_literals;
using testing::RecordingUserInterface;
using testing::ScopedEnv;
using testing::ScopedTempFolder;
using Clock = AutosaveScheduler::Clock;

const DocumentEnvironment kEnv{{2026, 12, 8}, "hanako"};

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<uint8_t> Bytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  ReadWholeFile(path, bytes);
  return bytes;
}

class AutosaveTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetCurrentSettings(); }
  void TearDown() override { ResetCurrentSettings(); }

  std::unique_ptr<CPlenwickDoc> BlankDoc() { return std::make_unique<CPlenwickDoc>(tmp.path(), ui, kEnv); }
  std::unique_ptr<CPlenwickDoc> NewDoc() {
    auto doc = BlankDoc();
    testing::AddGrid(doc->entities);
    return doc;
  }
  static void AddLine(CPlenwickDoc& doc, double x) {
    testing::AddLine(doc.entities, x, 1, x + 10, 2);
    doc.SetModifiedFlag();
  }
  // Hands the drawings in the folder to a run that crashed: process `pid`, its lock unheld.
  void LeaveAsCrashedRun(const std::string& run, long pid) {
    for (const std::string& f : FilesIn(folder)) {
      if (f.ends_with(".pwk") || f.ends_with(".rec")) {
        std::filesystem::rename(folder + "/" + f, folder + "/" + run + f.substr(f.rfind('-')));
      }
    }
    std::ofstream(folder + "/" + run + ".lock") << pid << "\n";
  }

  ScopedTempFolder tmp;
  ScopedEnv dataHome{"XDG_DATA_HOME", tmp.path() + "/data"};
  RecordingUserInterface ui;
  std::string folder = tmp.path() + "/state/autosave";
};

TEST_F(AutosaveTest, RoundsComeAtTheIntervalBetweenOperationsAndWriteOnlyChangedDrawings) {
  AutosaveFolder files(folder);
  const Clock::time_point t0{};
  AutosaveScheduler scheduler(files, 60s, t0);
  auto doc = NewDoc();
  const std::vector<DrawingInWindow> open{{doc.get(), "", "名称未設定"}};
  struct Step {
    const char* what;
    std::chrono::seconds at;
    bool change, busy;
    int written;  // -1: no round
  };
  const Step steps[] = {
      {"not due yet", 30s, true, false, -1},
      {"due: the change is written", 60s, false, false, 1},
      {"due again, nothing changed: not written again", 120s, false, false, 0},
      {"changed, but not due", 150s, true, false, -1},
      {"due during an operation: waits", 180s, false, true, -1},
      {"the operation over: written", 181s, false, false, 1},
      {"the next round counts from the last", 200s, true, false, -1},
      {"due", 241s, false, false, 1},
  };
  for (const Step& s : steps) {
    if (s.change) AddLine(*doc, static_cast<double>(s.at.count()));
    const std::optional<AutosaveRound> round = scheduler.Tick(open, s.busy, t0 + s.at);
    ASSERT_EQ(round.has_value(), s.written >= 0) << s.what;
    if (round) {
      EXPECT_EQ(round->written, s.written) << s.what;
      EXPECT_EQ(round->failed, 0) << round->error;
    }
  }
  // The autosave is the drawing as it is, with its record.
  const std::vector<std::string> names = FilesIn(folder);
  ASSERT_EQ(names.size(), 3u) << "one lock, one drawing, one record";
  AutosaveFolder other(folder);
  EXPECT_TRUE(other.ClaimLeftDrawings().empty()) << "a live run's files are left alone";

  AutosaveFolder off(tmp.path() + "/off");
  AutosaveScheduler never(off, 0ms, t0);
  EXPECT_FALSE(never.Tick(open, false, t0 + 24h).has_value()) << "interval 0 switches autosave off";
  EXPECT_FALSE(std::filesystem::exists(tmp.path() + "/off"));
}

TEST_F(AutosaveTest, SavingClosingAndForgettingRemoveTheFilesAndTheOwnFileIsNeverTouched) {
  AutosaveFolder files(folder);
  AutosaveScheduler scheduler(files, 1s, Clock::time_point{});
  auto a = NewDoc(), b = NewDoc(), c = NewDoc(), d = NewDoc();
  AddLine(*a, 1);
  const std::string own = tmp.path() + "/a.pwk";
  ASSERT_EQ(SaveDocumentFile(*a, own), 0);
  const std::vector<uint8_t> ownBytes = Bytes(own);
  const int64_t ownTime = FileModificationTime(own);
  for (CPlenwickDoc* doc : {a.get(), b.get(), c.get(), d.get()}) AddLine(*doc, 5);
  std::vector<DrawingInWindow> open{{a.get(), own, "a.pwk"}, {b.get(), "", "b"}, {c.get(), "", "c"}, {d.get(), "", "d"}};
  EXPECT_EQ(scheduler.WriteChanged(open).written, 4);
  EXPECT_EQ(FilesIn(folder).size(), 9u);
  EXPECT_EQ(Bytes(own), ownBytes);
  EXPECT_EQ(FileModificationTime(own), ownTime);

  ASSERT_EQ(SaveDocumentFile(*a, own), 0);
  scheduler.Saved(*a);  // 上書き保存
  scheduler.Closed(*b);  // closed without saving
  open.erase(open.begin() + 1);
  d->SetModifiedFlag(false);  // saved without word
  open.erase(open.begin() + 1);  // c gone without word
  EXPECT_EQ(scheduler.WriteChanged(open).written, 0);
  EXPECT_EQ(FilesIn(folder).size(), 1u) << "only the lock is left";
  AddLine(*a, 9);
  EXPECT_EQ(scheduler.WriteChanged(open).written, 1) << "a drawing changed after saving is autosaved again";
}

TEST_F(AutosaveTest, CrashedRunsDrawingsAreListedOnceAndTheAnswersDoWhatTheySay) {
  const std::string own = tmp.path() + "/plan.pwk";
  auto opened = NewDoc(), fresh = NewDoc(), locked = NewDoc();
  AddLine(*opened, 1);
  ASSERT_EQ(SaveDocumentFile(*opened, own), 0);
  AddLine(*opened, 2);
  AddLine(*fresh, 3);
  AddLine(*locked, 4);
  locked->header.setProtection(kPasswordProtected);
  locked->header.setPassword("pw");
  {
    AutosaveFolder files(folder);
    AutosaveScheduler scheduler(files, 1s, Clock::time_point{});
    const std::vector<DrawingInWindow> open{{opened.get(), own, "plan.pwk"}, {fresh.get(), "", "新しい図面"}, {locked.get(), "", "秘密"}};
    ASSERT_EQ(scheduler.WriteChanged(open).written, 3);
    LeaveAsCrashedRun("999999999.dead", 999999999);
  }
  // Two damaged drawings of the same crash.
  std::ofstream(folder + "/999999999.dead-8.rec") << "plenwick autosave 1\npath relative\n";
  std::ofstream(folder + "/999999999.dead-8.pwk") << "PW";
  std::ofstream(folder + "/999999999.dead-9.pwk") << std::string(300, 'x');
  std::ofstream(folder + "/999999999.dead-9.rec") << FormatAutosaveRecord({"", "x", 0, -1});
  std::ofstream(folder + "/999999999.dead-1.pwk.tmpAbCdEf") << "half";
  const std::vector<std::string> names = {"999999999.dead-1", "999999999.dead-2", "999999999.dead-3",
                                          "999999999.dead-8", "999999999.dead-9"};

  AutosaveFolder later(folder);
  std::vector<LeftDrawing> left = later.ClaimLeftDrawings();
  ASSERT_EQ(left.size(), names.size());
  for (std::size_t i = 0; i < left.size(); ++i) EXPECT_EQ(left[i].name, names[i]);
  EXPECT_FALSE(std::filesystem::exists(folder + "/999999999.dead-1.pwk.tmpAbCdEf")) << "half-written leftovers go";
  EXPECT_EQ(left[0].problem, "");
  EXPECT_EQ(left[0].record.path, own);
  EXPECT_EQ(RecoveryRowOf(left[0]).name, "plan.pwk");
  EXPECT_EQ(RecoveryRowOf(left[0]).path, own);
  EXPECT_EQ(RecoveryRowOf(left[1]).path, "（新規図面）");
  EXPECT_NE(left[3].problem.find("the line \"title\" is missing"), std::string::npos) << left[3].problem;
  EXPECT_NE(left[4].problem.find("not a drawing file"), std::string::npos) << left[4].problem;
  EXPECT_EQ(RecoveryRowOf(left[4]).path.rfind("読み込めません: ", 0), 0u);
  EXPECT_FALSE(OwnFileChangedSince(left[0]));

  AutosaveFolder concurrent(folder);
  EXPECT_TRUE(concurrent.ClaimLeftDrawings().empty()) << "drawings being offered by one run are not offered by another";
  int restoreCalls = 0;
  EXPECT_EQ(ApplyRecoveryChoice(RecoveryChoice::kLater, left, later, [&](const LeftDrawing&) { return ++restoreCalls > 0; }), 0);
  EXPECT_EQ(concurrent.ClaimLeftDrawings().size(), names.size()) << "後で keeps them for a later start";

  // 復元: the readable ones become changed drawings; the opened one under its path, the new one
  // under its title; protection and password kept. Unreadable ones stay.
  std::vector<std::unique_ptr<CPlenwickDoc>> restored;
  const int count = ApplyRecoveryChoice(RecoveryChoice::kRestore, left, concurrent, [&](const LeftDrawing& d) {
    restored.push_back(BlankDoc());
    return ReadLeftDrawing(*restored.back(), d, nullptr) == 0;
  });
  ASSERT_EQ(count, 3);
  EXPECT_EQ(restored[0]->entities.size(), opened->entities.size());
  EXPECT_TRUE(restored[0]->IsModified());
  EXPECT_EQ(restored[1]->fileName.view(), Utf8ToSjis("新しい図面"));
  EXPECT_EQ(restored[2]->protection, kPasswordProtected);
  EXPECT_EQ(restored[2]->header.password(), "pw");
  std::filesystem::last_write_time(own, std::filesystem::last_write_time(own) + 1s);
  EXPECT_TRUE(OwnFileChangedSince(left[0])) << "saving over a file changed since asks first";

  // 破棄 deletes every listed drawing, unreadable ones included.
  ApplyRecoveryChoice(RecoveryChoice::kDiscard, left, concurrent, nullptr);
  for (const std::string& f : FilesIn(folder)) EXPECT_FALSE(f.ends_with(".pwk") || f.ends_with(".rec")) << f;
}

TEST(AutosaveRecordTest, AnyPathAndTitleComeBackAndDamagedRecordsAreRefused) {
  std::mt19937 random(26);
  for (int i = 0; i < 2000; ++i) {
    AutosaveRecord r;
    r.path = "/";
    r.title.clear();
    const int n = static_cast<int>(random() % 60);
    for (int k = 0; k < n; ++k) {
      r.path += static_cast<char>(1 + random() % 255);
      r.title += static_cast<char>(1 + random() % 255);
    }
    r.savedAt = random();
    r.fileTime = static_cast<int64_t>(random()) - 1;
    const std::string text = FormatAutosaveRecord(r);
    AutosaveRecord back;
    std::string error;
    ASSERT_TRUE(ParseAutosaveRecord(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), back, &error)) << error;
    ASSERT_EQ(back, r);
  }
  const std::string good = FormatAutosaveRecord({"/home/u/a.pwk", "a.pwk", 5, -1});
  struct Case {
    std::string bytes, why;
  };
  const Case cases[] = {
      {"", "does not end with a line break"},
      {good.substr(0, good.size() - 1), "does not end with a line break"},
      {"plenwick autosave 2\npath \ntitle \nsaved 0\nfile -1\n", "does not start with"},
      {"plenwick autosave 1\npath \ntitle \nsaved 0\n", "\"file\" is missing"},
      {good + "extra\n", "lines after the record"},
      {"plenwick autosave 1\ntitle \npath \nsaved 0\nfile -1\n", "line 2 is not \"path\""},
      {"plenwick autosave 1\npath a.pwk\ntitle \nsaved 0\nfile -1\n", "not an absolute file name"},
      {"plenwick autosave 1\npath /a\\x00b\ntitle \nsaved 0\nfile -1\n", "not an absolute file name"},
      {"plenwick autosave 1\npath /a\\xZZ\ntitle \nsaved 0\nfile -1\n", "not an absolute file name"},
      {"plenwick autosave 1\npath /a\\x4\ntitle \nsaved 0\nfile -1\n", "not an absolute file name"},
      {"plenwick autosave 1\npath /a\ntitle a\rb\nsaved 0\nfile -1\n", "the title is not a text"},
      {"plenwick autosave 1\npath /a\ntitle \nsaved -5\nfile -1\n", "the time is not a number"},
      {"plenwick autosave 1\npath /a\ntitle \nsaved 1e9\nfile -1\n", "the time is not a number"},
      {"plenwick autosave 1\npath /a\ntitle \nsaved 99999999999999999999\nfile -1\n", "the time is not a number"},
      {"plenwick autosave 1\npath /a\ntitle \nsaved 0\nfile -2\n", "the file time is not a number"},
      {"plenwick autosave 1\npath /" + std::string(5000, 'a') + "\ntitle \nsaved 0\nfile -1\n", "not an absolute file name"},
      {good + std::string(kMaxAutosaveRecordBytes, '\n'), "too large"},
  };
  for (const Case& c : cases) {
    AutosaveRecord r;
    std::string error;
    EXPECT_FALSE(ParseAutosaveRecord(std::span(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size()), r, &error))
        << c.why;
    EXPECT_NE(error.find(c.why), std::string::npos) << error;
  }
}

TEST(AutosaveIntervalTest, MinutesOfTheIniFile) {
  const std::pair<const char*, std::chrono::milliseconds> cases[] = {
      {"", 5min}, {"5", 5min}, {" 2 ", 2min}, {"0", 0ms}, {"0.05", 3s}, {"0.001", 1s}, {"100000", 24h},
      {"-1", 5min}, {"five", 5min}, {"5min", 5min}, {"nan", 5min}, {"inf", 5min},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(AutosaveIntervalFromMinutes(text), expected) << text;
}

}  // namespace
}  // namespace plenwick
