// The export file: a small school against a file written by hand, the
// marks it leaves, the edge cases of its sections, the planning sections in
// and out of plan mode, and a write failure at every file call.
#include <algorithm>
#include <set>

#include "eksport_fixture.h"
#include "GEMNING.h"
#include "VEDLIGE.h"
#include "tavo/test_user.h"

namespace eksporttest {
namespace {

// Every block flag of every table and bucket cleared, as after loading.
void RydFlag() {
  auto ryd = [](const TabDesc *pTd, TabVar *pTv) {
    if (pTv->pfSave && pTv->wRecCnt) memset(pTv->pfSave, 0, pTv->wRecCnt / pTd->RecPrBlok + 1);
  };
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) ryd(e->pTabDesc, e->pTabVar);
  for (UgeIndeks i = 1; i <= SkemaPeriode.AntalUger; ++i)
    if (TabVar *b = SkemabegBucket(IndeksTilUge(i))) ryd(&tdske, b);
  for (MaanedIndeks i = 1; i <= SkemaPeriode.AntalMaaneder; ++i)
    if (TabVar *b = TimoakBucket(IndeksTilMaaned(i))) ryd(&tdtimoak, b);
}

using EksportFil = EksportSkole;

TEST_F(EksportFil, SchoolGivesTheHandWrittenFileAndMarksWhatItSent) {
  HeleSkolen();
  RydFlag();
  const Billede foer = Billede::Nu();
  ASSERT_TRUE(EksportSkriv());
  EXPECT_EQ(Eksport(), Fixture("eksport_skole.dat"));

  // Master records raised by one.
  EXPECT_EQ(Rec<AnfoRec>(tdanfo, tvanfo, s.a2).Status, 132);
  EXPECT_EQ(Rec<AktiRec>(tdakti, tvakti, s.k3).Status, 32);
  EXPECT_EQ(Rec<LokaRec>(tdloka, tvloka, s.l2).Status, 32);
  EXPECT_EQ(Rec<AktiRec>(tdakti, tvakti, s.k1).Status, 10);

  struct Raekke {
    Uge uge;
    uint32_t nr, status;
  };
  const Raekke raekker[] = {
      {202437, 1, 0x50}, {202437, 2, 0x50}, {202437, 3, 0x50},  // new: sent
      {202437, 4, 0x78}, {202437, 5, 0x78},                     // refused deletion: deletion sent
      {202437, 6, 0x78}, {202437, 7, 0x78},                     // deleted: deletion sent
      {202437, 8, 0x50}, {202437, 9, 0x40}, {202437, 10, 0x60},  // sent, foreign, confirmed: as they were
      {202438, 1, 0x50}, {202438, 2, 0x50},
  };
  for (const Raekke &r : raekker) {
    EXPECT_EQ(+Ske(r.uge, r.nr).Status, r.status) << r.uge << " row " << r.nr;
    EXPECT_EQ(+Ske(r.uge, r.nr).Fejl, 0) << r.uge << " row " << r.nr;
  }
  const Raekke poster[] = {{202409, 1, 0x50}, {202409, 2, 0x50}, {202409, 3, 0x78}, {202409, 4, 0x50},
                           {202410, 1, 0x50}};
  for (const Raekke &r : poster) EXPECT_EQ(Tim(r.uge, r.nr).Status, r.status) << r.uge << " row " << r.nr;

  // The schedule priority marked deleted is cleared; the others stay.
  MedaskepriorRec tom{};
  EXPECT_EQ(memcmp(GetRec(&tdmedaskeprior, &tvmedaskeprior, p2), &tom, sizeof tom), 0);
  EXPECT_EQ(Rec<MedaskepriorRec>(tdmedaskeprior, tvmedaskeprior, p1).Status, 64);
  EXPECT_EQ(Rec<MedaskepriorRec>(tdmedaskeprior, tvmedaskeprior, p3).Status, 64);
  EXPECT_EQ(tvmedaskeprior.FoersteLedige, p2);

  // Exactly these tables and buckets changed, each with its block marked.
  std::set<std::string> aendret;
  for (const std::string &d : Forskelle(foer, Billede::Nu())) aendret.insert(d);
  const std::set<std::string> ventet = {
      "anfo data", "anfo flag", "loka data", "loka flag", "akti data", "akti flag",
      "medaskeprior data", "medaskeprior flag", "medaskeprior FoersteLedige",
      "uge 202437 data", "uge 202437 flag", "uge 202438 data", "uge 202438 flag",
      "maaned 202409 data", "maaned 202409 flag", "maaned 202410 data", "maaned 202410 flag"};
  EXPECT_EQ(aendret, ventet);

  EXPECT_EQ(Indstilling("global", "hentstam"), "nej");
  EXPECT_TRUE(Findes("exp.mrk"));
  EXPECT_FALSE(Findes("exp.dat.tmp"));
  EXPECT_FALSE(Findes("exp.mrk.tmp"));
  // The counters are recounted: nothing new waits.
  EXPECT_EQ(EksportTaellere[0], 0u);
  EXPECT_EQ(EksportTaellere[5], 0u);
}

// The small cases of the sections, each a school of its own and the whole
// file it gives.
TEST_F(EksportFil, EdgeCasesOfTheSections) {
  struct Tilfaelde {
    const char *navn;
    void (*byg)(EksportFil &t);
    const char *fil;
  };
  const Tilfaelde tilfaelde[] = {
      {"a SuperTavo installation writes the short header alone",
       [](EksportFil &t) {
         t.HeleSkolen();
         GlobalIndstillinger.supertavo = 1;
       },
       "S;J;7;10413;20240801;20250731;\n"},
      {"two equal events in a row give two event lines with nothing between",
       [](EksportFil &t) {
         t.Stamdata();
         Faelles f;
         f.skfa = t.s.dansk;
         Begivenhed(202440, f, {{t.s.k1}, {0, t.s.a1, t.s.rolL, 0, 0, 45.0f}});
         f.lektion = 4;
         Begivenhed(202440, f, {{t.s.k1}, {0, t.s.a1, t.s.rolL, 0, 0, 45.0f}});
         f.id = 9, f.dag = 3;
         Begivenhed(202441, f, {{t.s.k1}, {0, t.s.a1, t.s.rolL, 0, 0, 45.0f}});
       },
       "K;J;7;10413;20240801;20250731;0;3;0;0;0;0\n@retslet\nM2002\nH1003\nL3002\n"
       "@S+\nA1001\nU201\nM2001,301,45.00\nN20241001,40,1,3,0\nN20241001,40,3,4,0\n"
       "N20241009,41,1,4,9\n"},
      {"an event without activity, employment or room writes no line",
       [](EksportFil &t) {
         t.Stamdata();
         for (const TabDesc *pTd : {&tdanfo, &tdakti, &tdloka}) {
           TabVar *pTv;
           const TabDesc *d;
           TabFromType(pTd->TypeBogstav, &d, &pTv);
           for (uint32_t r = 1; r < pTv->wRecCnt; ++r)
             if (RecStatus(pTd, GetRec(pTd, pTv, r)) % 100 == 31) SetRecStatus(pTd, pTv, r, 10);
         }
         Faelles f;
         f.skfa = t.s.dansk;
         Begivenhed(202440, f, {{t.s.kRes}, {0, 0, 0, 0, 0, 0}});
       },
       "K;J;7;10413;20240801;20250731;0;1;0;0;0;0\n"},
      {"a posting for the pair before writes its T line only; another pair both",
       [](EksportFil &t) {
         t.Stamdata();
         Postering(202411, 0, 0x40, t.s.k1, t.s.a1, 3, 100);
         Postering(202411, 0, 0x40, t.s.k1, t.s.a1, 4, 200);
         Postering(202411, 0, 0x40, t.s.k1, t.s.a3, 5, 300);
         Postering(202412, 0, 0x40, t.s.k2, t.s.a3, 6, 400);
         Postering(202412, 5, 0x40, t.s.k2, t.s.a3, 7, 1, kIns, '>');
         Postering(202412, 6, 0x40, t.s.k2, t.s.a3, 8, 1, kIns, '?');
         EksportValg.skema = 0;
       },
       "K;J;7;10413;20240801;20250731;0;0;0;0;6;0\n@retslet\nM2002\nH1003\nL3002\n"
       "@B-\n2024,12,2,5\n@B+\nA1001\nM2001\nT20241103,11,1,100\nT20241104,11,2,200\nM2003\n"
       "T20241105,11,3,300\nA1002\nT20241206,12,1,400\nT20241208,12,3,1\n"},
      {"groups: one without active members writes no line, activity groups start at 6",
       [](EksportFil &t) {
         t.Stamdata();
         t.SaetFlag("exportergrupper", "1");
         GruppeNavn(GRP_ANFO, 1, "A");
         GruppeNavn(GRP_ANFO, 2, "B");
         GruppeNavn(GRP_ANFO, 3, "C");
         GruppeNavn(GRP_AKTI, 6, "D");
         GruppeNavn(GRP_AKTI, 7, "E");
         GruppeNavn(GRP_LOKA, 1, "F");
         EksportValg = {0, 0, 0, 0, 1, 0};
       },
       "T;N;7;10413;20240801;20250731;0;0;0;0;0;0\n@retslet\nM2002\nH1003\nL3002\n"
       "@grupper\nM1,A,2001\nM3,C,2001,2003\nK6,D,1001,1002\nK7,E,1001\nL1,F,3001\n"},
  };
  for (const Tilfaelde &c : tilfaelde) {
    SCOPED_TRACE(c.navn);
    TearDown();
    SetUp();
    c.byg(*this);
    const Billede foer = Billede::Nu();
    ASSERT_TRUE(EksportSkriv());
    EXPECT_EQ(Eksport(), c.fil);
    if (GlobalIndstillinger.supertavo) {
      EXPECT_TRUE(Forskelle(foer, Billede::Nu()).empty());
      EXPECT_EQ(Indstilling("global", "hentstam"), "ja");
    }
  }
}

// The event without participants is marked sent all the same.
TEST_F(EksportFil, EventWithoutParticipantsIsMarkedSent) {
  Stamdata();
  Faelles f;
  const uint32_t r = Begivenhed(202440, f, {{s.kRes}, {0, 0, 0, 0, 0, 0}});
  ASSERT_TRUE(EksportSkriv());
  EXPECT_EQ(+Ske(202440, r).Status, 0x50u);
  EXPECT_EQ(+Ske(202440, r + 1).Status, 0x50u);
}

// A second export without any change carries the header, and nothing but
// the sections that the settings ask to be sent whole every time.
TEST_F(EksportFil, SecondRunWithoutChangeWritesTheHeaderOnly) {
  HeleSkolen();
  ASSERT_TRUE(EksportSkriv());
  const std::string foerste = Eksport();
  GlemEksportMarker();

  ASSERT_TRUE(EksportSkriv());
  const std::string anden = Eksport();
  const size_t flagDele = foerste.find("@grupper");
  ASSERT_NE(flagDele, std::string::npos);
  EXPECT_EQ(anden, "K;J;7;10413;20240801;20250731;3;0;0;1;0;0\n" + foerste.substr(flagDele));

  GlemEksportMarker();
  for (const char *k : {"exportergrupper", "exporteralrel", "exporterskfalokarel", "exportermedaskeprior"})
    SaetFlag(k, "0");
  FrigivAktiPrioritetMinde();
  ASSERT_TRUE(EksportSkriv());
  EXPECT_EQ(Eksport(), "K;J;7;10413;20240801;20250731;3;0;0;1;0;0\n");
}

// ---- Planning tables ----

LRESULT CALLBACK PlanVindueProc(HWND h, UINT m, WPARAM w, LPARAM l);
int &Gemt1027() {
  static int n = 0;
  return n;
}
LRESULT CALLBACK PlanVindueProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == 1027) ++Gemt1027();
  return DefWindowProcA(h, m, w, l);
}

