// Moving the data folder to removable disks and back. Drive A: is a
// removable drive whose "disk" is a test folder; the answer to an
// "Indsæt ..." box swaps the folder, as a user swaps disks. Each box the
// move shows is answered in the order expected, so an extra or missing
// question fails the test. Archives are read back with minizip's own
// calls.
#include <minizip/unzip.h>
#include <minizip/zip.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <random>

#include "FLYT.h"
#include "MENU.h"
#include "menuhjaelp_support.h"
#include "pathmap.h"

using namespace menutest;

namespace {

constexpr uint64_t kDiskette = 1457664;

std::string Tilfaeldig(size_t n, unsigned kilde) {
  std::mt19937 g(kilde);
  std::string s(n, '\0');
  for (char &c : s) c = static_cast<char>(g());
  return s;
}

// Every file below the folder by its path relative to it, with its size
// and a hash of its bytes (the platform's own lock files of profiles left
// out).
std::map<std::string, std::string> Indhold(const fs::path &mappe) {
  std::map<std::string, std::string> m;
  if (!fs::exists(mappe)) return m;
  for (const auto &e : fs::recursive_directory_iterator(mappe))
    // The save's lock file is left by any save in the folder and holds nothing.
    if (e.is_regular_file() && e.path().filename().string()[0] != '.' && e.path().filename() != "gemning.laas") {
      const std::string b = Laes(e.path());
      m[fs::relative(e.path(), mappe).string()] = std::to_string(b.size()) + "/" + std::to_string(std::hash<std::string>{}(b));
    }
  return m;
}

// The entry names of an archive.
std::vector<std::string> EntryNavne(const fs::path &arkiv) {
  std::vector<std::string> navne;
  unzFile uf = unzOpen64(arkiv.c_str());
  if (!uf) return navne;
  for (int r = unzGoToFirstFile(uf); r == UNZ_OK; r = unzGoToNextFile(uf)) {
    char navn[512];
    unz_file_info64 info;
    unzGetCurrentFileInfo64(uf, &info, navn, sizeof navn, nullptr, 0, nullptr, 0);
    navne.push_back(navn);
  }
  unzClose(uf);
  return navne;
}

void LavArkiv(const fs::path &sti, const std::vector<std::pair<std::string, std::string>> &entries) {
  zipFile zf = zipOpen64(sti.c_str(), APPEND_STATUS_CREATE);
  ASSERT_NE(zf, nullptr);
  for (const auto &[navn, indhold] : entries) {
    zip_fileinfo info = {};
    ASSERT_EQ(zipOpenNewFileInZip(zf, navn.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                  Z_DEFAULT_COMPRESSION),
              ZIP_OK);
    ASSERT_EQ(zipWriteInFileInZip(zf, indhold.data(), indhold.size()), ZIP_OK);
    ASSERT_EQ(zipCloseFileInZip(zf), ZIP_OK);
  }
  ASSERT_EQ(zipClose(zf, nullptr), ZIP_OK);
}

// One box the move is expected to show: the start of its text, what the
// user does before answering, and the answer.
struct Boks {
  std::string begynder;
  int svar;
  std::function<void()> foer = nullptr;
};

class FlytData : public ::testing::Test {
 protected:
  void SetUp() override {
    char skabelon[] = "/tmp/flytdata_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    rod_ = skabelon;
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    cwd_ = cwd;
    fs::create_directories(rod_ / "prog");
    InitCommonControls();
    RegistrerTavoMenuRessourcer();
    tavo::ResetDrives();
    g_Menu = MenuTilstand{};
    std::snprintf(g_Menu.ProgramMappe, kMenuSti, "%s\\", WinForm(rod_ / "prog").c_str());
    g_Menu.Insnr = 7;
    g_Menu.Version = 10600;
    std::strcpy(g_Menu.SuperTavo, "nej");
    std::strcpy(g_Menu.FlytDrev, "a:");
    Brug(rod_ / "pc a" / "tavo data");
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    if (dlg_) DestroyWindow(dlg_);
    tavo::ResetDrives();
    if (chdir(cwd_.c_str()) != 0) ADD_FAILURE() << "chdir";
    std::error_code ec;
    fs::remove_all(rod_, ec);
  }

