// CreateFile and its handles, names in folders, full names, the current
// folder and the search path.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "delinger.h"
#include "filefault.h"
#include "handles.h"
#include "pathmap.h"
#include "powercut.h"
#include "tavo/test_file.h"
#include "win/kernel.h"

namespace tavo {

DWORD WinErrorFromErrno(int e) {
  switch (e) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case EWOULDBLOCK: return ERROR_SHARING_VIOLATION;
    case EBUSY: return ERROR_SHARING_VIOLATION;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EPIPE: return ERROR_BROKEN_PIPE;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM: return ERROR_NOT_READY;
  }
  return ERROR_GEN_FAILURE;
}

void SetLastErrorFromErrno(int e) { SetLastError(WinErrorFromErrno(e)); }

int ErrnoFromWinError(DWORD err) {
  switch (err) {
    case ERROR_SUCCESS: return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_PATHNAME:
    case ERROR_BAD_NETPATH: return ENOENT;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
    case ERROR_NOT_READY:
    case ERROR_WRITE_PROTECT: return EACCES;
    case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_DIR_NOT_EMPTY: return ENOTEMPTY;
    case ERROR_NOT_SAME_DEVICE: return EXDEV;
    case ERROR_INVALID_HANDLE: return EBADF;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return ENOMEM;
    case ERROR_BROKEN_PIPE: return EPIPE;
  }
  return EINVAL;
}