class EksportFilPlan : public EksportSkole {
 protected:
  HWND desktop = 0, plan = 0;

  void TearDown() override {
    while (VinduesListe.hoved) VinduesListeFjern(VinduesListe.hoved->hwnd);
    tavo::test::ResetUser();
    EksportSkole::TearDown();
  }

  // A window of the planning window's kind on the open-window list.
  void AabnPlanVindue() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlanVindueProc;
    wc.lpszClassName = "EksportPlanTest";
    RegisterClassA(&wc);
    desktop = CreateWindowExA(0, "EksportPlanTest", "", WS_OVERLAPPED, 0, 0, 400, 300, 0, 0, 0, nullptr);
    plan = CreateWindowExA(0, "EksportPlanTest", "", WS_CHILD, 0, 0, 50, 50, desktop,
                           static_cast<HMENU>(kPlanVindueType), 0, nullptr);
    ASSERT_EQ(VinduesListeTilfoej(plan), 0);
    Gemt1027() = 0;
  }

  template <class R>
  static uint32_t Plan(const TabDesc &td, TabVar &tv, R r) {
    r.Ejer = r.Ejer ? r.Ejer : kIns;
    return Ny(td, tv, r);
  }

  // The planning records of the expected files. A record whose parent has
  // no id yet refers to it by minus its record number.
  void PlanSkole() {
    Stamdata();
    FfpgRec g{};
    g.Fradato = 20240801, g.Tildato = 20250731, g.VisSkeLekt = 1, g.Status = 0x40;
    Tekst(g.Navn, "Plan 1");
    ASSERT_EQ(Plan(tdffpg, tvffpg, g), 1u);
    g.id = 88, g.VisSkeLekt = 0, g.Status = 0x50;
    Tekst(g.Navn, "Plan 2");
    ASSERT_EQ(Plan(tdffpg, tvffpg, g), 2u);
    g.id = 89, g.Status = 0x40, g.Ejer = kFremmed;
    ASSERT_EQ(Plan(tdffpg, tvffpg, g), 3u);

    FfpgrelRec rel{0, 1, s.k1, s.a1, 0, 0, 0x40};
    ASSERT_EQ(Plan(tdffpgrel, tvffpgrel, rel), 1u);
    rel = {91, 2, s.k2, s.a3, 0, 0, 0x02};
    ASSERT_EQ(Plan(tdffpgrel, tvffpgrel, rel), 2u);
    rel = {92, 99, s.k2, s.a3, 0, 0, 0x40};  // its parent does not exist
    ASSERT_EQ(Plan(tdffpgrel, tvffpgrel, rel), 3u);

    FfppRec pp{0, 1, 202432, 202452, 1, 0, 0, 0x60};
    ASSERT_EQ(Plan(tdffpp, tvffpp, pp), 1u);
    pp = {0, 1, 202440, 202445, 0, 0, 'H', 0x40};  // 'H' without an id: nothing to delete
    ASSERT_EQ(Plan(tdffpp, tvffpp, pp), 2u);

    FfgrundRec gr{};
    gr.ffpg_id = 1, gr.Aktivitet = s.k1, gr.Skolefag = s.dansk, gr.Medarbejder1 = s.a1, gr.Udfoldet = 1;
    gr.ObjType = 2, gr.Budget = 40, gr.LektionsBlok = 2, gr.Timer = 12.5f, gr.Lektioner = -3, gr.SumLektioner = 30;
    gr.Minutnorm1 = 45, gr.Status = 0x40;
    ASSERT_EQ(Plan(tdffgrund, tvffgrund, gr), 1u);
    gr.Id = 55, gr.ffpg_id = 2, gr.Fejl = 'H', gr.Status = 0x60;
    ASSERT_EQ(Plan(tdffgrund, tvffgrund, gr), 2u);

    FfpertabRec pt{};
    pt.ffgrund_id = 1, pt.ffpp_id = 1, pt.Timer = 1.25f, pt.Lektioner = 4, pt.Opgave_antal = 2;
    pt.Minutter_per_opgave = 30, pt.Elevtid_per_elev = 0.5f, pt.Rettearbejd = 1, pt.Eksametid = 0.333f;
    pt.PlanStatus = 3, pt.Status = 0x40;
    ASSERT_EQ(Plan(tdffpertab, tvffpertab, pt), 1u);
    pt.Id = 66, pt.Status = 0x44;  // refused
    ASSERT_EQ(Plan(tdffpertab, tvffpertab, pt), 2u);

    FftaltabRec tt{};
    tt.ffgrund_id = 1, tt.PlanStatus = 1, tt.Uge = 202436, tt.Timer = 2.5f, tt.Lektioner = 3, tt.ElevAntal = 20;
    tt.Opgave_antal = 1, tt.Minutter_per_opgave = 15, tt.Elevtid_per_elev = 0.25f, tt.EksStatus = 1;
    tt.ElevtidStatus = 2, tt.Status = 0x40;
    ASSERT_EQ(Plan(tdfftaltab, tvfftaltab, tt), 1u);
    tt.Id = 77, tt.Status = 0x48;  // deleted here
    ASSERT_EQ(Plan(tdfftaltab, tvfftaltab, tt), 2u);
  }

  static constexpr const char *kSletninger =
      "@fftaltab-\n77;2\n@ffpertab-\n66;2\n@ffgrund-\n55;2\n";
  static constexpr const char *kRetslet = "@retslet\nM2002\nH1003\nL3002\n";
};

