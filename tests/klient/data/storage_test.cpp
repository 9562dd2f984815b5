// Registry lookups, growth of the table arrays and the record primitives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "KATALOG.h"
#include "TABOPER.h"

namespace {

// Tables used here: udgr (10 records a block, status at 2), budt (1000 a
// block, status at 1) and akti (always re-initialised).
class Storage : public ::testing::Test {
 protected:
  // The record-file module installs its own initialisation when it is
  // linked; these tests see the bare storage operations.
  void SetUp() override {
    SetInitTabFn(nullptr);
    Ryd();
  }
  void TearDown() override {
    Ryd();
    TabAlloc = {calloc, realloc};
    SetTabFejlFn(nullptr);
    SetInitTabFn(nullptr);
  }
  static void Ryd() {
    ResetTab(&tdudgr, &tvudgr, 0);
    ResetTab(&tdbudt, &tvbudt, 0);
    ResetTab(&tdakti, &tvakti, 0);
  }
  static uint8_t Status(const TabDesc *td, TabVar *tv, uint32_t n) { return RecStatus(td, GetRec(td, tv, n)); }
  // A table of n records (record 0 included), records 1..n-1 with status s.
  static void Fyld(const TabDesc *td, TabVar *tv, uint32_t n, uint8_t s) {
    ASSERT_EQ(AddTabBlock(td, tv, n), 0);
    tv->wRecCnt = n;
    for (uint32_t i = 1; i < n; ++i) SetRecStatus(td, tv, i, s);
  }
};

TEST_F(Storage, RegistryLookups) {
  struct Tilfaelde {
    int hvordan;  // 0 letter, 1 name, 2 number
    uint8_t bogstav;
    const char *navn;
    uint8_t nr;
    const TabDesc *forventet;
  } tilfaelde[] = {
      {0, 'K', nullptr, 0, &tdakti},
      {0, static_cast<uint8_t>('\xBD'), nullptr, 0, &tdffgrund},
      {0, '4', nullptr, 0, &tdeb},
      {0, 0, nullptr, 0, nullptr},  // the end entry's letter finds nothing
      {0, '~', nullptr, 0, nullptr},
      {1, 0, "akti", 0, &tdakti},
      {1, 0, "skfalokarel", 0, &tdskfalokarel},
      {1, 0, "Akti", 0, nullptr},
      {1, 0, "akt", 0, nullptr},
      {1, 0, "", 0, nullptr},
      {1, 0, nullptr, 0, nullptr},
      {2, 0, nullptr, 130, &tdakti},
      {2, 0, nullptr, 66, &tdkaldag},
      {2, 0, nullptr, 67, &tdkdagrel},
      {2, 0, nullptr, 255, &tdskfalokarel},
      {2, 0, nullptr, 0, nullptr},
      {2, 0, nullptr, 128, nullptr},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << t.hvordan << " " << int(t.bogstav) << " " << (t.navn ? t.navn : "(null)")
                                    << " " << int(t.nr));
    const TabDesc *td = &tdanom;
    TabVar *tv = &tvanom;
    const int r = t.hvordan == 0   ? TabFromType(t.bogstav, &td, &tv)
                  : t.hvordan == 1 ? TabFromName(t.navn, &td, &tv)
                                   : TabFromNr(t.nr, &td, &tv);
    EXPECT_EQ(r, t.forventet ? 0 : -1);
    EXPECT_EQ(td, t.forventet);
    if (t.forventet) {
      const TabRegEntry *e = TabRegister;
      while (e->pTabDesc != td) ++e;
      EXPECT_EQ(tv, e->pTabVar);
    } else {
      EXPECT_EQ(tv, nullptr);
    }
  }
}

TEST_F(Storage, NewRecOnEmptyTableGivesRecordOne) {
  EXPECT_EQ(tvudgr.pbTab, nullptr);
  EXPECT_EQ(NewRec(&tdudgr, &tvudgr), 1u);
  EXPECT_EQ(tvudgr.wRecCnt, 2u);
  EXPECT_EQ(tvudgr.AllocAntal, 10u);
  EXPECT_EQ(tvudgr.FoersteLedige, 2u);
  const uint8_t nul[45] = {};
  EXPECT_EQ(memcmp(GetRec(&tdudgr, &tvudgr, 0), nul, 45), 0);
  // NewRec marks nothing and sets no status: the caller does.
  EXPECT_EQ(tvudgr.pfSave[0], 0);
  EXPECT_EQ(Status(&tdudgr, &tvudgr, 1), 0);
}

