// Student lessons per employee from the common students and the timetable,
// the subject distribution table and the assignment of the best teacher,
// over a small hand-made group.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "../data/pred_tabeller.h"
#include "../data/store_fixture.h"
#include "FF_GRUPPE.h"
#include "FF_PlanFyld.h"
#include "FF_PlanUtil.h"
#include "FF_VALG.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "PLAN.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "TABOPER.h"
#include "tavo/test_dialog.h"

namespace {

using predtest::Ny;
using predtest::Rec;
using predtest::Tekst;

constexpr uint8_t kEgen = 7;
constexpr Dato kGruppeFra = 20241104;  // week 45: the weeks before hold the timetable

class PlanFag : public storetest::DataMappe {
 protected:
  uint8_t gemtInsnr = 0;
  Plan plan{};
  uint32_t gruppe = 0;
  uint32_t styrZ[2] = {0, 0};
  uint32_t akti[8] = {}, anfo[16] = {};
  uint32_t P = 0, Q = 0, B1 = 0, B2 = 0, B3 = 0;
  uint32_t hP = 0, p4 = 0, p5 = 0, hQ = 0, q4 = 0;

  void SetUp() override {
    storetest::DataMappe::SetUp();
    gemtInsnr = GlobalIndstillinger.insnr;
    StandardIndstillinger();
    GlobalIndstillinger.insnr = kEgen;
    predtest::TommeTabeller();
    TomSkemabeg();
    for (int i = 1; i < 8; ++i) {
      AktiRec a{};
      a.Status = 10;
      a.Fradato = 20240801;
      a.Tildato = 20250731;
      a.Aflyst = 'N';
      Tekst(a.Type, "HOLD");
      akti[i] = Ny(tdakti, tvakti, a);
    }
    for (int i = 1; i < 16; ++i) {
      AnfoRec f{};
      f.Status = 10;
      f.Fradato = 20240801;
      f.Tildato = 20250731;
      anfo[i] = Ny(tdanfo, tvanfo, f);
    }
    P = akti[1], Q = akti[5], B1 = akti[2], B2 = akti[3], B3 = akti[4];
    FfpgRec g{};
    g.Fradato = kGruppeFra;
    g.Tildato = 20250630;
    g.Ejer = kEgen;
    g.Status = 64;
    gruppe = Ny(tdffpg, tvffpg, g);
    AllokerPlanTabeller(&plan);
    plan.AktPlanGruppe = gruppe;
    plan.Fradato = g.Fradato;
    plan.Tildato = g.Tildato;
    plan.Visning = 'A';
    styrZ[1] = gruppe;
    plan.StyrZ.ObjTab = styrZ;
    plan.StyrZ.Pos.Antal = 1;
    LavPeriodeTab(&plan, gruppe);
    hP = Raekke(PLAN_AKTI, P, 0, 0);
    p4 = Raekke(PLAN_FAG, P, 4, 0);
    p5 = Raekke(PLAN_FAG, P, 5, 0);
    hQ = Raekke(PLAN_AKTI, Q, 0, 0);
    q4 = Raekke(PLAN_FAG, Q, 4, 0);
    // Common students: P with B1 5, B2 with P 10 (the other order), P with
    // B3 none.
    Faelles(P, B1, 5);
    Faelles(B2, P, 10);
    Faelles(P, B3, 0);
    // The timetable before the group: B1 subject 4 by anfo1 three times,
    // then B2 subject 4 by anfo1 once and anfo2 twice, B3 subject 4 by anfo3
    // four times, B1 subject 5 by anfo2 once; a subject the group does not
    // plan, and a lesson after the group's start, count for nothing.
    for (int i = 0; i < 3; ++i) Time(2, B1, 4, anfo[1]);
    Time(3, B2, 4, anfo[1]);
    Time(4, B2, 4, anfo[2]);
    Time(4, B2, 4, anfo[2]);
    for (int i = 0; i < 4; ++i) Time(5, B3, 4, anfo[3]);
    Time(6, B1, 5, anfo[2]);
    Time(6, B1, 6, anfo[4]);
    Time(UgeIdx(20241111), B1, 4, anfo[5]);
    Time(6, B1, 4, anfo[6], 0x48);  // deleted
  }
  void TearDown() override {
    free(plan.Brutto.Poster);
    TomPlan(&plan);
    TomPlanTabeller(&plan);
    free(plan.PeriodeTab);
    free(plan.PeriodeSort);
    TomSkemabeg();
    tavo::test::StopDialogScript();
    GlobalIndstillinger.insnr = gemtInsnr;
    StandardIndstillinger();
    storetest::DataMappe::TearDown();
  }
  static uint32_t UgeIdx(Dato d) { return PlanUgeIndeks(d); }
  uint32_t Raekke(uint32_t art, uint32_t a, uint32_t skfa, uint32_t m1, uint32_t m2 = 0) {
    FfgrundRec r{};
    r.ffpg_id = gruppe;
    r.ObjType = art;
    r.Aktivitet = a;
    r.Skolefag = skfa;
    r.Medarbejder1 = m1;
    r.Medarbejder2 = m2;
    r.Minutnorm1 = r.Minutnorm2 = -1.0f;
    r.Ejer = kEgen;
    return NyPlanRaekke(&plan, &r, 0, false);
  }
  void Faelles(uint32_t a1, uint32_t a2, uint32_t elever) {
    FagelvRec f{};
    f.akti1_id = a1;
    f.akti2_id = a2;
    f.Status = 10;
    f.Faelles_Fag = 1;
    f.Faelles_Elever = elever;
    Ny(tdfagelv, tvfagelv, f);
  }
  void Time(uint32_t ugeIdx, uint32_t a, uint32_t skfa, uint32_t m, uint32_t status = 0x40) {
    TabVar *b = SkemabegBucket(IndeksTilUge(ugeIdx));
    ASSERT_NE(b, nullptr);
    b->FoersteLedige = b->wRecCnt;
    const uint32_t n = NewRec(&tdske, b);
    ASSERT_NE(n, 0u);
    SkeRec *s = reinterpret_cast<SkeRec *>(GetRec(&tdske, b, n));
    s->id = 9000 + n;
    s->Status = status;
    s->akti_id = a;
    s->anfo_id = m;
    s->skfa_id = skfa;
    s->Dag = 2;
    s->Starttid = 800;
    s->Sluttid = 845;
    s->Forste = n;
  }
  std::vector<std::pair<uint32_t, uint32_t>> Liste(const BruttoTabel &t, uint32_t r) {
    std::vector<std::pair<uint32_t, uint32_t>> v;
    for (uint32_t i = 0; i < t.Poster[r].Antal; ++i) {
      EXPECT_EQ(t.Poster[r].Vaerdi[i], t.Poster[r].Vaerdi2[i]);
      v.push_back({t.Poster[r].Anfo[i], t.Poster[r].Vaerdi[i]});
    }
    return v;
  }
  void Cursor(uint32_t raekke) {
    free(plan.Ens.ObjTab);
    plan.Ens.ObjTab = static_cast<uint32_t *>(calloc(plan.GrundTabAntal + 1, sizeof(uint32_t)));
    for (uint32_t r = 1; r <= plan.GrundTabAntal; ++r) plan.Ens.ObjTab[r] = r;
    plan.Ens.ObjTabAntal = plan.GrundTabAntal;
    plan.StyrY.Pos.Aktuel = raekke;
  }
};

using Par = std::vector<std::pair<uint32_t, uint32_t>>;

// ---- Student lessons ----

class PlanFagfordelingElevLektioner : public PlanFag {};

TEST_F(PlanFagfordelingElevLektioner, FaellesEleverGangeLektioner) {
  BruttoTabel t{};
  BeregnElevLektioner(&plan, gruppe, &t);
  ASSERT_EQ(t.Antal, plan.GrundTabAntal + 1);
  // (P, 4): B1 gives anfo1 5 x 3; B2 gives anfo1 10 x 1 more and anfo2
  // 10 x 2; B3 shares no students.
  EXPECT_EQ(Liste(t, p4), (Par{{anfo[1], 25}, {anfo[2], 20}}));
  EXPECT_EQ(Liste(t, p5), (Par{{anfo[2], 5}}));
  EXPECT_EQ(Liste(t, q4), Par{});  // no common students with the timetable
  EXPECT_EQ(Liste(t, hP), Par{});
  free(t.Poster);
}

TEST_F(PlanFagfordelingElevLektioner, EnEllevteAnsaettelseListesIkke) {
  // Ten more teachers of B1 subject 4, each with more lessons than the one
  // before. B1's employments come first, in order of appearance; the
  // eleventh (anfo13) and B2's anfo2 find the list full.
  for (int k = 4; k <= 13; ++k)
    for (int i = 0; i < k; ++i) Time(7, B1, 4, anfo[k]);
  BruttoTabel t{};
  BeregnElevLektioner(&plan, gruppe, &t);
  const Par l = Liste(t, p4);
  ASSERT_EQ(l.size(), 10u);
  EXPECT_EQ(l[0], (std::pair<uint32_t, uint32_t>{anfo[1], 25}));
  for (int k = 4; k <= 12; ++k) EXPECT_EQ(l[k - 3], (std::pair<uint32_t, uint32_t>{anfo[k], 5u * k})) << k;
  for (const auto &[a, v] : l) EXPECT_TRUE(a != anfo[13] && a != anfo[2]) << a;
  // A second call starts from fresh tables.
  BeregnElevLektioner(&plan, gruppe, &t);
  EXPECT_EQ(Liste(t, p4).size(), 10u);
  EXPECT_EQ(Liste(t, p5), (Par{{anfo[2], 5}}));
  free(t.Poster);
}

// ---- The subject distribution table ----

class PlanFagfordelingTabel : public PlanFag {};

TEST_F(PlanFagfordelingTabel, EnPostPrFagraekkeMedFoersteAnsaettelse) {
  plan.GrundTab[p4].Medarbejder1 = anfo[2];
  plan.GrundTab[p5].Medarbejder1 = anfo[7];  // not listed; the second is
  plan.GrundTab[p5].Medarbejder2 = anfo[2];
  plan.GrundTab[q4].Medarbejder1 = anfo[3];  // not listed at all
  // An old record that the rebuild empties away.
  FffagfordlRec gammel{};
  gammel.anfo_id = 99;
  gammel.Status = 64;
  Ny(tdfffagfordl, tvfffagfordl, gammel);
  struct Forventet {
    uint32_t akti, skfa, anfo, lektioner;
  };
  const Forventet tabel[] = {{P, 4, anfo[2], 20}, {P, 5, anfo[2], 5}, {Q, 4, anfo[3], 0}};
  std::vector<uint8_t> foerste;
  for (int gang = 0; gang < 2; ++gang) {
    SCOPED_TRACE(gang);
    ByggFagfordl(&plan);
    ASSERT_EQ(tvfffagfordl.wRecCnt, 4u);
    for (uint32_t n = 1; n < 4; ++n) {
      const FffagfordlRec *f = Rec<FffagfordlRec>(tvfffagfordl, n);
      const Forventet &e = tabel[n - 1];
      EXPECT_EQ(f->ffpg_id, gruppe);
      EXPECT_EQ(f->Fradato, kGruppeFra);
      EXPECT_EQ(f->Tildato, 20250630u);
      EXPECT_EQ(f->akti_id, e.akti);
      EXPECT_EQ(f->skfa_id, e.skfa);
      EXPECT_EQ(f->anfo_id, e.anfo);
      EXPECT_EQ(f->Elevlektioner, e.lektioner);
      EXPECT_EQ(+f->Ejer, kEgen);
      EXPECT_EQ(+f->Status, 64);
    }
    const uint8_t *b = GetRec(&tdfffagfordl, &tvfffagfordl, 1);
    std::vector<uint8_t> nu(b, b + 3 * sizeof(FffagfordlRec));
    if (gang == 0) foerste = nu;
    else EXPECT_EQ(nu, foerste);
  }
}

// ---- Assigning the best teacher ----

class PlanFagfordelingVip : public PlanFag {};

TEST_F(PlanFagfordelingVip, UdvalgeneOgVinderen) {
  struct Tilfaelde {
    const char *navn;
    uint32_t valg[3];
    uint32_t p4, p5;  // the first employees afterwards (index into anfo, 0 none)
  };
  const Tilfaelde tabel[] = {{"intet", {1, 0, 0}, 0, 0},
                             {"aktivitet og fag", {0, 0, 0}, 1, 0},
                             {"aktiviteten", {0, 1, 0}, 1, 2},
                             {"alle", {0, 0, 1}, 1, 2}};
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    for (uint32_t r : {p4, p5, q4}) plan.GrundTab[r].Medarbejder1 = plan.GrundTab[r].Medarbejder2 = 0;
    Cursor(p4);
    EXPECT_EQ(Vip(&plan, t.valg), t.p4 != 0 || t.p5 != 0);
    EXPECT_EQ(plan.GrundTab[p4].Medarbejder1, t.p4 ? anfo[t.p4] : 0u);
    EXPECT_EQ(plan.GrundTab[p5].Medarbejder1, t.p5 ? anfo[t.p5] : 0u);
    EXPECT_EQ(plan.GrundTab[q4].Medarbejder1, 0u);  // an empty list
    if (t.p4) {
      // A member now, with its employee heading made once.
      EXPECT_NE(FindPgRel(gruppe, anfo[1], 'M'), 0u);
      uint32_t medaRaekker = 0;
      for (uint32_t r = 1; r <= plan.GrundTabAntal; ++r)
        medaRaekker += plan.ObjTypeTab[r] == PLAN_MEDA && plan.GrundTab[r].Medarbejder1 == anfo[1];
      EXPECT_EQ(medaRaekker, 1u);
      EXPECT_NE(plan.GrundTab[p4].GrundRec, 0u);  // written
    }
  }
}

