// The test hook that fails or ends the Nth file-changing call.
#include "filefault.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>

#include "pathmap.h"
#include "powercut.h"
#include "tavo/test_file.h"
#include "win/kernel.h"

namespace tavo {
namespace {

struct FaultState {
  std::mutex lock;
  test::FileFault fault;
  uint64_t counted = 0;
  test::FileFaultHit hit;
};

FaultState &State() {
  static FaultState *s = new FaultState;  // never destroyed: files close at exit
  return *s;
}

std::atomic<bool> g_faultSet{false};

bool Below(const std::string &path, const std::string &folder) {
  if (folder.empty()) return true;
  std::string f = folder;
  while (f.size() > 1 && f.back() == '/') f.pop_back();
  if (path.compare(0, f.size(), f) != 0) return false;
  return path.size() == f.size() || path[f.size()] == '/' || f == "/";
}

}  // namespace

bool FileFaultSet() { return g_faultSet.load(std::memory_order_acquire); }

bool FileCallAllowed(unsigned kind, const std::string &linuxPath, bool profile) {
  if (DriveWriteProtected(linuxPath)) {
    SetLastError(ERROR_WRITE_PROTECT);
    errno = ErrnoFromWinError(ERROR_WRITE_PROTECT);
    return false;
  }
  if (!PowerCutCall(kind, linuxPath)) return false;
  if (!g_faultSet.load(std::memory_order_acquire)) return true;
  FaultState &s = State();
  std::unique_lock<std::mutex> g(s.lock);
  if (!(s.fault.kinds & kind) || !Below(linuxPath, s.fault.under)) return true;
  if (profile && !s.fault.profiles) return true;
  ++s.counted;
  if (s.fault.nth == 0 || s.counted != s.fault.nth) return true;
  s.hit.kind = kind;
  s.hit.path = linuxPath;
  // Ends here as a kill would: no stream is flushed, no handler runs.
  if (s.fault.error == 0) _exit(s.fault.exitCode);
  const DWORD e = s.fault.error;
  g.unlock();
  SetLastError(e);
  errno = ErrnoFromWinError(e);
  return false;
}

}  // namespace tavo

namespace tavo::test {

void SetFileFault(const FileFault &fault) {
  FaultState &s = State();
  std::lock_guard<std::mutex> g(s.lock);
  s.fault = fault;
  s.counted = 0;
  s.hit = FileFaultHit{};
  g_faultSet.store(true, std::memory_order_release);
}

void ClearFileFault() {
  FaultState &s = State();
  std::lock_guard<std::mutex> g(s.lock);
  g_faultSet.store(false, std::memory_order_release);
  s.fault = FileFault{};
  s.counted = 0;
}

uint64_t FileCallsCounted() {
  FaultState &s = State();
  std::lock_guard<std::mutex> g(s.lock);
  return s.counted;
}

FileFaultHit LastFileFaultHit() {
  FaultState &s = State();
  std::lock_guard<std::mutex> g(s.lock);
  return s.hit;
}

void StartFileFaults(unsigned n, DWORD error) {
  FileFault f;
  f.kinds = kFileOpenForWrite | kFileWrite | kFileRename | kFileRemove;
  f.profiles = false;
  f.nth = n;
  f.error = error ? error : ERROR_GEN_FAILURE;
  SetFileFault(f);
}

bool FileFaultHappened() { return LastFileFaultHit().kind != 0; }

void StopFileFaults() { ClearFileFault(); }

}  // namespace tavo::test