TEST_F(Storage, NewRecTakesFirstFreeSlotFromHint) {
  Fyld(&tdudgr, &tvudgr, 8, 10);
  SetRecStatus(&tdudgr, &tvudgr, 2, 0);  // below the hint: not seen
  SetRecStatus(&tdudgr, &tvudgr, 5, 0);
  SetRecStatus(&tdudgr, &tvudgr, 6, 0);
  memset(GetRec(&tdudgr, &tvudgr, 5), 0x5A, 2);  // leftovers in a free slot
  tvudgr.FoersteLedige = 3;
  EXPECT_EQ(NewRec(&tdudgr, &tvudgr), 5u);
  EXPECT_EQ(tvudgr.FoersteLedige, 6u);
  EXPECT_EQ(GetRec(&tdudgr, &tvudgr, 5)[0], 0);
  EXPECT_EQ(tvudgr.wRecCnt, 8u);
  EXPECT_EQ(NewRec(&tdudgr, &tvudgr), 6u);
  EXPECT_EQ(tvudgr.FoersteLedige, 7u);
  // Nothing free from the hint on: append.
  EXPECT_EQ(NewRec(&tdudgr, &tvudgr), 8u);
  EXPECT_EQ(tvudgr.wRecCnt, 9u);
  EXPECT_EQ(tvudgr.FoersteLedige, 9u);
}

TEST_F(Storage, RecordZeroIsNeverGivenOut) {
  ASSERT_EQ(AddTabBlock(&tdudgr, &tvudgr, 10), 0);
  tvudgr.wRecCnt = 1;  // record 0 only, status 0
  tvudgr.FoersteLedige = 0;
  EXPECT_EQ(NewRec(&tdudgr, &tvudgr), 1u);
  EXPECT_EQ(NewRec(&tdudgr, &tvudgr), 2u);
  DelRec(&tdudgr, &tvudgr, 0);
  EXPECT_EQ(tvudgr.FoersteLedige, 0u);
  SetRecStatus(&tdudgr, &tvudgr, 1, 10);
  SetRecStatus(&tdudgr, &tvudgr, 2, 10);
  EXPECT_EQ(NewRec(&tdudgr, &tvudgr), 3u);
}

TEST_F(Storage, NewRecGrowsByWholeBlocksOneRecordEarly) {
  std::vector<uint32_t> alloc;
  for (int i = 0; i < 25; ++i) {
    const uint32_t n = NewRec(&tdudgr, &tvudgr);
    ASSERT_EQ(n, uint32_t(i + 1));
    SetRecStatus(&tdudgr, &tvudgr, n, 10);
    alloc.push_back(tvudgr.AllocAntal);
    EXPECT_LE(tvudgr.wRecCnt, tvudgr.AllocAntal);
    EXPECT_EQ(tvudgr.AllocAntal % 10, 0u);
  }
  // wRecCnt 10 reaches AllocAntal 10 at record 9, so the table grows there.
  EXPECT_EQ(alloc[7], 10u);
  EXPECT_EQ(alloc[8], 20u);
  EXPECT_EQ(alloc[18], 30u);
  // Every block flag up to the last block is addressable and set.
  for (uint32_t b = 0; b <= 25 / 10; ++b) EXPECT_EQ(tvudgr.pfSave[b], 1) << b;
  // Added index slots and records are zero.
  EXPECT_EQ(tvudgr.pwSort[29], 0u);
  EXPECT_EQ(GetRec(&tdudgr, &tvudgr, 25)[0], 0);
}

