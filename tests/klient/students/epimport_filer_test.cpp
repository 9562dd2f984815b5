// The files around an Elevplan import: the numbered copies and their wrap,
// an answer that cannot be opened, a packed answer that does or does not
// unpack, a log that cannot be made, a read-only run, the start-up load,
// and the test import.
#include <zlib.h>

#include <string>
#include <vector>

#include "KROGE.h"
#include "ELEVGITTER.h"
#include "ELEVPLANKMD.h"
#include "ELEVPLANWS.h"
#include "epimport_fixture.h"

using namespace eleventest;

namespace {

constexpr char kSvar[] = "@tg\n502;Smed, optag 2025;20240601;20240815;20240901;20250630;N;16;8;\n";

class EpImportFiler : public EpImportMappe {
 protected:
  void SetUp() override {
    EpImportMappe::SetUp();
    tavo::test::StartDialogScript();
  }

  std::vector<std::string> Bokse() const {
    std::vector<std::string> ud;
    for (const auto &b : tavo::test::MessageBoxesShown()) ud.push_back(b.caption + "|" + b.text);
    return ud;
  }

  static bool HarGruppe(uint32_t id) { return FindElevRec(&tdtg, &tvtg, id) != 0; }

  void Pak(const fs::path &gz, const std::string &tekst) const {
    gzFile f = gzopen(gz.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(gzwrite(f, tekst.data(), static_cast<unsigned>(tekst.size())), static_cast<int>(tekst.size()));
    ASSERT_EQ(gzclose(f), Z_OK);
  }

  // An import whose answer is kept unread: the exchange stays, the user is
  // told once, and nothing was imported or copied.
  void ForventBevaret(const std::string &bokstekst) {
    EXPECT_EQ(efterImport, 0);
    EXPECT_FALSE(HarGruppe(502));
    const auto bokse = Bokse();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].substr(0, bokse[0].find('\n')), bokstekst);
    EXPECT_FALSE(fs::exists(Fil("ep_imp.dat_1.txt")));
    EXPECT_EQ(GlobalIndstillinger.ep_filnummer, 1);
  }
};

TEST_F(EpImportFiler, NumberedCopiesWrapAtTheMaximum) {
  GlobalIndstillinger.ep_filnummer = 19;
  GlobalIndstillinger.ep_maxnummer = 20;
  SkrivFil(LogFil(), "forrige log\r\n");
  SkrivFil(rod / "log" / "EP_IMPORT.LOG_19.txt", "gammel kopi");
  SkrivFil(Fil("ep_exp.dat"), "@HentAlt\n");
  SkrivSvar(kSvar);
  ImportElevplan();
  EXPECT_EQ(LaesFil(rod / "log" / "EP_IMPORT.LOG_19.txt"), "forrige log\r\n");
  EXPECT_EQ(LaesFil(Fil("ep_imp.dat_19.txt")), kSvar);
  EXPECT_EQ(LaesFil(Fil("ep_exp.dat_19.txt")), "@HentAlt\n");
  EXPECT_FALSE(fs::exists(Fil("ep_imp.dat")));
  EXPECT_FALSE(fs::exists(Fil("ep_exp.dat")));
  EXPECT_EQ(GlobalIndstillinger.ep_filnummer, 0);
  EXPECT_EQ(GetPrivateProfileIntA("elevplan", "ep_filnummer", -1, StiTab.szini), 0);
  EXPECT_TRUE(HarGruppe(502));

  // The next run's copies are numbered 0; without a request file only the
  // answer is copied.
  SkrivSvar(kSvar);
  ImportElevplan();
  EXPECT_TRUE(fs::exists(Fil("ep_imp.dat_0.txt")));
  EXPECT_TRUE(fs::exists(rod / "log" / "EP_IMPORT.LOG_0.txt"));
  EXPECT_FALSE(fs::exists(Fil("ep_exp.dat_0.txt")));
  EXPECT_EQ(GlobalIndstillinger.ep_filnummer, 1);
  EXPECT_EQ(efterImport, 2);
}

