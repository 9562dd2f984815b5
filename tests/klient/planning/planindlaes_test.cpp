// The plan load over a small data folder: the stored rows with their week
// and period numbers, the rows the data implies, the rows whose basis has
// gone, the derived budgets, the plan columns and the wait dialog's steps.
// The records are checked in the tables the load changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "FF_GRUPPE.h"
#include "FF_PlanRec.h"
#include "HENTGEM.h"
#include "OPTAEL.h"
#include "PLANAKSER.h"
#include "PLANIDX.h"
#include "PlanTraad.h"
#include "TALTAB.h"
#include "plan_fixtur.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"
#include "win/controls.h"

namespace {

using plantest::kAnden;
using plantest::kEgen;
using predtest::Ny;

constexpr uint32_t kAfledt = FFGRUND_AFLEDT;

class PlanIndlaes : public plantest::PlanFixtur {
 protected:
  HANDLE gemtMutex = 0;

  void SetUp() override {
    plantest::PlanFixtur::SetUp();
    OpretTalMutex();
    gemtMutex = hPlanMutex;
    hPlanMutex = CreateMutexA(nullptr, FALSE, nullptr);
    PlanOpdaterVenter.store(0);
  }
  void TearDown() override {
    VentPaaPlanTraade(&plan);
    if (hPlanMutex) CloseHandle(hPlanMutex);
    hPlanMutex = gemtMutex;
    // The groups axis is the fixture's own vector.
    plan.StyrZ.ObjTab = nullptr;
    FrigivPlanAkser(&plan);
    FreePlanTab();
    PlanIndeksNulstil();
    PlanOpdaterVenter.store(0);
    plantest::PlanFixtur::TearDown();
  }

  bool Hent() {
    const bool ok = HentPlan(0, &plan);
    VentPaaPlanTraade(&plan);
    return ok;
  }

