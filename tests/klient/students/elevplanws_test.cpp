// The planning workspace built from the enrolment tables and written back:
// default slots and placements, the plan, wish and duplicate matrices, the
// ids and lengths of what the write-back makes, a round trip through the
// record files, the read-only run, and the removal of test data.
#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "FINDREC.h"
#include "HENTGEM.h"
#include "TAVODATA.h"
#include "elevplan_fixture.h"

using namespace eleventest;

namespace {

using ElevPlanWSTest = ElevPlanMappe;

std::string Nuller(size_t n) { return std::string(n, '0'); }

// ---- Default slots ----

struct UgeSlotTilfaelde {
  const char *Navn;
  Dato Fra, Til;
  std::vector<Uge> Uger;  // in the order they were made
};

TEST_F(ElevPlanWSTest, WeekGroupGetsOneSlotAWeekMadeFromTheLastWeekBack) {
  // The schedule period runs from week 31 of 2024 to week 31 of 2025.
  const UgeSlotTilfaelde tilfaelde[] = {
      {"inside the period", 20241007, 20241101, {202444, 202443, 202442, 202441}},
      {"over New Year", 20241223, 20250110, {202502, 202501, 202452}},
      {"begins before the period", 20240101, 20241101, {}},
      {"ends after the period", 20250707, 20251231, {202601, 202531, 202530, 202529, 202528}},
      {"one day", 20250305, 20250305, {202510}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    TearDown();
    SetUp();
    const uint32_t tg = NyTg(501, 'U');
    TgRecNr(tg)->fradato = t.Fra;
    TgRecNr(tg)->tildato = t.Til;
    Vis(tg);
    std::vector<Uge> uger;
    uint32_t forrigeId = 0;
    for (uint32_t c = 1; c <= ws->PpAntal; ++c) {
      const PpRec *p = PpRecNr(ws->PpTab[c]);
      uger.push_back(+p->ugenr);
      EXPECT_EQ(+p->dag, 0);
      EXPECT_EQ(+p->lektion, 0u);
      EXPECT_EQ(+p->Status, 20);
      EXPECT_GT(+p->id, forrigeId) << "made in table order";
      forrigeId = p->id;
    }
    EXPECT_EQ(uger, t.Uger);
  }
}

TEST_F(ElevPlanWSTest, LessonGroupGetsEachLessonOfEachDayShown) {
  struct {
    uint32_t Dage, Timer;
  } const tilfaelde[] = {{5, 8}, {3, 2}, {1, 1}};
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << t.Dage << " x " << t.Timer);
    TearDown();
    SetUp();
    SaetVisningstider(800, t.Timer, t.Dage);
    const uint32_t tg = NyTg(502, 'L');
    Vis(tg);
    ASSERT_EQ(ws->PpAntal, t.Dage * t.Timer);
    for (uint32_t c = 1; c <= ws->PpAntal; ++c) {
      const PpRec *p = PpRecNr(ws->PpTab[c]);
      EXPECT_EQ(+p->dag, (c - 1) / t.Timer) << c;
      EXPECT_EQ(+p->lektion, (c - 1) % t.Timer + 1) << c;
      EXPECT_EQ(+p->ugenr, 0u);
    }
    SaetVisningstider(800, 8, 5);
  }
}

TEST_F(ElevPlanWSTest, GroupWithASlotOrWithoutAModeGetsNoDefaultSlots) {
  const uint32_t medSlot = NyTg(501, 'L');
  NyPp(medSlot, 9001, 0, 2, 3);
  const uint32_t udenArt = NyTg(503, 0);
  Vis(medSlot);
  EXPECT_EQ(ws->PpAntal, 1u);
  Vis(udenArt);
  EXPECT_EQ(ws->PpAntal, 0u);
  EXPECT_EQ(AntalPp(udenArt), 0u);
}

TEST_F(ElevPlanWSTest, AbsurdDisplaySettingsLayNoMoreThanAWeekOfLessons) {
  SaetVisningstider(800, 100000, 200);
  const uint32_t tg = NyTg(502, 'L');
  Vis(tg);
  EXPECT_EQ(ws->PpAntal, 7u * 48u);
  SaetVisningstider(800, 8, 5);
}

// ---- Default placements and activity defaults ----

struct LapTilfaelde {
  const char *Navn;
  char Art;
  uint32_t Slots;
  uint32_t Antal, Deletal;  // lek_ or uge_ by the mode
  Dato LaFra, LaTil;
  std::string Raekke;
};

