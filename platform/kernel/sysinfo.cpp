// User and computer names, memory figures, the program's own file name and
// the system modules the layer stands in for.
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "pathmap.h"
#include "win/kernel.h"

using namespace tavo;

namespace {

// A name from the system in Windows-1252; a character it cannot hold
// becomes '?'.
std::string NameTo1252(const std::string &utf8) {
  std::string out;
  if (ToCp1252(utf8, out)) return out;
  out.clear();
  for (unsigned char c : utf8) {
    if (c < 0x80)
      out += (char)c;
    else if ((c & 0xC0) != 0x80)
      out += '?';
  }
  return out;
}

// Fields of /proc files in kB ("VmRSS:  1234 kB"), as bytes.
bool ProcField(const char *file, const char *key, uint64_t &bytes) {
  std::ifstream in(file);
  std::string line;
  size_t keyLen = strlen(key);
  while (std::getline(in, line)) {
    if (line.compare(0, keyLen, key) == 0 && line.size() > keyLen && line[keyLen] == ':') {
      bytes = strtoull(line.c_str() + keyLen + 1, nullptr, 10) * 1024;
      return true;
    }
  }
  return false;
}

}  // namespace

BOOL GetUserNameA(LPSTR buf, LPDWORD size) {
  if (!size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The name the session logged on with, as Windows gives the logged-on
  // user; the account of the process when the session names none.
  std::string name;
  struct passwd pw, *res = nullptr;
  char pwbuf[4096];
  if (const char *u = getenv("USER"); u && *u)
    name = u;
  else if (getpwuid_r(geteuid(), &pw, pwbuf, sizeof pwbuf, &res) == 0 && res && pw.pw_name)
    name = pw.pw_name;
  if (name.empty()) {
    SetLastError(ERROR_NOT_FOUND);
    return FALSE;
  }
  name = NameTo1252(name);
  if (!buf || *size <= name.size()) {
    *size = (DWORD)name.size() + 1;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  memcpy(buf, name.c_str(), name.size() + 1);
  *size = (DWORD)name.size() + 1;
  return TRUE;
}

BOOL GetComputerNameA(LPSTR buf, LPDWORD size) {
  if (!size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0 || !host[0]) {
    SetLastError(ERROR_NOT_FOUND);
    return FALSE;
  }
  std::string name = host;
  size_t dot = name.find('.');
  if (dot != std::string::npos) name.resize(dot);
  name = NameTo1252(name);
  if (!buf || *size <= name.size()) {
    *size = (DWORD)name.size() + 1;
    SetLastError(ERROR_BUFFER_OVERFLOW);
    return FALSE;
  }
  memcpy(buf, name.c_str(), name.size() + 1);
  *size = (DWORD)name.size();
  return TRUE;
}

BOOL GetProcessMemoryInfo(HANDLE process, PPROCESS_MEMORY_COUNTERS counters, DWORD cb) {
  if (!counters || cb < sizeof(PROCESS_MEMORY_COUNTERS)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  uint64_t rss = 0, hwm = 0, anon = 0, swap = 0;
  if (!ProcField("/proc/self/status", "VmRSS", rss)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  ProcField("/proc/self/status", "VmHWM", hwm);
  ProcField("/proc/self/status", "RssAnon", anon);
  ProcField("/proc/self/status", "VmSwap", swap);
  unsigned long minflt = 0, majflt = 0;
  {
    std::ifstream in("/proc/self/stat");
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Fields after the command name in parentheses, which may hold blanks.
    size_t close = all.rfind(')');
    if (close != std::string::npos) {
      std::istringstream rest(all.substr(close + 1));
      std::string f;
      for (int i = 3; i <= 12 && rest >> f; ++i) {
        if (i == 10) minflt = strtoul(f.c_str(), nullptr, 10);
        if (i == 12) majflt = strtoul(f.c_str(), nullptr, 10);
      }
    }
  }
  uint64_t priv = anon + swap;
  PROCESS_MEMORY_COUNTERS_EX ex = {};
  ex.cb = cb >= sizeof ex ? (DWORD)sizeof ex : (DWORD)sizeof(PROCESS_MEMORY_COUNTERS);
  ex.PageFaultCount = (DWORD)(minflt + majflt);
  ex.WorkingSetSize = (SIZE_T)rss;
  ex.PeakWorkingSetSize = (SIZE_T)(hwm > rss ? hwm : rss);
  ex.PagefileUsage = (SIZE_T)priv;
  ex.PeakPagefileUsage = (SIZE_T)priv;
  ex.PrivateUsage = (SIZE_T)priv;
  memcpy(counters, &ex, ex.cb);
  return TRUE;
}

BOOL GlobalMemoryStatusEx(LPMEMORYSTATUSEX status) {
  if (!status || status->dwLength != sizeof(MEMORYSTATUSEX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  uint64_t total = 0, avail = 0, swapTotal = 0, swapFree = 0, vmSize = 0;
  if (!ProcField("/proc/meminfo", "MemTotal", total) || total == 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (!ProcField("/proc/meminfo", "MemAvailable", avail)) ProcField("/proc/meminfo", "MemFree", avail);
  ProcField("/proc/meminfo", "SwapTotal", swapTotal);
  ProcField("/proc/meminfo", "SwapFree", swapFree);
  ProcField("/proc/self/status", "VmSize", vmSize);
  if (avail > total) avail = total;
  const uint64_t kUserSpace = 0x7FFFFFFE0000ULL;  // 128 TB, as 64-bit Windows
  status->dwMemoryLoad = (DWORD)((total - avail) * 100 / total);
  status->ullTotalPhys = total;
  status->ullAvailPhys = avail;
  status->ullTotalPageFile = total + swapTotal;
  status->ullAvailPageFile = avail + swapFree;
  status->ullTotalVirtual = kUserSpace;
  status->ullAvailVirtual = vmSize < kUserSpace ? kUserSpace - vmSize : 0;
  status->ullAvailExtendedVirtual = 0;
  return TRUE;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR buf, DWORD size) {
  char exe[4096];
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n <= 0) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  exe[n] = 0;
  std::string win;
  if (!UnmapPath(exe, win)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return 0;
  }
  if (!buf || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (size <= win.size()) {
    memcpy(buf, win.data(), size - 1);
    buf[size - 1] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  memcpy(buf, win.c_str(), win.size() + 1);
  return (DWORD)win.size();
}

namespace {

struct Export {
  const char *name;
  FARPROC proc;
};

struct Module {
  const char *name;
  const Export *exports;
  size_t count;
};

const Export kKernel32[] = {
    {"GetDiskFreeSpaceExA", reinterpret_cast<FARPROC>(&GetDiskFreeSpaceExA)},
    {"GetDiskFreeSpaceA", reinterpret_cast<FARPROC>(&GetDiskFreeSpaceA)},
};

const Module kModules[] = {
    {"kernel32.dll", kKernel32, sizeof kKernel32 / sizeof kKernel32[0]},
    {"mscoree.dll", nullptr, 0},
};

// Module handles are fixed values, far from the kernel's object handles.
const HMODULE kModuleBase = 0x7FF00000u;

}  // namespace

HMODULE LoadLibraryA(LPCSTR name) {
  if (!name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string n = name;
  size_t cut = n.find_last_of("\\/:");
  if (cut != std::string::npos) n = n.substr(cut + 1);
  for (size_t i = 0; i < sizeof kModules / sizeof kModules[0]; ++i) {
    const char *m = kModules[i].name;
    size_t mlen = strlen(m);
    // "kernel32" names "kernel32.dll" too.
    if (Cp1252EqualNoCase(n, m) || (n.size() + 4 == mlen && Cp1252EqualNoCase(n, std::string(m, n.size())) &&
                                    strcmp(m + n.size(), ".dll") == 0))
      return kModuleBase + (HMODULE)(i * 0x10000);
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return 0;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
  size_t index = (module - kModuleBase) / 0x10000;
  if (module < kModuleBase || (module - kModuleBase) % 0x10000 != 0 ||
      index >= sizeof kModules / sizeof kModules[0]) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const Module &m = kModules[index];
  if (name && IS_INTRESOURCE(name)) name = nullptr;  // no ordinals here
  for (size_t i = 0; name && i < m.count; ++i)
    if (strcmp(m.exports[i].name, name) == 0) return m.exports[i].proc;
  SetLastError(ERROR_PROC_NOT_FOUND);
  return nullptr;
}

BOOL FreeLibrary(HMODULE module) {
  if (module < kModuleBase || (module - kModuleBase) / 0x10000 >= sizeof kModules / sizeof kModules[0]) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

BOOL GetVersionExA(LPOSVERSIONINFOA info) {
  if (!info || info->dwOSVersionInfoSize < sizeof(OSVERSIONINFOA)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  info->dwMajorVersion = 5;
  info->dwMinorVersion = 1;
  info->dwBuildNumber = 2600;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  info->szCSDVersion[0] = '\0';
  return TRUE;
}
