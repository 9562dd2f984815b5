// The posting window: its main-object, partner and posting lists with the
// cell sums under the posting filters, the row and line sums, the cursor
// and Ctrl+F, and the window driven by keys and messages.
#include <gtest/gtest.h>

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
  EXPECT_TRUE(Fik(BOG_AKTUEL_AENDRET, 0));
  EXPECT_EQ(SendMessageA(hwnd, BOG_SUM, 0, 0), BogPartnerRec(w) == ferie ? 250 : 0);

  // Frozen, a 1054 from elsewhere moves nothing.
  Tast('H', true);
  EXPECT_EQ(w->Frosset, 1);
  SaetAktuelDato(20250210);
  SendMessageA(hwnd, BOG_AKTUEL_AENDRET, 1, 0);
  EXPECT_EQ(w->Aktuel.Maaned, 202411u);
  Tast('H', true);
  SendMessageA(hwnd, BOG_AKTUEL_AENDRET, 1, 0);
  EXPECT_EQ(w->Aktuel.Maaned, 202502u);

  // Posting-pane questions.
  EXPECT_EQ(SendMessageA(hwnd, BOG_VISANTAL, 0, 0), 1);
  EXPECT_NE(SendMessageA(hwnd, BOG_VISLISTE, 0, 0), 0);

  // The selection window adds and removes a partner.
  const uint32_t ny = Ovak(3, "C-KURSUS");
  SendMessageA(hwnd, BOG_VALG_MAERKET, 0, static_cast<LPARAM>(ny));
  EXPECT_EQ(Partnere(w).size(), 3u);
  SendMessageA(hwnd, BOG_VALG_FJERNET, 0, static_cast<LPARAM>(ny));
  EXPECT_EQ(Partnere(w).size(), 2u);

  // The key test mode: Ctrl+F only with a filter on.
  TastInfo f{0, 1, 0, WM_KEYDOWN, 'F', 0, 0, 0};
  EXPECT_EQ(SendMessageA(hwnd, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&f)), 0);
  PosteringsFilter = {2, 0, 0};
  EXPECT_EQ(SendMessageA(hwnd, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&f)), 1);
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

TEST_F(BogVindue, CtrlAAsksTheToolbarForAllGroups) {
  Ovak(1, "SYG");
  hwnd = CreateBogWnd('M', lytter, 0, 0, 2000, 900, 0);
  ASSERT_NE(hwnd, HWND{});
  Modtaget.clear();
  Tast('A', true);
  EXPECT_TRUE(Fik(BOG_TOOLBAR_GRUPPE, 31));
  SendMessageA(hwnd, BOG_GRUPPE, 31, 0);
  EXPECT_EQ(BogVinduesWS(hwnd)->GruppeMaske, 2147483647u);
  SendMessageA(hwnd, BOG_GRUPPE, 3, 0);
  EXPECT_EQ(BogMedaGruppeMaske, 8u);
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
  EXPECT_TRUE(Fik(BOG_DATOPANE, 20250203));
  SendMessageA(hwnd, BOG_MND_TASTATUR, 0, 0);
  EXPECT_EQ(w->MndRude, 1);
  hwndHoved = 0;
}

}  // namespace
