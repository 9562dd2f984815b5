// Emptying the data set and rewriting the side files for a new schedule
// period, on small hand-made buckets.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../exchange/skole_fixture.h"
#include "NULSTIL.h"
#include "PERIODE.h"
#include "tavo/test_dialog.h"
#include "tavo/test_file.h"
#include "windows.h"

namespace {

using namespace skoletest;

bool Findes(const char *navn, const char *endelse) {
  char sti[kStiLaengde];
  EXPECT_TRUE(DataFilSti(sti, sizeof sti, navn, endelse));
  return GetFileAttributesA(sti) != INVALID_FILE_ATTRIBUTES;
}

void LavFil(const char *navn, const char *endelse) {
  char sti[kStiLaengde];
  ASSERT_TRUE(DataFilSti(sti, sizeof sti, navn, endelse));
  FILE *f = AabnDataFil(sti, "wb");
  ASSERT_NE(f, nullptr) << sti;
  fputs("x", f);
  fclose(f);
}

class Periode : public Skole {
 protected:
  std::string Indhold(const char *navn) const { return LaesFil(rod / "data" / navn); }

  static uint32_t Begivenhed(Uge uge, uint8_t dag) {
    const uint32_t n = SkeRaekke(uge, 64, kEgen);
    reinterpret_cast<SkeRec *>(GetRec(&tdske, SkemabegBucket(uge), n))->Dag = dag;
    return n;
  }
  // A freed row at the end of its bucket is trimmed away by the save.
  static uint32_t Status(Uge uge, uint32_t n) {
    const uint8_t *p = GetRec(&tdske, SkemabegBucket(uge), n);
    return p ? reinterpret_cast<const SkeRec *>(p)->Status : 0;
  }
  static uint8_t TimStatus(Dato d, uint32_t n) {
    const uint8_t *p = GetRec(&tdtimoak, TimoakBucket(d / 100), n);
    return p ? reinterpret_cast<const TimoakRaekke *>(p)->Status : 0;
  }
};

using ResetAllDataSletning = Periode;
using SkiftPeriodeFiler = Periode;

TEST_F(ResetAllDataSletning, SletterDetIkkeBevaredeOgToemmerSpandene) {
  const TabRegEntry *bevaret = nullptr;
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e)
    if (e->pTabDesc->BevarVedNulstil) bevaret = e;
  ASSERT_NE(bevaret, nullptr);
  Akti(4711);
  Begivenhed(202442, 3);
  TimRaekke(20241016, 64, kEgen);
  LavFil(tdakti.Navn, ".DAT");
  LavFil(bevaret->pTabDesc->Navn, ".DAT");
  for (const char *s : {"skemabeg.dat", "timoak.dat", "udplatim.dat", "hontim.dat"}) LavFil(s, "");

  ResetAllData();

  EXPECT_FALSE(Findes(tdakti.Navn, ".DAT"));
  EXPECT_TRUE(Findes(bevaret->pTabDesc->Navn, ".DAT")) << "a kept table's file stays";
  for (const char *s : {"skemabeg.dat", "timoak.dat", "udplatim.dat", "hontim.dat"}) EXPECT_FALSE(Findes(s, "")) << s;
  for (uint32_t n = 0; n < tvakti.wRecCnt; ++n)
    EXPECT_NE(Laes<AktiRec>(tdakti, tvakti, n).id, 4711u) << "record " << n;
  const TabVar *b = SkemabegBucket(202442);
  EXPECT_TRUE(!b || b->wRecCnt == 0 || !b->pbTab);
  const TabVar *t = TimoakBucket(202410);
  EXPECT_TRUE(!t || t->wRecCnt == 0 || !t->pbTab);
  // Nothing to delete is no error.
  ResetAllData();
}

