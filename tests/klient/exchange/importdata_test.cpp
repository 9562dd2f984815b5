// The import of data\imp.dat: the framing and dispatch of its sections, the
// sections read here, what happens to the exchange files and settings after
// an import, the fatal stop, the saves that fail, and the import inside the
// start-up load. A plain window stands in for a wait dialog, so the dialog
// script answers only the message boxes.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <vector>

#include "KROGE.h"
#include "FINDREC.h"
#include "GEMNING.h"
#include "GZIP.h"
#include "HENTGEM.h"
#include "ImpData.h"
#include "ImpBehandl.h"
#include "KONTAKT.h"
#include "SIDEFIL.h"
#include "TIMOAK.h"
#include "eksport_fixture.h"
#include "tavo/clock.h"
#include "tavo/test_dialog.h"
#include "tavo/test_file.h"

namespace {

using namespace eksporttest;
using tavo::test::MessageBoxRecord;
using tavo::test::ShownDialog;

std::atomic<int> gBehandlet{0}, gNulstillet{0};

class ImportTest : public EksportSkole {
 public:
  HWND vente = 0;

  void SetUp() override {
    EksportSkole::SetUp();
    gBehandlet = 0;
    gNulstillet = 0;
    VenteDialogLukPause = 0;
    HentGemKrog = HentGemKroge{};
    HentGemKrog.DeleteLockFile = SletLaaseFil;
    HentGemKrog.GemStartKopi = GemStartKopi;
    InstallerImportData();
    BehandlDataKrog = {};
    BehandlDataKrog.LaesRolleForslag = [] { ++gBehandlet; };
    ImportDataKrog = {};
    ImportDataKrog.ResetAllData = [] { ++gNulstillet; };
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "ImportTestVente";
    RegisterClassA(&wc);
    vente = CreateWindowExA(0, "ImportTestVente", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
    tavo::test::StartDialogScript(5000);
  }
  void TearDown() override {
    tavo::test::StopDialogScript();
    tavo::test::ClearFileFault();
    tavo::ClearFakeClock();
    DestroyWindow(vente);
    HentGemKrog = HentGemKroge{};
    HentGemKrog.DeleteLockFile = SletLaaseFil;
    BehandlDataKrog = {};
    ImportDataKrog = {};
    GlobalIndstillinger.skemalaast = 0;
    EksportSkole::TearDown();
  }

  void Imp(const std::string &indhold) const { Skriv(Data("imp.dat"), indhold); }
  static void Skriv(const fs::path &p, const std::string &indhold) {
    std::ofstream(p, std::ios::binary) << indhold;
  }
  std::string Log() const { return LaesFil(rod / "log" / "IMPORT.LOG"); }

  // Each box the import shows is answered OK; the boxes as shown.
  std::vector<MessageBoxRecord> Koer(int bokse = 0) {
    for (int i = 0; i < bokse; ++i) tavo::test::AnswerNextDialog([](const ShownDialog &) { return INT_PTR{IDOK}; });
    ImportData(vente);
    EXPECT_EQ(tavo::test::DialogFailures(), std::vector<std::string>{});
    auto v = tavo::test::MessageBoxesShown();
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript(5000);
    return v;
  }
  static std::vector<std::string> Titler(const std::vector<MessageBoxRecord> &v) {
    std::vector<std::string> t;
    for (const auto &b : v) t.push_back(b.caption);
    return t;
  }

  static uint32_t Levende(const TabDesc &td, const TabVar &tv, size_t statusOff) {
    uint32_t n = 0;
    for (uint32_t r = 1; r < tv.wRecCnt; ++r) n += GetRec(&td, &tv, r)[statusOff] != 0;
    return n;
  }
  static uint32_t Planer() { return Levende(tdffpg, tvffpg, offsetof(FfpgRec, Status)); }
};

// ---- Sections ----

class ImportAfsnitTest : public ImportTest {};

TEST_F(ImportAfsnitTest, FramingDispatchAndTheSectionsReadHere) {
  Stamdata();
  Imp(Fixture("afsnit_ramme.dat"));
  const auto bokse = Koer(1);
  // Lines before the first header are skipped ("!FEJLER" is no "!FEJL");
  // an unknown name is logged and skipped; two "message" sections are both
  // read, in file order, and shown after the import.
  EXPECT_NE(Log().find("ukendt afsnitsm\xE6rke"), std::string::npos);
  EXPECT_NE(Log().find("ukendt_afsnit"), std::string::npos);
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Import besked!");
  EXPECT_EQ(bokse[0].text, "F\xF8rste besked\nAnden besked\n");
  EXPECT_EQ(ImportBesked, nullptr);
  // minusakti: the quoted key is found; a key beginning with '0' is skipped.
  auto slettet = [](uint32_t r) { return GetRec(&tdakti, &tvakti, r)[offsetof(AktiRec, Slettet_i_EASY)]; };
  EXPECT_EQ(slettet(s.k1), 1);
  EXPECT_EQ(slettet(s.k2), 0);
  EXPECT_EQ(Planer(), 1u);
  EXPECT_EQ(SidsteImportUdfald, IMPORT_INDLAEST);
  EXPECT_FALSE(Findes("imp.dat"));
}

TEST_F(ImportAfsnitTest, PlanRecordsEmptiedByAtAndAddedByHash) {
  Stamdata();
  FfpgRec pg{};
  pg.id = 1, pg.Status = 10, pg.Ejer = kIns;
  Ny(tdffpg, tvffpg, pg);
  SortTab(&tdffpg, &tvffpg);
  FfpgrelRec gl{};
  gl.Id = 9, gl.Plangruppe_id = 1, gl.Status = 10, gl.Ejer = kIns;
  Ny(tdffpgrel, tvffpgrel, gl);
  struct Tilfaelde {
    const char *navn, *afsnit;
    uint32_t levende;
    uint8_t status;  // of the record read
  } tabel[] = {
      {"@ empties first", "@ffpgrel", 1, 32},
      // 'F' reads 230, which the re-sort after the import makes current.
      {"# adds", "#ffpgrel", 2, 30},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    Imp(std::string("K;20240801;20240801;20250731;1733835600;1;A;0;0\n") + t.afsnit +
        "\n\"5;1;1001;2001;7\"\nikke en post\n");
    Koer();
    EXPECT_EQ(Levende(tdffpgrel, tvffpgrel, offsetof(FfpgrelRec, Status)), t.levende);
    bool fundet = false;
    for (uint32_t r = 1; r < tvffpgrel.wRecCnt; ++r) {
      FfpgrelRec p;
      memcpy(&p, GetRec(&tdffpgrel, &tvffpgrel, r), sizeof p);
      if (p.Id != 5) continue;
      fundet = true;
      EXPECT_EQ(p.Status, t.status);
    }
    EXPECT_TRUE(fundet);
    // The line that does not parse leaves no record and no log entry.
    EXPECT_EQ(Log(), "");
    // Back to the one old record for the next case.
    ResetTab(&tdffpgrel, &tvffpgrel, 1);
    Ny(tdffpgrel, tvffpgrel, gl);
  }
}

// ---- The driver ----

class ImportDriverTest : public ImportTest {};

TEST_F(ImportDriverTest, FejlBeforeTheFirstSectionStopsTheProgram) {
  Imp(Fixture("fejl_foran.dat"));
  Skriv(rod / "ini" / "tavo.lck", "laas");
  EXPECT_EXIT(
      {
        tavo::test::AnswerNextDialog([](const ShownDialog &d) {
          fprintf(stderr, "[%s|%s]\n", d.caption.c_str(), d.text.c_str());
          return INT_PTR{IDOK};
        });
        ImportData(vente);
      },
      ::testing::ExitedWithCode(kDataFejlExitKode),
      "\\[Data fejl\\|Fejl i data import filen! Programmet stopper.\n\nKontakt TAVO support.\\]");
  EXPECT_FALSE(fs::exists(rod / "ini" / "tavo.lck"));
  // Kept aside for the support: the next start is not stopped by it again.
  EXPECT_FALSE(fs::exists(Data("imp.dat")));
  EXPECT_EQ(LaesFil(Data("imp.fejl")), Fixture("fejl_foran.dat"));
}

TEST_F(ImportDriverTest, WhatIsKeptAndWhatIsDeleted) {
  const std::string status = Fixture("kun_status.dat");
  struct Tilfaelde {
    const char *navn;
    std::string fil;
    bool laast;
    std::vector<std::string> bokse;
    bool bevaret;
  } tabel[] = {
      {"only a status line", status, false, {}, false},
      {"empty file", "", false, {"Data fejl"}, true},
      {"status of 3 fields", "K;20240801;20240801\n@message\nx\n", false, {"Data fejl"}, true},
      {"locked schedule", status, true, {}, true},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    gBehandlet = 0;
    GlobalIndstillinger.skemalaast = t.laast;
    Imp(t.fil);
    // An export the server queued goes with an import, and only then.
    Skriv(Data("exp.dat.gz"), "x");
    Skriv(Data("exp.sendt"), "sendt\n");
    EXPECT_EQ(Titler(Koer(static_cast<int>(t.bokse.size()))), t.bokse);
    EXPECT_EQ(Findes("imp.dat"), t.bevaret);
    EXPECT_EQ(Findes("exp.dat.gz"), t.bevaret);
    EXPECT_EQ(gBehandlet, 1);
  }
}

TEST_F(ImportDriverTest, AnExportNotQueuedSurvives) {
  Imp(Fixture("kun_status.dat"));
  Skriv(Data("exp.dat"), "eksport");
  Koer();
  EXPECT_FALSE(Findes("imp.dat"));
  EXPECT_EQ(LaesFil(Data("exp.dat")), "eksport");
}

TEST_F(ImportDriverTest, KindGAndSuperTavoEmptyTheDataSetFirst) {
  struct Tilfaelde {
    char art;
    bool super;
    int nulstillet;
  } tabel[] = {{'G', false, 1}, {'K', true, 1}, {'K', false, 0}};
  for (const auto &t : tabel) {
    SCOPED_TRACE(std::string(1, t.art) + (t.super ? " super" : ""));
    gNulstillet = 0;
    GlobalIndstillinger.supertavo = t.super;
    Imp(std::string(1, t.art) + ";20240801;20240801;20250731;1733835600;1;A;0;0\n");
    Koer();
    EXPECT_EQ(gNulstillet, t.nulstillet);
    EXPECT_EQ(GFlag, t.art == 'G');
  }
}

TEST_F(ImportDriverTest, SuperTavoPeriodStartMovesOnlyForward) {
  GlobalIndstillinger.supertavo = 1;
  tavo::SetFakeClock(1772323200);  // 1 March 2026
  struct Tilfaelde {
    Dato start, ventet;
  } tabel[] = {{20240801, 20250101}, {20250601, 20250601}};
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.start);
    InitPeriode(t.start, 20260731, t.start);
    WritePrivateProfileStringA("global", "fradato", nullptr, StiTab.szini);
    // A file whose period starts two years back.
    Imp("K;20250901;20240101;20260731;1733835600;1;A;0;0\n");
    Koer();
    EXPECT_EQ(SkemaPeriode.FraDato, t.ventet);
    EXPECT_EQ(SkemaPeriode.LaasDato, 20250901u);
    EXPECT_EQ(Indstilling("global", "lasdato"), "20250901");
    EXPECT_EQ(Indstilling("global", "fradato"), t.ventet == t.start ? "" : "20250101");
    EXPECT_EQ(Indstilling("tider", "fremmedkontakt"), "20260301");
  }
}

