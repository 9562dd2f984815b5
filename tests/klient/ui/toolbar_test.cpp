// The toolbar strip on a grid window made through the frame: its layout at
// every width, the toggle button, the pane tooltips, the group messages
// with the F3 key to the main window, the ring strip's create record and
// relays (and the toolbar without it), and a group picked on the test
// desktop by mouse.

#include <cstring>
#include <string>

#include "ENS.h"
#include "RINGTID.h"
#include "TOOLTIP.h"
#include "gruppe_support.h"
#include "skrivebord_support.h"

namespace {

using gruppe_test::F3Antal;
using gruppe_test::GruppeTest;
using Beskeder = std::vector<std::pair<UINT, WPARAM>>;

// ---- a ring strip standing in for the schedule's

struct RingSet {
  RingOpretInfo info;  // the create record as it arrived
  HWND hwnd;
  std::vector<std::pair<UINT, WPARAM>> hoert;
};
RingSet &Ring() {
  static RingSet r;
  return r;
}

LRESULT CALLBACK TestRingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  auto *info = reinterpret_cast<RingOpretInfo *>(GetWindowLongPtrA(h, GWLP_USERDATA));
  switch (m) {
    case WM_CREATE:
      info = static_cast<RingOpretInfo *>(reinterpret_cast<CREATESTRUCTA *>(l)->lpCreateParams);
      SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(info));
      Ring().info = *info;
      Ring().hwnd = h;
      return 0;
    case WM_DESTROY:
      std::free(info);  // the strip owns its record
      return 0;
    case RING_NAESTE:
      Ring().hoert.emplace_back(m, w);
      // As the strip does: the next ring system, then by index.
      SendMessageA(info->toolbar, RING_VALGT, 7, 0);
      SendMessageA(info->toolbar, RING_VALGT_INDEKS, 0, 0);
      return 0;
    case RING_VAELG_ID:
    case RING_VIS_ID:
      Ring().hoert.emplace_back(m, w);
      return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class ToolbarStrimmel : public GruppeTest {
 protected:
  void SetUp() override {
    GruppeTest::SetUp();
    Ring() = RingSet{};
    RingBogstavBredde[0] = 80;
    RingBogstavBredde[1] = 60;
  }
  void TearDown() override {
    RingBogstavBredde[0] = RingBogstavBredde[1] = 0;
    GruppeTest::TearDown();
  }

  static void RegistrerRing() { wfb_test::Registrer("RingWndClass", TestRingProc, CS_OWNDC); }

  // A grid window on the host, made through the frame with a toolbar of
  // every part: toggle, pane wanted 300 wide, ring strip 'S', group button.
  HWND Gitter(uint32_t maske = 0, bool ring = true, uint8_t linjer = 1) {
    vaerdier[0] = 'M';
    vaerdier[1] = 'S';
    vaerdier[2] = maske;
    vaerdier[3] = 1;
    vaerdier[4] = 1;
    vaerdier[5] = ring;
    vaerdier[6] = 300;
    wfb_test::GitterParam p{&navne, false, 0, nullptr, nullptr, nullptr, {}, vaerdier, linjer};
    HWND g = CreateWindowExA(0, "WfbGitter", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                             600, 300, vaert, 0, 0, &p);
    tavo::test::PumpUntilIdle();
    wfb_test::Log().clear();
    return g;
  }
  static HWND Toolbar(HWND gitter) {
    return reinterpret_cast<wfb_test::GitterVindue *>(GetWindowLongPtrA(gitter, GWLP_USERDATA))->ens.hwndToolbar;
  }
  static TBWS *Ws(HWND tb) { return reinterpret_cast<TBWS *>(GetWindowLongPtrA(tb, GWLP_USERDATA)); }
  static HWND GruppeKnapAf(HWND tb) {
    HWND k = 0;
    SendMessageA(tb, TB_GRUPPEKNAP, reinterpret_cast<WPARAM>(&k), 0);
    return k;
  }
  // x and width of a child in the toolbar.
  static std::pair<int, int> Plads(HWND tb, HWND barn) {
    if (!barn) return {-1, -1};
    RECT r;
    GetWindowRect(barn, &r);
    POINT p{r.left, r.top};
    ScreenToClient(tb, &p);
    return {p.x, r.right - r.left};
  }

  // A part without width is where it is: only its width counts.
  static std::pair<int, int> Del(std::pair<int, int> p) { return p.second ? p : std::pair<int, int>{0, 0}; }

  uint32_t vaerdier[7] = {};
  std::vector<std::string> navne{"Anna", "Bent"};
};

TEST_F(ToolbarStrimmel, LayoutSharesTheWidthInTheOrderOfItsParts) {
  // Slot 19 (toggle at 3), pane wanted 300, ring strip 60 + 10, group button
  // 100 + 10: 499 in all.
  GruppeListeBredde[GRP_ANFO] = 100;
  const struct {
    int bredde;
    bool knap;
    int rudeX, rudeB, ringX, ringB, gruppeX, gruppeB;
  } tabel[] = {
      {600, true, 19, 401, 430, 60, 500, 100},  // the pane takes the surplus
      {499, true, 19, 300, 329, 60, 399, 100},  // every part as wanted
      {459, true, 19, 300, 329, 60, 399, 60},   // the wider shrinks to the narrower
      {449, true, 19, 300, 329, 55, 394, 55},   // then both by halves
      {404, true, 19, 300, 329, 32, 371, 33},   // the group button gives the smaller half
      {366, true, 19, 300, 329, 13, 352, 14},   // one above their least
      {365, true, 19, 300, 329, 13, 352, 13},   // both at 23 with their gaps
      {200, true, 19, 135, 164, 13, 187, 13},   // the pane takes what is left
      {60, true, 19, 18, 47, 13, -1, 0},        // the group button is dropped
      {30, true, 19, 11, -1, 0, -1, 0},         // then the ring strip
      {15, false, 0, 15, -1, 0, -1, 0},         // then the toggle slot
  };
  for (bool ring : {true, false}) {
    SCOPED_TRACE(ring ? "with a ring class" : "without a ring class");
    if (ring) RegistrerRing();
    else UnregisterClassA("RingWndClass", 0);
    HWND g = Gitter();
    HWND tb = Toolbar(g);
    ASSERT_NE(tb, 0u);
    HWND rude = static_cast<HWND>(SendMessageA(tb, ENS_TOOLBAR_RUDE, 0, 0));
    HWND knap = Ws(tb)->knap;
    HWND ringVindue = Ws(tb)->ring;
    EXPECT_EQ(ringVindue != 0, ring);
    for (const auto &t : tabel) {
      SCOPED_TRACE(t.bredde);
      MoveWindow(g, 0, 0, t.bredde, 300, TRUE);
      tavo::test::PumpUntilIdle();
      EXPECT_EQ(Plads(vaert, tb), (std::pair<int, int>{0, t.bredde}));
      EXPECT_EQ(Plads(tb, rude), (std::pair<int, int>{t.rudeX, t.rudeB}));
      EXPECT_EQ(SendMessageA(tb, TB_RUDEBREDDE, 0, 0), t.rudeB);
      EXPECT_EQ(IsWindowVisible(knap) != 0, t.knap);
      if (t.knap) {
        EXPECT_EQ(Plads(tb, knap), (std::pair<int, int>{3, 16}));
      }
      EXPECT_EQ(Del(Plads(tb, GruppeKnapAf(tb))), Del({t.gruppeX, t.gruppeB}));
      if (ring) {
        EXPECT_EQ(Del(Plads(tb, ringVindue)), Del({t.ringX, t.ringB}));
      }
    }
    DestroyWindow(g);
  }
}

TEST_F(ToolbarStrimmel, LayoutWithoutRingStripTakesTheShortfallFromTheGroupButton) {
  GruppeListeBredde[GRP_ANFO] = 100;
  const struct {
    int bredde, rudeB, gruppeX, gruppeB;
  } tabel[] = {
      {429, 300, 329, 100}, {400, 300, 329, 71}, {343, 300, 329, 14}, {342, 300, 329, 13}, {330, 288, 317, 13},
  };
  HWND g = Gitter(0, false);
  HWND tb = Toolbar(g);
  EXPECT_EQ(Ws(tb)->ring, 0u);
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.bredde);
    MoveWindow(g, 0, 0, t.bredde, 300, TRUE);
    tavo::test::PumpUntilIdle();
    EXPECT_EQ(SendMessageA(tb, TB_RUDEBREDDE, 0, 0), t.rudeB);
    EXPECT_EQ(Plads(tb, GruppeKnapAf(tb)), (std::pair<int, int>{t.gruppeX, t.gruppeB}));
  }
}

