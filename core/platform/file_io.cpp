// Reading whole files and writing them atomically (temporary file, fsync, rename).
#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>

namespace plenwick {

namespace {

WriteFaultInjector& Injector() {
  static WriteFaultInjector injector;
  return injector;
}

std::string Describe(const std::string& what, const std::string& path, int err) {
  return what + " " + path + ": " + std::strerror(err);
}

// The file a path finally names, following symbolic links (also one that names no file yet).
std::string FinalTarget(const std::string& path) {
  std::string target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
    std::string link(PATH_MAX, '\0');
    const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= link.size()) return target;
    link.resize(static_cast<std::size_t>(n));
    if (link[0] != '/') {
      const std::string::size_type slash = target.rfind('/');
      if (slash != std::string::npos) link = target.substr(0, slash + 1) + link;
    }
    target = std::move(link);
  }
  return target;  // a loop of links: the write fails where the link is opened
}

// Creates a new file named path + ".tmp" + six random characters, readable and writable as the
// umask allows; -1 with errno set when none can be made.
int CreateTemporaryBeside(const std::string& path, std::string* tmp) {
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::atomic<uint64_t> counter{0};
  std::mt19937_64 random(std::random_device{}() ^ (counter++ << 32) ^ static_cast<uint64_t>(::getpid()));
  for (int attempt = 0; attempt < 100; ++attempt) {
    *tmp = path + ".tmp";
    for (int i = 0; i < 6; ++i) *tmp += kLetters[random() % (sizeof kLetters - 1)];
    const int fd = ::open(tmp->c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }
  int get() const { return fd_; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  int Release() { return std::exchange(fd_, -1); }
  int Close() {
    int rc = 0;
    if (fd_ >= 0) rc = ::close(fd_);
    fd_ = -1;
    return rc;
  }

 private:
  int fd_;
};

std::string NotARegularFile(const std::string& path) { return "cannot read " + path + ": not a regular file"; }

// Opens a regular file for reading; false with `error` set when it cannot be opened, is anything
// else, or is larger than maxBytes. The open does not block (a FIFO without a writer, a device
// waiting for a carrier) and gives no controlling terminal; nothing is read from what is refused.
bool OpenForReading(const std::string& path, FileDescriptor& fd, struct stat& st, std::string* error,
                    std::size_t maxBytes) {
  fd.Reset(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.get() < 0) {
    const int err = errno;
    // A socket cannot be opened at all: say what it is rather than the system's word for it.
    struct stat named {};
    if (err == ENXIO && ::stat(path.c_str(), &named) == 0 && !S_ISREG(named.st_mode)) {
      if (error) *error = NotARegularFile(path);
    } else if (error) {
      *error = Describe("cannot open", path, err);
    }
    return false;
  }
  if (::fstat(fd.get(), &st) != 0) {
    if (error) *error = Describe("cannot read", path, errno);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    if (error) *error = NotARegularFile(path);
    return false;
  }
  if (static_cast<uint64_t>(st.st_size) > maxBytes) {
    if (error) *error = "cannot read " + path + ": the file is too large";
    return false;
  }
  // Reads of a regular file wait for the disk as they should.
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
  return true;
}

// Asks the system to start writing what has piled up since `from` to the disk, without waiting:
// the final fsync then finds most of a large file already written. Only a hint; fsync still
// decides whether the save succeeded.
void StartWriteBack([[maybe_unused]] int fd, std::size_t& from, std::size_t written) {
  constexpr std::size_t kWriteBackBytes = std::size_t{8} << 20;
  if (written - from < kWriteBackBytes) return;
#ifdef __linux__
  ::sync_file_range(fd, static_cast<off_t>(from), static_cast<off_t>(written - from), SYNC_FILE_RANGE_WRITE);
#endif
  from = written;
}

// Appends what is left of the file to `out`; false with `error` set on a read error or when
// `out` would grow beyond maxBytes.
bool ReadToEnd(int fd, const std::string& path, std::vector<uint8_t>& out, std::string* error,
               std::size_t maxBytes) {
  uint8_t buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (error) *error = Describe("cannot read", path, errno);
      return false;
    }
    if (n == 0) break;
    const std::size_t needed = out.size() + static_cast<std::size_t>(n);
    if (needed > maxBytes) {
      if (error) *error = "cannot read " + path + ": the file is too large";
      return false;
    }
    // A file growing while it is read: the buffer grows as usual but never past the bound.
    if (needed > out.capacity()) out.reserve(std::min(maxBytes, std::max(needed, 2 * out.capacity())));
    out.insert(out.end(), buffer, buffer + n);
  }
  return true;
}

}  // namespace

