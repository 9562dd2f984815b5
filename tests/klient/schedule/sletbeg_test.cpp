// Deleting events: what happens to the rows and the three change counters
// by status bits, owner and change letter; removing an event for good
// before it is written again; and the resend of the schedule through the
// hooks the schedule fills.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "KROGE.h"
#include "ADDBEG.h"
#include "BEGKROGE.h"
#include "SLETBEG.h"
#include "TIMOAK.h"
#include "beg_fixture.h"
#include "windows.h"

namespace {

using namespace begtest;

using Taellere = std::array<uint32_t, 3>;  // new, deleted, changed

Taellere Nu() {
  return {AendringsTaellere[AENDRING_NYE_BEGIVENHEDER], AendringsTaellere[AENDRING_SLETTEDE_BEGIVENHEDER],
          AendringsTaellere[AENDRING_RETTEDE_BEGIVENHEDER]};
}

void Saet(const Taellere &t) {
  AendringsTaellere[AENDRING_NYE_BEGIVENHEDER] = t[0];
  AendringsTaellere[AENDRING_SLETTEDE_BEGIVENHEDER] = t[1];
  AendringsTaellere[AENDRING_RETTEDE_BEGIVENHEDER] = t[2];
}

class SletBegivenhedTest : public BegMappe {};

constexpr uint32_t E = SKE_EGEN, K = SKE_KENDT, D = SKE_SLETTET, P = SKE_AENDRING, U = SKE_UROERT,
                   A = SKE_AUTOSKEMA;

TEST_F(SletBegivenhedTest, RowsCountersAndResultByStatusOwnerAndLetter) {
  struct Raekke2 {
    uint32_t status;
    uint8_t fejl;
  };
  struct {
    const char *navn;
    Raekke2 foer[2];
    uint8_t ejer;
    Taellere taellereFoer;
    int gange;  // deletions in a row; the result is the last one's
    Raekke2 efter[2];
    Taellere taellereEfter;
    uint8_t resultat;
  } const tilfaelde[] = {
      {"own, never sent: freed, no longer new", {{E, 0}, {E, 0}}, kEgen, {2, 0, 0}, 1, {{0, 0}, {0, 0}}, {1, 0, 0}, 1},
      {"own, never sent, new count at 0 stays 0", {{E, 0}, {E, 0}}, kEgen, {0, 0, 0}, 1, {{0, 0}, {0, 0}}, {0, 0, 0}, 1},
      {"own, known to the server: marked, counted deleted",
       {{E | K, 0}, {E | K, 0}}, kEgen, {0, 0, 0}, 1, {{E | K | D, 0}, {E | K | D, 0}}, {0, 1, 0}, 1},
      {"own, known to the server, deleted a second time",
       {{E | K, 0}, {E | K, 0}}, kEgen, {0, 0, 0}, 2, {{E | K | D, 0}, {E | K | D, 0}}, {0, 1, 0}, 0},
      {"pending change '?': only the mark goes",
       {{E | K | P, '?'}, {E | K, 0}}, kEgen, {0, 0, 3}, 1, {{E | K, 0}, {E | K, 0}}, {0, 0, 2}, 0},
      {"pending change '=' with the changed count at 0",
       {{E | P, '='}, {E, 0}}, kEgen, {1, 0, 0}, 1, {{E, 0}, {E, 0}}, {1, 0, 0}, 0},
      {"pending change 'A' withdrawn, then the event deleted",
       {{E | K | P, 'A'}, {E | K, 0}}, kEgen, {0, 0, 1}, 2, {{E | K | D, 0}, {E | K | D, 0}}, {0, 1, 0}, 1},
      {"bit 4 with another letter is no pending change",
       {{E | P, 'x'}, {E, 0}}, kEgen, {1, 0, 1}, 1, {{0, 'x'}, {0, 0}}, {0, 0, 1}, 1},
      {"another installation's event known to the server: freed, counters alone",
       {{E | K, 0}, {E | K, 0}}, 9, {1, 1, 1}, 1, {{0, 0}, {0, 0}}, {1, 1, 1}, 1},
      {"another installation's rows with change letters",
       {{E | K, '@'}, {E, '='}}, 9, {1, 1, 5}, 1, {{0, '@'}, {0, '='}}, {1, 1, 3}, 1},
      {"own with a change letter: changed, not new",
       {{E, '@'}, {E, 0}}, kEgen, {1, 0, 1}, 1, {{0, '@'}, {0, 0}}, {1, 0, 0}, 1},
      {"own automatic-schedule event is not counted new",
       {{E | A, 0}, {E | A, 0}}, kEgen, {1, 0, 0}, 1, {{0, 0}, {0, 0}}, {1, 0, 0}, 1},
      {"deleted already", {{E | D, 0}, {E | D, 0}}, kEgen, {1, 1, 1}, 1, {{E | D, 0}, {E | D, 0}}, {1, 1, 1}, 0},
      {"a row deletion leaves alone", {{E | U, 0}, {E, 0}}, kEgen, {1, 1, 1}, 1, {{E | U, 0}, {E, 0}}, {1, 1, 1}, 0},
      {"own, only the first row known: the rest freed",
       {{E | K, 0}, {E, 0}}, kEgen, {0, 0, 0}, 1, {{E | K | D, 0}, {0, 0}}, {0, 1, 0}, 1},
      {"a freed first row is no event", {{0, 0}, {E, 0}}, kEgen, {1, 1, 1}, 1, {{0, 0}, {E, 0}}, {1, 1, 1}, 0},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    TomSkemabeg();
    const uint32_t andet = SkrivRaekker({{akti[2]}}, {.id = 1});
    const uint32_t forste =
        SkrivRaekker({{.akti = akti[0], .anfo = anfo[0], .rol = laerer}, {.loka = loka[0]}}, {.id = 2, .ejer = t.ejer});
    for (int i = 0; i < 2; ++i) {
      Raekke(forste + i)->Status = t.foer[i].status;
      Raekke(forste + i)->Fejl = t.foer[i].fejl;
    }
    Saet(t.taellereFoer);
    uint8_t resultat = 0;
    for (int g = 0; g < t.gange; ++g) resultat = SletBegivenhed(kAar, kUge, forste);
    EXPECT_EQ(resultat, t.resultat);
    for (int i = 0; i < 2; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(+Raekke(forste + i)->Status, t.efter[i].status);
      EXPECT_EQ(+Raekke(forste + i)->Fejl, t.efter[i].fejl);
      EXPECT_EQ(+Raekke(forste + i)->Forste, forste);  // freed rows keep their place
      EXPECT_EQ(+Raekke(forste + i)->anfo_id, i == 0 ? anfo[0] : 0);
    }
    EXPECT_EQ(Nu(), t.taellereEfter);
    EXPECT_EQ(+Raekke(andet)->Status, uint32_t{SKE_EGEN});
    EXPECT_EQ(BegBucket(kAar, kUge)->wRecCnt, forste + 2);
  }
}

TEST_F(SletBegivenhedTest, AnAddressThatNamesNoEventChangesNothing) {
  const uint32_t forste = SkrivRaekker({{akti[0]}, {.loka = loka[0]}}, {});
  Saet({1, 1, 1});
  for (uint32_t r : {0u, forste + 1, forste + 2, 0xFFFFFFFFu}) {
    SCOPED_TRACE(r);
    EXPECT_EQ(SletBegivenhed(kAar, kUge, r), 0);
    EXPECT_EQ(SletBegivenhedEndeligt(kAar, kUge, r), 0);
  }
  EXPECT_EQ(SletBegivenhed(kAar, 0, forste), 0);
  EXPECT_EQ(SletBegivenhed(kAar, kUge + 1, 1), 0);
  EXPECT_EQ(+Raekke(forste)->Status, uint32_t{SKE_EGEN});
  EXPECT_EQ(+Raekke(forste + 1)->Status, uint32_t{SKE_EGEN});
  EXPECT_EQ(Nu(), (Taellere{1, 1, 1}));
}

TEST_F(SletBegivenhedTest, RemovingForGoodDeletesAnEventWhoseChangeWasWithdrawn) {
  struct {
    const char *navn;
    uint32_t status;
    uint8_t fejl;
    uint32_t efter;
    Taellere taellere;
  } const tilfaelde[] = {
      {"sent, with a pending change", E | K | P, '?', E | K | D, {1, 1, 0}},
      {"new, with a pending change", E | P, '=', 0, {0, 0, 0}},
      {"sent, nothing pending", E | K, 0, E | K | D, {1, 1, 1}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    TomSkemabeg();
    const uint32_t forste = SkrivRaekker({{akti[0]}, {.loka = loka[0]}}, {});
    Raekke(forste)->Status = t.status;
    Raekke(forste)->Fejl = t.fejl;
    Raekke(forste + 1)->Status = t.status & ~P;
    Saet({1, 0, 1});
    EXPECT_EQ(SletBegivenhedEndeligt(kAar, kUge, forste), 1);
    EXPECT_EQ(+Raekke(forste)->Status, t.efter);
    EXPECT_EQ(+Raekke(forste)->Fejl, 0);
    EXPECT_EQ(+Raekke(forste + 1)->Status, t.efter & ~P);
    EXPECT_EQ(Nu(), t.taellere);
  }
}

TEST_F(SletBegivenhedTest, TheEventStatusPaneIsRepaintedWhenThereIsOne) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "SletBegRude";
  RegisterClassA(&wc);
  HWND rude = CreateWindowExA(0, "SletBegRude", "", WS_POPUP | WS_VISIBLE, 0, 0, 24, 20, 0, 0, 0, nullptr);
  ASSERT_NE(rude, HWND{0});
  ValidateRect(rude, nullptr);
  hwndEksportStatus = rude;
  EXPECT_EQ(SletBegivenhed(kAar, kUge, 0), 0);  // also when nothing was deleted
  EXPECT_TRUE(GetUpdateRect(rude, nullptr, FALSE));
  hwndEksportStatus = 0;
  DestroyWindow(rude);
  EXPECT_EQ(SletBegivenhed(kAar, kUge, 0), 0);  // no pane: nothing to repaint
}

// ---- The resend through the filled hooks ----

class GensendTest : public BegMappe {
 protected:
  void SetUp() override {
    BegMappe::SetUp();
    GensendKrog = {};
    InstallerBegivenhedsKroge();
  }
  void TearDown() override {
    GensendKrog = {};
    BegMappe::TearDown();
  }

