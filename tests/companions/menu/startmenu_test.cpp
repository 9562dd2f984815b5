// The start menu: its command line, start-up checks, the update-package
// check, the clean-up of outgrown packages, dialog 102 driven by synthetic
// input, and the desktop shortcut's icon. Programs it starts are the
// recording program, whose log tells how they were started.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "MENU.h"
#include "menuressourcer.h"
#include "optager_proces.h"
#include "pathmap.h"
#include "tavo/test_dialog.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"
#include "win/kreg.h"
#include "win/shlobj.h"

namespace {

namespace fs = std::filesystem;

// A Linux path in the Windows form the start menu works with.
std::string WinForm(const fs::path &p) {
  std::string s = p.string();
  for (char &c : s)
    if (c == '/') c = '\\';
  return s;
}

void Skriv(const fs::path &p, const std::string &indhold) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << indhold;
}

std::string Laes(const fs::path &p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void SaetKommandolinje(const std::vector<std::string> &args) {
  std::vector<std::string> kopi = args;
  std::vector<char *> argv;
  for (auto &a : kopi) argv.push_back(a.data());
  tavo::SetCommandLine((int)argv.size(), argv.data());
}

// The words of a logged run's arguments (they come without a program name,
// whose backslashes would read differently).
std::vector<std::string> Ord(const std::string &argumenter) {
  auto ord = tavo::SplitCommandLine("x " + argumenter);
  ord.erase(ord.begin());
  return ord;
}

class StartMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    char skabelon[] = "/tmp/startmenu_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    rod_ = skabelon;
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    cwd_ = cwd;
    prog_ = rod_ / "pro g";
    data_ = rod_ / "da ta";
    fs::create_directories(prog_);
    fs::create_directories(data_ / "ini");
    log_ = (rod_ / "optager.log").string();
    setenv("TAVO_OPTAGER_LOG", log_.c_str(), 1);
    skrivebord_ = rod_ / "skrivebord";
    fs::create_directories(skrivebord_);
    tavo::reg::SetString(HKEY_CURRENT_USER, tavo::reg::kShellFolders, "Desktop", WinForm(skrivebord_));
    g_MenuStartPause = 0;
    g_Menu = MenuTilstand{};
    std::snprintf(g_Menu.ProgramMappe, kMenuSti, "%s\\", WinForm(prog_).c_str());
    std::snprintf(g_Menu.DataMappe, kMenuSti, "%s\\", WinForm(data_).c_str());
    g_Menu.Version = 10300;
    std::strcpy(g_Menu.SuperTavo, "nej");
    std::strcpy(g_Menu.FlytDrev, "a:");
    InitCommonControls();
    RegistrerTavoMenuRessourcer();
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    tavo::reg::Clear();
    unsetenv("TAVO_OPTAGER_LOG");
    if (chdir(cwd_.c_str()) != 0) ADD_FAILURE() << "chdir";
    std::error_code ec;
    fs::remove_all(rod_, ec);
  }

  // The runs logged once at least n have come (nothing is waited for).
  std::vector<optagertest::Koersel> Koersler(size_t n) {
    auto slut = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::vector<optagertest::Koersel> k;
    while ((k = optagertest::LaesLog(log_)).size() < n && std::chrono::steady_clock::now() < slut)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return k;
  }

  // The settings file of the data folder.
  void Ini(const std::string &global) { Skriv(data_ / "ini" / "tavo.ini", "[global]\r\n" + global); }

  fs::path rod_, prog_, data_, skrivebord_;
  std::string cwd_, log_;
};

