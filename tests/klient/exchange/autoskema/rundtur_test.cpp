// The AutoSkema cycle as a user runs it, against the job-server stand-in:
// the export from the menu, the pane's contact that uploads and queues the
// document, the poll that fetches the module's answer, the import that
// places it, and the next export of the week that takes those events away.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../serverrude.h"
#include "ImpAutoSkema.h"
#include "MENUKOMMANDO.h"
#include "WCSERVER.h"
#include "autoskema_fixture.h"
#include "eksportdlg.h"
#include "ressourcer.h"
#include "win/menu.h"

namespace {

using namespace autotest;
using tavo::test::ShownDialog;

int gPrikSkema = 0;
std::vector<std::string> gLinjer;
WNDPROC gRudeProc = nullptr;

// The pane's progress lines, recorded before the pane takes them.
LRESULT CALLBACK RudeOptager(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ENS_HOEJDE) gLinjer.push_back(l ? reinterpret_cast<const char *>(l) : "");
  return CallWindowProcA(gRudeProc, h, m, w, l);
}

LRESULT CALLBACK RundTurHoved(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_AUTOSKEMA_KOMMET) {
    if (HMENU menu = GetMenu(h)) EnableMenuItem(menu, kImportAutoSkemaKommando, MF_BYCOMMAND | MF_ENABLED);
    return 0;
  }
  if (m == HOVED_PRIKSKEMA) {
    ++gPrikSkema;
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class AutoRundTurTest : public AutoSkole {
 public:
  jobtest::JobServer js;
  serverrudetest::HovedMedRude vindue;
  HMENU menu = 0;
  uint32_t akti = 0, anfo = 0, fag = 0, risy = 0, loka = 0, egen = 0;

  void SetUp() override {
    AutoSkole::SetUp();
    DestroyWindow(StatusFelter.Server);
    StatusFelter.Server = 0;
    gPrikSkema = 0;
    ServerTidsfrist = 5000;
    LoginTilstand = 1;
    serverrudetest::KontaktIndstillinger();
    RegistrerOrvaneRessourcer();
    vindue.Opret(RundTurHoved, "AutoRundTurHoved", rod);
    menu = CreateMenu();
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 40281, "&Import fra AutoSkema");
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 40286, "&Åbn Autoske log for ikke placerede brikker");
    SetMenu(vindue.hoved, menu);
    gLinjer.clear();
    gRudeProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(vindue.rude, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RudeOptager)));
    tavo::test::StartDialogScript(10000);

    risy = Ring(401, "STD", {{800, 845, 1.0f}, {845, 930, 1.0f}, {940, 1025, 1.0f}});
    // A name with a quote: the document must still be JSON.
    akti = Aktivitet(101, "1\"a", risy);
    anfo = AnfoMed(601, Meda(501, "AB"));
    fag = Fag(301, "DAN", "Dansk");
    loka = Lokale(701, 1, "28");
    AktiLokale(akti, loka);
    // Monday's first lesson is taken: 6 lessons to place, one a day, find
    // room for five.
    egen = Begivenhed(9001, 0x50, 1, 1, 800, 845, risy, fag, {{akti, anfo, loka}});
    const uint32_t g = Gruppe(1, "Gruppe A");
    PlanRaekke(g, akti, fag, anfo, 0, 2, 700, 70);
    AabnPlan(g);
  }

  void TearDown() override {
    tavo::test::StopDialogScript();
    vindue.Luk();
    unsetenv("TAVO_SERVICES");
    ServerTidsfrist = SERVER_TIDSFRIST_STANDARD;
    AutoSkole::TearDown();
  }

  KontaktState *St() const { return ServerKontakt(vindue.rude); }
  bool Faerdig() const {
    return serverrudetest::Indtil([this] { return St()->traad == 0; });
  }
  void Logon() {
    tavo::test::AnswerNextDialog([](const ShownDialog &d) {
      SetDlgItemTextA(d.hwnd, IDC_LOGON_PASSWORD, "hemmelig");
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return INT_PTR{0};
    });
  }
  void OK() {
    tavo::test::AnswerNextDialog([](const ShownDialog &) { return INT_PTR{IDOK}; });
  }
  bool Graa(UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

  // The AutoSkema events of the week: (day, lesson).
  std::vector<std::pair<int, int>> AutoBegivenheder() {
    std::vector<std::pair<int, int>> v;
    const TabVar *b = SkemabegBucket(kUge);
    for (uint32_t n = 1; b && n < b->wRecCnt; ++n) {
      const SkeRec s = Ske(kUge, n);
      if (s.Forste == n && s.Status && (s.Status & 448) == 128) v.push_back({s.Dag, s.Lektion});
    }
    return v;
  }
};