  // The start menu runs on this data folder.
  void Brug(const fs::path &data) {
    data_ = data;
    std::snprintf(g_Menu.DataMappe, kMenuSti, "%s\\", WinForm(data).c_str());
    std::snprintf(g_Menu.IniFil, sizeof g_Menu.IniFil, "%sini\\tavo.ini", g_Menu.DataMappe);
    g_Menu.Laast = IniVaerdi(data / "ini" / "tavo.ini", "skemalåst") == "ja" ? 1 : 0;
  }
  // A data folder of installation 7 with record files of the given sizes.
  void LavDataMappe(const fs::path &data, const char *laast, const std::vector<size_t> &stoerrelser) {
    Skriv(data / "ini" / "tavo.ini", std::string("[global]\r\ninsnr=7\r\nversion=10600\r\nskemalåst=") + laast +
                                         "\r\nsupertavo=" + g_Menu.SuperTavo + "\r\n");
    Skriv(data / "ini" / "skrm.ini", "[skaerm]\r\nantal=0\r\n");
    for (size_t i = 0; i < stoerrelser.size(); ++i)
      Skriv(data / "data" / ("tab" + std::to_string(i) + ".dat"), Tilfaeldig(stoerrelser[i], i + 1));
    if (data == data_) Brug(data);
  }
  // Drive A: holds disk k (an empty one is made when missing).
  fs::path Disk(int k, uint64_t ledig = kDiskette, uint64_t total = kDiskette, UINT type = DRIVE_REMOVABLE) {
    const fs::path d = rod_ / ("disk" + std::to_string(k));
    fs::create_directories(d);
    tavo::SetDrive('A', d.string(), type, ledig, total);
    return d;
  }
  fs::path FlytMappe(int k) { return rod_ / ("disk" + std::to_string(k)) / "TAVO-Flyt7"; }

  void Forvent(const std::vector<Boks> &bokse) {
    for (const Boks &b : bokse)
      tavo::test::AnswerNextDialog([b](const tavo::test::ShownDialog &d) -> INT_PTR {
        EXPECT_EQ(d.text.substr(0, b.begynder.size()), b.begynder) << d.text;
        if (b.foer) b.foer();
        return b.svar;
      });
  }
  // Dialog 103 with the procedure, modal, its boxes answered as listed.
  INT_PTR Koer(DLGPROC proc, const std::vector<Boks> &bokse) {
    tavo::test::AnswerNextDialog([this](const tavo::test::ShownDialog &d) -> INT_PTR {
      overskrift_ = d.Control(IDC_OVERSKRIFT) ? d.Control(IDC_OVERSKRIFT)->text : "";
      return 0;
    });
    Forvent(bokse);
    return DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_ARBEJDE), 0, proc, 0);
  }
  // Dialog 103 as a plain modeless window for running one step.
  HWND Dialog() {
    if (!dlg_) dlg_ = CreateDialogParamA(0, MAKEINTRESOURCEA(IDD_ARBEJDE), 0, TomDlgProc, 0);
    return dlg_;
  }
  std::vector<std::string> Tekster() {
    std::vector<std::string> t;
    for (const auto &b : tavo::test::MessageBoxesShown()) t.push_back(b.text);
    return t;
  }

  fs::path rod_, data_;
  std::string cwd_, overskrift_;
  HWND dlg_ = 0;
};

const char kSaaDisk[] = "Så er filerne kopieret til disk enheden!";
const char kSaaHarddisk[] = "Så er filerne kopieret til harddisken!";

// ---- Moving out ----

using FlytDataUd = FlytData;

