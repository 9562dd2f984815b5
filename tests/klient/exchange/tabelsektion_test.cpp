// Table sections of the import file read from small section files, the plan
// groups, the server's log text, the removal of other installations' data and
// the test for rows that wait for the server's answer.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "IMPORT.h"
#include "ImpTabel.h"
#include "VINDUER.h"
#include "skole_fixture.h"
#include "tavo/test_user.h"
#include "windows.h"

namespace {

using namespace skoletest;

int Felt(const TabDesc *pTd, const char *navn) {
  for (int i = 0; i < pTd->AntalFelter; ++i)
    if (strcmp(pTd->FeltTab[i].Navn, navn) == 0) return i;
  ADD_FAILURE() << pTd->Navn << " has no field " << navn;
  return 0;
}
uint32_t Off(const TabDesc *pTd, const char *navn) { return pTd->FeltTab[Felt(pTd, navn)].Offset; }

class TabelSektion : public Skole {
 protected:
  char linje[IMPORT_LINJE_LEN];
  FILE *log = nullptr;

  void SetUp() override {
    Skole::SetUp();
    log = tmpfile();
    ASSERT_NE(log, nullptr);
  }
  void TearDown() override {
    if (log) fclose(log);
    Skole::TearDown();
  }
  std::string Log() {
    std::string s;
    fflush(log);
    rewind(log);
    for (int c; (c = fgetc(log)) != EOF;) s.push_back(static_cast<char>(c));
    return s;
  }
  // Reads the section file into its table with the letter; the header that
  // ended it ("" at the end of the file).
  std::string LaesSektion(const char *fil, const char *tabel, char bogstav = 'C', ImportStatus *st = nullptr) {
    FILE *f = Sektion(fil, linje);
    if (!f) return "<ingen fil>";
    const TabDesc *pTd;
    TabVar *pTv;
    EXPECT_EQ(TabFromName(tabel, &pTd, &pTv), 0);
    char *svar = ImportTabelSektion(f, log, linje, bogstav, pTd, pTv, st, 0);
    fclose(f);
    if (svar == nullptr) return "";
    EXPECT_EQ(svar, linje);
    std::string h(svar);
    while (!h.empty() && (h.back() == '\n' || h.back() == '\r')) h.pop_back();
    return h;
  }
  template <class R>
  std::vector<R> Alle(const TabDesc &td, const TabVar &tv) {
    std::vector<R> v;
    for (uint32_t r = 1; r < tv.wRecCnt; ++r)
      if (RecStatus(&td, GetRec(&td, &tv, r)) != 0) v.push_back(Laes<R>(td, tv, r));
    return v;
  }
};

TEST_F(TabelSektion, SkkaEmptiesTheDayChainsAndReusesTheDays) {
  const std::string a(53, '1'), c(53, '2');
  KaldagRec k{};
  k.Status = 10;
  memcpy(k.Uge, a.data(), 53);
  ASSERT_EQ(Ny(tdkaldag, tvkaldag, k), 1u);
  memcpy(k.Uge, c.data(), 53);
  ASSERT_EQ(Ny(tdkaldag, tvkaldag, k), 2u);
  // An old chain on the second pattern that no calendar will use, then one
  // on the first.
  Ny(tdkdagrel, tvkdagrel, KdagrelRec{10, 'J', 1, 2});
  Ny(tdkdagrel, tvkdagrel, KdagrelRec{10, 'J', 1, 1});

  EXPECT_EQ(LaesSektion("skka_sektion.txt", "skka"), "#naeste");
  EXPECT_EQ(Log(), "");
  const auto kal = Alle<SkkaRec>(tdskka, tvskka);
  ASSERT_EQ(kal.size(), 3u);
  // The two calendars on the first pattern share a chain over its old day
  // record; the third pattern takes a new day record at the end.
  EXPECT_EQ((std::vector<uint32_t>{+kal[0].kaldagrel, +kal[1].kaldagrel, +kal[2].kaldagrel}),
            (std::vector<uint32_t>{1, 1, 2}));
  ASSERT_EQ(tvkdagrel.wRecCnt, 3u);
  const KdagrelRec k1 = Laes<KdagrelRec>(tdkdagrel, tvkdagrel, 1), k2 = Laes<KdagrelRec>(tdkdagrel, tvkdagrel, 2);
  EXPECT_EQ(std::make_tuple(k1.Status, k1.StartRel, +k1.AntalAr, +k1.Kaldag),
            std::make_tuple(uint8_t(10), 'J', 1u, 1u));
  EXPECT_EQ(std::make_tuple(k2.Status, k2.StartRel, +k2.AntalAr, +k2.Kaldag),
            std::make_tuple(uint8_t(10), 'J', 1u, 3u));
  EXPECT_EQ(tvkaldag.wRecCnt, 4u);
  EXPECT_EQ(memcmp(Laes<KaldagRec>(tdkaldag, tvkaldag, 3).Uge, std::string(53, '0').data(), 53), 0);
}

TEST_F(TabelSektion, RetReplacesTheTable) {
  for (uint32_t i = 0; i < 3; ++i) {
    RetRec r{};
    r.Tavonr = 9;
    r.Art = 'X';
    r.Id = 900 + i;
    r.Status = 10;
    Ny(tdret, tvret, r);
  }
  EXPECT_EQ(LaesSektion("ret_sektion.txt", "ret", 'C'), "");
  const auto ret = Alle<RetRec>(tdret, tvret);
  ASSERT_EQ(ret.size(), 2u);
  EXPECT_EQ(std::make_tuple(+ret[0].Tavonr, ret[0].Art, +ret[0].Id, ret[0].Laas, ret[0].Budget_laas, ret[0].Status),
            std::make_tuple(7, 'A', 100u, 'J', 'N', uint8_t(210)));
  EXPECT_EQ(std::make_tuple(+ret[1].Tavonr, ret[1].Art, +ret[1].Id, ret[1].Laas, ret[1].Budget_laas),
            std::make_tuple(7, 'B', 101u, 'N', 'J'));
  EXPECT_EQ(tvret.wRecCnt, 3u);
}

TEST_F(TabelSektion, EmptyAlrelEmptiesTheTableAndItsFile) {
  for (uint32_t i = 1; i <= 2; ++i) Ny(tdalrel, tvalrel, AlrelRec{i, i, 10});
  ASSERT_EQ(SaveTab(&tdalrel, &tvalrel, nullptr), 0);
  EXPECT_EQ(LaesSektion("alrel_tom.txt", "alrel"), "@slut");
  EXPECT_TRUE(Alle<AlrelRec>(tdalrel, tvalrel).empty());
  // Saved and loaded again, the old relations do not come back.
  ASSERT_EQ(SaveTab(&tdalrel, &tvalrel, nullptr), 0);
  Frigiv(&tvalrel);
  ASSERT_EQ(LoadTab(&tdalrel, &tvalrel), 0);
  EXPECT_TRUE(Alle<AlrelRec>(tdalrel, tvalrel).empty());
}

TEST_F(TabelSektion, ServerErrorBlockGoesToTheLog) {
  ImportStatus st{};
  st.Tidsstempel = 1234567;
  EXPECT_EQ(LaesSektion("fejlblok.txt", "risy", 'C', &st), "@skemabeg");
  EXPECT_EQ(Log(),
            "** Fejl: linje 12 i risy\n"
            "felt Betegnelse mangler\n"
            "6;R2;?\n"
            "** Fejl: uafsluttet\n"
            "sidste linje\n");
  const auto risy = Alle<RisyRec>(tdrisy, tvrisy);
  ASSERT_EQ(risy.size(), 2u);
  EXPECT_EQ(+risy[0].id, 5u);
  EXPECT_EQ(+risy[1].id, 7u);
  EXPECT_EQ(st.Antal['R'], 2u);
  EXPECT_EQ(tvrisy.FilOrd, 1234567u);
}

TEST_F(TabelSektion, BadLineLoggedWithTheSectionAndItsLine) {
  EXPECT_EQ(LaesSektion("daarlig_linje.txt", "risy"), "");
  EXPECT_EQ(Log(),
            "\"@risy\":2.1\n"
            " *\n"
            "importlinje er for kort  'id', risy\n"
            "-------------------------------------\n"
            "\"@risy\":3.3\n"
            "   *\n"
            "tvunget felt er ikke udfyldt  'Ringesystem', risy\n"
            "-------------------------------------\n");
  const auto risy = Alle<RisyRec>(tdrisy, tvrisy);
  ASSERT_EQ(risy.size(), 2u);
  EXPECT_EQ(+risy[1].id, 7u);
  // The failed lines left no record: the good one after them took their place.
  EXPECT_EQ(tvrisy.wRecCnt, 3u);
}

TEST_F(TabelSektion, ArbejdstidErrorLogsNothing) {
  MedaRec m{};
  m.id = 1;
  m.Status = 10;
  Ny(tdmeda, tvmeda, m);
  tvmeda.fSorter = 1;
  ArbejdstidRec gammel{};
  gammel.Dato = 20200101;
  gammel.Status = 10;
  Ny(tdarbejdstid, tvarbejdstid, gammel);
  EXPECT_EQ(LaesSektion("arbejdstid_fejl.txt", "arbejdstid"), "");
  EXPECT_EQ(Log(), "");
  const auto a = Alle<ArbejdstidRec>(tdarbejdstid, tvarbejdstid);
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(+a[0].Dato, 20241001u);
  EXPECT_EQ(+a[1].Dato, 20241003u);
  EXPECT_EQ(+a[1].Minutter, 480u);
}

TEST_F(TabelSektion, FfpgFullSetClosesThePlanWindowsAndAddsToIt) {
  tavo::test::ResetUser();
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "PlanTest";
  RegisterClassA(&wc);
  HWND desk = CreateWindowExA(0, "PlanTest", "", WS_OVERLAPPED, 0, 0, 400, 300, 0, 0, 0, nullptr);
  auto Vindue = [&](int type) {
    HWND h = CreateWindowExA(0, "PlanTest", "", WS_CHILD, 0, 0, 50, 50, desk, static_cast<HMENU>(type), 0,
                             nullptr);
    EXPECT_EQ(VinduesListeTilfoej(h), 0);
    return h;
  };
  HWND plan = Vindue(40268), plan2 = Vindue(40266), andet = Vindue(40257);

  FfpgRec g{};
  g.id = 99;
  g.Status = 10;
  g.Ejer = kEgen;
  Ny(tdffpg, tvffpg, g);
  FILE *f = Sektion("ffpg_tilfoej.txt", linje);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(ImporterFfpg(f, linje), nullptr);
  fclose(f);
  EXPECT_TRUE(IsWindow(plan));  // adding leaves the windows open
  auto ffpg = Alle<FfpgRec>(tdffpg, tvffpg);
  ASSERT_EQ(ffpg.size(), 2u);
  EXPECT_EQ(std::make_tuple(+ffpg[1].id, ffpg[1].Status, ffpg[1].Ejer), std::make_tuple(3u, uint8_t(230), kEgen));

  f = Sektion("ffpg_fuld.txt", linje);
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(ImporterFfpg(f, linje), linje);
  fclose(f);
  EXPECT_EQ(std::string(linje), "@ffpgrel\n");
  EXPECT_FALSE(IsWindow(plan));
  EXPECT_FALSE(IsWindow(plan2));
  EXPECT_TRUE(IsWindow(andet));
  EXPECT_EQ(FindVindueType(40268), HWND(0));
  ffpg = Alle<FfpgRec>(tdffpg, tvffpg);
  ASSERT_EQ(ffpg.size(), 2u);
  EXPECT_EQ(std::make_tuple(+ffpg[0].id, ffpg[0].Status, ffpg[0].Ejer), std::make_tuple(1u, uint8_t(32), kEgen));
  EXPECT_EQ(std::make_tuple(+ffpg[1].id, ffpg[1].Status, ffpg[1].Ejer), std::make_tuple(2u, uint8_t(32), kAnden));
  EXPECT_EQ(Log(), "");

  while (VinduesListe.hoved) VinduesListeFjern(VinduesListe.hoved->hwnd);
  tavo::test::ResetUser();
}

TEST_F(TabelSektion, LogfilCopiesTheTrimmedLines) {
  FILE *f = Sektion("logfil.txt", linje);
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(ImporterLogfil(f, linje), linje);
  fclose(f);
  EXPECT_EQ(std::string(linje), "@fremmed\n");
  EXPECT_EQ(LaesFil(rod / "log" / "logsrv.txt"), "Serverlog start\r\nlinje to\r\n");
}

TEST_F(TabelSektion, LogfilThatCannotBeMadeSkipsItsLines) {
  fs::remove_all(rod / "log");
  FILE *f = Sektion("logfil.txt", linje);
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(ImporterLogfil(f, linje), linje);
  fclose(f);
  EXPECT_EQ(std::string(linje), "@fremmed\n");
  EXPECT_FALSE(fs::exists(rod / "log"));
}

TEST_F(TabelSektion, OtherInstallationsPlanData) {
  // In every plan table: (status, owner) -> kept.
  const std::vector<std::tuple<int, int, bool>> poster = {
      {10, kEgen, true}, {10, kAnden, false}, {30, kEgen, false}, {210, kEgen, true}, {0, 0, true}, {64, kEgen, true},
  };
  const TabDesc *tabeller[] = {&tdffpertab, &tdfftaltab, &tdffgrund, &tdffpp, &tdffpgrel, &tdffpg};
  for (const TabDesc *pTd : tabeller) {
    const TabDesc *d;
    TabVar *pTv;
    ASSERT_EQ(TabFromName(pTd->Navn, &d, &pTv), 0);
    for (auto [status, ejer, _] : poster) {
      pTv->FoersteLedige = pTv->wRecCnt;
      uint8_t *p = GetRec(pTd, pTv, NewRec(pTd, pTv));
      p[Off(pTd, "Status")] = static_cast<uint8_t>(status);
      p[Off(pTd, "Ejer")] = static_cast<uint8_t>(ejer);
      p[0] = 0x5A;  // something to see whether the record was zeroed
    }
    memset(pTv->pfSave, 0, 1);
  }
  SletFremmedePlandata();
  for (const TabDesc *pTd : tabeller) {
    SCOPED_TRACE(pTd->Navn);
    const TabDesc *d;
    TabVar *pTv;
    ASSERT_EQ(TabFromName(pTd->Navn, &d, &pTv), 0);
    for (size_t i = 0; i < poster.size(); ++i)
      EXPECT_EQ(GetRec(pTd, pTv, uint32_t(i + 1))[0], std::get<2>(poster[i]) ? 0x5A : 0) << i;
    EXPECT_EQ(pTv->FoersteLedige, 2u);
    EXPECT_NE(pTv->pfSave[0], 0);
  }
}

TEST_F(TabelSektion, OtherInstallationsRowsAndRelations) {
  struct {
    uint32_t status;
    uint8_t ejer;
    uint32_t efter;
  } const raekker[] = {
      {64, kEgen, 64}, {64, kAnden, 0}, {64 | 8 | 16, kAnden, 0}, {32, kAnden, 32}, {0, kAnden, 0}, {96, 0, 0},
  };
  const Uge uger[] = {SkemaPeriode.FoersteUge, SkemaPeriode.SidsteUge};
  const uint32_t datoer[] = {20240801, 20250731};
  for (auto &r : raekker) {
    for (Uge u : uger) SkeRaekke(u, r.status, r.ejer);
    for (uint32_t d : datoer) TimRaekke(d, static_cast<uint8_t>(r.status), r.ejer);
  }
  for (int s : {30, 10, 30, 20}) Ny(tdaakrel, tvaakrel, AakrelRec{static_cast<uint8_t>(s), 1, 1});

  SletFremmedeSkemaraekker();
  for (Uge u : uger)
    for (size_t i = 0; i < std::size(raekker); ++i) EXPECT_EQ(+Ske(u, uint32_t(i + 1)).Status, raekker[i].efter) << u << " " << i;
  for (uint32_t d : datoer) EXPECT_EQ(Tim(d, 2).Status, 64 | 0) << "time rows wait for their own call";
  SletFremmedeTimoak();
  for (uint32_t d : datoer)
    for (size_t i = 0; i < std::size(raekker); ++i) EXPECT_EQ(Tim(d, uint32_t(i + 1)).Status, raekker[i].efter) << d << " " << i;
  std::vector<int> aakrel;
  for (uint32_t r = 1; r < tvaakrel.wRecCnt; ++r) aakrel.push_back(Laes<AakrelRec>(tdaakrel, tvaakrel, r).Status);
  EXPECT_EQ(aakrel, (std::vector<int>{0, 10, 0, 20}));
  EXPECT_EQ(tvaakrel.FoersteLedige, 1u);
}

TEST_F(TabelSektion, UnansweredRows) {
  struct {
    const char *navn;
    bool ske;
    uint32_t status;
    bool svar;
  } const tilfaelde[] = {
      {"nothing", true, 0, false},
      {"an event sent and live", true, 64 | 16, true},
      {"an event live, not sent", true, 64, false},
      {"an event sent, not live", true, 16 | 8, false},
      {"a time row sent and live", false, 64 | 16, true},
      {"a time row with its answer", false, 64 | 32, false},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    TomSkemabeg();
    TomTimoak();
    if (t.ske)
      SkeRaekke(202440, t.status, kEgen);
    else
      TimRaekke(20241010, static_cast<uint8_t>(t.status), kEgen);
    EXPECT_EQ(HasUnansweredRows(), t.svar);
  }
}

}  // namespace