TEST_F(ToolbarStrimmel, ToggleButtonTellsTheOwnerAndSwitchesItsPicture) {
  HWND g = Gitter();
  HWND knap = Ws(Toolbar(g))->knap;
  auto *b = reinterpret_cast<BWS *>(GetWindowLongPtrA(knap, GWLP_USERDATA));
  EXPECT_EQ(b->style & NYB_KAPTION_MASKE, 0xD000u);
  for (uint32_t billede : {0xE000u, 0xD000u, 0xE000u}) {
    Klik(knap, 8, 7);
    EXPECT_EQ(Hoert({NYB_KLIK}), (Beskeder{{NYB_KLIK, 0}}));
    for (const auto &m : wfb_test::Log()) EXPECT_TRUE(m.msg != NYB_KLIK || m.l == 0);
    EXPECT_EQ(b->style & NYB_KAPTION_MASKE, billede);
    wfb_test::Log().clear();
  }
}

TEST_F(ToolbarStrimmel, TopLinesOrTheFirstColour) {
  for (uint8_t linjer : {1, 0}) {
    HWND g = Gitter(0, false, linjer);
    HWND tb = Toolbar(g);
    SendMessageA(tb, WM_PAINT, 0, 0);
    HDC dc = Ws(tb)->dc;
    const COLORREF top = linjer ? GetSysColor(COLOR_BTNSHADOW) : FarveTab[0];
    const COLORREF anden = linjer ? GetSysColor(COLOR_BTNHIGHLIGHT) : FarveTab[0];
    for (int x : {0, 250, 599}) {
      EXPECT_EQ(tavo::test::SurfacePixel(dc, x, 0), top) << x;
      EXPECT_EQ(tavo::test::SurfacePixel(dc, x, 1), anden) << x;
    }
    DestroyWindow(g);
  }
}

