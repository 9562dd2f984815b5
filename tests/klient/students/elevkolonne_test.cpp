// Columns 1-13 of the activity window and the student wish window: cell
// texts, colours and font against a small group, the sort of both lists,
// the sort buttons over a headless window, and the wanted sizes.
#include <cstring>
#include <string>
#include <vector>

#include "ELEVLISTE.h"
#include "ENSMUS.h"
#include "NYBUTTON.h"
#include "elevkolonne_fixture.h"
#include "knapper.h"
#include "tavo/test_user.h"

using namespace eleventest;

namespace {

constexpr uint8_t H = ELEVLISTE_HOLD;
constexpr uint8_t O = ELEVLISTE_ONSK;

class ElevKolonneTekst : public ElevKolonneMappe {
 protected:
  uint32_t tg = 0;
  // Activities 1-5 and students 1-2 by their positions in LaTab and ElevTab.
  void SetUp() override {
    ElevKolonneMappe::SetUp();
    tg = NyGruppe(20, 'L', 2);
    const char *navne[] = {"Matematik", "Dansk", "Engelsk", "Fysik", "Kemi"};
    uint32_t la[5];
    for (int i = 0; i < 5; ++i) la[i] = NyLa(tg, 100 + i, navne[i]);
    const uint32_t e1 = NyElev(1, "Åse Hansen"), e2 = NyElev(2, "Bo Berg");
    NyElti(e1, tg);
    NyElti(e2, tg);
    Vis(tg);
    ASSERT_EQ(ws->LaAntal, 5u);
    ASSERT_EQ(ws->ElevAntal, 2u);

    ElevRec *a = ElevRecNr(e1), *b = ElevRecNr(e2);
    memcpy(a->Cpr_Nummer, "1012901234", 11);  // stored without its leading zero
    memcpy(b->Cpr_Nummer, "31129912345", 12);
    memcpy(a->Navn, "ABCD", 5);
    memcpy(b->Navn, "VWXYZ", 5);  // no terminator: four characters count
    memcpy(a->Navn2, "EUD1", 5);
    memcpy(a->Navn3, "G", 2);
    memset(a->Navn5, 'k', 35);
    a->Navn5[35] = '\0';

    // Occupancy against min 2 and max 4: 1, 3, 4 and 5 placed; the fifth
    // closed for new students.
    const uint32_t placeret[5][3] = {{1, 0, 0}, {1, 1, 1}, {2, 2, 0}, {1, 2, 2}, {0, 0, 0}};
    for (int i = 0; i < 5; ++i) {
      LaRec *l = LaRecNr(la[i]);
      l->min_elevantal = 2;
      l->max_elevantal = 4;
      l->akt_prio_1 = placeret[i][0];
      l->akt_prio_2 = placeret[i][1];
      l->akt_prio_3 = placeret[i][2];
    }
    LaRecNr(la[3])->kopi_id = 100;  // Fysik: a duplicate of Matematik
    LaRecNr(la[3])->dubletnr = 2;
    LaRecNr(la[4])->LukForNyeElever = 1;
    LaRecNr(la[4])->aktiv = 0;  // Kemi: archived
  }

