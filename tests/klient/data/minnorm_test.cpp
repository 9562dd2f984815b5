// Minute-norm rules: the step that sets the calculation code and the norm it
// gives, the regulation by the terms of employment, and the clock helpers.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "FINDREC.h"
#include "INDSTIL.h"
#include "MEDPER.h"
#include "MINNORM.h"
#include "RECPRED.h"
#include "TAVODATA.h"
#include "pred_tabeller.h"

using namespace predtest;

namespace {

constexpr Dato kDato = 20231015;

// One employment under terms and an agreement, a subject, a plain activity
// and roles of each kind the steps read.
struct Verden {
  uint32_t anfo, ansk, araf, skfa, akti, plus, ovak, reserveret, udgr;
  uint32_t rEks, rNej, rFri, rAlm, rSls;
};

std::vector<PlanTabVaerdiPost> gPlan;
uint32_t PlanAntal() { return static_cast<uint32_t>(gPlan.size()); }
bool PlanPost(uint32_t n, PlanTabVaerdiPost *p) {
  if (n < 1 || n > gPlan.size()) return false;
  *p = gPlan[n - 1];
  return true;
}

class MinNormTest : public ::testing::Test {
 public:
  void SetUp() override {
    TommeTabeller();
    GlobalIndstillinger.normsystem = 0;
    GlobalIndstillinger.afrunding = 0;
    Verden &w = v;
    MedaRec m{};
    m.id = 11;
    m.Status = 10;
    AnfoRec a{};
    a.id = 12;
    a.meda_id = Ny(tdmeda, tvmeda, m);
    a.Status = 10;
    w.anfo = Ny(tdanfo, tvanfo, a);
    ArafRec af{};
    af.id = 13;
    af.Status = 10;
    af.ac_minut_norm = 'N';
    w.araf = Ny(tdaraf, tvaraf, af);
    AnskRec k{};
    k.id = 14;
    k.anfo_id = w.anfo;
    k.Status = 10;
    k.araf_id = w.araf;
    k.Gyldig_fra = 20230801;
    k.Gyldig_til = 20240731;
    w.ansk = Ny(tdansk, tvansk, k);
    UdgrRec u{};
    u.id = 15;
    u.Status = 10;
    w.udgr = Ny(tdudgr, tvudgr, u);
    SkfaRec s{};
    s.id = 16;
    s.Status = 10;
    w.skfa = Ny(tdskfa, tvskfa, s);
    w.akti = NyAkti("Dansk", "");
    w.plus = NyAkti("+Tillæg", "");
    w.ovak = NyAkti("Fri", "OVAK");
    AktiRec res{};
    res.id = RESERVERET_ID_OMSORG;
    Tekst(res.Aktivitet, "Omsorg");
    res.Status = 10;
    w.reserveret = Ny(tdakti, tvakti, res);

    SkemrtypRec t{};
    t.id = 17;
    Tekst(t.Rolletype, "Ekstern");
    t.Status = 10;
    const uint32_t typE = Ny(tdskemrtyp, tvskemrtyp, t);
    w.rEks = NyRolle("U", typE, 'J');
    w.rNej = NyRolle("U", 0, 'N');
    w.rFri = NyRolle("F", 0, 'J');
    w.rAlm = NyRolle("U", 0, 'J');
    w.rSls = NyRolle("X", 0, 'J');
    Sls_koderRec sls{};
    sls.id = 18;
    Tekst(sls.Sls_aarsagskode, "420");
    sls.Skemarolle_id = w.rSls;
    sls.Status = 10;
    Ny(tdsls_koder, tvsls_koder, sls);
    BuildMedPer();
  }
  void Nulstil() {
    SaetPlanTabLaeser(nullptr);
    gPlan.clear();
    FreeMedPer();
    GlobalIndstillinger.afrunding = 0;
  }
  void TearDown() override {
    Nulstil();
    FrigivAlle();
  }

