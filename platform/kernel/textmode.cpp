// The C run-time file calls with Windows semantics: mapped paths, text-mode
// streams that keep CR LF on disk, and the Windows run-time's errno answers.
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>

#include "faulthook.h"
#include "pathmap.h"
#include "win/kernel.h"

// This file opens the Linux streams under the mapped names itself.
#undef fopen

using namespace tavo;

namespace {

// A text-mode stream: the program's stream is a cookie stream over a
// binary one. The inner position is the program's position, so ftell and
// fseek deal in file offsets, as they do on Windows. While the file fault
// hook runs, a binary stream for writing is such a cookie stream too, one
// that passes the bytes through unchanged, so that its writes are counted.
struct TextStream {
  FILE *inner;
  bool binary = false;
  bool failed = false;  // a counted write failed: the stream takes no more
};

// The text streams that are open, so that _fileno can answer the file's
// descriptor for them too (for _filelength).
std::mutex g_textLock;
std::unordered_map<FILE *, TextStream *> g_textStreams;

ssize_t TextRead(void *cookie, char *buf, size_t size) {
  FILE *f = static_cast<TextStream *>(cookie)->inner;
  if (static_cast<TextStream *>(cookie)->binary) {
    size_t n = fread(buf, 1, size, f);
    if (n == 0 && ferror(f)) return -1;
    return (ssize_t)n;
  }
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
  if (t->failed) return -1;
  if (!CountFileCall()) {
    t->failed = true;
    return -1;
  }
  if (t->binary) {
    if (fwrite(buf, 1, size, f) != size || fflush(f) != 0) return -1;
    return (ssize_t)size;
  }
  char out[8192];
  size_t done = 0;
  while (done < size) {
    size_t o = 0;
    size_t i = done;
    while (i < size && o + 2 <= sizeof out) {
      if (buf[i] == '\n') out[o++] = '\r';
      out[o++] = buf[i++];
    }
    if (fwrite(out, 1, o, f) != o) return done ? (ssize_t)done : -1;
    done = i;
  }
  // The inner stream is flushed with every write so that the file holds
  // what the program wrote as soon as a Windows program's file would.
  if (fflush(f) != 0) return -1;
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

int TextClose(void *cookie) {
  TextStream *t = static_cast<TextStream *>(cookie);
  {
    std::lock_guard<std::mutex> g(g_textLock);
    for (auto it = g_textStreams.begin(); it != g_textStreams.end(); ++it) {
      if (it->second == t) {
        g_textStreams.erase(it);
        break;
      }
    }
  }
  int rc = fclose(t->inner);
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
  bool plus = false, binary = false;
  for (const char *m = mode + 1; *m && *m != ','; ++m) {
    if (*m == '+') plus = true;
    if (*m == 'b') binary = true;
  }
  std::string linux;
  if (!MapPath(path, linux)) {
    errno = ErrnoFromWinError(GetLastError());
    return nullptr;
  }

  bool writes = kind != 'r' || plus;
  if (writes && !CountFileCall()) return nullptr;
  struct stat st;
  if (stat(linux.c_str(), &st) == 0) {
    // A folder never opens as a stream; a read-only file not for writing
    // (also for root).
    if (S_ISDIR(st.st_mode) || (writes && !(st.st_mode & S_IWUSR))) {
      errno = EACCES;
      return nullptr;
    }
  }

  int oflags = O_CLOEXEC | (plus ? O_RDWR : (kind == 'r' ? O_RDONLY : O_WRONLY));
  if (kind != 'r') oflags |= O_CREAT;
  if (kind == 'a') oflags |= O_APPEND;
  int fd;
  do {
    fd = ::open(linux.c_str(), oflags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    if (errno == EISDIR) errno = EACCES;
    return nullptr;
  }
  // A file another opener holds exclusively (CreateFile share mode 0) does
  // not open, and is not emptied by "w".
  int rc;
  do {
    rc = flock(fd, LOCK_SH | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0 && errno == EWOULDBLOCK) {
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
  FILE *inner = fdopen(fd, fmode);
  if (!inner) {
    int e = errno;
    ::close(fd);
    errno = e;
    return nullptr;
  }
  const bool counted = writes && FileFaultsRunning();
  if (binary && !counted) return inner;

  TextStream *t = new TextStream{inner, binary};
  cookie_io_functions_t io = {TextRead, TextWrite, TextSeek, TextClose};
  FILE *outer = fopencookie(t, fmode, io);
  if (!outer) {
    int e = errno;
    fclose(inner);
    delete t;
    errno = e;
    return nullptr;
  }
  {
    std::lock_guard<std::mutex> g(g_textLock);
    g_textStreams[outer] = t;
  }
  // A stream that only writes is line-buffered: each line goes out in one
  // piece, and since no newline ever waits in the buffer, ftell stays a
  // file offset. A stream that reads is unbuffered for the same reason, and
  // so is every stream that the fault hook counts.
  if (kind != 'r' && !plus && !counted)
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
    if (it != g_textStreams.end()) return fileno(it->second->inner);
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
