// The employments' period chains and the answers read from them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "../data/pred_tabeller.h"
#include "DATO.h"
#include "INDSTIL.h"
#include "MEDPER.h"
#include "STITAB.h"

using namespace predtest;

namespace {

struct Periode {
  uint32_t ansk, opgper, aftalop;
  Dato fra, til;
  bool operator==(const Periode &) const = default;
};

std::ostream &operator<<(std::ostream &o, const Periode &p) {
  return o << "{ansk " << p.ansk << ", opgper " << p.opgper << ", aftalop " << p.aftalop << ", " << p.fra
           << ".." << p.til << "}";
}

class MedPerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TommeTabeller();
    GlobalIndstillinger.normsystem = 0;
    StandardIndstillinger();
    InitPeriode(20230801, 20250731, 20230801);
    SaetAktuelDato(20240315);
    // A calendar with the accounting periods of the calendar years 2023 and 2024.
    kal = NyKalender({{20230101, 20231231, 1680.7f}, {20240101, 20241231, 1700.0f}});
    opg2023 = foersteOpgper;
    opg2024 = opg2023 + 1;
    araf = NyAraf(kal);
    anfo = NyAnfo(++medaId);
  }
  void TearDown() override {
    FreeMedPer();
    GlobalIndstillinger.normsystem = 0;
    StandardIndstillinger();
    FrigivAlle();
  }

  uint32_t NyAnfo(uint32_t meda) {
    MedaRec m{};
    m.id = meda;
    m.Status = 10;
    AnfoRec a{};
    a.id = ++id;
    a.meda_id = Ny(tdmeda, tvmeda, m);
    a.Status = 10;
    return Ny(tdanfo, tvanfo, a);
  }
  struct OpgperData {
    Dato fra, til;
    float norm;
  };
  uint32_t NyKalender(std::vector<OpgperData> perioder) {
    OpgkalRec k{};
    k.id = ++id;
    k.Status = 10;
    const uint32_t kal = Ny(tdopgkal, tvopgkal, k);
    uint32_t forrige = 0;
    for (const OpgperData &d : perioder) {
      OpgperRec o{};
      o.id = ++id;
      o.Status = 10;
      o.opgkal_id = kal;
      o.Fradato = d.fra;
      o.Tildato = d.til;
      o.Norm = d.norm;
      const uint32_t n = Ny(tdopgper, tvopgper, o);
      if (forrige)
        Rec<OpgperRec>(tvopgper, forrige)->neste_opgper = n;
      else
        Rec<OpgkalRec>(tvopgkal, kal)->forste_opgper = n;
      foersteOpgper = forrige ? foersteOpgper : n;
      forrige = n;
    }
    return kal;
  }
  uint32_t NyAraf(uint32_t kal, std::vector<std::pair<Dato, Dato>> terminer = {}) {
    ArafRec a{};
    a.id = ++id;
    a.Status = 10;
    a.opgkal_id = kal;
    const uint32_t n = Ny(tdaraf, tvaraf, a);
    uint32_t forrige = 0;
    for (auto [fra, til] : terminer) {
      AftalopRec t{};
      t.id = ++id;
      t.Status = 10;
      t.araf_id = n;
      t.Fradato = fra;
      t.Tildato = til;
      const uint32_t nt = Ny(tdaftalop, tvaftalop, t);
      if (forrige)
        Rec<AftalopRec>(tvaftalop, forrige)->neste_aftalop = nt;
      else
        Rec<ArafRec>(tvaraf, n)->forste_aftalop = nt;
      forrige = nt;
    }
    return n;
  }
  uint32_t NyAnsk(uint32_t anfo, uint32_t araf, Dato fra, Dato til, uint8_t status = 10) {
    AnskRec k{};
    k.id = ++id;
    k.anfo_id = anfo;
    k.Status = status;
    k.araf_id = araf;
    k.Gyldig_fra = fra;
    k.Gyldig_til = til;
    return Ny(tdansk, tvansk, k);
  }
  std::vector<Periode> Kaede(uint32_t a) const {
    std::vector<Periode> v;
    if (!MedPerIdxTab || a >= MedPerIdxAntal) return v;
    for (uint32_t p = MedPerIdxTab[a].forste_medper; p && v.size() < 100; p = MedPerTab[p].neste_medper) {
      const MedPerRec &r = MedPerTab[p];
      EXPECT_EQ(r.anfo_id, a);
      v.push_back({r.ansk_id, r.opgper_id, r.aftalop_id, r.Fradato, r.Tildato});
    }
    return v;
  }

  uint32_t id = 100, medaId = 900;
  uint32_t kal = 0, opg2023 = 0, opg2024 = 0, foersteOpgper = 0, araf = 0, anfo = 0;
};

