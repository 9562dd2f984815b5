#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AKTICHK.h"
#include "DATO.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "OPTAEL.h"
#include "SIDEFIL.h"
#include "TALTAB.h"
#include "pred_tabeller.h"

namespace {

struct Besked {
  bool hoved;
  std::string tekst, titel;
};
std::vector<Besked> beskeder;
void Gem(bool hoved, const char *tekst, const char *titel) { beskeder.push_back({hoved, tekst, titel}); }

class AktiChk : public ::testing::Test {
 protected:
  void SetUp() override {
    predtest::TommeTabeller();
    InitPeriode(20240801, 20250731, 20240801);
    SaetAktuelDato(20241015);
    StandardIndstillinger();
    beskeder.clear();
    AktiChkKrog.Advarsel = Gem;
  }
  void TearDown() override {
    AktiChkKrog.Advarsel = nullptr;
    FreeAlleTalTabeller();
    predtest::FrigivAlle();
    StandardIndstillinger();
  }
  uint32_t NyAkti(const char *navn, uint32_t id, int32_t budget = 0) {
    AktiRec a{};
    a.id = id;
    predtest::Tekst(a.Aktivitet, navn);
    a.Status = 10;
    a.Fradato = 20240801;
    a.Tildato = 20250731;
    a.BudgetLererTimer = budget;
    return predtest::Ny(tdakti, tvakti, a);
  }
  void NyBudt(uint32_t akti, uint8_t status, Dato fra, Dato til, uint32_t timer) {
    BudtRec b{};
    b.Status = status;
    b.akti_id = akti;
    b.Startdato = fra;
    b.Slutdato = til;
    b.Laerertimer = timer;
    predtest::Ny(tdbudt, tvbudt, b);
  }
  void NyRet(uint32_t id, char laas) {
    RetRec r{};
    r.Id = id;
    r.Budget_laas = laas;
    r.Status = 10;
    predtest::Ny(tdret, tvret, r);
  }
};

TEST_F(AktiChk, PlusActivitiesCannotBeScheduled) {
  const uint32_t plus = NyAkti("+ekstra", 11), alm = NyAkti("Dansk", 12);
  struct {
    uint8_t type;
    uint32_t nr;
    int mode, svar;
    size_t beskeder;
  } tabel[] = {
      {'K', plus, 2, 0, 1}, {'K', plus, 1, 0, 0}, {'K', alm, 2, 1, 0},
      {'K', 999, 2, 1, 0},  // no such activity
      {'M', plus, 2, 1, 0}, {'L', plus, 2, 1, 0},
  };
  for (const auto &t : tabel) {
    beskeder.clear();
    EXPECT_EQ(KanSkemalaegges(t.type, t.nr, t.mode), t.svar) << t.type << " " << t.nr << " " << t.mode;
    EXPECT_EQ(beskeder.size(), t.beskeder);
  }
  KanSkemalaegges('K', plus, 2);
  ASSERT_EQ(beskeder.size(), 1u);
  EXPECT_TRUE(beskeder[0].hoved);
  EXPECT_EQ(beskeder[0].tekst, "Der kan ikke skemalægges på denne aktivitet.");
  EXPECT_EQ(beskeder[0].titel, "Advarsel");
}

TEST_F(AktiChk, BudgetHoursFromApplyingRecordsElseTheActivity) {
  const uint32_t a = NyAkti("Dansk", 11, 12), b = NyAkti("Engelsk", 12, 7), c = NyAkti("Tysk", 13, 3);
  EXPECT_EQ(AktiBudgetTimer(a), 12);
  NyBudt(b, 10, 20240801, 20241231, 10);
  NyBudt(b, 30, 20241001, 20241031, 5);
  NyBudt(b, 40, 20240801, 20241231, 100);  // deleted version
  NyBudt(b, 10, 20250101, 20250731, 100);  // not yet
  NyBudt(b, 10, 20240801, 20241014, 100);  // over
  NyBudt(c, 10, 20240801, 20241231, 0);    // applies, but adds nothing
  EXPECT_EQ(AktiBudgetTimer(b), 15);
  EXPECT_EQ(AktiBudgetTimer(c), 3);
  EXPECT_EQ(AktiBudgetTimer(0), 0);
  EXPECT_EQ(AktiBudgetTimer(tvakti.wRecCnt), 0);
  Dato fra = 0, til = 0;
  EXPECT_EQ(FindBudtPeriode(b, &fra, &til), 1);
  EXPECT_EQ(fra, 20240801u);
  EXPECT_EQ(til, 20241231u);
  EXPECT_EQ(FindBudtPeriode(a, &fra, &til), 0);
  // A budget record of activity 0 never applies to the placeholder.
  NyBudt(0, 10, 20240801, 20241231, 9);
  EXPECT_EQ(FindBudtPeriode(0, &fra, &til), 0);
}

TEST_F(AktiChk, BudgetLockRefusesHoursPastTheBudget) {
  const uint32_t a = NyAkti("Dansk", 11), fri = NyAkti("Fri", 12), n = NyAkti("Nej", 13);
  NyBudt(a, 10, 20240801, 20250731, 10);
  NyBudt(fri, 10, 20240801, 20250731, 10);
  NyBudt(n, 10, 20240801, 20250731, 10);
  NyRet(11, 'J');
  NyRet(13, 'N');
  NyRet(13, 'J');  // the first record of an activity decides
  AllokerAktiTalTab();
  for (uint32_t akti : {a, fri, n}) {
    AktiTalCelle &c = AktiTalTab[static_cast<size_t>(akti) * (TalDim.M + 1) + MaanedTilIndeks(202410)];
    c.Timer = 9.0f;
    c.TimoakTimer = 0.5f;
  }
  EXPECT_EQ(AktiTimerBrugt(a), 950);

  EXPECT_EQ(CheckBudgetLaas(a, 100), 0);
  ASSERT_EQ(beskeder.size(), 1u);
  EXPECT_FALSE(beskeder[0].hoved);
  EXPECT_EQ(beskeder[0].tekst, "Der er budgetlås på aktiviteten\nog budgettet er overskredet med      0,50 timer!");
  EXPECT_EQ(beskeder[0].titel, "Budget lås");
  beskeder.clear();
  EXPECT_EQ(CheckBudgetLaas(a, 50), 1);  // exactly the budget
  EXPECT_EQ(CheckBudgetLaas(a, 1234), 0);
  EXPECT_NE(beskeder[0].tekst.find("med     11,84 timer!"), std::string::npos);
  beskeder.clear();
  EXPECT_EQ(CheckBudgetLaas(fri, 100), 1);  // no ret record
  EXPECT_EQ(CheckBudgetLaas(n, 100), 1);    // 'N' never locks
  EXPECT_EQ(CheckBudgetLaas(0, 100), 1);
  EXPECT_EQ(CheckBudgetLaas(999, 100), 1);
  EXPECT_TRUE(beskeder.empty());
}

TEST_F(AktiChk, PlanLessonsRoundTenthsHalfUp) {
  const uint32_t a = NyAkti("Dansk", 11), b = NyAkti("Engelsk", 12);
  auto grund = [](uint32_t akti, uint32_t skfa, uint32_t anfo, uint32_t budget) {
    FfgrundRec g{};
    g.Aktivitet = akti;
    g.Skolefag = skfa;
    g.Medarbejder1 = anfo;
    g.Budget = budget;
    g.Status = 10;
    return predtest::Ny(tdffgrund, tvffgrund, g);
  };
  auto tal = [](uint32_t grund, uint32_t lek, Uge uge) {
    FftaltabRec t{};
    t.ffgrund_id = grund;
    t.Lektioner = lek;
    t.Uge = uge;
    t.Status = 10;
    predtest::Ny(tdfftaltab, tvfftaltab, t);
  };
  const uint32_t g1 = grund(a, 1, 3, 20), g2 = grund(a, 1, 4, 0x40000000u | 5), g3 = grund(b, 1, 3, 7);
  tal(g1, 15, 202440);  // 2 lessons
  tal(g1, 14, 202441);  // 1
  tal(g2, 25, 202502);  // 3, another year
  tal(g3, 4, 202440);   // 0
  tal(9999, 50, 202440);  // no plan line

  uint32_t lek = 0, bud = 0;
  EXPECT_EQ(PlanLektioner(a, 1, 0, &lek, &bud), 1);
  EXPECT_EQ(lek, 6u);
  EXPECT_EQ(bud, 20u);  // the line with bit 30 set is not counted
  lek = bud = 0;
  EXPECT_EQ(PlanLektioner(a, 1, 3, &lek, &bud), 1);
  EXPECT_EQ(lek, 3u);
  EXPECT_EQ(bud, 20u);
  lek = bud = 0;
  EXPECT_EQ(PlanLektioner(0, 1, 3, &lek, &bud), 1);
  EXPECT_EQ(lek, 3u);
  EXPECT_EQ(bud, 27u);
  lek = bud = 77;
  EXPECT_EQ(PlanLektioner(a, 2, 0, &lek, &bud), 0);  // sums of 0 are not stored
  EXPECT_EQ(lek, 77u);
  EXPECT_EQ(bud, 77u);
  lek = 0;
  EXPECT_EQ(PlanLektioner(a, 1, 0, &lek, nullptr), 1);
  GlobalIndstillinger.aktisumperaar = 1;  // only the current week's year
  lek = 0;
  EXPECT_EQ(PlanLektioner(a, 1, 0, &lek, nullptr), 1);
  EXPECT_EQ(lek, 3u);
}

TEST_F(AktiChk, PupilsOnADayOnlyInsideThePeriod) {
  const uint32_t a = NyAkti("Dansk", 11), b = NyAkti("Engelsk", 12);
  AllokerAktiTalTab();
  const int32_t d = DatoTilAbsDag(20241015) - DatoTilAbsDag(20240801);
  AktiDagTab[static_cast<size_t>(a) * (TalDim.D + 1) + d] = 17;
  AktiDagTab[static_cast<size_t>(b) * (TalDim.D + 1)] = 5;  // b's first day
  AktiDagTab[static_cast<size_t>(a) * (TalDim.D + 1) + TalDim.D] = 9;
  EXPECT_EQ(GetAktiDatoElever(a, 20241015), 17u);
  EXPECT_EQ(GetAktiDatoElever(a, 20240801), 0u);
  EXPECT_EQ(GetAktiDatoElever(a, 20250731), 9u);
  EXPECT_EQ(GetAktiDatoElever(a, 20250801), 0u);  // not b's first day
  EXPECT_EQ(GetAktiDatoElever(a, 20240731), 0u);
  EXPECT_EQ(GetAktiDatoElever(a, 20230101), 0u);
  EXPECT_EQ(GetAktiDatoElever(0, 20241015), 0u);
  FreeAktiTalTab();
  EXPECT_EQ(GetAktiDatoElever(a, 20241015), 0u);
}

// What the time-post check was asked, and what the hub answers.
struct TidspostKald {
  int meda, fra, til;
  unsigned antal;
};
std::vector<TidspostKald> tidspostKald;
char hubStatus = '0';
int HubTidspost(int meda, int fra, int til, TidspostRec *poster, unsigned antal, char *status) {
  tidspostKald.push_back({meda, fra, til, antal});
  if (hubStatus == '0' && antal) poster[0].Tal = 42;
  *status = hubStatus;
  return 0;
}

TEST_F(AktiChk, TimePostCheckOfTheEmploymentsEmployee) {
  MedaRec m{};
  m.id = 5077;
  m.Status = 10;
  const uint32_t meda = predtest::Ny(tdmeda, tvmeda, m);
  AnfoRec med{}, uden{};
  med.meda_id = meda;
  med.Status = uden.Status = 10;
  const uint32_t anfoMed = predtest::Ny(tdanfo, tvanfo, med), anfoUden = predtest::Ny(tdanfo, tvanfo, uden);
  TidspostRec poster[4] = {};
  tidspostKald.clear();

  // No check installed: no answer.
  EXPECT_FALSE(AnfoTidspostCheck(anfoMed, 20240801, 20250731, poster, 4));
  AktiChkKrog.TidspostCheck = HubTidspost;
  hubStatus = '0';
  EXPECT_TRUE(AnfoTidspostCheck(anfoMed, 20240801, 20250731, poster, 4));
  EXPECT_EQ(poster[0].Tal, 42u);
  ASSERT_EQ(tidspostKald.size(), 1u);
  EXPECT_EQ(tidspostKald[0].meda, 5077);
  EXPECT_EQ(tidspostKald[0].fra, 20240801);
  EXPECT_EQ(tidspostKald[0].til, 20250731);
  EXPECT_EQ(tidspostKald[0].antal, 4u);
  // Without an employee, or an employment, nothing is asked.
  EXPECT_FALSE(AnfoTidspostCheck(anfoUden, 20240801, 20250731, poster, 4));
  EXPECT_FALSE(AnfoTidspostCheck(tvanfo.wRecCnt, 20240801, 20250731, poster, 4));
  EXPECT_FALSE(AnfoTidspostCheck(0, 20240801, 20250731, poster, 4));
  EXPECT_EQ(tidspostKald.size(), 1u);
  // The hub answering an error.
  hubStatus = 0;
  EXPECT_FALSE(AnfoTidspostCheck(anfoMed, 20240801, 20250731, poster, 4));
  EXPECT_EQ(tidspostKald.size(), 2u);
  AktiChkKrog.TidspostCheck = nullptr;
}

TEST(ObjListeDiffer, ComparesTheJoinedRemarks) {
  const char *ab[] = {"ab", "cd"}, *a[] = {"abcd"}, *x[] = {"abce"}, *tom[] = {nullptr};
  const std::string lang(300, 'z');
  std::string lang2 = lang;
  lang2[280] = 'y';  // past the 254 characters that are compared
  const char *l1[] = {lang.c_str()}, *l2[] = {lang2.c_str()};
  struct {
    BemaerkningsLinjer a, b;
    bool differ;
  } tabel[] = {
      {{ab, 2}, {a, 1}, false},
      {{ab, 2}, {x, 1}, true},
      {{ab, 1}, {a, 1}, true},
      {{nullptr, 0}, {tom, 1}, false},
      {{nullptr, 0}, {a, 1}, true},
      {{l1, 1}, {l2, 1}, false},
  };
  for (const auto &t : tabel) EXPECT_EQ(ObjListeDiffer(t.a, t.b), t.differ);
}

}  // namespace
