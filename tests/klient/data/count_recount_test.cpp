// The counters keep the count tables equal to a full recount whatever
// sequence of events and postings is added and taken away; rows the tables
// have no cell for are left out without harm.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <tuple>
#include <vector>

#include "count_skole.h"
#include "plan_scan.h"

namespace {

using namespace counttest;

struct Foto {
  std::vector<float> medTal;  // every employment's months, in record order
  std::vector<MedTalUgeCelle> uge;
  std::vector<MedTalArbejdstidCelle> arb;
  std::vector<MedTalFerieCelle> ferie;
  std::vector<AktiTalCelle> akti;
  std::vector<uint16_t> dag;
  std::vector<uint32_t> skph, lokaSum;
  std::vector<uint8_t> optalt;
  std::vector<int64_t> taellere;  // the counters kept in akti and skph records
  std::map<std::tuple<uint32_t, uint32_t, uint32_t>, std::pair<double, int64_t>> plan;
  // The planned figures of the plan lines' entries, and their month sums.
  std::map<std::tuple<uint32_t, uint32_t, uint32_t, uint32_t, uint8_t>, std::vector<double>> planlagt;
  std::vector<PlanTalMndCelle> planMnd;
};

template <class T>
std::vector<T> Kopi(const T *p, size_t n) {
  return p ? std::vector<T>(p, p + n) : std::vector<T>();
}

Foto Tag() {
  Foto f;
  const TalDimRec &d = TalDim;
  for (uint32_t r = 1; r < tvanfo.wRecCnt; ++r)
    if (MedTalMaaned *m = MedTalFor(r)) f.medTal.insert(f.medTal.end(), &m[0][0], &m[0][0] + (MedTalM + 1) * MEDTAL_SLOTS);
  f.uge = Kopi(MedTalUgeTab, size_t(d.F + 1) * (d.W + 1));
  f.arb = Kopi(MedTalArbejdstidTab, size_t(d.E + 1) * (d.M + 1));
  f.ferie = Kopi(MedTalFerieTab, size_t(d.E + 1) * (d.Y1 + 1));
  f.akti = Kopi(AktiTalTab, size_t(d.M + 1) * d.A);
  f.dag = Kopi(AktiDagTab, size_t(d.A + 1) * (d.D + 1));
  f.skph = Kopi(skphAkkTab, size_t(d.S) * d.W * 7);
  f.lokaSum = Kopi(LokaSumTab, size_t(d.R) * d.Y);
  f.optalt = Kopi(LokaOptalt, size_t(d.R) * d.Y * LOKA_SLOTS_PR_AAR);
  for (uint32_t r = 1; r < tvakti.wRecCnt; ++r) {
    const AktiRec *a = TabRec<AktiRec>(tvakti, r);
    const int64_t elev = a->AntalElevLektioner, laerer = a->AntalLererLektioner, timer = a->AntalLererTimer;
    f.taellere.insert(f.taellere.end(), {elev, laerer, timer});
  }
  for (uint32_t r = 1; r < tvskph.wRecCnt; ++r) {
    const int64_t n = TabRec<SkphRec>(tvskph, r)->AntalLektioner;
    f.taellere.push_back(n);
  }
  // Event and posting figures may land in one another's entries depending
  // on the order they came in; their sums per activity, employment and
  // week do not.
  for (uint32_t i = 1; PlanTal.PlanTab && i <= PlanTal.Antal; ++i) {
    const PlanTabPost &e = PlanTal.PlanTab[i];
    const uint32_t akti = e.akti, anfo = e.anfo, uge = e.UgeIdx;
    auto &v = f.plan[{akti, anfo, uge}];
    v.first += e.Aktuel;
    v.second += static_cast<int32_t>(e.SkemaLektioner);
    const uint32_t grund = e.ffgrund;
    const uint8_t art = e.Art;
    if (e.Kilde == 0)
      f.planlagt[{grund, akti, anfo, uge, art}] = {
          static_cast<double>(e.PlanLektioner), e.PlanUndervisning, e.PlanTimer, e.PlanRettearbejde, e.PlanEksamen};
  }
  CountPlanTalMnd();
  f.planMnd = Kopi(PlanTalMndTab, size_t(PlanTalMndM + 1) * (PlanTalMndF + 1));
  return f;
}

bool Naer(double a, double b) { return std::fabs(a - b) <= 0.02 + 1e-4 * std::max(std::fabs(a), std::fabs(b)); }

void Sammenlign(const Foto &a, const Foto &b) {
  int fejl = 0;
  auto Flyd = [&](const char *navn, size_t i, double x, double y) {
    if (!Naer(x, y) && fejl++ < 10) ADD_FAILURE() << navn << "[" << i << "]: " << x << " != " << y;
  };
  auto Hel = [&](const char *navn, size_t i, int64_t x, int64_t y) {
    if (x != y && fejl++ < 10) ADD_FAILURE() << navn << "[" << i << "]: " << x << " != " << y;
  };
  ASSERT_EQ(a.medTal.size(), b.medTal.size());
  for (size_t i = 0; i < a.medTal.size(); ++i) Flyd("MedTal", i, a.medTal[i], b.medTal[i]);
  ASSERT_EQ(a.uge.size(), b.uge.size());
  for (size_t i = 0; i < a.uge.size(); ++i) {
    Hel("MedTalUgeTab.Lektioner", i, a.uge[i].Lektioner, b.uge[i].Lektioner);
    Flyd("MedTalUgeTab.Timer", i, a.uge[i].Timer, b.uge[i].Timer);
  }
  ASSERT_EQ(a.arb.size(), b.arb.size());
  for (size_t i = 0; i < a.arb.size(); ++i) {
    const MedTalArbejdstidCelle &x = a.arb[i], &y = b.arb[i];
    Hel("Arbejdstid.Minutter", i, x.Minutter, y.Minutter);
    Flyd("Arbejdstid.Bidrag", i, x.Bidrag, y.Bidrag);
    Flyd("Arbejdstid.Fravaer", i, x.Fravaer, y.Fravaer);
    Flyd("Arbejdstid.Indbetalt", i, x.Indbetalt, y.Indbetalt);
    Flyd("Arbejdstid.Fremtid", i, x.Fremtid, y.Fremtid);
    Flyd("Arbejdstid.Undervisning", i, x.Undervisning, y.Undervisning);
  }
  ASSERT_EQ(a.ferie.size(), b.ferie.size());
  EXPECT_EQ(0, memcmp(a.ferie.data(), b.ferie.data(), a.ferie.size() * sizeof(MedTalFerieCelle))) << "MedTalFerieTab";
  ASSERT_EQ(a.akti.size(), b.akti.size());
  for (size_t i = 0; i < a.akti.size(); ++i) {
    Hel("AktiTalTab.Elev", i, a.akti[i].ElevLektioner, b.akti[i].ElevLektioner);
    Hel("AktiTalTab.Laerer", i, a.akti[i].LaererLektioner, b.akti[i].LaererLektioner);
    Flyd("AktiTalTab.Timer", i, a.akti[i].Timer, b.akti[i].Timer);
    Flyd("AktiTalTab.TimoakTimer", i, a.akti[i].TimoakTimer, b.akti[i].TimoakTimer);
  }
  EXPECT_EQ(a.dag, b.dag) << "AktiDagTab";
  EXPECT_EQ(a.skph, b.skph) << "skphAkkTab";
  EXPECT_EQ(a.lokaSum, b.lokaSum) << "LokaSumTab";
  EXPECT_TRUE(a.optalt == b.optalt) << "LokaOptalt";
  EXPECT_EQ(a.taellere, b.taellere) << "akti/skph counters";
  for (const auto &[noegle, v] : a.plan) {
    auto it = b.plan.find(noegle);
    const std::pair<double, int64_t> w = it == b.plan.end() ? std::pair<double, int64_t>{0, 0} : it->second;
    Flyd("PlanTab.Aktuel", std::get<0>(noegle), v.first, w.first);
    Hel("PlanTab.SkemaLektioner", std::get<0>(noegle), v.second, w.second);
  }
  for (const auto &[noegle, w] : b.plan)
    if (!a.plan.count(noegle)) {
      Flyd("PlanTab.Aktuel (ny)", std::get<0>(noegle), 0, w.first);
      Hel("PlanTab.SkemaLektioner (ny)", std::get<0>(noegle), 0, w.second);
    }
  EXPECT_EQ(a.planlagt, b.planlagt) << "planned figures of the plan lines";
  ASSERT_EQ(a.planMnd.size(), b.planMnd.size());
  EXPECT_EQ(0, memcmp(a.planMnd.data(), b.planMnd.data(), a.planMnd.size() * sizeof(PlanTalMndCelle)))
      << "PlanTalMndTab";
}

class CountSkole : public TalSkoleTest {
 protected:
  CountSkole() : TalSkoleTest(1) {}
};

struct Variant {
  uint32_t seed;
  int32_t normsystem;
  uint8_t standardlektion;
  uint8_t taelaktibooking;
};

TEST_F(CountSkole, IncrementalCountersEqualAFullRecount) {
  const Variant varianter[] = {{1, 0, 0, 0}, {2, 1, 1, 1}, {3, 0, 1, 0}, {4, 0, 0, 1}, {5, 1, 0, 0}};
  for (const Variant &v : varianter) {
    SCOPED_TRACE(::testing::Message() << "seed " << v.seed);
    TearDown();
    SetUp();
    GlobalIndstillinger.normsystem = v.normsystem;
    GlobalIndstillinger.standardlektion = v.standardlektion;
    GlobalIndstillinger.standardlektionslengde = 45;
    GlobalIndstillinger.taelaktibooking = v.taelaktibooking;
    std::mt19937 rnd(v.seed);
    Skole s;
    s.Byg(14, 6, 4, rnd);
    std::vector<Begivenhed> begivenheder;
    std::vector<TimoakRaekke *> poster;
    s.PlanGruppe(rnd, 12);
    for (int i = 0; i < 30; ++i) begivenheder.push_back(s.NyBegivenhed(rnd));
    for (int i = 0; i < 10; ++i) begivenheder.push_back(s.NyBegivenhedPaaPlan(rnd));
    for (int i = 0; i < 30; ++i) s.NyPost(rnd);
    for (int i = 0; i < 10; ++i) s.NyPostPaaPlan(rnd);
    for (int i = 0; i < 20; ++i) s.NyHontim(rnd);
    for (int i = 0; i < 10; ++i) s.NyUdplatim(rnd);
    CountPlanTal();
    AllokerTalTab();

    for (int skridt = 0; skridt < 250; ++skridt) {
      switch (rnd() % 6) {
        case 0:
        case 1: {
          const Begivenhed b = rnd() % 3 ? s.NyBegivenhed(rnd) : s.NyBegivenhedPaaPlan(rnd);
          OptaelSkemabeg(b.aarIdx, b.uge, b.forste, +1);
          begivenheder.push_back(b);
          break;
        }
        case 2: {
          if (begivenheder.empty()) break;
          const size_t i = rnd() % begivenheder.size();
          const Begivenhed b = begivenheder[i];
          OptaelSkemabeg(b.aarIdx, b.uge, b.forste, -1);
          TabVar *bucket = UgeBucket(b.aarIdx, b.uge);
          for (uint32_t r = b.forste; r < bucket->wRecCnt; ++r) {
            SkeRec *row = reinterpret_cast<SkeRec *>(GetRec(&tdske, bucket, r));
            if (row->Forste != b.forste) break;
            row->Status |= SKE_SLETTET;
          }
          begivenheder.erase(begivenheder.begin() + static_cast<long>(i));
          break;
        }
        case 3: {
          TimoakRaekke *t = rnd() % 3 ? s.NyPost(rnd) : s.NyPostPaaPlan(rnd);
          OptaelTimoak(t, +1);
          break;
        }
        case 4: {
          // Bucket rows move when a bucket grows: pick a posting afresh.
          const Maaned mnd = IndeksTilMaaned(1 + rnd() % SkemaPeriode.AntalMaaneder);
          TabVar *b = TimoakBucket(mnd);
          if (!b || b->wRecCnt < 2) break;
          TimoakRaekke *t = reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, b, 1 + rnd() % (b->wRecCnt - 1)));
          OptaelTimoak(t, -1);
          if (rnd() % 2) {
            t->Status = 0x48;
          } else {
            t->Timer += 50;
            OptaelTimoak(t, +1);
          }
          break;
        }
        case 5: {
          UdplatimRaekke *u = s.NyUdplatim(rnd);
          OptaelUdplatim(u, MaanedTilIndeks(u->Dato / 100));
          break;
        }
      }
    }
    const Foto efter = Tag();
    plantest::IndeksSomGennemgang();
    FreePlanTab();
    CountPlanTal();
    AllokerTalTab();
    const Foto fuld = Tag();
    plantest::IndeksSomGennemgang();
    Sammenlign(efter, fuld);
    // The data set must reach every kind of figure, or equality says little.
    auto NogenIkkeNul = [](const auto &v) {
      return std::any_of(v.begin(), v.end(), [](const auto &x) {
        uint8_t nul[sizeof x] = {};
        return memcmp(&x, nul, sizeof x) != 0;
      });
    };
    EXPECT_TRUE(NogenIkkeNul(fuld.medTal));
    EXPECT_TRUE(NogenIkkeNul(fuld.uge));
    EXPECT_TRUE(NogenIkkeNul(fuld.arb));
    EXPECT_TRUE(NogenIkkeNul(fuld.ferie));
    EXPECT_TRUE(NogenIkkeNul(fuld.akti));
    EXPECT_TRUE(NogenIkkeNul(fuld.skph));
    EXPECT_TRUE(NogenIkkeNul(fuld.lokaSum));
    EXPECT_TRUE(NogenIkkeNul(fuld.taellere));
    EXPECT_FALSE(fuld.plan.empty());
    // The plan group is live: plan lines made entries with planned figures,
    // and events and postings found some of them.
    EXPECT_FALSE(fuld.planlagt.empty());
    EXPECT_TRUE(NogenIkkeNul(fuld.planMnd));
    size_t paaPlanlinje = 0;
    for (uint32_t i = 1; i <= PlanTal.Antal; ++i)
      paaPlanlinje += PlanTal.PlanTab[i].Kilde == 0 && PlanTal.PlanTab[i].Aktuel != 0;
    EXPECT_GT(paaPlanlinje, 0u);
  }
}

TEST_F(CountSkole, RowsWithoutACellAreSkippedAndHarmNothing) {
  HarEgenPlan = 0;  // the recounts below would add the actuals to the plan list again
  std::mt19937 rnd(7);
  Skole s;
  s.Byg(6, 3, 3, rnd);
  for (int i = 0; i < 10; ++i) s.NyBegivenhed(rnd);
  AllokerTalTab();
  const Foto foer = Tag();

  struct Tilfaelde {
    uint8_t dag, lektion;
  } tilfaelde[] = {{9, 2}, {0, 2}, {3, 60}, {3, 49}, {255, 254}, {8, 0}};
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(::testing::Message() << "dag " << int(t.dag) << " lektion " << int(t.lektion));
    const Begivenhed b = s.NyBegivenhed(rnd, IndeksTilUge(20), t.dag, t.lektion);
    OptaelSkemabeg(b.aarIdx, b.uge, b.forste, +1);
    Sammenlign(Tag(), foer);
    AllokerTalTab();
    Sammenlign(Tag(), foer);
    OptaelSkemabeg(b.aarIdx, b.uge, b.forste, -1);
    Sammenlign(Tag(), foer);
  }
}

}  // namespace
