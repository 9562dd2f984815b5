// Fault injection for tests: the n-th file-changing call fails with a chosen
// Windows error. Off unless a test starts it; then every counted call takes
// one atomic step, so calls from several threads are counted once each.
#include "faulthook.h"

#include <errno.h>

#include <atomic>

#include "pathmap.h"
#include "tavo/test_file.h"
#include "win/kernel.h"

namespace {

std::atomic<bool> g_running{false};
std::atomic<unsigned> g_calls{0};
std::atomic<unsigned> g_failAt{0};
std::atomic<DWORD> g_error{0};
std::atomic<bool> g_happened{false};

}  // namespace

namespace tavo {

bool FileFaultsRunning() { return g_running.load(); }

bool CountFileCall() {
  if (!g_running.load()) return true;
  const unsigned n = g_calls.fetch_add(1) + 1;
  if (n != g_failAt.load()) return true;
  g_happened.store(true);
  const DWORD e = g_error.load();
  SetLastError(e);
  errno = ErrnoFromWinError(e);
  return false;
}

}  // namespace tavo

namespace tavo::test {

void StartFileFaults(unsigned n, DWORD error) {
  g_running.store(false);
  g_calls.store(0);
  g_failAt.store(n);
  g_error.store(error);
  g_happened.store(false);
  g_running.store(true);
}

unsigned FileCallsCounted() { return g_calls.load(); }

bool FileFaultHappened() { return g_happened.load(); }

void StopFileFaults() {
  g_running.store(false);
  g_failAt.store(0);
}

}  // namespace tavo::test
