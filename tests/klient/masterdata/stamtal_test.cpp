// The master-data window's figures over a small school made for the cases:
// the per-role counts with merged names and sickness, the subjects with
// their budgets and marks, the plan figures, the room's shared cells, the
// key figures, the other schedulers, and two windows each with its own
// counts.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "KROGE.h"
#include "FINDREC.h"
#include "INDSTIL.h"
#include "MEDPER.h"
#include "OPTAEL.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "STAMOPL.h"
#include "STAMTAL.h"
#include "STAMTEKST.h"
#include "TALTAB.h"
#include "relmatrix_support.h"

namespace {

using namespace reltest;
using predtest::Ny;
using predtest::Rec;
using predtest::Tekst;

constexpr uint8_t kEgenIns = 4;

class StamTalTest : public RelTest {
 protected:
  void SetUp() override {
    RelTest::SetUp();
    ASSERT_TRUE(RegistrerStamKlasse(0));
    StamTeksterIndsaet();
    StamTalIndsaet();
    TomSkemabeg();
    GlobalIndstillinger.insnr = kEgenIns;
  }
  void TearDown() override {
    for (HWND h : vinduer)
      if (IsWindow(h)) DestroyWindow(h);
    FreePlanTab();
    FreeAlleTalTabeller();
    FreeAnfoAktiGrund(&AnfoAktiGrund);
    TomSkemabeg();
    FreeMedPer();
    StamKrog = StamKroge{};
    RelTest::TearDown();
  }

 public:
  HWND Aabn(char bogstav) {
    HWND h = CreateStamWnd(0, kStamKommando, bogstav);
    if (h) {
      vinduer.push_back(h);
      ShowWindow(h, SW_SHOWNORMAL);
      UpdateWindow(h);
    }
    tavo::test::PumpUntilIdle();
    return h;
  }
  static StamWS *Ws(HWND h) { return StamVinduesWS(h); }

  // ---- the school

  static uint32_t Rolle(const char *navn) {
    SkemarolRec r{};
    r.id = 100 + tvskemarol.wRecCnt;
    r.Status = 10;
    r.Genererer_timeposter = 'J';
    Tekst(r.Rolle, navn);
    return Ny(tdskemarol, tvskemarol, r);
  }
  static uint32_t LokRolle(char bogstav) {
    LokrolleRec r{};
    r.id = 200 + tvlokrolle.wRecCnt;
    r.Status = 10;
    r.Lokalerolle = bogstav;
    return Ny(tdlokrolle, tvlokrolle, r);
  }
  static uint32_t Fag(const char *navn) {
    SkfaRec s{};
    s.id = 300 + tvskfa.wRecCnt;
    s.Status = 10;
    Tekst(s.Skolefag, navn);
    Tekst(s.Betegnelse, navn);
    const uint32_t n = Ny(tdskfa, tvskfa, s);
    SortTab(&tdskfa, &tvskfa);
    return n;
  }
  static uint32_t Skph(uint32_t akti, uint32_t skfa, uint32_t lektioner) {
    SkphRec p{};
    p.akti_id = akti;
    p.skfa_id = skfa;
    p.Status = 10;
    p.AntalLektioner = lektioner;
    const uint32_t n = Ny(tdskph, tvskph, p);
    SortTab(&tdskph, &tvskph);
    return n;
  }
  // An employment whose statement periods are the given spans.
  static uint32_t Ansat(uint32_t id, const char *initialer, std::vector<std::pair<Dato, Dato>> perioder) {
    MedaRec m{};
    m.id = id;
    m.Status = 20;
    Tekst(m.Initialer, initialer);
    Tekst(m.Navn, initialer);
    AnfoRec a{};
    a.id = id + 100;
    a.meda_id = Ny(tdmeda, tvmeda, m);
    a.Status = 10;
    a.Gruppe = 1;
    a.Fradato = 20240801;
    a.Tildato = 20250731;
    const uint32_t anfo = Ny(tdanfo, tvanfo, a);
    OpgkalRec kal{};
    kal.Status = 10;
    const uint32_t k = Ny(tdopgkal, tvopgkal, kal);
    uint32_t forrige = 0;
    for (const auto &[fra, til] : perioder) {
      OpgperRec op{};
      op.Status = 10;
      op.opgkal_id = k;
      op.Fradato = fra;
      op.Tildato = til;
      const uint32_t n = Ny(tdopgper, tvopgper, op);
      if (forrige)
        Rec<OpgperRec>(tvopgper, forrige)->neste_opgper = n;
      else
        Rec<OpgkalRec>(tvopgkal, k)->forste_opgper = n;
      forrige = n;
    }
    ArafRec r{};
    r.Status = 10;
    r.opgkal_id = k;
    Tekst(r.kode, "OK");
    AnskRec s{};
    s.Status = 10;
    s.anfo_id = anfo;
    s.araf_id = Ny(tdaraf, tvaraf, r);
    s.Gyldig_fra = 20240801;
    s.Gyldig_til = 20250731;
    Ny(tdansk, tvansk, s);
    SortTab(&tdanfo, &tvanfo);
    return anfo;
  }
  static void Fagfordl(uint32_t anfo, uint32_t akti, uint32_t skfa, Dato fra, Dato til, float enheder) {
    FagfordlRec f{};
    f.Status = 10;
    f.anfo_id = anfo;
    f.akti_id = akti;
    f.skfa_id = skfa;
    f.Fradato = fra;
    f.Tildato = til;
    f.Lektionsenheder = enheder;
    Rec<SkfaRec>(tvskfa, skfa)->forste_fagfordl = Ny(tdfagfordl, tvfagfordl, f);
  }

