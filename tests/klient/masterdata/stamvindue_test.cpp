// The master-data window on the test desktop: its kind, its object list,
// the keys and clicks on its panes, stepping through the objects and the
// other windows following, the subjects sort, the geometry and a snapshot.

#include <cstdio>
#include <map>

#include "../ui/switch_fixture.h"
#include "NYBUTTON.h"
#include "STAMOPL.h"
#include "relmatrix_support.h"

namespace {

using namespace reltest;

// The desktop hands the keys it gets to the active window, as the program's
// key road does.
LRESULT CALLBACK DesktopMedTaster(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN) {
    const HWND aktiv = wfb_test::Skrivebord().aktiv;
    if (aktiv && IsWindow(aktiv)) {
      TastInfo t;
      MakeTastInfo(&t, m, w, l);
      SendMessageA(aktiv, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
    }
    return 0;
  }
  return wfb_test::TestDesktopProc(h, m, w, l);
}

// A window of another subsystem that opens the master data: its kind letter.
LRESULT CALLBACK EjerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == OBJEKT_ART) return GetWindowLongPtrA(h, GWLP_USERDATA);
  return DefWindowProcA(h, m, w, l);
}

// Rows the test places in the list panes, as the lists' builder would.
struct Raekker {
  std::vector<uint32_t> rude[kStamRuder];
};
Raekker &Placerede() {
  static Raekker r;
  return r;
}
void PlacerRaekker(StamWS *ws) {
  for (int p = STAM_FOCUS_TIMER; p <= STAM_FOCUS_INS; ++p) {
    StamRude &d = ws->DWnd[p];
    const std::vector<uint32_t> &v = Placerede().rude[p];
    std::free(d.ObjTab);
    d.ObjTab = StamNyObjTab(p, static_cast<uint32_t>(v.size()));
    std::copy(v.begin(), v.end(), d.ObjTab + 1);
    d.ObjTabAntal = static_cast<uint32_t>(v.size());
    if (p == STAM_FOCUS_SKFA) {
      std::free(d.SkfaSumTab);
      d.SkfaSumTab = StamNySkfaSumTab(d.ObjTabAntal);
      for (uint32_t i = 1; i <= d.ObjTabAntal; ++i) d.SkfaSumTab[i] = SkfaSum{d.ObjTab[i], static_cast<int32_t>(i), 0, 0, 0};
    }
  }
}

class StamTest : public RelTest {
 protected:
  void SetUp() override {
    RelTest::SetUp();
    ASSERT_TRUE(RegistrerStamKlasse(0));
    SetWindowLongPtrA(desktop, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DesktopMedTaster));
    wfb_test::Registrer("StamEjer", EjerProc, 0);
    StamKrog = StamKroge{};
    Placerede() = Raekker{};
  }
  void TearDown() override {
    StamKrog = StamKroge{};
    RelTest::TearDown();
  }

 public:
  HWND Aabn(char bogstav, HWND ejer = 0) {
    HWND h = CreateStamWnd(ejer, kStamKommando, bogstav);
    if (h) {
      ShowWindow(h, SW_SHOWNORMAL);
      UpdateWindow(h);
      BringWindowToTop(h);
    }
    tavo::test::PumpUntilIdle();
    return h;
  }
  static StamWS *Ws(HWND h) { return StamVinduesWS(h); }
  static std::vector<uint32_t> Objekter(HWND h) {
    const StamRude &d = Ws(h)->DWnd[STAM_FOCUS_STAM];
    return std::vector<uint32_t>(d.ObjTab + 1, d.ObjTab + 1 + d.ObjTabAntal);
  }
  static void Tast(UINT vk, int mods = 0) {
    tavo::test::PressKey(vk, mods);
    tavo::test::PumpUntilIdle();
  }
  void Klik(HWND rude, int x, int y) {
    const POINT p = tavo::test::ScreenPoint(rude, x, y);
    tavo::test::Click(p.x, p.y);
    tavo::test::PumpUntilIdle();
    NytKlik();
  }
  static uint32_t Skfa(const char *fag, const char *betegnelse) {
    SkfaRec s{};
    s.id = static_cast<uint32_t>(tvskfa.wRecCnt) + 500;
    s.Status = 20;
    predtest::Tekst(s.Skolefag, fag);
    predtest::Tekst(s.Betegnelse, betegnelse);
    return predtest::Ny(tdskfa, tvskfa, s);
  }
  static uint32_t Medarbejder(const char *initialer, const char *navn) {
    MedaRec m{};
    m.id = static_cast<uint32_t>(tvmeda.wRecCnt) + 300;
    m.Status = 20;
    predtest::Tekst(m.Initialer, initialer);
    predtest::Tekst(m.Navn, navn);
    const uint32_t mn = predtest::Ny(tdmeda, tvmeda, m);
    AnfoRec a{};
    a.id = static_cast<uint32_t>(tvanfo.wRecCnt) + 400;
    a.meda_id = mn;
    a.Status = 20;
    a.Gruppe = 1;
    predtest::Tekst(a.Loebenummer, "1");
    return predtest::Ny(tdanfo, tvanfo, a);
  }
  // The body texts drawn since the log was cleared, by pane.
  static std::set<int> TegnedeRuder(HWND h) {
    std::set<int> s;
    const StamWS *ws = Ws(h);
    for (const auto &t : tavo::test::DrawnTexts())
      for (int p = 0; p < kStamRuder; ++p)
        if (t.hwnd && t.hwnd == ws->DWnd[p].hwndKrop) s.insert(p);
    return s;
  }
};