TEST_F(ElevPlanWSTest, ActivitiesWithoutPlacementsGetDefaultBlocks) {
  // Week slots are weeks 41 to 44 of 2024.
  const LapTilfaelde tilfaelde[] = {
      {"4 lessons by 2", 'L', 40, 4, 2, 0, 0, "2424" + Nuller(36)},
      {"4 lessons by 2, 3 slots", 'L', 3, 4, 2, 0, 0, "240"},
      {"6 lessons by 2, 5 slots", 'L', 5, 6, 2, 0, 0, "24240"},
      {"5 lessons by 2: two blocks", 'L', 6, 5, 2, 0, 0, "242400"},
      {"divisor 0 takes the group's 2", 'L', 6, 4, 0, 0, 0, "242400"},
      {"2 weeks from week 43", 'U', 4, 2, 1, 20241021, 20241101, "0011"},
      {"2 weeks by 2 from an unknown week", 'U', 4, 2, 2, 20240902, 20240913, "2400"},
      {"weeks 0: counted from the dates", 'U', 4, 0, 0, 20241014, 20241101, "0111"},
      {"up to the last slot", 'U', 4, 4, 2, 20241021, 20241122, "0024"},
      {"past the last slot: cut", 'U', 4, 4, 2, 20241028, 20241122, "0001"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    TearDown();
    SetUp();
    const uint32_t tg = NyGruppe(501, t.Art, t.Slots);
    TgRec *g = TgRecNr(tg);
    g->lek_antal = 4;
    g->lek_deletal = 2;
    g->min_elevtal = 22;
    g->max_elevtal = 26;
    const uint32_t la = NyLa(tg, 7001, "Svejsning");
    LaRec *l = LaRecNr(la);
    l->dubletnr = 0;
    l->fradato = t.LaFra;
    l->tildato = t.LaTil;
    if (t.Art == 'L') {
      l->lek_antal = t.Antal;
      l->lek_deletal = t.Deletal;
    } else {
      l->uge_antal = t.Antal;
      l->uge_deletal = t.Deletal;
    }
    Vis(tg);
    EXPECT_EQ(Plan(la), t.Raekke);
    l = LaRecNr(la);
    EXPECT_EQ(+l->dubletnr, 1u);
    EXPECT_EQ(+l->min_elevantal, 22u);
    EXPECT_EQ(+l->max_elevantal, 26u);
    // Every block became a placement record of its own.
    uint32_t blokke = 0;
    for (char ch : t.Raekke) blokke += ch == '1' || ch == '2';
    EXPECT_EQ(AntalLap(tg), blokke);
  }
}

TEST_F(ElevPlanWSTest, PlacedOrArchivedActivitiesGetNoDefaultBlocks) {
  std::vector<uint32_t> pp;
  const uint32_t tg = NyGruppe(501, 'L', 6, &pp);
  TgRecNr(tg)->lek_deletal = 2;
  TgRecNr(tg)->lek_antal = 4;
  const uint32_t placeret = NyLa(tg, 7001, "Placeret");
  NyLap(tg, 1, placeret, pp[4], 1);
  const uint32_t arkiveret = NyLa(tg, 7002, "Arkiveret");
  LaRecNr(arkiveret)->aktiv = 0;
  const uint32_t spaerret = NyLa(tg, 7003, "Kun en spærring");
  NyLap(tg, 2, spaerret, pp[0], 1, 1);
  Vis(tg);
  EXPECT_EQ(Plan(placeret), "000010");
  EXPECT_EQ(Plan(arkiveret), "000000");
  // A barred slot is no placement: the activity gets its default blocks.
  EXPECT_EQ(Plan(spaerret), "242400");
  EXPECT_EQ(Raekke(ws->LaSpaerring, LaPosition(ws, spaerret)), "100000");
}

TEST_F(ElevPlanWSTest, PlacementOnADeletedSlotOrAnArchivedActivityGoesAtTheNextBuild) {
  std::vector<uint32_t> pp;
  const uint32_t tg = NyGruppe(501, 'L', 4, &pp);
  const uint32_t la = NyLa(tg, 7001, "Svejsning");
  const uint32_t la2 = NyLa(tg, 7002, "Lodning");
  const uint32_t levende = NyLap(tg, 1, la, pp[0], 2);
  const uint32_t paaSlettet = NyLap(tg, 2, la, pp[3], 1);
  const uint32_t paaArkiveret = NyLap(tg, 3, la2, pp[2], 1);
  Vis(tg);
  EXPECT_EQ(Plan(la), "2401");
  EXPECT_EQ(Plan(la2), "0010");

  PpRecNr(pp[3])->Status = 30;
  LaRecNr(la2)->aktiv = 0;
  BuildElevPlanData(ws);
  EXPECT_EQ(Plan(la), "240");
  EXPECT_EQ(Plan(la2), "000");
  EXPECT_EQ(+LapRecNr(levende)->Status, 10);
  EXPECT_EQ(+LapRecNr(paaSlettet)->Status, 0);
  EXPECT_EQ(+LapRecNr(paaArkiveret)->Status, 0);
}

// ---- The plan grid ----

TEST_F(ElevPlanWSTest, BlockRunningPastTheLastSlotIsCutThere) {
  struct {
    uint32_t Start, Laengde;
    std::string Hale;  // slots 37 to 40
  } const tilfaelde[] = {
      {38, 500, "0234"}, {40, 500, "0001"}, {39, 2, "0024"}, {37, 0, "1000"}, {36, 5, "3334"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << t.Start << "+" << t.Laengde);
    TearDown();
    SetUp();
    std::vector<uint32_t> pp;
    const uint32_t tg = NyGruppe(501, 'L', 40, &pp);
    const uint32_t la = NyLa(tg, 7001, "Svejsning");
    NyLap(tg, 1, la, pp[t.Start - 1], t.Laengde);
    Vis(tg);
    EXPECT_EQ(Plan(la).substr(36), t.Hale);
    // Written back, the block keeps the length it has in the plan.
    ws->PlanAendret = 1;
    GemLap(ws, tg);
    BuildElevPlanData(ws);
    EXPECT_EQ(Plan(la).substr(36), t.Hale);
  }
}

TEST_F(ElevPlanWSTest, WriteBackKeepsEachBlocksOwnLengthAndTheBarredSlots) {
  std::vector<uint32_t> pp;
  const uint32_t tg = NyGruppe(501, 'L', 8, &pp);
  const uint32_t la = NyLa(tg, 7001, "Svejsning");
  LaRecNr(la)->lek_antal = 4;
  LaRecNr(la)->lek_deletal = 2;
  // Blocks of 3 and 1 as an Elevplan answer brings them, without divisors.
  NyLap(tg, 1, la, pp[0], 3);
  NyLap(tg, 2, la, pp[5], 1);
  NyLap(tg, 3, la, pp[7], 1, 1);
  Vis(tg);
  ASSERT_EQ(Plan(la), "23400100");
  ws->PlanAendret = 1;
  GemElevPlan(ws, tg);

  std::multiset<std::tuple<uint32_t, uint32_t, int>> laps;  // slot, length, barred
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
    const LapRec *l = LapRecNr(r);
    if (l->Status == 0) continue;
    EXPECT_EQ(+l->Status, 20);
    EXPECT_EQ(+l->la_id, la);
    laps.insert({+l->pp_id, +l->lengde, int{l->blokering}});
  }
  EXPECT_EQ(laps, (std::multiset<std::tuple<uint32_t, uint32_t, int>>{
                      {pp[0], 3, 0}, {pp[5], 1, 0}, {pp[7], 1, 1}}));
}