TEST_F(ToolbarStrimmel, GroupNumberFromTheMask) {
  const struct {
    uint32_t maske;
    int gruppe;
  } tabel[] = {{0x7FFFFFFF, 31}, {0x20, 5}, {0, 0}, {0x21, 5}, {0xFFFFFFFF, 1}};
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.maske);
    HWND g = Gitter(t.maske);
    EXPECT_EQ(SendMessageA(Toolbar(g), GRUPPE_HENT, 0, 0), t.gruppe);
    DestroyWindow(g);
  }
}

TEST_F(ToolbarStrimmel, GroupMessagesReachTheOwnerAndTheMainWindowGetsF3) {
  const struct {
    const char *hvad;
    UINT msg;
    WPARAM w;
    uint32_t gendannes;
    Beskeder ejer;  // the owner's 3026s
    size_t f3;
    int gruppe;     // the button's group afterwards (from 0)
  } tabel[] = {
      {"3026", GRUPPE_VALGT, 5, 0, {{GRUPPE_VALGT, 5}}, 1, 0},
      {"3026 while a screen is restored", GRUPPE_VALGT, 5, 1, {{GRUPPE_VALGT, 5}}, 0, 0},
      {"3026 past the names", GRUPPE_VALGT, 32, 0, {}, 0, 0},
      // The button tells the toolbar (3026 on, F3), and 1069 sends its F3.
      {"1069 with members", TB_GRUPPE_INDEKS, 2, 0, {{GRUPPE_VALGT, 2}}, 2, 2},
      {"1069 while a screen is restored", TB_GRUPPE_INDEKS, 2, 1, {{GRUPPE_VALGT, 2}}, 0, 2},
      {"1069 without members", TB_GRUPPE_INDEKS, 6, 0, {}, 1, 0},
      {"1069 past the names", TB_GRUPPE_INDEKS, 40, 0, {}, 1, 0},
      {"3025 sets the button", GRUPPE_SAET, 6, 0, {}, 0, 0},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.hvad);
    HWND g = Gitter();
    HWND tb = Toolbar(g);
    gruppe_test::HovedTaster().clear();
    SkaermGendannes = t.gendannes;
    SendMessageA(tb, t.msg, t.w, 0);
    SkaermGendannes = 0;
    EXPECT_EQ(Hoert({GRUPPE_VALGT}), t.ejer);
    EXPECT_EQ(F3Antal(), t.f3);
    EXPECT_EQ(gruppe_test::HovedTaster().size(), t.f3);
    EXPECT_EQ(SendMessageA(tb, GRUPPE_HENT, 0, 0), t.gruppe);
    DestroyWindow(g);
  }
  // 3025 with 85 sets a group without members.
  HWND tb = Toolbar(Gitter());
  SendMessageA(tb, GRUPPE_SAET, 6, 85);
  EXPECT_EQ(SendMessageA(tb, GRUPPE_HENT, 0, 0), 6);
}

