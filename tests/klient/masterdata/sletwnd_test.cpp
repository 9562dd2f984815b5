// The deletion window and the removal of objects that ended before the
// period, over a school made record by record on the test desktop.

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "EXPORT.h"
#include "OBJVINDUE.h"
#include "OPTAEL.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "SletWnd.h"
#include "TALTAB.h"
#include "relmatrix_support.h"
#include "tavo/test_dialog.h"

namespace {

using reltest::RelTest;

constexpr uint8_t kEgen = 7, kAnden = 9;
constexpr uint8_t kLever = 64, kSlettet = 8;
constexpr Dato kGammel = 20240630;  // before the period's first day
constexpr Dato kNy = 20250731;

// A window on the open-window list that keeps the broadcasts it hears.
std::vector<std::pair<WPARAM, LPARAM>> &Hoert() {
  static std::vector<std::pair<WPARAM, LPARAM>> v;
  return v;
}
LRESULT CALLBACK LytterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == DATA_AENDRET) {
    Hoert().push_back({w, l});
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class SletTest : public RelTest {
 protected:
  void SetUp() override {
    RelTest::SetUp();
    ASSERT_TRUE(RegistrerSletKlasse(0));
    GlobalIndstillinger.insnr = kEgen;
    wfb_test::Registrer("SletLytter", LytterProc, 0);
    lytter = CreateWindowExA(0, "SletLytter", "", WS_CHILD, 0, 0, 10, 10, desktop, 0, 0, nullptr);
    VinduesListeTilfoej(lytter);
    Hoert().clear();
  }
  void TearDown() override {
    VinduesListeFjern(lytter);
    TomSkemabeg();
    TomTimoak();
    FreeAlleTalTabeller();
    UnregisterClassA("SletWndClass", 0);
    RelTest::TearDown();
  }

 public:
  static uint32_t Akti(uint32_t id, const char *navn, uint8_t status = 10, const char *type = "HOLD",
                       Dato til = kNy, uint32_t uvfo = 0) {
    const uint32_t n = RelTest::Akti(id, navn, status, type, 99);
    auto *a = predtest::Rec<AktiRec>(tvakti, n);
    a->Tildato = til;
    a->uvfo_id = uvfo;
    return n;
  }
  static uint32_t Anfo(uint32_t id, const char *initialer, uint8_t status = 10, Dato til = kNy) {
    MedaRec m{};
    m.id = id;
    m.Status = 20;
    predtest::Tekst(m.Initialer, initialer);
    predtest::Tekst(m.Navn, initialer);
    AnfoRec a{};
    a.id = id;
    a.meda_id = predtest::Ny(tdmeda, tvmeda, m);
    a.Status = status;
    a.Gruppe = 99;
    a.Fradato = 20200101;
    a.Tildato = til;
    predtest::Tekst(a.Loebenummer, "1");
    return predtest::Ny(tdanfo, tvanfo, a);
  }
  static uint32_t Loka(uint32_t id, const char *nr, uint8_t status = 10, Dato til = kNy) {
    const uint32_t n = RelTest::Loka(id, nr, status, 99);
    predtest::Rec<LokaRec>(tvloka, n)->Tildato = til;
    return n;
  }
  static void Beg(Uge uge, uint8_t status, uint8_t ejer, uint32_t akti, uint32_t anfo = 0, uint32_t loka = 0) {
    TabVar *b = SkemabegBucket(uge);
    ASSERT_NE(b, nullptr);
    b->FoersteLedige = b->wRecCnt;
    const uint32_t n = NewRec(&tdske, b);
    SkeRec s{};
    s.id = n;
    s.Status = status;
    s.Ejer = ejer;
    s.akti_id = akti;
    s.anfo_id = anfo;
    s.loka_id = loka;
    s.Forste = n;
    s.Dag = 3;
    s.Lektion = 1;
    std::memcpy(GetRec(&tdske, b, n), &s, sizeof s);
  }
  static void Post(Dato dato, uint8_t status, uint8_t ejer, uint32_t akti, uint32_t anfo, int32_t timer = 150) {
    TabVar *b = TimoakBucket(dato / 100);
    ASSERT_NE(b, nullptr);
    b->FoersteLedige = b->wRecCnt;
    const uint32_t n = NewRec(&tdtimoak, b);
    TimoakRaekke t{};
    t.id = n;
    t.Status = status;
    t.Ejer = ejer;
    t.akti_id = akti;
    t.anfo_id = anfo;
    t.Dato = dato;
    t.Timer = timer;
    t.Type = 'A';
    std::memcpy(GetRec(&tdtimoak, b, n), &t, sizeof t);
  }
  static const AktiRec &A(uint32_t n) { return *predtest::Rec<AktiRec>(tvakti, n); }
  static const AnfoRec &F(uint32_t n) { return *predtest::Rec<AnfoRec>(tvanfo, n); }

  HWND Aabn(uint8_t bogstav) {
    HWND h = OpretSletVindue(bogstav, 0, 0, kDeskB, kDeskH);
    if (h) {
      ShowWindow(h, SW_SHOWNORMAL);
      UpdateWindow(h);
      BringWindowToTop(h);
    }
    tavo::test::PumpUntilIdle();
    return h;
  }
  static SletWS *Ws(HWND h) { return SletVinduesWS(h); }
  // The current row moved to the record.
  static void Til(HWND h, uint32_t rec) {
    SletWS *ws = Ws(h);
    ws->PosY.Aktuel = FindObjIdx(ws->Hoved.ObjTab, ws->Hoved.ObjTabAntal, rec);
    ASSERT_NE(ws->PosY.Aktuel, 0u) << "record " << rec << " is not listed";
  }
  // A key with the boxes it brought up.
  static std::vector<tavo::test::MessageBoxRecord> MedBokse(UINT vk, int mods = 0) {
    tavo::test::StartDialogScript();
    Tast(vk, mods);
    auto b = tavo::test::MessageBoxesShown();
    tavo::test::StopDialogScript();
    return b;
  }
  static std::vector<std::string> Tekster(const std::vector<tavo::test::MessageBoxRecord> &b) {
    std::vector<std::string> v;
    for (const auto &r : b) v.push_back(r.text);
    return v;
  }

  HWND lytter = 0;
};

// ==================================================================== marks of the records

class SletObjMaerke : public SletTest {};

TEST_F(SletObjMaerke, OnlyStatusTenIsMarkedAndAMarkedEmploymentLosesItsFigures) {
  struct Tilfaelde {
    uint8_t status;
    bool maerkes;
  } tilfaelde[] = {{10, true}, {11, false}, {20, false}, {29, false}, {31, false}, {32, false}};
  for (const auto &t : tilfaelde) {
    const uint32_t k = Akti(1000 + t.status, "H", t.status);
    const uint32_t f = Anfo(3000 + t.status, "AB", t.status);
    AllokerMedTal();
    const bool medTal = MedTalFor(f) != nullptr;
    EXPECT_EQ(SletObjekt(k, 'K'), t.maerkes) << int(t.status);
    EXPECT_EQ(SletObjekt(f, 'M'), t.maerkes) << int(t.status);
    EXPECT_EQ(A(k).Status, t.maerkes ? 31 : t.status) << int(t.status);
    EXPECT_EQ(uint32_t{A(k).Gruppe}, t.maerkes ? 1u : 99u) << int(t.status);
    EXPECT_EQ(uint32_t{F(f).Gruppe}, t.maerkes ? 1u : 99u) << int(t.status);
    EXPECT_EQ(MedTalFor(f) != nullptr, !t.maerkes && medTal) << int(t.status);
  }
  EXPECT_FALSE(SletObjekt(0, 'K'));
  EXPECT_FALSE(SletObjekt(tvakti.wRecCnt, 'K'));
  EXPECT_FALSE(SletObjekt(1, 'U'));
}

TEST_F(SletObjMaerke, ATakenBackMarkWorksOutTheGroupWordAgain) {
  struct Tilfaelde {
    const char *navn, *type;
    uint32_t uvfo, gruppe;
  } tilfaelde[] = {
      {"H", "HOLD", 5, 14}, {"H", "HOLD", 0, 6},  {"I", "IVAK", 0, 18},        {"I", "IVAK", 5, 26},
      {"O", "OVAK", 0, 32}, {"X", "ANDET", 0, 1}, {"*R", "HOLD", 5, 0x80000000u}, {"Y", "ANDET", 5, 9},
  };
  for (const auto &t : tilfaelde) {
    const uint32_t k = Akti(1000, t.navn, 10, t.type, kNy, t.uvfo);
    ASSERT_TRUE(SletObjekt(k, 'K'));
    ASSERT_TRUE(GenopretObjekt(k, 'K'));
    EXPECT_EQ(A(k).Status, 10) << t.navn << " " << t.type;
    EXPECT_EQ(uint32_t{A(k).Gruppe}, t.gruppe) << t.navn << " " << t.type << " " << t.uvfo;
  }
  const uint32_t l = Loka(2000, "*L"), l2 = Loka(2001, "L2");
  const uint32_t f = Anfo(3000, "*A"), f2 = Anfo(3001, "AB");
  for (auto [n, b, g] : {std::tuple{l, 'L', 0x80000000u}, {l2, 'L', 1u}, {f, 'M', 0x80000000u}, {f2, 'M', 1u}}) {
    ASSERT_TRUE(SletObjekt(n, static_cast<uint8_t>(b)));
    ASSERT_TRUE(GenopretObjekt(n, static_cast<uint8_t>(b)));
    uint32_t gruppe = 0;
    const uint8_t *rec = GetRec(b == 'L' ? &tdloka : &tdanfo, b == 'L' ? &tvloka : &tvanfo, n);
    std::memcpy(&gruppe, rec + (b == 'L' ? offsetof(LokaRec, Gruppe) : offsetof(AnfoRec, Gruppe)), 4);
    EXPECT_EQ(gruppe, g) << b << n;
  }
}

TEST_F(SletObjMaerke, ARestoredEmploymentHasTheFiguresItHadBeforeItWasMarked) {
  const uint32_t k = Akti(1000, "H", 20);
  const uint32_t f = Anfo(3000, "AB");
  Post(20241007, kLever, kAnden, k, f, 250);
  Post(20250303, kLever, kAnden, k, f, 125);
  AllokerTalTab();
  const size_t n = (static_cast<size_t>(MedTalM) + 1) * MEDTAL_SLOTS;
  ASSERT_NE(MedTalFor(f), nullptr);
  const std::vector<float> foer(&MedTalFor(f)[0][0], &MedTalFor(f)[0][0] + n);
  ASSERT_TRUE(std::any_of(foer.begin(), foer.end(), [](float v) { return v != 0; }));
  ASSERT_TRUE(SletObjekt(f, 'M'));
  ASSERT_EQ(MedTalFor(f), nullptr);
  ASSERT_TRUE(GenopretObjekt(f, 'M'));
  ASSERT_NE(MedTalFor(f), nullptr);
  const std::vector<float> efter(&MedTalFor(f)[0][0], &MedTalFor(f)[0][0] + n);
  EXPECT_EQ(efter, foer);
}

TEST_F(SletObjMaerke, OnlyLiveOldObjectsAreCountedAndRemovedAndTheWindowsAreToldAlways) {
  EXPECT_EQ(CountObjBeforePeriod('K'), 0u);
  Akti(1001, "INDE");
  Anfo(3001, "IN");
  Loka(2001, "INDE");
  for (uint8_t b : {'K', 'M', 'L', 'U'}) EXPECT_EQ(CountObjBeforePeriod(b), 0u) << b;
  const uint32_t gammel = Akti(1002, "GAMMEL", 10, "HOLD", kGammel);
  const uint32_t slettet = Akti(1003, "SLETTET", 31, "HOLD", kGammel);
  const uint32_t sendt = Akti(1004, "SENDT", 32, "HOLD", kGammel);
  const uint32_t paaDagen = Akti(1005, "GRAENSE", 10, "HOLD", SkemaPeriode.FraDato);
  // Live in another state: the removal cannot mark it, so it is not counted.
  const uint32_t tyve = Akti(1006, "TYVE", 20, "HOLD", kGammel);
  const uint32_t lokale = Loka(2002, "GAMMEL", 10, kGammel);
  const uint32_t anfo = Anfo(3002, "GL", 10, kGammel);
  EXPECT_EQ(CountObjBeforePeriod('K'), 1u);
  EXPECT_EQ(CountObjBeforePeriod('L'), 1u);
  EXPECT_EQ(CountObjBeforePeriod('M'), 1u);
  SletObjBeforePeriod('K');
  SletObjBeforePeriod('M');
  SletObjBeforePeriod('U');
  EXPECT_EQ(A(gammel).Status, 31);
  EXPECT_EQ(A(slettet).Status, 31);
  EXPECT_EQ(A(sendt).Status, 32);
  EXPECT_EQ(A(paaDagen).Status, 10);
  EXPECT_EQ(A(tyve).Status, 20);
  EXPECT_EQ(F(anfo).Status, 31);
  EXPECT_EQ(predtest::Rec<LokaRec>(tvloka, lokale)->Status, 10);
  EXPECT_EQ(CountObjBeforePeriod('K'), 0u);
  const std::vector<std::pair<WPARAM, LPARAM>> tre(3, {0, 3});
  EXPECT_EQ(Hoert(), tre);
}

// ==================================================================== counts and rows

class SletWndTal : public SletTest {};

TEST_F(SletWndTal, TheCountsOfEventsAndPostingsPerObjectGiveTheMarks) {
  const uint32_t frem = Akti(1001, "FREMMED");
  const uint32_t egen = Akti(1002, "EGEN");
  const uint32_t egenSlet = Akti(1003, "EGENSLET");
  const uint32_t post = Akti(1004, "POST", 31);
  const uint32_t sendt = Akti(1005, "SENDT", 33);
  const uint32_t tom = Akti(1006, "TOM");
  const uint32_t levende = Akti(1007, "LEVENDE", 20);
  const uint32_t fri = Akti(1008, "FRI", 0);
  const uint32_t f = Anfo(3001, "AB");
  Beg(202441, kLever, kAnden, frem);
  Beg(202502, kLever | kSlettet, kAnden, frem);
  Beg(202441, kLever, kEgen, egen);
  Beg(202442, kLever, kEgen, egen, f);
  Beg(202441, kLever | kSlettet, kEgen, egenSlet);
  Beg(202441, 0x20, kEgen, tom);  // not a written row: not counted
  Post(20241010, kLever, kEgen, post, f);
  Post(20241011, kLever | kSlettet, kEgen, post, 0);
  Post(20241012, kLever, kAnden, sendt, f);
  HWND h = Aabn('K');
  ASSERT_NE(h, static_cast<HWND>(0));
  const SletWS *ws = Ws(h);
  struct Raekke {
    uint32_t rec;
    uint32_t tal[SLET_ANTAL_TAL];
    uint8_t maerke, sendt;
  } raekker[] = {
      {frem, {0, 0, 2, 0, 0, 0}, SLET_MULIG, 0},     {egen, {2, 0, 0, 0, 0, 0}, SLET_LAAST, 0},
      {egenSlet, {0, 1, 0, 0, 0, 0}, SLET_LAAST, 0}, {post, {0, 0, 0, 1, 1, 0}, SLET_LAAST, 0},
      {sendt, {0, 0, 0, 0, 0, 1}, SLET_SENDT, 1},    {tom, {0, 0, 0, 0, 0, 0}, SLET_MULIG, 0},
      {levende, {0, 0, 0, 0, 0, 0}, SLET_MULIG, 0},
  };
  for (const Raekke &r : raekker) {
    for (int t = 0; t < SLET_ANTAL_TAL; ++t) EXPECT_EQ(ws->Tal[t][r.rec], r.tal[t]) << "record " << r.rec << " count " << t;
    EXPECT_EQ(ws->Maerke[r.rec][0], r.maerke) << "record " << r.rec;
    EXPECT_EQ(ws->Maerke[r.rec][1], r.sendt) << "record " << r.rec;
  }
  // The rows: every live, marked and sent object, the free one not.
  EXPECT_EQ(Liste(ws->Hoved).size(), 7u);
  EXPECT_EQ(FindObjIdx(ws->Hoved.ObjTab, ws->Hoved.ObjTabAntal, fri), 0u);
  DestroyWindow(h);
  // The employment counts by its own key.
  h = Aabn('M');
  EXPECT_EQ(Ws(h)->Tal[SLET_EGNE_BEG][f], 1u);
  EXPECT_EQ(Ws(h)->Tal[SLET_EGNE_POST][f], 1u);
  EXPECT_EQ(Ws(h)->Tal[SLET_FREMMEDE_POST][f], 1u);
  EXPECT_EQ(Ws(h)->Maerke[f][0], SLET_LAAST);
  DestroyWindow(h);
}

TEST_F(SletWndTal, TheSortsByNameByMarkAndByCount) {
  const uint32_t a = Akti(1001, "AA"), b = Akti(1002, "BB"), c = Akti(1003, "CC", 32), d = Akti(1004, "DD", 31);
  Beg(202441, kLever, kEgen, b);
  Beg(202442, kLever, kEgen, b);
  HWND h = Aabn('K');
  SletWS *ws = Ws(h);
  EXPECT_EQ(Liste(ws->Hoved), (std::vector<uint32_t>{a, b, c, d}));
  // Marked, sent, may be marked, may not.
  SletSorterMaerke(ws);
  EXPECT_EQ(Liste(ws->Hoved), (std::vector<uint32_t>{d, c, a, b}));
  SletSorterTal(ws, SLET_EGNE_BEG);
  EXPECT_EQ(Liste(ws->Hoved), (std::vector<uint32_t>{a, c, d, b}));
  DestroyWindow(h);
}

// ==================================================================== the window

class SletWndVindue : public SletTest {};

TEST_F(SletWndVindue, AnObjectWithItsOwnPostingCannotBeMarkedEvenWhenMarked) {
  const uint32_t k = Akti(1001, "H01", 31);
  Post(20241010, kLever, kEgen, k, 0);
  HWND h = Aabn('K');
  Til(h, k);
  EXPECT_EQ(Ws(h)->Maerke[k][0], SLET_LAAST);
  EXPECT_EQ(Tekster(MedBokse(VK_SPACE)),
            std::vector<std::string>{"Kan ikke slettes - idet der findes egne poster og/eller egne begivenheder på objektet"});
  EXPECT_EQ(A(k).Status, 31);
  EXPECT_TRUE(Hoert().empty());
  DestroyWindow(h);
}

TEST_F(SletWndVindue, SpaceMarksAndTakesBackAndDoubleClickDoesTheSame) {
  const uint32_t k = Akti(1001, "H01", 10, "HOLD", kNy, 4);
  const uint32_t levende = Akti(1002, "H02", 20);
  HWND h = Aabn('K');
  Til(h, k);
  EXPECT_TRUE(MedBokse(VK_SPACE).empty());
  EXPECT_EQ(A(k).Status, 31);
  EXPECT_EQ(uint32_t{A(k).Gruppe}, 1u);
  EXPECT_EQ(Ws(h)->Maerke[k][0], SLET_MAERKET);
  Tast(VK_SPACE);
  EXPECT_EQ(A(k).Status, 10);
  EXPECT_EQ(uint32_t{A(k).Gruppe}, 14u);
  EXPECT_EQ(Ws(h)->Maerke[k][0], SLET_MULIG);
  EXPECT_EQ(Hoert(), (std::vector<std::pair<WPARAM, LPARAM>>{{0, 3}, {0, 3}}));
  // A live record of another status stays as it was, and so does its row.
  Til(h, levende);
  EXPECT_TRUE(MedBokse(VK_SPACE).empty());
  EXPECT_EQ(A(levende).Status, 20);
  EXPECT_EQ(Ws(h)->Maerke[levende][0], SLET_MULIG);
  EXPECT_EQ(Hoert().size(), 2u);
  // A double click in column 1 toggles as Space does.
  const Ens &e = Ws(h)->Hoved;
  const uint32_t r = FindObjIdx(e.ObjTab, e.ObjTabAntal, k);
  POINT p = tavo::test::ScreenPoint(e.hwndCeller, 5, static_cast<int>((r - 1) * kSletRaekke + 5 - e.ScrollY));
  tavo::test::DoubleClick(p.x, p.y);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(A(k).Status, 31);
  DestroyWindow(h);
}

TEST_F(SletWndVindue, TheSentColumnCannotBeChanged) {
  const uint32_t k = Akti(1001, "H01");
  HWND h = Aabn('K');
  Til(h, k);
  Tast(VK_RIGHT);
  EXPECT_EQ(Ws(h)->PosX.Aktuel, 2u);
  EXPECT_TRUE(MedBokse(VK_SPACE).empty());
  const Ens &e = Ws(h)->Hoved;
  POINT p = tavo::test::ScreenPoint(e.hwndCeller, static_cast<int>(GridCelleStart(&e.AkseX, 2)) + 4,
                                    static_cast<int>((Ws(h)->PosY.Aktuel - 1) * kSletRaekke + 5));
  tavo::test::DoubleClick(p.x, p.y);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(A(k).Status, 10);
  EXPECT_TRUE(Hoert().empty());
  DestroyWindow(h);
}

TEST_F(SletWndVindue, ASuperTavoOrLockedScheduleRefusesEveryChange) {
  const uint32_t fri = Akti(1001, "H01"), maerket = Akti(1002, "H02", 31);
  struct Tilfaelde {
    uint8_t supertavo, laast;
    const char *tekst;
  } tilfaelde[] = {{1, 0, "Der kan ikke slettes rettigheder i et SuperTavoSkema"},
                   {0, 1, "Der kan ikke slettes rettigheder i et låst skema"},
                   {1, 1, "Der kan ikke slettes rettigheder i et SuperTavoSkema"}};
  HWND h = Aabn('K');
  for (const auto &t : tilfaelde) {
    GlobalIndstillinger.supertavo = t.supertavo;
    GlobalIndstillinger.skemalaast = t.laast;
    for (uint32_t rec : {fri, maerket}) {
      Til(h, rec);
      const auto bokse = MedBokse(VK_SPACE);
      ASSERT_EQ(bokse.size(), 1u);
      EXPECT_EQ(bokse[0].text, t.tekst);
      EXPECT_EQ(bokse[0].caption, "Sletning");
      EXPECT_EQ(bokse[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
  }
  GlobalIndstillinger.supertavo = GlobalIndstillinger.skemalaast = 0;
  EXPECT_EQ(A(fri).Status, 10);
  EXPECT_EQ(A(maerket).Status, 31);
  EXPECT_TRUE(Hoert().empty());
  DestroyWindow(h);
}

TEST_F(SletWndVindue, TheMenuCommandOpensItAndAMarkGoesOutWithTheExportAndCannotBeTakenBack) {
  const uint32_t k = Akti(1001, "H01");
  Akti(1002, "H02");
  HWND h = OpretObjektVindue(hoved, 40204, 0, nullptr);
  tavo::test::PumpUntilIdle();
  ASSERT_NE(SletVinduesWS(h), nullptr);
  const char *titel = Ws(h)->Hoved.Titel;
  EXPECT_EQ(std::string(titel, strnlen(titel, sizeof Ws(h)->Hoved.Titel)), " Aktivitets sletning");
  Til(h, k);
  Tast(VK_SPACE);
  EXPECT_EQ(A(k).Status, 31);
  EXPECT_EQ(Hoert(), (std::vector<std::pair<WPARAM, LPARAM>>{{0, 3}}));
  // The export writes it under "@retslet" by the first letter of its Type.
  const std::string sti = (rod / "retslet.txt").string();
  FILE *f = std::fopen(sti.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  EksportRetslet(f);
  std::fclose(f);
  std::string indhold;
  if (FILE *l = std::fopen(sti.c_str(), "rb")) {
    char buf[256];
    indhold.assign(buf, std::fread(buf, 1, sizeof buf, l));
    std::fclose(l);
  }
  EXPECT_EQ(indhold, "@retslet\nH1001\n");
  EXPECT_EQ(A(k).Status, 32);
  SendTilAlleVinduer(DATA_AENDRET, 0, 3, 0);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(Ws(h)->Maerke[k][0], SLET_SENDT);
  EXPECT_EQ(Ws(h)->Maerke[k][1], 1);
  Til(h, k);
  EXPECT_EQ(Tekster(MedBokse(VK_SPACE)),
            std::vector<std::string>{"Kan ikke slettes - idet objektet allerede er sendt til sletning"});
  EXPECT_EQ(A(k).Status, 32);
  DestroyWindow(h);
}

TEST_F(SletWndVindue, TheHeightFollowsTheListedRecords) {
  SletWS ws{};
  ws.Bogstav = 'K';
  ws.Hoved.pTd = &tdakti;
  ws.Hoved.pTv = &tvakti;
  for (int i = 0; i < 20; ++i) Akti(1000 + i, "H", 20);
  const int foer = BeregnSletHoejde(&ws, 10000);
  // Live, marked and sent count; free and the status 30 between them not.
  for (uint8_t s : {10, 29, 31, 39, 0, 30, 40}) Akti(2000 + s, "H", s);
  EXPECT_EQ(BeregnSletHoejde(&ws, 10000) - foer, 4 * kSletRaekke);
  EXPECT_EQ(BeregnSletHoejde(&ws, 150), 150);
  EXPECT_EQ(BeregnSletHoejde(&ws, 50), kSletMindsteHoejde);
  EXPECT_EQ(BeregnSletBredde(16, 400, 200), 200);
  EXPECT_EQ(BeregnSletBredde(0, 0, 1000), kSletMindsteBredde);
}

// ==================================================================== the menu command

class SletObjKommando : public SletTest {};

TEST_F(SletObjKommando, AsksWithTheCountsAndOnOkRemovesTheOldActivitiesAndEmployments) {
  const uint32_t a1 = Akti(1001, "G1", 10, "HOLD", kGammel), a2 = Akti(1002, "G2", 10, "HOLD", kGammel);
  const uint32_t inde = Akti(1003, "INDE");
  const uint32_t f = Anfo(3001, "GL", 10, kGammel);
  const uint32_t l = Loka(2001, "GL", 10, kGammel);
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDCANCEL; });
  SletGamleObjekterKommando(hoved);
  EXPECT_EQ(A(a1).Status, 10);
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDOK; });
  SletGamleObjekterKommando(hoved);
  const auto bokse = tavo::test::MessageBoxesShown();
  tavo::test::StopDialogScript();
  ASSERT_EQ(bokse.size(), 2u);
  EXPECT_EQ(bokse[1].text, "Skal de 2 aktiviteter og de 1 medarbejdere der ligger før skemaperioden slettes ?");
  EXPECT_EQ(bokse[1].caption, "Sletning");
  EXPECT_EQ(bokse[1].type & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
  EXPECT_EQ(A(a1).Status, 31);
  EXPECT_EQ(A(a2).Status, 31);
  EXPECT_EQ(A(inde).Status, 10);
  EXPECT_EQ(F(f).Status, 31);
  EXPECT_EQ(predtest::Rec<LokaRec>(tvloka, l)->Status, 10);
}

TEST_F(SletObjKommando, RefusesInALockedOrSuperTavoScheduleAndSaysWhenThereIsNothing) {
  const uint32_t a = Akti(1001, "G1", 10, "HOLD", kGammel);
  struct Tilfaelde {
    uint8_t laast, supertavo;
    const char *tekst;
  } tilfaelde[] = {{1, 0, "Der kan ikke slettes i et låst skema"},
                   {0, 1, "Der kan ikke slettes i et SuperTavo-skema"}};
  for (const auto &t : tilfaelde) {
    GlobalIndstillinger.skemalaast = t.laast;
    GlobalIndstillinger.supertavo = t.supertavo;
    tavo::test::StartDialogScript();
    SletGamleObjekterKommando(hoved);
    const auto bokse = tavo::test::MessageBoxesShown();
    tavo::test::StopDialogScript();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].text, t.tekst);
    EXPECT_EQ(bokse[0].caption, "Sletning");
  }
  GlobalIndstillinger.skemalaast = GlobalIndstillinger.supertavo = 0;
  EXPECT_EQ(A(a).Status, 10);
  predtest::Rec<AktiRec>(tvakti, a)->Tildato = kNy;
  tavo::test::StartDialogScript();
  SletGamleObjekterKommando(hoved);
  const auto bokse = tavo::test::MessageBoxesShown();
  tavo::test::StopDialogScript();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].text, "Der er ingen objekter som ligger før skemaperioden");
  EXPECT_TRUE(Hoert().empty());
}

}  // namespace

