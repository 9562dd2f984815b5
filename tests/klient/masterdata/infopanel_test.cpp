// The event info panel and the tile info panel on a test desktop over the
// shipped field layouts: their sizes worked out by hand from the layout
// file, the status line, the boxes of the detail panel, the events a
// schedule hands over, the shell's handles and a snapshot of each placement.

#include <cstdlib>
#include <string>
#include <vector>

#include "AVSHJAELP.h"
#include "BEGINFO.h"
#include "BRIKINFO.h"
#include "ELEMENT.h"
#include "ENSMUS.h"
#include "RELAY.h"
#include "SKEBEG.h"
#include "SKEMA.h"
#include "SKERAEKKE.h"
#include "relmatrix_support.h"

namespace {

using namespace reltest;

// Worked out from the shipped layouts of kinds 43, 48 and 49, 8 pixels a
// character in the grid font: the labels "Akt".."Lok" 24 wide, "Ejer",
// "Dato", "Ring" 32; the widest tile list is the employees' (9 + 15
// characters, two air pads and a line, and 38 for the figures).
constexpr uint32_t kFeltBredde = 235;
constexpr uint32_t kDetaljeBredde = 32 + 18 + 42 + 42 + 30;  // L and the three Tid boxes
constexpr uint32_t kBrikBreddeF = 24 + kFeltBredde + 24;

struct Hoert {
  HWND h;
  UINT m;
  WPARAM w;
  LPARAM l;
};
std::vector<Hoert> &Cellen() {
  static std::vector<Hoert> v;
  return v;
}
// A stand-in element cell: it allows activation and keeps what it hears.
LRESULT CALLBACK CelleProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m >= 1024 && m < 10000) {
    Cellen().push_back({h, m, w, l});
    return m == ENS_MAA_AKTIVERES ? 1 : 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class InfoPanelTest : public RelTest {
 protected:
  void SetUp() override {
    RelTest::SetUp();
    wfb_test::Registrer("BrikInfoWndClass", BrikInfoWndProc, CS_OWNDC | CS_DBLCLKS);
    wfb_test::Registrer("BegInfoWndClass", BegInfoWndProc, CS_OWNDC | CS_DBLCLKS);
    wfb_test::Registrer("BegInfo2WndClass", BegInfo2WndProc, CS_OWNDC | CS_DBLCLKS);
    wfb_test::Registrer("InfoCelle", CelleProc, CS_OWNDC);
    celle = CreateWindowExA(0, "InfoCelle", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 700, 400, desktop, 0,
                            0, nullptr);
    GlobalIndstillinger.insnr = kEgen;
    VisningsTilstand[VISNING_LEKTION].Ugedag = 3;
    Cellen().clear();
  }
  void TearDown() override {
    if (IsWindow(celle)) DestroyWindow(celle);
    hwndBrikInfo = hwndHuskBrik = 0;
    CleanupAVS(&BrikIndGemtAVS);
    RelTest::TearDown();
  }

 public:
  static constexpr uint8_t kEgen = 5;

  HWND Panel(uint8_t placering, int bredde, int hoejde) {
    HWND h = OpretBegInfoVindue(celle, 0, 0, bredde - 1, hoejde - 1, placering, 40154);
    tavo::test::PumpUntilIdle();
    return h;
  }
  static BegInfoWS *Ws(HWND h) { return reinterpret_cast<BegInfoWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }
  static BegInfo2WS *Detalje(HWND h) {
    return reinterpret_cast<BegInfo2WS *>(GetWindowLongPtrA(Ws(h)->hwndDetalje, GWLP_USERDATA));
  }
  static BrikInfoWS *Brik(HWND h) { return reinterpret_cast<BrikInfoWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }
  static RECT Sted(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    POINT p{r.left, r.top};
    ScreenToClient(GetParent(h), &p);
    return RECT{p.x, p.y, p.x + r.right - r.left, p.y + r.bottom - r.top};
  }
  // The texts drawn into a window since the log was cleared.
  static std::vector<std::string> Tekster(HWND h) {
    std::vector<std::string> v;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == h) v.push_back(t.text);
    return v;
  }
  static std::string StatusLinje(HWND panel) {
    std::string s;
    for (const std::string &t : Tekster(Ws(panel)->hwndDetalje))
      if (t.rfind("Status", 0) == 0) s = t;
    return s;
  }
  static void Vis(HWND panel, const SkeRec &r) {
    tavo::test::ClearDrawnTexts();
    SendMessageA(Ws(panel)->hwndDetalje, BRIKINFO_OPDATER, 0, reinterpret_cast<LPARAM>(&r));
  }
  static SkeRec Raekke(uint8_t ejer, uint32_t status, uint8_t fejl = 0, uint8_t konflikt = 0) {
    SkeRec r{};
    r.id = 4711;
    r.Ejer = ejer;
    r.Status = status;
    r.Fejl = fejl;
    r.Konflikt = konflikt;
    r.Lektion = 3;
    r.Starttid = 800;
    r.Sluttid = 930;
    r.Antal_std_lektioner = 1.5f;
    r.opdtid = 20241008143015.0;
    return r;
  }
  static const char *Tooltip(HWND boks) {
    const auto *d = reinterpret_cast<const DummyInfo *>(GetWindowLongPtrA(boks, GWLP_USERDATA));
    return d ? d->tooltip : nullptr;
  }

  HWND celle = 0;
};