DWORD MissingError(const std::string &linuxPath) {
  size_t slash = linuxPath.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return ERROR_FILE_NOT_FOUND;
  struct stat st;
  std::string parent = linuxPath.substr(0, slash);
  if (stat(parent.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return ERROR_PATH_NOT_FOUND;
  return ERROR_FILE_NOT_FOUND;
}

DWORD CopyOutString(const std::string &s, char *buf, DWORD size) {
  if (!buf || size <= s.size()) return (DWORD)s.size() + 1;
  memcpy(buf, s.c_str(), s.size() + 1);
  return (DWORD)s.size();
}

DWORD AttributesOf(const struct stat &st, const char *name) {
  DWORD a = 0;
  if (S_ISDIR(st.st_mode)) {
    a |= FILE_ATTRIBUTE_DIRECTORY;
  } else {
    a |= FILE_ATTRIBUTE_ARCHIVE;
    if (!(st.st_mode & S_IWUSR)) a |= FILE_ATTRIBUTE_READONLY;
  }
  if (name && name[0] == '.' && strcmp(name, ".") != 0 && strcmp(name, "..") != 0)
    a |= FILE_ATTRIBUTE_HIDDEN;
  return a;
}

namespace {

class FileObject : public KernelObject {
 public:
  FileObject(int fd, std::string path, std::unique_ptr<Deling> deling)
      : KernelObject(KType::File), fd_(fd), path_(std::move(path)), deling_(std::move(deling)) {}
  ~FileObject() override { CloseFd(); }

  bool Read(void *buf, DWORD len, DWORD *got) override {
    DWORD total = 0;
    while (total < len) {
      ssize_t n = ::read(fd_, (char *)buf + total, len - total);
      if (n < 0) {
        if (errno == EINTR) continue;
        if (got) *got = total;
        SetLastError(errno == EBADF ? ERROR_ACCESS_DENIED : WinErrorFromErrno(errno));
        return false;
      }
      if (n == 0) break;
      total += (DWORD)n;
    }
    if (got) *got = total;
    return true;
  }

  bool Write(const void *buf, DWORD len, DWORD *put) override {
    if (!FileCallAllowed(test::kFileWrite, path_)) {
      if (put) *put = 0;
      return false;
    }
    // A full drive takes what fits, as a full disk does.
    const DWORD room = (DWORD)ChargeDriveQuota(path_, len);
    DWORD total = 0;
    while (total < room) {
      ssize_t n = ::write(fd_, (const char *)buf + total, room - total);
      if (n < 0) {
        if (errno == EINTR) continue;
        if (put) *put = total;
        SetLastError(errno == EBADF ? ERROR_ACCESS_DENIED : WinErrorFromErrno(errno));
        return false;
      }
      total += (DWORD)n;
    }
    if (put) *put = total;
    if (room < len) {
      SetLastError(ERROR_DISK_FULL);
      return false;
    }
    return true;
  }

  // The share goes with the last handle, so the next opener gets in as
  // soon as the program closes it.
  void OnLastClose() override {
    CloseFd();
    deling_.reset();
  }

  // Hands the descriptor to a child process as a standard handle.
  int PosixFd() const override { return fd_; }

  int fd() const { return fd_; }
  const std::string &path() const { return path_; }

 private:
  void CloseFd() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  int fd_;
  std::string path_;
  std::unique_ptr<Deling> deling_;
};

bool Writable(const struct stat &st) { return (st.st_mode & S_IWUSR) != 0; }

std::string LastComponent(const std::string &linuxPath) {
  size_t slash = linuxPath.find_last_of('/');
  return slash == std::string::npos ? linuxPath : linuxPath.substr(slash + 1);
}

}  // namespace

int FileDescriptorOf(HANDLE h) {
  auto f = LookupHandleAs<FileObject>(h, KType::File);
  if (!f || f->fd() < 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return -1;
  }
  return f->fd();
}

namespace {

// The descriptor of a file handle once the test hook lets the call of that
// kind go ahead; -1 with the last error set otherwise.
int DescriptorForCall(HANDLE h, unsigned kind) {
  auto f = LookupHandleAs<FileObject>(h, KType::File);
  if (!f || f->fd() < 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return -1;
  }
  if (!FileCallAllowed(kind, f->path())) return -1;
  return f->fd();
}

}  // namespace

}  // namespace tavo

using namespace tavo;

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES sa,
                   DWORD disposition, DWORD flagsAndAttributes, HANDLE templateFile) {
  std::string path;
  if (!MapPath(name, path)) return INVALID_HANDLE_VALUE;

  int oflags = O_CLOEXEC;
  bool wantRead = access & (GENERIC_READ | GENERIC_ALL);
  bool wantWrite = access & (GENERIC_WRITE | GENERIC_ALL);
  if (wantRead && wantWrite)
    oflags |= O_RDWR;
  else if (wantWrite)
    oflags |= O_WRONLY;
  else
    oflags |= O_RDONLY;

  switch (disposition) {
    case CREATE_NEW: oflags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS:
    case OPEN_ALWAYS: oflags |= O_CREAT; break;
    case OPEN_EXISTING: break;
    case TRUNCATE_EXISTING:
      if (!wantWrite) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
      }
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return INVALID_HANDLE_VALUE;
  }
  if (wantWrite && !FileCallAllowed(test::kFileOpenForWrite, path)) return INVALID_HANDLE_VALUE;

  struct stat st;
  bool existed = stat(path.c_str(), &st) == 0;
  if (existed) {
    if (S_ISDIR(st.st_mode)) {
      if (!(flagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS) || wantWrite) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
      }
      oflags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    } else if (disposition == CREATE_NEW) {
      SetLastError(ERROR_FILE_EXISTS);
      return INVALID_HANDLE_VALUE;
    } else if (wantWrite && !Writable(st)) {
      // Also when running as root: the read-only attribute holds.
      SetLastError(ERROR_ACCESS_DENIED);
      return INVALID_HANDLE_VALUE;
    }
  }

  mode_t mode = (flagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
  int fd;
  do {
    fd = ::open(path.c_str(), oflags, mode);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    int e = errno;
    if (e == ENOENT)
      SetLastError(MissingError(path));
    else if (e == EEXIST)
      SetLastError(ERROR_FILE_EXISTS);
    else
      SetLastErrorFromErrno(e);
    return INVALID_HANDLE_VALUE;
  }

  // The share comes before any truncation, so a file another opener
  // holds is never emptied. A folder takes no part in sharing.
  std::unique_ptr<Deling> deling;
  struct stat fst;
  if (!(oflags & O_DIRECTORY) && fstat(fd, &fst) == 0) {
    DWORD rc = TagDeling(fst.st_dev, fst.st_ino, DelingsAdgang(access), shareMode, &deling);
    if (rc != ERROR_SUCCESS) {
      ::close(fd);
      SetLastError(rc);
      return INVALID_HANDLE_VALUE;
    }
  }

  if ((disposition == CREATE_ALWAYS && existed) || disposition == TRUNCATE_EXISTING) {
    if (ftruncate(fd, 0) != 0) {
      int e = errno;
      ::close(fd);
      SetLastErrorFromErrno(e);
      return INVALID_HANDLE_VALUE;
    }
  }

  HANDLE h = NewHandle(std::make_shared<FileObject>(fd, path, std::move(deling)));
  if (!h) return INVALID_HANDLE_VALUE;  // the object closed fd
  // The descriptor itself stays close-on-exec; a child gets the file only
  // as a standard handle, and never its share.
  SetHandleInheritable(h, sa && sa->bInheritHandle);
  SetLastError((existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS))
                   ? ERROR_ALREADY_EXISTS
                   : ERROR_SUCCESS);
  return h;
}

