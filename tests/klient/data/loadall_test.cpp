#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "FINDREC.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "loadall_fixture.h"
#include "tavo/test_dialog.h"

namespace loadall {
namespace {

namespace fs = std::filesystem;

const char *const kSideFiler[] = {"skemabeg.dat", "timoak.dat", "udplatim.dat", "hontim.dat"};

// Every file of the data folder with its last change, to see what a save
// wrote.
std::set<std::string> DataFiler(const fs::path &data) {
  std::set<std::string> s;
  for (auto &e : fs::directory_iterator(data)) s.insert(e.path().filename().string());
  return s;
}

TEST_F(HentGemMappe, EmptyFolderLoadsReservedRecordsAndFirstSaveCreatesEveryFile) {
  ASSERT_EQ(HentAlleData(0), 0);
  EXPECT_TRUE(AlleDataHentet());
  for (uint32_t id : {RESERVERET_ID_UKENDT, RESERVERET_ID_OMSORG, RESERVERET_ID_AFSPADSER})
    EXPECT_NE(FindRec(&tdakti, &tvakti, &id, KLASSE_AKTUEL), 0u) << id;
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e)
    EXPECT_EQ(e->pTabVar->LoadMaerke, LOADMAERKE_START) << e->Navn;
  EXPECT_NE(PlanTalUgeTab, nullptr);
  EXPECT_NE(PlanTalMndTab, nullptr);

  DataAendret = 1;
  GemAlleData(0, 0);
  EXPECT_EQ(DataAendret.load(), 0u);
  std::set<std::string> filer = DataFiler(rod / "data");
  // The store leaves a table without a file empty when its type letter is
  // 'B' or 'S' (sphp), and an empty table has nothing to write.
  size_t tabelFiler = 0;
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) {
    bool findes = filer.count(std::string(e->Navn) + ".DAT") > 0;
    EXPECT_EQ(findes, e->TypeBogstav != 'B' && e->TypeBogstav != 'S') << e->Navn;
    tabelFiler += findes;
  }
  EXPECT_EQ(TabRegisterAntal, 88u);
  EXPECT_EQ(tabelFiler, 87u);
  for (const char *s : kSideFiler) EXPECT_TRUE(filer.count(s)) << s;
  EXPECT_TRUE(filer.count("CntLokaleBeg.dat"));
  EXPECT_TRUE(fs::exists(IniFil("ElvRelLokal.dat")));
  // Nothing of the writing is left behind.
  for (const auto &f : filer) EXPECT_EQ(f.find("tmp"), std::string::npos) << f;

  // The data set loads back.
  storetest::TomAlleTabeller();
  ASSERT_EQ(HentAlleData(0), 0);
  EXPECT_TRUE(AlleDataHentet());
}

TEST_F(HentGemMappe, ChangeCounterLineHoldsTheTwoSumsAndTheTime) {
  ASSERT_EQ(HentAlleData(0), 0);
  for (int i = 0; i < 8; ++i) AendringsTaellere[i] = static_cast<uint32_t>(i + 1);
  const long long foer = time(nullptr);
  GemAlleData(0, 0);
  unsigned long a = 0, b = 0;
  unsigned long long t = 0;
  const std::string linje = LaesTekst(Fil("CntLokaleBeg.dat").string());
  ASSERT_EQ(sscanf(linje.c_str(), "%lu, %lu, %llu", &a, &b, &t), 3) << linje;
  EXPECT_EQ(a, 1u + 2 + 3 + 4);
  EXPECT_EQ(b, 5u + 6 + 7 + 8);
  EXPECT_GE(static_cast<long long>(t), foer);
}

