#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "SORTIDX.h"
#include "TEKST.h"
#include "TABREG.h"

namespace {

std::vector<uint32_t> Sorter(const void *noegler, std::vector<uint32_t> idx, uint32_t laengde) {
  SortIdx(noegler, idx.data(), laengde, static_cast<uint32_t>(idx.size()));
  return idx;
}

TEST(SortIdx, OneByteKeys) {
  const uint8_t noegler[] = {3, 1, 2};
  EXPECT_EQ(Sorter(noegler, {0, 1, 2}, 1), (std::vector<uint32_t>{1, 2, 0}));
}

TEST(SortIdx, U32KeysOrderByLittleEndianBytes) {
  // Records 0..3 hold 1, 256, 65536 and 2 in the machine's (little-endian) order.
  const uint32_t vaerdier[] = {1, 256, 65536, 2};
  uint8_t noegler[sizeof vaerdier];
  std::memcpy(noegler, vaerdier, sizeof vaerdier);
  EXPECT_EQ(Sorter(noegler, {0, 1, 2}, 4), (std::vector<uint32_t>{2, 1, 0}));
  EXPECT_EQ(Sorter(noegler, {0, 1, 2, 3}, 4), (std::vector<uint32_t>{2, 1, 0, 3}));
  // The same through the heap path (5 entries and more).
  EXPECT_EQ(Sorter(noegler, {3, 0, 1, 2, 0, 3}, 4), (std::vector<uint32_t>{2, 1, 0, 0, 3, 3}));
}

TEST(SortIdx, BytesCompareUnsigned) {
  const uint8_t noegler[] = {0xFF, 0x7F, 0x80, 0x00, 0x01};
  EXPECT_EQ(Sorter(noegler, {0, 1, 2, 3, 4}, 1), (std::vector<uint32_t>{3, 4, 1, 2, 0}));
}

TEST(SortIdx, FewEqualKeysKeepTheirOrder) {
  const uint8_t noegler[] = {7, 7, 7, 7, 7, 7};
  EXPECT_EQ(Sorter(noegler, {3, 1, 0, 2}, 1), (std::vector<uint32_t>{3, 1, 0, 2}));
  // 5 and more may be reordered, but every entry stays.
  std::vector<uint32_t> r = Sorter(noegler, {5, 4, 3, 2, 1}, 1);
  std::sort(r.begin(), r.end());
  EXPECT_EQ(r, (std::vector<uint32_t>{1, 2, 3, 4, 5}));
}

TEST(SortIdx, DanishNamesByTheirSortKeys) {
  // Keys as the list windows build them: upper case, Danish letters, padded.
  const char *navne[] = {"\xC5" "l", "*X", "\xF8" "l", "Zebra", "\xE6" "ble", "abe"};
  constexpr uint32_t kBredde = 8;
  std::vector<uint8_t> noegler(6 * kBredde, ' ');
  for (int i = 0; i < 6; ++i) {
    char buf[kBredde + 1];
    std::snprintf(buf, sizeof buf, "%-8s", navne[i]);
    TilStoreBogstaver(buf);
    DanskSortTegn(buf, kBredde);
    std::memcpy(&noegler[i * kBredde], buf, kBredde);
  }
  // abe < Zebra < æble < øl < Ål < *X
  EXPECT_EQ(Sorter(noegler.data(), {0, 1, 2, 3, 4, 5}, kBredde), (std::vector<uint32_t>{5, 3, 4, 2, 0, 1}));
}

TEST(SortIdx, EmptyAndSingleAreLeftAlone) {
  const uint8_t noegler[] = {1};
  uint32_t idx[] = {0};
  SortIdx(noegler, idx, 1, 0);
  SortIdx(noegler, idx, 1, 1);
  EXPECT_EQ(idx[0], 0u);
}

TEST(SortIdx, AgreesWithStableReferenceOnRandomKeys) {
  std::mt19937 rnd(1234);
  for (uint32_t laengde : {1u, 3u, 4u, 5u, 8u, 9u, 13u, 17u, 24u}) {
    for (uint32_t antal : {2u, 4u, 5u, 6u, 7u, 10u, 31u, 100u, 1000u}) {
      std::vector<uint8_t> noegler(static_cast<size_t>(antal) * laengde);
      // Few distinct bytes, so that equal prefixes and equal keys occur.
      for (uint8_t &b : noegler) b = static_cast<uint8_t>(rnd() % 3 * 0x7F);
      std::vector<uint32_t> idx(antal);
      for (uint32_t i = 0; i < antal; ++i) idx[i] = antal - 1 - i;
      std::vector<uint32_t> forventet = idx;
      auto mindre = [&](uint32_t a, uint32_t b) {
        return std::memcmp(&noegler[a * laengde], &noegler[b * laengde], laengde) < 0;
      };
      std::stable_sort(forventet.begin(), forventet.end(), mindre);
      std::vector<uint32_t> faktisk = Sorter(noegler.data(), idx, laengde);
      ASSERT_TRUE(std::is_sorted(faktisk.begin(), faktisk.end(), mindre))
          << "length " << laengde << " count " << antal;
      if (antal < 5) {
        EXPECT_EQ(faktisk, forventet);
      }
      std::vector<uint32_t> a = faktisk, b = forventet;
      std::sort(a.begin(), a.end());
      std::sort(b.begin(), b.end());
      EXPECT_EQ(a, b);
    }
  }
}

// The numeric keys must leave equal keys where the byte keys' heap leaves
// them, whether every high word is the same (the low word decides alone)
// or not; the counts reach the heap's partial last families.
TEST(SortIdx, NumericKeysOrderEqualKeysAsTheByteKeys) {
  struct Tilfaelde {
    const char *navn;
    bool hoejEns;
    uint64_t lavVaerdier;
  };
  const Tilfaelde tilfaelde[] = {
      {"same high word, many equal keys", true, 3},
      {"same high word, some equal keys", true, 50},
      {"same high word, low words past 2^63", true, 0},
      {"high words differ", false, 3},
  };
  std::mt19937_64 rnd(77);
  for (const Tilfaelde &t : tilfaelde) {
    for (uint32_t antal : {5u, 6u, 7u, 8u, 9u, 31u, 100u, 1000u, 5000u}) {
      SCOPED_TRACE(std::string(t.navn) + ", count " + std::to_string(antal));
      std::vector<SortTalNoegle> poster(antal);
      std::vector<uint8_t> noegler(static_cast<size_t>(antal) * 16);
      std::vector<uint32_t> idx(antal);
      for (uint32_t i = 0; i < antal; ++i) {
        const uint32_t rec = (i * 7919u) % antal;
        SortTalNoegle &p = poster[i];
        p.hoej = t.hoejEns ? 0x0102030405060708ull : rnd() % 2;
        // Values whose top bit is set too: a signed compare would misplace them.
        p.lav = t.lavVaerdier ? rnd() % t.lavVaerdier * 0x9000000000000001ull : rnd() % 4 << 62;
        p.rec = rec;
        idx[i] = rec;
        for (int b = 0; b < 8; ++b) {
          noegler[size_t(rec) * 16 + b] = static_cast<uint8_t>(p.hoej >> (56 - 8 * b));
          noegler[size_t(rec) * 16 + 8 + b] = static_cast<uint8_t>(p.lav >> (56 - 8 * b));
        }
      }
      const std::vector<uint32_t> ventet = Sorter(noegler.data(), idx, 16);
      std::vector<uint32_t> faktisk(antal);
      SortIdxTal(poster.data(), faktisk.data(), antal);
      EXPECT_EQ(faktisk, ventet);
    }
  }
}

TEST(SortIdx, DistinctKeysInAnyStartingOrderEndSorted) {
  // Lists that are (almost) in order already, as tables are when loaded,
  // and a reversed one; with distinct keys there is one right answer.
  std::vector<uint8_t> noegler(200);
  for (size_t i = 0; i < noegler.size(); ++i) noegler[i] = static_cast<uint8_t>(i);
  std::vector<uint32_t> sorteret(200);
  for (uint32_t i = 0; i < 200; ++i) sorteret[i] = i;
  std::vector<uint32_t> sidstForkert = sorteret, foerstForkert = sorteret, midtBytte = sorteret;
  std::swap(sidstForkert[198], sidstForkert[199]);
  std::rotate(foerstForkert.begin(), foerstForkert.begin() + 1, foerstForkert.end());
  std::swap(midtBytte[50], midtBytte[150]);
  std::vector<uint32_t> omvendt(sorteret.rbegin(), sorteret.rend());
  for (const auto &start : {sorteret, sidstForkert, foerstForkert, midtBytte, omvendt})
    EXPECT_EQ(Sorter(noegler.data(), start, 1), sorteret);
  // Long lists of distinct keys of several widths, some with bytes that no
  // key varies in, from random and from reversed order.
  std::mt19937 rnd(77);
  for (uint32_t laengde : {2u, 5u, 9u, 18u, 30u}) {
    for (uint32_t antal : {256u, 300u, 5000u}) {
      std::vector<uint8_t> n(static_cast<size_t>(antal) * laengde, 0x40);
      for (uint32_t i = 0; i < antal; ++i) {
        const uint32_t v = rnd() % 1000 * 65536 + i;  // distinct in the last two bytes' span
        uint8_t *p = &n[static_cast<size_t>(i) * laengde];
        for (uint32_t b = 0; b < std::min(laengde, 4u); ++b) p[laengde - 1 - b] = static_cast<uint8_t>(v >> (8 * b));
      }
      auto mindre = [&](uint32_t a, uint32_t b) {
        return std::memcmp(&n[a * laengde], &n[b * laengde], laengde) < 0;
      };
      std::vector<uint32_t> idx(antal);
      for (uint32_t i = 0; i < antal; ++i) idx[i] = i;
      std::shuffle(idx.begin(), idx.end(), rnd);
      std::vector<uint32_t> forventet = idx;
      std::sort(forventet.begin(), forventet.end(), mindre);
      EXPECT_EQ(Sorter(n.data(), idx, laengde), forventet) << laengde << " " << antal;
      std::reverse(idx.begin(), idx.end());
      EXPECT_EQ(Sorter(n.data(), idx, laengde), forventet) << laengde << " " << antal;
    }
  }
  // Equal neighbours in an ordered list still end in order with every entry.
  const uint8_t lige[] = {1, 2, 2, 3, 4, 4, 5};
  std::vector<uint32_t> r = Sorter(lige, {0, 1, 2, 3, 4, 5, 6}, 1);
  EXPECT_TRUE(std::is_sorted(r.begin(), r.end(), [&](uint32_t a, uint32_t b) { return lige[a] < lige[b]; }));
  std::sort(r.begin(), r.end());
  EXPECT_EQ(r, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5, 6}));
}