  struct Del {
    uint32_t akti, anfo, rol, loka, lokrol;
  };
  // One event; its rows carry the subject, 60 minutes to the hour.
  static void Beg(Uge uge, uint8_t dag, uint8_t lektion, float std, uint32_t skfa, std::initializer_list<Del> dele,
                  Klokkeslaet start = 800, Klokkeslaet slut = 845) {
    TabVar *b = SkemabegBucket(uge);
    ASSERT_NE(b, nullptr);
    uint32_t forste = 0;
    for (const Del &d : dele) {
      b->FoersteLedige = b->wRecCnt;
      const uint32_t n = NewRec(&tdske, b);
      SkeRec *s = reinterpret_cast<SkeRec *>(GetRec(&tdske, b, n));
      if (!forste) forste = n;
      s->id = 900000 + uge % 100 * 1000 + forste;
      s->Status = SKE_EGEN;
      s->akti_id = d.akti;
      s->anfo_id = d.anfo;
      s->skemarol_id = d.rol;
      s->Minutnorm = d.anfo ? 60.0f : 0.0f;
      s->loka_id = d.loka;
      s->lokrolle_id = d.lokrol;
      s->skfa_id = skfa;
      s->Dag = dag;
      s->Lektion = lektion;
      s->Starttid = start;
      s->Sluttid = slut;
      s->Antal_std_lektioner = std;
      s->Forste = forste;
    }
  }

  // ---- the panes