TEST_F(HentGemMappe, BackgroundSaveWritesNothingWithoutCountedChanges) {
  ASSERT_EQ(HentAlleData(0), 0);
  AutoGemBlok blok{};
  DataAendret = 1;
  EXPECT_EQ(StartAutoGemAlleData(&blok), 0u);
  EXPECT_TRUE(DataFiler(rod / "data").empty());
  EXPECT_EQ(blok.Traad.load(), 0u);

  // Counted changes without the dirty word: nothing either.
  DataAendret = 0;
  AendringsTaellere[5] = 1;
  EXPECT_EQ(StartAutoGemAlleData(&blok), 0u);
  EXPECT_TRUE(DataFiler(rod / "data").empty());

  // While the block's save runs, no second one starts and the dirty word
  // stays for the next.
  DataAendret = 1;
  blok.Traad = 1;
  EXPECT_EQ(StartAutoGemAlleData(&blok), 0u);
  EXPECT_EQ(DataAendret.load(), 1u);
  blok.Traad = 0;

  // While a plan job holds the plan mutex it changes the plan tables: no
  // copy is taken then, the dirty word stays, and the mutex's release lets
  // a waiting recount start.
  hPlanMutex = CreateMutexA(nullptr, FALSE, nullptr);
  HANDLE holdt = CreateEventA(nullptr, TRUE, FALSE, nullptr), slip = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread job([&] {
    WaitForSingleObject(hPlanMutex, INFINITE);
    SetEvent(holdt);
    WaitForSingleObject(slip, INFINITE);
    ReleaseMutex(hPlanMutex);
  });
  WaitForSingleObject(holdt, INFINITE);
  EXPECT_EQ(StartAutoGemAlleData(&blok), 0u);
  EXPECT_EQ(DataAendret.load(), 1u);
  EXPECT_TRUE(DataFiler(rod / "data").empty());
  SetEvent(slip);
  job.join();
  static int sluppet;
  sluppet = 0;
  PlanMutexKrog.Sluppet = [] { ++sluppet; };
  HANDLE h = StartAutoGemAlleData(&blok);
  PlanMutexKrog.Sluppet = nullptr;
  EXPECT_EQ(sluppet, 1);
  CloseHandle(hPlanMutex);
  hPlanMutex = 0;
  CloseHandle(holdt);
  CloseHandle(slip);
  ASSERT_NE(h, 0u);
  EXPECT_EQ(DataAendret.load(), 0u);  // cleared when the snapshot is taken
  ASSERT_EQ(WaitForSingleObject(h, 10000), WAIT_OBJECT_0);
  CloseHandle(h);
  EXPECT_EQ(blok.Traad.load(), 0u);
  std::set<std::string> filer = DataFiler(rod / "data");
  EXPECT_TRUE(filer.count("akti.DAT"));
  for (const char *s : kSideFiler) EXPECT_TRUE(filer.count(s)) << s;
}

// A save is one commit: a table that cannot be replaced fails the whole
// save, which changes no file, says so and keeps the data marked changed.
TEST_F(HentGemMappe, FailedTableSaveChangesNoFileAndIsReported) {
  ASSERT_EQ(HentAlleData(0), 0);
  ASSERT_TRUE(GemAlleData(0, 0));
  for (const char *s : kSideFiler) Skriv(s, {'g', 'a', 'm', 'm', 'e', 'l'});
  // A record file that cannot be replaced.
  fs::remove(Fil("loka.DAT"));
  fs::create_directory(Fil("loka.DAT"));
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e)
    if (std::string(e->Navn) != "loka") fs::remove(Fil(std::string(e->Navn) + ".DAT"));

  bool kopi = false;
  static bool *pKopi;
  pKopi = &kopi;
  HentGemKrog.GemStartKopi = [] { return *pKopi = true; };
  tavo::test::StartDialogScript();
  DataAendret = 1;
  EXPECT_FALSE(GemAlleData(0, 0));
  const auto bokse = tavo::test::MessageBoxesShown();
  tavo::test::StopDialogScript();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Gem");
  EXPECT_NE(bokse[0].text.find("loka.DAT"), std::string::npos) << bokse[0].text;
  EXPECT_NE(bokse[0].text.find("Adgang nægtet"), std::string::npos) << bokse[0].text;
  EXPECT_EQ(DataAendret.load(), 1u);
  EXPECT_EQ(DataFiler(rod / "data"), (std::set<std::string>{"loka.DAT", "skemabeg.dat", "timoak.dat",
                                                            "udplatim.dat", "hontim.dat", "CntLokaleBeg.dat"}));
  for (const char *s : kSideFiler) EXPECT_EQ(Laes(s), (storetest::Bytes{'g', 'a', 'm', 'm', 'e', 'l'})) << s;
  EXPECT_FALSE(kopi);

  fs::remove(Fil("loka.DAT"));
  EXPECT_TRUE(GemAlleData(0, 0));
  EXPECT_EQ(DataAendret.load(), 0u);
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e)
    if (std::string(e->Navn) != "sphp") {
      EXPECT_TRUE(fs::is_regular_file(Fil(std::string(e->Navn) + ".DAT"))) << e->Navn;
    }
  EXPECT_TRUE(kopi);
}