TEST_F(MedPerTest, SchoolYearTermsCutByCalendarYears) {
  const uint32_t ansk = NyAnsk(anfo, araf, 20230801, 20240731);
  BuildMedPer();
  EXPECT_EQ(Kaede(anfo), (std::vector<Periode>{{ansk, opg2023, 0, 20230801, 20231231},
                                               {ansk, opg2024, 0, 20240101, 20240731}}));
  struct {
    Dato dato;
    uint32_t opgper;
  } tab[] = {{20230731, 0}, {20230801, opg2023}, {20231231, opg2023}, {20240101, opg2024},
             {20240731, opg2024}, {20240801, 0}};
  for (const auto &t : tab) {
    const bool i = t.opgper != 0;
    EXPECT_EQ(MedPerOpgPer(anfo, t.dato), t.opgper) << t.dato;
    EXPECT_EQ(MedPerAnsk(anfo, t.dato), i ? ansk : 0u) << t.dato;
    EXPECT_EQ(MedPerAraf(anfo, t.dato), i ? araf : 0u) << t.dato;
    EXPECT_EQ(MedPerAftalop(anfo, t.dato), 0u) << t.dato;
  }
  EXPECT_EQ(GetOpgPerFra(20231015, anfo), 20230101u);
  EXPECT_EQ(GetOpgPerTil(20231015, anfo), 20231231u);
  MaanedIndeks f = 9, s = 9;
  int32_t norm = 9;
  GetOpgPerMonths(20231015, anfo, &f, &s, &norm);
  EXPECT_EQ(f, 0u);  // January 2023 lies before the schedule period
  EXPECT_EQ(s, 5u);
  EXPECT_EQ(norm, 1680);
  GetOpgPerMonths(20240301, anfo, &f, &s, &norm);
  EXPECT_EQ(f, 6u);
  EXPECT_EQ(s, 17u);
  EXPECT_EQ(norm, 1700);
}

TEST_F(MedPerTest, GapsAndTailsWithoutAccountingPeriod) {
  const uint32_t kal2 = NyKalender({{20230901, 20231231, 800}});
  const uint32_t opg = foersteOpgper;
  const uint32_t ansk = NyAnsk(anfo, NyAraf(kal2), 20230801, 20240731);
  const uint32_t utenAraf = NyAnfo(++medaId);
  NyAnsk(utenAraf, 0, 20230801, 20240731);  // no agreement: no periods
  NyAnsk(anfo, araf, 20250101, 20250301, 0);        // empty slot status: skipped
  BuildMedPer();
  EXPECT_EQ(Kaede(anfo), (std::vector<Periode>{{ansk, 0, 0, 20230801, 20230831},
                                               {ansk, opg, 0, 20230901, 20231231},
                                               {ansk, 0, 0, 20240101, 20240731}}));
  EXPECT_EQ(Kaede(utenAraf).size(), 0u);
  // A date in a piece without accounting period falls back to the default period.
  EXPECT_EQ(MedPerAnsk(anfo, 20230815), ansk);
  EXPECT_EQ(GetOpgPerFra(20230815, anfo), StdOpgPerFra());
  EXPECT_EQ(GetOpgPerTil(20240301, anfo), StdOpgPerTil());
  EXPECT_EQ(GetOpgPerFra(20231001, anfo), 20230901u);
}