// A table of 8-byte records: a u32 key, the status byte at offset 4.
class TabelIndeks : public ::testing::Test {
 protected:
  void SetUp() override {
    desk_ = TabDesc{};
    desk_.KeyLen = 4;
    desk_.RecSize = 8;
    desk_.StatusFelt = 1;
    desk_.FeltTab[1].Offset = 4;
    tab_ = TabVar{};
  }
  void Poster(std::vector<std::pair<uint32_t, uint8_t>> poster) {
    data_.assign(poster.size() * 8, 0);
    sort_.assign(poster.size(), 0xDEADBEEF);
    for (size_t i = 0; i < poster.size(); ++i) {
      std::memcpy(&data_[i * 8], &poster[i].first, 4);
      data_[i * 8 + 4] = poster[i].second;
    }
    tab_.pbTab = data_.data();
    tab_.pwSort = sort_.data();
    tab_.wRecCnt = static_cast<uint32_t>(poster.size());
  }
  std::vector<uint32_t> Indeks() const { return {sort_.begin(), sort_.begin() + tab_.IdxAntal}; }

  TabDesc desk_;
  TabVar tab_;
  std::vector<uint8_t> data_;
  std::vector<uint32_t> sort_;
};

TEST_F(TabelIndeks, BuildCountsClassesAndSteps) {
  Poster({{0, 0}, {5, 10}, {1, 10}, {7, 0}, {3, 10}, {2, 10}, {4, 10}});
  BuildTabIdx(&desk_, &tab_);
  EXPECT_EQ(Indeks(), (std::vector<uint32_t>{1, 2, 4, 5, 6}));
  EXPECT_EQ(tab_.KlasseAntal[0], 5u);
  EXPECT_EQ(tab_.KlasseAntal[1], 0u);
  EXPECT_EQ(tab_.SoegeSkridt[0], 8u);
  EXPECT_EQ(tab_.SoegeSkridt[1], 1u);
  EXPECT_EQ(tab_.SoegeSkridt[2], 1u);

  Poster({{0, 0}, {1, 10}, {2, 10}, {3, 10}, {4, 10}, {5, 10}, {6, 10}, {7, 10}, {8, 10}});
  BuildTabIdx(&desk_, &tab_);
  EXPECT_EQ(tab_.SoegeSkridt[0], 16u);

  Poster({{0, 0}});  // only the empty record 0
  BuildTabIdx(&desk_, &tab_);
  EXPECT_EQ(tab_.IdxAntal, 0u);
  EXPECT_EQ(SortTabIdx(&desk_, &tab_), -1);
}

TEST_F(TabelIndeks, SortByClassThenKeyBytes) {
  Poster({{0, 0}, {1, 10}, {256, 210}, {65536, 10}, {2, 150}, {256, 30}, {3, 99}, {1, 100}});
  BuildTabIdx(&desk_, &tab_);
  EXPECT_EQ(tab_.KlasseAntal[0], 4u);
  EXPECT_EQ(tab_.KlasseAntal[1], 2u);
  EXPECT_EQ(tab_.KlasseAntal[2], 1u);
  ASSERT_EQ(SortTabIdx(&desk_, &tab_), 0);
  // Live records by little-endian key bytes (65536, 256, 1, 3), then the
  // deleted ones (1, 2), then the pending one.
  EXPECT_EQ(Indeks(), (std::vector<uint32_t>{3, 5, 1, 6, 7, 4, 2}));
}

}  // namespace
