// A small child program for the process tests. It splits its own command
// line as a Windows program does and reports what it got:
//   each argument from the second on as "[arg]" lines on standard output,
//   "stderr" on standard error,
// then, by its options: -i reads standard input to its end and reports
// "in:<bytes>"; -s<ms> sleeps; -x<code> ends with that exit code.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "win/kernel.h"

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
    if (std::wcsncmp(args[i], L"-s", 2) == 0) usleep(1000 * std::wcstol(args[i] + 2, nullptr, 10));
  }
  LocalFree(args);
  return exitCode;
}
