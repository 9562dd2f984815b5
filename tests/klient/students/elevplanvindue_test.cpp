// The planning window and the status window on a test desktop: the plan's
// painting read back as pixels, keys and clicks driven as a user gives
// them, the opener's refusals, and the status lines as exact texts.

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "../ui/ens_support.h"
#include "ELEVDLG.h"
#include "ELEVLISTEVIN.h"
#include "ELEVPLANVIN.h"
#include "ELEVSTAT.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "KALENDER.h"
#include "NYBUTTON.h"
#include "OBJVINDUE.h"
#include "PROGVINDUER.h"
#include "VINDUER.h"
#include "elevkolonne_fixture.h"
#include "elevdialoger.h"
#include "knapper.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

namespace {

using namespace eleventest;

constexpr int kDeskB = 800, kDeskH = 600;
constexpr int kKol = 28;  // a slot column: the cell layout's 27 pixels and its separator

HWND gAktiv = 0;

// The main window hands its keys to the active grid window, as the
// program's main window does.
LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if ((m == WM_KEYDOWN || m == WM_SYSKEYDOWN) && gAktiv && IsWindow(gAktiv)) {
    TastInfo t;
    MakeTastInfo(&t, m, w, l);
    SendMessageA(gAktiv, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
    return 0;
  }
  if (m == HOVED_VINDUE_LUKKET) return 0;
  return DefWindowProcA(h, m, w, l);
}

LRESULT CALLBACK DeskProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case ENS_MAA_AKTIVERES:
      return 1;
    case ENS_BLEV_AKTIV: {
      const HWND ny = static_cast<HWND>(l);
      if (gAktiv && gAktiv != ny && IsWindow(gAktiv)) SendMessageA(gAktiv, VINDUE_DEAKTIVER, 0, 0);
      gAktiv = ny;
      return 0;
    }
  }
  return DefWindowProcA(h, m, w, l);
}

class ElevPlanVindueTest : public ElevKolonneMappe {
 protected:
  HWND hoved = 0, desktop = 0;
  uint32_t tg = 0;
  std::vector<uint32_t> pp, la;

  void SetUp() override {
    ElevKolonneMappe::SetUp();
    // Colours of their own for the slots the cells use: 3 the current
    // block, 18 a barred slot, 36 the background (31, the blocks, is the
    // window text's black).
    SkrivIni("tavo.pal", "Palette\n0 (200,0,0)\n5 (0,200,0)\n22 (255,255,200)\n");
    wfb_test::RegistrerUiKlasser();
    RegistrerKnapBilleder();
    ASSERT_TRUE(RegistrerElevPlanKlasse(0));
    ASSERT_TRUE(RegistrerElevStatKlasse(0));
    wfb_test::Registrer("EpvHoved", HovedProc);
    wfb_test::Registrer("EpvDesk", DeskProc);
    SkrivIni("TavoSwt.ini", "[ObjectSwitchField]\r\n" + Layout(ELEVPLAN_LA_ART, 0, {1, 10}, 10) +
                                Layout(ELEVPLAN_LA_ART, 1, {1}, 10) + Layout(81, 0, {1}, 10) +
                                Layout(79, 0, {30, 31, 32, 33}, 3) + Layout(80, 0, {30, 31, 32, 33}, 3) +
                                Layout(77, 0, {30}, 3) + Layout(76, 0, {30}, 3));
    LaesSwitchIni();
    hoved = CreateWindowExA(0, "EpvHoved", "Tavo", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 50, 40, 900, 700, 0, 0,
                            0, nullptr);
    desktop = CreateWindowExA(0, "EpvDesk", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20, 30, kDeskB, kDeskH,
                              hoved, 0, 0, nullptr);
    hwndHoved = hoved;
    hwndDesktop = desktop;
    DesktopRect = RECT{20, 30, 20 + kDeskB - 1, 30 + kDeskH - 1};
    gAktiv = 0;
    SetFocus(hoved);
    tavo::test::PumpUntilIdle();
  }