// ---- Wishes ----

struct OenskeTilfaelde {
  const char *Navn;
  struct Oenske {
    uint8_t Prio;
    bool Overfoert;  // wished at Elevplan for activity A, transferred to B
  };
  std::vector<Oenske> Oensker;  // in record order
  uint8_t Celle;                // Oensker at (B, the student)
};

TEST_F(ElevPlanWSTest, TransferredPriorityOneWinsOverTransferredPriorityTwo) {
  const OenskeTilfaelde tilfaelde[] = {
      {"transferred 2 then 1", {{2, true}, {1, true}}, 1},
      {"transferred 1 then 2", {{1, true}, {2, true}}, 1},
      {"own 2 then transferred 1", {{2, false}, {1, true}}, 2},
      {"transferred 1 then own 2", {{1, true}, {2, false}}, 2},
      {"transferred 2 alone", {{2, true}}, 2},
      {"own 1 alone", {{1, false}}, 1},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    TearDown();
    SetUp();
    const uint32_t tg = NyGruppe(501, 'L', 2);
    const uint32_t a = NyLa(tg, 7001, "A"), b = NyLa(tg, 7002, "B");
    const uint32_t bDublet = NyLa(tg, 2137483700, "B #2");
    LaRecNr(bDublet)->kopi_id = 7002;
    const uint32_t elev = NyElev(1, "Ida");
    NyElti(elev, tg);
    uint32_t id = 100, overfoert = 0, egne = 0;
    for (const auto &o : t.Oensker) {
      const uint32_t ev = NyOenske(tg, ++id, elev, o.Overfoert ? a : b, o.Prio);
      if (o.Overfoert) {
        EvRecNr(ev)->konverteret_onske_la = b;
        ++overfoert;
      } else {
        ++egne;
      }
    }
    Vis(tg);
    const uint32_t s = ElevPosition(ws, elev);
    EXPECT_EQ(ws->Oensker(LaPosition(ws, b), s), t.Celle);
    EXPECT_EQ(ws->Oensker(LaPosition(ws, bDublet), s), t.Celle) << "the duplicate carries it";
    EXPECT_EQ(ws->Oensker(LaPosition(ws, a), s), 0);
    EXPECT_EQ(+LaRecNr(b)->reeltflyttet, overfoert);
    EXPECT_EQ(+LaRecNr(bDublet)->reeltflyttet, overfoert);
    EXPECT_EQ(+LaRecNr(a)->onske_prio_1 + +LaRecNr(a)->onske_prio_2, overfoert);
    EXPECT_EQ(+LaRecNr(b)->onske_prio_1 + +LaRecNr(b)->onske_prio_2, egne);
  }
}

