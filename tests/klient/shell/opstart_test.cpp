// The main program from its command line to its message loop and back, in
// the test process on a small school: what a run leaves while it goes on
// and after it, the refused starts that change nothing, and the log of a
// data folder's first start.
#include "opstart_support.h"
#include "win/prsht.h"

#include <algorithm>
#include <functional>
#include <cstdio>
#include <cstring>

#include "FARVER.h"
#include "GEMNING.h"
#include "KATALOG.h"
#include "KLASSER.h"
#include "LOGFIL.h"
#include "OPDAT.h"
#include "STATUSBAR.h"
#include "optager_proces.h"
#include "TABOPER.h"
#include "TALTAB.h"
#include "TOOLTIP.h"
#include "VINDUER.h"
#include "WEBKALD.h"
#include "webserver_proces.h"
#include "tavo/test_file.h"
#include "tavo/test_gdi.h"
#include "win/controls.h"

namespace opstarttest {
namespace {

bool Indeholder(const std::string &tekst, const std::string &del) { return tekst.find(del) != std::string::npos; }



TEST_F(OpstartTest, EndeTilEnde) {
  SaetIndstilling("global", "tælbooking", "Nej");
  const std::string andre = "03,10413,bo,pc3,20260105,08:00,\r\n";
  Skriv(StartLog(), andre);

  ASSERT_EQ(Start(), kOpstartFortsaet);
  ASSERT_NE(hwndHoved, 0u);
  char titel[64];
  GetWindowTextA(hwndHoved, titel, sizeof titel);
  EXPECT_STREQ(titel, "1 - TAVO-skema");
  EXPECT_TRUE(IsWindowVisible(hwndHoved));
  HMENU menu = GetMenu(hwndHoved);
  ASSERT_NE(menu, 0u);
  char tekst[64];
  GetMenuStringA(menu, 0, tekst, sizeof tekst, MF_BYPOSITION);
  EXPECT_STREQ(tekst, "&Aktiviteter");

  // The toolbar: two separators and five buttons, each with its tip.
  ASSERT_NE(hwndMainToolbar, 0u);
  EXPECT_EQ(GetParent(hwndMainToolbar), hwndHoved);
  ASSERT_EQ(SendMessageA(hwndMainToolbar, TB_BUTTONCOUNT, 0, 0), 7);
  const struct {
    int id;
    BYTE stil;
    int billede;
    const char *tip;
  } knapper[] = {{0, TBSTYLE_SEP, 0, nullptr},
                 {40170, TBSTYLE_BUTTON, 4, "Gem data"},
                 {0, TBSTYLE_SEP, 0, nullptr},
                 {40155, TBSTYLE_BUTTON, 3, "Arranger vindue med fokus"},
                 {40156, TBSTYLE_BUTTON, 0, "Arranger i kaskade"},
                 {40157, TBSTYLE_BUTTON, 1, "Arranger vinduer horisontalt"},
                 {40158, TBSTYLE_BUTTON, 2, "Arranger vinduer vertikalt"}};
  for (int i = 0; i < 7; ++i) {
    TBBUTTON b{};
    ASSERT_TRUE(SendMessageA(hwndMainToolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b)));
    EXPECT_EQ(b.idCommand, knapper[i].id) << i;
    EXPECT_EQ(b.fsStyle & TBSTYLE_SEP, knapper[i].stil) << i;
    if (!knapper[i].tip) continue;
    EXPECT_EQ(b.iBitmap, knapper[i].billede) << i;
    NMTTDISPINFOA di{};
    di.hdr.code = TTN_NEEDTEXTA;
    di.hdr.idFrom = static_cast<UINT_PTR>(knapper[i].id);
    di.lpszText = di.szText;
    SendMessageA(hwndHoved, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&di));
    EXPECT_STREQ(di.szText, knapper[i].tip);
  }