// ---- tooltips: an owner that says what window it is

struct TipEjer {
  LRESULT art = 40001;
  LRESULT ingen = 0;
  std::vector<std::pair<UINT, LPARAM>> hoert;  // clicks and paints
};
TipEjer &Ejer() {
  static TipEjer e;
  return e;
}
LRESULT CALLBACK TipEjerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == VINDUE_ART) return Ejer().art;
  if (m == TB_INGEN_TOOLTIP) return Ejer().ingen;
  if (m == WM_NCLBUTTONDOWN || m == TB_RUDE_TEGN) {
    Ejer().hoert.emplace_back(m, m == WM_NCLBUTTONDOWN ? static_cast<LPARAM>(w) | l : l);
    return m == TB_RUDE_TEGN ? 77 : 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class ToolbarStrimmelEjer : public ToolbarStrimmel {
 protected:
  void SetUp() override {
    ToolbarStrimmel::SetUp();
    Ejer() = TipEjer{};
    wfb_test::Registrer("TipEjer", TipEjerProc);
    ejer = CreateWindowExA(0, "TipEjer", "", WS_CHILD | WS_VISIBLE, 0, 0, 600, 100, vaert, 0, 0, nullptr);
    tb = CreateTavoTBWnd(0, ejer, 'M', 'S', 0, true, false, true, false, 500, 600);
    ASSERT_NE(tb, 0u);
    ShowWindow(tb, SW_SHOW);
    tavo::test::PumpUntilIdle();
    Ejer().hoert.clear();
  }
  HWND ejer = 0, tb = 0;
};

TEST_F(ToolbarStrimmelEjer, PaneClicksAndPaintsGoToTheOwner) {
  HWND rude = static_cast<HWND>(SendMessageA(tb, ENS_TOOLBAR_RUDE, 0, 0));
  Klik(rude, 5, 5);
  Klik(tb, 2, 20);
  EXPECT_EQ(SendMessageA(tb, TB_RUDE_TEGN, 1, 2), 77);
  using Hoert = std::vector<std::pair<UINT, LPARAM>>;
  EXPECT_EQ(Ejer().hoert, (Hoert{{WM_NCLBUTTONDOWN, 0}, {WM_NCLBUTTONDOWN, 0}, {TB_RUDE_TEGN, 2}}));
}

TEST_F(ToolbarStrimmelEjer, SizedToItsParentsClientWidth) {
  MoveWindow(ejer, 0, 0, 432, 100, TRUE);
  SizeTavoTBWnd(ejer, tb);
  RECT r;
  GetWindowRect(tb, &r);
  EXPECT_EQ(r.right - r.left, 432);
  EXPECT_EQ(r.bottom - r.top, kToolbarHoejde);
  EXPECT_EQ(SendMessageA(tb, TB_RUDEBREDDE, 0, 0), 432 - 19);  // all but the toggle slot
}

TEST_F(ToolbarStrimmelEjer, PaneTooltipsOfTheStudentCountsByX) {
  ASSERT_NE(OpretTooltip(0, ejer), 0u);
  const struct {
    LRESULT art, ingen;
    int x;
    const char *tekst;  // null: none
  } tabel[] = {
      {40001, 0, 313, "Antal elever på start dagen"},
      {40001, 0, 333, "Antal elever på start dagen"},
      {40001, 0, 334, nullptr},
      {40004, 0, 350, "Antal elever på slut dagen"},
      {40132, 0, 370, "Antal elever på slut dagen"},
      {40135, 0, 400, "Antal elever på aktuel dag"},
      {40135, 0, 401, nullptr},
      {40002, 0, 320, nullptr},       // not a schedule window
      {40001, 0x101, 320, nullptr},   // the owner wants none
      {40001, 0x100, 320, "Antal elever på start dagen"},  // only the low byte counts
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.x);
    Ejer() = TipEjer{t.art, t.ingen};
    SendMessageA(tb, ENS_MUS_FLYT, 0, MAKELPARAM(t.x, 5));
    SendMessageA(tb, ENS_MUS_HVIL, 0, 0);
    auto *ti = reinterpret_cast<TooltipInfo *>(GetWindowLongPtrA(hwndTooltip, GWLP_USERDATA));
    EXPECT_EQ(TooltipVises != 0, t.tekst != nullptr);
    if (t.tekst) {
      EXPECT_STREQ(ti->text, t.tekst);
    }
    SendMessageA(tb, ENS_MUS_FORLAD, 0, 0);
    EXPECT_FALSE(TooltipVises);
  }
  // A text handed over is shown at the next hover.
  static const char kEgen[] = "Egen tekst";
  SendMessageA(tb, TB_TOOLTIP, 0, reinterpret_cast<LPARAM>(kEgen));
  SendMessageA(tb, ENS_MUS_HVIL, 0, 0);
  EXPECT_TRUE(TooltipVises);
  SkjulTooltip();
}