  static std::string Celle(StamWS *ws, int rude, uint32_t raekke, uint32_t felt, uint32_t bredde,
                           uint8_t *pFarve = nullptr) {
    SwitchFelt sf{};
    sf.FeltNr = felt;
    sf.Tegn = bredde;
    char t[kSwitchTekstLen];
    std::memset(t, ' ', kSwitchMaksTegn);
    t[kSwitchMaksTegn] = '\0';
    uint8_t farve = 16;
    if (!StamKrog.CelleTekst || !StamKrog.CelleTekst(ws, rude, raekke, &sf, t, &farve)) return "<ingen>";
    if (pFarve) *pFarve = farve;
    return std::string(t, bredde);
  }
  // The counts pane as lines "label|lessons|hours".
  static std::vector<std::string> Timer(StamWS *ws) {
    std::vector<std::string> v;
    for (uint32_t i = 1; i <= ws->DWnd[STAM_FOCUS_TIMER].ObjTabAntal; ++i) {
      std::string l = Celle(ws, STAM_FOCUS_TIMER, i, 90, 20);
      l.erase(l.find_last_not_of(' ') + 1);
      v.push_back(l + "|" + Celle(ws, STAM_FOCUS_TIMER, i, 91, 5) + "|" + Celle(ws, STAM_FOCUS_TIMER, i, 92, 5));
    }
    return v;
  }
  // The subjects pane as lines "subject|254|255|256|257".
  static std::vector<std::string> Fagene(StamWS *ws) {
    std::vector<std::string> v;
    const StamRude &d = ws->DWnd[STAM_FOCUS_SKFA];
    for (uint32_t i = 1; i <= d.ObjTabAntal; ++i) {
      const SkfaRec *s = Rec<SkfaRec>(tvskfa, d.ObjTab[i]);
      std::string l(s->Skolefag, strnlen(s->Skolefag, sizeof s->Skolefag));
      for (uint32_t f = 254; f <= 257; ++f) l += "|" + Celle(ws, STAM_FOCUS_SKFA, i, f, f == 254 ? 3 : 4);
      v.push_back(l);
    }
    return v;
  }
  static std::string Item(StamWS *ws, uint32_t kode) {
    char t[kSwitchTekstLen];
    StamItemTekst(ws, kStamHovedArt, kode, 4, t);
    return std::string(t, 4);
  }
  static bool Tegnet(HWND hwnd, const std::string &tekst) {
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == hwnd && t.text.find(tekst) != std::string::npos) return true;
    return false;
  }

  std::vector<HWND> vinduer;
};

using V = std::vector<std::string>;

// ==================================================================== employee

class StamTalMedarbejder : public StamTalTest {};
class Noegletal : public StamTalTest {};

// Two roles named "U" make one row; the sickness role keeps its lesson and
// shows no hours; a week in the next statement period is not counted; a
// planning record of another period marks its budget.
TEST_F(StamTalMedarbejder, CountsAndSubjectsOfTheStatementPeriod) {
  const uint32_t u1 = Rolle("U"), u2 = Rolle("U"), syg = Rolle("S");
  const uint32_t akti = Akti(11, "H1");
  const uint32_t f1 = Fag("DA"), f2 = Fag("MA"), f3 = Fag("EN");
  const uint32_t anfo = Ansat(501, "ABC", {{20240801, 20241231}, {20250101, 20250731}});
  BuildMedPer();
  Fagfordl(anfo, akti, f1, 20240901, 20241231, 8.7f);
  Beg(202441, 1, 1, 2, f1, {{akti, 0, 0, 0, 0}, {0, anfo, u1, 0, 0}});
  Beg(202442, 2, 2, 1, f1, {{akti, 0, 0, 0, 0}, {0, anfo, u2, 0, 0}});
  Beg(202443, 3, 1, 1, f2, {{akti, 0, 0, 0, 0}, {0, anfo, syg, 0, 0}});
  Beg(202506, 3, 1, 4, f3, {{akti, 0, 0, 0, 0}, {0, anfo, u1, 0, 0}});  // the next period
  Sorter();
  HWND h = Aabn('M');
  StamWS *ws = Ws(h);
  EXPECT_EQ(Timer(ws), (V{"Lærerlektioner:|    4|    4", "Skemarolle: U|    3|    3", "Skemarolle: S|    1|    0"}));
  // Scheduled is one lesson per event; the budget of 8 from another period
  // carries the mark.
  EXPECT_EQ(Fagene(ws), (V{"DA|   |   2|*  8|  -6", "MA|   |   1|   0|   1"}));
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, STAM_TEGN_ALT, 0, 0);
  EXPECT_TRUE(Tegnet(h, kStamFodnote));
}