TEST_F(EpImportFiler, ReadOnlyRunsAndMissingAnswersImportNothing) {
  ImportElevplan();
  EXPECT_FALSE(fs::exists(LogFil()));
  EXPECT_EQ(efterImport, 0);

  GlobalIndstillinger.skemalaast = 1;
  SkrivSvar(kSvar);
  ImportElevplan();
  EXPECT_TRUE(fs::exists(Fil("ep_imp.dat")));
  EXPECT_FALSE(fs::exists(LogFil()));
  EXPECT_FALSE(HarGruppe(502));
  EXPECT_EQ(efterImport, 0);
  EXPECT_TRUE(Bokse().empty());
}

TEST_F(EpImportFiler, AnAnswerThatCannotBeOpenedIsKept) {
  // A folder of that name: CI runs as root, whom file permissions do not
  // stop.
  fs::create_directories(Fil("ep_imp.dat"));
  ImportElevplan();
  EXPECT_TRUE(fs::is_directory(Fil("ep_imp.dat")));
  ForventBevaret("Elevplan import|Svarfilen fra Elevplan kan ikke åbnes:");
}

TEST_F(EpImportFiler, ALogThatCannotBeMadeKeepsTheAnswer) {
  fs::remove_all(rod / "log");
  SkrivSvar(kSvar);
  ImportElevplan();
  EXPECT_EQ(LaesFil(Fil("ep_imp.dat")), kSvar);
  ForventBevaret("Elevplan import|Elevplans importlog kan ikke oprettes:");
}

TEST_F(EpImportFiler, APackedAnswerIsUnpackedFirst) {
  Pak(Fil("ep_imp.dat.gz"), kSvar);
  ImportElevplan();
  EXPECT_TRUE(HarGruppe(502));
  EXPECT_FALSE(fs::exists(Fil("ep_imp.dat.gz")));
  EXPECT_FALSE(fs::exists(Fil("ep_imp.dat")));
  EXPECT_FALSE(fs::exists(Fil("ep_imp.dat.tmp")));
  EXPECT_EQ(LaesFil(Fil("ep_imp.dat_1.txt")), kSvar);
  EXPECT_EQ(efterImport, 1);
  EXPECT_TRUE(Bokse().empty());
}

TEST_F(EpImportFiler, APackedAnswerInTwoMembersWithTrailingBytesUnpacks) {
  const std::string a = "@tg\n502;Smed;20240601;20240815;20240901;20250630;N;0;0;\n";
  const std::string b = "503;Maler;20240601;20240815;20240901;20250630;N;0;0;\n";
  Pak(rod / "a.gz", a);
  Pak(rod / "b.gz", b);
  SkrivFil(Fil("ep_imp.dat.gz"), LaesFil(rod / "a.gz") + LaesFil(rod / "b.gz") + "slut");
  ImportElevplan();
  EXPECT_EQ(LaesFil(Fil("ep_imp.dat_1.txt")), a + b);
  EXPECT_TRUE(HarGruppe(502));
  EXPECT_TRUE(HarGruppe(503));
}

TEST_F(EpImportFiler, APackedAnswerThatDoesNotUnpackIsKept) {
  Pak(rod / "hel.gz", std::string(kSvar) + std::string(5000, 'x'));
  const std::string hel = LaesFil(rod / "hel.gz");
  const struct {
    const char *navn;
    std::string bytes;
  } tabel[] = {
      {"empty", ""},
      {"not gzip", "@tg\n502;Smed\n"},
      {"cut short", hel.substr(0, hel.size() / 2)},
      {"damaged", hel.substr(0, 12) + std::string(40, '\xff') + hel.substr(52)},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    TearDown();
    SetUp();
    SkrivFil(Fil("ep_imp.dat.gz"), t.bytes);
    ImportElevplan();
    EXPECT_EQ(LaesFil(Fil("ep_imp.dat.gz")), t.bytes);
    EXPECT_FALSE(fs::exists(Fil("ep_imp.dat")));
    EXPECT_FALSE(fs::exists(Fil("ep_imp.dat.tmp")));
    ForventBevaret("Elevplan import|Svarfilen fra Elevplan kan ikke pakkes ud:");
  }
}

TEST_F(EpImportFiler, TheStartUpLoadImportsAWaitingAnswerAndSaves) {
  InstallerEpImportKroge();
  SkrivSvar(kSvar);
  StartHentAlleData();
  EXPECT_EQ(efterImport, 1);
  EXPECT_TRUE(fs::exists(Fil("ep_imp.dat_1.txt")));
  // Saved: the group is in the file the next start loads.
  ResetTab(&tdtg, &tvtg, 0);
  ASSERT_EQ(LoadTab(&tdtg, &tvtg), 0);
  tvtg.fSorter = 1;
  const uint32_t r = FindElevRec(&tdtg, &tvtg, 502);
  ASSERT_NE(r, 0u);
  EXPECT_EQ(+TgRecNr(r)->Status, 10);
}