  uint32_t NyAkti(const char *navn, const char *type) {
    AktiRec a{};
    a.id = ++id;
    Tekst(a.Aktivitet, navn);
    Tekst(a.Type, type);
    a.Status = 10;
    a.udgr_id = v.udgr;
    return Ny(tdakti, tvakti, a);
  }
  uint32_t NyRolle(const char *tekst, uint32_t typ, char timeposter) {
    SkemarolRec r{};
    r.id = ++id;
    Tekst(r.Rolle, tekst);
    r.Status = 10;
    r.skemrtyp_id = typ;
    r.Genererer_timeposter = timeposter;
    return Ny(tdskemarol, tvskemarol, r);
  }
  uint32_t NyAcsa(float norm) {
    AcsaRec c{};
    c.id = ++id;
    c.Status = 10;
    c.Minutnorm = norm;
    return Ny(tdacsa, tvacsa, c);
  }
  void AcNorm() { Rec<ArafRec>(tvaraf, v.araf)->ac_minut_norm = 'J'; }
  void Skph(uint32_t akti, uint32_t acsa, char afregning) {
    SkphRec p{};
    p.akti_id = akti;
    p.skfa_id = v.skfa;
    p.Status = 10;
    p.acsa_id = acsa;
    p.Afregningsform = afregning;
    Ny(tdskph, tvskph, p);
    SortTab(&tdskph, &tvskph);
  }
  // A distribution of this employment and activity, in the subject's chain
  // (iAnfoKaede false) or the employment's.
  void Fagfordl(float norm, bool iAnfoKaede) {
    FagfordlRec f{};
    f.Status = 10;
    f.Fradato = 20230801;
    f.Tildato = 20231231;
    f.anfo_id = v.anfo;
    f.akti_id = v.akti;
    f.Lektionsenheder = 1;
    f.Minutnorm = norm;
    const uint32_t n = Ny(tdfagfordl, tvfagfordl, f);
    if (iAnfoKaede)
      Rec<AnfoRec>(tvanfo, v.anfo)->forste_fagfordl = n;
    else
      Rec<SkfaRec>(tvskfa, v.skfa)->forste_fagfordl = n;
  }
  void Miak(uint32_t akti, float norm) {
    const uint32_t n = Ny(tdmiak, tvmiak, MiakRec{++id, 10, akti, 20230101, 20241231, norm, 0});
    Rec<AktiRec>(tvakti, akti)->forste_miak = n;
  }
  void Minutfau(uint32_t udgr, float norm) {
    const uint32_t n =
        Ny(tdminutfau, tvminutfau, MinutfauRec{++id, 10, v.skfa, udgr, 20230101, 20241231, norm, 0});
    Rec<SkfaRec>(tvskfa, v.skfa)->forste_minutfau = n;
  }
  void Minutud(float norm) {
    const uint32_t n = Ny(tdminutud, tvminutud, MinutudRec{++id, 10, v.udgr, 20230101, 20241231, norm, 0});
    Rec<UdgrRec>(tvudgr, v.udgr)->forste_minutud = n;
  }
  void Plan(float vaerdi) {
    static PlanTabLaeser l{0, PlanAntal, PlanPost};
    gPlan = {{v.anfo, v.akti, v.skfa, vaerdi, 0}};
    SaetPlanTabLaeser(&l);
  }
  void Regulering(float r) { Rec<AnskRec>(tvansk, v.ansk)->Minutnorm_regulering = r; }

