// Byte-range locks of file handles, over Linux open-file-description locks:
// they belong to the open file (the handle and its duplicates), not to the
// process, so two handles in one process exclude each other as on Windows,
// and the descriptor's close-on-exec keeps a started program from holding
// them.
#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>

#include "pathmap.h"
#include "win/kernel.h"

namespace {

bool Omraade(DWORD low, DWORD high, const OVERLAPPED *ov, struct flock *fl) {
  const uint64_t start = ov ? (static_cast<uint64_t>(ov->OffsetHigh) << 32) | ov->Offset : 0;
  const uint64_t laengde = (static_cast<uint64_t>(high) << 32) | low;
  // Linux reads a length of 0 as "to the end of every file size", and
  // off_t is signed: ranges past its reach cannot be expressed.
  if (laengde == 0 || start > INT64_MAX || laengde > static_cast<uint64_t>(INT64_MAX) - start) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  fl->l_whence = SEEK_SET;
  fl->l_start = static_cast<off_t>(start);
  fl->l_len = static_cast<off_t>(laengde);
  fl->l_pid = 0;  // required for open-file-description locks
  return true;
}

}  // namespace

BOOL LockFileEx(HANDLE h, DWORD flags, DWORD reserved, DWORD bytesLow, DWORD bytesHigh,
                LPOVERLAPPED overlapped) {
  if (reserved != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const int fd = tavo::FileDescriptorOf(h);
  if (fd < 0) return FALSE;
  struct flock fl {};
  if (!Omraade(bytesLow, bytesHigh, overlapped, &fl)) return FALSE;
  fl.l_type = (flags & LOCKFILE_EXCLUSIVE_LOCK) ? F_WRLCK : F_RDLCK;
  const int cmd = (flags & LOCKFILE_FAIL_IMMEDIATELY) ? F_OFD_SETLK : F_OFD_SETLKW;
  int rc;
  do {
    rc = fcntl(fd, cmd, &fl);
  } while (rc != 0 && errno == EINTR);
  if (rc == 0) return TRUE;
  if (errno == EAGAIN || errno == EACCES)
    SetLastError(ERROR_LOCK_VIOLATION);
  else if (errno == EBADF)
    SetLastError(ERROR_ACCESS_DENIED);
  else
    tavo::SetLastErrorFromErrno(errno);
  return FALSE;
}

BOOL UnlockFileEx(HANDLE h, DWORD reserved, DWORD bytesLow, DWORD bytesHigh, LPOVERLAPPED overlapped) {
  if (reserved != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const int fd = tavo::FileDescriptorOf(h);
  if (fd < 0) return FALSE;
  struct flock fl {};
  if (!Omraade(bytesLow, bytesHigh, overlapped, &fl)) return FALSE;
  fl.l_type = F_UNLCK;
  if (fcntl(fd, F_OFD_SETLK, &fl) != 0) {
    tavo::SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}