TEST_F(Storage, GrowthKeepsExistingBlockMarks) {
  Fyld(&tdbudt, &tvbudt, 2500, 10);
  memset(tvbudt.pfSave, 0, 3);
  tvbudt.pfSave[2] = 1;
  tvbudt.FoersteLedige = 2500;
  EXPECT_EQ(NewRec(&tdbudt, &tvbudt), 2500u);
  EXPECT_EQ(tvbudt.AllocAntal, 3500u);
  EXPECT_EQ(tvbudt.pfSave[0], 0);
  EXPECT_EQ(tvbudt.pfSave[1], 0);
  EXPECT_EQ(tvbudt.pfSave[2], 1);
  EXPECT_EQ(tvbudt.pfSave[3], 0);
  EXPECT_EQ(Status(&tdbudt, &tvbudt, 2499), 10);
}

// Allocators that fail the k-th reallocation.
int reallocKald = 0, reallocFejl = 0, callocKald = 0, callocFejl = 0;
void *FejlRealloc(void *p, size_t n) { return ++reallocKald == reallocFejl ? nullptr : realloc(p, n); }
void *FejlCalloc(size_t a, size_t n) { return ++callocKald == callocFejl ? nullptr : calloc(a, n); }
std::vector<std::string> fejlLinjer;
void Opsamle(const char *linje) { fejlLinjer.push_back(linje); }

TEST_F(Storage, FailedGrowthLeavesTableUsable) {
  const struct {
    int fejl;
    const char *linje;
  } tilfaelde[] = {
      {1, "AddTabBlock:pbTab: "},
      {2, "AddTabBlock:pwSort: "},
      {3, "AddTabBlock:pfSave: "},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.linje);
    Ryd();
    Fyld(&tdudgr, &tvudgr, 9, 10);
    tvudgr.FoersteLedige = 9;
    tvudgr.pfSave[0] = 0;
    SetTabFejlFn(Opsamle);
    fejlLinjer.clear();
    reallocKald = 0;
    reallocFejl = t.fejl;
    TabAlloc = {calloc, FejlRealloc};

    EXPECT_EQ(AddTabBlock(&tdudgr, &tvudgr, 10), -1);
    EXPECT_EQ(tvudgr.AllocAntal, 9u);
    ASSERT_EQ(fejlLinjer.size(), 1u);
    EXPECT_EQ(fejlLinjer[0].rfind(t.linje, 0), 0u) << fejlLinjer[0];
    EXPECT_NE(fejlLinjer[0].find("; type=u, size=10\n"), std::string::npos) << fejlLinjer[0];

    // NewRec needs to grow at record 9 and gives up, changing nothing.
    reallocKald = 0;
    EXPECT_EQ(NewRec(&tdudgr, &tvudgr), 0u);
    EXPECT_EQ(tvudgr.wRecCnt, 9u);
    EXPECT_EQ(tvudgr.FoersteLedige, 9u);
    EXPECT_EQ(tvudgr.AllocAntal, 9u);
    EXPECT_EQ(tvudgr.pfSave[0], 0);
    EXPECT_EQ(Status(&tdudgr, &tvudgr, 8), 10);
    GetRec(&tdudgr, &tvudgr, 8)[44] = 1;  // the old array is still the table's

    // Once memory is there again the table grows as usual.
    TabAlloc = {calloc, realloc};
    EXPECT_EQ(NewRec(&tdudgr, &tvudgr), 9u);
    EXPECT_EQ(tvudgr.AllocAntal, 19u);
  }
}

TEST_F(Storage, FailedFirstAllocationLeavesNothing) {
  for (int fejl = 1; fejl <= 3; ++fejl) {
    SCOPED_TRACE(fejl);
    Ryd();
    callocKald = 0;
    callocFejl = fejl;
    TabAlloc = {FejlCalloc, realloc};
    EXPECT_EQ(AddTabBlock(&tdudgr, &tvudgr, 10), -1);
    EXPECT_EQ(tvudgr.pbTab, nullptr);
    EXPECT_EQ(tvudgr.pwSort, nullptr);
    EXPECT_EQ(tvudgr.pfSave, nullptr);
    EXPECT_EQ(tvudgr.AllocAntal, 0u);
    callocKald = 0;
    EXPECT_EQ(NewRec(&tdudgr, &tvudgr), 0u);
    EXPECT_EQ(tvudgr.wRecCnt, 0u);
    TabAlloc = {calloc, realloc};
    EXPECT_EQ(NewRec(&tdudgr, &tvudgr), 1u);
  }
}