  // A usable team activity of the group.
  uint32_t Medlem(const char *navn, Dato fra = 20240801, Dato til = 20250731) {
    const uint32_t a = NyAkti(navn, navn, fra, til);
    AddPgRel(gruppe, a, 'K');
    return a;
  }
  uint32_t NytPar(uint32_t akti, uint32_t skfa, uint32_t elevLekt = 0, float opgaver = 0.0f) {
    SkphRec p{};
    p.akti_id = akti;
    p.skfa_id = skfa;
    p.Status = 10;
    p.Elevlektioner = elevLekt;
    p.Antal_opgaver = opgaver;
    const uint32_t n = Ny(tdskph, tvskph, p);
    TomPlanTabeller(&plan);
    AllokerPlanTabeller(&plan);
    return n;
  }
  uint32_t Grund(uint32_t art, uint32_t akti, uint32_t skfa, uint32_t m1 = 0, uint8_t ejer = kEgen, uint32_t m2 = 0,
                 uint32_t budget = 0, uint8_t status = 64) {
    FfgrundRec r{};
    r.ffpg_id = gruppe;
    r.ObjType = art;
    r.Aktivitet = akti;
    r.Skolefag = skfa;
    r.Medarbejder1 = m1;
    r.Medarbejder2 = m2;
    r.Budget = budget;
    r.Minutnorm1 = r.Minutnorm2 = -1.0f;
    r.Ejer = ejer;
    r.Status = status;
    return Ny(tdffgrund, tvffgrund, r);
  }
  uint32_t Tal(uint32_t grund, Uge uge, uint32_t lekt, uint32_t ps, uint8_t ejer = kEgen) {
    FftaltabRec t{};
    t.ffgrund_id = grund;
    t.Uge = uge;
    t.Lektioner = lekt;
    t.PlanStatus = ps;
    t.Ejer = ejer;
    t.Status = 64;
    return Ny(tdfftaltab, tvfftaltab, t);
  }
  uint32_t Per(uint32_t grund, uint32_t ffpp, uint32_t lekt, uint32_t ps, uint8_t ejer = kEgen) {
    FfpertabRec p{};
    p.ffgrund_id = grund;
    p.ffpp_id = ffpp;
    p.Lektioner = lekt;
    p.PlanStatus = ps;
    p.Ejer = ejer;
    p.Status = 64;
    return Ny(tdffpertab, tvffpertab, p);
  }
  // The row of a stored record, 0 when the model has none.
  uint32_t RaekkeAf(uint32_t grund) const {
    for (uint32_t r = 1; r <= plan.GrundTabAntal; ++r)
      if (plan.ObjTypeTab[r] && plan.GrundTab[r].GrundRec == grund) return r;
    return 0;
  }
  // The rows of a kind, activity and subject (copies included).
  std::vector<uint32_t> Raekker(uint32_t art, uint32_t akti, uint32_t skfa = 0, uint32_t anfo = 0) const {
    std::vector<uint32_t> v;
    for (uint32_t r = 1; r <= plan.GrundTabAntal; ++r) {
      const GrundRaekke &g = plan.GrundTab[r];
      if (plan.ObjTypeTab[r] == art && g.Aktivitet == akti && g.Skolefag == skfa && (!anfo || g.Medarbejder1 == anfo))
        v.push_back(r);
    }
    return v;
  }
  // The live ffgrund records of a kind, activity and subject.
  std::vector<uint32_t> Gemte(uint32_t art, uint32_t akti, uint32_t skfa = 0, uint32_t anfo = 0) const {
    std::vector<uint32_t> v;
    for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
      const FfgrundRec *g = TabRec<FfgrundRec>(tvffgrund, n);
      if (PlanRecIBrug(g->Status) && g->ObjType == art && g->Aktivitet == akti && g->Skolefag == skfa &&
          (!anfo || g->Medarbejder1 == anfo))
        v.push_back(n);
    }
    return v;
  }
  // A record freed at the end of its table is trimmed away with the save.
  static bool GrundIBrug(uint32_t n) {
    const FfgrundRec *p = TabRec<FfgrundRec>(tvffgrund, n);
    return p && PlanRecIBrug(p->Status);
  }
  template <class Rec>
  static bool IBrug(const TabVar &tv, uint32_t n, uint32_t grund) {
    const Rec *p = TabRec<Rec>(tv, n);
    return p && PlanRecIBrug(p->Status) && p->ffgrund_id == grund;
  }
};

// ---- Week and period numbers ----

TEST_F(PlanIndlaes, UgetalRundesTilHeleLektionerOgUgerUdenforPeriodenLaesesIkke) {
  const uint32_t a = Medlem("1a");
  const uint32_t f = NySkfa("DA", 'A', "Dansk");
  NytPar(a, f);
  Grund(PLAN_AKTI, a, 0);
  const uint32_t g = Grund(PLAN_FAG, a, f);
  struct Tilfaelde {
    Uge uge;
    uint32_t gemt, status;
    int32_t lektioner;
    uint32_t planStatus;
  };
  const Tilfaelde tabel[] = {
      {202436, 23, PS_UGE, 20, PS_UGE | PS_AFRUNDET},
      {202437, 25, PS_UGE, 30, PS_UGE | PS_AFRUNDET},
      {202438, 0, PS_GRUPPE, 0, PS_GRUPPE},
      {202439, 40, PS_PERIODE, 40, PS_PERIODE},
  };
  std::vector<uint32_t> tal;
  for (const Tilfaelde &t : tabel) tal.push_back(Tal(g, t.uge, t.gemt, t.status));
  const uint32_t udenfor = Tal(g, 202540, 50, PS_UGE);  // after the schedule period's last week (202531)
  const uint32_t tom = Tal(g, 202440, 70, 0);           // no status word set: no entry
  ASSERT_TRUE(Hent());
  const uint32_t r = RaekkeAf(g);
  ASSERT_NE(r, 0u);
  for (size_t i = 0; i < std::size(tabel); ++i) {
    const Tilfaelde &t = tabel[i];
    SCOPED_TRACE(t.uge);
    const TalPost &e = T(r, t.uge);
    EXPECT_EQ(e.TalRec, tal[i]);
    EXPECT_EQ(e.Lektioner, t.lektioner);
    EXPECT_EQ(e.PlanStatus, t.planStatus);
    // The stored record keeps its tenths.
    EXPECT_EQ(TabRec<FftaltabRec>(tvfftaltab, tal[i])->Lektioner, t.gemt);
  }
  for (uint32_t u = 0; u <= plan.UgeAntal + 1; ++u) {
    EXPECT_NE(R(r).TalTab[u].TalRec, udenfor) << u;
    EXPECT_NE(R(r).TalTab[u].TalRec, tom) << u;
  }
}