TEST_F(ImportDriverTest, EndOfImportTidiesSettingsAndFiles) {
  for (const char *n : {"exportergrupper", "exporteralrel", "exporterskfalokarel", "planexport"}) SaetFlag(n, "1");
  SaetFlag("exportermedaskeprior", "1");
  MedaskepriorRec m{};
  m.Ejer = kIns, m.Status = 0x48;
  const uint32_t sendt = Ny(tdmedaskeprior, tvmedaskeprior, m);
  m.Status = 0x40;
  const uint32_t levende = Ny(tdmedaskeprior, tvmedaskeprior, m);
  m.Ejer = kFremmed, m.Status = 0x48;
  const uint32_t fremmed = Ny(tdmedaskeprior, tvmedaskeprior, m);
  tvmedaskeprior.FoersteLedige = tvmedaskeprior.wRecCnt;
  Skriv(Data("aktiprioriteter.dat"), "x");
  Imp(Fixture("kun_status.dat"));
  Koer();
  for (const char *n : {"exportergrupper", "exporteralrel", "exporterskfalokarel", "planexport"})
    EXPECT_EQ(Indstilling("flag", n), "") << n;
  auto status = [](uint32_t r) { return GetRec(&tdmedaskeprior, &tvmedaskeprior, r)[offsetof(MedaskepriorRec, Status)]; };
  EXPECT_EQ(status(sendt), 0);
  EXPECT_EQ(status(levende), 0x40);
  EXPECT_EQ(status(fremmed), 0x48);
  EXPECT_EQ(tvmedaskeprior.FoersteLedige, sendt);
  EXPECT_FALSE(Findes("aktiprioriteter.dat"));
  EXPECT_TRUE(Findes("skemabegkopi.dat"));
  // Not SuperTavo and no foreign data: the foreign contact date stays.
  EXPECT_EQ(Indstilling("tider", "fremmedkontakt"), "");

  // Without the flag the key goes and the records stay.
  SaetFlag("exportermedaskeprior", "0");
  m.Ejer = kIns, m.Status = 0x48;
  const uint32_t igen = Ny(tdmedaskeprior, tvmedaskeprior, m);
  Imp(Fixture("kun_status.dat"));
  Koer();
  EXPECT_EQ(Indstilling("flag", "exportermedaskeprior"), "");
  EXPECT_EQ(status(igen), 0x48);
}