  // The desktop: a child of the main window filling the client area between
  // the toolbar and the status row, one pixel inside the layout.
  ASSERT_NE(hwndDesktop, 0u);
  EXPECT_EQ(GetParent(hwndDesktop), hwndHoved);
  RECT klient, tb, dt;
  GetClientRect(hwndHoved, &klient);
  GetWindowRect(hwndMainToolbar, &tb);
  GetWindowRect(hwndDesktop, &dt);
  POINT o{0, 0};
  ClientToScreen(hwndHoved, &o);
  EXPECT_EQ(dt.left - o.x, 2);
  EXPECT_EQ(dt.top - o.y, (tb.bottom - tb.top) + 2 + 2);
  EXPECT_EQ(dt.right - o.x, klient.right - 2);
  EXPECT_EQ(dt.bottom - o.y, klient.bottom - 2 - kStatusHoejde);
  EXPECT_EQ(FriArealRect.right, dt.right - dt.left - 1);
  // The status row along the bottom with its panes laid out.
  for (HWND felt : {StatusFelter.TekstBar, StatusFelter.Laas, StatusFelter.Insnr, StatusFelter.Dato,
                    StatusFelter.InsStatus, StatusFelter.Forbindelse}) {
    ASSERT_NE(felt, 0u);
    EXPECT_EQ(GetParent(felt), hwndHoved);
    RECT r;
    GetWindowRect(felt, &r);
    EXPECT_EQ(r.bottom - o.y, klient.bottom);
    EXPECT_GT(r.right, r.left);
  }
  // The logo on the desktop.
  tavo::test::ClearDrawnTexts();
  InvalidateRect(hwndDesktop, nullptr, FALSE);
  UpdateWindow(hwndDesktop);
  std::string logo;
  for (const auto &t : tavo::test::DrawnTexts())
    if (t.hwnd == hwndDesktop) logo += t.text + " ";
  EXPECT_EQ(logo, "TAVO skema ");
  // A smaller main window takes the desktop with it.
  ShowWindow(hwndHoved, SW_RESTORE);
  MoveWindow(hwndHoved, 10, 10, 700, 500, TRUE);
  GetClientRect(hwndHoved, &klient);
  GetWindowRect(hwndDesktop, &dt);
  EXPECT_EQ(dt.right - dt.left, klient.right - 4);

  // While it runs: the lock file holds the open record, START.LOG the
  // open line after the other installation's; the old key has moved.
  EXPECT_TRUE(Indeholder(Laes(Laasefil()), "01,10413,"));
  const std::string koerer = Laes(StartLog());
  EXPECT_EQ(koerer.rfind(andre, 0), 0u);
  EXPECT_EQ(koerer.substr(koerer.size() - 3), ",\r\n");
  const std::string ini = Laes(Ini());
  EXPECT_TRUE(Indeholder(ini, "tælaktibooking=nej"));
  EXPECT_FALSE(Indeholder(ini, "tælbooking="));

  const std::vector<std::string> foer = Tabeller();
  EXPECT_EQ(Luk(), 0);
  EXPECT_EQ(hwndHoved, 0u);
  EXPECT_TRUE(Bokse().empty());

  EXPECT_FALSE(fs::exists(Laasefil()));
  const std::string efter = Laes(StartLog());
  EXPECT_EQ(efter.rfind(andre, 0), 0u);
  EXPECT_EQ(efter.substr(efter.size() - 3), ";\r\n");
  EXPECT_EQ(std::count(efter.begin(), efter.end(), '\n'), 2);
  const std::string log = Laes(Log());
  EXPECT_TRUE(Indeholder(log, "Starter TAVO ver "));
  EXPECT_TRUE(Indeholder(log, "Lukker TAVO (make "));
  EXPECT_FALSE(Indeholder(log, "** Fejl"));
  for (const VinduesKlasse *k = VinduesKlasser; k < VinduesKlasser + VinduesKlasseAntal; ++k) {
    WNDCLASSA wc;
    EXPECT_FALSE(GetClassInfoA(kOrvaneInstans, k->Navn, &wc)) << k->Navn;
  }

