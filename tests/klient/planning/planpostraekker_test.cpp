// The open table of the posting rows: every key made is found again with
// both its slots, through the table's growth and past keys that share a
// first slot; a key never made is not found.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>

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

}  // namespace
