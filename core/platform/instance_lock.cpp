// Lock files held with flock(2), the process id written in them.
#include "platform/instance_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/file_io.h"

namespace plenwick {

namespace {

// Whether process `pid` exists (one of another user counts as well).
bool ProcessRuns(long pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

}  // namespace

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
  if (this != &other) {
    Release();
    path_ = std::move(other.path_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

InstanceLock::~InstanceLock() { Release(); }

void InstanceLock::Release() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool InstanceLock::Create(const std::string& path, std::string* error) {
  Release();
  // Made and locked under another name first, then linked into place: no other run can see the
  // lock file before it is locked and take it for a stale one.
  const std::string fresh = path + ".new";
  const int fd = ::open(fresh.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    if (error) *error = "cannot create " + fresh + ": " + std::strerror(errno);
    return false;
  }
  const std::string pid = std::to_string(::getpid()) + "\n";
  const bool ready = ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                     ::write(fd, pid.data(), pid.size()) == static_cast<ssize_t>(pid.size()) &&
                     ::link(fresh.c_str(), path.c_str()) == 0;
  const int err = errno;
  ::unlink(fresh.c_str());
  if (!ready) {
    ::close(fd);
    if (error) *error = "cannot create " + path + ": " + std::strerror(err);
    return false;
  }
  path_ = path;
  fd_ = fd;
  return true;
}

bool InstanceLock::ClaimStale(const std::string& path) {
  Release();
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  bool claimed = false;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      // Locked by us now, but a run that finished with the file may have deleted it meanwhile.
      struct stat named {};
      claimed = ::stat(path.c_str(), &named) == 0 && named.st_ino == st.st_ino && named.st_dev == st.st_dev;
    } else if (errno != EWOULDBLOCK) {
      // A file system without flock: the process id decides.
      claimed = !ProcessRuns(LockFileProcess(path));
    }
  }
  if (!claimed) {
    ::close(fd);
    return false;
  }
  path_ = path;
  fd_ = fd;
  return true;
}

void InstanceLock::Remove() {
  if (fd_ >= 0 && !path_.empty()) ::unlink(path_.c_str());
  Release();
}

long LockFileProcess(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, nullptr, 64)) return 0;
  long pid = 0;
  const auto* first = reinterpret_cast<const char*>(bytes.data());
  const auto [end, ec] = std::from_chars(first, first + bytes.size(), pid);
  if (ec != std::errc() || end == first || pid <= 0) return 0;
  return pid;
}

}  // namespace plenwick