TEST_F(Noegletal, WithoutEventsOnlyKeyFiguresAndFootnote) {
  const uint32_t anfo = Ansat(502, "DEF", {{20240801, 20250731}});
  BuildMedPer();
  AllokerMedTal();
  (void)anfo;
  HWND h = Aabn('M');
  StamWS *ws = Ws(h);
  MoveWindow(h, 0, 0, 720, 600, TRUE);  // room for the key figures' labels
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(ws->DWnd[STAM_FOCUS_TIMER].ObjTabAntal, 0u);
  EXPECT_EQ(ws->DWnd[STAM_FOCUS_SKFA].ObjTabAntal, 0u);
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, STAM_TEGN_ALT, 0, 0);
  EXPECT_TRUE(Tegnet(ws->DWnd[STAM_NOEGLETAL].hwndKrop, "NØGLETAL:"));
  EXPECT_TRUE(Tegnet(ws->DWnd[STAM_NOEGLETAL].hwndKrop, "Afsp.primo:"));
  EXPECT_TRUE(Tegnet(h, kStamFodnote));
  EXPECT_NE(Item(ws, 45), "  --");
}

// The balances come from the opening records and the months' figures; the
// norm, hours and result need a statement period inside the schedule's.
TEST_F(Noegletal, NormHoursResultAndBalances) {
  struct Tilfaelde {
    Dato til;
    bool udenfor;
  } tabel[] = {{20250731, false}, {20250930, true}};
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.til);
    const uint32_t anfo = Ansat(510 + (t.udenfor ? 1 : 0), t.udenfor ? "UDE" : "INDE", {{20240801, t.til}});
    BuildMedPer();
    AllokerMedTal();
    HontityRec aa{}, o{};
    aa.Status = o.Status = 10;
    Tekst(aa.timetype, "AA");
    Tekst(o.timetype, "O");
    PrimotalRec p{};
    p.Status = 10;
    p.anfo_id = anfo;
    p.hontity_id = Ny(tdhontity, tvhontity, aa);
    p.Dato = 20240731;
    p.Enheder = 500;
    Ny(tdprimotal, tvprimotal, p);
    p.hontity_id = Ny(tdhontity, tvhontity, o);
    p.Enheder = 300;
    Ny(tdprimotal, tvprimotal, p);
    MedTalMaaned *mt = MedTalFor(anfo);
    ASSERT_NE(mt, nullptr);
    const MaanedIndeks okt = MaanedTilIndeks(202410);
    mt[okt][15] = 2000;  // time off taken
    mt[okt][17] = 1000;  // care days taken
    tvanfo.AktuelRec = anfo;
    HWND h = Aabn('M');
    StamWS *ws = Ws(h);
    ASSERT_EQ(StamObjekt(ws), anfo);
    if (t.udenfor) {
      for (uint32_t k : {45u, 46u, 47u}) EXPECT_EQ(Item(ws, k), "  --") << k;
    } else {
      for (uint32_t k : {45u, 46u, 47u}) EXPECT_NE(Item(ws, k).find_first_of("0123456789"), std::string::npos) << k;
    }
    // The balances follow the statement period: primo 5, 2 taken, 3 left;
    // care days primo 3, 1 taken, 2 left.
    if (!t.udenfor) {
      EXPECT_EQ(Item(ws, 48), "   5");
      EXPECT_EQ(Item(ws, 49), "   2");
      EXPECT_EQ(Item(ws, 50), "   3");
      EXPECT_EQ(Item(ws, 53), "   3");
      EXPECT_EQ(Item(ws, 54), "   1");
      EXPECT_EQ(Item(ws, 55), "   2");
    } else {
      for (uint32_t k : {48u, 50u, 53u, 55u}) EXPECT_NE(Item(ws, k), "    ") << k;
    }
    uint8_t farve = 0;
    char tekst[kSwitchTekstLen];
    farve = StamItemTekst(ws, kStamHovedArt, 48, 4, tekst);
    EXPECT_EQ(farve, 8);
    DestroyWindow(h);
    tavo::test::PumpUntilIdle();
  }
}

