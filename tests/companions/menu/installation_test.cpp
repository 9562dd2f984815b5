// The routines that start other programs or make an installation unit; the
// programs they start are the recording program under the names they use.
#include <minizip/unzip.h>

#include <cstdlib>
#include <set>

#include "menuhjaelp_support.h"
#include "optager_proces.h"
#include "pathmap.h"

using namespace menutest;

namespace {

class MenuHjaelpInstallation : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    log_ = (mappe_ / "optager.log").string();
    setenv("TAVO_OPTAGER_LOG", log_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("TAVO_OPTAGER_LOG");
    tavo::ResetDrives();
    MenuTest::TearDown();
  }
  std::string log_;
};

std::set<std::string> Entries(const fs::path &zip) {
  std::set<std::string> ud;
  unzFile uf = unzOpen64(zip.c_str());
  if (!uf) return ud;
  for (int r = unzGoToFirstFile(uf); r == UNZ_OK; r = unzGoToNextFile(uf)) {
    char navn[256];
    unzGetCurrentFileInfo64(uf, nullptr, navn, sizeof navn, nullptr, 0, nullptr, 0);
    ud.insert(navn);
  }
  unzClose(uf);
  return ud;
}

TEST_F(MenuHjaelpInstallation, ZipDeleteEntryRunsZipAndWaits) {
  const std::string prog = Sti("mit program") + "/";
  ASSERT_TRUE(optagertest::Placer(Sti("mit program"), "zip.exe", "sov 200\nslut 3\n"));
  EXPECT_EQ(ZipDeleteEntry(prog.c_str(), Sti("a b.zip").c_str(), "data\\akti.dat"), 3);
  const auto k = optagertest::LaesLog(log_);
  ASSERT_EQ(k.size(), 1u);
  EXPECT_EQ(k[0].navn, "zip.exe");
  EXPECT_EQ(k[0].argumenter, "-dq \"" + Sti("a b.zip") + "\" data\\akti.dat");
  EXPECT_EQ(ZipDeleteEntry(Sti("ingen/").c_str(), "a.zip", "b"), -1);
}

TEST_F(MenuHjaelpInstallation, StartInstallFraDisk) {
  tavo::SetDrive('A', Sti("a"), DRIVE_REMOVABLE);
  tavo::test::StartDialogScript();
  // No medium, no install.exe, an install.exe that is no program.
  EXPECT_EQ(StartInstallFraDisk(0, "a:", "C:\\Tavo\\"), 0);
  fs::create_directories(mappe_ / "a/TAVO-Inst");
  EXPECT_EQ(StartInstallFraDisk(0, "a:", "C:\\Tavo\\"), 0);
  Skriv(mappe_ / "a/TAVO-Inst/install.exe", "ikke et program");
  EXPECT_EQ(StartInstallFraDisk(0, "a:", "C:\\Tavo\\"), 0);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 3u);
  EXPECT_EQ(bokse[0].text, "Kan ikke læse fra disk enheden!\nKontroller om enheden er i orden!!");
  EXPECT_EQ(bokse[1].text, "Kan ikke finde filen 'Install.exe' !");
  EXPECT_EQ(bokse[2].text, "Kan ikke starte 'Install.exe' !");

  ASSERT_TRUE(optagertest::Placer(Sti("a/TAVO-Inst"), "install.exe"));
  EXPECT_EQ(StartInstallFraDisk(0, "a:", "C:\\Mit Tavo\\"), 1);
  std::vector<optagertest::Koersel> k;
  for (int i = 0; i < 500 && (k = optagertest::LaesLog(log_)).empty(); ++i) Sleep(10);
  ASSERT_EQ(k.size(), 1u);
  EXPECT_EQ(k[0].navn, "install.exe");
  // The program folder reaches it whole, its trailing backslash too (the
  // log doubles a backslash before its own closing quote).
  EXPECT_EQ(k[0].argumenter, "\"C:\\Mit Tavo\\\\\"");
}

TEST_F(MenuHjaelpInstallation, InstallationUnit) {
  const std::string prog = Sti("prog") + "/";
  for (const char *fil : {"10413.exe", "Tavo.exe", "TavoMenu.exe", "Zintel.exe"}) Skriv(mappe_ / "prog" / fil, fil);
  Skriv(mappe_ / "prog/ini10413.zip", std::string(3000, 'i'));
  Skriv(mappe_ / "prog/install.exe", std::string(5000, 'x'));
  Skriv(mappe_ / "a/TAVO-Flyt7/gammel.txt", "gammel");
  tavo::SetDrive('A', Sti("a"), DRIVE_REMOVABLE, 1440000, 1457664);
  InstallationsEnhed e = {prog.c_str(), "a:", "a:\\TAVO-Flyt7", 7, 10413};

  tavo::test::StartDialogScript(20000);
  std::string caption;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
    caption = d.caption;
    return 0;
  });
  EXPECT_EQ(DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_ARBEJDE), 0, InstallationsEnhedDlgProc,
                            reinterpret_cast<LPARAM>(&e)),
            1);
  EXPECT_EQ(caption, "Installationsenhed...");
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  std::set<std::string> filer;
  // The ini layer's own lock file aside.
  for (auto &p : fs::directory_iterator(mappe_ / "a/TAVO-Flyt7"))
    if (p.path().filename().string()[0] != '.') filer.insert(p.path().filename().string());
  EXPECT_EQ(filer, (std::set<std::string>{"prg10413.zip", "ini10413.zip", "install.exe", "flyt.ini"}));
  EXPECT_EQ(Entries(mappe_ / "a/TAVO-Flyt7/prg10413.zip"),
            (std::set<std::string>{"10413.exe", "tavo.exe", "tavomenu.exe", "Zintel.exe"}));
  EXPECT_EQ(Laes(mappe_ / "a/TAVO-Flyt7/install.exe"), std::string(5000, 'x'));
  const std::string ini = (mappe_ / "a/TAVO-Flyt7/flyt.ini").string();
  EXPECT_EQ(GetPrivateProfileIntA("global", "insnr", 0, ini.c_str()), 7);
  EXPECT_EQ(GetPrivateProfileIntA("global", "version", 0, ini.c_str()), 10413);
  EXPECT_EQ(GetPrivateProfileIntA("global", "disknr", 0, ini.c_str()), 1);
  tavo::test::StopDialogScript();

  // Too little room: a box, and the dialog ends with 0.
  tavo::SetDrive('A', Sti("a"), DRIVE_REMOVABLE, 1439999, 1457664);
  tavo::test::StartDialogScript(20000);
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return 0; });
  EXPECT_EQ(DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_ARBEJDE), 0, InstallationsEnhedDlgProc,
                            reinterpret_cast<LPARAM>(&e)),
            0);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Fejl");
}

}  // namespace