TEST_F(ElevPlanWSTest, WishCountsStayTheSameOverRebuildsWithArchivedActivitiesHidden) {
  const uint32_t tg = NyGruppe(501, 'L', 2);
  TgRecNr(tg)->SkjulArkiverede = 1;
  const uint32_t arkiveret = NyLa(tg, 7001, "Arkiveret");
  LaRecNr(arkiveret)->aktiv = 0;
  LaRecNr(arkiveret)->akt_prio_3 = 5;
  const uint32_t la = NyLa(tg, 7002, "Aktiv");
  const uint32_t elev = NyElev(1, "Ida");
  NyElti(elev, tg);
  NyOenske(tg, 101, elev, arkiveret, 1);
  NyOenske(tg, 102, elev, la, 2);
  for (int i = 0; i < 3; ++i) {
    Vis(tg);
    EXPECT_EQ(LaPosition(ws, arkiveret), 0u);
    EXPECT_EQ(+LaRecNr(arkiveret)->onske_prio_1, 1u);
    EXPECT_EQ(+LaRecNr(arkiveret)->akt_prio_3, 0u) << "hidden, but its counts are cleared";
    EXPECT_EQ(+LaRecNr(la)->onske_prio_2, 1u);
  }
  // The student's wished lessons count only the active activity.
  LaRecNr(la)->lek_antal = 6;
  BuildElevPlanData(ws);
  EXPECT_EQ(+ElevRecNr(elev)->onske_prio_1, 0u);
  EXPECT_EQ(+ElevRecNr(elev)->onske_prio_2, 6u);
  EXPECT_EQ(+ElevRecNr(elev)->max_onske, 6u);
}

TEST_F(ElevPlanWSTest, DuplicatesOfOneHeadBecomeDuplicatesOfEachOther) {
  const uint32_t tg = NyGruppe(501, 'L', 2);
  NyLa(tg, 7001, "Hoved");
  for (uint32_t i = 2; i <= 4; ++i) {
    const uint32_t d = NyLa(tg, 2137483647 + i, "Dublet");
    LaRecNr(d)->kopi_id = 7001;
  }
  NyLa(tg, 7002, "Enlig");
  const uint32_t hoved2 = NyLa(tg, 7003, "Andet hoved");
  (void)hoved2;
  const uint32_t d2 = NyLa(tg, 2137483700, "Andet hoved #2");
  LaRecNr(d2)->kopi_id = 7003;
  const uint32_t foraeldreloes = NyLa(tg, 2137483701, "Uden hoved");
  LaRecNr(foraeldreloes)->kopi_id = 9999;
  Vis(tg);
  EXPECT_EQ(Alle(ws->Dubletter),
            "01110000|10110000|11010000|11100000|00000000|00000010|00000100|00000000");
  EXPECT_EQ(AntalLaMedDubletter(7001), 4u);
  EXPECT_EQ(AntalLaMedDubletter(7002), 1u);
  EXPECT_EQ(AntalLaMedDubletter(9999), 1u);
}

TEST_F(ElevPlanWSTest, OverlapIsSharingASlotColumn) {
  std::vector<uint32_t> pp;
  const uint32_t tg = NyGruppe(501, 'L', 4, &pp);
  const uint32_t a = NyLa(tg, 7001, "A"), b = NyLa(tg, 7002, "B");
  NyLa(tg, 7003, "Uden plads");
  const uint32_t d = NyLa(tg, 7004, "D");
  NyLap(tg, 1, a, pp[0], 2);
  NyLap(tg, 2, b, pp[1], 1);
  NyLap(tg, 3, d, pp[3], 1);
  Vis(tg);
  EXPECT_EQ(Alle(ws->Overlap), "1100|1100|0000|0001");
}

// ---- Placements and the wish records of the write-back ----

TEST_F(ElevPlanWSTest, HandPlacementWithoutAWishBecomesAWishOfPriorityThree) {
  struct {
    const char *Navn;
    std::vector<std::pair<uint32_t, uint8_t>> Foer;  // ids and status of other wishes
    uint32_t NytId;
  } const tilfaelde[] = {
      {"only Elevplan ids", {{5000, 10}}, 2137483647},
      {"own ids in use", {{2137483700, 10}}, 2137483701},
      {"a deleted wish still holds its id", {{2137483647, 30}}, 2137483648},
      {"a pending wish too", {{2137483650, 220}}, 2137483651},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    TearDown();
    SetUp();
    std::vector<uint32_t> pp;
    const uint32_t tg = NyGruppe(501, 'L', 4, &pp);
    const uint32_t la = NyLa(tg, 7001, "Svejsning");
    LaRecNr(la)->fradato = 20250106;
    LaRecNr(la)->tildato = 20250627;
    NyLap(tg, 1, la, pp[0], 2);
    const uint32_t elev = NyElev(3001, "Ida");
    NyElti(elev, tg);
    for (auto [id, status] : t.Foer) NyEv(id, status);
    Vis(tg);
    PlacerElevPaaLa(ws, la, elev, 3);
    EXPECT_TRUE(ws->PlaceringAendret);
    EXPECT_EQ(+LaRecNr(la)->akt_prio_3, 1u);

    BuildElevPlanData(ws);  // leaving the group writes the placement back
    uint32_t fundet = 0;
    for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
      const EvRec *e = EvRecNr(r);
      if (e->Status == 0 || e->placerings_la_id != la) continue;
      ++fundet;
      EXPECT_EQ(+e->id, t.NytId);
      EXPECT_EQ(+e->prioritet, 3);
      EXPECT_EQ(+e->ElevPlanStatus, 7);
      EXPECT_EQ(+e->tg_id, tg);
      EXPECT_EQ(+e->elev_id, elev);
      EXPECT_EQ(+e->elevplan_onske_la_id, 0u);
      EXPECT_EQ(+e->Gyldig_fra, 20250106u);
      EXPECT_EQ(+e->Gyldig_til, 20250627u);
      EXPECT_EQ(+e->Status, 20);
    }
    EXPECT_EQ(fundet, 1u);
    // Built again, the student is on the activity, and only once.
    EXPECT_EQ(ws->Placeringer(LaPosition(ws, la), ElevPosition(ws, elev)), PLACERET);
    EXPECT_EQ(+LaRecNr(la)->akt_prio_3, 1u);
    EXPECT_FALSE(ws->PlaceringAendret) << "a placement read back is no change";
  }
}

