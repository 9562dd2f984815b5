// Child processes, anonymous pipes and handle duplication.

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "pathmap.h"
#include "waitable.h"
#include "win/kernel.h"

extern char **environ;

namespace tavo {
namespace {

constexpr HANDLE kCurrentProcess = 0xFFFFFFFFu;

// One end of a pipe. The descriptor closes when the last handle and the
// last operation in progress let go of it, which is what makes the other
// end see the pipe broken.
class PipeEnd : public KernelObject {
 public:
  explicit PipeEnd(int fd) : KernelObject(KType::Pipe), fd_(fd) {}
  ~PipeEnd() override { close(fd_); }
  int PosixFd() const override { return fd_; }

  bool Read(void *buf, DWORD len, DWORD *got) override {
    if (got) *got = 0;
    if (len == 0) return true;
    ssize_t n;
    do n = read(fd_, buf, len);
    while (n < 0 && errno == EINTR);
    if (n > 0) {
      if (got) *got = (DWORD)n;
      return true;
    }
    SetLastError(n == 0 ? ERROR_BROKEN_PIPE : ERROR_INVALID_HANDLE);
    return false;
  }

  bool Write(const void *buf, DWORD len, DWORD *put) override {
    if (put) *put = 0;
    // A write to a pipe nobody reads must fail, not kill the process: keep
    // SIGPIPE blocked for this thread and swallow the one the write raises.
    sigset_t pipeSet, old, pending;
    sigemptyset(&pipeSet);
    sigaddset(&pipeSet, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSet, &old);
    sigpending(&pending);
    bool alreadyPending = sigismember(&pending, SIGPIPE);
    DWORD done = 0;
    bool ok = true;
    while (done < len) {
      ssize_t n = write(fd_, (const char *)buf + done, len - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        if (errno == EPIPE && !alreadyPending) {
          struct timespec zero = {0, 0};
          sigtimedwait(&pipeSet, nullptr, &zero);
        }
        SetLastError(errno == EPIPE ? ERROR_NO_DATA : ERROR_INVALID_HANDLE);
        ok = false;
        break;
      }
      done += (DWORD)n;
    }
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    if (put) *put = done;
    return ok;
  }

 private:
  int fd_;
};

class ProcessObj : public Completion {
 public:
  explicit ProcessObj(pid_t pid) : Completion(KType::Process), pid(pid) {}
  const pid_t pid;
  // With SyncLock() held.
  bool terminated = false;
  DWORD terminateCode = 0;
};

class ChildThreadObj : public Completion {
 public:
  ChildThreadObj() : Completion(KType::Thread) {}
};

bool HasFolder(const std::string &name) {
  return name.find_first_of("\\/:") != std::string::npos;
}

bool HasExtension(const std::string &name) {
  size_t slash = name.find_last_of("\\/:");
  size_t dot = name.rfind('.');
  return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

bool IsProgramFile(const std::string &path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The entry of a Linux folder whose name matches name (Windows-1252)
// without regard to case.
bool FindInFolder(const std::string &folder, const std::string &name, std::string &out) {
  std::string exact = folder + "/" + ToUtf8(name);
  if (IsProgramFile(exact)) {
    out = exact;
    return true;
  }
  DIR *d = opendir(folder.c_str());
  if (!d) return false;
  bool found = false;
  while (struct dirent *e = readdir(d)) {
    std::string entry;
    if (!ToCp1252(e->d_name, entry) || !Cp1252EqualNoCase(entry, name)) continue;
    std::string path = folder + "/" + e->d_name;
    if (IsProgramFile(path)) {
      out = path;
      found = true;
      break;
    }
  }
  closedir(d);
  return found;
}

std::string OwnFolder() {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "";
  std::string p(buf, (size_t)n);
  size_t slash = p.rfind('/');
  return slash == std::string::npos ? "" : p.substr(0, slash);
}

// The Linux file of the program a command line names.
bool FindProgram(const std::string &given, std::string &out) {
  if (given.empty()) return false;
  std::vector<std::string> names = {given};
  if (!HasExtension(given)) names.push_back(given + ".exe");
  for (const auto &name : names) {
    if (HasFolder(name)) {
      std::string mapped;
      if (MapPath(name.c_str(), mapped) && IsProgramFile(mapped)) {
        out = mapped;
        return true;
      }
      continue;
    }
    std::vector<std::string> folders = {OwnFolder()};
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd)) folders.push_back(cwd);
    if (const char *path = std::getenv("PATH")) {
      std::string all = path;
      size_t start = 0;
      while (start <= all.size()) {
        size_t end = all.find(':', start);
        if (end == std::string::npos) end = all.size();
        if (end > start) folders.push_back(all.substr(start, end - start));
        start = end + 1;
      }
    }
    for (const auto &f : folders)
      if (!f.empty() && FindInFolder(f, name, out)) return true;
  }
  return false;
}

DWORD ErrorOfErrno(int err) {
  switch (err) {
    case ENOENT:
    case ENOTDIR: return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM: return ERROR_ACCESS_DENIED;
    case ENOEXEC: return ERROR_BAD_EXE_FORMAT;
    case ENOMEM:
    case EAGAIN: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_INVALID_FUNCTION;
  }
}

// Waits for the child so that it never lingers as a zombie, whether or not
// the program waits on its handle.
void Reap(std::shared_ptr<ProcessObj> proc, std::shared_ptr<ChildThreadObj> thread) {
  int status = 0;
  pid_t r;
  do r = waitpid(proc->pid, &status, 0);
  while (r < 0 && errno == EINTR);
  DWORD code;
  if (r < 0)
    code = 0xFFFFFFFFu;  // reaped elsewhere: the code is lost
  else if (WIFEXITED(status))
    code = (DWORD)WEXITSTATUS(status);
  else
    code = 128 + (DWORD)WTERMSIG(status);
  {
    std::lock_guard<std::mutex> g(SyncLock());
    if (proc->terminated) code = proc->terminateCode;
  }
  // The thread first: whoever sees the process ended sees its thread ended.
  thread->Finish(code);
  proc->Finish(code);
}

}  // namespace
}  // namespace tavo