// ---- the ring strip

TEST_F(ToolbarStrimmel, RingStripGetsItsCreateRecordAndRelaysBothWays) {
  RegistrerRing();
  static char gruppeTekster[2][kRingTekstLaengde] = {"Lektion", "A+B"};
  static uint32_t gruppeIds[2] = {0, 4};
  static char singleTekster[3][kRingTekstLaengde] = {"Lektion", "A Alm", "B Aften"};
  static uint32_t singleIds[3] = {0, 4, 5};
  RingeGruppeStrTab = gruppeTekster;
  RingeGruppeTab = gruppeIds;
  RingeGruppeAntal = 2;
  RingeSingleStrTab = singleTekster;
  RingeSingleTab = singleIds;
  RingeSingleAntal = 3;
  GruppeListeBredde[GRP_AKTI] = 100;
  const HINSTANCE inst = 0x00400000u;
  const struct {
    char bogstav;
    uint32_t oensket, antal;
    char (*tekster)[kRingTekstLaengde];
    uint32_t *ids;
    int x, bredde;
  } tabel[] = {
      // 800 wide: 19 + pane + (80 or 60) + 10 + 110.
      {'G', 80, 2, gruppeTekster, gruppeIds, 19 + 581 + 10, 80},
      {'S', 60, 3, singleTekster, singleIds, 19 + 601 + 10, 60},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.bogstav);
    Ring() = RingSet{};
    HWND tb = CreateTavoTBWnd(inst, vaert, 'K', t.bogstav, 0, true, true, true, true, 200, 800);
    ASSERT_NE(tb, 0u);
    ASSERT_NE(Ring().hwnd, 0u);
    // The record is packed: its fields are read as values.
    const RingOpretInfo &r = Ring().info;
    EXPECT_EQ(+r.instance, inst);
    EXPECT_EQ(+r.toolbar, tb);
    EXPECT_EQ(+r.x, t.x);
    EXPECT_EQ(+r.y, 3);
    EXPECT_EQ(+r.bredde, t.bredde);
    EXPECT_EQ(+r.hoejde, 18);
    EXPECT_EQ(+r.oensketBredde, t.oensket);
    EXPECT_EQ(+r.listeHoejde, t.antal * 13 + 2);
    EXPECT_EQ(+r.nul1, 0);
    EXPECT_EQ(+r.tekstTab, t.tekster);
    EXPECT_EQ(+r.idTab, t.ids);
    EXPECT_EQ(+r.antal, t.antal);
    EXPECT_EQ(+r.nul2, 0u);
    EXPECT_EQ(+r.bogstav, t.bogstav);
    EXPECT_EQ(GetParent(Ring().hwnd), tb);

    wfb_test::Log().clear();
    EXPECT_TRUE(KmdToolbarRing(tb, true, 1));
    EXPECT_TRUE(Ring().hoert.empty());
    EXPECT_FALSE(KmdToolbarRing(tb, false, 2));
    EXPECT_TRUE(KmdToolbarRing(tb, true, 2));
    SendMessageA(tb, RING_VAELG_ID, 4, 0);
    SendMessageA(tb, RING_VIS_ID, 5, 1);
    EXPECT_EQ(Ring().hoert, (Beskeder{{RING_NAESTE, 10}, {RING_VAELG_ID, 4}, {RING_VIS_ID, 5}}));
    EXPECT_EQ(Hoert({RING_VALGT, RING_VALGT_INDEKS}), (Beskeder{{RING_VALGT, 7}, {RING_VALGT_INDEKS, 0}}));
    DestroyWindow(tb);
  }
  RingeGruppeStrTab = RingeSingleStrTab = nullptr;
  RingeGruppeTab = RingeSingleTab = nullptr;
  RingeGruppeAntal = RingeSingleAntal = 0;
}

