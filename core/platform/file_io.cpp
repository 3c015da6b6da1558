// Reading whole files and writing them atomically (temporary file, fsync, rename).
#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
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

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }
  int get() const { return fd_; }
  int Close() {
    int rc = 0;
    if (fd_ >= 0) rc = ::close(fd_);
    fd_ = -1;
    return rc;
  }

 private:
  int fd_;
};

}  // namespace

void SetWriteFaultInjector(WriteFaultInjector injector) { Injector() = std::move(injector); }

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string* error, std::size_t maxBytes) {
  out.clear();
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (error) *error = Describe("cannot open", path, errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) {
    if (error) *error = Describe("cannot read", path, errno);
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    if (error) *error = "cannot read " + path + ": it is a folder";
    return false;
  }
  if (S_ISREG(st.st_mode)) {
    if (static_cast<std::size_t>(st.st_size) > maxBytes) {
      if (error) *error = "cannot read " + path + ": the file is too large";
      return false;
    }
    out.reserve(static_cast<std::size_t>(st.st_size));
  }
  uint8_t buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (error) *error = Describe("cannot read", path, errno);
      return false;
    }
    if (n == 0) break;
    if (out.size() + static_cast<std::size_t>(n) > maxBytes) {
      if (error) *error = "cannot read " + path + ": the file is too large";
      return false;
    }
    out.insert(out.end(), buffer, buffer + n);
  }
  return true;
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes, std::string* error) {
  std::string tmp = path + ".tmpXXXXXX";
  FileDescriptor fd(::mkstemp(tmp.data()));
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
  // mkstemp creates 0600; a drawing gets the usual permissions of a new file.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd.get(), 0666 & ~mask);

  std::size_t written = 0;
  while (written < bytes.size()) {
    const std::size_t chunk = std::min<std::size_t>(bytes.size() - written, std::size_t{1} << 20);
    if (Injector() && !Injector()(written)) return fail("cannot write", ENOSPC);
    const ssize_t n = ::write(fd.get(), bytes.data() + written, chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail("cannot write", errno);
    }
    written += static_cast<std::size_t>(n);
  }
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
  return true;
}

}  // namespace plenwick
