// The file layer's fault hook: the chosen call fails with the chosen error
// or ends the process, every other call works as before, and a stream's
// writes are counted one program call at a time without changing the bytes
// that reach the file; and a drive's byte quota.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

class FileFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tavo_faults_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override {
    tavo::test::StopFileFaults();
    std::string cmd = "rm -rf '" + dir_ + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
  }
  std::string P(const std::string &rel) const { return dir_ + "/" + rel; }
  void Put(const std::string &rel, const std::string &bytes) const {
    std::ofstream(P(rel), std::ios::binary) << bytes;
  }
  std::string Get(const std::string &rel) const {
    std::ifstream in(P(rel), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  bool Exists(const std::string &rel) const {
    struct stat st;
    return stat(P(rel).c_str(), &st) == 0;
  }
  std::string dir_;
};

// Each kind of counted call, made as the first call after the hook starts:
// it fails with the error, leaves the file system as it was, and the same
// call succeeds once the hook is stopped.
TEST_F(FileFaults, EachCountedCallFailsWithTheChosenError) {
  struct Tilfaelde {
    const char *navn;
    std::function<bool()> kald;  // true when the call succeeded
    std::function<bool()> uroert;  // the file system as it was
  };
  const Tilfaelde tilfaelde[] = {
      {"fopen for writing", [&] {
         FILE *f = fopen(P("ny.txt").c_str(), "wb");
         if (f) fclose(f);
         return f != nullptr;
       },
       [&] { return !Exists("ny.txt"); }},
      {"CreateFile for writing", [&] {
         HANDLE h = CreateFileA(P("ny.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0);
         if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
         return h != INVALID_HANDLE_VALUE;
       },
       [&] { return !Exists("ny.txt"); }},
      {"DeleteFile", [&] { return DeleteFileA(P("a.txt").c_str()) != FALSE; },
       [&] { return Get("a.txt") == "a"; }},
      {"MoveFileEx", [&] { return MoveFileExA(P("a.txt").c_str(), P("b.txt").c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE; },
       [&] { return Get("a.txt") == "a" && Get("b.txt") == "b"; }},
      {"tavo_rename", [&] { return tavo_rename(P("a.txt").c_str(), P("c.txt").c_str()) == 0; },
       [&] { return Get("a.txt") == "a" && !Exists("c.txt"); }},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    Put("a.txt", "a");
    Put("b.txt", "b");
    unlink(P("ny.txt").c_str());
    unlink(P("c.txt").c_str());
    tavo::test::StartFileFaults(1, ERROR_DISK_FULL);
    errno = 0;
    EXPECT_FALSE(t.kald());
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DISK_FULL));
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_TRUE(tavo::test::FileFaultHappened());
    EXPECT_TRUE(t.uroert());
    tavo::test::StopFileFaults();
    EXPECT_TRUE(t.kald());
  }
}

// A binary stream opened while the hook runs: open, then one counted write
// per fprintf, and the bytes on disk are the program's bytes exactly.
TEST_F(FileFaults, StreamWritesAreCountedOneByOne) {
  tavo::test::StartFileFaults(0, 0);
  FILE *f = fopen(P("ud.dat").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(tavo::test::FileCallsCounted(), 1u);
  fprintf(f, "linje %d\n", 1);
  fprintf(f, "%s\r\n", "to");
  fputc(0, f);
  EXPECT_EQ(tavo::test::FileCallsCounted(), 4u);
  EXPECT_EQ(fclose(f), 0);
  EXPECT_EQ(Get("ud.dat"), std::string("linje 1\nto\r\n") + '\0');

  // Text mode keeps its CR LF under the hook.
  f = fopen(P("tekst.txt").c_str(), "w");
  ASSERT_NE(f, nullptr);
  fputs("a\nb\n", f);
  EXPECT_EQ(fclose(f), 0);
  EXPECT_EQ(Get("tekst.txt"), "a\r\nb\r\n");

  // Reading counts nothing and reads what is there.
  const unsigned foer = tavo::test::FileCallsCounted();
  f = fopen(P("ud.dat").c_str(), "rb");
  ASSERT_NE(f, nullptr);
  char buf[8] = {};
  EXPECT_EQ(fread(buf, 1, 5, f), 5u);
  fclose(f);
  EXPECT_EQ(std::string(buf), "linje");
  EXPECT_EQ(tavo::test::FileCallsCounted(), foer);
}

// The n-th write of a stream fails: that fprintf reports it, the stream's
// error flag is set, the stream takes nothing more, and only the earlier
// lines reached the file.
TEST_F(FileFaults, TheChosenStreamWriteFails) {
  tavo::test::StartFileFaults(3, ERROR_DISK_FULL);
  FILE *f = fopen(P("ud.dat").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  EXPECT_GT(fprintf(f, "en\n"), 0);
  EXPECT_LT(fprintf(f, "to\n"), 0);
  EXPECT_TRUE(ferror(f));
  EXPECT_EQ(errno, ENOSPC);
  EXPECT_LT(fprintf(f, "tre\n"), 0);
  fclose(f);
  EXPECT_EQ(Get("ud.dat"), "en\n");
}

// The full hook and the quota, on a drive Q: mapped to the test's folder.
class FileFaultsOnDrive : public FileFaults {
 protected:
  void SetUp() override {
    FileFaults::SetUp();
    tavo::ResetDrives();
    tavo::SetDrive('Q', dir_, DRIVE_FIXED);
  }
  void TearDown() override {
    tavo::test::ClearFileFault();
    tavo::ResetDrives();
    FileFaults::TearDown();
  }
};

HANDLE OpenWrite(const char *name, DWORD disposition) {
  return CreateFileA(name, GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, 0);
}

bool WriteAll(HANDLE h, const std::string &s) {
  DWORD put = 0;
  return WriteFile(h, s.data(), (DWORD)s.size(), &put, nullptr) && put == s.size();
}

// The kinds the short form leaves out or that other calls reach, hit as
// the first counted call of their kind: each fails with the hook's error,
// the files stay as they were, and the same call goes through next time.
TEST_F(FileFaultsOnDrive, EachKindFailsWithTheGivenErrorAndChangesNothing) {
  const struct {
    const char *name;
    unsigned kind;
    std::function<bool()> call;
  } cases[] = {
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
      {"tavo_remove", kFileRemove, [] { return tavo_remove("Q:\\b.txt") == 0; }},
      {"a profile string", kFileOpenForWrite,
       [] { return WritePrivateProfileStringA("s", "k", "v", "Q:\\b.txt") != FALSE; }},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    Put("b.txt", "old");
    unlink(P("a.txt").c_str());
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
    // Only the nth call is hit: the same call goes through the second time.
    EXPECT_TRUE(c.call());
    ClearFileFault();
  }
}

TEST_F(FileFaultsOnDrive, CountsOnlyTheChosenKindsBelowTheFolder) {
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
TEST_F(FileFaultsOnDrive, EndingTheProcessLeavesOnlyEarlierWrites) {
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

TEST_F(FileFaultsOnDrive, QuotaTakesWhatFitsAndThenReportsAFullDisk) {
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

// A quota hidden from the free-space answers: the drive says it has the
// room it was given, and writes still stop at the quota.
TEST_F(FileFaultsOnDrive, HiddenQuotaKeepsTheFreeSpaceAnswer) {
  tavo::SetDrive('Q', dir_, DRIVE_REMOVABLE, 5000, 8000);
  ASSERT_TRUE(tavo::SetDriveQuota('Q', 4, false));
  ULARGE_INTEGER fri{}, total{}, totalFri{};
  ASSERT_TRUE(GetDiskFreeSpaceExA("Q:\\", &fri, &total, &totalFri));
  EXPECT_EQ(fri.QuadPart, 5000u);
  EXPECT_EQ(total.QuadPart, 8000u);
  FILE *s = fopen("Q:\\s.bin", "wb");
  ASSERT_NE(s, nullptr);
  fwrite("123456", 1, 6, s);
  EXPECT_NE(fclose(s), 0);
  EXPECT_EQ(Get("s.bin"), "1234");
}

// A write-protected drive refuses every change of a file or folder with
// ERROR_WRITE_PROTECT and changes nothing; reading goes on, other drives
// are not touched, and lifting the protection frees it.
TEST_F(FileFaultsOnDrive, WriteProtectedDriveRefusesEveryChange) {
  Put("f.txt", "old");
  ASSERT_TRUE(CreateDirectoryA("Q:\\mappe", nullptr));
  ASSERT_TRUE(tavo::SetDriveWriteProtect('Q', true));
  const struct {
    const char *name;
    std::function<bool()> call;
  } calls[] = {
      {"create", [] { HANDLE h = OpenWrite("Q:\\ny.txt", CREATE_ALWAYS); if (h == INVALID_HANDLE_VALUE) return false; CloseHandle(h); return true; }},
      {"open to write", [] { HANDLE h = OpenWrite("Q:\\f.txt", OPEN_EXISTING); if (h == INVALID_HANDLE_VALUE) return false; CloseHandle(h); return true; }},
      {"stream", [] { FILE *f = fopen("Q:\\f.txt", "ab"); if (!f) return false; fclose(f); return true; }},
      {"delete", [] { return DeleteFileA("Q:\\f.txt") != 0; }},
      {"move", [] { return MoveFileExA("Q:\\f.txt", "Q:\\g.txt", 0) != 0; }},
      {"copy", [] { return CopyFileA("Q:\\f.txt", "Q:\\g.txt", FALSE) != 0; }},
      {"make folder", [] { return CreateDirectoryA("Q:\\ny", nullptr) != 0; }},
      {"remove folder", [] { return RemoveDirectoryA("Q:\\mappe") != 0; }},
      {"profile", [] { return WritePrivateProfileStringA("a", "b", "c", "Q:\\p.ini") != 0; }},
  };
  for (const auto &c : calls) {
    SetLastError(0);
    EXPECT_FALSE(c.call()) << c.name;
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_WRITE_PROTECT) << c.name;
  }
  EXPECT_EQ(Get("f.txt"), "old");
  EXPECT_FALSE(Exists("ny.txt"));
  EXPECT_FALSE(Exists("g.txt"));
  EXPECT_FALSE(Exists("p.ini"));
  EXPECT_TRUE(Exists("mappe"));
  FILE *r = fopen("Q:\\f.txt", "rb");
  EXPECT_NE(r, nullptr);
  if (r) fclose(r);

  const std::string andet = "tavo_protect_other_" + std::to_string(getpid());
  tavo::SetDrive('P', "/tmp", DRIVE_FIXED);
  HANDLE h = OpenWrite(("P:\\" + andet).c_str(), CREATE_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_TRUE(DeleteFileA(("P:\\" + andet).c_str()));
  ASSERT_TRUE(tavo::SetDriveWriteProtect('Q', false));
  EXPECT_TRUE(DeleteFileA("Q:\\f.txt"));
  EXPECT_FALSE(tavo::SetDriveWriteProtect('Z', true));
}

// Streams opened for writing go through the file layer's own cookie, so
// everything a program does with them must still work.
TEST_F(FileFaultsOnDrive, WriteStreamsSeekAppendAndReadBack) {
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
TEST_F(FileFaultsOnDrive, ProfileRewriteKeepsTheOldFileWhenItsFlushOrRenameFails) {
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
