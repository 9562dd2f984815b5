// The test hook that fails or ends the Nth file-changing call, and the
// byte quota of a drive: what each call does when it is hit, and that a
// hit call changes nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "pathmap.h"
#include "tavo/test_file.h"
#include "windows.h"

namespace {

using namespace tavo::test;

class FileFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tavo_fault_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    tavo::ResetDrives();
    tavo::SetDrive('Q', dir_, DRIVE_FIXED);
  }
  void TearDown() override {
    ClearFileFault();
    tavo::ResetDrives();
    std::system(("rm -rf '" + dir_ + "'").c_str());
  }
  void Put(const std::string &rel, const std::string &bytes) {
    std::ofstream(dir_ + "/" + rel, std::ios::binary) << bytes;
  }
  std::string Get(const std::string &rel) {
    std::ifstream in(dir_ + "/" + rel, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  bool Exists(const std::string &rel) {
    struct stat st;
    return stat((dir_ + "/" + rel).c_str(), &st) == 0;
  }
  std::string dir_;
};

HANDLE OpenWrite(const char *name, DWORD disposition) {
  return CreateFileA(name, GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, 0);
}

bool WriteAll(HANDLE h, const std::string &s) {
  DWORD put = 0;
  return WriteFile(h, s.data(), (DWORD)s.size(), &put, nullptr) && put == s.size();
}

// Each kind of call, hit as the first counted call of its kind: it fails
// with the hook's error, and the files stay as they were.
TEST_F(FileFaultTest, EachKindFailsWithTheGivenErrorAndChangesNothing) {
  const struct {
    const char *name;
    unsigned kind;
    std::function<bool()> call;
  } cases[] = {
      {"CreateFile for writing", kFileOpenForWrite,
       [] {
         HANDLE h = OpenWrite("Q:\\a.txt", CREATE_ALWAYS);
         if (h == INVALID_HANDLE_VALUE) return false;
         CloseHandle(h);
         return true;
       }},
      {"fopen for writing", kFileOpenForWrite,
       [] {
         FILE *f = fopen("Q:\\a.txt", "wb");
         if (f) fclose(f);
         return f != nullptr;
       }},
      {"WriteFile", kFileWrite,
       [] {
         HANDLE h = OpenWrite("Q:\\b.txt", OPEN_EXISTING);
         const bool ok = WriteAll(h, "NEW");
         CloseHandle(h);
         return ok;
       }},
      {"a stream's write", kFileWrite,
       [] {
         FILE *f = fopen("Q:\\b.txt", "r+b");
         fwrite("NEW", 1, 3, f);
         return fclose(f) == 0;
       }},
      {"a text stream's write", kFileWrite,
       [] {
         FILE *f = fopen("Q:\\b.txt", "a");
         fputs("NEW\n", f);
         return fclose(f) == 0;
       }},
      {"CopyFile", kFileWrite, [] { return CopyFileA("Q:\\b.txt", "Q:\\a.txt", FALSE) != FALSE; }},
      {"SetEndOfFile", kFileTruncate,
       [] {
         HANDLE h = OpenWrite("Q:\\b.txt", OPEN_EXISTING);
         const bool ok = SetEndOfFile(h);
         CloseHandle(h);
         return ok;
       }},
      {"FlushFileBuffers", kFileFlush,
       [] {
         HANDLE h = OpenWrite("Q:\\b.txt", OPEN_EXISTING);
         const bool ok = FlushFileBuffers(h);
         CloseHandle(h);
         return ok;
       }},
      {"MoveFileEx", kFileRename,
       [] { return MoveFileExA("Q:\\b.txt", "Q:\\a.txt", MOVEFILE_REPLACE_EXISTING) != FALSE; }},
      {"tavo_rename", kFileRename, [] { return tavo_rename("Q:\\b.txt", "Q:\\c.txt") == 0; }},
      {"DeleteFile", kFileRemove, [] { return DeleteFileA("Q:\\b.txt") != FALSE; }},
      {"tavo_remove", kFileRemove, [] { return tavo_remove("Q:\\b.txt") == 0; }},
      {"a profile string", kFileOpenForWrite,
       [] { return WritePrivateProfileStringA("s", "k", "v", "Q:\\b.txt") != FALSE; }},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    Put("b.txt", "old");
    unlink((dir_ + "/a.txt").c_str());
    unlink((dir_ + "/c.txt").c_str());
    FileFault f;
    f.kinds = c.kind;
    f.nth = 1;
    f.error = ERROR_GEN_FAILURE;
    SetFileFault(f);
    SetLastError(0);
    EXPECT_FALSE(c.call());
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_GEN_FAILURE);
    EXPECT_EQ(LastFileFaultHit().kind, c.kind);
    EXPECT_EQ(Get("b.txt"), "old");
    EXPECT_FALSE(Exists("a.txt"));
    EXPECT_FALSE(Exists("c.txt"));
    // Only the nth call is hit: the same call goes through the second time.
    EXPECT_TRUE(c.call());
    ClearFileFault();
  }
}

TEST_F(FileFaultTest, CountsOnlyTheChosenKindsBelowTheFolder) {
  FileFault f;
  f.kinds = kFileWrite | kFileRename;
  f.under = dir_;
  SetFileFault(f);
  HANDLE h = OpenWrite("Q:\\x.txt", CREATE_ALWAYS);  // an open: not counted
  WriteAll(h, "1");
  WriteAll(h, "2");
  FlushFileBuffers(h);  // a flush: not counted
  CloseHandle(h);
  MoveFileExA("Q:\\x.txt", "Q:\\y.txt", 0);
  const std::string outside = "/tmp/tavo_fault_outside_" + std::to_string(getpid());
  std::ofstream(outside) << "z";
  DeleteFileA(outside.c_str());  // outside the folder: not counted
  EXPECT_EQ(FileCallsCounted(), 3u);
  EXPECT_EQ(Get("y.txt"), "12");
}