TEST_F(EksportFilPlan, OutOfPlanModeSendsWhatWaits) {
  PlanSkole();
  AabnPlanVindue();
  ASSERT_TRUE(EksportSkriv());
  EXPECT_EQ(Gemt1027(), 1);
  EXPECT_EQ(Eksport(), std::string("K;J;7;10413;20240801;20250731;0;0;0;0;0;0\n") + kRetslet + kSletninger +
                           "@ffpg+\n0;Plan 1;20240801;20250731;1;1\n"
                           "@ffpgrel+\n0;-1;1001;2001;1\n"
                           "@ffpp+\n0;-1;202432;202452;1;1\n0;-1;202440;202445;0;2\n"
                           "@ffgrund+\n0;-1;1001;201;2001;0;0;0;1;2;40;2;12.50;-3;30;45.00;0.00;1\n"
                           "@ffpertab+\n0;-1;-1;1.25;4;2.00;30.00;0.50;1.00;0.00;0.33;3;1\n"
                           "@fftaltab+\n0;-1;1;202436;2.50;3;20;1.00;15.00;0.25;0.00;0.00;0.00;0;1;2;1\n");
  // Written: 0x50; deletions: 0x78 with the change mark cleared; the rest
  // as they were.
  struct Post {
    const TabDesc *pTd;
    TabVar *pTv;
    uint32_t nr;
    uint8_t status, fejl;
  };
  const Post poster[] = {
      {&tdffpg, &tvffpg, 1, 0x50, 0},         {&tdffpg, &tvffpg, 2, 0x50, 0},
      {&tdffpg, &tvffpg, 3, 0x40, 0},         {&tdffpgrel, &tvffpgrel, 1, 0x50, 0},
      {&tdffpgrel, &tvffpgrel, 2, 0x02, 0},   {&tdffpgrel, &tvffpgrel, 3, 0x40, 0},
      {&tdffpp, &tvffpp, 1, 0x50, 0},         {&tdffpp, &tvffpp, 2, 0x50, 0},
      {&tdffgrund, &tvffgrund, 1, 0x50, 0},   {&tdffgrund, &tvffgrund, 2, 0x78, 0},
      {&tdffpertab, &tvffpertab, 1, 0x50, 0}, {&tdffpertab, &tvffpertab, 2, 0x78, 0},
      {&tdfftaltab, &tvfftaltab, 1, 0x50, 0}, {&tdfftaltab, &tvfftaltab, 2, 0x78, 0},
  };
  for (const Post &p : poster) {
    const uint8_t *rec = GetRec(p.pTd, p.pTv, p.nr);
    EXPECT_EQ(RecStatus(p.pTd, rec), p.status) << p.pTd->Navn << " " << p.nr;
    EXPECT_EQ(rec[p.pTd->FeltTab[p.pTd->StatusFelt].Offset - 1], p.fejl) << p.pTd->Navn << " " << p.nr;
  }
}

