// The planning window's key commands over a small lesson group: the block
// move, the flag and archive commands with their lock checks and messages,
// the keys whose commands come from other parts through hooks, what follows
// a command, and the window's messages. Asking (mode 1) never changes or
// shows anything.
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "ELEVREGLER.h"
#include "EPEXPORT.h"
#include "HENTGEM.h"
#include "elevplan_fixture.h"

using namespace eleventest;

namespace {

class ElevPlanKommandoTest : public ElevPlanMappe {
 protected:
  uint32_t tg = 0, a = 0, b = 0;
  std::vector<uint32_t> pp;
  uint32_t ida = 0, bo = 0;

  // Group 501 in lessons with six slots; A holds slots 1-2, B slot 5; Ida
  // and Bo enrolled, Ida wishes A.
  void LavGruppe() {
    tg = NyGruppe(501, 'L', 6, &pp);
    TgRecNr(tg)->lek_antal = 2;
    TgRecNr(tg)->lek_deletal = 2;
    a = NyLa(tg, 7001, "A");
    b = NyLa(tg, 7002, "B");
    NyLap(tg, 1, a, pp[0], 2);
    NyLap(tg, 2, b, pp[4], 1);
    ida = NyElev(3001, "Ida");
    bo = NyElev(3002, "Bo");
    NyElti(ida, tg);
    NyElti(bo, tg);
    NyOenske(tg, 101, ida, a, 1);
    Vis(tg);
    Cursor(a, 1);
  }

  void SaetPlan(uint32_t la, const std::string &raekke) {
    ASSERT_EQ(raekke.size(), ws->PlanGitter.Kolonner);
    for (uint32_t c = 1; c <= raekke.size(); ++c)
      ws->PlanGitter(LaPosition(ws, la), c) = static_cast<uint8_t>(raekke[c - 1] - '0');
  }

  int Kmd(uint32_t tast, bool ctrl = false, bool shift = false, int mode = 2) {
    tegn = 0;
    return ElevPlanKommando(ws, tast, 0, ctrl ? -1 : 0, shift ? -1 : 0, 0, mode, &tegn);
  }

  // As the window does it: the command, then what follows it.
  int Tryk(uint32_t tast, bool ctrl = false, bool shift = false) {
    const int svar = Kmd(tast, ctrl, shift, 2);
    if (svar == 1) efter = ElevPlanEfterKommando(ws, tast, ctrl ? -1 : 0, shift ? -1 : 0, 0);
    return svar;
  }

  std::string Flag(uint32_t la) const {
    const LaRec *l = LaRecNr(la);
    return std::string{char('0' + l->LukForNyeElever), char('0' + l->BeholdElever),
                       char('0' + l->PladsLaas)};
  }

  void SaetFlag(uint32_t la, const std::string &lbp) {
    LaRec *l = LaRecNr(la);
    l->LukForNyeElever = lbp[0] - '0';
    l->BeholdElever = lbp[1] - '0';
    l->PladsLaas = lbp[2] - '0';
  }

  static std::vector<std::pair<std::string, std::string>> Tekster() {
    std::vector<std::pair<std::string, std::string>> v;
    for (const auto &m : tavo::test::MessageBoxesShown()) {
      EXPECT_EQ(m.type, UINT{MB_OK | MB_ICONEXCLAMATION});
      v.push_back({m.text, m.caption});
    }
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    return v;
  }

