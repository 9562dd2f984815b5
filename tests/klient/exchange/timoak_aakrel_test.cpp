// Time rows written into their month buckets with their kind letters, the
// hours of a pair, and the activity-employment relations.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "ImpTimoak.h"
#include "skole_fixture.h"

namespace {

using namespace skoletest;

class TimoakRaekkeTest : public Skole {};

TEST_F(TimoakRaekkeTest, KindAndPeriodTable) {
  struct {
    const char *navn;
    char type;
    const char *kode;      // loty code; null: no activity type
    const char *eaktKode;  // eakt code behind the loty record
    uint32_t dato;
    bool skrevet;
    char forventet;
  } const tilfaelde[] = {
      {"the day after tildato", 'A', "5bel", nullptr, 20250801, false, 0},
      {"the day before fradato", 'A', "5bel", nullptr, 20240731, false, 0},
      {"tildato itself", 'A', "UV", nullptr, 20250731, true, 'A'},
      {"5bel", 'A', "5bel", nullptr, 20241010, true, 'B'},
      {"4bel", 'A', "4bel", nullptr, 20241010, true, 'B'},
      {"6pæd", 'A', "6pæd", nullptr, 20241010, true, 'P'},
      {"9pæd", 'A', "9pæd", nullptr, 20241010, true, 'P'},
      {"an sh code", 'A', "sh", nullptr, 20241010, true, 'H'},
      {"another sh code", 'A', "13sh", nullptr, 20241010, true, 'H'},
      {"a holiday code", 'A', "2fer", nullptr, 20241010, true, 'F'},
      {"any other code", 'A', "UV", nullptr, 20241010, true, 'A'},
      {"lower case on 5bel", 'a', "5bel", nullptr, 20241010, true, 'b'},
      {"lower case on 6pæd", 'a', "6pæd", nullptr, 20241010, true, 'p'},
      {"lower case on sh", 'a', "sh", nullptr, 20241010, true, 'h'},
      {"lower case on a holiday code", 'a', "FF", nullptr, 20241010, true, 'f'},
      {"lower case on another code", 'a', "UV", nullptr, 20241010, true, 'a'},
      {"e kept", 'e', "5bel", nullptr, 20241010, true, 'e'},
      {"r kept", 'r', "sh", nullptr, 20241010, true, 'r'},
      {"u kept", 'u', "6pæd", nullptr, 20241010, true, 'u'},
      {"another letter kept", 'B', "UV", nullptr, 20241010, true, 'B'},
      {"the eakt code wins", 'A', "UV", "5bel", 20241010, true, 'B'},
      {"no activity type", 'A', nullptr, nullptr, 20241010, true, 'A'},
      {"no activity type, lower case", 'a', nullptr, nullptr, 20241010, true, 'a'},
  };
  const uint32_t anfo = Anfo(500);
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    const uint32_t akti = Akti(100 + tvakti.wRecCnt, t.kode, t.eaktKode);
    TabVar *b = TimoakBucket(t.dato / 100);
    const uint32_t foer = b ? b->wRecCnt : 0;
    TimoakRaekke *r = AddTimoak(t.type, kAnden, 4711, 96, 3, akti, anfo, t.dato, -150, 1700000000);
    ASSERT_EQ(r != nullptr, t.skrevet);
    if (!t.skrevet) {
      EXPECT_EQ(b ? b->wRecCnt : 0, foer);
      continue;
    }
    EXPECT_EQ(b->wRecCnt, std::max(foer, 1u) + 1);  // an empty bucket starts at row 1
    const TimoakRaekke g = Tim(t.dato, b->wRecCnt - 1);
    EXPECT_EQ(g.Type, t.forventet);
    EXPECT_EQ(std::make_tuple(+g.id, g.Status, g.PlanStatus, +g.Tid, +g.akti_id, +g.anfo_id, +g.Dato, +g.Timer),
              std::make_tuple(4711u, uint8_t(96), uint8_t(3), 1700000000u, akti, anfo, t.dato, -150));
    EXPECT_EQ(std::make_tuple(g.Maaneddag, g.Ejer, g.Fejl, g.Konflikt),
              std::make_tuple(uint8_t(t.dato % 100), kAnden, uint8_t(0), uint8_t(0)));
  }
  EXPECT_EQ(AddTimoak('A', kEgen, 1, 64, 0, 0, anfo, 20241010, 100, 0)->Type, 'A');  // no activity
}

