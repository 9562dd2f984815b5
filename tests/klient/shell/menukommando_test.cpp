// The command dispatcher over the test desktop: every command of the main
// menu by the kind of its row, the keys it plays into the main window, the
// windows it asks the factory for, the rows that are not built yet, and the
// commands with refusals and questions of their own.
#include <algorithm>
#include <cstdio>
#include <set>

#include "GRUPPEKNAP.h"
#include "IKKETILG.h"
#include "MENUKOMMANDO.h"
#include "OBJVINDUE.h"
#include "TASTINFO.h"
#include "TIMOAK.h"
#include "VEDLIGE.h"
#include "objektvindue_support.h"

void RegistrerOrvaneRessourcer();

namespace objvin_test {
namespace {

using A = KommandoArt;

// The kinds of the commands as the menu's description gives them, written
// out apart from the dispatcher's table.
std::vector<std::pair<UINT, A>> Forventet() {
  std::vector<std::pair<UINT, A>> v;
  auto fra = [&v](UINT a, UINT b, A art) {
    for (UINT id = a; id <= b; ++id) v.emplace_back(id, art);
  };
  for (auto [a, b] : std::vector<std::pair<UINT, UINT>>{
           {40001, 40006}, {40132, 40137}, {40146, 40148}, {40151, 40152}, {40163, 40164}, {40167, 40167},
           {40202, 40202}, {40204, 40206}, {40212, 40212}, {40273, 40273}, {40283, 40283}, {40284, 40284},
           {40292, 40292}, {40102, 40129}, {40131, 40131}, {40165, 40165}, {40183, 40186}, {40188, 40191},
           {40214, 40222}, {40260, 40263}, {40298, 40298}, {40033, 40033}, {40035, 40035}, {40037, 40037},
           {40027, 40030}, {40130, 40130}, {40138, 40138}, {40140, 40142}, {40225, 40229}})
    fra(a, b, A::Vindue);
  for (UINT id : {40009, 40011, 40013, 40139, 40154, 40176, 40177, 40178, 40187, 40203, 40271})
    v.emplace_back(id, A::Element);
  for (UINT id : {40007, 40287, 40288, 40289}) v.emplace_back(id, A::Vaerktoej);
  fra(40231, 40251, A::Tast);
  fra(40253, 40256, A::Tast);
  fra(40293, 40295, A::Tast);
  for (UINT id : {40213, 40266, 40268}) v.emplace_back(id, A::Tast);
  for (UINT id : {40100, 40101}) v.emplace_back(id, A::Dialog);
  for (UINT id : {40143, 40166, 40168, 40170, 40171, 40172, 40173, 40174, 40175, 40258, 40259, 40192, 40193, 40194, 40195,
                  40197, 40200, 40296, 40201, 40272, 40207, 40209, 40210, 40211, 40230, 40265, 40275, 40278, 40297,
                  40279, 40280, 40290, 40281, 40282, 40286, 40291})
    v.emplace_back(id, A::Handling);
  fra(1001, 1009, A::Handling);
  return v;
}

struct Tast {
  UINT msg;
  WPARAM w;
  LPARAM l;
  bool shift, ctrl, alt;
};
std::vector<Tast> &Taster() {
  static std::vector<Tast> t;
  return t;
}
WNDPROC hovedProc = nullptr;

// The main window as the dispatcher's keys reach it: the message with the
// modifiers it reads from the keyboard state while it handles it.
LRESULT CALLBACK TastHovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN || m == WM_SYSCOMMAND) {
    Taster().push_back({m, w, l, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0});
    return 0;
  }
  return CallWindowProcA(hovedProc, h, m, w, l);
}