TEST_F(PlanIndlaes, RaekkeAfEnAndenInstallationLaesesSkrivebeskyttet) {
  const uint32_t f = NySkfa("DA", 'A', "Dansk");
  const uint32_t p = NyPeriode(gruppe, 202432, 202451);
  VaelgGruppe(gruppe);
  struct Tilfaelde {
    const char *navn;
    uint8_t ejer, status;
    uint32_t akti = 0, grund = 0, uge = 0, periode = 0;
  };
  Tilfaelde tabel[] = {{"anden ejer", kAnden, 64}, {"status 30", kEgen, 30}};
  for (Tilfaelde &t : tabel) {
    t.akti = Medlem(t.navn);
    NytPar(t.akti, f);
    t.grund = Grund(PLAN_FAG, t.akti, f, 0, t.ejer, 0, 0, t.status);
    t.uge = Tal(t.grund, 202440, 20, PS_UGE, t.ejer);
    t.periode = Per(t.grund, p, 30, PS_PERIODE, t.ejer);
  }
  ASSERT_TRUE(Hent());
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.navn);
    const FfgrundRec *rec = TabRec<FfgrundRec>(tvffgrund, t.grund);
    EXPECT_EQ(rec->Status, PLANREC_FREMMED);
    EXPECT_EQ(rec->ObjType, PLAN_FREMMED_FAG);
    EXPECT_EQ(TabRec<FftaltabRec>(tvfftaltab, t.uge)->Status, PLANREC_FREMMED);
    EXPECT_EQ(TabRec<FfpertabRec>(tvffpertab, t.periode)->Status, PLANREC_FREMMED);
    const uint32_t r = RaekkeAf(t.grund);
    ASSERT_NE(r, 0u);
    EXPECT_EQ(plan.ObjTypeTab[r], PLAN_FREMMED_FAG);
    EXPECT_EQ(T(r, 202440).TalRec, t.uge);
    EXPECT_EQ(T(r, 202440).PlanStatus, PS_UGE | PS_FREMMED);
    EXPECT_EQ(R(r).PerTab[1].PerRec, t.periode);
    EXPECT_EQ(R(r).PerTab[1].Lektioner, 30);
    EXPECT_EQ(R(r).PerTab[1].PlanStatus, PS_PERIODE | PS_FREMMED);
    // Another's row is never rewritten, nor headed by a stored row.
    EXPECT_EQ(rec->Budget, 0u);
    EXPECT_EQ(Raekker(PLAN_FREMMED_AKTI, t.akti).size(), 1u);
    EXPECT_TRUE(Gemte(PLAN_FREMMED_AKTI, t.akti).empty());
  }
}

