#include "tavo/assert.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace tavo {

namespace {
std::atomic<AssertLogFn> g_log{nullptr};
std::atomic<AssertCleanupFn> g_cleanup{nullptr};
std::atomic<bool> g_failing{false};
}  // namespace

void SetAssertHandlers(AssertLogFn log, AssertCleanupFn cleanup) {
  g_log = log;
  g_cleanup = cleanup;
}

void AssertFailed(const char *expr, const char *file, int line) {
  char msg[512];
  char module[128];
  // Module name without extension.
  std::snprintf(module, sizeof module, "%s", file);
  if (char *dot = std::strrchr(module, '.')) *dot = 0;
  std::snprintf(msg, sizeof msg, "Assertion failed: %s, file %s, line %d", expr, module, line);

  // A second failure inside the handlers must not recurse.
  if (!g_failing.exchange(true)) {
    if (AssertLogFn log = g_log.load()) log(msg);
    if (AssertCleanupFn cleanup = g_cleanup.load()) cleanup();
  }
  std::fprintf(stderr, "%s\n", msg);
  std::fflush(nullptr);
  _exit(kAssertExitCode);
}

}  // namespace tavo
