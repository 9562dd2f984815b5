// The posting window: its main-object, partner and posting lists with the
// cell sums under the posting filters, the row and line sums, the cursor
// and Ctrl+F, and the window driven by keys and messages.
#include <gtest/gtest.h>

#include "BOGMND.h"
#include "SWITCHTEGN.h"
#include "bog_fixture.h"

namespace {

using namespace bogtest;
using namespace skoletest;

TEST_F(Bog, MainObjectsAreLiveOvakActivitiesOfTheGroupsShown) {
  const uint32_t syg = Ovak(1, "SYG");
  Ovak(2, "HOLD1", kGruppe5, "HOLD");            // not an absence activity
  Ovak(3, "GAMMEL", kGruppe5, "OVAK", 30);        // status outside 10..29
  const uint32_t g2 = Ovak(4, "FERIE", 4);        // group 2 only
  Ovak(5, "SENERE", kGruppe5, "OVAK", 10, 20241101, 20250731);  // not yet begun in October
  const uint32_t andet = Ovak(6, "ANDET");

  BOGWS *w = Ny('K');
  EXPECT_EQ(Hoved(w), (std::vector<uint32_t>{andet, syg}));

  w->GruppeMaske = 2147483647u;  // group 31: every group
  GenopbygBog(w);
  EXPECT_EQ(Hoved(w), (std::vector<uint32_t>{andet, g2, syg}));
}

TEST_F(Bog, PostingListFiltersAndSignedSums) {
  const uint32_t akti = Ovak(1, "SYG"), a = Ansat(10), b = Ansat(11);
  AddAakrel(akti, a, 10);
  AddAakrel(akti, b, 20);
  const uint32_t lokal = Postering(akti, a, 20241003, 150);
  const uint32_t central = Postering(akti, a, 20241004, 200, kEgen, 32);
  const uint32_t sendt = Postering(akti, a, 20241005, 400, kEgen, 16);
  const uint32_t fejl = Postering(akti, a, 20241006, 800, kAnden, 0, 7);
  Postering(akti, b, 20241007, -125);  // lowers its cell
  TimRaekke(20241008, 64 | 8, kEgen, akti, a, 1000);  // deleted: never counted

  struct Tilfaelde {
    StatusFilter filter;
    int32_t sumA, sumB;
    std::vector<uint32_t> raekkerA;
  } tilfaelde[] = {
      {{0, 0, 0}, 1550, -125, {lokal, central, sendt, fejl}},
      {{1, 0, 0}, 200, 0, {central}},
      {{2, 0, 0}, 950, -125, {lokal, fejl}},
      {{3, 0, 0}, 400, 0, {sendt}},
      {{0, 7, 0}, 800, 0, {fejl}},
      {{0, 0, 'd'}, 800, 0, {fejl}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << "filter " << int(t.filter.Tilstand) << "/" << t.filter.FejlKode << "/"
                                    << t.filter.Fremmed);
    PosteringsFilter = t.filter;
    BOGWS *w = Ny('K');
    ASSERT_EQ(BogHovedRec(w), akti);
    ASSERT_EQ(Partnere(w).size(), 2u);
    EXPECT_EQ(Celle(w, a, 202410), t.sumA);
    EXPECT_EQ(Celle(w, b, 202410), t.sumB);
    EXPECT_EQ(Kaede(w, a, 202410), t.raekkerA);
    EXPECT_EQ(Celle(w, a, 202411), 0);
  }
  // The relation of status 10 is marked.
  BOGWS *w = Ny('K');
  for (uint32_t i = 1; i < w->SubObjTab.size(); ++i)
    EXPECT_EQ(w->SubObjTab2[i], w->SubObjTab[i] == a ? 1 : 0);
}

TEST_F(Bog, OwnPostingChainsBeforeForeignOnTheSameDay) {
  const uint32_t akti = Ovak(1, "SYG"), a = Ansat(10);
  AddAakrel(akti, a, 10);
  const uint32_t senere = Postering(akti, a, 20241020, 100);
  const uint32_t fremmed = Postering(akti, a, 20241010, 200, kAnden);
  const uint32_t egen = Postering(akti, a, 20241010, 300);
  const uint32_t fremmed2 = Postering(akti, a, 20241010, 50, kAnden);
  const uint32_t tidlig = Postering(akti, a, 20241002, 10);
  BOGWS *w = Ny('M');
  ASSERT_EQ(BogHovedRec(w), a);
  EXPECT_EQ(Kaede(w, akti, 202410), (std::vector<uint32_t>{tidlig, egen, fremmed, fremmed2, senere}));
}

TEST_F(Bog, ObjectBeginningBeforeThePeriodStartsAtItsFirstMonth) {
  const uint32_t akti = Ovak(1, "SYG", kGruppe5, "OVAK", 10, 20230101, 20251231);
  const uint32_t a = Ansat(10, 1, 20230101, 20251231);
  AddAakrel(akti, a, 10);
  Postering(akti, a, 20240801, 100);
  Postering(akti, a, 20250731, 200);
  BOGWS *w = Ny('K');
  EXPECT_EQ(w->BogVisListe[1].Maaned, 202408u);
  EXPECT_EQ(w->BogVisListe.size(), 3u);
  EXPECT_EQ(Celle(w, a, 202408), 100);
  EXPECT_EQ(Celle(w, a, 202507), 200);
}

TEST_F(Bog, ListsGrowWithTablesBetweenRebuilds) {
  const uint32_t akti = Ovak(1, "SYG"), a = Ansat(10);
  AddAakrel(akti, a, 10);
  BOGWS *w = Ny('K');
  // An import adds employments, relations and postings; the next rebuild
  // sizes everything from the new counts.
  std::vector<uint32_t> nye;
  for (uint32_t i = 0; i < 40; ++i) {
    nye.push_back(Ansat(100 + i));
    AddAakrel(akti, nye.back(), 10);
    Postering(akti, nye.back(), 20241101, 100 + static_cast<int32_t>(i));
  }
  GenopbygBog(w);
  EXPECT_EQ(Partnere(w).size(), 41u);
  EXPECT_EQ(Celle(w, nye.back(), 202411), 139);
}

TEST_F(Bog, PartnerRowSumOverTheBudgetPeriod) {
  const uint32_t akti = Ovak(1, "SYG"), a = Ansat(10);
  AddAakrel(akti, a, 10);
  Postering(akti, a, 20240910, 100);
  Postering(akti, a, 20241110, 200);
  Postering(akti, a, 20250310, 400);
  BOGWS *w = Ny('K');
  EXPECT_EQ(BogPartnerSum(w, a), 700);

  BudtRec b{};
  b.id = 1;
  b.Status = 10;
  b.akti_id = akti;
  b.Startdato = 20241001;
  b.Slutdato = 20250131;
  skoletest::Ny(tdbudt, tvbudt, b);
  for (char bogstav : {'K', 'M'}) {
    SCOPED_TRACE(bogstav);
    BOGWS *v = Ny(bogstav);
    EXPECT_EQ(BogPartnerSum(v, bogstav == 'K' ? a : akti), 200);
  }
}

TEST_F(Bog, MainObjectLineSpansTheAccountingPeriodOrTheCalendarYear) {
  MedPerIndstillinger.opgPeriodeStartMaaned = 8;
  MedPerIndstillinger.opgPeriodeLaengde = 12;
  const uint32_t akti = Ovak(1, "SYG"), a = Ansat(10);
  AddAakrel(akti, a, 10);
  Postering(akti, a, 20240910, 100);
  Postering(akti, a, 20241210, 200);
  Postering(akti, a, 20250310, 400);

  BOGWS *k = Ny('K');
  EXPECT_EQ(BogHovedSum(k), 700);
  BOGWS *m = Ny('M');
  MaanedIndeks fra = 0, til = 0;
  GetOpgPerMonths(m->Aktuel.Dato, a, &fra, &til, nullptr);
  ASSERT_NE(til, 0u);
  EXPECT_EQ(BogHovedSum(m), 700);

  GlobalIndstillinger.anfosumperaar = 1;
  EXPECT_EQ(BogHovedSum(m), 300);  // January to December 2024
  EXPECT_EQ(BogHovedSum(k), 700);  // the activity mode keeps the whole period
}

TEST_F(Bog, CtrlFWalksToTheNextMatchingPairAcrossNewYear) {
  const uint32_t syg = Ovak(1, "A-SYG"), ferie = Ovak(2, "B-FERIE");
  const uint32_t a = Ansat(10), b = Ansat(11);
  AddAakrel(syg, a, 10);
  AddAakrel(syg, b, 10);
  AddAakrel(ferie, a, 10);
  Postering(syg, a, 20241210, 100);                 // local: not matching filter 3
  const uint32_t jan = Postering(ferie, a, 20250114, 300, kEgen, 16);  // sent, in January
  Postering(syg, b, 20241011, 100, kEgen, 16);
  SaetAktuelDato(20241215);
  tvakti.AktuelRec = syg;
  PosteringsFilter = {3, 0, 0};
  BOGWS *w = Ny('K');
  // A new window with a filter on moves as Ctrl+F does; here from the first
  // object's first partner the next pair with a sent posting is SYG/b.
  w->AktuelObj = 1;
  GenopbygBog(w);
  ASSERT_EQ(BogHovedRec(w), syg);
  for (uint32_t i = 1; i < w->SubObjTab.size(); ++i)
    if (w->SubObjTab[i] == a) w->AktuelPartner = i;
  w->Aktuel.Maaned = 202412;
  w->AktuelKolonne = MaanedTilIndeks(202412);

  ASSERT_TRUE(BogFindNaeste(w));
  EXPECT_EQ(BogHovedRec(w), syg);
  EXPECT_EQ(BogPartnerRec(w), b);
  EXPECT_EQ(w->Aktuel.Maaned, 202410u);

  ASSERT_TRUE(BogFindNaeste(w));
  EXPECT_EQ(BogHovedRec(w), ferie);
  EXPECT_EQ(BogPartnerRec(w), a);
  EXPECT_EQ(w->Aktuel.Maaned, 202501u);
  EXPECT_EQ(w->AktuelKolonne, MaanedTilIndeks(202501));
  const BogCelle *c = BogCelleAt(w, a, w->AktuelKolonne);
  ASSERT_TRUE(c && c->Foerste);
  EXPECT_EQ(w->BogVisListe[c->Foerste].Raekke, jan);

  // Wraps once back to the first match.
  ASSERT_TRUE(BogFindNaeste(w));
  EXPECT_EQ(BogHovedRec(w), syg);
  EXPECT_EQ(BogPartnerRec(w), b);

  PosteringsFilter = {};
  EXPECT_FALSE(BogFindNaeste(w));
}

TEST_F(Bog, SortButtonTwiceSortsDescending) {
  const uint32_t akti = Ovak(1, "SYG"), a = Ansat(10), b = Ansat(11), c = Ansat(12);
  for (uint32_t p : {b, c, a}) AddAakrel(akti, p, 10);
  BOGWS *w = Ny('K');
  const std::vector<uint32_t> op = Partnere(w);
  BogSorter(w, 1);
  EXPECT_EQ(w->Faldende, 0);
  BogSorter(w, 1);
  EXPECT_EQ(w->Faldende, 1);
  const std::vector<uint32_t> ned = Partnere(w);
  EXPECT_EQ(std::vector<uint32_t>(ned.rbegin(), ned.rend()), op);
}

// ---- The window ----

TEST_F(BogVindue, StaffModeKeysMoveSortFreezeAndPublish) {
  const uint32_t syg = Ovak(1, "A-SYG"), ferie = Ovak(2, "B-FERIE");
  const uint32_t a = Ansat(10);
  AddAakrel(syg, a, 10);
  AddAakrel(ferie, a, 10);
  Postering(ferie, a, 20241110, 250);
  tvanfo.AktuelRec = a;
  hwnd = CreateBogWnd('M', vaert, 0, 0, 2000, 900, 0);
  ASSERT_NE(hwnd, HWND{});
  BOGWS *w = BogVinduesWS(hwnd);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(BogHovedRec(w), a);
  ASSERT_EQ(Partnere(w).size(), 2u);
  SendMessageA(hwnd, WM_LBUTTONDOWN, 0, IndePunkt(hwnd));  // activates
  ASSERT_EQ(w->Aktiv, 1);

  Tast(VK_DOWN);
  Tast(VK_RIGHT);
  EXPECT_EQ(w->AktuelPartner, 2u);
  EXPECT_EQ(w->Aktuel.Maaned, 202411u);
  EXPECT_EQ(tvanfo.AktuelRec, a);
  EXPECT_EQ(tvakti.AktuelRec, BogPartnerRec(w));
  EXPECT_EQ(SkemaPeriode.AktuelDato, 20241115u);
  EXPECT_TRUE(Fik(AKTUEL_AENDRET, 0));
  // The month pane follows the cursor (1724).
  const MNDWS *mnd = MndVinduesWS(w->hwndMnd);
  ASSERT_NE(mnd, nullptr);
  EXPECT_EQ(mnd->Kolonner.Aktuel, MaanedTilIndeks(202411));
  EXPECT_EQ(mnd->Raekker.Aktuel, 15u);
  ASSERT_GE(mnd->Partnere.Aktuel, 1u);
  EXPECT_EQ(mnd->Hoved.ObjTab[mnd->Partnere.Aktuel], BogPartnerRec(w));
  EXPECT_EQ(SendMessageA(hwnd, BOG_SUM, 0, 0), BogPartnerRec(w) == ferie ? 250 : 0);

  // Frozen, a 1054 from elsewhere moves nothing.
  PosteringsFilter = {2, 0, 0};
  Tast(VK_ESCAPE);
  EXPECT_EQ(PosteringsFilter.Tilstand, 0) << "Esc takes the program-wide filters off";
  Tast('H', true);
  EXPECT_EQ(w->Frosset, 1);
  SaetAktuelDato(20250210);
  SendMessageA(hwnd, AKTUEL_AENDRET, 1, 0);
  EXPECT_EQ(w->Aktuel.Maaned, 202411u);
  Tast('H', true);
  SendMessageA(hwnd, AKTUEL_AENDRET, 1, 0);
  EXPECT_EQ(w->Aktuel.Maaned, 202502u);

  // Posting-pane questions.
  EXPECT_EQ(SendMessageA(hwnd, BOG_VISANTAL, 0, 0), 1);
  EXPECT_NE(SendMessageA(hwnd, BOG_VISLISTE, 0, 0), 0);

  // The selection window adds and removes a partner.
  const uint32_t ny = Ovak(3, "C-KURSUS");
  SendMessageA(hwnd, VALG_MARKERET, 0, static_cast<LPARAM>(ny));
  EXPECT_EQ(Partnere(w).size(), 3u);
  SendMessageA(hwnd, VALG_AFMARKERET, 0, static_cast<LPARAM>(ny));
  EXPECT_EQ(Partnere(w).size(), 2u);

  // The key test mode: Ctrl+F only with a filter on.
  TastInfo f{0, 1, 0, WM_KEYDOWN, 'F', 0, 0, 0};
  EXPECT_EQ(SendMessageA(hwnd, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&f)), 0);
  PosteringsFilter = {2, 0, 0};
  EXPECT_EQ(SendMessageA(hwnd, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&f)), 1);
}

