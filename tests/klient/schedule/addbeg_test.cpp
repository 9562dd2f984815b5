// The common event writer: an event written and read back is the same
// event, also after a save and a load; rows go after the bucket's last row
// and a full bucket grows by a block; the marks, the reserved activities,
// the refusals, and the figures added to the count tables.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ADDBEG.h"
#include "SIDEFIL.h"
#include "SLETBEG.h"
#include "TALTAB.h"
#include "TAVODATA.h"
#include "beg_fixture.h"

namespace {

using namespace begtest;

template <class T>
T *Liste(std::initializer_list<T> v) {
  T *p = static_cast<T *>(malloc(v.size() * sizeof(T)));
  std::copy(v.begin(), v.end(), p);
  return p;
}

class AddBegivenhedTest : public BegMappe {
 protected:
  // Three employees, one activity, two rooms, every field filled.
  void FyldAVS(AVS &a) {
    a.aktiTab = Liste<uint32_t>({akti[1]});
    a.aktiAntal = 1;
    a.anfoTab = Liste<uint32_t>({anfo[0], anfo[1], anfo[2]});
    a.skemarolTab = Liste<uint32_t>({laerer, Rolle({"L2"}), laerer});
    a.beregnTab = Liste<float>({45.5f, 0.0f, 90.25f});
    a.hvorfraTab = Liste<uint8_t>({'a', 0, 'c'});
    a.minutTab = Liste<float>({45.0f, -1.0f, 90.0f});
    a.anfoAntal = 3;
    a.lokaTab = Liste<uint32_t>({loka[2], loka[0]});
    a.lokrolleTab = Liste<uint32_t>({4, 5});
    a.lokaAntal = 2;
    a.skfa_id = skfa;
    a.bem_id = bem;
    DelBemAVS(&a, kBemTekst);
    a.risy_id = risy;
    a.Ejer = kEgen;
    a.Placering = 'L';
    a.Art = 'S';
    a.Dag = 4;
    a.Lektion = 3;
    a.Starttid = 950;
    a.Sluttid = 1035;
    a.Antal_std_lektioner = 1.5f;
  }
};

TEST_F(AddBegivenhedTest, AnEventWrittenAndReadBackIsTheSameEvent) {
  const uint32_t andet = SkrivRaekker({{akti[0]}, {.loka = loka[0]}}, {.id = 3});
  FyldAVS(avs);
  ASSERT_EQ(AddBegivenhed(&avs, 444, kAar, kUge, SKE_EGEN, false, "BRUGERNAVNET", 2024100112.0, 2024100113.0), 1);
  const uint32_t forste = andet + 2;  // after the bucket's last row
  EXPECT_EQ(BegBucket(kAar, kUge)->wRecCnt, forste + 3);

  // One row per employee, the activity and rooms in the first rows.
  const uint32_t aktiVentet[] = {akti[1], 0, 0}, lokaVentet[] = {loka[2], loka[0], 0};
  for (uint32_t k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    const SkeRec s = *Raekke(forste + k);
    EXPECT_EQ(+s.id, 444u);
    EXPECT_EQ(+s.Status, uint32_t{SKE_EGEN | SKE_MAERKE2});
    EXPECT_EQ(+s.Forste, forste);
    EXPECT_EQ(+s.akti_id, aktiVentet[k]);
    EXPECT_EQ(+s.anfo_id, anfo[k]);
    EXPECT_EQ(+s.loka_id, lokaVentet[k]);
    EXPECT_EQ(+s.Fejl, 0);
    EXPECT_EQ(+s.Konflikt, 0);
    EXPECT_EQ(+s.opdtid, 2024100112.0);
    EXPECT_EQ(+s.AEndret_tid, 2024100113.0);
    EXPECT_STREQ(s.AEndret_af, "BRUGERNA");  // the row keeps 8 characters
  }

  HentAVS(kAar, kUge, forste, &avs2, true);
  ErLig(avs, avs2);
  EXPECT_EQ(+avs2.id, 444u);
  EXPECT_EQ(+avs2.Forste, forste);
  // The other event kept its rows.
  HentAVS(kAar, kUge, andet, &avs2, true);
  EXPECT_EQ(+avs2.id, 3u);
  EXPECT_EQ(+avs2.lokaAntal, 1u);

  // Saved and loaded by the data store, it is still the same event.
  ASSERT_EQ(SaveSkemabeg(), 0);
  TomSkemabeg();
  ASSERT_EQ(LoadSkemabeg(), 0);
  HentAVS(kAar, kUge, forste, &avs2, true);
  ErLig(avs, avs2);
  EXPECT_EQ(+avs2.id, 444u);
}

TEST_F(AddBegivenhedTest, AnEmptyBucketStartsAtRowOne) {
  FyldAVS(avs);
  ASSERT_EQ(AddBegivenhed(&avs, 1, kAar, 45, SKE_EGEN, false, nullptr, 0, 0), 1);
  EXPECT_EQ(BegBucket(kAar, 45)->wRecCnt, 4u);
  const uint8_t *raekke0 = GetRec(&tdske, BegBucket(kAar, 45), 0);
  EXPECT_EQ(std::vector<uint8_t>(raekke0, raekke0 + sizeof(SkeRec)), std::vector<uint8_t>(sizeof(SkeRec), 0));
  for (uint32_t r = 1; r <= 3; ++r) EXPECT_EQ(+Raekke(r, kAar, 45)->Forste, 1u);
  // An event without participants still has its one row.
  CleanupAVS(&avs2);
  avs2.Dag = 1;
  avs2.Starttid = 800;
  ASSERT_EQ(AddBegivenhed(&avs2, 2, kAar, 45, SKE_EGEN, false, nullptr, 0, 0), 1);
  EXPECT_EQ(BegBucket(kAar, 45)->wRecCnt, 5u);
  EXPECT_EQ(+Raekke(4, kAar, 45)->Forste, 4u);
}

TEST_F(AddBegivenhedTest, AFullBucketGrowsByABlockAndKeepsTheOtherRows) {
  TabVar *b = BegBucket(kAar, kUge);
  ASSERT_EQ(AddTabBlock(&tdske, b, tdske.RecPrBlok), 0);
  b->wRecCnt = b->AllocAntal;
  for (uint32_t r = 1; r < b->wRecCnt; ++r) {
    Raekke(r)->id = r;
    Raekke(r)->Status = SKE_EGEN;
    Raekke(r)->Forste = r;
    Raekke(r)->akti_id = akti[r % 3];
  }
  const std::vector<uint8_t> foer(b->pbTab, b->pbTab + size_t{b->wRecCnt} * sizeof(SkeRec));
  const uint32_t fuld = b->wRecCnt;

  FyldAVS(avs);
  ASSERT_EQ(AddBegivenhed(&avs, 9, kAar, kUge, SKE_EGEN, false, nullptr, 0, 0), 1);
  EXPECT_EQ(b->AllocAntal, fuld + tdske.RecPrBlok);
  EXPECT_EQ(b->wRecCnt, fuld + 3);
  EXPECT_EQ(0, memcmp(foer.data(), b->pbTab, foer.size()));
  HentAVS(kAar, kUge, fuld, &avs2, true);
  ErLig(avs, avs2);
}

TEST_F(AddBegivenhedTest, ABucketThatCannotGrowWritesNothingAndSaysSo) {
  static int kald;
  kald = 0;
  const TabAllokatorer gamle = TabAlloc;
  TabAlloc.Calloc = [](size_t, size_t) -> void * { return ++kald, nullptr; };
  FyldAVS(avs);
  EXPECT_EQ(AddBegivenhed(&avs, 9, kAar, kUge, SKE_EGEN, false, nullptr, 0, 0), 0);
  TabAlloc = gamle;
  EXPECT_GT(kald, 0);
  EXPECT_EQ(BegBucket(kAar, kUge)->wRecCnt, 0u);
  ASSERT_EQ(FejlLinjer().size(), 1u);
  EXPECT_NE(FejlLinjer()[0].find("AddBegivenhed()"), std::string::npos);
}

TEST_F(AddBegivenhedTest, WhatIsNotWrittenAndItsResult) {
  struct {
    const char *navn;
    uint8_t aar, uge, dag;
    uint32_t start, slut;
    bool udenRoller;
    uint8_t resultat;
    size_t fejlLinjer;
  } const tilfaelde[] = {
      {"start and end 0", kAar, kUge, 2, 0, 0, false, 1, 0},
      {"start and end 0 without roles", kAar, kUge, 2, 0, 0, true, 1, 0},
      {"employments without roles", kAar, kUge, 2, 800, 845, true, 0, 0},
      {"a week before the period", kAar, 30, 2, 800, 845, false, 1, 1},
      {"a week after the period", 1, 32, 2, 800, 845, false, 1, 1},
      {"a week 53 the year does not have", kAar, 53, 2, 800, 845, false, 1, 1},
      {"week 0", kAar, 0, 2, 800, 845, false, 1, 1},
      {"week 54", kAar, 54, 2, 800, 845, false, 1, 1},
      {"a year far after the period", 200, 10, 2, 800, 845, false, 1, 1},
      {"weekday 0", kAar, kUge, 0, 800, 845, false, 1, 1},
      {"weekday 8", kAar, kUge, 8, 800, 845, false, 1, 1},
      {"only an end time is written", kAar, kUge, 2, 0, 845, false, 1, 0},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    TomSkemabeg();
    LukLog();
    std::filesystem::remove(rod / "log" / "tavo.log");
    ASSERT_EQ(AabnLog(), 1);
    CleanupAVS(&avs);
    avs.anfoTab = Liste<uint32_t>({anfo[0]});
    if (!t.udenRoller) avs.skemarolTab = Liste<uint32_t>({laerer});
    avs.anfoAntal = 1;
    avs.Dag = t.dag;
    avs.Starttid = t.start;
    avs.Sluttid = t.slut;
    EXPECT_EQ(AddBegivenhed(&avs, 1, t.aar, t.uge, SKE_EGEN, true, nullptr, 0, 0), t.resultat);
    uint32_t raekker = 0;
    for (const TabVar &b : SkemabegUgeTab) raekker += b.wRecCnt;
    const bool skrevet = t.resultat == 1 && t.fejlLinjer == 0 && (t.start || t.slut);
    EXPECT_EQ(raekker, skrevet ? 2u : 0u);
    EXPECT_EQ(FejlLinjer().size(), t.fejlLinjer);
  }
}

TEST_F(AddBegivenhedTest, ChangedByMarkOnlyOnTheOwnRowsOfAnotherUser) {
  struct {
    const char *aendretAf;
    uint8_t ejer;
    bool maerke;
  } const tilfaelde[] = {
      {"BRUGER", kEgen, true}, {"TAVO", kEgen, false}, {"", kEgen, false},
      {nullptr, kEgen, false}, {"BRUGER", 9, false},   {"TAVO2", kEgen, true},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.aendretAf ? t.aendretAf : "(none)");
    SCOPED_TRACE(int{t.ejer});
    FyldAVS(avs);
    avs.Ejer = t.ejer;
    const uint32_t forste = BegBucket(kAar, kUge)->wRecCnt ? BegBucket(kAar, kUge)->wRecCnt : 1;
    ASSERT_EQ(AddBegivenhed(&avs, 1, kAar, kUge, SKE_EGEN | SKE_UNTIS, false, t.aendretAf, 0, 0), 1);
    for (uint32_t k = 0; k < 3; ++k)
      EXPECT_EQ(+Raekke(forste + k)->Status, SKE_EGEN | SKE_UNTIS | (t.maerke ? uint32_t{SKE_MAERKE2} : 0u));
    CleanupAVS(&avs);
  }
}

