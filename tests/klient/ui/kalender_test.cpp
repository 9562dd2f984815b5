// The month calendar on a test desktop (free-standing) and in a test element
// cell (embedded), over the school year 2026/27: what a click and a key do
// to the program's current date and who hears of it, the day under a point,
// activation through the owner, and what is painted. A small window stands
// in for the status bar's date pane.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "../datamappe.h"
#include "AKTICHK.h"
#include "ARRANGER.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "INDSTIL.h"
#include "KALENDER.h"
#include "LISTBOX.h"
#include "STITAB.h"
#include "SWITCH.h"
#include "TASTINFO.h"
#include "element_support.h"
#include "skrivebord_support.h"
#include "switch_fixture.h"
#include "tavo/test_gdi.h"

namespace {

namespace fs = std::filesystem;
using namespace wfb_test;

// The status bar's date pane: keeps what 1928 gives, answers 1931 with it.
struct DatoRude {
  Dato dato = 0;
  int gange = 0;
};
DatoRude &Rude() {
  static DatoRude r;
  return r;
}
LRESULT CALLBACK DatoRudeProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == STATUS_DATO_SAET) {
    Rude().dato = static_cast<Dato>(l);
    ++Rude().gange;
    return 0;
  }
  if (m == 1931) return Rude().dato;
  return DefWindowProcA(h, m, w, l);
}

// An element cell: answers whether its window may become active (1095 and
// 1104 alike) and keeps what it is told.
struct CelleTilstand {
  bool tillad = false;
  std::vector<UINT> hoert;
  std::vector<WPARAM> w;
};
CelleTilstand &TestCelle() {
  static CelleTilstand c;
  return c;
}
LRESULT CALLBACK CelleProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m >= 1024 && m < 10000) {
    TestCelle().hoert.push_back(m);
    TestCelle().w.push_back(w);
    if (m == ENS_MAA_AKTIVERES || m == ELEMENT_MAA_AKTIVERES) return TestCelle().tillad ? 1 : 0;
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

// The weekday (Monday 1) by the C++ library's own calendar.
uint8_t Ugedag(Dato d) {
  using namespace std::chrono;
  const year_month_day ymd{year(static_cast<int>(d / 10000)), month(d / 100 % 100), day(d % 100)};
  return static_cast<uint8_t>(weekday(sys_days(ymd)).iso_encoding());
}

// What every calendar test stands on beside its windows: a palette whose
// slots 6, 7, 8 and 14 differ from each other and from the system colours
// of slots 0, 1, 2 and 16; the shipped week-number layout; the program's
// text font; the classes; the school year 2026/27 as the period.
struct KalenderMiljoe {
  void Op(HWND hoved) {
    mappe = fs::temp_directory_path() / ("maanedkalender_" + std::to_string(::getpid()));
    fs::create_directories(mappe / "ini");
    std::ofstream(mappe / "ini" / "tavo.pal", std::ios::binary)
        << "Palette\n1 (200,40,40)\n11 (40,200,40)\n12 (40,40,200)\n16 (120,0,120)\n";
    std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", DataMappeNavn(mappe).c_str());
    InitStiTab();
    farver_intern::InitPaletteDybde(32);

    FILE *f = std::fopen(TAVO_SOURCE_DIR "/resources/orvane/TavoSwt.ini", "rb");
    ASSERT_NE(f, nullptr);
    int sektion = 0;
    switch_intern::LaesLayoutFil(f, "TavoSwt.ini", &sektion);
    std::fclose(f);
    gammelFont = TxtFont;
    TxtFont = switchtest::TekstSkrift();

    ASSERT_TRUE(RegistrerKalKlasse(0));
    ASSERT_TRUE(RegistrerListeKlasser(0));
    SaetGenvejHovedVindue(hoved);
    Registrer("WfbDatoRude", DatoRudeProc, 0);
    Rude() = DatoRude{};
    hDatoVindue = CreateWindowExA(0, "WfbDatoRude", "", WS_CHILD, 0, 0, 80, 20, hoved, 0, 0, nullptr);
    InitPeriode(20260801, 20270731, 20260801);
  }
  // Before the windows go: the font is the test's own.
  void Ned() {
    SaetGenvejHovedVindue(0);
    hDatoVindue = 0;
    LukkerAlleVinduer = 0;
    TxtFont = gammelFont;
  }
  void Slut() {
    FrigivSwitchTab();
    StiTab.szdata[0] = '\0';
    InitStiTab();
    farver_intern::InitPaletteDybde(32);
    fs::remove_all(mappe);
  }

  fs::path mappe;
  HFONT gammelFont = 0;
};

// The program's current date, with the lesson view's weekday apart from the
// other two views' so a test sees which ones a change reaches.
void SaetDato(Dato d) {
  SaetAktuelDato(d);
  VisningsTilstand[VISNING_TID].Ugedag = 6;
  VisningsTilstand[VISNING_DAG].Ugedag = 6;
}

int UgeKolonne() { return static_cast<int>(ObjSwitchBredde(kKalUgeArt, kKalUgeBogstav, 0)); }

// The middle of a day's cell of the shown month.
POINT DagPunkt(Dato d) {
  const Dato foerste = d / 100 * 100 + 1;
  const int raekke = (static_cast<int>(d % 100) + Ugedag(foerste) - 2) / 7 + 1;
  return {UgeKolonne() + 5 + 25 * (Ugedag(d) - 1) + 12, 12 * raekke + 9};
}

KalInfo *K(HWND h) { return reinterpret_cast<KalInfo *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

void KlikVed(HWND h, POINT p) {
  const POINT s = tavo::test::ScreenPoint(h, p.x, p.y);
  tavo::test::Click(s.x, s.y);
  tavo::test::PumpUntilIdle();
}

class MaanedKalender : public SkrivebordTest {
 protected:
  void SetUp() override {
    SkrivebordTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(miljoe.Op(hoved));
    Registrer("WfbCelle", CelleProc, 0);
    TestCelle() = CelleTilstand{};
    L = UgeKolonne();
  }
  void TearDown() override {
    miljoe.Ned();
    SkrivebordTest::TearDown();
    miljoe.Slut();
  }

  HWND Fri(int x = 20, int y = 20) {
    HWND h = CreateKalWnd(desktop, x, y, kDeskB, kDeskH, false, 40140);
    tavo::test::PumpUntilIdle();
    return h;
  }
  HWND Indlejret() {
    celle = CreateWindowExA(0, "WfbCelle", "", WS_CHILD | WS_VISIBLE, 300, 300, 300, 120, desktop, 0, 0, nullptr);
    HWND h = CreateKalWnd(celle, 2, 2, 298, 118, true, 40223);
    ShowWindow(h, SW_SHOW);
    tavo::test::PumpUntilIdle();
    return h;
  }
  void Klik(HWND h, Dato d) {
    KlikVed(h, DagPunkt(d));
    NytKlik();
  }

  // The texts drawn in the calendar's day cells, in order.
  std::vector<std::string> DagTekster(HWND h) const {
    std::vector<std::string> v;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == h && t.y >= 16 && t.x >= L + 5 && t.text.find_first_not_of(" 0123456789") == std::string::npos)
        v.push_back(t.text);
    return v;
  }
  // The drawn text of a day's number, as drawn last.
  std::optional<tavo::test::DrawnText> DagTekst(HWND h, Dato d) const {
    const POINT p = DagPunkt(d);
    std::optional<tavo::test::DrawnText> fundet;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == h && t.y == p.y - 5 && t.x == p.x - 12 + 4) fundet = t;
    return fundet;
  }
  // The week-number column of a row as drawn last: its characters joined.
  std::string UgeTekst(HWND h, int raekke) const {
    std::string tiere, enere;
    for (const auto &t : tavo::test::DrawnTexts()) {
      if (t.hwnd != h || t.y != 12 * raekke + 4) continue;
      if (t.x == 4 + 37) tiere = t.text;
      if (t.x == 4 + 45) enere = t.text;
    }
    return tiere + enere;
  }

  KalenderMiljoe miljoe;
  HWND celle = 0;
  int L = 0;
};

