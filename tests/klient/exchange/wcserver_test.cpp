// The server-contact pane in a main window of the test's own with the
// status row, against the job-server stand-in: when contacts start, what
// the pane shows, the log-off that stops a running worker, the hover help,
// and the contact cycle from the Export command to the arrived import file.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "../../standins/jobserver_proces.h"
#include "EKSPKMD.h"
#include "FARVER.h"
#include "FONTE.h"
#include "HENTGEM.h"
#include "ImpData.h"
#include "KROGE.h"
#include "KONTAKT.h"
#include "LOGFIL.h"
#include "PROGVINDUER.h"
#include "STATUSBAR.h"
#include "TOOLTIP.h"
#include "WCSERVER.h"
#include "eksport_fixture.h"
#include "serverrude.h"
#include "eksportdlg.h"
#include "tavo/clock.h"
#include "tavo/test_dialog.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

namespace {

using namespace eksporttest;
using tavo::test::ShownDialog;

struct Hoved {
  int importfil = 0;  // 1933
  bool venter = false;  // the main window's import-pending flag
  std::vector<std::string> linjer;  // the pane's progress lines, in order
};
Hoved gH;
WNDPROC gRudeProc = nullptr;

LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_SIZE:
      LayoutStatusBar();
      return 0;
    case HOVED_IMPORTFIL:
      ++gH.importfil;
      if (!ImportVedAnkomst(h)) gH.venter = true;
      return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

// Records the pane's progress lines before the pane takes them.
LRESULT CALLBACK RudeOptager(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ENS_HOEJDE) gH.linjer.push_back(l ? reinterpret_cast<const char *>(l) : "");
  return CallWindowProcA(gRudeProc, h, m, w, l);
}

class WCServerTest : public EksportSkole {
 public:
  jobtest::JobServer js;
  serverrudetest::HovedMedRude vindue;
  HWND hoved = 0, rude = 0;

  void SetUp() override {
    EksportSkole::SetUp();
    tavo::test::ResetUser();
    gH = {};
    ServerTidsfrist = 5000;
    LoginTilstand = 1;
    serverrudetest::KontaktIndstillinger();
    // The save removes the exchange files of an import through the data
    // store's slots, as the program's wiring fills them.
    gemtKrog = HentGemKrog;
    InstallerImportData();
    vindue.Opret(HovedProc, "WCServerTestHoved", rod);
    hoved = vindue.hoved;
    rude = vindue.rude;
    gRudeProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(rude, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RudeOptager)));
    tavo::test::StartDialogScript(10000);
  }

  void TearDown() override {
    vindue.Luk();
    HentGemKrog = gemtKrog;
    tavo::test::StopDialogScript();
    tavo::ClearFakeClock();
    tavo::test::ResetUser();
    unsetenv("TAVO_SERVICES");
    ServerTidsfrist = SERVER_TIDSFRIST_STANDARD;
    EksportSkole::TearDown();
  }

  void Start(const std::vector<std::string> &ekstra = {}) { ASSERT_TRUE(serverrudetest::StartServer(&js, ekstra)); }

  KontaktState *St() const { return ServerKontakt(rude); }
  HentGemKroge gemtKrog{};

  void Logon() {
    tavo::test::AnswerNextDialog([](const ShownDialog &d) {
      SetDlgItemTextA(d.hwnd, IDC_LOGON_PASSWORD, "hemmelig");
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return INT_PTR{0};
    });
  }

  static bool Indtil(const std::function<bool()> &betingelse, int ms = 20000) {
    return serverrudetest::Indtil(betingelse, ms);
  }
  bool Faerdig(int ms = 20000) const {
    return Indtil([this] { return St()->traad == 0; }, ms);
  }

  std::vector<std::string> Kommandoer() const {
    std::vector<std::string> v;
    for (const std::string &l : js.Log()) {
      const std::string k = l.substr(l.find('\t') + 1);
      if (k[0] != '#') v.push_back(k.rfind("auth", 0) == 0 ? "auth" : k);
    }
    return v;
  }
  long Plads(const std::string &k) const {
    const auto v = Kommandoer();
    const auto i = std::find(v.begin(), v.end(), k);
    return i == v.end() ? -1 : static_cast<long>(i - v.begin());
  }

  std::string Vist() const { return St()->tekst; }
  std::string Tegnet() const {
    std::string sidst;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == rude) sidst = t.text;
    return sidst;
  }
};

