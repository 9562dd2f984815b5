// The version check against the web-server stand-in over HTTPS: in process
// with the boxes answered by the dialog hook, and once as Zintel.exe.
#include <gtest/gtest.h>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "STITAB.h"
#include "ZINTEL.h"
#include "tavo/clock.h"
#include "tavo/test_dialog.h"
#include "webserver_proces.h"

extern char **environ;

namespace {

namespace fs = std::filesystem;

std::string WinForm(const fs::path &p) {
  std::string s = p.string();
  for (char &c : s)
    if (c == '/') c = '\\';
  return s;
}

const std::string kPc = "/tavoskema/opd/pc";

unsigned gHentet;
int HentOk(HINTERNET, unsigned n) {
  gHentet = n;
  return 1;
}

class VersionCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    char skabelon[] = "/tmp/zintel_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    rod_ = skabelon;
    fs::create_directories(rod_ / "data/ini");
    fs::create_directories(rod_ / "data/LOG");
    ASSERT_TRUE(server_.Start());
    const std::string data = WinForm(rod_ / "data") + "\\";
    std::strcpy(ZintelDataMappe, data.c_str());
    std::strcpy(ZintelProgMappe, data.c_str());
    std::snprintf(ZintelIni, sizeof ZintelIni, "%sini\\tavo.ini", data.c_str());
    std::strcpy(StiTab.szdata, data.c_str());
    std::snprintf(ZintelAdresse, sizeof ZintelAdresse, "%s", server_.Adresse().c_str());
    tavo::SaetInternetCertifikater(webtest::Certifikat().c_str());
    // Short for the silent stand-in, long enough for a TLS handshake on a
    // loaded machine.
    tavo::SaetInternetTimeout(4000);
    ZintelHentVersion = HentOk;
    gHentet = 0;
    // 10 March 2026, noon UTC: the same day in every time zone near Denmark.
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 2;
    t.tm_mday = 10;
    t.tm_hour = 12;
    tavo::SetFakeClock(timegm(&t));
    Ini("kontakt", "server", "skoleserver");
    Ini("global", "skolenr", "1234");
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    tavo::test::StopDialogScript();
    tavo::ClearFakeClock();
    tavo::SaetInternetCertifikater(nullptr);
    tavo::SaetInternetTimeout(0);
    server_.Stop();
    std::error_code ec;
    fs::remove_all(rod_, ec);
  }

  void Ini(const char *s, const char *k, const char *v) { WritePrivateProfileStringA(s, k, v, ZintelIni); }
  std::string Ini(const char *s, const char *k) {
    char buf[256];
    GetPrivateProfileStringA(s, k, "", buf, sizeof buf, ZintelIni);
    return buf;
  }
  std::string StdErr() {
    std::ifstream ind(rod_ / "data/LOG/STDERR.LOG", std::ios::binary);
    std::stringstream s;
    s << ind.rdbuf();
    return s.str();
  }
  static std::string Svar(const std::string &sti, int status, const std::string &krop) {
    return "answer " + kPc + sti + " " + std::to_string(status) + " " + webtest::Flugt(krop) + "\n";
  }

  fs::path rod_;
  webtest::WebServer server_;
};