// A hit that ends the process ends it before the call acts, as a kill does:
// the file holds what was written before, nothing of the hit write.
TEST_F(FileFaultTest, EndingTheProcessLeavesOnlyEarlierWrites) {
  const std::string name = "Q:\\d.txt";
  EXPECT_EXIT(
      {
        FileFault f;
        f.kinds = kFileWrite;
        f.nth = 2;
        f.exitCode = 77;
        SetFileFault(f);
        HANDLE h = OpenWrite(name.c_str(), CREATE_ALWAYS);
        WriteAll(h, "first");
        WriteAll(h, "second");
        std::exit(0);
      },
      ::testing::ExitedWithCode(77), "");
  EXPECT_EQ(Get("d.txt"), "first");
}

TEST_F(FileFaultTest, QuotaTakesWhatFitsAndThenReportsAFullDisk) {
  ASSERT_TRUE(tavo::SetDriveQuota('Q', 10));
  ULARGE_INTEGER fri{}, total{}, totalFri{};
  ASSERT_TRUE(GetDiskFreeSpaceExA("Q:\\", &fri, &total, &totalFri));
  EXPECT_EQ(fri.QuadPart, 10u);

  HANDLE h = OpenWrite("Q:\\h.txt", CREATE_ALWAYS);
  EXPECT_TRUE(WriteAll(h, "12345678"));
  DWORD put = 0;
  EXPECT_FALSE(WriteFile(h, "abcde", 5, &put, nullptr));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_DISK_FULL);
  EXPECT_EQ(put, 2u);
  CloseHandle(h);
  EXPECT_EQ(Get("h.txt"), "12345678ab");

  // Streams, text or binary, fail where the bytes do not fit.
  for (const char *mode : {"wb", "w"}) {
    FILE *s = fopen("Q:\\s.txt", mode);
    ASSERT_NE(s, nullptr) << mode;
    fputs("more\n", s);
    EXPECT_NE(fclose(s), 0) << mode;
  }
  // A copy that does not fit leaves no half copy.
  Put("big.txt", std::string(100, 'x'));
  EXPECT_FALSE(CopyFileA("Q:\\big.txt", "Q:\\copy.txt", FALSE));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_DISK_FULL);
  EXPECT_FALSE(Exists("copy.txt"));

  // Another drive is not limited, and lifting the quota frees this one.
  const std::string andet = "tavo_fault_other_" + std::to_string(getpid());
  tavo::SetDrive('P', "/tmp", DRIVE_FIXED);
  h = OpenWrite(("P:\\" + andet).c_str(), CREATE_ALWAYS);
  EXPECT_TRUE(WriteAll(h, "fits"));
  CloseHandle(h);
  EXPECT_TRUE(DeleteFileA(("P:\\" + andet).c_str()));
  tavo::ClearDriveQuota('Q');
  h = OpenWrite("Q:\\h.txt", CREATE_ALWAYS);
  EXPECT_TRUE(WriteAll(h, std::string(1000, 'y')));
  CloseHandle(h);
}

// Streams opened for writing go through the file layer's own cookie, so
// everything a program does with them must still work.
TEST_F(FileFaultTest, WriteStreamsSeekAppendAndReadBack) {
  FILE *f = fopen("Q:\\r.bin", "w+b");
  ASSERT_NE(f, nullptr);
  fwrite("0123456789", 1, 10, f);
  EXPECT_EQ(ftell(f), 10);
  ASSERT_EQ(fseek(f, 2, SEEK_SET), 0);
  fwrite("ab", 1, 2, f);
  ASSERT_EQ(fseek(f, 0, SEEK_SET), 0);
  char buf[11] = {};
  EXPECT_EQ(fread(buf, 1, 10, f), 10u);
  EXPECT_STREQ(buf, "01ab456789");
  EXPECT_EQ(_filelength(_fileno(f)), 10);
  EXPECT_EQ(fclose(f), 0);
  f = fopen("Q:\\r.bin", "ab");
  fwrite("Z", 1, 1, f);
  EXPECT_EQ(fclose(f), 0);
  EXPECT_EQ(Get("r.bin"), "01ab456789Z");
}

// A profile rewrite stops at a failing flush or rename and keeps the file.
TEST_F(FileFaultTest, ProfileRewriteKeepsTheOldFileWhenItsFlushOrRenameFails) {
  Put("p.ini", "[s]\r\nk=old\r\n");
  for (unsigned kind : {kFileWrite, kFileFlush, kFileRename}) {
    FileFault f;
    f.kinds = kind;
    f.nth = 1;
    f.error = ERROR_DISK_FULL;
    SetFileFault(f);
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "new", "Q:\\p.ini")) << kind;
    EXPECT_EQ(Get("p.ini"), "[s]\r\nk=old\r\n") << kind;
  }
  ClearFileFault();
  int leftovers = 0;
  for (const char *pattern : {"Q:\\.p.ini.*"}) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(pattern, &fd);
    if (h == INVALID_HANDLE_VALUE) continue;
    do {
      if (std::string(fd.cFileName) != ".p.ini.lock") ++leftovers;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  EXPECT_EQ(leftovers, 0);
}

}  // namespace
