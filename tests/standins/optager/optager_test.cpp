// The recording program started the plain POSIX way, so that its log is
// checked against words this test chose, not against the platform's own
// command-line code.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "optager_proces.h"

extern char **environ;

namespace {

namespace fs = std::filesystem;

struct Mappe {
  fs::path sti;
  Mappe() {
    char skabelon[] = "/tmp/optagerXXXXXX";
    sti = mkdtemp(skabelon);
  }
  ~Mappe() {
    std::error_code ec;
    fs::remove_all(sti, ec);
  }
};

int Koer(const fs::path &program, const std::vector<std::string> &args, const fs::path &cwd,
         const fs::path &log) {
  setenv("TAVO_OPTAGER_LOG", log.c_str(), 1);
  std::vector<char *> argv;
  std::string navn = program.string();
  argv.push_back(navn.data());
  std::vector<std::string> kopi = args;
  for (auto &a : kopi) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addchdir_np(&fa, cwd.c_str());
  pid_t pid;
  int rc = posix_spawn(&pid, program.c_str(), &fa, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&fa);
  unsetenv("TAVO_OPTAGER_LOG");
  if (rc != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Laes(const fs::path &p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Optager, LogsNameFolderAndWordsSoTheyReadBackExactly) {
  Mappe m;
  ASSERT_TRUE(optagertest::Placer(m.sti / "prog", "opd7.exe"));
  fs::path log = m.sti / "log.txt";
  struct {
    std::vector<std::string> args;
    std::string logget;
  } tilfaelde[] = {
      {{}, ""},
      {{"/data=C:\\skole\\", "-x"}, "/data=C:\\skole\\ -x"},
      {{"med blank", ""}, "\"med blank\" \"\""},
      {{"a\"b", "c:\\sti med\\"}, "\"a\\\"b\" \"c:\\sti med\\\\\""},
  };
  for (auto &t : tilfaelde) {
    fs::remove(log);
    ASSERT_EQ(Koer(m.sti / "prog" / "opd7.exe", t.args, m.sti, log), 0);
    auto runs = optagertest::LaesLog(log.string());
    ASSERT_EQ(runs.size(), 1u) << t.logget;
    EXPECT_EQ(runs[0].navn, "opd7.exe");
    EXPECT_EQ(runs[0].mappe, m.sti.string());
    EXPECT_EQ(runs[0].argumenter, t.logget);
  }
}

TEST(Optager, ScriptWritesKeysAndFilesAndEndsWithItsCode) {
  Mappe m;
  fs::path prog = m.sti / "prog";
  std::ofstream(m.sti / "tavo.ini", std::ios::binary) << "[global]\r\nversion=1\r\n\r\n[flag]\r\nx=1\r\n";
  ASSERT_TRUE(optagertest::Placer(prog, "Zintel.exe",
                                  "ini tavo.ini GLOBAL nyversion 10414\n"
                                  "ini tavo.ini flag koropd 1\n"
                                  "ini tavo.ini ny n\xC3\xB8gle v\xC3\xA6rdi med blank\n"
                                  "fil opd10414.exe pakke\n"
                                  "sov 5\n"
                                  "slut 3\n"
                                  "fil efter.txt\n"));
  fs::path log = m.sti / "log.txt";
  EXPECT_EQ(Koer(prog / "Zintel.exe", {"/s"}, m.sti, log), 3);
  EXPECT_EQ(Laes(m.sti / "tavo.ini"),
            "[global]\r\nversion=1\r\nnyversion=10414\r\n\r\n[flag]\r\nx=1\r\nkoropd=1\r\n"
            "[ny]\r\nn\xC3\xB8gle=v\xC3\xA6rdi med blank\r\n");
  EXPECT_EQ(Laes(m.sti / "opd10414.exe"), "pakke\r\n");
  EXPECT_FALSE(fs::exists(m.sti / "efter.txt"));
  EXPECT_EQ(optagertest::LaesLog(log.string()).size(), 1u);
}

TEST(Optager, SleepIsBoundedAndRunsWithoutLogOrScriptEndAtOnce) {
  Mappe m;
  ASSERT_TRUE(optagertest::Placer(m.sti, "TavoMenu.exe", "sov 600000\n"));
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Koer(m.sti / "TavoMenu.exe", {}, m.sti, ""), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
  ASSERT_TRUE(optagertest::Placer(m.sti, "ingen.exe"));
  EXPECT_EQ(Koer(m.sti / "ingen.exe", {"x"}, m.sti, m.sti / "log.txt"), 0);
  EXPECT_EQ(optagertest::LaesLog((m.sti / "log.txt").string())[0].navn, "ingen.exe");
}

}  // namespace
