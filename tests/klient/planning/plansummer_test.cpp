// Row totals, heading rows, scheduled and posted numbers and the staff
// figures of the plan, over small hand-made plans.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "../data/pred_tabeller.h"
#include "../data/store_fixture.h"
#include "FF_GRUPPE.h"
#include "FF_PlanFyld.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "MEDPER.h"
#include "MINNORM.h"
#include "PLANIDX.h"
#include "PLAN.h"
#include "PlanOpfTal.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "TALTAB.h"

namespace {

using predtest::Ny;
using predtest::Rec;
using predtest::Tekst;

constexpr uint8_t kEgen = 7;
constexpr uint8_t kAnden = 9;

template <class R>
R *Tilfoej(const TabDesc &td, TabVar *b, uint32_t *pNr = nullptr) {
  b->FoersteLedige = b->wRecCnt;
  const uint32_t n = NewRec(&td, b);
  if (pNr) *pNr = n;
  return n ? reinterpret_cast<R *>(GetRec(&td, b, n)) : nullptr;
}

class PlanSum : public storetest::DataMappe {
 protected:
  uint8_t gemtInsnr = 0;
  Plan plan{};
  uint32_t gruppe = 0;
  uint32_t styrZ[2] = {0, 0};
  uint32_t akti[8] = {}, anfo[8] = {};

  void SetUp() override {
    storetest::DataMappe::SetUp();
    gemtInsnr = GlobalIndstillinger.insnr;
    StandardIndstillinger();
    GlobalIndstillinger.insnr = kEgen;
    predtest::TommeTabeller();
    TomSkemabeg();
    TomTimoak();
    for (int i = 1; i < 8; ++i) {
      MedaRec m{};
      Tekst(m.Initialer, i == 5 ? "*VIK" : "ABC");
      m.Status = 10;
      const uint32_t meda = Ny(tdmeda, tvmeda, m);
      AktiRec a{};
      a.Status = 10;
      a.Fradato = 20240801;
      a.Tildato = 20250731;
      a.Aflyst = 'N';
      Tekst(a.Type, "HOLD");
      akti[i] = Ny(tdakti, tvakti, a);
      AnfoRec f{};
      f.Status = 10;
      f.meda_id = meda;
      f.Fradato = 20240801;
      f.Tildato = 20250731;
      anfo[i] = Ny(tdanfo, tvanfo, f);
    }
    FfpgRec g{};
    g.Fradato = 20240801;
    g.Tildato = 20250731;
    g.Ejer = kEgen;
    g.Status = 64;
    gruppe = Ny(tdffpg, tvffpg, g);
    Periode(202431, 202452);
    Periode(202501, 202531);
    AllokerPlanTabeller(&plan);
    plan.AktPlanGruppe = gruppe;
    plan.Fradato = g.Fradato;
    plan.Tildato = g.Tildato;
    plan.Visning = 'A';
    styrZ[1] = gruppe;
    plan.StyrZ.ObjTab = styrZ;
    plan.StyrZ.Pos.Antal = 1;
    LavPeriodeTab(&plan, gruppe);
  }
  void TearDown() override {
    TomPlan(&plan);
    TomPlanTabeller(&plan);
    free(plan.PeriodeTab);
    free(plan.PeriodeSort);
    TomSkemabeg();
    TomTimoak();
    GlobalIndstillinger.insnr = gemtInsnr;
    StandardIndstillinger();
    storetest::DataMappe::TearDown();
  }
  void Periode(Uge fra, Uge til) {
    FfppRec p{};
    p.ffpg_id = gruppe;
    p.Frauge = fra;
    p.Tiluge = til;
    p.Ejer = kEgen;
    p.Status = 64;
    Ny(tdffpp, tvffpp, p);
  }
  uint32_t Raekke(uint32_t art, uint32_t a, uint32_t skfa, uint32_t m1, uint32_t m2 = 0, uint8_t ejer = kEgen) {
    FfgrundRec r{};
    r.ffpg_id = gruppe;
    r.ObjType = art;
    r.Aktivitet = a;
    r.Skolefag = skfa;
    r.Medarbejder1 = m1;
    r.Medarbejder2 = m2;
    r.Minutnorm1 = r.Minutnorm2 = -1.0f;
    r.Ejer = ejer;
    return NyPlanRaekke(&plan, &r, 0, false);
  }
  TalPost &T(uint32_t r, uint32_t u) { return plan.GrundTab[r].TalTab[u]; }
  void SaetUge(uint32_t r, uint32_t u, int32_t lek, float t1, float timer = 0, float ret = 0, float eks = 0,
           float elev = 0, float t2 = 0) {
    TalPost &t = T(r, u);
    t.Lektioner = lek;
    t.Timer1 = t1;
    t.Timer2 = t2;
    t.Timer = timer;
    t.Rettearbejd = ret;
    t.Eksametid = eks;
    t.Elevtid = elev;
    t.PlanStatus = PS_UGE;
  }
};

// ---- Row totals ----

class PlanSummerRaekker : public PlanSum {};

TEST_F(PlanSummerRaekker, SummerMaksimaOgPerioder) {
  // Week 3 lies in the first period, week 30 in the second.
  const uint32_t u1 = 3, u2 = 30;
  ASSERT_LE(UgeTilIndeks(plan.PeriodeTab[1].Tiluge), 25u);
  ASSERT_GE(UgeTilIndeks(plan.PeriodeTab[2].Frauge), 23u);
  struct Tilfaelde {
    uint32_t art;
    bool allePerioder;  // all five period figures
    bool lekTimer;      // only lessons and hours
  };
  const Tilfaelde tabel[] = {{PLAN_AKTI, true, false},       {PLAN_MEDA, true, false},
                             {PLAN_FREMMED_AKTI, true, false}, {PLAN_OPG_AKTI, false, true},
                             {PLAN_SKEMA, false, true},        {PLAN_FAG, false, false}};
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.art);
    const uint32_t r = Raekke(t.art, akti[1], 0, 0);
    SaetUge(r, u1, 30, 2.0f, 0.5f, 1.0f, 0.25f, 0.125f);
    SaetUge(r, u2, 50, 3.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    T(r, u2).PostTimer = 4.0f;
    T(r, u2).PostTimerFremmed = 1.0f;
    PerPost indtastet{};
    indtastet.Lektioner = 77;
    indtastet.Rettearbejd = 9.0f;
    plan.GrundTab[r].PerTab[1] = indtastet;
    BeregnRaekke(&plan, r);
    const GrundRaekke &g = plan.GrundTab[r];
    EXPECT_EQ(g.SumLektioner, 80u);
    const float ekstra = t.art == PLAN_MEDA ? 1.0f + 1.25f + 0.125f : 0.0f;  // marking, exam, student time
    EXPECT_FLOAT_EQ(g.SumTimer1, 2.5f + 3.0f + ekstra);
    EXPECT_FLOAT_EQ(g.SumTimer2, 5.0f);
    EXPECT_FLOAT_EQ(g.SumRettearbejd, 1.0f);
    EXPECT_FLOAT_EQ(g.SumEksametid, 1.25f);
    EXPECT_FLOAT_EQ(g.SumElevtid, 0.125f);
    if (t.art != PLAN_FAG) {
      EXPECT_EQ(g.MaxLektioner, 50u);
      EXPECT_FLOAT_EQ(g.MaxTimer, 3.0f);
    }
    const PerPost &p1 = g.PerTab[1];
    if (t.allePerioder || t.lekTimer) {
      EXPECT_EQ(p1.Lektioner, 30);
      EXPECT_FLOAT_EQ(p1.Timer, 2.0f + 0.5f + 1.0f + 0.25f + 0.125f);
      EXPECT_EQ(g.PerTab[2].Lektioner, 50);
      EXPECT_FLOAT_EQ(g.PerTab[2].Timer, 4.0f);
    } else {
      EXPECT_EQ(p1.Lektioner, 77);  // entered period numbers are kept
    }
    if (t.allePerioder) {
      EXPECT_FLOAT_EQ(p1.Rettearbejd, 1.0f);
      EXPECT_FLOAT_EQ(p1.Eksametid, 0.25f);
      EXPECT_FLOAT_EQ(p1.Elevtid, 0.125f);
    } else {
      EXPECT_FLOAT_EQ(p1.Rettearbejd, 9.0f);
    }
    // No first employment: no accounting-period sums.
    EXPECT_EQ(g.OpgSumTimer, 0.0f);
    EXPECT_EQ(g.OpgPostTimer, 0.0f);
  }
}

