// Mutexes, events and the waits on every waitable object.

#include <algorithm>
#include <chrono>
#include <vector>

#include "waitable.h"
#include "win/kernel.h"

namespace tavo {

std::mutex &SyncLock() {
  static std::mutex *m = new std::mutex;  // thread ends use it during exit
  return *m;
}

std::condition_variable &SyncChanged() {
  static std::condition_variable *cv = new std::condition_variable;
  return *cv;
}

void Waitable::OnHandleClosed() {
  std::lock_guard<std::mutex> g(SyncLock());
  SyncChanged().notify_all();
}

void Completion::Finish(DWORD exitCode) {
  std::lock_guard<std::mutex> g(SyncLock());
  if (done_) return;
  done_ = true;
  exitCode_ = exitCode;
  SyncChanged().notify_all();
}

DWORD Completion::ExitCode() const {
  std::lock_guard<std::mutex> g(SyncLock());
  return done_ ? exitCode_ : (DWORD)STILL_ACTIVE;
}

bool Completion::Done() const {
  std::lock_guard<std::mutex> g(SyncLock());
  return done_;
}

namespace {

class MutexObj;

// The mutexes a thread owns, so that they can be abandoned when it ends,
// whoever started the thread.
struct OwnedMutexes {
  std::vector<std::weak_ptr<MutexObj>> list;
  ~OwnedMutexes() { AbandonOwnedMutexes(); }
};
thread_local OwnedMutexes t_owned;

class MutexObj : public Waitable, public std::enable_shared_from_this<MutexObj> {
 public:
  MutexObj() : Waitable(KType::Mutex) {}

  bool IsSignalled(DWORD tid) const override { return owner_ == 0 || owner_ == tid; }

  bool Acquire(DWORD tid) override {
    if (owner_ == tid) {
      ++count_;
      return false;
    }
    owner_ = tid;
    count_ = 1;
    t_owned.list.push_back(weak_from_this());
    bool was = abandoned_;
    abandoned_ = false;
    return was;
  }

  // With SyncLock() held.
  bool Release(DWORD tid) {
    if (owner_ != tid || count_ == 0) return false;
    if (--count_ == 0) {
      owner_ = 0;
      Forget();
      SyncChanged().notify_all();
    }
    return true;
  }

  // With SyncLock() held, by the owner thread as it ends.
  void Abandon(DWORD tid) {
    if (owner_ != tid) return;
    owner_ = 0;
    count_ = 0;
    abandoned_ = true;
    SyncChanged().notify_all();
  }

 private:
  void Forget() {
    auto &l = t_owned.list;
    l.erase(std::remove_if(l.begin(), l.end(),
                           [this](const std::weak_ptr<MutexObj> &w) {
                             auto p = w.lock();
                             return !p || p.get() == this;
                           }),
            l.end());
  }

  DWORD owner_ = 0;
  DWORD count_ = 0;
  bool abandoned_ = false;
};

class EventObj : public Waitable {
 public:
  EventObj(bool manual, bool state) : Waitable(KType::Event), manual_(manual), state_(state) {}
  bool IsSignalled(DWORD) const override { return state_; }
  bool Acquire(DWORD) override {
    if (!manual_) state_ = false;
    return false;
  }
  void Set(bool state) {
    state_ = state;
    if (state) SyncChanged().notify_all();
  }

 private:
  bool manual_;
  bool state_;
};

}  // namespace

void AbandonOwnedMutexes() {
  DWORD tid = GetCurrentThreadId();
  std::lock_guard<std::mutex> g(SyncLock());
  auto list = std::move(t_owned.list);
  t_owned.list.clear();
  for (auto &w : list)
    if (auto m = w.lock()) m->Abandon(tid);
}

}  // namespace tavo

using namespace tavo;

HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES sa, BOOL initialOwner, LPCSTR name) {
  if (name && *name) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
  }
  auto m = std::make_shared<MutexObj>();
  if (initialOwner) {
    std::lock_guard<std::mutex> g(SyncLock());
    m->Acquire(GetCurrentThreadId());
  }
  HANDLE h = NewHandle(m);
  if (h && sa && sa->bInheritHandle) SetHandleInheritable(h, true);
  return h;
}

BOOL ReleaseMutex(HANDLE h) {
  auto m = LookupHandleAs<MutexObj>(h, KType::Mutex);
  if (!m) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DWORD tid = GetCurrentThreadId();
  std::lock_guard<std::mutex> g(SyncLock());
  if (!m->Release(tid)) {
    SetLastError(ERROR_NOT_OWNER);
    return FALSE;
  }
  return TRUE;
}

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES sa, BOOL manualReset, BOOL initialState, LPCSTR name) {
  if (name && *name) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
  }
  HANDLE h = NewHandle(std::make_shared<EventObj>(manualReset != 0, initialState != 0));
  if (h && sa && sa->bInheritHandle) SetHandleInheritable(h, true);
  return h;
}

static BOOL SetEventState(HANDLE h, bool state) {
  auto e = LookupHandleAs<EventObj>(h, KType::Event);
  if (!e) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  std::lock_guard<std::mutex> g(SyncLock());
  e->Set(state);
  return TRUE;
}

BOOL SetEvent(HANDLE h) { return SetEventState(h, true); }
BOOL ResetEvent(HANDLE h) { return SetEventState(h, false); }

DWORD WaitForMultipleObjects(DWORD count, const HANDLE *handles, BOOL waitAll,
                             DWORD milliseconds) {
  if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || !handles) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  std::vector<std::shared_ptr<Waitable>> objs(count);
  for (DWORD i = 0; i < count; ++i) {
    auto o = LookupHandle(handles[i]);
    KType t = o ? o->Type() : KType::Other;
    if (t != KType::Thread && t != KType::Process && t != KType::Mutex && t != KType::Event) {
      SetLastError(ERROR_INVALID_HANDLE);
      return WAIT_FAILED;
    }
    objs[i] = std::static_pointer_cast<Waitable>(o);
  }

  const DWORD tid = GetCurrentThreadId();
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  std::unique_lock<std::mutex> lk(SyncLock());
  for (;;) {
    // A handle closed while we wait ends the wait: the object may live on in
    // another handle, but the caller's handle no longer names it.
    for (DWORD i = 0; i < count; ++i) {
      if (LookupHandle(handles[i]) != objs[i]) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
      }
    }
    if (waitAll) {
      bool all = true;
      for (auto &o : objs) all = all && o->IsSignalled(tid);
      if (all) {
        DWORD result = WAIT_OBJECT_0;
        for (DWORD i = 0; i < count; ++i)
          if (objs[i]->Acquire(tid) && result == WAIT_OBJECT_0) result = WAIT_ABANDONED_0 + i;
        return result;
      }
    } else {
      for (DWORD i = 0; i < count; ++i) {
        if (objs[i]->IsSignalled(tid))
          return objs[i]->Acquire(tid) ? WAIT_ABANDONED_0 + i : WAIT_OBJECT_0 + i;
      }
    }
    if (milliseconds == 0) return WAIT_TIMEOUT;
    if (milliseconds == INFINITE) {
      SyncChanged().wait(lk);
    } else if (SyncChanged().wait_until(lk, deadline) == std::cv_status::timeout) {
      // One last look: the state may have changed just as time ran out.
      milliseconds = 0;
    }
  }
}

DWORD WaitForSingleObject(HANDLE h, DWORD milliseconds) {
  return WaitForMultipleObjects(1, &h, FALSE, milliseconds);
}