TEST_F(HentGemMappe, UnreadableTableIsNeverSavedOver) {
  ASSERT_EQ(HentAlleData(0), 0);
  GemAlleData(0, 0);
  storetest::TomAlleTabeller();
  // A loka file that cannot be opened (a link to itself); the tables after
  // it and the side files are not loaded either.
  fs::remove(Fil("loka.DAT"));
  fs::create_symlink("loka.DAT", Fil("loka.DAT"));
  ASSERT_EQ(HentAlleData(0), 0);
  EXPECT_FALSE(AlleDataHentet());
  size_t loka = 0;
  while (std::string(TabRegister[loka].Navn) != "loka") ++loka;
  std::map<std::string, fs::file_time_type> foer;
  for (size_t i = loka + 1; i < TabRegisterAntal; ++i)
    if (TabRegister[i].TypeBogstav != 'B')
      foer[TabRegister[i].Navn] = fs::last_write_time(Fil(std::string(TabRegister[i].Navn) + ".DAT"));
  fs::remove(Fil("skemabeg.dat"));
  fs::remove(Fil(std::string(TabRegister[0].Navn) + ".DAT"));
  bool kopi = false;
  static bool *pKopi;
  pKopi = &kopi;
  HentGemKrog.GemStartKopi = [] { return *pKopi = true; };
  GemAlleData(0, 0);
  EXPECT_TRUE(Findes(std::string(TabRegister[0].Navn) + ".DAT"));
  EXPECT_FALSE(Findes("skemabeg.dat"));
  EXPECT_TRUE(fs::is_symlink(Fil("loka.DAT")));
  for (auto &[navn, tid] : foer) EXPECT_EQ(fs::last_write_time(Fil(navn + ".DAT")), tid) << navn;
  EXPECT_FALSE(kopi);

  // A table saved at once on its own keeps to it too.
  EXPECT_NE(GemTabelNu(TabRegister[loka].pTabDesc, TabRegister[loka].pTabVar), 0);
  EXPECT_TRUE(fs::is_symlink(Fil("loka.DAT")));
  fs::remove(Fil(std::string(TabRegister[0].Navn) + ".DAT"));
  EXPECT_EQ(GemTabelNu(TabRegister[0].pTabDesc, TabRegister[0].pTabVar), 0);
  EXPECT_TRUE(Findes(std::string(TabRegister[0].Navn) + ".DAT"));
  EXPECT_FALSE(Findes(std::string(TabRegister[0].Navn) + ".tmp"));

  // The background save keeps to the same rule.
  AutoGemBlok blok{};
  DataAendret = 1;
  AendringsTaellere[0] = 1;
  HANDLE h = StartAutoGemAlleData(&blok);
  ASSERT_NE(h, 0u);
  WaitForSingleObject(h, INFINITE);
  CloseHandle(h);
  EXPECT_FALSE(Findes("skemabeg.dat"));
  EXPECT_TRUE(fs::is_symlink(Fil("loka.DAT")));
  for (auto &[navn, tid] : foer) EXPECT_EQ(fs::last_write_time(Fil(navn + ".DAT")), tid) << navn;
}

std::vector<std::string> *pKald;

TEST_F(HentGemMappe, StartersRunTheDialogAndTheNeighbourServicesInOrder) {
  std::vector<std::string> kald;
  pKald = &kald;
  HentGemKrog.SendTilAlleVinduer = [](UINT msg, WPARAM, LPARAM) {
    pKald->push_back("send " + std::to_string(msg));
  };
  HentGemKrog.HentGruppeValgStjerne = [] { pKald->push_back("grupper"); };
  HentGemKrog.GemGruppeValg = [] { pKald->push_back("gem grupper"); };
  HentGemKrog.ImportData = [](HWND h) { pKald->push_back(h ? "import i dialog" : "import"); };
  HentGemKrog.ImportElevplan = [] {
    pKald->push_back(tvakti.wRecCnt > 1 ? "elevplan efter hent" : "elevplan");
  };
  HentGemKrog.GemStartKopi = [] {
    pKald->push_back("startkopi");
    return true;
  };
  StartHentAlleData();
  EXPECT_EQ(kald, (std::vector<std::string>{"grupper", "import i dialog", "elevplan efter hent"}));
  kald.clear();
  StartGemAlleData(0, 1);
  // The group files are part of the save's commit; the start copies follow it.
  EXPECT_EQ(kald, (std::vector<std::string>{"send 1027", "gem grupper", "startkopi"}));
  kald.clear();
  GemAlleData(0, 0);
  EXPECT_EQ(kald, (std::vector<std::string>{"send 1027", "startkopi"}));
}