TEST_F(PlanSummerRaekker, OpgoerelsesperiodenOgSkemaRaekken) {
  const uint32_t r = Raekke(PLAN_MEDA, 0, 0, anfo[1]);
  const Dato ref = SkemaPeriode.AktuelDato;
  const uint32_t fra = PlanUgeIndeks(GetOpgPerFra(ref, anfo[1])), til = PlanUgeIndeks(GetOpgPerTil(ref, anfo[1]));
  ASSERT_LT(fra, til);
  SaetUge(r, fra + 1, 10, 1.0f, 0.5f, 2.0f, 4.0f, 8.0f);
  T(r, fra + 1).PostTimerIalt = 3.0f;
  BeregnRaekke(&plan, r);
  EXPECT_FLOAT_EQ(plan.GrundTab[r].OpgSumTimer, 1.5f + 2.0f + 4.0f + 8.0f);
  EXPECT_FLOAT_EQ(plan.GrundTab[r].OpgPostTimer, 3.0f);
  // The scheduled-lessons row adds its schedule figures only while shown.
  const uint32_t s = Raekke(PLAN_SKEMA, 0, 0, anfo[1]);
  T(s, 5).SkemaLektioner = 40;
  T(s, 5).SkemaTimer = 3.0f;
  plan.VisSkeLekt = 0;
  BeregnRaekke(&plan, s);
  EXPECT_EQ(plan.GrundTab[s].SumLektioner, 0u);
  EXPECT_EQ(plan.GrundTab[s].SumTimer2, 0.0f);
  plan.VisSkeLekt = 1;
  BeregnRaekke(&plan, s);
  EXPECT_EQ(plan.GrundTab[s].SumLektioner, 40u);
  EXPECT_FLOAT_EQ(plan.GrundTab[s].SumTimer2, 3.0f);
}

// ---- Headings ----

class PlanSummerOverskrifter : public PlanSum {};