  void TearDown() override {
    while (VinduesListe.hoved) DestroyWindow(static_cast<HWND>(VinduesListe.hoved->hwnd));
    DestroyWindow(hoved);
    hwndHoved = hwndDesktop = 0;
    DesktopRect = RECT{0, 0, 0, 0};
    gAktiv = 0;
    AfregistrerElevPlanKlasse(0);
    AfregistrerElevStatKlasse(0);
    tavo::test::ResetUser();
    ElevKolonneMappe::TearDown();
  }

  // A lesson group of two days of four lessons and three activities, each
  // on a one-slot block in columns 1, 2 and 3.
  void ToDage() {
    tg = NyTg(20, 'L');
    for (uint8_t d = 0; d < 2; ++d)
      for (uint32_t l = 1; l <= 4; ++l) pp.push_back(NyPp(tg, 20000 + d * 10 + l, 0, d, l));
    const char *navne[] = {"Matematik", "Dansk", "Engelsk"};
    for (uint32_t i = 0; i < 3; ++i) {
      la.push_back(NyLa(tg, 200 + i, navne[i]));
      NyLap(tg, 2000 + i, la[i], pp[i], 1);
    }
    tvtg.AktuelRec = tg;
    tvla.AktuelRec = la[0];
    tvpp.AktuelRec = pp[0];
  }

  HWND Aabn() {
    const HWND h = OpretObjektVindue(hoved, kElevPlanType, 0, nullptr);
    tavo::test::PumpUntilIdle();
    return h;
  }
  static ElevPlanWS *Pw(HWND h) { return ElevPlanVinduesWS(h); }

  void Tast(UINT vk, int mods = 0) {
    SetFocus(hoved);
    tavo::test::PressKey(vk, mods);
    tavo::test::PumpUntilIdle();
  }

  // The pixel at (dx, dy) of cell (row r, column c) in the cell pane.
  static COLORREF Celle(HWND h, uint32_t r, uint32_t c, int dx, int dy) {
    const Ens &e = Pw(h)->ens;
    return tavo::test::WindowPixel(e.hwndCeller, static_cast<int>((c - 1) * kKol) + dx - static_cast<int>(e.ScrollX),
                                   static_cast<int>((r - 1) * kElevPlanRaekkeHoejde) + dy - static_cast<int>(e.ScrollY));
  }
  static void TegnCeller(HWND h) {
    SendMessageA(h, ENS_CELLER_TEGN, 0, 0);
    tavo::test::PumpUntilIdle();
  }
  static COLORREF Farve(uint8_t i) { return FarveTab[i] & 0xFFFFFF; }
  // The colours of a 2 x 2 patch of a cell: a mixed colour shows both of
  // its parts.
  static std::set<COLORREF> Flade(HWND h, uint32_t r, uint32_t c) {
    std::set<COLORREF> s;
    for (int dx : {1, 2})
      for (int dy : {2, 3}) s.insert(Celle(h, r, c, dx, dy) & 0xFFFFFF);
    return s;
  }
  static COLORREF Sort() { return GetSysColor(COLOR_3DDKSHADOW) & 0xFFFFFF; }

  // The plan row of an activity record in the window's workspace.
  static std::string PlanAf(HWND h, uint32_t l) { return Raekke(Pw(h)->PlanGitter, LaPosition(Pw(h), l)); }
  bool DataFindes(const char *navn) const { return std::filesystem::exists(rod / "data" / navn); }
};

// ==================================================================== painting

class ElevPlanVindueTegning : public ElevPlanVindueTest {};