  void Saet(uint32_t a, uint32_t s, uint8_t w, uint8_t p, uint8_t m) {
    ws->Oensker(a, s) = w;
    ws->Placeringer(a, s) = p;
    ws->Markeringer(a, s) = m;
  }
};

TEST_F(ElevKolonneTekst, EveryCodeByRecordState) {
  struct {
    uint8_t vindue, retning, statusSort;
    uint32_t kode, bredde, la, elev;
    uint8_t w, p, m;  // the wish, placement and mark cells of (la, elev)
    size_t str;       // 0: the row painter's buffer
    std::string tekst;
    uint8_t farve, baggrund;
    bool symbol;
  } tabel[] = {
      {H, 0, 0, 1, 12, 1, 1, 0, 0, 0, 0, "Åse Hansen  ", 16, 0, false},
      {H, 0, 0, 1, 5, 1, 1, 0, 0, 0, 0, "Åse H", 16, 0, false},
      {H, 0, 0, 1, 20, 1, 1, 0, 0, 0, 8, "Åse Han", 16, 0, false},  // cut at the buffer
      {H, 0, 0, 2, 11, 1, 1, 0, 0, 0, 0, "01012901234", 16, 0, false},
      {O, 0, 0, 2, 11, 1, 2, 0, 0, 0, 0, "31129912345", 16, 0, false},
      {H, 0, 0, 2, 13, 1, 1, 0, 0, 0, 0, "01012901234  ", 16, 0, false},
      {H, 0, 0, 3, 5, 1, 1, 0, 0, 0, 0, "ABCD ", 16, 0, false},
      {H, 0, 0, 3, 5, 1, 2, 0, 0, 0, 0, "VWXY ", 16, 0, false},
      {H, 0, 0, 4, 4, 1, 1, 0, 0, 0, 0, "EUD1", 16, 0, false},
      {H, 0, 0, 5, 2, 1, 1, 0, 0, 0, 0, "G ", 16, 0, false},
      {H, 0, 0, 6, 36, 1, 1, 0, 0, 0, 0, std::string(35, 'k') + " ", 16, 0, false},
      {H, 0, 0, 7, 10, 1, 1, 0, 0, 0, 0, "Matematik ", 7, 0, false},
      {H, 0, 0, 7, 10, 4, 1, 0, 0, 0, 0, "Fysik     ", 10, 0, false},
      {H, 0, 0, 7, 10, 5, 1, 0, 0, 0, 0, "Kemi      ", 7, 0, false},
      {O, 0, 0, 7, 10, 1, 1, 0, 0, 0, 0, "Matematik ", 7, 0, false},
      {O, 0, 0, 7, 10, 4, 1, 0, 0, 0, 0, "Fysik     ", 10, 0, false},
      {O, 0, 0, 7, 10, 5, 1, 0, 0, 0, 0, "Kemi      ", 5, 0, false},
      {H, 0, 0, 8, 1, 1, 1, 0, 0, 0, 0, " ", 16, 36, false},
      {H, 0, 0, 8, 1, 2, 1, 0, 0, 0, 0, "<", 16, 36, false},
      {H, 0, 0, 8, 1, 3, 1, 0, 0, 0, 0, "=", 16, 36, false},
      {O, 0, 0, 8, 1, 4, 1, 0, 0, 0, 0, ">", 16, 36, false},
      {O, 0, 0, 8, 1, 5, 1, 0, 0, 0, 0, "L", 16, 36, false},
      {H, 0, 0, 10, 3, 1, 1, 1, 1, 1, 0, "   ", 16, 0, false},
      {H, 0, 0, 11, 1, 1, 1, 1, 1, 0, 0, G(34), 7, 36, true},
      {H, 0, 0, 11, 1, 1, 1, 2, 1, 0, 0, G(35), 7, 36, true},
      {H, 0, 0, 11, 1, 1, 1, 0, 1, 0, 0, G(36), 8, 36, true},
      {O, 0, 0, 11, 1, 1, 1, 2, 2, 1, 0, G(35), 10, 36, true},
      {O, 0, 0, 11, 2, 1, 1, 2, 0, 0, 0, " 2", 3, 36, true},
      {H, 0, 0, 11, 2, 1, 1, 0, 0, 1, 0, "  ", 3, 36, true},
      {H, 0, 0, 12, 1, 1, 1, 0, 0, 1, 0, G(47), 16, 36, true},
      {O, 0, 0, 12, 1, 1, 1, 1, 2, 4, 0, G(47), 16, 36, true},
      {H, 0, 0, 12, 1, 1, 1, 1, 1, 1, 0, " ", 16, 36, true},
      {H, 0, 0, 12, 1, 1, 1, 1, 0, 0, 0, " ", 16, 36, true},
      {O, 0, 0, 13, 1, 1, 1, 0, 0, 0, 0, "0", 16, 0, false},
      {O, 0, 0, 13, 1, 5, 1, 0, 0, 0, 0, "1", 16, 0, false},
      {O, 2, 0, 13, 1, 1, 1, 0, 0, 0, 0, "1", 16, 0, false},
      {O, 2, 0, 13, 1, 5, 1, 0, 0, 0, 0, "0", 16, 0, false},
      {O, 2, 1, 13, 1, 1, 1, 0, 0, 0, 0, "0", 16, 0, false},  // sorted on 11: ascending
      {H, 2, 0, 13, 1, 5, 1, 0, 0, 0, 0, " ", 16, 0, false},  // the wish window's only
      // Positions that name no record leave blanks and the caller's colours.
      {H, 0, 0, 1, 4, 1, 0, 0, 0, 0, 0, "    ", 16, 0, false},
      {O, 0, 0, 7, 4, 0, 1, 0, 0, 0, 0, "    ", 16, 0, false},
      {O, 0, 0, 8, 2, 6, 1, 0, 0, 0, 0, "  ", 16, 0, false},
      {H, 0, 0, 9, 1, 1, 3, 0, 0, 0, 0, " ", 16, 0, false},
      {H, 0, 0, 11, 2, 99, 1, 0, 0, 0, 0, "  ", 16, 0, false},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(testing::Message() << "window " << +t.vindue << " code " << t.kode << " width "
                                    << t.bredde << " activity " << t.la << " student " << t.elev);
    ElevListeTilstand l = Liste(t.vindue);
    l.SortRetning = t.retning;
    l.StatusSort = t.statusSort;
    if (t.la <= ws->LaAntal && t.elev <= ws->ElevAntal && t.la && t.elev) Saet(t.la, t.elev, t.w, t.p, t.m);
    char tekst[kSwitchTekstLen];
    memset(tekst, 'x', sizeof tekst);
    uint8_t farve = 16, baggrund = 0;
    HFONT skrift = 0;
    if (t.str == 0)
      ElevListeFeltTekst(&l, t.kode, t.bredde, t.la, t.elev, 0, tekst, &farve, &baggrund, &skrift);
    else
      ElevListeCelleTekst(&l, t.kode, t.bredde, t.la, t.elev, tekst, t.str, &farve, &baggrund, &skrift);
    EXPECT_EQ(std::string(tekst), t.tekst);
    EXPECT_EQ(+farve, +t.farve);
    EXPECT_EQ(+baggrund, +t.baggrund);
    EXPECT_EQ(skrift, t.symbol ? symbol : HFONT{0});
  }
}

TEST_F(ElevKolonneTekst, StatusGlyphOfEveryWishAndPlacementInBothSetsWithAndWithoutTheMark) {
  struct {
    uint8_t w, p;
    int a, aMaerket, b, bMaerket;
  } glyffer[] = {
      {1, 1, 35, 35, 33, 33}, {2, 1, 36, 36, 34, 34}, {0, 1, 37, 37, 35, 35},
      {1, 2, 38, 39, 38, 39}, {2, 2, 40, 41, 40, 41}, {0, 2, 42, 43, 42, 43},
      {1, 0, 33, 44, 36, 44}, {2, 0, 34, 45, 37, 45}, {0, 0, 46, 47, 46, 47},
  };
  // Which set each window shows by its sort state.
  struct {
    uint8_t vindue, retning, statusSort;
    bool b;
  } saet[] = {{H, 0, 0, false}, {H, 2, 0, true}, {O, 0, 0, false}, {O, 2, 0, true}, {O, 0, 1, true}};
  for (const auto &s : saet)
    for (const auto &g : glyffer)
      for (uint8_t m : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "window " << +s.vindue << " direction " << +s.retning << " status sort "
                                        << +s.statusSort << " W " << +g.w << " P " << +g.p << " M " << +m);
        ElevListeTilstand l = Liste(s.vindue);
        l.SortRetning = s.retning;
        l.StatusSort = s.statusSort;
        Saet(2, 1, g.w, g.p, m);
        char tekst[kSwitchTekstLen] = {};
        uint8_t farve = 16, baggrund = 0;
        HFONT skrift = 0;
        ElevListeFeltTekst(&l, 9, 1, 2, 1, 0, tekst, &farve, &baggrund, &skrift);
        const int c = s.b ? (m ? g.bMaerket : g.b) : (m ? g.aMaerket : g.a);
        EXPECT_EQ(std::string(tekst), G(c));
        EXPECT_EQ(+farve, 16);
        EXPECT_EQ(+baggrund, 0);
        EXPECT_EQ(skrift, symbol);
      }
}