TEST_F(PlanSummerOverskrifter, OverskriftErSummenEfterEnRettelseIHverVisning) {
  for (char visning : {'A', 'M', 'O'}) {
    SCOPED_TRACE(visning);
    TomPlan(&plan);
    for (uint32_t i = 0; i <= plan.PlanAnfoAntal; ++i)
      memset(plan.PlanAnfoTab[i].SumTalTab, 0, sizeof(TalPost) * (plan.UgeAntal + 2));
    plan.Visning = static_cast<uint8_t>(visning);
    Raekke(PLAN_AKTI, akti[3], 0, 0);
    Raekke(PLAN_OPG_AKTI, akti[6], 0, 0);
    Raekke(PLAN_MEDA, 0, 0, anfo[2]);
    Raekke(PLAN_MEDA, 0, 0, anfo[4]);
    const uint32_t a = Raekke(PLAN_FAG, akti[3], 4, anfo[2], anfo[4]);
    const uint32_t b = Raekke(PLAN_FAG, akti[3], 5, anfo[4]);
    const uint32_t c = Raekke(PLAN_OPG_TIMER, akti[6], 0, anfo[2]);
    for (uint32_t u = 2; u < 12; ++u) {
      SaetUge(a, u, 30, 2.0f, 0, 0.5f, 0, 0, 1.5f);
      SaetUge(b, u, 20, 1.0f, 0.25f);
      SaetUge(c, u, 0, 0, 3.0f, 0, 1.0f);
    }
    BygOverskriftSummer(&plan);
    // An edit as the window makes it: out of the heading, changed, back in.
    const uint32_t h = FindOverskrift(&plan, a);
    ASSERT_NE(h, 0u);
    FlytTal(&plan, h, a, -1);
    AddPlanRaekkeTilSum(&plan, a, -1, 3);
    SaetUge(a, 7, 50, 4.0f, 1.0f, 0, 2.0f, 0, 2.5f);
    FlytTal(&plan, h, a, +1);
    AddPlanRaekkeTilSum(&plan, a, +1, 3);
    // Every heading equals the sum of its rows, worked out on its own.
    for (uint32_t o = 1; o <= plan.GrundTabAntal; ++o) {
      if (!plan.GrundTab[o].ErSum) continue;
      const GrundRaekke &og = plan.GrundTab[o];
      for (uint32_t u = 0; u <= plan.UgeAntal + 1; ++u) {
        int32_t lek = 0;
        float t1 = 0, t2 = 0, tim = 0, eks = 0;
        for (uint32_t r = 1; r <= plan.GrundTabAntal; ++r) {
          const GrundRaekke &g = plan.GrundTab[r];
          if (g.ErSum) continue;
          const uint32_t art = plan.ObjTypeTab[r], oart = plan.ObjTypeTab[o];
          const bool under = visning == 'M' ? (oart == PLAN_MEDA && g.Medarbejder1 == og.Medarbejder1)
                                            : ((oart == PLAN_AKTI && art == PLAN_FAG) ||
                                               (oart == PLAN_OPG_AKTI && art == PLAN_OPG_TIMER)) &&
                                                  g.Aktivitet == og.Aktivitet;
          if (!under) continue;
          lek += g.TalTab[u].Lektioner;
          t1 += g.TalTab[u].Timer1;
          t2 += g.TalTab[u].Timer2;
          tim += g.TalTab[u].Timer;
          eks += g.TalTab[u].Eksametid;
        }
        ASSERT_EQ(og.TalTab[u].Lektioner, lek) << o << " " << u;
        ASSERT_FLOAT_EQ(og.TalTab[u].Timer1, t1) << o << " " << u;
        ASSERT_FLOAT_EQ(og.TalTab[u].Timer2, t2) << o << " " << u;
        ASSERT_FLOAT_EQ(og.TalTab[u].Timer, tim) << o << " " << u;
        ASSERT_FLOAT_EQ(og.TalTab[u].Eksametid, eks) << o << " " << u;
      }
    }
    // The employee sums: the first employment's Timer1, the second's Timer2.
    const TalPost &s4 = plan.PlanAnfoTab[anfo[4]].SumTalTab[7];
    EXPECT_EQ(s4.Lektioner, 50 + 20);
    EXPECT_FLOAT_EQ(s4.Timer1, 2.5f + 1.0f);
    const TalPost &s2 = plan.PlanAnfoTab[anfo[2]].SumTalTab[7];
    EXPECT_EQ(s2.Lektioner, 50);
    EXPECT_FLOAT_EQ(s2.Timer1, 4.0f);
    EXPECT_FLOAT_EQ(s2.Timer, 1.0f + 3.0f);
  }
}

TEST_F(PlanSummerOverskrifter, ManglendeOverskrifterOprettes) {
  const uint32_t fag = Raekke(PLAN_FAG, akti[1], 4, anfo[2]);
  Raekke(PLAN_OPG_TIMER, akti[2], 0, anfo[3]);
  Raekke(PLAN_FREMMED_FAG, akti[3], 4, anfo[4], 0, kAnden);
  SaetUge(fag, 4, 30, 1.0f);
  const uint32_t foer = plan.GrundTabAntal;
  OpretOverskrifter(&plan);
  auto Find = [&](uint32_t art, uint32_t a, uint32_t m) {
    uint32_t fundet = 0, antal = 0;
    for (uint32_t r = 1; r <= plan.GrundTabAntal; ++r)
      if (plan.ObjTypeTab[r] == art && plan.GrundTab[r].Aktivitet == a && plan.GrundTab[r].Medarbejder1 == m)
        fundet = r, ++antal;
    EXPECT_LE(antal, 1u) << art;
    return fundet;
  };
  const uint32_t h1 = Find(PLAN_AKTI, akti[1], 0), h13 = Find(PLAN_OPG_AKTI, akti[2], 0),
                 h22 = Find(PLAN_FREMMED_AKTI, akti[3], 0), m9 = Find(PLAN_MEDA, 0, anfo[2]),
                 m200 = Find(PLAN_SKEMA, 0, anfo[2]);
  EXPECT_GT(h1, foer);
  EXPECT_GT(h13, foer);
  EXPECT_GT(h22, foer);
  EXPECT_GT(m9, foer);
  EXPECT_GT(m200, foer);
  EXPECT_NE(Find(PLAN_MEDA, 0, anfo[3]), 0u);
  EXPECT_EQ(Find(PLAN_MEDA, 0, anfo[4]), 0u);  // a foreign row's employee gets none
  EXPECT_NE(plan.GrundTab[m9].GrundRec, 0u);   // stored
  EXPECT_EQ(plan.GrundTab[m200].GrundRec, 0u); // never stored
  EXPECT_NE(plan.GrundTab[h1].GrundRec, 0u);
  EXPECT_EQ(plan.GrundTab[h1].TalTab[4].Lektioner, 30);  // and summed
  const uint32_t nu = plan.GrundTabAntal;
  OpretOverskrifter(&plan);
  EXPECT_EQ(plan.GrundTabAntal, nu);
}

// ---- Scheduled numbers ----