// 2,500,000 bytes over disks of 1,457,664 free bytes: two disks, the first
// with its free bytes less 3000; disk 1 left in when disk 2 is asked for
// is refused as not number 2.
TEST_F(FlytDataUd, ArchiveSplitOverTwoDisks) {
  LavDataMappe(data_, "nej", {});
  const std::string arkiv = Tilfaeldig(2500000, 9);
  Skriv(data_ / "Data.zip", arkiv);
  Disk(1);
  Forvent({{"Der skal bruges 2 tomme disk enheder til at flytte dataene!\n\nVil du fortsætte?", IDOK},
           {"Indsæt flyt-enhed nr. 2. ", IDOK},
           {"Disk enheden er ikke nr 2.\nIndsæt disk enhed nr. 2 eller en ny og tryk OK", IDOK, [&] { Disk(2); }},
           {kSaaDisk, IDOK}});
  EXPECT_TRUE(KopierFlytData(Dialog()));
  const std::string z1 = Laes(FlytMappe(1) / "Data.z01"), z2 = Laes(FlytMappe(2) / "Data.z02");
  EXPECT_EQ(z1.size(), kDiskette - 3000);
  EXPECT_EQ(z1 + z2, arkiv);
  for (int k : {1, 2}) {
    const fs::path ini = FlytMappe(k) / "flyt.ini";
    SCOPED_TRACE(k);
    EXPECT_EQ(IniVaerdi(ini, "insnr"), "7");
    EXPECT_EQ(IniVaerdi(ini, "version"), "10600");
    EXPECT_EQ(IniVaerdi(ini, "disknr"), std::to_string(k));
    EXPECT_EQ(IniVaerdi(ini, "antaldiske"), "2");
    EXPECT_EQ(IniVaerdi(ini, "skemalåst"), "nej");
    EXPECT_EQ(IniVaerdi(ini, kFlytArkivNoegle), "2500000");
    EXPECT_FALSE(fs::exists(FlytMappe(k) / "Flyttest.txt"));
  }
  EXPECT_EQ(IniVaerdi(data_ / "ini" / "tavo.ini", "skemalåst"), "ja");
  EXPECT_EQ(g_Menu.Laast, 1);
  EXPECT_FALSE(fs::exists(data_ / "Data.zip"));
  EXPECT_EQ(SendDlgItemMessageA(Dialog(), IDC_BJAELKE1, PBM_GETPOS, 0, 0), 6);
}

// A fixed drive takes the archive whole, whatever else it holds, with no
// question about disks.
TEST_F(FlytDataUd, SingleDiskToFixedDrive) {
  LavDataMappe(data_, "nej", {});
  const std::string arkiv = Tilfaeldig(300000, 3);
  Skriv(data_ / "Data.zip", arkiv);
  const fs::path d = Disk(1, 5000000, 9000000, DRIVE_FIXED);
  Skriv(d / "andet.txt", "bliver");
  Forvent({{kSaaDisk, IDOK}});
  EXPECT_TRUE(KopierFlytData(Dialog()));
  EXPECT_EQ(Laes(FlytMappe(1) / "Data.z01"), arkiv);
  EXPECT_EQ(IniVaerdi(FlytMappe(1) / "flyt.ini", "disknr"), "1");
  EXPECT_EQ(IniVaerdi(FlytMappe(1) / "flyt.ini", "antaldiske"), "1");
  EXPECT_EQ(Laes(d / "andet.txt"), "bliver");
  EXPECT_EQ(Tekster(), std::vector<std::string>{kSaaDisk});
}

// A flyt.ini of an older version on the disk: the closing message tells
// that the other PC must be upgraded; one of the same version does not.
TEST_F(FlytDataUd, OlderVersionOnTheDiskIsNamed) {
  for (int gammel : {10500, 10600}) {
    SCOPED_TRACE(gammel);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    LavDataMappe(data_, "nej", {});
    Skriv(data_ / "Data.zip", Tilfaeldig(1000, 1));
    Skriv(FlytMappe(1) / "flyt.ini", "[global]\r\nVersion=" + std::to_string(gammel) + "\r\n");
    Disk(1);
    Forvent({{kSaaDisk, IDOK}});
    EXPECT_TRUE(KopierFlytData(Dialog()));
    const std::string obs = "\n\nOBS!  Den TAVO-version der er på din anden PC er ældre"
                            "\nend den du kopierer dataene fra."
                            "\nDu skal oprette en ny installationsenhed og opgradere den anden PC!";
    EXPECT_EQ(Tekster(), std::vector<std::string>{kSaaDisk + (gammel < 10600 ? obs : "")});
    EXPECT_EQ(IniVaerdi(FlytMappe(1) / "flyt.ini", "version"), "10600");
  }
}