TEST_F(PlanIndlaes, GruppetotalensMarkoerLaesesIgenOgGenbrugerSinPost) {
  const uint32_t a = Medlem("1a");
  const uint32_t f = NySkfa("DA", 'A', "Dansk");
  NytPar(a, f);
  const uint32_t g = Grund(PLAN_FAG, a, f);
  ASSERT_TRUE(Hent());
  uint32_t r = RaekkeAf(g);
  ASSERT_NE(r, 0u);
  auto uge0Poster = [&] {
    std::vector<uint32_t> v;
    for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
      const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, n);
      if (PlanRecIBrug(t->Status) && t->ffgrund_id == g && t->Uge == 0) v.push_back(n);
    }
    return v;
  };
  // A total entered for the whole group marks week entry 0.
  R(r).TalTab[0].PlanStatus = PS_GRUPPE;
  R(r).TalTab[0].Ejer = kEgen;
  GemUge(&plan, 0, r, true);
  const std::vector<uint32_t> foer = uge0Poster();
  ASSERT_EQ(foer.size(), 1u);
  ASSERT_TRUE(Hent());
  r = RaekkeAf(g);
  EXPECT_EQ(R(r).TalTab[0].TalRec, foer[0]);
  EXPECT_EQ(R(r).TalTab[0].PlanStatus, PS_GRUPPE);
  // Clearing the total deletes the record.
  R(r).TalTab[0].PlanStatus = 0;
  GemUge(&plan, 0, r, true);
  EXPECT_TRUE(uge0Poster().empty());
  // A new total, a reload and another: still one record.
  R(r).TalTab[0].PlanStatus = PS_GRUPPE;
  GemUge(&plan, 0, r, true);
  ASSERT_TRUE(Hent());
  r = RaekkeAf(g);
  R(r).TalTab[0].PlanStatus = PS_GRUPPE;
  GemUge(&plan, 0, r, true);
  EXPECT_EQ(uge0Poster().size(), 1u);
}

// ---- Plan columns ----

TEST_F(PlanIndlaes, KolonnepladsTaellerMindstFireUgerPrPeriode) {
  struct Tilfaelde {
    std::vector<std::pair<Uge, Uge>> perioder;
    uint32_t plads;
  };
  const Tilfaelde tabel[] = {
      {{}, 1},
      {{{202440, 202441}}, 6},                      // 1 + (1 + 4) for two weeks
      {{{202440, 202441}, {202501, 202507}}, 14},   // 1 + 5 + (1 + 7)
      {{{202420, 202433}}, 1 + 1 + 4},              // clipped to the schedule period: two weeks
  };
  for (const Tilfaelde &t : tabel) {
    predtest::TommeTabeller();
    gruppe = NyGruppe("Fag", kEgen, 20240101, 20250731);
    Grupper({gruppe});
    for (const auto &[fra, til] : t.perioder) NyPeriode(gruppe, fra, til);
    EXPECT_EQ(PlanKolonnePlads(&plan), t.plads) << t.perioder.size();
  }
}

TEST_F(PlanIndlaes, SeksAarsSkemaperiodeLaegerAlleSineUgekolonnerUd) {
  InitPeriode(20200106, 20251228, 20200106);
  predtest::TommeTabeller();
  gruppe = NyGruppe("Lang", kEgen, 20200106, 20251228);
  Grupper({gruppe});
  NyPeriode(gruppe, 202002, 202552);
  const uint32_t a = Medlem("1a", 20200106, 20251228);
  const uint32_t f = NySkfa("DA", 'A', "Dansk");
  NytPar(a, f);
  const uint32_t g = Grund(PLAN_FAG, a, f);
  const uint32_t sidste = Tal(g, 202552, 20, PS_UGE);
  ASSERT_TRUE(Hent());
  const uint32_t uger = AntalUger(202002, 202552);
  ASSERT_GT(uger, 255u);
  EXPECT_EQ(plan.UgeAntal, SkemaPeriode.AntalUger);
  // The total, the period and one column per week.
  EXPECT_EQ(plan.KolonneAntal, 2 + uger);
  EXPECT_GE(PlanKolonnePlads(&plan), plan.KolonneAntal);
  EXPECT_EQ(plan.ObjTypeTabX[plan.KolonneAntal], 33u);
  EXPECT_EQ(plan.UgeTab[plan.KolonneAntal], 202552u);
  EXPECT_EQ(T(RaekkeAf(g), 202552).TalRec, sidste);
}

// ---- Rows added and removed ----