SIZE Stoerrelse(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// ==================================================================== kind and objects

class StamVindueArt : public StamTest {};

TEST_F(StamVindueArt, TheKindComesFromTheCallerOrTheOwnerAndDefaultsToActivities) {
  struct Tilfaelde {
    const char *navn;
    char givet;
    char ejerSvar;  // the owner's answer to 1121
    char vist;
    const char *titel;
  };
  const Tilfaelde tilfaelde[] = {
      {"owner without a kind", 0, 0, 'K', " Stamoplysninger  -  Aktivitet"},
      {"owner of rooms", 0, 'L', 'L', " Stamoplysninger  -  Lokale"},
      {"owner of employees", 0, 'M', 'M', " Stamoplysninger  -  Medarbejder"},
      {"kind given, owner not asked", 'L', 'M', 'L', " Stamoplysninger  -  Lokale"},
      {"owner of a kind without master data", 0, 'U', 'K', " Stamoplysninger  -  Aktivitet"},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    HWND ejer = CreateWindowExA(0, "StamEjer", "", WS_CHILD, 0, 0, 10, 10, desktop, 0, 0, nullptr);
    SetWindowLongPtrA(ejer, GWLP_USERDATA, static_cast<uint8_t>(t.ejerSvar));
    HWND h = Aabn(t.givet, ejer);
    ASSERT_NE(h, static_cast<HWND>(0));
    EXPECT_EQ(SendMessageA(h, OBJEKT_ART, 0, 0), static_cast<uint8_t>(t.vist));
    EXPECT_STREQ(Ws(h)->Titel, t.titel);
    EXPECT_EQ(GetDlgCtrlID(h), static_cast<int>(kStamKommando));
    EXPECT_EQ(SendMessageA(h, VINDUE_ART, 0, 0), static_cast<LRESULT>(kStamKommando));
    DestroyWindow(h);
    DestroyWindow(ejer);
    tavo::test::PumpUntilIdle();
  }
}

TEST_F(StamVindueArt, TheObjectsAreTheLiveOnesOfTheGroupSortedWithTheCurrentOneShown) {
  const uint32_t c = Akti(1, "CHARLIE");
  const uint32_t a = Akti(2, "ALFA");
  Akti(3, "SLETTET", 0);
  Akti(4, "ARKIV", 30);
  Akti(5, "ANDENGRUPPE", 20, "HOLD", 2);
  const uint32_t b = Akti(6, "BRAVO", 20, "HOLD", 3);
  Sorter();
  HuskGruppe[GruppeArtIndeks('K')] = 1;
  tvakti.AktuelRec = b;
  HWND h = Aabn('K');
  EXPECT_EQ(Objekter(h), (std::vector<uint32_t>{a, b, c}));
  EXPECT_EQ(StamObjekt(Ws(h)), b);
  DestroyWindow(h);
  // A current record outside the list shows the first object.
  tvakti.AktuelRec = 3;
  h = Aabn('K');
  EXPECT_EQ(StamObjekt(Ws(h)), a);
}

TEST_F(StamVindueArt, AKindWithoutObjectsShowsNothingAndTakesKeysAndClicksHarmlessly) {
  HWND h = Aabn('L');
  ASSERT_NE(h, static_cast<HWND>(0));
  StamWS *ws = Ws(h);
  EXPECT_EQ(ws->DWnd[STAM_FOCUS_STAM].ObjTabAntal, 0u);
  EXPECT_EQ(StamObjekt(ws), 0u);
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, STAM_TEGN_ALT, 0, 0);
  // The header's cells are drawn, all blank.
  for (const auto &t : tavo::test::DrawnTexts())
    if (t.hwnd == ws->DWnd[STAM_FOCUS_STAM].hwndKrop) {
      EXPECT_EQ(t.text.find_first_not_of(' '), std::string::npos) << t.text;
    }
  for (UINT vk : {VK_DOWN, VK_UP, VK_NEXT, VK_PRIOR, VK_LEFT, VK_RIGHT, VK_TAB}) {
    Tast(vk);
    Tast(vk, tavo::test::ModCtrl);
    Tast(vk, tavo::test::ModAlt);
  }
  for (int p = 0; p < kStamRuder; ++p)
    if (ws->DWnd[p].hwndKrop && ws->DWnd[p].Krop.bottom > ws->DWnd[p].Krop.top) Klik(ws->DWnd[p].hwndKrop, 5, 5);
  ASSERT_TRUE(IsWindow(h));
  EXPECT_EQ(StamObjekt(ws), 0u);
  for (int p = STAM_FOCUS_TIMER; p <= STAM_FOCUS_INS; ++p) EXPECT_EQ(ws->DWnd[p].PosY.Aktuel, 0u) << p;
  EXPECT_EQ(tvloka.AktuelRec, 0u);
}