TEST_F(TimoakRaekkeTest, AppendedBehindTheLastRowAndTheBucketGrows) {
  const uint32_t akti = Akti(1), anfo = Anfo(2);
  // A freed row keeps its place: the export and the server's answers name
  // rows by their number.
  TimRaekke(20241001, 64, kEgen, akti, anfo, 100);
  TimRaekke(20241002, 64, kEgen, akti, anfo, 100);
  TabVar *b = TimoakBucket(202410);
  GetRec(&tdtimoak, b, 1)[offsetof(TimoakRaekke, Status)] = 0;
  b->FoersteLedige = 1;
  ASSERT_NE(AddTimoak('A', kEgen, 0, 64, 0, akti, anfo, 20241003, 7, 0), nullptr);
  EXPECT_EQ(b->wRecCnt, 4u);
  EXPECT_EQ(+Tim(20241003, 3).Timer, 7);
  EXPECT_EQ(b->FoersteLedige, 1u);  // the free row stays known

  const uint32_t blok = tdtimoak.RecPrBlok;
  while (b->wRecCnt < blok + 5) ASSERT_NE(AddTimoak('a', kEgen, b->wRecCnt, 64, 0, akti, anfo, 20241004, 1, 0), nullptr);
  EXPECT_GE(b->AllocAntal, blok + 5);
  EXPECT_EQ(+Tim(20241002, 2).Timer, 100);
  EXPECT_EQ(+Tim(20241004, blok + 4).id, blok + 4);
}

TEST_F(TimoakRaekkeTest, SumTable) {
  // The activity runs October to December, the employment September to
  // November: October and November count.
  const uint32_t akti = Akti(1, nullptr, nullptr, 20241001, 20241231);
  const uint32_t anfo = Anfo(2, 20240901, 20241130);
  const uint32_t andenAnfo = Anfo(3);
  struct {
    uint32_t dato;
    uint8_t status;
    uint32_t anfo;
    int32_t timer;
    bool taeller;
  } const raekker[] = {
      {20241015, 64, anfo, 100, true},
      {20241120, 64 | 16, anfo, 20, true},         // sent, still live
      {20241031, 64 | 32, anfo, 7, true},
      {20241101, 64, anfo, -50, true},
      {20241121, 64 | 8, anfo, 1000, false},       // deleted
      {20241122, 64 | 16 | 8, anfo, 1000, false},  // deletion sent
      {20241017, 0, anfo, 1000, false},            // free
      {20241018, 32, anfo, 1000, false},           // not live
      {20241201, 64, anfo, 3000, false},           // after the employment
      {20240915, 64, anfo, 5000, false},           // before the activity
      {20241016, 64, andenAnfo, 700, false},       // another pair
  };
  int32_t forventet = 0;
  for (auto &r : raekker) {
    TimRaekke(r.dato, r.status, kEgen, akti, r.anfo, r.timer);
    if (r.taeller) forventet += r.timer;
  }
  EXPECT_EQ(forventet, 77);
  EXPECT_EQ(SumTimoak(akti, anfo), 77);
  EXPECT_EQ(SumTimoak(akti, andenAnfo), 700);
  EXPECT_EQ(SumTimoak(0, anfo), 0);
  EXPECT_EQ(SumTimoak(akti, 0), 0);
  EXPECT_EQ(SumTimoak(akti, tvanfo.wRecCnt), 0);
  EXPECT_EQ(SumTimoak(tvakti.wRecCnt + 100, anfo), 0);
}

TEST_F(TimoakRaekkeTest, SumStaysInsideThePeriod) {
  // Both records reach far beyond the period; a row outside its months
  // (kept by an older period) is not counted.
  const uint32_t akti = Akti(1, nullptr, nullptr, 20200101, 20301231);
  const uint32_t anfo = Anfo(2, 20200101, 20301231);
  TimRaekke(20240801, 64, kEgen, akti, anfo, 3);
  TimRaekke(20250731, 64, kEgen, akti, anfo, 4);
  TabVar *foer = TimoakBucket(202407);
  ASSERT_NE(foer, nullptr);
  TimRaekke(20240731, 64, kEgen, akti, anfo, 1000);
  EXPECT_EQ(SumTimoak(akti, anfo), 7);
}

class AakrelTest : public Skole {
 protected:
  void SetUp() override {
    Skole::SetUp();
    for (int i = 0; i < 12; ++i) Akti(100 + i), Anfo(200 + i);
  }
  void NyRel(uint8_t status, uint32_t akti, uint32_t anfo) { Ny(tdaakrel, tvaakrel, AakrelRec{status, akti, anfo}); }
  // The records 1.. as (status, akti, anfo).
  std::vector<std::tuple<int, uint32_t, uint32_t>> Indhold() {
    std::vector<std::tuple<int, uint32_t, uint32_t>> v;
    for (uint32_t r = 1; r < tvaakrel.wRecCnt; ++r) {
      const AakrelRec k = Laes<AakrelRec>(tdaakrel, tvaakrel, r);
      v.emplace_back(k.Status, +k.akti_id, +k.anfo_id);
    }
    return v;
  }
};