// The window at the size it wants: every month column of the grid in view,
// the month pane beside the grid's vertical bar on a frame of its own with
// the day column, the current month in view, and the caption over both.
TEST_F(BogVindue, MonthPaneStandsBesideTheWholeGrid) {
  const uint32_t syg = Ovak(1, "SYG");
  AddAakrel(syg, Ansat(10), 10);
  ShowWindow(vaert, SW_SHOW);
  for (char bogstav : {'K', 'M'}) {
    SCOPED_TRACE(bogstav);
    hwnd = CreateBogWnd(bogstav, vaert, 0, 0, 4000, 900, 0);
    ASSERT_NE(hwnd, HWND{});
    ShowWindow(hwnd, SW_SHOW);
    tavo::test::PumpUntilIdle();
    BOGWS *w = BogVinduesWS(hwnd);
    const Ens &e = w->Hoved;
    ASSERT_NE(w->hwndMnd, HWND{});
    const int celler = e.RudeB[ENS_CELLER];  // Ens is packed: no reference into it
    EXPECT_GE(celler, 79 * static_cast<int>(SkemaPeriode.AntalMaaneder));
    RECT bar{}, mnd{}, vindue{}, luk{};
    GetWindowRect(e.hwndVScroll, &bar);
    GetWindowRect(w->hwndMnd, &mnd);
    GetWindowRect(hwnd, &vindue);
    GetWindowRect(e.hwndLuk, &luk);
    EXPECT_GT(mnd.left, bar.right - 1) << "right of the grid's bar";
    EXPECT_LE(mnd.right, vindue.right - GetSystemMetrics(SM_CXFRAME));
    EXPECT_GE(mnd.right - mnd.left, 150);
    EXPECT_GT(luk.left, mnd.left) << "the caption's buttons at the window's right";
    const MNDWS *m = MndVinduesWS(w->hwndMnd);
    const Ens &me = m->Hoved;
    for (HWND rude : {me.hwndRaekkeHoved, me.hwndKolHoved, me.hwndCeller, me.hwndVScroll, me.hwndHScroll})
      EXPECT_NE(rude, HWND{});
    const int dage = me.RudeH[ENS_CELLER];
    EXPECT_GE(dage, 31 * kMndRaekke);
    EXPECT_GE(m->Kolonner.Aktuel, m->Kolonner.Foerste);
    EXPECT_LT(m->Kolonner.Aktuel, m->Kolonner.Foerste + m->Kolonner.Synlige);
    DestroyWindow(hwnd);
  }
}