// ==================================================================== keys

class StamVindueTaster : public StamTest {};

TEST_F(StamVindueTaster, StepsThroughTheObjectsAndKeepsTheLastOnDown) {
  Skole(4, 0);
  tvakti.AktuelRec = akti[2];
  HWND h = Aabn('K');
  StamWS *ws = Ws(h);
  ASSERT_EQ(StamObjekt(ws), akti[2]);
  Tast(VK_DOWN);
  EXPECT_EQ(StamObjekt(ws), akti[3]);
  EXPECT_EQ(tvakti.AktuelRec, akti[3]);
  Tast(VK_DOWN);
  EXPECT_EQ(StamObjekt(ws), akti[3]);
  Tast(VK_UP, tavo::test::ModAlt);
  EXPECT_EQ(StamObjekt(ws), akti[0]);
  EXPECT_EQ(tvakti.AktuelRec, akti[0]);
}

TEST_F(StamVindueTaster, TabCyclesThePanesAndRepaintsTheTwo) {
  Skole(2, 0);
  Placerede().rude[STAM_FOCUS_TIMER] = {1, 2};
  Placerede().rude[STAM_FOCUS_SKFA] = {Skfa("DA", "Dansk")};
  Placerede().rude[STAM_FOCUS_INS] = {};
  StamKrog.ByggLister = PlacerRaekker;
  HWND h = Aabn('K');
  StamWS *ws = Ws(h);
  const uint32_t frem[] = {1, 2, 3, 0, 1};
  uint32_t forrige = 0;
  for (uint32_t f : frem) {
    tavo::test::ClearDrawnTexts();
    Tast(VK_TAB);
    EXPECT_EQ(ws->Fokus, f);
    // Pane 3 is empty and draws no text.
    std::set<int> ventet;
    for (uint32_t p : {forrige, f})
      if (p != STAM_FOCUS_INS) ventet.insert(static_cast<int>(p));
    EXPECT_EQ(TegnedeRuder(h), ventet) << "to " << f;
    forrige = f;
  }
  const uint32_t tilbage[] = {0, 3, 2};
  for (uint32_t f : tilbage) {
    Tast(VK_TAB, tavo::test::ModShift);
    EXPECT_EQ(ws->Fokus, f);
  }
}

TEST_F(StamVindueTaster, TheArrowsMoveTheFocusedPanesCursor) {
  Skole(1, 0);
  std::vector<uint32_t> rek;
  for (uint32_t i = 1; i <= 40; ++i) rek.push_back(i);
  Placerede().rude[STAM_FOCUS_SKFA] = rek;
  StamKrog.ByggLister = PlacerRaekker;
  HWND h = Aabn('K');
  StamWS *ws = Ws(h);
  Tast(VK_TAB);
  Tast(VK_TAB);
  ASSERT_EQ(ws->Fokus, static_cast<uint32_t>(STAM_FOCUS_SKFA));
  StamRude &d = ws->DWnd[STAM_FOCUS_SKFA];
  const uint32_t side = d.PosY.Synlige - 1;
  ASSERT_GT(side, 1u);
  struct Tilfaelde {
    const char *navn;
    UINT vk;
    int mods;
    uint32_t fra, til;
  };
  const Tilfaelde tilfaelde[] = {
      {"Down", VK_DOWN, 0, 1, 2},
      {"Right", VK_RIGHT, 0, 1, 2},
      {"PgDn", VK_NEXT, 0, 5, 6},
      {"Up", VK_UP, 0, 5, 4},
      {"Left", VK_LEFT, 0, 5, 4},
      {"PgUp", VK_PRIOR, 0, 5, 4},
      {"Up at the first", VK_UP, 0, 1, 1},
      {"Down at the last", VK_DOWN, 0, 40, 40},
      {"Ctrl+Down a page", VK_DOWN, tavo::test::ModCtrl, 1, 1 + side},
      {"Ctrl+PgUp a page", VK_PRIOR, tavo::test::ModCtrl, 30, 30 - side},
      {"Ctrl+Up stops at the first", VK_UP, tavo::test::ModCtrl, 2, 1},
      {"Alt+Down the last", VK_DOWN, tavo::test::ModAlt, 3, 40},
      {"Alt+Up the first", VK_UP, tavo::test::ModAlt, 33, 1},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    d.PosY.Aktuel = t.fra;
    d.Flag |= STAM_TEGN;
    OpdaterStam(ws);
    Tast(t.vk, t.mods);
    EXPECT_EQ(d.PosY.Aktuel, t.til);
    // The cursor's text is in view.
    const uint32_t hoejde = static_cast<uint32_t>(d.Krop.bottom - d.Krop.top);
    EXPECT_GE(GridCelleStart(&d.AkseY, t.til), d.ScrollY);
    EXPECT_LT(GridCelleSlut(&d.AkseY, t.til), d.ScrollY + hoejde);
  }
  // The object did not move.
  EXPECT_EQ(StamObjekt(ws), akti[0]);
}