// ==================================================================== activity and room

class StamTalObjekter : public StamTalTest {};

// The subjects of the relations and of the events with a relation; plan
// figures in tenths give the budget of a planned subject, the basis records
// that of the others (their derived-value bit left out).
TEST_F(StamTalObjekter, ActivityCountsAndSubjects) {
  const uint32_t u1 = Rolle("U"), u2 = Rolle("U"), v = Rolle("V");
  const uint32_t f1 = Fag("DA"), f2 = Fag("MA"), f3 = Fag("EN");
  const uint32_t akti = Akti(12, "H2");
  Rec<AktiRec>(tvakti, akti)->Fradato = 20240801;
  Rec<AktiRec>(tvakti, akti)->Tildato = 20250731;
  const uint32_t a1 = Ansat(520, "T1", {{20240801, 20250731}}), a2 = Ansat(521, "T2", {{20240801, 20250731}});
  BuildMedPer();
  Skph(akti, f1, 5000);
  Skph(f2, akti, 3000);  // the key in the other order
  Beg(202441, 1, 1, 2, f2, {{akti, 0, 0, 0, 0}, {0, a1, u1, 0, 0}, {0, a2, u2, 0, 0}});
  Beg(202442, 2, 3, 1, f3, {{akti, 0, 0, 0, 0}, {0, a1, v, 0, 0}});  // no relation: not a row
  EpshRec e{};
  e.Status = 10;
  e.akti_id = akti;
  e.skfa_id = f1;
  e.Startdato = 20240901;
  e.Slutdato = 20241220;
  Ny(tdepsh, tvepsh, e);
  e.Slutdato = 20250930;  // past the activity's end
  Ny(tdepsh, tvepsh, e);
  FfgrundRec g{};
  g.Status = 64;
  g.Aktivitet = akti;
  g.Skolefag = f2;
  g.Budget = FFGRUND_AFLEDT | 6;
  Ny(tdffgrund, tvffgrund, g);
  g.Budget = 4;
  Ny(tdffgrund, tvffgrund, g);
  g.Status = 64 | 8;  // deleted
  Ny(tdffgrund, tvffgrund, g);
  for (uint32_t uge : {3u, 10u, 60u}) {  // the last lies past the period's weeks
    PlanTabPost *p = NyPlanTabPost();
    p->akti = akti;
    p->skfa = f1;
    p->UgeIdx = uge;
    p->PlanLektioner = 45;
  }
  Sorter();
  HWND h = Aabn('K');
  StamWS *ws = Ws(h);
  // Both teachers' roles are "U": one row of 2 + 2 lessons; hours as the
  // event's share.
  const V timer = Timer(ws);
  ASSERT_EQ(timer.size(), 4u);
  EXPECT_EQ(timer[0].substr(0, 15), "Elevlektioner:|");
  EXPECT_EQ(timer[1].substr(0, 16), "Lærerlektioner:|");
  EXPECT_EQ(timer[2].substr(0, 20), "Skemarolle: U|    4|");
  EXPECT_EQ(timer[3].substr(0, 20), "Skemarolle: V|    1|");
  EXPECT_EQ(Celle(ws, STAM_FOCUS_TIMER, 1, 92, 5), "    0");
  uint8_t farve = 0;
  EXPECT_EQ(Fagene(ws), (V{"DA|  1|   5|   8|  -3", "MA|  0|   3|  10|  -7"}));
  Celle(ws, STAM_FOCUS_SKFA, 2, 256, 5, &farve);
  EXPECT_EQ(farve, 39);
  farve = 0;
  Celle(ws, STAM_FOCUS_SKFA, 1, 256, 5, &farve);
  EXPECT_NE(farve, 39);
  // The total rows stand on their own background.
  MoveWindow(h, 0, 0, 720, 1000, TRUE);
  tavo::test::PumpUntilIdle();
  const auto bund = [&](int raekke) {
    return tavo::test::WindowPixel(ws->DWnd[STAM_FOCUS_TIMER].hwndKrop, 1, raekke * 13 + 6);
  };
  ASSERT_NE(FarveTab[32], FarveTab[30]);
  EXPECT_EQ(bund(0), FarveTab[32]);
  EXPECT_EQ(bund(1), FarveTab[32]);
  EXPECT_EQ(bund(2), FarveTab[30]);

  // Sorting by the budget column orders by the figure; the figures follow.
  StamRude &d = ws->DWnd[STAM_FOCUS_SKFA];
  uint32_t knap = 0;
  while (knap < d.KnapAntal && ObjSwitchFeltNr(d.Art, d.Bogstav, d.Layout, d.FeltIndeks[knap]) != 256) ++knap;
  ASSERT_LT(knap, d.KnapAntal);
  SorterStamSkfa(ws, knap);
  SorterStamSkfa(ws, knap);  // descending
  EXPECT_EQ(Fagene(ws), (V{"MA|  0|   3|  10|  -7", "DA|  1|   5|   8|  -3"}));

  // An absence activity shows no lessons, in any row.
  Tekst(Rec<AktiRec>(tvakti, akti)->Type, "OVAK");
  for (uint32_t r = 1; r <= 4; ++r) EXPECT_EQ(Celle(ws, STAM_FOCUS_TIMER, r, 91, 5), "     ") << r;
}

