// The student overlap window: the activities of the week on both axes, the
// toggle of a pair stored once in either order, the shaded triangle and the
// red diagonal, key E, and a pair added here kept through a save, an import
// that replaces elvrel2 and a reload.

#include <fstream>
#include <iterator>

#include "ELVRELLOKAL.h"
#include "ElevRel.h"
#include "FARVER.h"
#include "GRIDAKSE.h"
#include "HENTGEM.h"
#include "RECPRED.h"
#include "SKOLEDATA.h"
#include "VALG.h"
#include "relmatrix_support.h"

namespace {

using namespace reltest;
using Celler = std::set<std::pair<uint32_t, uint32_t>>;

class ElvTest : public RelTest {
 protected:
  void SetUp() override {
    RelTest::SetUp();
    ASSERT_TRUE(RegistrerElvRelKlasse(0));
    ASSERT_TRUE(RegistrerValgKlasse(0));
  }

 public:
  // A team activity of the dates given (the school year unless told).
  static uint32_t Hold(uint32_t id, const char *navn, Dato fra = 20240801, Dato til = 20250731, uint8_t status = 20,
                       const char *type = "HOLD") {
    const uint32_t n = Akti(id, navn, status, type);
    AktiRec *a = TabRec<AktiRec>(tvakti, n);
    a->Fradato = fra;
    a->Tildato = til;
    return n;
  }
  static uint32_t Par(uint32_t a, uint32_t b, uint8_t status) {
    Elvrel2Rec r{};
    r.akti1_id = a;
    r.akti2_id = b;
    r.Status = status;
    return predtest::Ny(tdelvrel2, tvelvrel2, r);
  }
  static void SorterAlle() {
    Sorter();
    SortTab(&tdelvrel2, &tvelvrel2);
  }
  static uint32_t Id(uint32_t akti) { return akti ? +TabRec<AktiRec>(tvakti, akti)->id : 0; }
  // The live pairs of elvrel2 as (first id, second id, status).
  static std::set<std::tuple<uint32_t, uint32_t, int>> Relationer() {
    std::set<std::tuple<uint32_t, uint32_t, int>> s;
    for (uint32_t r = 1; r < tvelvrel2.wRecCnt; ++r) {
      const Elvrel2Rec *p = TabRec<Elvrel2Rec>(tvelvrel2, r);
      if (p->Status) s.insert({Id(p->akti1_id), Id(p->akti2_id), p->Status});
    }
    return s;
  }