TEST_F(ElevPlanVindueTegning, ADaySeparatorAfterTheFourthColumnInTheHeaderAndEveryRow) {
  ToDage();
  HWND h = Aabn();
  ASSERT_NE(h, 0u);
  const Ens &e = Pw(h)->ens;
  ASSERT_EQ(Pw(h)->PpAntal, 8u);
  // The pixel left of each column's own separator: dark only where the day
  // changes.
  for (uint32_t c = 1; c <= 7; ++c) {
    const int x = static_cast<int>(c * kKol) - 2;
    const bool dag = c == 4;
    EXPECT_EQ(tavo::test::WindowPixel(e.hwndKolHoved, x, 13) == Sort(), dag) << "header, column " << c;
    for (uint32_t r = 1; r <= 3; ++r)
      EXPECT_EQ(Celle(h, r, c, kKol - 2, 1) == Sort(), dag) << "row " << r << ", column " << c;
  }
}

TEST_F(ElevPlanVindueTegning, TheCurrentCellOnABarredSlotIs19WhileActiveAnd20WhenNot) {
  ToDage();
  HWND h = Aabn();
  ElevPlanWS *w = Pw(h);
  ASSERT_TRUE(w->ens.Aktiv);
  w->LaSpaerring(LaPosition(w, la[0]), 5) = 1;
  w->LaPos.Aktuel = 1;
  w->PpPos.Aktuel = 5;
  TegnCeller(h);
  // 19 and 20 are the barred colour mixed with the active and the inactive
  // caption colour.
  EXPECT_EQ(Flade(h, 1, 5), (std::set<COLORREF>{Farve(1), Farve(18)}));
  EXPECT_EQ(Celle(h, 1, 6, 1, 2), Farve(36)) << "a free cell beside it";
  w->LaSpaerring(LaPosition(w, la[0]), 6) = 1;
  TegnCeller(h);
  EXPECT_EQ(Celle(h, 1, 6, 1, 2), Farve(18)) << "a barred cell that is not current";

  SendMessageA(h, VINDUE_DEAKTIVER, 0, 0);
  TegnCeller(h);
  EXPECT_FALSE(w->ens.Aktiv);
  EXPECT_EQ(Flade(h, 1, 5), (std::set<COLORREF>{Farve(2), Farve(18)}));
}

TEST_F(ElevPlanVindueTegning, BlockShapesWithThePlaceLockAndTheTwoMarks) {
  ToDage();
  HWND h = Aabn();
  ElevPlanWS *w = Pw(h);
  // Row 2 holds a one-slot block in column 2; row 3 one in column 3; the
  // cursor stays on row 1.
  w->LaPos.Aktuel = 1;
  w->PpPos.Aktuel = 1;
  struct Tilfaelde {
    const char *navn;
    char plads, luk, behold;
    bool y4, y2, y10;  // block colour at the bar's row y+4, the top mark y+2, the bottom mark y+10
  } tilfaelde[] = {
      {"plain", 0, 0, 0, false, false, false},
      {"place lock: the bar 4 pixels thicker", 1, 0, 0, true, false, false},
      {"closed for new students", 0, 1, 0, false, true, false},
      {"students kept", 0, 0, 1, false, false, true},
      {"both marks", 0, 1, 1, false, true, true},
  };
  const COLORREF blok = Farve(31);
  for (const Tilfaelde &t : tilfaelde) {
    LaRec *l = LaRecNr(la[1]);
    l->PladsLaas = t.plads;
    l->LukForNyeElever = t.luk;
    l->BeholdElever = t.behold;
    TegnCeller(h);
    EXPECT_EQ(Celle(h, 2, 2, 13, 6), blok) << t.navn << ": the bar";
    EXPECT_EQ(Celle(h, 2, 2, 13, 4) == blok, t.y4) << t.navn;
    EXPECT_EQ(Celle(h, 2, 2, 13, 9) == blok, t.y4) << t.navn;
    EXPECT_EQ(Celle(h, 2, 2, 13, 2) == blok, t.y2) << t.navn;
    EXPECT_EQ(Celle(h, 2, 2, 13, 10) == blok, t.y10) << t.navn;
    EXPECT_EQ(Celle(h, 2, 2, 4, 3), blok) << t.navn << ": the left end";
    EXPECT_EQ(Celle(h, 2, 2, 2, 7), Farve(36)) << t.navn << ": left of the block";
  }
  // The current cell's block is drawn in colour 3.
  TegnCeller(h);
  EXPECT_EQ(Celle(h, 1, 1, 13, 6), Farve(3));
}

