// Growth of the plan list, the subject-placement table's allocation retry,
// the count mutex, the plan-line pass and the single figures of events and
// postings.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "MINNORM.h"
#include "count_skole.h"

namespace {

using namespace counttest;

// Fields of packed records are read by value: a reference could be misaligned.
template <class T>
T V(T x) {
  return x;
}

class CountTal : public ::testing::Test {
 protected:
  void SetUp() override {
    predtest::TommeTabeller();
    TomSkemabeg();
    TomTimoak();
    TomHontim();
    InitPeriode(20240801, 20250731, 20240801);
    StandardIndstillinger();
    TalDagsDato = FastDag;
    HarEgenPlan = 0;
  }
  void TearDown() override {
    TalAlloc = {malloc, calloc, realloc};
    LukTalMutex();
    FreeAlleTalTabeller();
    FreeAnfoAktiGrund(&AnfoAktiGrund);
    TomSkemabeg();
    TomTimoak();
    TomHontim();
    predtest::FrigivAlle();
    StandardIndstillinger();
    TalDagsDato = DagsDato;
    HarEgenPlan = 0;
  }

  uint32_t NyAkti(const char *navn = "hold", uint32_t loty = 0, char aflyst = 'N') {
    AktiRec a{};
    a.id = 1000 + tvakti.wRecCnt;
    Tekst(a.Aktivitet, navn);
    a.Status = 10;
    Tekst(a.Type, "UV");
    a.Fradato = 20240801;
    a.Tildato = 20250731;
    a.Aflyst = aflyst;
    a.loty_id = loty;
    return Ny(tdakti, tvakti, a);
  }
  uint32_t NyAnfo(uint8_t status = 10) {
    MedaRec m{};
    m.id = 5000 + tvmeda.wRecCnt;
    Tekst(m.Initialer, "ABC");
    m.Status = 10;
    AnfoRec f{};
    f.id = 6000 + tvanfo.wRecCnt;
    f.meda_id = Ny(tdmeda, tvmeda, m);
    f.Status = status;
    return Ny(tdanfo, tvanfo, f);
  }
  uint32_t NyLoty(const char *kode) {
    LotyRec l{};
    l.id = 300 + tvloty.wRecCnt;
    Tekst(l.Aktivitetstype, kode);
    l.Status = 10;
    return Ny(tdloty, tvloty, l);
  }
  uint32_t NyLoka() {
    LokaRec l{};
    l.id = 7000 + tvloka.wRecCnt;
    l.Status = 10;
    return Ny(tdloka, tvloka, l);
  }

  // One event: an activity row, an employment row, a room row.
  Begivenhed Event(Uge uge, uint8_t dag, uint8_t lektion, uint32_t akti, uint32_t anfo, uint32_t loka,
                   uint32_t start = 800, uint32_t slut = 845, float std = 0) {
    Begivenhed b{static_cast<uint8_t>(uge / 100 - SkemaPeriode.BaseAar), static_cast<uint8_t>(uge % 100), 0};
    TabVar *bucket = UgeBucket(b.aarIdx, b.uge);
    const uint32_t dele[3][3] = {{akti, 0, 0}, {0, anfo, 0}, {0, 0, loka}};
    for (const auto &d : dele) {
      if (!d[0] && !d[1] && !d[2]) continue;
      uint32_t nr = 0;
      SkeRec *s = Tilfoej<SkeRec>(tdske, bucket, &nr);
      if (!b.forste) b.forste = nr;
      s->Status = SKE_EGEN;
      s->akti_id = d[0];
      s->anfo_id = d[1];
      s->loka_id = d[2];
      s->Dag = dag;
      s->Lektion = lektion;
      s->Starttid = start;
      s->Sluttid = slut;
      s->Antal_std_lektioner = std;
      s->Ejer = GlobalIndstillinger.insnr;
      s->Forste = b.forste;
    }
    return b;
  }