class PlanSummerSkema : public PlanSum {
 protected:
  uint32_t rolSyg = 0;
  void SetUp() override {
    PlanSum::SetUp();
    LotyRec l{};
    Tekst(l.Aktivitetstype, "11sy");
    l.Status = 10;
    const uint32_t loty = Ny(tdloty, tvloty, l);
    SkemarolRec s{};
    s.loty_id = loty;
    s.Status = 10;
    rolSyg = Ny(tdskemarol, tvskemarol, s);
  }
  struct Del {
    uint32_t akti, anfo, rol;
  };
  void Begivenhed(uint32_t ugeIdx, uint8_t dag, uint32_t skfa, float std, uint32_t start, uint32_t slut,
                  const std::vector<Del> &dele, uint32_t status = 0x40) {
    TabVar *b = SkemabegBucket(IndeksTilUge(ugeIdx));
    ASSERT_NE(b, nullptr);
    uint32_t forste = 0;
    for (const Del &d : dele) {
      uint32_t nr = 0;
      SkeRec *s = Tilfoej<SkeRec>(tdske, b, &nr);
      if (!forste) forste = nr;
      s->id = 5000 + forste;
      s->Status = status;
      s->akti_id = d.akti;
      s->anfo_id = d.anfo;
      s->skemarol_id = d.rol;
      s->skfa_id = skfa;
      s->Dag = dag;
      s->Starttid = start;
      s->Sluttid = slut;
      s->Antal_std_lektioner = std;
      s->Forste = forste;
    }
  }
};

// The hours of a row's weeks are worked out once per run of weeks with the
// same lessons under the same norm: each week must still have the hours of
// its own norm and lessons, where the norm changes between two weeks of
// equal lessons too, and with and without rounding.
TEST_F(PlanSummerSkema, UgernesTimerFoelgerNormenUgeForUge) {
  const uint32_t efter = Ny(tdmiak, tvmiak, MiakRec{2, 10, akti[1], 20250101, 20250731, 50.0f, 0});
  Rec<AktiRec>(tvakti, akti[1])->forste_miak = Ny(tdmiak, tvmiak, MiakRec{1, 10, akti[1], 20240801, 20241231, 45.0f, efter});
  const uint32_t r = Raekke(PLAN_FAG, akti[1], 0, anfo[1], anfo[2]);
  auto onsdag = [](uint32_t u) { return UgeDagTilDato(IndeksTilUge(u), 3); };
  bool skifteMedSammeLektioner = false;
  for (uint32_t u = 1; u <= plan.UgeAntal; ++u) {
    // Runs of equal lessons, a week without, a negative week.
    T(r, u).Lektioner = u % 9 == 0 ? 0 : u % 13 == 0 ? -10 : 20 + 5 * static_cast<int32_t>(u / 6 % 2);
    if (u > 1 && T(r, u).Lektioner == T(r, u - 1).Lektioner && onsdag(u - 1) <= 20241231 && onsdag(u) > 20241231)
      skifteMedSammeLektioner = true;
  }
  ASSERT_TRUE(skifteMedSammeLektioner);
  for (const uint8_t afrunding : {0, 1}) {
    SCOPED_TRACE(afrunding);
    GlobalIndstillinger.afrunding = afrunding;
    HentSkemaLektioner(&plan);
    for (uint32_t u = 1; u <= plan.UgeAntal; ++u) {
      const int32_t l = T(r, u).Lektioner;
      if (!l) continue;
      EXPECT_EQ(T(r, u).Timer1, BeregnPlanTimer(akti[1], anfo[1], 0, onsdag(u), l, -1.0f)) << u;
      EXPECT_EQ(T(r, u).Timer2, BeregnPlanTimer(akti[1], anfo[2], 0, onsdag(u), l, -1.0f)) << u;
    }
  }
  // Both norms were met (the last round rounded to hundredths).
  for (uint32_t u = 1; u <= plan.UgeAntal; ++u) {
    const float norm = onsdag(u) < 20240801 ? 0.0f : onsdag(u) <= 20241231 ? 45.0f : onsdag(u) <= 20250731 ? 50.0f : 0.0f;
    if (norm != 0.0f && T(r, u).Lektioner == 20) {
      EXPECT_NEAR(T(r, u).Timer1, 2.0f * norm / 60.0f, 0.006) << onsdag(u);
    }
  }
}

TEST_F(PlanSummerSkema, SkemalagteLektionerAfrundes) {
  TalDimRec gemt = TalDim;
  TalDim.W = SkemaPeriode.AntalUger;
  TalDim.F = tvanfo.wRecCnt;
  std::vector<MedTalUgeCelle> celler(size_t(TalDim.F) * (TalDim.W + 1));
  MedTalUgeCelle *gemtTab = MedTalUgeTab;
  MedTalUgeTab = celler.data();
  auto C = [&](uint32_t u) -> MedTalUgeCelle & { return celler[size_t(anfo[2]) * (TalDim.W + 1) + u]; };
  C(3) = {1499, 2500.0f};
  C(4) = {1500, 0.0f};
  C(5) = {static_cast<uint32_t>(-1500), 0.0f};
  const uint32_t s = Raekke(PLAN_SKEMA, 0, 0, anfo[2]);
  HentSkemaLektioner(&plan);
  EXPECT_EQ(T(s, 3).SkemaLektioner, 10u);
  EXPECT_FLOAT_EQ(T(s, 3).SkemaTimer, 2.5f);
  EXPECT_EQ(T(s, 4).SkemaLektioner, 20u);
  EXPECT_EQ(static_cast<int32_t>(T(s, 5).SkemaLektioner), -20);
  MedTalUgeTab = gemtTab;
  TalDim = gemt;
}