// Stops leave the lock as it was, the data folder as it was and no move
// folder on the disk in the drive.
TEST_F(FlytDataUd, StopsLeaveTheLockAndTheDataFolder) {
  LavDataMappe(data_, "nej", {500000, 1200000, 900000});
  const auto foer = Indhold(data_);
  const struct {
    const char *hvad;
    std::function<void()> forbered;
    std::vector<Boks> bokse;
  } tilfaelde[] = {
      {"Cancel at disk 2", [&] { Disk(1); },
       {{"Der skal bruges 2", IDOK}, {"Indsæt flyt-enhed nr. 2. ", IDCANCEL}}},
      {"Cancel at the number of disks", [&] { Disk(1); }, {{"Der skal bruges 2", IDCANCEL}}},
      {"a disk that is not empty", [&] { Disk(1, kDiskette, kDiskette + 1); },
       {{"Disk enheden er ikke tom og der er ikke plads nok til data'ene.\nSlet indholdet", IDOK}}},
      {"no disk, then Cancel", [&] { tavo::SetDrive('A', (rod_ / "ingen").string(), DRIVE_REMOVABLE); },
       {{"Kan ikke læse fra disk enheden!\nIndsæt flyt-enhed nr. 1. ", IDCANCEL}}},
      {"a write-protected disk answered Cancel",
       [&] {
         // A disk used before: its move folder cannot be deleted either.
         Skriv(FlytMappe(1) / "flyt.ini", "[global]\r\ndisknr=1\r\n");
         Disk(1, 4000000, 4000000);
         tavo::SetDriveWriteProtect('A', true);
       },
       {{"Der kan ikke skrives til disk enheden, fjern evt. skrivebeskyttelsen!\nMediet er skrivebeskyttet.",
         IDCANCEL}}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    tavo::ResetDrives();
    fs::remove_all(rod_ / "disk1");
    t.forbered();
    EXPECT_EQ(Koer(FlytTilEnhedDlgProc, t.bokse), 2);
    EXPECT_EQ(IniVaerdi(data_ / "ini" / "tavo.ini", "skemalåst"), "nej");
    EXPECT_EQ(g_Menu.Laast, 0);
    EXPECT_EQ(Indhold(data_), foer);
    EXPECT_EQ(fs::exists(FlytMappe(1) / "Data.z01"), false);
    EXPECT_EQ(fs::exists(FlytMappe(1) / "flyt.ini"), std::string(t.hvad).find("write") != std::string::npos);
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
  }
}

// Write protection taken off before OK: the move goes on from the disk
// check and ends.
TEST_F(FlytDataUd, WriteProtectionTakenOff) {
  LavDataMappe(data_, "nej", {20000});
  Skriv(FlytMappe(1) / "flyt.ini", "[global]\r\ndisknr=1\r\n");
  Disk(1);
  tavo::SetDriveWriteProtect('A', true);
  Koer(FlytTilEnhedDlgProc,
       {{"Der kan ikke skrives til disk enheden", IDOK, [] { tavo::SetDriveWriteProtect('A', false); }},
        {kSaaDisk, IDOK}});
  EXPECT_TRUE(fs::exists(FlytMappe(1) / "Data.z01"));
  EXPECT_EQ(IniVaerdi(data_ / "ini" / "tavo.ini", "skemalåst"), "ja");
}

// No record file: the packing stops with its message and nothing is
// locked or left behind.
TEST_F(FlytDataUd, NoDataFilesStopsThePacking) {
  LavDataMappe(data_, "nej", {});
  Skriv(data_ / "data" / "noter.txt", "ikke en tabel");
  Disk(1);
  EXPECT_EQ(Koer(FlytTilEnhedDlgProc, {{"Fejl ved pakning af data-filerne!", IDOK}}), 2);
  EXPECT_EQ(overskrift_, "PAKKER FILER    ET ØJEBLIK...");
  EXPECT_EQ(IniVaerdi(data_ / "ini" / "tavo.ini", "skemalåst"), "nej");
  EXPECT_FALSE(fs::exists(data_ / "Data.zip"));
  EXPECT_FALSE(fs::exists(data_ / "Data.tvo"));
  EXPECT_FALSE(fs::exists(rod_ / "disk1" / "TAVO-Flyt7"));
}

// ---- Moving back ----

using FlytDataTilHarddisk = FlytData;

// A disk of another installation or version is refused before anything is
// deleted; flyt.ini's keys are read without regard to case.
TEST_F(FlytDataTilHarddisk, OtherInstallationOrVersionIsRefused) {
  LavDataMappe(data_, "ja", {1000});
  Skriv(data_ / "data" / "exp.dat", "eksport");
  const auto foer = Indhold(data_);
  const struct {
    const char *ini;
    const char *tekst;
  } tilfaelde[] = {
      {"INSNR=8\r\nVersion=10600\r\n", "Data-filerne på disk enheden tilhører ikke denne installation"},
      {"Insnr=7\r\nVERSION=10500\r\n",
       "Data-filerne på disk enheden er fra en program-version 10500 og\nprogrammet data'ene installeres til, er af "
       "en version 10600.\n\nDu kan derfor ikke installere denne version af data!"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.ini);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    Skriv(FlytMappe(1) / "flyt.ini",
          std::string("[global]\r\n") + t.ini + "disknr=1\r\nantaldiske=1\r\narkivbytes=10\r\nskemalåst=nej\r\n");
    Skriv(FlytMappe(1) / "Data.z01", "0123456789");
    Disk(1);
    EXPECT_FALSE(FlytDataTilbage(Dialog()));
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].text, t.tekst);
    EXPECT_EQ(bokse[0].caption, "Fejl");
    EXPECT_EQ(Indhold(data_), foer);
    EXPECT_EQ(g_Menu.Laast, 1);
  }
  // No flyt.ini at all.
  fs::remove(FlytMappe(1) / "flyt.ini");
  EXPECT_FALSE(FlytDataTilbage(Dialog()));
  EXPECT_EQ(Tekster().back(), "Kan ikke læse filen: a:\\TAVO-Flyt7\\flyt.ini fra disk enheden!\nEller enheden er "
                              "ikke en TAVO enhed!");
}

