#pragma once
// Objects a thread can wait on. All their wait state is guarded by one
// process-wide lock and one condition variable: waits on several objects at
// once (bWaitAll) must see and take every object in one step, and state
// changes are rare enough that one lock costs nothing.

#include <condition_variable>
#include <mutex>

#include "handles.h"

namespace tavo {

std::mutex &SyncLock();
std::condition_variable &SyncChanged();

class Waitable : public KernelObject {
 public:
  using KernelObject::KernelObject;

  // Both called with SyncLock() held. IsSignalled answers for the given
  // thread (a mutex is free for its owner); Acquire takes the object for a
  // wait that succeeded and returns true when that took an abandoned mutex.
  virtual bool IsSignalled(DWORD tid) const = 0;
  virtual bool Acquire(DWORD tid) { return false; }

  void OnHandleClosed() override;
};

// A thread or process: signalled once it has ended, with its exit code.
class Completion : public Waitable {
 public:
  using Waitable::Waitable;
  bool IsSignalled(DWORD) const override { return done_; }

  // Marks the end and wakes the waiters.
  void Finish(DWORD exitCode);
  // STILL_ACTIVE until finished.
  DWORD ExitCode() const;
  bool Done() const;

 private:
  bool done_ = false;
  DWORD exitCode_ = 0;
};

// Releases every mutex the calling thread still owns, marking each
// abandoned. Thread ends call it before their handle becomes signalled.
void AbandonOwnedMutexes();

}  // namespace tavo
