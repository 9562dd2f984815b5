// ini\pp.ini and ini\lap.ini: the writer byte for byte, the readers over a
// table of file contents, the group defaults and the ids of new slots and
// placements, all through the real record parser and re-sort.
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "FINDREC.h"
#include "PPLAPINI.h"
#include "elev_fixture.h"

using namespace eleventest;

namespace {

std::string LaesFixtur(const char *navn) {
  std::ifstream i(std::string(TAVO_FIXTURES) + "/students/" + navn, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
}

class PlaceringsFiler : public ElevMappe {
 protected:
  // Two groups beside a test group: 501 counts in weeks, 502 in lessons.
  uint32_t tgU = 0, tgL = 0, tgTest = 0;
  uint32_t laU = 0, laDublet = 0, laL = 0, laTest = 0;
  uint32_t ppU1 = 0, ppU2 = 0, ppL1 = 0, ppL2 = 0, ppTest = 0;

  void LavSkole() {
    tgU = NyTg(501, 'U');
    tgL = NyTg(502, 'L');
    tgTest = NyTg(5, 'L');
    laU = NyLa(tgU, 7001, "Tømrer H1");
    LaRecNr(laU)->uge_deletal = 2;
    LaRecNr(laU)->lek_deletal = 9;
    laDublet = NyLa(tgL, 2137483700, "Frisør GF2 #2");
    LaRecNr(laDublet)->uge_deletal = 8;
    LaRecNr(laDublet)->lek_deletal = 3;
    laL = NyLa(tgL, 7002, "Frisør GF2");
    LaRecNr(laL)->lek_deletal = 3;
    laTest = NyLa(tgTest, 7003, "Prøve");

    ppU1 = NyPp(tgU, 9001, 202634, 0, 0);
    ppU2 = NyPp(tgU, 9002, 202635, 0, 0);
    ppL1 = NyPp(tgL, 9003, 0, 2, 3);
    ppTest = NyPp(tgTest, 9004, 0, 1, 1);
    NyPp(tgL, 9005, 0, 4, 4, 30);   // archived: not written
    NyPp(tgL, 9006, 0, 4, 5, 220);  // pending: not written
    ppL2 = NyPp(tgL, 9007, 0, 5, 8);

    NyLap(tgU, 1, laU, ppU1, 2);
    NyLap(tgL, 2, laDublet, ppL1, 3);
    NyLap(tgTest, 3, laTest, ppTest, 1);  // test group: not in lap.ini
    NyLap(tgL, 4, laL, ppL2, 3, 0, 30);   // archived
    NyLap(tgL, 5, laL, ppL2, 3);
  }
};

TEST_F(PlaceringsFiler, WriterGivesTheFormatsLinesInRecordOrder) {
  LavSkole();
  ASSERT_EQ(GemPpLapIni(), 0);
  EXPECT_EQ(LaesIni("pp.ini"), LaesFixtur("pp.ini"));
  EXPECT_EQ(LaesIni("lap.ini"), LaesFixtur("lap.ini"));
  EXPECT_FALSE(fs::exists(Ini("pp.tmp")));
  EXPECT_FALSE(fs::exists(Ini("lap.tmp")));
}

TEST_F(PlaceringsFiler, WriterLeavesFilesAloneWithoutARealGroup) {
  // Test groups only: neither file is touched.
  const uint32_t tg = NyTg(5, 'L');
  const uint32_t la = NyLa(tg, 7003, "Prøve");
  NyLap(tg, 3, la, NyPp(tg, 9004, 0, 1, 1), 1);
  SkrivIni("pp.ini", "gammel pp\r\n");
  SkrivIni("lap.ini", "gammel lap\r\n");
  EXPECT_EQ(GemPpLapIni(), 0);
  EXPECT_EQ(LaesIni("pp.ini"), "gammel pp\r\n");
  EXPECT_EQ(LaesIni("lap.ini"), "gammel lap\r\n");

  // A real group with slots but no placement: pp.ini alone is rewritten,
  // the test group's slot with it.
  const uint32_t rigtig = NyTg(777, 'U');
  NyPp(rigtig, 9010, 202701, 0, 0);
  EXPECT_EQ(GemPpLapIni(), 0);
  EXPECT_EQ(LaesIni("pp.ini"), "5;1;1;0\r\n777;0;0;202701\r\n");
  EXPECT_EQ(LaesIni("lap.ini"), "gammel lap\r\n");
}

TEST_F(PlaceringsFiler, WriterThatCannotWriteSaysSoAndKeepsTheOldFile) {
  LavSkole();
  SkrivIni("pp.ini", "gammel pp\r\n");
  fs::create_directories(Ini("pp.ini.gemny"));  // the new file beside it cannot be made
  EXPECT_EQ(GemPpLapIni(), -1);
  EXPECT_EQ(LaesIni("pp.ini"), "gammel pp\r\n");
  // Both files are one save: the other one is not written either.
  EXPECT_EQ(LaesIni("lap.ini"), "");
}

// What the readers make of file contents, one row per case.
struct LaesTilfaelde {
  const char *Navn;
  std::string PpIni, LapIni;
  void (*Forbered)(uint32_t tgU, uint32_t tgL, uint32_t laU);
  uint32_t SlotsU, SlotsL;           // pp records of each group afterwards
  uint32_t PlaceringerU, PlaceringerL;
  char ArtU;                         // UgeLektionsGruppe of 501 afterwards
};

class PlaceringsFilerLaes : public ElevMappe {};

TEST_F(PlaceringsFilerLaes, FileContentsAsCases) {
  // Each field padded to 90 characters: a line of 545 characters whose
  // fields all fit, and whose tail after 511 characters is a line by
  // itself.
  auto pad = [](const std::string &s) { return std::string(90 - s.size(), ' ') + s; };
  const std::string langLap = pad("501") + ";" + pad("7001") + ";" + pad("0") + ";" + pad("0") +
                              ";" + pad("202634") + ";" + pad("2") + "\r\n";
  std::string halelinje = std::string(511, ' ');
  halelinje.replace(0, 21, "501;7001;0;0;202634;2");
  halelinje += "501;7001;0;0;202634;2\r\n";
  const std::string langtFelt = "501;0;0;" + std::string(94, ' ') + "202634\r\n";  // 100 chars

  const LaesTilfaelde tilfaelde[] = {
      {"a group with a live slot gets none from pp.ini",
       "501;0;0;202634\r\n502;1;2;0\r\n", "",
       [](uint32_t tgU, uint32_t, uint32_t) { NyPp(tgU, 9000, 202640, 0, 0); }, 1, 1, 0, 0, 0},
      {"a group whose only placements are blocked gets placements", "",
       "501;7001;0;0;202634;2\r\n",
       [](uint32_t tgU, uint32_t, uint32_t laU) {
         NyLap(tgU, 40, laU, NyPp(tgU, 9000, 202640, 0, 0), 1, 1);
       },
       2, 0, 2, 0, 'U'},
      {"a group with a live placement gets none from lap.ini", "",
       "501;7001;0;0;202634;2\r\n",
       [](uint32_t tgU, uint32_t, uint32_t laU) {
         NyLap(tgU, 40, laU, NyPp(tgU, 9000, 202640, 0, 0), 1);
       },
       1, 0, 1, 0, 0},
      {"a 'U' line then an 'L' line leave the group 'L'", "",
       "501;7001;0;0;202634;2\r\n501;7001;1;3;0;4\r\n", nullptr, 2, 0, 2, 0, 'L'},
      {"an 'L' line then a 'U' line leave it 'U'", "",
       "501;7001;1;3;0;4\r\n501;7001;0;0;202634;2\r\n", nullptr, 2, 0, 2, 0, 'U'},
      {"lines of the wrong field count", "501;0;0\r\n501;0;0;202634;1\r\n",
       "501;7001;0;0;202634\r\n501;7001;0;0;202634;2;2\r\n", nullptr, 0, 0, 0, 0, 0},
      {"an unknown group", "999;0;0;202634\r\n", "999;7001;0;0;202634;2\r\n", nullptr, 0, 0, 0,
       0, 0},
      {"an unknown activity", "", "501;7999;0;0;202634;2\r\n", nullptr, 0, 0, 0, 0, 0},
      {"an over-long line, and its tail", halelinje, langLap + halelinje, nullptr, 0, 0, 0, 0, 0},
      {"a field over 99 characters", langtFelt, "", nullptr, 0, 0, 0, 0, 0},
      {"a zero byte in a line", std::string("501;0;0;2026\0" "34\r\n", 17), "", nullptr, 0, 0, 0,
       0, 0},
      {"a day that no slot can hold", "501;300;0;0\r\n", "501;7001;300;1;0;2\r\n", nullptr, 0, 0,
       0, 0, 'L'},
      {"lines of group 0 beside a group record without an id",
       "0;0;0;202634\r\n", "0;7001;0;0;202634;2\r\n",
       [](uint32_t, uint32_t, uint32_t) {
         // An empty tg record among the others.
         const uint32_t r = NyTg(99, 'U');
         DelRec(&tdtg, &tvtg, r);
       },
       0, 0, 0, 0, 0},
      {"blanks, signs and trailing text as atol reads them",
       " 501; +0;0;202634x\r\n", "", nullptr, 1, 0, 0, 0, 0},
      // The newline stays in the line, so a ';' before it is no last ';'.
      {"a ';' before the line end makes a fifth field", "502;2;3;0;\r\n", "", nullptr, 0, 0, 0,
       0, 0},
      {"text-mode line ends and a last line without one", "501;0;0;202634\n502;2;3;0", "",
       nullptr, 1, 1, 0, 0, 0},
  };
  for (const LaesTilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    for (const TabDesc *td : {&tdtg, &tdpp, &tdla, &tdlap}) {
      const TabDesc *d;
      TabVar *tv;
      ASSERT_EQ(TabFromName(td->KortNavn, &d, &tv), 0);
      ResetTab(td, tv, 1);
    }
    const uint32_t tgU = NyTg(501, 0), tgL = NyTg(502, 0);
    const uint32_t laU = NyLa(tgU, 7001, "Tømrer H1");
    if (t.Forbered) t.Forbered(tgU, tgL, laU);
    SkrivIni("pp.ini", t.PpIni);
    SkrivIni("lap.ini", t.LapIni);

    LoadPpIni();
    LoadLapIni();
    EXPECT_EQ(AntalPp(tgU), t.SlotsU);
    EXPECT_EQ(AntalPp(tgL), t.SlotsL);
    EXPECT_EQ(AntalLap(tgU), t.PlaceringerU);
    EXPECT_EQ(AntalLap(tgL), t.PlaceringerL);
    EXPECT_EQ(+TgRecNr(tgU)->UgeLektionsGruppe, t.ArtU);
    // Nothing ever belongs to no group, and every placement names a slot
    // of its own group and the activity of its line.
    EXPECT_EQ(AntalPp(0), 0u);
    EXPECT_EQ(AntalLap(0), 0u);
    for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
      const LapRec *l = LapRecNr(r);
      if (l->Status == 0) continue;
      ASSERT_TRUE(GyldigRef(&tvpp, l->pp_id)) << r;
      EXPECT_EQ(+PpRecNr(l->pp_id)->tg_id, +l->tg_id) << r;
      EXPECT_EQ(+l->la_id, laU) << r;
    }
  }
}

TEST_F(PlaceringsFilerLaes, WeekAndLessonLinesAddToTheActivity) {
  const uint32_t tg = NyTg(501, 0);
  const uint32_t la = NyLa(tg, 7001, "Tømrer H1");
  LaRecNr(la)->uge_antal = 1;
  LaRecNr(la)->lek_antal = 10;
  SortTab(&tdla, &tvla);
  tvla.pfSave[la / tdla.RecPrBlok] = 0;
  SkrivIni("lap.ini", "501;7001;0;0;202634;2\r\n501;7001;0;0;202636;3\r\n501;7001;1;3;0;4\r\n");
  LoadPpIni();
  LoadLapIni();
  const LaRec *l = LaRecNr(la);
  EXPECT_EQ(+l->uge_antal, 1u + 2 + 3);
  EXPECT_EQ(+l->uge_deletal, 3u);
  EXPECT_EQ(+l->lek_antal, 10u + 4);
  EXPECT_EQ(+l->lek_deletal, 4u);
  EXPECT_EQ(+TgRecNr(tg)->UgeLektionsGruppe, 'L');
  EXPECT_EQ(tvla.pfSave[la / tdla.RecPrBlok], 1);
  // Each placement on its slot, with the line's divisor as its length.
  std::set<std::tuple<uint32_t, uint32_t, uint32_t, uint32_t>> fundet;
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
    const LapRec *p = LapRecNr(r);
    const PpRec *s = PpRecNr(p->pp_id);
    fundet.insert({+s->ugenr, +s->dag, +s->lektion, +p->lengde});
  }
  const std::set<std::tuple<uint32_t, uint32_t, uint32_t, uint32_t>> forventet = {
      {202634, 0, 0, 2}, {202636, 0, 0, 3}, {0, 1, 3, 4}};
  EXPECT_EQ(fundet, forventet);
}

