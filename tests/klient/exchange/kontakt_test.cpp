// The server contact's worker routines against the job-server stand-in on a
// free loopback port: each runs on a thread of its own while the test thread
// answers what it sends (the pane's progress lines and end, the main
// window's import notice) and the dialog script answers the login.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "../../standins/jobserver_proces.h"
#include "../../standins/webserver_proces.h"
#include "EKSPKMD.h"
#include "GZIP.h"
#include "KONTAKT.h"
#include "PROGVINDUER.h"
#include "eksport_fixture.h"
#include "eksportdlg.h"
#include "tavo/clock.h"
#include "tavo/test_dialog.h"
#include "tavo/test_net.h"
#include "win/menu.h"
#include "win/wininet.h"

namespace {

using namespace eksporttest;
using tavo::test::ShownDialog;

struct Linje {
  std::string tekst;
  int travl;
};

struct Modtaget {
  std::vector<Linje> linjer;
  int importfil = 0;       // 1933 to the main window
  bool slut = false;       // 1026 to the pane
  bool impVed1933 = false; // data\imp.dat was there when 1933 came
  int autoskema = 0;       // 1940 to the main window
  DWORD autoskemaTraad = 0; // the thread that handled it
};
Modtaget gM;

LRESULT CALLBACK RudeProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ENS_HOEJDE) {
    gM.linjer.push_back({reinterpret_cast<const char *>(l), static_cast<int>(w)});
    return 0;
  }
  if (m == WM_KONTAKT_SLUT) {
    gM.slut = true;
    return 0;
  }
  if (m == WM_AUTOSKEMA_KOMMET) {
    // What the main window does with it, on the thread that owns its menu.
    ++gM.autoskema;
    gM.autoskemaTraad = GetCurrentThreadId();
    if (HMENU menu = GetMenu(h)) EnableMenuItem(menu, kImportAutoSkemaKommando, MF_BYCOMMAND | MF_ENABLED);
    return 0;
  }
  if (m == HOVED_IMPORTFIL) {
    ++gM.importfil;
    gM.impVed1933 = GetFileAttributesA(StiTab.szimp) != INVALID_FILE_ATTRIBUTES;
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class KontaktTest : public EksportSkole {
 public:
  jobtest::JobServer js;
  KontaktState st{};
  HWND rude = 0;
  HMENU menu = 0;

  void SetUp() override {
    EksportSkole::SetUp();
    ServerTidsfrist = 5000;
    WNDCLASSA wc{};
    wc.lpfnWndProc = RudeProc;
    wc.lpszClassName = "KontaktTestRude";
    RegisterClassA(&wc);
    rude = CreateWindowExA(0, "KontaktTestRude", "", WS_OVERLAPPED, 0, 0, 10, 10, 0, 0, 0, nullptr);
    hwndHoved = CreateWindowExA(0, "KontaktTestRude", "", WS_OVERLAPPED, 0, 0, 10, 10, 0, 0, 0, nullptr);
    menu = CreateMenu();
    AppendMenuA(menu, MF_STRING | MF_GRAYED, kImportAutoSkemaKommando, "&Import fra AutoSkema");
    SetMenu(hwndHoved, menu);
    gM = {};
    LoginTilstand = 1;
    NulstilKontaktState(&st);
    st.hwnd = rude;
    WritePrivateProfileStringA("kontakt", "server", "127.0.0.1", StiTab.szini);
    WritePrivateProfileStringA("kontakt", "database", "skole", StiTab.szini);
    WritePrivateProfileStringA("kontakt", "bruger", "bruger", StiTab.szini);
    WritePrivateProfileStringA("global", "version", "10413", StiTab.szini);
    WritePrivateProfileStringA("tider", "fremmedkontakt", "99991231", StiTab.szini);
  }
  void TearDown() override {
    ServerLogoff(&st);
    if (st.autoS != INVALID_SOCKET) ServerAfslut(&st.autoS);
    tavo::test::StopDialogScript();
    tavo::ClearFakeClock();
    DestroyWindow(rude);
    DestroyWindow(hwndHoved);
    hwndHoved = 0;
    unsetenv("TAVO_SERVICES");
    ServerTidsfrist = SERVER_TIDSFRIST_STANDARD;
    EksportSkole::TearDown();
  }

  void Start(const std::vector<std::string> &ekstra = {}) {
    ASSERT_TRUE(js.Start(ekstra));
    setenv("TAVO_SERVICES", ("tavo/tcp=" + std::to_string(js.Port())).c_str(), 1);
  }

  // The login dialog answered with a password; the dialog as shown kept.
  std::vector<ShownDialog> logon;
  void Logon(const char *password = "hemmelig") {
    std::string p = password;
    tavo::test::AnswerNextDialog([this, p](const ShownDialog &d) {
      logon.push_back(d);
      SetDlgItemTextA(d.hwnd, IDC_LOGON_PASSWORD, p.c_str());
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return INT_PTR{0};
    });
  }

  // Runs a worker on its own thread and answers its messages here.
  void Koer(void (*traad)(KontaktState *)) {
    gM.linjer.clear();
    gM.slut = false;
    std::thread t(traad, &st);
    const auto frist = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!gM.slut && std::chrono::steady_clock::now() < frist) {
      MSG m;
      while (PeekMessageA(&m, 0, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    t.join();
    EXPECT_TRUE(gM.slut);
  }
  void Kontakt(void (*traad)(KontaktState *) = KontaktTraad) {
    tavo::test::StartDialogScript(10000);
    if (!st.logget) Logon();
    Koer(traad);
    EXPECT_EQ(tavo::test::DialogFailures(), std::vector<std::string>{});
    tavo::test::StopDialogScript();
  }

  std::vector<std::string> Tekster() const {
    std::vector<std::string> v;
    for (const Linje &l : gM.linjer) v.push_back(l.tekst);
    return v;
  }
  bool Vist(const std::string &t) const {
    const auto v = Tekster();
    return std::find(v.begin(), v.end(), t) != v.end();
  }
  // The commands the stand-in has logged, without the connection numbers
  // and its own events.
  std::vector<std::string> Kommandoer() const {
    std::vector<std::string> v;
    for (const std::string &l : js.Log()) {
      const std::string k = l.substr(l.find('\t') + 1);
      if (k[0] != '#') v.push_back(k.rfind("auth", 0) == 0 ? "auth" : k);
    }
    return v;
  }
  int Antal(const std::string &k) const {
    const auto v = Kommandoer();
    return static_cast<int>(std::count(v.begin(), v.end(), k));
  }
  bool Fundet(const std::string &praefiks) const {
    for (const std::string &k : Kommandoer())
      if (k.rfind(praefiks, 0) == 0) return true;
    return false;
  }
  std::string Fil(const char *sti) const { return jobtest::LaesFil(sti); }
  std::string Pak(const std::string &data) const {
    const std::string p = js.Mappe() + "/pak";
    jobtest::SkrivFil(p, data);
    const std::string w = "C:" + p;
    EXPECT_EQ(GzipFile(w.c_str(), (w + ".gz").c_str()), 0);
    return Fil((p + ".gz").c_str());
  }
  static std::string Klokken(long sekunder) {
    const time_t t = time(nullptr) + sekunder;
    tm l{};
    localtime_r(&t, &l);
    char b[8];
    strftime(b, sizeof b, "%H:%M", &l);
    return b;
  }
};

// ---- Login ----

class ServerLogonTest : public KontaktTest {};

TEST_F(ServerLogonTest, CancelStopsAutomaticContactsUntilAsked) {
  Start();
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([](const ShownDialog &d) {
    EXPECT_EQ(d.caption, "Server-logon");
    EXPECT_EQ(d.Control(IDC_LOGON_BRUGER)->text, "bruger");
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_LOGON_PASSWORD);
    return INT_PTR{IDCANCEL};
  });
  Koer(KontaktTraad);
  tavo::test::StopDialogScript();
  EXPECT_EQ(Tekster(), std::vector<std::string>{"Logon afbrudt"});
  EXPECT_EQ(LoginTilstand, 2);
  // The timer's contacts ask nothing and connect nowhere.
  tavo::test::StartDialogScript();
  Koer(KontaktTraad);
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  tavo::test::StopDialogScript();
  EXPECT_TRUE(gM.linjer.empty());
  EXPECT_TRUE(Kommandoer().empty());
  // Contact-now lets it log in again.
  LoginTilstand = 1;
  Kontakt();
  EXPECT_TRUE(st.logget);
  EXPECT_EQ(Antal("auth"), 1);
}

TEST_F(ServerLogonTest, RefusedPasswordAsksAgainWithTheUserName) {
  Start();
  tavo::test::StartDialogScript(10000);
  Logon("forkert");
  Logon("hemmelig");
  Koer(KontaktTraad);
  tavo::test::StopDialogScript();
  ASSERT_EQ(logon.size(), 2u);
  EXPECT_EQ(logon[1].Control(IDC_LOGON_BRUGER)->text, "bruger");
  EXPECT_TRUE(Vist("-ERR login afvist"));
  EXPECT_TRUE(st.logget);
  EXPECT_EQ(Antal("auth"), 2);
  EXPECT_EQ(Indstilling("kontakt", "bruger"), "bruger");
}

TEST_F(ServerLogonTest, AServerThatDoesNotResolve) {
  WritePrivateProfileStringA("kontakt", "server", "ingen-server.invalid", StiTab.szini);
  tavo::test::StartDialogScript(10000);
  Logon();
  tavo::test::AnswerNextDialog([](const ShownDialog &) { return INT_PTR{IDCANCEL}; });
  tavo::test::NetFejlNaeste("gethostbyname", 11001);
  Koer(KontaktTraad);
  tavo::test::StopDialogScript();
  EXPECT_EQ(Tekster(), (std::vector<std::string>{"Kontakter server...", "Ingen forbindelse til server",
                                                 "Logon afbrudt"}));
  EXPECT_FALSE(st.logget);
}

// ---- The ordinary contact ----

class ServerKontaktTest : public KontaktTest {};

TEST_F(ServerKontaktTest, NothingToDoSendsNothingAndSetsNoTimer) {
  Start();
  Kontakt();
  EXPECT_FALSE(Fundet("recv"));
  EXPECT_FALSE(Fundet("queue"));
  EXPECT_EQ(st.timer, 0u);
  ASSERT_FALSE(gM.linjer.empty());
  // The pane then says "Kontakt gennemført".
  EXPECT_EQ(gM.linjer.back().travl, 1);
  EXPECT_EQ(gM.importfil, 0);
}

TEST_F(ServerKontaktTest, RoundTripUploadsQueuesAndFetchesTheAnswer) {
  HeleSkolen();
  ASSERT_TRUE(EksportSkriv());
  const std::string eksport = Eksport();
  const std::string svar = "K;N;7;svar\n" + std::string(5000, 'x') + "\n";
  jobtest::SkrivFil(js.Mappe() + "/svar.dat", svar);
  Start({"--fault", "queue-seconds 20", "--fault", "result " + js.Mappe() + "/svar.dat"});
  tavo::SetFakeClock(1733835600);
  Kontakt();
  EXPECT_TRUE(Fundet("recv job/skoleind7.gz"));
  EXPECT_EQ(Antal("unzip job/skoleind7"), 1);
  EXPECT_EQ(Antal("queue"), 1);
  EXPECT_EQ(Fil(js.SpoolFil("job/skoleind7").c_str()), eksport);
  EXPECT_FALSE(Findes("exp.dat"));
  EXPECT_TRUE(Findes("exp.dat.gz"));
  EXPECT_TRUE(EksportErSendt());
  EXPECT_EQ(gM.linjer.back().tekst, "Job sat i kø; færdigt " + Klokken(20));
  EXPECT_EQ(st.timer, 20000u);

  // The runner has finished: the next contact fetches the answer.
  Kontakt();
  EXPECT_EQ(LaesFil(Data("imp.dat")), svar);
  EXPECT_FALSE(Findes("imp.dat.gz"));
  EXPECT_EQ(Antal("done"), 1);
  EXPECT_EQ(gM.importfil, 1);
  EXPECT_TRUE(gM.impVed1933);
  EXPECT_FALSE(jobtest::Findes(js.SpoolFil("job/skoleud7.gz")));
  // The uploaded export came back beside it, still recorded as sent.
  EXPECT_TRUE(Findes("exp.dat"));
  EXPECT_TRUE(SletSendtEksport());
  EXPECT_FALSE(Findes("exp.dat"));
}

// A server's promised wait is shown and waited for within a week, however
// large: multiplied into milliseconds it would otherwise overflow.
TEST_F(ServerKontaktTest, AnOverlongQueueWaitIsHeldWithinAWeek) {
  HeleSkolen();
  ASSERT_TRUE(EksportSkriv());
  Start({"--fault", "queue-seconds 7777777777777777777"});
  tavo::SetFakeClock(1733835600);
  Kontakt();
  EXPECT_TRUE(EksportErSendt());
  EXPECT_EQ(st.timer, 7u * 24 * 3600 * 1000);
}

// Each step after the data went out may be refused by the server: the
// export is then not sent, the pane does not say the job was queued, and
// the next contact the server accepts sends it.
TEST_F(ServerKontaktTest, ARefusalAtEachStepAfterTheUploadLeavesTheExportUnsent) {
  HeleSkolen();
  ASSERT_TRUE(EksportSkriv());
  const std::string eksport = Eksport();
  Start();
  const struct {
    const char *navn, *fejl;
  } trin[] = {
      {"the upload refused once received", "refuse-body -ERR disken er fuld"},
      {"the unpacking refused", "answer unzip|-ERR kan ikke pakke ud"},
      {"the queueing refused", "answer queue|-ERR k\xF8" "en er lukket"},
  };
  for (const auto &t : trin) {
    SCOPED_TRACE(t.navn);
    js.Fejl(std::string(t.fejl) + "\n");
    ServerLogoff(&st);
    Kontakt();
    EXPECT_FALSE(EksportErSendt());
    for (const std::string &linje : Tekster())
      EXPECT_EQ(linje.rfind("Job sat i k\xF8", 0), std::string::npos) << linje;
  }
  // The server takes it now.
  js.Fejl("");
  ServerLogoff(&st);
  Kontakt();
  EXPECT_TRUE(EksportErSendt());
  EXPECT_EQ(Fil(js.SpoolFil("job/skoleind7").c_str()), eksport);
  EXPECT_EQ(gM.linjer.back().tekst.rfind("Job sat i k\xF8", 0), 0u);
}

TEST_F(ServerKontaktTest, AnExportNotQueuedIsNotDeletedByTheImport) {
  HeleSkolen();
  ASSERT_TRUE(EksportSkriv());
  EXPECT_FALSE(EksportErSendt());
  EXPECT_FALSE(SletSendtEksport());
  EXPECT_TRUE(Findes("exp.dat"));
}

TEST_F(ServerKontaktTest, PlainResultIsZippedBeforeTheDownload) {
  Start({"--fault", "result-plain"});
  jobtest::SkrivFil(js.SpoolFil("job/skoleud7"), "svar\n");
  Kontakt();
  const auto k = Kommandoer();
  const auto zip = std::find(k.begin(), k.end(), "zip job/skoleud7");
  const auto send = std::find(k.begin(), k.end(), "send job/skoleud7.gz");
  ASSERT_NE(zip, k.end());
  ASSERT_NE(send, k.end());
  EXPECT_LT(zip, send);
  EXPECT_EQ(LaesFil(Data("imp.dat")), "svar\n");
}

TEST_F(ServerKontaktTest, QueueAnsweringZeroSetsNoTimer) {
  HeleSkolen();
  ASSERT_TRUE(EksportSkriv());
  Start({"--fault", "queue-seconds 0"});
  Kontakt();
  EXPECT_EQ(Antal("queue"), 1);
  EXPECT_EQ(st.timer, 0u);
}

TEST_F(ServerKontaktTest, AnOlderExportIsDeletedNotSent) {
  WritePrivateProfileStringA("global", "version", "10500", StiTab.szini);
  HeleSkolen();
  ASSERT_TRUE(EksportSkriv());
  Start();
  tavo::test::StartDialogScript(10000);
  Logon();
  tavo::test::AnswerNextDialog([](const ShownDialog &d) {
    EXPECT_EQ(d.caption, "FEJL Gammel eksportfil");
    return INT_PTR{IDOK};
  });
  Koer(KontaktTraad);
  tavo::test::StopDialogScript();
  EXPECT_FALSE(Findes("exp.dat"));
  EXPECT_FALSE(Fundet("recv"));
  EXPECT_FALSE(Fundet("queue"));
}

// Bytes that do not pack much smaller.
std::string Stoej(size_t n) {
  std::string s(n, 0);
  uint32_t x = 12345;
  for (char &c : s) c = static_cast<char>((x = x * 1103515245u + 12345u) >> 24);
  return s;
}

TEST_F(ServerKontaktTest, ACutDownloadLeavesNothingAndIsCompletedNextTime) {
  const std::string svar = Stoej(20000);
  Start();
  jobtest::SkrivFil(js.SpoolFil("job/skoleud7.gz"), Pak(svar));
  js.Fejl("cut-body 3000\n");
  Kontakt();
  EXPECT_FALSE(Findes("imp.dat"));
  EXPECT_FALSE(Findes("imp.dat.gz"));
  EXPECT_EQ(Antal("done"), 0);
  EXPECT_FALSE(Fundet("del"));
  EXPECT_TRUE(jobtest::Findes(js.SpoolFil("job/skoleud7.gz")));
  EXPECT_EQ(gM.importfil, 0);
  // Nothing more went out on the broken connection.
  EXPECT_EQ(Kommandoer().back(), "send job/skoleud7.gz");
  EXPECT_FALSE(st.logget);

  js.Fejl("");
  Kontakt();
  EXPECT_EQ(LaesFil(Data("imp.dat")), svar);
  EXPECT_EQ(Antal("done"), 1);
  EXPECT_EQ(gM.importfil, 1);
}

TEST_F(ServerKontaktTest, ADamagedAnswerIsFetchedAgain) {
  Start();
  std::string pakket = Pak(Stoej(20000));
  pakket[pakket.size() - 5] ^= 0x40;
  jobtest::SkrivFil(js.SpoolFil("job/skoleud7.gz"), pakket);
  Kontakt();
  EXPECT_TRUE(Vist("Udpakning af importfil fejlede"));
  EXPECT_FALSE(Findes("imp.dat"));
  EXPECT_FALSE(Findes("imp.dat.gz"));
  EXPECT_EQ(Antal("done"), 0);
  EXPECT_TRUE(jobtest::Findes(js.SpoolFil("job/skoleud7.gz")));
  EXPECT_EQ(gM.importfil, 0);
}

TEST_F(ServerKontaktTest, SuperTavoFetchesItsDataSet) {
  GlobalIndstillinger.supertavo = 1;
  WritePrivateProfileStringA("global", "version", "20304", StiTab.szini);
  Start();
  jobtest::SkrivFil(js.SpoolFil("fre/skole_super_7_203.gz"), Pak("super\n"));
  Kontakt(SuperKontaktTraad);
  EXPECT_EQ(LaesFil(Data("imp.dat")), "super\n");
  EXPECT_EQ(gM.importfil, 1);
  EXPECT_FALSE(st.logget);
  EXPECT_EQ(st.timer, 0u);

  // Without the packed set the plain one is zipped.
  fs::remove(Data("imp.dat"));
  jobtest::SkrivFil(js.SpoolFil("fre/skolesuper7"), "plain\n");
  fs::remove(js.SpoolFil("fre/skole_super_7_203.gz"));
  Kontakt(SuperKontaktTraad);
  EXPECT_EQ(Antal("zip fre/skolesuper7"), 1);
  EXPECT_EQ(LaesFil(Data("imp.dat")), "plain\n");
}

// ---- The job state ----

class ServerJobTest : public KontaktTest {};

TEST_F(ServerJobTest, JobStatusAddsTheQueueAndShowsTheEnd) {
  tavo::SetFakeClock(1733835600);
  struct Tilfaelde {
    const char *navn;
    std::vector<std::string> fejl;
    std::string linje;
    DWORD timer;
  };
  // 40 s own, 100 s and 50 s of others: 190 less half of the last line's 50.
  const std::vector<std::string> koe = {"--fault", "queue-job 3 100 10", "--fault", "queue-job 7 999 10",
                                        "--fault", "queue-job 4 50 20"};
  auto med = [&](std::vector<std::string> v, const char *svar) {
    v.insert(v.end(), {"--fault", std::string("answer stat ins|") + svar});
    return v;
  };
  const std::vector<Tilfaelde> tabel = {
      {"waiting", med(koe, "+OK 1 7 job/skoleind7 0 0 0 0 0 0 40 10"), "Job venter; færdigt " + Klokken(165),
       30000},
      {"running", med(koe, "+OK 1 7 job/skoleind7 0 0 0 0 0 0 40 20"), "Job afvikles; færdigt " + Klokken(165),
       30000},
      {"nothing known", med({}, "+OK 1 7 job/skoleind7 0 0 0 0 0 0 0 20"), "Job afvikles; færdigt " + Klokken(30),
       30000},
      {"runner stopped", med({"--fault", "sched-stopped"}, "+OK 1 7 job/skoleind7 0 0 0 0 0 0 12 10"),
       "Job venter; afvikler kører ikke", 12000},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    js.Stop();
    NulstilKontaktState(&st);
    st.hwnd = rude;
    Start(t.fejl);
    Kontakt();
    EXPECT_EQ(gM.linjer.back().tekst, t.linje);
    EXPECT_EQ(st.timer, t.timer);
    EXPECT_FALSE(Fundet("recv"));
    ServerLogoff(&st);
  }
}

TEST_F(ServerJobTest, TheRunnerKeepsTheJobForItsPolls) {
  HeleSkolen();
  ASSERT_TRUE(EksportSkriv());
  Start({"--fault", "runner-polls 1", "--fault", "queue-seconds 5"});
  Kontakt();
  EXPECT_EQ(Antal("queue"), 1);
  Kontakt();
  EXPECT_EQ(gM.linjer.back().tekst.rfind("Job venter; færdigt ", 0), 0u) << gM.linjer.back().tekst;
  EXPECT_EQ(st.timer, 5000u);
  Kontakt();
  EXPECT_TRUE(Findes("imp.dat"));
  EXPECT_EQ(Antal("done"), 1);
  EXPECT_EQ(Antal("queue"), 1);
}

// ---- AutoSkema ----

class AutoKontaktTest : public KontaktTest {};

TEST_F(AutoKontaktTest, PendingJobIsFollowed) {
  struct Tilfaelde {
    const char *navn;
    std::vector<std::string> fejl;
    const char *linje;
  };
  const std::vector<Tilfaelde> tabel = {
      {"waiting", {"--fault", "answer stat autojob|+OK 1 7 job/skoleautoind7 10"}, "Autoskemajob venter"},
      {"running", {"--fault", "answer stat autojob|+OK 1 7 job/skoleautoind7 20"}, "Autoskemajob afvikles"},
      {"runner stopped",
       {"--fault", "answer stat autojob|+OK 1 7 job/skoleautoind7 10", "--fault", "sched-stopped"},
       "Autoskemajob venter; afvikler kører ikke"},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    js.Stop();
    NulstilKontaktState(&st);
    st.hwnd = rude;
    Start(t.fejl);
    Kontakt(AutoKontaktTraad);
    EXPECT_EQ(gM.linjer.back().tekst, t.linje);
    EXPECT_EQ(st.timer, 30000u);
    EXPECT_EQ(st.autoTravl, 1);
    // Without a server of its own the auto-schedule login is the job server's.
    EXPECT_EQ(st.autoS, st.s);
    ServerLogoff(&st);
  }
}

TEST_F(AutoKontaktTest, AFinishedJobIsFetched) {
  Start();
  jobtest::SkrivFil(js.SpoolFil("job/skoleautoud7.gz"), Pak("{\"skema\":1}"));
  jobtest::SkrivFil((rod / "data" / "as_exp.json").string(), "{}");
  ASSERT_TRUE(GetMenuState(menu, kImportAutoSkemaKommando, MF_BYCOMMAND) & MF_GRAYED);
  Kontakt(AutoKontaktTraad);
  EXPECT_EQ(LaesFil(Data("as_imp.json")), "{\"skema\":1}");
  EXPECT_EQ(Antal("done autojob"), 1);
  EXPECT_EQ(gM.linjer.back().tekst, "Autoskema modtaget");
  EXPECT_FALSE(GetMenuState(menu, kImportAutoSkemaKommando, MF_BYCOMMAND) & MF_GRAYED);
  // The worker only told the main window; the main thread changed its menu.
  EXPECT_EQ(gM.autoskema, 1);
  EXPECT_EQ(gM.autoskemaTraad, GetCurrentThreadId());
  EXPECT_EQ(st.autoTravl, 0);
  EXPECT_EQ(st.timer, 0u);
}

TEST_F(AutoKontaktTest, AWaitingFileIsUploadedAndQueued) {
  Start();
  const std::string json = "{\"data\":[1,2,3]}";
  jobtest::SkrivFil((rod / "data" / "as_exp.json").string(), json);
  Kontakt(AutoKontaktTraad);
  EXPECT_TRUE(Fundet("recv job/skoleautoind7.gz"));
  EXPECT_EQ(Antal("queue autojob"), 1);
  EXPECT_EQ(Fil(js.SpoolFil("job/skoleautoind7").c_str()), json);
  EXPECT_EQ(gM.linjer.back().tekst, "Autoskemajob sat i kø");
  EXPECT_EQ(st.timer, 30000u);
  EXPECT_EQ(st.autoTravl, 1);
}

}  // namespace

namespace {

// The connection data of the maker's web service names an auto-schedule
// server of its own: the second stand-in on 127.0.0.2.
TEST_F(AutoKontaktTest, AServerOfItsOwnFromTheConnectionData) {
  webtest::WebServer web;
  ASSERT_TRUE(web.Start());
  WritePrivateProfileStringA("global", "skolenr", "417", StiTab.szini);
  web.Script("answer /tavoskema/serverkontakt.php?skolenr=417 200 easyserver=127.0.0.1\\ndatabase=skole\\n"
             "autoserver=127.0.0.2\\nhumanus=auto\\ntessara=kode\\n\n");
  setenv("TAVO_WEB_TAVOSIDE", web.Adresse().c_str(), 1);
  setenv("TAVO_WEB_CERTIFIKAT", webtest::Certifikat().c_str(), 1);
  tavo::SaetInternetTimeout(3000);
  Start();
  jobtest::JobServer autoserver;
  ASSERT_TRUE(autoserver.Start({"--user", "auto:kode:skole", "--fault",
                                "answer stat autojob|+OK 1 7 job/skoleautoind7 10"},
                               "127.0.0.2", js.Port()));
  Kontakt(AutoKontaktTraad);
  for (const char *v : {"TAVO_WEB_TAVOSIDE", "TAVO_WEB_CERTIFIKAT"}) unsetenv(v);
  tavo::SaetInternetTimeout(0);
  EXPECT_TRUE(st.autoLogget);
  EXPECT_NE(st.autoS, st.s);
  EXPECT_EQ(gM.linjer.back().tekst, "Autoskemajob venter");
  const auto log = autoserver.Log();
  auto har = [&](const std::string &k) {
    return std::any_of(log.begin(), log.end(), [&](const std::string &l) { return l.find("\t" + k) != std::string::npos; });
  };
  EXPECT_TRUE(har("auth u auto "));
  EXPECT_TRUE(har("stat autojob"));
  EXPECT_FALSE(Fundet("stat autojob"));
  ServerAfslut(&st.autoS);
}

}  // namespace
