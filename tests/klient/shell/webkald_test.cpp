// The web calls against the web-server stand-in: the replies they read,
// every way a call fails (each an empty result, a log line, nothing shown),
// and two threads calling at once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "../datamappe.h"
#include "INDSTIL.h"
#include "LOGFIL.h"
#include "STITAB.h"
#include "WEBKALD.h"
#include "tavo/test_dialog.h"
#include "webserver_proces.h"
#include "windows.h"

namespace fs = std::filesystem;

namespace {

constexpr const char *kNyhedsSti = "/tavoskema/newsdate.php";

class WebKald : public ::testing::Test {
 protected:
  void SetUp() override {
    char skabelon[] = "/tmp/webkald_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    mappe_ = skabelon;
    fs::create_directories(mappe_ / "ini");
    fs::create_directories(mappe_ / "log");
    std::ofstream(mappe_ / "ini" / "tavo.ini") << "[global]\r\nskolenr=417\r\n";
    std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", DataMappeNavn(mappe_).c_str());
    InitStiTab();
    StandardIndstillinger();
    ASSERT_EQ(AabnLog(), 1);
    ASSERT_TRUE(server.Start());
    setenv("TZ", "UTC0", 1);
    tzset();
    setenv("TAVO_WEB_TAVOSIDE", server.Adresse().c_str(), 1);
    setenv("TAVO_WEB_TIDSPOST", (server.Adresse() + "/hub").c_str(), 1);
    setenv("TAVO_WEB_CERTIFIKAT", webtest::Certifikat().c_str(), 1);
    // Short for the silent stand-in, long enough for a TLS handshake on a
    // loaded machine.
    tavo::SaetInternetTimeout(4000);
    tavo::test::StartDialogScript(1000);
  }
  void TearDown() override {
    EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
    tavo::test::StopDialogScript();
    for (const char *v : {"TAVO_WEB_TAVOSIDE", "TAVO_WEB_TIDSPOST", "TAVO_WEB_CERTIFIKAT", "TAVO_WEB_HJAELP"})
      unsetenv(v);
    unsetenv("TZ");
    tzset();
    tavo::SaetInternetTimeout(0);
    LukLog();
    StiTab.laastOenske = 0;
    StandardIndstillinger();
    fs::remove_all(mappe_);
  }