  int tegn = 0;
  int efter = 0;
};

using Tekst = std::vector<std::pair<std::string, std::string>>;

// ---- The block move ----

struct FlytTilfaelde {
  const char *Navn;
  std::string Foer;
  uint32_t Cursor;
  uint32_t Tast;
  bool Ctrl;
  int Svar;
  std::string Efter;
  uint32_t CursorEfter;
};

TEST_F(ElevPlanKommandoTest, BlockMovesOverFreeCellsAndKeepsItsLength) {
  const FlytTilfaelde tilfaelde[] = {
      {"one right", "240010", 2, VK_RIGHT, false, 1, "024010", 3},
      {"one right from its first cell", "240010", 1, VK_RIGHT, false, 1, "024010", 2},
      {"one left", "024010", 3, VK_LEFT, false, 1, "240010", 2},
      {"a long block", "023400", 3, VK_RIGHT, false, 1, "002340", 4},
      {"a page right stops at an occupied cell", "240010", 1, VK_RIGHT, true, 1, "002410", 4},
      {"a page left stops at the row's start", "000240", 4, VK_LEFT, true, 1, "240000", 1},
      {"a page left stops at an occupied cell", "100240", 5, VK_LEFT, true, 1, "124000", 2},
      {"a page right stops at the row's end", "000100", 4, VK_RIGHT, true, 1, "000001", 6},
      {"at the row's end", "000024", 6, VK_RIGHT, false, 0, "000024", 6},
      {"against its neighbour", "241000", 2, VK_RIGHT, false, 0, "241000", 2},
      {"a free cell", "240000", 4, VK_RIGHT, false, 0, "240000", 4},
  };
  LavGruppe();
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    SaetPlan(a, t.Foer);
    ws->PlanAendret = 0;
    ws->PpPos.Aktuel = t.Cursor;
    EXPECT_EQ(Kmd(t.Tast, t.Ctrl, true, 1), t.Svar) << "asked";
    EXPECT_EQ(Plan(a), t.Foer);
    EXPECT_EQ(+ws->PpPos.Aktuel, t.Cursor);
    EXPECT_FALSE(ws->PlanAendret);

    EXPECT_EQ(Kmd(t.Tast, t.Ctrl, true), t.Svar);
    EXPECT_EQ(Plan(a), t.Efter);
    EXPECT_EQ(+ws->PpPos.Aktuel, t.CursorEfter);
    EXPECT_EQ(ws->PlanAendret, t.Svar);
    EXPECT_EQ(Plan(b), "000010") << "other rows stay";
  }
  EXPECT_TRUE(Tekster().empty());
}