// ---------------------------------------------------------------- end to end

TEST_F(MaanedKalender, AClickOrAKeySetsTheProgramsDateAndTellsThePaneAndEveryWindow) {
  HWND g1 = Vindue(420, 300, 200, 150), g2 = Vindue(520, 400, 200, 150);
  SaetDato(20270303);
  HWND k = Fri();
  ASSERT_NE(k, 0u);
  ASSERT_EQ(K(k)->active, 1);
  ASSERT_EQ(K(k)->shownDate, 20270303u);

  const struct {
    const char *hvad;
    UINT tast;  // 0: a click on the day
    Dato dato;
    bool alt;  // the whole calendar repainted
  } tilfaelde[] = {
      {"click on 17 March", 0, 20270317, false},
      {"click on the 17th again", 0, 20270317, false},
      {"PgDn into April", VK_NEXT, 20270417, true},
      {"Left within April", VK_LEFT, 20270416, false},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    const Dato foer = K(k)->shownDate;
    Rude() = DatoRude{};
    tavo::test::ClearDrawnTexts();
    tavo::test::StartMessageLog();
    if (t.tast) {
      SendTast(k, t.tast, false, false, false);
      tavo::test::PumpUntilIdle();
    } else {
      Klik(k, t.dato);
    }
    const auto log = tavo::test::StopMessageLog();
    if (foer == t.dato) {
      // The day already set: nothing happens.
      EXPECT_EQ(Rude().gange, 0);
      EXPECT_TRUE(tavo::test::MessagesOf(log, g1, {AKTUEL_AENDRET}).empty());
      EXPECT_TRUE(DagTekster(k).empty());
      continue;
    }
    EXPECT_EQ(Rude().gange, 1);
    EXPECT_EQ(Rude().dato, t.dato);
    for (HWND g : {g1, g2}) EXPECT_EQ(tavo::test::MessagesOf(log, g, {AKTUEL_AENDRET}).size(), 1u);
    EXPECT_EQ(KalAktuelDato(), t.dato);
    EXPECT_EQ(K(k)->shownDate, t.dato);
    Uge uge = 0;
    DatoTilUge(t.dato, &uge, nullptr);
    EXPECT_EQ(SkemaPeriode.AktuelUgeIndeks, UgeTilIndeks(uge));
    EXPECT_EQ(VisningsTilstand[VISNING_LEKTION].Ugedag, Ugedag(t.dato));
    EXPECT_EQ(VisningsTilstand[VISNING_TID].Ugedag, 6);
    EXPECT_EQ(VisningsTilstand[VISNING_DAG].Ugedag, 6);
    // The period's own current date follows the calendar.
    EXPECT_EQ(SkemaPeriode.AktuelDato, t.dato);
    EXPECT_EQ(SkemaPeriode.AktuelDatoIndeks, UgeTilIndeks(uge));
    EXPECT_EQ(SkemaPeriode.SkoleAar, SkoleAarIndeks(t.dato));

    const std::vector<std::string> tekster = DagTekster(k);
    if (t.alt) {
      ASSERT_EQ(tekster.size(), DageIMaaned(t.dato / 100));
      for (size_t i = 0; i < tekster.size(); ++i) {
        char dag[24];
        std::snprintf(dag, sizeof dag, "%2zu", i + 1);
        EXPECT_EQ(tekster[i], dag);
      }
    } else {
      char gammel[8], ny[8];
      std::snprintf(gammel, sizeof gammel, "%2u", foer % 100);
      std::snprintf(ny, sizeof ny, "%2u", t.dato % 100);
      EXPECT_EQ(tekster, (std::vector<std::string>{gammel, ny}));
    }
  }
}