// ==================================================================== sort

class ElevKolonneSortering : public ElevKolonneMappe {
 protected:
  uint32_t tg = 0;

  void SetUp() override {
    ElevKolonneMappe::SetUp();
    tg = NyGruppe(20, 'L', 2);
  }

  // The list of the window, sorted on sort code `kode` against position
  // `fast`: record numbers, as names.
  std::vector<std::string> Sorteret(uint8_t vindue, uint32_t kode, uint8_t retning, uint32_t fast,
                                    uint8_t *pStatusSort = nullptr) {
    ElevListeTilstand l = Liste(vindue);
    ObjSwitchSaetSortFelt(l.ListeArt, 'K', kode);
    l.SortRetning = retning;
    const bool onsk = vindue == ELEVLISTE_ONSK;
    std::vector<uint32_t> raekker(1, 0);
    for (uint32_t i = 1; i <= (onsk ? ws->LaAntal : ws->ElevAntal); ++i)
      raekker.push_back(onsk ? ws->LaTab[i] : ws->ElevTab[i]);
    l.Raekker = raekker.data();
    l.RaekkeAntal = static_cast<uint32_t>(raekker.size() - 1);
    SorterElevListe(&l, fast);
    if (pStatusSort) *pStatusSort = l.StatusSort;
    std::vector<std::string> navne;
    for (uint32_t i = 1; i <= l.RaekkeAntal; ++i)
      navne.push_back(onsk ? LaRecNr(raekker[i])->Navn : ElevRecNr(raekker[i])->Elevnavn);
    return navne;
  }
};

