// The C run-time file calls with Windows semantics: mapped paths, text-mode
// streams that keep CR LF on disk, and the Windows run-time's errno answers.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <memory>
#include <unordered_map>

#include "delinger.h"
#include "filefault.h"
#include "pathmap.h"
#include "tavo/test_file.h"
#include "win/kernel.h"

// This file opens the Linux streams under the mapped names itself.
#undef fopen

using namespace tavo;

namespace {

// A stream the program writes through, so that every write meets the test
// hook and the drive quota. In text mode the program's stream is a cookie
// stream over a binary one (inner); the inner position is the program's
// position, so ftell and fseek deal in file offsets, as they do on Windows.
// A binary stream reads and writes the descriptor directly (inner null).
//
// A write that fails (the hook, a full drive, the disk) makes the stream
// take no more and report it when closed, as a file whose data did not
// reach the disk does. The cookie answers a failed write with a short count
// and errno, never -1: the C library then sets the stream's error flag and
// the program's fwrite or fprintf fails, without the library seeking past
// the bytes it believes written.
struct TextStream {
  FILE *inner;
  int fd;
  std::string path;  // Linux path
  std::unique_ptr<Deling> deling;  // the stream's share, let go when closed
  int failedErrno = 0;
  DWORD failedWinError = 0;  // a failure's own Windows error, where it had one
};

// The cookie streams that are open, so that _fileno can answer the file's
// descriptor for them too (for _filelength).
std::mutex g_textLock;
std::unordered_map<FILE *, TextStream *> g_textStreams;

// The bytes of a write that the hook and the quota let through (0 once the
// stream has failed).
size_t WriteRoom(TextStream *t, size_t size) {
  if (t->failedErrno) return 0;
  if (!FileCallAllowed(test::kFileWrite, t->path)) {
    t->failedErrno = errno;
    t->failedWinError = GetLastError();
    return 0;
  }
  const size_t room = (size_t)ChargeDriveQuota(t->path, size);
  if (room < size) t->failedErrno = ENOSPC;
  return room;
}

void SetLastFailure(const TextStream *t) {
  if (t->failedWinError)
    SetLastError(t->failedWinError);
  else
    SetLastErrorFromErrno(t->failedErrno);
}

// The count of a write that stopped early: the stream has failed.
// The Windows run-time writes through WriteFile, so a failed write leaves
// its error for GetLastError as well as in errno: a caller that reports the
// system's text names the write's cause, not an older call's.
ssize_t Failed(TextStream *t, size_t done, int err) {
  if (!t->failedErrno) t->failedErrno = err ? err : EIO;
  errno = t->failedErrno;
  SetLastFailure(t);
  return (ssize_t)done;
}

// The result of closing: the close's own, or the stream's failed write.
int CloseResult(TextStream *t, int rc) {
  if (rc == 0 && t->failedErrno) {
    errno = t->failedErrno;
    SetLastFailure(t);
    return -1;
  }
  if (rc != 0) SetLastErrorFromErrno(errno);
  return rc;
}

ssize_t TextRead(void *cookie, char *buf, size_t size) {
  FILE *f = static_cast<TextStream *>(cookie)->inner;
  size_t n = 0;
  while (n < size) {
    int c = getc(f);
    if (c == EOF) break;
    if (c == 0x1A) {
      // Ctrl+Z ends a text file for the Windows run-time.
      ungetc(c, f);
      break;
    }
    if (c == '\r') {
      int next = getc(f);
      if (next == '\n') {
        c = '\n';
      } else if (next != EOF) {
        ungetc(next, f);
      }
    }
    buf[n++] = (char)c;
  }
  if (n == 0 && ferror(f)) return -1;
  return (ssize_t)n;
}

ssize_t TextWrite(void *cookie, const char *buf, size_t size) {
  TextStream *t = static_cast<TextStream *>(cookie);
  FILE *f = t->inner;
  char out[8192];
  size_t done = 0;
  while (done < size) {
    size_t o = 0;
    size_t i = done;
    while (i < size && o + 2 <= sizeof out) {
      if (buf[i] == '\n') out[o++] = '\r';
      out[o++] = buf[i++];
    }
    const size_t room = WriteRoom(t, o);
    if (room < o) {
      // What fits of a full drive, cut before a CR LF pair is split.
      size_t take = room;
      if (take > 0 && out[take - 1] == '\r') --take;
      if (take > 0) {
        fwrite(out, 1, take, f);
        fflush(f);
      }
      return Failed(t, done, t->failedErrno);
    }
    if (fwrite(out, 1, o, f) != o) return Failed(t, done, errno);
    done = i;
  }
  // The inner stream is flushed with every write so that the file holds
  // what the program wrote as soon as a Windows program's file would.
  if (fflush(f) != 0) return Failed(t, 0, errno);
  return (ssize_t)size;
}

int TextSeek(void *cookie, off64_t *pos, int whence) {
  FILE *f = static_cast<TextStream *>(cookie)->inner;
  if (fseeko(f, *pos, whence) != 0) return -1;
  off_t p = ftello(f);
  if (p < 0) return -1;
  *pos = p;
  return 0;
}

void Forget(TextStream *t) {
  std::lock_guard<std::mutex> g(g_textLock);
  for (auto it = g_textStreams.begin(); it != g_textStreams.end(); ++it) {
    if (it->second == t) {
      g_textStreams.erase(it);
      break;
    }
  }
}

int TextClose(void *cookie) {
  TextStream *t = static_cast<TextStream *>(cookie);
  Forget(t);
  int rc = CloseResult(t, fclose(t->inner));
  delete t;
  return rc;
}

ssize_t BinaryRead(void *cookie, char *buf, size_t size) {
  TextStream *t = static_cast<TextStream *>(cookie);
  for (;;) {
    ssize_t n = ::read(t->fd, buf, size);
    if (n >= 0 || errno != EINTR) return n;
  }
}

ssize_t BinaryWrite(void *cookie, const char *buf, size_t size) {
  TextStream *t = static_cast<TextStream *>(cookie);
  const size_t room = WriteRoom(t, size);
  size_t done = 0;
  while (done < room) {
    ssize_t n = ::write(t->fd, buf + done, room - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Failed(t, done, errno);
    }
    done += (size_t)n;
  }
  if (done < size) return Failed(t, done, t->failedErrno);
  return (ssize_t)done;
}

int BinarySeek(void *cookie, off64_t *pos, int whence) {
  TextStream *t = static_cast<TextStream *>(cookie);
  off_t p = lseek(t->fd, (off_t)*pos, whence);
  if (p < 0) return -1;
  *pos = p;
  return 0;
}

int BinaryClose(void *cookie) {
  TextStream *t = static_cast<TextStream *>(cookie);
  Forget(t);
  int rc = CloseResult(t, ::close(t->fd));
  delete t;
  return rc;
}

int SetErrnoFromLastError() {
  errno = ErrnoFromWinError(GetLastError());
  return -1;
}

}  // namespace

