// Reading an event's rows into a property set: the participants in row
// order, the placement and kind by the classification order, the address
// checks, the status of a row, and the remark lines cut by the remark
// column's width.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "beg_fixture.h"

namespace {

using namespace begtest;

class HentAVSTest : public BegMappe {};

TEST_F(HentAVSTest, ReadsEveryParticipantInRowOrderWithTheLastRowsValues) {
  const uint32_t rolB = Rolle({"L"});
  SkrivRaekker({{akti[0]}}, {.id = 5});  // another event before it
  Faelles f{.id = 9, .ejer = 12, .skfa = skfa, .dag = 3, .lektion = 4, .start = 1000, .slut = 1045, .std = 1.5f};
  std::vector<Deltager> dele = {{.akti = akti[1]},
                                {.anfo = anfo[0], .rol = laerer, .minut = 45, .beregn = 1.25f, .hvorfra = 'x'},
                                {.anfo = anfo[2], .rol = rolB, .minut = -1, .beregn = 2.5f, .hvorfra = 'y'},
                                {.loka = loka[1], .lokrolle = 3}};
  const uint32_t forste = SkrivRaekker(dele, f);
  // The last row's times stand for the set.
  Raekke(forste + 3)->Sluttid = 1100;

  HentAVS(kAar, kUge, forste, &avs, false);
  ASSERT_EQ(+avs.aktiAntal, 1u);
  EXPECT_EQ(avs.aktiTab[0], akti[1]);
  ASSERT_EQ(+avs.anfoAntal, 2u);
  EXPECT_EQ(avs.anfoTab[0], anfo[0]);
  EXPECT_EQ(avs.anfoTab[1], anfo[2]);
  EXPECT_EQ(avs.skemarolTab[0], laerer);
  EXPECT_EQ(avs.skemarolTab[1], rolB);
  EXPECT_EQ(avs.minutTab[0], 45.0f);
  EXPECT_EQ(avs.minutTab[1], -1.0f);
  EXPECT_EQ(avs.beregnTab[0], 1.25f);
  EXPECT_EQ(avs.beregnTab[1], 2.5f);
  EXPECT_EQ(avs.hvorfraTab[0], 'x');
  EXPECT_EQ(avs.hvorfraTab[1], 'y');
  ASSERT_EQ(+avs.lokaAntal, 1u);
  EXPECT_EQ(avs.lokaTab[0], loka[1]);
  EXPECT_EQ(avs.lokrolleTab[0], 3u);
  EXPECT_EQ(+avs.skfa_id, skfa);
  EXPECT_EQ(+avs.Ejer, 12);
  EXPECT_EQ(+avs.Dag, 3);
  EXPECT_EQ(+avs.Lektion, 4);
  EXPECT_EQ(+avs.Starttid, 1000u);
  EXPECT_EQ(+avs.Sluttid, 1100u);
  EXPECT_EQ(+avs.Antal_std_lektioner, 1.5f);
  EXPECT_EQ(+avs.Forste, forste);
  EXPECT_EQ(+avs.AarIndeks, kAar);
  EXPECT_EQ(+avs.Uge, kUge);
  EXPECT_EQ(+avs.id, 0u);  // read to be written as a new event
  EXPECT_EQ(+avs.bemAntal, 0u);
  EXPECT_EQ(+avs.Kode2, ' ');
  EXPECT_EQ(+avs.Kode3, ' ');
  EXPECT_EQ(+avs.Kode5, ' ');

  HentAVS(kAar, kUge, forste, &avs, true);
  EXPECT_EQ(+avs.id, 9u);
  EXPECT_EQ(+avs.aktiAntal, 1u);  // emptied before it is filled again
}

TEST_F(HentAVSTest, PlacementAndKindFollowTheClassificationOrder) {
  struct {
    const char *navn;
    RolleSpec rolle;
    bool ringsystem;
    char placering, art;
  } const tilfaelde[] = {
      {"ordinary role", {"L"}, false, 'T', 'S'},
      {"ring system over a sickness role", {"S", "11sy"}, true, 'L', 'S'},
      {"ring system over a payroll code", {"L", "", "100"}, true, 'L', 'S'},
      {"payroll sickness code", {"L", "", "100"}, false, 'D', 'P'},
      {"any payroll code comes first", {"A", "", "710"}, false, 'D', 'P'},
      {"role text A", {"A1"}, false, 'T', 'P'},
      {"time-off activity type", {"X", "AF"}, false, 'T', 'P'},
      {"care day", {"O"}, false, 'T', 'P'},
      {"holiday role text F", {"FE"}, false, 'D', 'P'},
      {"sickness role text S", {"S"}, false, 'D', 'P'},
      {"sickness activity type", {"X", "19sy"}, false, 'D', 'P'},
      {"SF in any case", {"sf"}, false, 'T', 'P'},
      {"time off before holiday", {"F", "AF"}, false, 'T', 'P'},
      {"care before sickness", {"S", "O"}, false, 'T', 'P'},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    const uint32_t rol = Rolle(t.rolle);
    const uint32_t forste =
        SkrivRaekker({{.akti = akti[0], .anfo = anfo[0], .rol = rol}}, {.risy = t.ringsystem ? risy : 0});
    HentAVS(kAar, kUge, forste, &avs, false);
    EXPECT_EQ(+avs.Placering, t.placering);
    EXPECT_EQ(+avs.Art, t.art);
    EXPECT_EQ(+avs.risy_id, t.ringsystem ? risy : 0);
  }
}

TEST_F(HentAVSTest, AnEventWithoutEmployeeIsOrdinaryBesideAFreedPayrollCode) {
  // A freed sls_koder record names role 0, as a first row without an
  // employee does.
  Sls_koderRec tom{};
  Ny(tdsls_koder, tvsls_koder, tom);
  const uint32_t forste = SkrivRaekker({{.akti = akti[0]}, {.loka = loka[0]}}, {});
  HentAVS(kAar, kUge, forste, &avs, false);
  EXPECT_EQ(+avs.Placering, 'T');
  EXPECT_EQ(+avs.Art, 'S');
}

TEST_F(HentAVSTest, AnAddressThatNamesNoEventLeavesTheSetEmpty) {
  const uint32_t a = SkrivRaekker({{.akti = akti[0]}, {.anfo = anfo[0], .rol = laerer}}, {});
  const uint32_t b = SkrivRaekker({{.akti = akti[1]}}, {});
  Raekke(b)->Status = 0;  // freed
  const uint32_t antal = BegBucket(kAar, kUge)->wRecCnt;
  struct {
    const char *navn;
    uint8_t aar, uge;
    uint32_t raekke;
  } const tilfaelde[] = {
      {"row 0", kAar, kUge, 0},
      {"row at the count", kAar, kUge, antal},
      {"row far above the count", kAar, kUge, 0xFFFFFFFFu},
      {"a bucket without rows", kAar, kUge + 1, 1},
      {"week 0", kAar, 0, a},
      {"week 54", kAar, 54, a},
      {"a row inside another event", kAar, kUge, a + 1},
      {"a freed first row", kAar, kUge, b},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    HentAVS(kAar, kUge, a, &avs, true);  // something to empty
    HentAVS(t.aar, t.uge, t.raekke, &avs, true);
    EXPECT_EQ(+avs.aktiTab, nullptr);
    EXPECT_EQ(+avs.anfoAntal, 0u);
    EXPECT_EQ(+avs.id, 0u);
    EXPECT_EQ(+avs.Forste, 0u);
    EXPECT_EQ(+avs.Placering, ' ');
    EXPECT_EQ(+avs.Art, ' ');
  }
}

TEST_F(HentAVSTest, FreedRowsInsideAnEventArePassedOver) {
  const uint32_t forste = SkrivRaekker(
      {{.akti = akti[0]}, {.anfo = anfo[0], .rol = laerer}, {.anfo = anfo[1], .rol = laerer}, {.loka = loka[0]}},
      {});
  Raekke(forste + 1)->Status = 0;
  HentAVS(kAar, kUge, forste, &avs, false);
  ASSERT_EQ(+avs.anfoAntal, 1u);
  EXPECT_EQ(avs.anfoTab[0], anfo[1]);
  EXPECT_EQ(+avs.lokaAntal, 1u);
}

TEST_F(HentAVSTest, VisibleEntryGivesItsEventAndOnlyEntriesInTheList) {
  const uint32_t forste = SkrivRaekker({{.akti = akti[2]}}, {.id = 77});
  SkeVisListe liste[3] = {};
  liste[2] = {kAar, kUge, forste, 0, 1, 1, 0, 0, 0, 0, 0};
  HentVisAVS(liste, 2, &avs, 2, true);
  ASSERT_EQ(+avs.aktiAntal, 1u);
  EXPECT_EQ(avs.aktiTab[0], akti[2]);
  EXPECT_EQ(+avs.id, 77u);
  for (uint32_t n : {0u, 3u}) {
    HentVisAVS(liste, 2, &avs, n, true);
    EXPECT_EQ(+avs.aktiAntal, 0u) << n;
  }
  HentVisAVS(liste, 2, &avs, 1, true);  // entry 1 names no event
  EXPECT_EQ(+avs.aktiAntal, 0u);
}

TEST_F(HentAVSTest, RowStatusIsTheWholeStatusWord) {
  const uint32_t forste = SkrivRaekker({{.akti = akti[0]}}, {.status = SKE_EGEN | SKE_KENDT | SKE_MAERKE2});
  EXPECT_EQ(RaekkeStatus(kAar, kUge, forste), uint32_t{SKE_EGEN | SKE_KENDT | SKE_MAERKE2});
  EXPECT_EQ(RaekkeStatus(kAar, kUge, 0), 0u);
  EXPECT_EQ(RaekkeStatus(kAar, kUge, forste + 1), 0u);
  EXPECT_EQ(RaekkeStatus(kAar, 0, forste), 0u);
}

std::vector<std::string> Linjer(const AVS &a) {
  std::vector<std::string> v;
  for (uint32_t i = 0; i < a.bemAntal; ++i) v.push_back(a.bemTab[i]);
  return v;
}

TEST_F(HentAVSTest, RemarkLinesFollowTheRemarkColumnsWidth) {
  const std::string t = kBemTekst;
  struct {
    const char *navn;
    int bredde;
    std::vector<std::string> linjer;
  } const tilfaelde[] = {
      {"width 20: two lines, the rest not shown", 20, {t.substr(0, 20), t.substr(20, 20)}},
      {"width 27: two lines hold it all", 27, {t.substr(0, 27), t.substr(27)}},
      {"the shipped width 54", 54, {t, ""}},
      {"width 10: five lines, the rest not shown", 10, {t.substr(0, 10), t.substr(10, 10), t.substr(20, 10), t.substr(30, 10), t.substr(40, 10)}},
      {"wider than the field", 60, {t, ""}},
      {"width 0 gives no lines", 0, {}},
      {"no layout gives no lines", -1, {}},
  };
  for (const auto &c : tilfaelde) {
    SCOPED_TRACE(c.navn);
    BemBredde(c.bredde);
    avs.bem_id = 5;
    DelBemAVS(&avs, kBemTekst);
    EXPECT_EQ(Linjer(avs), c.linjer);
    EXPECT_EQ(+avs.bem_id, 5u);
  }
}

TEST_F(HentAVSTest, RemarkLinesOfShortAndMissingTexts) {
  BemBredde(20);
  DelBemAVS(&avs, "Husk kridt");
  EXPECT_EQ(Linjer(avs), (std::vector<std::string>{"Husk kridt", ""}));
  DelBemAVS(&avs, std::string(20, 'x').c_str());  // exactly one line's width
  EXPECT_EQ(Linjer(avs), (std::vector<std::string>{std::string(20, 'x'), ""}));
  DelBemAVS(&avs, nullptr);
  EXPECT_EQ(Linjer(avs), (std::vector<std::string>{"", ""}));

  // An event reads its remark from the first row's remark record; a record
  // that is not there gives empty lines.
  uint32_t forste = SkrivRaekker({{.akti = akti[0]}}, {.bem = bem});
  HentAVS(kAar, kUge, forste, &avs, false);
  EXPECT_EQ(+avs.bem_id, bem);
  EXPECT_EQ(Linjer(avs), (std::vector<std::string>{std::string(kBemTekst).substr(0, 20),
                                                   std::string(kBemTekst).substr(20, 20)}));
  forste = SkrivRaekker({{.akti = akti[0]}}, {.bem = tvbem.wRecCnt + 4});
  HentAVS(kAar, kUge, forste, &avs, false);
  EXPECT_EQ(Linjer(avs), (std::vector<std::string>{"", ""}));
}

}  // namespace
