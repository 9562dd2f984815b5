// Files through the Windows calls and the C run-time: what lands on disk,
// the exclusive START.LOG lock, and the errors Windows code tests for.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "pathmap.h"
#include "windows.h"

namespace {

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tavo_files_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    char real[4096];
    ASSERT_NE(realpath(tmpl, real), nullptr);
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
    std::string cmd = "chmod -R u+w '" + dir_ + "' && rm -rf '" + dir_ + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
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
  void Mkdir(const std::string &rel) { ASSERT_EQ(mkdir((dir_ + "/" + rel).c_str(), 0755), 0); }
  std::string dir_, oldCwd_;
};

TEST_F(FilesTest, FopenFindsExistingNamesAndCreatesNewOnesAsGiven) {
  Mkdir("data");
  Put("data/akti.DAT", "record");
  FILE *f = fopen("data\\AKTI.dat", "r+b");
  ASSERT_NE(f, nullptr);
  char buf[16] = {};
  ASSERT_EQ(fread(buf, 1, 6, f), 6u);
  EXPECT_STREQ(buf, "record");
  fclose(f);

  f = fopen("Data\\Ny.TXT", "wb");
  ASSERT_NE(f, nullptr);
  fclose(f);
  EXPECT_TRUE(Exists("data/Ny.TXT"));

  errno = 0;
  EXPECT_EQ(fopen("data\\mangler.dat", "r+b"), nullptr);
  EXPECT_EQ(errno, ENOENT);
  errno = 0;
  EXPECT_EQ(fopen("data", "rb"), nullptr);  // a folder is no stream
  EXPECT_EQ(errno, EACCES);
}

TEST_F(FilesTest, TextModeKeepsCrLfOnDiskAndBinaryIsUntouched) {
  FILE *f = fopen("t.txt", "w");
  ASSERT_NE(f, nullptr);
  fprintf(f, "linje 1\nlinje %d\n", 2);
  EXPECT_EQ(ftell(f), 18);  // file offsets, CR counted
  fputs("sidste\n", f);
  fclose(f);
  EXPECT_EQ(Get("t.txt"), "linje 1\r\nlinje 2\r\nsidste\r\n");

  f = fopen("t.txt", "a");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(_filelength(_fileno(f)), 26);
  fputc('\n', f);
  fflush(f);  // on disk at once, for a log that a crash may cut short
  EXPECT_EQ(Get("t.txt").size(), 28u);
  fclose(f);
  EXPECT_EQ(Get("t.txt"), "linje 1\r\nlinje 2\r\nsidste\r\n\r\n");

  f = fopen("b.bin", "wb");
  ASSERT_NE(f, nullptr);
  fputs("a\nb\r\n", f);
  fclose(f);
  EXPECT_EQ(Get("b.bin"), "a\nb\r\n");

  f = fopen("b.bin", "rb");
  ASSERT_NE(f, nullptr);
  char line[32];
  ASSERT_NE(fgets(line, sizeof line, f), nullptr);
  EXPECT_STREQ(line, "a\n");
  ASSERT_NE(fgets(line, sizeof line, f), nullptr);
  EXPECT_STREQ(line, "b\r\n");
  fclose(f);
}

TEST_F(FilesTest, TextModeReadsCrLfAsNewlineWithFileOffsets) {
  // A lone CR stays; Ctrl+Z ends the text as for the Windows run-time.
  Put("r.txt", "ab\r\ncd\rx\r\n\r\nslut\x1A" "efter");
  FILE *f = fopen("R.TXT", "r");
  ASSERT_NE(f, nullptr);
  char line[32];
  ASSERT_NE(fgets(line, sizeof line, f), nullptr);
  EXPECT_STREQ(line, "ab\n");
  EXPECT_EQ(ftell(f), 4);  // a file offset, CR counted
  ASSERT_NE(fgets(line, sizeof line, f), nullptr);
  EXPECT_STREQ(line, "cd\rx\n");
  EXPECT_EQ(fgetc(f), '\n');
  long mark = ftell(f);
  ASSERT_NE(fgets(line, sizeof line, f), nullptr);
  EXPECT_STREQ(line, "slut");
  EXPECT_EQ(fgetc(f), EOF);
  ASSERT_EQ(fseek(f, mark, SEEK_SET), 0);
  EXPECT_EQ(fgetc(f), 's');
  ASSERT_EQ(fseek(f, 0, SEEK_END), 0);
  EXPECT_EQ(ftell(f), 22);
  fclose(f);

  // "a+" reads from the start and appends at the end.
  f = fopen("r.txt", "a+");
  ASSERT_NE(f, nullptr);
  rewind(f);
  EXPECT_EQ(fgetc(f), 'a');
  fseek(f, 0, SEEK_END);
  fputs("ny\n", f);
  fclose(f);
  EXPECT_EQ(Get("r.txt").substr(22), "ny\r\n");
}