TEST_F(SkiftPeriodeFiler, GemSidefilerFriggerRaekkerUdenforOgSkriverKunOverlappende) {
  // New period 1 Sep 2024 .. 30 Apr 2025 inside the old Aug 2024 .. Jul 2025.
  const Dato fra = 20240901, til = 20250430;
  const uint32_t aug = Begivenhed(202432, 1);         // 5 Aug: its week lies before
  const uint32_t mandag = Begivenhed(202435, 1);      // 26 Aug: freed, its week overlaps
  const uint32_t soendag = Begivenhed(202435, 7);     // 1 Sep: kept
  const uint32_t okt = Begivenhed(202442, 3);         // kept
  const uint32_t maj = Begivenhed(202518, 3);         // 30 Apr 2025: kept
  const uint32_t maj2 = Begivenhed(202518, 4);        // 1 May 2025: freed
  const uint32_t tAug = TimRaekke(20240820, 64, kEgen);
  const uint32_t tSep1 = TimRaekke(20240901, 64, kEgen);
  const uint32_t tApr = TimRaekke(20250430, 64, kEgen);
  const uint32_t tMaj = TimRaekke(20250501, 64, kEgen);
  const SkeRec foerOkt = Ske(202442, okt);
  const SkeRec foerSoendag = Ske(202435, soendag);

  ASSERT_EQ(GemSidefilerForPeriode(fra, til), 0);

  // In memory.
  EXPECT_EQ(Status(202432, aug), 0u);
  EXPECT_EQ(Status(202435, mandag), 0u);
  EXPECT_EQ(Status(202435, soendag), 64u);
  EXPECT_EQ(Status(202518, maj), 64u);
  EXPECT_EQ(Status(202518, maj2), 0u);
  EXPECT_EQ(TimStatus(20240820, tAug), 0);
  EXPECT_EQ(TimStatus(20240901, tSep1), 64);
  EXPECT_EQ(TimStatus(20250430, tApr), 64);
  EXPECT_EQ(TimStatus(20250501, tMaj), 0);

  // On disk: the header lines name only the overlapping weeks and months.
  const std::string ske = Indhold("skemabeg.dat");
  EXPECT_EQ(ske.find("202432 "), std::string::npos);
  EXPECT_NE(ske.find("202435 "), std::string::npos);
  EXPECT_NE(ske.find("202442 "), std::string::npos);
  EXPECT_NE(ske.find("202518 "), std::string::npos);
  const std::string tim = Indhold("timoak.dat");
  EXPECT_EQ(tim.find("202408 "), std::string::npos);
  EXPECT_NE(tim.find("202409 "), std::string::npos);
  EXPECT_NE(tim.find("202504 "), std::string::npos);
  EXPECT_EQ(tim.find("202505 "), std::string::npos);

  // Read back by the store's own loader: the kept rows as they were stored.
  TomSkemabeg();
  TomTimoak();
  ASSERT_EQ(LoadSkemabeg(), 0);
  ASSERT_EQ(LoadTimoak(), 0);
  const TabVar *b = SkemabegBucket(202432);
  EXPECT_TRUE(!b || !b->pbTab || b->wRecCnt == 0);
  const SkeRec efterOkt = Ske(202442, okt), efterSoendag = Ske(202435, soendag);
  EXPECT_EQ(std::memcmp(&efterOkt, &foerOkt, sizeof(SkeRec)), 0);
  EXPECT_EQ(std::memcmp(&efterSoendag, &foerSoendag, sizeof(SkeRec)), 0);
  EXPECT_EQ(TimStatus(20240901, tSep1), 64);
}

TEST_F(SkiftPeriodeFiler, EnFejlendeSkrivningBeholderDenGamleSidefil) {
  Begivenhed(202442, 3);
  Begivenhed(202520, 3);
  TimRaekke(20241016, 64, kEgen);
  TimRaekke(20250515, 64, kEgen);
  ASSERT_EQ(SaveSkemabeg(), 0);
  ASSERT_EQ(SaveTimoak(), 0);
  const std::string foerSke = Indhold("skemabeg.dat"), foerTim = Indhold("timoak.dat");
  ASSERT_FALSE(foerSke.empty());

  tavo::test::FileFault fejl;
  fejl.kinds = tavo::test::kFileWrite;
  fejl.nth = 1;
  fejl.error = ERROR_DISK_FULL;
  fejl.under = (rod / "data").string();
  tavo::test::SetFileFault(fejl);
  const int svar = GemSidefilerForPeriode(20240901, 20250331);
  tavo::test::ClearFileFault();

  EXPECT_EQ(svar, -1);
  EXPECT_EQ(Indhold("skemabeg.dat"), foerSke) << "the old events are kept";
  EXPECT_NE(foerTim.find("202505 "), std::string::npos);
  EXPECT_EQ(Indhold("timoak.dat").find("202505 "), std::string::npos) << "the files after the failing one are still written";
}

}  // namespace

namespace {

TEST_F(SkiftPeriodeFiler, FlytterPeriodenOgLaeserIgen) {
  const uint32_t okt = Begivenhed(202442, 3);
  Begivenhed(202432, 1);
  ASSERT_EQ(SaveSkemabeg(), 0);
  LavFil("ansk", ".DAT");
  tavo::test::StartDialogScript();
  EXPECT_TRUE(SkiftPeriode(20240901, 20250731, 20240901));
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  tavo::test::StopDialogScript();
  EXPECT_FALSE(Findes("ansk", ".DAT"));
  EXPECT_EQ(SkemaPeriode.FraDato, 20240901u);
  EXPECT_EQ(SkemaPeriode.FoersteUge, 202435u);
  EXPECT_EQ(Status(202442, okt), 64u) << "read back for the new period";
  EXPECT_EQ(Indhold("skemabeg.dat").find("202432 "), std::string::npos);
}

TEST_F(SkiftPeriodeFiler, EnFejlendeSkrivningMeldesOgDeGamleBegivenhederLaesesIgen) {
  const uint32_t okt = Begivenhed(202442, 3);
  ASSERT_EQ(SaveSkemabeg(), 0);
  tavo::test::FileFault fejl;
  fejl.kinds = tavo::test::kFileWrite;
  fejl.nth = 1;
  fejl.error = ERROR_DISK_FULL;
  fejl.under = (rod / "data").string();
  tavo::test::SetFileFault(fejl);
  tavo::test::StartDialogScript();
  const bool ok = SkiftPeriode(20240901, 20250731, 20240901);
  tavo::test::ClearFileFault();
  const auto bokse = tavo::test::MessageBoxesShown();
  tavo::test::StopDialogScript();
  EXPECT_FALSE(ok);
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Fejl");
  EXPECT_EQ(Status(202442, okt), 64u) << "the old file was read for the new period";
}

}  // namespace
