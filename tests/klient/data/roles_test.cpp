// Absence codes and schedule-role kinds from the three sources: payroll
// reason codes, the activity-type code and the role's own text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RECPRED.h"
#include "ROLLER.h"
#include "pred_tabeller.h"

using namespace predtest;

namespace {

class RollerTest : public ::testing::Test {
 protected:
  void SetUp() override { TommeTabeller(); }
  void TearDown() override { FrigivAlle(); }

  uint32_t NyLoty(const char *kode, uint32_t eakt = 0) {
    LotyRec l{};
    l.id = ++id;
    Tekst(l.Aktivitetstype, kode);
    l.Status = 10;
    l.eakt_id = eakt;
    return Ny(tdloty, tvloty, l);
  }
  uint32_t NyEakt(const char *kode) {
    EaktRec e{};
    e.id = ++id;
    Tekst(e.Aktivitetstype, kode);
    e.Status = 10;
    return Ny(tdeakt, tveakt, e);
  }
  uint32_t NyRolle(const char *tekst, uint32_t loty = 0) {
    SkemarolRec r{};
    r.id = ++id;
    Tekst(r.Rolle, tekst);
    r.Status = 10;
    r.loty_id = loty;
    return Ny(tdskemarol, tvskemarol, r);
  }
  uint32_t NySls(uint32_t rol, const char *kode) {
    Sls_koderRec s{};
    s.id = ++id;
    Tekst(s.Sls_aarsagskode, kode);
    s.Skemarolle_id = rol;
    s.Status = 10;
    return Ny(tdsls_koder, tvsls_koder, s);
  }

