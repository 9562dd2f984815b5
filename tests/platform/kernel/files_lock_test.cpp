// Byte-range locks: per handle as on Windows, across processes, waited for,
// and ended with the handle or the process whatever becomes of a started
// program.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "windows.h"

namespace {

class FileLocks : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tavo_laas_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    sti_ = dir_ + "/gemning.laas";
  }
  void TearDown() override {
    std::string cmd = "rm -rf '" + dir_ + "'";
    (void)!system(cmd.c_str());
  }
  HANDLE Aabn() {
    return CreateFileA(sti_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
  }
  std::string dir_, sti_;
};

BOOL Laas(HANDLE h, DWORD flags, DWORD start = 0, DWORD n = 1) {
  OVERLAPPED ov{};
  ov.Offset = start;
  return LockFileEx(h, flags | LOCKFILE_FAIL_IMMEDIATELY, 0, n, 0, &ov);
}
BOOL LaasOp(HANDLE h, DWORD start = 0, DWORD n = 1) {
  OVERLAPPED ov{};
  ov.Offset = start;
  return UnlockFileEx(h, 0, n, 0, &ov);
}

TEST_F(FileLocks, TwoHandlesInOneProcessExcludeEachOtherByRange) {
  HANDLE a = Aabn(), b = Aabn();
  ASSERT_NE(a, INVALID_HANDLE_VALUE);
  ASSERT_NE(b, INVALID_HANDLE_VALUE);
  const struct {
    DWORD flagsA, startA, flagsB, startB;
    bool bFaar;
  } tilfaelde[] = {
      {LOCKFILE_EXCLUSIVE_LOCK, 0, LOCKFILE_EXCLUSIVE_LOCK, 0, false},
      {LOCKFILE_EXCLUSIVE_LOCK, 0, 0, 0, false},
      {0, 0, LOCKFILE_EXCLUSIVE_LOCK, 0, false},
      {0, 0, 0, 0, true},
      {LOCKFILE_EXCLUSIVE_LOCK, 0, LOCKFILE_EXCLUSIVE_LOCK, 1, true},  // beside it
      {LOCKFILE_EXCLUSIVE_LOCK, 1u << 20, LOCKFILE_EXCLUSIVE_LOCK, 1u << 20, false},  // past the end
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(std::to_string(t.flagsA) + "@" + std::to_string(t.startA) + " then " +
                 std::to_string(t.flagsB) + "@" + std::to_string(t.startB));
    ASSERT_TRUE(Laas(a, t.flagsA, t.startA));
    SetLastError(0);
    EXPECT_EQ(Laas(b, t.flagsB, t.startB) != FALSE, t.bFaar);
    if (t.bFaar) {
      EXPECT_TRUE(LaasOp(b, t.startB));
    } else {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_LOCK_VIOLATION));
    }
    ASSERT_TRUE(LaasOp(a, t.startA));
    // Once ended, the other handle gets the same range.
    EXPECT_TRUE(Laas(b, LOCKFILE_EXCLUSIVE_LOCK, t.startA));
    EXPECT_TRUE(LaasOp(b, t.startA));
  }
  // The same handle takes its own range again (locks do not stack up
  // against themselves), and closing it ends the lock.
  ASSERT_TRUE(Laas(a, LOCKFILE_EXCLUSIVE_LOCK));
  EXPECT_TRUE(Laas(a, LOCKFILE_EXCLUSIVE_LOCK));
  EXPECT_FALSE(Laas(b, LOCKFILE_EXCLUSIVE_LOCK));
  CloseHandle(a);
  EXPECT_TRUE(Laas(b, LOCKFILE_EXCLUSIVE_LOCK));
  CloseHandle(b);
}

TEST_F(FileLocks, RefusesWhatItCannotLock) {
  HANDLE h = Aabn();
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  OVERLAPPED ov{};
  EXPECT_FALSE(LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 0, 0, &ov));  // an empty range
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 1, 1, 0, &ov));  // reserved must be 0
  EXPECT_FALSE(LockFileEx(static_cast<HANDLE>(0x7777), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &ov));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  CloseHandle(h);
  HANDLE r = CreateFileA(sti_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         0, 0);
  ASSERT_NE(r, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Laas(r, LOCKFILE_EXCLUSIVE_LOCK));  // read access only
  EXPECT_TRUE(Laas(r, 0));
  CloseHandle(r);
}

TEST_F(FileLocks, AWaitingLockIsGrantedWhenTheRangeIsFreed) {
  HANDLE a = Aabn(), b = Aabn();
  ASSERT_TRUE(Laas(a, LOCKFILE_EXCLUSIVE_LOCK));
  std::atomic<bool> fik{false};
  std::thread t([&] {
    OVERLAPPED ov{};
    fik = LockFileEx(b, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &ov) != FALSE;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(fik.load()) << "granted while held";
  ASSERT_TRUE(LaasOp(a));
  t.join();
  EXPECT_TRUE(fik.load());
  CloseHandle(a);
  CloseHandle(b);
}

// Another process is refused while this one holds the lock; a program this
// one started does not keep it after this one lets go, and a process that
// is killed loses it.
TEST_F(FileLocks, AcrossProcessesAndNotKeptByAStartedProgram) {
  HANDLE a = Aabn();
  ASSERT_TRUE(Laas(a, LOCKFILE_EXCLUSIVE_LOCK));
  auto provIAndenProces = [&]() {
    const pid_t pid = fork();
    if (pid == 0) {
      // A fresh open in a process of its own.
      HANDLE h = Aabn();
      _exit(h != INVALID_HANDLE_VALUE && Laas(h, LOCKFILE_EXCLUSIVE_LOCK) ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  };
  EXPECT_FALSE(provIAndenProces());

  // A started program (exec) runs on while this process closes its handle.
  const pid_t barn = fork();
  if (barn == 0) {
    execl("/bin/sleep", "sleep", "5", static_cast<char *>(nullptr));
    _exit(127);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  CloseHandle(a);
  EXPECT_TRUE(provIAndenProces()) << "the started program kept the lock";
  kill(barn, SIGKILL);
  waitpid(barn, nullptr, 0);

  // A holder that is killed loses the lock.
  int roer[2];
  ASSERT_EQ(pipe(roer), 0);
  const pid_t holder = fork();
  if (holder == 0) {
    HANDLE h = Aabn();
    const char ok = Laas(h, LOCKFILE_EXCLUSIVE_LOCK) ? 'j' : 'n';
    (void)!write(roer[1], &ok, 1);
    pause();
    _exit(0);
  }
  char ok = 0;
  ASSERT_EQ(read(roer[0], &ok, 1), 1);
  EXPECT_EQ(ok, 'j');
  HANDLE b = Aabn();
  EXPECT_FALSE(Laas(b, LOCKFILE_EXCLUSIVE_LOCK));
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  OVERLAPPED ov{};
  EXPECT_TRUE(LockFileEx(b, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &ov));
  CloseHandle(b);
  close(roer[0]);
  close(roer[1]);
}

}  // namespace