TEST_F(StartMenu, CommandLineFolders) {
  const struct {
    std::vector<std::string> args;
    const char *program, *data;
  } tilfaelde[] = {
      {{"c:\\tavo\\TavoMenu.exe", "-Pc:\\prog", "-Dd:\\data"}, "c:\\prog\\", "d:\\data\\"},
      {{"c:\\tavo\\TavoMenu.exe", "-pc:\\prog\\"}, "c:\\prog\\", "c:\\prog\\"},
      {{"c:\\tavo\\TavoMenu.exe", "-x", "ingen", "-dd:\\data", "/p", "-"}, "c:\\tavo\\", "d:\\data\\"},
      {{"TavoMenu.exe"}, "", ""},
      {{"c:\\tavo\\TavoMenu.exe", "-p \t c:\\prog  ", "-D d:\\data\\ "}, "c:\\prog\\", "d:\\data\\"},
  };
  for (const auto &t : tilfaelde) {
    SaetKommandolinje(t.args);
    char p[kMenuSti], d[kMenuSti];
    MenuCommandLine(p, d);
    EXPECT_STREQ(p, t.program) << t.args.back();
    EXPECT_STREQ(d, t.data) << t.args.back();
  }
}

TEST_F(StartMenu, HeadingFontsAndLockedFlag) {
  const struct {
    int hoejde;
    OverskriftMaal maal;
  } fonte[] = {{768, {-48, 30, -24, 15}},  {600, {-48, 30, -24, 15}}, {864, {-48, 30, -24, 15}},
               {1024, {-80, 50, -40, 25}}, {1200, {-96, 50, -48, 25}}, {900, {0, 0, 0, 0}},
               {599, {0, 0, 0, 0}}};
  for (const auto &f : fonte) {
    const OverskriftMaal m = OverskriftStoerrelse(f.hoejde);
    EXPECT_EQ(m.hoejde, f.maal.hoejde) << f.hoejde;
    EXPECT_EQ(m.bredde, f.maal.bredde) << f.hoejde;
    EXPECT_EQ(m.underHoejde, f.maal.underHoejde) << f.hoejde;
    EXPECT_EQ(m.underBredde, f.maal.underBredde) << f.hoejde;
  }
  const struct {
    const char *laast, *super;
    int flag;
  } laas[] = {{"ja", "nej", 1}, {"ja", "ja", 0}, {"nej", "nej", 0}, {"", "nej", 0}, {"ja", "andet", 0}};
  for (const auto &l : laas) EXPECT_EQ(LaastFlag(l.laast, l.super), l.flag) << l.laast << "/" << l.super;
}

TEST_F(StartMenu, SettingsFileChecks) {
  const std::string ini = (data_ / "ini" / "tavo.ini").string();
  const std::string slut = "\nKontakt din systemadministrator!";
  // Missing.
  EXPECT_FALSE(TjekIniFil(ini.c_str()));
  // Read-only by its attribute (also as root).
  Skriv(ini, "[global]\r\n");
  ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(TjekIniFil(ini.c_str()));
  ASSERT_TRUE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_TRUE(TjekIniFil(ini.c_str()));
  // A folder of that name cannot be read as a file.
  fs::remove(ini);
  fs::create_directories(ini);
  EXPECT_FALSE(TjekIniFil(ini.c_str()));
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 3u);
  EXPECT_EQ(bokse[0].text, "Filen '" + ini + "' - blev ikke fundet!" + slut);
  EXPECT_EQ(bokse[1].text, "Filen '" + ini + "' - har du ikke skrive rettigheder til!" + slut);
  EXPECT_EQ(bokse[2].text, "Filen '" + ini + "' - har du ikke læse rettigheder til!" + slut);
  for (const auto &b : bokse) {
    EXPECT_EQ(b.caption, "Fejl");
    EXPECT_TRUE(b.type & MB_SYSTEMMODAL);
  }
}

TEST_F(StartMenu, MissingSettingsFileEndsTheProgramAndNothingElse) {
  ASSERT_TRUE(optagertest::Placer(prog_.string(), "10300.exe"));
  Skriv(prog_ / "Opd0.exe", "x");
  SaetKommandolinje({WinForm(prog_ / "TavoMenu.exe"), "-d" + WinForm(data_)});
  EXPECT_EQ(MenuWinMain(0, 0, nullptr, SW_SHOW), 0);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_NE(bokse[0].text.find("blev ikke fundet!"), std::string::npos);
  EXPECT_EQ(FindWindowA("MenuWndClass", nullptr), (HWND)0);
  EXPECT_TRUE(fs::exists(prog_ / "Opd0.exe"));
  EXPECT_FALSE(fs::exists(prog_ / "START.LOG"));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_TRUE(optagertest::LaesLog(log_).empty());
}