TEST_F(HentGemMappe, VersionShiftIsRaisedToTheProgramVersion) {
  SkrivIni("[global]\r\nversionskift=100\r\n");
  ASSERT_EQ(HentAlleData(0), 0);
  EXPECT_EQ(GetPrivateProfileIntA("global", "versionskift", 0, StiTab.szini), version);
  SkrivIni("[global]\r\nversionskift=9999999\r\n");
  ASSERT_EQ(HentAlleData(0), 0);
  EXPECT_EQ(GetPrivateProfileIntA("global", "versionskift", 0, StiTab.szini), 9999999u);
}

TEST_F(HentGemMappe, WaitDialogShowsCaptionTextAndMarquee) {
  VenteBlok blok{};
  HWND h = AabnVenteDialog(&blok);
  ASSERT_NE(h, 0u);
  EXPECT_EQ(blok.hDlg.load(), h);
  SendMessageA(h, WM_VENTE_CAPTION, 0, reinterpret_cast<LPARAM>("Gemmer"));
  SendMessageA(h, ELEMENT_NY_BREDDE, 0, reinterpret_cast<LPARAM>("GEMMER DATA  - ET \xD8JEBLIK"));
  tavo::test::ShownDialog d = tavo::test::CaptureDialog(h);
  EXPECT_EQ(d.caption, "Gemmer");
  ASSERT_NE(d.Control(IDC_VENTE_TEKST), nullptr);
  EXPECT_EQ(d.Control(IDC_VENTE_TEKST)->text, "GEMMER DATA  - ET \xD8JEBLIK");
  ASSERT_NE(d.Control(IDC_VENTE_BAR), nullptr);
  EXPECT_TRUE(d.Control(IDC_VENTE_BAR)->style & PBS_MARQUEE);
  RECT rc{}, bar{};
  GetClientRect(h, &rc);
  GetWindowRect(d.Control(IDC_VENTE_BAR)->hwnd, &bar);
  EXPECT_EQ(bar.right - bar.left, rc.right - rc.left - 20);
  LukVenteDialogTraad(&blok);
  EXPECT_FALSE(IsWindow(h));
}

// A wrong record size ends the program: the message, the lock file gone and
// a non-zero exit code.
TEST_F(HentGemMappe, WrongRecordSizeEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const TabDesc *pTd;
  TabVar *pTv;
  storetest::Tabel('L', pTd, pTv);
  storetest::Bytes b = storetest::NyHeader(version, 0, pTd->RecSize + 3);
  b.resize(b.size() + 2 * (pTd->RecSize + 3));
  Skriv(std::string(pTd->Navn) + ".DAT", b);
  // The child runs this body again in a folder of its own; the lock file it
  // must delete is the parent's.
  std::string lck = IniFil("tavo.lck");
  if (const char *p = getenv("LOADALL_TEST_LCK")) lck = p;
  setenv("LOADALL_TEST_LCK", lck.c_str(), 1);
  SkrivTekst(lck, "1");
  snprintf(StiTab.szlck, sizeof StiTab.szlck, "%s", lck.c_str());
  EXPECT_EXIT(
      {
        tavo::test::StartDialogScript(5000);
        tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR { return 0; });
        tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
          fprintf(stderr, "boks[%s|%s|%u]\n", d.caption.c_str(), d.text.c_str(), d.type);
          return IDOK;
        });
        StartHentAlleData();
      },
      ::testing::ExitedWithCode(kDataFejlExitKode),
      "boks\\[OBS! Data fejl\\|Fejl i data filerne. Datastrukturen har en forkert st.rrelse.\n"
      "Kontakt TAVO-support!\\|16\\]");
  EXPECT_FALSE(fs::exists(lck));
  unsetenv("LOADALL_TEST_LCK");
  StiTab.szlck[0] = 0;
}

}  // namespace
}  // namespace loadall
