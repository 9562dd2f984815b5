// The relation matrix as the activity/room window shows it: its size, the
// lists it builds, the pairs it finds, the week step, what a move or a
// scroll repaints, the current records and who hears of them, the plan
// window's period, the group and the layout switch.

#include "relmatrix_support.h"

namespace {

using namespace reltest;
using Celler = std::set<std::pair<uint32_t, uint32_t>>;

// The row captions of switch 0 (Aktivitet, 15 characters) and the column
// captions (Lokalenr, 10), as the shipped layouts give them.
constexpr int kRaekkeHoved = 2 + 15 * 8 + 1;
constexpr int kKolHoved = 2 + 10 * 8 + 1;

int RammeBredde() { return 2 * GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXVSCROLL); }
int RammeHoejde() {
  return 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYHSCROLL);
}

SIZE Stoerrelse(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// ==================================================================== size

class RelMatrixStoerrelse : public RelTest {};

TEST_F(RelMatrixStoerrelse, TheWindowFitsItsColumnsAndRowsWithinTheDesktop) {
  struct Tilfaelde {
    const char *navn;
    uint32_t lokaler, hold;
    int bredde, hoejde;  // 0: the desktop's
    bool kolonnerPasser, raekkerPasser;  // the size is exactly the cells'
  };
  const Tilfaelde tilfaelde[] = {
      {"40 rooms", 40, 3, kRaekkeHoved + 5 + 40 * 16 + RammeBredde(), 270, true, false},
      {"no rows", 40, 0, kRaekkeHoved + 5 + 40 * 16 + RammeBredde(), 270, true, false},
      {"two rooms", 2, 20, kRaekkeHoved + 190, kKolHoved + 27 + 20 * 16 + RammeHoejde(), false, true},
      {"more rooms than the desktop holds", 60, 3, 0, 270, false, false},
      {"more rows than the desktop holds", 3, 60, kRaekkeHoved + 190, 0, false, false},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    predtest::TommeTabeller();
    akti.clear();
    loka.clear();
    Skole(t.hold, t.lokaler);
    HWND h = Aabn();
    ASSERT_NE(h, static_cast<HWND>(0));
    const SIZE s = Stoerrelse(h);
    EXPECT_EQ(s.cx, t.bredde ? t.bredde : kDeskB);
    EXPECT_EQ(s.cy, t.hoejde ? t.hoejde : kDeskH);
    const RelWS *ws = Ws(h);
    EXPECT_EQ(SendMessageA(h, ENS_BREDDE, kDeskB, 0), s.cx);
    EXPECT_EQ(SendMessageA(h, ENS_HOEJDE, kDeskH, 0), s.cy);
    // A window of exactly its cells holds them in its cells pane to the
    // last pixel before the last separator line.
    if (t.kolonnerPasser) {
      EXPECT_EQ(+ws->Matrix.RudeB[ENS_CELLER], static_cast<int>(t.lokaler * 16 - 1));
    }
    if (t.raekkerPasser) {
      EXPECT_EQ(+ws->Matrix.RudeH[ENS_CELLER], static_cast<int>(t.hold * 16 - 1));
    }
    EXPECT_EQ(+ws->Matrix.KolHovedHoejde, static_cast<uint32_t>(kKolHoved));
    DestroyWindow(h);
    tavo::test::PumpUntilIdle();
  }
}

TEST_F(RelMatrixStoerrelse, SizingKeepsBetweenTheLeastAndTheFullSize) {
  Skole(12, 12);
  HWND h = Aabn();
  const SIZE fuld = Stoerrelse(h);
  struct Tilfaelde {
    const char *navn;
    RECT ind;
    RECT ud;
  };
  const Tilfaelde tilfaelde[] = {
      {"too small", {0, 0, 50, 50}, {0, 0, kRaekkeHoved + 150, 270}},
      {"too large", {0, 0, 1000, 1000}, {0, 0, fuld.cx, fuld.cy}},
      {"between", {0, 0, kRaekkeHoved + 160, 280}, {0, 0, kRaekkeHoved + 160, 280}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    RECT r = t.ind;
    SendMessageA(h, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r, t.ud);
  }
}

// ==================================================================== lists

class RelMatrixLister : public RelTest {};

TEST_F(RelMatrixLister, StatusWeeksAndGroupDecideTheRows) {
  struct Hold {
    const char *navn;
    uint8_t status;
    uint32_t gruppe;
    Uge start, slut;
  };
  const Hold hold[] = {
      {"Status 9", 9, 1, 202431, 202531},     {"Status 10", 10, 1, 202431, 202531},
      {"Status 29", 29, 1, 202431, 202531},   {"Status 30", 30, 1, 202431, 202531},
      {"Status 131", 131, 1, 202431, 202531}, {"Uge 40", 20, 1, 202440, 202440},
      {"Uge 41-42", 20, 1, 202441, 202442},   {"Fra uge 42", 20, 1, 202442, 202531},
      {"Gruppe 0", 20, 0, 202431, 202531},    {"Gruppe 3", 20, 1u << 3, 202431, 202531},
      {"Gruppe 5", 20, 1u << 5, 202431, 202531}, {"Gruppe 3 og 5", 20, 1u << 3 | 1u << 5, 202431, 202531},
  };
  std::vector<uint32_t> nr;
  for (uint32_t i = 0; i < std::size(hold); ++i)
    nr.push_back(Akti(1000 + i, hold[i].navn, hold[i].status, "HOLD", hold[i].gruppe, hold[i].start, hold[i].slut));
  Loka(2001, "L01");
  Sorter();
  auto raekker = [&](HWND h) {
    std::vector<std::string> v;
    for (uint32_t r : Liste(Ws(h)->Raekke)) v.push_back(hold[std::find(nr.begin(), nr.end(), r) - nr.begin()].navn);
    return v;
  };
  HWND h = Aabn();
  EXPECT_EQ(raekker(h), (std::vector<std::string>{"Status 10", "Status 29", "Uge 41-42", "Gruppe 0", "Gruppe 3",
                                                  "Gruppe 5", "Gruppe 3 og 5"}));
  struct Valg {
    WPARAM gruppe;
    uint32_t maske;
    std::vector<std::string> raekker;
  };
  const Valg valg[] = {
      {3, 1u << 3, {"Gruppe 0", "Gruppe 3", "Gruppe 3 og 5"}},
      {5, 1u << 5, {"Gruppe 0", "Gruppe 5", "Gruppe 3 og 5"}},
      {0, 1u, {"Status 10", "Status 29", "Uge 41-42", "Gruppe 0"}},
      {31, kAlleGrupper,
       {"Status 10", "Status 29", "Uge 41-42", "Gruppe 0", "Gruppe 3", "Gruppe 5", "Gruppe 3 og 5"}},
  };
  for (const Valg &v : valg) {
    SCOPED_TRACE(v.gruppe);
    SendMessageA(h, GRUPPE_VALGT, v.gruppe, 0);
    EXPECT_EQ(raekker(h), v.raekker);
    EXPECT_EQ(Ws(h)->RaekkeGruppeMaske, v.maske);
    EXPECT_EQ(HuskGruppe[GRP_AKTI], v.maske);
  }
  // A: all groups, through the toolbar's group button.
  SendMessageA(h, GRUPPE_VALGT, 3, 0);
  Tast('A');
  EXPECT_EQ(Ws(h)->RaekkeGruppeMaske, kAlleGrupper);
  // The next week: the lists follow.
  Tast(VK_NEXT);
  EXPECT_EQ(raekker(h), (std::vector<std::string>{"Status 10", "Status 29", "Uge 41-42", "Fra uge 42", "Gruppe 0",
                                                  "Gruppe 3", "Gruppe 5", "Gruppe 3 og 5"}));
}

TEST_F(RelMatrixLister, ColumnsFollowTheRoomsGroupSelection) {
  Akti(1001, "H01");
  const uint32_t l0 = Loka(2001, "L0", 20, 0), l2 = Loka(2002, "L2", 20, 1u << 2), l4 = Loka(2003, "L4", 20, 1u << 4);
  Loka(2004, "Slettet", 31, 1u << 2);
  Sorter();
  HuskGruppe[GRP_LOKA] = 1u << 2;
  HWND h = Aabn();
  EXPECT_EQ(Liste(Ws(h)->Kol), (std::vector<uint32_t>{l0, l2}));
  HuskGruppe[GRP_LOKA] = kAlleGrupper;
  SendMessageA(h, GRUPPE_VALGT, 31, 0);
  EXPECT_EQ(Liste(Ws(h)->Kol), (std::vector<uint32_t>{l0, l2, l4}));
}

TEST_F(RelMatrixLister, RowsSortByTheChosenSortFieldThenByName) {
  // Without a chosen sort field the key is the id; with field 1 the names
  // in Danish letter order.
  const uint32_t aa = Akti(1004, "\xC5" "lborg");  // Ålborg
  const uint32_t ae = Akti(1001, "\xC6" "ble");    // Æble
  const uint32_t oe = Akti(1003, "\xD8" "velse");  // Øvelse
  const uint32_t z = Akti(1002, "Zebra");
  const uint32_t b = Akti(1005, "bager");
  Loka(2001, "L01");
  Sorter();
  HWND h = Aabn();
  EXPECT_EQ(Liste(Ws(h)->Raekke), (std::vector<uint32_t>{ae, z, oe, aa, b}));
  ObjSwitchSaetSortFelt(kRelRaekkeArt, 'K', 1);
  SendMessageA(h, GRUPPE_VALGT, 31, 0);
  EXPECT_EQ(Liste(Ws(h)->Raekke), (std::vector<uint32_t>{b, z, ae, oe, aa}));
}

TEST_F(RelMatrixLister, EmptyListsLeaveTheCursorNoneAndOnlyCloseAndWeekKeysAct) {
  Skole(0, 3);
  HWND h = Aabn();
  RelWS *ws = Ws(h);
  EXPECT_EQ(+ws->PosX.Aktuel, 0u);
  EXPECT_EQ(+ws->PosY.Aktuel, 0u);
  auto kan = [&](UINT vk) {
    TastInfo t{0, 0, 0, WM_KEYDOWN, vk, 0, 0, 0};
    return SendMessageA(h, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&t)) != 0;
  };
  for (UINT vk : {VK_SPACE, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN}) EXPECT_FALSE(kan(vk)) << vk;
  for (UINT vk : {VK_ESCAPE, VK_F4, VK_PRIOR, VK_NEXT}) EXPECT_TRUE(kan(vk)) << vk;
  Tast(VK_SPACE);
  EXPECT_TRUE(Par().empty());
}

// ==================================================================== cells

class RelMatrixCeller : public RelTest {};

TEST_F(RelMatrixCeller, APairCountsInItsOwnOrderOnly) {
  // Activity records a and b that are room records too, so that (a, b)
  // and (b, a) are both cells of the matrix.
  Skole(4, 12);
  const uint32_t a = akti[0], b = akti[1];
  ASSERT_NE(std::find(loka.begin(), loka.end(), a), loka.end());
  ASSERT_NE(std::find(loka.begin(), loka.end(), b), loka.end());
  auto aktiId = [](uint32_t r) { return reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, r))->id; };
  auto lokaId = [](uint32_t r) { return reinterpret_cast<const LokaRec *>(GetRec(&tdloka, &tvloka, r))->id; };
  Alrel(a, b);
  Sorter();
  HWND h = Aabn();
  RelWS *ws = Ws(h);
  EXPECT_NE(FindRelPar(ws, a, b), 0u);
  EXPECT_EQ(FindRelPar(ws, b, a), 0u);
  // The unordered lookup finds it both ways.
  EXPECT_EQ(FindRelParBegge(ws, b, a), FindRelPar(ws, a, b));
  // The cell of activity b and room a is empty: Space there adds a pair.
  const uint32_t kol = FindObjIdx(ws->Kol.ObjTab, ws->Kol.ObjTabAntal, a);
  const uint32_t raekke = FindObjIdx(ws->Raekke.ObjTab, ws->Raekke.ObjTabAntal, b);
  KlikCelle(h, kol, raekke);
  Tast(VK_SPACE);
  EXPECT_EQ(Par(), (std::set<std::pair<uint32_t, uint32_t>>{{aktiId(a), lokaId(b)}, {aktiId(b), lokaId(a)}}));
}

