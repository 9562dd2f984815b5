#pragma once
// The kernel's handle table. Every kernel object (file, pipe, thread,
// process, mutex, event, find search ...) is a KernelObject reached through
// a 32-bit HANDLE. Handle values are given out in increasing order and are
// not reused until the counter wraps, so a stale handle fails instead of
// reaching a newer object.

#include <memory>

#include "win/types.h"

namespace tavo {

enum class KType { File, Pipe, Thread, Process, Mutex, Event, Find, Other };

class KernelObject {
 public:
  explicit KernelObject(KType type) : type_(type) {}
  virtual ~KernelObject() = default;
  KType Type() const { return type_; }

  // ReadFile/WriteFile land here; objects that cannot be read or written
  // keep the defaults, which fail with ERROR_INVALID_HANDLE.
  virtual bool Read(void *buf, DWORD len, DWORD *got);
  virtual bool Write(const void *buf, DWORD len, DWORD *put);

  // Called when the last handle to the object is closed.
  virtual void OnLastClose() {}

  // Called after any one handle to the object was closed, so that a thread
  // waiting on that handle can give up instead of waiting for ever.
  virtual void OnHandleClosed() {}

  // The Linux descriptor behind the object, for handing it to a child
  // process as a standard handle; -1 when there is none.
  virtual int PosixFd() const { return -1; }

 private:
  KType type_;
};

// Registers an object and returns its new handle (0 only when the table is
// exhausted).
HANDLE NewHandle(std::shared_ptr<KernelObject> obj);

// The object of a handle, or null when the handle is not open.
std::shared_ptr<KernelObject> LookupHandle(HANDLE h);

template <class T>
std::shared_ptr<T> LookupHandleAs(HANDLE h, KType type) {
  auto obj = LookupHandle(h);
  if (!obj || obj->Type() != type) return nullptr;
  return std::static_pointer_cast<T>(obj);
}

// Adds another handle to the same object (DuplicateHandle).
HANDLE DuplicateKernelHandle(HANDLE h);

// Removes the handle; returns false when it was not open.
bool CloseKernelHandle(HANDLE h);

// Whether a child process may receive the handle (SECURITY_ATTRIBUTES
// bInheritHandle). A flag of the handle, not of the object: a duplicate has
// its own. False for handles that are not open.
void SetHandleInheritable(HANDLE h, bool inheritable);
bool IsHandleInheritable(HANDLE h);

}  // namespace tavo

BOOL CloseHandle(HANDLE h);
