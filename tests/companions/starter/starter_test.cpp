// The starter run as a program of its own, from a program folder that holds
// the recording program as TavoMenu.exe: how TavoMenu was started is read
// from the recording's log. The failure box is seen in process, through the
// dialog hook.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "STARTER.h"
#include "optager_proces.h"
#include "tavo/test_dialog.h"

extern char **environ;

namespace {

namespace fs = std::filesystem;

// A Linux folder in the Windows form the starter hands on ("\tmp\x\prog").
std::string WinForm(const fs::path &p) {
  std::string s = p.string();
  for (char &c : s)
    if (c == '/') c = '\\';
  return s;
}

class StarterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char skabelon[] = "/tmp/starter_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    rod_ = skabelon;
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    cwd_ = cwd;
  }
  void TearDown() override {
    tavo::test::StopDialogScript();
    if (chdir(cwd_.c_str()) != 0) ADD_FAILURE() << "chdir";
    std::error_code ec;
    fs::remove_all(rod_, ec);
  }

  // Tavo.exe copied into the folder and run there from another folder with
  // E: and F: mapped below the test's folder; its exit code.
  int KoerStarter(const fs::path &mappe, const std::vector<std::string> &args) {
    fs::create_directories(mappe);
    const fs::path tavo = mappe / "Tavo.exe";
    fs::copy_file(TAVO_STARTER_PROGRAM, tavo, fs::copy_options::overwrite_existing);
    const std::string log = "TAVO_OPTAGER_LOG=" + (rod_ / "log").string();
    const std::string drev = "TAVO_DREV=E=" + (rod_ / "e").string() + ";F=" + (rod_ / "f").string();
    std::vector<std::string> env = {log, drev};
    for (char **e = environ; *e; ++e)
      if (std::strncmp(*e, "TAVO_OPTAGER_LOG=", 17) != 0 && std::strncmp(*e, "TAVO_DREV=", 10) != 0) env.push_back(*e);
    std::vector<char *> envp;
    for (auto &e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> kopi = args;
    std::string navn = tavo.string();
    std::vector<char *> argv = {navn.data()};
    for (auto &a : kopi) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addchdir_np(&fa, rod_.c_str());
    pid_t pid;
    const int rc = posix_spawn(&pid, tavo.c_str(), &fa, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&fa);
    if (rc != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // The runs logged once at least n have come (TavoMenu is not waited for).
  std::vector<optagertest::Koersel> Koersler(size_t n) {
    auto slut = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::vector<optagertest::Koersel> k;
    while ((k = optagertest::LaesLog((rod_ / "log").string())).size() < n &&
           std::chrono::steady_clock::now() < slut)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return k;
  }

  fs::path rod_;
  std::string cwd_;
};

TEST_F(StarterTest, StartsTavoMenuWithBothFolders) {
  const fs::path prog = rod_ / "prog";
  const std::string p = WinForm(prog);
  const struct {
    const char *hvad;
    fs::path starterMappe;
    std::vector<std::string> args;
    fs::path menuMappe;  // where TavoMenu.exe lies and is started from
    std::string argumenter;
  } tilfaelde[] = {
      {"no arguments", prog, {}, prog, "-p" + p + " -d" + p},
      {"folders without and with a trailing backslash",
       prog,
       {"-pE:\\Prog", "-dF:\\Data\\"},
       rod_ / "e/Prog",
       "-pE:\\Prog -dF:\\Data"},
      {"other options and plain arguments", prog, {"-x", "ingen", "-pE:\\Prog", "/p", "-"}, rod_ / "e/Prog",
       "-pE:\\Prog -d" + std::string("E:\\Prog")},
      {"a data folder alone", prog, {"-DF:\\Data"}, prog, "-p" + p + " -dF:\\Data"},
      {"blanks inside a quoted value", prog, {"-P \t E:\\Prog  ", "-d F:\\Data\\ "}, rod_ / "e/Prog",
       "-pE:\\Prog -dF:\\Data"},
      // A backslash before the closing quote must not swallow the quote.
      {"a folder ending in two backslashes", prog, {"-pE:\\Prog\\\\", "-dF:\\Data"}, rod_ / "e/Prog",
       "-pE:\\Prog\\ -dF:\\Data"},
      {"a program folder with a blank", rod_ / "mit prog", {}, rod_ / "mit prog",
       "\"-p" + WinForm(rod_ / "mit prog") + "\" \"-d" + WinForm(rod_ / "mit prog") + "\""},
  };
  // Where the program path is not quoted, the start would find this one.
  ASSERT_TRUE(optagertest::Placer(rod_.string(), "mit.exe"));
  size_t n = 0;
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    if (!fs::exists(t.menuMappe / "TavoMenu.exe")) {
      ASSERT_TRUE(optagertest::Placer(t.menuMappe.string(), "TavoMenu.exe"));
    }
    fs::create_directories(rod_ / "f/Data");
    EXPECT_EQ(KoerStarter(t.starterMappe, t.args), 0);
    const auto k = Koersler(++n);
    ASSERT_EQ(k.size(), n);
    EXPECT_EQ(k.back().navn, "TavoMenu.exe");
    EXPECT_EQ(fs::path(k.back().mappe), t.menuMappe);
    EXPECT_EQ(k.back().argumenter, t.argumenter);
  }
}

TEST_F(StarterTest, MissingTavoMenuShowsTheErrorBox) {
  fs::create_directories(rod_ / "tom");
  std::string navn = (rod_ / "tom/Tavo.exe").string();
  char *argv[] = {navn.data(), nullptr};
  tavo::SetCommandLine(1, argv);
  tavo::test::StartDialogScript();
  EXPECT_EQ(StarterWinMain(0, 0, GetCommandLineA(), SW_SHOWDEFAULT), 0);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Fejl");
  EXPECT_EQ(bokse[0].type & MB_ICONMASK, (UINT)MB_ICONWARNING);
  const std::string start = "Fejl under opstart af TAVO-skema!\n";
  EXPECT_EQ(bokse[0].text.substr(0, start.size()), start);
  const std::string linje = "\"" + WinForm(rod_ / "tom") + "\\TavoMenu.exe\" -p\"" + WinForm(rod_ / "tom") + "\" -d\"" +
                            WinForm(rod_ / "tom") + "\"";
  EXPECT_EQ(bokse[0].text.substr(bokse[0].text.size() - linje.size()), linje);
  // The program folder became the current folder.
  EXPECT_EQ(fs::current_path(), rod_ / "tom");
}

}  // namespace