TEST_F(MedPerTest, AgreementTermsCutAgainAndMonthEndsCarry) {
  const uint32_t araf2 = NyAraf(kal, {{20230101, 20230228}, {20230401, 20230430}});
  const uint32_t aft1 = tvaftalop.wRecCnt - 2, aft2 = aft1 + 1;
  const uint32_t ansk = NyAnsk(anfo, araf2, 20230101, 20230531);
  BuildMedPer();
  EXPECT_EQ(Kaede(anfo), (std::vector<Periode>{{ansk, opg2023, aft1, 20230101, 20230228},
                                               {ansk, opg2023, 0, 20230301, 20230331},
                                               {ansk, opg2023, aft2, 20230401, 20230430},
                                               {ansk, opg2023, 0, 20230501, 20230531}}));
  EXPECT_EQ(MedPerAftalop(anfo, 20230228), aft1);
  EXPECT_EQ(MedPerAftalop(anfo, 20230301), 0u);
  EXPECT_EQ(MedPerOpgPer(anfo, 20230301), opg2023);
}

TEST_F(MedPerTest, GapBetweenTermsAndRebuildAfterAChange) {
  const uint32_t a1 = NyAnsk(anfo, araf, 20230801, 20231231);
  const uint32_t a2 = NyAnsk(anfo, araf, 20240201, 20240731);
  BuildMedPer();
  // The later terms were built last but stand last in the chain.
  ASSERT_EQ(Kaede(anfo).size(), 2u);
  EXPECT_EQ(Kaede(anfo)[0].ansk, a1);
  for (Dato d : {20230701u, 20240115u, 20240801u}) {
    EXPECT_EQ(MedPerAnsk(anfo, d), 0u) << d;
    EXPECT_EQ(MedPerAraf(anfo, d), 0u) << d;
    EXPECT_EQ(MedPerOpgPer(anfo, d), 0u) << d;
    EXPECT_EQ(GetOpgPerFra(d, anfo), StdOpgPerFra()) << d;
  }
  EXPECT_EQ(MedPerAnsk(anfo, 20240201), a2);

  // A change is seen by the chains after the next build only; the direct
  // table reader sees it at once.
  Rec<AnskRec>(tvansk, a1)->Gyldig_til = 20231130;
  EXPECT_EQ(MedPerAnsk(anfo, 20231215), a1);
  EXPECT_EQ(FindAnskAtDate(anfo, 20231215), a2);
  BuildMedPer();
  EXPECT_EQ(MedPerAnsk(anfo, 20231215), 0u);
  EXPECT_EQ(MedPerAnsk(anfo, 20231130), a1);

  // An employment made after the build is past the index.
  const uint32_t ny = NyAnfo(++medaId);
  NyAnsk(ny, araf, 20230801, 20240731);
  EXPECT_EQ(MedPerAnsk(ny, 20231015), 0u);
  BuildMedPer();
  EXPECT_NE(MedPerAnsk(ny, 20231015), 0u);
}

TEST_F(MedPerTest, InvalidEmploymentsFindNothing) {
  NyAnsk(anfo, araf, 20230801, 20240731);
  EXPECT_EQ(MedPerAnsk(anfo, 20231015), 0u);  // before any build
  BuildMedPer();
  for (uint32_t a : {0u, tvanfo.wRecCnt, tvanfo.wRecCnt + 100}) {
    EXPECT_EQ(MedPerAnsk(a, 20231015), 0u) << a;
    EXPECT_EQ(MedPerOpgPer(a, 20231015), 0u) << a;
    EXPECT_FLOAT_EQ(SumNormJust(a, 20230101, 20241231), 0.0f) << a;
    EXPECT_FLOAT_EQ(GetBufTimSaldo(a, 20231015), 0.0f) << a;
    EXPECT_EQ(FindAnskAtDate(a, 20231015), 0u) << a;
  }
  GlobalIndstillinger.normsystem = 1;
  EXPECT_EQ(GetDagsNorm(tvanfo.wRecCnt, 20231015), 7400);
  EXPECT_EQ(BeregnPeriodeNorm(tvanfo.wRecCnt, 20231001, 20231031), 0);
}

TEST_F(MedPerTest, PeriodArrayGrowsPastItsFirstBlock) {
  // One-day terms in falling date order, so each goes in front of the chain.
  const uint32_t antal = MEDPER_BLOK + 5;
  Dato d = 20500101;
  for (uint32_t i = 0; i < antal; ++i) {
    d = ForrigeDato(d);
    NyAnsk(anfo, araf, d, d);
  }
  BuildMedPer();
  ASSERT_EQ(MedPerAntal, antal + 1);
  EXPECT_EQ(MedPerTab[0].anfo_id, 0u);
  EXPECT_EQ(MedPerTab[antal].Fradato, d);
  EXPECT_EQ(MedPerIdxTab[anfo].forste_medper, antal);
  EXPECT_EQ(MedPerAnsk(anfo, d), tvansk.wRecCnt - 1);
  EXPECT_EQ(MedPerAnsk(anfo, 20491231), 1u);
}