class Menukommando : public ObjektvindueTest {
 protected:
  void SetUp() override {
    ObjektvindueTest::SetUp();
    RegistrerOrvaneRessourcer();
    Taster().clear();
    hovedProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hoved, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TastHovedProc)));
    snprintf(StiTab.szini, sizeof StiTab.szini, "%sini\\tavo.ini", StiTab.szdata);
    gemtGensend = GensendKrog;
  }
  void TearDown() override {
    GensendKrog = gemtGensend;
    LukAlt();
    ObjektvindueTest::TearDown();
  }
  static void LukAlt() {
    while (VinduesListe.hoved) DestroyWindow(static_cast<HWND>(VinduesListe.hoved->hwnd));
    CloseAllElements();
  }
  static std::vector<std::string> Bokse() {
    std::vector<std::string> b;
    for (const auto &m : tavo::test::MessageBoxesShown()) b.push_back(m.caption + "|" + m.text);
    return b;
  }
  static void Svar(INT_PTR svar) {
    tavo::test::AnswerNextDialog([svar](const tavo::test::ShownDialog &) { return svar; });
  }
  void Ny() {
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
  }
  GensendKroge gemtGensend{};
};

// The table as a whole.
class Kommandotabel : public Menukommando {};

TEST_F(Kommandotabel, EveryCommandHasTheKindOfItsRowAndNoOtherIsInTheTable) {
  std::set<UINT> kendte;
  for (auto [id, art] : Forventet()) {
    SCOPED_TRACE(id);
    kendte.insert(id);
    const KommandoRaekke *r = FindKommando(id);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Art, art);
  }
  for (int i = 0; i < KommandoAntal(); ++i)
    for (UINT id = KommandoNr(i).Fra; id <= KommandoNr(i).Til; ++id) EXPECT_TRUE(kendte.count(id)) << id;
  // The main window's own commands are not the dispatcher's.
  for (UINT id : {40078, 40079, 40155, 40156, 40157, 40158, 40224, 40277, 40285}) EXPECT_EQ(FindKommando(id), nullptr);
}

TEST_F(Kommandotabel, KeyRowsPlayTheirKeyIntoTheMainWindowAndLeaveTheKeyboardUp) {
  const struct {
    UINT id, msg, tast;
    bool shift, ctrl, alt;
  } tilfaelde[] = {
      {40213, WM_KEYDOWN, VK_F2, 0, 0, 0},     {40266, WM_KEYDOWN, VK_F2, 0, 1, 0},
      {40268, WM_SYSKEYDOWN, VK_F2, 0, 0, 1},  {40231, WM_KEYDOWN, VK_F5, 0, 0, 0},
      {40232, WM_KEYDOWN, VK_F5, 1, 0, 0},     {40233, WM_KEYDOWN, VK_F5, 0, 1, 0},
      {40234, WM_SYSKEYDOWN, VK_F5, 0, 0, 1},  {40235, WM_KEYDOWN, VK_F6, 0, 0, 0},
      {40236, WM_KEYDOWN, VK_F6, 1, 0, 0},     {40237, WM_KEYDOWN, VK_F6, 0, 1, 0},
      {40238, WM_SYSCOMMAND, VK_F6, 0, 0, 1},  {40239, WM_KEYDOWN, VK_F7, 0, 0, 0},
      {40240, WM_KEYDOWN, VK_F7, 1, 0, 0},     {40241, WM_KEYDOWN, VK_F7, 0, 1, 0},
      {40242, WM_SYSKEYDOWN, VK_F7, 0, 0, 1},  {40293, WM_KEYDOWN, VK_F5, 1, 1, 0},
      {40294, WM_KEYDOWN, VK_F6, 1, 1, 0},     {40295, WM_KEYDOWN, VK_F7, 1, 1, 0},
      {40243, WM_KEYDOWN, VK_F12, 0, 0, 0},    {40244, WM_KEYDOWN, VK_F12, 1, 0, 0},
      {40248, WM_KEYDOWN, VK_F12, 0, 1, 0},    {40245, WM_KEYDOWN, VK_F9, 0, 0, 0},
      {40246, WM_KEYDOWN, VK_F9, 1, 0, 0},     {40247, WM_KEYDOWN, VK_F9, 0, 1, 0},
      {40249, WM_KEYDOWN, VK_F11, 0, 0, 0},    {40250, WM_KEYDOWN, VK_F11, 1, 0, 0},
      {40251, WM_KEYDOWN, VK_F11, 0, 1, 0},    {40253, WM_KEYDOWN, VK_F8, 0, 0, 0},
      {40254, WM_KEYDOWN, VK_F8, 1, 0, 0},     {40255, WM_KEYDOWN, VK_F8, 0, 1, 0},
      {40256, WM_SYSKEYDOWN, VK_F8, 0, 0, 1},
  };
  int antal = 0;
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.id);
    Taster().clear();
    MainMenuCommand(hoved, t.id, 0);
    ASSERT_EQ(Taster().size(), 1u);
    const Tast &k = Taster()[0];
    EXPECT_EQ(k.msg, t.msg);
    EXPECT_EQ(k.w, t.tast);
    EXPECT_EQ(k.l, 0);
    EXPECT_EQ(k.shift, t.shift);
    EXPECT_EQ(k.ctrl, t.ctrl);
    EXPECT_EQ(k.alt, t.alt);
    BYTE tilstand[256];
    GetKeyboardState(tilstand);
    EXPECT_TRUE(std::all_of(tilstand, tilstand + 256, [](BYTE b) { return b == 0; }));
    // The key is how the main window finds its way back to the command.
    EXPECT_EQ(KommandoForTast(t.tast, (t.shift ? kModShift : 0) | (t.ctrl ? kModCtrl : 0) | (t.alt ? kModAlt : 0)),
              t.id);
    ++antal;
  }
  int taster = 0;
  for (int i = 0; i < KommandoAntal(); ++i) taster += KommandoNr(i).Art == A::Tast;
  EXPECT_EQ(taster, antal);  // every key row is in the cases above
  EXPECT_TRUE(Bokse().empty());
}