TEST_F(MaanedKalender, ADayOutsideThePeriodBecomesItsFirstMondayOrLastSunday) {
  // Weeks 10 to 12 of 2027: Monday 8 March to Sunday 28 March.
  InitPeriode(20270310, 20270324, 20270310);
  SaetDato(20270317);
  HWND k = Fri();
  const struct {
    Dato klik;
    Dato bliver;
    UgeIndeks indeks;
    uint8_t ugedag;
    bool alleVisninger;
  } tilfaelde[] = {
      {20270302, 20270308, 1, 1, true},   // week 9, before the period
      {20270309, 20270309, 1, 2, false},  // the period's first week, before its first day
      {20270330, 20270328, 3, 7, true},   // week 13, after it
      {20270325, 20270325, 3, 4, false},  // its last week, after its last day
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.klik);
    SaetDato(20270317);
    SendMessageA(k, AKTUEL_AENDRET, 1, 0);
    Klik(k, t.klik);
    EXPECT_EQ(Rude().dato, t.bliver);
    EXPECT_EQ(K(k)->shownDate, t.bliver);
    EXPECT_EQ(SkemaPeriode.AktuelUgeIndeks, t.indeks);
    EXPECT_EQ(VisningsTilstand[VISNING_LEKTION].Ugedag, t.ugedag);
    const uint8_t andre = t.alleVisninger ? t.ugedag : 6;
    EXPECT_EQ(VisningsTilstand[VISNING_TID].Ugedag, andre);
    EXPECT_EQ(VisningsTilstand[VISNING_DAG].Ugedag, andre);
  }
  // Keys pass the same clamp: a step past the last Sunday stays on it.
  SaetDato(20270328);
  SendMessageA(k, AKTUEL_AENDRET, 1, 0);
  SendTast(k, VK_RIGHT, false, false, false);
  EXPECT_EQ(KalAktuelDato(), 20270328u);
  SendTast(k, VK_NEXT, false, false, false);
  EXPECT_EQ(KalAktuelDato(), 20270328u);
  SendTast(k, VK_PRIOR, false, false, false);
  EXPECT_EQ(KalAktuelDato(), 20270308u);
}

// ---------------------------------------------------------------- day under a point

TEST(MaanedKalenderPunkt, TheDayUnderAPoint) {
  // Week column 57 pixels: day columns from x 61, 25 wide; rows of 12 from y 15.
  const int L = 57;
  auto sx = [](int c) { return L + 4 + 25 * (c - 1) + 12; };  // middle of column c
  auto sy = [](int r) { return 12 * r + 9; };                 // middle of row r (0 the header)
  const struct {
    Dato maaned;  // March 2027 begins on a Monday, November 2026 on a Sunday
    const char *hvad;
    int x, y;
    uint32_t dag;
  } tilfaelde[] = {
      {20270301, "first row, Monday", sx(1), sy(1), 1},
      {20270301, "first row, Sunday", sx(7), sy(1), 7},
      {20270301, "middle row", sx(3), sy(3), 17},
      {20270301, "last row, its last day", sx(3), sy(5), 31},
      {20270301, "last row after the last day", sx(6), sy(5), 31},
      {20270301, "week column, first row", 10, sy(1), 1},
      {20270301, "week column, middle row", 10, sy(3), 15},
      {20270301, "week column, last row", 10, sy(5), 29},
      {20270301, "right of the columns, first row", L + 180, sy(1), 7},
      {20270301, "right of the columns, middle row", L + 182, sy(2), 14},
      {20270301, "right of the columns, last row", L + 182, sy(5), 31},
      {20270301, "header row", sx(4), sy(0), 4},
      {20270301, "top border", sx(4), 1, 4},
      {20270301, "below the last row", sx(2), sy(6), 30},
      {20270301, "bottom border", sx(1), 89, 29},
      {20261101, "first row before the 1st", sx(1), sy(1), 1},
      {20261101, "first row before the 1st, Saturday", sx(6), sy(1), 1},
      {20261101, "first row, the 1st", sx(7), sy(1), 1},
      {20261101, "week column, first row", 10, sy(1), 1},
      {20261101, "right of the columns, first row", L + 182, sy(1), 1},
      {20261101, "second row", sx(1), sy(2), 2},
      {20261101, "fifth row, Sunday", sx(7), sy(5), 29},
      {20261101, "right of the columns, third row", L + 182, sy(3), 15},
      {20261101, "last row, its last day", sx(1), sy(6), 30},
      {20261101, "last row after the last day", sx(4), sy(6), 30},
      {20261101, "week column, last row", 10, sy(6), 30},
      {20261101, "header row, Sunday", sx(7), sy(0), 1},
      {20261101, "below the last row", sx(3), 90, 30},
  };
  for (const auto &t : tilfaelde) {
    KalInfo ki{};
    ki.weekColumnWidth = L;
    ki.shownDate = t.maaned;
    EXPECT_EQ(KalDagVedPunkt(&ki, t.x, t.y), t.dag) << t.maaned << " " << t.hvad;
  }
  KalInfo ingen{};
  EXPECT_EQ(KalDagVedPunkt(&ingen, 70, 20), 0u);
}