  TimoakRaekke *Post(Dato dato, char type, uint32_t akti, uint32_t anfo, int32_t timer) {
    TimoakRaekke *t = Tilfoej<TimoakRaekke>(tdtimoak, TimoakBucket(dato / 100), nullptr);
    t->Status = 0x40;
    t->Type = type;
    t->akti_id = akti;
    t->anfo_id = anfo;
    t->Dato = dato;
    t->Timer = timer;
    return t;
  }
};

// ---- The plan list ----

int gRealloc = 0;
std::vector<size_t> gReallocStoerrelser;
void *TaelRealloc(void *p, size_t n) {
  ++gRealloc;
  gReallocStoerrelser.push_back(n);
  return realloc(p, n);
}

TEST_F(CountTal, PlanListGrowsAtEachTenThousandAndKeepsItsEntries) {
  TalAlloc.Realloc = TaelRealloc;
  gRealloc = 0;
  for (uint32_t i = 1; i <= 9999; ++i) NyPlanTabPost()->akti = i;
  EXPECT_EQ(gRealloc, 0);
  NyPlanTabPost()->akti = 10000;
  EXPECT_EQ(gRealloc, 1);
  NyPlanTabPost()->akti = 10001;
  EXPECT_EQ(gRealloc, 1);
  for (uint32_t i = 10002; i <= 19999; ++i) NyPlanTabPost()->akti = i;
  EXPECT_EQ(gRealloc, 1);
  NyPlanTabPost();
  EXPECT_EQ(PlanTal.Antal, 20000u);
  EXPECT_EQ(gRealloc, 2);
  for (uint32_t i = 1; i <= 19999; ++i) ASSERT_EQ(V(PlanTal.PlanTab[i].akti), i);
  EXPECT_EQ(V(PlanTal.PlanTab[20000].akti), 0u);
}

TEST_F(CountTal, PlanListOfALargeSchoolIsMovedOnlyAFewTimes) {
  // Each step asks for at least the next 10,001 entries, and for the same
  // size as the step before until the list passes 2^k or 3 x 2^(k-1)
  // entries: the allocator has no reason to move it in between, so a list
  // of hundreds of thousands of entries is not copied once per step.
  TalAlloc.Realloc = TaelRealloc;
  gReallocStoerrelser.clear();
  for (uint32_t i = 1; i <= 400000; ++i) NyPlanTabPost()->akti = i;
  ASSERT_EQ(gReallocStoerrelser.size(), 40u);
  size_t skift = 0;
  for (size_t k = 0; k < gReallocStoerrelser.size(); ++k) {
    const size_t n = (k + 1) * PLANTAB_SKRIDT;
    EXPECT_GE(gReallocStoerrelser[k], (n + PLANTAB_SKRIDT + 1) * sizeof(PlanTabPost)) << n;
    EXPECT_LE(gReallocStoerrelser[k], (n + PLANTAB_SKRIDT + 1) * sizeof(PlanTabPost) * 2) << n;
    skift += k == 0 || gReallocStoerrelser[k] != gReallocStoerrelser[k - 1];
  }
  EXPECT_LE(skift, 12u);
  for (uint32_t i = 1; i <= 400000; i += 997) ASSERT_EQ(V(PlanTal.PlanTab[i].akti), i);
}

TEST_F(CountTal, PlanListBegunAnewReusesItsBlockAndGrowsPastIt) {
  for (uint32_t i = 1; i <= 45000; ++i) NyPlanTabPost()->akti = i;
  const PlanTabPost *blok = PlanTal.PlanTab;
  // Begun anew it is empty and gone to its readers, as when freed.
  BegyndPlanTab();
  EXPECT_EQ(PlanTal.PlanTab, nullptr);
  EXPECT_EQ(PlanTal.Antal, 0u);
  BegyndPlanTab();
  TalAlloc.Realloc = TaelRealloc;
  gRealloc = 0;
  // The new list fills the old block without reallocating it; every entry
  // is fresh, and the one after the last is zero, though the old list's
  // entry stood there.
  for (uint32_t i = 1; i <= 25000; ++i) {
    PlanTabPost *e = NyPlanTabPost();
    ASSERT_EQ(V(e->akti), 0u) << i;
    ASSERT_EQ(V(e->Aktuel), 0.0f) << i;
    e->Aktuel = static_cast<float>(i);
  }
  EXPECT_EQ(PlanTal.PlanTab, blok);
  EXPECT_EQ(gRealloc, 0);
  EXPECT_EQ(V(PlanTal.PlanTab[25001].akti), 0u);
  // Past the old block's room it grows again, keeping its entries.
  for (uint32_t i = 25001; i <= 120000; ++i) NyPlanTabPost()->Aktuel = static_cast<float>(i);
  EXPECT_GT(gRealloc, 0);
  for (uint32_t i = 1; i <= 120000; i += 331) ASSERT_EQ(V(PlanTal.PlanTab[i].Aktuel), static_cast<float>(i));
  // Freed, the next list starts from a fresh block that grows at each step.
  FreePlanTab();
  gRealloc = 0;
  for (uint32_t i = 1; i <= 20000; ++i) NyPlanTabPost();
  EXPECT_EQ(gRealloc, 2);
}

// ---- skphAkkTab: the one allocation a failure is survived ----

int gMallocKald = 0, gMallocFejlFra = 0, gMallocFejlTil = 0;
bool gReallocFejl = false;
void *FejlMalloc(size_t n) {
  ++gMallocKald;
  if (gMallocKald >= gMallocFejlFra && gMallocKald <= gMallocFejlTil) return nullptr;
  return malloc(n);
}
void *FejlRealloc(void *p, size_t n) { return gReallocFejl ? nullptr : realloc(p, n); }

TEST_F(CountTal, SubjectPlacementTableRetriesInTwoHalves) {
  for (int i = 0; i < 5; ++i) {
    SkphRec p{};
    p.akti_id = NyAkti();
    p.Status = 10;
    Ny(tdskph, tvskph, p);
  }
  struct Tilfaelde {
    const char *navn;
    int fejlTil;     // mallocs 1..fejlTil fail
    bool reallocFejl;
    bool tabel;
  } tilfaelde[] = {
      {"whole block", 0, false, true},
      {"half, then enlarged", 1, false, true},
      {"half, enlargement fails", 1, true, false},
      {"not even half", 2, false, false},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    gMallocKald = 0;
    gMallocFejlFra = 1;
    gMallocFejlTil = t.fejlTil;
    gReallocFejl = t.reallocFejl;
    TalAlloc.Malloc = FejlMalloc;
    TalAlloc.Realloc = FejlRealloc;
    AllokerSkphTalTab();
    TalAlloc = {malloc, calloc, realloc};
    ASSERT_EQ(skphAkkTab != nullptr, t.tabel);
    if (skphAkkTab) {
      const size_t n = size_t(SkemaPeriode.AntalUger) * tvskph.wRecCnt * 7;
      for (size_t i = 0; i < n; ++i) ASSERT_EQ(skphAkkTab[i], 0u);
    }
    FreeSkphTalTab();
  }
}

// ---- The count mutex ----

TEST_F(CountTal, PlanValueAnswersAtOnceWhileAnotherThreadHoldsTheMutex) {
  OpretTalMutex();
  const uint32_t akti = NyAkti(), anfo = NyAnfo();
  PlanTabPost *e = NyPlanTabPost();
  e->akti = akti;
  e->anfo = anfo;
  e->skfa = 0;
  e->Minutnorm = 50.0f;
  e->Kilde = 0;

  std::promise<void> taget, slip;
  std::shared_future<void> slipF = slip.get_future().share();
  std::thread holder([&] {
    TagTalMutex();
    taget.set_value();
    slipF.wait();
    SlipTalMutex();
  });
  taget.get_future().wait();

  float v = -1;
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_FALSE(PlanTabVaerdi(anfo, akti, 0, &v));
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(500));