// The student placements of each subject, whether read for one cell, for
// every row of a paint or for every comparison of a sort, are those a plain
// scan of the placement table finds within the activity's dates.
TEST_F(StamTalObjekter, PlacementsPerSubjectInPaintAndSort) {
  const uint32_t f1 = Fag("DA"), f2 = Fag("MA"), f3 = Fag("EN");
  const uint32_t akti = Akti(13, "H3");
  Rec<AktiRec>(tvakti, akti)->Fradato = 20240801;
  Rec<AktiRec>(tvakti, akti)->Tildato = 20250731;
  for (uint32_t f : {f1, f2, f3}) Skph(akti, f, 1000);
  struct Placering {
    uint32_t akti, skfa;
    Dato fra, til;
  };
  const Placering placeringer[] = {
      {akti, f1, 20240801, 20250731}, {akti, f1, 20240901, 20241220}, {akti, f2, 20240801, 20250731},
      {akti, f2, 20240701, 20241220},  // from before the activity
      {akti, f2, 20240901, 20250930},  // past its end
      {akti + 1, f2, 20240901, 20241220}, {akti, f3, 20240801, 20250731}, {akti, f3, 20241001, 20241101},
      {akti, f3, 20250101, 20250731},     {akti, f3, 20250301, 20250401}, {akti, f3, 20250301, 20250302},
  };
  for (const Placering &p : placeringer) {
    EpshRec e{};
    e.Status = 10;
    e.akti_id = p.akti;
    e.skfa_id = p.skfa;
    e.Startdato = p.fra;
    e.Slutdato = p.til;
    Ny(tdepsh, tvepsh, e);
  }
  auto Skanning = [&](uint32_t skfa) {
    int n = 0;
    for (const Placering &p : placeringer)
      n += p.akti == akti && p.skfa == skfa && p.fra >= 20240801 && p.til <= 20250731;
    return n;
  };
  Sorter();
  HWND h = Aabn('K');
  StamWS *ws = Ws(h);
  StamRude &d = ws->DWnd[STAM_FOCUS_SKFA];
  ASSERT_EQ(d.ObjTabAntal, 3u);
  auto Taellinger = [&] {
    std::vector<int> v;
    for (uint32_t i = 1; i <= d.ObjTabAntal; ++i) v.push_back(Skanning(d.ObjTab[i]));
    return v;
  };
  uint32_t knap = 0;
  while (knap < d.KnapAntal && ObjSwitchFeltNr(d.Art, d.Bogstav, d.Layout, d.FeltIndeks[knap]) != 254) ++knap;
  ASSERT_LT(knap, d.KnapAntal);
  SorterStamSkfa(ws, knap);
  EXPECT_EQ(Taellinger(), (std::vector<int>{1, 2, 5}));
  SorterStamSkfa(ws, knap);  // descending
  EXPECT_EQ(Taellinger(), (std::vector<int>{5, 2, 1}));
  for (uint32_t i = 1; i <= d.ObjTabAntal; ++i) {
    char t[8];
    std::snprintf(t, sizeof t, "%3d", Skanning(d.ObjTab[i]));
    EXPECT_EQ(Celle(ws, STAM_FOCUS_SKFA, i, 254, 3), t) << i;
  }
  // A paint shows each row's own count, and one placement more shows at
  // the next paint.
  tavo::test::ClearDrawnTexts();
  InvalidateRect(d.hwndKrop, nullptr, TRUE);
  tavo::test::PumpUntilIdle();
  EXPECT_TRUE(Tegnet(d.hwndKrop, "  5"));
  EXPECT_TRUE(Tegnet(d.hwndKrop, "  2"));
  EXPECT_FALSE(Tegnet(d.hwndKrop, "  6"));
  EpshRec e{};
  e.Status = 10;
  e.akti_id = akti;
  e.skfa_id = f3;
  e.Startdato = 20240801;
  e.Slutdato = 20240901;
  Ny(tdepsh, tvepsh, e);
  tavo::test::ClearDrawnTexts();
  InvalidateRect(d.hwndKrop, nullptr, TRUE);
  tavo::test::PumpUntilIdle();
  EXPECT_TRUE(Tegnet(d.hwndKrop, "  6"));
}