// ---------------------------------------------------------------- keys

TEST_F(MaanedKalender, KeysMoveTheShownDateAndTheShortcutQueryAnswersForEach) {
  HWND k = Fri();
  const struct {
    Dato fra;
    UINT tast;
    Dato til;  // == fra: the key does nothing
    bool alt;  // the whole calendar repainted
  } tilfaelde[] = {
      {20270131, VK_NEXT, 20270303, true},   // 31 days on; February has 28
      {20270115, VK_PRIOR, 20261215, true},  // January: back by December's 31
      {20270315, VK_PRIOR, 20270215, true},  // back by February's 28
      {20270303, VK_UP, 20270224, true},     // the first week into February
      {20270310, VK_UP, 20270303, false},
      {20270303, VK_DOWN, 20270310, false},
      {20270303, VK_LEFT, 20270302, false},
      {20270301, VK_LEFT, 20270228, true},
      {20270303, VK_RIGHT, 20270304, false},
      {20270331, VK_RIGHT, 20270401, true},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(std::to_string(t.fra) + " key " + std::to_string(t.tast));
    SaetDato(t.fra);
    SendMessageA(k, AKTUEL_AENDRET, 1, 0);
    TastInfo tast{0, 0, 0, WM_KEYDOWN, t.tast, 0, 0, 0};
    EXPECT_EQ(SendMessageA(k, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&tast)), t.til != t.fra ? 1 : 0);
    tavo::test::ClearDrawnTexts();
    SendMessageA(k, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&tast));
    EXPECT_EQ(KalAktuelDato(), t.til);
    EXPECT_EQ(K(k)->shownDate, t.til);
    EXPECT_EQ(DagTekster(k).size(), t.alt ? DageIMaaned(t.til / 100) : 2u);
  }

  // Day numbers 1-7 (1-7 January 1900) stay on Up, day number 1 on Left.
  const struct {
    Dato vist;
    UINT tast;
    LRESULT svar;
  } graenser[] = {
      {19000107, VK_UP, 0},  {19000108, VK_UP, 1},     {19000101, VK_LEFT, 0},
      {19000102, VK_LEFT, 1}, {19000115, VK_PRIOR, 0}, {20991231, VK_RIGHT, 0},
      {20991225, VK_DOWN, 0}, {20991224, VK_DOWN, 1},  {20991201, VK_NEXT, 0},
  };
  for (const auto &g : graenser) {
    K(k)->shownDate = g.vist;
    TastInfo tast{0, 0, 0, WM_KEYDOWN, g.tast, 0, 0, 0};
    EXPECT_EQ(SendMessageA(k, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&tast)), g.svar) << g.vist << " " << g.tast;
  }

  // The other keys of the shortcut table: Ctrl+F4 closes, F4 alone does
  // nothing, F3 and Ctrl+Shift+D are not the calendar's own.
  const struct {
    int shift, ctrl;
    UINT tast;
    LRESULT svar;
  } andre[] = {{0, 1, VK_F4, 1}, {0, 0, VK_F4, 0}, {0, 0, VK_F3, 1}, {1, 1, 'D', 1}, {0, 0, VK_APPS, 1}};
  for (const auto &a : andre) {
    TastInfo tast{a.shift, a.ctrl, 0, WM_KEYDOWN, a.tast, 0, 0, 0};
    EXPECT_EQ(SendMessageA(k, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&tast)), a.svar) << a.tast;
  }
}

