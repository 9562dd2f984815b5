// The hours account of an employment, in both forms, against hand-worked
// figures of a small made-up employment.
#include <gtest/gtest.h>

#include <vector>

#include "../data/pred_tabeller.h"
#include "DATO.h"
#include "INDSTIL.h"
#include "MEDOPG.h"
#include "MEDPER.h"
#include "TALTAB.h"
#include "opg_aftale.h"

using namespace predtest;

namespace {

// The fourteen outputs in the order of the call.
struct Konto {
  int32_t Tidsreg, SaerligtSkema, Laest, Norm, Sving, NormIalt, Laest2, Udbetalt, LaestIalt, Resultat, PlanU,
      PlanA, PlanR, PlanE;
  bool operator==(const Konto &) const = default;
};

std::ostream &operator<<(std::ostream &o, const Konto &k) {
  return o << k.Tidsreg << ' ' << k.SaerligtSkema << ' ' << k.Laest << ' ' << k.Norm << ' ' << k.Sving << ' '
           << k.NormIalt << ' ' << k.Laest2 << ' ' << k.Udbetalt << ' ' << k.LaestIalt << ' ' << k.Resultat << ' '
           << k.PlanU << ' ' << k.PlanA << ' ' << k.PlanR << ' ' << k.PlanE;
}

constexpr int32_t X = 7777;  // what the caller put in before the call
constexpr Konto kUroert{X, X, X, X, X, X, X, X, X, X, X, X, X, X};

class MedOpgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TommeTabeller();
    StandardIndstillinger();
    GlobalIndstillinger.normsystem = 0;
    GlobalIndstillinger.anfosumperaar = 0;
    // Month index 1 is August 2023, 6 January 2024, 17 December 2024.
    InitPeriode(20230801, 20250731, 20230801);
    SaetAktuelDato(20240315);
  }
  void TearDown() override {
    FreeAlleTalTabeller();
    FreeMedPer();
    GlobalIndstillinger.normsystem = 0;
    GlobalIndstillinger.anfosumperaar = 0;
    FrigivAlle();
  }

  // One employment with the accounting periods given and the figures below.
  void Byg(std::vector<OpgperRec> perioder) {
    MedaRec m{};
    m.id = 1;
    m.Status = 10;
    meda = Ny(tdmeda, tvmeda, m);
    const uint32_t araf = OpgAftale(perioder);
    anfo = OpgAnsaettelse(meda, araf);
    BufferOgJustering(anfo);

    AllokerMedTal();
    AllokerMedTalArbejdstidTab();
    AllokerPlanTalMndTab();
    BuildMedPer();
    MedTalMaaned *mt = MedTalFor(anfo);
    ASSERT_NE(mt, nullptr);
    const float jan[MEDTAL_SLOTS] = {10.25f, 2, 3, 4, 5, 6, 7, 8, 90, 90, 90, 90, 90, 90, 0, 0, 0, 0, 0, 1.5f, 2.5f};
    for (int s = 0; s < MEDTAL_SLOTS; ++s) mt[6][s] = jan[s];
    // December 2024 counts; December 2023 and January 2025 lie outside.
    // A shorter schedule period has fewer months.
    for (auto [m, v] : {std::pair{17u, 100.5f}, {5u, 1000.0f}, {18u, 2000.0f}})
      if (m <= MedTalM) mt[m][0] = v;
    auto Arb = [&](MaanedIndeks m) -> MedTalArbejdstidCelle & {
      return MedTalArbejdstidTab[meda * (TalDim.M + 1) + m];
    };
    Arb(6) = {0, 600, 4.4f, 90, 12, 0};
    Arb(10).Bidrag = 150;
    Arb(5).Bidrag = 6000;
    auto Plan = [&](MaanedIndeks m) -> PlanTalMndCelle & { return PlanTalMndTab[anfo * (PlanTalMndM + 1) + m]; };
    Plan(6) = {20, 3, 4, 5.5f};
    Plan(12) = {1, 1, 1, 1};
    if (18 <= PlanTalMndM) Plan(18) = {50, 50, 50, 50};
  }

  Konto Kald(float *sums) {
    Konto k = kUroert;
    CalcMedOpg(anfo, sums, &k.Tidsreg, &k.SaerligtSkema, &k.Laest, &k.Norm, &k.Sving, &k.NormIalt, &k.Laest2,
               &k.Udbetalt, &k.LaestIalt, &k.Resultat, &k.PlanU, &k.PlanA, &k.PlanR, &k.PlanE);
    return k;
  }

  uint32_t meda = 0, anfo = 0;
};

