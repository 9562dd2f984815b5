// The file layer's fault hook: the chosen call fails with the chosen error,
// every other call works as before, and a stream's writes are counted one
// program call at a time without changing the bytes that reach the file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "tavo/test_file.h"
#include "windows.h"

namespace {

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

}  // namespace