TEST_F(MaanedKalender, AppsAndARightClickOpenThePickListAndItsChoiceActs) {
  SaetDato(20270303);
  HWND k = Fri();
  const POINT mus = tavo::test::ScreenPoint(k, 100, 40);
  tavo::test::MouseMove(mus.x, mus.y);
  tavo::test::PumpUntilIdle();
  for (int gang = 0; gang < 2; ++gang) {
    SCOPED_TRACE(gang == 0 ? "Apps" : "right click");
    if (gang == 0) {
      SendTast(k, VK_APPS, false, false, false);
    } else {
      tavo::test::Click(mus.x, mus.y, 1);
    }
    tavo::test::PumpUntilIdle();
    HWND liste = GetCapture();
    ASSERT_NE(liste, 0u);
    char klasse[64] = "";
    GetClassNameA(liste, klasse, sizeof klasse);
    EXPECT_STREQ(klasse, "ShortCutWndClass");
    RECT r;
    GetWindowRect(liste, &r);
    EXPECT_EQ(r.left, mus.x);
    EXPECT_EQ(r.top, mus.y);
    auto *si = reinterpret_cast<ShortCutInfo *>(GetWindowLongPtrA(liste, GWLP_USERDATA));
    ASSERT_EQ(si->pos.Antal, 5u);
    for (uint32_t i = 0; i < 5; ++i) EXPECT_EQ(si->available[i], 1) << i;
    // Down three rows to "<Pgdn>": the calendar moves a month on.
    for (int i = 0; i < 3; ++i) tavo::test::PressKey(VK_DOWN);
    tavo::test::PressKey(VK_RETURN);
    tavo::test::PumpUntilIdle();
    EXPECT_FALSE(IsWindow(liste));
    EXPECT_EQ(KalAktuelDato(), gang == 0 ? 20270403u : 20270503u);
  }
}

TEST_F(MaanedKalender, CtrlF4ClosesAFreeCalendarAndAsksTheCellToCloseAnEmbeddedOne) {
  SaetDato(20270303);
  for (bool alleLukkes : {false, true}) {
    SCOPED_TRACE(alleLukkes ? "closing all" : "one window");
    HWND k = Fri();
    ASSERT_EQ(VinduesListeForrest(), k);
    LukkerAlleVinduer = alleLukkes ? 1 : 0;
    tavo::test::StartMessageLog();
    SendTast(k, VK_F4, false, true, false);
    const auto log = tavo::test::StopMessageLog();
    LukkerAlleVinduer = 0;
    EXPECT_FALSE(IsWindow(k));
    EXPECT_EQ(VinduesListeAntal(), 0);
    std::vector<LPARAM> lukket;
    for (const auto &m : log)
      if (m.hwnd == hoved && m.msg == HOVED_VINDUE_LUKKET) lukket.push_back(m.lParam);
    EXPECT_EQ(lukket, alleLukkes ? std::vector<LPARAM>{} : std::vector<LPARAM>{static_cast<LPARAM>(k)});
  }

  HWND e = Indlejret();
  TestCelle().hoert.clear();
  SendTast(e, VK_F4, false, false, false);
  SendTast(e, VK_F4, false, true, false);
  EXPECT_TRUE(IsWindow(e));
  EXPECT_EQ(TestCelle().hoert, std::vector<UINT>{ELEMENT_LUK});
  EXPECT_EQ(VinduesListeAntal(), 0);
}

// ---------------------------------------------------------------- activation

TEST_F(MaanedKalender, AnInactiveCalendarAsksItsOwnerBeforeAClickDoesAnything) {
  SaetDato(20270303);
  Skrivebord().tillad = false;
  HWND k = Fri();
  EXPECT_EQ(K(k)->active, 0);
  HWND e = Indlejret();  // the cell refuses too
  EXPECT_EQ(K(e)->active, 0);
  EXPECT_EQ(TestCelle().hoert, std::vector<UINT>{ENS_MAA_AKTIVERES});

  for (HWND h : {k, e}) {
    const bool indlejret = h == e;
    SCOPED_TRACE(indlejret ? "embedded" : "free-standing");
    Skrivebord().spoergsmaal = 0;
    TestCelle().hoert.clear();
    Rude() = DatoRude{};
    Klik(h, 20270317);
    EXPECT_EQ(KalAktuelDato(), 20270303u);
    EXPECT_EQ(K(h)->active, 0);
    EXPECT_EQ(Rude().gange, 0);
    if (indlejret) {
      EXPECT_EQ(TestCelle().hoert, std::vector<UINT>{ELEMENT_MAA_AKTIVERES});
    }
    else
      EXPECT_EQ(Skrivebord().spoergsmaal, 1);

    // Allowed: the click activates and the owner hears of it; the date stays.
    Skrivebord().tillad = TestCelle().tillad = true;
    TestCelle().hoert.clear();
    TestCelle().w.clear();
    Klik(h, 20270317);
    EXPECT_EQ(K(h)->active, 1);
    EXPECT_EQ(KalAktuelDato(), 20270303u);
    if (indlejret) {
      EXPECT_EQ(TestCelle().hoert, (std::vector<UINT>{ELEMENT_MAA_AKTIVERES, ENS_BLEV_AKTIV}));
      EXPECT_EQ(TestCelle().w.back(), 1u);
    } else {
      EXPECT_EQ(Skrivebord().aktiv, h);
    }
    // Now the click sets the date.
    Klik(h, 20270317);
    EXPECT_EQ(KalAktuelDato(), 20270317u);
    SaetDato(20270303);
    Skrivebord().tillad = TestCelle().tillad = false;
    SendMessageA(h, VINDUE_DEAKTIVER, 0, 0);
  }
  // Deactivating tells an element cell, not the desktop.
  EXPECT_EQ(TestCelle().hoert.back(), static_cast<UINT>(ENS_BLEV_INAKTIV));
}