TEST_F(ElevPlanVindueTegning, TheCaptionAndTheProgressTextWhileTheRunsGoOn) {
  ToDage();
  HWND h = Aabn();
  ElevPlanWS *w = Pw(h);
  EXPECT_STREQ(w->ens.Titel, " Planlægnings vindue - Gruppe 20");
  w->SimuleringKoerer = 1;
  w->SimuleringNr = 7;
  w->AntalSimuleringer = 25;
  w->SimuleringTaeller = 1;
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, 1046, 0, 0);
  bool fundet = false;
  for (const auto &t : tavo::test::DrawnTexts())
    if (t.text == "Simulerer      7 af     25  (     1)") fundet = true;
  EXPECT_TRUE(fundet);
  w->SimuleringKoerer = 0;
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, 1046, 0, 0);
  for (const auto &t : tavo::test::DrawnTexts()) EXPECT_EQ(t.text.find("Simulerer"), std::string::npos);
}

// ==================================================================== input

class ElevPlanVindueInput : public ElevPlanVindueTest {};

TEST_F(ElevPlanVindueInput, DownRightAndShiftRightMoveTheCurrentActivitysBlock) {
  ToDage();
  HWND h = Aabn();
  ElevPlanWS *w = Pw(h);
  ASSERT_EQ(AktuelLa(w), la[0]);
  Tast(VK_DOWN);
  EXPECT_EQ(AktuelLa(w), la[1]);
  Tast(VK_RIGHT);
  EXPECT_EQ(AktuelPp(w), pp[1]);
  EXPECT_EQ(PlanAf(h, la[1]), "01000000");
  Tast(VK_RIGHT, tavo::test::ModShift);
  w = Pw(h);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(PlanAf(h, la[1]), "00100000");
  EXPECT_EQ(AktuelPp(w), pp[2]);
  // The cells as painted agree with the plan: the block left column 2 for 3.
  EXPECT_EQ(Celle(h, 2, 3, 13, 6), Farve(3));
  EXPECT_EQ(Celle(h, 2, 2, 13, 6), Farve(36));
}

// The main window takes the focus from the active grid window while a dialog
// is up (1101) and gives it back with 1135 when the dialog is gone: the
// window becomes active again without telling the desktop, and the keys move
// its cursor again; 1100 tells the desktop.
TEST_F(ElevPlanVindueInput, TheFocusGivenBackAfterADialogActivatesTheWindowQuietly) {
  ToDage();
  HWND h = Aabn();
  ElevPlanWS *w = Pw(h);
  ASSERT_TRUE(w->ens.Aktiv);
  SendMessageA(h, VINDUE_DEAKTIVER, 0, 0);
  ASSERT_FALSE(w->ens.Aktiv);
  gAktiv = 0;
  SendMessageA(h, VINDUE_AKTIVER_STILLE, 0, 0);
  EXPECT_TRUE(w->ens.Aktiv);
  EXPECT_EQ(gAktiv, 0u) << "the desktop was told";
  gAktiv = h;
  Tast(VK_DOWN);
  EXPECT_EQ(AktuelLa(w), la[1]);
  SendMessageA(h, VINDUE_DEAKTIVER, 0, 0);
  gAktiv = 0;
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  EXPECT_TRUE(w->ens.Aktiv);
  EXPECT_EQ(gAktiv, h);
}