TEST_F(StartMenu, UpdatePackageCheck) {
  const std::string p = g_Menu.ProgramMappe, d = g_Menu.DataMappe;
  const struct {
    const char *hvad;
    const char *pakke;       // placed as the recording program
    bool laas;               // opdat.lck present
    int svar;                // the answer to "Ny Version", 0 when none is asked
    int resultat;
    const char *startet;     // the package started, "" when none
  } tilfaelde[] = {
      {"an update running", "opd10320.exe", true, 0, 0, ""},
      {"a package below 10331 is offered and started", "opd10320.exe", false, IDYES, 2, "opd10320.exe"},
      {"it is started by the name it was found under", "opd010320.exe", false, IDYES, 2, "opd010320.exe"},
      {"No goes on with the main program", "opd10320.exe", false, IDNO, 1, ""},
      {"a package above 10331 is never offered", "opd10400.exe", false, 0, 1, ""},
      {"nor one just above it", "opd10332.exe", false, 0, 1, ""},
      {"nor the running version's own", "opd10300.exe", false, 0, 1, ""},
      {"no package", nullptr, false, 0, 1, ""},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    fs::remove_all(prog_);
    fs::create_directories(prog_);
    fs::remove(log_);
    if (t.pakke) { ASSERT_TRUE(optagertest::Placer(prog_.string(), t.pakke)); }
    if (t.laas) Skriv(prog_ / "opdat.lck", "x");
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    if (t.svar) tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &) { return (INT_PTR)t.svar; });
    EXPECT_EQ(CheckOpdPakke(0), t.resultat);
    const auto bokse = tavo::test::MessageBoxesShown();
    if (t.laas) {
      ASSERT_EQ(bokse.size(), 1u);
      EXPECT_EQ(bokse[0].caption, "Opdatering");
      EXPECT_EQ(bokse[0].text, "Opdatering er under afvikling. Prøv igen om lidt.\n");
    } else if (t.svar) {
      ASSERT_EQ(bokse.size(), 1u);
      EXPECT_EQ(bokse[0].caption, "Ny Version");
      EXPECT_TRUE(bokse[0].type & MB_YESNO);
    } else {
      EXPECT_TRUE(bokse.empty());
    }
    if (*t.startet) {
      const auto k = Koersler(1);
      ASSERT_EQ(k.size(), 1u);
      EXPECT_EQ(k[0].navn, t.startet);
      // The folders arrive whole, blank, quote and trailing backslash.
      EXPECT_EQ(Ord(k[0].argumenter), (std::vector<std::string>{"-p" + p, "-d" + d}));
    }
  }
}

TEST_F(StartMenu, PackageThatCannotStartKeepsTheDialog) {
  // Not a program: the start fails.
  Skriv(prog_ / "opd10320.exe", "ingen kode");
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return (INT_PTR)IDYES; });
  EXPECT_EQ(CheckOpdPakke(0), 0);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 2u);
  EXPECT_EQ(bokse[1].caption, "Fejl");
  EXPECT_EQ(bokse[1].text.rfind("Fejl under opstart af TAVO-skema!\n", 0), 0u);
  EXPECT_GT(bokse[1].text.size(), std::string("Fejl under opstart af TAVO-skema!\n").size());
}