TEST_F(MaanedKalender, TheDateBroadcastAndTheActivationMessages) {
  SaetDato(20270303);
  HWND k = Fri();
  ASSERT_EQ(K(k)->active, 1);

  // Active: wParam 0 (its own broadcast) is ignored, wParam 1 followed.
  SaetDato(20270310);
  SendMessageA(k, AKTUEL_AENDRET, 0, 0);
  EXPECT_EQ(K(k)->shownDate, 20270303u);
  SendMessageA(k, AKTUEL_AENDRET, 1, 0);
  EXPECT_EQ(K(k)->shownDate, 20270310u);

  // Inactive: every change is followed.
  SendMessageA(k, VINDUE_DEAKTIVER, 0, 0);
  EXPECT_EQ(K(k)->active, 0);
  SaetDato(20270101);
  SendMessageA(k, AKTUEL_AENDRET, 0, 0);
  EXPECT_EQ(K(k)->shownDate, 20270101u);

  // 1135 activates without telling the owner and takes the current date;
  // 1119 only marks it active, without painting.
  SaetDato(20270120);
  Skrivebord().aktiv = 0;
  SendMessageA(k, VINDUE_AKTIVER_STILLE, 1, 0);
  EXPECT_EQ(K(k)->active, 1);
  EXPECT_EQ(K(k)->shownDate, 20270120u);
  EXPECT_EQ(Skrivebord().aktiv, 0u);
  SendMessageA(k, VINDUE_DEAKTIVER, 0, 0);
  tavo::test::ClearDrawnTexts();
  SendMessageA(k, VINDUE_SAET_AKTIV, 0, 0);
  EXPECT_EQ(K(k)->active, 1);
  EXPECT_TRUE(DagTekster(k).empty());
  SendMessageA(k, VINDUE_DEAKTIVER, 0, 0);
  SendMessageA(k, VINDUE_AKTIVER, 1, 0);
  EXPECT_EQ(Skrivebord().aktiv, k);

  EXPECT_EQ(SendMessageA(k, VINDUE_ART, 0, 0), 40140);
  EXPECT_EQ(GetDlgCtrlID(k), 40140);

  // The focus goes on to the main window.
  SetFocus(k);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(GetFocus(), hoved);
}

TEST_F(MaanedKalender, AltMinusOpensTheCalendarsOwnSystemMenu) {
  SaetDato(20270303);
  HWND k = Fri();
  PostMessageA(k, WM_KEYDOWN, VK_ESCAPE, 0);  // ends the menu
  tavo::test::StartMessageLog();
  SendMessageA(k, WM_SYSCHAR, '-', 1 << 29);
  const auto log = tavo::test::StopMessageLog();
  bool systemMenu = false;
  for (const auto &m : log)
    if (m.hwnd == k && m.msg == WM_INITMENUPOPUP && HIWORD(m.lParam) == 1) systemMenu = true;
  EXPECT_TRUE(systemMenu);
  EXPECT_TRUE(tavo::test::MessagesOf(log, hoved, {WM_INITMENUPOPUP}).empty());
  EXPECT_TRUE(tavo::test::MessagesOf(log, desktop, {WM_INITMENUPOPUP}).empty());
}

// ---------------------------------------------------------------- painting

