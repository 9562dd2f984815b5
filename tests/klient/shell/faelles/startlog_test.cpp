// START.LOG and the lock file: what each start and each close leaves in the
// file, byte for byte, over a table of small files; the retry box while
// another process holds START.LOG; the lock file taken by exactly one of
// two starts.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "../../datamappe.h"
#include "STARTLOG.h"
#include "tavo/clock.h"
#include "tavo/test_dialog.h"

namespace fs = std::filesystem;

namespace {

std::string Laes(const fs::path &p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void Skriv(const fs::path &p, const std::string &indhold) { std::ofstream(p, std::ios::binary) << indhold; }

class StartLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char skabelon[] = "/tmp/startlog_test_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    mappe_ = skabelon;
    setenv("TZ", "UTC", 1);
    tzset();
    const char *u = getenv("USER");
    gemtBruger_ = u ? u : "";
    setenv("USER", "l\xC3\xA6rer", 1);  // UTF-8, as the environment holds it
    struct tm t = {};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 5;
    t.tm_hour = 8;
    t.tm_min = 7;
    t.tm_sec = 30;
    tavo::SetFakeClock(timegm(&t));
  }
  void TearDown() override {
    tavo::ClearFakeClock();
    setenv("USER", gemtBruger_.c_str(), 1);
    fs::remove_all(mappe_);
  }
  std::string Mappe() const { return DataMappeNavn(mappe_); }
  fs::path Fil() const { return mappe_ / "START.LOG"; }

  // The computer name as START.LOG gets it.
  static std::string Computer() {
    char navn[20];
    DWORD n = sizeof navn;
    return GetComputerNameA(navn, &n) ? navn : kIkkeFundet;
  }
  // The open record of installation nr for the fake clock.
  static std::string Aaben(const char *nr, const std::string &bruger = "l\xE6rer") {
    return std::string(nr) + "," + "10413," + bruger + "," + Computer() + ",20260105,08:07,";
  }
  static constexpr const char *kSlut = "20260105,08:07;";

  fs::path mappe_;
  std::string gemtBruger_;
};