TEST_F(PlanIndlaes, ManglendeRaekkerTilfoejesOgGemmes) {
  const uint32_t a = Medlem("1a");
  const uint32_t da = NySkfa("DA", 'A', "Dansk"), ma = NySkfa("MA", 'B', "Matematik");
  NytPar(a, da, 40, 3.0f);
  NytPar(a, ma);
  const uint32_t m = NyAnfo("AB", "1", "Anne");
  AddPgRel(gruppe, m, 'M');
  const uint32_t ikkeMedlem = NyAnfo("CD", "1", "Carl");
  const uint32_t ikkeHold = NyAkti("2a", "2a");
  TabRec<AktiRec>(tvakti, ikkeHold)->Type[0] = 'X';
  AddPgRel(gruppe, ikkeHold, 'K');
  ASSERT_TRUE(Hent());
  EXPECT_EQ(Gemte(PLAN_AKTI, a).size(), 1u);
  EXPECT_EQ(Gemte(PLAN_FAG, a, da).size(), 1u);
  EXPECT_EQ(Gemte(PLAN_FAG, a, ma).size(), 1u);
  EXPECT_EQ(Gemte(PLAN_MEDA, 0, 0, m).size(), 1u);
  EXPECT_TRUE(Gemte(PLAN_MEDA, 0, 0, ikkeMedlem).empty());
  EXPECT_TRUE(Gemte(PLAN_AKTI, ikkeHold).empty());
  // The new subject row starts from its pair: a derived budget and the
  // assignments.
  const std::vector<uint32_t> r = Raekker(PLAN_FAG, a, da);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(R(r[0]).Budget, 40u | kAfledt);
  EXPECT_EQ(R(r[0]).Opgave_antal, 3.0f);
  // The records reached the file.
  EXPECT_EQ(Laes("ffgrund.DAT").size(), 22u + size_t(tvffgrund.wRecCnt) * sizeof(FfgrundRec));
  // A second load adds nothing.
  const uint32_t antal = tvffgrund.wRecCnt;
  ASSERT_TRUE(Hent());
  EXPECT_EQ(tvffgrund.wRecCnt, antal);
  EXPECT_EQ(Raekker(PLAN_FAG, a, da).size(), 1u);
}

TEST_F(PlanIndlaes, NytParPaaEnPlanlagtAktivitetFaarEnFagraekke) {
  const uint32_t a = Medlem("1a");
  const uint32_t da = NySkfa("DA", 'A', "Dansk"), ma = NySkfa("MA", 'B', "Matematik");
  NytPar(a, da);
  const uint32_t hoved = Grund(PLAN_AKTI, a, 0);
  Grund(PLAN_FAG, a, da);
  NytPar(a, ma);
  ASSERT_TRUE(Hent());
  ASSERT_EQ(Gemte(PLAN_FAG, a, ma).size(), 1u);
  EXPECT_EQ(Gemte(PLAN_AKTI, a), std::vector<uint32_t>{hoved});
}

TEST_F(PlanIndlaes, AndenMedarbejderFaarEnVisningskopiDerIkkeGemmes) {
  const uint32_t a = Medlem("1a");
  const uint32_t da = NySkfa("DA", 'A', "Dansk");
  NytPar(a, da);
  const uint32_t m1 = NyAnfo("AB", "1", "Anne"), m2 = NyAnfo("CD", "1", "Carl");
  AddPgRel(gruppe, m1, 'M');
  AddPgRel(gruppe, m2, 'M');
  Grund(PLAN_AKTI, a, 0);
  const uint32_t g = Grund(PLAN_FAG, a, da, m1, kEgen, m2);
  Tal(g, 202440, 30, PS_UGE);
  for (int gang = 0; gang < 2; ++gang) {
    SCOPED_TRACE(gang);
    ASSERT_TRUE(Hent());
    const uint32_t r = RaekkeAf(g);
    std::vector<uint32_t> kopier;
    for (uint32_t k = 1; k <= plan.GrundTabAntal; ++k)
      if (plan.ObjTypeTab[k] && R(k).KopiAf == r) kopier.push_back(k);
    ASSERT_EQ(kopier.size(), 1u);
    const GrundRaekke &k = R(kopier[0]);
    EXPECT_EQ(plan.ObjTypeTab[kopier[0]], PLAN_FAG);
    EXPECT_EQ(k.Aktivitet, a);
    EXPECT_EQ(k.Skolefag, da);
    EXPECT_EQ(k.Medarbejder1, m2);
    EXPECT_EQ(k.Medarbejder2, 0u);
    EXPECT_EQ(k.GrundRec, 0u);
    EXPECT_EQ(T(kopier[0], 202440).Lektioner, 30);
    // The copy is never stored: no record names the second employment first.
    EXPECT_TRUE(Gemte(PLAN_FAG, a, da, m2).empty());
  }
}