namespace {

TEST_F(SletWndVindue, ShiftAndADigitChoosesTheLayoutAndCtrlF4Closes) {
  Akti(1001, "H01");
  HWND h = Aabn('K');
  ASSERT_GE(Ws(h)->AntalSwitch60, 2u);
  EXPECT_EQ(SendMessageA(h, VINDUE_ART, 0, 0), 0);
  RECT foer{}, efter{};
  GetWindowRect(h, &foer);
  Tast('1', tavo::test::ModShift);
  EXPECT_EQ(Ws(h)->Switch60, 1u);
  EXPECT_EQ(ObjSwitchValgt(kSletObjArt, 'K'), 1u);
  GetWindowRect(h, &efter);
  EXPECT_EQ(efter.right - efter.left,
            BeregnSletBredde(ObjSwitchBredde(kSletCelleArt, 'K', 0), uint32_t{Ws(h)->Hoved.RaekkeHovedBredde},
                             kDeskB));
  EXPECT_NE(efter.right - efter.left, foer.right - foer.left);
  Tast('9', tavo::test::ModShift);  // no such layout
  EXPECT_EQ(Ws(h)->Switch60, 1u);
  reltest::HovedHoert().clear();
  Tast(VK_F4, tavo::test::ModCtrl);
  EXPECT_FALSE(IsWindow(h));
  ASSERT_EQ(reltest::HovedHoert().size(), 1u);
  EXPECT_EQ(reltest::HovedHoert()[0].msg, static_cast<UINT>(HOVED_VINDUE_LUKKET));
}

}  // namespace
