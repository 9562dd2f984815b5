// The automatic placement over small hand-made groups: the random source,
// one placement in or out and the reset, the slot groups and the ways of
// laying an activity's blocks, the layout of
// the activities, the choice made for one student and the order of the
// students, the runs with what they keep, the command through the keys and
// its dialog, and two program starts that give the same plan.
#include "AUTOPLAC.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ELEVDLG.h"
#include "TILFAELDIG.h"
#include "elevdialoger.h"
#include "elevplan_fixture.h"

extern char **environ;

using namespace eleventest;

namespace {

// ---- The random source ----

TEST(ElevPlaceringTilfaeldig, SameSequenceAsTheStandardsExampleAtEveryStart) {
  // The C standard's example with its unsigned long state, here 64 bits.
  unsigned long naeste = 1;
  auto eksempel = [&naeste] {
    naeste = naeste * 1103515245 + 12345;
    return static_cast<uint32_t>(naeste / 65536 % 32768);
  };
  NulstilTilfaeldig();
  const uint32_t foerste[] = {16838, 5758, 10113, 17515, 31051, 5627, 23010, 7419, 16212, 4086};
  for (uint32_t v : foerste) EXPECT_EQ(TilfaeldigTal(), v);
  NulstilTilfaeldig();
  for (int i = 0; i < 100000; ++i) ASSERT_EQ(TilfaeldigTal(), eksempel()) << i;
  NulstilTilfaeldig();
  EXPECT_EQ(Tilfaeldig(1000), 16838u % 1000);
  EXPECT_EQ(Tilfaeldig(0), 0u);
  EXPECT_EQ(TilfaeldigTal(), 10113u) << "r(0) draws too";
  NulstilTilfaeldig();
}

// ---- Fixture ----

struct Blok {
  uint32_t Start, Laengde;  // slot column from 1
};

class ElevPlaceringTest : public ElevPlanMappe {
 protected:
  std::vector<uint32_t> pp;
  uint32_t lapId = 1, evId = 1;

  void SetUp() override {
    ElevPlanMappe::SetUp();
    NulstilTilfaeldig();
  }

  // A lesson group: one slot per entry of dage (the slot's day), divisor d.
  uint32_t LektionsGruppe(uint32_t id, const std::vector<uint8_t> &dage, uint32_t d) {
    const uint32_t tg = NyTg(id, 'L');
    TgRecNr(tg)->lek_deletal = d;
    std::map<uint8_t, uint32_t> lektion;
    for (size_t i = 0; i < dage.size(); ++i)
      pp.push_back(NyPp(tg, id * 1000 + uint32_t(i) + 1, 0, dage[i], ++lektion[dage[i]]));
    return tg;
  }

  uint32_t UgeGruppe(uint32_t id, uint32_t uger) { return NyGruppe(id, 'U', uger, &pp); }

  // An activity of lesson weight vaegt and room for maks students, with
  // its blocks on the group's slots.
  uint32_t Aktivitet(uint32_t tg, uint32_t id, const char *navn, uint32_t vaegt, uint32_t maks,
                     const std::vector<Blok> &blokke) {
    const uint32_t la = NyLa(tg, id, navn);
    LaRec *l = LaRecNr(la);
    l->lek_antal = l->uge_antal = vaegt;
    l->lek_deletal = l->uge_deletal = 1;
    l->max_elevantal = maks;
    for (const Blok &b : blokke) NyLap(tg, lapId++, la, pp.at(b.Start - 1), b.Laengde);
    return la;
  }

  void Spaer(uint32_t tg, uint32_t la, uint32_t kolonne) {
    NyLap(tg, lapId++, la, pp.at(kolonne - 1), 1, 1);
  }

  void Oenske(uint32_t tg, uint32_t elev, uint32_t la, uint8_t prio) {
    NyOenske(tg, evId++, elev, la, prio);
  }

  uint32_t Elev(uint32_t tg, uint32_t id, const char *navn) {
    const uint32_t e = NyElev(id, navn);
    NyElti(e, tg);
    return e;
  }

  uint32_t A(uint32_t la) const { return LaPosition(ws, la); }
  uint32_t S(uint32_t elev) const { return ElevPosition(ws, elev); }

  // No student holds two activities that share a slot or are duplicates,
  // and every activity a student is neither placed on nor marked for (the
  // test by which the fill command and the hand placement let him on) is
  // free of his placements.
  void IngenDobbeltBooking() const {
    for (uint32_t s = 1; s <= ws->ElevAntal; ++s)
      for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
        // Pairs of his placements, and an activity left unmarked beside one.
        const bool ledig = ws->Placeringer(a, s) == 0 && ws->Markeringer(a, s) == 0;
        if (ws->Placeringer(a, s) != PLACERET && !ledig) continue;
        for (uint32_t b = 1; b <= ws->LaAntal; ++b) {
          if (b == a || ws->Placeringer(b, s) != PLACERET) continue;
          EXPECT_FALSE(ws->Overlap(a, b) || ws->Dubletter(a, b))
              << "student " << s << (ledig ? " free for " : " on ") << a << " beside " << b;
        }
      }
  }

  // The lessons of every direct placement, recounted from the matrices.
  uint64_t PlaceredeLektioner() const {
    uint64_t n = 0;
    for (uint32_t a = 1; a <= ws->LaAntal; ++a)
      for (uint32_t s = 1; s <= ws->ElevAntal; ++s)
        if (ws->Placeringer(a, s) == PLACERET) n += ws->LaLektioner[a];
    return n;
  }
};

// ---- One placement in or out ----

using ElevPlaceringPrimitiver = ElevPlanMappe;