TEST_F(StartLogTest, LinesAreSplitAtEveryLineEnd) {
  const struct {
    std::string fil;
    std::vector<std::string> linjer;
  } tabel[] = {
      {"", {}},
      {"\r\n", {""}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},
      {"a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"a\nb\n", {"a", "b"}},       // saved on Linux: LF alone ends a line
      {"a\r\nb\nc\r\n", {"a", "b", "c"}},
      {"a\rb\r\n", {"ab"}},         // a lone CR goes, the byte after it stays
      {"a\r", {"a"}},
      {"a\r\r\nb", {"a", "b"}},
  };
  for (const auto &t : tabel) {
    Skriv(Fil(), t.fil);
    HANDLE h = CreateFileA(Fil().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    StartLinjer linjer;
    EXPECT_EQ(ReadFileLines(h, linjer), static_cast<int>(t.linjer.size())) << t.fil;
    EXPECT_EQ(linjer, t.linjer) << t.fil;
    CloseHandle(h);
  }
  // Installation 0 is not taken for a line without a number or an empty one.
  EXPECT_EQ(FindStartLinje({"x,1,a", "", "0,1,b"}, 0), 2);
  EXPECT_EQ(FindStartLinje({"x,1,a", ""}, 0), -1);
}

TEST_F(StartLogTest, StartAndCloseOfInstallationSeven) {
  const std::string andre = "03,10412,bo,pc3,20251201,09:00,20251201,15:30;\r\n12,10413,eva,pc12,20260104,10:00,\r\n";
  const std::string lang = "05,10413," + std::string(70, 'x') + ",pc5,20260101,07:00,20260101,08:00;";
  const struct {
    const char *hvad;
    bool findes;
    std::string foer, efterStart, efterLuk;
  } tabel[] = {
      {"no file", false, "", Aaben("07") + "\r\n", Aaben("07") + kSlut + "\r\n"},
      {"empty file", true, "", Aaben("07") + "\r\n", Aaben("07") + kSlut + "\r\n"},
      {"own line open", true, andre + "07,10412,ib,pcx,20251230,12:00,\r\n",
       andre + Aaben("07") + "\r\n", andre + "07,10412,ib,pcx,20251230,12:00," + kSlut + "\r\n"},
      {"own line closed", true, "07,10412,ib,pcx,20251230,12:00,20251230,13:00;\r\n" + andre,
       Aaben("07") + "\r\n" + andre, "07,10412,ib,pcx,20251230,12:00," + std::string(kSlut) + "\r\n" + andre},
      {"own line absent", true, andre, andre + Aaben("07") + "\r\n", andre + Aaben("07") + kSlut + "\r\n"},
      {"\"7,\" matches installation 7", true, "7,10412,ib,pcx,20251230,12:00,\r\n" + andre,
       Aaben("07") + "\r\n" + andre, "7,10412,ib,pcx,20251230,12:00," + std::string(kSlut) + "\r\n" + andre},
      {"263 is 7 as one byte", true, "263,1,a,b,1,1,\r\n", Aaben("07") + "\r\n",
       "263,1,a,b,1,1," + std::string(kSlut) + "\r\n"},
      {"two line breaks in a row", true, "03,1,a,b,1,1,2,2;\r\n\r\n12,1,a,b,1,1,\r\n",
       "03,1,a,b,1,1,2,2;\r\n12,1,a,b,1,1,\r\n" + Aaben("07") + "\r\n",
       "03,1,a,b,1,1,2,2;\r\n12,1,a,b,1,1,\r\n" + Aaben("07") + kSlut + "\r\n"},
      {"LF-only lines", true, "03,1,a,b,1,1,2,2;\n07,1,c,d,1,1,\n12,1,e,f,1,1,\n",
       "03,1,a,b,1,1,2,2;\r\n" + Aaben("07") + "\r\n12,1,e,f,1,1,\r\n",
       "03,1,a,b,1,1,2,2;\r\n07,1,c,d,1,1," + std::string(kSlut) + "\r\n12,1,e,f,1,1,\r\n"},
      {"another's line over 83 characters", true, lang + "\r\n", lang + "\r\n" + Aaben("07") + "\r\n",
       lang + "\r\n" + Aaben("07") + kSlut + "\r\n"},
      {"own line over 83 characters", true, "07,10413," + std::string(80, 'y') + ",pc,20260101,07:00,\r\n",
       Aaben("07") + "\r\n", "07,10413," + std::string(80, 'y') + ",pc,20260101,07:00," + kSlut + "\r\n"},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.hvad);
    for (int luk = 0; luk < 2; ++luk) {
      fs::remove(Fil());
      if (t.findes) Skriv(Fil(), t.foer);
      if (luk)
        EndStartLogEntry(7, 10413, Mappe().c_str());
      else
        SkrivStartLinje(7, 10413, Mappe().c_str());
      EXPECT_EQ(Laes(Fil()), luk ? t.efterLuk : t.efterStart) << (luk ? "close" : "start");
    }
  }
  // Start, then close: the run's line is open while it runs and closed after.
  fs::remove(Fil());
  Skriv(Fil(), andre);
  SkrivStartLinje(7, 10413, Mappe().c_str());
  EndStartLogEntry(7, 10413, Mappe().c_str());
  EXPECT_EQ(Laes(Fil()), andre + Aaben("07") + kSlut + "\r\n");
  // No temporary file is left beside START.LOG.
  EXPECT_EQ(std::distance(fs::directory_iterator(mappe_), fs::directory_iterator()), 1);
}

TEST_F(StartLogTest, TwentyCharacterUserIsNotFound) {
  setenv("USER", "abcdefghijklmnopqrst", 1);  // 20 characters
  SkrivStartLinje(42, 10413, Mappe().c_str());
  EXPECT_EQ(Laes(Fil()), Aaben("42", "ikke fundet !") + "\r\n");
  setenv("USER", "abcdefghijklmnopqrs", 1);  // 19 fit
  SkrivStartLinje(42, 10413, Mappe().c_str());
  EXPECT_EQ(Laes(Fil()), Aaben("42", "abcdefghijklmnopqrs") + "\r\n");
}

TEST_F(StartLogTest, RecordReadsBackBounded) {
  StartLogEntry p;
  ASSERT_TRUE(LaesStartLogEntry("07,10413,ib,pc,20260105,08:07,20260105,16:00;", &p));
  EXPECT_EQ(p.Installation, 7);
  EXPECT_EQ(p.Version, 10413);
  EXPECT_STREQ(p.Bruger, "ib");
  EXPECT_STREQ(p.StartTid, "08:07");
  EXPECT_STREQ(p.SlutTid, "16:00");
  // An open record; and a name longer than its field is cut, never overrun.
  ASSERT_TRUE(LaesStartLogEntry(("07,10413," + std::string(40, 'n') + ",pc,1,2,").c_str(), &p));
  EXPECT_EQ(std::string(p.Bruger), std::string(19, 'n'));
  // The cut name keeps the fields after it.
  EXPECT_STREQ(p.Computer, "pc");
  EXPECT_STREQ(p.StartDato, "1");
  EXPECT_STREQ(p.StartTid, "2");
  EXPECT_STREQ(p.SlutDato, "");
  EXPECT_FALSE(LaesStartLogEntry("Låsefil til TAVO", &p));
}

// Another process holds START.LOG exclusively until it is told to let go;
// before it does, it writes its own line.
struct AndenProces {
  pid_t pid = -1;
  int ordre = -1, svar = -1;

  void Start(const std::string &sti, const std::string &linje) {
    int tilBarn[2], fraBarn[2];
    ASSERT_EQ(pipe(tilBarn), 0);
    ASSERT_EQ(pipe(fraBarn), 0);
    pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      // The other program holds the file as this one does.
      HANDLE h = CreateFileA(sti.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, 0);
      if (h == INVALID_HANDLE_VALUE) _exit(1);
      char c = 'h';
      if (write(fraBarn[1], &c, 1) != 1) _exit(1);
      if (read(tilBarn[0], &c, 1) != 1) _exit(1);
      DWORD skrevet = 0;
      if (!WriteFile(h, linje.data(), (DWORD)linje.size(), &skrevet, nullptr) || skrevet != linje.size())
        _exit(1);
      CloseHandle(h);
      c = 'f';
      if (write(fraBarn[1], &c, 1) != 1) _exit(1);
      _exit(0);
    }
    close(tilBarn[0]);
    close(fraBarn[1]);
    ordre = tilBarn[1];
    svar = fraBarn[0];
    char c = 0;
    ASSERT_EQ(read(svar, &c, 1), 1);  // it holds the file
  }
  void SlipFil() {
    char c = 'g';
    ASSERT_EQ(write(ordre, &c, 1), 1);
    ASSERT_EQ(read(svar, &c, 1), 1);
    ASSERT_EQ(c, 'f');
  }
  int Slut() {
    close(ordre);
    close(svar);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

TEST_F(StartLogTest, RetryBoxWhileAnotherProcessHoldsTheFile) {
  const std::string anden = "03,10413,bo,pc3,20260105,08:00,\r\n";
  for (int annuller = 0; annuller < 2; ++annuller) {
    SCOPED_TRACE(annuller ? "Cancel" : "OK until it lets go");
    fs::remove(Fil());
    AndenProces p;
    p.Start(Fil().string(), anden);
    tavo::test::StartDialogScript(10000);
    if (annuller) {
      tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR { return IDCANCEL; });
    } else {
      tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR { return IDOK; });
      tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &) -> INT_PTR {
        p.SlipFil();
        return IDOK;
      });
    }
    SkrivStartLinje(7, 10413, Mappe().c_str());
    const auto bokse = tavo::test::MessageBoxesShown();
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    ASSERT_EQ(bokse.size(), annuller ? 1u : 2u);
    for (const auto &b : bokse) {
      EXPECT_EQ(b.caption, " Start.log ");
      EXPECT_EQ(b.text, " TAVO-skema kunne ikke få tilgang til start.log, prøv igen om 5-10 sekunder !");
      EXPECT_EQ(b.type & (MB_OKCANCEL | MB_ICONEXCLAMATION), static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION));
    }
    if (annuller) {
      EXPECT_EQ(Laes(Fil()), "");  // nothing written while it held the file
      p.SlipFil();
      EXPECT_EQ(Laes(Fil()), anden);
    } else {
      EXPECT_EQ(Laes(Fil()), anden + Aaben("07") + "\r\n");
    }
    EXPECT_EQ(p.Slut(), 0);
  }
}