TEST_F(ElevKolonneSortering, ArchivedActivitiesStayLastInTheWishWindowEitherWay) {
  for (const char *n : {"Biologi", "Alfa", "Zulu", "Æble", "Dansk"}) NyLa(tg, 100 + n[0], n);
  NyElti(NyElev(1, "Eva"), tg);
  Vis(tg);
  for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
    LaRec *l = LaRecNr(ws->LaTab[a]);
    if (!strcmp(l->Navn, "Zulu") || !strcmp(l->Navn, "Dansk")) l->aktiv = 0;
  }
  using V = std::vector<std::string>;
  EXPECT_EQ(Sorteret(O, 7, 0, 1), (V{"Alfa", "Biologi", "Æble", "Dansk", "Zulu"}));
  EXPECT_EQ(Sorteret(O, 7, 2, 1), (V{"Æble", "Biologi", "Alfa", "Zulu", "Dansk"}));
  // By status (all equal here), then by name: the archived still last.
  uint8_t statusSort = 0;
  EXPECT_EQ(Sorteret(O, 11, 2, 1, &statusSort), (V{"Alfa", "Biologi", "Æble", "Dansk", "Zulu"}));
  EXPECT_EQ(statusSort, 1);
}

TEST_F(ElevKolonneSortering, ActivityNamesInDanishOrderStudentNamesByByte) {
  for (const char *n : {"Åben", "Zebra", "Østrig", "Ærø", "Alfa"}) NyLa(tg, 100 + uint8_t(n[0]), n);
  for (const char *n : {"Åse", "Æble", "Zorro", "Anna"}) NyElti(NyElev(uint8_t(n[0]), n), tg);
  Vis(tg);
  using V = std::vector<std::string>;
  EXPECT_EQ(Sorteret(O, 7, 0, 1), (V{"Alfa", "Zebra", "Ærø", "Østrig", "Åben"}));
  EXPECT_EQ(Sorteret(H, 1, 0, 1), (V{"Anna", "Zorro", "Åse", "Æble"}));
  EXPECT_EQ(Sorteret(H, 1, 2, 1), (V{"Æble", "Åse", "Zorro", "Anna"}));
}