using Liste = std::vector<std::tuple<int, uint32_t, uint32_t>>;

TEST_F(AakrelTest, SetAndAdd) {
  EXPECT_FALSE(SetAakrel(3, 7, 10));
  AddAakrel(3, 7, 10);
  AddAakrel(3, 7, 20);  // the pair again: its status changes, no second record
  EXPECT_EQ(Indhold(), (Liste{{20, 3, 7}}));
  EXPECT_TRUE(SetAakrel(3, 7, 30));
  EXPECT_FALSE(SetAakrel(7, 3, 30));
  EXPECT_EQ(Indhold(), (Liste{{30, 3, 7}}));

  // Every record of a pair takes the status; a free record is not a pair.
  NyRel(0, 4, 8);
  NyRel(10, 3, 7);
  EXPECT_FALSE(SetAakrel(4, 8, 10));
  EXPECT_TRUE(SetAakrel(3, 7, 20));
  EXPECT_EQ(Indhold(), (Liste{{20, 3, 7}, {0, 4, 8}, {20, 3, 7}}));

  // A new pair goes behind the last record, not into the free one.
  tvaakrel.FoersteLedige = 1;
  AddAakrel(4, 8, 10);
  EXPECT_EQ(Indhold(), (Liste{{20, 3, 7}, {0, 4, 8}, {20, 3, 7}, {10, 4, 8}}));
  EXPECT_EQ(AakrelAntal(), 5u);
  EXPECT_NE(tvaakrel.pfSave[0], 0);
}

TEST_F(AakrelTest, CleanupTable) {
  struct {
    const char *navn;
    Liste foer, efter;
  } const tilfaelde[] = {
      {"a duplicate pair", {{10, 3, 7}, {10, 3, 7}, {10, 3, 8}}, {{10, 3, 7}, {10, 3, 8}}},
      {"the first record of a pair stays", {{20, 3, 7}, {10, 3, 8}, {30, 3, 7}}, {{20, 3, 7}, {10, 3, 8}}},
      {"free places close up", {{0, 0, 0}, {10, 5, 1}, {0, 0, 0}, {30, 2, 2}}, {{10, 5, 1}, {30, 2, 2}}},
      {"out of the tables' range", {{10, 3, 13}, {10, 13, 3}, {10, 12, 12}}, {{10, 12, 12}}},
      {"statuses outside 10 to 30", {{9, 1, 1}, {31, 1, 2}, {10, 1, 3}}, {{10, 1, 3}}},
      {"an empty table", {}, {}},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    FrigivAakrel();
    ASSERT_EQ(tvaakrel.wRecCnt, 1u);
    for (auto [s, a, m] : t.foer) NyRel(static_cast<uint8_t>(s), a, m);
    const uint32_t antal = tvaakrel.wRecCnt;
    memset(tvaakrel.pfSave, 0, 1);
    CleanupAakrel();
    EXPECT_EQ(Indhold(), t.efter);
    EXPECT_EQ(tvaakrel.wRecCnt, t.efter.size() + 1);
    EXPECT_NE(tvaakrel.pfSave[0], 0);
    // The places left behind are zero.
    for (uint32_t r = tvaakrel.wRecCnt; r < antal; ++r)
      EXPECT_EQ(tvaakrel.pbTab[size_t(r) * tdaakrel.RecSize], 0) << r;
  }
}

TEST_F(AakrelTest, CleanupAboveAHundredThousand) {
  // Record numbers of six digits: as the text key "%05ld %05ld" widens, the
  // numeric order still brings a pair's records together.
  const uint32_t stor = 100010;
  ASSERT_EQ(AddTabBlock(&tdakti, &tvakti, stor), 0);
  ASSERT_EQ(AddTabBlock(&tdanfo, &tvanfo, stor), 0);
  tvakti.wRecCnt = tvanfo.wRecCnt = stor;
  NyRel(10, 100001, 100002);
  NyRel(10, 99999, 100002);
  NyRel(20, 100001, 100002);
  NyRel(10, 100001, 7);
  NyRel(10, 100002, 100001);
  NyRel(30, 99999, 100002);
  NyRel(10, 100001, 100002);
  NyRel(10, 100001, stor);  // out of range
  CleanupAakrel();
  Liste kept = Indhold();
  std::sort(kept.begin(), kept.end(), [](auto &a, auto &b) {
    return std::make_pair(std::get<1>(a), std::get<2>(a)) < std::make_pair(std::get<1>(b), std::get<2>(b));
  });
  EXPECT_EQ(kept, (Liste{{10, 99999, 100002}, {10, 100001, 7}, {10, 100001, 100002}, {10, 100002, 100001}}));
}

}  // namespace