BOOL ReadFile(HANDLE h, LPVOID buf, DWORD toRead, LPDWORD got, void *overlapped) {
  if (got) *got = 0;
  auto obj = LookupHandle(h);
  if (!obj) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!buf && toRead) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return obj->Read(buf, toRead, got) ? TRUE : FALSE;
}

BOOL WriteFile(HANDLE h, LPCVOID buf, DWORD toWrite, LPDWORD put, void *overlapped) {
  if (put) *put = 0;
  auto obj = LookupHandle(h);
  if (!obj) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!buf && toWrite) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return obj->Write(buf, toWrite, put) ? TRUE : FALSE;
}

namespace {

bool Seek(HANDLE h, int64_t distance, DWORD method, int64_t &newPos) {
  int fd = FileDescriptorOf(h);
  if (fd < 0) return false;
  int whence;
  switch (method) {
    case FILE_BEGIN: whence = SEEK_SET; break;
    case FILE_CURRENT: whence = SEEK_CUR; break;
    case FILE_END: whence = SEEK_END; break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return false;
  }
  off_t base = 0;
  if (whence != SEEK_SET) {
    struct stat st;
    base = whence == SEEK_CUR ? lseek(fd, 0, SEEK_CUR) : (fstat(fd, &st) == 0 ? st.st_size : -1);
    if (base < 0) {
      SetLastErrorFromErrno(errno);
      return false;
    }
  }
  if (distance < 0 && base + distance < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return false;
  }
  if (distance > 0 && base > INT64_MAX - distance) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  off_t r = lseek(fd, (off_t)(base + distance), SEEK_SET);
  if (r < 0) {
    SetLastErrorFromErrno(errno);
    return false;
  }
  newPos = r;
  return true;
}

}  // namespace

