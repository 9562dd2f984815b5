// A recount answers its plan-list questions from the answers the recount
// before it kept: whatever changed in between, it leaves every table and
// the plan list byte for byte as a recount that kept nothing does.
#include <gtest/gtest.h>

#include <cstring>
#include <algorithm>
#include <functional>
#include <random>
#include <vector>

#include "PLANIDX.h"
#include "count_skole.h"

namespace {

using namespace counttest;

// Every byte the recount writes: the count tables, the counters kept in
// the records and the plan list.
std::vector<uint8_t> Bytes() {
  std::vector<uint8_t> v;
  auto Til = [&](const void *p, size_t n) {
    if (p) v.insert(v.end(), static_cast<const uint8_t *>(p), static_cast<const uint8_t *>(p) + n);
  };
  const TalDimRec &d = TalDim;
  for (uint32_t r = 1; r < tvanfo.wRecCnt; ++r) Til(MedTalFor(r), sizeof(MedTalMaaned) * (MedTalM + 1));
  Til(MedTalUgeTab, sizeof(MedTalUgeCelle) * (d.F + 1) * (d.W + 1));
  Til(MedTalArbejdstidTab, sizeof(MedTalArbejdstidCelle) * (d.E + 1) * (d.M + 1));
  Til(MedTalFerieTab, sizeof(MedTalFerieCelle) * (d.E + 1) * (d.Y1 + 1));
  Til(AktiTalTab, sizeof(AktiTalCelle) * (d.M + 1) * d.A);
  Til(skphAkkTab, sizeof(uint32_t) * d.S * d.W * 7);
  Til(LokaSumTab, sizeof(uint32_t) * d.R * d.Y);
  Til(LokaOptalt, static_cast<size_t>(d.R) * d.Y * LOKA_SLOTS_PR_AAR);
  Til(tvakti.pbTab, static_cast<size_t>(tvakti.wRecCnt) * tdakti.RecSize);
  Til(tvskph.pbTab, static_cast<size_t>(tvskph.wRecCnt) * tdskph.RecSize);
  const uint32_t n = PlanTal.PlanTab ? PlanTal.Antal : 0;
  Til(&n, sizeof n);
  if (n) Til(PlanTal.PlanTab + 1, sizeof(PlanTabPost) * n);
  return v;
}

std::vector<PlanTabPost> ListeKopi() {
  if (!PlanTal.PlanTab) return {};
  return std::vector<PlanTabPost>(PlanTal.PlanTab + 1, PlanTal.PlanTab + 1 + PlanTal.Antal);
}

void LaegListe(const std::vector<PlanTabPost> &v) {
  BegyndPlanTab();
  for (const PlanTabPost &e : v) *NyPlanTabPost() = e;
}

class KeptAnswers : public TalSkoleTest {
 protected:
  KeptAnswers() : TalSkoleTest(1) {}
};

// Deletes the event whose first row is forste, as the editors mark it.
void Slet(const Begivenhed &b) {
  TabVar *bucket = UgeBucket(b.aarIdx, b.uge);
  for (uint32_t r = b.forste; r < bucket->wRecCnt; ++r) {
    SkeRec *row = reinterpret_cast<SkeRec *>(GetRec(&tdske, bucket, r));
    if (row->Forste != b.forste) break;
    row->Status |= SKE_SLETTET;
  }
}

TEST_F(KeptAnswers, RecountEqualsOneThatKeptNothing) {
  std::mt19937 rnd(11);
  Skole s;
  s.Byg(14, 6, 4, rnd);
  s.PlanGruppe(rnd, 12);
  std::vector<Begivenhed> begivenheder;
  for (int i = 0; i < 40; ++i) begivenheder.push_back(i % 3 ? s.NyBegivenhed(rnd) : s.NyBegivenhedPaaPlan(rnd));
  for (int i = 0; i < 40; ++i) i % 2 ? s.NyPost(rnd) : s.NyPostPaaPlan(rnd);
  for (int i = 0; i < 10; ++i) s.NyHontim(rnd);
  CountPlanTal();
  AllokerTalTab();

  auto EnPost = [] {
    for (MaanedIndeks m = 1; m <= SkemaPeriode.AntalMaaneder; ++m)
      if (TabVar *b = TimoakBucket(IndeksTilMaaned(m)); b && b->wRecCnt > 2)
        return reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, b, 1));
    return static_cast<TimoakRaekke *>(nullptr);
  };
  auto EnPlanuge = [] { return TabRec<FftaltabRec>(tvfftaltab, 1); };
  enum Husket { ALLE, NOGLE, INGEN };
  struct Trin {
    const char *navn;
    bool nyPlanliste;       // the plan-line pass runs before the recount
    Husket husket;          // how many questions the kept answers answer (NOGLE: at least one)
    std::function<void()> aendring;
  };
  const Trin trin[] = {
      {"nothing changed", true, ALLE, [] {}},
      {"nothing changed again", true, ALLE, [] {}},
      {"an event added", true, NOGLE, [&] { begivenheder.push_back(s.NyBegivenhedPaaPlan(rnd)); }},
      {"an event deleted", true, NOGLE, [&] { Slet(begivenheder[0]); }},
      {"a posting added", true, NOGLE, [&] { s.NyPostPaaPlan(rnd); }},
      {"a posting's hours changed", true, ALLE, [&] { EnPost()->Timer += 75; }},
      {"a posting's kind changed", true, NOGLE, [&] { EnPost()->Type = 'e'; }},
      // Its question is now the one a later posting of the month asks,
      // whose entry was made by that one before.
      {"a posting made like a later one", true, NOGLE, [&] {
         TimoakRaekke *f = EnPost();
         TabVar *b = TimoakBucket(f->Dato / 100);
         const TimoakRaekke *l = reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, b, b->wRecCnt - 1));
         f->akti_id = l->akti_id;
         f->anfo_id = l->anfo_id;
         f->Type = l->Type;
         f->Dato = l->Dato;
         f->Timer = 50;
       }},
      {"a plan line's week deleted", true, INGEN, [&] { EnPlanuge()->Status = 0x48; }},
      {"a plan line's week moved", true, INGEN, [&] {
         EnPlanuge()->Status = 0x40;
         EnPlanuge()->Uge = IndeksTilUge(3);
       }},
      {"the list not made anew", false, NOGLE, [] {}},
      {"an event counted into the list between recounts", false, NOGLE, [&] {
         const Begivenhed b = s.NyBegivenhedPaaPlan(rnd);
         OptaelSkemabeg(b.aarIdx, b.uge, b.forste, +1);
       }},
      {"made anew after that", true, INGEN, [] {}},
      {"and once more", true, ALLE, [] {}},
      {"the kept list forgotten", true, INGEN, [] { PlanIndeksFri(); }},
  };
  for (const Trin &t : trin) {
    SCOPED_TRACE(t.navn);
    t.aendring();
    if (t.nyPlanliste) CountPlanTal();
    const std::vector<PlanTabPost> foer = ListeKopi();
    AllokerTalTab();
    const PlanSvarTal tal = SidstePlanSvar();
    const std::vector<uint8_t> med = Bytes();
    // The same recount on the same list with nothing kept.
    LaegListe(foer);
    PlanIndeksFri();
    AllokerTalTab();
    EXPECT_EQ(SidstePlanSvar().husket, 0u);
    const std::vector<uint8_t> uden = Bytes();
    ASSERT_EQ(med.size(), uden.size());
    const auto forskel = std::mismatch(med.begin(), med.end(), uden.begin());
    EXPECT_TRUE(forskel.first == med.end()) << "first differing byte " << (forskel.first - med.begin()) << " of "
                                            << med.size();
    EXPECT_GT(tal.spurgt, 0u);
    if (t.husket == ALLE) {
      EXPECT_EQ(tal.husket, tal.spurgt);
    }
    if (t.husket == NOGLE) {
      EXPECT_GT(tal.husket, 0u);
    }
    if (t.husket == INGEN) {
      EXPECT_EQ(tal.husket, 0u);
    }
  }
}

}  // namespace