// Events sharing a room cell count once for the roles (a lesson-less row
// by its start time in the ring system); the subjects count every event.
TEST_F(StamTalObjekter, RoomCountsEachCellOnce) {
  const uint32_t a = LokRolle('A'), b = LokRolle('B'), a2 = LokRolle('A');
  const uint32_t f1 = Fag("FY");
  RisyRec ring{};
  ring.Status = 10;
  for (int i = 0; i < 10; ++i) {
    ring.Starttid[i] = 800 + i * 100;
    ring.Sluttid[i] = 845 + i * 100;
  }
  GlobalIndstillinger.standardRingSystem = Ny(tdrisy, tvrisy, ring);
  const uint32_t rum = Loka(31, "R1");
  Beg(202441, 2, 3, 2, f1, {{0, 0, 0, rum, a}}, 1000, 1045);
  Beg(202441, 2, 3, 1, f1, {{0, 0, 0, rum, b}}, 1000, 1045);    // the same cell
  Beg(202441, 2, 0, 1, 0, {{0, 0, 0, rum, a}}, 1010, 1045);     // lesson 3 by its time
  Beg(202441, 3, 3, 1.5f, f1, {{0, 0, 0, rum, a2}}, 1000, 1045);  // another day
  Beg(202442, 2, 3, 1, 0, {{0, 0, 0, rum, b}}, 1000, 1045);     // the next week
  Beg(202442, 9, 3, 1, 0, {{0, 0, 0, rum, b}}, 1000, 1045);     // no such day
  Sorter();
  AllokerTalTab();
  HWND h = Aabn('L');
  StamWS *ws = Ws(h);
  // Role A: 2 + 1.5 ("A" twice merged); role B: the next week's 1. The
  // total is the room's occupation of the year: three cells held.
  const V timer = Timer(ws);
  ASSERT_EQ(timer.size(), 3u);
  EXPECT_EQ(timer[0], "Lektioner:|    3|    0");
  EXPECT_EQ(timer[1], "Skemarolle: A|    4|    0");
  EXPECT_EQ(timer[2], "Skemarolle: B|    1|    0");
  EXPECT_EQ(Fagene(ws), (V{"FY|   |   5|   0|   5"}));  // 2 + 1 + 1.5, rounded half up
  GlobalIndstillinger.standardRingSystem = 0;
}