TEST_F(ElevPlanWSTest, WishRecordsFollowThePlacementsOnLeaving) {
  std::vector<uint32_t> pp;
  const uint32_t tg = NyGruppe(501, 'L', 4, &pp);
  const uint32_t a = NyLa(tg, 7001, "A"), b = NyLa(tg, 7002, "B");
  const uint32_t bDublet = NyLa(tg, 2137483700, "B #2");
  LaRecNr(bDublet)->kopi_id = 7002;
  NyLap(tg, 1, a, pp[0], 1);
  NyLap(tg, 2, b, pp[1], 1);
  NyLap(tg, 3, bDublet, pp[2], 1);
  const uint32_t ida = NyElev(3001, "Ida"), bo = NyElev(3002, "Bo");
  NyElti(ida, tg);
  NyElti(bo, tg);
  const uint32_t idaA = NyOenske(tg, 101, ida, a, 1);
  const uint32_t idaB = NyOenske(tg, 102, ida, b, 2);
  EvRecNr(idaB)->placerings_la_id = b;  // placed, will be taken off
  const uint32_t boB = NyOenske(tg, 103, bo, b, 1);
  TgRecNr(tg)->fradato = 20250106;
  Vis(tg);
  ASSERT_EQ(ws->Placeringer(LaPosition(ws, b), ElevPosition(ws, ida)), PLACERET);

  FjernElevFraLa(ws, b, ida, 2);
  PlacerElevPaaLa(ws, a, ida, 1);
  PlacerElevPaaLa(ws, bDublet, bo, 1);  // on the head's duplicate: a new record
  GemEv(ws, tg);
  EXPECT_EQ(+EvRecNr(idaA)->placerings_la_id, a);
  EXPECT_EQ(+EvRecNr(idaB)->placerings_la_id, 0u);
  EXPECT_EQ(+EvRecNr(boB)->placerings_la_id, 0u);
  uint32_t nye = 0;
  for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
    const EvRec *e = EvRecNr(r);
    if (e->Status == 0 || e->id < EGNE_ID_START) continue;
    ++nye;
    EXPECT_EQ(+e->elev_id, bo);
    EXPECT_EQ(+e->placerings_la_id, bDublet);
    EXPECT_EQ(+e->prioritet, 1) << "the wish for the head holds for its duplicate";
    // The activity has no dates: the group's from-date, the period's end.
    EXPECT_EQ(+e->Gyldig_fra, 20250106u);
    EXPECT_EQ(+e->Gyldig_til, 20250731u);
  }
  EXPECT_EQ(nye, 1u);
  // The workspace is left as it was.
  EXPECT_EQ(ws->Placeringer(LaPosition(ws, a), ElevPosition(ws, ida)), PLACERET);
  EXPECT_EQ(+LaRecNr(a)->akt_prio_1, 1u);
}

TEST_F(ElevPlanWSTest, FillOfAnActivity) {
  const uint32_t tg = NyGruppe(501, 'L', 1);
  const uint32_t la = NyLa(tg, 7001, "A");
  LaRecNr(la)->min_elevantal = 2;
  LaRecNr(la)->max_elevantal = 4;
  const std::pair<uint32_t, int> tilfaelde[] = {{0, 1}, {1, 1}, {2, 2}, {3, 2}, {4, 3}, {5, 4}};
  for (auto [antal, fyld] : tilfaelde) {
    LaRecNr(la)->akt_prio_1 = antal / 2;
    LaRecNr(la)->akt_prio_3 = antal - antal / 2;
    EXPECT_EQ(LaFyldning(la), fyld) << antal;
  }
  EXPECT_EQ(LaFyldning(999999), 3) << "outside the table: 0 of 0";
}

// ---- Lists ----