TEST_F(MedPerTest, BufferHoursAndNormAdjustmentChains) {
  const uint32_t anden = NyAnfo(++medaId);
  auto Buf = [&](uint32_t a, uint8_t status, Dato fra, Dato til, float over, float under) {
    BuftimRec b{};
    b.Status = status;
    b.anfo_id = a;
    b.Fradato = fra;
    b.Tildato = til;
    b.Overtimer_fra_forrige = over;
    b.Undertimer_fra_forrige = under;
    b.neste_buftim = 999;  // stale link from before
    return Ny(tdbuftim, tvbuftim, b);
  };
  const uint32_t b1 = Buf(anfo, 10, 20240101, 20241231, 5, 1);
  const uint32_t b2 = Buf(anfo, 10, 20230101, 20231231, 2, 0);
  const uint32_t b3 = Buf(anfo, 10, 20240101, 20240630, 0, 3.5f);
  const uint32_t b4 = Buf(anfo, 30, 20240101, 20241231, 100, 0);  // not active
  Buf(anden, 10, 20240101, 20241231, 7, 0);
  auto Just = [&](uint32_t a, uint8_t status, Dato dato, float timer) {
    NormjustRec j{};
    j.Status = status;
    j.anfo_id = a;
    j.Dato = dato;
    j.Timer = timer;
    return Ny(tdnormjust, tvnormjust, j);
  };
  const uint32_t j1 = Just(anfo, 10, 20240301, 10);
  const uint32_t j2 = Just(anfo, 10, 20240101, -4);
  Just(anfo, 20, 20240201, 100);
  Just(anden, 10, 20240201, 50);
  BuildMedPer();

  // Same first day: the higher record number stands first.
  EXPECT_EQ(MedPerIdxTab[anfo].forste_buftim, b2);
  EXPECT_EQ(uint32_t(Rec<BuftimRec>(tvbuftim, b2)->neste_buftim), b3);
  EXPECT_EQ(uint32_t(Rec<BuftimRec>(tvbuftim, b3)->neste_buftim), b1);
  EXPECT_EQ(uint32_t(Rec<BuftimRec>(tvbuftim, b1)->neste_buftim), 0u);
  EXPECT_EQ(uint32_t(Rec<BuftimRec>(tvbuftim, b4)->neste_buftim), 0u);
  EXPECT_EQ(MedPerIdxTab[anfo].forste_normjust, j2);
  EXPECT_EQ(uint32_t(Rec<NormjustRec>(tvnormjust, j2)->neste_normjust), j1);

  EXPECT_FLOAT_EQ(GetBufTimSaldo(anfo, 20240315), -5 + 1 + 3.5f);
  EXPECT_FLOAT_EQ(GetBufTimSaldo(anfo, 20240701), -4);
  EXPECT_FLOAT_EQ(GetBufTimSaldo(anfo, 20230601), -2);
  EXPECT_FLOAT_EQ(SumNormJust(anfo, 20240101, 20241231), 6);
  EXPECT_FLOAT_EQ(SumNormJust(anfo, 20240102, 20240301), 10);
  EXPECT_FLOAT_EQ(SumNormJust(anfo, 20240102, 20240229), 0);
}