// ---- sizes

class BrikInfoStoerrelse : public InfoPanelTest {};

TEST_F(BrikInfoStoerrelse, HeightsAndTheStandaloneWidthFollowTheLayouts) {
  EXPECT_EQ(CalcBegInfoHeight('H'), 267u);
  EXPECT_EQ(CalcBegInfoHeight('F'), 140u);
  EXPECT_EQ(CalcBrikInfoHeight(500), 138u);
  EXPECT_EQ(CalcBrikInfoHeight(100), 100u);
  EXPECT_EQ(BrikInfoFeltBredde(49), kFeltBredde);
  EXPECT_EQ(BrikInfoEtiketBredde('F'), 24u);
  EXPECT_EQ(BrikInfoEtiketBredde('H'), 32u) << "lined up with the detail panel's labels";
  EXPECT_EQ(HuskBrikBredde(), static_cast<int32_t>(kBrikBreddeF));
  EXPECT_EQ(HuskBrikHoejde(), 138);
  EXPECT_EQ(CalcBrikInfoWidth(200, 49, 'F'), 200u);
  EXPECT_EQ(CalcBegInfoWidth('F'), std::min(kBrikBreddeF + kDetaljeBredde + 2, 500u));
  EXPECT_EQ(CalcBegInfoWidth('H'), std::max(32 + kFeltBredde + 24, kDetaljeBredde) + 2);
}

TEST_F(BrikInfoStoerrelse, ANarrowPanelNarrowsItsListsNeverItsLabels) {
  struct Tilfaelde {
    int bredde;
    int liste;
  };
  // Wide enough: F + 13; narrower than labels and fields: what is left.
  for (const Tilfaelde &t : {Tilfaelde{400, kFeltBredde + 13}, Tilfaelde{150, 150 - 24 - 9}, Tilfaelde{30, 0}}) {
    tavo::test::ClearDrawnTexts();
    HWND h = OpretHuskBrikVindue(celle, 0, 0, t.bredde - 1, 137, 40176);
    ASSERT_NE(h, (HWND)0);
    tavo::test::PumpUntilIdle();
    const BrikInfoWS *ws = Brik(h);
    int y = 4;
    for (int i = 0; i < kBrikBlokke; ++i) {
      const RECT r = Sted(ws->hwndListe[i]);
      EXPECT_EQ(r.left, 34) << t.bredde << " list " << i;
      EXPECT_EQ(r.top, y) << t.bredde << " list " << i;
      EXPECT_EQ(r.right - r.left, t.liste) << t.bredde << " list " << i;
      y += static_cast<int>(ws->Linjer[i]) * 11 + 5;
    }
    std::vector<std::string> etiketter;
    for (const auto &d : tavo::test::DrawnTexts())
      if (d.hwnd == h && d.x == 3) etiketter.push_back(d.text);
    EXPECT_EQ(etiketter.size() >= 5 ? std::vector<std::string>(etiketter.begin(), etiketter.begin() + 5)
                                    : etiketter,
              (std::vector<std::string>{"Akt", "Fag", "Med", "Lok", "Bem"}))
        << t.bredde;
    DestroyWindow(h);
  }
}