  // The data that was saved on closing loads back as it was in the run.
  ASSERT_EQ(HentAlleData(0), 0);
  EXPECT_EQ(Tabeller(), foer);
  FreeAlleTalTabeller();
  for (size_t i = 0; i < TabRegisterAntal; ++i) ResetTab(TabRegister[i].pTabDesc, TabRegister[i].pTabVar, 0);
}

TEST_F(OpstartTest, VinduesklasserEfterTabellen) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  int registreret = 0;
  for (const VinduesKlasse *k = VinduesKlasser; k < VinduesKlasser + VinduesKlasseAntal; ++k) {
    WNDCLASSA wc{};
    const bool findes = GetClassInfoA(kOrvaneInstans, k->Navn, &wc);
    EXPECT_EQ(findes, k->Proc != nullptr || k->Registrer != nullptr) << k->Navn;
    if (!findes) continue;
    ++registreret;
    if (k->Registrer) continue;  // the framework part's own attributes
    EXPECT_EQ(wc.style, k->Stil) << k->Navn;
    EXPECT_EQ(wc.lpfnWndProc, k->Proc) << k->Navn;
    EXPECT_EQ(wc.cbClsExtra + wc.cbWndExtra, 0) << k->Navn;
    EXPECT_EQ(wc.hCursor, LoadCursorA(kOrvaneInstans, MAKEINTRESOURCE(k->Markoer))) << k->Navn;
    EXPECT_NE(wc.hCursor, 0u) << k->Navn;
    EXPECT_EQ(wc.hbrBackground, k->Baggrund == kFarve0Baggrund ? FarveBrush[0] : static_cast<HBRUSH>(k->Baggrund))
        << k->Navn;
  }
  EXPECT_GE(registreret, 9);  // the main window, the desktop and the framework's kinds
  WNDCLASSA hoved{};
  ASSERT_TRUE(GetClassInfoA(kOrvaneInstans, "MainWndClass", &hoved));
  EXPECT_STREQ(hoved.lpszMenuName, "MAIN");
  EXPECT_EQ(hoved.hIcon, LoadIconA(kOrvaneInstans, IDI_AAMAIN));
  EXPECT_EQ(Luk(), 0);
}

TEST_F(OpstartTest, KommandoerErIkkeTilgaengelige) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  SendMessageA(hwndHoved, WM_COMMAND, 40007, 0);  // the tile entry window is not built
  SendMessageA(hwndHoved, WM_COMMAND, 40195, 0);  // undoing the Elevplan export is not built
  SendMessageA(hwndHoved, WM_COMMAND, 39999, 0);  // no entry at all: nothing
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 2u);
  for (const auto &b : bokse) {
    EXPECT_EQ(b.caption, "Ikke tilgængelig");
    EXPECT_EQ(b.type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  }
  EXPECT_EQ(Luk(), 0);
  const std::string log = Laes(Log());
  EXPECT_TRUE(Indeholder(log, "40007"));
  EXPECT_TRUE(Indeholder(log, "** Info: Ikke tilgængelig: ") && Indeholder(log, "40195"));
  EXPECT_FALSE(Indeholder(log, "39999"));
}

TEST_F(OpstartTest, OmAabnerVersionsboksen) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  std::string titel;
  tavo::test::AnswerNextDialog([&titel](const tavo::test::ShownDialog &d) {
    titel = d.caption;
    return INT_PTR{IDOK};
  });
  SendMessageA(hwndHoved, WM_COMMAND, 40078, 0);  // "&Om"
  EXPECT_EQ(titel, "Version info for TAVO-skema");
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  EXPECT_EQ(Luk(), 0);
}

TEST_F(OpstartTest, InstallationNulAabnerIndstillingerne) {
  SaetIndstilling("global", "insnr", "0");
  // The load's wait dialog comes first and is left to run.
  std::string ark;
  std::function<INT_PTR(const tavo::test::ShownDialog &)> svar = [&](const tavo::test::ShownDialog &d) {
    if (d.caption != "Installationsoplysninger") {
      tavo::test::AnswerNextDialog(svar);
      return INT_PTR{0};
    }
    ark = d.caption;
    PropSheet_PressButton(d.hwnd, PSBTN_CANCEL);
    return INT_PTR{0};
  };
  tavo::test::AnswerNextDialog(svar);
  ASSERT_EQ(Start(), kOpstartFortsaet);
  char titel[64];
  GetWindowTextA(hwndHoved, titel, sizeof titel);
  EXPECT_STREQ(titel, "0 - TAVO-skema");
  // The settings sheet's command opened the sheet.
  EXPECT_EQ(ark, "Installationsoplysninger");
  EXPECT_TRUE(Bokse().empty());
  EXPECT_EQ(Luk(), 0);
}