TEST_F(PlanSummerSkema, SkemalagteTimerAfAktivitetOgFag) {
  GlobalIndstillinger.standardlektion = 1;
  GlobalIndstillinger.standardlektionslengde = 45;
  const uint32_t h = Raekke(PLAN_AKTI, akti[1], 0, 0);
  const uint32_t f4 = Raekke(PLAN_FAG, akti[1], 4, anfo[1]);
  const uint32_t f5 = Raekke(PLAN_FAG, akti[1], 5, anfo[1]);
  // Counted: 1.5 planned lessons; 90 minutes over 45; both of subject 4.
  Begivenhed(3, 2, 4, 1.5f, 800, 930, {{akti[1], anfo[1], 0}});
  Begivenhed(4, 2, 4, 0.0f, 800, 930, {{akti[1], anfo[1], 0}, {0, anfo[2], 0}});
  // Subject 5: one sick teacher of two counts; a star teacher and a sick
  // one do not (the star row is no participant).
  Begivenhed(5, 3, 5, 1.0f, 800, 845, {{akti[1], anfo[1], rolSyg}, {0, anfo[2], 0}});
  Begivenhed(6, 3, 5, 1.0f, 800, 845, {{akti[1], anfo[5], 0}, {0, anfo[2], rolSyg}});
  Begivenhed(7, 3, 5, 1.0f, 800, 845, {{akti[1], anfo[1], rolSyg}});
  // Deleted, or another activity: not counted.
  Begivenhed(8, 3, 4, 1.0f, 800, 845, {{akti[1], anfo[1], 0}}, 0x48);
  Begivenhed(9, 3, 4, 1.0f, 800, 845, {{akti[2], anfo[1], 0}});
  HentSkemaTimer(&plan);
  EXPECT_EQ(plan.GrundTab[f4].SkemaTimerIalt, 3500u);
  EXPECT_EQ(plan.GrundTab[f5].SkemaTimerIalt, 1000u);
  EXPECT_EQ(plan.GrundTab[h].SkemaTimerIalt, 4500u);
  // Without a lesson length an event of no planned lessons counts 1.0.
  GlobalIndstillinger.standardlektionslengde = 0;
  HentSkemaTimer(&plan);
  EXPECT_EQ(plan.GrundTab[f4].SkemaTimerIalt, 2500u);
}

// ---- Posted hours ----

class PlanSummerPosteringer : public PlanSum {};

TEST_F(PlanSummerPosteringer, ArterEjerOgMedlemskab) {
  AddPgRel(gruppe, anfo[1], 'M');
  // The activity's minute norm is 45 through its norm table? None is set:
  // the norm is 60.
  struct Tilfaelde {
    char art;
    int32_t timer;   // hundredths
    float forventet; // hours
  };
  const Tilfaelde tabel[] = {{'A', 150, 1.5f}, {'F', 200, 2.0f}, {'H', 100, 1.0f}, {'P', -50, -0.5f},
                             {'a', 125, 1.25f}, {'b', 100, 1.0f}, {'e', 100, 1.0f}, {'f', 100, 1.0f},
                             {'h', 100, 1.0f},  {'k', 100, 1.0f}, {'p', 100, 1.0f}, {'r', 100, 1.0f},
                             {'x', 100, 0.0f},  {'O', 100, 0.0f}};
  Dato dato = 20240902;  // Monday of week 36
  std::vector<std::pair<uint32_t, float>> uger;
  for (const auto &t : tabel) {
    TimoakRaekke *p = Tilfoej<TimoakRaekke>(tdtimoak, TimoakBucket(dato / 100));
    p->Status = 0x40;
    p->Type = t.art;
    p->akti_id = akti[1];
    p->anfo_id = anfo[1];
    p->Dato = dato;
    p->Timer = t.timer;
    p->Ejer = kEgen;
    ::Uge u = 0;
    DatoTilUge(dato, &u, nullptr);
    uger.push_back({UgeTilIndeks(u), t.forventet});
    dato = DagNrTilDato(DatoTilDagNr(dato) + 7);
  }
  // Another installation's posting, and one of an employment in no group.
  const Dato d2 = 20241104;
  TimoakRaekke *f = Tilfoej<TimoakRaekke>(tdtimoak, TimoakBucket(d2 / 100));
  *f = TimoakRaekke{};
  f->Status = 0x40;
  f->Type = 'a';
  f->akti_id = akti[1];
  f->anfo_id = anfo[1];
  f->Dato = d2;
  f->Timer = 300;
  f->Ejer = kAnden;
  TimoakRaekke *n = Tilfoej<TimoakRaekke>(tdtimoak, TimoakBucket(d2 / 100));
  *n = *f;
  n->anfo_id = anfo[2];
  n->Ejer = kEgen;
  HentPosteringer(&plan);
  uint32_t egen = 0, fremmed = 0;
  for (uint32_t r = 1; r <= plan.GrundTabAntal; ++r) {
    EXPECT_EQ(plan.GrundTab[r].Medarbejder1, anfo[1]);
    if (plan.ObjTypeTab[r] == PLAN_POST) egen = r;
    if (plan.ObjTypeTab[r] == PLAN_FREMMED_OPG_TIMER) fremmed = r;
  }
  ASSERT_NE(egen, 0u);
  ASSERT_NE(fremmed, 0u);
  EXPECT_EQ(plan.GrundTabAntal, 2u);
  for (const auto &[u, h] : uger) {
    SCOPED_TRACE(u);
    EXPECT_FLOAT_EQ(T(egen, u).PostTimer, h);
    EXPECT_FLOAT_EQ(T(egen, u).PostTimerIalt, h);
    EXPECT_EQ(T(egen, u).PlanStatus, h != 0.0f ? PS_POSTERET : 0u);
  }
  ::Uge u2 = 0;
  DatoTilUge(d2, &u2, nullptr);
  const TalPost &tf = T(fremmed, UgeTilIndeks(u2));
  EXPECT_FLOAT_EQ(tf.PostTimerFremmed, 3.0f);
  EXPECT_EQ(tf.PlanStatus, PS_POSTERET | PS_FREMMED);
  EXPECT_EQ(+tf.Ejer, kAnden);
  // A second pass starts from empty rows: nothing is counted twice.
  HentPosteringer(&plan);
  EXPECT_FLOAT_EQ(tf.PostTimerFremmed, 3.0f);
  EXPECT_EQ(plan.GrundTabAntal, 2u);
}