TEST_F(ElevPlanWSTest, ListsHoldTheGroupsLiveRecordsInTableOrder) {
  std::vector<uint32_t> pp;
  const uint32_t tg = NyGruppe(501, 'L', 2, &pp);
  const uint32_t andenTg = NyGruppe(502, 'L', 1);
  NyTg(503, 'L', 30);
  NyPp(tg, 9900, 0, 0, 9, 30);
  const uint32_t la1 = NyLa(tg, 7001, "A");
  NyLa(andenTg, 7002, "Anden gruppe");
  NyLa(tg, 7003, "Slettet", 30);
  const uint32_t la2 = NyLa(tg, 7004, "B");
  const uint32_t e1 = NyElev(1, "Ida"), e2 = NyElev(2, "Bo"), e3 = NyElev(3, "Slettet", 0);
  const uint32_t e4 = NyElev(4, "Udmeldt");
  NyElti(e2, tg);
  NyElti(e1, tg);
  NyElti(e1, tg);  // twice: listed once
  NyElti(e3, tg);
  NyElti(e4, tg, 30);
  NyElti(e4, andenTg);
  Vis(tg);
  EXPECT_EQ(ws->TgAntal, 2u);
  EXPECT_EQ(std::vector<uint32_t>(ws->LaTab + 1, ws->LaTab + 1 + ws->LaAntal),
            (std::vector<uint32_t>{la1, la2}));
  EXPECT_EQ(std::vector<uint32_t>(ws->PpTab + 1, ws->PpTab + 1 + ws->PpAntal), pp);
  EXPECT_EQ(std::vector<uint32_t>(ws->ElevTab + 1, ws->ElevTab + 1 + ws->ElevAntal),
            (std::vector<uint32_t>{e2, e1}));
  EXPECT_EQ(AntalLaIGruppe(ws), 2u);
  EXPECT_EQ(AntalPpIGruppe(ws), 2u);

  // A student grid's rows, in the sorter's order, the cursor on the
  // table's current student.
  tvelev.AktuelRec = e1;
  GridPos pos{};
  ByggElevRaekker(ws, &pos, nullptr, nullptr);
  EXPECT_EQ(pos.Antal, 2u);
  EXPECT_EQ(pos.Aktuel, 2u);
  ByggElevRaekker(
      ws, &pos, [](void *, uint32_t *r, uint32_t n) { std::reverse(r + 1, r + 1 + n); }, nullptr);
  EXPECT_EQ(ws->ElevVisTab[1], e1);
  EXPECT_EQ(pos.Aktuel, 1u);
}

TEST_F(ElevPlanWSTest, CursorsFollowTheTablesCurrentRecords) {
  std::vector<uint32_t> pp;
  const uint32_t tg1 = NyGruppe(501, 'L', 3, &pp);
  const uint32_t tg2 = NyGruppe(502, 'L', 1);
  NyLa(tg1, 7001, "A");
  const uint32_t b = NyLa(tg1, 7002, "B");
  tvtg.AktuelRec = tg2;
  tvla.AktuelRec = b;
  tvpp.AktuelRec = pp[2];
  BuildElevPlanData(ws);
  EXPECT_EQ(AktuelTg(ws), tg2);
  ws->TgPos.Aktuel = 1;
  BuildElevPlanData(ws);
  EXPECT_EQ(AktuelTg(ws), tg1);
  EXPECT_EQ(tvtg.AktuelRec, tg1);
  EXPECT_EQ(AktuelLa(ws), b);
  EXPECT_EQ(AktuelPp(ws), pp[2]);
  // A current record that is not listed gives the first.
  tvla.AktuelRec = 0;
  tvpp.AktuelRec = 999;
  BuildElevPlanData(ws);
  EXPECT_EQ(+ws->LaPos.Aktuel, 1u);
  EXPECT_EQ(+ws->PpPos.Aktuel, 1u);
}

TEST_F(ElevPlanWSTest, WithoutGroupsEverythingIsEmpty) {
  NyTg(501, 'L', 30);
  BuildElevPlanData(ws);
  EXPECT_EQ(ws->TgAntal, 0u);
  EXPECT_EQ(ws->Tg, 0u);
  EXPECT_EQ(AktuelTg(ws), 0u);
  EXPECT_EQ(AktuelLa(ws), 0u);
  EXPECT_EQ(AktuelPp(ws), 0u);
  EXPECT_EQ(ws->LaPos.Antal, 0u);
  BuildElevPlanData(ws);  // and again, with the lists there
  EXPECT_EQ(ws->TgAntal, 0u);
}

// ---- Round trip through the record files ----

struct Billede {
  std::string Plan, Spaerring, ElevSpaerring, Oensker, Placeringer, Markeringer, Dubletter, Overlap;
  std::vector<uint32_t> La, Pp, Elev;
  bool operator==(const Billede &) const = default;
};

Billede Tag(const ElevPlanWS *ws) {
  auto liste = [](const uint32_t *t, uint32_t n) {
    return std::vector<uint32_t>(t + 1, t + 1 + n);
  };
  return {Alle(ws->PlanGitter),
          Alle(ws->LaSpaerring),
          Alle(ws->ElevSpaerring),
          Alle(ws->Oensker),
          Alle(ws->Placeringer),
          Alle(ws->Markeringer),
          Alle(ws->Dubletter),
          Alle(ws->Overlap),
          liste(ws->LaTab, ws->LaAntal),
          liste(ws->PpTab, ws->PpAntal),
          liste(ws->ElevTab, ws->ElevAntal)};
}

