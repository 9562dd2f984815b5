// The figures of the hours statement as its panes show them, read back from
// the text drawn and the pixels: a table of cases over one employment whose
// month figures were worked out by hand (Jan, Mar, Dec 2024 in the
// accounting period of 2024; Dec 2023 and Jan 2025 outside it), and the
// plan and difference panes of one employment after another.
#include "medopgvin_fixture.h"

#include <utility>

#include "MEDOPG.h"

namespace medopg_test {
namespace {

const char *const kTom7 = "_|_|_|_|_|_|_";
const char *const kTom1 = "_";

struct TalTilfaelde {
  const char *navn;
  int normsystem;
  std::vector<OpgperRec> perioder;
  void (*forbered)(uint32_t anfo);  // after the base figures; may be null
  uint8_t planGrund;                // the background of the plan and difference panes
  std::vector<std::pair<int, std::string>> forventet;
  bool somKontoen;  // "Resultat" is CalcMedOpg's Resultat
};

std::ostream &operator<<(std::ostream &o, const TalTilfaelde &t) { return o << t.navn; }

// Without the norm system, what the base figures give in every pane but the
// plan and difference ones. Norm 1700, swing -2.5, adjustment 10: norm in
// all 1707.5; read 164.75, paid out 7, read in all 157.75; result -1549.75.
const std::vector<std::pair<int, std::string>> kGrundKolonner = {
    {OPG_MND, "20|2|3|4|6|5|8"},    {OPG_MND_IALT, "48"},
    {OPG_PER, "131|3|4|5|7|6|9"},   {OPG_PER_IALT, "165"},
    {OPG_REGNSKAB, "1700|-3|10|1708|165|7|158"}, {OPG_RESULTAT, "-1550"},
};

std::vector<std::pair<int, std::string>> Med(std::vector<std::pair<int, std::string>> a,
                                             const std::vector<std::pair<int, std::string>> &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::vector<std::pair<int, std::string>> kTommePlanDiff = {
    {OPG_MND_PLAN, kTom7}, {OPG_MND_PLAN_IALT, kTom1}, {OPG_MND_DIFF, kTom7}, {OPG_MND_DIFF_IALT, kTom1},
    {OPG_PER_PLAN, kTom7}, {OPG_PER_PLAN_IALT, kTom1}, {OPG_PER_DIFF, kTom7}, {OPG_PER_DIFF_IALT, kTom1},
};

void IngenPlan(uint32_t anfo) {
  for (MaanedIndeks m = 0; m <= MedTalM; ++m)
    for (int s = 8; s <= 13; ++s) MedOpgFixture::MT(anfo, m)[s] = 0;
}

// The employee's registration period in March names the norm system's
// period April to December 2024 (months 9..17), which does not hold the
// current month.
void MaanedUdenfor(uint32_t anfo) {
  const uint32_t meda = MedOpgFixture::MedaAf(anfo);
  const uint32_t op = Ny(tdopgperiode, tvopgperiode, OpgperiodeRec{1, 0, "Efterår", 20240401, 20241231, 10});
  Ny(tdregperiode, tvregperiode, RegperiodeRec{1, op, meda, 20240301, 20240331, 740, 10});
}

void Status20(uint32_t anfo) { Rec<AnfoRec>(tvanfo, anfo)->Status = 20; }

void HalveTimer(uint32_t anfo) {
  MedOpgFixture::MT(anfo, 8)[1] = -0.5f;
  MedOpgFixture::MT(anfo, 8)[2] = 0.4f;
}

const std::vector<OpgperRec> k2024 = {Opg(20240101, 20241231, 1700)};

const TalTilfaelde kTilfaelde[] = {
    {"PlanInMedTal", 0, k2024, nullptr, 0,
     Med(kGrundKolonner,
         {{OPG_MND_PLAN, "18|1|2|3|5|4|_"}, {OPG_MND_PLAN_IALT, "33"},
          {OPG_MND_DIFF, "2|1|1|1|1|1|_"}, {OPG_MND_DIFF_IALT, "7"},
          {OPG_PER_PLAN, "78|2|3|4|6|5|_"}, {OPG_PER_PLAN_IALT, "98"},
          // 130.75 - 78 = 52.75; the total adds "Forventet" (9).
          {OPG_PER_DIFF, "53|1|1|1|1|1|_"}, {OPG_PER_DIFF_IALT, "67"}}),
     true},
    {"NormSystem", 1, k2024, MedOpgFixture::NormSystemTal, 0,
     {// Actual: teaching, planned teaching (field 4), registered time (field 1
      // / 60), the special schedule (field 2), other hours.
      {OPG_MND, "20|2|2|1|5|_|_"}, {OPG_MND_IALT, "30"},
      {OPG_MND_PLAN, "18|0|0|0|4|_|_"}, {OPG_MND_PLAN_IALT, "22"},
      {OPG_MND_DIFF, "4|0|2|1|1|_|_"}, {OPG_MND_DIFF_IALT, "8"},
      // Registered 14 + 30.25 + 12 + 5.4 + 6 = 67.65.
      {OPG_PER, "30|14|12|5|6|_|_"}, {OPG_PER_IALT, "68"},
      {OPG_PER_PLAN, "28|0|0|0|5|_|_"}, {OPG_PER_PLAN_IALT, "33"},
      {OPG_PER_DIFF, "16|0|12|5|1|_|_"}, {OPG_PER_DIFF_IALT, "35"},
      // Norm 30, deviation 37.65, paid in 120 / 60; result 67.65 + 2 - 30.
      {OPG_REGNSKAB, "30|68|38|2|_|_|_"}, {OPG_RESULTAT, "40"}},
     false},
    {"NoPlannedHours", 0, k2024, IngenPlan, 0, Med(kGrundKolonner, kTommePlanDiff), true},
    {"CurrentMonthOutsideThePeriod", 1, k2024, MaanedUdenfor, 0,
     {{OPG_MND, "20|0|0|0|5|_|_"}, {OPG_MND_IALT, "25"},
      {OPG_MND_PLAN, "0|0|0|0|0|_|_"}, {OPG_MND_PLAN_IALT, "0"},
      {OPG_MND_DIFF, "20|0|0|0|5|_|_"}, {OPG_MND_DIFF_IALT, "25"},
      {OPG_PER, "101|0|0|0|0|_|_"}, {OPG_PER_IALT, "101"},
      {OPG_PER_PLAN, "50|0|0|0|0|_|_"}, {OPG_PER_PLAN_IALT, "50"},
      {OPG_PER_DIFF, "51|0|0|0|0|_|_"}, {OPG_PER_DIFF_IALT, "51"},
      {OPG_REGNSKAB, "0|101|101|0|_|_|_"}, {OPG_RESULTAT, "101"}},
     false},
    {"PlanFromThePlanningModule", 0, k2024, MedOpgFixture::PlanFraModulet, 39,
     Med(kGrundKolonner,
         {// "Ferie m.m." and "Pæd.pulje" have no plan; "Øv. tim." sets holiday,
          // pool and other hours (6 + 4 + 5) against the planned other hours.
          {OPG_MND_PLAN, "10|1|1|_|_|2|_"}, {OPG_MND_PLAN_IALT, "14"},
          {OPG_MND_DIFF, "10|1|2|_|_|13|_"}, {OPG_MND_DIFF_IALT, "26"},
          {OPG_PER_PLAN, "30|5|7|_|_|5|_"}, {OPG_PER_PLAN_IALT, "47"},
          {OPG_PER_DIFF, "101|-2|-3|_|_|13|_"}, {OPG_PER_DIFF_IALT, "109"}}),
     true},
    {"PeriodStartsBeforeTheSchedule", 0, {Opg(20230701, 20240630, 1700)}, nullptr, 0,
     Med({{OPG_MND, "20|2|3|4|6|5|8"}, {OPG_MND_IALT, "48"}, {OPG_PER, kTom7}, {OPG_PER_IALT, kTom1},
          {OPG_REGNSKAB, kTom7}, {OPG_RESULTAT, kTom1}},
         kTommePlanDiff),
     false},
    {"StatusNeither10Nor30", 0, k2024, Status20, 0,
     Med({{OPG_MND, kTom7}, {OPG_MND_IALT, kTom1}, {OPG_PER, kTom7}, {OPG_PER_IALT, kTom1},
          {OPG_REGNSKAB, kTom7}, {OPG_RESULTAT, kTom1}},
         kTommePlanDiff),
     false},
    {"HalvesAwayFromZero", 0, k2024, HalveTimer, 0, {{OPG_MND, "20|-1|0|4|6|5|8"}, {OPG_MND_IALT, "43"}}, false},
};

bool ErPlanDiff(int rude) {
  return (rude >= OPG_MND_PLAN && rude <= OPG_MND_DIFF_IALT) || (rude >= OPG_PER_PLAN && rude <= OPG_PER_DIFF_IALT);
}

class MedOpgTal : public MedOpgFixture, public ::testing::WithParamInterface<TalTilfaelde> {};

TEST_P(MedOpgTal, PanesShowTheHandWorkedFigures) {
  const TalTilfaelde &t = GetParam();
  GlobalIndstillinger.normsystem = t.normsystem;
  Aftale(t.perioder);
  const uint32_t anfo = Ansaettelse("ANNA", "Anna Andersen");
  Tabeller();
  Grundtal(anfo);
  if (t.forbered) t.forbered(anfo);
  tvanfo.AktuelRec = anfo;
  tavo::test::ClearDrawnTexts();
  HWND h = Aabn();

  for (const auto &[rude, kolonne] : t.forventet) {
    EXPECT_EQ(Kolonne(h, rude, ErPlanDiff(rude) ? t.planGrund : 0), kolonne) << "pane " << rude;
  }
  // Nothing but the figures and their background anywhere in the panes:
  // the margins of the plan and difference panes are on their colour too.
  for (int rude = OPG_MND; rude <= OPG_RESULTAT; ++rude) {
    const std::set<COLORREF> tilladt = {FarveTab[ErPlanDiff(rude) ? t.planGrund : 0], FarveTab[16]};
    for (COLORREF c : Farver(h, rude)) EXPECT_TRUE(tilladt.count(c)) << "pane " << rude << " colour " << std::hex << c;
  }
  EXPECT_EQ(MedOpgPlanKilde, t.planGrund == 39 ? 1u : 0u);

  if (t.somKontoen) {
    float sums[MEDTAL_SLOTS] = {};
    int32_t x = 0, resultat = 12345;
    CalcMedOpg(anfo, sums, &x, &x, &x, &x, &x, &x, &x, &x, &x, &resultat, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(Kolonne(h, OPG_RESULTAT, 0), std::to_string(resultat));
  }
}

INSTANTIATE_TEST_SUITE_P(Tilfaelde, MedOpgTal, ::testing::ValuesIn(kTilfaelde),
                         [](const ::testing::TestParamInfo<TalTilfaelde> &i) { return std::string(i.param.navn); });

// The identification line names the employment shown, by the shipped
// layout of window kind 51: initials, number and name.
TEST_F(MedOpgFixture, TopStripIdentifiesTheEmployment) {
  Aftale({Opg(20240101, 20241231, 1700)});
  const uint32_t anfo = Ansaettelse("BENT", "Bent Berg");
  Tabeller();
  Grundtal(anfo);
  tvanfo.AktuelRec = anfo;
  tavo::test::ClearDrawnTexts();
  HWND h = Aabn();
  std::string linje;
  for (const auto &t : tavo::test::DrawnTexts())
    if (t.hwnd == W(h)->hwndRude[OPG_TOP]) linje += t.text + "|";
  EXPECT_EQ(linje, "BENT|01 |Bent Berg                |");
}

// Two employments: A plans in MedTal, B's plan comes from the planning
// module (its plan and difference panes on colour 39).
class MedOpgSkift : public MedOpgFixture {
 protected:
  void SetUp() override {
    MedOpgFixture::SetUp();
    ToAnsaettelser(&a, &b);
    PlanFraModulet(b);
  }
  static constexpr int kPlanDiff[] = {OPG_MND_PLAN, OPG_MND_PLAN_IALT, OPG_MND_DIFF, OPG_MND_DIFF_IALT,
                                      OPG_PER_PLAN, OPG_PER_PLAN_IALT, OPG_PER_DIFF, OPG_PER_DIFF_IALT};
  uint32_t a = 0, b = 0;
};

TEST_F(MedOpgSkift, NothingOfTheEmploymentBeforeStays) {
  tvanfo.AktuelRec = b;
  HWND h = Aabn();
  ASSERT_EQ(MedOpgPlanKilde, 1u);
  ASSERT_EQ(Kolonne(h, OPG_PER_PLAN, 39), "30|5|7|_|_|5|_");

  // B then A: row 6 and every margin of the plan and difference panes are
  // on colour 0 again.
  VisAnsaettelse(h, a);
  EXPECT_EQ(Kolonne(h, OPG_MND_PLAN, 0), "18|1|2|3|5|4|_");
  EXPECT_EQ(Kolonne(h, OPG_MND_DIFF, 0), "2|1|1|1|1|1|_");
  EXPECT_EQ(Kolonne(h, OPG_PER_PLAN, 0), "78|2|3|4|6|5|_");
  EXPECT_EQ(Kolonne(h, OPG_PER_DIFF, 0), "53|1|1|1|1|1|_");
  for (int rude : kPlanDiff)
    EXPECT_EQ(Farver(h, rude), (std::set<COLORREF>{FarveTab[0], FarveTab[16]})) << "pane " << rude;

  // A then B: rows 3 and 4 keep nothing of A's figures.
  VisAnsaettelse(h, b);
  EXPECT_EQ(Kolonne(h, OPG_MND_PLAN, 39), "10|1|1|_|_|2|_");
  EXPECT_EQ(Kolonne(h, OPG_MND_DIFF, 39), "10|1|2|_|_|13|_");
  EXPECT_EQ(Kolonne(h, OPG_PER_PLAN, 39), "30|5|7|_|_|5|_");
  EXPECT_EQ(Kolonne(h, OPG_PER_DIFF, 39), "101|-2|-3|_|_|13|_");
  for (int rude : kPlanDiff)
    EXPECT_EQ(Farver(h, rude), (std::set<COLORREF>{FarveTab[39], FarveTab[16]})) << "pane " << rude;

  // No employment at all: an empty statement, without B's colour.
  VisAnsaettelse(h, 0);
  EXPECT_EQ(MedOpgPlanKilde, 0u);
  for (int rude = OPG_TOP; rude <= OPG_RESULTAT; ++rude)
    EXPECT_EQ(Farver(h, rude), std::set<COLORREF>{FarveTab[0]}) << "pane " << rude;
}

}  // namespace
}  // namespace medopg_test
