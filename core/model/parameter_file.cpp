// The parameter file on disk.
#include "model/parameter_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <limits>

#include "model/program_settings.h"
#include "platform/file_io.h"
#include "platform/folders.h"

namespace plenwick {

std::string ParameterFilePath(const std::string& programFolder) {
  return programFolder + "/" + kParameterFileName;
}

bool ParseParameterFile(std::span<const uint8_t> bytes, ParameterBlock& block) {
  // The block is the first 728 bytes: whatever follows (a longer file of some other version)
  // does not make the settings in front unreadable.
  if (bytes.size() < ParameterBlock::kSize) return false;
  std::copy_n(bytes.begin(), ParameterBlock::kSize, block.bytes.begin());
  ReplaceNonFiniteNumbers(block);
  return true;
}

bool ReadParameterFile(const std::string& path, ParameterBlock& block) {
  FileReader file;
  std::array<uint8_t, ParameterBlock::kSize> bytes{};
  if (!file.Open(path, nullptr, std::numeric_limits<std::size_t>::max()) || file.size() < bytes.size() ||
      !file.ReadAt(0, bytes.data(), bytes.size())) {
    return false;
  }
  return ParseParameterFile(bytes, block);
}

namespace {

enum class Target { kMissing, kWritable, kRefused };

// Whether an existing file may be replaced: it must be a regular file that opens for writing.
// The probe opens without truncating, so a refused file keeps every byte.
Target ProbeForWriting(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return errno == ENOENT ? Target::kMissing : Target::kRefused;
  struct stat st {};
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  ::close(fd);
  return regular ? Target::kWritable : Target::kRefused;
}

}  // namespace

bool WriteParameterFile(const std::string& path, const ParameterBlock& block) {
  // A symbolic link is followed by the atomic write: the file it names is replaced.
  switch (ProbeForWriting(path)) {
    case Target::kRefused:
      return false;
    case Target::kWritable:
      break;
    case Target::kMissing: {
      // ENOENT also means a missing folder (or a dangling link, which is refused below).
      struct stat st {};
      if (::lstat(path.c_str(), &st) == 0) return false;
      const std::size_t slash = path.find_last_of('/');
      if (slash != std::string::npos && slash > 0 && !CreateFolders(path.substr(0, slash))) return false;
      break;
    }
  }
  return WriteFileAtomically(path, block.bytes);
}

}  // namespace plenwick