TEST_F(ElevPlanKommandoTest, BlockMoveIsRefusedOnALockedPlaceAndInALockedGroup) {
  struct {
    const char *Navn;
    void (*Saet)(TgRec *, LaRec *);
    Tekst Besked;
  } const tilfaelde[] = {
      {"place lock",
       [](TgRec *, LaRec *l) { l->PladsLaas = 1; },
       {{"Aktivitetens placering er låst.", "Aktiviteten kan ikke flyttes før den er låst op."}}},
      {"sent to EASY",
       [](TgRec *t, LaRec *) { t->Laast = t->EasyLaast = 1; },
       {{"Tilmeldingsgruppen er låst for redigering.\nElevtilmeldinger er overført til EASY!",
         "Flytning ikke gennemført"}}},
      {"exported",
       [](TgRec *t, LaRec *) { t->Laast = t->ExportLaast = 1; },
       {{"Tilmeldingsgruppen er låst for redigering.\nTilmeldingsgruppen er blevet eksporteret "
         "til ElevPlan!",
         "Flytning ikke gennemført"}}},
      {"to be fetched",
       [](TgRec *t, LaRec *) { t->Laast = t->PlanlaegningsLaast = 1; },
       {{"Tilmeldingsgruppen skal hentes før redigering kan påbegyndes.\nHent tilmeldingsgruppen "
         "fra ElevPlan med <Ctrl + H> ",
         "Flytning ikke gennemført"}}},
      {"lock without a cause", [](TgRec *t, LaRec *) { t->Laast = 1; }, {}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    TearDown();
    SetUp();
    LavGruppe();
    t.Saet(TgRecNr(tg), LaRecNr(a));
    EXPECT_EQ(Kmd(VK_RIGHT, false, true, 1), 0);
    EXPECT_TRUE(Tekster().empty()) << "asking shows nothing";
    EXPECT_EQ(Kmd(VK_RIGHT, false, true), 0);
    EXPECT_EQ(Tekster(), t.Besked);
    EXPECT_EQ(Plan(a), "240000");
    EXPECT_EQ(+ws->PpPos.Aktuel, 1u);
    EXPECT_FALSE(ws->PlanAendret);
  }
}

TEST_F(ElevPlanKommandoTest, MovedBlockWithoutStudentsIsWrittenBackAndReadAgain) {
  LavGruppe();
  ASSERT_EQ(Tryk(VK_RIGHT, false, true), 1);
  EXPECT_EQ(efter, ELEVPLAN_TEGN_ALT);
  EXPECT_FALSE(ws->PlanAendret) << "written back by the rebuild";
  EXPECT_TRUE(Findes("lap.DAT"));
  EXPECT_EQ(Plan(a), "024000");
  EXPECT_EQ(AktuelLa(ws), a);
  EXPECT_EQ(AktuelPp(ws), pp[1]);
  EXPECT_EQ(tvpp.AktuelRec, pp[1]);
}

TEST_F(ElevPlanKommandoTest, MovedBlockWithStudentsPlacesTheGroupAgain) {
  LavGruppe();
  LaRecNr(a)->max_elevantal = 5;
  SaetFlag(b, "011");  // B keeps its students and its place
  PlacerElevPaaLa(ws, a, ida, 1);
  PlacerElevPaaLa(ws, b, bo, 3);
  // Three steps right: A comes to share slot 5 with B.
  for (uint32_t c = 2; c <= 4; ++c) {
    ws->PpPos.Aktuel = c;
    ASSERT_EQ(Tryk(VK_RIGHT, false, true), 1) << c;
    EXPECT_EQ(efter, ELEVPLAN_TEGN_ALT);
  }
  EXPECT_EQ(Plan(a), "000240");
  EXPECT_TRUE(ws->PlanAendret) << "kept for the write-back";
  EXPECT_EQ(Alle(ws->Overlap), "11|11");
  // Ida placed again on her wish, Bo kept on B; each is marked as busy on
  // the other activity, Bo too, though he was put back before the overlap
  // followed the block.
  EXPECT_EQ(Alle(ws->Placeringer), "10|01");
  EXPECT_EQ(Alle(ws->Markeringer), "12|21");
  EXPECT_EQ(+LaRecNr(a)->akt_prio_1, 1u);
  EXPECT_EQ(+LaRecNr(b)->akt_prio_3, 1u);

  // In a locked group nothing moves, and nobody is placed again.
  FjernElevFraLa(ws, a, ida, 1);
  TgRecNr(tg)->Laast = TgRecNr(tg)->ExportLaast = 1;
  ws->PpPos.Aktuel = 4;
  EXPECT_EQ(Tryk(VK_LEFT, false, true), 0);
  EXPECT_EQ(Plan(a), "000240");
  EXPECT_EQ(Alle(ws->Placeringer), "00|01");
  EXPECT_EQ(Tekster().size(), 1u);
}

// ---- Flags of the activities ----

struct FlagTilfaelde {
  uint32_t Tast;
  bool Shift;
  std::string A, B;  // L, B, P of A (the current one) and of B before
  std::string AEfter, BEfter;
};

TEST_F(ElevPlanKommandoTest, FlagCommandsTurnTheirFlagsOnAndOffTogether) {
  const FlagTilfaelde tilfaelde[] = {
      {'B', false, "000", "000", "011", "000"}, {'B', false, "011", "000", "001", "000"},
      {'B', false, "111", "000", "001", "000"}, {'L', false, "000", "000", "111", "000"},
      {'L', false, "111", "000", "011", "000"}, {'P', false, "000", "000", "001", "000"},
      {'P', false, "111", "000", "000", "000"}, {'B', true, "011", "000", "011", "011"},
      {'B', true, "011", "111", "001", "001"},  {'L', true, "111", "001", "111", "111"},
      {'L', true, "111", "111", "011", "011"},  {'P', true, "001", "000", "001", "001"},
      {'P', true, "111", "011", "000", "000"},
  };
  LavGruppe();
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message()
                 << char(t.Tast) << (t.Shift ? " with Shift " : " ") << t.A << " " << t.B);
    SaetFlag(a, t.A);
    SaetFlag(b, t.B);
    EXPECT_EQ(Kmd(t.Tast, true, t.Shift, 1), 1);
    EXPECT_EQ(Flag(a), t.A);
    EXPECT_EQ(Kmd(t.Tast, false, t.Shift), 0) << "only with Ctrl";
    memset(tvla.pfSave, 0, tvla.wRecCnt / tdla.RecPrBlok + 1);
    EXPECT_EQ(Kmd(t.Tast, true, t.Shift), 1);
    EXPECT_EQ(Flag(a), t.AEfter);
    EXPECT_EQ(Flag(b), t.BEfter);
    EXPECT_EQ(tvla.pfSave[0], 1) << "la re-sorted, so that it is saved";
  }
}