TEST_F(ElevKolonneSortering, StatusColumnSortsOnTheGlyphAscendingInEitherDirection) {
  const uint32_t la = NyLa(tg, 100, "Matematik");
  for (const char *n : {"Ib", "Bo", "Al", "Di", "Cy"}) NyElti(NyElev(uint8_t(n[0]), n), tg);
  Vis(tg);
  const uint32_t a = LaPosition(ws, la);
  // Ib wished 1 and placed, Bo wished 2 not placed, Al nothing, Di wished 1
  // not placed, Cy placed without a wish.
  const uint8_t wp[5][2] = {{1, 1}, {2, 0}, {0, 0}, {1, 0}, {0, 1}};
  for (uint32_t s = 1; s <= 5; ++s) {
    ws->Oensker(a, s) = wp[s - 1][0];
    ws->Placeringer(a, s) = wp[s - 1][1];
  }
  using V = std::vector<std::string>;
  uint8_t statusSort = 0;
  // Set A (glyphs 33 Di, 34 Bo, 35 Ib, 37 Cy, 46 Al): the wished first.
  EXPECT_EQ(Sorteret(H, 11, 0, a, &statusSort), (V{"Di", "Bo", "Ib", "Cy", "Al"}));
  EXPECT_EQ(statusSort, 1);
  // Set B (33 Ib, 35 Cy, 36 Di, 37 Bo, 46 Al): the placed first, still ascending.
  EXPECT_EQ(Sorteret(H, 11, 2, a), (V{"Ib", "Cy", "Di", "Bo", "Al"}));
}

// ==================================================================== buttons

struct Hoert {
  UINT msg;
  WPARAM w;
};
ElevListeTilstand *gListe = nullptr;
std::vector<Hoert> gHoert;

LRESULT CALLBACK VindueProc(HWND h, UINT m, WPARAM w, LPARAM lp) {
  switch (m) {
    case NYB_KLIK:
      if (gListe && gListe->Vindue == ELEVLISTE_ONSK)
        ElevOnskKnapKommando(gListe, static_cast<uint32_t>(w), static_cast<uint32_t>(lp));
      else if (gListe)
        ElevHoldKnapKommando(gListe, static_cast<uint32_t>(w), static_cast<uint32_t>(lp));
      return 0;
    case ENS_MAA_AKTIVERES:
      gHoert.push_back({m, w});
      return 1;
    case ENS_BLEV_AKTIV:
      gHoert.push_back({m, w});
      return 0;
    default:
      return DefWindowProcA(h, m, w, lp);
  }
}

const BWS *Knap(HWND h) { return reinterpret_cast<const BWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }
uintptr_t Billede(HWND h) { return h ? reinterpret_cast<uintptr_t>(Knap(h)->pictureName) : 0; }

class ElevKolonneKnapper : public ElevKolonneMappe {
 protected:
  HWND hwnd = 0;
  Ens ens{};
  ElevListeTilstand l{};
  std::vector<uint32_t> raekker;
  int bygget = 0;

  static void Byg(void *ejer) {
    auto *k = static_cast<ElevKolonneKnapper *>(ejer);
    ++k->bygget;
    SorterElevListe(&k->l, 1);
  }