// A round trip between data folders at different paths: out of A over two
// disks, back into B with disk 2 in the drive first. With SuperTavo no lock
// is set on either side.
TEST_F(FlytDataTilHarddisk, RoundTripBetweenTwoDataFolders) {
  for (const char *super : {"nej", "ja"}) {
    SCOPED_TRACE(super);
    const bool laaser = std::strcmp(super, "nej") == 0;
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    fs::remove_all(rod_ / "disk1");
    fs::remove_all(rod_ / "disk2");
    std::strcpy(g_Menu.SuperTavo, super);
    const fs::path a = rod_ / "pc a" / "tavo data", b = rod_ / "andet sted" / "B";
    fs::remove_all(a);
    fs::remove_all(b);
    Brug(a);
    LavDataMappe(a, "nej", {700000, 1000000, 300, 0});
    const auto pakket = Indhold(a);

    Disk(1);
    EXPECT_EQ(Koer(FlytTilEnhedDlgProc, {{"Der skal bruges 2", IDOK}, {"Indsæt flyt-enhed nr. 2. ", IDOK, [&] { Disk(2); }},
                                         {kSaaDisk, IDOK}}),
              2);
    EXPECT_EQ(overskrift_, "PAKKER FILER    ET ØJEBLIK...");
    EXPECT_EQ(IniVaerdi(a / "ini" / "tavo.ini", "skemalåst"), laaser ? "ja" : "nej");
    EXPECT_EQ(IniVaerdi(FlytMappe(2) / "flyt.ini", "skemalåst"), "nej");
    // The entries are named from the data folder.
    Skriv(rod_ / "samlet.zip", Laes(FlytMappe(1) / "Data.z01") + Laes(FlytMappe(2) / "Data.z02"));
    std::vector<std::string> navne = EntryNavne(rod_ / "samlet.zip");
    std::sort(navne.begin(), navne.end());
    EXPECT_EQ(navne, (std::vector<std::string>{"data\\tab0.dat", "data\\tab1.dat", "data\\tab2.dat", "data\\tab3.dat",
                                               "ini\\skrm.ini", "ini\\tavo.ini"}));

    // B: locked, with data of its own and exchange files.
    Skriv(b / "ini" / "tavo.ini", std::string("[global]\r\ninsnr=7\r\nversion=10600\r\nskemalåst=ja\r\nsupertavo=") +
                                      super + "\r\n");
    Skriv(b / "data" / "tab0.dat", "B's egen");
    Skriv(b / "data" / "exp.dat", "B's eksport");
    Skriv(b / "data" / "imp.dat.gz", "B's import");
    Brug(b);
    EXPECT_EQ(Koer(FlytTilHarddiskDlgProc, {{"Indsæt disk enhed nr: 1 i drevet!", IDOK, [&] { Disk(1); }},
                                            {"Indsæt disk enhed nr: 2 i drevet!", IDOK, [&] { Disk(2); }},
                                            {kSaaHarddisk, IDOK}}),
              2);
    EXPECT_EQ(overskrift_, "KOPIER FILER    ET ØJEBLIK...");
    auto efter = Indhold(b);
    EXPECT_EQ(IniVaerdi(b / "ini" / "tavo.ini", "skemalåst"), "nej");
    EXPECT_EQ(IniVaerdi(b / "ini" / "tavo.ini", "insnr"), "7");
    efter.erase("ini/tavo.ini");
    auto forventet = pakket;
    forventet.erase("ini/tavo.ini");
    EXPECT_EQ(efter, forventet);
    EXPECT_EQ(g_Menu.Laast, 0);
    EXPECT_EQ(IniVaerdi(FlytMappe(2) / "flyt.ini", "skemalåst"), laaser ? "ja" : "nej");
    EXPECT_EQ(IniVaerdi(FlytMappe(1) / "flyt.ini", "skemalåst"), "nej");
  }
}

