// The data store's single postings and the relation rebuild (40175) with the
// real time-row and relation functions in their slots.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "KROGE.h"
#include "ImpTimoak.h"
#include "OPTAEL.h"
#include "TALTAB.h"
#include "TIMOAK.h"
#include "VEDLIGE.h"
#include "skole_fixture.h"
#include "tavo/test_dialog.h"
#include "win/dlg.h"

namespace {

using namespace skoletest;

class TimoakRaekkeKroge : public Skole {
 protected:
  void SetUp() override {
    Skole::SetUp();
    InstallerImportKroge();
  }
  void TearDown() override {
    VedligeKrog = {};
    TimoakKrog = {};
    FreeAlleTalTabeller();
    tavo::test::StopDialogScript();
    Skole::TearDown();
  }
  // The figures a posting moves: the activity's teacher hours and the
  // employment's month.
  std::vector<float> Tal(uint32_t akti, uint32_t anfo) {
    std::vector<float> v;
    v.push_back(static_cast<float>(Laes<AktiRec>(tdakti, tvakti, akti).AntalLererTimer));
    const MedTalMaaned *m = MedTalFor(anfo);
    EXPECT_NE(m, nullptr);
    if (m) v.insert(v.end(), &m[0][0], &m[0][0] + (SkemaPeriode.AntalMaaneder + 1) * MEDTAL_SLOTS);
    return v;
  }
};

TEST_F(TimoakRaekkeKroge, PostingAddedAndDeletedLeavesTheFigures) {
  const uint32_t akti = Akti(1), anfo = Anfo(2);
  AllokerMedTal();
  AllokerTalTab();
  const std::vector<float> foer = Tal(akti, anfo);

  ASSERT_EQ(AddTimoakPost(akti, anfo, 20241010, 150, 2), 1);
  const std::vector<float> med = Tal(akti, anfo);
  EXPECT_NE(med, foer);
  // Counted as a full recount counts it.
  AllokerTalTab();
  EXPECT_EQ(Tal(akti, anfo), med);
  TimoakRaekke *t = FindTimoak(akti, anfo, 20241010);
  ASSERT_NE(t, nullptr);
  const TimoakRaekke g = *t;
  EXPECT_EQ(std::make_tuple(g.Type, g.Status, g.PlanStatus, g.Ejer, +g.Timer),
            std::make_tuple('A', uint8_t(64), uint8_t(2), kEgen, 150));
  EXPECT_EQ(Laes<AakrelRec>(tdaakrel, tvaakrel, 1).Status, 10);

  ASSERT_EQ(SletTimoak(t), 1);
  EXPECT_EQ(Tal(akti, anfo), foer);
  // No hours left on the pair: the relation is marked as the own deletion.
  const AakrelRec k = Laes<AakrelRec>(tdaakrel, tvaakrel, 1);
  EXPECT_EQ(std::make_tuple(k.Status, +k.akti_id, +k.anfo_id), std::make_tuple(uint8_t(20), akti, anfo));
  EXPECT_EQ(tvaakrel.wRecCnt, 2u);
}

class AakrelKroge : public TimoakRaekkeKroge {
 protected:
  static void Gendan() {
    tavo::test::StartDialogScript();
    tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return INT_PTR{IDOK}; });
    EXPECT_TRUE(VedligeholdKommando(0, 40175));
    tavo::test::StopDialogScript();
  }
  // The relations as saved and loaded back.
  std::vector<std::tuple<int, uint32_t, uint32_t>> GemOgHent() {
    EXPECT_EQ(SaveTab(&tdaakrel, &tvaakrel, nullptr), 0);
    Frigiv(&tvaakrel);
    EXPECT_EQ(LoadTab(&tdaakrel, &tvaakrel), 0);
    std::vector<std::tuple<int, uint32_t, uint32_t>> v;
    for (uint32_t r = 1; r < tvaakrel.wRecCnt; ++r) {
      const AakrelRec k = Laes<AakrelRec>(tdaakrel, tvaakrel, r);
      if (k.Status) v.emplace_back(k.Status, +k.akti_id, +k.anfo_id);
    }
    return v;
  }
};

TEST_F(AakrelKroge, MaintenanceRebuildsFromLivePostings) {
  const uint32_t a1 = Akti(11), a2 = Akti(12), a3 = Akti(13);
  const uint32_t m1 = Anfo(21), m2 = Anfo(22), m3 = Anfo(23);
  // Relations left from before, saved.
  AddAakrel(a3, m3, 10);
  AddAakrel(a1, m2, 20);
  ASSERT_EQ(GemOgHent().size(), 2u);

  TimRaekke(20241001, 64, kEgen, a1, m1, 100);
  TimRaekke(20241002, 64 | 16, kAnden, a2, m2, 100);
  TimRaekke(20241003, 64, kEgen, a1, m1, 100);       // the same pair again
  TimRaekke(20241104, 8, kEgen, a3, m3, 100);        // not live
  TimRaekke(20241105, 64, kEgen, a2, 99, 100);       // an employment that does not exist
  Gendan();
  using Rel = std::vector<std::tuple<int, uint32_t, uint32_t>>;
  EXPECT_EQ(GemOgHent(), (Rel{{10, a1, m1}, {30, a2, m2}}));

  // With no live posting left, the saved table is empty too.
  for (uint32_t m : {202410u, 202411u}) {
    TabVar *b = TimoakBucket(m);
    for (uint32_t r = 1; r < b->wRecCnt; ++r) GetRec(&tdtimoak, b, r)[offsetof(TimoakRaekke, Status)] = 0;
  }
  Gendan();
  EXPECT_EQ(GemOgHent(), Rel{});
}

}  // namespace
