// Events written straight from a schedule window and taken out for a
// cancelled activity, on a school week with a ring system, a calendar of
// weekdays and every role proposal set; the rows of the week bucket are
// read back to see what was written.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "KROGE.h"
#include "BEGKROGE.h"
#include "BRIKIND.h"
#include "DIREKTE.h"
#include "INDSTIL.h"
#include "MARKBEG.h"
#include "OPTAGET.h"
#include "ROLLEFORSLAG.h"
#include "SKERAEKKE.h"
#include "skole_fixture.h"

namespace {

using namespace sketest;

class Direkte : public SkoleVindue {};

TEST_F(Direkte, TheStatusOfAnEntryWhoseRowIsGoneIsZero) {
  HWND w = Aabn(SKE_AKTI, 'V', 1);
  SkeStruct *ske = SkemaVinduesSke(w);
  const uint32_t f = Begivenhed({{.akti = akti[0]}}, SKE_EGEN | SKE_AUTOSKEMA);
  SendMessageA(w, DATA_AENDRET, 0, 0);
  ASSERT_EQ(ske->SkeVisAntal, 1u);
  EXPECT_EQ(BegivenhedStatus(ske, 1), uint32_t{SKE_EGEN | SKE_AUTOSKEMA});
  EXPECT_EQ(BegivenhedStatus(ske, 2), 0u);
  Raekke(f)->Status = 0;
  BegBucket(kAar, kUge)->wRecCnt = f;
  EXPECT_EQ(BegivenhedStatus(ske, 1), 0u);
}

TEST_F(Direkte, CopyingAWeekWithAnUnapprovedEventCopiesNothing) {
  HWND w = Aabn(SKE_AKTI, 'V', 1);
  SkeStruct *ske = SkemaVinduesSke(w);
  // Two lessons long, so found in two cells.
  SkrivRaekker({{.akti = akti[0]}}, {.id = 11, .risy = ring, .dag = 2, .lektion = 1, .start = 800, .slut = 940});
  SkrivRaekker({{.akti = akti[0]}}, {.id = 12, .risy = ring, .dag = 3, .lektion = 2, .start = 855, .slut = 940});
  SkrivRaekker({{.akti = akti[0]}}, {.id = 13, .ejer = kEgen + 1, .risy = ring, .dag = 4, .lektion = 1});
  SendMessageA(w, DATA_AENDRET, 0, 0);
  const auto [kol, raekke] = Celle(ske, akti[0]);
  ASSERT_NE(raekke, 0u);
  // Another installation's event stays behind; the same event twice is one.
  EXPECT_EQ(HuskUge(ske, raekke, raekke, false), 2u);
  ske->Vis.Ugedag = 3;
  EXPECT_EQ(HuskUge(ske, raekke, raekke, true), 1u);
  EXPECT_EQ(+HuskUgeAVS[0].Dag, 3);
  EXPECT_EQ(+HuskUgeAVS[0].id, 0u);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());

  SkrivRaekker({{.akti = akti[0]}}, {.id = 14, .status = SKE_AUTOSKEMA, .risy = ring, .dag = 5, .lektion = 1});
  SendMessageA(w, DATA_AENDRET, 0, 0);
  EXPECT_EQ(HuskUge(ske, raekke, raekke, false), 0u);
  EXPECT_EQ(HuskUgeAVSAntal, 0u);
  EXPECT_EQ(HuskUgeAVS, nullptr);
  const auto vist = tavo::test::MessageBoxesShown();
  ASSERT_EQ(vist.size(), 1u);
  EXPECT_EQ(vist[0].text, "Der er begivenheder, som ikke er godkendt.\nGodkend begivenheder først inden der kopieres.");
  EXPECT_EQ(vist[0].caption, "Skema");
  EXPECT_TRUE(vist[0].type & MB_ICONEXCLAMATION);
  (void)kol;
}