TEST_F(ElevPlaceringPrimitiver, PlacementsAndMarksFollowDuplicatesAndSharedSlots) {
  std::vector<uint32_t> pp;
  const uint32_t tg = NyGruppe(501, 'L', 3, &pp);
  const uint32_t a = NyLa(tg, 7001, "A");
  const uint32_t aDublet = NyLa(tg, 2137483700, "A #2");
  LaRecNr(aDublet)->kopi_id = 7001;
  const uint32_t b = NyLa(tg, 7002, "B");
  const uint32_t c = NyLa(tg, 7003, "C");
  NyLap(tg, 1, a, pp[0], 2);
  NyLap(tg, 2, aDublet, pp[1], 1);
  NyLap(tg, 3, b, pp[1], 1);
  NyLap(tg, 4, c, pp[2], 1);
  LaRecNr(a)->lek_antal = 4;
  const uint32_t elev = NyElev(3001, "Ida");
  NyElti(elev, tg);
  NyOenske(tg, 101, elev, a, 1);
  NyOenske(tg, 102, elev, c, 2);
  Vis(tg);
  const uint32_t s = ElevPosition(ws, elev);
  auto kolonne = [&](const ElevMatrix &m) {
    std::string t;
    for (uint32_t r = 1; r <= m.Raekker; ++r) t += static_cast<char>('0' + m(r, s));
    return t;
  };
  PlacerElevPaaLa(ws, a, elev, 1);
  EXPECT_EQ(kolonne(ws->Placeringer), "1200");
  EXPECT_EQ(kolonne(ws->Markeringer), "1420");
  EXPECT_EQ(+LaRecNr(a)->akt_prio_1, 1u);
  EXPECT_EQ(+ElevRecNr(elev)->akt_prio_1, 4u);
  PlacerElevPaaLa(ws, c, elev, 2);
  EXPECT_EQ(kolonne(ws->Markeringer), "1421");

  // The student's state at each slot, and the activity's fill.
  uint32_t laPos = 0;
  EXPECT_EQ(ElevStatusVedPp(ws, pp[1], elev, &laPos), 1);
  EXPECT_EQ(laPos, LaPosition(ws, a));
  EXPECT_EQ(ElevStatusVedPp(ws, pp[2], elev, &laPos), 2);
  EXPECT_EQ(laPos, LaPosition(ws, c));
  ws->ElevSpaerring(s, 3) = 1;
  EXPECT_EQ(ElevStatusVedPp(ws, pp[2], elev, &laPos), 4);

  FjernElevFraLa(ws, a, elev, 1);
  EXPECT_EQ(kolonne(ws->Placeringer), "0001");
  EXPECT_EQ(kolonne(ws->Markeringer), "0001");
  EXPECT_EQ(+LaRecNr(a)->akt_prio_1, 0u);
  EXPECT_EQ(+ElevRecNr(elev)->akt_prio_1, 0u);
  // Taking off what is not there changes no count.
  FjernElevFraLa(ws, a, elev, 1);
  EXPECT_EQ(+LaRecNr(a)->akt_prio_1, 0u);
  EXPECT_EQ(+LaRecNr(c)->akt_prio_2, 1u);
}

TEST_F(ElevPlaceringPrimitiver, ResetKeepsOnlyTheStudentsOfActivitiesThatKeepThem) {
  std::vector<uint32_t> pp;
  const uint32_t tg = NyGruppe(501, 'L', 2, &pp);
  const uint32_t behold = NyLa(tg, 7001, "Behold");
  LaRecNr(behold)->BeholdElever = 1;
  LaRecNr(behold)->lek_antal = 3;
  const uint32_t fri = NyLa(tg, 7002, "Fri");
  NyLap(tg, 1, behold, pp[0], 1);
  NyLap(tg, 2, fri, pp[1], 1);
  const uint32_t ida = NyElev(3001, "Ida"), bo = NyElev(3002, "Bo");
  NyElti(ida, tg);
  NyElti(bo, tg);
  NyOenske(tg, 101, ida, behold, 2);
  Vis(tg);
  PlacerElevPaaLa(ws, behold, ida, 2);
  PlacerElevPaaLa(ws, behold, bo, 3);
  PlacerElevPaaLa(ws, fri, ida, 3);
  NulstilPlaceringer(ws);
  EXPECT_EQ(Alle(ws->Placeringer), "11|00");
  EXPECT_EQ(+LaRecNr(behold)->akt_prio_2, 1u);
  EXPECT_EQ(+LaRecNr(behold)->akt_prio_3, 1u);
  EXPECT_EQ(+LaRecNr(fri)->akt_prio_3, 0u);
  // The students' lessons counted again from the kept placements alone.
  EXPECT_EQ(+ElevRecNr(ida)->akt_prio_2, 3u);
  EXPECT_EQ(+ElevRecNr(ida)->akt_prio_3, 0u);
  EXPECT_EQ(+ElevRecNr(bo)->akt_prio_3, 3u);
  FjernAlleEleverFraLa(ws, behold);
  EXPECT_EQ(Alle(ws->Placeringer), "00|00");
  EXPECT_EQ(+LaRecNr(behold)->akt_prio_2 + +LaRecNr(behold)->akt_prio_3, 0u);
}

// ---- Slot groups and alternatives ----

using ElevPlaceringAlternativer = ElevPlaceringTest;

std::string Tal(const std::vector<uint32_t> &v) {
  std::string s;
  for (size_t i = 1; i < v.size(); ++i) s += (i > 1 ? "," : "") + std::to_string(v[i]);
  return s;
}