TEST_F(MedPerTest, DefaultAccountingPeriod) {
  struct {
    uint32_t startMaaned, laengde;
    Dato aktuel, fra, til;
  } tab[] = {
      {8, 12, 20240315, 20230801, 20240731},
      {8, 12, 20240815, 20240801, 20250731},
      {8, 12, 20240801, 20240801, 20250731},
      {8, 12, 20240731, 20230801, 20240731},
      {1, 12, 20240315, 20240101, 20241231},
      {8, 6, 20240315, 20240201, 20240731},   // halves begin in August and February
      {8, 6, 20231015, 20230801, 20240131},
      {8, 6, 20240131, 20230801, 20240131},
      {3, 6, 20240815, 20240301, 20240831},
  };
  for (const auto &t : tab) {
    GlobalIndstillinger.opgPeriodeStartMaaned = static_cast<uint8_t>(t.startMaaned);
    GlobalIndstillinger.opgPeriodeLaengde = t.laengde == 12 ? 1 : 0;
    SaetAktuelDato(t.aktuel);
    EXPECT_EQ(StdOpgPerFra(), t.fra) << t.startMaaned << "/" << t.laengde << " " << t.aktuel;
    EXPECT_EQ(StdOpgPerTil(), t.til) << t.startMaaned << "/" << t.laengde << " " << t.aktuel;
  }
  // Without any period in the chain the month figures take the default.
  GlobalIndstillinger.opgPeriodeStartMaaned = 8;
  GlobalIndstillinger.opgPeriodeLaengde = 1;
  SaetAktuelDato(20240315);
  BuildMedPer();
  MaanedIndeks f = 0, s = 0;
  int32_t norm = 0;
  GetOpgPerMonths(20240315, anfo, &f, &s, &norm);
  EXPECT_EQ(f, 1u);
  EXPECT_EQ(s, 12u);
  EXPECT_EQ(norm, 1924);
}

TEST_F(MedPerTest, DailyNorm) {
  struct {
    int32_t lektionerprdag, norm;
  } tab[] = {{740, 7400}, {800, 8000}, {3000, 7400}, {99, 7400}, {100, 1000}, {2400, 24000}, {2401, 7400}};
  for (const auto &t : tab) {
    GlobalIndstillinger.lektionerprdag = static_cast<float>(t.lektionerprdag) / 100.0f;
    EXPECT_EQ(GetDagsNorm(anfo, 20240101), t.norm) << t.lektionerprdag;
  }

  GlobalIndstillinger.normsystem = 1;
  const uint32_t meda = Rec<AnfoRec>(tvanfo, anfo)->meda_id;
  NormsystemRec ns{};
  ns.Dagsnorm = 720;
  ns.Status = 10;
  const uint32_t nosy = Ny(tdnormsystem, tvnormsystem, ns);
  const uint32_t opgp = Ny(tdopgperiode, tvopgperiode, OpgperiodeRec{1, nosy, "Skoleår", 20230801, 20240731, 10});
  Ny(tdregperiode, tvregperiode, RegperiodeRec{1, opgp, meda, 20230801, 20231231, 740, 10});
  Ny(tdregperiode, tvregperiode, RegperiodeRec{2, opgp, meda, 20231101, 20231231, 600, 10});
  Ny(tdregperiode, tvregperiode, RegperiodeRec{3, opgp, meda, 20240101, 20240731, 0, 10});
  EXPECT_EQ(GetDagsNorm(anfo, 20231015), 7400);
  EXPECT_EQ(GetDagsNorm(anfo, 20231115), 6000);  // the last record containing the date
  EXPECT_EQ(GetDagsNorm(anfo, 20240301), 7200);  // no daily norm of its own: the norm system's
  EXPECT_EQ(GetDagsNorm(anfo, 20250101), 7400);  // nothing at all
}

TEST_F(MedPerTest, PeriodNormFromRegistrationPeriods) {
  const uint32_t meda = Rec<AnfoRec>(tvanfo, anfo)->meda_id;
  const uint32_t anden = NyAnfo(++medaId);
  // Monday 6 to Sunday 12 May 2024; Thursday 9 May is Ascension Day. Four
  // working days of 7.40 hours are 2960 hundredths = 29600 thousandths,
  // rounded to 30 whole hours.
  Ny(tdregperiode, tvregperiode, RegperiodeRec{1, 0, meda, 20240101, 20241231, 740, 10});
  EXPECT_EQ(BeregnPeriodeNorm(anfo, 20240506, 20240512), 30);
  // Another employee's periods count for that employee only.
  EXPECT_EQ(BeregnPeriodeNorm(anden, 20240506, 20240512), 0);

  struct {
    Dato regFra, regTil, fra, til;
    int32_t timer;
  } tab[] = {
      {20240401, 20240506, 20240506, 20240512, 7},    // touches the first day: 7.40 -> 7
      {20240512, 20240601, 20240506, 20240512, 0},    // touches the last day, a Sunday
      {20240510, 20240601, 20240506, 20240512, 7},    // Friday only
      {20240506, 20240508, 20240506, 20240512, 22},   // 3 x 7.40 = 22.2
      {20240507, 20240507, 20240506, 20240512, 7},    // a single day inside
      {20240101, 20241231, 20240513, 20240520, 37},   // Whit Monday 20 May is a holiday: 5 days
  };
  for (const auto &t : tab) {
    TomTabel(&tvregperiode);
    Ny(tdregperiode, tvregperiode, RegperiodeRec{1, 0, meda, t.regFra, t.regTil, 740, 10});
    EXPECT_EQ(BeregnPeriodeNorm(anfo, t.fra, t.til), t.timer) << t.regFra << ".." << t.regTil;
  }
}

