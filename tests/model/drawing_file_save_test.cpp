// Guards saving drawings to disk: a save that fails (a bad folder, a disk that fills up midway)
// must say so and leave the previous file exactly as it was, never half a drawing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/drawing_file.h"
#include "model/entity_core.h"
#include "platform/file_io.h"
#include "support/drawing_file_fixtures.h"
#include "support/entity_builders.h"

namespace plenwick {
namespace {

namespace fs = std::filesystem;
using testing::TestFileInfo;

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::path(::testing::TempDir()) / "pwk_save_XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  std::size_t FileCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), fs::directory_iterator()));
  }

 private:
  fs::path path_;
};

class FaultInjection {
 public:
  explicit FaultInjection(WriteFaultInjector injector) { SetWriteFaultInjector(std::move(injector)); }
  FaultInjection(const FaultInjection&) = delete;
  FaultInjection& operator=(const FaultInjection&) = delete;
  ~FaultInjection() { SetWriteFaultInjector(nullptr); }
};

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadWholeFile(path, bytes));
  return bytes;
}

TEST(DrawingFileSave, SavedDrawingLoadsBack) {
  TempFolder folder;
  EntityList list;
  testing::AddGrid(list);
  testing::AddText(list, "abc");
  const std::string path = folder / "a.pwk";
  std::string error;
  ASSERT_EQ(SaveDrawingFile(path, TestFileInfo(), list, &error), 0) << error;
  EXPECT_EQ(folder.FileCount(), 1u) << "no temporary file is left behind";
  EntityList loaded;
  DrawingFileInfo info;
  ASSERT_EQ(LoadDrawingFile(path, info, loaded, nullptr, &error), 0) << error;
  testing::ExpectSameStoredElements(list, loaded);
}

TEST(DrawingFileSave, FailedSavesReportAndKeepThePreviousFile) {
  TempFolder folder;
  const std::string path = folder / "kept.pwk";
  EntityList small;
  testing::AddLine(small, 0, 0, 1, 1);
  ASSERT_EQ(SaveDrawingFile(path, TestFileInfo(), small), 0);
  const std::vector<uint8_t> previous = FileBytes(path);

  // Large enough that the file is written in more than one chunk.
  EntityList large;
  const std::vector<double> values(6000, 2.5);
  for (int i = 0; i < 30; ++i) AddEntity({kFreeCurve, 0, 0, 0, 6000}, nullptr, large, nullptr, 0, values.data(), nullptr);
  EntityList empty;

  {
    SCOPED_TRACE("disk full midway");
    FaultInjection fault([](std::size_t written) { return written == 0; });
    std::string error;
    EXPECT_EQ(SaveDrawingFile(path, TestFileInfo(), large, &error), 1);
    EXPECT_FALSE(error.empty());
  }
  {
    SCOPED_TRACE("nothing to store");
    std::string error;
    EXPECT_EQ(SaveDrawingFile(path, TestFileInfo(), empty, &error), 2);
    EXPECT_FALSE(error.empty());
  }
  EXPECT_EQ(FileBytes(path), previous);
  EXPECT_EQ(folder.FileCount(), 1u) << "no temporary file is left behind";
}

TEST(DrawingFileSave, StreamedWriteStopsAtTheFirstRefusedPiece) {
  TempFolder folder;
  const std::string path = folder / "kept.bin";
  const std::vector<uint8_t> previous = {1, 2, 3};
  ASSERT_TRUE(WriteFileAtomically(path, previous));
  const std::vector<uint8_t> piece(std::size_t{1} << 20, 7);
  int offered = 0;
  FaultInjection fault([](std::size_t written) { return written < 3 * (std::size_t{1} << 20); });
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(
      path,
      [&](const ByteSink& sink) {
        for (int i = 0; i < 10; ++i) {
          ++offered;
          if (!sink(piece)) return false;
        }
        return true;
      },
      &error));
  EXPECT_EQ(offered, 4) << "the producer hears of the failure and stops";
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(FileBytes(path), previous);
  EXPECT_EQ(folder.FileCount(), 1u) << "no temporary file is left behind";
}

TEST(DrawingFileSave, AProducerThatGivesUpLeavesThePreviousFile) {
  TempFolder folder;
  const std::string path = folder / "kept.bin";
  const std::vector<uint8_t> previous = {1, 2, 3};
  ASSERT_TRUE(WriteFileAtomically(path, previous));
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(
      path,
      [](const ByteSink& sink) {
        sink(std::vector<uint8_t>(100, 9));
        return false;
      },
      &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(FileBytes(path), previous);
  EXPECT_EQ(folder.FileCount(), 1u) << "no temporary file is left behind";
}

TEST(DrawingFileSave, FolderThatIsAFileIsReported) {
  TempFolder folder;
  const std::string plain = folder / "plain";
  std::ofstream(plain) << "not a folder";
  EntityList list;
  testing::AddLine(list, 0, 0, 1, 1);
  std::string error;
  EXPECT_EQ(SaveDrawingFile(plain + "/drawing.pwk", TestFileInfo(), list, &error), 1);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(FileBytes(plain).size(), 12u);
}

TEST(DrawingFileSave, ReplacedFileKeepsItsPermissionsAndLinks) {
  // Replacing a file by a new one must not open a private drawing (it may hold a password) to
  // everyone, nor turn a link to a shared drawing into a copy beside it.
  TempFolder folder;
  const std::vector<uint8_t> bytes = {1, 2, 3};
  const std::string privateFile = folder / "private.pwk";
  ASSERT_TRUE(WriteFileAtomically(privateFile, bytes));
  fs::permissions(privateFile, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(WriteFileAtomically(privateFile, std::vector<uint8_t>{4, 5}));
  EXPECT_EQ(fs::status(privateFile).permissions(), fs::perms::owner_read | fs::perms::owner_write);

  const std::string target = folder / "target.pwk";
  const std::string link = folder / "link.pwk";
  ASSERT_TRUE(WriteFileAtomically(target, bytes));
  fs::create_symlink("target.pwk", link);
  ASSERT_TRUE(WriteFileAtomically(link, std::vector<uint8_t>{7}));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(FileBytes(target), std::vector<uint8_t>{7});

  // A link that names no file yet creates it.
  const std::string dangling = folder / "dangling.pwk";
  fs::create_symlink("later.pwk", dangling);
  ASSERT_TRUE(WriteFileAtomically(dangling, bytes));
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(FileBytes(folder / "later.pwk"), bytes);

  // A new file gets what the umask leaves of read and write for all.
  const mode_t mask = ::umask(022);
  const std::string fresh = folder / "fresh.pwk";
  const bool written = WriteFileAtomically(fresh, bytes);
  ::umask(mask);
  ASSERT_TRUE(written);
  EXPECT_EQ(fs::status(fresh).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                                 fs::perms::others_read);
  EXPECT_EQ(folder.FileCount(), 6u) << "no temporary file is left behind";
}

TEST(DrawingFileSave, LoadFailuresAreReported) {
  TempFolder folder;
  const std::string notDrawing = folder / "text.pwk";
  std::ofstream(notDrawing) << std::string(300, 'x');
  struct Case {
    const char* what;
    std::string path;
  } cases[] = {
      {"missing file", folder / "missing.pwk"},
      {"a folder", folder / ""},
      {"not a drawing", notDrawing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EntityList list;
    DrawingFileInfo info;
    std::string error;
    EXPECT_EQ(LoadDrawingFile(c.path, info, list, nullptr, &error), 1);
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(list.empty());
  }
}

}  // namespace
}  // namespace plenwick