// ==================================================================== the week

class RelMatrixUge : public RelTest {};

TEST_F(RelMatrixUge, PageUpAndDownStepTheWeekWithinThePeriodAndTellTheOthers) {
  Skole(3, 3);
  const UgeIndeks foerste = 1, sidste = SkemaPeriode.AntalUger, idag = UgeTilIndeks(kIdagUge);
  struct Tilfaelde {
    const char *navn;
    UgeIndeks fra;
    UINT tast;
    UgeIndeks til;
    Dato dato;  // told the date pane; 0 none
  };
  const Tilfaelde tilfaelde[] = {
      {"Page Up in the first week", foerste, VK_PRIOR, foerste, 0},
      {"Page Down in the last week", sidste, VK_NEXT, sidste, 0},
      {"Page Down", idag, VK_NEXT, idag + 1, 20241016},
      {"Page Up", idag, VK_PRIOR, idag - 1, 20241002},
      {"Page Up from the second week", 2, VK_PRIOR, 1, 20240731},
  };
  HWND h = Aabn();
  HWND anden = Vindue(400, 300, 200, 150);
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    SkemaPeriode.AktuelUgeIndeks = t.fra;
    SendMessageA(h, VINDUE_AKTIVER, 1, 0);
    DatoRudeHoert().clear();
    tavo::test::StartMessageLog();
    Tast(t.tast);
    const auto log = tavo::test::StopMessageLog();
    EXPECT_EQ(SkemaPeriode.AktuelUgeIndeks, t.til);
    const size_t hoert = t.dato ? 1 : 0;
    EXPECT_EQ(tavo::test::MessagesOf(log, anden, {AKTUEL_AENDRET}).size(), hoert);
    EXPECT_TRUE(tavo::test::MessagesOf(log, h, {AKTUEL_AENDRET}).empty());
    EXPECT_EQ(DatoRudeHoert(), t.dato ? std::vector<Dato>{t.dato} : std::vector<Dato>{});
  }
}

