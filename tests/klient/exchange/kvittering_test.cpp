// The central system's receipts: "B-"/"B+" on the posting rows, "S-"/"S+"
// on the event rows, the plan receipts on the six planning tables, and the
// places from a line that lie outside the period's buckets or tables.
#include "KROGE.h"
#include "skole_fixture.h"
#include "ImpData.h"
#include "ImpRetur.h"
#include "ImpTabel.h"
#include "ImpTimoak.h"
#include "LOGFIL.h"

namespace {

using namespace skoletest;

class Kvittering : public Skole {
 protected:
  void SetUp() override {
    Skole::SetUp();
    FremmedFlag = 0;
    InstallerImportKroge();
    gemtFlush = LogFlush;
    LogFlush = 1;
    AabnLog();
  }
  void TearDown() override {
    LukLog();
    LogFlush = gemtFlush;
    FremmedFlag = 0;
    Skole::TearDown();
  }

  // The section (header and lines) through its reader; the header the
  // reader stopped at ("" at the end of the file).
  std::string Koer(char *(*laes)(FILE *, char *), const std::string &afsnit) {
    FILE *f = tmpfile();
    fputs(afsnit.c_str(), f);
    rewind(f);
    char linje[IMPORT_LINJE_LEN + 1];
    LaesImportLinje(f, linje, sizeof linje);
    const char *naeste = laes(f, linje);
    std::string ud = naeste ? naeste : "";
    fclose(f);
    while (!ud.empty() && (ud.back() == '\n' || ud.back() == '\r')) ud.pop_back();
    return ud;
  }
  // A whole import body through the driver's section loop.
  void Driver(const std::string &krop) {
    FILE *f = tmpfile();
    fputs(krop.c_str(), f);
    rewind(f);
    char linje[IMPORT_LINJE_LEN + 1];
    ImportStatus st{};
    LaesImportAfsnit(f, nullptr, linje, &st);
    fclose(f);
  }
  int gemtFlush = 0;
  std::string TavoLog() const { return LaesFil(rod / "log" / "tavo.log"); }

  // An event of n rows from a new row of the week; its first row.
  uint32_t Begivenhed(Uge uge, uint32_t n, uint32_t status) {
    const uint32_t foerste = SkeRaekke(uge, status, kEgen);
    for (uint32_t i = 1; i < n; ++i) {
      const uint32_t r = SkeRaekke(uge, status, kEgen);
      reinterpret_cast<SkeRec *>(GetRec(&tdske, SkemabegBucket(uge), r))->Forste = foerste;
    }
    return foerste;
  }
  static uint32_t Status(Uge uge, uint32_t r) { return Ske(uge, r).Status; }
};

}  // namespace

TEST_F(Kvittering, PostingDeletionsAndNewPostings) {
  const uint32_t doed = TimRaekke(20250203, 32, kEgen), slet = TimRaekke(20250203, 64 | 8, kEgen),
                 afvis = TimRaekke(20250203, 64 | 8, kEgen);
  EXPECT_EQ(Koer(timoakSletRetur, "@B-\r\n2025,2," + std::to_string(doed) + ",0,0\r\n2025;2;" +
                                      std::to_string(slet) + ";0;0\r\n2025,2," + std::to_string(afvis) +
                                      ",5,9\r\n@S-\r\n"),
            "@S-");
  EXPECT_EQ(+Tim(20250203, doed).Status, 32);  // not live: untouched
  EXPECT_EQ(+Tim(20250203, slet).Status, 0);
  const TimoakRaekke a = Tim(20250203, afvis);
  EXPECT_EQ(+a.Status, 102);
  EXPECT_EQ(+a.Fejl, 5);
  EXPECT_EQ(+a.Konflikt, 9);

  struct {
    uint8_t foer;
    int fejl, vaerdi;
    uint8_t efter;
    uint32_t id;
    uint8_t konflikt;
  } const tilfaelde[] = {
      {64, 0, 4711, 96, 4711, 0},
      {64 | 8, 0, 4712, 104, 4712, 0},  // deleted meanwhile: the deleted bit stays
      {64 | 8, 61, 0, 0, 0, 0},         // refused and deleted: gone
      {64, 61, 0, 68, 0, 0},
      {64, 61, 9, 70, 0, 9},
      {32, 0, 4713, 32, 0, 0},          // not awaiting an answer
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(int(t.foer) * 1000 + t.fejl);
    const uint32_t r = TimRaekke(20250204, t.foer, kEgen, 1, 1);
    EXPECT_EQ(Koer(timoakNewRetur, "@B+\n2025,2," + std::to_string(r) + "," + std::to_string(t.fejl) + "," +
                                       std::to_string(t.vaerdi) + "\n"),
              "");
    const TimoakRaekke x = Tim(20250204, r);
    EXPECT_EQ(+x.Status, t.efter);
    if (t.efter & 64) {
      EXPECT_EQ(+x.Konflikt, t.konflikt);
      if (t.fejl == 0) {
        EXPECT_EQ(+x.id, t.id);
      }
      EXPECT_EQ(+x.Fejl, t.efter & 4 ? t.fejl : 0);
    }
  }
}