TEST_F(ElevPlaceringAlternativer, SlotGroupsAsCases) {
  struct {
    const char *Navn;
    char Art;
    std::vector<uint8_t> Dage;
    uint32_t Deletal;
    std::string G1, G2;
  } const tilfaelde[] = {
      {"Monday and Tuesday 1-4, divisor 2",
       'L',
       {0, 0, 0, 0, 1, 1, 1, 1},
       2,
       "0,0,1,1,102,102,103,103",
       "0,0,0,0,1,1,1,1"},
      {"a day of 3 lessons with divisor 2 falls back to whole days",
       'L',
       {0, 0, 0, 1, 1},
       2,
       "0,0,0,1,1",
       "0,0,0,0,0"},
      {"divisor 1", 'L', {2, 2, 3}, 1, "200,201,302", "2,2,3"},
      {"divisor 0 divides nothing", 'L', {0, 0, 1, 1}, 0, "0,0,1,1", "0,0,0,0"},
      {"week group", 'U', {0, 0, 0}, 2, "1,1,1", "0,0,0"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    TearDown();
    SetUp();
    pp.clear();
    const uint32_t tg = t.Art == 'U' ? UgeGruppe(501, uint32_t(t.Dage.size()))
                                     : LektionsGruppe(501, t.Dage, t.Deletal);
    TgRecNr(tg)->lek_deletal = t.Deletal;
    Vis(tg);
    std::vector<uint32_t> g1(ws->PpAntal + 1), g2(ws->PpAntal + 1);
    SlotGrupper(ws, g1.data(), g2.data());
    EXPECT_EQ(Tal(g1), t.G1);
    EXPECT_EQ(Tal(g2), t.G2);
  }
}

TEST_F(ElevPlaceringAlternativer, CoarseGrainStaysTheDayPastAHundredBlocks) {
  // Three days of 48 lessons, divisor 1: the third day's block numbers
  // run from 96 to 143, and the day's number must not change on the way.
  std::vector<uint8_t> dage;
  for (uint8_t d = 0; d < 3; ++d) dage.insert(dage.end(), 48, d);
  const uint32_t tg = LektionsGruppe(501, dage, 1);
  Vis(tg);
  std::vector<uint32_t> g1(ws->PpAntal + 1), g2(ws->PpAntal + 1);
  SlotGrupper(ws, g1.data(), g2.data());
  EXPECT_EQ(g1[97], 296u);
  EXPECT_EQ(g1[144], 343u);
  for (uint32_t p = 97; p <= 144; ++p) EXPECT_EQ(g2[p], 2u) << p;
  EXPECT_EQ(g2[96], 1u);
}

TEST_F(ElevPlaceringAlternativer, WaysOfLayingTheBlocksAsCases) {
  struct {
    const char *Navn;
    std::vector<Blok> Blokke;
    std::vector<uint32_t> Spaerret;
    bool Grov;  // the coarse grain
    std::vector<std::string> Raekker;
  } const tilfaelde[] = {
      {"two blocks of 2, lexicographic",
       {{1, 2}, {3, 2}},
       {},
       false,
       {"24240000", "24002400", "24000024", "00242400", "00240024", "00002424"}},
      {"one slot of the first pair barred",
       {{1, 2}, {3, 2}},
       {2},
       false,
       {"00242400", "00240024", "00002424"}},
      {"a block of 3 fits no pair", {{1, 3}}, {}, false, {}},
      {"a block of 3 within a day",
       {{1, 3}},
       {},
       true,
       {"23400000", "02340000", "00002340", "00000234"}},
      {"blocks of one", {{2, 1}, {8, 1}, {5, 1}}, {1, 3, 4, 6, 7}, false, {"01001001"}},
      {"as many blocks as fit", {{1, 2}, {3, 2}, {5, 2}, {7, 2}}, {}, false, {"24242424"}},
      {"one block more than fits", {{1, 2}, {3, 2}, {5, 2}, {7, 2}}, {8}, false, {}},
      {"no block", {}, {}, false, {}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    TearDown();
    SetUp();
    pp.clear();
    lapId = 1;
    const uint32_t tg = LektionsGruppe(501, {0, 0, 0, 0, 1, 1, 1, 1}, 2);
    const uint32_t la = Aktivitet(tg, 7001, "A", 4, 10, t.Blokke);
    for (uint32_t k : t.Spaerret) Spaer(tg, la, k);
    Vis(tg);
    // An activity without blocks gets a default one at the build.
    if (t.Blokke.empty()) memset(ws->PlanGitter.Raekke(A(la)), 0, ws->PpAntal + 1);
    std::vector<uint32_t> g1(ws->PpAntal + 1), g2(ws->PpAntal + 1);
    SlotGrupper(ws, g1.data(), g2.data());
    std::vector<uint8_t> raekker(ALTERNATIVER_MAKS * (ws->PpAntal + 1), 0xEE);
    const uint32_t n = LavAlternativer(ws, A(la), t.Grov ? g2.data() : g1.data(), raekker.data());
    std::vector<std::string> fundet;
    for (uint32_t i = 0; i < n; ++i) {
      std::string r;
      for (uint32_t c = 1; c <= ws->PpAntal; ++c)
        r += static_cast<char>('0' + raekker[i * (ws->PpAntal + 1) + c]);
      fundet.push_back(r);
    }
    EXPECT_EQ(fundet, t.Raekker);
    EXPECT_EQ(LavAlternativer(ws, A(la), t.Grov ? g2.data() : g1.data(), nullptr), n);
  }
}

TEST_F(ElevPlaceringAlternativer, AtMostAHundredAndTheXKeysTest) {
  const uint32_t tg = UgeGruppe(501, 150);
  const uint32_t la = Aktivitet(tg, 7001, "A", 1, 10, {{7, 1}});
  const uint32_t par = Aktivitet(tg, 7002, "B", 2, 10, {{1, 2}});
  Vis(tg);
  const std::vector<uint32_t> g(151, 1);
  std::vector<uint8_t> raekker(ALTERNATIVER_MAKS * 151);
  ASSERT_EQ(LavAlternativer(ws, A(la), g.data(), raekker.data()), ALTERNATIVER_MAKS);
  EXPECT_EQ(raekker[99 * 151 + 100], PLAN_ENKELT) << "the hundredth lies on slot 100";

  // The X key's test: all slots as one group, the barred slots as they
  // stand.
  EXPECT_TRUE(HarPladsAlternativ(ws, A(par)));
  for (uint32_t c = 1; c <= 150; c += 2) ws->LaSpaerring(A(par), c) = 1;
  EXPECT_FALSE(HarPladsAlternativ(ws, A(par)));
  EXPECT_TRUE(HarPladsAlternativ(ws, A(la)));
  EXPECT_FALSE(HarPladsAlternativ(ws, 0));
  EXPECT_FALSE(HarPladsAlternativ(ws, 3));
}

// ---- Laying the activities on slots ----

using ElevPlaceringAktiviteter = ElevPlaceringTest;

TEST_F(ElevPlaceringAktiviteter, EveryLayoutIsOneOfTheActivitysWays) {
  const uint32_t tg = LektionsGruppe(501, {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1}, 2);
  const uint32_t par = Aktivitet(tg, 7001, "To par", 4, 10, {{1, 2}, {3, 2}});
  const uint32_t tre = Aktivitet(tg, 7002, "Tre", 3, 10, {{1, 3}});
  const uint32_t laast = Aktivitet(tg, 7003, "Låst", 2, 10, {{3, 1}, {8, 1}});
  LaRecNr(laast)->PladsLaas = 1;
  const uint32_t arkiv = Aktivitet(tg, 7004, "Arkiv", 2, 10, {{5, 2}});
  LaRecNr(arkiv)->aktiv = 0;
  const uint32_t spaerret = Aktivitet(tg, 7005, "Spærret", 2, 10, {{1, 2}});
  for (uint32_t k : {1u, 2u, 5u, 6u, 9u, 10u}) Spaer(tg, spaerret, k);
  const uint32_t ingen = Aktivitet(tg, 7006, "Ingen vej", 2, 10, {{1, 2}});
  for (uint32_t k : {1u, 3u, 5u, 7u, 9u, 11u}) Spaer(tg, ingen, k);
  const uint32_t tom = Aktivitet(tg, 7007, "Tom", 2, 10, {});
  Vis(tg);
  memset(ws->PlanGitter.Raekke(A(tom)), 0, 13);  // the build's default block taken off
  std::vector<uint32_t> g1(13), g2(13);
  SlotGrupper(ws, g1.data(), g2.data());
  std::vector<uint8_t> veje(ALTERNATIVER_MAKS * 13);
  auto en_af = [&](uint32_t la, const std::vector<uint32_t> &g) {
    const std::string raekke = Raekke(ws->PlanGitter, A(la));
    const uint32_t n = LavAlternativer(ws, A(la), g.data(), veje.data());
    for (uint32_t i = 0; i < n; ++i) {
      std::string v;
      for (uint32_t c = 1; c <= 12; ++c) v += static_cast<char>('0' + veje[i * 13 + c]);
      if (v == raekke) return true;
    }
    return false;
  };
  const std::string laastRaekke = Plan(laast);
  std::set<std::string> set;
  for (int koersel = 0; koersel < 20; ++koersel) {
    SCOPED_TRACE(koersel);
    AutoPlacerLa(ws);
    EXPECT_TRUE(en_af(par, g1));
    EXPECT_TRUE(en_af(tre, g2)) << "no pair takes 3: the day does";
    EXPECT_EQ(Plan(laast), laastRaekke);
    EXPECT_EQ(Plan(arkiv), std::string(12, '0'));
    EXPECT_EQ(Plan(tom), std::string(12, '0'));
    EXPECT_TRUE(en_af(spaerret, g1));
    EXPECT_EQ(Plan(ingen), std::string(12, '0')) << "no way: no slots";
    set.insert(Plan(par));
  }
  EXPECT_GT(set.size(), 1u) << "chance picks among the ways";
}

TEST_F(ElevPlaceringAktiviteter, LoadsAreSpreadOverTheSlots) {
  // Four activities of one slot each on four slots of a week group: every
  // layout gives each its own slot, whatever chance picks.
  const uint32_t tg = UgeGruppe(501, 4);
  uint32_t la[4];
  for (uint32_t i = 0; i < 4; ++i) la[i] = Aktivitet(tg, 7001 + i, "A", 1, 5, {{1, 1}});
  Vis(tg);
  for (int koersel = 0; koersel < 20; ++koersel) {
    AutoPlacerLa(ws);
    std::set<uint32_t> slots;
    for (uint32_t l : la)
      for (uint32_t c = 1; c <= 4; ++c)
        if (ws->PlanGitter(A(l), c)) slots.insert(c);
    EXPECT_EQ(slots.size(), 4u) << koersel;
  }
}

// ---- One student ----

using ElevPlaceringElev = ElevPlaceringTest;

struct LaOpsaet {
  char Navn;
  std::vector<Blok> Blokke;
  uint32_t Vaegt = 2;
  uint32_t Maks = 5;
  uint32_t Placeret = 0;  // students on it already
  uint8_t Oenske = 1;     // the student's wish, 0 none
  char Dublet = 0;        // a duplicate of that activity
  bool Luk = false, Arkiv = false;
};

TEST_F(ElevPlaceringElev, ChoiceAsCases) {
  struct {
    const char *Navn;
    std::vector<LaOpsaet> La;
    int Metode;
    std::string Placeret;  // the activities he is placed on now
    uint32_t Total, P1, P2;
    std::vector<uint32_t> Spaerret = {};  // his blocked slots
    char Foer = 0;                        // placed there by hand before
  } const tilfaelde[] = {
      {"more lessons win over the priority",
       {{'A', {{1, 1}}, 2, 5, 0, 1}, {'B', {{1, 1}}, 3, 5, 0, 2}},
       2,
       "B",
       3,
       0,
       3},
      {"equal lessons: priority 1 wins",
       {{'A', {{1, 1}}, 2, 5, 0, 2}, {'B', {{1, 1}}, 2, 5, 0, 1}},
       2,
       "B",
       2,
       2,
       0},
      {"two that fit beat one heavier",
       {{'A', {{1, 2}}, 3}, {'B', {{1, 1}}, 2}, {'C', {{2, 1}}, 2}},
       2,
       "BC",
       4,
       4,
       0},
      {"equal lessons and kinds: more free places",
       {{'A', {{1, 1}}, 2, 5, 3}, {'B', {{1, 1}}, 2, 5, 0}},
       2,
       "B",
       2,
       2,
       0},
      {"the first stays when the other has no more room",
       {{'A', {{1, 1}}, 2, 5, 0}, {'B', {{1, 1}}, 2, 5, 3}},
       2,
       "A",
       2,
       2,
       0},
      // {P} records 4 free places; {Q, R} beats it and records R's 6, the
      // last member with more room (not Q's 9); {S} with 7 beats that.
      {"the last member with more room is recorded",
       {{'P', {{1, 2}}, 2, 10, 6},
        {'Q', {{1, 1}}, 1, 9, 0},
        {'R', {{2, 1}}, 1, 6, 0},
        {'S', {{1, 2}}, 2, 7, 0}},
       2,
       "S",
       2,
       2,
       0},
      {"mode 1 leaves a priority-2 wish", {{'A', {{1, 1}}, 2, 5, 0, 2}}, 1, "", 0, 0, 0},
      {"mode 2 takes it", {{'A', {{1, 1}}, 2, 5, 0, 2}}, 2, "A", 2, 0, 2},
      {"a head and its duplicate are never both given",
       {{'A', {{1, 1}}}, {'D', {{2, 1}}, 2, 5, 0, 0, 'A'}},
       2,
       "A",
       2,
       2,
       0},
      {"a full activity takes no one", {{'A', {{1, 1}}, 2, 2, 2}}, 2, "", 0, 0, 0},
      {"a closed activity takes no one", {{'A', {{1, 1}}, 2, 5, 0, 1, 0, true}}, 2, "", 0, 0, 0},
      {"an archived activity takes no one",
       {{'A', {{1, 1}}, 2, 5, 0, 1, 0, false, true}},
       2,
       "",
       0,
       0,
       0},
      {"not on a slot where he is blocked",
       {{'A', {{2, 1}}}, {'B', {{3, 1}}}},
       2,
       "B",
       2,
       2,
       0,
       {2}},
      {"never an activity he did not wish",
       {{'A', {{1, 1}}, 2, 5, 0, 0}, {'B', {{2, 1}}}},
       2,
       "B",
       2,
       2,
       0},
      {"nothing beside a slot he holds",
       {{'C', {{1, 1}}, 2, 5, 0, 0}, {'A', {{1, 1}}}, {'B', {{2, 1}}}},
       2,
       "CB",
       2,
       2,
       0,
       {},
       'C'},
      {"no candidate", {{'A', {{1, 1}}, 2, 5, 0, 0}}, 2, "", 0, 0, 0},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    TearDown();
    SetUp();
    pp.clear();
    const uint32_t tg = UgeGruppe(501, 4);
    const uint32_t elev = Elev(tg, 3001, "Ida");
    std::map<char, uint32_t> la;
    uint32_t id = 7001;
    for (const LaOpsaet &l : t.La) {
      la[l.Navn] = Aktivitet(tg, id++, "x", l.Vaegt, l.Maks, l.Blokke);
      LaRec *r = LaRecNr(la[l.Navn]);
      r->LukForNyeElever = l.Luk;
      if (l.Arkiv) r->aktiv = 0;
      if (l.Dublet) r->kopi_id = LaRecNr(la[l.Dublet])->id;
      if (l.Oenske) Oenske(tg, elev, la[l.Navn], l.Oenske);
    }
    for (uint32_t k : t.Spaerret) NyEb(tg, k, elev, pp[k - 1]);
    Vis(tg);
    for (const LaOpsaet &l : t.La) LaRecNr(la[l.Navn])->akt_prio_3 = l.Placeret;
    if (t.Foer) PlacerElevPaaLa(ws, la[t.Foer], elev, 3);

    uint32_t p1 = 0, p2 = 0, p3 = 0;
    EXPECT_EQ(PlacerElev(ws, elev, &p1, &p2, &p3, t.Metode), t.Total);
    std::string placeret;
    for (const LaOpsaet &l : t.La)
      if (ws->Placeringer(A(la[l.Navn]), S(elev)) == PLACERET) placeret += l.Navn;
    EXPECT_EQ(placeret, t.Placeret);
    EXPECT_EQ(p1, t.P1);
    EXPECT_EQ(p2, t.P2);
    EXPECT_EQ(p3, 0u);
    IngenDobbeltBooking();
  }
}

TEST_F(ElevPlaceringElev, OrderOfTheStudentsAsCases) {
  // X has room for one; who gets it is decided by the students' order.
  struct {
    const char *Navn;
    std::vector<std::pair<char, uint8_t>> Ida, Bo;  // wishes: activity, priority
    const char *Faar;
  } const tilfaelde[] = {
      {"the largest wished activity first", {{'X', 1}}, {{'X', 1}, {'Y', 1}}, "Bo"},
      {"and not the list order", {{'X', 1}, {'Y', 1}}, {{'X', 1}}, "Ida"},
      {"then fewer priority-1 lessons wished", {{'X', 1}, {'Z', 1}}, {{'X', 1}}, "Bo"},
      {"then fewer priority-2 lessons wished", {{'X', 1}, {'Z', 2}}, {{'X', 1}}, "Bo"},
      {"then the list order", {{'X', 1}}, {{'X', 1}}, "Ida"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    TearDown();
    SetUp();
    pp.clear();
    const uint32_t tg = UgeGruppe(501, 3);
    std::map<char, uint32_t> la = {{'X', Aktivitet(tg, 7001, "X", 2, 1, {{1, 1}})},
                                   {'Y', Aktivitet(tg, 7002, "Y", 5, 9, {{2, 1}})},
                                   {'Z', Aktivitet(tg, 7003, "Z", 2, 9, {{3, 1}})}};
    const uint32_t ida = Elev(tg, 3001, "Ida"), bo = Elev(tg, 3002, "Bo");
    for (auto [l, prio] : t.Ida) Oenske(tg, ida, la[l], prio);
    for (auto [l, prio] : t.Bo) Oenske(tg, bo, la[l], prio);
    Vis(tg);
    uint32_t p1 = 0, p2 = 0, p3 = 0;
    PlacerAlleElever(ws, &p1, &p2, &p3, METODE_PRIO12);
    const uint32_t x = A(la['X']);
    EXPECT_EQ(std::string(ws->Placeringer(x, S(ida)) ? "Ida" : "") +
                  (ws->Placeringer(x, S(bo)) ? "Bo" : ""),
              t.Faar);
    EXPECT_EQ(uint64_t(p1) + p2 + p3, PlaceredeLektioner());
  }
}

TEST_F(ElevPlaceringElev, SearchStopsAfterItsSteps) {
  // n activities on slots of their own, one more, heavy, on the first
  // one's slot. Below the step bound the search finds the heavy one; with
  // 18 before it the combinations that hold the first run past the bound,
  // and the search never comes to it.
  for (uint32_t n : {10u, 18u}) {
    SCOPED_TRACE(n);
    TearDown();
    SetUp();
    pp.clear();
    const uint32_t tg = UgeGruppe(501, n);
    const uint32_t elev = Elev(tg, 3001, "Ida");
    for (uint32_t i = 1; i <= n; ++i)
      Oenske(tg, elev, Aktivitet(tg, 7000 + i, "x", 1, 5, {{i, 1}}), 1);
    const uint32_t tung = Aktivitet(tg, 8000, "Tung", 100, 5, {{1, 1}});
    Oenske(tg, elev, tung, 1);
    Vis(tg);
    uint32_t p1 = 0, p2 = 0, p3 = 0;
    const uint32_t total = PlacerElev(ws, elev, &p1, &p2, &p3, METODE_PRIO12);
    if (n == 10) {
      EXPECT_EQ(total, 109u);
      EXPECT_EQ(ws->Placeringer(A(tung), S(elev)), PLACERET);
    } else {
      EXPECT_EQ(total, n);
      EXPECT_EQ(ws->Placeringer(A(tung), S(elev)), 0);
    }
    EXPECT_EQ(p1, total);
  }
}

// ---- The runs ----

using ElevPlaceringKoersel = ElevPlaceringTest;

// What the progress callback saw: each run's number and whether it became
// the best, with the plan and placements of each new best.
struct Fremdrift {
  std::vector<uint32_t> Nr;
  std::vector<int> Tegn;
  std::vector<uint64_t> Lektioner;
  std::string BedstePlan, BedstePlaceringer;
  std::set<std::string> Planer;
  std::function<void(ElevPlanWS *)> Hver;
};
Fremdrift *gFremdrift = nullptr;

void FremdriftTegn(ElevPlanWS *ws, int tegn) {
  Fremdrift &f = *gFremdrift;
  EXPECT_TRUE(ws->SimuleringKoerer);
  f.Nr.push_back(ws->SimuleringNr);
  f.Tegn.push_back(tegn);
  uint64_t n = 0;
  for (uint32_t a = 1; a <= ws->LaAntal; ++a)
    for (uint32_t s = 1; s <= ws->ElevAntal; ++s)
      if (ws->Placeringer(a, s) == PLACERET) n += ws->LaLektioner[a];
  f.Lektioner.push_back(n);
  f.Planer.insert(Alle(ws->PlanGitter));
  if (tegn == ELEVPLAN_TEGN_ALT) {
    f.BedstePlan = Alle(ws->PlanGitter);
    f.BedstePlaceringer = Alle(ws->Placeringer);
  }
  if (f.Hver) f.Hver(ws);
}

class ElevPlaceringKoerselTest : public ElevPlaceringTest {
 protected:
  Fremdrift fremdrift;
  uint32_t tg = 0, andenTg = 0;
  std::vector<uint32_t> la, elever;

  void SetUp() override {
    ElevPlaceringTest::SetUp();
    gFremdrift = &fremdrift;
  }
  void TearDown() override {
    gFremdrift = nullptr;
    ElevPlaceringTest::TearDown();
  }

  // Two days of four lessons, divisor 2: five activities of one pair and
  // one of two pairs, room for three each; eight students with two or
  // three wishes each.
  void LavGruppe() {
    tg = LektionsGruppe(501, {0, 0, 0, 0, 1, 1, 1, 1}, 2);
    andenTg = NyGruppe(502, 'L', 1);
    const char *navne[] = {"A", "B", "C", "D", "E"};
    for (uint32_t i = 0; i < 5; ++i)
      la.push_back(Aktivitet(tg, 7001 + i, navne[i], 2, 3, {{1 + 2 * (i % 4), 2}}));
    la.push_back(Aktivitet(tg, 7006, "F", 4, 3, {{1, 2}, {5, 2}}));
    const char *elevNavne[] = {"Ida", "Bo", "Al", "Eva", "Kim", "Liv", "Ole", "Pia"};
    for (uint32_t i = 0; i < 8; ++i) elever.push_back(Elev(tg, 3001 + i, elevNavne[i]));
    for (uint32_t i = 0; i < 8; ++i) {
      Oenske(tg, elever[i], la[i % 6], 1);
      Oenske(tg, elever[i], la[(i + 2) % 6], 1);
      if (i % 2) Oenske(tg, elever[i], la[(i + 3) % 6], 2);
    }
    Vis(tg);
    ws->SimuleringTegn = FremdriftTegn;
    Cursor(la[0], 1);
  }

  int CtrlK(int mode = 2) {
    int tegn = 0;
    return ElevPlanKommando(ws, 'K', 0, -1, 0, 0, mode, &tegn);
  }

  // Dialog 151 answered with the typed text and the method's radio button
  // (0 leaves it as it is), then OK or Cancel.
  static void Svar(const char *tekst, int metode, int knap = IDOK) {
    tavo::test::AnswerNextDialog([=](const tavo::test::ShownDialog &d) {
      SetDlgItemTextA(d.hwnd, IDC_SIM_ANTAL, tekst);
      if (metode) SendMessageA(GetDlgItem(d.hwnd, metode), BM_CLICK, 0, 0);
      SendMessageA(d.hwnd, WM_COMMAND, knap, 0);
      return INT_PTR{0};
    });
  }
};

TEST_F(ElevPlaceringKoerselTest, ZeroRunsOrNoDigitsChangeNothing) {
  LavGruppe();
  PlacerElevPaaLa(ws, la[0], elever[0], 1);
  const std::string plan = Alle(ws->PlanGitter), placeringer = Alle(ws->Placeringer);
  for (const char *tekst : {"0", "ingen", ""}) {
    SCOPED_TRACE(tekst);
    ws->AntalSimuleringer = 7;
    Svar(tekst, IDC_SIM_KUN_PRIO1);
    EXPECT_EQ(CtrlK(), 1);
    EXPECT_EQ(ws->AntalSimuleringer, 0u);
    EXPECT_EQ(ws->PlaceringsMetode, METODE_KUN_PRIO1);
    EXPECT_EQ(Alle(ws->PlanGitter), plan);
    EXPECT_EQ(Alle(ws->Placeringer), placeringer);
  }
  EXPECT_TRUE(fremdrift.Nr.empty());
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
}

TEST_F(ElevPlaceringKoerselTest, KeptStudentsAndLockedPlacesSurviveTwentyRuns) {
  LavGruppe();
  const uint32_t behold = la[1], laast = la[5];
  LaRecNr(behold)->BeholdElever = LaRecNr(behold)->PladsLaas = 1;
  LaRecNr(laast)->PladsLaas = 1;
  PlacerElevPaaLa(ws, behold, elever[1], 1);
  PlacerElevPaaLa(ws, behold, elever[6], 3);  // no wish for it
  const std::string beholdRaekke = Plan(behold), laastRaekke = Plan(laast);
  fremdrift.Hver = [&](ElevPlanWS *) {
    EXPECT_EQ(ws->Placeringer(A(behold), S(elever[1])), PLACERET);
    EXPECT_EQ(ws->Placeringer(A(behold), S(elever[6])), PLACERET);
    EXPECT_EQ(Plan(behold), beholdRaekke);
    EXPECT_EQ(Plan(laast), laastRaekke);
    IngenDobbeltBooking();
  };
  ws->AntalSimuleringer = 20;
  KoerSimuleringer(ws);
  ASSERT_EQ(fremdrift.Nr.size(), 20u);
  fremdrift.Hver(ws);
  EXPECT_GE(+LaRecNr(behold)->akt_prio_3, 1u);
  EXPECT_GT(fremdrift.Planer.size(), 1u) << "the other activities move";
  EXPECT_FALSE(ws->SimuleringKoerer);
}

TEST_F(ElevPlaceringKoerselTest, LockedGroupAndMissingPartsAreRefused) {
  LavGruppe();
  TgRecNr(tg)->Laast = TgRecNr(tg)->ExportLaast = 1;
  EXPECT_EQ(CtrlK(1), 0);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty()) << "asking shows nothing";
  EXPECT_EQ(CtrlK(2), 0);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Kommando ikke udført");
  EXPECT_EQ(bokse[0].text,
            "Tilmeldingsgruppen er låst for redigering.\nTilmeldingsgruppen er blevet eksporteret "
            "til ElevPlan!");
  TgRecNr(tg)->Laast = TgRecNr(tg)->ExportLaast = 0;

  EXPECT_EQ(CtrlK(1), 1);
  int tegn = 0;
  EXPECT_EQ(ElevPlanKommando(ws, 'K', 0, 0, 0, 0, 1, &tegn), 0) << "only with Ctrl";
  EXPECT_EQ(AutoPlacering(ws, tg, la[0], 0, 1), 0);
  EXPECT_EQ(AutoPlacering(ws, 0, la[0], -1, 1), 0);
  EXPECT_EQ(AutoPlacering(ws, tg, 0, -1, 1), 0);
  EXPECT_TRUE(fremdrift.Nr.empty());
}

TEST_F(ElevPlaceringKoerselTest, KeptStudentIsMarkedBusyWhereTheNewPlanMeetsHim) {
  // K keeps Ida on slot 1; X, barred from slot 2, can only come to slot 1.
  tg = UgeGruppe(501, 2);
  const uint32_t k = Aktivitet(tg, 7001, "K", 1, 5, {{1, 1}});
  LaRecNr(k)->BeholdElever = LaRecNr(k)->PladsLaas = 1;
  const uint32_t x = Aktivitet(tg, 7002, "X", 1, 5, {{2, 1}});
  Spaer(tg, x, 2);
  const uint32_t ida = Elev(tg, 3001, "Ida");
  Oenske(tg, ida, x, 1);
  Vis(tg);
  PlacerElevPaaLa(ws, k, ida, 3);
  ASSERT_EQ(ws->Markeringer(A(x), S(ida)), 0);
  // After the run, as after the replay of the best.
  ws->SimuleringTegn = FremdriftTegn;
  fremdrift.Hver = [&](ElevPlanWS *) {
    EXPECT_EQ(ws->Markeringer(A(x), S(ida)), MARKERET_OVERLAP);
    IngenDobbeltBooking();
  };
  ws->AntalSimuleringer = 1;
  KoerSimuleringer(ws);
  ASSERT_EQ(fremdrift.Nr.size(), 1u);
  EXPECT_EQ(Plan(x), "10");
  EXPECT_EQ(ws->Placeringer(A(k), S(ida)), PLACERET);
  EXPECT_EQ(ws->Placeringer(A(x), S(ida)), 0);
  EXPECT_EQ(ws->Markeringer(A(x), S(ida)), MARKERET_OVERLAP);
  IngenDobbeltBooking();
}

TEST_F(ElevPlaceringKoerselTest, EveryRunStartsFromTheStudentsKeptBeforeTheCommand) {
  // K keeps its students and has room for two; Z sits beside it with the
  // same loads, so that chance lays Y on K's slot or on Z's. Cy wants K and
  // the heavier Y, Bo only K, Dan and Eli Z. Each run places Bo on K, Dan
  // and Eli on Z, and Cy on Y alone (Y on K's slot: 5 lessons) or on K and
  // Y (6 lessons). Were the students of one run kept for the next, K would
  // fill with the earlier runs' choices, the runs would place less and the
  // replay would not be the best run's plan.
  tg = UgeGruppe(501, 2);
  const uint32_t k = Aktivitet(tg, 7001, "K", 1, 2, {{1, 1}});
  LaRecNr(k)->BeholdElever = LaRecNr(k)->PladsLaas = 1;
  const uint32_t z = Aktivitet(tg, 7002, "Z", 1, 2, {{2, 1}});
  LaRecNr(z)->PladsLaas = 1;
  const uint32_t y = Aktivitet(tg, 7003, "Y", 2, 5, {{2, 1}});
  const uint32_t cy = Elev(tg, 3001, "Cy"), bo = Elev(tg, 3002, "Bo");
  const uint32_t dan = Elev(tg, 3003, "Dan"), eli = Elev(tg, 3004, "Eli");
  Oenske(tg, cy, k, 1);
  Oenske(tg, cy, y, 1);
  Oenske(tg, bo, k, 1);
  Oenske(tg, dan, z, 1);
  Oenske(tg, eli, z, 1);
  Vis(tg);
  ws->SimuleringTegn = FremdriftTegn;
  fremdrift.Hver = [&](ElevPlanWS *) {
    EXPECT_EQ(fremdrift.Lektioner.back(), Plan(y) == "10" ? 5u : 6u) << Plan(y);
  };
  ws->AntalSimuleringer = 12;
  KoerSimuleringer(ws);
  ASSERT_EQ(fremdrift.Planer.size(), 2u) << "Y lay on both slots";
  EXPECT_EQ(Plan(y), "01");
  EXPECT_EQ(Alle(ws->PlanGitter), fremdrift.BedstePlan);
  EXPECT_EQ(Alle(ws->Placeringer), fremdrift.BedstePlaceringer);
  EXPECT_EQ(PlaceredeLektioner(), 6u);
}

// ---- Through the keys ----

using ElevPlaceringTaster = ElevPlaceringKoerselTest;

TEST_F(ElevPlaceringTaster, CtrlKRunsKeepsTheBestAndSavesIt) {
  LavGruppe();
  ws->PlaceringsMetode = METODE_KUN_PRIO1;
  std::string start;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
    EXPECT_EQ(d.caption, "Automatisk placering");
    start = d.Control(IDC_SIM_ANTAL)->text + "/" +
            std::to_string(d.Control(IDC_SIM_KUN_PRIO1)->checked) +
            std::to_string(d.Control(IDC_SIM_PRIO12)->checked);
    SetDlgItemTextA(d.hwnd, IDC_SIM_ANTAL, "30");
    SendMessageA(GetDlgItem(d.hwnd, IDC_SIM_PRIO12), BM_CLICK, 0, 0);
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return INT_PTR{0};
  });
  int tegn = 0;
  ASSERT_EQ(ElevPlanKommando(ws, 'K', 0, -1, 0, 0, 2, &tegn), 1);
  EXPECT_EQ(tegn, ELEVPLAN_TEGN_ALT);
  EXPECT_EQ(start, "100/10") << "the number and method as they stood";
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  EXPECT_EQ(ws->AntalSimuleringer, 30u);
  EXPECT_EQ(ws->PlaceringsMetode, METODE_PRIO12);
  EXPECT_FALSE(ws->SimuleringKoerer);
  EXPECT_TRUE(ws->PlanAendret);

  std::vector<uint32_t> nr(30);
  for (uint32_t i = 0; i < 30; ++i) nr[i] = i + 1;
  EXPECT_EQ(fremdrift.Nr, nr);
  EXPECT_EQ(fremdrift.Tegn[0], ELEVPLAN_TEGN_ALT) << "the first run is the best so far";
  // The plan shown is the last new best's, and no run placed more lessons.
  EXPECT_EQ(Alle(ws->PlanGitter), fremdrift.BedstePlan);
  EXPECT_EQ(Alle(ws->Placeringer), fremdrift.BedstePlaceringer);
  const uint64_t bedst = PlaceredeLektioner();
  for (uint64_t n : fremdrift.Lektioner) EXPECT_LE(n, bedst);
  EXPECT_GT(fremdrift.Planer.size(), 1u);
  IngenDobbeltBooking();

  // Leaving the group writes the plan back; read back, it is the same.
  const std::string plan = Alle(ws->PlanGitter), placeringer = Alle(ws->Placeringer);
  Vis(andenTg);
  Genstart(tg);
  EXPECT_EQ(Alle(ws->PlanGitter), plan);
  EXPECT_EQ(Alle(ws->Placeringer), placeringer);
}