  // The counting pass, and an adder of actual figures, wait for the mutex
  // instead of giving up or going past it.
  std::atomic<bool> talt{false}, lagt{false};
  std::thread pass([&] {
    CountPlanTal();
    talt = true;
  });
  std::thread adder([&] {
    AddPlanTabTimoak(akti, anfo, 1, 1, 1, 'k', 2.0f);
    lagt = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(talt.load());
  EXPECT_FALSE(lagt.load());
  slip.set_value();
  holder.join();
  pass.join();
  adder.join();
  EXPECT_TRUE(talt.load());
  EXPECT_TRUE(lagt.load());
  FreePlanTab();

  // Free again: the owner may take it twice (CountPlanTalMnd holds it round
  // FillPlanTalMnd), and a read finds the plan value.
  e = NyPlanTabPost();
  e->akti = akti;
  e->anfo = anfo;
  e->Minutnorm = 50.0f;
  CountPlanTalMnd();
  EXPECT_TRUE(PlanTabVaerdi(anfo, akti, 0, &v));
  EXPECT_EQ(v, 50.0f);
}

// ---- Plan lines ----

TEST_F(CountTal, PlanLinesMakeTheirEntriesInKindOrder) {
  const uint32_t akti = NyAkti(), a1 = NyAnfo(), a2 = NyAnfo();
  FfpgRec pg{};
  pg.Fradato = 20240801;
  pg.Tildato = 20250731;
  pg.Status = 10;
  const uint32_t gruppe = Ny(tdffpg, tvffpg, pg);
  auto Linje = [&](uint32_t objType, uint32_t m1, uint32_t m2) {
    FfgrundRec g{};
    g.ffpg_id = gruppe;
    g.Aktivitet = akti;
    g.Skolefag = 0;
    g.Medarbejder1 = m1;
    g.Medarbejder2 = m2;
    g.ObjType = objType;
    g.Minutnorm1 = 45;
    g.Minutnorm2 = 50;
    g.Status = 10;
    return Ny(tdffgrund, tvffgrund, g);
  };
  auto Tal = [&](uint32_t linje, Uge uge, uint32_t lekt, float timer, float ret, float eks) {
    FftaltabRec t{};
    t.ffgrund_id = linje;
    t.Uge = uge;
    t.Lektioner = lekt;
    t.Timer = timer;
    t.Rettearbejd = ret;
    t.Eksametid = eks;
    t.Status = 10;
    Ny(tdfftaltab, tvfftaltab, t);
  };
  const uint32_t fag = Linje(2, a1, a2), andet = Linje(14, 0, 0);
  Tal(fag, 202440, 0, 0, 0, 0);   // nothing planned: no entry
  Tal(fag, 202441, 30, 2, 1, 3);  // eight entries
  Tal(fag, 202441, 40, 0, 0, 0);  // replaces the lessons of the first 'U'
  Tal(andet, 202442, 0, 5, 0, 0); // made even without an employment
  Tal(andet, 202442, 0, 7, 0, 0); // then adds nothing
  CountPlanTal();

  ASSERT_EQ(PlanTal.Antal, 9u);
  const std::string arter = "UUAARREEA";
  for (uint32_t i = 1; i <= 8; ++i) {
    const PlanTabPost &e = PlanTal.PlanTab[i];
    EXPECT_EQ(V(e.Art), arter[i - 1]) << i;
    EXPECT_EQ(V(e.anfo), i % 2 ? a1 : a2) << i;
    EXPECT_EQ(V(e.UgeIdx), UgeTilIndeks(202441)) << i;
    EXPECT_EQ(V(e.Ugedag), 3);
    EXPECT_EQ(V(e.Kilde), 0);
  }
  EXPECT_EQ(V(PlanTal.PlanTab[1].PlanLektioner), 40u);
  EXPECT_EQ(V(PlanTal.PlanTab[2].PlanLektioner), 30u);
  EXPECT_EQ(V(PlanTal.PlanTab[3].PlanTimer), 2.0f);
  EXPECT_EQ(V(PlanTal.PlanTab[5].PlanRettearbejde), 1.0f);
  EXPECT_EQ(V(PlanTal.PlanTab[7].PlanEksamen), 3.0f);
  EXPECT_EQ(V(PlanTal.PlanTab[9].anfo), 0u);
  EXPECT_EQ(V(PlanTal.PlanTab[9].PlanTimer), 5.0f);

  AllokerPlanTalUgeTab();
  SumPlanTalUge(akti, 0);
  EXPECT_EQ(V(PlanTalUgeTab[UgeTilIndeks(202441)].Lektioner), 70u);
  AllokerPlanTalMndTab();
  FillPlanTalMnd(a1);
  const MaanedIndeks m = MaanedTilIndeks(202410);
  EXPECT_EQ(V(PlanTalMndTab[a1 * (PlanTalMndM + 1) + m].Timer), 2.0f);
  EXPECT_EQ(V(PlanTalMndTab[a1 * (PlanTalMndM + 1) + m].Rettearbejde), 1.0f);
}

TEST_F(CountTal, UnplacedEventGetsEachEmploymentsNormAndRuleCode) {
  const uint32_t akti = NyAkti(), a1 = NyAnfo(), a2 = NyAnfo();
  AllokerTalTab();
  struct {
    uint32_t antalAkti;
    float minut;
    float beregn;
    uint8_t hvorfra;
  } tilfaelde[] = {
      {1, 0, 45, BEREGN_STANDARD},   // the event's own minutes
      {1, 50, 50, BEREGN_PLAN},      // a minute norm given for the employment
      {0, 0, 0, BEREGN_INGEN_AKTI},  // no activity, no norm
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.minut);
    const uint32_t aktiTab[] = {akti};
    // An employment past the table is passed over and keeps its slots.
    const uint32_t anfoTab[] = {a1, 999999, a2};
    const uint32_t rolTab[] = {0, 0, 0};
    const float minutTab[] = {t.minut, t.minut, t.minut};
    float beregn[3] = {-1, -1, -1};
    uint8_t hvorfra[3] = {99, 99, 99};
    AVSLister avs{aktiTab, t.antalAkti, anfoTab, rolTab, minutTab, beregn, hvorfra, 3, 0, 0, 3, 800, 845};
    OptaelAVS(20241014, &avs, 0);
    EXPECT_FLOAT_EQ(beregn[0], t.beregn);
    EXPECT_EQ(hvorfra[0], t.hvorfra);
    EXPECT_EQ(beregn[1], -1);
    EXPECT_EQ(hvorfra[1], 99);
    EXPECT_FLOAT_EQ(beregn[2], t.beregn);
  }
}

// ---- Postings ----

TEST_F(CountTal, HolidayPostingCountsAWholeDayAboveHalfTheDailyNorm) {
  const uint32_t akti = NyAkti("ferie", NyLoty("FF")), anfo = NyAnfo();
  const uint32_t meda = TabRec<AnfoRec>(tvanfo, anfo)->meda_id;
  struct {
    int32_t timer;
    Dato dato;
    uint32_t afholdt, fremad;
  } tilfaelde[] = {{400, 20241014, 1000, 0}, {300, 20241014, 500, 0}, {400, 20250310, 0, 1000}};
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.timer);
    TomTimoak();
    Post(t.dato, 'f', akti, anfo, t.timer);
    AllokerTalTab();
    const MedTalFerieCelle &c = MedTalFerieTab[meda * (TalDim.Y1 + 1) + SkoleAarIndeks(t.dato)];
    EXPECT_EQ(V(c.Afholdt), t.afholdt);
    EXPECT_EQ(V(c.PlanlagtFremad), t.fremad);
    EXPECT_FLOAT_EQ(MedTalFor(anfo)[MaanedTilIndeks(t.dato / 100)][3], t.timer / 100.0f);
  }
}