TEST_F(BrikInfoStoerrelse, SideBySideTheTilePanelGoesBeforeTheDetailPanelNarrows) {
  const int fuld = static_cast<int>(kBrikBreddeF + kDetaljeBredde) + 2;
  struct Tilfaelde {
    int bredde;
    uint32_t brik, detalje;
  };
  const Tilfaelde tilfaelde[] = {
      {fuld + 50, kBrikBreddeF, kDetaljeBredde},
      {fuld, kBrikBreddeF, kDetaljeBredde},
      {fuld - 100, kBrikBreddeF - 100, kDetaljeBredde},
      {fuld - static_cast<int>(kBrikBreddeF) + 1, 1, kDetaljeBredde},
      {fuld - static_cast<int>(kBrikBreddeF), 0, kDetaljeBredde},
      {100, 0, 98},
      {2, 0, 0},
  };
  for (const Tilfaelde &t : tilfaelde) {
    HWND h = Panel('F', t.bredde, 140);
    ASSERT_NE(h, (HWND)0);
    const BegInfoWS *ws = Ws(h);
    EXPECT_EQ(ws->BrikBredde, t.brik) << t.bredde;
    EXPECT_EQ(ws->DetaljeBredde, t.detalje) << t.bredde;
    EXPECT_EQ(ws->BrikX, t.detalje + 1) << t.bredde;
    EXPECT_EQ(ws->BrikHoejde, 138u);
    DestroyWindow(h);
  }
}

TEST_F(BrikInfoStoerrelse, StackedTheTilePanelGivesItsHeightFirst) {
  struct Tilfaelde {
    int hoejde;
    uint32_t detalje, brik;
  };
  for (const Tilfaelde &t : {Tilfaelde{267, 127, 138}, Tilfaelde{200, 127, 71}, Tilfaelde{129, 127, 0},
                             Tilfaelde{100, 98, 0}, Tilfaelde{2, 0, 0}}) {
    HWND h = Panel('H', 300, t.hoejde);
    ASSERT_NE(h, (HWND)0);
    const BegInfoWS *ws = Ws(h);
    EXPECT_EQ(ws->DetaljeHoejde, t.detalje) << t.hoejde;
    EXPECT_EQ(ws->BrikHoejde, t.brik) << t.hoejde;
    EXPECT_EQ(ws->BrikY, t.detalje + 1) << t.hoejde;
    EXPECT_EQ(ws->BrikBredde, 298u);
    DestroyWindow(h);
  }
}

// ---- the detail panel

class BegInfoStatus : public InfoPanelTest {};

TEST_F(BegInfoStatus, TheStatusLineFollowsOwnerFlagsAndErrors) {
  HWND h = Panel('H', 300, 267);
  ASSERT_NE(h, (HWND)0);
  const std::string blanke(32, ' ');
  struct Tilfaelde {
    const char *navn;
    uint8_t ejer;
    bool superTavo;
    uint32_t status;
    uint8_t fejl, konflikt;
    std::string linje;
  };
  const Tilfaelde tilfaelde[] = {
      {"foreign", 9, false, 64, 0, 0, "Status  :  80 Fremmed begivenhed " + blanke},
      {"foreign and deleted", 9, false, 64 | 8 | 16, 0, 0, "Status  :  80 Fremmed begivenhed " + blanke},
      {"SuperTavo, own", kEgen, true, 64, 0, 0, "Status  :  80 Fremmed begivenhed " + blanke},
      {"deleted, sent", kEgen, false, 64 | 8 | 16, 0, 0, "Status  :  91 Slettet sendt begivenh" + blanke},
      {"deleted", kEgen, false, 64 | 8, 0, 0, "Status  :  90 Slettet begivenhed " + blanke},
      {"deleted with an error", kEgen, false, 64 | 8, 17, 0, "Status  :  90 Slettet begivenhed " + blanke},
      {"error 17", kEgen, false, 64, 17, 0, "Status  :  17 Aktiviteten er allered" + blanke},
      {"error 100 and up", kEgen, false, 64, 150, 0, "Status  :  00"},
      {"not sent", kEgen, false, 64, 0, 0, "Status  :  02 Lokal begivenhed " + blanke},
      {"in conflict", kEgen, false, 64, 0, 254, "Status  :  02 Lokal begivenhed " + blanke},
      {"sent", kEgen, false, 64 | 16, 0, 0, "Status  :  03 Sendt begivenhed " + blanke},
      {"confirmed", kEgen, false, 64 | 16 | 32, 0, 0, "Status  :  01 Central begivenhed " + blanke},
  };
  for (const Tilfaelde &t : tilfaelde) {
    GlobalIndstillinger.supertavo = t.superTavo ? 1 : 0;
    Vis(h, Raekke(t.ejer, t.status, t.fejl, t.konflikt));
    EXPECT_EQ(StatusLinje(h), t.linje) << t.navn;
  }
  // Both tables end in code 0 "Slut", which no row matches.
  char linje[96];
  BegStatusLinje(0, linje, sizeof linje);
  EXPECT_STREQ(linje, "Status  :  00");
  EXPECT_STREQ(BegFejlTekstTab[32].Tekst, " Sletning der ikke ejes af inst. ");
}