// The web's news date against [tider] nyheder: newer news opens the news
// document at the end of the start-up, older news opens nothing.
TEST_F(OpstartTest, NyhederAabnesVedNyereDato) {
  webtest::WebServer web;
  ASSERT_TRUE(web.Start());
  web.Script("answer /tavoskema/newsdate.php 200 1700000000 https://127.0.0.1/nyheder.html\n");
  setenv("TZ", "UTC0", 1);
  tzset();
  setenv("TAVO_WEB_TAVOSIDE", web.Adresse().c_str(), 1);
  setenv("TAVO_WEB_CERTIFIKAT", webtest::Certifikat().c_str(), 1);
  tavo::reg::Clear();
  // The made-up school keeps the news check off.
  SaetIndstilling("flag", "checktavonews", "ja");
  const struct {
    const char *gemt;
    bool aabnes;
  } tabel[] = {{"20231114 22:12", true}, {"20231114 22:13", false}, {"20240101 00:00", false}};
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.gemt);
    SaetIndstilling("tider", "nyheder", t.gemt);
    tavo::test::StartShellLog();
    ASSERT_EQ(Start(), kOpstartFortsaet);
    const auto kald = tavo::test::StopShellLog();
    // News opened at the start are marked read: the web's date is stored.
    EXPECT_EQ(nyeNyheder, 0);
    EXPECT_EQ(LaesIndstillingen("tider", "nyheder") != t.gemt, t.aabnes);
    if (t.aabnes) {
      ASSERT_EQ(kald.size(), 1u);
      EXPECT_EQ(kald[0].operation, "open");
      EXPECT_EQ(kald[0].file, "https://127.0.0.1/nyheder.html");
      EXPECT_EQ(kald[0].show, SW_SHOWNORMAL);
    } else {
      EXPECT_TRUE(kald.empty());
    }
    EXPECT_EQ(Luk(), 0);
  }
  unsetenv("TAVO_WEB_TAVOSIDE");
  unsetenv("TAVO_WEB_CERTIFIKAT");
  unsetenv("TZ");
  tzset();
}

TEST_F(OpstartTest, BrowserTjek) {
  // A start refused at the settings file has already made the check.
  fs::remove(Ini());
  const struct {
    const char *version;  // null: no key
    uint8_t tjek;
  } tabel[] = {{nullptr, 1}, {"5.00.2920.0000", 0}, {"5.5", 1}, {"9.11.19041.0", 1}};
  for (const auto &t : tabel) {
    tavo::reg::Clear();
    if (t.version) tavo::reg::SetString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer", "Version", t.version);
    EXPECT_EQ(Start(), 0);
    EXPECT_EQ(GlobalIndstillinger.checktavonews, t.tjek) << (t.version ? t.version : "no key");
  }
  tavo::reg::Clear();
}