TEST_F(MaanedKalender, DayColoursHolidaysWeekendsHeaderAndWeekNumbers) {
  const struct {
    Dato aktuel;
    bool aktiv;
    Dato dag;
    uint8_t bund, tekst;
  } tilfaelde[] = {
      {20270303, true, 20270303, 1, 16},   // the current day, active
      {20270303, false, 20270303, 2, 16},  // ... inactive
      {20270303, true, 20270304, 0, 16},
      {20270303, true, 20270325, 6, 16},   // Maundy Thursday
      {20270325, true, 20270325, 7, 16},
      {20270325, false, 20270325, 8, 16},
      {20270303, true, 20270327, 0, 14},   // Saturday
      {20270303, true, 20270328, 0, 14},   // Easter Sunday: a weekend day
      {20270303, true, 20270329, 6, 16},   // Easter Monday
  };
  HWND k = Fri();
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(std::to_string(t.dag) + (t.aktiv ? " active" : " inactive") + " current " +
                 std::to_string(t.aktuel));
    SaetDato(t.aktuel);
    SendMessageA(k, t.aktiv ? VINDUE_AKTIVER : VINDUE_DEAKTIVER, 1, 0);
    tavo::test::ClearDrawnTexts();
    SendMessageA(k, AKTUEL_AENDRET, 1, 0);
    SendMessageA(k, TB_RUDE_TEGN, 0, 0);
    const auto d = DagTekst(k, t.dag);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->bk_color, FarveTab[t.bund]);
    EXPECT_EQ(d->text_color, FarveTab[t.tekst]);
    // The cell's left pad shows its background.
    const POINT p = DagPunkt(t.dag);
    const COLORREF pad = tavo::test::WindowPixel(k, p.x - 11, p.y);
    if (t.bund == 7 || t.bund == 8) {
      EXPECT_TRUE(pad == FarveTab[6] || pad == FarveTab[t.bund - 6]);
    }  // checkered with the caption colour
    else
      EXPECT_EQ(pad, FarveTab[t.bund]);
  }

  // Header: the month's name in the corner, the day letters over the columns.
  SaetDato(20270303);
  SendMessageA(k, VINDUE_AKTIVER, 1, 0);
  tavo::test::ClearDrawnTexts();
  SendMessageA(k, TB_RUDE_TEGN, 0, 0);
  std::vector<std::pair<int, std::string>> hoved_;
  for (const auto &t : tavo::test::DrawnTexts())
    if (t.hwnd == k && t.y == 4) hoved_.push_back({t.x, t.text});
  EXPECT_EQ(hoved_, (std::vector<std::pair<int, std::string>>{{L + 9, "Ma"},
                                                              {L + 34, "Ti"},
                                                              {L + 59, "On"},
                                                              {L + 84, "To"},
                                                              {L + 109, "Fr"},
                                                              {L + 134, "Lø"},
                                                              {L + 159, "Sø"},
                                                              {7, "Marts "}}));
  // Week numbers of March 2027: weeks 9 to 13 inside the period.
  for (int r = 1; r <= 5; ++r) EXPECT_EQ(UgeTekst(k, r), std::string(r == 1 ? "0" : "1") + "90123"[r - 1]) << r;
  // Rows of no days are blank: no sixth row in March.
  EXPECT_EQ(UgeTekst(k, 6), "");

  // A period of weeks 10 and 11: the row before it is drawn as week index 0
  // (blank), the rows after it as the number of weeks + 1.
  InitPeriode(20270310, 20270317, 20270310);
  SaetDato(20270310);
  tavo::test::ClearDrawnTexts();
  SendMessageA(k, TB_RUDE_TEGN, 0, 0);
  EXPECT_EQ(UgeTekst(k, 1), "  ");
  EXPECT_EQ(UgeTekst(k, 2), "10");
  EXPECT_EQ(UgeTekst(k, 3), "11");
  EXPECT_EQ(UgeTekst(k, 4), "12");
}

TEST_F(MaanedKalender, SizesAreKeptWhileABorderIsDragged) {
  SaetDato(20270303);
  ASSERT_EQ(L, 57);  // the week column holds the month's name
  HWND k = Fri(40, 30);
  HWND e = Indlejret();
  const int ramme = GetSystemMetrics(SM_CXFRAME), kant = GetSystemMetrics(SM_CYFRAME),
            titel = GetSystemMetrics(SM_CYCAPTION);
  RECT rc;
  GetClientRect(e, &rc);
  EXPECT_EQ(rc.right, L + 183);
  EXPECT_EQ(rc.bottom, 91);
  EXPECT_EQ(SendMessageA(e, ENS_BREDDE, 0, 0), L + 183);
  EXPECT_EQ(SendMessageA(e, ENS_HOEJDE, 0, 0), 91);
  GetClientRect(k, &rc);
  EXPECT_EQ(rc.right, L + 183);
  EXPECT_EQ(rc.bottom, 91);
  EXPECT_EQ(SendMessageA(k, ENS_BREDDE, 0, 0), L + 183 + 2 * ramme);
  EXPECT_EQ(SendMessageA(k, ENS_HOEJDE, 0, 0), 91 + titel + 2 * kant);

  RECT foer;
  GetWindowRect(k, &foer);
  const int midtY = (foer.top + foer.bottom) / 2, midtX = (foer.left + foer.right) / 2;
  const struct {
    int x0, y0, x1, y1;
  } traek[] = {
      {foer.right - 2, midtY, foer.right + 60, midtY + 30},  // the right border out
      {foer.left + 1, midtY, foer.left + 40, midtY},         // the left border in
      {midtX, foer.bottom - 2, midtX, foer.bottom + 50},     // the bottom border down
  };
  for (const auto &t : traek) {
    tavo::test::Drag(t.x0, t.y0, t.x1, t.y1);
    tavo::test::PumpUntilIdle();
    RECT efter;
    GetWindowRect(k, &efter);
    EXPECT_EQ(efter.right - efter.left, foer.right - foer.left);
    EXPECT_EQ(efter.bottom - efter.top, foer.bottom - foer.top);
    GetClientRect(k, &rc);
    EXPECT_EQ(K(k)->width, rc.right);
    EXPECT_EQ(K(k)->height, rc.bottom);
  }

  // A snapshot for the eye: the free-standing calendar on 3 March 2027.
  InvalidateRect(k, nullptr, FALSE);
  tavo::test::PumpUntilIdle();
  ASSERT_TRUE(tavo::test::SaveWindowPng(desktop, TAVO_BINARY_DIR "/maanedkalender.png"));

  // A smaller room gives the room.
  EXPECT_EQ(KalBredde(200, true), 200);
  EXPECT_EQ(KalHoejde(80, false), 80);
  HWND lille = CreateKalWnd(desktop, 0, 0, 200, 60, false, 0);
  RECT lr;
  GetWindowRect(lille, &lr);
  EXPECT_EQ(lr.right - lr.left, 200);
  EXPECT_EQ(lr.bottom - lr.top, 60);
  DestroyWindow(lille);
}