TEST_F(ElevPlanVindueInput, XBarsTheSlotAndStepsOnAndCtrlF4SavesThePlanOnClosing) {
  ToDage();
  HWND h = Aabn();
  ElevPlanWS *w = Pw(h);
  Tast(VK_RIGHT);
  Tast(VK_RIGHT);
  ASSERT_EQ(w->PpPos.Aktuel, 3u);
  Tast('X');
  EXPECT_EQ(w->LaSpaerring(LaPosition(w, la[0]), 3), 1);
  EXPECT_EQ(w->PpPos.Aktuel, 4u) << "the cursor steps on to the right";
  EXPECT_EQ(Celle(h, 1, 3, 1, 2), Farve(18));
  EXPECT_FALSE(DataFindes("lap.DAT"));
  Tast(VK_F4, tavo::test::ModCtrl);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(FindVindueType(kElevPlanType), 0u);
  EXPECT_TRUE(DataFindes("lap.DAT"));
}

TEST_F(ElevPlanVindueInput, ASortButtonClickedTwiceReversesTheOrderAndShowsPicture112) {
  ToDage();
  HWND h = Aabn();
  ElevPlanWS *w = Pw(h);
  ASSERT_EQ(w->SorterKnapAntal, 2u);
  HWND knap = w->SorterKnapper[0];
  ASSERT_NE(knap, 0u);
  auto *b = reinterpret_cast<BWS *>(GetWindowLongPtrA(knap, GWLP_USERDATA));
  EXPECT_STREQ(b->txt, "Aktivitet");
  EXPECT_STREQ(b->tooltxt, "Sorter efter Aktivitet");
  auto klik = [&] {
    const POINT p = tavo::test::ScreenPoint(knap, 10, 8);
    tavo::test::Click(p.x, p.y);
    tavo::test::PumpUntilIdle();
  };
  auto raekker = [&] {
    std::vector<uint32_t> v(w->LaVisTab + 1, w->LaVisTab + 1 + w->LaAntal);
    return v;
  };
  klik();
  EXPECT_EQ(raekker(), (std::vector<uint32_t>{la[1], la[2], la[0]}));  // Dansk, Engelsk, Matematik
  EXPECT_EQ(b->pictureName, MAKEINTRESOURCE(111));
  tavo::test::Click(50, 40);  // off the button, so that the next is no double click
  tavo::test::PumpUntilIdle();
  klik();
  EXPECT_EQ(raekker(), (std::vector<uint32_t>{la[0], la[2], la[1]}));
  EXPECT_EQ(w->SorterRetning, 2);
  EXPECT_EQ(b->pictureName, MAKEINTRESOURCE(112));
}

TEST_F(ElevPlanVindueInput, CtrlKShowsTheProgressOfEachRunAndEndsWithTheBestPlan) {
  ToDage();
  for (const char *n : {"Al", "Bo"}) NyElti(NyElev(uint8_t(n[0]), n), tg);
  HWND h = Aabn();
  ElevPlanWS *w = Pw(h);
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) {
    SetDlgItemTextA(d.hwnd, IDC_SIM_ANTAL, "5");
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return INT_PTR{0};
  });
  tavo::test::ClearDrawnTexts();
  Tast('K', tavo::test::ModCtrl);
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  std::vector<std::string> fremdrift;
  for (const auto &t : tavo::test::DrawnTexts())
    if (t.text.rfind("Simulerer", 0) == 0 && (fremdrift.empty() || fremdrift.back() != t.text))
      fremdrift.push_back(t.text);
  EXPECT_EQ(fremdrift, (std::vector<std::string>{
                           "Simulerer      1 af      5  (     1)", "Simulerer      2 af      5  (     1)",
                           "Simulerer      3 af      5  (     1)", "Simulerer      4 af      5  (     1)",
                           "Simulerer      5 af      5  (     1)"}));
  EXPECT_FALSE(w->SimuleringKoerer);
  // The plan shown at the end is the plan as it stands.
  for (uint32_t r = 1; r <= w->LaAntal; ++r)
    for (uint32_t c = 1; c <= w->PpAntal; ++c)
      if (!(r == w->LaPos.Aktuel && c == w->PpPos.Aktuel)) {
        EXPECT_EQ(Celle(h, r, c, 13, 6) == Farve(31), w->PlanGitter(LaPosition(w, w->LaVisTab[r]), c) != 0)
            << r << "," << c;
      }
}