  void SetUp() override {
    ElevKolonneMappe::SetUp();
    tavo::test::ResetUser();
    RegistrerKnapBilleder();
    WNDCLASSA wc{};
    wc.lpfnWndProc = NyButtonWndProc;
    wc.lpszClassName = "NyButtonWndClass";
    RegisterClassA(&wc);
    wc.lpfnWndProc = VindueProc;
    wc.lpszClassName = "ElevKolonneVindue";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, "ElevKolonneVindue", "", WS_POPUP | WS_VISIBLE, 10, 10, 600, 100, 0, 0, 0, 0);
    ASSERT_NE(hwnd, 0u);
    const uint32_t tg = NyGruppe(20, 'L', 2);
    for (const char *n : {"Matematik", "Dansk", "Engelsk"}) NyLa(tg, 100 + uint8_t(n[0]), n);
    for (const char *n : {"Cy", "Al", "Bo"}) NyElti(NyElev(uint8_t(n[0]), n), tg);
    Vis(tg);
    gHoert.clear();
  }

  void TearDown() override {
    gListe = nullptr;
    SletSorterKnapper(&l);
    tavo::test::ResetUser();
    ElevKolonneMappe::TearDown();
  }

  void Aabn(uint8_t vindue, uint32_t layout = 0) {
    SletSorterKnapper(&l);
    l = Liste(vindue);
    l.ValgtLayout = layout;
    ens.hwndParent = hwnd;
    ens.Aktiv = 0;
    l.ens = &ens;
    l.hwnd = hwnd;
    // The students (activity window) or the activities (wish window).
    if (vindue == ELEVLISTE_ONSK)
      raekker.assign(ws->LaTab, ws->LaTab + ws->LaAntal + 1);
    else
      raekker.assign(ws->ElevTab, ws->ElevTab + ws->ElevAntal + 1);
    l.Raekker = raekker.data();
    l.RaekkeAntal = static_cast<uint32_t>(raekker.size() - 1);
    l.RaekkePos.Antal = l.RaekkeAntal;
    l.ByggOgTegn = Byg;
    l.Ejer = this;
    gListe = &l;
    if (vindue == ELEVLISTE_ONSK)
      OpretSorterKnapperElev(&l);
    else
      OpretSorterKnapperHold(&l);
  }

  // A user's click on the button of column position i, laid out as the
  // window's painter would.
  void Klik(uint32_t i) {
    HWND k = l.SorterKnapper[i];
    MoveWindow(k, static_cast<int>(i) * 40, 60, 38, 16, TRUE);
    tavo::test::PumpUntilIdle();
    const POINT p = tavo::test::ScreenPoint(k, 19, 8);
    tavo::test::Click(p.x, p.y);
    tavo::test::PumpUntilIdle();
  }
};

TEST_F(ElevKolonneKnapper, CaptionsAndTooltipsByCodeAndNoneForTheSecondAndThirdColumn) {
  // The layouts' columns carry the codes 1 to 13 in order.
  struct {
    const char *tekst, *tip;  // activity window; the wish window differs at code 12
  } navne[] = {{"Navn", "Navn"},
               {nullptr, nullptr},
               {nullptr, nullptr},
               {"Udd. version - elev", "Udd. version - elev"},
               {"Forløbstype", "Forløbstype"},
               {"Kortbetegnelse", "Kortbetegnelse"},
               {"Læringsaktivitetsnavn", "Læringsaktivitets navn"},
               {"A", "Aktivitets status"},
               {"", ""},
               {"", ""},
               {"Status", "Placering / optaget / status"},
               {"O", "Elevens optagesituation"},
               {"", ""}};
  for (uint8_t vindue : {H, O}) {
    Aabn(vindue);
    ASSERT_EQ(l.SorterKnapAntal, 13u);
    for (uint32_t i = 0; i < 13; ++i) {
      SCOPED_TRACE(testing::Message() << "window " << +vindue << " column " << i);
      HWND k = l.SorterKnapper[i];
      if (navne[i].tekst == nullptr) {
        EXPECT_EQ(k, 0u);
        continue;
      }
      ASSERT_NE(k, 0u);
      const bool tom = vindue == O && i == 11;
      EXPECT_STREQ(Knap(k)->txt, tom ? "" : navne[i].tekst);
      EXPECT_EQ(std::string(Knap(k)->tooltxt), std::string("Sorter efter ") + (tom ? "" : navne[i].tip));
      EXPECT_EQ(Knap(k)->id, i);
      EXPECT_EQ(Knap(k)->value, 1u);
      EXPECT_EQ(Knap(k)->style, 0x21u);
      EXPECT_TRUE(IsWindowVisible(k));
    }
  }
  // A layout of two columns: a button for the first only.
  Aabn(H, 1);
  ASSERT_EQ(l.SorterKnapAntal, 2u);
  EXPECT_NE(l.SorterKnapper[0], 0u);
  EXPECT_EQ(l.SorterKnapper[1], 0u);
}