TEST_F(StamVindueTaster, TheWheelScrollsTheFocusedListTwoLinesANotch) {
  Skole(1, 0);
  std::vector<uint32_t> rek;
  for (uint32_t i = 1; i <= 60; ++i) rek.push_back(i);
  Placerede().rude[STAM_FOCUS_SKFA] = rek;
  StamKrog.ByggLister = PlacerRaekker;
  HWND h = Aabn('K');
  StamWS *ws = Ws(h);
  const StamRude &d = ws->DWnd[STAM_FOCUS_SKFA];
  // The header has no scroll bar: the wheel does nothing there.
  SendMessageA(h, ENS_HJUL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(d.ScrollY, 0u);
  Tast(VK_TAB);
  Tast(VK_TAB);
  const uint32_t hoejde = static_cast<uint32_t>(d.Krop.bottom - d.Krop.top);
  // One line by the bar first, so that a row ends at the bottom.
  SendMessageA(h, WM_VSCROLL, SB_LINEDOWN, static_cast<LPARAM>(d.hwndScroll));
  const uint32_t nederst = GridPixelTilCelle(&d.AkseY, d.ScrollY + hoejde - 1);
  ASSERT_EQ(GridCelleSlut(&d.AkseY, nederst), d.ScrollY + hoejde - 1);
  // Down: each line brings the next row's end to the bottom.
  SendMessageA(h, ENS_HJUL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), 0);
  EXPECT_EQ(d.ScrollY + hoejde - 1, GridCelleSlut(&d.AkseY, nederst + 4));
  // Up: the first line shows the top row whole, the second the one before.
  const uint32_t oeverst = GridPixelTilCelle(&d.AkseY, d.ScrollY);
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, ENS_HJUL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(d.ScrollY, GridCelleStart(&d.AkseY, oeverst - 1));
  EXPECT_EQ(d.PosY.Foerste, oeverst - 1);
  EXPECT_EQ(TegnedeRuder(h), std::set<int>{STAM_FOCUS_SKFA});
  // The cursor stays where it was.
  EXPECT_EQ(d.PosY.Aktuel, 1u);
}

TEST_F(StamVindueTaster, CtrlF4AndEscCloseAndF4AlonePassesOn) {
  Skole(2, 0);
  HWND h = Aabn('K');
  struct Tilfaelde {
    const char *navn;
    UINT vk;
    bool ctrl, alt;
    bool taget;
  };
  const Tilfaelde tilfaelde[] = {
      {"F4", VK_F4, false, false, false},
      {"Alt+F4", VK_F4, false, true, false},
      {"Ctrl+F4", VK_F4, true, false, true},
      {"Esc", VK_ESCAPE, false, false, true},
      {"a letter", 'Q', false, false, true},
      {"F3", VK_F3, false, false, true},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    TastInfo ti{0, t.ctrl ? -1 : 0, t.alt ? -1 : 0, static_cast<uint32_t>(t.alt ? WM_SYSKEYDOWN : WM_KEYDOWN), t.vk, 0,
                0, 0};
    EXPECT_EQ(SendMessageA(h, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&ti)), t.taget ? 1 : 0);
    EXPECT_TRUE(IsWindow(h));  // asking never acts
  }
  Tast(VK_F4);
  EXPECT_TRUE(IsWindow(h));
  Tast(VK_F4, tavo::test::ModCtrl);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(VinduesListe.hoved, nullptr);
  h = Aabn('K');
  Tast(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(h));
}

// ==================================================================== clicks

class StamVindueKlik : public StamTest {};

TEST_F(StamVindueKlik, AClickInAPaneBodyFocusesItAndPutsTheCursorOnTheRow) {
  Skole(2, 0);
  std::vector<uint32_t> rek;
  for (uint32_t i = 1; i <= 5; ++i) rek.push_back(i);
  Placerede().rude[STAM_FOCUS_TIMER] = rek;
  Placerede().rude[STAM_FOCUS_INS] = {1, 2, 3};
  StamKrog.ByggLister = PlacerRaekker;
  HWND h = Aabn('K');
  StamWS *ws = Ws(h);
  struct Tilfaelde {
    const char *navn;
    int rude;
    int y;
    uint32_t raekke;
  };
  const int insBund = ws->DWnd[STAM_FOCUS_INS].Krop.bottom - ws->DWnd[STAM_FOCUS_INS].Krop.top - 2;
  ASSERT_GT(insBund, 3 * 13);
  const Tilfaelde tilfaelde[] = {
      {"second count row", STAM_FOCUS_TIMER, 13 + 5, 2},
      {"first scheduler row", STAM_FOCUS_INS, 3, 1},
      {"below the last scheduler", STAM_FOCUS_INS, insBund, 3},
      {"the header", STAM_FOCUS_STAM, 5, 0},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    Klik(ws->DWnd[t.rude].hwndKrop, 10, t.y);
    EXPECT_EQ(ws->Fokus, static_cast<uint32_t>(t.rude));
    if (t.raekke) {
      EXPECT_EQ(ws->DWnd[t.rude].PosY.Aktuel, t.raekke);
    }
  }
  EXPECT_EQ(StamObjekt(ws), Objekter(h)[0]);
  // The cursor row is marked only in the focused pane.
  Klik(ws->DWnd[STAM_FOCUS_TIMER].hwndKrop, 10, 5);
  const auto farve = [&](int rude, int raekke) {
    return tavo::test::WindowPixel(ws->DWnd[rude].hwndKrop, 1, raekke * 13 + 6);
  };
  ASSERT_NE(FarveTab[1], FarveTab[30]);
  EXPECT_EQ(farve(STAM_FOCUS_TIMER, 0), FarveTab[1]);
  EXPECT_EQ(farve(STAM_FOCUS_TIMER, 1), FarveTab[30]);
  EXPECT_EQ(ws->DWnd[STAM_FOCUS_INS].PosY.Aktuel, 3u);
  EXPECT_EQ(farve(STAM_FOCUS_INS, 2), FarveTab[30]);
}

