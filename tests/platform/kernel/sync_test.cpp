// Threads, waits, mutexes and events: the behaviour the programs build on
// (try-locks that never block, recursive mutexes, abandonment, thread
// handles as "still running" flags, waits that never hang on a closed
// handle).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "win/kernel.h"

namespace {

using Clock = std::chrono::steady_clock;

long ElapsedMs(Clock::time_point since) {
  return (long)std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count();
}

struct Holder {
  HANDLE mutex;
  HANDLE taken;    // set once the thread owns the mutex
  HANDLE release;  // the thread releases (or, when never set, just ends)
  bool releaseAtEnd;
};

DWORD WINAPI HoldMutex(LPVOID p) {
  auto *h = (Holder *)p;
  if (WaitForSingleObject(h->mutex, INFINITE) != WAIT_OBJECT_0) return 1;
  SetEvent(h->taken);
  WaitForSingleObject(h->release, INFINITE);
  if (h->releaseAtEnd) ReleaseMutex(h->mutex);
  return 7;
}

TEST(SyncMutex, HeldByAnotherThreadTimesOutAndIsRecursiveForTheOwner) {
  Holder h{CreateMutex(NULL, FALSE, NULL), CreateEvent(NULL, TRUE, FALSE, NULL),
           CreateEvent(NULL, TRUE, FALSE, NULL), true};
  HANDLE t = CreateThread(NULL, 0, HoldMutex, &h, 0, NULL);
  ASSERT_NE(t, 0u);
  ASSERT_EQ(WaitForSingleObject(h.taken, 5000), WAIT_OBJECT_0);

  auto t0 = Clock::now();
  EXPECT_EQ(WaitForSingleObject(h.mutex, 0), WAIT_TIMEOUT);
  EXPECT_LT(ElapsedMs(t0), 1000);  // a blocking try-lock would never return
  t0 = Clock::now();
  EXPECT_EQ(WaitForSingleObject(h.mutex, 50), WAIT_TIMEOUT);
  EXPECT_GE(ElapsedMs(t0), 45);
  SetLastError(0);
  EXPECT_FALSE(ReleaseMutex(h.mutex));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_NOT_OWNER);