TEST_F(StartMenu, CommandLinesQuoteEveryPart) {
  EXPECT_EQ(HovedprogramLinje("C:\\Prog\\", "C:\\Data\\", 10412, false),
            "\"C:\\Prog\\10412.exe\" \"-pC:\\Prog\" \"-dC:\\Data\"");
  EXPECT_EQ(HovedprogramLinje("C:\\Prog\\", "C:\\Da ta\\", 10413, true),
            "\"C:\\Prog\\10413.exe\" \"-pC:\\Prog\" \"-dC:\\Da ta\" -l");
  // A program name keeps its backslashes as they stand; the folders after
  // it may hold anything, a quote or a trailing backslash too.
  const struct {
    const char *program, *data;
  } mapper[] = {{"C:\\Prog\\", "C:\\Data\\"}, {"C:\\a b\\", "C:\\a \"b\"\\"}, {"C:\\x\\\\", "C:\\y\\\\"}};
  for (const auto &m : mapper) {
    const auto ord = tavo::SplitCommandLine(OpdPakkeLinje(m.program, m.data, "opd10320.exe"));
    EXPECT_EQ(ord, (std::vector<std::string>{std::string(m.program) + "opd10320.exe", std::string("-p") + m.program,
                                             std::string("-d") + m.data}));
    const auto hoved = tavo::SplitCommandLine(HovedprogramLinje(m.program, m.data, 10300, true));
    ASSERT_EQ(hoved.size(), 4u);
    EXPECT_EQ(hoved[2], "-d" + std::string(m.data).substr(0, std::strlen(m.data) - 1));
  }
}

TEST_F(StartMenu, OutgrownPackagesAreDeleted) {
  const struct {
    const char *hvad;
    const char *startLog;  // nullptr: START.LOG cannot be opened
    bool slettet;
  } tilfaelde[] = {
      {"every installation at the running version or above", "01,10300,a,b,1,08:00,\r\n02,10400,a,b,1,08:00,\r\n", true},
      {"an installation below it", "01,10300,a,b,1,08:00,\r\n02,10200,a,b,1,08:00,\r\n", false},
      {"an empty START.LOG", "", true},
      {"START.LOG cannot be opened", nullptr, false},
  };
  const char *filer[] = {"Opd10300.exe", "Opd10300.zip", "Prg10300.zip"};
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    fs::remove_all(prog_);
    for (const char *f : filer) Skriv(prog_ / f, "x");
    Skriv(prog_ / "Opd10400.exe", "x");
    if (t.startLog) {
      Skriv(prog_ / "START.LOG", t.startLog);
    } else {
      fs::create_directories(prog_ / "START.LOG");
      tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return (INT_PTR)IDCANCEL; });
    }
    SletGamleOpdPakker(g_Menu.ProgramMappe, 10300);
    for (const char *f : filer) EXPECT_EQ(fs::exists(prog_ / f), !t.slettet) << f;
    EXPECT_TRUE(fs::exists(prog_ / "Opd10400.exe"));
  }
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return (INT_PTR)IDCANCEL; });
  EXPECT_EQ(MinStartLogVersion(g_Menu.ProgramMappe), 0);
}

// Runs the start menu on the folders, with the dialog answered by the
// handler (synthetic input); the runs of the recording program logged.
class StartMenuDialog : public StartMenu {
 protected:
  void Koer(const std::function<void(const tavo::test::ShownDialog &)> &bruger) {
    if (!fs::exists(prog_ / "10300.exe")) { ASSERT_TRUE(optagertest::Placer(prog_.string(), "10300.exe")); }
    SaetKommandolinje({"TavoMenu.exe", "-p" + WinForm(prog_), "-d" + WinForm(data_)});
    tavo::test::ClearDrawnTexts();
    tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
      UpdateWindow(GetParent(d.hwnd));
      UpdateWindow(d.hwnd);
      tekster_ = tavo::test::CaptureDialog(d.hwnd);
      bruger(d);
      return 0;
    });
    EXPECT_EQ(MenuWinMain(0, 0, nullptr, SW_SHOW), 0);
    EXPECT_EQ(FindWindowA("MenuWndClass", nullptr), (HWND)0);
  }
  static void Klik(const tavo::test::ShownDialog &d, int id) {
    const auto *k = d.Control(id);
    ASSERT_NE(k, nullptr) << id;
    const POINT pt = tavo::test::ScreenPoint(k->hwnd, 4, 4);
    tavo::test::Click(pt.x, pt.y);
  }
  tavo::test::ShownDialog tekster_;
};