TEST_F(ElevPlanKommandoTest, LockedGroupRefusesTheEditingCommands) {
  LavGruppe();
  TgRecNr(tg)->Laast = TgRecNr(tg)->EasyLaast = 1;
  LaRecNr(a)->LukForNyeElever = 0;
  const std::string easy =
      "Tilmeldingsgruppen er låst for redigering.\nElevtilmeldinger er overført til EASY!";
  const std::pair<uint32_t, const char *> taster[] = {
      {'A', "Kommando ikke udført"}, {'B', "Kommando ikke udført"}, {'L', "Kommando ikke udført"},
      {'P', "Kommando ikke udført"}, {'X', "Plads ikke blokeret"},
  };
  for (auto [tast, titel] : taster) {
    SCOPED_TRACE(char(tast));
    const bool ctrl = tast != 'X';
    EXPECT_EQ(Kmd(tast, ctrl, false, 1), 0);
    EXPECT_TRUE(Tekster().empty());
    EXPECT_EQ(Kmd(tast, ctrl), 0);
    EXPECT_EQ(Tekster(), (Tekst{{easy, titel}}));
  }
  EXPECT_EQ(Flag(a), "000");
  EXPECT_EQ(+LaRecNr(a)->aktiv, 1u);
  EXPECT_EQ(Alle(ws->LaSpaerring), "000000|000000");
}

// ---- Archiving ----

TEST_F(ElevPlanKommandoTest, ArchivingTakesTheStudentsOffAndMovesToTheNeighbour) {
  LavGruppe();
  const uint32_t c = NyLa(tg, 7003, "C");
  BuildElevPlanData(ws);
  PlacerElevPaaLa(ws, b, ida, 3);
  PlacerElevPaaLa(ws, b, bo, 3);
  SaetFlag(b, "101");
  Cursor(b, 1);
  ASSERT_EQ(Tryk('A', true), 1);
  EXPECT_EQ(+LaRecNr(b)->aktiv, 0u);
  EXPECT_EQ(Flag(b), "000");
  EXPECT_EQ(+LaRecNr(b)->akt_prio_3, 0u);
  EXPECT_EQ(AktuelLa(ws), a) << "the one before";
  EXPECT_EQ(Plan(b), "000000") << "an archived activity's placements go";

  // At the first row the next active one; an archived one is passed by.
  Cursor(a, 1);
  LaRecNr(b)->aktiv = 0;
  ASSERT_EQ(Tryk('A', true), 1);
  EXPECT_EQ(AktuelLa(ws), c);

  // Ctrl+A on an archived activity makes it active again.
  Cursor(a, 1);
  ASSERT_EQ(Tryk('A', true), 1);
  EXPECT_EQ(+LaRecNr(a)->aktiv, 1u);
  EXPECT_TRUE(Tekster().empty());
}

TEST_F(ElevPlanKommandoTest, ArchivingIsRefusedWhileTheActivityKeepsItsStudents) {
  LavGruppe();
  SaetFlag(a, "011");
  PlacerElevPaaLa(ws, a, ida, 1);
  EXPECT_EQ(Kmd('A', true, false, 1), 0);
  EXPECT_EQ(Kmd('A', true), 0);
  EXPECT_EQ(Tekster(), (Tekst{{"Denne aktivitet er låst (behold elever).\nHvis aktiviteten skal "
                               "arkiveres skal aktiviteten låses op < CTRL + B >",
                               "Kommando ikke udført"}}));
  EXPECT_EQ(+LaRecNr(a)->aktiv, 1u);
  EXPECT_EQ(+LaRecNr(a)->akt_prio_1, 1u);
}

TEST_F(ElevPlanKommandoTest, ArchivingAnUnsentDuplicateDeletesIt) {
  LavGruppe();
  const uint32_t d = NyLa(tg, 2137483647, "A #2");
  LaRecNr(d)->kopi_id = 7001;
  LaRecNr(d)->dubletnr = 2;
  LaRecNr(d)->ElevPlanStatus = 6;
  NyLap(tg, 9, d, pp[3], 1);
  BuildElevPlanData(ws);
  PlacerElevPaaLa(ws, d, bo, 1);
  Cursor(d, 1);
  ASSERT_EQ(Tryk('A', true), 1);
  EXPECT_EQ(+LaRecNr(d)->Status, 0);
  EXPECT_EQ(LaPosition(ws, d), 0u);
  EXPECT_EQ(ws->LaAntal, 2u);
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r)
    if (LapRecNr(r)->Status != 0) { EXPECT_NE(+LapRecNr(r)->la_id, d); }
  for (uint32_t r = 1; r < tvev.wRecCnt; ++r)
    if (EvRecNr(r)->Status != 0) { EXPECT_NE(+EvRecNr(r)->placerings_la_id, d); }
}