TEST_F(FilesTest, ExclusiveOpenHoldsTheFileUntilClosed) {
  HANDLE h = CreateFile("START.LOG", GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, NULL);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_SUCCESS);  // newly made

  // Same process, another case of the name.
  HANDLE h2 = CreateFile("start.log", GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, NULL);
  EXPECT_EQ(h2, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_SHARING_VIOLATION);
  errno = 0;
  EXPECT_EQ(fopen("START.LOG", "w"), nullptr);
  EXPECT_EQ(errno, EACCES);

  // Another process.
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    HANDLE c = CreateFile("START.LOG", GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, NULL);
    _exit(c == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  // Rewrite: seek 0, write, cut at the position.
  DWORD put = 0;
  ASSERT_TRUE(WriteFile(h, "gammel lang linje\r\n", 19, &put, NULL));
  EXPECT_EQ(put, 19u);
  EXPECT_EQ(SetFilePointer(h, 0, NULL, FILE_BEGIN), 0u);
  ASSERT_TRUE(WriteFile(h, "ny\r\n", 4, &put, NULL));
  ASSERT_TRUE(SetEndOfFile(h));
  EXPECT_EQ(GetFileSize(h, NULL), 4u);
  EXPECT_EQ(SetFilePointer(h, 0, NULL, FILE_BEGIN), 0u);
  char buf[8] = {};
  DWORD got = 0;
  ASSERT_TRUE(ReadFile(h, buf, sizeof buf, &got, NULL));
  EXPECT_EQ(got, 4u);
  EXPECT_EQ(std::string(buf, got), "ny\r\n");
  ASSERT_TRUE(ReadFile(h, buf, sizeof buf, &got, NULL));  // end of file
  EXPECT_EQ(got, 0u);
  ASSERT_TRUE(CloseHandle(h));

  h2 = CreateFile("start.log", GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                  FILE_ATTRIBUTE_NORMAL, NULL);
  ASSERT_NE(h2, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
  CloseHandle(h2);
  EXPECT_EQ(Get("START.LOG"), "ny\r\n");
}

TEST_F(FilesTest, CreateFileDispositionsAndErrors) {
  Put("fil.dat", "12345");
  struct Case {
    const char *name;
    DWORD disposition;
    bool ok;
    DWORD error;
    const char *after;  // content afterwards, or null
  } cases[] = {
      {"fil.dat", CREATE_NEW, false, ERROR_FILE_EXISTS, "12345"},
      {"FIL.DAT", OPEN_EXISTING, true, ERROR_SUCCESS, "12345"},
      {"fil.dat", OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS, "12345"},
      {"fil.dat", TRUNCATE_EXISTING, true, ERROR_SUCCESS, ""},
      {"mangler.dat", OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
      {"mangler.dat", TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
      {"ingen\\mappe.dat", CREATE_ALWAYS, false, ERROR_PATH_NOT_FOUND, nullptr},
      {"Q:\\x.dat", OPEN_ALWAYS, false, ERROR_INVALID_DRIVE, nullptr},
      {"fil.dat", 99, false, ERROR_INVALID_PARAMETER, ""},
      {"ny.dat", CREATE_NEW, true, ERROR_SUCCESS, ""},
  };
  for (const Case &c : cases) {
    SetLastError(12345);
    HANDLE h = CreateFile(c.name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL,
                          c.disposition, FILE_ATTRIBUTE_NORMAL, NULL);
    EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.ok) << c.name << " " << c.disposition;
    EXPECT_EQ(GetLastError(), c.error) << c.name << " " << c.disposition;
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    if (c.after) {
      std::string linux;
      ASSERT_TRUE(tavo::MapPath(c.name, linux));
      std::ifstream in(linux, std::ios::binary);
      std::stringstream ss;
      ss << in.rdbuf();
      EXPECT_EQ(ss.str(), c.after) << c.name << " " << c.disposition;
    }
  }
  // A folder, and a read-only file for writing, are refused.
  Mkdir("mappe");
  EXPECT_EQ(CreateFile("mappe", GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  ASSERT_TRUE(SetFileAttributes("fil.dat", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(CreateFile("fil.dat", GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  // Handles that are no files.
  DWORD got;
  char b;
  EXPECT_FALSE(ReadFile(0x7FFFFFF0u, &b, 1, &got, NULL));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
  EXPECT_EQ(SetFilePointer(0x7FFFFFF0u, 0, NULL, FILE_BEGIN), INVALID_SET_FILE_POINTER);
}

TEST_F(FilesTest, SeeksAndSizesBeyond32Bits) {
  HANDLE h = CreateFile("stor.dat", GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  LONG high = 1;
  EXPECT_EQ(SetFilePointer(h, 16, &high, FILE_BEGIN), 16u);
  EXPECT_EQ(high, 1);
  ASSERT_TRUE(SetEndOfFile(h));  // sparse on Linux
  DWORD sizeHigh = 0;
  EXPECT_EQ(GetFileSize(h, &sizeHigh), 16u);
  EXPECT_EQ(sizeHigh, 1u);
  EXPECT_EQ(SetFilePointer(h, -20, NULL, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_NEGATIVE_SEEK);
  EXPECT_EQ(SetFilePointer(h, -6, NULL, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);  // 4 GB + 10 does not fit
  LARGE_INTEGER far, pos;
  far.QuadPart = INT64_MAX;
  EXPECT_FALSE(SetFilePointerEx(h, far, &pos, FILE_END));  // no overflow past the end
  far.QuadPart = 100;
  ASSERT_TRUE(SetFilePointerEx(h, far, &pos, FILE_BEGIN));
  EXPECT_EQ(pos.QuadPart, 100);
  CloseHandle(h);
}

TEST_F(FilesTest, NamesInFolders) {
  Put("a.txt", "A");
  Put("b.txt", "B");
  Mkdir("mappe");

  EXPECT_FALSE(CreateDirectory("MAPPE", NULL));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
  EXPECT_FALSE(CreateDirectory("ingen\\under", NULL));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
  EXPECT_TRUE(CreateDirectory("mappe\\Under", NULL));

  // Moves: no replacing without the flag; the flag replaces.
  EXPECT_FALSE(MoveFileEx("a.txt", "B.TXT", 0));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
  EXPECT_TRUE(MoveFileEx("a.txt", "B.TXT", MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED));
  EXPECT_EQ(Get("b.txt"), "A");
  EXPECT_FALSE(Exists("a.txt"));
  // A change of case only renames in place.
  EXPECT_TRUE(MoveFile("b.txt", "B.txt"));
  EXPECT_TRUE(Exists("B.txt"));
  EXPECT_FALSE(Exists("b.txt"));

  // rename onto an existing name fails as on Windows; remove of a missing
  // file fails harmlessly.
  Put("c.txt", "C");
  errno = 0;
  EXPECT_EQ(tavo_rename("c.txt", "b.TXT"), -1);
  EXPECT_EQ(errno, EACCES);
  EXPECT_EQ(tavo_rename("c.txt", "mappe\\d.txt"), 0);
  EXPECT_EQ(Get("mappe/d.txt"), "C");
  EXPECT_FALSE(DeleteFile("findes.ikke"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
  errno = 0;
  EXPECT_EQ(tavo_remove("findes.ikke"), -1);
  EXPECT_EQ(errno, ENOENT);

  // Copy keeps the bytes; bFailIfExists guards the target; never onto itself.
  EXPECT_TRUE(CopyFile("mappe\\D.TXT", "kopi.txt", TRUE));
  EXPECT_EQ(Get("kopi.txt"), "C");
  EXPECT_FALSE(CopyFile("B.txt", "kopi.txt", TRUE));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_EXISTS);
  EXPECT_TRUE(CopyFile("B.txt", "kopi.txt", FALSE));
  EXPECT_EQ(Get("kopi.txt"), "A");
  EXPECT_FALSE(CopyFile("kopi.txt", "KOPI.TXT", FALSE));
  EXPECT_EQ(Get("kopi.txt"), "A");

  // Attributes and the read-only flag.
  EXPECT_EQ(GetFileAttributes("MAPPE") & FILE_ATTRIBUTE_DIRECTORY, (DWORD)FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributes("kopi.txt") & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY), 0u);
  EXPECT_EQ(GetFileAttributes("ingen.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(GetFileAttributes("ingen\\x.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
  ASSERT_TRUE(SetFileAttributes("kopi.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(GetFileAttributes("kopi.txt") & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(_access("kopi.txt", 0), 0);
  EXPECT_EQ(_access("kopi.txt", 2), -1);
  EXPECT_EQ(_access("kopi.txt", 4), 0);
  EXPECT_EQ(_access("ingen.txt", 0), -1);
  EXPECT_FALSE(DeleteFile("kopi.txt"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
  ASSERT_TRUE(SetFileAttributes("kopi.txt", FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(_access("kopi.txt", 6), 0);
  EXPECT_TRUE(DeleteFile("KOPI.txt"));

  // Folders.
  EXPECT_FALSE(RemoveDirectory("mappe"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIR_NOT_EMPTY);
  EXPECT_FALSE(RemoveDirectory("B.txt"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIRECTORY);
  EXPECT_TRUE(RemoveDirectory("Mappe\\UNDER"));
  EXPECT_EQ(_mkdir("mappe"), -1);
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(_mkdir("ny"), 0);
  EXPECT_EQ(_rmdir("NY"), 0);

  struct _stat st;
  ASSERT_EQ(_stat("mappe\\d.TXT", &st), 0);
  EXPECT_EQ(st.st_size, 1);
  EXPECT_EQ(st.st_mode & _S_IFMT, _S_IFREG);
  EXPECT_GT(st.st_mtime, 0);
  EXPECT_EQ(_stat("ingen", &st), -1);
}

TEST_F(FilesTest, CurrentFolderFullNamesAndTempPath) {
  Mkdir("prog");
  Put("prog/10413.exe", "x");
  ASSERT_TRUE(SetCurrentDirectory("PROG"));
  char buf[MAX_PATH];
  std::string cwdWin = "C:" + dir_ + "\\prog";
  for (char &c : cwdWin)
    if (c == '/') c = '\\';
  EXPECT_EQ(GetCurrentDirectory(sizeof buf, buf), cwdWin.size());
  EXPECT_EQ(std::string(buf), cwdWin);
  EXPECT_EQ(GetCurrentDirectory(5, buf), cwdWin.size() + 1);  // too small: size needed
  char *got = _getcwd(buf, sizeof buf);
  ASSERT_NE(got, nullptr);
  EXPECT_EQ(std::string(got), cwdWin);

  struct Case {
    const char *name;
    std::string full;
    const char *filePart;
  } cases[] = {
      {"ini\\tavo.ini", cwdWin + "\\ini\\tavo.ini", "tavo.ini"},
      {"..\\data/x.dat", "C:" + std::string(dir_) + "\\data\\x.dat", "x.dat"},
      {"C:\\a\\..\\..\\b", "C:\\b", "b"},
      {"\\tmp\\", "C:\\tmp\\", nullptr},
      {"D:\\x\\.\\y", "D:\\x\\y", "y"},
  };
  for (Case &c : cases) {
    for (char &ch : c.full)
      if (ch == '/') ch = '\\';
    char *part = nullptr;
    DWORD n = GetFullPathName(c.name, sizeof buf, buf, &part);
    EXPECT_EQ(n, c.full.size()) << c.name;
    EXPECT_EQ(std::string(buf), c.full) << c.name;
    if (c.filePart) {
      ASSERT_NE(part, nullptr) << c.name;
      EXPECT_STREQ(part, c.filePart) << c.name;
    } else {
      EXPECT_EQ(part, nullptr) << c.name;
    }
  }
  // The relative name finds the file through the current folder.
  EXPECT_NE(GetFileAttributes("10413.EXE"), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(SetCurrentDirectory("10413.exe"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIRECTORY);
  EXPECT_EQ(_chdir("findes-ikke"), -1);

  const char *old = getenv("TMPDIR");
  std::string saved = old ? old : "";
  setenv("TMPDIR", dir_.c_str(), 1);
  DWORD n = GetTempPath(sizeof buf, buf);
  std::string tmpWin = "C:" + dir_ + "\\";
  for (char &c : tmpWin)
    if (c == '/') c = '\\';
  EXPECT_EQ(n, tmpWin.size());
  EXPECT_EQ(std::string(buf), tmpWin);
  setenv("TMPDIR", "/findes/ikke", 1);
  GetTempPath(sizeof buf, buf);
  EXPECT_STREQ(buf, "C:\\tmp\\");
  if (old)
    setenv("TMPDIR", saved.c_str(), 1);
  else
    unsetenv("TMPDIR");

  ASSERT_GT(GetWindowsDirectory(buf, sizeof buf), 0u);
  EXPECT_EQ(GetFileAttributes(buf) & FILE_ATTRIBUTE_DIRECTORY, (DWORD)FILE_ATTRIBUTE_DIRECTORY);

  char *part = nullptr;
  n = SearchPath(NULL, "10413", ".exe", sizeof buf, buf, &part);
  EXPECT_EQ(std::string(buf), cwdWin + "\\10413.exe");
  ASSERT_NE(part, nullptr);
  EXPECT_STREQ(part, "10413.exe");
  EXPECT_GT(SearchPath(NULL, "kernel32.dll", NULL, sizeof buf, buf, NULL), 0u);
  EXPECT_GT(SearchPath(NULL, "mscoree.dll", NULL, sizeof buf, buf, NULL), 0u);
  EXPECT_EQ(SearchPath(NULL, "findes-ikke.dll", NULL, sizeof buf, buf, NULL), 0u);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
}

}  // namespace

namespace {

TEST_F(FilesTest, EveryFopenModeTheProgramsUse) {
  struct Case {
    const char *mode;
    bool createsMissing;
    std::string afterWriteOnExisting;  // "old\r\n", then "ny\n" written; "" reads only
    bool reads;
  } cases[] = {
      {"r+b", false, "ny\n\r\n", true},
      {"wb", true, "ny\n", false},
      {"rb", false, "", true},
      {"w", true, "ny\r\n", false},
      {"a", true, "old\r\nny\r\n", false},
      {"a+", true, "old\r\nny\r\n", true},
      {"ab", true, "old\r\nny\n", false},
      {"r", false, "", true},
      {"w+b", true, "ny\n", true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.mode);
    EXPECT_TRUE(_unlink("m.dat") == 0 || errno == ENOENT);
    FILE *f = fopen("m.dat", c.mode);
    EXPECT_EQ(f != nullptr, c.createsMissing);
    if (f) fclose(f);

    Put("m.dat", "old\r\n");
    f = fopen("M.DAT", c.mode);
    ASSERT_NE(f, nullptr);
    if (c.reads && c.mode[0] != 'w') {
      char buf[8] = {};
      ASSERT_NE(fgets(buf, sizeof buf, f), nullptr);
      EXPECT_STREQ(buf, strchr(c.mode, 'b') ? "old\r\n" : "old\n");
      rewind(f);
    }
    if (!c.afterWriteOnExisting.empty()) {
      EXPECT_GE(fputs("ny\n", f), 0);
    }
    fclose(f);
    EXPECT_EQ(Get("m.dat"), c.afterWriteOnExisting.empty() ? "old\r\n" : c.afterWriteOnExisting);
  }
}

}  // namespace

namespace {

TEST_F(FilesTest, ExclusiveCreateTakesOnlyANewName) {
  FILE *f = fopen("ny.lck", "wx");
  ASSERT_NE(f, nullptr);
  EXPECT_GE(fputs("a\n", f), 0);
  fclose(f);
  EXPECT_EQ(Get("ny.lck"), "a\r\n");
  errno = 0;
  EXPECT_EQ(fopen("NY.LCK", "wx"), nullptr);
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(Get("ny.lck"), "a\r\n");
  EXPECT_EQ(fopen("x.lck", "ax"), nullptr);  // only with "w"
}

TEST_F(FilesTest, MovesAcrossFileSystemsOnlyWhenCopyingIsAllowed) {
  struct stat a, b;
  if (stat("/dev/shm", &a) != 0 || stat(dir_.c_str(), &b) != 0 || a.st_dev == b.st_dev)
    GTEST_SKIP() << "needs /dev/shm on another file system";
  char tmpl[] = "/dev/shm/tavo_move_XXXXXX";
  int fd = mkstemp(tmpl);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, "data", 4), 4);
  close(fd);
  std::string src = std::string("C:") + tmpl;
  EXPECT_FALSE(MoveFileEx(src.c_str(), "flyttet.dat", 0));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_NOT_SAME_DEVICE);
  Put("flyttet.dat", "gammel");
  EXPECT_TRUE(MoveFileEx(src.c_str(), "FLYTTET.DAT", MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED));
  EXPECT_EQ(Get("flyttet.dat"), "data");
  EXPECT_NE(access(tmpl, F_OK), 0);
  unlink(tmpl);
}

}  // namespace