TEST_F(ElevKolonneKnapper, ClicksSortAscendingThenToggleAndAnotherColumnStartsAscending) {
  for (uint8_t vindue : {H, O}) {
    SCOPED_TRACE(testing::Message() << "window " << +vindue);
    Aabn(vindue);
    ws->SidstAktiv = 1;
    gHoert.clear();
    bygget = 0;
    l.RaekkePos.Aktuel = 2;
    uint32_t aktuel = 0;
    struct {
      uint32_t kolonne;
      uint8_t retning;
      int billede;
    } tabel[] = {{0, 0, 111}, {0, 2, 112}, {0, 0, 111}, {0, 2, 112}, {6, 0, 111}, {10, 0, 111}, {10, 2, 112}};
    for (const auto &t : tabel) {
      SCOPED_TRACE(testing::Message() << "column " << t.kolonne);
      const int foer = bygget;
      aktuel = raekker[2];  // the current row before the list is rebuilt
      Klik(t.kolonne);
      EXPECT_EQ(bygget, foer + 1);
      EXPECT_EQ(l.SortKolonne, t.kolonne);
      EXPECT_EQ(l.Sorteret, 1);
      EXPECT_EQ(+l.SortRetning, +t.retning);
      for (uint32_t i = 0; i < l.SorterKnapAntal; ++i)
        EXPECT_EQ(Billede(l.SorterKnapper[i]), i == t.kolonne ? uintptr_t(t.billede) : 0u) << "button " << i;
      EXPECT_EQ(ElevListeSortFelt(&l), t.kolonne + 1);
    }
    // The arrow as drawn: 10 x 9.
    EXPECT_EQ(Knap(l.SorterKnapper[10])->pictureWidth, 10u);
    EXPECT_EQ(Knap(l.SorterKnapper[10])->pictureHeight, 9u);
    // The current row became the table's current record; the sort on code 11
    // set the status flag.
    EXPECT_EQ((vindue == O ? tvla : tvelev).AktuelRec, aktuel);
    EXPECT_EQ(l.StatusSort, 1);
    // Asked once to become active (the wish window marking itself first).
    ASSERT_EQ(gHoert.size(), 2u);
    EXPECT_EQ(gHoert[0].msg, UINT{ENS_MAA_AKTIVERES});
    EXPECT_EQ(gHoert[1].msg, UINT{ENS_BLEV_AKTIV});
    EXPECT_EQ(gHoert[1].w, 1u);
    EXPECT_EQ(+ws->SidstAktiv, vindue == O ? 4 : 1);
  }
}

TEST_F(ElevKolonneKnapper, SortFieldSurvivesARestart) {
  Aabn(H);
  Klik(6);
  Aabn(O);
  Klik(3);
  Klik(3);
  ASSERT_TRUE(GemValgtSwt());
  FrigivSwitchTab();
  LaesSwitchIni();
  ElevListeTilstand hold = Liste(H), onsk = Liste(O);
  EXPECT_EQ(ElevListeSortFelt(&hold), 7u);
  EXPECT_EQ(ElevListeSortFelt(&onsk), 4u);
}