// ---- Staff figures ----

class PlanSummerMedarbejdere : public PlanSum {};

class PlanSummerNorm : public PlanSum {
 protected:
  MedTalMaaned *mt = nullptr;
  std::vector<MedTalArbejdstidCelle> arbejdstid;
  MedTalArbejdstidCelle *gemtArb = nullptr;
  TalDimRec gemtDim{};
  uint32_t gemtM = 0;
  void SetUp() override {
    PlanSum::SetUp();
    SaetAktuelDato(20241016);
    GlobalIndstillinger.opgPeriodeStartMaaned = 8;
    GlobalIndstillinger.opgPeriodeLaengde = 1;
    GlobalIndstillinger.opgPeriodeNorm = 1600;
    AddPgRel(gruppe, anfo[1], 'M');
    gemtM = MedTalM;
    MedTalM = SkemaPeriode.AntalMaaneder;
    mt = static_cast<MedTalMaaned *>(calloc(MedTalM + 1, sizeof(MedTalMaaned)));
    SetRunPtr(&tvanfo, anfo[1], mt);
    gemtDim = TalDim;
    TalDim.M = SkemaPeriode.AntalMaaneder;
    TalDim.E = tvmeda.wRecCnt;
    arbejdstid.assign(size_t(TalDim.E) * (TalDim.M + 1), MedTalArbejdstidCelle{});
    gemtArb = MedTalArbejdstidTab;
    MedTalArbejdstidTab = arbejdstid.data();
    // A norm adjustment in the period and buffer hours carried over.
    NormjustRec j{};
    j.Status = 10;
    j.anfo_id = anfo[1];
    j.Dato = 20241101;
    j.Timer = 5.5f;
    Ny(tdnormjust, tvnormjust, j);
    BuftimRec b{};
    b.Status = 10;
    b.anfo_id = anfo[1];
    b.Fradato = 20240801;
    b.Tildato = 20250731;
    b.Undertimer_fra_forrige = 3.0f;
    b.Overtimer_fra_forrige = 1.0f;
    Ny(tdbuftim, tvbuftim, b);
    BuildMedPer();
  }
  void TearDown() override {
    FreeMedPer();
    MedTalArbejdstidTab = gemtArb;
    TalDim = gemtDim;
    MedTalM = gemtM;
    FreePlanTab();
    PlanIndeksNulstil();
    GlobalIndstillinger.opgPeriodeStartMaaned = 1;
    GlobalIndstillinger.opgPeriodeLaengde = 1;
    GlobalIndstillinger.opgPeriodeNorm = 1924;
    PlanSum::TearDown();
  }
  PlanTabPost *Post(uint32_t a, uint32_t skfa, uint8_t art, Dato dato, float plan, float aktuel) {
    PlanTabPost *p = NyPlanTabPost();
    ::Uge u = 0;
    uint8_t dag = 0;
    DatoTilUge(dato, &u, &dag);
    p->akti = a;
    p->skfa = skfa;
    p->anfo = anfo[1];
    p->UgeIdx = UgeTilIndeks(u);
    p->Ugedag = dag;
    p->Art = art;
    p->PlanUndervisning = plan;
    p->Aktuel = aktuel;
    return p;
  }
};