// ==================================================================== painting

class RelMatrixTegning : public RelTest {};

// (column, row) of every cell from..til down a column or along a row.
Celler Kolonne(uint32_t c, uint32_t fra, uint32_t til) {
  Celler s;
  for (uint32_t r = fra; r <= til; ++r) s.insert({c, r});
  return s;
}
Celler Raekke(uint32_t r, uint32_t fra, uint32_t til) {
  Celler s;
  for (uint32_t c = fra; c <= til; ++c) s.insert({c, r});
  return s;
}
Celler Plus(Celler a, const Celler &b) {
  a.insert(b.begin(), b.end());
  return a;
}

TEST_F(RelMatrixTegning, AMoveRepaintsTheCellsLeftAndComeToAndTheirGuides) {
  Skole(8, 8, true);
  HWND h = Aabn();
  struct Tilfaelde {
    const char *navn;
    uint32_t kol, raekke;  // the cursor before
    void (*flyt)(RelMatrixTegning *, HWND);
    Celler tegnet;
  };
  const Tilfaelde tilfaelde[] = {
      {"Right", 3, 4, [](RelMatrixTegning *, HWND) { Tast(VK_RIGHT); }, Plus(Kolonne(3, 1, 4), Kolonne(4, 1, 4))},
      {"Down", 4, 4, [](RelMatrixTegning *, HWND) { Tast(VK_DOWN); }, Plus(Raekke(4, 1, 4), Raekke(5, 1, 4))},
      {"Up", 4, 5, [](RelMatrixTegning *, HWND) { Tast(VK_UP); }, Plus(Raekke(5, 1, 4), Raekke(4, 1, 4))},
      {"a click three columns left", 6, 5,
       [](RelMatrixTegning *t, HWND v) { t->KlikCelle(v, 3, 5); },
       Plus(Plus(Kolonne(6, 1, 5), Kolonne(3, 1, 5)), Raekke(5, 4, 5))},
      {"a click up and right", 2, 6,
       [](RelMatrixTegning *t, HWND v) { t->KlikCelle(v, 5, 3); },
       Plus(Plus(Kolonne(2, 1, 6), Kolonne(5, 1, 3)),
            Plus(Plus(Raekke(6, 1, 2), Raekke(3, 1, 5)), Plus(Raekke(3, 3, 4), Kolonne(5, 4, 5))))},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    KlikCelle(h, t.kol, t.raekke);
    tavo::test::ClearDrawnTexts();
    t.flyt(this, h);
    EXPECT_EQ(TegnedeCeller(h), t.tegnet);
  }
}