TEST_F(Direkte, ASpecialScheduleEventIsWrittenOncePerEmployee) {
  HWND w = Aabn(SKE_ANFO, 'V', 1);
  SkeStruct *ske = SkemaVinduesSke(w);
  const auto [kol, raekke] = Celle(ske, anfo[0]);
  ASSERT_NE(raekke, 0u);
  AddAVSEgenskab(&avs, 'K', akti[0], 0, 0);
  AddAVSEgenskab(&avs, 'M', anfo[0], optager, 30);
  AddAVSEgenskab(&avs, 'M', anfo[1], optager, 45);
  avs.Art = 'P';
  avs.id = 77;
  avs.risy_id = ring;
  avs.Lektion = 1;
  AendringsTaellere[AENDRING_NYE_BEGIVENHEDER] = 0;
  ASSERT_TRUE(IndsaetBrik(ske, hoved_, kol, raekke, &avs, false));
  const auto alle = Levende();
  ASSERT_EQ(alle.size(), 2u);
  EXPECT_EQ(alle[0].anfo, std::vector<uint32_t>{anfo[0]});
  EXPECT_EQ(alle[1].anfo, std::vector<uint32_t>{anfo[1]});
  for (const Begiv &b : alle) {
    EXPECT_EQ(b.akti, std::vector<uint32_t>{akti[0]});
    EXPECT_EQ(b.status, uint32_t{SKE_EGEN});
    EXPECT_EQ(b.dag, 2);
    EXPECT_EQ(b.start, 800u);
  }
  EXPECT_EQ(+avs.id, 0u);
  EXPECT_EQ(AendringsTaellere[AENDRING_NYE_BEGIVENHEDER], 2u);
  EXPECT_EQ(HoertAf(hoved_, HOVED_DATA_AENDRET).size(), 1u);
}

TEST_F(Direkte, KeepingTheEventWritesItsOwnDayAndTimesWithItsAutoSkemaBits) {
  HWND w = Aabn(SKE_AKTI, 'V', 1);
  SkeStruct *ske = SkemaVinduesSke(w);
  const uint32_t gammel = SkrivRaekker({{.akti = akti[0]}}, {.status = SKE_AUTOSKEMA | SKE_MAERKE1, .risy = ring,
                                                            .dag = 4, .lektion = 3, .start = 950, .slut = 1035});
  HentAVS(kAar, kUge, gammel, &avs, false);
  const auto [kol, raekke] = Celle(ske, akti[0]);
  ASSERT_TRUE(IndsaetBrik(ske, hoved_, kol, raekke, &avs, true));
  const auto alle = Levende();
  ASSERT_EQ(alle.size(), 2u);
  EXPECT_EQ(alle[1].dag, 4);
  EXPECT_EQ(alle[1].start, 950u);
  EXPECT_EQ(alle[1].status, uint32_t{SKE_EGEN | SKE_AUTOSKEMA | SKE_MAERKE1});
  // Without keepEvent the cell decides.
  HentAVS(kAar, kUge, gammel, &avs, false);
  const auto [kol1, raekke1] = Celle(ske, akti[1]);
  ASSERT_TRUE(IndsaetBrik(ske, hoved_, kol1, raekke1, &avs, false));
  const auto efter = Levende();
  ASSERT_EQ(efter.size(), 3u);
  EXPECT_EQ(efter[2].dag, 2);
  EXPECT_EQ(efter[2].start, 800u);
  EXPECT_EQ(efter[2].akti, std::vector<uint32_t>{akti[1]});
}