TEST_F(PlanIndlaes, FagraekkeUdenParSlettesMedSinePoster) {
  const uint32_t a = Medlem("1a");
  const uint32_t da = NySkfa("DA", 'A', "Dansk"), ma = NySkfa("MA", 'B', "Matematik");
  NytPar(a, da);
  const uint32_t par = NytPar(a, ma);
  Grund(PLAN_AKTI, a, 0);
  const uint32_t beholdt = Grund(PLAN_FAG, a, da);
  const uint32_t g = Grund(PLAN_FAG, a, ma);
  const uint32_t t1 = Tal(g, 202440, 20, PS_UGE), t2 = Tal(g, 202441, 20, PS_UGE);
  const uint32_t tb = Tal(beholdt, 202440, 20, PS_UGE);
  const uint32_t p = NyPeriode(gruppe, 202432, 202451);
  const uint32_t pr = Per(g, p, 40, PS_PERIODE);
  ASSERT_TRUE(Hent());
  ASSERT_NE(RaekkeAf(g), 0u);
  TabRec<SkphRec>(tvskph, par)->Status = 0;  // the last pair of the activity and subject goes
  ASSERT_TRUE(Hent());
  EXPECT_EQ(RaekkeAf(g), 0u);
  EXPECT_TRUE(Raekker(PLAN_FAG, a, ma).empty());
  EXPECT_FALSE(GrundIBrug(g));
  EXPECT_FALSE(IBrug<FftaltabRec>(tvfftaltab, t1, g));
  EXPECT_FALSE(IBrug<FftaltabRec>(tvfftaltab, t2, g));
  EXPECT_FALSE(IBrug<FfpertabRec>(tvffpertab, pr, g));
  // The other subject keeps its row and numbers.
  EXPECT_NE(RaekkeAf(beholdt), 0u);
  EXPECT_TRUE(IBrug<FftaltabRec>(tvfftaltab, tb, beholdt));
}

TEST_F(PlanIndlaes, AktivitetDerIkkePasserTagesUdAfGruppen) {
  struct Tilfaelde {
    const char *navn;
    char aflyst;
    Dato fra, til;
    bool udtaget;
  };
  const Tilfaelde tabel[] = {
      {"aflyst", 'J', 20240801, 20250731, true},
      {"efter gruppen", 'N', 20250801, 20260731, true},
      {"foer gruppen", 'N', 20230801, 20240731, true},
      {"passer", 'N', 20240801, 20250731, false},
  };
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.navn);
    gruppe = NyGruppe(t.navn, kEgen, 20240801, 20250731);
    Grupper({gruppe});
    VaelgGruppe(gruppe);
    const uint32_t a = Medlem("1a", t.fra, t.til);
    TabRec<AktiRec>(tvakti, a)->Aflyst = t.aflyst;
    const uint32_t da = NySkfa("DA", 'A', "Dansk");
    NytPar(a, da);
    const uint32_t h = Grund(PLAN_AKTI, a, 0);
    const uint32_t g = Grund(PLAN_FAG, a, da);
    const uint32_t tal = Tal(g, 202440, 20, PS_UGE);
    const uint32_t optalt = PlanOptaellinger();
    ASSERT_TRUE(Hent());
    EXPECT_EQ(FindPgRel(gruppe, a, 'K') == 0, t.udtaget);
    EXPECT_EQ(GrundIBrug(h), !t.udtaget);
    EXPECT_EQ(GrundIBrug(g), !t.udtaget);
    EXPECT_EQ(IBrug<FftaltabRec>(tvfftaltab, tal, g), !t.udtaget);
    EXPECT_EQ(RaekkeAf(g) != 0, !t.udtaget);
    EXPECT_EQ(Raekker(PLAN_AKTI, a).empty(), t.udtaget);
    // Taking an activity out starts the recount of the plan figures.
    EXPECT_EQ(PlanOptaellinger() > optalt, t.udtaget);
  }
}