TEST_F(CountTal, PostingOutsideThePeriodsWeeksLeavesThePlanListAlone) {
  InitPeriode(20240805, 20250731, 20240805);
  HarEgenPlan = 1;
  const uint32_t akti = NyAkti(), anfo = NyAnfo();
  Post(20240801, 'k', akti, anfo, 200);  // month 1, week before the first
  Post(20240901, 'k', akti, anfo, 300);
  AllokerTalTab();
  EXPECT_FLOAT_EQ(MedTalFor(anfo)[1][0], 2.0f);
  EXPECT_FLOAT_EQ(V(AktiTalTab[akti * (TalDim.M + 1) + 1].TimoakTimer), 2.0f);
  ASSERT_EQ(PlanTal.Antal, 1u);
  EXPECT_FLOAT_EQ(V(PlanTal.PlanTab[1].Aktuel), 3.0f);
  EXPECT_EQ(V(PlanTal.PlanTab[1].Kilde), 2);
  FreePlanTab();
}

// ---- Events ----

TEST_F(CountTal, RoomSlotCountsOnceHoweverManyEventsHoldIt) {
  const uint32_t akti = NyAkti(), anfo = NyAnfo(), loka = NyLoka();
  AllokerTalTab();
  const Begivenhed a = Event(202440, 2, 3, akti, anfo, loka);
  const Begivenhed b = Event(202440, 2, 3, akti, anfo, loka);
  const Begivenhed uden = Event(202440, 3, 0, akti, anfo, loka);
  const uint32_t &sum = LokaSumTab[loka * TalDim.Y + a.aarIdx];
  OptaelSkemabeg(a.aarIdx, a.uge, a.forste, +1);
  EXPECT_EQ(sum, 1000u);
  OptaelSkemabeg(b.aarIdx, b.uge, b.forste, +1);
  OptaelSkemabeg(uden.aarIdx, uden.uge, uden.forste, +1);
  EXPECT_EQ(sum, 1000u);
  OptaelSkemabeg(a.aarIdx, a.uge, a.forste, -1);
  EXPECT_EQ(sum, 1000u);
  OptaelSkemabeg(b.aarIdx, b.uge, b.forste, -1);
  EXPECT_EQ(sum, 0u);
}