TEST_F(ElevKolonneKnapper, LayoutSwitchChoosesTheLayoutRebuildsAndLaysTheScreenOutAnew) {
  static int opstillet = 0;
  opstillet = 0;
  Aabn(H);
  ASSERT_EQ(l.AntalLayouts, 2u);
  HWND skift[2];
  for (int i = 0; i < 2; ++i) {
    skift[i] = CreateNyButtonWnd(0, hwnd, hwnd, ENS_SKIFT_ID + i, 0, 0, 0, 0, 10, 10, "", "");
    ASSERT_NE(skift[i], 0u);
  }
  SendMessageA(skift[0], NYB_LAAS_NED, 0, 0);
  ens.hwndSwitchButtons = skift;
  // A planning change that only a rebuild shows.
  ws->LaTab[1] = 0;

  ElevHoldKnapKommando(&l, ENS_SKIFT_ID + 0, 0);  // the chosen one: nothing
  EXPECT_EQ(ws->LaTab[1], 0u);
  ElevHoldKnapKommando(&l, ENS_SKIFT_ID + 1, 0);  // no re-layout yet: rebuilds and stops
  EXPECT_EQ(l.ValgtLayout, 1u);
  EXPECT_EQ(ObjSwitchValgt(ELEVHOLD_ART, 'K'), 1u);
  EXPECT_NE(ws->LaTab[1], 0u);
  EXPECT_EQ(Knap(skift[0])->latched, 0u);
  EXPECT_NE(Knap(skift[1])->latched, 0u);

  ElevSkaermKrog.OpstilIgen = [] { ++opstillet; };
  ElevHoldKnapKommando(&l, ENS_SKIFT_ID + 0, 0);
  EXPECT_EQ(opstillet, 1);
  ElevHoldKnapKommando(&l, ENS_SKIFT_ID + 2, 0);  // a layout the letter lacks
  EXPECT_EQ(l.ValgtLayout, 0u);
  EXPECT_EQ(opstillet, 1);
  ElevSkaermKrog = {};
  ens.hwndSwitchButtons = nullptr;
  EXPECT_EQ(bygget, 0);
}

// ==================================================================== sizes

using ElevKolonneStoerrelse = ElevKolonneMappe;

TEST_F(ElevKolonneStoerrelse, ByGroupSizeAndTheCallersLimit) {
  // Fixed metrics: scrollbars 16, frames 4, caption 19. Both lists' layouts
  // 13 x 35 = 455 pixels, the slot cell layout ('L') 11 pixels, the
  // activity header 2 x 163 = 326 pixels; planning rows 700 pixels below
  // 50 activities, else 14 each.
  struct {
    uint32_t elever, aktiviteter, slots;
    int graense;
    int holdB, holdH, onskB, onskH, planB, planH;
  } tabel[] = {
      // 12 x max(12 n, 50) + 98: 50 rows' worth for small groups.
      {0, 0, 0, 100000, 484, 698, 485, 698, 355, 824},
      {3, 4, 2, 100000, 484, 698, 501, 698, 379, 824},
      {5, 50, 5, 100000, 484, 818, 525, 7298, 415, 824},
      {100, 60, 10, 100000, 484, 14498, 565, 8738, 475, 964},
      // The caller's limit, also below the least size.
      {100, 60, 10, 700, 484, 700, 565, 700, 475, 700},
      {100, 60, 10, 90, 90, 90, 90, 90, 90, 90},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(testing::Message() << t.elever << " students, " << t.aktiviteter << " activities, " << t.slots
                                    << " slots, limit " << t.graense);
    TomElevTabeller();
    FrigivElevPlanLister(ws);
    ws->Tg = 0;
    if (t.slots > 0) {
      const uint32_t tg = NyGruppe(20, 'L', t.slots);
      for (uint32_t i = 0; i < t.aktiviteter; ++i) NyLa(tg, 100 + i, "A");
      for (uint32_t i = 0; i < t.elever; ++i) NyElti(NyElev(1 + i, "E"), tg);
      Vis(tg);
    }
    ASSERT_EQ(ws->ElevAntal, t.elever);
    ASSERT_EQ(ws->LaAntal, t.aktiviteter);
    ElevListeTilstand hold = Liste(H), onsk = Liste(O);
    EXPECT_EQ(ElevHoldBredde(&hold, t.graense), t.holdB);
    EXPECT_EQ(ElevHoldHoejde(&hold, t.graense), t.holdH);
    EXPECT_EQ(ElevOnskBredde(&onsk, t.graense), t.onskB);
    EXPECT_EQ(ElevOnskHoejde(&onsk, t.graense), t.onskH);
    EXPECT_EQ(CalcElevPlanWidth(ws, t.graense), t.planB);
    EXPECT_EQ(CalcElevPlanHeight(ws, t.graense), t.planH);
  }
}

}  // namespace
