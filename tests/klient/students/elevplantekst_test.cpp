// Column codes 1-42 of the planning window against a lesson group of three
// slots (Monday 1, Monday 2, Tuesday 1) and ten activities, and the order
// of its activity rows.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "elevkolonne_fixture.h"

using namespace eleventest;

namespace {

class ElevKolonnePlan : public ElevKolonneMappe {
 protected:
  uint32_t tg = 0;
  std::vector<uint32_t> pp, la;

  void SetUp() override {
    ElevKolonneMappe::SetUp();
    tg = NyGruppe(20, 'L', 3, &pp);
    // The current week, a week after the lock week, the lock week.
    const uint32_t uger[3] = {202445, 202441, 202440}, dage[3] = {0, 0, 1}, lektioner[3] = {1, 2, 1};
    for (int i = 0; i < 3; ++i) {
      PpRec *p = PpRecNr(pp[i]);
      p->ugenr = uger[i];
      p->dag = static_cast<uint8_t>(dage[i]);
      p->lektion = lektioner[i];
    }
    const char *navne[] = {"Matematik", "Dansk", "Engelsk", "Fysik"};
    for (uint32_t i = 0; i < 10; ++i) {
      const std::string n = i < 4 ? navne[i] : "Hold " + std::to_string(i + 1);
      la.push_back(NyLa(tg, 100 + i, n.c_str()));
    }
    for (uint32_t i = 1; i <= 3; ++i) NyElti(NyElev(i, "Elev"), tg);
    Vis(tg);
    ASSERT_EQ(ws->LaAntal, 10u);
    ASSERT_EQ(ws->PpAntal, 3u);

    for (uint32_t a : la) LaRecNr(a)->max_elevantal = 100;
    LaRec *m = LaRecNr(la[0]);
    m->uge_antal = 1;
    m->uge_deletal = 2;
    m->lek_antal = 3;
    m->lek_deletal = 4;
    m->min_elevantal = 5;
    m->akt_prio_1 = 6;
    m->akt_prio_2 = 7;
    m->akt_prio_3 = 8;
    m->onske_prio_1 = 9;
    m->onske_prio_2 = 10;
    m->reeltflyttet = 11;
    m->fradato = 20240901;
    m->tildato = 20241220;
    m->Lektionsantal = 40;
    LaRec *d = LaRecNr(la[1]);  // archived
    d->aktiv = 0;
    d->uge_antal = 1;
    d->akt_prio_1 = d->akt_prio_2 = d->akt_prio_3 = 1;
    LaRec *e = LaRecNr(la[2]);  // a duplicate that hands its wishes on, closed, held in place
    e->dubletnr = 2;
    e->onske_prio_1 = 0;
    e->overfoer_til_la_id = 105;
    e->LukForNyeElever = 1;
    e->BeholdElever = 1;
    e->PladsLaas = 1;
    LaRecNr(la[3])->BeholdElever = 1;
    ws->HusketLa = la[3];  // Fysik: marked for transfer

    // Slot 1 held by all ten activities, slot 2 by the first nine.
    memset(ws->PlanGitter.Data, 0, size_t(ws->PlanGitter.Raekker + 1) * (ws->PlanGitter.Kolonner + 1));
    for (uint32_t a = 1; a <= 10; ++a) {
      ws->PlanGitter(a, 1) = PLAN_ENKELT;
      if (a <= 9) ws->PlanGitter(a, 2) = PLAN_ENKELT;
    }
    memset(ws->Oensker.Data, 0, size_t(ws->Oensker.Raekker + 1) * (ws->Oensker.Kolonner + 1));
    ws->Oensker(1, 1) = 1;
    ws->Oensker(1, 3) = 2;
    ws->Oensker(3, 1) = 1;
  }
};

TEST_F(ElevKolonnePlan, EveryCodeByRecordState) {
  const std::string aar = G(35) + G(33) + G(35) + G(37);  // 2024 as glyph digits
  struct {
    uint32_t kode, bredde, pp, la, tg;
    uint8_t retning;
    size_t str;  // 0: the row painter's buffer
    std::string tekst;
    uint8_t farve;
    bool symbol;
  } tabel[] = {
      // Activities (positions 1-4: Matematik, Dansk archived, Engelsk
      // duplicate, Fysik marked for transfer).
      {1, 10, 0, 1, 0, 0, 0, "Matematik ", 7, false},
      {1, 10, 0, 2, 0, 0, 0, "Dansk     ", 5, false},
      {1, 10, 0, 3, 0, 0, 0, "Engelsk   ", 10, false},
      {1, 10, 0, 4, 0, 0, 0, "Fysik     ", 8, false},
      {1, 20, 0, 1, 0, 0, 6, "Matem", 7, false},
      {4, 3, 0, 1, 0, 0, 0, "  1", 16, false},
      {4, 3, 0, 2, 0, 0, 0, "  1", 5, false},
      {5, 3, 0, 1, 0, 0, 0, "  2", 16, false},
      {6, 3, 0, 1, 0, 0, 0, "  3", 16, false},
      {7, 3, 0, 1, 0, 0, 0, "  4", 16, false},
      {8, 3, 0, 1, 0, 0, 0, "  5", 16, false},
      {9, 3, 0, 1, 0, 0, 0, "100", 16, false},
      {10, 3, 0, 1, 0, 0, 0, " 21", 16, false},
      {10, 3, 0, 2, 0, 0, 0, "  -", 5, false},
      {12, 3, 0, 1, 0, 0, 0, "  6", 16, false},
      {13, 3, 0, 1, 0, 0, 0, "  7", 16, false},
      {14, 3, 0, 1, 0, 0, 0, "  8", 16, false},
      {12, 2, 0, 2, 0, 0, 0, " -", 5, false},
      {13, 2, 0, 2, 0, 0, 0, " -", 5, false},
      {14, 1, 0, 2, 0, 0, 0, "-", 5, false},
      {15, 3, 0, 1, 0, 0, 0, "  9", 16, false},
      {16, 3, 0, 1, 0, 0, 0, " 10", 16, false},
      {15, 3, 0, 3, 0, 0, 0, "  0", 8, false},
      {17, 3, 0, 1, 0, 0, 0, "  1", 16, false},
      {17, 3, 0, 2, 0, 0, 0, "  -", 5, false},
      {17, 3, 0, 3, 0, 0, 0, "  2", 16, false},
      {28, 1, 0, 3, 0, 0, 0, "L", 16, false},
      {28, 1, 0, 4, 0, 0, 0, "B", 8, false},
      {28, 1, 0, 1, 0, 0, 0, " ", 16, false},
      {29, 1, 0, 3, 0, 0, 0, "x", 16, false},
      {29, 1, 0, 1, 0, 0, 0, " ", 16, false},
      {36, 1, 0, 1, 0, 0, 0, "0", 16, false},
      {36, 1, 0, 2, 0, 0, 0, "1", 5, false},
      {36, 1, 0, 1, 0, 2, 0, "1", 16, false},
      {36, 1, 0, 2, 0, 2, 0, "0", 5, false},
      {38, 3, 0, 1, 0, 0, 0, " 11", 16, false},
      {40, 3, 0, 1, 0, 0, 0, "  2", 16, false},
      {40, 3, 0, 3, 0, 0, 0, "  0", 16, false},
      {42, 50, 0, 1, 0, 0, 0, "Matematik   20240901 - 20241220 (40 Lek)", 7, false},
      {42, 12, 0, 1, 0, 0, 0, "Matematik   ", 7, false},
      {4, 3, 0, 0, 0, 0, 0, "   ", 16, false},
      {1, 5, 0, 11, 0, 0, 0, "     ", 16, false},
      // Slots.
      {18, 4, 1, 0, 0, 0, 0, aar, 16, true},
      {18, 4, 2, 0, 0, 0, 0, "2024", 16, false},
      {19, 2, 1, 0, 0, 0, 0, G(37) + G(38), 16, true},
      {19, 2, 2, 0, 0, 0, 0, G(37) + G(34), 16, true},
      {19, 2, 3, 0, 0, 0, 0, "40", 16, false},
      {20, 3, 1, 0, 0, 0, 0, " 10", 7, false},
      {20, 3, 2, 0, 0, 0, 0, "  9", 7, false},
      {20, 3, 3, 0, 0, 0, 0, "  0", 7, false},
      {25, 3, 1, 0, 0, 0, 0, "***", 7, false},
      {25, 3, 2, 0, 0, 0, 0, "900", 7, false},
      {25, 3, 3, 0, 0, 0, 0, "  0", 7, false},
      {31, 2, 1, 0, 0, 0, 0, "Ma", 16, false},
      {31, 2, 2, 0, 0, 0, 0, "  ", 16, false},
      {31, 2, 3, 0, 0, 0, 0, "Ti", 16, false},
      {32, 2, 2, 0, 0, 0, 0, " 2", 16, false},
      {33, 2, 3, 0, 0, 0, 0, " 1", 16, false},
      {34, 7, 3, 0, 0, 0, 0, "Tirsdag", 16, false},
      {34, 8, 1, 0, 0, 0, 0, "Mandag  ", 16, false},
      {35, 8, 2, 0, 0, 0, 0, " 2. Lek.", 16, false},
      {35, 4, 2, 0, 0, 0, 0, " 2. ", 16, false},
      {41, 7, 1, 0, 0, 0, 0, " 202445", 16, false},
      {18, 4, 0, 0, 0, 0, 0, "    ", 16, false},
      {31, 2, 4, 0, 0, 0, 0, "  ", 16, false},
      // Other codes.
      {30, 3, 0, 0, 0, 0, 0, "U  ", 16, false},
      {37, 3, 0, 0, 1, 0, 0, " 20", 16, false},
      {37, 3, 0, 0, 0, 0, 0, "   ", 16, false},
      {37, 3, 0, 0, 2, 0, 0, "   ", 16, false},
      {2, 3, 1, 1, 1, 0, 0, "   ", 16, false},
      {11, 2, 1, 1, 1, 0, 0, "  ", 16, false},
      {39, 1, 1, 1, 1, 0, 0, " ", 16, false},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(testing::Message() << "code " << t.kode << " width " << t.bredde << " slot " << t.pp
                                    << " activity " << t.la << " group " << t.tg);
    ws->SorterRetning = t.retning;
    char tekst[kSwitchTekstLen];
    memset(tekst, 'x', sizeof tekst);
    uint8_t farve = 16, baggrund = 0;
    HFONT skrift = 0;
    if (t.str == 0)
      ElevPlanFeltTekst(ws, t.kode, t.bredde, t.pp, t.la, t.tg, tekst, &farve, &baggrund, &skrift);
    else
      ElevPlanCelleTekst(ws, t.kode, t.bredde, t.pp, t.la, t.tg, tekst, t.str, &farve, &baggrund, &skrift);
    EXPECT_EQ(std::string(tekst), t.tekst);
    EXPECT_EQ(+farve, +t.farve);
    EXPECT_EQ(+baggrund, 0);
    EXPECT_EQ(skrift, t.symbol ? symbol : HFONT{0});
  }
}

TEST_F(ElevKolonnePlan, ActivityMarkedForTransferInColourEightInEveryActivityCode) {
  for (uint32_t kode : {1, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 28, 29, 36, 38, 40, 42}) {
    uint8_t farve = 16, baggrund = 0;
    char tekst[kSwitchTekstLen];
    ElevPlanFeltTekst(ws, kode, 5, 1, 4, 1, tekst, &farve, &baggrund, nullptr);
    EXPECT_EQ(+farve, 8) << "code " << kode;
  }
}

TEST_F(ElevKolonnePlan, DayOutsideTheWeekHasNoName) {
  PpRecNr(pp[2])->dag = 9;
  for (uint32_t kode : {31, 34}) {
    char tekst[kSwitchTekstLen];
    ElevPlanFeltTekst(ws, kode, 7, 3, 0, 0, tekst, nullptr, nullptr, nullptr);
    EXPECT_EQ(std::string(tekst), "       ") << "code " << kode;
  }
}

TEST_F(ElevKolonnePlan, ActivityRowsByTheStoredSortFieldArchivedLastEitherWay) {
  const auto raekker = [&] {
    std::vector<std::string> v;
    for (uint32_t r = 1; r <= ws->LaAntal; ++r) v.push_back(LaRecNr(ws->LaVisTab[r])->Navn);
    return v;
  };
  LaRecNr(la[4])->aktiv = 0;  // Hold 5 archived as well as Dansk
  snprintf(LaRecNr(la[5])->Navn, sizeof LaRecNr(la[5])->Navn, "Ærø");
  snprintf(LaRecNr(la[6])->Navn, sizeof LaRecNr(la[6])->Navn, "Åben");
  snprintf(LaRecNr(la[7])->Navn, sizeof LaRecNr(la[7])->Navn, "Zebra");
  using V = std::vector<std::string>;
  ByggLaRaekker(ws);  // no sort field stored: table order
  EXPECT_EQ(raekker(), (V{"Matematik", "Dansk", "Engelsk", "Fysik", "Hold 5", "Ærø", "Åben", "Zebra", "Hold 9",
                          "Hold 10"}));
  ObjSwitchSaetSortFelt(ELEVPLAN_LA_ART, 'K', 1);
  ws->SorterRetning = 0;
  ByggLaRaekker(ws);
  EXPECT_EQ(raekker(), (V{"Engelsk", "Fysik", "Hold 10", "Hold 9", "Matematik", "Zebra", "Ærø", "Åben", "Dansk",
                          "Hold 5"}));
  ws->SorterRetning = ELEVSORT_FALDENDE;
  ByggLaRaekker(ws);
  EXPECT_EQ(raekker(), (V{"Åben", "Ærø", "Zebra", "Matematik", "Hold 9", "Hold 10", "Fysik", "Engelsk", "Hold 5",
                          "Dansk"}));
  // A number column, descending: Matematik's 21 placed before the others'
  // 0, the two archived dashes last.
  ObjSwitchSaetSortFelt(ELEVPLAN_LA_ART, 'K', 10);
  ByggLaRaekker(ws);
  V v = raekker();
  EXPECT_EQ(v.front(), "Matematik");
  V sidst(v.end() - 2, v.end());
  std::sort(sidst.begin(), sidst.end());
  EXPECT_EQ(sidst, (V{"Dansk", "Hold 5"}));
}

}  // namespace