// A disk that takes less than it says it has room for: what is on it
// counts, the next disk is asked for, and the whole archive comes back.
TEST_F(FlytDataTilHarddisk, DiskFullHalfWayStillMovesEverything) {
  LavDataMappe(data_, "nej", {1200000, 1200000});
  const auto pakket = Indhold(data_);
  Disk(1);
  tavo::SetDriveQuota('A', 700000, false);
  Koer(FlytTilEnhedDlgProc, {{"Der skal bruges 2", IDOK},
                             {"Indsæt flyt-enhed nr. 2. ", IDOK, [&] { tavo::ClearDriveQuota('A'); Disk(2); }},
                             {"Indsæt flyt-enhed nr. 3. ", IDOK, [&] { Disk(3); }},
                             {kSaaDisk, IDOK}});
  const uint64_t z1 = fs::file_size(FlytMappe(1) / "Data.z01");
  EXPECT_GT(z1, 600000u);
  EXPECT_LT(z1, 700000u);
  EXPECT_EQ(IniVaerdi(FlytMappe(3) / "flyt.ini", "disknr"), "3");
  EXPECT_EQ(IniVaerdi(data_ / "ini" / "tavo.ini", "skemalåst"), "ja");

  const fs::path b = rod_ / "B";
  Skriv(b / "ini" / "tavo.ini", "[global]\r\ninsnr=7\r\nversion=10600\r\nskemalåst=ja\r\nsupertavo=nej\r\n");
  Brug(b);
  Koer(FlytTilHarddiskDlgProc, {{"Indsæt disk enhed nr: 1", IDOK, [&] { Disk(1); }},
                                {"Indsæt disk enhed nr: 2", IDOK, [&] { Disk(2); }},
                                {"Indsæt disk enhed nr: 3", IDOK, [&] { Disk(3); }},
                                {kSaaHarddisk, IDOK}});
  auto efter = Indhold(b);
  EXPECT_EQ(efter.at("data/tab0.dat"), pakket.at("data/tab0.dat"));
  EXPECT_EQ(efter.at("data/tab1.dat"), pakket.at("data/tab1.dat"));
}