TEST_F(AutoRundTurTest, ExportContactImportAndTheNextExport) {
  ASSERT_TRUE(serverrudetest::StartServer(&js));
  OK();  // "Data for uge ... er nu eksporteret"
  Logon();
  MainMenuCommand(vindue.hoved, 40282, 0);
  ASSERT_TRUE(Faerdig());
  // Uploaded whole (the contact keeps only the packed form) and queued;
  // the pane polls again in 30 seconds.
  const std::string dokument = jobtest::LaesFil(js.SpoolFil("job/skoleautoind7"));
  ASSERT_FALSE(dokument.empty());
  EXPECT_TRUE(GyldigJson(dokument));
  EXPECT_NE(dokument.find("\"aktivitet\":\"1\\\"a\""), std::string::npos) << dokument;
  EXPECT_EQ(St()->autoTravl, 1);
  EXPECT_EQ(St()->timer, 30000u);
  EXPECT_TRUE(Graa(40281));

  // The poll finds the job done and fetches the answer.
  for (int i = 0; i < 3 && !fs::exists(Svar()); ++i) {
    SendMessageA(vindue.rude, WM_TIMER, kServerTimer, 0);
    ASSERT_TRUE(Faerdig());
  }
  ASSERT_TRUE(fs::exists(Svar()));
  serverrudetest::Indtil([this] { return !Graa(40281); }, 2000);
  EXPECT_FALSE(Graa(40281));

  // The import places the answer and lists what did not fit.
  std::string logTitel;
  OK();  // "Importfil er nu indlæst"
  tavo::test::AnswerNextDialog([&logTitel](const ShownDialog &d) {
    logTitel = d.caption;
    EndDialog(d.hwnd, IDOK);
    return INT_PTR{0};
  });
  MainMenuCommand(vindue.hoved, 40281, 0);
  EXPECT_EQ(AutoBegivenheder(), (std::vector<std::pair<int, int>>{{1, 2}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}));
  EXPECT_EQ(logTitel, "Auto Skema import log!");
  EXPECT_NE(LaesFil(rod / "log" / "AutoSkemaIkkePlaceret.log")
                .find("Aktivitet: 1\"a; Skolefag: DAN - Dansk; Underviser: AB;  Antal ikke placerede: 1 ud af 1."),
            std::string::npos);
  EXPECT_FALSE(fs::exists(Svar()));
  EXPECT_FALSE(fs::exists(Eksport()));
  EXPECT_FALSE(fs::exists(rod / "data" / "as_exp.json.gz"));
  EXPECT_TRUE(Graa(40281));
  EXPECT_FALSE(Graa(40286));
  EXPECT_EQ(gPrikSkema, 1);
  EXPECT_TRUE(tavo::test::DialogFailures().empty());

  // The next export of the week takes the placed events away and asks for
  // the lessons again.
  OK();
  MainMenuCommand(vindue.hoved, 40282, 0);
  ASSERT_TRUE(Faerdig());
  EXPECT_TRUE(AutoBegivenheder().empty());
  EXPECT_EQ(Ske(kUge, egen).Status, 0x50u);
  EXPECT_NE(jobtest::LaesFil(js.SpoolFil("job/skoleautoind7")).find("\"uger\":[{\"ugenr\":202452,\"lektioner\":6}]"),
            std::string::npos);
}

TEST_F(AutoRundTurTest, TheModuleRefusesADocumentThatIsNotJson) {
  ASSERT_TRUE(serverrudetest::StartServer(&js));
  std::ofstream(Eksport(), std::ios::binary) << "{\"aktivitet\":\"1\"a\"}";
  Logon();
  SendMessageA(vindue.rude, WM_KONTAKT_NU, 0, 1);
  ASSERT_TRUE(Faerdig());
  // The contact shows the module's refusal as the server gave it.
  bool vist = false;
  for (const std::string &l : gLinjer) vist = vist || l.rfind("-ERR autojob afvist", 0) == 0;
  EXPECT_TRUE(vist);
  EXPECT_FALSE(fs::exists(js.SpoolFil("job/skoleautoind7")));
  EXPECT_FALSE(fs::exists(Svar()));
}

TEST_F(AutoRundTurTest, AScriptedAnswerThatFoundNoTimetable) {
  const fs::path svar = rod / "svar.json";
  std::ofstream(svar) << "{\"skema_fundet\":false,\"fejlmeddelelser\":[\"Ingen plads\"]}";
  ASSERT_TRUE(serverrudetest::StartServer(&js, {"--fault", "auto-result " + svar.string()}));
  OK();
  Logon();
  MainMenuCommand(vindue.hoved, 40282, 0);
  ASSERT_TRUE(Faerdig());
  for (int i = 0; i < 3 && !fs::exists(Svar()); ++i) {
    SendMessageA(vindue.rude, WM_TIMER, kServerTimer, 0);
    ASSERT_TRUE(Faerdig());
  }
  ASSERT_TRUE(fs::exists(Svar()));
  OK();
  tavo::test::AnswerNextDialog([](const ShownDialog &d) {
    EndDialog(d.hwnd, IDOK);
    return INT_PTR{0};
  });
  ImpAutoSkema();
  EXPECT_TRUE(AutoBegivenheder().empty());
  EXPECT_EQ(LaesFil(rod / "log" / "AutoSkemaIkkePlaceret.log"), "\r\nFejlmeddelelser!\r\n\r\nIngen plads\r\n");
  EXPECT_EQ(gPrikSkema, 0);
}

}  // namespace