uint32_t AktiId(uint32_t nr) { return nr ? TabRec<AktiRec>(tvakti, nr)->id : 0; }

TEST_F(AddBegivenhedTest, AnAbsenceWithoutActivityGetsItsReservedActivity) {
  struct {
    const char *navn;
    RolleSpec rolle;
    bool medAkti;
    uint32_t aktiId;
  } const tilfaelde[] = {
      {"ordinary role", {"L"}, false, 0},
      {"care day", {"O"}, false, 999999998},
      {"time off: role text A", {"A"}, false, 999999997},
      {"time off: payroll code 710", {"X", "", "710"}, false, 999999997},
      {"time off: activity type", {"X", "A9"}, false, 999999997},
      {"OP role", {"OP"}, false, 999999996},
      {"holiday: role text F", {"F"}, false, 999999995},
      {"holiday: payroll code 500", {"X", "", "500"}, false, 999999995},
      {"SF in any case", {"Sf"}, false, 999999995},
      {"sickness", {"S"}, false, 999999994},
      {"a later test overrides: care day with a time-off type", {"O", "AF"}, false, 999999997},
      {"a later test overrides: holiday with a sickness type", {"F", "11sy"}, false, 999999994},
      {"an event with an activity keeps it", {"S"}, true, 1001},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    CleanupAVS(&avs);
    if (t.medAkti) {
      avs.aktiTab = Liste<uint32_t>({akti[1]});
      avs.aktiAntal = 1;
    }
    avs.anfoTab = Liste<uint32_t>({anfo[0]});
    avs.skemarolTab = Liste<uint32_t>({Rolle(t.rolle)});
    avs.anfoAntal = 1;
    avs.Ejer = kEgen;
    avs.Dag = 1;
    avs.Starttid = 800;
    avs.Sluttid = 1600;
    const uint32_t forste = BegBucket(kAar, kUge)->wRecCnt ? BegBucket(kAar, kUge)->wRecCnt : 1;
    ASSERT_EQ(AddBegivenhed(&avs, 1, kAar, kUge, SKE_EGEN, false, nullptr, 0, 0), 1);
    EXPECT_EQ(AktiId(+Raekke(forste)->akti_id), t.aktiId);
  }
}