TEST_F(Kvittering, NewPostingsAddRelationsOnlyAfterForeignData) {
  const uint32_t akti = Akti(1), anfo = Anfo(2);
  const uint32_t r = TimRaekke(20250203, 64, kEgen, akti, anfo);
  for (int fremmed : {0, 1}) {
    SCOPED_TRACE(fremmed);
    FremmedFlag = fremmed;
    reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, TimoakBucket(202502), r))->Status = 64;
    const uint32_t foer = AakrelAntal();
    Koer(timoakNewRetur, "@B+\n2025,2," + std::to_string(r) + ",0,77\n");
    EXPECT_EQ(AakrelAntal() > foer, fremmed == 1);
  }
}

TEST_F(Kvittering, EventDeletionsTakeEveryRowOfTheEvent) {
  const Uge uge = 202506;
  const uint32_t a = Begivenhed(uge, 3, 64 | 8), b = Begivenhed(uge, 2, 64 | 8), c = Begivenhed(uge, 2, 32);
  Koer(skemaSletRetur, "@S-\n2025,6," + std::to_string(a) + ",0,0\n2025,6," + std::to_string(c) + ",12,4\n");
  for (uint32_t r = a; r < a + 3; ++r) EXPECT_EQ(Status(uge, r), 0u) << r;
  for (uint32_t r = b; r < b + 2; ++r) EXPECT_EQ(Status(uge, r), 72u) << r;  // the next event stays
  for (uint32_t r = c; r < c + 2; ++r) {
    // The live bit is not tested for deletions.
    EXPECT_EQ(Status(uge, r), 102u);
    EXPECT_EQ(+Ske(uge, r).Fejl, 12);
    EXPECT_EQ(+Ske(uge, r).Konflikt, 4);
  }
}

TEST_F(Kvittering, NewEventsAreUpdatedWholeFromTheirFirstRow) {
  const Uge uge = 202506;
  const uint32_t a = Begivenhed(uge, 3, 64), b = Begivenhed(uge, 3, 64), c = Begivenhed(uge, 2, 64);
  Koer(skemaNewRetur, "@S+\n"
                      "2025,6," + std::to_string(a + 1) + ",0,0815,0900,5001,45678.25\n"
                      "2025,6," + std::to_string(b) + ",17,0830,0915,2,0\n"
                      "2025,6," + std::to_string(c) + ",61,0830,0915,1,9\n");
  for (uint32_t r = a; r < a + 3; ++r) {
    const SkeRec s = Ske(uge, r);
    EXPECT_EQ(+s.Status, 96u);
    EXPECT_EQ(+s.id, 5001u);
    EXPECT_EQ(+s.Starttid, 815u);
    EXPECT_EQ(+s.Sluttid, 900u);
    EXPECT_DOUBLE_EQ(+s.opdtid, 45678.25);
  }
  // Error 17 says the activity is booked: conflict bit on every row, the
  // named participant marked.
  EXPECT_EQ(Status(uge, b), 70u);
  EXPECT_EQ(Status(uge, b + 1), 71u);
  EXPECT_EQ(Status(uge, b + 2), 70u);
  EXPECT_EQ(+Ske(uge, b + 1).Fejl, 17);
  EXPECT_EQ(Status(uge, c), 71u);
  EXPECT_EQ(Status(uge, c + 1), 70u);
  EXPECT_EQ(+Ske(uge, c).Konflikt, 9);
}

TEST_F(Kvittering, PlacesOutsideThePeriodAreSkippedAndLogged) {
  const uint32_t t = TimRaekke(20250203, 64, kEgen);
  const uint32_t s = Begivenhed(202506, 1, 64);
  const std::string no = std::to_string(t), sno = std::to_string(s);
  Koer(timoakNewRetur, "@B+\n2031,2," + no + ",0,1\n2025,13," + no + ",0,1\n2025,2,999,0,1\n0,2,1,0,1\n");
  Koer(timoakSletRetur, "@B-\n2031,2," + no + ",0,0\n1900,2," + no + ",0,0\n2025,2,999,0,0\n");
  Koer(skemaSletRetur, "@S-\n2031,6," + sno + ",0,0\n2025,54," + sno + ",0,0\n2025,6,999,0,0\n");
  Koer(skemaNewRetur, "@S+\n2023,6," + sno + ",0,1,2,3,4\n2025,6,999,0,1,2,3,4\n");
  EXPECT_EQ(+Tim(20250203, t).Status, 64);
  EXPECT_EQ(Status(202506, s), 64u);
  const std::string log = TavoLog();
  EXPECT_NE(log.find("timoakNewRetur() - aar: 2031 mnd: 2 no: " + no + ". Ugyldig værdi i importlinje"),
            std::string::npos);
  EXPECT_NE(log.find("timoakNewRetur() - aar: 0 mnd: 2 no: 1. Ugyldig værdi i importlinje"), std::string::npos);
  EXPECT_NE(log.find("timoakNewRetur() - no: 999 er større end wRecCnt. Ugyldig værdi i importlinje"),
            std::string::npos);
  for (const char *l : {"timoakSletRetur() - aar: 2031", "timoakSletRetur() - aar: 1900", "skemaSletRetur() - aar: 2031",
                        "skemaSletRetur() - aar: 2025 uge: 54", "skemaNewRetur() - aar: 2023",
                        "skemaNewRetur() - aar: 2025 uge: 6 no: 999"})
    EXPECT_NE(log.find(l), std::string::npos) << l;
}