// ---------------------------------------------------------------- in a real element cell

class MaanedKalenderCelle : public elm_test::ElementTest {
 protected:
  void SetUp() override {
    elm_test::ElementTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(miljoe.Op(hoved));
  }
  void TearDown() override {
    miljoe.Ned();
    elm_test::ElementTest::TearDown();
    miljoe.Slut();
  }
  // The shell's road: the cell for the size the calendar wants, the
  // calendar in it, announced with 1035.
  HWND Dok(HWND *element) {
    const int b = KalBredde(kElementPlads, true), h = KalHoejde(kElementPlads, true);
    *element = CreateElementWnd(b, h, 1, true, "Kalender", 40223);
    HWND k = CreateKalWnd(*element, 0, 0, b, h, true, 40223);
    SendMessageA(*element, ELEMENT_OBJEKT, 0, static_cast<LPARAM>(k));
    tavo::test::PumpUntilIdle();
    return k;
  }
  static std::vector<elm_test::Fra> Hoert(UINT msg) {
    std::vector<elm_test::Fra> v;
    for (const elm_test::Fra &f : elm_test::Elm().hoved)
      if (f.msg == msg) v.push_back(f);
    return v;
  }
  static constexpr int kElementPlads = 2147483647;
  KalenderMiljoe miljoe;
};

TEST_F(MaanedKalenderCelle, DockedTheShellActivatesItAndCtrlF4ClosesItsCell) {
  SaetDato(20270303);
  elm_test::Elm().aktivSvar = 0;  // another docked window is the active one
  HWND el = 0;
  HWND k = Dok(&el);
  ASSERT_NE(k, 0u);
  EXPECT_EQ(K(k)->active, 0);
  // Alone on the bottom desk the cell runs its whole length at the
  // calendar's height; the room beyond the grid is the border's colour.
  RECT rc;
  GetClientRect(k, &rc);
  EXPECT_GT(rc.right, UgeKolonne() + 183);
  EXPECT_EQ(rc.bottom, 91);
  SendMessageA(k, TB_RUDE_TEGN, 0, 0);
  for (int x : {UgeKolonne() + 181, rc.right / 2, rc.right - 4})
    for (int y : {4, 50, 86}) EXPECT_EQ(tavo::test::WindowPixel(k, x, y), FarveTab[0]) << x << "," << y;
  ASSERT_TRUE(tavo::test::SaveWindowPng(hoved, TAVO_BINARY_DIR "/maanedkalender_dokket.png"));
  EXPECT_EQ(SendMessageA(el, VINDUE_ART, 0, 0), 40223);
  EXPECT_EQ(VinduesListeAntal(), 0);

  // A click asks the shell (1104 through the cell); the date stays.
  elm_test::Elm().hoved.clear();
  KlikVed(k, DagPunkt(20270317));
  NytKlik();
  ASSERT_EQ(Hoert(ELEMENT_MAA_AKTIVERES).size(), 1u);
  EXPECT_EQ(Hoert(ELEMENT_MAA_AKTIVERES)[0].l, static_cast<LPARAM>(k));
  EXPECT_EQ(KalAktuelDato(), 20270303u);
  // The shell activates it: the cell hears and tells the shell its desk.
  SendMessageA(k, VINDUE_AKTIVER, 1, 0);
  ASSERT_EQ(Hoert(ELEMENT_DOKKET_AKTIV).size(), 1u);
  EXPECT_EQ(Hoert(ELEMENT_DOKKET_AKTIV)[0].w, 1u);
  EXPECT_EQ(Hoert(ELEMENT_DOKKET_AKTIV)[0].l, static_cast<LPARAM>(k));
  EXPECT_EQ(::Celle(1, 0, 0).Aktiv, 1);
  KlikVed(k, DagPunkt(20270317));
  NytKlik();
  EXPECT_EQ(KalAktuelDato(), 20270317u);
  EXPECT_EQ(Rude().dato, 20270317u);
  SendMessageA(k, VINDUE_DEAKTIVER, 0, 0);
  EXPECT_EQ(::Celle(1, 0, 0).Aktiv, 0);

  // Ctrl+F4: the cell goes with the calendar, and the shell is told.
  elm_test::Elm().hoved.clear();
  SendTast(k, VK_F4, false, true, false);
  tavo::test::PumpUntilIdle();
  EXPECT_FALSE(IsWindow(k));
  EXPECT_FALSE(IsWindow(el));
  EXPECT_EQ(DeskTab[1].AntalSektioner, 0);
  ASSERT_EQ(Hoert(ELEMENT_LUKKET).size(), 1u);
  EXPECT_EQ(Hoert(ELEMENT_LUKKET)[0].l, static_cast<LPARAM>(k));
  EXPECT_TRUE(Hoert(HOVED_VINDUE_LUKKET).empty());
}

}  // namespace
