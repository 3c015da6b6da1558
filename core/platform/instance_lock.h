// Lock files that tell runs of the program apart: a live run holds its lock file locked, and the
// system drops the lock when the process ends however it ends (also by SIGKILL or a power cut),
// so a lock file nobody holds belongs to a run that has ended.
#pragma once

#include <string>

namespace plenwick {

class InstanceLock {
 public:
  InstanceLock() = default;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  InstanceLock(InstanceLock&& other) noexcept;
  InstanceLock& operator=(InstanceLock&& other) noexcept;
  // Lets go of the lock; the file stays, to be found stale by a later run.
  ~InstanceLock();

  // Creates the lock file `path` holding this process's id, locked for as long as this object
  // holds it. False with `error` set when it cannot be made (it exists already, the folder is
  // not writable).
  bool Create(const std::string& path, std::string* error = nullptr);
  // Takes over the lock file of a run that has ended. False when its run still holds it, or the
  // file is gone (another run took it over and finished with it).
  bool ClaimStale(const std::string& path);
  // Deletes the lock file and lets go of the lock.
  void Remove();

  bool held() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }

 private:
  void Release();

  std::string path_;
  int fd_ = -1;
};

// The process id a lock file names; 0 when it names none (or cannot be read).
long LockFileProcess(const std::string& path);

}  // namespace plenwick