// The cells whose pixels lie in the pane at its scroll offsets, from the
// 16-pixel rows and columns alone.
Celler ISyne(const RelWS *ws) {
  const Ens &e = ws->Matrix;
  auto synlig = [](uint32_t n, uint32_t scroll, int extent) {
    const int64_t start = 16 * int64_t{n - 1}, slut = start + 14;
    return slut >= scroll && start <= int64_t{scroll} + extent - 1;
  };
  Celler s;
  for (uint32_t c = 1; c <= ws->PosX.Antal; ++c)
    for (uint32_t r = 1; r <= ws->PosY.Antal; ++r)
      if (synlig(c, e.ScrollX, e.RudeB[ENS_CELLER]) && synlig(r, e.ScrollY, e.RudeH[ENS_CELLER])) s.insert({c, r});
  return s;
}

TEST_F(RelMatrixTegning, AScrollRepaintsThePaneInView) {
  Skole(30, 40, true);
  HWND h = Aabn(500, 400);
  RelWS *ws = Ws(h);
  const int B = ws->Matrix.RudeB[ENS_CELLER], H = ws->Matrix.RudeH[ENS_CELLER];
  ASSERT_LT(B, 40 * 16);
  ASSERT_LT(H, 30 * 16);
  // Right to the first column not wholly in view scrolls the columns.
  const uint32_t ude = static_cast<uint32_t>(B) / 16 + 1;
  KlikCelle(h, ude - 1, 2);
  ASSERT_EQ(+ws->Matrix.ScrollX, 0u);
  tavo::test::ClearDrawnTexts();
  Tast(VK_RIGHT);
  ASSERT_GT(+ws->Matrix.ScrollX, 0u);
  EXPECT_EQ(TegnedeCeller(h), ISyne(ws));
  // The scroll bar's line step scrolls the rows.
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, WM_VSCROLL, SB_LINEDOWN, 0);
  ASSERT_GT(+ws->Matrix.ScrollY, 0u);
  EXPECT_EQ(TegnedeCeller(h), ISyne(ws));
}