TEST_F(CountTal, TimeOffThatAHontimRowRegistersIsNotCountedAgain) {
  // A time-off role, an event of 45 minutes on 15 October 2024 (0.75 hours,
  // 750 thousandths), and hontim rows of another kind, amount, day or
  // employment beside the one the case is about.
  SkemarolRec r{};
  r.id = 90;
  Tekst(r.Rolle, "A");
  r.Status = 10;
  r.Genererer_timeposter = 'J';
  r.loty_id = NyLoty("AF");
  const uint32_t rol = Ny(tdskemarol, tvskemarol, r);
  const char *typer[] = {"AF", "A9", "O", "AA"};
  uint32_t hontity[4];
  for (int i = 0; i < 4; ++i) {
    HontityRec h{};
    h.id = 40 + i;
    memcpy(h.timetype, typer[i], strlen(typer[i]));
    h.Status = 10;
    hontity[i] = Ny(tdhontity, tvhontity, h);
  }
  struct Tilfaelde {
    const char *navn;
    int type;  // into typer; -1 no row
    int32_t enheder;
    Dato dato;
    bool andenAnfo, slettet;
    float slot15;
  } const tilfaelde[] = {
      {"no row", -1, 0, 0, false, false, 0.75f},
      {"AF of the same amount", 0, 75, 20241015, false, false, 0},
      {"A9 of the same amount", 1, 75, 20241015, false, false, 0},
      {"O taken out, the same amount", 2, -75, 20241015, false, false, 0},
      {"O paid in", 2, 75, 20241015, false, false, 0.75f},
      {"another hour type", 3, 75, 20241015, false, false, 0.75f},
      {"another amount", 0, 50, 20241015, false, false, 0.75f},
      {"another day", 0, 75, 20241016, false, false, 0.75f},
      {"another employment", 0, 75, 20241015, true, false, 0.75f},
      {"a deleted row", 0, 75, 20241015, false, true, 0.75f},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    TomSkemabeg();
    TomHontim();
    const uint32_t akti = NyAkti(), anfo = NyAnfo(), anden = NyAnfo();
    if (t.type >= 0) {
      HontimRaekke *h = Tilfoej<HontimRaekke>(tdhontim, HontimBucket(t.dato / 100), nullptr);
      h->Status = t.slettet ? 0x48 : 0x40;
      h->hontity_id = hontity[t.type];
      h->anfo_id = t.andenAnfo ? anden : anfo;
      h->Dato = t.dato;
      h->Enheder = t.enheder;
    }
    // The hontim row's own figure first, then what the event adds to it:
    // through the recount, which reads the month's rows once, and through
    // the counter of one event, which asks the rows each time.
    const MaanedIndeks m = MaanedTilIndeks(202410);
    AllokerTalTab();
    const float hontim = MedTalFor(anfo)[m][15];
    const Begivenhed b = Event(202442, 2, 1, akti, anfo, 0);
    TabVar *bucket = UgeBucket(b.aarIdx, b.uge);
    for (uint32_t n = b.forste; n < bucket->wRecCnt; ++n)
      reinterpret_cast<SkeRec *>(GetRec(&tdske, bucket, n))->skemarol_id = rol;
    AllokerTalTab();
    EXPECT_FLOAT_EQ(MedTalFor(anfo)[m][15] - hontim, t.slot15);
    OptaelSkemabeg(b.aarIdx, b.uge, b.forste, +1);
    EXPECT_FLOAT_EQ(MedTalFor(anfo)[m][15] - hontim, 2 * t.slot15);
  }
}