FILE *tavo_fopen(const char *path, const char *mode) {
  if (!mode || !path) {
    errno = EINVAL;
    return nullptr;
  }
  char kind = mode[0];
  if (kind != 'r' && kind != 'w' && kind != 'a') {
    errno = EINVAL;
    return nullptr;
  }
  bool plus = false, binary = false, exclusive = false;
  for (const char *m = mode + 1; *m && *m != ','; ++m) {
    if (*m == '+') plus = true;
    if (*m == 'b') binary = true;
    if (*m == 'x') exclusive = true;
  }
  if (exclusive && kind != 'w') {
    errno = EINVAL;
    return nullptr;
  }
  std::string linux;
  if (!MapPath(path, linux)) {
    errno = ErrnoFromWinError(GetLastError());
    return nullptr;
  }

  bool writes = kind != 'r' || plus;
  if (writes && !FileCallAllowed(test::kFileOpenForWrite, linux)) return nullptr;
  struct stat st;
  if (stat(linux.c_str(), &st) == 0) {
    if (exclusive) {
      errno = EEXIST;
      return nullptr;
    }
    // A folder never opens as a stream; a read-only file not for writing
    // (also for root).
    if (S_ISDIR(st.st_mode) || (writes && !(st.st_mode & S_IWUSR))) {
      errno = EACCES;
      return nullptr;
    }
  }

  int oflags = O_CLOEXEC | (plus ? O_RDWR : (kind == 'r' ? O_RDONLY : O_WRONLY));
  if (kind != 'r') oflags |= O_CREAT;
  if (exclusive) oflags |= O_EXCL;
  if (kind == 'a') oflags |= O_APPEND;
  int fd;
  do {
    fd = ::open(linux.c_str(), oflags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    if (errno == EISDIR) errno = EACCES;
    // As CreateFile under the Windows run-time's fopen leaves it.
    const int e = errno;
    SetLastError(e == ENOENT ? MissingError(linux) : WinErrorFromErrno(e));
    errno = e;
    return nullptr;
  }
  // The Windows run-time opens a stream sharing reading and writing, not
  // deleting: a file another open does not share so does not open, and is
  // not emptied by "w".
  std::unique_ptr<Deling> deling;
  struct stat fst;
  if (fstat(fd, &fst) == 0 &&
      TagDeling(fst.st_dev, fst.st_ino, (kind == 'r' || plus ? 0u + kDelLaes : 0u) | (writes ? 0u + kDelSkriv : 0u),
                kDelLaes | kDelSkriv, &deling) != ERROR_SUCCESS) {
    ::close(fd);
    errno = EACCES;
    return nullptr;
  }
  if (kind == 'w' && ftruncate(fd, 0) != 0) {
    int e = errno;
    ::close(fd);
    errno = e;
    return nullptr;
  }

  char fmode[4] = {kind, 0, 0, 0};
  if (plus) fmode[1] = '+';
  FILE *inner = nullptr;
  if (!binary) {
    inner = fdopen(fd, fmode);
    if (!inner) {
      int e = errno;
      ::close(fd);
      errno = e;
      return nullptr;
    }
  }

  TextStream *t = new TextStream{inner, fd, linux, std::move(deling)};
  cookie_io_functions_t io = binary ? cookie_io_functions_t{BinaryRead, BinaryWrite, BinarySeek, BinaryClose}
                                    : cookie_io_functions_t{TextRead, TextWrite, TextSeek, TextClose};
  FILE *outer = fopencookie(t, fmode, io);
  if (!outer) {
    int e = errno;
    if (inner)
      fclose(inner);
    else
      ::close(fd);
    delete t;
    errno = e;
    return nullptr;
  }
  {
    std::lock_guard<std::mutex> g(g_textLock);
    g_textStreams[outer] = t;
  }
  if (FileFaultSet()) {
    // Each write of the program is one counted call.
    setvbuf(outer, nullptr, _IONBF, 0);
    return outer;
  }
  if (binary) {
    setvbuf(outer, nullptr, _IOFBF, 1 << 16);
    return outer;
  }
  // A stream that only writes is line-buffered: each line goes out in one
  // piece, and since no newline ever waits in the buffer, ftell stays a
  // file offset. A stream that reads is unbuffered for the same reason.
  if (kind != 'r' && !plus)
    setvbuf(outer, nullptr, _IOLBF, BUFSIZ);
  else
    setvbuf(outer, nullptr, _IONBF, 0);
  return outer;
}

int _unlink(const char *path) { return DeleteFileA(path) ? 0 : SetErrnoFromLastError(); }

int tavo_remove(const char *path) { return _unlink(path); }

int tavo_rename(const char *oldName, const char *newName) {
  if (!oldName || !newName) {
    errno = EINVAL;
    return -1;
  }
  if (MoveFileExA(oldName, newName, MOVEFILE_COPY_ALLOWED)) return 0;
  return SetErrnoFromLastError();
}

int _access(const char *path, int mode) {
  if (mode & ~6) {
    errno = EINVAL;
    return -1;
  }
  std::string linux;
  if (!MapPath(path, linux)) return SetErrnoFromLastError();
  struct stat st;
  if (stat(linux.c_str(), &st) != 0) {
    errno = ENOENT;
    return -1;
  }
  if ((mode & 2) && !S_ISDIR(st.st_mode) &&
      (!(st.st_mode & S_IWUSR) || access(linux.c_str(), W_OK) != 0)) {
    errno = EACCES;
    return -1;
  }
  if ((mode & 4) && access(linux.c_str(), R_OK) != 0) {
    errno = EACCES;
    return -1;
  }
  return 0;
}

int _mkdir(const char *path) {
  if (CreateDirectoryA(path, nullptr)) return 0;
  errno = GetLastError() == ERROR_ALREADY_EXISTS ? EEXIST : ErrnoFromWinError(GetLastError());
  return -1;
}

int _rmdir(const char *path) {
  if (RemoveDirectoryA(path)) return 0;
  errno = GetLastError() == ERROR_DIRECTORY ? ENOTDIR : ErrnoFromWinError(GetLastError());
  return -1;
}

int _chdir(const char *path) {
  if (SetCurrentDirectoryA(path)) return 0;
  errno = GetLastError() == ERROR_DIRECTORY ? ENOTDIR : ENOENT;
  return -1;
}

char *_getcwd(char *buf, int size) {
  char cwd[MAX_PATH * 4];
  DWORD n = GetCurrentDirectoryA(sizeof cwd, cwd);
  if (n == 0 || n >= sizeof cwd) {
    errno = ENOENT;
    return nullptr;
  }
  if (!buf) {
    size_t cap = size > 0 && (size_t)size > n ? (size_t)size : n + 1;
    buf = static_cast<char *>(malloc(cap));
    if (!buf) {
      errno = ENOMEM;
      return nullptr;
    }
  } else if (size <= 0 || (DWORD)size <= n) {
    errno = ERANGE;
    return nullptr;
  }
  memcpy(buf, cwd, n + 1);
  return buf;
}

int _fileno(FILE *f) {
  if (!f) {
    errno = EINVAL;
    return -1;
  }
  {
    std::lock_guard<std::mutex> g(g_textLock);
    auto it = g_textStreams.find(f);
    if (it != g_textStreams.end()) return it->second->fd;
  }
  return fileno(f);
}

long _filelength(int fd) {
  struct stat st;
  if (fstat(fd, &st) != 0) return -1;
  return (long)st.st_size;
}

int _stat(const char *path, struct _stat *buf) {
  if (!buf) {
    errno = EINVAL;
    return -1;
  }
  std::string linux;
  if (!MapPath(path, linux)) return SetErrnoFromLastError();
  struct stat st;
  if (stat(linux.c_str(), &st) != 0) {
    errno = ENOENT;
    return -1;
  }
  memset(buf, 0, sizeof *buf);
  // The Windows run-time repeats the owner's bits for group and others.
  unsigned short perm = _S_IREAD | ((st.st_mode & S_IWUSR) ? _S_IWRITE : 0);
  if (S_ISDIR(st.st_mode)) perm |= 0x0040;  // folders are "executable"
  perm |= (unsigned short)((perm >> 3) | (perm >> 6));
  buf->st_mode = (unsigned short)((S_ISDIR(st.st_mode) ? _S_IFDIR : _S_IFREG) | perm);
  buf->st_nlink = (short)st.st_nlink;
  buf->st_size = (long)st.st_size;
  buf->st_atime = st.st_atime;
  buf->st_mtime = st.st_mtime;
  buf->st_ctime = st.st_ctime;
  return 0;
}
