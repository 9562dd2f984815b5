// Threads under the Windows names: a handle per thread that becomes
// signalled when the thread ends and keeps its exit code.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <thread>

#include "waitable.h"
#include "win/kernel.h"

namespace tavo {
namespace {

class ThreadObj : public Completion {
 public:
  ThreadObj() : Completion(KType::Thread) {}
};

// Starts body on a new thread and returns its handle (0 on failure, with the
// last error set). The new thread's id is known before this returns.
HANDLE StartThread(std::function<DWORD()> body, DWORD *threadId, bool closeAtEnd) {
  auto obj = std::make_shared<ThreadObj>();
  HANDLE h = NewHandle(obj);
  if (!h) return 0;

  struct Start {
    std::mutex m;
    std::condition_variable cv;
    DWORD tid = 0;
  };
  auto start = std::make_shared<Start>();
  try {
    std::thread([obj, body = std::move(body), start, h, closeAtEnd]() {
      {
        std::lock_guard<std::mutex> g(start->m);
        start->tid = GetCurrentThreadId();
      }
      start->cv.notify_one();
      DWORD code = body();
      // Mutexes left held are abandoned before anyone can see the thread as
      // ended, so a waiter that saw the end also sees them free.
      AbandonOwnedMutexes();
      obj->Finish(code);
      if (closeAtEnd) CloseKernelHandle(h);
    }).detach();
  } catch (...) {
    CloseKernelHandle(h);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  std::unique_lock<std::mutex> lk(start->m);
  start->cv.wait(lk, [&] { return start->tid != 0; });
  if (threadId) *threadId = start->tid;
  return h;
}

}  // namespace
}  // namespace tavo

using namespace tavo;

HANDLE CreateThread(LPSECURITY_ATTRIBUTES sa, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID param,
                    DWORD flags, LPDWORD threadId) {
  if (!start) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (flags & CREATE_SUSPENDED) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
  }
  HANDLE h = StartThread([start, param] { return start(param); }, threadId, false);
  if (h && sa && sa->bInheritHandle) SetHandleInheritable(h, true);
  return h;
}

uintptr_t _beginthreadex(void *security, unsigned, unsigned(WINAPI *start)(void *), void *arg,
                         unsigned flags, unsigned *threadId) {
  if (!start) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (flags & CREATE_SUSPENDED) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
  }
  DWORD tid = 0;
  HANDLE h = StartThread([start, arg] { return (DWORD)start(arg); }, &tid, false);
  auto *sa = (LPSECURITY_ATTRIBUTES)security;
  if (h && sa && sa->bInheritHandle) SetHandleInheritable(h, true);
  if (h && threadId) *threadId = tid;
  return h;
}

uintptr_t _beginthread(void (*start)(void *), unsigned, void *arg) {
  if (!start) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return (uintptr_t)-1;
  }
  HANDLE h = StartThread(
      [start, arg] {
        start(arg);
        return (DWORD)0;
      },
      nullptr, true);
  return h ? h : (uintptr_t)-1;
}

BOOL GetExitCodeThread(HANDLE h, LPDWORD exitCode) {
  auto t = LookupHandle(h);
  if (!t || t->Type() != KType::Thread || !exitCode) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *exitCode = std::static_pointer_cast<Completion>(t)->ExitCode();
  return TRUE;
}

void Sleep(DWORD milliseconds) {
  if (milliseconds == INFINITE) {
    for (;;) std::this_thread::sleep_for(std::chrono::hours(24));
  }
  if (milliseconds == 0)
    std::this_thread::yield();
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