// ==================================================================== current records

class RelMatrixAktuel : public RelTest {};

TEST_F(RelMatrixAktuel, AClickTellsTheOtherWindowsAKeyMoveOnlySetsTheCurrentRecords) {
  Skole(5, 5);
  HWND h = Aabn();
  HWND anden = Vindue(400, 300, 200, 150);
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  RelWS *ws = Ws(h);

  tavo::test::StartMessageLog();
  KlikCelle(h, 3, 2);
  auto log = tavo::test::StopMessageLog();
  EXPECT_EQ(tavo::test::MessagesOf(log, anden, {AKTUEL_AENDRET}).size(), 1u);
  EXPECT_EQ(tvloka.AktuelRec, ws->Kol.ObjTab[3]);
  EXPECT_EQ(tvakti.AktuelRec, ws->Raekke.ObjTab[2]);

  tavo::test::StartMessageLog();
  Tast(VK_DOWN);
  Tast(VK_LEFT);
  log = tavo::test::StopMessageLog();
  EXPECT_TRUE(tavo::test::MessagesOf(log, anden, {AKTUEL_AENDRET}).empty());
  EXPECT_EQ(tvloka.AktuelRec, ws->Kol.ObjTab[2]);
  EXPECT_EQ(tvakti.AktuelRec, ws->Raekke.ObjTab[3]);
}