// ---- When a contact starts ----

TEST_F(WCServerTest, TimerDuringAContactStartsNothingAndIsNotRearmed) {
  Start({"--fault", "silent stat"});
  Logon();
  SendMessageA(rude, WM_KONTAKT_NU, 0, 0);
  ASSERT_NE(St()->traad, 0u);
  ASSERT_TRUE(Indtil([this] { return Plads("stat ins") >= 0; }));
  HANDLE traad = St()->traad;
  SetTimer(rude, kServerTimer, 20, nullptr);
  tavo::test::StartMessageLog();
  const auto fra = std::chrono::steady_clock::now();
  Indtil([&] { return std::chrono::steady_clock::now() - fra > std::chrono::milliseconds(300); });
  const auto log = tavo::test::StopMessageLog();
  // The first tick killed the timer and started nothing.
  EXPECT_EQ(tavo::test::MessagesOf(log, rude, {WM_TIMER}).size(), 1u);
  EXPECT_EQ(St()->traad, traad);
  const auto k = Kommandoer();
  EXPECT_EQ(std::count(k.begin(), k.end(), "stat ins"), 1);

  // Logging off wakes the worker blocked on the silent server at once.
  const auto t0 = std::chrono::steady_clock::now();
  SendMessageA(rude, WM_KONTAKT_LOGOFF, 0, 0);
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(1));
  EXPECT_EQ(St()->traad, 0u);
  EXPECT_EQ(St()->s, INVALID_SOCKET);
  EXPECT_FALSE(SendMessageA(rude, STATUS_SERVER_KONTAKT, 0, 0));
  EXPECT_EQ(Vist(), "Logon afbrudt");
  EXPECT_TRUE(js.VentPaaLog("#lukket", 5000));
  // A log-off is not the user's cancel: the next contact may log in.
  EXPECT_EQ(LoginTilstand, 1);
}

TEST_F(WCServerTest, AutoSkemaContactIsFollowedByAnOrdinaryOne) {
  Start();
  Logon();
  SendMessageA(rude, WM_KONTAKT_NU, 0, 1);
  ASSERT_TRUE(Indtil([this] { return Plads("stat ins") >= 0 && St()->traad == 0; }));
  const auto k = Kommandoer();
  // One login lasts across both contacts.
  EXPECT_EQ(std::count(k.begin(), k.end(), "auth"), 1);
  EXPECT_EQ(Plads("auth"), 0);
  ASSERT_GE(Plads("stat autojob"), 0);
  EXPECT_LT(Plads("stat autojob"), Plads("stat ins"));
  EXPECT_EQ(St()->autoMode, 0);
  EXPECT_TRUE(SendMessageA(rude, STATUS_SERVER_KONTAKT, 0, 0));
}

TEST_F(WCServerTest, UnknownServerOrDatabaseStartsNoContact) {
  struct Tilfaelde {
    const char *server, *database, *linje;
  } tabel[] = {
      {"", "skole", "FEJL: servernavn kendes ikke"},
      {"127.0.0.1", "", "FEJL: databasenavn kendes ikke"},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.linje);
    std::snprintf(St()->login.server, sizeof St()->login.server, "%s", t.server);
    std::snprintf(St()->login.database, sizeof St()->login.database, "%s", t.database);
    SendMessageA(rude, WM_KONTAKT_NU, 0, 0);
    EXPECT_EQ(Vist(), t.linje);
    EXPECT_EQ(St()->traad, 0u);
  }
}

// ---- What the pane shows ----

TEST_F(WCServerTest, ProgressLineIsCutTo64AndRepaintedAtOnce) {
  const std::string lang(40, 'a');
  const std::string tekst = lang + std::string(40, 'b');
  tavo::test::ClearDrawnTexts();
  SendMessageA(rude, ENS_HOEJDE, 1, reinterpret_cast<LPARAM>(tekst.c_str()));
  EXPECT_EQ(Tegnet(), tekst.substr(0, 64));
  EXPECT_EQ(St()->travl, 1);
}