  Verden v{};
  uint32_t id = 100;
};

TEST_F(MinNormTest, EachStepAndItsCode) {
  // Which employment, role, activity: selectors into the world.
  struct Tilfaelde {
    const char *navn;
    std::function<void(MinNormTest &)> opsaet;
    uint32_t Verden::*anfo;  // null: no employment
    uint32_t Verden::*rol;
    uint32_t Verden::*akti;  // null: no activity
    float fallback;
    float plan;
    uint8_t beregn;
    float norm;
  } tab[] = {
      {"0: external role type, even without employment", nullptr, nullptr, &Verden::rEks, &Verden::akti, 0, -1, 4, 0},
      {"0: external role type", nullptr, &Verden::anfo, &Verden::rEks, &Verden::akti, 0, -1, 4, 0},
      {"1: no employment, absence role", nullptr, nullptr, &Verden::rFri, &Verden::akti, 0, -1, 1, 0},
      {"2: role makes no hours", nullptr, &Verden::anfo, &Verden::rNej, &Verden::akti, 0, -1, 4, 0},
      {"3: no activity, absence role", nullptr, &Verden::anfo, &Verden::rFri, nullptr, 0, -1, 5, 60},
      {"3: reserved activity, absence role", nullptr, &Verden::anfo, &Verden::rFri, &Verden::reserveret, 0, -1, 5, 60},
      {"3: no activity, other role", nullptr, &Verden::anfo, &Verden::rAlm, nullptr, 0, -1, 2, 0},
      {"3: reserved activity, other role", nullptr, &Verden::anfo, &Verden::rAlm, &Verden::reserveret, 0, -1, 2, 0},
      {"4: plan value equal to the plan figure",
       [](MinNormTest &t) { t.Plan(45); }, &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, 45, 16, 45},
      {"4: plan value other than the plan figure",
       [](MinNormTest &t) { t.Plan(45); }, &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, 50, 12, 50},
      {"4: plan value without plan figures", nullptr, &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, 0, 12, 0},
      {"5: agreement rate of the activity",
       [](MinNormTest &t) {
         t.AcNorm();
         Rec<AktiRec>(tvakti, t.v.akti)->acsa_id = t.NyAcsa(52);
       },
       &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, -1, 13, 52},
      {"5: rate of the activity's subject placement",
       [](MinNormTest &t) {
         t.AcNorm();
         Rec<AktiRec>(tvakti, t.v.akti)->acsa_id = t.NyAcsa(52);
         t.Skph(t.v.akti, t.NyAcsa(48), 'L');
       },
       &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, -1, 13, 48},
      {"5: placement settled by agreement 'A' ends the step",
       [](MinNormTest &t) {
         t.AcNorm();
         Rec<AktiRec>(tvakti, t.v.akti)->acsa_id = t.NyAcsa(52);
         t.Skph(t.v.akti, t.NyAcsa(48), 'A');
       },
       &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, -1, 6, 60},
      {"5: not without 'J' on the agreement",
       [](MinNormTest &t) { Rec<AktiRec>(tvakti, t.v.akti)->acsa_id = t.NyAcsa(52); },
       &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, -1, 6, 60},
      {"5: not for an OVAK activity",
       [](MinNormTest &t) {
         t.AcNorm();
         Rec<AktiRec>(tvakti, t.v.ovak)->acsa_id = t.NyAcsa(52);
       },
       &Verden::anfo, &Verden::rAlm, &Verden::ovak, 0, -1, 6, 60},
      {"5: a rate not set", [](MinNormTest &t) {
         t.AcNorm();
         Rec<AktiRec>(tvakti, t.v.akti)->acsa_id = t.NyAcsa(-1);
       },
       &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, -1, 6, 60},
      {"6: distribution in the subject's chain", [](MinNormTest &t) { t.Fagfordl(45, false); },
       &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, -1, 11, 45},
      {"6: distribution in the employment's chain", [](MinNormTest &t) { t.Fagfordl(47, true); },
       &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, -1, 11, 47},
      {"6: distribution norm not set", [](MinNormTest &t) { t.Fagfordl(-1, false); },
       &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, -1, 6, 60},
      {"7: activity minute norm", [](MinNormTest &t) { t.Miak(t.v.akti, 50); },
       &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, -1, 9, 50},
      {"7: '+' activity counts nothing", nullptr, &Verden::anfo, &Verden::rAlm, &Verden::plus, 0, -1, 9, 0},
      {"8: subject norm of the education group", [](MinNormTest &t) { t.Minutfau(t.v.udgr, 42); },
       &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, -1, 8, 42},
      {"8: subject norm of another group", [](MinNormTest &t) { t.Minutfau(t.v.udgr + 1, 42); },
       &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, -1, 6, 60},
      {"9: education group norm", [](MinNormTest &t) { t.Minutud(44); },
       &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, -1, 7, 44},
      {"9: not for an OVAK activity", [](MinNormTest &t) { t.Minutud(44); },
       &Verden::anfo, &Verden::rAlm, &Verden::ovak, 0, -1, 6, 60},
      {"10: role with a payroll code", nullptr, &Verden::anfo, &Verden::rSls, &Verden::akti, 0, -1, 15, 60},
      {"11: nothing applies", nullptr, &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, -1, 6, 60},
      {"11: the fallback norm", nullptr, &Verden::anfo, &Verden::rAlm, &Verden::akti, 40, -1, 6, 40},
      {"11: a negative fallback is no norm", nullptr, &Verden::anfo, &Verden::rAlm, &Verden::akti, -3, -1, 6, 60},
      {"14: terms regulate a step-6 norm",
       [](MinNormTest &t) {
         t.Fagfordl(45, false);
         t.Regulering(-5);
       },
       &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, -1, 14, 40},
      {"14: regulation of the standard norm", [](MinNormTest &t) { t.Regulering(2.5f); },
       &Verden::anfo, &Verden::rAlm, &Verden::akti, 0, -1, 14, 62.5f},
      {"14: no regulation of a zero norm", [](MinNormTest &t) { t.Regulering(-5); },
       &Verden::anfo, &Verden::rAlm, &Verden::plus, 0, -1, 9, 0},
      {"14: no regulation of code 4", [](MinNormTest &t) { t.Regulering(-5); },
       &Verden::anfo, &Verden::rNej, &Verden::akti, 0, -1, 4, 0},
  };
  for (const Tilfaelde &c : tab) {
    Nulstil();
    SetUp();
    if (c.opsaet) c.opsaet(*this);
    float norm = -7;
    uint8_t beregn = 99;
    BeregnMinutnorm(kDato, c.anfo ? v.*c.anfo : 0, v.*c.rol, c.fallback, c.akti ? v.*c.akti : 0, v.skfa,
                    &norm, &beregn, c.plan);
    EXPECT_EQ(beregn, c.beregn) << c.navn;
    EXPECT_FLOAT_EQ(norm, c.norm) << c.navn;
  }
}

TEST_F(MinNormTest, RegulationFollowsTheTermsAtTheDate) {
  Regulering(-5);
  float norm = 0;
  uint8_t beregn = 0;
  // After the terms end the employment has no terms: no regulation.
  BeregnMinutnorm(20240801, v.anfo, v.rAlm, 0, v.akti, v.skfa, &norm, &beregn, -1);
  EXPECT_EQ(beregn, 6);
  EXPECT_FLOAT_EQ(norm, 60);
  BeregnMinutnorm(20240731, v.anfo, v.rAlm, 0, v.akti, v.skfa, &norm, &beregn, -1);
  EXPECT_EQ(beregn, 14);
  EXPECT_FLOAT_EQ(norm, 55);
}

TEST_F(MinNormTest, AnAnswerHoldsOnEveryDateOfItsSpan) {
  // Chains whose records start and end inside two years: a distribution
  // for the autumn term, two activity norms with a gap between them, a
  // subject norm for the autumn, an education-group norm that ends, terms
  // with a regulation for one school year.
  Fagfordl(45, false);
  const uint32_t m2 = Ny(tdmiak, tvmiak, MiakRec{++id, 10, v.ovak, 20240101, 20241231, 55, 0});
  Rec<AktiRec>(tvakti, v.ovak)->forste_miak =
      Ny(tdmiak, tvmiak, MiakRec{++id, 10, v.ovak, 20230101, 20230630, 50, m2});
  Rec<SkfaRec>(tvskfa, v.skfa)->forste_minutfau =
      Ny(tdminutfau, tvminutfau, MinutfauRec{++id, 10, v.skfa, v.udgr, 20230901, 20231130, 42, 0});
  Rec<UdgrRec>(tvudgr, v.udgr)->forste_minutud =
      Ny(tdminutud, tvminutud, MinutudRec{++id, 10, v.udgr, 20230301, 20240415, 44, 0});
  Regulering(-5);
  BuildMedPer();

  std::vector<Dato> dage;
  for (uint32_t n = DatoTilDagNr(20230101); n <= DatoTilDagNr(20241231); ++n) dage.push_back(DagNrTilDato(n));
  struct Tilfaelde {
    const char *navn;
    uint32_t akti, rol;
    float plan;
  } const tilfaelde[] = {
      {"distribution, then subject norm, then group norm", v.akti, v.rAlm, -1},
      {"activity norms with a gap", v.ovak, v.rAlm, -1},
      {"a plan value, regulated by the terms", v.akti, v.rAlm, 45},
      {"a payroll-code role", v.plus, v.rSls, -1},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    std::vector<std::pair<float, uint8_t>> svar;
    std::vector<DatoSpan> spans;
    for (Dato d : dage) {
      float norm = -7;
      uint8_t beregn = 99;
      DatoSpan span;
      BeregnMinutnorm(d, v.anfo, t.rol, 0, t.akti, v.skfa, &norm, &beregn, t.plan, &span);
      svar.push_back({norm, beregn});
      spans.push_back(span);
      // The same answer without a span.
      float n2 = -7;
      uint8_t b2 = 99;
      BeregnMinutnorm(d, v.anfo, t.rol, 0, t.akti, v.skfa, &n2, &b2, t.plan);
      ASSERT_EQ(n2, norm) << d;
      ASSERT_EQ(b2, beregn) << d;
      // And without the code, which leaves the plan list unasked.
      float n3 = -7;
      DatoSpan span3;
      BeregnMinutnorm(d, v.anfo, t.rol, 0, t.akti, v.skfa, &n3, nullptr, t.plan, &span3);
      ASSERT_EQ(n3, norm) << d;
      ASSERT_EQ(span3.fra, span.fra) << d;
      ASSERT_EQ(span3.til, span.til) << d;
    }
    std::set<std::pair<Dato, Dato>> forskellige;
    for (size_t i = 0; i < dage.size(); ++i) {
      ASSERT_TRUE(spans[i].Holder(dage[i])) << dage[i];
      forskellige.insert({spans[i].fra, spans[i].til});
      for (size_t j = 0; j < dage.size(); ++j)
        if (spans[i].Holder(dage[j])) { ASSERT_EQ(svar[j], svar[i]) << dage[i] << " holds on " << dage[j]; }
    }
    // The spans follow the records' dates, not single days.
    EXPECT_LE(forskellige.size(), 12u);
  }
}

TEST_F(MinNormTest, PlannedLineHours) {
  Miak(v.akti, 45);
  // Three lessons (30 tenths) of 45 minutes.
  EXPECT_FLOAT_EQ(BeregnPlanTimer(v.akti, v.anfo, v.skfa, kDato, 30, -1), 2.25f);
  // A planned line has no role: a missing or reserved activity counts nothing.
  EXPECT_FLOAT_EQ(BeregnPlanTimer(0, v.anfo, v.skfa, kDato, 30, -1), 0.0f);
  EXPECT_FLOAT_EQ(BeregnPlanTimer(v.reserveret, v.anfo, v.skfa, kDato, 30, -1), 0.0f);
  // The plan value stands in for the norm.
  EXPECT_FLOAT_EQ(BeregnPlanTimer(v.akti, v.anfo, v.skfa, kDato, 20, 30), 1.0f);
}

TEST(MinutterTilTimerTest, RoundsToHundredthsOnlyWhenSet) {
  GlobalIndstillinger.afrunding = 0;
  EXPECT_NEAR(MinutterTilTimer(50, 1), 50.0 / 60.0, 1e-6);
  GlobalIndstillinger.afrunding = 1;
  EXPECT_NEAR(MinutterTilTimer(50, 1), 0.83, 1e-6);
  EXPECT_NEAR(MinutterTilTimer(45, 1), 0.75, 1e-6);
  EXPECT_NEAR(MinutterTilTimer(50, -1), -0.83, 1e-6);
  EXPECT_NEAR(MinutterTilTimer(55, 1), 0.92, 1e-6);  // 0.91666 up
  GlobalIndstillinger.afrunding = 0;
}

TEST(ClockTime, EndTimesMinutesAndHoursUntil) {
  struct {
    Klokkeslaet start;
    float varighed;
    Klokkeslaet slut;
    float rundet;
  } slut[] = {
      {2330, 1.0f, 2400, 1.0f},       // capped at midnight, not 2430
      {950, 0.5f, 1020, 0.5f},         // 09:50 + 30 minutes carries into the hour
      {800, 0.33f, 820, 20.0f / 60},   // 33 hundredths are 19.8, rounded 20 minutes
      {800, 0.334f, 820, 20.0f / 60},  // duration first rounded to hundredths
      {800, 1.76f, 946, 106.0f / 60},  // 60 + 45.6 -> 106 minutes
      {1200, 0.0f, 1200, 0.0f},
      {2200, 3.0f, 2400, 3.0f},
  };
  for (const auto &t : slut) {
    float v = t.varighed;
    EXPECT_EQ(BeregnSluttid(t.start, &v), t.slut) << t.start << " + " << t.varighed;
    EXPECT_NEAR(v, t.rundet, 1e-5) << t.start << " + " << t.varighed;
  }

  struct {
    Klokkeslaet a, b;
    uint32_t min;
  } mellem[] = {{950, 1010, 20}, {1010, 950, 20}, {0, 2400, 1440}, {1230, 1230, 0}, {759, 800, 1}};
  for (const auto &t : mellem) EXPECT_EQ(MinutterMellem(t.a, t.b), t.min) << t.a << "-" << t.b;

  struct {
    int32_t start;
    float tid;
    float timer;
  } til[] = {
      {480, 9.5f, 1.5f},        // 08:00 to 9.5 h
      {480, 8.0f, 0.0f},        // not after the start
      {480, 7.0f, 0.0f},
      {0, 0.29f, 17.0f / 60},   // 29 hundredths, not 28, give 17 minutes
      {480, 8.25f, 15.0f / 60},
  };
  for (const auto &t : til) EXPECT_NEAR(BeregnTimerTil(t.start, t.tid), t.timer, 1e-5) << t.tid;
}

}  // namespace