// On the grid frame: a click in the cells moves partner and month, the wheel
// and the bars scroll the panes, the caption's close button closes.
TEST_F(BogVindue, FrameClicksWheelScrollBarsAndCaptionClose) {
  const uint32_t syg = Ovak(1, "SYG");
  for (uint32_t i = 0; i < 60; ++i) AddAakrel(syg, Ansat(10 + i), 10);
  ShowWindow(vaert, SW_SHOW);
  hwnd = CreateBogWnd('K', vaert, 0, 0, 700, 300, 0);
  ASSERT_NE(hwnd, HWND{});
  ShowWindow(hwnd, SW_SHOW);
  tavo::test::PumpUntilIdle();
  BOGWS *w = BogVinduesWS(hwnd);
  const Ens &e = w->Hoved;
  ASSERT_NE(e.hwndCeller, HWND{});
  ASSERT_NE(e.hwndVScroll, HWND{});
  ASSERT_NE(e.hwndHScroll, HWND{});
  SendMessageA(hwnd, WM_LBUTTONDOWN, 0, IndePunkt(hwnd));
  ASSERT_EQ(w->Aktiv, 1);
  auto klik = [&](uint32_t m, uint32_t p) {
    const POINT pt = tavo::test::ScreenPoint(
        e.hwndCeller, static_cast<int>(GridCelleStart(&e.AkseX, m)) - static_cast<int>(e.ScrollX) + 10,
        static_cast<int>(GridCelleStart(&e.AkseY, p)) - static_cast<int>(e.ScrollY) + 5);
    tavo::test::Click(pt.x, pt.y);
    tavo::test::PumpUntilIdle();
  };
  klik(3, 4);
  EXPECT_EQ(w->AktuelPartner, 4u);
  EXPECT_EQ(w->AktuelKolonne, 3u);

  SendMessageA(hwnd, ENS_HJUL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_GT(uint32_t(e.ScrollY), 0u);
  EXPECT_EQ(w->AktuelPartner, 4u);  // the wheel scrolls, the cursor stays
  const uint32_t foerste = w->PosY.Foerste;
  klik(3, foerste + 1);
  EXPECT_EQ(w->AktuelPartner, foerste + 1);

  RECT bar{};
  GetWindowRect(e.hwndVScroll, &bar);
  const uint32_t y = e.ScrollY;
  tavo::test::Click((bar.left + bar.right) / 2, bar.bottom - 4);
  tavo::test::PumpUntilIdle();
  EXPECT_GT(uint32_t(e.ScrollY), y);
  GetWindowRect(e.hwndHScroll, &bar);
  tavo::test::Click(bar.right - 4, (bar.top + bar.bottom) / 2);
  tavo::test::PumpUntilIdle();
  EXPECT_GT(uint32_t(e.ScrollX), 0u);
  // A key brings the current cell back into view.
  Tast(VK_DOWN);
  EXPECT_GE(w->AktuelPartner, w->PosY.Foerste);
  EXPECT_LT(w->AktuelPartner, w->PosY.Foerste + w->PosY.Synlige);

  ASSERT_NE(e.hwndLuk, HWND{});
  GetWindowRect(e.hwndLuk, &bar);
  tavo::test::Click((bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2);
  tavo::test::PumpUntilIdle();
  EXPECT_FALSE(IsWindow(hwnd));
}

// What reaches the window's toolbar, seen by a procedure put in front of it.
std::vector<std::pair<UINT, WPARAM>> TilToolbar;
WNDPROC ToolbarProc = nullptr;
LRESULT CALLBACK ToolbarSpion(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == TB_GRUPPE_INDEKS) TilToolbar.push_back({m, w});
  return CallWindowProcA(ToolbarProc, h, m, w, l);
}

// The toolbar strip under the caption holds the group button of the mode's
// letter and the freeze button; Ctrl+A and Ctrl with digits ask it for a
// group, and its answer (3026) rebuilds the window on that group.
TEST_F(BogVindue, ToolbarChoosesTheGroupAndFreezes) {
  Ovak(1, "SYG");
  const uint32_t a = Ansat(10, 1u << 3), b = Ansat(11, 1u << 4);
  hwnd = CreateBogWnd('M', vaert, 0, 0, 2000, 900, 0);
  ASSERT_NE(hwnd, HWND{});
  BOGWS *w = BogVinduesWS(hwnd);
  HWND tb = w->Hoved.hwndToolbar;
  ASSERT_NE(tb, HWND{});
  RECT r{}, k{};
  GetWindowRect(tb, &r);
  GetWindowRect(hwnd, &k);
  EXPECT_EQ(r.right - r.left, k.right - k.left - 2 * GetSystemMetrics(SM_CXFRAME)) << "spans the window";
  EXPECT_EQ(r.bottom - r.top, kToolbarHoejde);
  EXPECT_EQ(SendMessageA(tb, GRUPPE_HENT, 0, 0), 31) << "the staff mode starts on all groups";
  ToolbarProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(tb, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ToolbarSpion)));
  TilToolbar.clear();

  // Ctrl+3, Ctrl released: group 3, and only its employment.
  Tast('3', true);
  EXPECT_TRUE(TilToolbar.empty()) << "nothing before Ctrl is released";
  SendMessageA(hwnd, WM_KEYUP, VK_CONTROL, 0);
  EXPECT_EQ(TilToolbar, (std::vector<std::pair<UINT, WPARAM>>{{TB_GRUPPE_INDEKS, 3}}));
  EXPECT_EQ(w->GruppeMaske, 8u);
  EXPECT_EQ(BogMedaGruppeMaske, 8u);
  EXPECT_EQ(Hoved(w), (std::vector<uint32_t>{a}));
  EXPECT_EQ(SendMessageA(tb, GRUPPE_HENT, 0, 0), 3);

  TilToolbar.clear();
  Tast('A', true);
  EXPECT_EQ(TilToolbar, (std::vector<std::pair<UINT, WPARAM>>{{TB_GRUPPE_INDEKS, 31}}));
  EXPECT_EQ(w->GruppeMaske, 2147483647u);
  EXPECT_EQ(Hoved(w), (std::vector<uint32_t>{a, b}));
  SetWindowLongPtrA(tb, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ToolbarProc));

  // The toolbar's toggle button is the frame button: it freezes and thaws.
  HWND knap = 0;
  for (HWND c = GetWindow(tb, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    char klasse[32] = "";
    GetClassNameA(c, klasse, sizeof klasse);
    if (std::string(klasse) == "NyButtonWndClass") knap = c;
  }
  ASSERT_NE(knap, HWND{});
  SendMessageA(knap, WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));
  SendMessageA(knap, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(w->Frosset, 1);
  SendMessageA(knap, WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));
  SendMessageA(knap, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(w->Frosset, 0);
}