// ==================================================================== schedulers and windows

TEST_F(StamTalObjekter, SchedulersOfTheObjectInRightsOrder) {
  const uint32_t anfo = Ansat(530, "SKE", {{20240801, 20250731}});
  BuildMedPer();
  auto ins = [](int32_t nr, const char *navn) {
    InsRec i{};
    i.Status = 10;
    i.Tavonr = nr;
    Tekst(i.Navn, navn);
    return Ny(tdins, tvins, i);
  };
  const uint32_t i3 = ins(3, "Tre"), i5 = ins(5, "Fem"), iEgen = ins(kEgenIns, "Egen");
  (void)iEgen;
  ins(7, "Syv");
  auto ret = [](int32_t nr, char art, uint32_t id) {
    RetRec r{};
    r.Status = 10;
    r.Tavonr = nr;
    r.Art = art;
    r.Id = id;
    Ny(tdret, tvret, r);
  };
  const uint32_t id = Rec<AnfoRec>(tvanfo, anfo)->id;
  ret(5, 'M', id);
  ret(kEgenIns, 'M', id);  // this installation
  ret(7, 'L', id);         // a room of the same number
  ret(3, 'M', id);
  ret(7, 'M', id + 1);     // another employee
  HWND h = Aabn('M');
  const StamRude &d = Ws(h)->DWnd[STAM_FOCUS_INS];
  ASSERT_EQ(d.ObjTabAntal, 2u);
  EXPECT_EQ(d.ObjTab[1], i5);
  EXPECT_EQ(d.ObjTab[2], i3);
}

// Each window counts into its own table: the second window's rebuild and
// close leave the first one's counts whole (the sanitizer build sees any
// read of freed memory).
TEST_F(StamTalObjekter, TwoWindowsKeepTheirOwnCounts) {
  const uint32_t u = Rolle("U"), v = Rolle("V");
  const uint32_t akti = Akti(13, "H3");
  const uint32_t a1 = Ansat(540, "EN", {{20240801, 20250731}}), a2 = Ansat(541, "TO", {{20240801, 20250731}});
  BuildMedPer();
  Beg(202441, 1, 1, 2, 0, {{akti, 0, 0, 0, 0}, {0, a1, u, 0, 0}});
  Beg(202441, 2, 1, 3, 0, {{akti, 0, 0, 0, 0}, {0, a2, v, 0, 0}});
  Sorter();
  tvanfo.AktuelRec = a1;
  HWND h1 = Aabn('M');
  ASSERT_EQ(StamObjekt(Ws(h1)), a1);
  tvanfo.AktuelRec = a2;
  HWND h2 = Aabn('M');
  ASSERT_EQ(StamObjekt(Ws(h2)), a2);
  EXPECT_EQ(Timer(Ws(h1)), (V{"Lærerlektioner:|    2|    2", "Skemarolle: U|    2|    2"}));
  EXPECT_EQ(Timer(Ws(h2)), (V{"Lærerlektioner:|    3|    3", "Skemarolle: V|    3|    3"}));
  DestroyWindow(h2);
  MoveWindow(h1, 0, 0, 720, 1000, TRUE);  // room for every counts row
  tavo::test::PumpUntilIdle();
  tavo::test::ClearDrawnTexts();
  SendMessageA(h1, STAM_TEGN_ALT, 0, 0);
  const HWND krop = Ws(h1)->DWnd[STAM_FOCUS_TIMER].hwndKrop;
  EXPECT_TRUE(Tegnet(krop, "Skemarolle: U"));
  EXPECT_FALSE(Tegnet(krop, "Skemarolle: V"));
  EXPECT_EQ(Timer(Ws(h1)), (V{"Lærerlektioner:|    2|    2", "Skemarolle: U|    2|    2"}));
}

}  // namespace