TEST_F(RelMatrixAktuel, AnIncoming1054MovesTheCursorUnlessItComesToTheActiveWindowWithWParam0) {
  Skole(5, 5);
  const uint32_t udenfor = Akti(1099, "Udenfor", 20, "IVAK");
  Sorter();
  HWND h = Aabn();
  RelWS *ws = Ws(h);
  struct Tilfaelde {
    const char *navn;
    bool aktiv;
    WPARAM w;
    uint32_t akti, loka;
    uint32_t raekke, kol;  // the cursor after
  };
  const Tilfaelde tilfaelde[] = {
      {"active, wParam 0: ignored", true, 0, 4, 5, 1, 1},
      {"active, wParam 1", true, 1, 4, 5, 4, 5},
      {"inactive, wParam 0", false, 0, 2, 3, 2, 3},
      {"an activity not in the list", false, 0, 0, 2, 0, 2},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    ws->PosX.Aktuel = ws->PosY.Aktuel = 1;
    SendMessageA(h, t.aktiv ? VINDUE_AKTIVER : VINDUE_DEAKTIVER, 1, 0);
    tvakti.AktuelRec = t.akti ? ws->Raekke.ObjTab[t.akti] : udenfor;
    tvloka.AktuelRec = ws->Kol.ObjTab[t.loka];
    SendMessageA(h, AKTUEL_AENDRET, t.w, 0);
    EXPECT_EQ(+ws->PosY.Aktuel, t.raekke);
    EXPECT_EQ(+ws->PosX.Aktuel, t.kol);
  }
}

TEST_F(RelMatrixAktuel, TheActiveWindowShowsTheCurrentColumnsNameUnderItsCaption) {
  Skole(3, 4);
  hwndTooltip = OpretTooltip(0, hoved);
  ASSERT_NE(hwndTooltip, static_cast<HWND>(0));
  HWND h = Aabn();
  Tast(VK_RIGHT);
  EXPECT_TRUE(TooltipVises);
  const auto *ti = reinterpret_cast<const TooltipInfo *>(GetWindowLongPtrA(hwndTooltip, GWLP_USERDATA));
  ASSERT_NE(ti, nullptr);
  EXPECT_STREQ(ti->text, "L02");
  SendMessageA(h, VINDUE_DEAKTIVER, 0, 0);
  EXPECT_FALSE(TooltipVises);
  DestroyWindow(hwndTooltip);
  hwndTooltip = 0;
  TooltipVises = FALSE;
}

// ==================================================================== the plan window

class RelMatrixPlan : public RelTest {};