TEST_F(BegInfoStatus, BoxesShowTheRowTheCursorDateAndTheNumber) {
  InsRec ins{};
  ins.Tavonr = kEgen;
  predtest::Tekst(ins.Navn, "Vestegnens Tekniske Skole og Gymnasium");
  predtest::Ny(tdins, tvins, ins);
  HWND h = Panel('H', 300, 267);
  ASSERT_NE(h, (HWND)0);
  const BegInfo2WS *d = Detalje(h);
  auto boks = [&](int b) {
    std::string s;
    for (const std::string &t : Tekster(d->hwndBoks[b])) s += t;
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
  };
  Vis(h, Raekke(kEgen, 64));
  EXPECT_EQ(boks(BOKS_TID1), " 3");
  EXPECT_EQ(boks(BOKS_TID2), "08:00");
  EXPECT_EQ(boks(BOKS_TID3), "09:30");
  EXPECT_EQ(boks(BOKS_DATO), "20241009") << "the cursor's Wednesday of week 41";
  EXPECT_EQ(boks(BOKS_STD), "   1,50");
  EXPECT_EQ(boks(BOKS_OPD), "20241008 14:30");
  EXPECT_EQ(boks(BOKS_EJER), " 5");
  EXPECT_STREQ(Tooltip(d->hwndBoks[BOKS_EJER]), "Vestegnens Tekniske Skole og G") << "30 characters of the name";
  bool nummer = false;
  for (const std::string &t : Tekster(d->hwnd)) nummer |= t == "   4711";
  EXPECT_TRUE(nummer);

  // Placed by lesson: the time boxes stay empty.
  SkeRec r = Raekke(kEgen, 64);
  r.Sluttid = 0;
  Vis(h, r);
  EXPECT_EQ(boks(BOKS_TID1), " 3");
  EXPECT_EQ(boks(BOKS_TID2), "");
  EXPECT_EQ(boks(BOKS_TID3), "");

  // A conflict shows the other party, 254 by its own name; flag 2 hides the owner.
  Vis(h, Raekke(kEgen, 64 | 2, 0, 254));
  EXPECT_STREQ(Tooltip(d->hwndBoks[BOKS_EJER]), "Pelago+");
  EXPECT_EQ(boks(BOKS_EJER), "254");
  Vis(h, Raekke(kEgen, 64 | 2));
  EXPECT_EQ(boks(BOKS_EJER), " 0");
  // An owner the installation table does not know leaves the tooltip.
  Vis(h, Raekke(kEgen, 64, 0, 254));
  Vis(h, Raekke(77, 64));
  EXPECT_STREQ(Tooltip(d->hwndBoks[BOKS_EJER]), "Pelago+");
}

TEST_F(BegInfoStatus, TheChangeMarkShowsWhoChangedItInTheOwnersColour) {
  HWND h = Panel('H', 300, 267);
  ASSERT_NE(h, (HWND)0);
  const BegInfo2WS *d = Detalje(h);
  struct Tilfaelde {
    uint8_t ejer;
    bool superTavo, visBytFlyt;
    uint32_t status;
    uint8_t farve;
  };
  for (const Tilfaelde &t : {Tilfaelde{kEgen, true, true, 4096, 16}, Tilfaelde{9, false, true, 4096, 4},
                             Tilfaelde{kEgen, false, true, 4096, 11}, Tilfaelde{kEgen, false, false, 4096 | 512, 39},
                             Tilfaelde{kEgen, false, false, 4096, 16}}) {
    GlobalIndstillinger.supertavo = t.superTavo;
    GlobalIndstillinger.visbytflyt = t.visBytFlyt;
    SkeRec r = Raekke(t.ejer, 64 | t.status);
    std::memcpy(r.AEndret_af, "jbn", 4);
    r.AEndret_tid = 20241007091500.0;
    Vis(h, r);
    EXPECT_EQ(d->AendretFarve, t.farve) << +t.ejer << t.superTavo << t.visBytFlyt << t.status;
    EXPECT_EQ(Tekster(d->hwndBoks[BOKS_AENDRET]), std::vector<std::string>{"jbn"});
    const std::vector<std::string> opd = Tekster(d->hwndBoks[BOKS_OPD]);
    ASSERT_FALSE(opd.empty());
    EXPECT_EQ(opd.back().find(t.visBytFlyt ? "20241007 09:15" : "20241008 14:30") != std::string::npos, true)
        << opd.back();
  }
  Vis(h, Raekke(kEgen, 64));
  EXPECT_TRUE(Tekster(d->hwndBoks[BOKS_AENDRET]).empty()) << "no change mark, no name";
}