// Window rows reach the factory with their own type and the lParam hint;
// element rows dock their type with the drawing flag set.
TEST_F(Kommandotabel, WindowAndElementRowsReachTheFactoryWithTheirType) {
  for (auto [id, art] : Forventet())
    if (art == A::Vindue || art == A::Element) Test(static_cast<int>(id));
  for (auto [id, art] : Forventet()) {
    if (art != A::Vindue && art != A::Element) continue;
    SCOPED_TRACE(id);
    Ny();
    LukAlt();
    // The student planning's windows open only beside its planning window.
    if (id > static_cast<UINT>(kElevPlanType) && id <= 40229) MainMenuCommand(hoved, kElevPlanType, 0);
    T().kald.clear();
    MainMenuCommand(hoved, id, 77);
    if (!FindObjektRaekke(static_cast<int>(id)) && !FindElementRaekke(static_cast<int>(id))) {
      // No window of the type exists anywhere: the box says so.
      EXPECT_TRUE(T().kald.empty());
      EXPECT_EQ(Bokse().size(), 1u);
      continue;
    }
    ASSERT_EQ(T().kald.size(), 1u);
    EXPECT_EQ(T().kald[0].Type, static_cast<int>(id));
    if (art == A::Vindue) {
      EXPECT_EQ(T().kald[0].lParam, 77);
      EXPECT_EQ(T().kald[0].hwndForaelder, desktop);
      EXPECT_NE(FindVindueType(static_cast<int>(id)), 0u);
    } else {
      EXPECT_NE(CelleAf(id), nullptr);
    }
    EXPECT_TRUE(Bokse().empty());
  }
}