TEST_F(PlanFagfordelingVip, KunBrugbareOgPlanerUdenforPerioden) {
  const uint32_t valg[3] = {0, 0, 0};
  Cursor(p4);
  // The best is archived: the next usable wins.
  Rec<AnfoRec>(tvanfo, anfo[1])->Gruppe = 0x80000000u;
  EXPECT_TRUE(Vip(&plan, valg));
  EXPECT_EQ(plan.GrundTab[p4].Medarbejder1, anfo[2]);
  // The best again, but the row has lessons planned after its employment
  // ends: the row is left and one message says so.
  Rec<AnfoRec>(tvanfo, anfo[1])->Gruppe = 0;
  Rec<AnfoRec>(tvanfo, anfo[1])->Tildato = 20250131;
  plan.GrundTab[p4].Medarbejder1 = 0;
  plan.GrundTab[p4].TalTab[UgeIdx(20250303)].Lektioner = 20;
  tavo::test::StartDialogScript();
  EXPECT_FALSE(Vip(&plan, valg));
  EXPECT_EQ(plan.GrundTab[p4].Medarbejder1, 0u);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Planer udenfor periode!");
  EXPECT_EQ(bokse[0].text, "Der er lagt plan lektioner/timer udenfor medarbejderens periode!\nDe medarbejdere blev ikke vippet!");
}