DWORD SetFilePointer(HANDLE h, LONG distance, LONG *distanceHigh, DWORD method) {
  int64_t d = distanceHigh ? (int64_t)(((uint64_t)(uint32_t)*distanceHigh << 32) | (uint32_t)distance)
                           : (int64_t)distance;
  int64_t pos;
  if (!Seek(h, d, method, pos)) return INVALID_SET_FILE_POINTER;
  if (distanceHigh) {
    *distanceHigh = (LONG)(pos >> 32);
  } else if (pos > 0xFFFFFFFELL) {
    // The position does not fit the single 32-bit answer.
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  // 0xFFFFFFFF is also a valid low half: callers tell by the last error.
  if ((DWORD)pos == INVALID_SET_FILE_POINTER) SetLastError(NO_ERROR);
  return (DWORD)pos;
}

BOOL SetFilePointerEx(HANDLE h, LARGE_INTEGER distance, PLARGE_INTEGER newPos, DWORD method) {
  int64_t pos;
  if (!Seek(h, distance.QuadPart, method, pos)) return FALSE;
  if (newPos) newPos->QuadPart = pos;
  return TRUE;
}

BOOL SetEndOfFile(HANDLE h) {
  int fd = DescriptorForCall(h, test::kFileTruncate);
  if (fd < 0) return FALSE;
  off_t pos = lseek(fd, 0, SEEK_CUR);
  if (pos < 0 || ftruncate(fd, pos) != 0) {
    SetLastError(errno == EBADF || errno == EINVAL ? ERROR_ACCESS_DENIED
                                                    : WinErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

DWORD GetFileSize(HANDLE h, LPDWORD sizeHigh) {
  int fd = FileDescriptorOf(h);
  struct stat st;
  if (fd < 0) return INVALID_FILE_SIZE;
  if (fstat(fd, &st) != 0) {
    SetLastErrorFromErrno(errno);
    return INVALID_FILE_SIZE;
  }
  uint64_t size = (uint64_t)st.st_size;
  if (sizeHigh) *sizeHigh = (DWORD)(size >> 32);
  if ((DWORD)size == INVALID_FILE_SIZE) SetLastError(NO_ERROR);
  return (DWORD)size;
}

BOOL GetFileSizeEx(HANDLE h, PLARGE_INTEGER size) {
  int fd = FileDescriptorOf(h);
  struct stat st;
  if (fd < 0) return FALSE;
  if (!size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (fstat(fd, &st) != 0) {
    SetLastErrorFromErrno(errno);
    return FALSE;
  }
  size->QuadPart = st.st_size;
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE h) {
  int fd = DescriptorForCall(h, test::kFileFlush);
  if (fd < 0) return FALSE;
  if (fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
    SetLastErrorFromErrno(errno);
    return FALSE;
  }
  if (auto f = LookupHandleAs<FileObject>(h, KType::File)) PowerCutFlushed(fd, f->path());
  return TRUE;
}

// ---- Names in folders ------------------------------------------------------

namespace {

// stat (or lstat, not following a link) that leaves the Windows error a
// missing name gives: ERROR_PATH_NOT_FOUND or ERROR_FILE_NOT_FOUND.
bool StatOrFail(const std::string &path, struct stat *st, bool follow) {
  if ((follow ? stat(path.c_str(), st) : lstat(path.c_str(), st)) == 0) return true;
  SetLastError(errno == ENOENT ? MissingError(path) : WinErrorFromErrno(errno));
  return false;
}

}  // namespace

DWORD GetFileAttributesA(LPCSTR name) {
  std::string path;
  if (!MapPath(name, path)) return INVALID_FILE_ATTRIBUTES;
  struct stat st;
  if (!StatOrFail(path, &st, false)) return INVALID_FILE_ATTRIBUTES;
  DWORD link = 0;
  if (S_ISLNK(st.st_mode)) {
    link = FILE_ATTRIBUTE_REPARSE_POINT;
    struct stat target;
    if (stat(path.c_str(), &target) == 0) st = target;
  }
  return AttributesOf(st, LastComponent(path).c_str()) | link;
}

BOOL SetFileAttributesA(LPCSTR name, DWORD attributes) {
  std::string path;
  if (!MapPath(name, path)) return FALSE;
  struct stat st;
  if (!StatOrFail(path, &st, false)) return FALSE;
  if (S_ISDIR(st.st_mode) || S_ISLNK(st.st_mode)) return TRUE;
  mode_t mode = st.st_mode & 07777;
  mode_t want;
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    want = mode & ~(mode_t)0222;
  } else if (!(mode & S_IWUSR)) {
    // Give write back to whoever may read, within the process's umask.
    mode_t mask = umask(0);
    umask(mask);
    want = mode | (((mode & 0444) >> 1) & ~mask) | S_IWUSR;
  } else {
    want = mode;
  }
  if (want != mode && chmod(path.c_str(), want) != 0) {
    SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL tavo_saet_koerbar(const char *name) {
  std::string path;
  if (!MapPath(name, path)) return FALSE;
  struct stat st;
  if (!StatOrFail(path, &st, false)) return FALSE;
  if (!S_ISREG(st.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  const mode_t mode = st.st_mode & 07777;
  const mode_t want = mode | ((mode & 0444) >> 2);
  if (want != mode && chmod(path.c_str(), want) != 0) {
    SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL DeleteFileA(LPCSTR name) {
  std::string path;
  if (!MapPath(name, path)) return FALSE;
  if (!FileCallAllowed(test::kFileRemove, path)) return FALSE;
  struct stat st;
  if (!StatOrFail(path, &st, false)) return FALSE;
  if (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && !Writable(st))) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  // Deleting opens the file for deletion: every open of it must share that.
  DelingsPort port(st.st_dev, st.st_ino);
  if (port.SletningNaegtes(st.st_dev, st.st_ino)) {
    SetLastError(ERROR_SHARING_VIOLATION);
    return FALSE;
  }
  if (unlink(path.c_str()) != 0) {
    SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}

namespace {

// Copies the bytes, permissions and times of src to dst. Refuses to copy a
// file onto itself (that would empty it).
bool CopyLinuxFile(const std::string &src, const std::string &dst, bool failIfExists) {
  int in = ::open(src.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    SetLastError(errno == ENOENT ? MissingError(src) : WinErrorFromErrno(errno));
    return false;
  }
  struct stat sst, dst_st;
  if (fstat(in, &sst) != 0 || S_ISDIR(sst.st_mode)) {
    ::close(in);
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  bool dstExists = stat(dst.c_str(), &dst_st) == 0;
  if (dstExists) {
    if (failIfExists) {
      ::close(in);
      SetLastError(ERROR_FILE_EXISTS);
      return false;
    }
    if (dst_st.st_dev == sst.st_dev && dst_st.st_ino == sst.st_ino) {
      ::close(in);
      SetLastError(ERROR_SHARING_VIOLATION);
      return false;
    }
    if (S_ISDIR(dst_st.st_mode) || !Writable(dst_st)) {
      ::close(in);
      SetLastError(ERROR_ACCESS_DENIED);
      return false;
    }
  }
  int out = ::open(dst.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (failIfExists ? O_EXCL : O_TRUNC),
                   sst.st_mode & 0777);
  if (out < 0) {
    int e = errno;
    ::close(in);
    if (e == ENOENT)
      SetLastError(MissingError(dst));
    else
      SetLastError(e == EEXIST ? ERROR_FILE_EXISTS : WinErrorFromErrno(e));
    return false;
  }
  std::vector<char> buf(1 << 16);
  bool ok = true;
  int err = 0;
  for (;;) {
    ssize_t n = ::read(in, buf.data(), buf.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      err = errno;
      break;
    }
    if (n == 0) break;
    if ((ssize_t)ChargeDriveQuota(dst, (uint64_t)n) < n) {
      ok = false;
      err = ENOSPC;
      break;
    }
    for (ssize_t off = 0; off < n;) {
      ssize_t w = ::write(out, buf.data() + off, n - off);
      if (w < 0) {
        if (errno == EINTR) continue;
        ok = false;
        err = errno;
        break;
      }
      off += w;
    }
    if (!ok) break;
  }
  if (ok) {
    struct timespec times[2] = {sst.st_atim, sst.st_mtim};
    futimens(out, times);
    fchmod(out, sst.st_mode & 0777);
  }
  if (::close(out) != 0 && ok) {
    ok = false;
    err = errno;
  }
  ::close(in);
  if (!ok) {
    unlink(dst.c_str());  // a half copy is worse than none
    SetLastErrorFromErrno(err);
  }
  return ok;
}

}  // namespace

BOOL CopyFileA(LPCSTR existing, LPCSTR newName, BOOL failIfExists) {
  std::string src, dst;
  if (!MapPath(existing, src) || !MapPath(newName, dst)) return FALSE;
  if (!FileCallAllowed(test::kFileWrite, dst)) return FALSE;
  return CopyLinuxFile(src, dst, failIfExists) ? TRUE : FALSE;
}

BOOL MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags) {
  if (!newName) {
    // Deleting at the next restart has no meaning here.
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string src, dst;
  if (!MapPath(existing, src) || !MapPath(newName, dst)) return FALSE;
  if (!FileCallAllowed(test::kFileRename, dst)) return FALSE;
  struct stat sst, dst_st;
  if (!StatOrFail(src, &sst, false)) return FALSE;
  const bool dstExists = lstat(dst.c_str(), &dst_st) == 0;
  // A move opens the file for deletion: every open of it must share that.
  // A target is replaced only when nothing has it open, even sharing
  // deletion, as Windows' replacing rename demands. The hold keeps new opens
  // out until the names have changed.
  std::unique_ptr<DelingsPort> port =
      dstExists ? std::make_unique<DelingsPort>(sst.st_dev, sst.st_ino, dst_st.st_dev, dst_st.st_ino)
                : std::make_unique<DelingsPort>(sst.st_dev, sst.st_ino);
  if (port->SletningNaegtes(sst.st_dev, sst.st_ino)) {
    SetLastError(ERROR_SHARING_VIOLATION);
    return FALSE;
  }
  bool replace = false;
  if (dstExists) {
    if (dst_st.st_dev == sst.st_dev && dst_st.st_ino == sst.st_ino) {
      // The same entry under another case: rename to the spelling given.
      std::string given = newName;
      size_t cut = given.find_last_of("\\/:");
      std::string last = ToUtf8(cut == std::string::npos ? given : given.substr(cut + 1));
      size_t slash = dst.find_last_of('/');
      std::string target = dst.substr(0, slash + 1) + last;
      if (last.empty() || target == src) return TRUE;
      if (renameat(AT_FDCWD, src.c_str(), AT_FDCWD, target.c_str()) != 0) {
        SetLastErrorFromErrno(errno);
        return FALSE;
      }
      return TRUE;
    }
    if (!(flags & MOVEFILE_REPLACE_EXISTING)) {
      SetLastError(ERROR_ALREADY_EXISTS);
      return FALSE;
    }
    // A target in use is not replaced; Windows answers that as a denial.
    if (S_ISDIR(dst_st.st_mode) || S_ISDIR(sst.st_mode) || !Writable(dst_st) ||
        port->Aaben(dst_st.st_dev, dst_st.st_ino)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    replace = true;
  }
  int rc = replace ? renameat(AT_FDCWD, src.c_str(), AT_FDCWD, dst.c_str())
                   : renameat2(AT_FDCWD, src.c_str(), AT_FDCWD, dst.c_str(), RENAME_NOREPLACE);
  if (rc != 0 && !replace && errno == EINVAL) {
    // A file system without the no-replace rename: the check above holds.
    rc = renameat(AT_FDCWD, src.c_str(), AT_FDCWD, dst.c_str());
  }
  if (rc == 0) return TRUE;
  int e = errno;
  if (e == EXDEV && (flags & MOVEFILE_COPY_ALLOWED) && S_ISREG(sst.st_mode)) {
    if (!CopyLinuxFile(src, dst, false)) return FALSE;
    if (unlink(src.c_str()) != 0) {
      SetLastErrorFromErrno(errno);
      return FALSE;
    }
    return TRUE;
  }
  if (e == ENOENT)
    SetLastError(ERROR_PATH_NOT_FOUND);
  else
    SetLastError(e == EEXIST ? ERROR_ALREADY_EXISTS : WinErrorFromErrno(e));
  return FALSE;
}

BOOL MoveFileA(LPCSTR existing, LPCSTR newName) {
  return MoveFileExA(existing, newName, MOVEFILE_COPY_ALLOWED);
}

BOOL CreateDirectoryA(LPCSTR name, LPSECURITY_ATTRIBUTES sa) {
  std::string path;
  if (!MapPath(name, path)) return FALSE;
  if (DriveWriteProtected(path)) {
    SetLastError(ERROR_WRITE_PROTECT);
    return FALSE;
  }
  if (mkdir(path.c_str(), 0777) != 0) {
    int e = errno;
    SetLastError(e == ENOENT ? ERROR_PATH_NOT_FOUND : WinErrorFromErrno(e));
    return FALSE;
  }
  return TRUE;
}

BOOL RemoveDirectoryA(LPCSTR name) {
  std::string path;
  if (!MapPath(name, path)) return FALSE;
  if (DriveWriteProtected(path)) {
    SetLastError(ERROR_WRITE_PROTECT);
    return FALSE;
  }
  struct stat st;
  if (!StatOrFail(path, &st, false)) return FALSE;
  if (S_ISLNK(st.st_mode)) {
    struct stat target;
    if (stat(path.c_str(), &target) != 0 || !S_ISDIR(target.st_mode)) {
      SetLastError(ERROR_DIRECTORY);
      return FALSE;
    }
    if (unlink(path.c_str()) != 0) {
      SetLastErrorFromErrno(errno);
      return FALSE;
    }
    return TRUE;
  }
  if (!S_ISDIR(st.st_mode)) {
    SetLastError(ERROR_DIRECTORY);
    return FALSE;
  }
  if (rmdir(path.c_str()) != 0) {
    int e = errno;
    SetLastError(e == EEXIST ? ERROR_DIR_NOT_EMPTY : WinErrorFromErrno(e));
    return FALSE;
  }
  return TRUE;
}

// ---- Full names and the current folder -------------------------------------

namespace {

bool IsSep(char c) { return c == '\\' || c == '/'; }

// The current folder in Windows form; "C:\" when it lies outside every
// drive, so that full names stay well formed.
std::string CurrentWinDir() {
  char buf[4096];
  std::string win;
  if (getcwd(buf, sizeof buf) && UnmapPath(buf, win)) return win;
  return "C:\\";
}

// Windows' lexical full name: no file system access, "." and ".." folded,
// never above the root, a trailing separator kept.
bool FullName(const char *name, std::string &out) {
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_NAME);
    return false;
  }
  std::string n(name);
  if (n.size() >= 2 && IsSep(n[0]) && IsSep(n[1])) {
    for (char &c : n)
      if (c == '/') c = '\\';
    out = n;
    return true;
  }
  std::string cwd = CurrentWinDir();
  std::string drive;
  std::string rest;
  std::vector<std::string> parts;
  auto split = [&](const std::string &s, size_t from) {
    size_t i = from;
    while (i < s.size()) {
      size_t j = i;
      while (j < s.size() && !IsSep(s[j])) ++j;
      std::string comp = s.substr(i, j - i);
      if (comp == "..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!comp.empty() && comp != ".") {
        parts.push_back(comp);
      }
      i = j + 1;
    }
  };
  if (n.size() >= 2 && n[1] == ':') {
    drive = n.substr(0, 2);
    if (drive[0] >= 'a' && drive[0] <= 'z') drive[0] = (char)(drive[0] - 32);
    if (!(n.size() > 2 && IsSep(n[2])) &&
        (cwd[0] == drive[0] || cwd[0] == drive[0] + 32))
      split(cwd, 2);
    split(n, 2);
  } else {
    drive = cwd.substr(0, 2);
    if (!IsSep(n[0])) split(cwd, 2);
    split(n, 0);
  }
  out = drive + "\\";
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out += '\\';
    out += parts[i];
  }
  if (IsSep(n.back()) && !parts.empty()) out += '\\';
  if (out.size() >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  return true;
}

DWORD CopyPathOut(const std::string &s, LPSTR buf, DWORD size, LPSTR *filePart) {
  DWORD r = CopyOutString(s, buf, size);
  if (filePart) {
    *filePart = nullptr;
    if (r == s.size()) {
      size_t cut = s.find_last_of('\\');
      if (cut != std::string::npos && cut + 1 < s.size()) *filePart = buf + cut + 1;
    }
  }
  return r;
}

// The folder shown as the Windows folder: one that exists on every Linux.
const char kWindowsFolder[] = "/usr/lib";

}  // namespace

DWORD GetFullPathNameA(LPCSTR name, DWORD size, LPSTR buf, LPSTR *filePart) {
  std::string full;
  if (!FullName(name, full)) return 0;
  return CopyPathOut(full, buf, size, filePart);
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buf) {
  char cwd[4096];
  std::string win;
  if (!getcwd(cwd, sizeof cwd)) {
    SetLastErrorFromErrno(errno);
    return 0;
  }
  if (!UnmapPath(cwd, win)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return 0;
  }
  // The root keeps its separator ("C:\"); other folders come without one.
  return CopyOutString(win, buf, size);
}

BOOL SetCurrentDirectoryA(LPCSTR name) {
  std::string path;
  if (!MapPath(name, path)) return FALSE;
  struct stat st;
  if (!StatOrFail(path, &st, true)) return FALSE;
  if (!S_ISDIR(st.st_mode)) {
    SetLastError(ERROR_DIRECTORY);
    return FALSE;
  }
  if (chdir(path.c_str()) != 0) {
    SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}

DWORD GetTempPathA(DWORD size, LPSTR buf) {
  std::string win;
  const char *env = getenv("TMPDIR");
  struct stat st;
  if (!(env && env[0] == '/' && stat(env, &st) == 0 && S_ISDIR(st.st_mode) &&
        UnmapPath(env, win)) &&
      !UnmapPath("/tmp", win)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return 0;
  }
  if (win.back() != '\\') win += '\\';
  return CopyOutString(win, buf, size);
}

UINT GetWindowsDirectoryA(LPSTR buf, UINT size) {
  std::string win;
  if (!UnmapPath(kWindowsFolder, win)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return 0;
  }
  return CopyOutString(win, buf, size);
}

namespace {

// Modules the platform layer stands in for (LoadLibrary knows the same):
// a program that looks for them finds them in the system folder.
const char *const kSystemModules[] = {"kernel32.dll", "mscoree.dll"};

// The modules a test has hidden, as on a machine that lacks them.
std::mutex gSkjulteMutex;
std::vector<std::string> gSkjulte;

bool IsSystemModule(const std::string &name) {
  {
    std::lock_guard<std::mutex> lock(gSkjulteMutex);
    for (const std::string &m : gSkjulte)
      if (Cp1252EqualNoCase(name, m)) return false;
  }
  for (const char *m : kSystemModules)
    if (Cp1252EqualNoCase(name, m)) return true;
  return false;
}

bool ExistsAsFile(const std::string &win) {
  std::string linux;
  struct stat st;
  if (!MapPath(win.c_str(), linux)) return false;
  return stat(linux.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string JoinWin(const std::string &folder, const std::string &name) {
  if (folder.empty()) return name;
  if (IsSep(folder.back())) return folder + name;
  return folder + "\\" + name;
}

std::string ProgramFolder() {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return {};
  buf[n] = 0;
  std::string win;
  if (!UnmapPath(buf, win)) return {};
  size_t cut = win.find_last_of('\\');
  return cut == std::string::npos ? std::string() : win.substr(0, cut + 1);
}

}  // namespace

DWORD SearchPathA(LPCSTR path, LPCSTR fileName, LPCSTR extension, DWORD size, LPSTR buf,
                  LPSTR *filePart) {
  if (!fileName || !*fileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string name = fileName;
  size_t lastSep = name.find_last_of("\\/:");
  std::string base = lastSep == std::string::npos ? name : name.substr(lastSep + 1);
  if (extension && *extension && base.find('.') == std::string::npos) name += extension;

  std::string found;
  if (lastSep != std::string::npos) {
    // A name with a folder is looked at only where it says.
    if (ExistsAsFile(name)) FullName(name.c_str(), found);
  } else {
    std::vector<std::string> folders;
    bool systemSlot = false;
    if (path) {
      std::string p = path;
      size_t i = 0;
      while (i <= p.size()) {
        size_t j = p.find(';', i);
        if (j == std::string::npos) j = p.size();
        if (j > i) folders.push_back(p.substr(i, j - i));
        i = j + 1;
      }
    } else {
      systemSlot = true;
      std::string prog = ProgramFolder();
      if (!prog.empty()) folders.push_back(prog);
      folders.push_back(".");
    }
    for (const std::string &f : folders) {
      std::string cand = JoinWin(f, name);
      if (ExistsAsFile(cand) && FullName(cand.c_str(), found)) break;
    }
    if (found.empty() && systemSlot) {
      std::string windir(MAX_PATH, '\0');
      UINT n = GetWindowsDirectoryA(windir.data(), MAX_PATH);
      windir.resize(n < MAX_PATH ? n : 0);
      if (IsSystemModule(name) && !windir.empty()) {
        found = JoinWin(windir, "system32\\" + name);
      } else {
        std::vector<std::string> more;
        if (!windir.empty()) more.push_back(windir);
        const char *env = getenv("PATH");
        std::string envPath = env ? env : "";
        size_t i = 0;
        while (i < envPath.size()) {
          size_t j = envPath.find(':', i);
          if (j == std::string::npos) j = envPath.size();
          std::string win;
          if (j > i && UnmapPath(envPath.substr(i, j - i), win)) more.push_back(win);
          i = j + 1;
        }
        for (const std::string &f : more) {
          std::string cand = JoinWin(f, name);
          if (ExistsAsFile(cand) && FullName(cand.c_str(), found)) break;
        }
      }
    }
  }
  if (found.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  return CopyPathOut(found, buf, size, filePart);
}

namespace tavo::test {

void HideSystemModule(const std::string &name, bool hidden) {
  std::lock_guard<std::mutex> lock(gSkjulteMutex);
  auto it = std::find_if(gSkjulte.begin(), gSkjulte.end(),
                         [&](const std::string &m) { return Cp1252EqualNoCase(m, name); });
  if (hidden && it == gSkjulte.end()) gSkjulte.push_back(name);
  if (!hidden && it != gSkjulte.end()) gSkjulte.erase(it);
}

}  // namespace tavo::test