  uint32_t id = 500;
};

TEST(AbsenceCodes, ExactCaseSensitiveLists) {
  struct {
    bool (*f)(const char *);
    std::vector<const char *> ja, nej;
  } tab[] = {
      {ErAfspadseringKode, {"AF", "A9", "13af", "16af"}, {"13AF", "af", "A", "AF ", ""}},
      {ErOmsorgKode, {"O", "O1", "O2", "BN", "21om"}, {"o", "O3", "21OM"}},
      {ErSygdomKode, {"11sy", "13sy", "19sy", "19re", "19gr", "19as", "19sd"}, {"11SY", "19s", "sy"}},
      {ErFerieKode, {"2fer", "18fr", "13fe", "20fe", "FF", "f2"}, {"ff", "F2", "2FER"}},
      {ErShKode, {"2s/h", "13sh", "18sh", "20sh", "sh", "f5"}, {"SH", "2sh", "F5"}},
  };
  for (const auto &t : tab) {
    for (const char *k : t.ja) EXPECT_TRUE(t.f(k)) << k;
    for (const char *k : t.nej) EXPECT_FALSE(t.f(k)) << k;
    EXPECT_FALSE(t.f(nullptr));
  }
}

// One role per row, set up from the three sources; the kinds it has.
enum Art : unsigned {
  AFSP = 1, OMSORG = 2, BS1 = 4, BS2 = 8, OP = 16, SYG = 32, FERIE = 64, SFERIE = 128, FRAVAER = 256,
};

TEST_F(RollerTest, RoleKindsFromEachSource) {
  struct Raekke {
    const char *rolle;
    const char *lotyKode;
    const char *eaktKode;  // null: loty without eakt
    std::vector<const char *> sls;
    unsigned arter;
  } tab[] = {
      // by SLS code
      {"U", "", nullptr, {"710"}, AFSP | FRAVAER},
      {"U", "", nullptr, {"600"}, OMSORG | FRAVAER},
      {"U", "", nullptr, {"610"}, OMSORG | FRAVAER},
      {"U", "", nullptr, {"230"}, BS1 | FRAVAER},
      {"U", "", nullptr, {"231"}, BS2 | FRAVAER},
      {"U", "", nullptr, {"630"}, OP | FRAVAER},
      {"U", "", nullptr, {"100"}, SYG | FRAVAER},
      {"U", "", nullptr, {"150"}, SYG | FRAVAER},
      {"U", "", nullptr, {"155"}, SYG | FRAVAER},
      {"U", "", nullptr, {"500"}, FERIE | FRAVAER},
      {"U", "", nullptr, {"505"}, 0},
      {"U", "", nullptr, {"71"}, 0},
      // by activity-type code
      {"U", "AF", nullptr, {}, AFSP | FRAVAER},
      {"U", "13AF", nullptr, {}, 0},
      {"U", "21om", nullptr, {}, OMSORG | FRAVAER},
      {"U", "BS1", nullptr, {}, BS1 | FRAVAER},
      {"U", "BS2", nullptr, {}, BS2 | FRAVAER},
      {"U", "OP", nullptr, {}, OP | FRAVAER},
      {"U", "op", nullptr, {}, 0},
      {"U", "19sd", nullptr, {}, SYG | FRAVAER},
      {"U", "2fer", nullptr, {}, 0},  // holiday codes make no role kind
      // the eakt code alone counts when the loty record has one
      {"U", "AF", "OP", {}, OP | FRAVAER},
      {"U", "OP", "U1", {}, 0},
      // by the role's text
      {"Afsp", "", nullptr, {}, AFSP | FRAVAER},
      {"afsp", "", nullptr, {}, 0},
      {"O", "", nullptr, {}, OMSORG | FRAVAER},
      {"o", "", nullptr, {}, OMSORG | FRAVAER},
      {"O1", "", nullptr, {}, 0},
      {"bs1", "", nullptr, {}, BS1 | FRAVAER},
      {"Bs2", "", nullptr, {}, BS2 | FRAVAER},
      {"oP", "", nullptr, {}, OP | FRAVAER},
      {"Syg", "", nullptr, {}, SYG | FRAVAER},
      {"sygdom", "", nullptr, {}, 0},
      {"SE", "", nullptr, {}, 0},
      {"Se", "", nullptr, {}, 0},
      {"SF", "", nullptr, {}, SFERIE | FRAVAER},
      {"sf", "", nullptr, {}, SFERIE | FRAVAER},
      {"Ferie", "", nullptr, {}, FERIE | FRAVAER},
      {"ferie", "", nullptr, {}, 0},
      {"U", "", nullptr, {}, 0},
  };
  for (const Raekke &r : tab) {
    for (TabVar *tv : {&tvloty, &tveakt, &tvskemarol, &tvsls_koder}) TomTabel(tv);
    uint32_t loty = 0;
    if (r.lotyKode[0]) loty = NyLoty(r.lotyKode, r.eaktKode ? NyEakt(r.eaktKode) : 0);
    const uint32_t rol = NyRolle(r.rolle, loty);
    for (const char *k : r.sls) NySls(rol, k);
    const std::string navn = std::string(r.rolle) + "/" + r.lotyKode + "/" + (r.eaktKode ? r.eaktKode : "-") +
                             "/" + (r.sls.empty() ? "" : r.sls[0]);
    EXPECT_EQ(SkemarolErAfspadsering(rol), (r.arter & AFSP) != 0) << navn;
    EXPECT_EQ(SkemarolErOmsorg(rol), (r.arter & OMSORG) != 0) << navn;
    EXPECT_EQ(SkemarolErBS1(rol), (r.arter & BS1) != 0) << navn;
    EXPECT_EQ(SkemarolErBS2(rol), (r.arter & BS2) != 0) << navn;
    EXPECT_EQ(SkemarolErOP(rol), (r.arter & OP) != 0) << navn;
    EXPECT_EQ(SkemarolErSygdom(rol), (r.arter & SYG) != 0) << navn;
    EXPECT_EQ(SkemarolErFerie(rol), (r.arter & FERIE) != 0) << navn;
    EXPECT_EQ(SkemarolErSaerligFerie(rol), (r.arter & SFERIE) != 0) << navn;
    EXPECT_EQ(SkemarolErFravaer(rol), (r.arter & FRAVAER) != 0) << navn;
  }
}

TEST_F(RollerTest, ActivityTypeCodeLookups) {
  const uint32_t eakt = NyEakt("BS2");
  const uint32_t lotyEakt = NyLoty("AF", eakt), lotyEgen = NyLoty("13af");
  const uint32_t lotyUdenEakt = NyLoty("AF", tveakt.wRecCnt + 3);  // eakt missing
  const uint32_t rEakt = NyRolle("U", lotyEakt), rEgen = NyRolle("U", lotyEgen),
                 rMangler = NyRolle("U", lotyUdenEakt), rIngen = NyRolle("U"),
                 rLotyVaek = NyRolle("U", tvloty.wRecCnt + 2);

  ASSERT_NE(SkemarolAktivitetstype(rEakt), nullptr);
  EXPECT_STREQ(SkemarolAktivitetstype(rEakt), "BS2");
  EXPECT_STREQ(SkemarolAktivitetstype(rEgen), "13af");
  EXPECT_EQ(SkemarolAktivitetstype(rMangler), nullptr);
  EXPECT_EQ(SkemarolAktivitetstype(rIngen), nullptr);
  EXPECT_EQ(SkemarolAktivitetstype(rLotyVaek), nullptr);
  EXPECT_EQ(SkemarolAktivitetstype(0), nullptr);
  EXPECT_EQ(SkemarolAktivitetstype(tvskemarol.wRecCnt), nullptr);

  char buf[AKTTYPE_LEN] = "xx";
  HentSkemarolAktivitetstype(rIngen, buf);
  EXPECT_STREQ(buf, "xx");  // nothing written
  HentSkemarolAktivitetstype(rEgen, buf);
  EXPECT_STREQ(buf, "13af");
  char lille[3];
  HentSkemarolAktivitetstype(rEgen, lille, sizeof lille);
  EXPECT_STREQ(lille, "13");  // cut to the buffer

  AktiRec a{};
  a.id = 77;
  Tekst(a.Type, "OVAK");
  a.Status = 10;
  a.loty_id = lotyEakt;
  const uint32_t akti = Ny(tdakti, tvakti, a);
  char type[AKTITYPE_LEN], kode[AKTTYPE_LEN];
  AktiTypeTekster(akti, type, kode);
  EXPECT_STREQ(type, "OVAK");
  EXPECT_STREQ(kode, "BS2");
  Rec<AktiRec>(tvakti, akti)->loty_id = 0;
  AktiTypeTekster(akti, type, kode);
  EXPECT_STREQ(kode, "");
}

TEST_F(RollerTest, PayrollCodesOfARole) {
  const uint32_t r1 = NyRolle("U"), r2 = NyRolle("V"), r3 = NyRolle("W");
  const uint32_t s1 = NySls(r1, "520");
  const uint32_t s2 = NySls(r1, "505");
  NySls(r2, "500");
  NySls(r2, "530");

  EXPECT_EQ(FindSlsKodeForSkemarol(r1), s1);
  EXPECT_EQ(FindSlsKodeForSkemarol(r3), 0u);
  EXPECT_EQ(FindSlsKode(r1, "505"), s2);
  EXPECT_EQ(FindSlsKode(r1, "50"), 0u);
  EXPECT_EQ(FindSlsKode(r2, "505"), 0u);

  struct {
    bool (*f)(uint32_t);
    uint32_t rol;
    bool svar;
  } tab[] = {
      {SkemarolHarSls505, r1, true},           {SkemarolHarSls505, r2, false},
      {SkemarolHarSls500Eller505, r1, true},   {SkemarolHarSls500Eller505, r2, true},
      {SkemarolHarSls500Eller505, r3, false},  {SkemarolHarSls520Eller530, r1, true},
      {SkemarolHarSls520Eller530, r2, true},   {SkemarolHarSls520Eller530, r3, false},
      {SkemarolHarSls505, 0, false},
  };
  for (const auto &t : tab) EXPECT_EQ(t.f(t.rol), t.svar) << t.rol;
}

}  // namespace
