#include <atomic>

#include <unistd.h>

#include "win/kernel.h"

namespace {
thread_local DWORD t_lastError = 0;
thread_local DWORD t_threadId = 0;
std::atomic<DWORD> g_nextThreadId{1};
}  // namespace

DWORD GetLastError(void) { return t_lastError; }
void SetLastError(DWORD err) { t_lastError = err; }

DWORD GetCurrentThreadId(void) {
  if (t_threadId == 0) t_threadId = g_nextThreadId.fetch_add(1);
  return t_threadId;
}

DWORD GetCurrentProcessId(void) { return (DWORD)getpid(); }