// One bitmap button per partner field over its column, with the field's
// heading and the tooltip "Sorter efter <heading>"; pressed once it sorts
// rising and shows pressed, pressed again it sorts falling and shows raised.
// Another partner layout brings its own buttons.
TEST_F(BogVindue, SortButtonsOverThePartnerFields) {
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "resources" / "orvane" / "TavoSwt.ini", rod / "ini" / "TavoSwt.ini");
  LaesSwitchIni();
  ObjSwitchVaelg(kBogPartnerArt, 'M', 0);
  const uint32_t syg = Ovak(1, "SYG");
  for (uint32_t p : {Ansat(10), Ansat(11), Ansat(12)}) AddAakrel(syg, p, 10);
  ShowWindow(vaert, SW_SHOW);
  hwnd = CreateBogWnd('K', vaert, 0, 0, 1900, 800, 0);
  ASSERT_NE(hwnd, HWND{});
  ShowWindow(hwnd, SW_SHOW);
  tavo::test::PumpUntilIdle();
  BOGWS *w = BogVinduesWS(hwnd);
  const uint32_t felter = ObjSwitchFeltAntal(kBogPartnerArt, 'M', 0);
  ASSERT_GE(felter, 2u);
  ASSERT_EQ(w->SortKnapper.size(), felter);
  for (uint32_t i = 0; i < felter; ++i) {
    SCOPED_TRACE(i);
    const auto *b = reinterpret_cast<const BWS *>(GetWindowLongPtrA(w->SortKnapper[i], GWLP_USERDATA));
    ASSERT_NE(b, nullptr);
    const std::string navn = SwitchFeltNavn(&tdanfo, ObjSwitchFeltNr(kBogPartnerArt, 'M', 0, i));
    EXPECT_FALSE(navn.empty());
    EXPECT_EQ(std::string(b->txt), navn);
    EXPECT_EQ(std::string(b->tooltxt), "Sorter efter " + navn);
    EXPECT_EQ(GetParent(w->SortKnapper[i]), w->Hoved.hwndHjoerneV);
    EXPECT_EQ(uint32_t(b->x), ObjSwitchFeltStart(kBogPartnerArt, 'M', 0, i));
    EXPECT_EQ(uint32_t(b->width), ObjSwitchFeltBredde(kBogPartnerArt, 'M', 0, i));
  }
  auto tryk = [&](uint32_t i) {
    RECT r{};
    GetWindowRect(w->SortKnapper[i], &r);
    tavo::test::Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    tavo::test::PumpUntilIdle();
    return reinterpret_cast<const BWS *>(GetWindowLongPtrA(w->SortKnapper[i], GWLP_USERDATA))->latched;
  };
  EXPECT_EQ(tryk(0), 1u);
  EXPECT_EQ(w->SortKnap, 1u);
  EXPECT_EQ(w->Faldende, 0);
  const std::vector<uint32_t> op = Partnere(w);
  EXPECT_EQ(tryk(0), 0u) << "the second press shows the button raised";
  EXPECT_EQ(w->Faldende, 1);
  EXPECT_EQ(Partnere(w), std::vector<uint32_t>(op.rbegin(), op.rend()));
  EXPECT_EQ(tryk(1), 1u);
  EXPECT_EQ(reinterpret_cast<const BWS *>(GetWindowLongPtrA(w->SortKnapper[0], GWLP_USERDATA))->latched, 0u);

  const uint32_t felter2 = ObjSwitchFeltAntal(kBogPartnerArt, 'M', 1);
  Tast('2');
  ASSERT_EQ(w->SortKnapper.size(), felter2);
  const auto *b = reinterpret_cast<const BWS *>(GetWindowLongPtrA(w->SortKnapper.back(), GWLP_USERDATA));
  EXPECT_EQ(std::string(b->txt), SwitchFeltNavn(&tdanfo, ObjSwitchFeltNr(kBogPartnerArt, 'M', 1, felter2 - 1)));
}

