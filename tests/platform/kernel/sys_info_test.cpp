// Error texts, names, memory figures, the program's own name and the
// system modules.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "pathmap.h"
#include "windows.h"

namespace {

TEST(SysErrorText, DanishSystemTexts) {
  char buf[256];
  struct Case {
    DWORD id;
    const char *text;
  } cases[] = {
      {ERROR_FILE_NOT_FOUND, "Den angivne fil blev ikke fundet.\r\n"},
      {ERROR_PATH_NOT_FOUND, "Den angivne sti blev ikke fundet.\r\n"},
      {ERROR_ACCESS_DENIED, "Adgang nægtet.\r\n"},
      {ERROR_SHARING_VIOLATION,
       "Processen kan ikke få adgang til filen, fordi den bruges af en anden proces.\r\n"},
  };
  for (DWORD lang : {0u, 1030u, (DWORD)MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)}) {
    for (const Case &c : cases) {
      DWORD n = FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, c.id,
                              lang, buf, sizeof buf, NULL);
      EXPECT_EQ(n, strlen(c.text)) << c.id;
      EXPECT_STREQ(buf, c.text) << c.id;
    }
  }
  // Every number the layer sets has a text.
  for (DWORD id : {ERROR_INVALID_DRIVE, ERROR_ALREADY_EXISTS, ERROR_FILENAME_EXCED_RANGE,
                   ERROR_DIR_NOT_EMPTY, ERROR_NOT_READY, ERROR_NOT_CONNECTED, ERROR_BAD_DEVICE,
                   ERROR_NEGATIVE_SEEK, ERROR_INVALID_NAME, ERROR_BAD_PATHNAME, ERROR_DIRECTORY,
                   ERROR_LABEL_TOO_LONG, ERROR_MR_MID_NOT_FOUND, ERROR_FILE_EXISTS}) {
    EXPECT_GT(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, NULL, id, 0, buf, sizeof buf, NULL), 0u) << id;
  }
  EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, NULL, 999999, 0, buf, sizeof buf, NULL), 0u);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_MR_MID_NOT_FOUND);
  // A buffer too small is refused, not overrun.
  char small[8] = "xxxxxxx";
  EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, NULL, 2, 0, small, sizeof small, NULL), 0u);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
  // Allocated and freed by the caller; the width mask drops the line end.
  char *block = nullptr;
  DWORD n = FormatMessage(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                              FORMAT_MESSAGE_MAX_WIDTH_MASK,
                          NULL, 5, 0, (LPSTR)&block, 0, NULL);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(n, 14u);
  EXPECT_STREQ(block, "Adgang nægtet.");
  free(block);
  n = FormatMessage(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_IGNORE_INSERTS, "Fejl %1 her", 0, 0,
                    buf, sizeof buf, NULL);
  EXPECT_STREQ(buf, "Fejl %1 her");
}

TEST(SysNames, UserAndComputerNamesFollowTheBufferRules) {
  // The session's name comes first, as Windows gives the logged-on user.
  const char *gammel = getenv("USER");
  const std::string gemt = gammel ? gammel : "";
  setenv("USER", "tavo_bruger", 1);
  char buf[300];
  DWORD size = sizeof buf;
  ASSERT_TRUE(GetUserName(buf, &size));
  EXPECT_STREQ(buf, "tavo_bruger");
  if (gammel) setenv("USER", gemt.c_str(), 1);
  else unsetenv("USER");
  size = sizeof buf;
  ASSERT_TRUE(GetUserName(buf, &size));
  EXPECT_EQ(size, strlen(buf) + 1);
  DWORD needed = size;
  size = 1;
  EXPECT_FALSE(GetUserName(buf, &size));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(size, needed);

  size = sizeof buf;
  ASSERT_TRUE(GetComputerName(buf, &size));
  EXPECT_EQ(size, strlen(buf));
  EXPECT_EQ(strchr(buf, '.'), nullptr);
  needed = size + 1;
  size = 1;
  EXPECT_FALSE(GetComputerName(buf, &size));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_BUFFER_OVERFLOW);
  EXPECT_EQ(size, needed);
}

TEST(SysMemory, FiguresOfProcessAndMachine) {
  PROCESS_MEMORY_COUNTERS_EX pmc = {};
  ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), (PPROCESS_MEMORY_COUNTERS)&pmc, sizeof pmc));
  EXPECT_EQ(pmc.cb, sizeof pmc);
  EXPECT_GT(pmc.WorkingSetSize, 0u);
  EXPECT_GT(pmc.PrivateUsage, 0u);
  EXPECT_EQ(pmc.PagefileUsage, pmc.PrivateUsage);
  EXPECT_FALSE(GetProcessMemoryInfo(GetCurrentProcess(), (PPROCESS_MEMORY_COUNTERS)&pmc, 8));

  MEMORYSTATUSEX ms = {};
  EXPECT_FALSE(GlobalMemoryStatusEx(&ms));  // dwLength not set
  ms.dwLength = sizeof ms;
  ASSERT_TRUE(GlobalMemoryStatusEx(&ms));
  EXPECT_GT(ms.ullTotalPhys, 0u);
  EXPECT_LE(ms.ullAvailPhys, ms.ullTotalPhys);
  EXPECT_LE(ms.dwMemoryLoad, 100u);
}

TEST(SysModule, OwnFileNameMapsBackToTheExecutable) {
  tavo::ResetDrives();
  char buf[MAX_PATH];
  DWORD n = GetModuleFileName(0, buf, sizeof buf);
  ASSERT_GT(n, 3u);
  ASSERT_LT(n, (DWORD)sizeof buf);
  EXPECT_EQ(memcmp(buf, "C:\\", 3), 0);
  // The folder is what comes before the last backslash, and it exists.
  std::string linux;
  ASSERT_TRUE(tavo::MapPath(buf, linux));
  struct stat st;
  EXPECT_EQ(stat(linux.c_str(), &st), 0);
  *strrchr(buf, '\\') = 0;
  EXPECT_TRUE(GetFileAttributes(buf) & FILE_ATTRIBUTE_DIRECTORY);
  // Too small: cut, terminated, and the size answered.
  char small[6];
  EXPECT_EQ(GetModuleFileName(0, small, sizeof small), (DWORD)sizeof small);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(strlen(small), 5u);
}

TEST(SysModule, SystemModulesGiveTheEntriesProgramsLookUp) {
  char path[MAX_PATH];
  ASSERT_GT(SearchPath(NULL, "kernel32.dll", NULL, sizeof path, path, NULL), 0u);
  HMODULE k = LoadLibrary(path);
  ASSERT_NE(k, 0u);
  EXPECT_EQ(LoadLibrary("KERNEL32"), k);
  typedef BOOL(WINAPI * FreeSpaceEx)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
  FreeSpaceEx fn = (FreeSpaceEx)GetProcAddress(k, "GetDiskFreeSpaceExA");
  ASSERT_NE(fn, nullptr);
  ULARGE_INTEGER a, t, f;
  EXPECT_TRUE(fn("C:\\", &a, &t, &f));
  EXPECT_EQ(GetProcAddress(k, "GibIkke"), nullptr);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PROC_NOT_FOUND);
  EXPECT_TRUE(FreeLibrary(k));
  EXPECT_EQ(LoadLibrary("findes-ikke.dll"), 0u);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_MOD_NOT_FOUND);
  EXPECT_EQ(GetProcAddress(0, "GetDiskFreeSpaceExA"), nullptr);
}

}  // namespace