TEST_F(PlaceringsFilerLaes, ReadingTwiceMakesNoDuplicateAndNewRecordsEndCurrent) {
  const uint32_t tg = NyTg(501, 'L');
  SkrivIni("pp.ini", "501;1;1;0\r\n501;1;2;0\r\n501;1;1;0\r\n");
  LoadPpIni();
  EXPECT_EQ(AntalPp(tg), 2u);
  // Made with the letter "L", the records are current after the re-sort
  // that ends the reading: the data store's re-sort cleans them at once.
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) EXPECT_EQ(+PpRecNr(r)->Status, 20) << r;
  LoadPpIni();
  EXPECT_EQ(AntalPp(tg), 2u);

  // Also when the group has no live slot at the second reading: the slots
  // of the first are found again, pending or current.
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) PpRecNr(r)->Status = 220;
  LoadPpIni();
  EXPECT_EQ(AntalPp(tg), 2u);
  const uint32_t id = FindOrAddPp(tg, 501, 0, 1, 2);
  EXPECT_NE(id, 0u);
  EXPECT_EQ(AntalPp(tg), 2u);
}

TEST_F(PlaceringsFiler, WrittenFilesReadBackIntoEmptiedGroups) {
  LavSkole();
  ASSERT_EQ(GemPpLapIni(), 0);
  auto Slots = [] {
    std::multiset<std::tuple<uint32_t, uint32_t, uint32_t, uint32_t>> s;
    for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) {
      const PpRec *p = PpRecNr(r);
      if (ElevTabAktiv(p->Status)) s.insert({+TgRecNr(p->tg_id)->id, +p->ugenr, +p->dag, +p->lektion});
    }
    return s;
  };
  auto Placeringer = [] {
    std::multiset<std::tuple<uint32_t, uint32_t, uint32_t, uint32_t>> s;
    for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
      const LapRec *l = LapRecNr(r);
      if (!ElevTabAktiv(l->Status) || TgRecNr(l->tg_id)->id <= 10) continue;
      const PpRec *p = PpRecNr(l->pp_id);
      s.insert({+TgRecNr(l->tg_id)->id, +LaRecNr(l->la_id)->id, +p->ugenr, p->dag * 100 + p->lektion});
    }
    return s;
  };
  const auto slotsFoer = Slots();
  const auto placeringerFoer = Placeringer();
  // A new Elevplan fetch empties the groups.
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) DelRec(&tdlap, &tvlap, r);
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) DelRec(&tdpp, &tvpp, r);
  SortTab(&tdpp, &tvpp);
  SortTab(&tdlap, &tvlap);

  LoadPpIni();
  LoadLapIni();
  SetTgDefaults();
  EXPECT_EQ(Slots(), slotsFoer);
  EXPECT_EQ(Placeringer(), placeringerFoer);
  // The placements of a lesson group carry the activity's lesson divisor.
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
    if (LapRecNr(r)->Status != 0 && LapRecNr(r)->tg_id == tgL) {
      EXPECT_EQ(+LapRecNr(r)->lengde, 3u);
    }
  }
}