// A row whose handler is not built shows the one box, once, with its log
// line, and makes nothing; a command in no row does nothing at all.
TEST_F(Kommandotabel, EmptyRowsSayNotAvailableAndUnknownIdsDoNothing) {
  int tomme = 0;
  for (auto [id, art] : Forventet()) {
    const KommandoRaekke *r = FindKommando(id);
    const int type = r->Type ? r->Type : static_cast<int>(id);
    const bool tom = (art == A::Handling && !r->Udfoer) || (art == A::Dialog && !r->Proc) ||
                     (art == A::Vindue && !ObjektVindueTilgaengeligt(type)) ||
                     (art == A::Element && !ElementVindueTilgaengeligt(type)) ||
                     (art == A::Vaerktoej && !VaerktoejsVindueTilgaengeligt(type));
    if (!tom) continue;
    SCOPED_TRACE(id);
    ++tomme;
    Ny();
    T().kald.clear();
    MainMenuCommand(hoved, id, 0);
    EXPECT_EQ(Bokse(), std::vector<std::string>{"Ikke tilgængelig|Denne funktion er endnu ikke tilgængelig i TAVO-skema."});
    EXPECT_TRUE(T().kald.empty());
    EXPECT_EQ(VinduesListeAntal(), 0);
  }
  EXPECT_GT(tomme, 0);
  // The rows a later part fills are named in the log by their entry.
  const std::string log = Loggen();
  EXPECT_NE(log.find("** Info: Ikke tilgængelig: kommando 40195"), std::string::npos);

  for (UINT id : {40050u, 40008u, 40269u, 40299u, 1000u, 1010u, 39999u, 40078u}) {
    SCOPED_TRACE(id);
    Ny();
    T().hoved.clear();
    Taster().clear();
    MainMenuCommand(hoved, id, 0);
    EXPECT_TRUE(Bokse().empty());
    EXPECT_TRUE(T().hoved.empty());
    EXPECT_TRUE(Taster().empty());
    EXPECT_EQ(VinduesListeAntal(), 0);
  }
}

// The maintenance steps rebuild the windows only when they ran.
TEST_F(Menukommando, MaintenanceTellsTheWindowsOnlyAfterOk) {
  Test(40102);
  MainMenuCommand(hoved, 40102, 0);
  HWND vindue = FindVindueType(40102);
  ASSERT_NE(vindue, 0u);
  for (UINT id : {40171u, 40172u, 40173u, 40174u, 40258u, 40259u}) {
    for (INT_PTR svar : {IDCANCEL, IDOK}) {
      SCOPED_TRACE(testing::Message() << id << " " << svar);
      Ny();
      T().modtaget.clear();
      Svar(svar);
      MainMenuCommand(hoved, id, 0);
      EXPECT_EQ(tavo::test::MessageBoxesShown().size(), 1u);
      const auto fik = Fik(vindue);
      EXPECT_EQ(std::count(fik.begin(), fik.end(), 1122u), svar == IDOK ? 1 : 0);
    }
  }
}

TEST_F(Menukommando, LockedAndSuperTavoRefusals) {
  const struct {
    UINT id;
    bool laast, super;
    const char *boks;
  } tilfaelde[] = {
      {40192, true, false, "Opret vindue|Der kan ikke oprettes egne vinduer i et låst skema"},
      {40193, true, false, "Rediger vindue|Der kan ikke redigeres i egne vinduer i et låst skema"},
      {40194, true, false, "Slet vindue|Der kan ikke slettes i egne vinduer i et låst skema"},
      {40207, true, false, "Sletning|Der kan ikke slettes i et låst skema"},
      {40207, false, true, "Sletning|Der kan ikke slettes i et SuperTavo-skema"},
      // Neither: the master data counts, and finds nothing before the period.
      {40207, false, false, "Sletning|Der er ingen objekter som ligger før skemaperioden"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.boks);
    Ny();
    GlobalIndstillinger.skemalaast = t.laast;
    GlobalIndstillinger.supertavo = t.super;
    MainMenuCommand(hoved, t.id, 0);
    EXPECT_EQ(Bokse(), std::vector<std::string>{t.boks});
    if (t.laast || t.super) {
      for (const auto &b : tavo::test::MessageBoxesShown()) EXPECT_EQ(b.type & MB_ICONMASK, UINT{MB_ICONEXCLAMATION});
    }
  }
  GlobalIndstillinger.skemalaast = GlobalIndstillinger.supertavo = 0;

  // "Gem data" in a locked schedule writes nothing and shows nothing.
  Ny();
  GlobalIndstillinger.skemalaast = 1;
  MainMenuCommand(hoved, 40170, 0);
  GlobalIndstillinger.skemalaast = 0;
  EXPECT_TRUE(Bokse().empty());
  EXPECT_TRUE(std::filesystem::is_empty(rod / "data"));
}