// ==================================================================== opener

class ElevPlanVindueAabner : public ElevPlanVindueTest {};

TEST_F(ElevPlanVindueAabner, WithoutGroupsTheRefusalAndNoWindow) {
  EXPECT_EQ(Aabn(), 0u);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Ingen tilmeldingsgrupper");
  EXPECT_EQ(bokse[0].text,
            "Der er ingen tilmeldingsgrupper i dette skema.\nDer skal findes tilmeldingsgrupper for at kunne "
            "åbne planlægningsvinduet.\nTilmeldingsgrupper hentes ved at kontakte ElevPlan.!");
  EXPECT_EQ(VinduesListeAntal(), 0);
}

TEST_F(ElevPlanVindueAabner, OneWindowAtTheSizeRulesAndTheStatusWindowOnlyBesideIt) {
  ToDage();
  EXPECT_EQ(OpretObjektVindue(hoved, kElevStatType, 0, nullptr), 0u) << "no planning window yet";
  HWND h = Aabn();
  ASSERT_NE(h, 0u);
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.right - r.left, CalcElevPlanWidth(Pw(h), kDeskB));
  EXPECT_EQ(r.bottom - r.top, CalcElevPlanHeight(Pw(h), kDeskH));
  EXPECT_EQ(GetWindowLongA(h, GWL_ID), kElevPlanType);
  EXPECT_EQ(Aabn(), 0u) << "a second 40225";
  EXPECT_EQ(VinduesListeAntal(), 1);
  EXPECT_EQ(reinterpret_cast<ElevPlanWS *>(SendMessageA(h, ELEVPLAN_HENT_WS, 0, 0)), Pw(h));
  EXPECT_EQ(SendMessageA(h, ELEVPLAN_MAX_ANTAL, 0, 0), 8);

  HWND s = OpretObjektVindue(hoved, kElevStatType, 0, nullptr);
  tavo::test::PumpUntilIdle();
  ASSERT_NE(s, 0u);
  GetWindowRect(s, &r);
  EXPECT_EQ(r.right - r.left, ElevStatBredde(kDeskB));
  EXPECT_EQ(r.bottom - r.top, ElevStatHoejde(kDeskH));
  EXPECT_EQ(OpretObjektVindue(hoved, kElevStatType, 0, nullptr), 0u) << "a second status window";
  tavo::test::ClearDrawnTexts();
  SendMessageA(s, 1082, 0, 0);
  std::vector<std::string> tekster;
  for (const auto &t : tavo::test::DrawnTexts()) tekster.push_back(t.text);
  ASSERT_FALSE(tekster.empty());
  EXPECT_EQ(tekster.front(), "Status (LektionsMode)");
  EXPECT_EQ(tekster[1], "Lektioner            :     8");

  // The planning window closes and takes its workspace along: the status
  // window draws nothing more from it.
  DestroyWindow(h);
  tavo::test::ClearDrawnTexts();
  SendMessageA(s, 1082, 0, 0);
  EXPECT_TRUE(tavo::test::DrawnTexts().empty());
}

// ==================================================================== status

class ElevStatusTal : public ElevPlanMappe {};