  std::string Log() const {
    std::ifstream f(mappe_ / "log" / "tavo.log", std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  std::string Ini(const char *sektion, const char *noegle) const {
    char v[600];
    GetPrivateProfileStringA(sektion, noegle, "(ingen)", v, sizeof v, StiTab.szini);
    return v;
  }
  static std::string TidspostSti(int meda) {
    return "/hub/bin/tavo-tipo-slut-periode?skolenr=417&meda_id=" + std::to_string(meda) +
           "&fradato=20240801&tildato=20250731";
  }

  // The header lines of the request for this target.
  std::string Hoved(const std::string &maal) const {
    for (const std::string &l : server.Log())
      if (l.find("\tGET " + maal + "\t") != std::string::npos) return server.Hoved(std::atoi(l.c_str()));
    return "";
  }

  struct Info {
    char easy[kJobserverNavnLaengde] = "gammel";
    char db[kDatabaseLaengde] = "gammel";
    char autos[kAutoserverNavnLaengde] = "gammel";
    char bruger[kAutoBrugerLaengde] = "gammel";
    char kode[kAutoKodeLaengde] = "gammel";
    bool Tom() const { return !easy[0] && !db[0] && !autos[0] && !bruger[0] && !kode[0]; }
  };

  fs::path mappe_;
  webtest::WebServer server;
};

TEST_F(WebKald, RepliesAreRead) {
  // Seconds, a blank and an address.
  server.Script(std::string("answer ") + kNyhedsSti + " 200 1700000000 https://127.0.0.1/nyt.html\\n\n" +
                "answer /tavoskema/serverkontakt.php?skolenr=417 200 easyserver= \"job.skole.dk\" \\n"
                "EasyServer=forkert\\ndatabase=skoledb\\nukendt=1\n" +
                "answer " + TidspostSti(12) + " 200 0\\n5 -3 7\\n6 4 -2\\n\n");
  char dato[20];
  ASSERT_TRUE(WebNewsCheck(dato, sizeof dato));
  EXPECT_STREQ(dato, "20231114 22:13");
  EXPECT_STREQ(NyhedsDokAdresse, "https://127.0.0.1/nyt.html");
  EXPECT_EQ(Ini("kontakt", "newsdocurl"), server.Adresse() + kNyhedsSti);

  Info i;
  ASSERT_TRUE(WebConnectInfoCheck(i.easy, i.db, i.autos, i.bruger, i.kode));
  EXPECT_STREQ(i.easy, "job.skole.dk");
  EXPECT_STREQ(i.db, "skoledb");
  EXPECT_STREQ(i.autos, "");
  EXPECT_STREQ(i.kode, "");
  // An absent buffer is passed over.
  Info j;
  EXPECT_TRUE(WebConnectInfoCheck(nullptr, j.db, nullptr, nullptr, nullptr));
  EXPECT_STREQ(j.db, "skoledb");

  TidspostRec poster[3] = {{0, 99, 0, 0}, {0, 99, 0, 0}, {1, 2, 3, 4}};
  char status = 'x';
  EXPECT_EQ(WebConnectTidspostCheck(12, 20240801, 20250731, poster, 3, &status), 0);
  EXPECT_EQ(status, '0');
  EXPECT_EQ(poster[0].Fortegn, static_cast<uint32_t>('-'));
  EXPECT_EQ(poster[0].Vaerdi, 99u);
  EXPECT_EQ(poster[0].Stoerrelse, 7u);
  EXPECT_EQ(poster[0].Tal, 5u);
  EXPECT_EQ(poster[1].Fortegn, static_cast<uint32_t>('+'));
  EXPECT_EQ(poster[1].Vaerdi, 4u);
  EXPECT_EQ(poster[1].Stoerrelse, 2u);
  EXPECT_EQ(poster[1].Tal, 6u);
  EXPECT_EQ(poster[2].Tal, 4u);

  EXPECT_NE(Hoved(kNyhedsSti).find("User-Agent: WinInet"), std::string::npos);
  EXPECT_NE(Hoved("/tavoskema/serverkontakt.php?skolenr=417").find("User-Agent: Connect info"), std::string::npos);
  EXPECT_NE(Hoved(TidspostSti(12)).find("User-Agent: Check tidspost"), std::string::npos);
  EXPECT_EQ(Log().find("** Fejl"), std::string::npos) << Log();
}

TEST_F(WebKald, NewsDateStoredOutsideReadOnlyRuns) {
  server.Script(std::string("answer ") + kNyhedsSti + " 200 1700000000\n");
  GlobalIndstillinger.skemalaast = 1;
  EXPECT_TRUE(HentNyhedsdato());
  EXPECT_EQ(Ini("tider", "nyheder"), "(ingen)");
  EXPECT_EQ(Ini("kontakt", "newsdocurl"), "(ingen)");

  GlobalIndstillinger.skemalaast = 0;
  ASSERT_TRUE(HentNyhedsdato());
  EXPECT_EQ(Ini("tider", "nyheder"), "20231114 22:13");
  EXPECT_STREQ(NyhedsDokAdresse, "");
}

// Every failure of the three calls: an empty result and its log line.
TEST_F(WebKald, FailuresGiveEmptyResults) {
  const std::string lang(600, 'a');
  // The rule word, then each call's rest of the rule: "" leaves it out.
  struct Tilfaelde {
    const char *hvad;
    const char *ord;
    std::string nyhedSvar, infoSvar, tidspostSvar;
    std::string adresse;  // replaces both addresses when set; "-" empties them
    bool utroet;          // the certificate is not trusted
    const char *nyhed, *info, *tidspost;  // the log text of each call, "" for none
  };
  const Tilfaelde tabel[] = {
      {"no address", "answer", "200 1", "200 easyserver=x", "200 0", "-", false, "Ingen webadresse",
       "Ingen webadresse", "Ingen webadresse"},
      {"nothing listening", "answer", "200 1", "200 easyserver=x", "200 0", "https://127.0.0.1:1", false,
       "netforbindelse til https://127.0.0.1:1!", "netforbindelse til https://127.0.0.1:1!",
       "netforbindelse til https://127.0.0.1:1!"},
      {"untrusted certificate", "answer", "200 1", "200 easyserver=x", "200 0", "", true,
       "Fejlnr: 12045, ved åbning af https://", "Fejlnr: 12045, ved åbning af https://",
       "Fejlnr: 12045, ved åbning af https://"},
      {"status 404", "answer", "404 1", "404 easyserver=x", "404 0", "", false, "WebNewsCheck(): Status 404 fra https://",
       "WebConnectInfoCheck(): Status 404 fra", "WebConnectTidspostCheck(): Status 404 fra"},
      {"empty body", "answer", "200 ", "200 ", "200 ", "", false, "WebNewsCheck(): Intet tidspunkt", "",
       "WebConnectTidspostCheck(): Kunne ikke hente tidspost: "},
      {"cut mid-body", "cut", "40", "40", "40", "", false, "WebNewsCheck(): Svaret kunne ikke læses helt",
       "WebConnectInfoCheck(): Svaret kunne ikke læses helt", "WebConnectTidspostCheck(): Svaret kunne ikke læses helt"},
      {"silent server", "silent", "", "", "", "", false, "WebNewsCheck(): Fejlnr: 12002",
       "WebConnectInfoCheck(): Fejlnr: 12002", "WebConnectTidspostCheck(): Fejlnr: 12002"},
      {"no leading number, error reply", "answer", "200 https://127.0.0.1/nyt", "200 ingen=1", "200 1 fejl: ukendt",
       "", false, "WebNewsCheck(): Intet tidspunkt", "", "Kunne ikke hente tidspost: 1 fejl: ukendt"},
      {"over-long value or line", "answer", "200 1 https://" + lang, "200 easyserver=" + std::string(65, 'e'),
       "200 0\\n1 2 " + lang, "", false, "WebNewsCheck(): For lang værdi",
       "WebConnectInfoCheck(): For lang værdi for easyserver", "WebConnectTidspostCheck(): For lang linje"},
  };
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.hvad);
    std::string script;
    const std::pair<const char *, std::string> regler[] = {{kNyhedsSti, t.nyhedSvar},
                                                           {"/tavoskema/serverkontakt.php", t.infoSvar},
                                                           {"/hub/bin/tavo-tipo-slut-periode", t.tidspostSvar}};
    for (const auto &[sti, rest] : regler)
      if (!rest.empty() || std::string(t.ord) == "silent") script += std::string(t.ord) + " " + sti + " " + rest + "\n";
    server.Script(script);
    if (t.adresse == "-") {
      setenv("TAVO_WEB_TAVOSIDE", "", 1);
      setenv("TAVO_WEB_TIDSPOST", "", 1);
    } else if (!t.adresse.empty()) {
      setenv("TAVO_WEB_TAVOSIDE", t.adresse.c_str(), 1);
      setenv("TAVO_WEB_TIDSPOST", t.adresse.c_str(), 1);
    }
    if (t.utroet) unsetenv("TAVO_WEB_CERTIFIKAT");
    const size_t foer = Log().size();

    char dato[20] = "gammel";
    std::snprintf(NyhedsDokAdresse, sizeof NyhedsDokAdresse, "gammel");
    EXPECT_FALSE(WebNewsCheck(dato, sizeof dato));
    EXPECT_STREQ(dato, "");
    EXPECT_STREQ(NyhedsDokAdresse, "");
    const std::string efterNyhed = Log().substr(foer);
    Info i;
    EXPECT_FALSE(WebConnectInfoCheck(i.easy, i.db, i.autos, i.bruger, i.kode));
    EXPECT_TRUE(i.Tom());
    const std::string efterInfo = Log().substr(foer + efterNyhed.size());
    TidspostRec poster[3] = {{7, 7, 7, 7}, {7, 7, 7, 7}, {7, 7, 7, 7}};
    char status = 'x';
    WebConnectTidspostCheck(1, 2, 3, poster, 3, &status);
    EXPECT_EQ(status, 0);
    for (const TidspostRec &p : poster) EXPECT_EQ(p.Tal + p.Fortegn + p.Vaerdi + p.Stoerrelse, 28u);
    const std::string efterTidspost = Log().substr(foer + efterNyhed.size() + efterInfo.size());

    for (const auto &[hvad, tekst, forventet] : {std::tuple{"news", efterNyhed, t.nyhed},
                                                 std::tuple{"info", efterInfo, t.info},
                                                 std::tuple{"time-post", efterTidspost, t.tidspost}}) {
      if (*forventet) { EXPECT_NE(tekst.find(forventet), std::string::npos) << hvad << ": " << tekst; }
      // One line each at most.
      EXPECT_LE(std::count(tekst.begin(), tekst.end(), '\n'), 1) << hvad << ": " << tekst;
    }
    setenv("TAVO_WEB_TAVOSIDE", server.Adresse().c_str(), 1);
    setenv("TAVO_WEB_TIDSPOST", (server.Adresse() + "/hub").c_str(), 1);
    setenv("TAVO_WEB_CERTIFIKAT", webtest::Certifikat().c_str(), 1);
  }
}

// A reply of more postings than the array holds fills the array, stops at
// its end and says in one log line how many were left out.
TEST_F(WebKald, MorePostingsThanRoomFillTheArray) {
  std::string svar = "200 0";
  for (int i = 1; i <= 1000; ++i) svar += "\\n" + std::to_string(i) + " " + std::to_string(i * 10) + " 5";
  server.Script("answer " + TidspostSti(12) + " " + svar + "\n");
  const size_t foer = Log().size();
  TidspostRec poster[11] = {};
  poster[10] = {7, 7, 7, 7};
  char status = 'x';
  EXPECT_EQ(WebConnectTidspostCheck(12, 20240801, 20250731, poster, 10, &status), 0);
  EXPECT_EQ(status, '0');
  for (uint32_t i = 0; i < 10; ++i) {
    EXPECT_EQ(poster[i].Tal, i + 1);
    EXPECT_EQ(poster[i].Vaerdi, (i + 1) * 10);
  }
  EXPECT_EQ(poster[10].Tal + poster[10].Vaerdi, 14u) << "nothing past the end";
  const std::string log = Log().substr(foer);
  EXPECT_NE(log.find("990 af 1000 tidsposter i svaret udeladt, plads til 10"), std::string::npos) << log;
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;

  // No array at all: the reply still counts as the hub's answer.
  EXPECT_TRUE(LaesTidspostSvar("0\n1 2 3", nullptr, 0));
}

TEST_F(WebKald, TwoThreadsEachGetTheirOwnAnswers) {
  server.Script("answer /tavoskema/serverkontakt.php 200 easyserver=job\\ndatabase=db\\nhumanus=as\n"
                "answer " + TidspostSti(1) + " 200 0\\n1 10 100\\n2 -20 200\n"
                "answer " + TidspostSti(2) + " 200 0\\n3 30 300\n");
  int fejlInfo = 0, fejlTidspost = 0;
  std::thread info([&] {
    for (int runde = 0; runde < 25; ++runde) {
      Info i;
      if (!WebConnectInfoCheck(i.easy, i.db, i.autos, i.bruger, i.kode) || std::string(i.easy) != "job" ||
          std::string(i.db) != "db" || std::string(i.bruger) != "as" || i.autos[0])
        ++fejlInfo;
    }
  });
  std::thread tidspost([&] {
    for (int runde = 0; runde < 25; ++runde) {
      const int meda = 1 + runde % 2;
      TidspostRec p[2] = {};
      char status = 0;
      WebConnectTidspostCheck(meda, 20240801, 20250731, p, 2, &status);
      const bool ok = meda == 1 ? p[0].Tal == 1 && p[0].Vaerdi == 10 && p[1].Tal == 2 && p[1].Stoerrelse == 200
                                : p[0].Tal == 3 && p[0].Stoerrelse == 300 && p[1].Tal == 0;
      if (status != '0' || !ok) ++fejlTidspost;
    }
  });
  info.join();
  tidspost.join();
  EXPECT_EQ(fejlInfo, 0);
  EXPECT_EQ(fejlTidspost, 0);
}

TEST_F(WebKald, PagesOpenedThroughTheShell) {
  tavo::test::StartShellLog();
  VisOnlineHjaelp(0);  // no help site set: nothing opened
  setenv("TAVO_WEB_HJAELP", "https://hjaelp.example", 1);
  VisOnlineHjaelp(0);
  // News from the server is opened only when it is a web address.
  nyeNyheder = 1;
  GlobalIndstillinger.checktavonews = 1;
  std::snprintf(NyhedsDokAdresse, sizeof NyhedsDokAdresse, "%s", "C:\\Windows\\system32\\cmd.exe");
  VisNyheder();
  std::snprintf(NyhedsDokAdresse, sizeof NyhedsDokAdresse, "%s", "HTTPS://nyheder.example/a");
  GlobalIndstillinger.checktavonews = 0;
  VisNyheder();
  GlobalIndstillinger.checktavonews = 1;
  VisNyheder();
  nyeNyheder = 0;
  const auto kald = tavo::test::StopShellLog();
  ASSERT_EQ(kald.size(), 2u);
  EXPECT_EQ(kald[0].operation, "open");
  EXPECT_EQ(kald[0].file, "https://hjaelp.example/Home?gu.topicID%5B%5D=43");
  EXPECT_EQ(kald[0].show, SW_SHOWNORMAL);
  EXPECT_EQ(kald[1].file, "HTTPS://nyheder.example/a");
  EXPECT_NE(Log().find("VisOnlineHjaelp(): Ingen webadresse"), std::string::npos);
  EXPECT_NE(Log().find("VisNyheder(): Ikke en webadresse"), std::string::npos);
}

}  // namespace
