// The load's open tables: every key put in is found again (the posting
// rows with both their slots), through the tables' growth and past keys
// that share a first slot; a key never put in is not found.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <tuple>

#include "PlanNoegleSaet.h"
#include "PlanPostRaekker.h"

namespace {

TEST(PlanIndlaesPostRaekker, FinderHverNoegleGennemVaekst) {
  PostRaekker t;
  std::map<uint64_t, std::pair<uint32_t, uint32_t>> forventet;
  uint32_t raekke = 1;
  // Employments 0..39 with activities 1..99 spread out, so that the table
  // grows several times; keys differing only in the high or the low word.
  for (uint32_t anfo = 0; anfo < 40; ++anfo)
    for (uint32_t akti = 1; akti < 100; akti += 1 + anfo % 3) {
      const uint64_t k = (uint64_t(anfo) << 32) | (akti * 7919u);
      const int slot = (anfo + akti) % 2;
      t.Tag(k).raekke[slot] = raekke;
      (slot ? forventet[k].second : forventet[k].first) = raekke++;
      if (akti % 5 == 0) {
        // The other kind's row of the same key, added later.
        t.Tag(k).raekke[1 - slot] = raekke;
        (slot ? forventet[k].first : forventet[k].second) = raekke++;
      }
    }
  ASSERT_GT(forventet.size(), 2048u);
  for (const auto &[k, r] : forventet) {
    const PostRaekker::Post *p = t.Find(k);
    ASSERT_NE(p, nullptr) << k;
    EXPECT_EQ(p->raekke[0], r.first) << k;
    EXPECT_EQ(p->raekke[1], r.second) << k;
  }
  for (const uint64_t k : {uint64_t(0), (uint64_t(40) << 32) | 7919u, uint64_t(1) << 32, uint64_t(7919) * 2 + 1})
    EXPECT_EQ(t.Find(k), nullptr) << k;
}

struct Tre {
  uint32_t a, b, c;
  bool operator==(const Tre &) const = default;
};
struct TreHash {
  // Only the first field: many keys share a first slot.
  uint64_t operator()(const Tre &t) const { return t.a; }
};

TEST(PlanIndlaesPostRaekker, NoegleSaetSomEnMaengde) {
  PlanNoegleSaet<uint64_t, PlanNoegleHash64> tal;
  PlanNoegleSaet<Tre, TreHash> tre(3);
  std::set<uint64_t> forventet;
  std::set<std::tuple<uint32_t, uint32_t, uint32_t>> forventetTre;
  for (uint64_t i = 0; i < 3000; ++i) {
    // Keys 0 and above 2^32, each put in twice over the run.
    const uint64_t k = (i % 1500) * 0x100000001ull;
    EXPECT_EQ(tal.insert(k), forventet.insert(k).second) << k;
    const Tre t{uint32_t(i % 7), uint32_t(i % 1100), uint32_t(i % 3)};
    EXPECT_EQ(tre.insert(t), forventetTre.insert({t.a, t.b, t.c}).second) << i;
  }
  EXPECT_EQ(tal.size(), forventet.size());
  EXPECT_EQ(tre.size(), forventetTre.size());
  for (uint64_t k = 0; k < 1600 * 0x100000001ull; k += 0x100000001ull / 2)
    EXPECT_EQ(tal.count(k), forventet.count(k)) << k;
  for (uint32_t a = 0; a < 8; ++a)
    for (uint32_t b = 0; b < 1200; b += 7)
      for (uint32_t c = 0; c < 4; ++c) EXPECT_EQ(tre.count({a, b, c}), forventetTre.count({a, b, c}));
}

}  // namespace