TEST_F(ElevPlanKommandoTest, HidingArchivedActivitiesTurnsOverAndRebuilds) {
  LavGruppe();
  LaRecNr(b)->aktiv = 0;
  EXPECT_EQ(Kmd('V', false), 0);
  ASSERT_EQ(Tryk('V', true), 1);
  EXPECT_EQ(TgRecNr(tg)->SkjulArkiverede, 1);
  EXPECT_EQ(ws->LaAntal, 1u);
  ASSERT_EQ(Tryk('V', true), 1);
  EXPECT_EQ(TgRecNr(tg)->SkjulArkiverede, 0);
  EXPECT_EQ(ws->LaAntal, 2u);
}

// ---- Barring a slot ----

TEST_F(ElevPlanKommandoTest, BarringASlotNeedsAnAlternativeClearingNeverDoes) {
  LavGruppe();  // A: one block of 2 on six slots
  // Slots are barred while two free slots side by side are left; the last
  // pair cannot be broken.
  const std::pair<uint32_t, std::string> skridt[] = {{3, "001000"}, {5, "001010"}, {4, "001110"}};
  for (const auto &[kolonne, spaerret] : skridt) {
    Cursor(a, kolonne);
    ASSERT_EQ(Kmd('X', false, false, 1), 1) << kolonne;
    ASSERT_EQ(Tryk('X'), 1) << kolonne;
    EXPECT_EQ(Raekke(ws->LaSpaerring, 1), spaerret);
    EXPECT_TRUE(ws->PlanAendret);
    EXPECT_EQ(+ws->PpPos.Aktuel, kolonne + 1) << "steps on to the right";
  }
  EXPECT_TRUE(Tekster().empty());
  for (uint32_t kolonne : {1u, 2u}) {
    Cursor(a, kolonne);
    EXPECT_EQ(Kmd('X', false, false, 1), 0);
    EXPECT_TRUE(Tekster().empty());
    EXPECT_EQ(Kmd('X'), 0);
    EXPECT_EQ(Tekster(),
              (Tekst{{"Der skal være mindst en placeringsmulighed.", "Plads ikke blokeret"}}));
    EXPECT_EQ(Raekke(ws->LaSpaerring, 1), "001110");
  }

  // Clearing works even when no alternative would be left after it.
  Cursor(a, 3);
  ASSERT_EQ(Kmd('X', false, false, 1), 1);
  ASSERT_EQ(Tryk('X'), 1);
  EXPECT_EQ(Raekke(ws->LaSpaerring, 1), "000110");

  // After Down the step is downward.
  Cursor(a, 3);
  Tryk(VK_DOWN);
  ws->LaPos.Aktuel = 1;
  ASSERT_EQ(Tryk('X'), 1);
  EXPECT_EQ(+ws->LaPos.Aktuel, 2u);
  EXPECT_EQ(+ws->PpPos.Aktuel, 3u);
}

// ---- Marks and remembered students ----