TEST_F(VersionCheck, FindsTheVersionAsksAndWritesTheKeys) {
  struct {
    const char *hvad;
    const char *versionTxt;
    int koerende;
    const char *skoler;
    const char *opddato;  // before the run; "" none
    int svar;             // the answer to the question; 0 no box expected
    const char *nyversion, *koropd, *opddatoEfter;
    int exitkode;
    UINT boksType;
    const char *boksTekst;
  } tilfaelde[] = {
      {"a newer version before a less new one", "10500\n10400\n10200\n", 10300, "*", "", IDNO, "10400", "",
       "20260317", 0, MB_YESNO | MB_ICONINFORMATION,
       "Besked\nVIGTIGT! Du har 7 dage tilbage til at få TAVO opdateret, herefter SKAL der opdateres!!!\n\n"
       "Ønsker du at installere opdateringen nu?"},
      {"running version 0 takes the smallest", "10500\n 10 400 \n", 0, "*", "", IDYES, "10400", "1", "20260317", 1,
       MB_YESNO | MB_ICONINFORMATION, "7 dage"},
      {"a star with blanks applies to every school", "10400", 10300, "  *  \r\n0001\r\n", "", IDNO, "10400", "",
       "20260317", 0, MB_YESNO | MB_ICONINFORMATION, "7 dage"},
      {"the server name in CR LF lines", "10400\r\n", 10300, "0001\r\nskole server\r\n", "", IDNO, "10400", "",
       "20260317", 0, MB_YESNO | MB_ICONINFORMATION, "7 dage"},
      {"the school number in CR LF lines", "10400\r\n", 10300, "0001\r\n1234\r\n", "", IDNO, "10400", "",
       "20260317", 0, MB_YESNO | MB_ICONINFORMATION, "7 dage"},
      {"not this school", "10400", 10300, "0001\r\nandenserver\r\n", "", 0, "", "", "", 0, 0, ""},
      {"no version above the running one", "10300\n10200\n", 10300, "*", "", 0, "", "", "", 0, 0, ""},
      {"the deadline tomorrow", "10400", 10300, "*", "20260311", IDNO, "10400", "", "20260311", 0,
       MB_YESNO | MB_ICONINFORMATION, "Du har 1 dag tilbage"},
      {"the deadline today", "10400", 10300, "*", "20260310", IDOK, "10400", "1", "20260310", 1,
       MB_OK | MB_ICONWARNING, "Besked\nVIGTIGT! Denne gang skal du opdatere!!"},
      {"the deadline passed", "10400", 10300, "*", "20260301", IDOK, "10400", "1", "20260301", 1,
       MB_OK | MB_ICONWARNING, "Denne gang skal du opdatere!!"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    Ini("tider", "opddato", t.opddato[0] ? t.opddato : nullptr);
    Ini("flag", "koropd", nullptr);
    Ini("flag", "zintel", "1");
    Ini("global", "nyversion", "1");
    gHentet = 0;
    ZintelVersion = t.koerende;
    server_.Script(Svar("/version.txt", 200, t.versionTxt) + Svar("/10400/opdskoler.txt", 200, t.skoler) +
                   Svar("/10400/ver-besked.txt", 200, "Besked"));
    if (t.svar) {
      const int svar = t.svar;
      tavo::test::AnswerNextDialog([svar](const tavo::test::ShownDialog &) { return svar; });
    }
    EXPECT_EQ(WebTavoVersionCheck(), t.exitkode);
    EXPECT_EQ(Ini("global", "nyversion"), t.nyversion);
    EXPECT_EQ(Ini("flag", "koropd"), t.koropd);
    EXPECT_EQ(Ini("tider", "opddato"), t.opddatoEfter);
    EXPECT_EQ(Ini("flag", "zintel"), "0");
    EXPECT_EQ(gHentet, t.exitkode == 1 ? 10400u : 0u);
    const auto bokse = tavo::test::MessageBoxesShown();
    if (!t.svar) {
      EXPECT_TRUE(bokse.empty());
      continue;
    }
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].caption, "Ny version info");
    EXPECT_EQ(bokse[0].type, t.boksType);
    EXPECT_NE(bokse[0].text.find(t.boksTekst), std::string::npos) << bokse[0].text;
  }
}

TEST_F(VersionCheck, FailuresEndWithoutANewVersion) {
  const std::string besked = Svar("/10400/ver-besked.txt", 200, "Besked");
  struct {
    const char *hvad;
    std::string script;
    const char *logTekst;
    bool versionFundet = false;
  } tilfaelde[] = {
      {"version.txt missing", Svar("/version.txt", 404, "nej"), "Fejlnr: 404, ved åbning af"},
      {"opdskoler.txt failing", Svar("/version.txt", 200, "10400") + Svar("/10400/opdskoler.txt", 500, "x"),
       "HTTPCheckOpdSkole: Fejlkode 500 ved åbning af", true},
      {"version.txt cut short", "cut " + kPc + "/version.txt 3\n", "Fejl ved connect til"},
      {"garbage", Svar("/version.txt", 200, "abc\nx10400\n-5\n\n") + Svar("/0/opdskoler.txt", 200, "*"), ""},
      {"a number too large for the field",
       Svar("/version.txt", 200, "99999999999999999999\n4294967296\n") + Svar("/0/opdskoler.txt", 200, "*"), ""},
      {"a body beyond the bound", Svar("/version.txt", 200, std::string(5u << 20, '1')),
       "allokering af hukommelse til filen"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    Ini("global", "nyversion", "1");
    Ini("flag", "zintel", "1");
    ZintelVersion = 10300;
    server_.Script(t.script + besked);
    const size_t foer = server_.Log().size();
    EXPECT_EQ(WebTavoVersionCheck(), 0);
    EXPECT_EQ(Ini("global", "nyversion"), "");
    EXPECT_EQ(Ini("flag", "zintel"), "0");
    EXPECT_NE(StdErr().find(t.logTekst), std::string::npos) << StdErr();
    EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
    const auto log = server_.Log();
    // Nothing that counts as a version leads on to the school list.
    for (size_t i = foer; i < log.size() && !t.versionFundet; ++i) EXPECT_EQ(log[i].find("opdskoler"), std::string::npos) << log[i];
  }
  EXPECT_NE(StdErr().find("WebTavoVersionCheck: Begynd tjek i mappe " + server_.Adresse() + kPc + "!"),
            std::string::npos)
      << StdErr();
}

// The version's files laid out as a folder tree the stand-in serves, a
// rule for one path still in front of it.
TEST_F(VersionCheck, ServedFromAFolderTree) {
  const fs::path pc = rod_ / "server/pc";
  fs::create_directories(pc / "10400");
  std::ofstream(pc / "version.txt") << "10400\r\n10500\r\n";
  std::ofstream(pc / "10400/opdskoler.txt") << "1234\r\n";
  std::ofstream(pc / "10400/ver-besked.txt") << "Ny version 1.4";
  ZintelVersion = 10300;
  server_.Script("slow " + kPc + "/version.txt 300\n" + Svar("/10500/opdskoler.txt", 500, "x") + "serve " + kPc +
                 " " + pc.string() + "\n");
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDNO; });
  EXPECT_EQ(WebTavoVersionCheck(), 0);
  EXPECT_EQ(Ini("global", "nyversion"), "10400");
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].text.rfind("Ny version 1.4\nVIGTIGT! Du har 7 dage", 0), 0u) << bokse[0].text;
  server_.Script("serve " + kPc + " " + pc.string() + "\n");
  ZintelVersion = 10400;
  EXPECT_EQ(WebTavoVersionCheck(), 0);
  EXPECT_EQ(Ini("global", "nyversion"), "");
  EXPECT_NE(StdErr().find("HTTPCheckOpdSkole: Fejlkode 404 ved"), std::string::npos);
}

