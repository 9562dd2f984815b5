// ShellExecute through the desktop's opener, the special folders of the
// user's home, and item id lists holding a Windows path.

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "pathmap.h"
#include "tavo/test_dialog.h"
#include "win/shellapi.h"

extern char **environ;

namespace {

std::mutex g_mx;
bool g_logging = false;
std::vector<tavo::test::ShellCall> g_calls;

bool IsAddress(const std::string &s) {
  return s.find("://") != std::string::npos || s.rfind("mailto:", 0) == 0;
}

bool CopyOut(const std::string &s, LPSTR out, size_t size) {
  if (!out || s.size() + 1 > size) return false;
  std::memcpy(out, s.c_str(), s.size() + 1);
  return true;
}

// Runs the opener detached: a child that starts it and leaves at once, so
// nothing is left to wait for.
bool Launch(const std::string &target) {
  pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    setsid();
    pid_t inner;
    char *argv[] = {const_cast<char *>("xdg-open"), const_cast<char *>(target.c_str()), nullptr};
    int rc = posix_spawnp(&inner, "xdg-open", nullptr, nullptr, argv, environ);
    _exit(rc == 0 ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string Home() {
  const char *h = std::getenv("HOME");
  return h && *h ? h : "/";
}

bool IsDir(const std::string &p) {
  struct stat st;
  return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

namespace tavo::test {

void StartShellLog() {
  std::lock_guard<std::mutex> g(g_mx);
  g_logging = true;
  g_calls.clear();
}

std::vector<ShellCall> StopShellLog() {
  std::lock_guard<std::mutex> g(g_mx);
  g_logging = false;
  return std::move(g_calls);
}

}  // namespace tavo::test

HINSTANCE ShellExecuteA(HWND, LPCSTR op, LPCSTR file, LPCSTR params, LPCSTR dir, INT show) {
  if (!file || !*file) return (HINSTANCE)SE_ERR_FNF;
  std::string operation = op ? op : "";
  for (char &c : operation) c = (char)std::tolower((unsigned char)c);
  if (!operation.empty() && operation != "open" && operation != "explore") return (HINSTANCE)SE_ERR_NOASSOC;
  std::string target = file;
  if (!IsAddress(target)) {
    std::string linux;
    if (!tavo::MapPath(file, linux)) return (HINSTANCE)SE_ERR_PNF;
    struct stat st;
    if (stat(linux.c_str(), &st) != 0) return (HINSTANCE)SE_ERR_FNF;
    if (operation == "explore" && !S_ISDIR(st.st_mode)) return (HINSTANCE)SE_ERR_NOASSOC;
    target = linux;
  }
  {
    std::lock_guard<std::mutex> g(g_mx);
    if (g_logging) {
      g_calls.push_back({operation, file, params ? params : "", dir ? dir : "", show});
      return (HINSTANCE)42;
    }
  }
  const char *display = std::getenv("DISPLAY");
  if (!display || !*display) return (HINSTANCE)SE_ERR_NOASSOC;
  return (HINSTANCE)(Launch(target) ? 42 : SE_ERR_NOASSOC);
}

HRESULT SHGetFolderPathA(HWND, int csidl, HANDLE, DWORD, LPSTR path) {
  if (!path) return E_INVALIDARG;
  path[0] = 0;
  bool create = (csidl & CSIDL_FLAG_CREATE) != 0;
  std::string home = Home(), linux;
  switch (csidl & 0xFF) {
    case CSIDL_PERSONAL:
      linux = IsDir(home + "/Documents") ? home + "/Documents" : home;
      break;
    case CSIDL_DESKTOP:
    case CSIDL_DESKTOPDIRECTORY:
      linux = home + "/Desktop";
      if (!IsDir(linux) && !create) linux = home;
      break;
    case CSIDL_APPDATA:
      linux = home + "/.config";
      break;
    case CSIDL_LOCAL_APPDATA:
      linux = home + "/.local/share";
      break;
    default:
      return E_INVALIDARG;
  }
  if (create && !IsDir(linux)) mkdir(linux.c_str(), 0755);
  std::string win;
  if (!tavo::UnmapPath(linux, win) || win.size() >= MAX_PATH) return E_FAIL;
  CopyOut(win, path, MAX_PATH);
  return S_OK;
}

BOOL SHGetSpecialFolderPathA(HWND hwnd, LPSTR path, int csidl, BOOL create) {
  return SUCCEEDED(SHGetFolderPathA(hwnd, csidl | (create ? CSIDL_FLAG_CREATE : 0), 0, 0, path));
}

struct _ITEMIDLIST {
  char path[MAX_PATH];
};

LPITEMIDLIST MakeIdList(const std::string &winPath) {
  if (winPath.size() >= MAX_PATH) return nullptr;
  auto *p = static_cast<LPITEMIDLIST>(std::calloc(1, sizeof(ITEMIDLIST)));
  if (p) std::memcpy(p->path, winPath.c_str(), winPath.size() + 1);
  return p;
}

BOOL SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR path) {
  if (!pidl || !path) return FALSE;
  return CopyOut(pidl->path, path, MAX_PATH);
}

void CoTaskMemFree(LPVOID p) { std::free(p); }
HRESULT CoInitialize(LPVOID) { return S_OK; }
void CoUninitialize(void) {}