// The shared students are counted again once the sections are in, from
// the links the import brought.
TEST_F(ImportDriverTest, TheRecountOfSharedStudentsRunsOnTheImportedLinks) {
  Stamdata();
  for (uint32_t id : {7001u, 7002u}) {
    PersRec p{};
    p.id = id, p.Status = 10;
    Ny(tdpers, tvpers, p);
  }
  SortTab(&tdpers, &tvpers);
  static std::vector<std::pair<uint32_t, uint32_t>> set;
  static int kald = 0;
  set.clear();
  kald = 0;
  ImportDataKrog.CountFaellesElever = [] {
    ++kald;
    for (uint32_t r = 1; r < tvakpl.wRecCnt; ++r) {
      AkplRec k;
      memcpy(&k, GetRec(&tdakpl, &tvakpl, r), sizeof k);
      if (k.Status) set.push_back({k.pers_id, k.akti_id});
    }
  };
  Imp("K;20240801;20240801;20250731;1733835600;1;A;0;0\n@akpl\n"
      "7001;1001;20240801;20250731\n7001;1002;20240801;20250731\n");
  Koer();
  EXPECT_EQ(kald, 1);
  EXPECT_EQ(set.size(), 2u) << "the links were in when the count ran";
  EXPECT_EQ(Log(), "");
  // No file, no import, no recount.
  Koer();
  EXPECT_EQ(kald, 1);
}