TEST_F(PlanSummerNorm, SaldoOgOverUnderRegnetIHaanden) {
  ASSERT_EQ(GetOpgPerFra(20241016, anfo[1]), 20240801u);
  ASSERT_EQ(GetOpgPerTil(20241016, anfo[1]), 20250731u);
  ASSERT_FLOAT_EQ(SumNormJust(anfo[1], 20240801, 20250731), 5.5f);
  ASSERT_FLOAT_EQ(GetBufTimSaldo(anfo[1], 20241016), 2.0f);
  // For the norm system: the same accounting period, and one registered
  // week of 7.40 hours a day (Monday 7 to Friday 11 October): a norm of 37.
  OpgperiodeRec op{};
  op.FraDato = 20240801;
  op.TilDato = 20250731;
  op.Status = 10;
  const uint32_t opgp = Ny(tdopgperiode, tvopgperiode, op);
  RegperiodeRec rp{};
  rp.opgp_id = opgp;
  rp.meda_id = Rec<AnfoRec>(tvanfo, anfo[1])->meda_id;
  rp.FraDato = 20241007;
  rp.TilDato = 20241011;
  rp.Dagsnorm = 740;
  rp.Status = 10;
  Ny(tdregperiode, tvregperiode, rp);
  // Monthly figures in thousandths: October 10 hours in slot 0, 2 in slot 6
  // and 1.499 in slot 7; December 0.6 in slot 1. Working time 2.5007.
  const MaanedIndeks okt = MaanedTilIndeks(202410), dec = MaanedTilIndeks(202412);
  mt[okt][0] = 10000.0f;
  mt[okt][6] = 2000.0f;
  mt[okt][7] = 1499.0f;
  mt[dec][1] = 600.0f;
  const uint32_t meda = Rec<AnfoRec>(tvanfo, anfo[1])->meda_id;
  arbejdstid[size_t(meda) * (TalDim.M + 1) + okt].Fremtid = 2500.7f;
  // The plan's own hours of the employment in one week.
  plan.PlanAnfoTab[anfo[1]].SumTalTab[12].Timer1 = 2.4996f;
  // The follow-up's lines of the employment.
  Post(akti[1], 4, 'U', 20241001, 10.0f, 8.0f);  // before
  Post(akti[1], 4, 'U', 20241016, 5.0f, 4.0f);   // the day itself: held
  Post(akti[1], 4, 'U', 20241017, 5.0f, 1.0f);   // after
  Post(akti[1], 4, 'U', 20241106, 6.0f, 0.0f);   // after
  Post(akti[2], 0, 'R', 20241113, 2.0f, 5.0f);   // held beyond its plan: no rest
  PlanIndeksNulstil();
  ::Uge u = 0;
  DatoTilUge(20241016, &u, nullptr);
  struct Form {
    int32_t normsystem;
    int32_t fradrag;  // buffer hours and norm adjustment, thousandths
    int32_t norm;     // whole hours, with the adjustment and buffer rounded in
  };
  // Without the norm system: 2000 buffer, 5500 adjustment, norm 1600, and
  // 1600 + 5.5 + 2 = 1607.5, 1608 whole hours. With it: none of those, and
  // the registered week's 37 hours.
  const Form former[] = {{0, 2000 + 5500, 1608}, {1, 0, 37}};
  for (const Form &f : former) {
    SCOPED_TRACE(f.normsystem);
    GlobalIndstillinger.normsystem = f.normsystem;
    BeregnMedarbejderTal(&plan, anfo[1]);
    const PlanAnfoPost &e = plan.PlanAnfoTab[anfo[1]];
    EXPECT_FLOAT_EQ(e.MedTal[0], 10000.0f);
    EXPECT_FLOAT_EQ(e.MedTal[1], 1000.0f);
    EXPECT_FLOAT_EQ(e.MedTal[6], 2000.0f);
    EXPECT_FLOAT_EQ(e.MedTal[7], 1000.0f);
    EXPECT_FLOAT_EQ(e.PlanMedTal[0], 10000.0f);
    EXPECT_FLOAT_EQ(e.PlanMedTal[8], 2000.0f);  // 2.499 hours: 2
    EXPECT_FLOAT_EQ(e.PlanOpgMedTal[8], 2000.0f);
    // 3000 (working time) + 10000 + 1000 + 1000 - 2000 - the deductions -
    // the norm: negative, and it stays so.
    const int32_t normTusinder = f.normsystem ? 37000 : 1600000;
    EXPECT_EQ(e.PlanSaldo, 3000 + 12000 - 2000 - f.fradrag - normTusinder);

    // The weekly over/under: the follow-up's totals at the Wednesday.
    BeregnOverUnder(&plan, anfo[1]);
    // P = 12 held + 6 held after + rest 10 = 28.
    EXPECT_EQ(e.PlanOverUnderTimer[UgeTilIndeks(u)], (28 - f.norm) * 1000);
    // In the first week (1 August) nothing is held yet: all 18 held hours
    // lie after the date and the line's rest is 26 - 13: P = 31.
    EXPECT_EQ(e.PlanOverUnderTimer[1], (31 - f.norm) * 1000);
  }
}

// ---- The follow-up's lines and totals ----

class PlanSummerOpfoelgning : public PlanSummerNorm {};

TEST_F(PlanSummerOpfoelgning, PerDatoPeriodeOgRest) {
  // Wednesday 16 October is the per dato; the period runs from Tuesday
  // 1 October to Thursday 31 October.
  Post(akti[1], 4, 'U', 20240930, 100.0f, 100.0f);  // Monday before the first day: out
  Post(akti[1], 4, 'U', 20241001, 10.0f, 8.0f);     // first day: in, held
  Post(akti[1], 4, 'U', 20241016, 5.0f, 4.0f);      // the per dato's own weekday: held
  Post(akti[1], 4, 'U', 20241017, 5.0f, 1.0f);      // the next weekday: after
  Post(akti[2], 0, 'R', 20241023, 2.0f, 5.0f);      // held beyond its plan: no rest
  Post(akti[1], 4, 'U', 20241031, 6.0f, 0.0f);      // last day: in
  Post(akti[1], 4, 'U', 20241101, 100.0f, 100.0f);  // Friday after the last day: out
  PlanIndeksNulstil();
  const std::vector<PlanOpfPost> poster = PlanOpfPoster(anfo[1], 20241001, 20241031, 20241016, false);
  ASSERT_EQ(poster.size(), 5u);
  const bool foer[] = {true, true, false, false, false};
  for (size_t i = 0; i < poster.size(); ++i) EXPECT_EQ(poster[i].FoerDato, foer[i]) << i;
  // List order: the two 'U' runs of akti[1] are split by the 'R' line.
  const std::vector<PlanOpfLinje> linjer = PlanOpfLinjer(poster);
  ASSERT_EQ(linjer.size(), 3u);
  EXPECT_DOUBLE_EQ(linjer[0].PlanTotal, 20.0);
  EXPECT_DOUBLE_EQ(linjer[0].AktuelFoer, 12.0);
  EXPECT_DOUBLE_EQ(linjer[0].AktuelEfter, 1.0);
  EXPECT_DOUBLE_EQ(linjer[0].Rest(), 4.0);
  EXPECT_EQ(linjer[1].Art, 'R');
  EXPECT_DOUBLE_EQ(linjer[1].Rest(), 0.0);
  EXPECT_DOUBLE_EQ(linjer[2].Rest(), 6.0);
  const PlanOpfSum sum = PlanOpfSummer(linjer);
  EXPECT_DOUBLE_EQ(sum.AktuelFoer, 12.0);
  EXPECT_DOUBLE_EQ(sum.AktuelEfter, 6.0);
  EXPECT_DOUBLE_EQ(sum.Rest, 10.0);
  EXPECT_DOUBLE_EQ(sum.Ialt(), 28.0);
}

