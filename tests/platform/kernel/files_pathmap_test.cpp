// Windows paths reach the Linux files the program means: either separator,
// any case, drive letters, and bad paths refused with a Windows error.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "pathmap.h"
#include "tavo/cp1252.h"
#include "windows.h"

namespace {

class PathMap : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tavo_pathmap_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    char real[4096];
    ASSERT_NE(realpath(tmpl, real), nullptr);  // getcwd answers the real path
    dir_ = real;
    char buf[4096];
    ASSERT_NE(getcwd(buf, sizeof buf), nullptr);
    oldCwd_ = buf;
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    tavo::ResetDrives();
  }
  void TearDown() override {
    tavo::ResetDrives();
    ASSERT_EQ(chdir(oldCwd_.c_str()), 0);
    std::string cmd = "rm -rf '" + dir_ + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
  }
  void Touch(const std::string &rel) {
    int fd = open((dir_ + "/" + rel).c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0) << rel;
    close(fd);
  }
  void Mkdir(const std::string &rel) { ASSERT_EQ(mkdir((dir_ + "/" + rel).c_str(), 0755), 0); }
  std::string dir_, oldCwd_;
};

TEST_F(PathMap, MatchesExistingNamesWithoutRegardToCase) {
  Mkdir("data");
  Touch("data/akti.DAT");
  Mkdir("LOG");
  Touch("LOG/STDERR.LOG");
  // UTF-8 on disk, Windows-1252 in the program.
  Touch("data/\xC3\xA6\xC3\xB8\xC3\xA5.txt");
  struct Case {
    const char *win;
    const char *linux;
  } cases[] = {
      {"data\\AKTI.dat", "/data/akti.DAT"},
      {"data/akti.dat", "/data/akti.DAT"},
      {"DATA\\akti.DAT", "/data/akti.DAT"},
      {"log/stderr.log", "/LOG/STDERR.LOG"},
      {"LOG\\STDERR.LOG", "/LOG/STDERR.LOG"},
      {".\\data\\.\\Akti.dat", "/data/akti.DAT"},
      {"data\\..\\data\\akti.dat", "/data/akti.DAT"},
      {"data\\ÆØÅ.TXT", "/data/\xC3\xA6\xC3\xB8\xC3\xA5.txt"},
      {"Data\\Ny.TXT", "/data/Ny.TXT"},           // new file keeps its spelling
      {"Ny\\Under\\Fil.txt", "/Ny/Under/Fil.txt"},  // missing folders too
      {"data\\", "/data"},
  };
  for (const Case &c : cases) {
    std::string out;
    ASSERT_TRUE(tavo::MapPath(c.win, out)) << c.win;
    EXPECT_EQ(out, dir_ + c.linux) << c.win;
  }
}

TEST_F(PathMap, DriveLettersMapThroughTheTable) {
  Mkdir("d");
  Touch("d/Fil.txt");
  tavo::SetDrive('d', dir_ + "/d/", 2);
  std::string out;
  ASSERT_TRUE(tavo::MapPath("D:\\fil.TXT", out));
  EXPECT_EQ(out, dir_ + "/d/Fil.txt");
  ASSERT_TRUE(tavo::MapPath("d:/", out));
  EXPECT_EQ(out, dir_ + "/d");
  ASSERT_TRUE(tavo::MapPath("C:\\tmp", out));
  EXPECT_EQ(out, "/tmp");
  // The current directory is on C: here: "C:" and "C:name" start from it,
  // a root-relative name from C:'s root.
  ASSERT_TRUE(tavo::MapPath("C:", out));
  EXPECT_EQ(out, dir_);
  ASSERT_TRUE(tavo::MapPath("c:D\\FIL.txt", out));
  EXPECT_EQ(out, dir_ + "/d/Fil.txt");
  ASSERT_TRUE(tavo::MapPath("\\tmp", out));
  EXPECT_EQ(out, "/tmp");
  // Back from Linux to Windows, through the closest drive.
  std::string win;
  ASSERT_TRUE(tavo::UnmapPath(dir_ + "/d/Fil.txt", win));
  EXPECT_EQ(win, "D:\\Fil.txt");
  ASSERT_TRUE(tavo::UnmapPath("/opt/x/10413.exe", win));
  EXPECT_EQ(win, "C:\\opt\\x\\10413.exe");
  ASSERT_TRUE(tavo::MapPath(win.c_str(), out));
  EXPECT_EQ(out, "/opt/x/10413.exe");
  tavo::RemoveDrive('C');
  EXPECT_FALSE(tavo::UnmapPath("/opt/x", win));
}