TEST_F(ImportDriverTest, ShowLastErrorNamesTheCode) {
  tavo::test::AnswerNextDialog([](const ShownDialog &) { return INT_PTR{IDOK}; });
  tavo::test::AnswerNextDialog([](const ShownDialog &) { return INT_PTR{IDOK}; });
  SetLastError(ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(ShowLastError("Filen kan ikke sendes", MB_OK), IDOK);
  SetLastError(ERROR_FILE_NOT_FOUND);
  ShowLastError(nullptr, MB_OK);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 2u);
  EXPECT_EQ(bokse[0].caption, "Fejl");
  EXPECT_EQ(bokse[0].text, "Filen kan ikke sendes\nFejlkode: 2");
  EXPECT_EQ(bokse[1].text.rfind("Fejlede p\xE5 kode: 2, ", 0), 0u);
  EXPECT_GT(bokse[1].text.size(), std::string("Fejlede p\xE5 kode: 2, ").size());
}

// ---- Saves that fail ----

class ImportDataTest : public ImportTest {
 public:
  const std::string plan = "K;20240801;20240801;20250731;1733835600;1;A;0;0\n#ffpg\n1;Plan A;20240801;20250731;0;7\n";

  // An import whose save fails before it is decided: a disk that fills up
  // once the import has begun (the slot that would empty the data set of a
  // 'G' file is the first step after the group files' own save).
  void ImportMedFejletGemning() {
    Stamdata();
    ASSERT_TRUE(StartGemAlleData(vente, 0));
    Imp("G" + plan.substr(1));
    ImportDataKrog.ResetAllData = [] {
      tavo::test::FileFault f;
      f.kinds = tavo::test::kFileWrite;
      f.nth = 1;
      f.error = ERROR_DISK_FULL;
      f.profiles = false;
      tavo::test::SetFileFault(f);
    };
    const auto bokse = Koer(2);
    tavo::test::ClearFileFault();
    ImportDataKrog.ResetAllData = nullptr;
    EXPECT_EQ(Titler(bokse), (std::vector<std::string>{"Gem", "Import"}));
    EXPECT_EQ(SidsteImportUdfald, IMPORT_IKKE_GEMT);
    EXPECT_TRUE(Findes("imp.dat"));
    EXPECT_EQ(Planer(), 1u);
  }
  // A new start: the tables from their files, a waiting import with them.
  void Genstart() {
    TomAlt();
    ASSERT_EQ(HentAlleData(vente), 0);
  }
};

