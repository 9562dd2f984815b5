// Record predicates and relation lookups on tables built in memory.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "FINDREC.h"
#include "RECPRED.h"
#include "pred_tabeller.h"
#include "win/kthread.h"

using namespace predtest;

namespace {

class PredTest : public ::testing::Test {
 protected:
  void SetUp() override { TommeTabeller(); }
  void TearDown() override {
    SaetPlanTabLaeser(nullptr);
    hPlanMutex = 0;
    FrigivAlle();
  }

  uint32_t NyAkti(const char *navn, const char *type = "", uint8_t status = 10, uint32_t uvfo = 0) {
    AktiRec a{};
    a.id = ++naesteId;
    Tekst(a.Aktivitet, navn);
    Tekst(a.Type, type);
    a.Status = status;
    a.uvfo_id = uvfo;
    return Ny(tdakti, tvakti, a);
  }
  uint32_t NyLoka(const char *nr) {
    LokaRec l{};
    l.id = ++naesteId;
    Tekst(l.Lokalenr, nr);
    l.Status = 10;
    return Ny(tdloka, tvloka, l);
  }
  uint32_t NyAnfo(const char *initialer, uint8_t status = 10, uint32_t gruppe = 1) {
    MedaRec m{};
    m.id = ++naesteId;
    Tekst(m.Initialer, initialer);
    m.Status = 10;
    AnfoRec a{};
    a.id = ++naesteId;
    a.meda_id = Ny(tdmeda, tvmeda, m);
    a.Status = status;
    a.Gruppe = gruppe;
    return Ny(tdanfo, tvanfo, a);
  }

  uint32_t naesteId = 1000;
};

// A thread that holds a mutex until told to let go.
class Holder {
 public:
  explicit Holder(HANDLE h) : t_([this, h] {
      WaitForSingleObject(h, INFINITE);
      taget_ = true;
      while (!slip_) Sleep(1);
      ReleaseMutex(h);
    }) {
    while (!taget_) Sleep(1);
  }
  ~Holder() {
    slip_ = true;
    t_.join();
  }