TEST_F(Storage, GetSetDelOutOfRangeDoNothing) {
  EXPECT_EQ(GetRec(&tdudgr, &tvudgr, 0), nullptr);  // no records at all
  EXPECT_EQ(DelRec(&tdudgr, &tvudgr, 0), 0u);
  SetRecStatus(&tdudgr, &tvudgr, 0, 10);
  Fyld(&tdudgr, &tvudgr, 5, 10);
  tvudgr.pfSave[0] = 0;
  EXPECT_NE(GetRec(&tdudgr, &tvudgr, 0), nullptr);
  EXPECT_EQ(GetRec(&tdudgr, &tvudgr, 4), tvudgr.pbTab + 4 * 45);
  EXPECT_EQ(GetRec(&tdudgr, &tvudgr, 5), nullptr);
  SetRecStatus(&tdudgr, &tvudgr, 5, 10);
  EXPECT_EQ(DelRec(&tdudgr, &tvudgr, 5), 5u);
  EXPECT_EQ(DelRec(&tdudgr, &tvudgr, 9), 5u);
  EXPECT_EQ(tvudgr.pfSave[0], 0);
  EXPECT_EQ(Status(&tdudgr, &tvudgr, 4), 10);
}

TEST_F(Storage, SetRecStatusAndDelRecMarkTheBlock) {
  Fyld(&tdbudt, &tvbudt, 2500, 10);
  memset(tvbudt.pfSave, 0, 3);
  SetRecStatus(&tdbudt, &tvbudt, 1500, 110);
  EXPECT_EQ(Status(&tdbudt, &tvbudt, 1500), 110);
  EXPECT_EQ(tvbudt.pfSave[1], 1);
  EXPECT_EQ(tvbudt.pfSave[2], 0);

  tvbudt.FoersteLedige = 2400;
  memset(GetRec(&tdbudt, &tvbudt, 2100), 0x77, tdbudt.RecSize);
  EXPECT_EQ(DelRec(&tdbudt, &tvbudt, 2100), 2u);
  const std::vector<uint8_t> nul(tdbudt.RecSize, 0);
  EXPECT_EQ(memcmp(GetRec(&tdbudt, &tvbudt, 2100), nul.data(), nul.size()), 0);
  EXPECT_EQ(tvbudt.FoersteLedige, 2100u);
  EXPECT_EQ(tvbudt.pfSave[2], 1);
  // A hint already below the record stays.
  EXPECT_EQ(DelRec(&tdbudt, &tvbudt, 2200), 2u);
  EXPECT_EQ(tvbudt.FoersteLedige, 2100u);
  EXPECT_EQ(NewRec(&tdbudt, &tvbudt), 2100u);
  EXPECT_EQ(tvbudt.FoersteLedige, 2101u);
}

TEST_F(Storage, CountAktiveRec) {
  struct {
    std::vector<uint8_t> statusser;  // records 1..n
    uint32_t aktive;
  } tilfaelde[] = {
      {{10, 29, 42, 64, 110}, 5},
      {{30, 5, 0, 9, 1}, 0},
      {{10, 0, 30, 11, 200, 100, 160, 150}, 5},  // 200, 100, 160 carry bit 64 or 32; 150 neither
      {{}, 0},
  };
  for (const auto &t : tilfaelde) {
    Ryd();
    Fyld(&tdudgr, &tvudgr, uint32_t(t.statusser.size()) + 1, 0);
    for (size_t i = 0; i < t.statusser.size(); ++i) SetRecStatus(&tdudgr, &tvudgr, uint32_t(i + 1), t.statusser[i]);
    SetRecStatus(&tdudgr, &tvudgr, 0, 10);  // record 0 is no record
    EXPECT_EQ(CountAktiveRec(&tdudgr, &tvudgr), t.aktive);
  }
  Ryd();
  EXPECT_EQ(CountAktiveRec(&tdudgr, &tvudgr), 0u);
  EXPECT_FALSE(AktivStatus(30));
  EXPECT_TRUE(AktivStatus(42));
}

