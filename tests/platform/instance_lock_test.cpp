// Guards the run lock: while its process lives nobody else can take it, and once the process is
// gone (killed with SIGKILL, or a lock file of a process id that no longer runs) the lock is
// recognised as stale and can be taken over once.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "platform/instance_lock.h"
#include "support/scoped_temp_folder.h"

namespace plenwick {
namespace {

TEST(InstanceLockTest, ALiveRunsLockIsKeptAndADeadRunsLockIsTakenOverOnce) {
  testing::ScopedTempFolder tmp;
  const std::string path = tmp / "run.lock";

  // Another process holds the lock, then dies by SIGKILL.
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    InstanceLock own;
    const char ok = own.Create(path) ? 'y' : 'n';
    (void)!::write(ready[1], &ok, 1);
    for (;;) ::pause();
  }
  char ok = 0;
  ASSERT_EQ(::read(ready[0], &ok, 1), 1);
  ASSERT_EQ(ok, 'y');
  EXPECT_EQ(LockFileProcess(path), child);
  InstanceLock claim;
  EXPECT_FALSE(claim.ClaimStale(path)) << "the run still lives";
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  ASSERT_TRUE(claim.ClaimStale(path)) << "the run was killed";
  InstanceLock second;
  EXPECT_FALSE(second.ClaimStale(path)) << "taken over by one run only";
  claim.Remove();
  EXPECT_FALSE(second.ClaimStale(path)) << "gone once the run that took it is done";

  // A lock file naming a process id that no longer runs, written by nobody who holds it.
  std::ofstream(path) << child << "\n";
  EXPECT_TRUE(second.ClaimStale(path));
  // This process's own lock: a lock file by that name exists, so a second cannot be made.
  InstanceLock own;
  EXPECT_FALSE(own.Create(path));
  ::close(ready[0]);
  ::close(ready[1]);
}

}  // namespace
}  // namespace plenwick