 private:
  std::atomic<bool> taget_{false}, slip_{false};
  std::thread t_;
};

TEST_F(PredTest, ObjectPredicates) {
  const uint32_t stjerne = NyAkti("*Pulje"), plus = NyAkti("+Tillæg"), hold = NyAkti("1a", "HOLD");
  const uint32_t holdLille = NyAkti("1b", "hold"), holdLang = NyAkti("1c", "HOLDX");
  const uint32_t ovak = NyAkti("Fri", "OVAK"), uvfo = NyAkti("Fag", "", 10, 7);
  const uint32_t st9 = NyAkti("a9", "", 9), st10 = NyAkti("a10", "", 10), st29 = NyAkti("a29", "", 29),
                 st30 = NyAkti("a30", "", 30);
  const uint32_t lStjerne = NyLoka("*Ude"), lAlm = NyLoka("A12");
  const uint32_t mStjerne = NyAnfo("*VAK"), mHash = NyAnfo("#GST"), mAlm = NyAnfo("ABC");
  const uint32_t arkiv = NyAnfo("ARK", 10, 0x80000001u), inaktiv = NyAnfo("INA", 5),
                 aktiv30 = NyAnfo("C30", 30);
  const uint32_t udenfor = tvakti.wRecCnt + 5;

  struct Tilfaelde {
    const char *navn;
    bool (*f)(uint32_t);
    uint32_t nr;
    bool svar;
  } tab[] = {
      {"IsStjerneAkti *", IsStjerneAkti, stjerne, true},
      {"IsStjerneAkti +", IsStjerneAkti, plus, false},
      {"IsPlusAkti +", IsPlusAkti, plus, true},
      {"IsPlusAkti *", IsPlusAkti, stjerne, false},
      {"IsHoldAkti HOLD", IsHoldAkti, hold, true},
      {"IsHoldAkti hold", IsHoldAkti, holdLille, false},
      {"IsHoldAkti HOLDX", IsHoldAkti, holdLang, false},
      {"IsOvakAkti OVAK", IsOvakAkti, ovak, true},
      {"IsOvakAkti HOLD", IsOvakAkti, hold, false},
      {"HasUvfoAkti set", HasUvfoAkti, uvfo, true},
      {"HasUvfoAkti 0", HasUvfoAkti, hold, false},
      {"IsInaktivAkti 9", IsInaktivAkti, st9, true},
      {"IsInaktivAkti 10", IsInaktivAkti, st10, false},
      {"IsInaktivAkti 29", IsInaktivAkti, st29, false},
      {"IsInaktivAkti 30", IsInaktivAkti, st30, true},
      {"IsInaktivAkti placeholder", IsInaktivAkti, 0, false},
      {"IsInaktivAkti past the table", IsInaktivAkti, udenfor, false},
      {"IsStjerneAkti past the table", IsStjerneAkti, udenfor, false},
      {"IsStjerneLoka *", IsStjerneLoka, lStjerne, true},
      {"IsStjerneLoka plain", IsStjerneLoka, lAlm, false},
      {"IsStjerneMeda *", IsStjerneMeda, mStjerne, true},
      {"IsStjerneMeda #", IsStjerneMeda, mHash, false},
      {"IsHashMeda #", IsHashMeda, mHash, true},
      {"IsHashMeda plain", IsHashMeda, mAlm, false},
      {"IsArkivAnfo bit 31", IsArkivAnfo, arkiv, true},
      {"IsArkivAnfo plain", IsArkivAnfo, mAlm, false},
      {"IsArkivAnfo placeholder", IsArkivAnfo, 0, false},
      {"IsInaktivAnfo 5", IsInaktivAnfo, inaktiv, true},
      {"IsInaktivAnfo 30", IsInaktivAnfo, aktiv30, true},
      {"IsInaktivAnfo 10", IsInaktivAnfo, mAlm, false},
      {"IsInaktivAnfo placeholder", IsInaktivAnfo, 0, false},
  };
  for (const Tilfaelde &t : tab) EXPECT_EQ(t.f(t.nr), t.svar) << t.navn;
}

TEST_F(PredTest, FullTextFieldsWithoutTerminatorCompareWithinTheField) {
  char felt[4] = {'H', 'O', 'L', 'D'};
  EXPECT_TRUE(FeltErTekst(felt, 4, "HOLD"));
  EXPECT_FALSE(FeltErTekst(felt, 4, "HOL"));
  EXPECT_FALSE(FeltErTekst(felt, 4, "HOLDE"));
  EXPECT_TRUE(FeltErTekstI(felt, 4, "hold"));
}

TEST_F(PredTest, RelationsInEitherOrderAndFirstInList) {
  const uint32_t a1 = NyAkti("A1"), a2 = NyAkti("A2"), a3 = NyAkti("A3");
  const uint32_t rum = NyLoka("R1"), rum2 = NyLoka("R2");
  Ny(tdalrel, tvalrel, AlrelRec{a2, rum, 10});
  Ny(tdalrel, tvalrel, AlrelRec{a3, rum, 10});
  Ny(tdalrel, tvalrel, AlrelRec{a1, rum2, 10});
  SortTab(&tdalrel, &tvalrel);
  Ny(tdskfalokarel, tvskfalokarel, SkfalokarelRec{41, rum, 10});
  SortTab(&tdskfalokarel, &tvskfalokarel);

  EXPECT_TRUE(AlrelFindes(a2, rum));
  EXPECT_TRUE(AlrelFindes(rum, a2));  // stored (activity, room), asked (room, activity)
  EXPECT_FALSE(AlrelFindes(a1, rum));
  EXPECT_TRUE(SkfalokarelFindes(rum, 41));
  EXPECT_FALSE(SkfalokarelFindes(rum2, 41));

  // 1-based list: a1 at 1, a3 at 2, a2 at 3. Related to rum: a2 and a3.
  const uint32_t liste[] = {0, a1, a3, a2};
  EXPECT_EQ(AlrelFoersteIListe(liste, 3, 'K', rum), 2u);
  EXPECT_EQ(AlrelFoersteIListe(liste, 1, 'K', rum), 0u);
  EXPECT_EQ(AlrelFoersteIListe(nullptr, 3, 'K', rum), 0u);
  EXPECT_EQ(AlrelFoersteIListe(liste, 0, 'K', rum), 0u);
  const uint32_t rumListe[] = {0, rum2, rum};
  EXPECT_EQ(AlrelFoersteIListe(rumListe, 2, 'L', a3), 2u);
  EXPECT_EQ(AlrelFoersteIListe(rumListe, 2, 'L', a1), 1u);
}

TEST_F(PredTest, SubjectDistributionsAndCompetence) {
  const uint32_t akti = NyAkti("Mat"), anfo = NyAnfo("ABC"), anden = NyAnfo("XYZ");
  FagfordlRec f1{};
  f1.Status = 10;
  f1.Fradato = 20230801;
  f1.Tildato = 20231231;
  f1.anfo_id = anfo;
  f1.akti_id = akti;
  f1.Lektionsenheder = 2.5f;
  FagfordlRec f2 = f1;
  f2.Fradato = 20240101;
  f2.Tildato = 20240731;
  f2.Lektionsenheder = -1.0f;  // not set
  const uint32_t n1 = Ny(tdfagfordl, tvfagfordl, f1), n2 = Ny(tdfagfordl, tvfagfordl, f2);
  Rec<FagfordlRec>(tvfagfordl, n1)->neste_fagfordl_fag = n2;
  SkfaRec s{};
  s.Status = 10;
  s.forste_fagfordl = n1;
  const uint32_t skfa = Ny(tdskfa, tvskfa, s);

  EXPECT_TRUE(FagfordlFindes(anfo, skfa, akti, 20231001));
  EXPECT_TRUE(FagfordlFindes(anfo, skfa, akti, 20240731));
  EXPECT_FALSE(FagfordlFindes(anfo, skfa, akti, 20240801));
  EXPECT_FALSE(FagfordlFindes(anden, skfa, akti, 20231001));
  EXPECT_FALSE(FagfordlFindes(anfo, 0, akti, 20231001));

  float v = 0;
  uint8_t flag = 0;
  EXPECT_TRUE(FagfordlLektionsenheder(20231001, akti, skfa, anfo, 20230801, 20231231, &v, &flag));
  EXPECT_FLOAT_EQ(v, 2.5f);
  EXPECT_EQ(flag, 0);
  EXPECT_TRUE(FagfordlLektionsenheder(20231001, akti, skfa, anfo, 20230801, 20240731, &v, &flag));
  EXPECT_EQ(flag, 1);
  // The only record at this date has no lesson units set.
  EXPECT_FALSE(FagfordlLektionsenheder(20240301, akti, skfa, anfo, 0, 0, &v, &flag));
  // The chain ends the search at the first record that starts after the date.
  EXPECT_FALSE(FagfordlLektionsenheder(20230701, akti, skfa, anfo, 0, 0, &v, &flag));

  UnkoRec u{};
  u.meda_id = Rec<AnfoRec>(tvanfo, anfo)->meda_id;
  u.skfa_id = skfa;
  u.Gyldig_fra = 20230101;
  u.Haves_Kompetence = 'J';
  u.Status = 10;
  Ny(tdunko, tvunko, u);
  u.meda_id = Rec<AnfoRec>(tvanfo, anden)->meda_id;
  u.Haves_Kompetence = 'N';
  Ny(tdunko, tvunko, u);
  EXPECT_TRUE(AnfoHarKompetence(anfo, skfa, 20230601));
  EXPECT_TRUE(AnfoHarKompetence(anfo, skfa, 20230101));
  EXPECT_FALSE(AnfoHarKompetence(anfo, skfa, 20221231));
  EXPECT_FALSE(AnfoHarKompetence(anden, skfa, 20230601));
  EXPECT_FALSE(AnfoHarKompetence(anfo, skfa + 1, 20230601));
}

TEST_F(PredTest, PlanningDistributionTriesThePlanMutexOnly) {
  Ny(tdfffagfordl, tvfffagfordl, FffagfordlRec{1, 20230801, 20231231, 4, 5, 6, 0, 0, 10});
  EXPECT_TRUE(FFFagfordlFindes(4, 6, 5, 20231231));
  EXPECT_FALSE(FFFagfordlFindes(4, 6, 5, 20240101));
  EXPECT_FALSE(FFFagfordlFindes(4, 5, 6, 20231001));

  hPlanMutex = CreateMutexA(nullptr, FALSE, nullptr);
  EXPECT_TRUE(FFFagfordlFindes(4, 6, 5, 20231001));
  {
    Holder h(hPlanMutex);
    EXPECT_FALSE(FFFagfordlFindes(4, 6, 5, 20231001));
  }
  EXPECT_TRUE(FFFagfordlFindes(4, 6, 5, 20231001));
  CloseHandle(hPlanMutex);
}

TEST_F(PredTest, ActivityMinuteNormChain) {
  const uint32_t plus = NyAkti("+Ekstra"), akti = NyAkti("Dansk"), tom = NyAkti("Tom");
  const uint32_t m1 = Ny(tdmiak, tvmiak, MiakRec{1, 10, akti, 20230101, 20230630, 50.0f, 0});
  const uint32_t m2 = Ny(tdmiak, tvmiak, MiakRec{2, 10, akti, 20230701, 20231231, -1.0f, 0});
  const uint32_t m3 = Ny(tdmiak, tvmiak, MiakRec{3, 10, akti, 20230801, 20240731, 55.0f, 0});
  Rec<MiakRec>(tvmiak, m1)->neste_miak = m2;
  Rec<MiakRec>(tvmiak, m2)->neste_miak = m3;
  Rec<AktiRec>(tvakti, akti)->forste_miak = m1;

  float norm = 0;
  uint8_t flag = 7;
  EXPECT_TRUE(AktiMinutnorm(20240101, plus, &norm, &flag));
  EXPECT_FLOAT_EQ(norm, 60.0f);
  EXPECT_EQ(flag, 1);

  struct {
    Dato dato;
    bool fundet;
    float norm;
  } tab[] = {
      {20230301, true, 50.0f},   // first record
      {20230901, true, 55.0f},   // the not-set record is passed over
      {20240731, true, 55.0f},
      {20221201, false, 0},      // the first record starts after the date
      {20240801, false, 0},      // past every record
  };
  for (const auto &t : tab) {
    norm = 0;
    flag = 7;
    EXPECT_EQ(AktiMinutnorm(t.dato, akti, &norm, &flag), t.fundet) << t.dato;
    EXPECT_EQ(flag, 0) << t.dato;
    if (t.fundet) {
      EXPECT_FLOAT_EQ(norm, t.norm) << t.dato;
    }
  }
  EXPECT_FALSE(AktiMinutnorm(20230301, tom, &norm, &flag));
  EXPECT_FALSE(AktiMinutnorm(20230301, tvakti.wRecCnt, &norm, &flag));
}

// A plan-figure list of a few entries behind the reader interface.
std::vector<PlanTabVaerdiPost> gPoster;
uint32_t PosterAntal() { return static_cast<uint32_t>(gPoster.size()); }
bool PostNr(uint32_t n, PlanTabVaerdiPost *p) {
  if (n < 1 || n > gPoster.size()) return false;
  *p = gPoster[n - 1];
  return true;
}

TEST_F(PredTest, PlanValueFromThePlanFigures) {
  float v = -9;
  EXPECT_FALSE(PlanTabVaerdi(1, 2, 3, &v));  // no plan figures at all

  PlanTabLaeser l{CreateMutexA(nullptr, FALSE, nullptr), PosterAntal, PostNr};
  SaetPlanTabLaeser(&l);
  gPoster = {
      {1, 2, 3, 40.0f, 1},   // an event entry
      {1, 2, 3, -1.0f, 0},   // not set
      {1, 2, 3, 45.0f, 0},   // the plan value
      {1, 2, 3, 50.0f, 0},
      {1, 2, 4, 30.0f, 2},
  };
  EXPECT_TRUE(PlanTabVaerdi(1, 2, 3, &v));
  EXPECT_FLOAT_EQ(v, 45.0f);
  // Only entries of other sources: no answer, the last value is left behind.
  v = -9;
  EXPECT_FALSE(PlanTabVaerdi(1, 2, 4, &v));
  EXPECT_FLOAT_EQ(v, 30.0f);
  EXPECT_FALSE(PlanTabVaerdi(9, 2, 3, &v));
  {
    Holder h(l.hMutex);
    EXPECT_FALSE(PlanTabVaerdi(1, 2, 3, &v));
  }
  gPoster.clear();
  EXPECT_FALSE(PlanTabVaerdi(1, 2, 3, &v));
  SaetPlanTabLaeser(nullptr);
  CloseHandle(l.hMutex);
}

}  // namespace