using namespace tavo;

BOOL CreateProcessA(LPCSTR applicationName, LPSTR commandLine, LPSECURITY_ATTRIBUTES,
                    LPSECURITY_ATTRIBUTES, BOOL inheritHandles, DWORD, LPVOID environment,
                    LPCSTR currentDirectory, LPSTARTUPINFOA si, LPPROCESS_INFORMATION pi) {
  if (environment) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
  }
  std::string line = commandLine ? commandLine
                    : applicationName ? "\"" + std::string(applicationName) + "\""
                                      : "";
  if (line.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::vector<std::string> args = SplitCommandLine(line);
  std::string path;
  bool found = false;
  if (applicationName) {
    found = FindProgram(applicationName, path);
  } else if (line[0] == '"') {
    found = FindProgram(args[0], path);
  } else {
    // An unquoted name may hold blanks ("C:\Program Files\x.exe a"): as
    // Windows does, each run up to a blank is tried, shortest first.
    for (size_t end = 0; !found && end <= line.size(); ++end) {
      if (end == line.size() || line[end] == ' ' || line[end] == '\t')
        found = end > 0 && FindProgram(line.substr(0, end), path);
    }
  }
  if (!found) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  std::string folder;
  if (currentDirectory && *currentDirectory && !MapPath(currentDirectory, folder)) {
    SetLastError(ERROR_DIRECTORY);
    return FALSE;
  }

  // Standard handles. Each descriptor is first copied above 2, so that
  // placing one at 0, 1 or 2 in the child never overwrites another still to
  // be placed (a pipe made while our stdin was closed sits at 0).
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  std::vector<int> copies;
  if (si && (si->dwFlags & STARTF_USESTDHANDLES)) {
    HANDLE std3[3] = {si->hStdInput, si->hStdOutput, si->hStdError};
    for (int i = 0; i < 3; ++i) {
      auto obj = inheritHandles && IsHandleInheritable(std3[i]) ? LookupHandle(std3[i]) : nullptr;
      int fd = obj ? obj->PosixFd() : -1;
      int copy = fd >= 0 ? fcntl(fd, F_DUPFD_CLOEXEC, 3) : -1;
      if (copy >= 0) {
        copies.push_back(copy);
        posix_spawn_file_actions_adddup2(&actions, copy, i);
      } else {
        posix_spawn_file_actions_addopen(&actions, i, "/dev/null", O_RDWR, 0);
      }
    }
  }
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());

  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t none, defaults;
  sigemptyset(&none);
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigaddset(&defaults, SIGCHLD);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  std::vector<std::string> utf8;
  for (auto &a : args) utf8.push_back(ToUtf8(a));
  std::vector<char *> argv;
  for (auto &a : utf8) argv.push_back(a.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  int err = posix_spawn(&pid, path.c_str(), &actions, &attr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  for (int fd : copies) close(fd);
  if (err != 0) {
    SetLastError(ErrorOfErrno(err));
    return FALSE;
  }

  auto proc = std::make_shared<ProcessObj>(pid);
  auto thread = std::make_shared<ChildThreadObj>();
  try {
    std::thread(Reap, proc, thread).detach();
  } catch (...) {
    // Without a reaper the child would stay a zombie: wait for it here.
    Reap(proc, thread);
  }
  HANDLE hp = NewHandle(proc);
  HANDLE ht = NewHandle(thread);
  if (pi) {
    pi->hProcess = hp;
    pi->hThread = ht;
    pi->dwProcessId = (DWORD)pid;
    pi->dwThreadId = (DWORD)pid;
  } else {
    CloseHandle(hp);
    CloseHandle(ht);
  }
  return TRUE;
}

void GetStartupInfoA(LPSTARTUPINFOA si) {
  if (!si) return;
  std::memset(si, 0, sizeof *si);
  si->cb = sizeof *si;
}

BOOL GetExitCodeProcess(HANDLE h, LPDWORD exitCode) {
  auto p = LookupHandleAs<ProcessObj>(h, KType::Process);
  if (!p || !exitCode) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *exitCode = p->ExitCode();
  return TRUE;
}

BOOL TerminateProcess(HANDLE h, UINT exitCode) {
  if (h == kCurrentProcess) ExitProcess(exitCode);
  auto p = LookupHandleAs<ProcessObj>(h, KType::Process);
  if (!p) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  std::lock_guard<std::mutex> g(SyncLock());
  if (p->IsSignalled(0)) {
    SetLastError(ERROR_ACCESS_DENIED);  // already ended, as on Windows
    return FALSE;
  }
  if (!p->terminated) {
    p->terminated = true;
    p->terminateCode = exitCode;
    kill(p->pid, SIGKILL);
  }
  return TRUE;
}

void ExitProcess(UINT exitCode) {
  std::fflush(nullptr);
  _exit((int)exitCode);
}

HANDLE GetCurrentProcess(void) { return kCurrentProcess; }

BOOL CreatePipe(PHANDLE readPipe, PHANDLE writePipe, LPSECURITY_ATTRIBUTES sa, DWORD) {
  if (!readPipe || !writePipe) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int fds[2];
  // Close-on-exec: only the standard handles chosen for a child reach it.
  if (pipe2(fds, O_CLOEXEC) != 0) {
    SetLastError(ERROR_TOO_MANY_OPEN_FILES);
    return FALSE;
  }
  HANDLE r = NewHandle(std::make_shared<PipeEnd>(fds[0]));
  HANDLE w = NewHandle(std::make_shared<PipeEnd>(fds[1]));
  if (!r || !w) {
    if (r) CloseHandle(r);
    if (w) CloseHandle(w);
    return FALSE;
  }
  bool inherit = sa && sa->bInheritHandle;
  SetHandleInheritable(r, inherit);
  SetHandleInheritable(w, inherit);
  *readPipe = r;
  *writePipe = w;
  return TRUE;
}

BOOL DuplicateHandle(HANDLE sourceProcess, HANDLE source, HANDLE targetProcess, LPHANDLE target,
                     DWORD, BOOL inheritHandle, DWORD options) {
  if (sourceProcess != kCurrentProcess || targetProcess != kCurrentProcess) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
  }
  HANDLE h = target ? DuplicateKernelHandle(source) : 0;
  if (h) SetHandleInheritable(h, inheritHandle != 0);
  // The source is closed even when the copy failed, as Windows does.
  if (options & DUPLICATE_CLOSE_SOURCE) CloseKernelHandle(source);
  if (!h) {
    SetLastError(target ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *target = h;
  return TRUE;
}