TEST_F(ElevStatusTal, TheLinesOfAGroupInWeekAndInLessonMode) {
  struct Tilfaelde {
    char art;
    std::vector<std::string> linjer;
  } tilfaelde[] = {
      {'U',
       {"Status (UgeMode)", "Uger                 :     4", "Aktiviteter          :     3",
        "Aktivitsuger         :     3", "Aktiviteter pr. uge  :  0.75", "Antal elever         :     3",
        "Gns. klassekvotient  :  4.00", "Elev uger            :    11", "                  Ønske Opfyldt",
        "1. prioritet          8       8", "2. prioritet          4       2", "1+2. prioritet       12      10",
        "Placeret (3)                  1", "Resultat    11    11     0        "}},
      {'L',
       {"Status (LektionsMode)", "Lektioner            :     4", "Aktiviteter          :     3",
        "Aktivitslektioner    :     3", "Aktiviteter pr. lek  :  0.75", "Antal elever         :     3",
        "Gns. klassekvotient  :  4.00", "Elev lektioner       :    11", "                  Ønske Opfyldt",
        "1. prioritet          8       8", "2. prioritet          4       2", "1+2. prioritet       12      10",
        "Placeret (3)                  1", "Resultat    11    11     0        "}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    TomElevTabeller();
    std::vector<uint32_t> slots;
    const uint32_t g = NyGruppe(30, t.art, 4, &slots);
    const uint32_t a1 = NyLa(g, 301, "A"), a2 = NyLa(g, 302, "B"), a3 = NyLa(g, 303, "C");
    // Weights 2, 1 and 5 in either mode.
    for (auto [l, w] : {std::pair{a1, 2u}, {a2, 1u}, {a3, 5u}}) LaRecNr(l)->uge_antal = LaRecNr(l)->lek_antal = w;
    NyLap(g, 3001, a1, slots[0], 1);
    NyLap(g, 3002, a2, slots[1], 1);
    NyLap(g, 3003, a3, slots[2], 1);
    const uint32_t e1 = NyElev(1, "Al");
    for (uint32_t e : {e1, NyElev(2, "Bo"), NyElev(3, "Cy")}) NyElti(e, g);
    NyEb(g, 9001, e1, slots[3]);
    Vis(g);
    // The counts as the placements left them: a2 is a duplicate, a3 not
    // active.
    *LaRecNr(a1) = [&] {
      LaRec l = *LaRecNr(a1);
      l.onske_prio_1 = 4, l.onske_prio_2 = 2, l.akt_prio_1 = 3, l.akt_prio_2 = 1, l.akt_prio_3 = 0;
      return l;
    }();
    LaRec *b = LaRecNr(a2);
    b->dubletnr = 2, b->onske_prio_1 = 9, b->onske_prio_2 = 9, b->akt_prio_1 = 2, b->akt_prio_2 = 0, b->akt_prio_3 = 1;
    LaRec *c = LaRecNr(a3);
    c->aktiv = 0, c->onske_prio_1 = 7, c->akt_prio_1 = 7;
    std::vector<std::string> linjer;
    for (const ElevStatLinje &l : ElevStatLinjer(BeregnElevStatus(ws))) linjer.push_back(l.tekst);
    EXPECT_EQ(linjer, t.linjer) << t.art;
  }
}

TEST_F(ElevStatusTal, NoSlotsAndNoActiveActivitiesGiveZeroQuotients) {
  ElevStatTal t{};
  t.E0 = 5;
  EXPECT_EQ(ElevStatLinjer(t)[4].tekst, "Aktiviteter pr. lek  :  0.00");
  EXPECT_EQ(ElevStatLinjer(t)[6].tekst, "Gns. klassekvotient  :  0.00");

  std::vector<uint32_t> slots;
  const uint32_t g = NyGruppe(30, 'U', 2, &slots);
  const uint32_t a = NyLa(g, 301, "A");
  LaRecNr(a)->uge_antal = 2;
  NyLap(g, 3001, a, slots[0], 1);
  NyElti(NyElev(1, "Al"), g);
  Vis(g);
  LaRecNr(a)->aktiv = 0;
  const ElevStatTal u = BeregnElevStatus(ws);
  EXPECT_EQ(u.A, 0u);
  EXPECT_EQ(u.Kvotient, 0.0f);
  EXPECT_EQ(u.PrSlot, 0.0f);
  // Without slots the quotient per slot is 0, not a division by zero.
  ws->PpAntal = 0;
  LaRecNr(a)->aktiv = 1;
  const ElevStatTal v = BeregnElevStatus(ws);
  EXPECT_EQ(v.A, 2u);
  EXPECT_EQ(v.PrSlot, 0.0f);
  EXPECT_EQ(v.Kvotient, 0.0f);
}

}  // namespace