TEST_F(Storage, StatusClassesAndReferences) {
  EXPECT_EQ(StatusKlasse(1), KLASSE_AKTUEL);
  EXPECT_EQ(StatusKlasse(99), KLASSE_AKTUEL);
  EXPECT_EQ(StatusKlasse(100), KLASSE_SLETTET);
  EXPECT_EQ(StatusKlasse(199), KLASSE_SLETTET);
  EXPECT_EQ(StatusKlasse(200), KLASSE_NY);
  EXPECT_EQ(StatusKlasse(255), KLASSE_NY);
  Fyld(&tdudgr, &tvudgr, 4, 10);
  EXPECT_FALSE(GyldigRef(&tvudgr, 0));
  EXPECT_TRUE(GyldigRef(&tvudgr, 1));
  EXPECT_TRUE(GyldigRef(&tvudgr, 3));
  EXPECT_FALSE(GyldigRef(&tvudgr, 4));
}

TEST_F(Storage, ResetTabFreesAndReinitialises) {
  Fyld(&tdudgr, &tvudgr, 5, 10);
  tvudgr.fSorter = 1;
  tvudgr.FilOrd = 7;
  ResetTab(&tdudgr, &tvudgr, 0);
  const TabVar nul{};
  EXPECT_EQ(memcmp(&tvudgr, &nul, sizeof nul), 0);

  ResetTab(&tdudgr, &tvudgr, 1);
  EXPECT_EQ(tvudgr.wRecCnt, 1u);
  EXPECT_EQ(tvudgr.pfSave[0], 1);

  // akti always comes back with its record 0, through the installed
  // initialisation when there is one.
  ResetTab(&tdakti, &tvakti, 0);
  EXPECT_EQ(tvakti.wRecCnt, 1u);
  static int kald;
  kald = 0;
  SetInitTabFn([](const TabDesc *td, TabVar *tv) {
    ++kald;
    EXPECT_EQ(td, &tdakti);
    EXPECT_EQ(tv->pbTab, nullptr);
  });
  ResetTab(&tdakti, &tvakti, 0);
  EXPECT_EQ(kald, 1);
  ResetTab(&tdudgr, &tvudgr, 0);
  EXPECT_EQ(kald, 1);
}

TEST_F(Storage, RunPointersFollowTheirRecords) {
  // anfo's MedTal lives beside the record; zeroing a record drops it.
  const TabDesc *td = &tdanfo;
  TabVar *tv = &tvanfo;
  ASSERT_EQ(NewRec(td, tv), 1u);
  ASSERT_EQ(NewRec(td, tv), 2u);
  SetRecStatus(td, tv, 1, 10);
  SetRecStatus(td, tv, 2, 10);
  SetRunPtr(tv, 1, calloc(4, 84));
  SetRunPtr(tv, 2, calloc(4, 84));
  SetRunPtr(tv, 2, calloc(5, 84));  // replacing frees the old block
  EXPECT_NE(GetRunPtr(tv, 1), nullptr);
  EXPECT_EQ(GetRunPtr(tv, 3), nullptr);
  DelRec(td, tv, 1);
  EXPECT_EQ(GetRunPtr(tv, 1), nullptr);
  EXPECT_EQ(NewRec(td, tv), 1u);
  EXPECT_EQ(GetRunPtr(tv, 1), nullptr);
  EXPECT_EQ(GetRunPtr(&tvakti, 2), nullptr);
  ResetTab(td, tv, 0);
  EXPECT_EQ(GetRunPtr(tv, 2), nullptr);
  ResetTab(td, tv, 0);  // anfo is re-initialised every time; free it fully
  free(tv->pbTab);
  free(tv->pwSort);
  free(tv->pfSave);
  *tv = TabVar{};
}

}  // namespace

// The blocks live only in the side table, so a program that ends with
// figures allocated must leave the leak checker nothing to report (the
// sanitizer build fails the exit code when it finds a leak).
TEST(StorageDeathTest, RunPointerBlocksAreFreedWhenTheProgramEnds) {
  EXPECT_EXIT(
      {
        SetRunPtr(&tvanfo, 3, calloc(13, 84));
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}