TEST_F(WCServerTest, FinalLineAfterTheWorkerEnds) {
  struct Tilfaelde {
    const char *navn, *fil;
    int travl;
    const char *linje;
    int travlEfter;
  } tabel[] = {
      {"import", "imp.dat", 0, "Importfil modtaget", 0},
      {"autoskema", "as_imp.json", 1, "Autoskema modtaget", 0},
      {"step under way", nullptr, 1, "Kontakt gennemført", 1},
      {"final line kept", nullptr, 0, "Job sat i kø", 0},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    if (t.fil) std::ofstream(Data(t.fil)) << "x";
    SendMessageA(rude, ENS_HOEJDE, t.travl, reinterpret_cast<LPARAM>("Job sat i kø"));
    tavo::test::ClearDrawnTexts();
    SendMessageA(rude, WM_KONTAKT_SLUT, 0, 0);
    EXPECT_EQ(Vist(), t.linje);
    EXPECT_EQ(St()->travl, t.travlEfter);
    if (t.fil) fs::remove(Data(t.fil));
  }
}

// A contact that fails ends with its failure on the pane and in the log,
// never with "Kontakt gennemført"; a reply that never came is named by the
// step it cut short rather than left blank.
TEST_F(WCServerTest, AFailedContactEndsWithItsFailure) {
  HeleSkolen();
  Start();
  ServerTidsfrist = 500;
  const int gemtFlush = LogFlush;
  LogFlush = 1;
  AabnLog();
  struct Tilfaelde {
    const char *navn, *fejl;
    bool resultat, eksport;
    const char *linje;
  } tabel[] = {
      {"lost at the status question", "cut-before stat ins\n", false, false, "Fejl: Forbindelse tabt..."},
      {"download without a reply", "result-plain\nsilent send\n", true, false, "Fejl: Hentning af importfil afbrudt"},
      {"upload without a reply", "silent recv\n", false, true, "Fejl: Afsendelse af eksportfil afbrudt"},
      {"every step succeeded", "", false, false, "Kontakt gennemført"},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    js.Fejl(t.fejl);
    if (t.resultat) jobtest::SkrivFil(js.SpoolFil("job/skoleud7"), "svar\n");
    if (t.eksport) { ASSERT_TRUE(EksportSkriv()); }
    if (!St()->logget) Logon();
    SendMessageA(rude, WM_KONTAKT_NU, 0, 0);
    ASSERT_TRUE(Faerdig());
    EXPECT_EQ(Vist(), t.linje);
    const bool logget = LaesFil(rod / "log" / "tavo.log").find(std::string("Serverkontakten fejlede: ") + t.linje) !=
                        std::string::npos;
    EXPECT_EQ(logget, strncmp(t.linje, "Fejl", 4) == 0);
    // The half transfer is never taken for the whole one.
    EXPECT_FALSE(Findes("imp.dat"));
    EXPECT_EQ(gH.importfil, 0);
    std::error_code ec;
    fs::remove(js.SpoolFil("job/skoleud7"), ec);
    fs::remove(js.SpoolFil("job/skoleud7.gz"), ec);
    fs::remove(js.SpoolFil("job/skoleind7.gz"), ec);
    for (const char *f : {"exp.dat", "exp.dat.gz", "imp.dat.gz"}) fs::remove(Data(f), ec);
  }
  LukLog();
  LogFlush = gemtFlush;
}

TEST_F(WCServerTest, HoverExplainsThePaneAndLeavingRestores) {
  LayoutStatusBar();
  char tekst[200] = "";
  POINT p = tavo::test::ScreenPoint(rude, 20, 10);
  tavo::test::MouseMove(p.x, p.y);
  tavo::test::PumpUntilIdle();
  GetWindowTextA(StatusFelter.TekstBar, tekst, sizeof tekst);
  EXPECT_STREQ(tekst, "Viser kontakt forløbet (til serveren) i form af beskeder.");
  EXPECT_TRUE(TooltipVises);
  auto *ti = reinterpret_cast<TooltipInfo *>(GetWindowLongPtrA(hwndTooltip, GWLP_USERDATA));
  ASSERT_NE(ti, nullptr);
  EXPECT_STREQ(ti->text, "Kontakt beskeder");
  p = tavo::test::ScreenPoint(hoved, 100, 20);
  tavo::test::MouseMove(p.x, p.y);
  tavo::test::PumpUntilIdle();
  GetWindowTextA(StatusFelter.TekstBar, tekst, sizeof tekst);
  EXPECT_STREQ(tekst, "Klar");
  EXPECT_FALSE(TooltipVises);
}