TEST_F(ElevPlanKommandoTest, RememberedStudentsArePlacedAllOrNone) {
  LavGruppe();
  // Remembering needs students on the activity.
  EXPECT_EQ(Kmd(VK_OEM_PLUS, false, false, 1), 0);
  EXPECT_EQ(Kmd(VK_ADD), 0);
  EXPECT_EQ(Tekster(), (Tekst{{"Ingen elever på holdet.!", "Der er ingen elever på holdet"}}));
  PlacerElevPaaLa(ws, a, ida, 1);
  PlacerElevPaaLa(ws, a, bo, 3);
  EXPECT_EQ(Kmd(VK_OEM_PLUS), 1);
  ASSERT_EQ(ws->HuskedeAntal, 2u);
  EXPECT_EQ(ws->HuskedeLa, a);

  // Insert places them on B as with Ctrl and Shift held: neither wished
  // it, and B is full (its maximum 0).
  FjernAlleEleverFraLa(ws, a);
  Cursor(b, 1);
  ASSERT_EQ(LaFyldning(b), 3);
  EXPECT_EQ(Kmd(VK_INSERT, false, false, 1), 1);
  EXPECT_EQ(AntalPaaLa(ws, LaPosition(ws, b)), 0u) << "asking places nobody";
  EXPECT_EQ(Kmd(VK_INSERT), 1);
  EXPECT_EQ(tegn, ELEVPLAN_TEGN_ALT);
  const uint32_t pb = LaPosition(ws, b);
  EXPECT_EQ(ws->Placeringer(pb, ElevPosition(ws, ida)), PLACERET);
  EXPECT_EQ(ws->Placeringer(pb, ElevPosition(ws, bo)), PLACERET);
  EXPECT_EQ(+LaRecNr(b)->akt_prio_3, 2u) << "placed without a wish";
  EXPECT_TRUE(Tekster().empty());

  // One of them already on the activity: nobody is placed.
  FjernElevFraLa(ws, b, ida, 3);
  EXPECT_EQ(Kmd(VK_INSERT), 0);
  EXPECT_EQ(ws->Placeringer(pb, ElevPosition(ws, ida)), 0);
  EXPECT_EQ(Tekster(),
            (Tekst{{"1 eller flere af de huskede elever kan ikke placeres på denne aktivitet.",
                    "Ingen elever placeret"}}));

  // An archived activity: its refusal once, nobody placed.
  FjernElevFraLa(ws, b, bo, 3);
  LaRecNr(b)->aktiv = 0;
  EXPECT_EQ(Kmd(VK_INSERT, false, false, 1), 0);
  EXPECT_TRUE(Tekster().empty());
  EXPECT_EQ(Kmd(VK_INSERT), 0);
  EXPECT_EQ(Tekster(), (Tekst{{"Aktiviteten er arkiveret.", "Kommando ikke udført"}}));
  EXPECT_EQ(AntalPaaLa(ws, pb), 0u);
  LaRecNr(b)->aktiv = 1;

  // A remembered student who is not a student of the group shown (the
  // list outlives a change of group) is refused like one placed.
  const uint32_t fremmed = NyElev(3009, "Fremmed");
  ws->HuskedeElever[1] = fremmed;
  EXPECT_EQ(Kmd(VK_INSERT, false, false, 1), 0);
  EXPECT_EQ(Kmd(VK_INSERT), 0);
  EXPECT_EQ(Tekster(),
            (Tekst{{"1 eller flere af de huskede elever kan ikke placeres på denne aktivitet.",
                    "Ingen elever placeret"}}));
  EXPECT_EQ(AntalPaaLa(ws, pb), 0u);

  // Nobody remembered.
  free(ws->HuskedeElever);
  ws->HuskedeElever = nullptr;
  ws->HuskedeAntal = 0;
  EXPECT_EQ(Kmd(VK_INSERT), 0);
  EXPECT_EQ(Tekster(),
            (Tekst{{"Ingen elever er husket.!", "Der er ikke hsuket elever fra et hold"}}));
}

TEST_F(ElevPlanKommandoTest, EscapeDropsTheMarkForTransfer) {
  LavGruppe();
  EXPECT_EQ(Kmd(VK_ESCAPE, false, false, 1), 0);
  EXPECT_EQ(Kmd(VK_ESCAPE), 0);
  EXPECT_EQ(
      Tekster(),
      (Tekst{{"Der er ikke markeret tilmeldinger for en aktivitet", "Ingen markering at ophæve"}}));
  ws->HusketLa = a;
  EXPECT_EQ(Kmd(VK_ESCAPE, false, false, 1), 1);
  EXPECT_EQ(ws->HusketLa, a);
  EXPECT_EQ(Kmd(VK_ESCAPE), 1);
  EXPECT_EQ(ws->HusketLa, 0u);
}

// ---- Keys of other parts ----