TEST_F(BogVindue, DigitChoosesPartnerLayoutAndRightButtonOpensTheModesPickList) {
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "resources" / "orvane" / "TavoSwt.ini", rod / "ini" / "TavoSwt.ini");
  LaesSwitchIni();
  RegistrerListeKlasser(hInst);
  ASSERT_GE(ObjSwitchAntal(kBogPartnerArt, 'K'), 2u);
  ASSERT_GE(ObjSwitchAntal(kBogPartnerArt, 'M'), 2u);
  const uint32_t syg = Ovak(1, "SYG"), a = Ansat(10), b = Ansat(11);
  AddAakrel(syg, a, 10);
  AddAakrel(syg, b, 10);
  for (char bogstav : {'K', 'M'}) {
    SCOPED_TRACE(bogstav);
    const uint8_t pb = bogstav == 'K' ? 'M' : 'K';
    ObjSwitchVaelg(kBogPartnerArt, pb, 0);
    hwnd = CreateBogWnd(bogstav, vaert, 0, 0, 4000, 900, 0);
    ASSERT_NE(hwnd, HWND{});
    RECT foer, efter;
    GetWindowRect(hwnd, &foer);
    Tast('2');
    EXPECT_EQ(ObjSwitchValgt(kBogPartnerArt, pb), 1u);
    GetWindowRect(hwnd, &efter);
    EXPECT_NE(efter.right - efter.left, foer.right - foer.left);
    // A digit beyond the layouts chooses nothing.
    Tast('9');
    EXPECT_EQ(ObjSwitchValgt(kBogPartnerArt, pb), 1u);

    SendMessageA(hwnd, WM_RBUTTONDOWN, 0, MAKELPARAM(20, 80));
    HWND liste = FindWindowA("ShortCutWndClass", nullptr);
    ASSERT_NE(liste, HWND{});
    const auto *info = reinterpret_cast<const ShortCutInfo *>(GetWindowLongPtrA(liste, GWLP_USERDATA));
    ASSERT_NE(info, nullptr);
    std::vector<std::string> raekker;
    for (const ShortCutPost *p = info->table->Poster; p->Beskrivelse[0]; ++p) raekker.push_back(p->TastNavn);
    const std::vector<std::string> k = {"<Ctrl> + <h>", "<Ctrl> + <F4>", "<Enter>", "<Tab>",
                                        "<Ctrl> + <Shift> + <d>"};
    std::vector<std::string> m = k;
    m.insert(m.begin(), "<Ctrl> + <a>");
    EXPECT_EQ(raekker, bogstav == 'K' ? k : m);
    EXPECT_STREQ(info->table->Poster[bogstav == 'K' ? 2 : 3].Beskrivelse,
                 bogstav == 'K' ? "Åbner valg vinduet (medarbejdere)." : "Åbner valg vinduet (aktiviteter).");
    DestroyWindow(liste);
    DestroyWindow(hwnd);
  }
}