TEST_F(RelMatrixPlan, WithThePlanWindowOpenThePlanGroupsWeeksDecideTheLists) {
  const uint32_t okt = Akti(1001, "Oktober", 20, "HOLD", 1, 202440, 202443);
  const uint32_t mar = Akti(1002, "Marts", 20, "HOLD", 1, 202510, 202513);
  const uint32_t lOkt = Loka(2001, "Okt", 20, 1, 202440, 202443);
  const uint32_t lMar = Loka(2002, "Mar", 20, 1, 202511, 202520);
  FfpgRec g{};
  g.id = 77;
  g.Status = 20;
  g.Fradato = 20250303;  // week 10
  g.Tildato = 20250316;  // week 11
  const uint32_t gruppe = predtest::Ny(tdffpg, tvffpg, g);
  Sorter();

  HWND h = Aabn();
  EXPECT_EQ(Liste(Ws(h)->Raekke), std::vector<uint32_t>{okt});
  EXPECT_EQ(Liste(Ws(h)->Kol), std::vector<uint32_t>{lOkt});
  DestroyWindow(h);

  PlanTilstand tilstand{gruppe};
  HWND plan = CreateWindowExA(0, "RelPlan", "", WS_CHILD, 0, 0, 10, 10, desktop,
                              static_cast<HMENU>(kPlanVindueType), 0, nullptr);
  SetWindowLongPtrA(plan, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&tilstand));
  ASSERT_EQ(VinduesListeTilfoej(plan), 0);
  RelMatrixKrog.RelPlanGruppe = PlanGruppe;
  h = Aabn();
  EXPECT_EQ(Liste(Ws(h)->Raekke), std::vector<uint32_t>{mar});
  EXPECT_EQ(Liste(Ws(h)->Kol), std::vector<uint32_t>{lMar});

  // A plan window without a group is read as none: the current week.
  tilstand.gruppe = 0;
  SendMessageA(h, GRUPPE_VALGT, 31, 0);
  EXPECT_EQ(Liste(Ws(h)->Raekke), std::vector<uint32_t>{okt});
}

// ==================================================================== layouts

class RelMatrixSkift : public RelTest {};

TEST_F(RelMatrixSkift, ADigitTakesASwitchLayoutForTheCaptionsAndTheWindowKeepsItsPlace) {
  Skole(3, 4);
  HWND h = Aabn();
  RelWS *ws = Ws(h);
  ASSERT_EQ(ws->AntalSwitch, 3u);
  MoveWindow(h, 30, 20, Stoerrelse(h).cx, Stoerrelse(h).cy, TRUE);
  const RECT foer = Plads(h);
  Tast('2');
  EXPECT_EQ(ws->RaekkeSwitch, 1u);
  EXPECT_EQ(ObjSwitchValgt(kRelRaekkeArt, 'K'), 1u);
  // Aktivitet and Betegnelse: 15 and 30 characters.
  const uint32_t bredde = (2 + 15 * 8 + 1) + (2 + 30 * 8 + 1);
  EXPECT_EQ(+ws->Matrix.RaekkeHovedBredde, bredde);
  const RECT efter = Plads(h);
  EXPECT_EQ(efter.left, foer.left);
  EXPECT_EQ(efter.top, foer.top);
  EXPECT_EQ(efter.right - efter.left, static_cast<LONG>(bredde + 190));
  // The column captions keep the only layout they have.
  EXPECT_EQ(+ws->Matrix.KolHovedHoejde, static_cast<uint32_t>(kKolHoved));
  // A digit beyond the layouts changes nothing.
  Tast('7');
  EXPECT_EQ(ws->RaekkeSwitch, 1u);
}

// ==================================================================== activation

class RelMatrixAktivering : public RelTest {};

TEST_F(RelMatrixAktivering, AClickOnAnInactiveWindowAsksTheDesktopFirst) {
  Skole(4, 4);
  HWND h = Aabn();
  RelWS *ws = Ws(h);
  SendMessageA(h, VINDUE_DEAKTIVER, 0, 0);
  wfb_test::Skrivebord().tillad = false;
  KlikCelle(h, 3, 3);
  EXPECT_EQ(+ws->PosX.Aktuel, 1u);
  EXPECT_FALSE(ws->Matrix.Aktiv);
  wfb_test::Skrivebord().tillad = true;
  KlikCelle(h, 3, 3);
  EXPECT_EQ(+ws->PosX.Aktuel, 3u);
  EXPECT_TRUE(ws->Matrix.Aktiv && ws->Kol.Aktiv && ws->Raekke.Aktiv);
  EXPECT_EQ(wfb_test::Skrivebord().aktiv, h);
}

}  // namespace