// The count tables the schedule's figures reach, and the counters kept in
// the activity records.
struct Figurer {
  std::vector<AktiTalCelle> akti;
  std::vector<MedTalUgeCelle> uge;
  std::vector<uint32_t> lokaSum;
  std::vector<int64_t> taellere;
};

Figurer Tag() {
  Figurer f;
  const TalDimRec &d = TalDim;
  if (AktiTalTab) f.akti.assign(AktiTalTab, AktiTalTab + size_t(d.M + 1) * d.A);
  if (MedTalUgeTab) f.uge.assign(MedTalUgeTab, MedTalUgeTab + size_t(d.F + 1) * (d.W + 1));
  if (LokaSumTab) f.lokaSum.assign(LokaSumTab, LokaSumTab + size_t(d.R) * d.Y);
  for (uint32_t r = 1; r < tvakti.wRecCnt; ++r) {
    const AktiRec *a = TabRec<AktiRec>(tvakti, r);
    f.taellere.insert(f.taellere.end(), {a->AntalElevLektioner, a->AntalLererLektioner, a->AntalLererTimer});
  }
  return f;
}

bool Naer(float a, float b) { return std::fabs(a - b) <= 1e-3f * (1 + std::fabs(a) + std::fabs(b)); }

void Sammenlign(const Figurer &a, const Figurer &b) {
  ASSERT_EQ(a.akti.size(), b.akti.size());
  for (size_t i = 0; i < a.akti.size(); ++i) {
    EXPECT_EQ(a.akti[i].ElevLektioner, b.akti[i].ElevLektioner) << i;
    EXPECT_EQ(a.akti[i].LaererLektioner, b.akti[i].LaererLektioner) << i;
    EXPECT_TRUE(Naer(a.akti[i].Timer, b.akti[i].Timer)) << i;
  }
  ASSERT_EQ(a.uge.size(), b.uge.size());
  EXPECT_EQ(0, memcmp(a.uge.data(), b.uge.data(), a.uge.size() * sizeof(MedTalUgeCelle)));
  EXPECT_EQ(a.lokaSum, b.lokaSum);
  EXPECT_EQ(a.taellere, b.taellere);
}