TEST_F(ElevPlaceringTaster, CancelChangesNothing) {
  LavGruppe();
  const std::string plan = Alle(ws->PlanGitter), placeringer = Alle(ws->Placeringer);
  Svar("5", IDC_SIM_KUN_PRIO1, IDCANCEL);
  EXPECT_EQ(CtrlK(), 1);
  EXPECT_EQ(ws->AntalSimuleringer, 100u);
  EXPECT_EQ(ws->PlaceringsMetode, METODE_PRIO12);
  EXPECT_FALSE(ws->PlanAendret);
  EXPECT_EQ(Alle(ws->PlanGitter), plan);
  EXPECT_EQ(Alle(ws->Placeringer), placeringer);
  EXPECT_TRUE(fremdrift.Nr.empty());
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
}

// Ctrl+K without runs changes nothing: the group's records keep their ids
// (those Elevplan gave) when the group is left.
TEST_F(ElevPlaceringTaster, NoRunsKeepTheRecordsAndTheirIds) {
  const auto ider = [](const TabVar &tv, auto rec, uint32_t gruppe) {
    std::vector<uint32_t> v;
    for (uint32_t r = 1; r < tv.wRecCnt; ++r)
      if (ElevTabAktiv(rec(r)->Status) && rec(r)->tg_id == gruppe) v.push_back(rec(r)->id);
    return v;
  };
  LavGruppe();
  const std::vector<uint32_t> lap = ider(tvlap, LapRecNr, tg), ev = ider(tvev, EvRecNr, tg);
  ASSERT_FALSE(lap.empty());
  const std::string plan = Alle(ws->PlanGitter), placeringer = Alle(ws->Placeringer);
  Svar("0", 0);
  EXPECT_EQ(CtrlK(), 1);
  EXPECT_EQ(Alle(ws->PlanGitter), plan);
  EXPECT_EQ(Alle(ws->Placeringer), placeringer);
  EXPECT_FALSE(ws->PlanAendret);
  EXPECT_FALSE(ws->PlaceringAendret);
  Vis(andenTg);
  EXPECT_EQ(ider(tvlap, LapRecNr, tg), lap);
  EXPECT_EQ(ider(tvev, EvRecNr, tg), ev);
}