// ---- the schedule hands over its events

class BegInfoSkema : public InfoPanelTest {
 protected:
  void TearDown() override {
    std::free(liste);
    InfoPanelTest::TearDown();
  }

 public:
  // Two events in week 41 of the first year, each a row of its own, and a
  // schedule's visible list over them.
  void ToBegivenheder() {
    const uint32_t a1 = Akti(1001, "H01"), a2 = Akti(1002, "H02");
    TabVar *b = BegBucket(0, 41);
    ASSERT_NE(b, nullptr);
    liste = static_cast<SkeVisListe *>(std::calloc(3, sizeof(SkeVisListe)));
    for (uint32_t i = 0; i < 2; ++i) {
      b->FoersteLedige = b->wRecCnt;
      const uint32_t n = NewRec(&tdske, b);
      SkeRec s = Raekke(kEgen, 64 | (i ? 16 : 0));
      s.id = 100 + i;
      s.akti_id = i ? a2 : a1;
      s.Dag = 3;
      s.Forste = n;
      std::memcpy(GetRec(&tdske, b, n), &s, sizeof s);
      liste[i + 1] = SkeVisListe{0, 41, n, 0, 0, 0, 0, 0, 0, 0, 0};
    }
    ske = static_cast<SkeStruct *>(std::calloc(1, sizeof(SkeStruct)));
    ske->lpSkeVisListe = liste;
    ske->SkeVisAntal = 2;
  }
  SkeVisListe *liste = nullptr;
  SkeStruct *ske = nullptr;
  ~BegInfoSkema() override { std::free(ske); }
};

TEST_F(BegInfoSkema, EachEventUnderTheCursorIsShownAndNoneEmptiesEveryBox) {
  ToBegivenheder();
  HWND h = Panel('F', 500, 140);
  ASSERT_NE(h, (HWND)0);
  ASSERT_EQ(hwndBrikInfo, h);
  const BegInfoWS *ws = Ws(h);
  const BrikInfoWS *brik = Brik(ws->hwndBrik);
  for (uint32_t n : {1u, 2u}) {
    tavo::test::ClearDrawnTexts();
    SendMessageA(hwndBrikInfo, BRIKINFO_VIS, n, reinterpret_cast<LPARAM>(ske));
    EXPECT_EQ(ws->avs.aktiAntal, 1u) << n;
    EXPECT_EQ(Detalje(h)->id, 99 + n);
    EXPECT_EQ(StatusLinje(h).substr(0, 13), n == 1 ? "Status  :  02" : "Status  :  03");
    bool hold = false;
    for (const std::string &t : Tekster(brik->hwndListe[BRIK_AKT])) hold |= t.find(n == 1 ? "H01" : "H02") == 0;
    EXPECT_TRUE(hold) << "the tile panel's activity list repainted with event " << n;
  }
  // An entry beyond the list and entry 0 both leave nothing shown.
  for (WPARAM n : {WPARAM{3}, WPARAM{0}}) {
    tavo::test::ClearDrawnTexts();
    SendMessageA(h, BRIKINFO_VIS, n, reinterpret_cast<LPARAM>(ske));
    const BegInfo2WS *d = Detalje(h);
    EXPECT_EQ(d->id, 0u);
    EXPECT_EQ(d->Status, 0u);
    EXPECT_EQ(ws->avs.aktiAntal, 0u);
    EXPECT_EQ(Tooltip(d->hwndBoks[BOKS_EJER]), nullptr);
    for (int b = 0; b < kBegInfoBokse; ++b)
      for (const std::string &t : Tekster(d->hwndBoks[b]))
        EXPECT_EQ(t.find_first_not_of(' '), std::string::npos) << "box " << b << ": " << t;
    EXPECT_EQ(StatusLinje(h), "");
  }
}