// The external timetable imports reach their commands, which refuse while
// the role proposals are not all set.
TEST_F(Menukommando, ExternalImportsRefuseWithoutRoleProposals) {
  for (UINT id : {40200u, 40296u, 40272u}) {
    SCOPED_TRACE(id);
    Ny();
    MainMenuCommand(hoved, id, 0);
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].caption, "Roller mangler");
  }
}

// The external postings import starts with its information box; Cancel
// there ends it.
TEST_F(Menukommando, ExternalPostingsImportAsksFirst) {
  Ny();
  Svar(IDCANCEL);
  MainMenuCommand(hoved, 40201, 0);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "ExtPost-import");
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
}

TEST_F(Menukommando, SaveAutomaticallyTogglesTheRunAndTheCheckMarkOnly) {
  HMENU menu = GetMenu(hoved);
  AppendMenuA(menu, MF_STRING, 40197, "Gem data automatisk");
  GlobalIndstillinger.autogem = 0;
  for (uint8_t efter : {1, 0, 1}) {
    MainMenuCommand(hoved, 40197, 0);
    EXPECT_EQ(GlobalIndstillinger.autogem, efter);
    EXPECT_EQ((GetMenuState(menu, 40197, MF_BYCOMMAND) & MF_CHECKED) != 0, efter == 1);
  }
  EXPECT_FALSE(std::filesystem::exists(rod / "ini" / "tavo.ini"));
  EXPECT_TRUE(Bokse().empty());
}

TEST_F(Menukommando, QuitWithoutSavingAsksAndYesClosesWithoutSaving) {
  for (INT_PTR svar : {IDNO, IDYES}) {
    SCOPED_TRACE(svar);
    Ny();
    T().hoved.clear();
    Svar(svar);
    MainMenuCommand(hoved, 40209, 0);
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].caption, "Gemme data");
    std::vector<UINT> fik;
    for (const Modtaget &m : T().hoved) fik.push_back(m.msg);
    EXPECT_EQ(fik, svar == IDYES ? std::vector<UINT>{1934} : std::vector<UINT>{});
  }
}

TEST_F(Menukommando, TheImportLogMarksTheLogSeen) {
  GlobalIndstillinger.logok = 0;
  std::string titel;
  tavo::test::AnswerNextDialog([&titel](const tavo::test::ShownDialog &d) {
    titel = d.caption;
    return INT_PTR{IDOK};
  });
  MainMenuCommand(hoved, 40210, 0);
  EXPECT_EQ(titel, "Import log information");
  EXPECT_EQ(GlobalIndstillinger.logok, 1);
  char v[16] = "";
  GetPrivateProfileStringA("global", "logok", "", v, sizeof v, StiTab.szini);
  EXPECT_STREQ(v, "ja");

  // A read-only run only marks it for itself.
  WritePrivateProfileStringA("global", "logok", "nej", StiTab.szini);
  GlobalIndstillinger.skemalaast = 1;
  GlobalIndstillinger.logok = 0;
  Svar(IDOK);
  MainMenuCommand(hoved, 40210, 0);
  GlobalIndstillinger.skemalaast = 0;
  EXPECT_EQ(GlobalIndstillinger.logok, 1);
  GetPrivateProfileStringA("global", "logok", "", v, sizeof v, StiTab.szini);
  EXPECT_STREQ(v, "nej");
}

TEST_F(Menukommando, TheGroupNamesDialogRunsWithItsHelpContext) {
  int under = -1;
  tavo::test::AnswerNextDialog([&under](const tavo::test::ShownDialog &d) {
    EXPECT_EQ(d.caption, "Grupper");
    under = HjaelpKontekst;
    return INT_PTR{IDCANCEL};
  });
  MainMenuCommand(hoved, 40100, 0);
  EXPECT_EQ(under, 103);
  EXPECT_EQ(HjaelpKontekst, 0);
}