TEST_F(MedPerTest, NormSystemAccountingPeriods) {
  GlobalIndstillinger.normsystem = 1;
  const uint32_t meda = Rec<AnfoRec>(tvanfo, anfo)->meda_id;
  const uint32_t alle = Ny(tdopgperiode, tvopgperiode, OpgperiodeRec{1, 0, "Alle", 20230801, 20240731, 10});
  const uint32_t egen = Ny(tdopgperiode, tvopgperiode, OpgperiodeRec{2, 0, "Egen", 20230801, 20231231, 10});
  Ny(tdregperiode, tvregperiode, RegperiodeRec{1, egen, meda, 20230801, 20231231, 740, 10});
  Ny(tdregperiode, tvregperiode, RegperiodeRec{2, egen, meda + 1, 20240101, 20240731, 740, 10});

  EXPECT_EQ(MedPerOpgPer(anfo, 20231015), egen);
  EXPECT_EQ(MedPerOpgPer(anfo, 20240301), alle);  // another employee's registration does not count
  EXPECT_EQ(MedPerOpgPer(anfo, 20240801), 0u);
  EXPECT_EQ(MedPerOpgPer(0, 20231015), 0u);
  EXPECT_EQ(GetOpgPerFra(20231015, anfo), 20230801u);
  EXPECT_EQ(GetOpgPerTil(20231015, anfo), 20231231u);
  EXPECT_EQ(GetOpgPerTil(20240801, anfo), 0u);  // no fallback with the norm system
  MaanedIndeks f = 0, s = 0;
  int32_t norm = 0;
  GetOpgPerMonths(20231015, anfo, &f, &s, &norm);
  EXPECT_EQ(f, 1u);
  EXPECT_EQ(s, 5u);
  EXPECT_EQ(norm, BeregnPeriodeNorm(anfo, 20230801, 20231231));
  EXPECT_GT(norm, 0);
  GetOpgPerMonths(20240801, anfo, &f, &s, &norm);
  EXPECT_EQ(f, 0u);
  EXPECT_EQ(s, 0u);
  EXPECT_EQ(norm, 0);
}

TEST_F(MedPerTest, TermsAndPositionsAtADate) {
  const uint32_t anden = NyAnfo(++medaId);
  const uint32_t k1 = NyAnsk(anfo, araf, 20230801, 20231231, 30);
  const uint32_t k2 = NyAnsk(anfo, araf, 20240101, 20240731, 150);
  const uint32_t k3 = NyAnsk(anfo, araf, 20240901, 20241231);
  const uint32_t k4 = NyAnsk(anfo, araf, 20240815, 20240831);
  NyAnsk(anden, araf, 20230101, 20251231);
  struct {
    Dato dato;
    uint32_t ansk;
  } tab[] = {
      {20231015, k1},  // contains the date: kept once chosen
      {20240301, k2},  // a later-ending record displaces one ended before
      {20240801, k4},  // among those beginning after the date the earliest
      {20230101, k1},  // the first record contains nothing yet starts after: kept until a better one
      {20250101, k3},  // past all: the latest-ending
  };
  for (const auto &t : tab) EXPECT_EQ(FindAnskAtDate(anfo, t.dato), t.ansk) << t.dato;
  EXPECT_EQ(FindAnskAtDate(NyAnfo(++medaId), 20240101), 0u);

  auto Ansc = [&](uint32_t a, uint8_t status, Dato fra, Dato til) {
    AnscRec c{};
    c.anfo_id = a;
    c.Status = status;
    c.Gyldig_fra = fra;
    c.Gyldig_til = til;
    return Ny(tdansc, tvansc, c);
  };
  Ansc(anfo, 30, 20230101, 20241231);
  const uint32_t c2 = Ansc(anfo, 10, 20230801, 20240731);
  const uint32_t c3 = Ansc(anfo, 29, 20230801, 20250731);
  EXPECT_EQ(FindAnscAtDate(anfo, 20231015), c2);
  EXPECT_EQ(FindAnscAtDate(anfo, 20240801), c3);
  EXPECT_EQ(FindAnscAtDate(anfo, 20250801), 0u);
  EXPECT_EQ(FindAnscAtDate(anden, 20231015), 0u);
}