// ---- Dialog 151 ----

TEST_F(ElevPlaceringTest, DialogNumberAndMethodAsCases) {
  struct {
    const char *Tekst;
    int Knap;  // radio clicked, 0 none
    uint32_t Antal;
    uint8_t KunPrio1, Prio12;
  } const tilfaelde[] = {
      {"30", IDC_SIM_PRIO12, 30, 0, 1},
      {"5", IDC_SIM_KUN_PRIO1, 5, 1, 0},
      {"", 0, 0, 0, 1},
      {"abc", 0, 0, 0, 1},
      {"  12 kørsler", 0, 12, 0, 1},
      {"+7", 0, 7, 0, 1},
      {"-4", 0, 0, 0, 1},
      {"4294967295", 0, 4294967295u, 0, 1},
      {"4294967296", 0, 4294967295u, 0, 1},
      {"99999999999999999999999", 0, 4294967295u, 0, 1},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Tekst);
    SimuleringValg v{100, 0, 1};
    tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
      SetDlgItemTextA(d.hwnd, IDC_SIM_ANTAL, t.Tekst);
      if (t.Knap) SendMessageA(GetDlgItem(d.hwnd, t.Knap), BM_CLICK, 0, 0);
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return INT_PTR{0};
    });
    EXPECT_EQ(VisSimuleringDialog(0, &v), 1);
    EXPECT_EQ(v.Antal, t.Antal);
    EXPECT_EQ(v.KunPrio1, t.KunPrio1);
    EXPECT_EQ(v.Prio12, t.Prio12);
  }

  // What it shows, and Cancel hands nothing back.
  SimuleringValg v{7, 1, 0};
  tavo::test::ShownDialog vist;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
    vist = d;
    SetDlgItemTextA(d.hwnd, IDC_SIM_ANTAL, "9");
    SendMessageA(d.hwnd, WM_COMMAND, IDCANCEL, 0);
    return INT_PTR{0};
  });
  EXPECT_EQ(VisSimuleringDialog(0, &v), 2);
  EXPECT_EQ(v.Antal, 7u);
  EXPECT_EQ(v.KunPrio1, 1);
  EXPECT_EQ(vist.Control(IDC_SIM_ANTAL)->text, "7");
  EXPECT_EQ(vist.Control(IDC_SIM_KUN_PRIO1)->text, "Kun 1. prioritet");
  EXPECT_EQ(vist.Control(IDC_SIM_KUN_PRIO1)->checked, 1);
  EXPECT_EQ(vist.Control(IDC_SIM_PRIO12)->text, "1. + 2. prioritet");
  EXPECT_EQ(vist.Control(IDC_SIM_PRIO12)->checked, 0);
  for (const char *tekst :
       {"Vælg metode", "Angiv antal simuleringer", "Antal aktivitetsplaceringer"})
    EXPECT_NE(vist.ControlByText(tekst), nullptr) << tekst;
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
}