  HWND Aabn() {
    HWND h = CreateElvRelWnd(desktop, 0, 0, kDeskB, kDeskH);
    if (h) {
      ShowWindow(h, SW_SHOWNORMAL);
      UpdateWindow(h);
      BringWindowToTop(h);
    }
    tavo::test::PumpUntilIdle();
    return h;
  }
  static COLORREF Pixel(HWND h, uint32_t c, uint32_t r) {
    const Ens &e = Ws(h)->Matrix;
    return tavo::test::WindowPixel(e.hwndCeller, static_cast<int>(16 * (c - 1) + 1 - e.ScrollX),
                                   static_cast<int>(16 * (r - 1) + 1 - e.ScrollY));
  }
  // The place of an activity in the window's list.
  static uint32_t Pos(HWND h, uint32_t akti) {
    const RelWS *ws = Ws(h);
    return FindObjIdx(ws->Raekke.ObjTab, ws->Raekke.ObjTabAntal, akti);
  }
  static Celler AlleTegnet(HWND h) {
    tavo::test::ClearDrawnTexts();
    SendMessageA(h, ENS_CELLER_TEGN, 0, 0);
    return TegnedeCeller(h);
  }
};

// ==================================================================== the list

class ElvRelListe : public ElvTest {};

TEST_F(ElvRelListe, TheTeamActivitiesOfTheWeekOnBothAxesAndTheCurrentActivitysRow) {
  // Week 41: Monday 7 to Sunday 13 October 2024.
  Hold(1001, "A", 20240801, 20241006);                         // ended the Sunday before
  const uint32_t b = Hold(1002, "B", 20241013, 20250101);      // from the Sunday
  const uint32_t c = Hold(1003, "C", 20241007, 20241007);      // the Monday only
  Hold(1004, "D", 20240801, 20250731, 20, "hold");
  Hold(1005, "E", 20240801, 20250731, 30);
  const uint32_t g = Hold(1006, "G");
  TabRec<AktiRec>(tvakti, g)->Gruppe = 0;
  SorterAlle();
  tvakti.AktuelRec = c;
  HWND h = Aabn();
  ASSERT_NE(h, static_cast<HWND>(0));
  RelWS *ws = Ws(h);
  EXPECT_EQ(GetWindowLongA(h, GWL_ID), kElvRelType);
  EXPECT_STREQ(ws->Matrix.Titel, " Elev sammenfald på Aktiviteter");
  EXPECT_EQ(Liste(ws->Raekke), (std::vector<uint32_t>{b, c, g}));
  EXPECT_EQ(Liste(ws->Kol), (std::vector<uint32_t>{b, c, g}));
  EXPECT_EQ(ws->PosY.Aktuel, 2u);
  EXPECT_EQ(ws->PosX.Aktuel, 1u);
  EXPECT_EQ(ws->PosX.Antal, 3u);
  EXPECT_EQ(ws->PosY.Antal, 3u);

  // The week after: C is gone; the current activity is not listed.
  tvakti.AktuelRec = c;
  Tast(VK_NEXT);
  EXPECT_EQ(Liste(ws->Raekke), (std::vector<uint32_t>{b, g}));
  EXPECT_EQ(Liste(ws->Kol), (std::vector<uint32_t>{b, g}));
  EXPECT_EQ(ws->PosY.Aktuel, 0u);
  EXPECT_EQ(ws->PosX.Aktuel, 1u);
}

TEST_F(ElvRelListe, TheCurrentCellIsCentredInViewAtCreation) {
  Skole(80, 0);
  for (uint32_t a : akti) TabRec<AktiRec>(tvakti, a)->Tildato = 20250731;
  tvakti.AktuelRec = akti[59];
  HWND h = Aabn();
  RelWS *ws = Ws(h);
  ASSERT_EQ(ws->PosY.Aktuel, 60u);
  const Ens &e = ws->Matrix;
  const int H = e.RudeH[ENS_CELLER];
  ASSERT_GT(H, 0);
  ASSERT_LT(H, 16 * 60);
  const int midte = static_cast<int>(GridCelleStart(&e.AkseY, 60) + GridCelleSlut(&e.AkseY, 60)) / 2;
  EXPECT_LE(std::abs(midte - static_cast<int>(e.ScrollY) - H / 2), 1);
  EXPECT_EQ(+e.ScrollX, 0u);  // column 1
}

// ==================================================================== the toggle

class ElvRelSkift : public ElvTest {};

TEST_F(ElvRelSkift, SpaceAddsThePairSmallerIdFirstAndBothCellsShowIt) {
  const uint32_t a17 = Hold(17, "A17"), a5 = Hold(5, "B05");
  Hold(9, "C09");
  SorterAlle();
  HWND h = Aabn();
  const uint32_t k17 = Pos(h, a17), r5 = Pos(h, a5);
  KlikCelle(h, k17, r5);
  EXPECT_TRUE(SkiftElvRel(Ws(h), 1));
  Tast(VK_SPACE);
  // Added with the letter 'L', current once the table is sorted.
  EXPECT_EQ(Relationer(), (std::set<std::tuple<uint32_t, uint32_t, int>>{{5, 17, 20}}));
  const Elvrel2Rec *p = TabRec<Elvrel2Rec>(tvelvrel2, 1);
  EXPECT_EQ(+p->akti1_id, a5);
  EXPECT_EQ(+p->akti2_id, a17);
  EXPECT_EQ(+p->Startdato, 0u);
  EXPECT_EQ(+p->Slutdato, 0u);
  EXPECT_EQ(AlleTegnet(h), (Celler{{k17, r5}, {r5, k17}}));
}

TEST_F(ElvRelSkift, SpaceRemovesALocalPairFromBothCellsButNeverTouchesTheDiagonalOrAPairOfStatus10) {
  const uint32_t a = Hold(1001, "A"), b = Hold(1002, "B"), c = Hold(1003, "C");
  Par(b, a, 20);  // stored in the other order
  Par(c, a, 10);
  SorterAlle();
  HWND h = Aabn();
  ASSERT_EQ(AlleTegnet(h), (Celler{{1, 2}, {2, 1}, {1, 3}, {3, 1}}));
  const auto foer = Relationer();

  struct Tilfaelde {
    const char *navn;
    uint32_t c, r;
  };
  for (const Tilfaelde &t : {Tilfaelde{"the diagonal", 2, 2}, Tilfaelde{"status 10", 3, 1},
                             Tilfaelde{"status 10 mirrored", 1, 3}}) {
    SCOPED_TRACE(t.navn);
    KlikCelle(h, t.c, t.r);
    EXPECT_FALSE(SkiftElvRel(Ws(h), 1));
    Tast(VK_SPACE);
    EXPECT_EQ(Relationer(), foer);
  }

  KlikCelle(h, 2, 1);
  EXPECT_TRUE(SkiftElvRel(Ws(h), 1));
  Tast(VK_SPACE);
  EXPECT_EQ(Relationer(), (std::set<std::tuple<uint32_t, uint32_t, int>>{{1003, 1001, 10}}));
  EXPECT_EQ(AlleTegnet(h), (Celler{{1, 3}, {3, 1}}));
}

// ==================================================================== painting

class ElvRelTegning : public ElvTest {};

TEST_F(ElvRelTegning, TheShadeFollowsTheCursorsTriangleAndACrossingRepaintsTheWholeMatrix) {
  for (uint32_t i = 1; i <= 5; ++i) {
    char navn[8];
    std::snprintf(navn, sizeof navn, "H%u", i);
    akti.push_back(Hold(1000 + i, navn));
  }
  Par(akti[0], akti[2], 20);
  Par(akti[1], akti[4], 20);
  Par(akti[3], akti[4], 20);
  SorterAlle();
  HWND h = Aabn();
  const Celler alle{{1, 3}, {3, 1}, {2, 5}, {5, 2}, {4, 5}, {5, 4}};
  ASSERT_EQ(AlleTegnet(h), alle);

  // The cursor's column left of its row: the cells right of the diagonal
  // are shaded.
  KlikCelle(h, 1, 3);
  const COLORREF baggrund = FarveTab[0];
  const COLORREF skygge = RGB(static_cast<uint8_t>(GetRValue(baggrund) - 30),
                              static_cast<uint8_t>(GetGValue(baggrund) - 30),
                              static_cast<uint8_t>(GetBValue(baggrund) - 30));
  EXPECT_EQ(Pixel(h, 4, 2), skygge);
  EXPECT_EQ(Pixel(h, 2, 4), baggrund);
  EXPECT_EQ(Pixel(h, 3, 3), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(h, 1, 3), FarveTab[1]);
  EXPECT_EQ(ElvRelCelleFarve(Ws(h), 4, 2), skygge);

  // A move inside the triangle repaints the cells the cursor left and came to.
  tavo::test::ClearDrawnTexts();
  Tast(VK_DOWN);
  EXPECT_EQ(TegnedeCeller(h), (Celler{{1, 3}}));

  // Across the diagonal the other triangle is shaded, every cell repainted.
  tavo::test::ClearDrawnTexts();
  KlikCelle(h, 5, 2);
  EXPECT_EQ(TegnedeCeller(h), alle);
  EXPECT_EQ(Pixel(h, 2, 4), skygge);
  EXPECT_EQ(Pixel(h, 4, 2), baggrund);
  EXPECT_EQ(Pixel(h, 1, 1), RGB(255, 0, 0));
}

// ==================================================================== key E

class ElvRelTastE : public ElvTest {};

HWND FindValgVindue(HWND forael) {
  struct Fund {
    HWND h = 0;
  } fund;
  EnumChildWindows(
      forael,
      [](HWND h, LPARAM l) -> BOOL {
        char klasse[32] = "";
        GetClassNameA(h, klasse, sizeof klasse);
        if (std::strcmp(klasse, "ValgWndClass") != 0) return TRUE;
        reinterpret_cast<Fund *>(l)->h = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&fund));
  return fund.h;
}

TEST_F(ElvRelTastE, KeyEListsTheStudentsBothActivitiesShare) {
  const uint32_t a = Hold(1001, "A"), b = Hold(1002, "B");
  SorterAlle();
  std::vector<uint32_t> elev;
  for (uint32_t i = 1; i <= 4; ++i) {
    PersRec p{};
    p.id = 700000 + i;
    p.Status = 10;
    std::snprintf(p.Cpr_Nr, sizeof p.Cpr_Nr, "01010%u1234", i);
    elev.push_back(predtest::Ny(tdpers, tvpers, p));
  }
  auto plan = [](uint32_t pers, uint32_t akti, uint8_t status) {
    predtest::Ny(tdakpl, tvakpl, AkplRec{pers, akti, status, 20240801, 20250731});
  };
  plan(elev[0], a, 30), plan(elev[0], b, 30);
  plan(elev[1], a, 30), plan(elev[1], b, 30);
  plan(elev[2], a, 30);                         // on one of them
  plan(elev[3], a, 30), plan(elev[3], b, 10);   // not enrolled on the other
  HWND h = Aabn();
  KlikCelle(h, 1, 2);
  Tast('E');
  const HWND valg = FindValgVindue(hoved);
  ASSERT_NE(valg, static_cast<HWND>(0));
  const auto *vws = reinterpret_cast<const VWS *>(GetWindowLongPtrA(valg, GWLP_USERDATA));
  ASSERT_NE(vws, nullptr);
  const ValgListe *l = vws->pValgListe;
  ASSERT_NE(l, nullptr);
  std::vector<uint32_t> liste(l->ObjTab + 1, l->ObjTab + 1 + l->Antal);
  EXPECT_EQ(liste, (std::vector<uint32_t>{elev[0], elev[1]}));
  EXPECT_STREQ(l->Caption, " Elevsammenfald på hold");
  EXPECT_EQ(+l->TitelArt, kSammenfaldTitelArt);
  EXPECT_EQ(+l->ListeArt, kElevListeArt);
  EXPECT_EQ(+l->Bogstav, 'K');
  EXPECT_EQ(+l->KildeRec, a);
  EXPECT_TRUE(IsWindowVisible(valg));
  EXPECT_EQ(+vws->ens.Aktiv, 1);
}

// ==================================================================== end to end

class ElvRelEndeTilEnde : public ElvTest {};

TEST_F(ElvRelEndeTilEnde, APairAddedInTheWindowSurvivesASaveAnImportThatReplacesElvrel2AndAReload) {
  fs::path skole;
  struct Fjern {
    fs::path &p;
    ~Fjern() {
      std::error_code ec;
      if (!p.empty()) fs::remove_all(p, ec);
    }
  } fjern{skole};
  ASSERT_NO_FATAL_FAILURE(switchtest::LavLilleSkole("elevrel", &skole));
  LaesSwitchIni();
  SaetAktuelDato(20261007);
  for (uint32_t &m : HuskGruppe) m = kAlleGrupper;
  ASSERT_EQ(HentAlleData(0), 0);

  HWND h = Aabn();
  ASSERT_NE(h, static_cast<HWND>(0));
  RelWS *ws = Ws(h);
  // A cell off the diagonal whose pair is not held yet.
  uint32_t kol = 0, raekke = 0;
  for (uint32_t r = 1; r <= ws->Raekke.ObjTabAntal && !kol; ++r)
    for (uint32_t c = 1; c <= ws->Kol.ObjTabAntal && !kol; ++c)
      if (c != r && !FindParRec(&tdelvrel2, &tvelvrel2, ws->Kol.ObjTab[c], ws->Raekke.ObjTab[r])) kol = c, raekke = r;
  ASSERT_NE(kol, 0u);
  uint32_t id1 = Id(ws->Kol.ObjTab[kol]), id2 = Id(ws->Raekke.ObjTab[raekke]);
  if (static_cast<int32_t>(id1) > static_cast<int32_t>(id2)) std::swap(id1, id2);
  KlikCelle(h, kol, raekke);
  Tast(VK_SPACE);
  Tast(VK_ESCAPE);
  ASSERT_FALSE(IsWindow(h));
  auto holdt = [&] {
    for (const auto &[x, y, status] : Relationer())
      if (x == id1 && y == id2) return status % 100 == 20;
    return false;
  };
  ASSERT_TRUE(holdt());

  GemAlleData(0, 0);
  std::ifstream f(skole / "ini" / "ElvRelLokal.dat", std::ios::binary);
  const std::string lokal((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  EXPECT_NE(lokal.find("0;" + std::to_string(id1) + ";" + std::to_string(id2)), std::string::npos) << lokal;

  // The import replaces the table with the server's pairs, then merges the
  // local file.
  for (uint32_t r = 1; r < tvelvrel2.wRecCnt; ++r)
    if (TabRec<Elvrel2Rec>(tvelvrel2, r)->Status) DelRec(&tdelvrel2, &tvelvrel2, r);
  SortTab(&tdelvrel2, &tvelvrel2);
  ASSERT_FALSE(holdt());
  LoadLokalElvRel();
  EXPECT_TRUE(holdt());

  GemAlleData(0, 0);
  storetest::TomAlleTabeller();
  ASSERT_TRUE(SaetSkoleMappe(skole.c_str()));
  ASSERT_EQ(HentAlleData(0), 0);
  EXPECT_TRUE(holdt());
}

}  // namespace