TEST_F(ElevPlanWSTest, RoundTripThroughTheRecordFilesGivesTheSameMatrices) {
  std::vector<uint32_t> pp;
  const uint32_t tg = NyGruppe(501, 'L', 6, &pp);
  const uint32_t andenTg = NyGruppe(502, 'L', 1);
  const uint32_t a = NyLa(tg, 7001, "A"), b = NyLa(tg, 7002, "B");
  const uint32_t bDublet = NyLa(tg, 2137483700, "B #2");
  LaRecNr(bDublet)->kopi_id = 7002;
  NyLap(tg, 1, a, pp[0], 2);
  NyLap(tg, 2, b, pp[3], 1);
  NyLap(tg, 3, bDublet, pp[4], 2);
  NyLap(tg, 4, b, pp[5], 1, 1);
  const uint32_t ida = NyElev(3001, "Ida"), bo = NyElev(3002, "Bo"), al = NyElev(3003, "Al");
  for (uint32_t e : {ida, bo, al}) NyElti(e, tg);
  NyOenske(tg, 101, ida, b, 1);
  NyOenske(tg, 102, bo, a, 2);
  NyOenske(tg, 103, al, b, 2);
  NyEb(tg, 1, al, pp[0]);
  Vis(tg);

  // Move A's block one slot right: it has no students, so the plan is
  // written back and read again at once.
  Cursor(a, 2);
  int tegn = 0;
  ASSERT_EQ(ElevPlanKommando(ws, VK_RIGHT, 0, 0, -1, 0, 2, &tegn), 1);
  ElevPlanEfterKommando(ws, VK_RIGHT, 0, -1, 0);
  ASSERT_EQ(Plan(a), "024000");

  PlacerElevPaaLa(ws, bDublet, ida,
                  PlaceringsArt(ws, LaPosition(ws, bDublet), ElevPosition(ws, ida)));
  PlacerElevPaaLa(ws, a, bo, 2);
  ws->ElevSpaerring(ElevPosition(ws, ida), 6) = 1;
  ws->SpaerringAendret = 1;
  const Billede foer = Tag(ws);
  Vis(andenTg);  // leaving the group writes it back

  // Everything to disk, then read back into a fresh store.
  Genstart(tg);
  const Billede efter = Tag(ws);
  EXPECT_EQ(efter.Plan, foer.Plan);
  EXPECT_EQ(efter.Spaerring, foer.Spaerring);
  EXPECT_EQ(efter.ElevSpaerring, foer.ElevSpaerring);
  EXPECT_EQ(efter.Oensker, foer.Oensker);
  EXPECT_EQ(efter.Placeringer, foer.Placeringer);
  EXPECT_EQ(efter.Markeringer, foer.Markeringer);
  EXPECT_EQ(efter.Dubletter, foer.Dubletter);
  EXPECT_EQ(efter.Overlap, foer.Overlap);
  EXPECT_TRUE(efter == foer);
}

TEST_F(ElevPlanWSTest, ReadOnlyRunChangesRecordsButWritesNoFile) {
  std::vector<uint32_t> pp;
  const uint32_t tg = NyGruppe(501, 'L', 4, &pp);
  const uint32_t andenTg = NyGruppe(502, 'L', 1);
  const uint32_t la = NyLa(tg, 7001, "A");
  const uint32_t lap = NyLap(tg, 1, la, pp[0], 1);
  const uint32_t elev = NyElev(3001, "Ida");
  NyElti(elev, tg);
  SortTab(&tdlap, &tvlap);
  ASSERT_EQ(GemTabelNu(&tdlap, &tvlap), 0);
  const storetest::Bytes lapFoer = Laes("lap.DAT");
  ASSERT_FALSE(lapFoer.empty());

  GlobalIndstillinger.skemalaast = 1;
  Vis(tg);
  Cursor(la, 1);
  int tegn = 0;
  ASSERT_EQ(ElevPlanKommando(ws, VK_RIGHT, 0, 0, -1, 0, 2, &tegn), 1);
  PlacerElevPaaLa(ws, la, elev, 3);
  ws->ElevSpaerring(1, 4) = 1;
  ws->SpaerringAendret = 1;
  Vis(andenTg);

  EXPECT_EQ(Laes("lap.DAT"), lapFoer);
  for (const char *fil : {"tg.DAT", "ev.DAT", "eb.DAT", "lap.tmp"})
    EXPECT_FALSE(Findes(fil)) << fil;
  // In memory the plan was written back: the old placement went, a new one
  // lies on slot 2, the student's wish and blocked slot are there.
  (void)lap;
  uint32_t paaSlot1 = 0, paaSlot2 = 0, oensker = 0, spaerrede = 0;
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
    if (LapRecNr(r)->Status == 0) continue;
    paaSlot1 += +LapRecNr(r)->pp_id == pp[0];
    paaSlot2 += +LapRecNr(r)->pp_id == pp[1];
  }
  EXPECT_EQ(paaSlot1, 0u);
  for (uint32_t r = 1; r < tvev.wRecCnt; ++r) oensker += EvRecNr(r)->Status != 0;
  for (uint32_t r = 1; r < tveb.wRecCnt; ++r) spaerrede += EbRecNr(r)->Status != 0;
  EXPECT_EQ(paaSlot2, 1u);
  EXPECT_EQ(oensker, 1u);
  EXPECT_EQ(spaerrede, 1u);
}