// ---- The same plan at every start ----

constexpr const char *kBarnMappe = "TAVO_ELEVPLACERING_MAPPE";

using ElevPlaceringDeterminisme = ElevPlaceringKoerselTest;

// Run as a program of its own by the test below: the data folder named in
// the environment, Ctrl+K with 50 runs, and the group left (written back).
TEST_F(ElevPlaceringDeterminisme, Barn) {
  const char *mappe = getenv(kBarnMappe);
  if (mappe == nullptr) GTEST_SKIP() << "started by TwoProgramStartsWriteTheSameFiles";
  snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s\\", mappe);
  InitStiTab();
  LaesElevTabeller();
  const uint32_t g = FindElevRec(&tdtg, &tvtg, 501), anden = FindElevRec(&tdtg, &tvtg, 502);
  Vis(g);
  Cursor(ws->LaTab[1], 1);
  Svar("50", IDC_SIM_PRIO12);
  ASSERT_EQ(CtrlK(), 1);
  ASSERT_EQ(ws->SimuleringNr, 51u);
  Vis(anden);
}

TEST_F(ElevPlaceringDeterminisme, TwoProgramStartsWriteTheSameFiles) {
  LavGruppe();
  GemElevTabeller();
  namespace fs = std::filesystem;
  const fs::path mapper[2] = {rod.string() + "-1", rod.string() + "-2"};
  for (const fs::path &m : mapper) {
    fs::remove_all(m);
    fs::copy(rod, m, fs::copy_options::recursive);
  }
  for (const fs::path &m : mapper) {
    const std::string miljoe = std::string(kBarnMappe) + "=" + m.string();
    std::vector<char *> env;
    for (char **e = environ; *e; ++e) env.push_back(*e);
    env.push_back(const_cast<char *>(miljoe.c_str()));
    env.push_back(nullptr);
    std::string filter = "--gtest_filter=ElevPlaceringDeterminisme.Barn";
    std::string prog = "/proc/self/exe";
    char *argv[] = {prog.data(), filter.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, prog.c_str(), nullptr, nullptr, argv, env.data()), 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << m;
  }
  auto laes = [](const fs::path &f) {
    std::ifstream i(f, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  };
  for (const char *fil : {"lap.DAT", "ev.DAT"}) {
    SCOPED_TRACE(fil);
    const std::string en = laes(mapper[0] / "data" / fil), to = laes(mapper[1] / "data" / fil);
    EXPECT_FALSE(en.empty());
    EXPECT_EQ(en, to);
    EXPECT_NE(en, laes(rod / "data" / fil)) << "the runs changed the plan";
  }
  for (const fs::path &m : mapper) fs::remove_all(m);
}

}  // namespace