TEST_F(EksportFilPlan, PlanModeSendsEveryConsideredRecordAgain) {
  PlanSkole();
  SaetFlag("planexport", "1");
  Faelles f;
  f.id = 5, f.status = 0x60;  // a confirmed event: the header's result is false
  Begivenhed(202440, f, {{s.k1}});
  ASSERT_TRUE(EksportSkriv());
  EXPECT_EQ(Eksport(), std::string("K;J;7;10413;20240801;20250731;1;0;0;0;0;0\n") + kRetslet + kSletninger +
                           "@ffpg\n\n@ffpg+\n0;Plan 1;20240801;20250731;1;1\n88;Plan 2;20240801;20250731;0;2\n"
                           "@ffpgrel\n\n@ffpgrel+\n0;-1;1001;2001;1\n91;88;1002;2003;2\n"
                           "@ffpp\n\n@ffpp+\n0;-1;202432;202452;1;1\n0;-1;202440;202445;0;2\n"
                           "@ffgrund\n\n@ffgrund+\n0;-1;1001;201;2001;0;0;0;1;2;40;2;12.50;-3;30;45.00;0.00;1\n"
                           "@ffpertab\n\n@ffpertab+\n0;-1;-1;1.25;4;2.00;30.00;0.50;1.00;0.00;0.33;3;1\n"
                           "@fftaltab\n\n@fftaltab+\n"
                           "0;-1;1;202436;2.50;3;20;1.00;15.00;0.25;0.00;0.00;0.00;0;1;2;1\n");
  EXPECT_EQ(Rec<FfpgrelRec>(tdffpgrel, tvffpgrel, 2).Status, 0x50);
}