TEST_F(ElevPlanKommandoTest, KeysWithoutTheirCommandAreNotAvailable) {
  LavGruppe();
  struct Tast {
    uint32_t Tast;
    bool Ctrl, Shift;
  };
  const Tast taster[] = {{'I', false, false}, {'Q', true, false}, {VK_F4, false, false}};
  for (const Tast &t : taster) {
    SCOPED_TRACE(t.Tast);
    EXPECT_EQ(Kmd(t.Tast, t.Ctrl, t.Shift, 1), 0);
    EXPECT_EQ(Kmd(t.Tast, t.Ctrl, t.Shift, 2), 0);
  }
  EXPECT_TRUE(Tekster().empty());
  // The frame's keys: close, maximise, the shortcut list.
  EXPECT_EQ(Kmd(VK_F4, true, false, 1), 1);
  EXPECT_EQ(Kmd(VK_F3, false, false, 1), 1);
  EXPECT_EQ(Kmd(VK_APPS, false, false, 1), 1);
}

TEST_F(ElevPlanKommandoTest, FetchFromElevplanOnlyForAGroupWaitingToBeFetched) {
  LavGruppe();
  TgRec *t = TgRecNr(tg);
  t->tilmeldingsfradato = 20241001;
  t->tildato = 20250620;
  EXPECT_EQ(Kmd('H', true), 0);
  EXPECT_EQ(Tekster(), (Tekst{{"Tilmeldingsgruppen er allerede åben for redigering.!",
                               "Tilmeldingsgruppen er åben"}}));
  t->Laast = t->PlanlaegningsLaast = t->ExportLaast = 1;
  EXPECT_EQ(Kmd('H', true), 0);
  EXPECT_EQ(Tekster(), (Tekst{{"Tilmeldingsgruppen er låst for redigering.\nTilmeldingsgruppen er "
                               "blevet eksporteret til ElevPlan!",
                               "Kommando ikke udført"}}));
  t->ExportLaast = 0;
  EXPECT_EQ(Kmd('H', true, false, 1), 1);
  EXPECT_EQ(+EpTilstand.Trin, 0);
  EXPECT_EQ(Kmd('H', false), 0) << "only with Ctrl";
  EXPECT_EQ(Kmd('H', true), 1);
  EXPECT_EQ(EpTilstand.Tg, tg);
  EXPECT_EQ(+EpTilstand.Trin, 4);
  EXPECT_EQ(EpTilstand.FraDato, 20241001u);
  EXPECT_EQ(EpTilstand.TilDato, 20250620u);
  EXPECT_TRUE(Findes("ep_exp.dat"));
}

// ---- Test data from the window ----

TEST_F(ElevPlanKommandoTest, RemovingTestDataWritesTheGroupBackFirst) {
  LavGruppe();
  const uint32_t test = NyGruppe(5, 'L', 2);
  const uint32_t testLa = NyLa(test, 7100, "Prøve");
  BuildElevPlanData(ws);
  ASSERT_EQ(Kmd(VK_RIGHT, false, true), 1);  // A moved, not yet written back
  EXPECT_EQ(Kmd('N', false, false, 1), 1);
  EXPECT_EQ(+TgRecNr(test)->Status, 10);
  ASSERT_EQ(Tryk('N'), 1);
  EXPECT_EQ(+TgRecNr(test)->Status, 0);
  EXPECT_EQ(+LaRecNr(testLa)->Status, 0);
  EXPECT_TRUE(Findes("lap.DAT"));
  uint32_t paaSlot2 = 0;
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r)
    paaSlot2 += LapRecNr(r)->Status != 0 && LapRecNr(r)->pp_id == pp[1] && LapRecNr(r)->la_id == a;
  EXPECT_EQ(paaSlot2, 1u);

  // Shown a test group, N leaves nothing of it behind, also not when the
  // workspace is freed afterwards.
  Vis(tg);
  const uint32_t test2 = NyGruppe(6, 'L', 2);
  const uint32_t la2 = NyLa(test2, 7101, "Prøve 2");
  BuildElevPlanData(ws);
  Vis(test2);
  ws->PlanAendret = ws->PlaceringAendret = ws->SpaerringAendret = 1;
  ASSERT_EQ(Tryk('N'), 1);
  FrigivElevPlanWS(ws);
  ws = NytElevPlanWS('K', 1);
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r)
    if (LapRecNr(r)->Status != 0) { EXPECT_NE(+LapRecNr(r)->la_id, la2); }
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r)
    if (LapRecNr(r)->Status != 0) { EXPECT_NE(+LapRecNr(r)->tg_id, 0u); }
  for (uint32_t r = 1; r < tvev.wRecCnt; ++r)
    if (EvRecNr(r)->Status != 0) { EXPECT_NE(+EvRecNr(r)->tg_id, 0u); }
}