namespace {

// A recount keeps each activity's minute norm for the dates its rule
// holds: postings of one month on either side of a change of rule, and in
// a gap between two rules, each count with the norm of their own day.
TEST_F(KeptAnswers, PostingsCountWithTheRuleOfTheirDay) {
  HarEgenPlan = 0;
  std::mt19937 rnd(3);
  Skole s;
  s.Byg(2, 1, 1, rnd);
  const uint32_t akti = s.akti[0];
  const uint32_t foerste = Ny(tdmiak, tvmiak, MiakRec{1, 10, akti, 20240801, 20250110, 45.0f, 0});
  const uint32_t anden = Ny(tdmiak, tvmiak, MiakRec{2, 10, akti, 20250115, 20250731, 50.0f, 0});
  TabRec<MiakRec>(tvmiak, foerste)->neste_miak = anden;
  TabRec<AktiRec>(tvakti, akti)->forste_miak = foerste;
  ASSERT_NE(TabRec<AktiRec>(tvakti, akti)->Aktivitet[0], '+');
  // In the order the bucket holds them, not by date.
  const struct {
    Dato dato;
    int32_t tusindedele;  // one hour at the day's norm
  } poster[] = {{20250110, 750}, {20250112, 1000}, {20250115, 833}, {20250109, 750},
                {20250111, 1000}, {20250120, 833}, {20250114, 1000}};
  int32_t forventet = 0;
  for (const auto &p : poster) {
    TimoakRaekke *t = Tilfoej<TimoakRaekke>(tdtimoak, TimoakBucket(p.dato / 100), nullptr);
    t->Status = 0x40;
    t->Type = 'F';
    t->akti_id = akti;
    t->anfo_id = s.anfo[0];
    t->Dato = p.dato;
    t->Timer = 100;
    forventet += p.tusindedele;
  }
  AllokerTalTab();
  EXPECT_EQ(TabRec<AktiRec>(tvakti, akti)->AntalLererTimer, forventet);
}

}  // namespace