TEST_F(StartMenuDialog, StartsTheMainProgramReadOnlyOrNot) {
  Ini("insnr=7\r\nversion=10300\r\nskemalåst=nej\r\nsupertavo=nej\r\n");
  const std::string p = WinForm(prog_), d = WinForm(data_);
  // Read-only.
  Koer([](const tavo::test::ShownDialog &d) {
    Klik(d, IDC_START_VIS);
    Klik(d, IDC_OK);
  });
  auto k = Koersler(1);
  ASSERT_EQ(k.size(), 1u);
  EXPECT_EQ(k[0].navn, "10300.exe");
  EXPECT_EQ(Ord(k[0].argumenter), (std::vector<std::string>{"-p" + p, "-d" + d, "-l"}));
  // The banner is drawn with the installation and the version.
  bool banner = false, overskrift = false, hovedmenu = false;
  for (const auto &t : tavo::test::DrawnTexts()) {
    banner |= t.text == "Tavo: 7   Version: 1.03.00";
    // The menu window's headings, yellow, in fonts by the screen's height.
    overskrift |= t.text == "TAVO-skema" && t.text_color == RGB(255, 255, 0) && t.face == "Arial";
    hovedmenu |= t.text == "HOVEDMENU" && t.text_color == RGB(255, 255, 0);
  }
  EXPECT_TRUE(banner);
  EXPECT_TRUE(overskrift);
  EXPECT_TRUE(hovedmenu);
  ASSERT_NE(tekster_.Control(IDC_START), nullptr);
  EXPECT_EQ(tekster_.Control(IDC_START)->text, "&Start TAVO-skema");
  EXPECT_EQ(tekster_.Control(IDC_START_VIS)->text, "Start TAV&O-skema [VIS]");

  // Read-write: the first radio is checked from the start.
  Koer([](const tavo::test::ShownDialog &d) { Klik(d, IDC_OK); });
  k = Koersler(2);
  ASSERT_EQ(k.size(), 2u);
  EXPECT_EQ(Ord(k[1].argumenter), (std::vector<std::string>{"-p" + p, "-d" + d}));
}

void LavGenvej(const fs::path &fil, const std::string &maal, const std::string &argumenter, int ikon);
int IkonIndeks(const fs::path &fil);

TEST_F(StartMenuDialog, CloseStartsNothing) {
  Ini("insnr=7\r\nversion=10300\r\nskemalåst=ja\r\nsupertavo=nej\r\n");
  // The start-up sets the shortcut's icon by the supertavo it has read.
  LavGenvej(skrivebord_ / "tavo.lnk", WinForm(prog_ / "Tavo.exe"), "-d" + tavo::QuoteArgument(WinForm(data_)), 1);
  Koer([](const tavo::test::ShownDialog &d) { Klik(d, IDC_LUK); });
  EXPECT_EQ(IkonIndeks(skrivebord_ / "tavo.lnk"), 0);
  EXPECT_EQ(tekster_.Control(IDC_START)->text, "&Start TAVO-skema [LÅST]");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_TRUE(optagertest::LaesLog(log_).empty());
}