TEST_F(ElevPlanKommandoTest, GroupWithoutActivitiesAnswersNoToTheActivityCommands) {
  const uint32_t tom = NyGruppe(501, 'L', 3);
  Vis(tom);
  for (uint32_t tast : {uint32_t{'A'}, uint32_t{'B'}, uint32_t{'L'}, uint32_t{'P'}, uint32_t{'X'},
                        uint32_t{VK_ADD}}) {
    SCOPED_TRACE(tast);
    const bool ctrl = tast != 'X' && tast != VK_ADD;
    EXPECT_EQ(Kmd(tast, ctrl, false, 1), 0);
    EXPECT_EQ(Kmd(tast, ctrl), 0);
  }
  EXPECT_EQ(Kmd(VK_RIGHT, false, true), 0);
  EXPECT_EQ(Kmd(VK_DOWN), 0);
  EXPECT_EQ(Kmd(VK_RIGHT), 1) << "the slot cursor still moves";
  EXPECT_TRUE(Tekster().empty());
}

// ---- The window's messages ----

TEST_F(ElevPlanKommandoTest, MessagesOfTheWindow) {
  LavGruppe();
  LRESULT svar = 0;
  int maling = 0;

  // 1363: a key asked for, nothing done.
  TastInfo t{};
  t.shift = 1;  // as a shortcut table holds it
  t.wParam = VK_RIGHT;
  t.message = WM_KEYDOWN;
  ASSERT_TRUE(ElevPlanBesked(ws, 1363, 0, reinterpret_cast<LPARAM>(&t), &svar, &maling));
  EXPECT_EQ(svar, 1);
  EXPECT_EQ(Plan(a), "240000");

  // A key record handed in (1366) is carried out as if pressed.
  t = {};
  t.shift = -1;
  t.message = WM_KEYDOWN;
  t.wParam = VK_RIGHT;
  ASSERT_TRUE(ElevPlanBesked(ws, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t), &svar, &maling));
  EXPECT_EQ(Plan(a), "024000");
  EXPECT_EQ(maling & ELEVPLAN_TEGN_ALT, ELEVPLAN_TEGN_ALT);
  EXPECT_FALSE(ws->PlanAendret) << "moved, written back and read again";

  // 1365 drops the changes of the group, 1364 writes them back.
  PlacerElevPaaLa(ws, b, bo, 3);
  ASSERT_TRUE(ElevPlanBesked(ws, 1365, 0, 0, &svar, &maling));
  EXPECT_EQ(ws->Placeringer(LaPosition(ws, b), ElevPosition(ws, bo)), 0);
  PlacerElevPaaLa(ws, b, bo, 3);
  ASSERT_TRUE(ElevPlanBesked(ws, 1364, 0, 0, &svar, &maling));
  EXPECT_EQ(ws->Placeringer(LaPosition(ws, b), ElevPosition(ws, bo)), PLACERET);
  EXPECT_EQ(maling, ELEVPLAN_TEGN_ALT);

  // 1054: the cursors follow the tables' current records.
  tvla.AktuelRec = b;
  tvpp.AktuelRec = pp[4];
  ASSERT_TRUE(ElevPlanBesked(ws, 1054, 0, 0, &svar, &maling));
  EXPECT_EQ(AktuelLa(ws), b);
  EXPECT_EQ(AktuelPp(ws), pp[4]);

  // 1101 makes the window's current records the tables'.
  ws->LaPos.Aktuel = LaPosition(ws, a);
  ws->PpPos.Aktuel = 1;
  ASSERT_TRUE(ElevPlanBesked(ws, 1101, 0, 0, &svar, &maling));
  EXPECT_EQ(tvla.AktuelRec, a);
  EXPECT_EQ(tvpp.AktuelRec, pp[0]);
  EXPECT_EQ(tvtg.AktuelRec, tg);

  ASSERT_TRUE(ElevPlanBesked(ws, 1046, 0, 0, &svar, &maling));
  EXPECT_EQ(maling, ELEVPLAN_TEGN_FREMDRIFT);
  EXPECT_FALSE(ElevPlanBesked(ws, WM_PAINT, 0, 0, &svar, &maling));
}

}  // namespace