namespace {

// A posting's question is answered by the first entry of its activity,
// teacher, week and kind, whatever subject the events gave it. When an
// event changed, an entry the recount before made for the posting may
// still have the posting's key while an entry made earlier now has it too:
// the kept answer no longer holds.
TEST_F(KeptAnswers, AnEntryMadeEarlierAnswersAPostingFirst) {
  std::mt19937 rnd(5);
  Skole s;
  s.Byg(4, 3, 1, rnd);
  AllokerTalTab();  // makes the employments' monthly figures
  std::vector<uint32_t> medTal;
  for (uint32_t x : s.anfo)
    if (MedTalFor(x)) medTal.push_back(x);
  ASSERT_GE(medTal.size(), 2u);
  const uint32_t f = medTal[0], g = medTal[1];
  const uint32_t a = s.akti[0], b = s.akti[1];
  const Uge uge = IndeksTilUge(20);
  auto Begivenhed1 = s.Skriv(rnd, uge, 2, 1, s.skfa[0], {{b, 0, 0, 0}, {0, g, s.rol[0], 0}});
  s.Skriv(rnd, uge, 3, 1, s.skfa[1], {{a, 0, 0, 0}, {0, f, s.rol[0], 0}});
  const Dato dato = UgeDagTilDato(uge, 4);
  TimoakRaekke *t = Tilfoej<TimoakRaekke>(tdtimoak, TimoakBucket(dato / 100), nullptr);
  t->Status = 0x40;
  t->Type = 'k';
  t->akti_id = a;
  t->anfo_id = f;
  t->Dato = dato;
  t->Timer = 150;
  CountPlanTal();
  AllokerTalTab();
  ASSERT_EQ(PlanTal.Antal, 2u);
  // The first event now asks with the second one's activity and teacher.
  TabVar *bucket = UgeBucket(Begivenhed1.aarIdx, Begivenhed1.uge);
  for (uint32_t r = Begivenhed1.forste; r < bucket->wRecCnt; ++r) {
    SkeRec *row = reinterpret_cast<SkeRec *>(GetRec(&tdske, bucket, r));
    if (row->Forste != Begivenhed1.forste) break;
    if (row->akti_id) row->akti_id = a;
    if (row->anfo_id) row->anfo_id = f;
  }
  CountPlanTal();
  AllokerTalTab();
  EXPECT_GT(SidstePlanSvar().spurgt, 0u);
  const std::vector<uint8_t> med = Bytes();
  ASSERT_EQ(PlanTal.Antal, 2u);
  BegyndPlanTab();
  PlanIndeksFri();
  CountPlanTal();
  AllokerTalTab();
  EXPECT_TRUE(med == Bytes());
}

}  // namespace

