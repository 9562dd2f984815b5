// A small child program for the process tests. It splits its own command
// line as a Windows program does and reports what it got:
//   each argument from the second on as "[arg]" lines on standard output,
//   "stderr" on standard error,
// then, by its options: -i reads standard input to its end and reports
// "in:<bytes>"; -s<ms> sleeps; -x<code> ends with that exit code;
// -w<ini file> writes keys from 8 threads at once (the profile tests);
// for the share tests, each reporting "<letter>:<Windows error>":
// -f<access>,<share>,<file> opens the file (hex masks) and keeps it open,
// -d<file> deletes it, -m<file>,<new name> moves it replacing the target.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "win/kernel.h"

static const char *g_ini = nullptr;

// Thread t writes keys "c<t>_<i>" = "<i>" into [multi].
static DWORD WINAPI WriteKeys(LPVOID p) {
  int t = (int)(intptr_t)p;
  for (int i = 0; i < 20; ++i) {
    char key[32], value[16];
    std::snprintf(key, sizeof key, "c%d_%d", t, i);
    std::snprintf(value, sizeof value, "%d", i);
    if (!WritePrivateProfileString("multi", key, value, g_ini)) return 1;
  }
  return 0;
}

int main(int argc, char **argv) {
  tavo::SetCommandLine(argc, argv);
  int n = 0;
  LPWSTR *args = CommandLineToArgvW(GetCommandLineW(), &n);
  int exitCode = 0;
  for (int i = 1; i < n; ++i) {
    char a[1024];
    int len = WideCharToMultiByte(CP_ACP, 0, args[i], -1, a, sizeof a, NULL, NULL);
    if (len <= 0) std::strcpy(a, "?");
    std::printf("[%s]\n", a);
    if (std::strncmp(a, "-x", 2) == 0) exitCode = std::atoi(a + 2);
  }
  std::fflush(stdout);
  std::fprintf(stderr, "stderr\n");
  std::fflush(stderr);
  for (int i = 1; i < n; ++i) {
    if (std::wcscmp(args[i], L"-i") == 0) {
      char buf[256];
      long total = 0;
      ssize_t got;
      while ((got = read(0, buf, sizeof buf)) > 0) total += got;
      std::printf("in:%ld\n", total);
      std::fflush(stdout);
    }
    if (std::wcsncmp(args[i], L"-w", 2) == 0) {
      static char ini[1024];
      WideCharToMultiByte(CP_ACP, 0, args[i] + 2, -1, ini, sizeof ini, NULL, NULL);
      g_ini = ini;
      HANDLE threads[8];
      for (int t = 0; t < 8; ++t) threads[t] = CreateThread(NULL, 0, WriteKeys, (LPVOID)(intptr_t)t, 0, NULL);
      WaitForMultipleObjects(8, threads, TRUE, INFINITE);
      for (int t = 0; t < 8; ++t) {
        DWORD code = 1;
        GetExitCodeThread(threads[t], &code);
        if (code != 0) exitCode = 10;
        CloseHandle(threads[t]);
      }
    }
    char a[1024];
    if (WideCharToMultiByte(CP_ACP, 0, args[i], -1, a, sizeof a, NULL, NULL) <= 0) a[0] = 0;
    if (std::strncmp(a, "-f", 2) == 0) {
      unsigned access = 0, share = 0;
      int used = 0;
      std::sscanf(a + 2, "%x,%x,%n", &access, &share, &used);
      HANDLE h = CreateFileA(a + 2 + used, access, share, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
      std::printf("f:%lu\n", h == INVALID_HANDLE_VALUE ? (unsigned long)GetLastError() : 0ul);
      std::fflush(stdout);
    }
    if (std::strncmp(a, "-d", 2) == 0) {
      BOOL ok = DeleteFileA(a + 2);
      std::printf("d:%lu\n", ok ? 0ul : (unsigned long)GetLastError());
      std::fflush(stdout);
    }
    if (std::strncmp(a, "-m", 2) == 0) {
      char *comma = std::strchr(a + 2, ',');
      if (comma) *comma = 0;
      BOOL ok = comma && MoveFileExA(a + 2, comma + 1, MOVEFILE_REPLACE_EXISTING);
      std::printf("m:%lu\n", ok ? 0ul : (unsigned long)GetLastError());
      std::fflush(stdout);
    }
    if (std::wcsncmp(args[i], L"-s", 2) == 0) usleep(1000 * std::wcstol(args[i] + 2, nullptr, 10));
  }
  LocalFree(args);
  return exitCode;
}