// ---- The test import ----

constexpr char kTestFil[] =
    "@tg\n1;Testgruppe;20240601;20240815;20240901;20250630;N;0;0;\n"
    "@la\n11;1;Testhold;20240902;20250627;10\n"
    "@elev\n21;1;Test Elev;0101011234;1;2;T;x;y\n"
    "@NyTilmelding\n1;OK;21;11;a;b;c\n";

TEST_F(EpImportFiler, TheTestImportReplacesItsDataAndTouchesNoExchangeFile) {
  SkrivIni("ep_imp_test.dat", kTestFil);
  SkrivFil(LogFil(), "forrige log\r\n");
  for (int gang = 0; gang < 2; ++gang) {
    ImportElevplanTest();
    EXPECT_TRUE(HarGruppe(1));
    EXPECT_EQ(Tilmeldinger(), (std::multiset<std::pair<uint32_t, uint32_t>>{{21, 1}}));
    uint32_t hold = 0;
    for (uint32_t r = 1; r < tvla.wRecCnt; ++r) hold += ElevTabAktiv(LaRecNr(r)->Status);
    EXPECT_EQ(hold, 1u);
  }
  // Answer sections are sections without a table here.
  EXPECT_NE(Log().find("\"NyTilmelding\":1.1"), std::string::npos);
  EXPECT_FALSE(fs::exists(rod / "log" / "EP_IMPORT.LOG_1.txt"));
  EXPECT_EQ(GlobalIndstillinger.ep_filnummer, 1);
  EXPECT_EQ(efterImport, 0);
  EXPECT_TRUE(fs::exists(Fil("tg.DAT")) || fs::exists(Fil("tg.dat")));
}

TEST_F(EpImportFiler, KeyIReplacesTheTestDataFromTheTestFile) {
  InstallerEpImportKroge();
  const uint32_t egen = NyTg(501, 'U');
  NyLa(egen, 5001, "Smed");
  NyLa(NyTg(1, 'L'), 99, "Gammelt testhold");
  SkrivIni("ep_imp_test.dat", kTestFil);
  ElevPlanWS *ws = NytElevPlanWS('K', 1);
  ASSERT_NE(ws, nullptr);
  int tegn = 0;
  EXPECT_EQ(ElevPlanKommando(ws, 'I', 0, 0, 0, 0, 1, &tegn), 1);
  EXPECT_EQ(ElevPlanKommando(ws, 'I', 0, 0, 0, 0, 2, &tegn), 1);
  FrigivElevPlanWS(ws);
  std::multiset<std::pair<uint32_t, uint32_t>> hold;  // (id, group id)
  for (uint32_t r = 1; r < tvla.wRecCnt; ++r)
    if (ElevTabAktiv(LaRecNr(r)->Status)) hold.insert({+LaRecNr(r)->id, +ElevRef(TgRecNr, LaRecNr(r)->tg_id).id});
  EXPECT_EQ(hold, (std::multiset<std::pair<uint32_t, uint32_t>>{{5001, 501}, {11, 1}}));
  EXPECT_EQ(Tilmeldinger(), (std::multiset<std::pair<uint32_t, uint32_t>>{{21, 1}}));
}

TEST_F(EpImportFiler, ATestImportWithoutItsFileStillSaves) {
  ImportElevplanTest();
  EXPECT_TRUE(fs::exists(Fil("tg.DAT")) || fs::exists(Fil("tg.dat")));
  EXPECT_TRUE(fs::exists(LogFil()));
}

TEST_F(EpImportFiler, AReadOnlyTestImportStaysInMemory) {
  GlobalIndstillinger.skemalaast = 1;
  SkrivIni("ep_imp_test.dat", kTestFil);
  ImportElevplanTest();
  EXPECT_TRUE(HarGruppe(1));
  EXPECT_TRUE(fs::is_empty(rod / "data"));
  EXPECT_TRUE(fs::is_empty(rod / "log"));
}

}  // namespace
