#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "../datamappe.h"
#include "KOPIDIR.h"
#include "LOGFIL.h"
#include "STITAB.h"
#include "tavo/clock.h"

namespace fs = std::filesystem;

namespace {

std::string LaesFil(const fs::path &p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// A text file with its CR LF line ends read as "\n".
std::string LaesTekst(const fs::path &p) {
  const std::string raa = LaesFil(p);
  std::string ud;
  for (size_t i = 0; i < raa.size(); ++i)
    if (!(raa[i] == '\r' && i + 1 < raa.size() && raa[i + 1] == '\n')) ud += raa[i];
  return ud;
}

void SkrivFil(const fs::path &p, const std::string &indhold) {
  std::ofstream f(p, std::ios::binary);
  f << indhold;
}

const std::regex kStempel(R"(\d\d-\d\d-\d{4} \d\d:\d\d:\d\d )");

// A data folder of its own for each test, also as the current directory
// (the program folder, where the fallback log lies).
class Log : public ::testing::Test {
 protected:
  void SetUp() override {
    mappe_ = fs::temp_directory_path() /
             ("dataut_log_" + std::to_string(::getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(mappe_);
    fs::create_directories(mappe_ / "log");
    gammelCwd_ = fs::current_path();
    fs::current_path(mappe_);
    const std::string data = DataMappeNavn(mappe_);
    std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", data.c_str());
  }
  void TearDown() override {
    LukLog();
    LukTastLog();
    fs::current_path(gammelCwd_);
    fs::remove_all(mappe_);
  }
  fs::path mappe_;
  fs::path gammelCwd_;
};

TEST_F(Log, LinesCarryTheLocalStamp) {
  ASSERT_EQ(AabnLog("1.4.13.0"), 1);
  const std::time_t foer = std::time(nullptr);
  LogPrintf("** Info: %s %d\n", "linje", 1);
  LogPrintf("uden linjeskift;");
  LogPrintf("naeste\n");
  LukLog();
  const std::string raa = LaesFil(mappe_ / "log" / "tavo.log");
  EXPECT_NE(raa.find("** Info: linje 1\r\n"), std::string::npos);  // a text file
  const std::string log = LaesTekst(mappe_ / "log" / "tavo.log");

  std::vector<std::string> linjer;
  std::istringstream s(log);
  for (std::string l; std::getline(s, l);) linjer.push_back(l);
  ASSERT_GE(linjer.size(), 6u);
  EXPECT_TRUE(std::regex_match(linjer[0], std::regex(R"(\d\d-\d\d-\d{4} \d\d:\d\d:\d\d Starter TAVO ver 1\.4\.13\.0 \(make \w{3} [ \d]\d \d{4} \d\d:\d\d:\d\d\))")))
      << linjer[0];
  EXPECT_TRUE(std::regex_match(linjer[2], std::regex(R"(.{20}\*\* Info: Hukommelsesforbrug = \d+kb \(ialt \d+kb \(\d+ %\)\) - start)")))
      << linjer[2];
  EXPECT_EQ(linjer[3].substr(20), "** Info: linje 1");
  // A message without a newline runs on into the next stamp.
  EXPECT_TRUE(std::regex_match(linjer[4], std::regex(R"(.{20}uden linjeskift;\d\d-\d\d-\d{4} \d\d:\d\d:\d\d naeste)")))
      << linjer[4];
  EXPECT_NE(log.find("- lukker\n"), std::string::npos);
  EXPECT_NE(log.find("Lukker TAVO (make "), std::string::npos);

  // The stamp is day-month-year of the local clock.
  std::tm t{};
  localtime_r(&foer, &t);
  char dato[16];
  std::strftime(dato, sizeof dato, "%d-%m-%Y", &t);
  EXPECT_EQ(linjer[3].substr(0, 10), dato);
  for (const std::string &l : linjer)
    if (!l.empty()) {
      EXPECT_TRUE(std::regex_search(l, kStempel, std::regex_constants::match_continuous)) << l;
    }
}

TEST_F(Log, StampFromTheLocalClock) {
  const int64_t oejeblik[] = {1772694489, 946684799, 4102444799};  // 2026-03-05, 1999-12-31, 2099-12-31
  for (int64_t t : oejeblik) {
    tavo::SetFakeClock(t);
    ASSERT_EQ(AabnLog(), 1);
    LogPrintf("x\n");
    LukLog();
    tavo::ClearFakeClock();
    const std::string log = LaesTekst(mappe_ / "log" / "tavo.log");
    fs::remove(mappe_ / "log" / "tavo.log");
    const std::time_t tt = static_cast<std::time_t>(t);
    std::tm lokal{};
    localtime_r(&tt, &lokal);
    char stempel[32];
    std::strftime(stempel, sizeof stempel, "%d-%m-%Y %H:%M:%S x\n", &lokal);
    EXPECT_NE(log.find(stempel), std::string::npos) << stempel << " in " << log;
  }
}

TEST_F(Log, NothingIsWrittenWhileClosed) {
  LogPrintf("tabt\n");
  LogMemUsage("x");
  EXPECT_FALSE(fs::exists(mappe_ / "log" / "tavo.log"));
}

TEST_F(Log, TrimKeepsTheLastBytes) {
  const struct {
    size_t stoerrelse;
    size_t beholdt;
  } tabel[] = {{100, 100}, {1024000, 1024000}, {1024001, 1024000}, {1500000, 1024000}};
  const fs::path fil = mappe_ / "trim.log";
  for (const auto &t : tabel) {
    std::string indhold(t.stoerrelse, 'a');
    for (size_t i = 0; i < indhold.size(); ++i) indhold[i] = static_cast<char>('a' + i % 26);
    SkrivFil(fil, indhold);
    EXPECT_EQ(TrimLogFile(fil.string().c_str()), 0);
    EXPECT_EQ(LaesFil(fil), indhold.substr(t.stoerrelse - t.beholdt)) << t.stoerrelse;
  }
  EXPECT_EQ(TrimLogFile((mappe_ / "mangler.log").string().c_str()), 9);
}

TEST_F(Log, StartTrimsTheMainLog) {
  std::string gammel(1024001, 'x');
  gammel[0] = 'F';
  SkrivFil(mappe_ / "log" / "tavo.log", gammel);
  ASSERT_EQ(AabnLog(), 1);
  LukLog();
  const std::string log = LaesFil(mappe_ / "log" / "tavo.log");
  EXPECT_EQ(log.substr(0, 1024000), std::string(1024000, 'x'));
}

TEST_F(Log, FallbackWhenTheMainLogCannotOpen) {
  fs::remove_all(mappe_ / "log");
  SkrivFil(mappe_ / "log", "a file where the folder should be");
  ASSERT_EQ(AabnLog(), 1);
  LogPrintf("til reserven\n");
  LukLog();
  EXPECT_NE(LaesTekst(mappe_ / kReserveLog).find("til reserven\n"), std::string::npos);

  // The next start where log/tavo.log opens deletes the fallback.
  fs::remove(mappe_ / "log");
  fs::create_directory(mappe_ / "log");
  ASSERT_EQ(AabnLog(), 1);
  EXPECT_FALSE(fs::exists(mappe_ / kReserveLog));
}

TEST_F(Log, ThreadsNeverSplitALine) {
  ASSERT_EQ(AabnLog(), 1);
  constexpr int kTraade = 8, kLinjer = 300;
  std::vector<std::thread> traade;
  for (int i = 0; i < kTraade; ++i)
    traade.emplace_back([i] {
      for (int j = 0; j < kLinjer; ++j) LogPrintf("traad %d linje %d %s\n", i, j, "abcdefghijklmnopqrstuvwxyz");
    });
  for (std::thread &t : traade) t.join();
  LukLog();
  std::istringstream s(LaesTekst(mappe_ / "log" / "tavo.log"));
  const std::regex linje(R"(\d\d-\d\d-\d{4} \d\d:\d\d:\d\d traad (\d) linje (\d+) abcdefghijklmnopqrstuvwxyz)");
  int antal = 0;
  for (std::string l; std::getline(s, l);) {
    if (l.find("traad") == std::string::npos) continue;
    EXPECT_TRUE(std::regex_match(l, linje)) << l;
    ++antal;
  }
  EXPECT_EQ(antal, kTraade * kLinjer);
}

TEST_F(Log, SideLogsAppendWithoutStamp) {
  DeleteStdErrLog();
  EXPECT_EQ(StdErrPrintf("fejl %d\n", 1), 0);
  EXPECT_EQ(StdErrPrintf("fejl %d\n", 2), 0);
  EXPECT_EQ(ImportLogPrintf("import\n"), 0);
  EXPECT_EQ(EpImportLogPrintf("ep\n"), 0);
  // "LOG\..." finds the existing log folder without regard to case.
  EXPECT_EQ(LaesFil(mappe_ / "log" / "STDERR.LOG"), "fejl 1\r\nfejl 2\r\n");
  EXPECT_EQ(LaesFil(mappe_ / "log" / "IMPORT.LOG"), "import\r\n");
  EXPECT_EQ(LaesFil(mappe_ / "log" / "EP_IMPORT.LOG"), "ep\r\n");
  DeleteStdErrLog();
  EXPECT_FALSE(fs::exists(mappe_ / "log" / "STDERR.LOG"));
  fs::remove_all(mappe_ / "log");
  EXPECT_EQ(StdErrPrintf("tabt\n"), EOF);
}

TEST_F(Log, SignalNames) {
  const struct {
    int nr;
    const char *navn;
  } tabel[] = {{SIGINT, "SIGINT"}, {SIGILL, "SIGILL"}, {SIGFPE, "SIGFPE"}, {SIGSEGV, "SIGSEGV"},
               {SIGTERM, "SIGTERM"}, {SIGABRT, "SIGABRT"}, {SIGUSR1, ""}, {99, ""}};
  for (const auto &t : tabel) EXPECT_STREQ(SignalNavn(t.nr), t.navn) << t.nr;
}

TEST_F(Log, SignalHandlerWritesItsLineAndEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "fast");
  const struct {
    int nr;
    void (*udloes)();
  } tabel[] = {{SIGTERM, [] { std::raise(SIGTERM); }}, {SIGABRT, [] { std::abort(); }}};
  for (const auto &t : tabel) {
    DeleteStdErrLog();
    fs::remove(mappe_ / "log" / "tavo.log");
    EXPECT_EXIT(
        {
          InstallerErrSignalHandler();
          AabnLog();
          t.udloes();
          std::_Exit(0);
        },
        ::testing::KilledBySignal(t.nr), "");
    const std::string linje = "ERR-signal: " + std::to_string(t.nr) + ", " + SignalNavn(t.nr) + "\r\n";
    EXPECT_EQ(LaesFil(mappe_ / "log" / "STDERR.LOG"), linje);
    const std::string log = LaesFil(mappe_ / "log" / "tavo.log");
    const size_t pos = log.find("** Fejl: " + linje);
    ASSERT_NE(pos, std::string::npos) << log;
    EXPECT_TRUE(std::regex_match(log.substr(pos - 20, 20), kStempel)) << log.substr(pos - 20, 20);
  }
}

TEST_F(Log, SignalHandlerInstalledBeforeTheLogFolderExists) {
  GTEST_FLAG_SET(death_test_style, "fast");
  fs::remove_all(mappe_ / "log");
  EXPECT_EXIT(
      {
        InstallerErrSignalHandler();
        fs::create_directory(mappe_ / "log");  // the start-up makes it after the handler
        AabnLog();
        std::raise(SIGINT);
        std::_Exit(0);
      },
      ::testing::KilledBySignal(SIGINT), "");
  EXPECT_EQ(LaesFil(mappe_ / "log" / "STDERR.LOG"), "ERR-signal: 2, SIGINT\r\n");
}

TEST_F(Log, KeyTraceLog) {
  TastLogLine("tabt");
  EXPECT_FALSE(fs::exists(mappe_ / "log" / "Tast.log"));
  fs::create_directories(mappe_ / "data" / "under");
  fs::create_directories(mappe_ / "ini");
  SkrivFil(mappe_ / "data" / "akti.dat", "abc");
  SkrivFil(mappe_ / "data" / "under" / "x.dat", "x");
  SkrivFil(mappe_ / "ini" / "tavo.ini", "[flag]\ntastlog=1\n");
  SkrivFil(mappe_ / "log" / "Tast.log", "fra sidste koersel\n");
  StartTastLog();
  TastLogLine("Tast: Ctrl + Alt + F5 key");
  EXPECT_EQ(LaesTekst(mappe_ / "log" / "Tast.log"),
            "// TAVO-Trace !!!\n\nDebug:  Start\nTast: Ctrl + Alt + F5 key\n");
  EXPECT_EQ(LaesFil(mappe_ / "datakopi" / "akti.dat"), "abc");
  EXPECT_EQ(LaesFil(mappe_ / "datakopi" / "under" / "x.dat"), "x");
  EXPECT_EQ(LaesFil(mappe_ / "inikopi" / "tavo.ini"), "[flag]\ntastlog=1\n");
}

TEST_F(Log, CopyDirNeverDescendsIntoItsDestination) {
  fs::create_directories(mappe_ / "kilde" / "KOPI");
  fs::create_directories(mappe_ / "kilde" / "a");
  SkrivFil(mappe_ / "kilde" / "a" / "f.txt", "f");
  SkrivFil(mappe_ / "kilde" / "g.txt", "g");
  SkrivFil(mappe_ / "kilde" / "KOPI" / "g.txt", "gammel");
  const std::string kilde = mappe_.string() + "/kilde\\";
  CopyDir(kilde.c_str(), (kilde + "kopi\\").c_str());  // the destination in another case
  EXPECT_EQ(LaesFil(mappe_ / "kilde" / "KOPI" / "g.txt"), "g");  // overwritten
  EXPECT_EQ(LaesFil(mappe_ / "kilde" / "KOPI" / "a" / "f.txt"), "f");
  EXPECT_FALSE(fs::exists(mappe_ / "kilde" / "KOPI" / "KOPI"));
  EXPECT_FALSE(fs::exists(mappe_ / "kilde" / "KOPI" / "kopi"));
}

}  // namespace