// Each refusal: its boxes, exit code 0, and nothing written.
TEST_F(OpstartTest, AfvisningerAendrerIntet) {
  const struct {
    const char *hvad;
    std::function<void(OpstartTest &)> forbered;
    std::vector<std::string> bokse;
    bool reserveLog;  // the run logs into $$rilmo$$.log
  } tabel[] = {
      {"settings file missing", [](OpstartTest &t) { fs::remove(t.Ini()); }, {"Fejl|Filen %INI% - ikke fundet!"}, false},
      {"data folder in the way",
       [](OpstartTest &t) {
         fs::remove_all(t.Data() / "data");
         Skriv(t.Data() / "data", "x");
       },
       {"Fejl|Fejl ved oprettelse af mappen 'data'\nKontakt TAVO support!"}, false},
      {"log folder in the way",
       [](OpstartTest &t) {
         fs::remove_all(t.Data() / "log");
         Skriv(t.Data() / "log", "x");
       },
       {"Fejl|Fejl ved oprettelse af mappen 'log'\nKontakt TAVO support!"}, true},
      {"both folders in the way",
       [](OpstartTest &t) {
         fs::remove_all(t.Data() / "data");
         fs::remove_all(t.Data() / "log");
         Skriv(t.Data() / "data", "x");
         Skriv(t.Data() / "log", "x");
       },
       {"Fejl|Fejl ved oprettelse af mappen 'data'\nKontakt TAVO support!",
        "Fejl|Fejl ved oprettelse af mappen 'log'\nKontakt TAVO support!"},
       true},
      {"lock file cannot be made",
       [](OpstartTest &t) {
         // The first file the start opens for writing in the ini folder,
         // the settings file's rewrites aside, is the lock file, and the
         // system refuses it.
         tavo::test::FileFault f;
         f.kinds = tavo::test::kFileOpenForWrite;
         f.nth = 1;
         f.error = ERROR_ACCESS_DENIED;
         f.under = (t.Data() / "ini").string();
         f.profiles = false;
         tavo::test::SetFileFault(f);
       },
       {"Fejl|TAVO kunne ikke oprette låsefil !\n  Errno : 13\n"}, false},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.hvad);
    fs::current_path(gammelMappe_);
    fs::remove_all(Data());
    fs::copy(Skole(), Data(), fs::copy_options::recursive);
    fs::remove_all(Prog());
    fs::create_directories(Prog());
    ASSERT_TRUE(fs::exists(Ini())) << Ini();
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript(30000);
    SaetIndstilling("global", "tælbooking", "nej");  // a key a run would move
    const std::string ini = Laes(Ini());
    t.forbered(*this);
    EXPECT_EQ(Start(), 0);
    tavo::test::StopFileFaults();
    tavo::test::ClearFileFault();
    OpdatKrog = {};
    std::vector<std::string> ventet = t.bokse;
    for (std::string &b : ventet)
      if (size_t p = b.find("%INI%"); p != std::string::npos) b.replace(p, 5, StiTab.szini);
    EXPECT_EQ(Bokse(), ventet);
    for (const auto &m : tavo::test::MessageBoxesShown())
      EXPECT_EQ(m.type, static_cast<UINT>(MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL));
    EXPECT_EQ(hwndHoved, 0u);
    EXPECT_FALSE(fs::exists(Laasefil()));
    EXPECT_FALSE(fs::exists(StartLog()));
    if (fs::exists(Ini())) {
      EXPECT_EQ(Laes(Ini()), ini);
    }
    const std::string log = Laes(t.reserveLog ? Prog() / "$$rilmo$$.log" : Log());
    EXPECT_TRUE(Indeholder(log, "Starter TAVO ver ")) << log;
  }
}

TEST_F(OpstartTest, FoersteStartUdenLogMappe) {
  fs::remove_all(Data() / "log");
  ASSERT_EQ(Start(), kOpstartFortsaet);
  EXPECT_EQ(Luk(), 0);
  const fs::path reserve = Prog() / "$$rilmo$$.log";
  const std::string foerste = Laes(reserve);
  EXPECT_TRUE(Indeholder(foerste, "Starter TAVO ver "));
  EXPECT_TRUE(Indeholder(foerste, "Lukker TAVO"));
  EXPECT_TRUE(fs::is_directory(Data() / "log"));
  EXPECT_FALSE(fs::exists(Log()));

  ASSERT_EQ(Start(), kOpstartFortsaet);
  EXPECT_EQ(Luk(), 0);
  EXPECT_FALSE(fs::exists(reserve));
  EXPECT_TRUE(Indeholder(Laes(Log()), "Starter TAVO ver "));
}