// Elevplan's slots and placements carry their own ids, which may equal the
// record numbers that the table has free: a new local record must not take
// such an id, or the re-sort would merge it into the Elevplan record.
TEST_F(PlaceringsFiler, NewRecordsNeverTakeAnIdThatAnElevplanRecordHas) {
  const uint32_t tgA = NyTg(501, 'U'), tgB = NyTg(502, 'U');
  const uint32_t la = NyLa(tgA, 7001, "Tømrer H1");
  const uint32_t ppEp = NyPp(tgB, 3, 202640, 0, 0);  // record 1, id 3
  NyPp(tgB, 100, 202641, 0, 0);                      // record 2: record 3 is free
  const uint32_t lapEp = NyLap(tgB, 2, la, ppEp, 1);  // record 1, id 2: record 2 is free
  SortTab(&tdpp, &tvpp);
  SortTab(&tdlap, &tvlap);
  const PpRec ppFoer = *PpRecNr(ppEp);
  const LapRec lapFoer = *LapRecNr(lapEp);

  SkrivIni("pp.ini", "501;0;0;202650\r\n");
  SkrivIni("lap.ini", "501;7001;0;0;202650;2\r\n");
  LoadPpIni();
  LoadLapIni();

  EXPECT_EQ(memcmp(PpRecNr(ppEp), &ppFoer, sizeof ppFoer), 0);
  EXPECT_EQ(memcmp(LapRecNr(lapEp), &lapFoer, sizeof lapFoer), 0);
  EXPECT_EQ(AntalPp(tgB), 2u);
  EXPECT_EQ(AntalLap(tgB), 1u);
  ASSERT_EQ(AntalPp(tgA), 1u);
  ASSERT_EQ(AntalLap(tgA), 1u);
  const PpRec *ny = PpRecNr(3);
  EXPECT_EQ(+ny->id, 101u);
  EXPECT_EQ(+ny->tg_id, tgA);
  EXPECT_EQ(+ny->ugenr, 202650u);
  const LapRec *nyLap = LapRecNr(2);
  EXPECT_EQ(+nyLap->id, 3u);
  EXPECT_EQ(+nyLap->tg_id, tgA);
  EXPECT_EQ(+nyLap->pp_id, 3u);
  EXPECT_EQ(FindElevRec(&tdpp, &tvpp, 3), ppEp);
  EXPECT_EQ(FindElevRec(&tdpp, &tvpp, 101), 3u);

  // Directly: a refused line leaves no record and gives no id.
  EXPECT_EQ(AddPpRec(501, 0, 256, 1), 0u);
  EXPECT_EQ(AddLapRec(501, 7999, 101, 1), 0u);
  SortTab(&tdpp, &tvpp);
  EXPECT_EQ(AntalPp(tgA), 1u);
  EXPECT_EQ(AntalLap(tgA), 1u);
}