// The rewrite goes in place through the held file (Windows replaces no open
// file); a complete copy beside it finishes a rewrite broken off, and a
// copy cut short is dropped with the file untouched.
TEST_F(StartLogTest, RewriteBrokenOffIsFinishedFromItsCopy) {
  const std::string gammel = "03,10413,bo,pc3,20260105,08:00,\r\n";
  const std::string ny = "03,10413,bo,pc3,20260105,08:00,20260105,09:00;\r\n";
  const fs::path kopi = mappe_ / "START.LOG.kopi", halv = mappe_ / "START.LOG.ny";
  const struct {
    const char *navn;
    std::string fil;
    bool kopi, halv;
    std::string efter;
  } tabel[] = {
      {"no copy", gammel, false, false, gammel},
      {"complete copy over a file cut short", gammel.substr(0, 10), true, false, ny},
      {"copy cut short", gammel, false, true, gammel},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    Skriv(Fil(), t.fil);
    if (t.kopi) Skriv(kopi, ny);
    if (t.halv) Skriv(halv, ny.substr(0, 7));
    SkrivStartLinje(7, 10413, Mappe().c_str());
    EXPECT_EQ(Laes(Fil()), t.efter + Aaben("07") + "\r\n");
    EXPECT_FALSE(fs::exists(kopi));
    EXPECT_FALSE(fs::exists(halv));
  }
}