TEST_F(WCServerTest, Snapshot) {
  LayoutStatusBar();
  SendMessageA(rude, ENS_HOEJDE, 0, reinterpret_cast<LPARAM>("Job sat i kø; færdigt 12:34"));
  RedrawWindow(hoved, nullptr, 0, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  tavo::test::PumpUntilIdle();
  const char *ud = std::getenv("TAVO_WCSERVER_PNG");
  const std::string sti = ud ? ud : (rod / "wcserver.png").string();
  EXPECT_TRUE(tavo::test::SaveWindowPng(rude, sti.c_str()));
  // The frame's light and dark edges around the pane colour.
  EXPECT_EQ(tavo::test::WindowPixel(rude, 100, 0), FarveTab[0]);
  EXPECT_NE(tavo::test::WindowPixel(rude, 1, 10), FarveTab[0]);
}

// ---- Log off and shutdown ----

TEST_F(WCServerTest, ClosingTheMainWindowEndsABlockedContactPromptly) {
  Start({"--fault", "silent stat"});
  Logon();
  SendMessageA(rude, WM_KONTAKT_NU, 0, 0);
  ASSERT_TRUE(Indtil([this] { return Plads("stat ins") >= 0; }));
  const auto t0 = std::chrono::steady_clock::now();
  DestroyWindow(hoved);
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(1));
  hoved = 0;
  EXPECT_TRUE(js.VentPaaLog("#lukket", 5000));
}

TEST_F(WCServerTest, LogOffCancelsAnOpenLoginDialog) {
  Start();
  bool vist = false;
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    vist = true;
    // The user leaves the dialog open; closing the pane must not wait on it.
    PostMessageA(rude, WM_CLOSE, 0, 0);
    (void)d;
    return INT_PTR{0};
  });
  SendMessageA(rude, WM_KONTAKT_NU, 0, 0);
  ASSERT_TRUE(Indtil([&] { return !IsWindow(rude); }, 5000));
  EXPECT_TRUE(vist);
  EXPECT_EQ(LoginTilstand, 1);
  StatusFelter.Server = 0;
}

// ---- The contact cycle as the user drives it ----

TEST_F(WCServerTest, ExportContactQueueThenTheTimerFetchesAndImports) {
  HeleSkolen();
  jobtest::SkrivFil(js.Mappe() + "/svar.dat", Fixture("kun_status.dat"));
  Start({"--fault", "queue-seconds 20", "--fault", "result " + js.Mappe() + "/svar.dat"});
  tavo::SetFakeClock(1733835600);
  GlobalIndstillinger.autoimport = 1;
  // F11: the export dialog, "Skal serveren kontaktes?" OK, the login.
  serverrudetest::SvarEksport();
  Logon();
  EksportKommando(hoved);
  ASSERT_TRUE(Faerdig());
  char klokken[8];
  const time_t t = 1733835600 + 20;
  tm l{};
  localtime_r(&t, &l);
  strftime(klokken, sizeof klokken, "%H:%M", &l);
  EXPECT_EQ(gH.linjer, (std::vector<std::string>{"Kontakter server...", "Logger ind...", "Undersøger status...",
                                                 "Sender eksportfil...",
                                                 std::string("Job sat i kø; færdigt ") + klokken}));
  EXPECT_EQ(St()->timer, 20000u);

  // The timer runs the next contact, which fetches the answer; the main
  // window imports it at once.
  gH.linjer.clear();
  SendMessageA(rude, WM_TIMER, kServerTimer, 0);
  ASSERT_TRUE(Faerdig());
  EXPECT_EQ(gH.importfil, 1);
  EXPECT_FALSE(gH.venter);
  const std::vector<std::string> slut = {"Importfil modtaget", "Indlæser importfil...", "Importfil indlæst"};
  ASSERT_GE(gH.linjer.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(gH.linjer.end() - 3, gH.linjer.end()), slut);
  EXPECT_FALSE(Findes("imp.dat"));
  // The export was queued: the import took it.
  EXPECT_FALSE(Findes("exp.dat"));
  EXPECT_FALSE(Findes("exp.dat.gz"));
}

TEST_F(WCServerTest, WithoutAutoimportTheArrivedFileWaits) {
  GlobalIndstillinger.autoimport = 0;
  std::ofstream(Data("imp.dat"), std::ios::binary) << Fixture("kun_status.dat");
  SendMessageA(hoved, HOVED_IMPORTFIL, 0, 0);
  EXPECT_TRUE(gH.venter);
  EXPECT_TRUE(gH.linjer.empty());
  EXPECT_TRUE(Findes("imp.dat"));
}

}  // namespace