// Whether the planning step runs, in which mode, and the planning window's
// 1027 before it reads the tables.
TEST_F(EksportFilPlan, ModeFollowsTheSettingTheHeaderAndWhatWaits) {
  struct Tilfaelde {
    const char *navn;
    bool venter, planexport, bekraeftet;
    int beskeder;    // 1027 received
    bool planMode;   // "@ffpg" and an empty line
    bool sektioner;  // any planning section
  };
  const Tilfaelde tilfaelde[] = {
      {"nothing waits, setting off", false, false, false, 0, false, false},
      {"changes wait, setting off", true, false, false, 1, false, true},
      {"changes wait, setting on, no confirmed rows", true, true, false, 1, false, true},
      {"nothing waits, setting on, confirmed rows", false, true, true, 1, true, true},
      {"nothing waits, setting on, no confirmed rows", false, true, false, 0, false, false},
  };
  for (const Tilfaelde &c : tilfaelde) {
    SCOPED_TRACE(c.navn);
    TearDown();
    SetUp();
    Stamdata();
    FfpgRec g{};
    g.id = 1, g.Ejer = kIns, g.Status = c.venter ? 0x40 : 0x50;
    Ny(tdffpg, tvffpg, g);
    if (c.planexport) SaetFlag("planexport", "1");
    Faelles f;
    f.id = 5, f.status = c.bekraeftet ? 0x60 : 0x50;
    Begivenhed(202440, f, {{s.k1}});
    AabnPlanVindue();
    ASSERT_TRUE(EksportSkriv());
    const std::string fil = Eksport();
    EXPECT_EQ(Gemt1027(), c.beskeder);
    EXPECT_EQ(fil.find("@ffpg\n\n") != std::string::npos, c.planMode);
    EXPECT_EQ(fil.find("@ffpg") != std::string::npos, c.sektioner);
  }
}