TEST_F(PlaceringsFiler, GroupDefaultsAsCases) {
  struct Tg {
    uint32_t id;
    char Art;
    uint8_t Status;
    uint32_t Min, Max, LekAntal, LekDeletal, UgeAntal, UgeDeletal;
  };
  struct {
    const char *Navn;
    Tg Foer, Efter;
  } const tilfaelde[] = {
      {"group 1 without a mode", {1, 0, 10}, {1, 'L', 10, 22, 26, 4, 2, 1, 1}},
      {"another group without a mode", {2, 0, 10}, {2, 'U', 10, 22, 26, 4, 2, 1, 1}},
      {"an unknown mode letter", {501, 'X', 20}, {501, 'U', 20, 22, 26, 4, 2, 1, 1}},
      {"group 1 keeps 'U'", {1, 'U', 10}, {1, 'U', 10, 22, 26, 4, 2, 1, 1}},
      {"a week divisor from the weeks", {501, 'U', 10, 0, 0, 0, 0, 3, 0},
       {501, 'U', 10, 22, 26, 4, 2, 3, 3}},
      {"a week divisor kept", {501, 'U', 10, 0, 0, 0, 0, 0, 5}, {501, 'U', 10, 22, 26, 4, 2, 1, 5}},
      {"values set are kept", {501, 'L', 29, 10, 12, 6, 3, 2, 1},
       {501, 'L', 29, 10, 12, 6, 3, 2, 1}},
      {"an archived group is left alone", {501, 0, 30}, {501, 0, 30}},
      {"a pending group is left alone", {501, 0, 220}, {501, 0, 220}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    ResetTab(&tdtg, &tvtg, 1);
    const uint32_t r = NyTg(t.Foer.id, t.Foer.Art, t.Foer.Status);
    TgRec *g = TgRecNr(r);
    g->min_elevtal = t.Foer.Min;
    g->max_elevtal = t.Foer.Max;
    g->lek_antal = t.Foer.LekAntal;
    g->lek_deletal = t.Foer.LekDeletal;
    g->uge_antal = t.Foer.UgeAntal;
    g->uge_deletal = t.Foer.UgeDeletal;
    tvtg.pfSave[0] = 0;
    const TgRec foer = *g;
    SetTgDefaults();
    const Tg &e = t.Efter;
    EXPECT_EQ(+g->UgeLektionsGruppe, e.Art);
    EXPECT_EQ(+g->min_elevtal, e.Min);
    EXPECT_EQ(+g->max_elevtal, e.Max);
    EXPECT_EQ(+g->lek_antal, e.LekAntal);
    EXPECT_EQ(+g->lek_deletal, e.LekDeletal);
    EXPECT_EQ(+g->uge_antal, e.UgeAntal);
    EXPECT_EQ(+g->uge_deletal, e.UgeDeletal);
    // A changed group reaches the next save.
    EXPECT_EQ(tvtg.pfSave[0], memcmp(&foer, g, sizeof foer) != 0 ? 1 : 0);
  }
}

TEST_F(PlaceringsFiler, CountOfLiveGroups) {
  EXPECT_EQ(CountAktiveTg(), 0u);
  for (uint8_t s : {10, 29, 30, 220, 9, 110}) NyTg(600 + s, 'U', s);
  const uint32_t slettet = NyTg(700, 'U');
  DelRec(&tdtg, &tvtg, slettet);
  EXPECT_EQ(CountAktiveTg(), 2u);
}

}  // namespace