  SetEvent(h.release);
  EXPECT_EQ(WaitForSingleObject(h.mutex, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(h.mutex, 0), WAIT_OBJECT_0);  // again, recursively
  EXPECT_TRUE(ReleaseMutex(h.mutex));
  // Still held once: another thread cannot take it yet.
  h.taken = CreateEvent(NULL, TRUE, FALSE, NULL);
  HANDLE t2 = CreateThread(NULL, 0, HoldMutex, &h, 0, NULL);
  EXPECT_EQ(WaitForSingleObject(h.taken, 50), WAIT_TIMEOUT);
  EXPECT_TRUE(ReleaseMutex(h.mutex));
  EXPECT_EQ(WaitForSingleObject(h.taken, 5000), WAIT_OBJECT_0);
  EXPECT_FALSE(ReleaseMutex(h.mutex));  // released as often as taken

  EXPECT_EQ(WaitForSingleObject(t2, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(t, 5000), WAIT_OBJECT_0);
  for (HANDLE x : {t, t2, h.mutex, h.taken, h.release}) EXPECT_TRUE(CloseHandle(x));
}

TEST(SyncMutex, OwnerEndingWhileHoldingAbandonsIt) {
  Holder h{CreateMutex(NULL, FALSE, NULL), CreateEvent(NULL, TRUE, FALSE, NULL),
           CreateEvent(NULL, TRUE, TRUE, NULL), false};
  HANDLE t = CreateThread(NULL, 0, HoldMutex, &h, 0, NULL);
  ASSERT_EQ(WaitForSingleObject(t, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(h.mutex, 0), WAIT_ABANDONED);
  // The abandoned result goes to one waiter only; it owns the mutex now.
  EXPECT_EQ(WaitForSingleObject(h.mutex, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(ReleaseMutex(h.mutex));
  EXPECT_TRUE(ReleaseMutex(h.mutex));
  EXPECT_EQ(WaitForSingleObject(h.mutex, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(ReleaseMutex(h.mutex));
  for (HANDLE x : {t, h.mutex, h.taken, h.release}) CloseHandle(x);
}

TEST(SyncMutex, InitiallyOwnedBelongsToTheCreator) {
  HANDLE m = CreateMutex(NULL, TRUE, NULL);
  Holder h{m, CreateEvent(NULL, TRUE, FALSE, NULL), CreateEvent(NULL, TRUE, TRUE, NULL), true};
  HANDLE t = CreateThread(NULL, 0, HoldMutex, &h, 0, NULL);
  EXPECT_EQ(WaitForSingleObject(h.taken, 30), WAIT_TIMEOUT);
  EXPECT_TRUE(ReleaseMutex(m));
  EXPECT_EQ(WaitForSingleObject(t, 5000), WAIT_OBJECT_0);
  for (HANDLE x : {t, m, h.taken, h.release}) CloseHandle(x);
}

struct Blocked {
  HANDLE mutex;
  std::atomic<DWORD> result{0};
  std::atomic<DWORD> error{0};
};

DWORD WINAPI WaitLong(LPVOID p) {
  auto *b = (Blocked *)p;
  b->result = WaitForSingleObject(b->mutex, INFINITE);
  b->error = GetLastError();
  return 0;
}

TEST(SyncWait, ClosedOrInvalidHandlesFailAtOnce) {
  HANDLE m = CreateMutex(NULL, FALSE, NULL);
  ASSERT_TRUE(CloseHandle(m));
  auto t0 = Clock::now();
  EXPECT_EQ(WaitForSingleObject(m, INFINITE), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
  EXPECT_EQ(WaitForSingleObject(0, INFINITE), WAIT_FAILED);
  EXPECT_EQ(WaitForSingleObject(INVALID_HANDLE_VALUE, INFINITE), WAIT_FAILED);
  EXPECT_LT(ElapsedMs(t0), 1000);
  EXPECT_FALSE(CloseHandle(m));

  // Closing the handle a thread is waiting on ends that wait.
  Blocked b;
  b.mutex = CreateMutex(NULL, TRUE, NULL);
  HANDLE t = CreateThread(NULL, 0, WaitLong, &b, 0, NULL);
  EXPECT_EQ(WaitForSingleObject(t, 30), WAIT_TIMEOUT);
  CloseHandle(b.mutex);
  ASSERT_EQ(WaitForSingleObject(t, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(b.result.load(), WAIT_FAILED);
  EXPECT_EQ(b.error.load(), (DWORD)ERROR_INVALID_HANDLE);
  CloseHandle(t);
}

DWORD WINAPI WaitForEvent(LPVOID p) {
  return WaitForSingleObject((HANDLE)(uintptr_t)p, INFINITE) == WAIT_OBJECT_0 ? 42 : 1;
}

TEST(SyncThread, HandleSignalledOnlyAfterTheThreadEnds) {
  HANDLE go = CreateEvent(NULL, TRUE, FALSE, NULL);
  DWORD tid = 0, code = 0;
  HANDLE t = CreateThread(NULL, 0, WaitForEvent, (LPVOID)(uintptr_t)go, 0, &tid);
  ASSERT_NE(t, 0u);
  EXPECT_NE(tid, 0u);
  EXPECT_NE(tid, GetCurrentThreadId());
  EXPECT_EQ(WaitForSingleObject(t, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(GetExitCodeThread(t, &code));
  EXPECT_EQ(code, (DWORD)STILL_ACTIVE);
  SetEvent(go);
  EXPECT_EQ(WaitForSingleObject(t, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(t, 0), WAIT_OBJECT_0);  // stays signalled
  EXPECT_TRUE(GetExitCodeThread(t, &code));
  EXPECT_EQ(code, 42u);
  CloseHandle(t);
  CloseHandle(go);
}

unsigned WINAPI ReturnArg(void *p) { return (unsigned)(uintptr_t)p; }
void Touch(void *p) { ((std::atomic<int> *)p)->store(1); }

TEST(SyncThread, RuntimeStarters) {
  unsigned tid = 0;
  HANDLE t = (HANDLE)_beginthreadex(NULL, 0, ReturnArg, (void *)5, 0, &tid);
  ASSERT_NE(t, 0u);
  EXPECT_NE(tid, 0u);
  DWORD code = 0;
  EXPECT_EQ(WaitForSingleObject(t, 5000), WAIT_OBJECT_0);
  EXPECT_TRUE(GetExitCodeThread(t, &code));
  EXPECT_EQ(code, 5u);
  CloseHandle(t);

  std::atomic<int> touched{0};
  uintptr_t h = _beginthread(Touch, 0, &touched);
  ASSERT_NE(h, (uintptr_t)-1);
  // Its handle closes itself at the end, so the wait ends either way.
  DWORD r = WaitForSingleObject((HANDLE)h, 5000);
  EXPECT_TRUE(r == WAIT_OBJECT_0 || r == WAIT_FAILED);
  for (int i = 0; i < 500 && !touched; ++i) Sleep(1);
  EXPECT_EQ(touched.load(), 1);
}

TEST(SyncEvent, ManualAndAutoReset) {
  HANDLE manual = CreateEvent(NULL, TRUE, TRUE, NULL);
  HANDLE autoEv = CreateEvent(NULL, FALSE, TRUE, NULL);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(autoEv, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(autoEv, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(ResetEvent(manual));
  EXPECT_EQ(WaitForSingleObject(manual, 10), WAIT_TIMEOUT);
  EXPECT_TRUE(SetEvent(autoEv));
  EXPECT_EQ(WaitForSingleObject(autoEv, 0), WAIT_OBJECT_0);
  EXPECT_FALSE(SetEvent(0));
  CloseHandle(manual);
  CloseHandle(autoEv);
}

TEST(SyncWait, MultipleAnyAndAll) {
  HANDLE a = CreateEvent(NULL, FALSE, FALSE, NULL);
  HANDLE b = CreateEvent(NULL, FALSE, TRUE, NULL);
  HANDLE hs[2] = {a, b};
  EXPECT_EQ(WaitForMultipleObjects(2, hs, TRUE, 0), WAIT_TIMEOUT);
  // The failed wait-all took nothing: b is still set.
  EXPECT_EQ(WaitForMultipleObjects(2, hs, FALSE, 0), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(WaitForMultipleObjects(2, hs, FALSE, 20), WAIT_TIMEOUT);
  SetEvent(a);
  SetEvent(b);
  EXPECT_EQ(WaitForMultipleObjects(2, hs, TRUE, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForMultipleObjects(2, hs, FALSE, 0), WAIT_TIMEOUT);  // both taken
  EXPECT_EQ(WaitForMultipleObjects(0, hs, FALSE, 0), WAIT_FAILED);
  CloseHandle(a);
  CloseHandle(b);
}

}  // namespace