// The resend with the schedule's event operations given by the test: an
// export file waiting refuses it; otherwise the start date and the wait
// dialog run, and the windows rebuild.
TEST_F(Menukommando, ResendRefusesWithAnExportFileElseRunsItsDialogs) {
  GensendKrog.HentAVS = [](uint32_t, uint32_t) -> void * { return nullptr; };
  GensendKrog.SletBegivenhed = [](uint32_t, uint32_t) {};
  GensendKrog.AddBegivenhed = [](void *, uint32_t) {};
  Test(40102);
  for (const char *fil : {"exp.dat", "exp.dat.gz"}) {
    SCOPED_TRACE(fil);
    Ny();
    std::ofstream(rod / "data" / fil) << "x";
    MainMenuCommand(hoved, 40211, 0);
    EXPECT_EQ(Bokse(), std::vector<std::string>{
                           "Fejl|Der er oprettet en eksportfil, denne skal afvikles eller fortrydes før gensend kan køres!"});
    std::filesystem::remove(rod / "data" / fil);
  }
  for (UINT id : {40211u, 40230u}) {
    SCOPED_TRACE(id);
    Ny();
    LukAlt();
    MainMenuCommand(hoved, 40102, 0);
    HWND vindue = FindVindueType(40102);
    ASSERT_NE(vindue, 0u);
    T().modtaget.clear();
    std::vector<std::string> dialoger;
    auto husk = [&dialoger](INT_PTR svar) {
      tavo::test::AnswerNextDialog([&dialoger, svar](const tavo::test::ShownDialog &d) {
        dialoger.push_back(d.caption);
        return svar;
      });
    };
    husk(1);  // the start date
    husk(0);  // the wait dialog ends itself
    husk(IDOK);
    MainMenuCommand(hoved, id, 0);
    EXPECT_EQ(dialoger, (std::vector<std::string>{"Gensend", "Gensend data", "Ok"}));
    EXPECT_NE(std::find(Fik(vindue).begin(), Fik(vindue).end(), 1122u), Fik(vindue).end());
  }
  // Without the schedule's operations the row is not built.
  GensendKrog.AddBegivenhed = nullptr;
  Ny();
  MainMenuCommand(hoved, 40230, 0);
  EXPECT_EQ(Bokse(), std::vector<std::string>{"Ikke tilgængelig|Denne funktion er endnu ikke tilgængelig i TAVO-skema."});
}

TEST_F(Menukommando, ToolRowsOpenForTheirKindAndCloseAnOpenOne) {
  Test(40213);
  Test(40007);
  Test(40102);
  MainMenuCommand(hoved, 40102, 0);
  HWND forrest = FindVindueType(40102);
  ASSERT_NE(forrest, 0u);
  const struct {
    UINT id;
    int type;
    char art;
  } tilfaelde[] = {{40287, 40213, 'K'}, {40288, 40213, 'M'}, {40289, 40213, 'L'}, {40007, 40007, 'L'}};
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.id);
    T().kald.clear();
    MainMenuCommand(hoved, t.id, 0);
    ASSERT_EQ(T().kald.size(), 1u);
    EXPECT_EQ(T().kald[0].Type, t.type);
    EXPECT_EQ(T().kald[0].Art, t.art);
    EXPECT_EQ(T().kald[0].lParam, t.type == 40213 ? t.art : 0);
    HWND vaerktoej = FindVindueType(t.type);
    ASSERT_NE(vaerktoej, 0u);
    // Again: the open one is closed, nothing new is made, and the front
    // window takes the focus.
    T().modtaget.clear();
    MainMenuCommand(hoved, t.id, 0);
    EXPECT_FALSE(IsWindow(vaerktoej));
    EXPECT_EQ(T().kald.size(), 1u);
    bool aktiveret = false;
    for (const Modtaget &m : T().modtaget) aktiveret |= m.hwnd == forrest && m.msg == 1100 && m.w == 1;
    EXPECT_TRUE(aktiveret);
  }
}

}  // namespace
}  // namespace objvin_test