  // The first rows of the live events of the week.
  static std::vector<uint32_t> Levende(uint8_t uge = kUge) {
    std::vector<uint32_t> v;
    const TabVar *b = BegBucket(kAar, uge);
    for (uint32_t r = 1; r < b->wRecCnt; ++r)
      if (SkeRaekkeLever(Raekke(r, kAar, uge)->Status) && Raekke(r, kAar, uge)->Forste == r) v.push_back(r);
    return v;
  }

  // An own event of an activity, two employees and a room, written with the
  // status given.
  uint32_t Begivenhed(uint32_t status, uint8_t dag = 3) {
    Faelles f{.id = 42, .status = status, .skfa = skfa, .dag = dag, .start = 1015, .slut = 1145, .std = 2};
    const uint32_t forste = SkrivRaekker({{.akti = akti[0], .anfo = anfo[0], .rol = laerer, .minut = 45},
                                          {.anfo = anfo[1], .rol = laerer, .minut = 90},
                                          {.loka = loka[2], .lokrolle = 6}},
                                         f);
    for (uint32_t r = forste; r < forste + 3; ++r) {
      Raekke(r)->opdtid = 20241001101500.0;
      memcpy(Raekke(r)->AEndret_af, "BRUGER", 7);
    }
    return forste;
  }