TEST_F(PlanFagfordelingVip, ForslagetTilDenAktuelleRaekke) {
  Cursor(p4);
  EXPECT_EQ(PlanForeslaaMedarbejderIPlan(&plan), anfo[1]);
  Cursor(p5);
  EXPECT_EQ(PlanForeslaaMedarbejderIPlan(&plan), anfo[2]);
  Cursor(q4);
  EXPECT_EQ(PlanForeslaaMedarbejderIPlan(&plan), 0u);
}

}  // namespace

namespace {

// The pick list of employments in the plan by activity: those who taught
// the current row's students most come first.
class PlanListeElevLektioner : public PlanFag {};

TEST_F(PlanListeElevLektioner, FlestElevLektionerFoerstDeUdenSidst) {
  Cursor(p4);
  ValgListe l{};
  FyldPlanAnfoListe(&plan, &l, 1);
  ASSERT_EQ(l.Antal, 15u);
  // anfo1 taught the students of (P, 4) 25 lessons, anfo2 20.
  EXPECT_EQ(l.ObjTab[1], anfo[1]);
  EXPECT_EQ(l.ObjTab[2], anfo[2]);
  std::vector<uint32_t> resten(l.ObjTab + 3, l.ObjTab + 16), ventet(anfo + 3, anfo + 16);
  std::sort(resten.begin(), resten.end());
  EXPECT_EQ(resten, ventet);
  // The gross table was built for the list.
  EXPECT_EQ(PlanBruttoVaerdiIPlan(&plan, anfo[1]), 25u);

  // Only the group's own employees: anfo7 taught none of them.
  AddPgRel(gruppe, anfo[7], 'M');
  AddPgRel(gruppe, anfo[2], 'M');
  FyldPlanAnfoListe(&plan, &l, 0);
  ASSERT_EQ(l.Antal, 2u);
  EXPECT_EQ(l.ObjTab[1], anfo[2]);
  EXPECT_EQ(l.ObjTab[2], anfo[7]);
  free(l.ObjTab);
}

}  // namespace