// A save that a crash broke off after it was committed: the first of its
// two files renamed into place, the second not, the record left behind.
void HalvGemning(const fs::path &data) {
  std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", DataMappeNavn(data).c_str());
  InitStiTab();
  Skriv(data / "data" / "x.dat", "gammel x");
  Skriv(data / "ini" / "y.dat", "gammel y");
  tavo::test::FileFault f;
  f.kinds = tavo::test::kFileRename;
  f.nth = 2;
  f.error = ERROR_SHARING_VIOLATION;
  tavo::test::SetFileFault(f);
  {
    Gemning g;
    GemFil x, y;
    ASSERT_TRUE(x.Aabn((std::string(StiTab.szdata) + "data\\x.dat").c_str()) && x.Printf("ny x") && x.Luk());
    ASSERT_TRUE(y.Aabn((std::string(StiTab.szdata) + "ini\\y.dat").c_str()) && y.Printf("ny y") && y.Luk());
    EXPECT_FALSE(g.Fuldfoer());
  }
  tavo::test::ClearFileFault();
  ASSERT_TRUE(fs::exists(data / "data" / "gemning.jnl"));
}

TEST_F(OpstartTest, AfbrudtGemningGoeresFaerdigFoerIndlaesning) {
  const struct {
    const char *hvad;
    bool laast, blokeret;
    int kode;
    const char *y;  // ini\y.dat afterwards
    bool journal;   // the record is still there
  } tabel[] = {
      {"finished by the run that holds the data", false, false, kOpstartFortsaet, "ny y", false},
      {"left to the holder by a read-only run", true, false, kOpstartFortsaet, "gammel y", true},
      {"cannot be finished: the start stops", false, true, kDataFejlExitKode, nullptr, true},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.hvad);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript(30000);
    fs::remove(StartLog());
    HalvGemning(Data());
    if (t.blokeret) {
      fs::remove(Data() / "ini" / "y.dat");
      fs::create_directory(Data() / "ini" / "y.dat");
    }
    const std::string akti = Laes(Data() / "data" / "akti.DAT");
    const int kode = Start(t.laast ? std::vector<std::string>{"-l"} : std::vector<std::string>{});
    EXPECT_EQ(kode, t.kode);
    if (kode == kOpstartFortsaet) {
      EXPECT_EQ(Luk(), 0);
    }
    if (t.y) {
      EXPECT_EQ(Laes(Data() / "ini" / "y.dat"), t.y);
    }
    EXPECT_EQ(fs::exists(Data() / "data" / "gemning.jnl"), t.journal);
    if (!t.blokeret) {
      EXPECT_TRUE(Bokse().empty());
      continue;
    }
    // The box of the save, the lock file gone, the START.LOG line left open
    // as after a data error, and nothing saved over the data.
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].caption, "Gem");
    EXPECT_TRUE(Indeholder(bokse[0].text, "y.dat")) << bokse[0].text;
    EXPECT_EQ(hwndHoved, 0u);
    EXPECT_FALSE(fs::exists(Laasefil()));
    const std::string log = Laes(StartLog());
    EXPECT_EQ(log.substr(log.size() - 3), ",\r\n");
    EXPECT_EQ(Laes(Data() / "data" / "akti.DAT"), akti);
    fs::remove(Data() / "ini" / "y.dat");
  }
}

class NedlukningTest : public OpstartTest {};