TEST_F(PathMap, BadPathsFailWithWindowsErrors) {
  tavo::SetDrive('E', dir_, 3);
  std::string longName(300, 'a');
  std::string exactlyMax(MAX_PATH, 'b');
  struct Case {
    std::string path;
    DWORD error;
  } cases[] = {
      {"", ERROR_PATH_NOT_FOUND},
      {"E:\\..\\etc\\passwd", ERROR_PATH_NOT_FOUND},
      {"E:\\a\\..\\..\\x", ERROR_PATH_NOT_FOUND},
      {"Q:\\fil.txt", ERROR_INVALID_DRIVE},
      {longName, ERROR_FILENAME_EXCED_RANGE},
      {exactlyMax, ERROR_FILENAME_EXCED_RANGE},
      {"data\\a*b.txt", ERROR_INVALID_NAME},
      {"1:\\x", ERROR_INVALID_NAME},
      {"\\\\server\\share\\x", ERROR_BAD_PATHNAME},
  };
  for (const Case &c : cases) {
    std::string out = "unchanged";
    SetLastError(0);
    EXPECT_FALSE(tavo::MapPath(c.path.c_str(), out)) << c.path;
    EXPECT_EQ(GetLastError(), c.error) << c.path;
  }
  std::string out;
  EXPECT_FALSE(tavo::MapPath(nullptr, out));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
}

TEST(Cp1252, ConvertsBothWays) {
  // Every byte survives a round trip, the 0x80-0x9F block included.
  std::string all;
  for (int c = 1; c < 256; ++c) all += (char)c;
  std::string back;
  ASSERT_TRUE(tavo::ToCp1252(tavo::ToUtf8(all), back));
  EXPECT_EQ(back, all);
  EXPECT_EQ(tavo::ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(tavo::ToUtf8("æ"), "\xC3\xA6");
  struct Bad {
    const char *utf8;
  } bad[] = {{"\xE2\x88\x9E"},   // infinity: not in Windows-1252
             {"\xC3"},           // cut short
             {"\xC0\xAF"},       // overlong '/'
             {"\xFF"},
             {"a\x80"}};
  for (const Bad &b : bad) {
    std::string out;
    EXPECT_FALSE(tavo::ToCp1252(b.utf8, out)) << b.utf8;
  }
  EXPECT_TRUE(tavo::Cp1252EqualNoCase("æøå straße", "ÆØÅ STRAßE"));
  EXPECT_FALSE(tavo::Cp1252EqualNoCase("a", "b"));
  EXPECT_EQ(tavo::Cp1252Upper((unsigned char)'\xF7'), 0xF7);  // division sign
}

}  // namespace

namespace {

TEST_F(PathMap, ArbitraryPathsNeverCrashTheLookups) {
  Mkdir("Data");
  Touch("Data/A.dat");
  tavo::SetDrive('E', dir_ + "/Data", 2);
  const char alphabet[] = "\\/.:*?aAdDeEqQ \xE6\xC6\x81\x9F\x01";
  uint32_t seed = 12345;
  auto next = [&seed]() {
    seed = seed * 1103515245u + 12345u;
    return seed >> 16;
  };
  char buf[MAX_PATH];
  for (int i = 0; i < 3000; ++i) {
    std::string p;
    size_t len = next() % (i % 10 == 0 ? 300 : 24);
    for (size_t k = 0; k < len; ++k) p += alphabet[next() % (sizeof alphabet - 1)];
    std::string out;
    if (!tavo::MapPath(p.c_str(), out)) {
      EXPECT_NE(GetLastError(), 0u) << p;
    }
    GetFileAttributes(p.c_str());
    char *part = nullptr;
    DWORD n = GetFullPathName(p.c_str(), sizeof buf, buf, &part);
    if (n > 0 && n < sizeof buf) {
      EXPECT_EQ(strlen(buf), n) << p;
    }
    WIN32_FIND_DATA fd;
    HANDLE h = FindFirstFile(p.c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      EXPECT_LT(strlen(fd.cFileName), sizeof fd.cFileName);
      FindClose(h);
    }
  }
}

}  // namespace