void SetWriteFaultInjector(WriteFaultInjector injector) { Injector() = std::move(injector); }

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string* error, std::size_t maxBytes) {
  out.clear();
  FileDescriptor fd(-1);
  struct stat st {};
  if (!OpenForReading(path, fd, st, error, maxBytes)) return false;
  out.reserve(static_cast<std::size_t>(st.st_size));
  return ReadToEnd(fd.get(), path, out, error, maxBytes);
}

FileReader::~FileReader() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileReader::Open(const std::string& path, std::string* error, std::size_t maxBytes) {
  FileDescriptor fd(-1);
  struct stat st {};
  if (!OpenForReading(path, fd, st, error, maxBytes)) return false;
  if (fd_ >= 0) ::close(fd_);
  path_ = path;
  fd_ = fd.Release();
  size_ = static_cast<uint64_t>(st.st_size);
  return true;
}

bool FileReader::ReadAt(uint64_t offset, void* out, std::size_t n, std::string* error) {
  auto* p = static_cast<uint8_t*>(out);
  std::size_t got = 0;
  while (got < n) {
    const ssize_t r = ::pread(fd_, p + got, n - got, static_cast<off_t>(offset + got));
    if (r < 0) {
      if (errno == EINTR) continue;
      if (error) *error = Describe("cannot read", path_, errno);
      return false;
    }
    if (r == 0) {
      if (error) *error = "cannot read " + path_ + ": the file became shorter while it was read";
      return false;
    }
    got += static_cast<std::size_t>(r);
  }
  return true;
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes, std::string* error) {
  return WriteFileAtomically(path, [bytes](const ByteSink& sink) { return sink(bytes); }, error);
}

bool WriteFileAtomically(const std::string& requested, const ByteProducer& produce, std::string* error) {
  // Through a symbolic link the file it names is replaced, and the link stays.
  const std::string path = FinalTarget(requested);
  // The file replacing an old one keeps its permissions (a drawing may hold a password) and,
  // where allowed, its owner; a new file gets the usual ones, from the kernel's umask.
  struct stat old {};
  const bool replacing = ::stat(path.c_str(), &old) == 0;
  // A folder, device, FIFO or socket is never replaced by a file, nor written to.
  if (replacing && !S_ISREG(old.st_mode)) {
    if (error) *error = "cannot write " + path + ": not a regular file";
    return false;
  }
  std::string tmp;
  FileDescriptor fd(CreateTemporaryBeside(path, &tmp));
  if (fd.get() < 0) {
    if (error) *error = Describe("cannot create", tmp, errno);
    return false;
  }
  auto fail = [&](const char* what, int err) {
    fd.Close();
    ::unlink(tmp.c_str());
    if (error) *error = Describe(what, path, err);
    return false;
  };
  if (replacing) {
    // A file shared with a group keeps it; if the owner cannot be kept, neither may the
    // special bits be.
    const bool owned = ::fchown(fd.get(), old.st_uid, old.st_gid) == 0;
    if (::fchmod(fd.get(), old.st_mode & (owned ? 07777 : 0777)) != 0) return fail("cannot create", errno);
  }

  std::size_t written = 0;
  std::size_t handedToDisk = 0;
  int writeError = 0;
  const ByteSink sink = [&](std::span<const uint8_t> bytes) {
    std::size_t done = 0;
    while (writeError == 0 && done < bytes.size()) {
      const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, std::size_t{1} << 20);
      if (Injector() && !Injector()(written)) {
        writeError = ENOSPC;
        break;
      }
      const ssize_t n = ::write(fd.get(), bytes.data() + done, chunk);
      if (n < 0) {
        if (errno != EINTR) writeError = errno;
        continue;
      }
      done += static_cast<std::size_t>(n);
      written += static_cast<std::size_t>(n);
      StartWriteBack(fd.get(), handedToDisk, written);
    }
    return writeError == 0;
  };
  const bool produced = produce(sink);
  if (writeError != 0) return fail("cannot write", writeError);
  if (!produced) return fail("cannot write", EIO);
  if (::fsync(fd.get()) != 0) return fail("cannot write", errno);
  if (fd.Close() != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    if (error) *error = Describe("cannot write", path, err);
    return false;
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    if (error) *error = Describe("cannot replace", path, err);
    return false;
  }
  // The rename itself reaches the disk only with its folder. A folder that cannot be synced
  // (some file systems refuse) does not undo a save that is already in place.
  const std::string::size_type slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return true;
}

}  // namespace plenwick