// Failures on the way back leave data\ and ini\ (the exchange files too)
// and the lock as they were, and write nothing outside the data folder.
TEST_F(FlytDataTilHarddisk, FailuresLeaveTheDataFolder) {
  const fs::path b = data_;
  LavDataMappe(b, "ja", {5000, 6000});
  Skriv(b / "data" / "exp.dat", "eksport");
  const auto foer = Indhold(b);
  const std::string udenfor = (rod_ / "pc a" / "evil").string();
  // Two disks of a move whose second volume is the one the case changes.
  auto toDiske = [&](const std::string &arkiv, bool udenDel2) {
    const size_t halv = arkiv.size() / 2;
    for (int k : {1, 2}) {
      const std::string ini = "[global]\r\ninsnr=7\r\nversion=10600\r\ndisknr=" + std::to_string(k) +
                              "\r\nantaldiske=2\r\nskemalåst=nej\r\narkivbytes=" + std::to_string(arkiv.size()) + "\r\n";
      Skriv(FlytMappe(k) / "flyt.ini", ini);
      if (k == 1) Skriv(FlytMappe(1) / "Data.z01", arkiv.substr(0, halv));
      if (k == 2 && !udenDel2) Skriv(FlytMappe(2) / "Data.z02", arkiv.substr(halv));
    }
  };
  auto ondtArkiv = [&](const std::string &navn) {
    LavArkiv(rod_ / "ond.zip", {{"data\\tab0.dat", "ny"}, {navn, "ondt"}});
    return Laes(rod_ / "ond.zip");
  };
  const struct {
    const char *hvad;
    std::function<void()> forbered;
    std::vector<Boks> bokse;
  } tilfaelde[] = {
      {"Cancel at disk 2", [&] { toDiske(Tilfaeldig(5000, 1), false); },
       {{"Indsæt disk enhed nr: 2", IDCANCEL}}},
      {"a volume missing", [&] { toDiske(Tilfaeldig(5000, 1), true); },
       {{"Indsæt disk enhed nr: 2", IDOK, [&] { Disk(2); }}, {"Kan ikke kopiere filen: a:\\TAVO-Flyt7\\Data.z02\nDen angivne fil blev ikke fundet.", IDOK}}},
      {"an entry ../evil", [&] { toDiske(ondtArkiv("../evil"), false); },
       {{"Indsæt disk enhed nr: 2", IDOK, [&] { Disk(2); }}, {"Kan ikke udpakke filen: ", IDOK}}},
      {"an entry /etc/x", [&] { toDiske(ondtArkiv("/etc/x"), false); },
       {{"Indsæt disk enhed nr: 2", IDOK, [&] { Disk(2); }}, {"Kan ikke udpakke filen: ", IDOK}}},
      {"an entry outside data and ini", [&] { toDiske(ondtArkiv("log\\x.log"), false); },
       {{"Indsæt disk enhed nr: 2", IDOK, [&] { Disk(2); }}, {"Kan ikke udpakke filen: ", IDOK}}},
      {"the data folder's drive full",
       [&] {
         toDiske(Tilfaeldig(5000, 1), false);
         tavo::SetDriveQuota('C', 100, false);
       },
       {{"Kan ikke kopiere filen: a:\\TAVO-Flyt7\\Data.z01\nDer er ikke plads nok på disken.", IDOK,
         [] { tavo::ClearDriveQuota('C'); }}}},
      {"a broken archive", [&] { toDiske(Tilfaeldig(5000, 2), false); },
       {{"Indsæt disk enhed nr: 2", IDOK, [&] { Disk(2); }}, {"Kan ikke udpakke filen: ", IDOK}}},
  };
  const bool etcFoer = fs::exists("/etc/x");
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    fs::remove_all(rod_ / "disk1");
    fs::remove_all(rod_ / "disk2");
    t.forbered();
    Disk(1);
    EXPECT_EQ(Koer(FlytTilHarddiskDlgProc, t.bokse), 2);
    EXPECT_EQ(Indhold(b), foer);
    EXPECT_EQ(g_Menu.Laast, 1);
    EXPECT_FALSE(fs::exists(udenfor));
    EXPECT_EQ(fs::exists("/etc/x"), etcFoer);
    EXPECT_EQ(IniVaerdi(FlytMappe(1) / "flyt.ini", "skemalåst"), "nej");
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
  }
}

}  // namespace