// ---- Plan receipts ----

using PlanKvittering = Kvittering;

namespace {
template <class R>
R PlanRec(uint8_t status, uint8_t fejl = 0) {
  R r{};
  r.Status = status;
  r.Fejl = fejl;
  r.Ejer = kEgen;
  return r;
}
}  // namespace

TEST_F(PlanKvittering, ReceiptsSetIdFlagsAndErrorAndMarkTheBlock) {
  for (uint8_t s : {64, 64, 80}) Ny(tdffpp, tvffpp, PlanRec<FfppRec>(s));
  for (int i = 0; i < 5; ++i) Ny(tdffpg, tvffpg, PlanRec<FfpgRec>(64));
  const uint32_t tal = Ny(tdfftaltab, tvfftaltab, PlanRec<FftaltabRec>(72));
  const uint32_t tal2 = Ny(tdfftaltab, tvfftaltab, PlanRec<FftaltabRec>(64));
  memset(tvffpp.pfSave, 0, tvffpp.wRecCnt / tdffpp.RecPrBlok + 1);

  Driver("@ffpp+\n4711,3,0\n9,0,0\n9,99,0\n"
         "@ffpg-\n5,27\n1,0\n"
         "@fftaltab+\n1," + std::to_string(tal) + ",33\n2," + std::to_string(tal2) + ",34\n");
  const FfppRec p = Laes<FfppRec>(tdffpp, tvffpp, 3);
  EXPECT_EQ(p.Id, 4711u);
  EXPECT_EQ(+p.Fejl, 0);
  EXPECT_EQ(+p.Status, 32);
  EXPECT_EQ(tvffpp.pfSave[3 / tdffpp.RecPrBlok], 1);  // the save writes the receipt
  const FfpgRec g = Laes<FfpgRec>(tdffpg, tvffpg, 5);
  EXPECT_EQ(+g.Status, 100);
  EXPECT_EQ(+g.Fejl, 27);
  EXPECT_EQ(+Laes<FfpgRec>(tdffpg, tvffpg, 1).Status, 0);
  EXPECT_EQ(+Laes<FftaltabRec>(tdfftaltab, tvfftaltab, tal).Status, 0);
  const FftaltabRec t2 = Laes<FftaltabRec>(tdfftaltab, tvfftaltab, tal2);
  EXPECT_EQ(+t2.Status, 68);
  EXPECT_EQ(+t2.Fejl, 34);
  EXPECT_NE(TavoLog().find("ffpp+ - post: 99 findes ikke"), std::string::npos);
}

TEST_F(PlanKvittering, AHashHeaderEndsThePlanSection) {
  for (int i = 0; i < 3; ++i) Ny(tdffgrund, tvffgrund, PlanRec<FfgrundRec>(64));
  for (int i = 0; i < 3; ++i) Ny(tdffpp, tvffpp, PlanRec<FfppRec>(64));
  Driver("@ffgrund-\n1,0\n2,5\n#ffpp+\n4711,3,0\n");
  EXPECT_EQ(+Laes<FfgrundRec>(tdffgrund, tvffgrund, 1).Status, 0);
  EXPECT_EQ(+Laes<FfgrundRec>(tdffgrund, tvffgrund, 2).Status, 100);
  // The section the '#' header opens is read as its own.
  const FfppRec p = Laes<FfppRec>(tdffpp, tvffpp, 3);
  EXPECT_EQ(p.Id, 4711u);
  EXPECT_EQ(+p.Status, 32);
}

TEST_F(PlanKvittering, AReceiptOfALaterRunSurvivesTheSave) {
  // The export's run saved the record awaiting its answer; the receipt
  // comes after a restart, and the save after the import must write it.
  for (uint8_t s : {64, 64, 80}) Ny(tdffpp, tvffpp, PlanRec<FfppRec>(s));
  for (uint32_t b = 0; b <= tvffpp.wRecCnt / tdffpp.RecPrBlok; ++b) tvffpp.pfSave[b] = 1;
  ASSERT_EQ(SaveTab(&tdffpp, &tvffpp, nullptr), 0);
  Frigiv(&tvffpp);
  ASSERT_EQ(LoadTab(&tdffpp, &tvffpp), 0);
  ASSERT_EQ(+Laes<FfppRec>(tdffpp, tvffpp, 3).Status, 80);

  Driver("@ffpp+\n4711,3,0\n");
  ASSERT_EQ(SaveTab(&tdffpp, &tvffpp, nullptr), 0);
  Frigiv(&tvffpp);
  ASSERT_EQ(LoadTab(&tdffpp, &tvffpp), 0);
  const FfppRec p = Laes<FfppRec>(tdffpp, tvffpp, 3);
  EXPECT_EQ(p.Id, 4711u);
  EXPECT_EQ(+p.Status, 32);
}