TEST_F(StartMenu, ButtonTextsFollowTheLockAndTheMoveDrive) {
  tavo::SetDrive('E', (rod_ / "e").string(), DRIVE_REMOVABLE);
  tavo::SetDrive('F', (rod_ / "f").string(), DRIVE_FIXED);
  tavo::res::DialogTemplate t;
  t.style = WS_POPUP;
  t.cx = 100;
  t.cy = 60;
  for (int id : {IDC_START, IDC_FLYT, IDC_START_VIS}) t.items.push_back({"BUTTON", id, "", WS_VISIBLE, 0, 0, id - 1000, 90, 10});
  HWND dlg = CreateDialogTemplate(0, t, 0, [](HWND, UINT m, WPARAM, LPARAM) -> INT_PTR { return m == WM_INITDIALOG; }, 0);
  ASSERT_NE(dlg, (HWND)0);
  const struct {
    int laast;
    const char *super, *drev, *start, *flyt;
  } tilfaelde[] = {
      {0, "nej", "E:", "&Start TAVO-skema", "&Flyt data til enhed"},
      {0, "nej", "F:", "&Start TAVO-skema", "&Flyt data til harddisk"},
      {0, "ja", "E:", "&Start Super TAVO", "&Flyt data til enhed"},
      {1, "nej", "E:", "&Start TAVO-skema [LÅST]", "&Flyt data til harddisk"},
      {1, "ja", "E:", "&Start Super TAVO", "&Flyt data til harddisk"},
  };
  for (const auto &c : tilfaelde) {
    g_Menu.Laast = c.laast;
    std::strcpy(g_Menu.SuperTavo, c.super);
    std::strcpy(g_Menu.FlytDrev, c.drev);
    SetMenuButtonTexts(dlg);
    char tekst[100];
    GetDlgItemTextA(dlg, IDC_START, tekst, sizeof tekst);
    EXPECT_STREQ(tekst, c.start) << c.laast << c.super << c.drev;
    GetDlgItemTextA(dlg, IDC_FLYT, tekst, sizeof tekst);
    EXPECT_STREQ(tekst, c.flyt) << c.laast << c.super << c.drev;
    GetDlgItemTextA(dlg, IDC_START_VIS, tekst, sizeof tekst);
    EXPECT_STREQ(tekst, "Start TAV&O-skema [VIS]");
  }
  DestroyWindow(dlg);
  tavo::ResetDrives();
}

// A link file in the test desktop folder.
void LavGenvej(const fs::path &fil, const std::string &maal, const std::string &argumenter, int ikon) {
  IShellLinkA *link = nullptr;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void **)&link)));
  link->SetPath(maal.c_str());
  link->SetArguments(argumenter.c_str());
  link->SetIconLocation(maal.c_str(), ikon);
  IPersistFile *pf = nullptr;
  ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&pf)));
  const std::string smal = fil.string();
  const std::wstring navn(smal.begin(), smal.end());
  EXPECT_TRUE(SUCCEEDED(pf->Save(navn.c_str(), TRUE)));
  pf->Release();
  link->Release();
}

int IkonIndeks(const fs::path &fil) {
  IShellLinkA *link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void **)&link))) return -1;
  IPersistFile *pf = nullptr;
  link->QueryInterface(IID_IPersistFile, (void **)&pf);
  const std::string smal = fil.string();
  const std::wstring navn(smal.begin(), smal.end());
  int indeks = -1;
  char ikon[MAX_PATH];
  if (SUCCEEDED(pf->Load(navn.c_str(), STGM_READ))) link->GetIconLocation(ikon, sizeof ikon, &indeks);
  pf->Release();
  link->Release();
  return indeks;
}