namespace {

// A month's postings come in runs of one date, but a run may break and
// come back: each posting's plan figures go to the week and weekday of its
// own date, on the first recount and on one that answers from kept answers.
TEST_F(KeptAnswers, PostingsOfAMonthTakeTheWeekOfTheirOwnDate) {
  std::mt19937 rnd(7);
  Skole s;
  s.Byg(2, 1, 1, rnd);
  const uint32_t akti = s.akti[0], anfo = s.anfo[0];
  // In the order the bucket holds them: weeks 2, 3 and 4 of January 2025.
  const Dato datoer[] = {20250107, 20250107, 20250114, 20250107, 20250121, 20250121, 20250109, 20250114};
  struct Forventet {
    UgeIndeks w;
    uint8_t dag;
    float timer;
  };
  std::vector<Forventet> forventet;
  for (const Dato d : datoer) {
    TimoakRaekke *t = Tilfoej<TimoakRaekke>(tdtimoak, TimoakBucket(d / 100), nullptr);
    t->Status = 0x40;
    t->Type = 'k';
    t->akti_id = akti;
    t->anfo_id = anfo;
    t->Dato = d;
    t->Timer = 100;
    Uge uge = 0;
    uint8_t dag = 0;
    DatoTilUge(d, &uge, &dag);
    const UgeIndeks w = UgeTilIndeks(uge);
    auto f = std::find_if(forventet.begin(), forventet.end(), [&](const Forventet &x) { return x.w == w; });
    if (f == forventet.end())
      forventet.push_back({w, dag, 1.0f});  // the first posting of the week gives the entry its day
    else
      f->timer += 1.0f;
  }
  ASSERT_EQ(forventet.size(), 3u);
  for (const char *runde : {"first recount", "from kept answers"}) {
    SCOPED_TRACE(runde);
    CountPlanTal();
    AllokerTalTab();
    std::vector<Forventet> fundet;
    for (uint32_t n = 1; PlanTal.PlanTab && n <= PlanTal.Antal; ++n) {
      const PlanTabPost &e = PlanTal.PlanTab[n];
      if (e.Kilde == 2 && e.akti == akti && e.anfo == anfo) fundet.push_back({e.UgeIdx, e.Ugedag, e.Aktuel});
    }
    ASSERT_EQ(fundet.size(), forventet.size());
    for (size_t i = 0; i < fundet.size(); ++i) {
      EXPECT_EQ(fundet[i].w, forventet[i].w) << i;
      EXPECT_EQ(fundet[i].dag, forventet[i].dag) << i;
      EXPECT_EQ(fundet[i].timer, forventet[i].timer) << i;
    }
  }
  EXPECT_GT(SidstePlanSvar().husket, 0u);
}

}  // namespace