TEST_F(ElevPlanWSTest, WriteBackSavesTheWrittenTablesAtOnce) {
  std::vector<uint32_t> pp;
  const uint32_t tg = NyGruppe(501, 'L', 2, &pp);
  const uint32_t la = NyLa(tg, 7001, "A");
  NyLap(tg, 1, la, pp[0], 1);
  Vis(tg);
  GemElevPlan(ws, tg);
  EXPECT_TRUE(Findes("tg.DAT")) << "tg is saved in every case";
  EXPECT_FALSE(Findes("lap.DAT"));
  ws->PlanAendret = 1;
  GemElevPlan(ws, tg);
  EXPECT_TRUE(Findes("lap.DAT"));
  EXPECT_FALSE(Findes("ev.DAT"));
  EXPECT_FALSE(Findes("lap.tmp"));
  // Another group's number writes nothing back into this group's matrices.
  ws->PlaceringAendret = 1;
  GemElevPlan(ws, tg + 1);
  EXPECT_FALSE(Findes("ev.DAT"));
}

// ---- Test data ----

TEST_F(ElevPlanWSTest, PurgeRemovesTestGroupsAndEverythingPointingToThem) {
  const uint32_t test5 = NyTg(5, 'L');
  const uint32_t rigtig = NyTg(11, 'L');
  const uint32_t tom = NyTg(0, 0, 0);  // an emptied group record
  const uint32_t test10 = NyTg(10, 'U');
  memset(TgRecNr(tom), 0, sizeof(TgRec));

  struct Rec {
    const char *Navn;
    uint32_t Nr;
    const TabDesc *Td;
    bool Bliver;
  };
  std::vector<Rec> recs = {
      {"slot of group 5", NyPp(test5, 1, 0, 0, 1), &tdpp, false},
      {"slot of group 11", NyPp(rigtig, 2, 0, 0, 1), &tdpp, true},
      {"activity of group record 0", NyLa(0, 7001, "Nul"), &tdla, false},
      {"activity of group 11", NyLa(rigtig, 7002, "Rigtig"), &tdla, true},
      {"placement of the emptied record", NyLap(tom, 1, 0, 0, 1), &tdlap, false},
      {"wish of group 10", NyOenske(test10, 1, 0, 0, 1), &tdev, false},
      {"wish of group 11", NyOenske(rigtig, 2, 0, 0, 1), &tdev, true},
      {"enrolment in group 11", NyElti(1, rigtig), &tdelti, true},
      {"enrolment in group 5", NyElti(2, test5), &tdelti, false},
      {"blocked slot of group 0", NyEb(0, 1, 1, 1), &tdeb, false},
      {"blocked slot of group 11", NyEb(rigtig, 2, 1, 1), &tdeb, true},
  };
  const uint32_t testElev = NyElev(1, "Test");
  memcpy(reinterpret_cast<uint8_t *>(ElevRecNr(testElev)) + offsetof(ElevRec, Navn3), "TESTFORLØB",
         11);
  const uint32_t laengere = NyElev(2, "Test med mere");
  memcpy(reinterpret_cast<uint8_t *>(ElevRecNr(laengere)) + offsetof(ElevRec, Navn3),
         "TESTFORLØBET", 13);
  const uint32_t elev = NyElev(3, "Ida");
  ElevRecNr(elev)->Navn3[0] = 'T';

  EXPECT_TRUE(PurgeTestTg(1));
  EXPECT_EQ(+TgRecNr(test5)->Status, 10) << "mode 1 removes nothing";

  EXPECT_TRUE(PurgeTestTg(2));
  EXPECT_EQ(+TgRecNr(test5)->Status, 0);
  EXPECT_EQ(+TgRecNr(test10)->Status, 0);
  EXPECT_EQ(+TgRecNr(rigtig)->Status, 10);
  for (const Rec &r : recs) {
    TabVar *tv = nullptr;
    const TabDesc *td = nullptr;
    ASSERT_EQ(TabFromName(r.Td->KortNavn, &td, &tv), 0);
    const uint8_t status = RecStatus(td, GetRec(td, tv, r.Nr));
    EXPECT_EQ(status != 0, r.Bliver) << r.Navn;
  }
  EXPECT_EQ(+ElevRecNr(testElev)->Status, 0);
  EXPECT_NE(+ElevRecNr(laengere)->Status, 0);
  EXPECT_NE(+ElevRecNr(elev)->Status, 0);
}

}  // namespace