TEST_F(AddBegivenhedTest, CountedEventsKeepTheTablesEqualToARecount) {
  AllokerTalTab();
  const Figurer tom = Tag();
  FyldAVS(avs);
  avs.risy_id = 0;
  avs.Lektion = 0;
  avs.Starttid = 800;
  avs.Sluttid = 1000;
  avs.Antal_std_lektioner = 2;
  avs.beregnTab[0] = avs.beregnTab[1] = avs.beregnTab[2] = -7;
  ASSERT_EQ(AddBegivenhed(&avs, 1, kAar, kUge, SKE_EGEN, true, nullptr, 0, 0), 1);
  // The figures were computed into the set before it was written.
  EXPECT_NE(avs.beregnTab[0], -7.0f);
  const uint32_t forste = 1;
  EXPECT_EQ(+Raekke(forste)->Beregn, avs.beregnTab[0]);
  // A written event that is not live is not counted.
  CleanupAVS(&avs2);
  KopierAVS(&avs, &avs2);
  ASSERT_EQ(AddBegivenhed(&avs2, 2, kAar, kUge, SKE_AUTOSKEMA, true, nullptr, 0, 0), 1);
  const Figurer efter = Tag();
  EXPECT_FALSE(efter.taellere == tom.taellere);
  AllokerTalTab();
  {
    SCOPED_TRACE("after writing");
    Sammenlign(efter, Tag());
  }
  // Deleting both takes out what was added, and only that.
  EXPECT_EQ(SletBegivenhed(kAar, kUge, forste), 1);
  EXPECT_EQ(SletBegivenhed(kAar, kUge, forste + 3), 1);
  {
    SCOPED_TRACE("after deleting");
    Sammenlign(Tag(), tom);
  }
}

}  // namespace