// ---- Derived budgets ----

TEST_F(PlanIndlaes, AfledteBudgetterRegnesOgIndtastedeBliver) {
  const uint32_t a = Medlem("1a");
  AktiRec *ar = TabRec<AktiRec>(tvakti, a);
  ar->Elevlektioner = 100;
  ar->Kursistlektioner = 20;
  ar->BudgetLererTimer = 45;
  ar->StartElever = 24;
  const uint32_t da = NySkfa("DA", 'A', "Dansk"), ma = NySkfa("MA", 'B', "Matematik");
  NytPar(a, da, 60, 2.0f);
  NytPar(a, ma, 50);
  const uint32_t m = NyAnfo("AB", "1", "Anne");
  AddPgRel(gruppe, m, 'M');
  // Dansk of Anne on this activity is distributed with 33 lesson units.
  FagfordlRec ff{};
  ff.Status = 10;
  ff.Fradato = 20000101;
  ff.Tildato = 20991231;
  ff.anfo_id = m;
  ff.akti_id = a;
  ff.skfa_id = da;
  ff.Lektionsenheder = 33.0f;
  TabRec<SkfaRec>(tvskfa, da)->forste_fagfordl = Ny(tdfagfordl, tvfagfordl, ff);
  struct Tilfaelde {
    const char *navn;
    uint32_t art, skfa, anfo;
    uint8_t ejer;
    uint32_t budget, forventet;
    bool gemt;
  };
  const Tilfaelde tabel[] = {
      {"aktivitet", PLAN_AKTI, 0, 0, kEgen, 0, 120 | kAfledt, true},
      {"aktivitet, fremmed", PLAN_AKTI, 0, 0, kAnden, 0, 120 | kAfledt, false},
      {"opgave", PLAN_OPG_AKTI, 0, 0, kEgen, 7 | kAfledt, 45 | kAfledt, true},
      {"opgave, fremmed", PLAN_OPG_AKTI, 0, 0, kAnden, 0, 45 | kAfledt, false},
      {"fag med fordeling", PLAN_FAG, da, m, kEgen, 0, 33 | kAfledt, true},
      {"fag uden medarbejder", PLAN_FAG, da, 0, kEgen, 0, 60 | kAfledt, true},
      {"fag uden fordeling", PLAN_FAG, ma, m, kEgen, 0, 50 | kAfledt, true},
      {"fag, fremmed", PLAN_FAG, ma, 0, kAnden, 0, 50 | kAfledt, false},
      {"indtastet", PLAN_FAG, ma, 0, kEgen, 77, 77, false},
  };
  std::vector<uint32_t> grund;
  for (const Tilfaelde &t : tabel) {
    // Each case in a group of its own, so that the rows meet no duplicate.
    const uint32_t gr = NyGruppe(t.navn, kEgen, 20240801, 20250731);
    AddPgRel(gr, a, 'K');
    AddPgRel(gr, m, 'M');
    gruppe = gr;
    grund.push_back(Grund(t.art, a, t.skfa, t.anfo, t.ejer, 0, t.budget));
  }
  styrZ.assign(1, 0);
  for (uint32_t g = 1; g < tvffpg.wRecCnt; ++g) styrZ.push_back(g);
  plan.StyrZ.ObjTab = styrZ.data();
  plan.StyrZ.Pos.Antal = static_cast<uint32_t>(styrZ.size() - 1);
  ASSERT_TRUE(Hent());
  for (size_t i = 0; i < std::size(tabel); ++i) {
    const Tilfaelde &t = tabel[i];
    SCOPED_TRACE(t.navn);
    const uint32_t r = RaekkeAf(grund[i]);
    ASSERT_NE(r, 0u);
    EXPECT_EQ(R(r).Budget, t.forventet);
    const uint32_t gemt = TabRec<FfgrundRec>(tvffgrund, grund[i])->Budget;
    EXPECT_EQ(gemt, t.gemt ? t.forventet : t.budget);
    if (t.art == PLAN_FAG) {
      EXPECT_EQ(R(r).ElevAntal, 24u);
      EXPECT_EQ(R(r).Opgave_antal, t.skfa == da ? 2.0f : 0.0f);
    }
  }
  // Plan job 6 works the budgets out again from the data as it is now, and
  // leaves the saving to the next save of the plan.
  ar->Elevlektioner = 200;
  const uint32_t r = RaekkeAf(grund[0]);
  ASSERT_NE(StartPlanTraad(&plan, 6), HANDLE{0});
  VentPaaPlanTraade(&plan);
  EXPECT_EQ(R(r).Budget, 220u | kAfledt);
  EXPECT_EQ(TabRec<FfgrundRec>(tvffgrund, grund[0])->Budget, 220u | kAfledt);
  EXPECT_EQ(R(RaekkeAf(grund[8])).Budget, 77u);
}

