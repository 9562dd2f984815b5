// Wildcard searches as Windows answers them.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "pathmap.h"
#include "windows.h"

namespace {

class FilesFind : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tavo_find_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    char buf[4096];
    ASSERT_NE(getcwd(buf, sizeof buf), nullptr);
    oldCwd_ = buf;
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    tavo::ResetDrives();
    for (const char *d : {"data", "sub"}) ASSERT_EQ(mkdir(d, 0755), 0);
    for (const char *f : {"Opd10400.EXE", "opd10413.exe", "README", "Tavo.ex_", "data/A.DAT",
                          "data/b.dat", "data/c.txt", "\xC3\xA6" "ble.txt"}) {
      int fd = open(f, O_CREAT | O_WRONLY, 0644);
      ASSERT_GE(fd, 0);
      ASSERT_EQ(write(fd, "12345", 5), 5);
      close(fd);
    }
  }
  void TearDown() override {
    tavo::ResetDrives();
    ASSERT_EQ(chdir(oldCwd_.c_str()), 0);
    ASSERT_EQ(std::system(("rm -rf '" + dir_ + "'").c_str()), 0);
  }
  std::vector<std::string> Names(const char *pattern) {
    std::vector<std::string> out;
    WIN32_FIND_DATA fd;
    HANDLE h = FindFirstFile(pattern, &fd);
    if (h == INVALID_HANDLE_VALUE) return out;
    do out.push_back(fd.cFileName);
    while (FindNextFile(h, &fd));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(h));
    return out;
  }
  std::string dir_, oldCwd_;
};

TEST_F(FilesFind, PatternsMatchAsOnWindows) {
  using V = std::vector<std::string>;
  struct Case {
    const char *pattern;
    V names;
  } cases[] = {
      {"opd*.exe", {"Opd10400.EXE", "opd10413.exe"}},
      {"OPD?04??.*", {"Opd10400.EXE", "opd10413.exe"}},
      {"*.*", {".", "..", "data", "Opd10400.EXE", "opd10413.exe", "README", "sub", "Tavo.ex_",
               "æble.txt"}},
      {"*", {".", "..", "data", "Opd10400.EXE", "opd10413.exe", "README", "sub", "Tavo.ex_",
             "æble.txt"}},
      {"readme.*", {"README"}},
      {"data\\*.dat", {"A.DAT", "b.dat"}},
      {"DATA/*.*", {".", "..", "A.DAT", "b.dat", "c.txt"}},
      {"tavo.ex_", {"Tavo.ex_"}},
      {"ÆBLE.TXT", {"æble.txt"}},
      {"*.zip", {}},
  };
  for (const Case &c : cases) EXPECT_EQ(Names(c.pattern), c.names) << c.pattern;
}

TEST_F(FilesFind, EntriesCarryFlagsSizesAndTimes) {
  WIN32_FIND_DATA fd;
  HANDLE h = FindFirstFile("data\\a.dat", &fd);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(fd.cFileName, "A.DAT");
  EXPECT_EQ(fd.nFileSizeLow, 5u);
  EXPECT_EQ(fd.nFileSizeHigh, 0u);
  EXPECT_EQ(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  // Last write in UTC, as FILETIME: within a day of now.
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  uint64_t t = ((uint64_t)fd.ftLastWriteTime.dwHighDateTime << 32) | fd.ftLastWriteTime.dwLowDateTime;
  uint64_t n = ((uint64_t)now.dwHighDateTime << 32) | now.dwLowDateTime;
  EXPECT_LT(n > t ? n - t : t - n, 864000000000ULL);
  FindClose(h);

  h = FindFirstFile("sub", &fd);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  FindClose(h);
}

TEST_F(FilesFind, FailuresAndTheDriveRoot) {
  WIN32_FIND_DATA fd;
  struct Case {
    const char *pattern;
    DWORD error;
  } cases[] = {
      {"*.zip", ERROR_FILE_NOT_FOUND},
      {"ingen\\*.*", ERROR_PATH_NOT_FOUND},
      {"README\\*.*", ERROR_PATH_NOT_FOUND},
      {"Q:\\*.*", ERROR_INVALID_DRIVE},
      {"d*\\*.dat", ERROR_INVALID_NAME},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(FindFirstFile(c.pattern, &fd), INVALID_HANDLE_VALUE) << c.pattern;
    EXPECT_EQ(GetLastError(), c.error) << c.pattern;
  }
  EXPECT_FALSE(FindNextFile(0x7FFFFFF0u, &fd));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);

  // A drive's root lists no "." and "..".
  tavo::SetDrive('F', dir_ + "/data", DRIVE_REMOVABLE);
  EXPECT_EQ(Names("F:\\*.*"), (std::vector<std::string>{"A.DAT", "b.dat", "c.txt"}));
}

// Symbolic links: a search and GetFileAttributes mark them, with the
// target's kind beside the mark; changing or removing one acts on the link,
// never on its target.
TEST_F(FilesFind, SymbolicLinksAreEntriesOfTheirOwn) {
  ASSERT_EQ(mkdir("ude", 0755), 0);
  ASSERT_EQ(symlink("../ude", "sub/mappelink"), 0);
  ASSERT_EQ(symlink("../README", "sub/fillink"), 0);
  ASSERT_EQ(symlink("../mangler", "sub/doed"), 0);
  ASSERT_TRUE(SetFileAttributes("README", FILE_ATTRIBUTE_READONLY));

  const struct {
    const char *navn;
    DWORD attributter;
  } tilfaelde[] = {
      {"doed", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT},
      {"fillink", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_REPARSE_POINT},
      {"mappelink", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT},
  };
  WIN32_FIND_DATA fd;
  HANDLE h = FindFirstFile("sub\\*", &fd);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  std::vector<std::pair<std::string, DWORD>> fundet;
  do fundet.emplace_back(fd.cFileName, fd.dwFileAttributes);
  while (FindNextFile(h, &fd));
  FindClose(h);
  ASSERT_EQ(fundet.size(), 5u);  // ".", ".." and the three links
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(fundet[i + 2].first, tilfaelde[i].navn);
    EXPECT_EQ(fundet[i + 2].second, tilfaelde[i].attributter) << tilfaelde[i].navn;
    EXPECT_EQ(GetFileAttributes((std::string("sub\\") + tilfaelde[i].navn).c_str()), tilfaelde[i].attributter)
        << tilfaelde[i].navn;
  }
  EXPECT_EQ(GetFileAttributes("sub") & FILE_ATTRIBUTE_REPARSE_POINT, 0u);

  // Clearing read-only through the link leaves the target read-only.
  EXPECT_TRUE(SetFileAttributes("sub\\fillink", FILE_ATTRIBUTE_NORMAL));
  EXPECT_NE(GetFileAttributes("README") & FILE_ATTRIBUTE_READONLY, 0u);
  // A folder link goes with RemoveDirectory, its target stays.
  EXPECT_TRUE(RemoveDirectory("sub\\mappelink"));
  EXPECT_EQ(GetFileAttributes("ude"), (DWORD)FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_FALSE(RemoveDirectory("sub\\fillink"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIRECTORY);
  EXPECT_TRUE(DeleteFile("sub\\fillink"));
  EXPECT_TRUE(DeleteFile("sub\\doed"));
  EXPECT_EQ(GetFileAttributes("README") & FILE_ATTRIBUTE_ARCHIVE, (DWORD)FILE_ATTRIBUTE_ARCHIVE);
  SetFileAttributes("README", FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