TEST_F(ToolbarStrimmel, WithoutTheRingClassTheRingMessagesGoNowhere) {
  HWND g = Gitter();
  HWND tb = Toolbar(g);
  EXPECT_EQ(Ws(tb)->ring, 0u);
  EXPECT_TRUE(KmdToolbarRing(tb, true, 2));
  SendMessageA(tb, RING_VAELG_ID, 4, 0);
  SendMessageA(tb, RING_VIS_ID, 4, 1);
  EXPECT_TRUE(Hoert({RING_VALGT, RING_VALGT_INDEKS, RING_NAESTE}).empty());
  // The group button still works.
  SendMessageA(tb, GRUPPE_VALGT, 1, 0);
  EXPECT_EQ(Hoert({GRUPPE_VALGT}), (Beskeder{{GRUPPE_VALGT, 1}}));
}

// ---- end to end on the test desktop

class ToolbarStrimmelSkrivebord : public wfb_test::SkrivebordTest {
 protected:
  void SetUp() override {
    data.Opret();
    SkrivebordTest::SetUp();
    ASSERT_TRUE(RegistrerListeKlasser(0));
    ASSERT_TRUE(RegistrerToolbarKlasser(0));
    gruppe_test::HovedTaster().clear();
    SetWindowLongPtrA(hoved, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gruppe_test::HovedProc));
  }
  void TearDown() override {
    SkrivebordTest::TearDown();
    data.Fjern();
  }
  gruppe_test::GruppeData data;
};

TEST_F(ToolbarStrimmelSkrivebord, ThePickedGroupReachesTheWindowAndF3TheMainWindow) {
  const uint32_t vaerdier[7] = {'M', 'S', 0x7FFFFFFF, 1, 1, 0, 200};
  wfb_test::GitterOenske o{};
  o.iListe = true;
  wfb_test::GitterParam p{&navne, true, 0, nullptr, nullptr, nullptr, o, vaerdier, 1};
  HWND g = CreateWindowExA(0, "WfbGitter", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 50, 40,
                           500, 300, desktop, 0, 0, &p);
  tavo::test::PumpUntilIdle();
  HWND tb = reinterpret_cast<wfb_test::GitterVindue *>(GetWindowLongPtrA(g, GWLP_USERDATA))->ens.hwndToolbar;
  ASSERT_NE(tb, 0u);
  HWND knap = 0;
  SendMessageA(tb, TB_GRUPPEKNAP, reinterpret_cast<WPARAM>(&knap), 0);
  ASSERT_NE(knap, 0u);
  EXPECT_EQ(SendMessageA(knap, GRUPPE_HENT, 0, 0), 31);
  wfb_test::Log().clear();

  POINT pt = tavo::test::ScreenPoint(knap, 10, 9);
  tavo::test::Click(pt.x, pt.y);
  tavo::test::PumpUntilIdle();
  HWND liste = reinterpret_cast<GruppeKnapWS *>(GetWindowLongPtrA(knap, GWLP_USERDATA))->liste;
  ASSERT_TRUE(IsWindowVisible(liste));
  pt = tavo::test::ScreenPoint(liste, 10, 1 + 2 * kListBoxRaekke + 6);
  tavo::test::MouseMove(pt.x, pt.y);
  tavo::test::Click(pt.x, pt.y);
  tavo::test::PumpUntilIdle();

  EXPECT_FALSE(IsWindowVisible(liste));
  std::vector<WPARAM> valgt;
  for (const auto &b : wfb_test::Log())
    if (b.msg == GRUPPE_VALGT) valgt.push_back(b.w);
  EXPECT_EQ(valgt, std::vector<WPARAM>{2});
  EXPECT_EQ(gruppe_test::HovedTaster(), std::vector<WPARAM>{VK_F3});
  EXPECT_EQ(SendMessageA(knap, GRUPPE_HENT, 0, 0), 2);
}

}  // namespace