  // The event as it is before the resend, to compare with after.
  void Foer(uint32_t gammel) { HentAVS(kAar, kUge, gammel, &avs, false); }

  void SammeBegivenhed(uint32_t ny) {
    HentAVS(kAar, kUge, ny, &avs2, false);
    ErLig(avs, avs2, false);
    EXPECT_EQ(+avs2.Ejer, kEgen);
    const SkeRec s = *Raekke(ny);
    EXPECT_EQ(+s.Status, uint32_t{SKE_EGEN | SKE_MAERKE2});  // a new own event, changed by a user
    EXPECT_EQ(+s.opdtid, 20241001101500.0);
    EXPECT_STREQ(s.AEndret_af, "BRUGER");
  }
};

TEST_F(GensendTest, AnEventTheServerKnowsIsMarkedDeletedAndWrittenAgain) {
  const uint32_t gammel = Begivenhed(E | K);
  Foer(gammel);
  ASSERT_EQ(RetSkemaForGensend(20240801, 1), 1);
  const std::vector<uint32_t> levende = Levende();
  ASSERT_EQ(levende.size(), 1u);
  EXPECT_GT(levende[0], gammel);
  for (uint32_t r = gammel; r < gammel + 3; ++r) EXPECT_EQ(+Raekke(r)->Status, E | K | D) << r;
  SammeBegivenhed(levende[0]);
  EXPECT_EQ(Nu(), (Taellere{0, 1, 0}));
}

TEST_F(GensendTest, ANewEventIsFreedAndWrittenAgain) {
  const uint32_t gammel = Begivenhed(E);
  Foer(gammel);
  Saet({1, 0, 0});
  ASSERT_EQ(RetSkemaForGensend(20240801, 1), 1);
  const std::vector<uint32_t> levende = Levende();
  ASSERT_EQ(levende.size(), 1u);
  SammeBegivenhed(levende[0]);
  EXPECT_EQ(Nu(), (Taellere{0, 0, 0}));
  for (uint32_t r = gammel; r < gammel + 3; ++r) EXPECT_EQ(+Raekke(r)->Status, 0u) << r;
}

TEST_F(GensendTest, AnEventWithAPendingChangeExistsOnceAfterwards) {
  const uint32_t gammel = Begivenhed(E | K | P);
  Raekke(gammel)->Fejl = '?';
  Foer(gammel);
  Saet({0, 0, 1});
  ASSERT_EQ(RetSkemaForGensend(20240801, 1), 1);
  ASSERT_EQ(Levende().size(), 1u);
  SammeBegivenhed(Levende()[0]);
  EXPECT_EQ(+Raekke(gammel)->Status, E | K | D);
  EXPECT_EQ(Nu(), (Taellere{0, 1, 0}));
}

TEST_F(GensendTest, ALessonTakesItsTimesFromTheRingSystem) {
  RisyRec *r = TabRec<RisyRec>(tvrisy, risy);
  r->Starttid[2] = 950;
  r->Sluttid[2] = 1035;
  r->Antal_std_lektioner[2] = 1.25f;
  const uint32_t gammel = Begivenhed(E | K);
  for (uint32_t k = gammel; k < gammel + 3; ++k) {
    Raekke(k)->risy_id = risy;
    Raekke(k)->Lektion = 3;
  }
  ASSERT_EQ(RetSkemaForGensend(20240801, 1), 1);
  const std::vector<uint32_t> levende = Levende();
  ASSERT_EQ(levende.size(), 1u);
  HentAVS(kAar, kUge, levende[0], &avs, false);
  EXPECT_EQ(+avs.Starttid, 950u);
  EXPECT_EQ(+avs.Sluttid, 1035u);
  EXPECT_EQ(+avs.Antal_std_lektioner, 1.25f);
  EXPECT_EQ(+avs.Lektion, 3);
  EXPECT_EQ(+avs.risy_id, risy);
  EXPECT_EQ(+avs.anfoAntal, 2u);
}

}  // namespace
