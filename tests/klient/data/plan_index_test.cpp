// The plan list's index gives the answers of a plain walk of the list: the
// same first match, the same entry among equal keys, the entries in list
// order; across the list's growth, its reallocation, a list begun anew, and
// two threads adding to it.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "DATO.h"
#include "OPTAEL.h"
#include "RECPRED.h"
#include "TALTAB.h"
#include "plan_scan.h"

namespace {

struct Post {
  uint32_t ffgrund, akti, skfa, anfo, uge;
  char art;
  uint8_t kilde;
  float norm;
};

void Tilfoej(const Post &p) {
  PlanTabPost *e = NyPlanTabPost();
  e->ffgrund = p.ffgrund;
  e->akti = p.akti;
  e->skfa = p.skfa;
  e->anfo = p.anfo;
  e->UgeIdx = p.uge;
  e->Art = static_cast<uint8_t>(p.art);
  e->Kilde = p.kilde;
  e->Minutnorm = p.norm;
}

class PlanIndeks : public ::testing::Test {
 protected:
  void SetUp() override { InitPeriode(20240801, 20250731, 20240801); }
  void TearDown() override {
    LukTalMutex();
    FreePlanTalTabeller();
  }
};

TEST_F(PlanIndeks, AnswersAsTheWalkDoes) {
  const float nan = std::nanf("");
  struct Tilfaelde {
    const char *navn;
    std::vector<Post> poster;
  } const tilfaelde[] = {
      {"equal keys: the first entry answers, the chains keep list order",
       {{7, 1, 2, 3, 5, 'U', 0, 45}, {7, 1, 2, 3, 5, 'U', 1, 45}, {7, 1, 2, 3, 5, 'U', 2, -1}}},
      {"a plan line's value behind an event's is the answer",
       {{0, 1, 2, 3, 5, 'U', 1, 45}, {9, 1, 2, 3, 6, 'A', 0, 50}, {9, 1, 2, 3, 6, 'A', 0, 55}}},
      {"without a plan line the last value is left behind",
       {{0, 1, 2, 3, 5, 'U', 1, 45}, {0, 1, 0, 3, 5, 'A', 2, -1}, {0, 1, 2, 3, 9, 'U', 1, 40}}},
      {"negative and NaN values are passed over",
       {{4, 1, 2, 3, 5, 'U', 0, -1}, {4, 1, 2, 3, 5, 'R', 0, nan}, {0, 1, 2, 3, 5, 'U', 1, 30}}},
      {"one field apart is another key",
       {{1, 1, 1, 1, 1, 'U', 0, 45}, {2, 2, 1, 1, 1, 'U', 0, 45}, {1, 1, 2, 1, 1, 'U', 0, 45},
        {1, 1, 1, 2, 1, 'U', 0, 45}, {1, 1, 1, 1, 2, 'U', 0, 45}, {1, 1, 1, 1, 1, 'R', 0, 45}}},
      {"weeks past the week tables share one and stay apart",
       {{3, 1, 1, 1, 64, 'U', 0, 45}, {3, 1, 1, 1, 128, 'U', 1, 45}, {3, 1, 1, 1, 64, 'E', 0, 45},
        {3, 1, 1, 1, 63, 'U', 0, 45}, {3, 1, 1, 1, 0, 'U', 0, 45}}},
      {"each kind finds its own entries, kinds outside the four among them",
       {{0, 1, 0, 2, 5, 'A', 2, -1}, {0, 1, 0, 2, 5, 'X', 2, -1}, {0, 1, 0, 2, 5, 'U', 2, -1},
        {0, 1, 0, 2, 5, 'x', 2, -1}, {0, 1, 0, 2, 5, 'X', 2, -1}, {0, 1, 0, 2, 70, 'X', 2, -1}}},
      {"zero is a key like any other",
       {{0, 0, 0, 0, 0, 'U', 1, 0}, {0, 0, 0, 0, 0, 'A', 2, -1}, {0, 0, 0, 0, 0, 'U', 0, 0}}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    FreePlanTab();
    plantest::IndeksSomGennemgang();
    // Asked after each entry: the index takes in what was made since.
    for (const Post &p : t.poster) {
      Tilfoej(p);
      plantest::IndeksSomGennemgang();
    }
  }
}

TEST_F(PlanIndeks, EntriesMadeWhileTheListGrowsAreFound) {
  std::mt19937 rnd(11);
  auto Tilfaeldig = [&] {
    // The braces draw the numbers left to right.
    auto u32 = [](std::mt19937::result_type v) { return static_cast<uint32_t>(v); };
    return Post{u32(rnd() % 3 ? 0u : 1 + rnd() % 300), u32(1 + rnd() % 40), u32(rnd() % 4),
                u32(1 + rnd() % 30),                   u32(1 + rnd() % 53), "UARE"[rnd() % 4],
                static_cast<uint8_t>(rnd() % 3),      rnd() % 4 ? 45.0f : -1.0f};
  };
  // Questions at the counts where the list is reallocated, just before and
  // just after, with entries made since the last question.
  const uint32_t spoergVed[] = {1, 9999, 10000, 10001, 20000, 20001};
  size_t k = 0;
  for (uint32_t n = 1; n <= 20001; ++n) {
    Tilfoej(Tilfaeldig());
    if (n != spoergVed[k]) continue;
    SCOPED_TRACE(::testing::Message() << n << " entries");
    ++k;
    plantest::IndeksSomGennemgang();
    if (HasFailure()) return;
  }
  // Begun anew, the list answers only for its new entries.
  FreePlanTab();
  Tilfoej({5, 1, 1, 1, 1, 'U', 0, 45});
  plantest::IndeksSomGennemgang();
  EXPECT_EQ(PlanFindSkema(1, 1, 1, 1), 1u);
  EXPECT_EQ(PlanAnfoNaeste(1), 0u);
}

TEST_F(PlanIndeks, TwoThreadsAddingSeeOneList) {
  OpretTalMutex();
  ASSERT_TRUE(TalMutex);
  // Each thread adds the same figures to a few keys, and new keys of its
  // own; whichever thread makes a key's entry, the other adds to it.
  constexpr int N = 3000;
  auto Tilfoejer = [](uint32_t egen) {
    for (int i = 0; i < N; ++i) {
      AddPlanTabSkema(1 + i % 7, 1 + i % 5, i % 2, 1, 1 + i % 9, 3, 45.0f, 1.0f, 1000);
      AddPlanTabTimoak(1 + i % 7, egen, 1, 1 + i % 9, 3, 'k', 0.5f);
      // And a plan value asked on the way, as the counters do.
      float v;
      PlanTabVaerdi(1 + i % 5, 1 + i % 7, i % 2, &v);
    }
  };
  std::thread a(Tilfoejer, 100), b(Tilfoejer, 200);
  a.join();
  b.join();
  TagTalMutex();
  plantest::IndeksSomGennemgang();
  double aktuel = 0;
  uint64_t lektioner = 0;
  for (uint32_t i = 1; i <= PlanTal.Antal; ++i) {
    aktuel += PlanTal.PlanTab[i].Aktuel;
    lektioner += PlanTal.PlanTab[i].SkemaLektioner;
  }
  SlipTalMutex();
  EXPECT_EQ(lektioner, 2u * N * 1000);
  EXPECT_DOUBLE_EQ(aktuel, 2.0 * N + 2.0 * N * 0.5);
}

}  // namespace