// ---- the shell's handles and the cell protocol

class BrikInfoHandtag : public InfoPanelTest {};

TEST_F(BrikInfoHandtag, ClosingAPanelClearsTheShellsHandleOfIt) {
  HWND beg = Panel('H', 300, 267);
  ASSERT_EQ(hwndBrikInfo, beg);
  HWND husk = OpretHuskBrikVindue(celle, 0, 0, 282, 137, 40176);
  ASSERT_EQ(hwndHuskBrik, husk);
  DestroyWindow(beg);
  EXPECT_EQ(hwndBrikInfo, (HWND)0) << "cleared through the embedded tile panel";
  EXPECT_EQ(hwndHuskBrik, husk);
  DestroyWindow(husk);
  EXPECT_EQ(hwndHuskBrik, (HWND)0);
}

TEST_F(BrikInfoHandtag, APanelTellsItsCellWhenItBecomesActiveAndAsksToCloseOnCtrlF4) {
  HWND h = Panel('H', 300, 267);
  ASSERT_NE(h, (HWND)0);
  std::vector<UINT> hoert;
  for (const Hoert &x : Cellen()) hoert.push_back(x.m);
  EXPECT_EQ(hoert, (std::vector<UINT>{ENS_MAA_AKTIVERES, ENS_BLEV_AKTIV}));
  EXPECT_EQ(Ws(h)->Aktiv, 1);
  EXPECT_EQ(SendMessageA(h, VINDUE_ART, 0, 0), 40154);
  Cellen().clear();
  SendMessageA(h, VINDUE_DEAKTIVER, 0, 0);
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  BYTE taster[256] = {};
  taster[VK_CONTROL] = 0x80;
  SetKeyboardState(taster);
  SendMessageA(h, WM_KEYDOWN, VK_F4, 0);
  taster[VK_CONTROL] = 0;
  SetKeyboardState(taster);
  SendMessageA(h, WM_KEYDOWN, VK_F4, 0);
  hoert.clear();
  for (const Hoert &x : Cellen()) hoert.push_back(x.m);
  EXPECT_EQ(hoert, (std::vector<UINT>{ENS_BLEV_INAKTIV, ENS_BLEV_AKTIV, ELEMENT_LUK}));
}

// ---- snapshots

TEST_F(BrikInfoHandtag, SnapshotOfAFilledPanelInBothPlacements) {
  const uint32_t a = Akti(1001, "H01");
  const uint32_t l = Loka(2001, "L01");
  for (uint8_t placering : {'H', 'F'}) {
    HWND h = placering == 'H' ? Panel('H', CalcBegInfoWidth('H'), CalcBegInfoHeight('H'))
                              : Panel('F', CalcBegInfoWidth('F'), CalcBegInfoHeight('F'));
    ASSERT_NE(h, (HWND)0);
    BegInfoWS *ws = Ws(h);
    ws->avs.aktiTab = static_cast<uint32_t *>(std::calloc(1, sizeof(uint32_t)));
    ws->avs.aktiTab[0] = a;
    ws->avs.aktiAntal = 1;
    ws->avs.lokaTab = static_cast<uint32_t *>(std::calloc(1, sizeof(uint32_t)));
    ws->avs.lokrolleTab = static_cast<uint32_t *>(std::calloc(1, sizeof(uint32_t)));
    ws->avs.lokaTab[0] = l;
    ws->avs.lokaAntal = 1;
    SkeRec r = Raekke(kEgen, 64 | 16);
    SendMessageA(ws->hwndDetalje, BRIKINFO_OPDATER, 0, reinterpret_cast<LPARAM>(&r));
    SendMessageA(ws->hwndBrik, BRIKINFO_OPDATER, 0, 0);
    InvalidateRect(h, nullptr, FALSE);
    tavo::test::PumpUntilIdle();
    const std::string sti = std::string(TAVO_BINARY_DIR "/beginfo_") + static_cast<char>(placering) + ".png";
    EXPECT_TRUE(tavo::test::SaveWindowPng(h, sti.c_str()));
    DestroyWindow(h);
  }
}

}  // namespace