TEST_F(CountTal, CancelledActivityAfterTheLockWeekCountsBothWays) {
  InitPeriode(20240801, 20250731, 20241001);
  const uint32_t akti = NyAkti("hold", 0, 'J'), anfo = NyAnfo();
  AllokerTalTab();
  const Begivenhed foer = Event(202438, 1, 1, akti, anfo, 0);
  const Begivenhed efter = Event(202445, 1, 1, akti, anfo, 0);
  OptaelSkemabeg(foer.aarIdx, foer.uge, foer.forste, +1);
  EXPECT_EQ(AktiAflystTab[akti], 0u);
  OptaelSkemabeg(efter.aarIdx, efter.uge, efter.forste, +1);
  EXPECT_EQ(AktiAflystTab[akti], 1u);
  OptaelSkemabeg(efter.aarIdx, efter.uge, efter.forste, -1);
  EXPECT_EQ(AktiAflystTab[akti], 2u);
  EXPECT_EQ(AflystBegAntal, 2u);
}

TEST_F(CountTal, LessonValueOfAnEvent) {
  struct {
    uint8_t standardlektion;
    uint32_t slut;
    float std;
    uint32_t lektioner;
  } tilfaelde[] = {
      {0, 845, 0, 1000}, {0, 1000, 0, 1000}, {1, 930, 0, 2000}, {1, 930, 1.5f, 1500}, {0, 845, 2.25f, 2250},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.slut);
    TearDown();
    SetUp();
    GlobalIndstillinger.standardlektion = t.standardlektion;
    GlobalIndstillinger.standardlektionslengde = 45;
    const uint32_t akti = NyAkti(), anfo = NyAnfo();
    Event(202440, 2, 1, akti, anfo, 0, 800, t.slut, t.std);
    AllokerTalTab();
    EXPECT_EQ(V(TabRec<AktiRec>(tvakti, akti)->AntalElevLektioner), t.lektioner);
    EXPECT_EQ(V(MedTalUgeTab[anfo * (TalDim.W + 1) + UgeTilIndeks(202440)].Lektioner), t.lektioner);
  }
}