TEST(Rounding, MilliAndDecimals) {
  struct {
    int32_t x, hel;
  } milli[] = {{1499, 1}, {1500, 2}, {-1500, -2}, {-1499, -1}, {0, 0}, {1, 0}, {499, 0}, {500, 1},
               {-500, -1}, {-1, 0}, {29600, 30}, {2147483647, 2147484}, {-2147483647 - 1, -2147484}};
  for (const auto &t : milli) EXPECT_EQ(RoundMilli(t.x), t.hel) << t.x;

  EXPECT_DOUBLE_EQ(RoundDecimals(2, 2.675), 2.68 + 1e-14);
  EXPECT_DOUBLE_EQ(RoundDecimals(2, -2.675), -2.68 - 1e-14);
  EXPECT_DOUBLE_EQ(RoundDecimals(2, 0.0), 0.0);
  EXPECT_DOUBLE_EQ(RoundDecimals(3, 1.0005), 1.001 + 1e-14);
  EXPECT_DOUBLE_EQ(RoundDecimals(0, 2.5), 3.0 + 1e-14);
  EXPECT_DOUBLE_EQ(RoundDecimals(0, -2.5), -3.0 - 1e-14);
  EXPECT_DOUBLE_EQ(RoundDecimals(2, 1e300), 1e300);  // no room to round
}

}  // namespace

namespace {

TEST(MedPerSettings, ThePeriodChainsReadTheProgramsSettings) {
  std::string skabelon = (std::filesystem::temp_directory_path() / "medperXXXXXX").string();
  ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
  const std::filesystem::path rod = skabelon;
  std::filesystem::create_directories(rod / "ini");
  const std::string gammel = StiTab.szini;
  snprintf(StiTab.szini, sizeof StiTab.szini, "%s/ini\\tavo.ini", rod.string().c_str());
  GlobalIndstillinger.normsystem = 0;
  SaetAktuelDato(20240315);
  struct {
    const char *ini;
    int32_t dagsnorm;
    Dato fra, til;
    int32_t norm;
  } tab[] = {
      {"", 7400, 20240101, 20241231, 1924},  // without a file: the defaults
      {"[tider]\r\nlektionerprdag=800\r\nopgPeriodeStartMåned=8\r\nopgPeriodeLængde=halvår\r\n"
       "opgPeriodeNorm=1500\r\n",
       8000, 20240201, 20240731, 1500},
      // No such month; only the exact text gives halves.
      {"[tider]\r\nopgPeriodeStartMåned=13\r\nopgPeriodeLængde=Halvår\r\n", 7400, 20240101, 20241231, 1924},
  };
  for (const auto &t : tab) {
    std::filesystem::remove(rod / "ini" / "tavo.ini");
    if (*t.ini) std::ofstream(rod / "ini" / "tavo.ini", std::ios::binary) << t.ini;
    LaesIndstillinger(false);
    GlobalIndstillinger.normsystem = 0;
    EXPECT_EQ(GetDagsNorm(0, 20240315), t.dagsnorm) << t.ini;
    EXPECT_EQ(StdOpgPerFra(), t.fra) << t.ini;
    EXPECT_EQ(StdOpgPerTil(), t.til) << t.ini;
    EXPECT_EQ(GlobalIndstillinger.opgPeriodeNorm, t.norm) << t.ini;
  }

  StandardIndstillinger();
  snprintf(StiTab.szini, sizeof StiTab.szini, "%s", gammel.c_str());
  std::error_code ec;
  std::filesystem::remove_all(rod, ec);
}

}  // namespace