TEST_F(NedlukningTest, GemmerAendringerUndtagenILaastKoersel) {
  for (int laast = 0; laast < 2; ++laast) {
    SCOPED_TRACE(laast ? "read-only" : "writable");
    ASSERT_EQ(Start(laast ? std::vector<std::string>{"-l"} : std::vector<std::string>{}), kOpstartFortsaet);
    // An edit of the run: the first activity gets another name.
    auto *akti = reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, 1));
    ASSERT_NE(akti, nullptr);
    std::snprintf(akti->Aktivitet, sizeof akti->Aktivitet, "%s", laast ? "Ændret i låst" : "Ændret");
    SetRecStatus(&tdakti, &tvakti, 1, akti->Status);
    const std::string fil = Laes(Data() / "data" / "akti.DAT");
    EXPECT_EQ(Luk(), 0);
    const std::string efter = Laes(Data() / "data" / "akti.DAT");
    if (laast) {
      EXPECT_EQ(efter, fil);
    } else {
      EXPECT_NE(efter.find("Ændret"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace opstarttest

namespace opstarttest {
namespace {

// The start-up before it takes the data: an update running, or a waiting
// package started, ends it before any window exists.
class OpdatCheckStart : public OpstartTest {
 protected:
  void SetUp() override {
    OpstartTest::SetUp();
    setenv("TAVO_OPTAGER_LOG", (rod_ / "optager.log").c_str(), 1);
  }
  void TearDown() override {
    unsetenv("TAVO_OPTAGER_LOG");
    OpstartTest::TearDown();
  }
  std::vector<optagertest::Koersel> VentPaaKoersler(size_t antal) const {
    const std::string log = (rod_ / "optager.log").string();
    for (int i = 0; i < 1000 && optagertest::LaesLog(log).size() < antal; ++i) usleep(10000);
    return optagertest::LaesLog(log);
  }
};

TEST_F(OpdatCheckStart, UpdateRunningEndsTheStart) {
  const std::string andenLaas = "02,10413,bo,pc3,20260105,08:00,\r\n";
  Skriv(Laasefil(), andenLaas);
  Skriv(Prog() / "opdat.lck", "05,10414,ib,pc9,20260106,07:30,\r\n");
  const std::string ini = Laes(Ini());
  EXPECT_EQ(Start(), 0);
  EXPECT_EQ(hwndHoved, 0u);
  EXPECT_EQ(Bokse(), (std::vector<std::string>{
                         "Opdatering|Opdatering er under afvikling. Prøv igen om lidt.\n  Insnr:    \t\t 5\n"
                         "  Bruger:     \tib\n  PC-navn:    \tpc9\n  Startdato:  \t20260106\n"
                         "  Starttid:   \t07:30\n"}));
  // The other instance's lock file stays; nothing else is written.
  EXPECT_EQ(Laes(Laasefil()), andenLaas);
  EXPECT_FALSE(fs::exists(StartLog()));
  EXPECT_EQ(Laes(Ini()), ini);
}

TEST_F(OpdatCheckStart, WaitingPackageIsStartedAndTheStartEnds) {
  SaetIndstilling("flag", "koropd", "1");
  ASSERT_TRUE(optagertest::Placer(Prog().string(), "opd010414.exe"));
  ASSERT_TRUE(optagertest::Placer(Prog().string(), "Zintel.exe"));
  EXPECT_EQ(Start(), 0);
  EXPECT_EQ(hwndHoved, 0u);
  EXPECT_TRUE(Bokse().empty());
  const auto koersler = VentPaaKoersler(1);
  ASSERT_EQ(koersler.size(), 1u);  // not the version check
  EXPECT_EQ(koersler[0].navn, "opd010414.exe");
  std::string prog = StiTab.szprog, data = StiTab.szdata;
  prog.pop_back();
  data.pop_back();
  EXPECT_EQ(koersler[0].argumenter, "-p" + prog + " -d" + data);
  char koropd[8];
  GetPrivateProfileStringA("flag", "koropd", "-", koropd, sizeof koropd, Ini().c_str());
  EXPECT_STREQ(koropd, "-");
  EXPECT_FALSE(fs::exists(Laasefil()));
  EXPECT_FALSE(fs::exists(StartLog()));
}

// A package that cannot be started is reported, and the start goes on.
TEST_F(OpdatCheckStart, PackageThatCannotStartIsReported) {
  SaetIndstilling("flag", "koropd", "1");
  Skriv(Prog() / "opd10414.exe", "ikke et program");
  ASSERT_EQ(Start(), kOpstartFortsaet);
  EXPECT_EQ(Bokse(), (std::vector<std::string>{
                         "Opdatering|Opdateringen opd10414.exe kunne ikke startes.\nKontakt TAVO support!"}));
  char koropd[8];
  GetPrivateProfileStringA("flag", "koropd", "-", koropd, sizeof koropd, Ini().c_str());
  EXPECT_STREQ(koropd, "1");
  EXPECT_TRUE(Indeholder(Laes(Log()), "** Fejl: Opdateringen opd10414.exe kunne ikke startes"));
  EXPECT_EQ(Luk(), 0);
}

}  // namespace
}  // namespace opstarttest

namespace opstarttest {

class SkaermOpstart : public OpstartTest {};

TEST_F(SkaermOpstart, TheStartListsTheSavedScreensInTheMenu) {
  const fs::path skrm = Data() / "ini" / "skrm.ini";
  ASSERT_TRUE(WritePrivateProfileStringA("skrm4", "navn", "Mandag", skrm.c_str()));
  ASSERT_EQ(Start(), kOpstartFortsaet);
  HMENU menu = GetMenu(hwndHoved);
  char tekst[64] = "";
  EXPECT_GT(GetMenuStringA(menu, 1004, tekst, sizeof tekst, MF_BYCOMMAND), 0);
  EXPECT_STREQ(tekst, "&4 . Mandag");
  EXPECT_EQ(GetMenuState(menu, 40193, MF_BYCOMMAND) & MF_GRAYED, 0u);
  EXPECT_EQ(Luk(), 0);
}

}  // namespace opstarttest

namespace opstarttest {

// ---- What the wiring used to hide ----

class OpstartKrogFejl : public OpstartTest {};

// Every hook is filled before the first step: a start that ends at the lock
// question has its update check reporting to the status row, and a fatal
// stop of the data store then keeps the other run's lock.
TEST_F(OpstartKrogFejl, AStartEndedAtTheLockQuestionKeepsTheOtherRunsLock) {
  const std::string anden = "07,10413,anden,pc7,20260105,08:00,\r\n";
  Skriv(Laasefil(), anden);
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return INT_PTR{IDNO}; });
  EXPECT_EQ(Start(), 0);
  EXPECT_EQ(OpdatKrog.ServerBesked, &StatusServerBesked);
  ASSERT_NE(HentGemKrog.DeleteLockFile, nullptr);
  SletLaasefilVedStop();
  EXPECT_EQ(Laes(Laasefil()), anden);
}

// Step 34: an export made by an older version is withdrawn at the start.
TEST_F(OpstartKrogFejl, AnOldExportIsWithdrawnAtTheStart) {
  SaetIndstilling("global", "version", "10413");
  Skriv(Data() / "data" / "exp.dat", "E;A;7;10300\r\nrest\r\n");
  ASSERT_EQ(Start(), kOpstartFortsaet);
  EXPECT_FALSE(fs::exists(Data() / "data" / "exp.dat"));
  const auto b = Bokse();
  EXPECT_NE(std::find(b.begin(), b.end(),
                      "FEJL Gammel eksportfil|Der var lavet en eksport med en gammel version og denne er blevet "
                      "slettet. Lav en ny eksport inden du kontakter igen!"),
            b.end());
  EXPECT_EQ(Luk(), 0);
}

// Shutdown step 6: the Elevplan file number and the swap/move-log flag as
// the run leaves them, in decimal; a read-only run writes neither.
TEST_F(OpstartKrogFejl, TheShutdownWritesTheFileNumberAndTheSwapFlag) {
  for (const bool laast : {false, true}) {
    SCOPED_TRACE(laast ? "read-only" : "holding the data");
    SaetIndstilling("elevplan", "ep_filnummer", "3");
    SaetIndstilling("flag", "visbytflyt", "1");
    ASSERT_EQ(Start(laast ? std::vector<std::string>{"-l"} : std::vector<std::string>{}), kOpstartFortsaet);
    GlobalIndstillinger.ep_filnummer = 12;
    GlobalIndstillinger.visbytflyt = 0;
    EXPECT_EQ(Luk(), 0);
    EXPECT_EQ(LaesIndstillingen("elevplan", "ep_filnummer"), laast ? "3" : "12");
    EXPECT_EQ(LaesIndstillingen("flag", "visbytflyt"), laast ? "1" : "0");
  }
}

}  // namespace opstarttest