// ---- Write failures ----

// Every file call of the export made to fail in turn: each time the export
// says so, and leaves no export file, no temporary file, no list and not one
// changed byte or block flag. Once no call fails it writes the whole file.
TEST_F(EksportFil, FailureAtAnyFileCallLeavesNothingBehind) {
  HeleSkolen();
  RydFlag();
  const Billede foer = Billede::Nu();
  unsigned n = 1;
  for (;; ++n) {
    SCOPED_TRACE("call " + std::to_string(n));
    tavo::test::StartFileFaults(n, ERROR_DISK_FULL);
    const bool ok = EksportSkriv();
    const bool fejlede = tavo::test::FileFaultHappened();
    tavo::test::StopFileFaults();
    // A failure after the save was decided leaves the whole export, as the
    // next start finishes it.
    if (!fejlede || ok) {
      EXPECT_TRUE(ok);
      ASSERT_TRUE(GendanAfbrudtGemning());
      break;
    }
    for (const char *navn : {"exp.dat", "exp.dat.tmp", "exp.mrk", "exp.mrk.tmp"}) EXPECT_FALSE(Findes(navn)) << navn;
    const std::vector<std::string> forskel = Forskelle(foer, Billede::Nu());
    EXPECT_TRUE(forskel.empty()) << forskel.front();
    EXPECT_EQ(Indstilling("global", "hentstam"), "ja");
    if (HasFailure()) break;
  }
  // The open, the 46 lines, the close's checks, the list and both moves.
  EXPECT_GT(n, 50u);
  EXPECT_EQ(Eksport(), Fixture("eksport_skole.dat"));
}

}  // namespace
}  // namespace eksporttest