// ---- Groups and the wait dialog ----

TEST_F(PlanIndlaes, UdenGruppeBygesIntet) {
  const uint32_t a = Medlem("1a");
  Grund(PLAN_AKTI, a, 0);
  struct Tilfaelde {
    const char *navn;
    std::vector<uint32_t> grupper;
  };
  TabRec<FfpgRec>(tvffpg, gruppe)->Status = PLANREC_SLETTET;
  for (const Tilfaelde &t : {Tilfaelde{"ingen", {}}, Tilfaelde{"slettet", {gruppe}}, Tilfaelde{"ukendt", {99}}}) {
    SCOPED_TRACE(t.navn);
    styrZ.assign(1, 0);
    styrZ.insert(styrZ.end(), t.grupper.begin(), t.grupper.end());
    plan.StyrZ.ObjTab = styrZ.data();
    plan.StyrZ.Pos.Antal = static_cast<uint32_t>(t.grupper.size());
    const uint32_t poster = tvffgrund.wRecCnt;
    EXPECT_FALSE(Hent());
    EXPECT_EQ(plan.GrundTabAntal, 0u);
    EXPECT_EQ(tvffgrund.wRecCnt, poster);
  }
}

TEST_F(PlanIndlaes, DialogensBjaelkeTagerSeksten) {
  const uint32_t a = Medlem("1a");
  Grund(PLAN_AKTI, a, 0);
  RegistrerPlanVenteSkabeloner();
  for (bool medGruppe : {false, true}) {
    SCOPED_TRACE(medGruppe);
    plan.StyrZ.Pos.Antal = medGruppe ? 1 : 0;
    tavo::test::StartDialogScript(20000);
    HWND bar = 0;
    tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
      if (const auto *c = d.Control(IDC_VENTE_BAR)) bar = c->hwnd;
      return 0;
    });
    tavo::test::StartMessageLog();
    const INT_PTR r =
        DialogBoxParamA(0, MAKEINTRESOURCE(IDD_VENTE), 0, HentPlanDlgProc, reinterpret_cast<LPARAM>(&plan));
    const auto log = tavo::test::StopMessageLog();
    VentPaaPlanTraade(&plan);
    tavo::test::StopDialogScript();
    EXPECT_EQ(r, 1);  // the window opens without rows as well
    ASSERT_NE(bar, HWND{0});
    const std::vector<UINT> beskeder = tavo::test::MessagesOf(log, bar, {PBM_STEPIT, PBM_SETPOS});
    EXPECT_EQ(std::count(beskeder.begin(), beskeder.end(), PBM_STEPIT), medGruppe ? 16 : 0);
    ASSERT_FALSE(beskeder.empty());
    EXPECT_EQ(beskeder.back(), static_cast<UINT>(PBM_SETPOS));
    EXPECT_EQ(plan.GrundTabAntal != 0, medGruppe);
  }
}

}  // namespace