TEST_F(StartMenu, ShortcutIconFollowsSuperTavo) {
  std::string P = g_Menu.ProgramMappe, D = g_Menu.DataMappe;
  for (char &c : P) c = (char)std::toupper((unsigned char)c);
  for (char &c : D) c = (char)std::toupper((unsigned char)c);
  const std::string tavo = P + "TAVO.EXE";
  const struct {
    const char *super;
    int foer, efter;
  } tilfaelde[] = {{"ja", 0, 1}, {"nej", 1, 0}, {"ja", 1, 1}, {"nej", 0, 0}};
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.super);
    fs::remove_all(skrivebord_);
    fs::create_directories(skrivebord_);
    // Another data folder, another program folder, a file that is no link.
    LavGenvej(skrivebord_ / "anden.lnk", tavo, "-dC:\\andet", t.foer);
    LavGenvej(skrivebord_ / "fremmed.lnk", "C:\\fremmed\\Tavo.exe", "-d" + D, t.foer);
    Skriv(skrivebord_ / "ikke.lnk", "ikke en genvej");
    LavGenvej(skrivebord_ / "tavo.lnk", tavo, "-x " + tavo::QuoteArgument("-d" + D), t.foer);
    const std::string anden = Laes(skrivebord_ / "anden.lnk"), fremmed = Laes(skrivebord_ / "fremmed.lnk");
    std::strcpy(g_Menu.SuperTavo, t.super);
    SetShortcutIcon();
    EXPECT_EQ(IkonIndeks(skrivebord_ / "tavo.lnk"), t.efter);
    EXPECT_EQ(Laes(skrivebord_ / "anden.lnk"), anden);
    EXPECT_EQ(Laes(skrivebord_ / "fremmed.lnk"), fremmed);
    EXPECT_EQ(Laes(skrivebord_ / "ikke.lnk"), "ikke en genvej");
  }
  // A link without arguments serves the program folder as its data folder.
  std::strcpy(g_Menu.DataMappe, g_Menu.ProgramMappe);
  std::strcpy(g_Menu.SuperTavo, "ja");
  LavGenvej(skrivebord_ / "tavo.lnk", tavo, "", 0);
  SetShortcutIcon();
  EXPECT_EQ(IkonIndeks(skrivebord_ / "tavo.lnk"), 1);
}

}  // namespace

namespace {

// The frame and the focus ring on a memory bitmap, pixel by pixel.
TEST(StartMenuTegning, FrameRingsAndFocusBands) {
  HDC dc = CreateCompatibleDC(0);
  HBITMAP bmp = CreateCompatibleBitmap(dc, 40, 30);
  HGDIOBJ gammel = SelectObject(dc, bmp);
  const RECT alt = {0, 0, 40, 30};
  HBRUSH hvid = CreateSolidBrush(RGB(1, 2, 3));
  FillRect(dc, &alt, hvid);
  Draw3dFrame(dc, 2, 2, 38, 28, 1);
  // Ring by ring from outside: top-left edge colour, bottom-right edge colour.
  const int farver[4][2] = {{COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW},
                            {COLOR_BTNFACE, COLOR_BTNSHADOW},
                            {COLOR_BTNSHADOW, COLOR_BTNFACE},
                            {COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(tavo::test::SurfacePixel(dc, 2 + i, 15), GetSysColor(farver[i][0])) << "left " << i;
    EXPECT_EQ(tavo::test::SurfacePixel(dc, 20, 2 + i), GetSysColor(farver[i][0])) << "top " << i;
    EXPECT_EQ(tavo::test::SurfacePixel(dc, 37 - i, 15), GetSysColor(farver[i][1])) << "right " << i;
    EXPECT_EQ(tavo::test::SurfacePixel(dc, 20, 27 - i), GetSysColor(farver[i][1])) << "bottom " << i;
  }
  EXPECT_EQ(tavo::test::SurfacePixel(dc, 1, 1), RGB(1, 2, 3));
  EXPECT_EQ(tavo::test::SurfacePixel(dc, 20, 15), RGB(1, 2, 3));

  FillRect(dc, &alt, hvid);
  HBRUSH roed = CreateSolidBrush(RGB(255, 0, 0));
  const RECT ydre = {5, 5, 35, 25}, indre = {9, 9, 31, 21};
  FillFrameBands(dc, roed, &ydre, &indre);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      auto inde = [x, y](const RECT &r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; };
      const bool iRing = inde(ydre) && !inde(indre);
      ASSERT_EQ(tavo::test::SurfacePixel(dc, x, y), iRing ? RGB(255, 0, 0) : RGB(1, 2, 3)) << x << "," << y;
    }
  SelectObject(dc, gammel);
  DeleteObject(roed);
  DeleteObject(hvid);
  DeleteObject(bmp);
  DeleteDC(dc);
}

}  // namespace