TEST_F(StamVindueKlik, AClickOnAnInactiveWindowAsksTheDesktopFirst) {
  Skole(2, 0);
  Placerede().rude[STAM_FOCUS_TIMER] = {1, 2, 3};
  StamKrog.ByggLister = PlacerRaekker;
  HWND a = Aabn('K');
  HWND b = Aabn('K');
  StamWS *wa = Ws(a);
  ASSERT_FALSE(wa->Aktiv);
  wfb_test::Skrivebord().tillad = false;
  SetWindowPos(b, 0, 420, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  tavo::test::PumpUntilIdle();
  Klik(wa->DWnd[STAM_FOCUS_TIMER].hwndKrop, 10, 13 + 5);
  EXPECT_FALSE(wa->Aktiv);
  EXPECT_EQ(wa->Fokus, 0u);
  EXPECT_EQ(wa->DWnd[STAM_FOCUS_TIMER].PosY.Aktuel, 1u);
  wfb_test::Skrivebord().tillad = true;
  Klik(wa->DWnd[STAM_FOCUS_TIMER].hwndKrop, 10, 13 + 5);
  EXPECT_TRUE(wa->Aktiv);
  EXPECT_FALSE(Ws(b)->Aktiv);
  EXPECT_EQ(wa->Fokus, static_cast<uint32_t>(STAM_FOCUS_TIMER));
  EXPECT_EQ(wa->DWnd[STAM_FOCUS_TIMER].PosY.Aktuel, 2u);
}

// ==================================================================== following

class StamVindueFoelger : public StamTest {};

TEST_F(StamVindueFoelger, TwoWindowsOfAKindFollowEachOtherWithoutEchoes) {
  Skole(5, 0);
  HWND a = Aabn('K');
  HWND b = Aabn('K');
  StamWS *wa = Ws(a), *wb = Ws(b);
  ASSERT_TRUE(wb->Aktiv);
  ASSERT_FALSE(wa->Aktiv);
  SetWindowPos(b, 0, 420, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  tavo::test::PumpUntilIdle();
  tavo::test::StartMessageLog();
  Tast(VK_DOWN);
  Tast(VK_DOWN);
  const auto log = tavo::test::StopMessageLog();
  EXPECT_EQ(StamObjekt(wb), akti[2]);
  EXPECT_EQ(StamObjekt(wa), akti[2]);
  EXPECT_EQ(tvakti.AktuelRec, akti[2]);
  // One notice per step to the other window, none back.
  EXPECT_EQ(tavo::test::MessagesOf(log, a, {AKTUEL_AENDRET}).size(), 2u);
  EXPECT_TRUE(tavo::test::MessagesOf(log, b, {AKTUEL_AENDRET}).empty());

  // Now the other one is stepped by the user.
  Klik(wa->DWnd[STAM_FOCUS_STAM].hwndKrop, 5, 5);
  ASSERT_TRUE(wa->Aktiv);
  ASSERT_FALSE(wb->Aktiv);
  Tast(VK_UP, tavo::test::ModAlt);
  EXPECT_EQ(StamObjekt(wa), akti[0]);
  EXPECT_EQ(StamObjekt(wb), akti[0]);
}

TEST_F(StamVindueFoelger, TheActiveWindowIgnoresANoticeWithoutFlags) {
  Skole(3, 0);
  HWND h = Aabn('K');
  StamWS *ws = Ws(h);
  ASSERT_TRUE(ws->Aktiv);
  tvakti.AktuelRec = akti[2];
  // Bits beyond the redraw flags are no flags.
  SendMessageA(h, AKTUEL_AENDRET, 0x10000, 0);
  EXPECT_EQ(StamObjekt(ws), akti[0]);
  SendMessageA(h, AKTUEL_AENDRET, STAM_TEGN, 0);
  EXPECT_EQ(StamObjekt(ws), akti[2]);
  // An inactive window follows also a notice without flags.
  SendMessageA(h, VINDUE_DEAKTIVER, 0, 0);
  tvakti.AktuelRec = akti[1];
  SendMessageA(h, AKTUEL_AENDRET, 0, 0);
  EXPECT_EQ(StamObjekt(ws), akti[1]);
}

// ==================================================================== sorting

class StamVindueSortering : public StamTest {
 public:
  static const BWS *Knap(HWND h, uint32_t i) {
    return reinterpret_cast<const BWS *>(GetWindowLongPtrA(Ws(h)->DWnd[STAM_FOCUS_SKFA].Knapper[i], GWLP_USERDATA));
  }
  void KlikKnap(HWND h, uint32_t i) {
    HWND k = Ws(h)->DWnd[STAM_FOCUS_SKFA].Knapper[i];
    RECT r;
    GetClientRect(k, &r);
    Klik(k, r.right / 2, r.bottom / 2);
  }
  static std::vector<std::string> Betegnelser(HWND h) {
    std::vector<std::string> v;
    const StamRude &d = Ws(h)->DWnd[STAM_FOCUS_SKFA];
    for (uint32_t i = 1; i <= d.ObjTabAntal; ++i) {
      const auto *s = reinterpret_cast<const SkfaRec *>(GetRec(&tdskfa, &tvskfa, d.ObjTab[i]));
      v.push_back(s ? s->Betegnelse : "?");
      EXPECT_EQ(+d.SkfaSumTab[i].id, d.ObjTab[i]) << "figures of row " << i;
    }
    return v;
  }
};

TEST_F(StamVindueSortering, AHeaderButtonSortsTheSubjectsAndShowsItsMark) {
  Skole(1, 0);
  const uint32_t ma = Skfa("MA", "Matematik");
  const uint32_t da = Skfa("DA", "Dansk");
  const uint32_t en = Skfa("EN", "Engelsk");
  const uint32_t ae = Skfa("AE", "Ærø");
  Placerede().rude[STAM_FOCUS_SKFA] = {ma, da, ae, en};
  StamKrog.ByggLister = PlacerRaekker;
  HWND h = Aabn('K');
  StamWS *ws = Ws(h);
  StamRude &d = ws->DWnd[STAM_FOCUS_SKFA];
  ASSERT_GE(d.KnapAntal, 2u);
  d.PosY.Aktuel = 2;  // on Dansk
  const auto mark = [&](uint32_t i) { return reinterpret_cast<uintptr_t>(Knap(h, i)->pictureName); };

  KlikKnap(h, 1);  // Betegnelse
  EXPECT_EQ(Betegnelser(h), (std::vector<std::string>{"Dansk", "Engelsk", "Matematik", "Ærø"}));
  EXPECT_EQ(mark(1), static_cast<uintptr_t>(kStamSortStigende));
  EXPECT_EQ(d.ObjTab[d.PosY.Aktuel], da);
  EXPECT_EQ(+ObjSwitchLayout(kStamSkfaArt, kStamSkfaBogstav, 0)->SortFelt, 4u);

  KlikKnap(h, 1);
  EXPECT_EQ(Betegnelser(h), (std::vector<std::string>{"Ærø", "Matematik", "Engelsk", "Dansk"}));
  EXPECT_EQ(mark(1), static_cast<uintptr_t>(kStamSortFaldende));
  EXPECT_EQ(d.ObjTab[d.PosY.Aktuel], da);

  KlikKnap(h, 0);  // Skolefag
  EXPECT_EQ(Betegnelser(h), (std::vector<std::string>{"Ærø", "Dansk", "Engelsk", "Matematik"}));
  EXPECT_EQ(mark(0), static_cast<uintptr_t>(kStamSortStigende));
  EXPECT_EQ(mark(1), 0u);
  EXPECT_EQ(d.ObjTab[d.PosY.Aktuel], da);
  EXPECT_EQ(+ObjSwitchLayout(kStamSkfaArt, kStamSkfaBogstav, 0)->SortFelt, 1u);
}

TEST_F(StamVindueSortering, OnlyTheSubjectsButtonsSort) {
  Skole(1, 0);
  Placerede().rude[STAM_FOCUS_INS] = {1, 2};
  StamKrog.ByggLister = PlacerRaekker;
  HWND h = Aabn('K');
  const StamRude &ins = Ws(h)->DWnd[STAM_FOCUS_INS];
  ASSERT_GE(ins.KnapAntal, 1u);
  RECT r;
  GetClientRect(ins.Knapper[0], &r);
  Klik(ins.Knapper[0], r.right / 2, r.bottom / 2);
  EXPECT_EQ(std::vector<uint32_t>(ins.ObjTab + 1, ins.ObjTab + 3), (std::vector<uint32_t>{1, 2}));
  EXPECT_EQ(reinterpret_cast<const BWS *>(GetWindowLongPtrA(ins.Knapper[0], GWLP_USERDATA))->pictureName, nullptr);
  EXPECT_EQ(+ObjSwitchLayout(kStamSkfaArt, kStamSkfaBogstav, 0)->SortFelt, 0u);
}

// ==================================================================== geometry

class StamVindueGeometri : public StamTest {};

TEST_F(StamVindueGeometri, TheWindowFitsTheDesktopAndItsPanesShareTheHeight) {
  const int cx = GetSystemMetrics(SM_CXFRAME), sb = GetSystemMetrics(SM_CXVSCROLL);
  const int oenskeB = 350 + 2 * cx + sb + 2;
  struct Tilfaelde {
    const char *navn;
    int b, h;
    char bogstav;
  };
  const Tilfaelde tilfaelde[] = {
      {"a wide and high desktop", 1200, 1000, 'M'},
      {"the test desktop", 800, 600, 'M'},
      {"a narrow and low desktop", 300, 420, 'K'},
  };
  Skole(1, 0);
  Medarbejder("ABC", "Anna Berg");
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    FriArealRect = RECT{0, 0, t.b - 1, t.h - 1};
    HWND h = Aabn(t.bogstav);
    StamWS *ws = Ws(h);
    const int pladsB = t.b - 6, pladsH = t.h - 60;
    const SIZE s = Stoerrelse(h);
    EXPECT_EQ(s.cx, std::min(oenskeB, pladsB));
    const RECT p = Plads(h);
    EXPECT_EQ(p.left, 3 + (pladsB - s.cx) / 2);
    EXPECT_EQ(p.top, 40);
    EXPECT_LE(s.cy, pladsH);
    EXPECT_EQ(s.cy, std::min(SendMessageA(h, ENS_HOEJDE, 0, 0), static_cast<LRESULT>(pladsH)));
    const auto hoejde = [&](int r) { return static_cast<int>(ws->DWnd[r].Krop.bottom - ws->DWnd[r].Krop.top); };
    // The panes lie one below the other inside the frame.
    int forrige = 0;
    for (int r : {STAM_FOCUS_STAM, STAM_NOEGLETAL, STAM_FOCUS_TIMER, STAM_FOCUS_SKFA, STAM_FOCUS_INS}) {
      if (t.bogstav != 'M' && r == STAM_NOEGLETAL) continue;
      EXPECT_GE(ws->DWnd[r].Kaption.top, forrige) << r;
      forrige = ws->DWnd[r].Krop.bottom;
      EXPECT_LE(ws->DWnd[r].Krop.right + (r == STAM_FOCUS_STAM || r == STAM_NOEGLETAL ? 0 : sb), s.cx - cx) << r;
    }
    EXPECT_LE(forrige, ws->Hoejde);
    EXPECT_EQ(hoejde(STAM_NOEGLETAL), t.bogstav == 'M' ? 4 * 13 + 5 : 0);
    const int lister = hoejde(STAM_FOCUS_TIMER) + hoejde(STAM_FOCUS_SKFA) + hoejde(STAM_FOCUS_INS);
    if (s.cy == SendMessageA(h, ENS_HOEJDE, 0, 0)) {
      // Room for all: the header its least and each list its wanted rows.
      EXPECT_EQ(hoejde(STAM_FOCUS_STAM), 220);
      EXPECT_EQ(hoejde(STAM_FOCUS_TIMER), 6 * 13);
      EXPECT_EQ(hoejde(STAM_FOCUS_SKFA), 25 * 13);
      EXPECT_EQ(hoejde(STAM_FOCUS_INS), 12 * 13);
    } else if (lister > 0) {
      EXPECT_EQ(hoejde(STAM_FOCUS_STAM), 220);
      EXPECT_LT(lister, 43 * 13);
      EXPECT_GT(hoejde(STAM_FOCUS_SKFA), hoejde(STAM_FOCUS_INS));
      EXPECT_GT(hoejde(STAM_FOCUS_INS), hoejde(STAM_FOCUS_TIMER));
    } else {
      EXPECT_LT(hoejde(STAM_FOCUS_STAM), 220);
    }
    DestroyWindow(h);
    tavo::test::PumpUntilIdle();
  }
}

TEST_F(StamVindueGeometri, SizingKeepsAtLeast150By100AndAtMostTheWantedSize) {
  Skole(1, 0);
  HWND h = Aabn('K');
  const int fuldB = static_cast<int>(SendMessageA(h, ENS_BREDDE, kDeskB, 0));
  const int fuldH = static_cast<int>(SendMessageA(h, ENS_HOEJDE, 0, 0));
  struct Tilfaelde {
    const char *navn;
    RECT ind;
    SIZE ud;
  };
  const Tilfaelde tilfaelde[] = {
      {"dragged to a point", {100, 100, 101, 101}, {150, 100}},
      {"dragged far out", {100, 100, 5000, 5000}, {fuldB, fuldH}},
      {"within the limits", {100, 100, 300, 250}, {200, 150}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    RECT r = t.ind;
    SendMessageA(h, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.right - r.left, t.ud.cx);
    EXPECT_EQ(r.bottom - r.top, t.ud.cy);
  }
  // A small window still lays its panes out without negative sizes.
  SetWindowPos(h, 0, 0, 0, 150, 100, SWP_NOMOVE | SWP_NOZORDER);
  tavo::test::PumpUntilIdle();
  for (const StamRude &d : Ws(h)->DWnd) {
    EXPECT_GE(d.Krop.bottom, d.Krop.top);
    EXPECT_GE(d.Krop.right, d.Krop.left);
  }
}

// ==================================================================== texts and layouts

class StamVindueTekster : public StamTest {};

TEST_F(StamVindueTekster, LabelsAndBlankCellsOfTheHeader) {
  const struct {
    uint32_t kode;
    const char *label;
  } labels[] = {{1, "Aktivitet:"}, {3, "Betegnelse - K:"}, {5, "Betegnelse - L:"}, {7, "Periode:"},
                {12, "Afregningsform:"}, {19, "TMK:"}, {25, "UVFO:"}, {30, "Initialer:"}, {32, "Navn:"},
                {36, "Arbejdstidsaftale:"}, {60, "Lokale:"}, {65, "Gade:"}, {67, "Sted:"}, {91, "Elevlektioner:"},
                {2, ""}, {999, ""}, {0, ""}};
  for (const auto &l : labels) EXPECT_STREQ(StamLabelTekst(l.kode), l.label) << l.kode;

  Skole(1, 0);
  HWND h = Aabn('K');
  StamWS *ws = Ws(h);
  char tekst[kSwitchTekstLen];
  StamItemTekst(ws, kStamHovedArt, 7, 12, tekst);
  EXPECT_EQ(std::string(tekst, 14), "Periode:      ");
  EXPECT_EQ(std::strlen(tekst), kSwitchMaksTegn);
  StamItemTekst(ws, kStamHovedArt, 999, 12, tekst);
  EXPECT_EQ(std::string(tekst).find_first_not_of(' '), std::string::npos);
  // A value item without its provider stays blank.
  StamItemTekst(ws, kStamHovedArt, 2, 12, tekst);
  EXPECT_EQ(std::string(tekst).find_first_not_of(' '), std::string::npos);
  // The header draws its labels.
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, STAM_TEGN_ALT, 0, 0);
  bool fundet = false;
  for (const auto &t : tavo::test::DrawnTexts())
    if (t.hwnd == ws->DWnd[STAM_FOCUS_STAM].hwndKrop && t.text.rfind("Aktivitet:", 0) == 0) fundet = true;
  EXPECT_TRUE(fundet);
}

TEST_F(StamVindueTekster, TheFieldSwitchReaderTakesTheWindowsItemCodes) {
  // The shipped layouts: six header rows for each kind and the counts'
  // three columns also for rooms, whose table has fewer fields.
  for (char b : {'K', 'M', 'L'}) {
    EXPECT_EQ(ObjSwitchAntal(kStamHovedArt, static_cast<uint8_t>(b)), 6u) << b;
    EXPECT_EQ(ObjSwitchFeltAntal(kStamTimerArt, static_cast<uint8_t>(b), 0), 3u) << b;
    EXPECT_EQ(ObjSwitchFeltAntal(kStamToolbarArt, static_cast<uint8_t>(b), 0), 1u) << b;
  }
  EXPECT_EQ(ObjSwitchFeltAntal(kStamSkfaArt, kStamSkfaBogstav, 0), 6u);
  EXPECT_EQ(ObjSwitchFeltAntal(kStamInsArt, kStamInsBogstav, 0), 2u);
  // Other kinds still refuse a field the table lacks.
  FrigivSwitchTab();
  const char linjer[] = "[ObjectSwitchField]\n70,L,0,66,0,2,0,0,30,0,1,T,0\n102,L,0,92,0,2,0,0,8,0,1,N,0\n"
                        "68,L,0,102,0,2,0,0,8,0,1,T,0\n68,L,0,103,0,2,0,0,8,0,1,T,0\n46,L,0,66,0,2,0,0,8,0,1,T,0\n";
  FILE *f = fmemopen(const_cast<char *>(linjer), sizeof linjer - 1, "r");
  ASSERT_NE(f, nullptr);
  int sektion = 0;
  switch_intern::LaesLayoutFil(f, "test.ini", &sektion);
  std::fclose(f);
  EXPECT_EQ(ObjSwitchFeltNr(kStamHovedArt, 'L', 0, 0), 66u);
  EXPECT_EQ(ObjSwitchFeltNr(kStamTimerArt, 'L', 0, 0), 92u);
  EXPECT_EQ(ObjSwitchFeltAntal(kStamToolbarArt, 'L', 0), 1u);
  EXPECT_EQ(ObjSwitchFeltAntal(46, 'L', 0), 0u);
}

// ==================================================================== snapshot

class StamVindueBillede : public StamTest {};

TEST_F(StamVindueBillede, AnEmployeesWindow) {
  Medarbejder("ABC", "Anna Berg");
  Medarbejder("DEF", "Dorte Friis");
  Placerede().rude[STAM_FOCUS_SKFA] = {Skfa("DA", "Dansk"), Skfa("MA", "Matematik")};
  StamKrog.ByggLister = PlacerRaekker;
  HWND h = Aabn('M');
  ASSERT_NE(h, static_cast<HWND>(0));
  const std::string sti = (rod / "stamvindue_medarbejder.png").string();
  EXPECT_TRUE(tavo::test::SaveWindowPng(h, sti.c_str()));
  if (const char *ud = std::getenv("TAVO_SNAPSHOT_DIR")) {
    const std::string kopi = std::string(ud) + "/stamvindue_medarbejder.png";
    tavo::test::SaveWindowPng(h, kopi.c_str());
  }
  // The frame's caption and the header's labels of an employee are drawn.
  EXPECT_EQ(tavo::test::WindowPixel(h, GetSystemMetrics(SM_CXFRAME) + 1, GetSystemMetrics(SM_CYFRAME) + 1),
            GetSysColor(COLOR_ACTIVECAPTION));
}

}  // namespace