TEST_F(ImportDataTest, AFailedSaveKeepsTheFileForTheNextStart) {
  ImportMedFejletGemning();
  Genstart();
  EXPECT_EQ(Planer(), 1u);
  EXPECT_FALSE(Findes("imp.dat"));
}

TEST_F(ImportDataTest, ALaterSaveOfTheRunDeletesTheFile) {
  ImportMedFejletGemning();
  // The file kept is in the tables already: announced again in this run,
  // it is not read a second time.
  Koer();
  EXPECT_EQ(Planer(), 1u);
  EXPECT_TRUE(Findes("imp.dat"));
  ASSERT_TRUE(StartGemAlleData(vente, 0));
  EXPECT_FALSE(Findes("imp.dat"));
  Genstart();
  EXPECT_EQ(Planer(), 1u);
}

// The import run in a child process that the file layer ends, as a kill
// would, at each call of the import and its save that renames or removes a
// file, in turn.
// Whatever call it dies at, the next start (the recovery, the load and the
// import inside it) holds the imported plan exactly once, and neither the
// import nor the export the server queued is left to be read again.
TEST_F(ImportDataTest, AKillAtAnyStepImportsTheFileExactlyOnce) {
  // A kill is no power cut: what reaches the disk is not the question here.
  GemningFsync = false;
  Stamdata();
  ASSERT_TRUE(StartGemAlleData(vente, 0));
  tavo::test::StopDialogScript();
  const fs::path ren = rod.string() + "_ren";
  fs::copy(rod, ren, fs::copy_options::recursive);
  // fn in a child process, so this one keeps the tables as saved: its exit
  // code, and the number it wrote to *pTal.
  auto barn = [&](auto fn, uint64_t *pTal) {
    int roer[2];
    EXPECT_EQ(pipe(roer), 0);
    const pid_t pid = fork();
    if (pid == 0) {
      close(roer[0]);
      uint64_t tal = 0;
      const int kode = fn(&tal);
      (void)!write(roer[1], &tal, sizeof tal);
      _exit(kode);
    }
    close(roer[1]);
    if (read(roer[0], pTal, sizeof *pTal) != sizeof *pTal) *pTal = 0;
    close(roer[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  constexpr int kDraebt = 77;
  // The import with the hook set to end it at call nth (0: never); the
  // calls it counted.
  auto importer = [&](uint64_t nth) {
    return [&, nth](uint64_t *pKald) {
      Imp(plan);
      Skriv(Data("exp.dat.gz"), "x");
      Skriv(Data("exp.sendt"), "sendt\n");
      // The folder's files change at these calls; the ones between them
      // fill temporary files that only a commit makes the folder's.
      tavo::test::FileFault f;
      f.kinds = tavo::test::kFileRename | tavo::test::kFileRemove;
      f.nth = nth;
      f.exitCode = kDraebt;
      f.under = rod.string();
      tavo::test::SetFileFault(f);
      ImportData(vente);
      *pKald = tavo::test::FileCallsCounted();
      return SidsteImportUdfald == IMPORT_INDLAEST ? 0 : 1;
    };
  };
  // The next start: each fault found is a bit of the exit code.
  auto start = [&](uint64_t *) {
    if (!GendanAfbrudtGemning()) return 1;
    TomAlt();
    if (HentAlleData(vente) != 0) return 2;
    return (Planer() != 1 ? 4 : 0) | (Findes("imp.dat") ? 8 : 0) |
           (Findes("exp.dat.gz") || Findes("exp.sendt") ? 16 : 0);
  };
  auto nulstil = [&] {
    fs::remove_all(rod);
    fs::copy(ren, rod, fs::copy_options::recursive);
  };
  nulstil();
  uint64_t kald = 0, intet = 0;
  ASSERT_EQ(barn(importer(0), &kald), 0) << "the uninterrupted import";
  ASSERT_GT(kald, 10u);
  for (uint64_t n = 1; n <= kald; ++n) {
    SCOPED_TRACE("killed at call " + std::to_string(n) + " of " + std::to_string(kald));
    nulstil();
    ASSERT_EQ(barn(importer(n), &intet), kDraebt);
    // 1 not recovered, 2 not loaded, 4 the plan not there once, 8 the
    // import left, 16 the export left.
    EXPECT_EQ(barn(start, &intet), 0);
  }
  fs::remove_all(ren);
  GemningFsync = true;
}

TEST_F(ImportDataTest, StartUpImportsInsideLoadAll) {
  Stamdata();
  ASSERT_TRUE(StartGemAlleData(vente, 0));
  TomAlt();
  Imp(plan);
  tavo::test::StopDialogScript();
  StartHentAlleData();
  EXPECT_EQ(Planer(), 1u);
  EXPECT_FALSE(Findes("imp.dat"));
  EXPECT_EQ(gBehandlet, 1);
}

TEST_F(ImportDataTest, CtrlF11RefusesWhenLockedAndUnpacksAPackedFile) {
  Stamdata();
  Skriv(Data("imp.dat.pak"), plan);
  ASSERT_EQ(GzipFile((std::string(StiTab.szdata) + "data\\imp.dat.pak").c_str(), StiTab.szzipimp), 0);
  GlobalIndstillinger.skemalaast = 1;
  tavo::test::AnswerNextDialog([](const ShownDialog &) { return INT_PTR{IDOK}; });
  ImportKommando(0);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Import");
  EXPECT_EQ(bokse[0].text, "Der kan ikke importeres i et l\xE5st skema");
  EXPECT_TRUE(Findes("imp.dat.gz"));

  GlobalIndstillinger.skemalaast = 0;
  // Its own wait dialog, which the dialog script would take for a box.
  tavo::test::StopDialogScript();
  ImportKommando(0);
  EXPECT_FALSE(Findes("imp.dat.gz"));
  EXPECT_FALSE(Findes("imp.dat"));
  EXPECT_EQ(Planer(), 1u);
}

// A packed file that does not unpack: nothing is imported, not even an
// import file lying beside it, and both are kept.
TEST_F(ImportDataTest, CtrlF11ImportsNothingAfterAFailedUnpack) {
  Stamdata();
  Imp(plan);
  Skriv(Data("imp.dat.gz"), "\x1f\x8b ikke pakket");
  tavo::test::StopDialogScript();
  ImportKommando(0);
  EXPECT_EQ(Planer(), 0u);
  EXPECT_TRUE(Findes("imp.dat"));
  EXPECT_TRUE(Findes("imp.dat.gz"));
}

}  // namespace