TEST_F(MedOpgTest, AccountFromMonthFigures) {
  Byg({Opg(20240101, 20241231, 1700)});
  float sums[MEDTAL_SLOTS] = {};
  sums[0] = 1;
  // Months 6..17. Læst 110.75+2+3+4+6+5+8 = 138.75; norm ialt 1700 - 2.5 + 10
  // = 1707.5; læst ialt 138.75 - 7 = 131.75; resultat 131.75 - 1707.5.
  // Tidsreg (600 + 150) / 60 = 12.5.
  EXPECT_EQ(Kald(sums), (Konto{13, 4, 139, 1700, -3, 1708, 139, 7, 132, -1576, 21, 4, 5, 7}));
  const float forventet[MEDTAL_SLOTS] = {111.75f, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1.5f, 2.5f};
  for (int s = 0; s < MEDTAL_SLOTS; ++s) EXPECT_FLOAT_EQ(sums[s], forventet[s]) << "slot " << s;

  // The optional plan outputs may be left out.
  int32_t laest = 0;
  CalcMedOpg(anfo, sums, nullptr, nullptr, &laest, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
             nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(laest, 139);
}

TEST_F(MedOpgTest, PlanCellsOutsideThePlanTableReadCellZero) {
  Byg({Opg(20240101, 20241231, 1700)});
  // An employment added after the plan table was made reads cell 0 for
  // each of its twelve months.
  PlanTalMndTab[0] = {1, 0.5f, 2, 0.25f};
  const uint32_t f = PlanTalMndF;
  PlanTalMndF = anfo;
  float sums[MEDTAL_SLOTS] = {};
  const Konto k = Kald(sums);
  PlanTalMndF = f;
  EXPECT_EQ(k.PlanU, 12);
  EXPECT_EQ(k.PlanA, 6);
  EXPECT_EQ(k.PlanR, 24);
  EXPECT_EQ(k.PlanE, 3);
  EXPECT_EQ(k.Laest, 139);
}

TEST_F(MedOpgTest, AccountWithTheNormSystem) {
  GlobalIndstillinger.normsystem = 1;
  Byg({Opg(20240101, 20241231, 1700)});
  // January to June 2024 (months 6..11); the norm is 4 working days of 7.40
  // in the week of Ascension Day: 29.6 -> 30.
  const uint32_t op = Ny(tdopgperiode, tvopgperiode, OpgperiodeRec{1, 0, "Alle", 20240101, 20240630, 10});
  Ny(tdregperiode, tvregperiode, RegperiodeRec{1, op, meda, 20240506, 20240512, 740, 10});
  float sums[MEDTAL_SLOTS] = {};
  // Registreret 10.25 + 12 + 12.5 + 4.4 + 5 = 44.15; plus 90 paid in = 134.15.
  EXPECT_EQ(Kald(sums), (Konto{13, 4, 44, 30, 0, 30, 44, 90, 134, 104, 20, 3, 4, 6}));
  EXPECT_FLOAT_EQ(sums[0], 10.25f);
}

TEST_F(MedOpgTest, CalendarYearSums) {
  GlobalIndstillinger.anfosumperaar = 1;
  Byg({Opg(20240101, 20240630, 800), Opg(20240701, 20241231, 900)});
  float sums[MEDTAL_SLOTS] = {};
  // The year's months 6..17 with the first half-year's norm.
  EXPECT_EQ(Kald(sums), (Konto{13, 4, 139, 800, -3, 808, 139, 7, 132, -676, 21, 4, 5, 7}));
}

TEST_F(MedOpgTest, NoAccountOutsideTheSchedulePeriod) {
  struct {
    Dato aktuel, periodeTil;
    uint8_t perAar;
  } tab[] = {
      {20240315, 20241130, 0},  // the accounting period reaches past the schedule period
      {20230915, 20250731, 1},  // the calendar year 2023 starts before it
  };
  for (const auto &t : tab) {
    TearDown();
    SetUp();
    GlobalIndstillinger.anfosumperaar = t.perAar;
    InitPeriode(20230801, t.periodeTil, 20230801);
    SaetAktuelDato(t.aktuel);
    Byg({Opg(20230801, 20231231, 700), Opg(20240101, 20241231, 1700)});
    float sums[MEDTAL_SLOTS] = {};
    EXPECT_EQ(Kald(sums), kUroert) << t.aktuel;
    EXPECT_EQ(sums[0], 0.0f);
  }
  // An employment without figures, and one past the table.
  TearDown();
  SetUp();
  Byg({Opg(20240101, 20241231, 1700)});
  float sums[MEDTAL_SLOTS] = {};
  SetRunPtr(&tvanfo, anfo, nullptr);
  EXPECT_EQ(Kald(sums), kUroert);
  anfo = tvanfo.wRecCnt;
  EXPECT_EQ(Kald(sums), kUroert);
}

TEST(MedOpgTimer, RoundsThroughThousandths) {
  struct {
    double timer;
    int32_t hele;
  } tab[] = {{2.5, 3}, {-2.5, -3}, {2.4996, 3}, {2.4994, 2}, {0.0, 0}, {-0.4, 0}, {1e12, 2147484}};
  for (const auto &t : tab) EXPECT_EQ(MedOpgTimer(t.timer), t.hele) << t.timer;
}

}  // namespace
