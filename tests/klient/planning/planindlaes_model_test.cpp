// The plan load over a made school gives the model that the plain passes
// give: the load takes short cuts (tables kept from the last load, headings
// known empty, the first row layout without figures, the week records
// grouped once), and each must leave every figure as the pass it stands
// for would. The duplicate passes' quick check lets no duplicate through.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "FF_GRUPPE.h"
#include "FF_PlanFyld.h"
#include "FF_PlanRec.h"
#include "ImpBehandl.h"
#include "OPTAEL.h"
#include "PLANAKSER.h"
#include "PLANIDX.h"
#include "PlanTraad.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "SKOLEDATA.h"
#include "TALTAB.h"
#include "TAVODATA.h"
#include "plan_fixtur.h"
#include "planmodel_aftryk.h"

namespace {

using plantest::kAnden;
using plantest::kEgen;
using predtest::Ny;

// Every plan group of the made small school selected, as the plan window
// opens it.
class PlanIndlaesModel : public ::testing::Test {
 protected:
  std::string mappe;
  Plan plan{};
  HANDLE gemtMutex = 0;

  void SetUp() override {
    std::string skabelon = (std::filesystem::temp_directory_path() / "planindlaesXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    mappe = skabelon;
    SkoleStoerrelse st;
    ASSERT_TRUE(SkoleStoerrelseFraNavn("small", &st));
    std::string fejl;
    ASSERT_EQ(LavSkoleData(mappe.c_str(), st, 1, &fejl), 0) << fejl;
    OpretTalMutex();
    BehandlData();
    ASSERT_GE(tvffpg.wRecCnt, 2u);
    gemtMutex = hPlanMutex;
    hPlanMutex = CreateMutexA(nullptr, FALSE, nullptr);
    AllokerPlanTabeller(&plan);
    plan.Visning = 'A';
    BygGruppeListe(&plan);
  }
  void TearDown() override {
    VentPaaPlanTraade(&plan);
    if (hPlanMutex) CloseHandle(hPlanMutex);
    hPlanMutex = gemtMutex;
    TomPlan(&plan);
    TomPlanTabeller(&plan);
    FrigivPlanAkser(&plan);
    free(plan.PeriodeTab);
    free(plan.PeriodeSort);
    FreePlanTab();
    PlanIndeksNulstil();
    PlanOpdaterVenter.store(0);
    std::error_code ec;
    std::filesystem::remove_all(mappe, ec);
  }
  std::string Hent() {
    EXPECT_TRUE(HentPlan(0, &plan));
    VentPaaPlanTraade(&plan);
    return plantest::Aftryk(true).Af(plan);
  }
};

TEST_F(PlanIndlaesModel, IndlaesningenGiverDeAlmindeligePassTal) {
  // Each view sums other headings in the row layout, and the load leaves
  // those to it.
  for (const uint8_t visning : {'A', 'M', 'O'}) {
    SCOPED_TRACE(visning);
    plan.Visning = visning;
    // The first load stores the rows the data implies; the loads after it
    // find them stored.
    Hent();
    const std::string hentet = Hent();
    ASSERT_NE(hentet.find("row 1 "), std::string::npos);

    // The same figures from the plain passes, over the model the load
    // built: the hours of every row's planned lessons, the posted hours,
    // every heading zeroed and summed again, and the rows laid out with
    // their headings' sums. (The scheduled lessons are not asked again: the
    // load asks them before it makes the employees' rows for them.)
    for (uint32_t r = 1; r <= plan.GrundTabAntal; ++r)
      for (uint32_t u = 0; u <= plan.UgeAntal + 1; ++u)
        if (const int32_t l = plan.GrundTab[r].TalTab[u].Lektioner) BeregnUgeTimer(&plan, u, r, l);
    HentPosteringer(&plan);
    OpretOverskrifter(&plan);
    BygRaekker(&plan, true);
    VentPaaPlanTraade(&plan);
    EXPECT_EQ(plantest::Aftryk(true).Af(plan), hentet);

    // A reload over the tables the last load left, and a load into an empty
    // model, build it again.
    EXPECT_EQ(Hent(), hentet);
    TomPlan(&plan);
    EXPECT_EQ(Hent(), hentet);
  }
}

TEST_F(PlanIndlaesModel, RaekkerneFyldtAfFlereTraadeSomAfEn) {
  // The rows' tables are cleared and filled by worker threads on a large
  // plan; here every few rows get a thread of their own, over tables a
  // load before left filled.
  const uint32_t gemt = gPlanRaekkerPrArbejder;
  gPlanRaekkerPrArbejder = UINT32_MAX;
  Hent();
  const std::string een = Hent();
  gPlanRaekkerPrArbejder = 1;
  const std::string flere = Hent();
  TomPlan(&plan);
  const std::string flereTomme = Hent();
  gPlanRaekkerPrArbejder = gemt;
  EXPECT_EQ(flere, een);
  EXPECT_EQ(flereTomme, een);
}

TEST_F(PlanIndlaesModel, OverskrifterSummeretAfFlereTraadeSomAfEn) {
  // On a large plan the rows' hours and totals and what they add to their
  // headings and employees are worked out on threads, in runs of rows. Here
  // every few rows get a thread and the runs are short, so that the rows of
  // one heading or one employee fall in several runs and on several
  // threads; in each view, whose headings differ. The row layout after it
  // sums its view's headings on threads too.
  struct Gem {
    uint32_t traad = gPlanRaekkerPrArbejder, loeb = gPlanLoebRaekker;
    ~Gem() { gPlanRaekkerPrArbejder = traad, gPlanLoebRaekker = loeb; }
  } gem;
  for (const uint8_t visning : {'A', 'M', 'O'}) {
    SCOPED_TRACE(visning);
    plan.Visning = visning;
    gPlanRaekkerPrArbejder = UINT32_MAX;
    Hent();
    const std::string een = Hent();
    gPlanRaekkerPrArbejder = 1;
    for (const uint32_t loeb : {1u, 3u, 256u}) {
      SCOPED_TRACE(loeb);
      gPlanLoebRaekker = loeb;
      EXPECT_EQ(Hent(), een);
      TomPlan(&plan);
      EXPECT_EQ(Hent(), een);
    }
  }
}

TEST_F(PlanIndlaesModel, PosteringerLaestForudSomLaestVedTrinnet) {
  // The postings read ahead on a kept thread from the load's start count
  // as those read at the step, and a reading ahead whose memberships
  // changed meanwhile is not used: an employment with postings leaves
  // every group after the reading began.
  const uint32_t gemt = gPlanRaekkerPrArbejder;
  gPlanRaekkerPrArbejder = 1;
  Hent();
  const std::string foer = Hent();
  uint32_t anfo = 0;
  for (MaanedIndeks mi = 1; anfo == 0 && mi <= SkemaPeriode.AntalMaaneder; ++mi) {
    const TabVar *b = TimoakBucket(IndeksTilMaaned(mi));
    const TimoakRaekke *rk = b && b->pbTab ? reinterpret_cast<const TimoakRaekke *>(b->pbTab) : nullptr;
    for (uint32_t i = 1; rk && anfo == 0 && i < b->wRecCnt; ++i)
      if ((rk[i].Status & 0x48) == 0x40 && rk[i].Timer && FindPgRel(0, rk[i].anfo_id, 'M')) anfo = rk[i].anfo_id;
  }
  ASSERT_NE(anfo, 0u);
  std::string forud;
  {
    PlanLaas laas;
    const PosteringerForud posteringer(&plan);
    for (uint32_t n = 1; n < tvffpgrel.wRecCnt; ++n) {
      FfpgrelRec *r = TabRec<FfpgrelRec>(tvffpgrel, n);
      if (r->anfo_id == anfo) r->Status = 0;
    }
    HentPosteringer(&plan);
    forud = plantest::Aftryk(true).Af(plan);
  }
  HentPosteringer(&plan);
  gPlanRaekkerPrArbejder = gemt;
  EXPECT_EQ(plantest::Aftryk(true).Af(plan), forud);
  EXPECT_NE(forud, foer);
}

class PlanIndlaesDubletter : public plantest::PlanFixtur {};

TEST_F(PlanIndlaesDubletter, KunPosterISammeRaekkeOgUgeErDubletter) {
  // Field values that fit one 64-bit key and values that do not; the
  // pair differs in the lowest bit of a field, or only its status or owner
  // keeps it from being a duplicate.
  const struct {
    uint32_t grund1, grund2;
    Uge uge1, uge2;
    uint8_t ejer2, status2;
    uint32_t slettet;
    int perSlettet = -1;  // the period records' pair alone, when it differs
  } tilfaelde[] = {
      {5, 5, 202440, 202440, kEgen, 64, 1},
      {5, 5, 202440, 202441, kEgen, 64, 0},
      {4, 5, 202440, 202440, kEgen, 64, 0},
      {5, 5, 202440, 202440, kAnden, 64, 0},
      {5, 5, 202440, 202440, kEgen, 0x48, 0},
      {5, 5, 202440, 202440, kEgen, 0, 0},
      {0xFFFFFFF0u, 0xFFFFFFF0u, 0xFFFFFFFFu, 0xFFFFFFFFu, kEgen, 64, 1},
      {0xFFFFFFF0u, 0xFFFFFFF0u, 0xFFFFFFFEu, 0xFFFFFFFFu, kEgen, 64, 0},
      {0xFFFFFFF0u, 0xFFFFFFF1u, 0xFFFFFFFFu, 0xFFFFFFFFu, kEgen, 64, 0},
      {0x00FFFFFFu, 0x00FFFFFFu, 0x00FFFFFFu, 0x00FFFFFFu, kEgen, 64, 1},
      {0x00FFFFFFu, 0x00FFFFFEu, 0x00FFFFFFu, 0x00FFFFFFu, kEgen, 64, 0},
      // Out of key order: falling without a duplicate, and the first
      // record's duplicate two places on.
      {5, 4, 202440, 202440, kEgen, 64, 0},
      {5, 3, 202440, 202440, kEgen, 64, 1, 0},
  };
  for (const auto &t : tilfaelde) {
    predtest::TomTabel(&tvfftaltab);
    predtest::TomTabel(&tvffpertab);
    FftaltabRec a{};
    a.ffgrund_id = 3;  // a record of another row before the pair
    a.Uge = 202440;
    a.PlanStatus = PS_UGE;
    a.Ejer = kEgen;
    a.Status = 64;
    Ny(tdfftaltab, tvfftaltab, a);
    a.ffgrund_id = t.grund1;
    a.Uge = t.uge1;
    Ny(tdfftaltab, tvfftaltab, a);
    a.ffgrund_id = t.grund2;
    a.Uge = t.uge2;
    a.Ejer = t.ejer2;
    a.Status = t.status2;
    Ny(tdfftaltab, tvfftaltab, a);
    // The load's check of all three tables at once lets no duplicate
    // through (where the keys do not fit its packing it leaves the finding
    // to the passes).
    EXPECT_TRUE(t.slettet == 0 || !IngenPlanDubletter()) << t.grund1 << " " << t.grund2 << " " << t.uge1 << " " << t.uge2;
    EXPECT_EQ(FjernTalTabDubletter(), t.slettet) << t.grund1 << " " << t.grund2 << " " << t.uge1 << " " << t.uge2;
    EXPECT_EQ(FjernTalTabDubletter(), 0u);
    // The period records go by the same rule.
    FfpertabRec p{};
    p.ffgrund_id = t.grund1;
    p.ffpp_id = t.uge1;
    p.PlanStatus = PS_PERIODE;
    p.Ejer = kEgen;
    p.Status = 64;
    Ny(tdffpertab, tvffpertab, p);
    p.ffgrund_id = t.grund2;
    p.ffpp_id = t.uge2;
    p.Ejer = t.ejer2;
    p.Status = t.status2;
    Ny(tdffpertab, tvffpertab, p);
    const uint32_t perSlettet = t.perSlettet < 0 ? t.slettet : uint32_t(t.perSlettet);
    EXPECT_TRUE(perSlettet == 0 || !IngenPlanDubletter()) << t.grund1 << " " << t.uge1 << " " << t.uge2;
    EXPECT_EQ(FjernPerTabDubletter(), perSlettet) << t.grund1 << " " << t.uge1 << " " << t.uge2;
  }
}

class PlanIndlaesPar : public plantest::PlanFixtur {};

TEST_F(PlanIndlaesPar, AktivitetensParListeFoelgerParreneVedHverGenopbygning) {
  // A reload writes an activity's list over its old one when the number of
  // pairs is the same; the lists still follow the pairs: one of the same
  // number whose pair changed subject, one that lost a pair, one that got
  // its first, one that lost its last.
  const uint32_t da = NySkfa("DA", 'A', "Dansk"), ma = NySkfa("MA", 'B', "Matematik");
  const uint32_t en = NyAkti("1a", "1a"), to = NyAkti("2a", "2a"), tre = NyAkti("3a", "3a"), fire = NyAkti("4a", "4a");
  const uint32_t enDa = Ny(tdskph, tvskph, SkphRec{en, da, 10, 0, 0.0f, 0});
  Ny(tdskph, tvskph, SkphRec{to, da, 10, 0, 0.0f, 0});
  const uint32_t toMa = Ny(tdskph, tvskph, SkphRec{to, ma, 10, 0, 0.0f, 0});
  const uint32_t fireDa = Ny(tdskph, tvskph, SkphRec{fire, da, 10, 0, 0.0f, 0});
  auto liste = [&](uint32_t a) {
    const PlanAktiPost &e = plan.PlanAktiTab[a];
    std::vector<uint32_t> v;
    for (uint32_t i = 0; e.SkphTab && i <= e.SkphAntal; ++i) v.push_back(e.SkphTab[i]);
    return v;
  };
  BygAktiSkph(&plan);
  TabRec<SkphRec>(tvskph, enDa)->skfa_id = ma;
  TabRec<SkphRec>(tvskph, toMa)->Status = 0;
  TabRec<SkphRec>(tvskph, fireDa)->Status = 0;
  const uint32_t treMa = Ny(tdskph, tvskph, SkphRec{tre, ma, 10, 0, 0.0f, 0});
  BygAktiSkph(&plan);
  const std::vector<uint32_t> efter[] = {liste(en), liste(to), liste(tre), liste(fire)};
  // The same from tables built afresh.
  TomPlanTabeller(&plan);
  AllokerPlanTabeller(&plan);
  BygAktiSkph(&plan);
  EXPECT_EQ(efter[0], liste(en));
  EXPECT_EQ(efter[1], liste(to));
  EXPECT_EQ(efter[2], liste(tre));
  EXPECT_EQ(efter[3], liste(fire));
  EXPECT_EQ(efter[0], (std::vector<uint32_t>{0, enDa}));
  EXPECT_EQ(efter[2], (std::vector<uint32_t>{0, treMa}));
  EXPECT_TRUE(efter[3].empty());
  EXPECT_EQ(plan.PlanAktiTab[to].SkphAntal, 1u);
}

}  // namespace
