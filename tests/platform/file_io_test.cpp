// Guards the one routine every reader opens files through: `plenwick-cli info /dev/zero` grew
// without end and a FIFO without a writer blocked forever. Whatever a path names, opening returns
// at once with its reason and reads no more than the caller's bound; a write never turns a
// device, FIFO or socket into a file.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "platform/file_io.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

using testing::ScopedTempFolder;

// A UNIX socket bound at `path`, closed with the scope.
class BoundSocket {
 public:
  explicit BoundSocket(const std::string& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    EXPECT_EQ(::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  }
  BoundSocket(const BoundSocket&) = delete;
  BoundSocket& operator=(const BoundSocket&) = delete;
  ~BoundSocket() { ::close(fd_); }

 private:
  int fd_;
};

bool IsFifo(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}

TEST(FileReading, EveryKindOfPathAnswersAtOnceWithItsReason) {
  ScopedTempFolder tmp;
  std::ofstream(tmp / "drawing.pwk") << "PW drawing bytes";
  std::ofstream(tmp / "empty.pwk");
  ASSERT_EQ(::mkfifo((tmp / "fifo.pwk").c_str(), 0600), 0);
  const BoundSocket socket(tmp / "socket.pwk");
  struct Case {
    const char* what;
    std::string path;
    std::size_t bytes;     // read, when it succeeds
    const char* refusal;  // the end of the reason, when it is refused
  } cases[] = {
      {"a regular file", tmp / "drawing.pwk", 16, nullptr},
      {"an empty file", tmp / "empty.pwk", 0, nullptr},
      {"a missing file", tmp / "missing.pwk", 0, "No such file or directory"},
      {"a folder", tmp.path(), 0, ": not a regular file"},
      {"an endless device", "/dev/zero", 0, ": not a regular file"},
      {"a FIFO without a writer", tmp / "fifo.pwk", 0, ": not a regular file"},
      {"a socket", tmp / "socket.pwk", 0, ": not a regular file"},
      {"a file larger than the bound", tmp / "drawing.pwk", 0, ": the file is too large"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::size_t bound = c.refusal && std::string(c.refusal).find("large") != std::string::npos ? 8 : 1024;
    const auto started = std::chrono::steady_clock::now();
    std::vector<uint8_t> bytes;
    std::string error;
    const bool whole = ReadWholeFile(c.path, bytes, &error, bound);
    FileReader reader;
    std::string readerError;
    const bool opened = reader.Open(c.path, &readerError, bound);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    if (c.refusal) {
      EXPECT_FALSE(whole);
      EXPECT_FALSE(opened);
      EXPECT_TRUE(error.ends_with(c.refusal)) << error;
      EXPECT_EQ(readerError, error);
      EXPECT_NE(error.find(c.path), std::string::npos) << "the path is named";
      EXPECT_TRUE(bytes.empty());
    } else {
      EXPECT_TRUE(whole) << error;
      EXPECT_TRUE(opened) << readerError;
      EXPECT_EQ(bytes.size(), c.bytes);
      EXPECT_EQ(reader.size(), c.bytes);
    }
  }
}

TEST(FileReading, AFileGrowingWhileItIsReadStopsAtTheBound) {
  ScopedTempFolder tmp;
  const std::string path = tmp / "growing.pwk";
  std::ofstream(path) << std::string(1000, 'a');
  std::atomic<bool> stop = false;
  std::thread writer([&] {
    std::ofstream out(path, std::ios::app | std::ios::binary);
    const std::string chunk(64 * 1024, 'b');
    while (!stop) out.write(chunk.data(), static_cast<std::streamsize>(chunk.size())).flush();
  });
  constexpr std::size_t kBound = 4 << 20;
  std::vector<uint8_t> bytes;
  std::string error;
  const bool read = ReadWholeFile(path, bytes, &error, kBound);
  stop = true;
  writer.join();
  // Either the end was met before the writer passed the bound, or the bound stopped the read.
  if (read) {
    EXPECT_LE(bytes.size(), kBound);
  } else {
    EXPECT_TRUE(error.ends_with(": the file is too large")) << error;
  }
  EXPECT_LE(bytes.capacity(), kBound + (64 << 10)) << "memory stays within the bound";
}

TEST(FileWriting, ADeviceFifoOrSocketIsRefusedBeforeAnythingIsWritten) {
  ScopedTempFolder tmp;
  ASSERT_EQ(::mkfifo((tmp / "fifo.pwk").c_str(), 0600), 0);
  const BoundSocket socket(tmp / "socket.pwk");
  ::symlink((tmp / "fifo.pwk").c_str(), (tmp / "link.pwk").c_str());
  for (const std::string name : {"fifo.pwk", "socket.pwk", "link.pwk"}) {
    SCOPED_TRACE(name);
    const uint8_t bytes[] = {'P', 'W'};
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(tmp / name, bytes, &error));
    EXPECT_TRUE(error.ends_with(": not a regular file")) << error;
  }
  EXPECT_TRUE(IsFifo(tmp / "fifo.pwk")) << "the FIFO is still a FIFO";
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(tmp.path())) ++files;
  EXPECT_EQ(files, 3u) << "no temporary file is left behind";
}

}  // namespace
}  // namespace plenwick