TEST_F(BogVindue, MonthPaneMessagesMoveTheCursorAndTellTheDatePane) {
  const uint32_t syg = Ovak(1, "SYG"), a = Ansat(10), b = Ansat(11);
  AddAakrel(syg, a, 10);
  AddAakrel(syg, b, 10);
  const uint32_t r = Postering(syg, b, 20250203, 175);
  hwnd = CreateBogWnd('K', vaert, 0, 0, 2000, 900, 0);
  ASSERT_NE(hwnd, HWND{});
  BOGWS *w = BogVinduesWS(hwnd);
  w->Aktuel.Partner = b;
  w->Aktuel.Maaned = 202502;
  w->Aktuel.Dato = 20250203;
  SendMessageA(hwnd, BOG_MND_FLYT, 0, 0);
  EXPECT_EQ(BogPartnerRec(w), b);
  EXPECT_EQ(w->AktuelKolonne, MaanedTilIndeks(202502));
  const LRESULT i = SendMessageA(hwnd, BOG_KAEDE, 0, 0);
  ASSERT_NE(i, 0);
  const auto *liste = reinterpret_cast<const BogVisPost *>(SendMessageA(hwnd, BOG_VISLISTE, 0, 0));
  EXPECT_EQ(liste[i].Raekke, r);
  EXPECT_EQ(liste[i].Maaned, 202502u);

  hwndHoved = lytter;
  Modtaget.clear();
  SendMessageA(hwnd, BOG_MND_DAG, 0, 0);
  EXPECT_TRUE(Fik(STATUS_DATO_SAET, 20250203));
  SendMessageA(hwnd, BOG_MND_TASTATUR, 0, 0);
  EXPECT_EQ(w->MndRude, 1);
  hwndHoved = 0;
}

}  // namespace