TEST_F(CountTal, EmploymentWithoutMonthlyFiguresAddsNothingOfItsOwn) {
  HarEgenPlan = 1;
  const uint32_t akti = NyAkti(), anfo = NyAnfo(20);
  Event(202440, 2, 1, akti, anfo, 0);
  AllokerTalTab();
  EXPECT_EQ(MedTalFor(anfo), nullptr);
  EXPECT_EQ(V(MedTalUgeTab[anfo * (TalDim.W + 1) + UgeTilIndeks(202440)].Lektioner), 0u);
  EXPECT_EQ(PlanTal.Antal, 0u);
  // The activity still counts its lessons.
  EXPECT_EQ(V(TabRec<AktiRec>(tvakti, akti)->AntalElevLektioner), 1000u);
}

TEST_F(CountTal, EnrolmentsCountOnlyTheirDaysInsideThePeriod) {
  const uint32_t akti = NyAkti();
  struct {
    Dato start, slut;
  } perioder[] = {{20240701, 20240803}, {20250730, 20250905}, {20230101, 20230601}, {20240801, 20240801}};
  for (const auto &p : perioder) {
    AkplRec k{};
    k.akti_id = akti;
    k.Status = 10;
    k.Startdato = p.start;
    k.Slutdato = p.slut;
    Ny(tdakpl, tvakpl, k);
  }
  AllokerAktiTalTab();
  const int32_t sidste = static_cast<int32_t>(TalDim.D);
  EXPECT_EQ(AktiDagElever(akti, 0), 2u);   // 1 August: the first and the last enrolment
  EXPECT_EQ(AktiDagElever(akti, 2), 1u);
  EXPECT_EQ(AktiDagElever(akti, 3), 0u);
  EXPECT_EQ(AktiDagElever(akti, sidste - 1), 1u);
  EXPECT_EQ(AktiDagElever(akti, sidste), 1u);
  EXPECT_EQ(AktiDagElever(akti, sidste + 1), 0u);
  EXPECT_EQ(AktiDagElever(akti, -1), 0u);
}

}  // namespace