class LaasefilTest : public StartLogTest {};

TEST_F(LaasefilTest, TakenByExactlyOneOfTwoStarts) {
  const std::string sti = (mappe_ / "tavo.lck").string();
  for (int runde = 0; runde < 25; ++runde) {
    fs::remove(sti);
    std::atomic<int> klar{0};
    LaasefilResultat r[2];
    int fejl[2];
    auto start = [&](int i) {
      ++klar;
      while (klar.load() < 2) {
      }
      r[i] = OpretLaasefil(sti.c_str(), static_cast<uint8_t>(i + 1), 10413, &fejl[i]);
    };
    std::thread a(start, 0), b(start, 1);
    a.join();
    b.join();
    const int oprettet = (r[0] == LaasefilResultat::Oprettet) + (r[1] == LaasefilResultat::Oprettet);
    const int findes = (r[0] == LaasefilResultat::Findes) + (r[1] == LaasefilResultat::Findes);
    ASSERT_EQ(oprettet, 1) << runde;
    ASSERT_EQ(findes, 1) << runde;
    // The file holds the winner's open record.
    const char *vinder = r[0] == LaasefilResultat::Oprettet ? "01" : "02";
    EXPECT_EQ(Laes(sti), Aaben(vinder)) << runde;
  }
  // A file that is there is left as it is; a folder that is not gives the
  // C error.
  Skriv(sti, "Låsefil til TAVO");
  int fejlnr = 0;
  EXPECT_EQ(OpretLaasefil(sti.c_str(), 1, 10413, &fejlnr), LaasefilResultat::Findes);
  EXPECT_EQ(Laes(sti), "Låsefil til TAVO");
  EXPECT_EQ(OpretLaasefil((mappe_ / "mangler" / "tavo.lck").c_str(), 1, 10413, &fejlnr), LaasefilResultat::Fejl);
  EXPECT_EQ(fejlnr, ENOENT);
}

TEST_F(LaasefilTest, DeletedFromTheDataFolder) {
  fs::create_directories(mappe_ / "ini");
  Skriv(mappe_ / "ini" / "tavo.lck", "07,10413,a,b,1,1,");
  DeleteLockFile(Mappe().c_str());
  EXPECT_FALSE(fs::exists(mappe_ / "ini" / "tavo.lck"));
  DeleteLockFile(Mappe().c_str());  // missing: only a log line
  EXPECT_EQ(std::distance(fs::directory_iterator(mappe_ / "ini"), fs::directory_iterator()), 0);
}

}  // namespace