TEST_F(VersionCheck, AMessageThatCannotBeFetchedIsShown) {
  ZintelVersion = 10300;
  server_.Script(Svar("/version.txt", 200, "10400") + Svar("/10400/opdskoler.txt", 200, "*") +
                 Svar("/10400/ver-besked.txt", 500, "x"));
  EXPECT_EQ(WebTavoVersionCheck(), 0);
  EXPECT_EQ(Ini("global", "nyversion"), "10400");
  EXPECT_EQ(Ini("flag", "zintel"), "0");
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Ny version fejl");
  EXPECT_EQ(bokse[0].text, "Fejlkode 500 ved åbning af filen: " + server_.Adresse() + kPc +
                               "/10400/ver-besked.txt\n\nKontakt TAVO-support!");
}

TEST_F(VersionCheck, NoConnectionShowsTheBoxAndLeavesTheResults) {
  server_.Stop();
  Ini("global", "nyversion", "10400");
  Ini("flag", "koropd", "1");
  EXPECT_EQ(WebTavoVersionCheck(), 1);
  EXPECT_EQ(Ini("global", "nyversion"), "10400");
  EXPECT_EQ(Ini("flag", "koropd"), "1");
  EXPECT_EQ(Ini("flag", "zintel"), "0");
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Internet check");
  EXPECT_EQ(bokse[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(bokse[0].text.rfind("Der kunne ikke oprettes forbindelse til internettet", 0), 0u);
}

// A fresh installation has no update address: no host is asked, no box is
// shown, and the check ends as when no newer version exists.
TEST_F(VersionCheck, WithoutAnAddressNothingIsAskedAndNoBoxShown) {
  ZintelAdresse[0] = '\0';
  Ini("global", "nyversion", "10400");
  Ini("flag", "zintel", "1");
  EXPECT_EQ(WebTavoVersionCheck(), 0);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  EXPECT_TRUE(server_.Log().empty());
  EXPECT_EQ(Ini("global", "nyversion"), "");
  EXPECT_EQ(Ini("flag", "zintel"), "0");
  EXPECT_NE(StdErr().find("WebTavoVersionCheck: Ingen opdateringsadresse; intet tjek!"), std::string::npos)
      << StdErr();
}

TEST(VersionCheckCommandLine, ReadsOptionsOrPositions) {
  struct {
    const char *hvad;
    std::string linje;
    const char *prog, *data;
    int version;
  } tilfaelde[] = {
      {"the main program's command line", "C:\\Prog\\Zintel.exe -p\"C:\\Prog\" -d\"D:\\Data\" -v10300", "C:\\Prog\\",
       "D:\\Data\\", 10300},
      {"upper-case options and others", "Zintel.exe -x -PC:\\Prog\\ -DD:\\Data -V5 /q", "C:\\Prog\\", "D:\\Data\\", 5},
      {"values trimmed", "Zintel.exe \"-p  C:\\Prog \t\" -dD:\\Data", "C:\\Prog\\", "D:\\Data\\", 0},
      {"by position", "Zintel.exe C:\\Prog D:\\Data ignored 10400", "C:\\Prog\\", "D:\\Data\\", 10400},
      {"one position", "Zintel.exe C:\\Prog", "C:\\Prog\\", "C:\\Prog\\", 0},
      {"no arguments", "C:\\Prog\\Zintel.exe", "C:\\Prog\\", "C:\\Prog\\", 0},
      // Its own line for an empty command line: folders ending in a
      // backslash, one holding a blank, must arrive whole.
      {"its own line", ZintelEgenLinje("C:\\Mit Prog\\Zintel.exe", "C:\\Mit Prog\\", 10300), "C:\\Mit Prog\\",
       "C:\\Mit Prog\\", 0},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    char prog[kZintelMappe], data[kZintelMappe];
    int version = -1;
    VersionCommandLine(t.linje.c_str(), prog, data, &version);
    EXPECT_STREQ(prog, t.prog);
    EXPECT_STREQ(data, t.data);
    EXPECT_EQ(version, t.version);
  }
}

TEST(VersionCheckText, TrimBlanksAndDays) {
  char a[] = " \t\r 1 2 3 \r\n";
  TrimTekst(a);
  EXPECT_STREQ(a, "1 2 3");
  FjernBlanke(a);
  EXPECT_STREQ(a, "123");
  TrimTekst(nullptr);
  FjernBlanke(nullptr);
  EXPECT_EQ(DageMellem(20260301, 20260227), 2);
  EXPECT_EQ(DageMellem(20260227, 20260301), 0);
  EXPECT_EQ(DatoPlusDage(20261228, 7), 20270104u);
  EXPECT_EQ(DatoPlusDage(20280226, 7), 20280304u);
}

// The installed program started as the main program starts it, in an
// environment without the update address and with no setting: it ends by
// itself at once with 0 (a box would wait for the user).
TEST_F(VersionCheck, ZintelWithoutAnAddressEndsAtOnce) {
  fs::create_directories(rod_ / "prog");
  const fs::path exe = rod_ / "prog/Zintel.exe";
  fs::copy_file(TAVO_ZINTEL_PROGRAM, exe);
  std::vector<std::string> env;
  for (char **e = environ; *e; ++e)
    if (std::strncmp(*e, "TAVO_WEB_", 9) != 0) env.push_back(*e);
  std::vector<char *> envp;
  for (auto &e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = {exe.string(), "-p" + WinForm(rod_ / "prog"), "-d" + WinForm(rod_ / "data"),
                                   "-v10300"};
  std::vector<char *> argv;
  for (auto &a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid;
  ASSERT_EQ(posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv.data(), envp.data()), 0);
  int status = 0;
  pid_t slut = 0;
  for (int i = 0; i < 300 && slut == 0; ++i) {
    slut = waitpid(pid, &status, WNOHANG);
    if (slut == 0) usleep(100000);
  }
  if (slut == 0) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    FAIL() << "Zintel waited for the user";
  }
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Ini("flag", "zintel"), "0");
  EXPECT_NE(StdErr().find("Ingen opdateringsadresse"), std::string::npos) << StdErr();
  EXPECT_TRUE(server_.Log().empty());
}

TEST_F(VersionCheck, ZintelRunAsAProgram) {
  server_.Script(Svar("/version.txt", 200, "10400") + Svar("/10400/opdskoler.txt", 200, "0001\r\n"));
  Ini("global", "nyversion", "10400");
  fs::create_directories(rod_ / "prog");
  const fs::path exe = rod_ / "prog/Zintel.exe";
  fs::copy_file(TAVO_ZINTEL_PROGRAM, exe);
  std::vector<std::string> env = {"TAVO_WEB_OPDATERING=" + server_.Adresse(),
                                  "TAVO_WEB_CERTIFIKAT=" + webtest::Certifikat()};
  for (char **e = environ; *e; ++e)
    if (std::strncmp(*e, "TAVO_WEB_", 9) != 0) env.push_back(*e);
  std::vector<char *> envp;
  for (auto &e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = {exe.string(), "-p" + WinForm(rod_ / "prog"), "-d" + WinForm(rod_ / "data"),
                                   "-v10300"};
  std::vector<char *> argv;
  for (auto &a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid;
  ASSERT_EQ(posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv.data(), envp.data()), 0);
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Ini("global", "nyversion"), "");
  EXPECT_EQ(Ini("flag", "zintel"), "0");
  EXPECT_NE(StdErr().find("WebTavoVersionCheck: Slut tjek!"), std::string::npos);
  const auto log = server_.Log();
  ASSERT_FALSE(log.empty());
  EXPECT_NE(log.back().find("/10400/opdskoler.txt"), std::string::npos);
}

}  // namespace
