#include "handles.h"

#include <mutex>
#include <unordered_map>
#include <unordered_set>

#include "win/kerror.h"

namespace tavo {

namespace {

struct Table {
  std::mutex lock;
  std::unordered_map<HANDLE, std::shared_ptr<KernelObject>> objects;
  std::unordered_set<HANDLE> inheritable;
  // Handles are multiples of 4 as on Windows; starting high keeps them
  // clear of small numbers that code may mistake for ids.
  HANDLE next = 0x1000;
};

Table &table() {
  static Table *t = new Table;  // never destroyed: handles may close at exit
  return *t;
}

}  // namespace

bool KernelObject::Read(void *, DWORD, DWORD *got) {
  if (got) *got = 0;
  SetLastError(ERROR_INVALID_HANDLE);
  return false;
}

bool KernelObject::Write(const void *, DWORD, DWORD *put) {
  if (put) *put = 0;
  SetLastError(ERROR_INVALID_HANDLE);
  return false;
}

HANDLE NewHandle(std::shared_ptr<KernelObject> obj) {
  Table &t = table();
  std::lock_guard<std::mutex> g(t.lock);
  for (int tries = 0; tries < (1 << 20); ++tries) {
    HANDLE h = t.next;
    t.next += 4;
    if (t.next >= 0xFFFFFF00u) t.next = 0x1000;
    if (h == 0 || h == INVALID_HANDLE_VALUE || t.objects.count(h)) continue;
    t.objects.emplace(h, std::move(obj));
    return h;
  }
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return 0;
}

std::shared_ptr<KernelObject> LookupHandle(HANDLE h) {
  Table &t = table();
  std::lock_guard<std::mutex> g(t.lock);
  auto it = t.objects.find(h);
  return it == t.objects.end() ? nullptr : it->second;
}

HANDLE DuplicateKernelHandle(HANDLE h) {
  auto obj = LookupHandle(h);
  if (!obj) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return NewHandle(obj);
}

bool CloseKernelHandle(HANDLE h) {
  std::shared_ptr<KernelObject> obj;
  {
    Table &t = table();
    std::lock_guard<std::mutex> g(t.lock);
    auto it = t.objects.find(h);
    if (it == t.objects.end()) return false;
    obj = std::move(it->second);
    t.objects.erase(it);
    t.inheritable.erase(h);
  }
  obj->OnHandleClosed();
  // The object lives on while another handle or a waiter holds it; the
  // last handle's close is what ends it for the program.
  if (obj.use_count() == 1) obj->OnLastClose();
  return true;
}

void SetHandleInheritable(HANDLE h, bool inheritable) {
  Table &t = table();
  std::lock_guard<std::mutex> g(t.lock);
  if (!t.objects.count(h)) return;
  if (inheritable)
    t.inheritable.insert(h);
  else
    t.inheritable.erase(h);
}

bool IsHandleInheritable(HANDLE h) {
  Table &t = table();
  std::lock_guard<std::mutex> g(t.lock);
  return t.inheritable.count(h) != 0;
}

}  // namespace tavo

BOOL CloseHandle(HANDLE h) {
  if (!tavo::CloseKernelHandle(h)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