TEST_F(Direkte, PlacingDirectlyNeedsTheRolesAndAFreeParticipant) {
  HWND w = Aabn(SKE_LOKA, 'V', 1);
  SkeStruct *ske = SkemaVinduesSke(w);
  const auto [kol, raekke] = Celle(ske, loka[0]);
  auto Byg = [&] {
    CleanupAVS(&avs);
    AddAVSEgenskab(&avs, 'K', akti[0], 0, 0);
    AddAVSEgenskab(&avs, 'M', anfo[0], optager, 45);
    AddAVSEgenskab(&avs, 'L', loka[0], 0, 0);
    avs.risy_id = ring;
  };
  RolleForslagene[RF_SYG] = 0;
  Byg();
  EXPECT_FALSE(PlacerDirekte(ske, kol, raekke, &avs));
  auto vist = tavo::test::MessageBoxesShown();
  ASSERT_EQ(vist.size(), 1u);
  EXPECT_EQ(vist[0].caption, "Roller mangler");
  RolleForslagene[RF_SYG] = optager;
  // The employee is busy in the lesson.
  Begivenhed({{.anfo = anfo[0], .rol = optager}});
  Byg();
  EXPECT_FALSE(PlacerDirekte(ske, kol, raekke, &avs));
  EXPECT_EQ(Levende().size(), 1u);
  // Free in the second lesson: written without the cell's room, with the
  // ring system's times.
  Byg();
  ASSERT_TRUE(PlacerDirekte(ske, kol + 1, raekke, &avs));
  const auto alle = Levende();
  ASSERT_EQ(alle.size(), 2u);
  EXPECT_EQ(alle[1].start, 855u);
  EXPECT_EQ(alle[1].anfo, std::vector<uint32_t>{anfo[0]});
  EXPECT_EQ(+avs.lokaAntal, 0u);
  EXPECT_EQ(HoertAf(hoved_, HOVED_DATA_AENDRET).size(), 1u);
}

TEST_F(Direkte, ACancelledActivityLeavesItsFutureEvents) {
  const uint32_t alene = Begivenhed({{.akti = akti[0]}}, SKE_EGEN, 21);
  const uint32_t delt = SkrivRaekker({{.akti = akti[0]}, {.akti = akti[1]}},
                                     {.id = 22, .risy = ring, .dag = 3, .lektion = 2, .start = 855, .slut = 940});
  // The employee of this one is busy elsewhere at the time: it stays whole.
  const uint32_t optaget = SkrivRaekker({{.akti = akti[0]}, {.akti = akti[2], .anfo = anfo[0], .rol = optager}},
                                        {.id = 23, .risy = ring, .dag = 4, .lektion = 3, .start = 950, .slut = 1035});
  SkrivRaekker({{.anfo = anfo[0], .rol = optager}}, {.id = 24, .risy = ring, .dag = 4, .lektion = 3, .start = 950, .slut = 1035});
  // A pending change: withdrawn, then gone, so the lesson exists once.
  const uint32_t aendret = SkrivRaekker({{.akti = akti[0]}, {.akti = akti[1]}},
                                        {.id = 25, .status = SKE_EGEN | SKE_AENDRING, .risy = ring, .dag = 5,
                                         .lektion = 1, .start = 800, .slut = 845});
  Raekke(aendret)->Fejl = '=';
  Raekke(aendret + 1)->Fejl = '=';
  (void)alene;
  (void)delt;
  (void)optaget;
  FjernAktiFraSkema(akti[0]);
  std::vector<std::pair<uint8_t, std::vector<uint32_t>>> ventet = {
      {4, {akti[0], akti[2]}}, {4, {}}, {3, {akti[1]}}, {5, {akti[1]}}};
  std::vector<std::pair<uint8_t, std::vector<uint32_t>>> fik;
  for (const Begiv &b : Levende()) fik.push_back({b.dag, b.akti});
  EXPECT_EQ(fik, ventet);
  const auto info = InfoLinjer();
  ASSERT_EQ(info.size(), 1u);
  EXPECT_NE(info[0].find("uge 40, dag 4, lektion 3"), std::string::npos) << info[0];
  EXPECT_EQ(HoertAf(hoved_, HOVED_DATA_AENDRET).size(), 2u);
  // The data store's question after an import reaches it through its slot.
  InstallerBegivenhedsKroge();
  EXPECT_EQ(VedligeKrog.FjernAktiFraSkema, &FjernAktiFraSkema);
}

TEST_F(Direkte, EventsInOrBeforeTheLockWeekStay) {
  Begivenhed({{.akti = akti[0]}});
  SkrivRaekker({{.akti = akti[0]}}, {.risy = ring, .dag = 2, .lektion = 1}, kAar, kUge + 1);
  SkemaPeriode.LaasUge = 202400 + kUge;
  FjernAktiFraSkema(akti[0]);
  EXPECT_EQ(Levende().size(), 1u);
  EXPECT_EQ(+Raekke(1, kAar, kUge + 1)->Status, 0u);
}

}  // namespace