TEST_F(PlanSummerOpfoelgning, LektionerAfrundes) {
  struct Tilfaelde {
    int32_t planTiendedele, aktuelTusinder;
    double plan, aktuel;
  };
  const Tilfaelde tabel[] = {{19, 1499, 1.0, 1.0}, {20, 1500, 2.0, 2.0}, {-19, -1500, -1.0, -2.0}, {9, 499, 0.0, 0.0}};
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.aktuelTusinder);
    PlanTabPost p{};
    p.PlanLektioner = static_cast<uint32_t>(t.planTiendedele);
    p.SkemaLektioner = static_cast<uint32_t>(t.aktuelTusinder);
    p.PlanUndervisning = 1.5f;
    p.PlanTimer = 0.25f;
    p.PlanRettearbejde = 0.125f;
    p.PlanEksamen = 2.0f;
    p.Aktuel = 3.5f;
    EXPECT_DOUBLE_EQ(PlanOpfPlanVaerdi(p, true), t.plan);
    EXPECT_DOUBLE_EQ(PlanOpfAktuelVaerdi(p, true), t.aktuel);
    EXPECT_DOUBLE_EQ(PlanOpfPlanVaerdi(p, false), 3.875);
    EXPECT_DOUBLE_EQ(PlanOpfAktuelVaerdi(p, false), 3.5);
  }
}

TEST_F(PlanSummerOpfoelgning, UgensOverUnderErOpfoelgningensTotal) {
  // Entries spread over the year: every week's over/under must be the
  // follow-up's total at that week's date, worked out afresh for each week.
  const Dato datoer[] = {20240805, 20240910, 20241016, 20241017, 20241120, 20250115, 20250301, 20250610, 20250730};
  uint32_t i = 0;
  for (Dato d : datoer) {
    Post(akti[1 + i % 3], 4 + i % 2, i % 4 == 3 ? 'R' : 'U', d, 3.0f + i, i % 3 == 0 ? 5.0f + i : 1.0f);
    ++i;
  }
  PlanIndeksNulstil();
  BeregnOverUnder(&plan, anfo[1]);
  const Dato fra = std::max(plan.Fradato, SkemaPeriode.FraDato), til = std::min(plan.Tildato, SkemaPeriode.TilDato);
  const uint32_t uf = PlanUgeIndeks(fra), ut = PlanUgeIndeks(til);
  for (uint32_t u = uf; u <= ut; ++u) {
    const Dato d = u == uf ? fra : u == ut ? til : UgeDagTilDato(IndeksTilUge(u), 3);
    const double p =
        PlanOpfSummer(PlanOpfLinjer(PlanOpfPoster(anfo[1], GetOpgPerFra(d, anfo[1]), GetOpgPerTil(d, anfo[1]), d, false)))
            .Ialt();
    const double x = p - 1608.0;  // norm 1600 + adjustment 5.5 + buffer 2, whole hours
    const int32_t forventet = static_cast<int32_t>(x >= 0 ? std::floor(x + 0.5) : std::ceil(x - 0.5)) * 1000;
    ASSERT_EQ(plan.PlanAnfoTab[anfo[1]].PlanOverUnderTimer[u], forventet) << u;
  }
}

TEST_F(PlanSummerNorm, GruppeUdenforSkemaperiodenBeholderNulstilledeTal) {
  plan.Fradato = 20240101;  // before the schedule period
  mt[MaanedTilIndeks(202410)][0] = 10000.0f;
  plan.PlanAnfoTab[anfo[1]].PlanSaldo = 77;
  plan.PlanAnfoTab[anfo[1]].PlanMedTal[0] = 5.0f;
  BeregnMedarbejderTal(&plan, anfo[1]);
  EXPECT_EQ(plan.PlanAnfoTab[anfo[1]].PlanSaldo, 0);
  EXPECT_EQ(plan.PlanAnfoTab[anfo[1]].PlanMedTal[0], 0.0f);
  EXPECT_EQ(plan.PlanAnfoTab[anfo[1]].MedTal[0], 0.0f);
}

TEST_F(PlanSummerMedarbejdere, IngenSummeringUdenMaanedstalEllerForkertStatus) {
  AddPgRel(gruppe, anfo[1], 'M');
  Rec<AnfoRec>(tvanfo, anfo[1])->Status = 20;
  plan.PlanAnfoTab[anfo[1]].PlanSaldo = 1234;
  plan.PlanAnfoTab[anfo[1]].PlanMedTal[8] = 5.0f;
  BeregnMedarbejderTal(&plan, anfo[1]);  // status 20: left alone
  EXPECT_EQ(plan.PlanAnfoTab[anfo[1]].PlanSaldo, 1234);
  Rec<AnfoRec>(tvanfo, anfo[1])->Status = 10;
  BeregnMedarbejderTal(&plan, anfo[1]);  // no monthly figures: left alone
  EXPECT_EQ(plan.PlanAnfoTab[anfo[1]].PlanSaldo, 1234);
  EXPECT_EQ(plan.PlanAnfoTab[anfo[1]].PlanMedTal[8], 5.0f);
}

TEST_F(PlanSummerMedarbejdere, OpdaterMedarbejdereVenterIkkeOpdaterOverUnderVenter) {
  HANDLE gemt = hPlanMutex;
  hPlanMutex = CreateMutexA(nullptr, FALSE, nullptr);
  ASSERT_NE(hPlanMutex, HANDLE{0});
  std::atomic<int> trin{0};
  std::thread holder([&] {
    WaitForSingleObject(hPlanMutex, INFINITE);
    trin = 1;
    while (trin.load() < 2) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    trin = 3;
    ReleaseMutex(hPlanMutex);
  });
  while (trin.load() < 1) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_FALSE(OpdaterMedarbejdere(&plan));
  trin = 2;
  OpdaterOverUnder(&plan);  // returns only once the holder has let go
  EXPECT_EQ(trin.load(), 3);
  holder.join();
  EXPECT_TRUE(OpdaterMedarbejdere(&plan));
  CloseHandle(hPlanMutex);
  hPlanMutex = gemt;
}

}  // namespace
