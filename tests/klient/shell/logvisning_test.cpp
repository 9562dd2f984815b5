// The log viewers: the lines the log dialog and the error list show for
// awkward files, the log dialog's width, the error list's missing-file box,
// and ShowLogFile's two ways (the recording program standing in as Notepad,
// in a data folder whose name has a blank).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../datamappe.h"
#include "LOGVISNING.h"
#include "PROGVINDUER.h"
#include "STITAB.h"
#include "optager_proces.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"
#include "windows.h"

void RegistrerOrvaneRessourcer();

namespace fs = std::filesystem;

namespace {

struct Vist {
  bool vist = false;
  std::string titel;
  std::vector<std::string> linjer;
  int listeBredde = 0;
  LRESULT udvidelse = 0;
  HWND fokus = 0, liste = 0;
};

// Answers the next dialog with `svar` after reading its list.
void LaesNaesteDialog(Vist &v, int listeId, INT_PTR svar) {
  tavo::test::AnswerNextDialog([&v, listeId, svar](const tavo::test::ShownDialog &d) -> INT_PTR {
    v.vist = true;
    v.titel = d.caption;
    const tavo::test::DialogControl *c = d.Control(listeId);
    if (!c) return svar;
    v.liste = c->hwnd;
    v.fokus = GetFocus();
    char b[1024];
    const LRESULT n = SendMessageA(c->hwnd, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      if (SendMessageA(c->hwnd, LB_GETTEXTLEN, i, 0) >= static_cast<LRESULT>(sizeof b)) return svar;
      SendMessageA(c->hwnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(b));
      v.linjer.push_back(b);
    }
    RECT r;
    GetWindowRect(c->hwnd, &r);
    v.listeBredde = r.right - r.left;
    v.udvidelse = SendMessageA(c->hwnd, LB_GETHORIZONTALEXTENT, 0, 0);
    return svar;
  });
}

class LogVisning : public ::testing::Test {
 protected:
  void SetUp() override {
    tavo::test::ResetUser();
    std::string skabelon = (fs::temp_directory_path() / "log visning XXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    rod = skabelon;
    fs::create_directories(Data() / "log");
    fs::create_directories(Windows() / "system32");
    gemtSti = StiTab;
    std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", DataMappeNavn(Data()).c_str());
    std::string win = DataMappeNavn(Windows());
    win.pop_back();  // the Windows folder is named without its separator
    std::snprintf(NotepadWindowsMappe, sizeof NotepadWindowsMappe, "%s", win.c_str());
    RegistrerOrvaneRessourcer();
    hwndHoved = 0;
    setenv("TAVO_OPTAGER_LOG", (rod / "optager.log").c_str(), 1);
    tavo::test::StartDialogScript(10000);
  }
  void TearDown() override {
    EXPECT_EQ(tavo::test::DialogFailures(), std::vector<std::string>{});
    tavo::test::StopDialogScript();
    unsetenv("TAVO_OPTAGER_LOG");
    NotepadWindowsMappe[0] = '\0';
    StiTab = gemtSti;
    tavo::test::ResetUser();
    fs::remove_all(rod);
  }
  fs::path Data() const { return rod / "data med blank"; }
  fs::path Windows() const { return rod / "windows"; }
  void Log(const char *navn, const std::string &indhold) {
    std::ofstream(Data() / "log" / navn, std::ios::binary) << indhold;
  }
  // The log dialog on data folder + fil.
  Vist LogDialog(const char *fil, INT_PTR *resultat = nullptr) {
    Vist v;
    LaesNaesteDialog(v, 1119, IDCANCEL);
    LogVisningParam p{};
    LogParam(&p, fil, "Test log");
    const INT_PTR r = VisLogDialog(&p);
    if (resultat) *resultat = r;
    return v;
  }

  fs::path rod;
  StiTabData gemtSti;
};

using Linjer = std::vector<std::string>;

TEST_F(LogVisning, LogVisningDialogSplitsLinesAsRead) {
  const std::string lang(600, 'a');
  const std::string fuld(511, 'b');
  const struct {
    const char *navn;
    std::string indhold;
    Linjer linjer;
  } tilfaelde[] = {
      {"final LF", "en\nto\n", {"en", "to"}},
      {"no final LF", "en\nto", {"en", "to"}},
      {"CR LF", "en\r\nto\r\n", {"en", "to"}},
      {"empty lines kept", "en\n\nto\n", {"en", "", "to"}},
      {"longer than a read", lang + "\n", {lang.substr(0, 511), lang.substr(511)}},
      {"exactly a read", fuld + "\nto\n", {fuld, "to"}},
      {"NUL byte", std::string("ab\0cd\nto\n", 9), {"ab", "to"}},
  };
  for (const auto &c : tilfaelde) {
    SCOPED_TRACE(c.navn);
    Log("test.log", c.indhold);
    INT_PTR r = 0;
    const Vist v = LogDialog("log\\test.log", &r);
    ASSERT_TRUE(v.vist);
    EXPECT_EQ(v.titel, "Test log");
    EXPECT_EQ(v.linjer, c.linjer);
    EXPECT_EQ(r, IDCANCEL);
    EXPECT_EQ(v.fokus, v.liste);
  }
}

TEST_F(LogVisning, LogVisningDialogWidthFollowsTheWidestLine) {
  Log("tom.log", "");
  Vist v = LogDialog("log\\tom.log");
  EXPECT_EQ(v.linjer, Linjer{});
  EXPECT_EQ(v.listeBredde, 200);
  EXPECT_EQ(v.udvidelse, 200);

  v = LogDialog("log\\findes ikke.log");
  EXPECT_TRUE(v.vist);
  EXPECT_EQ(v.linjer, Linjer{});
  EXPECT_EQ(v.listeBredde, 200);

  // Measured in the fixed font the list shows, plus two scroll bars.
  const std::string linje(100, 'x');
  Log("bred.log", "kort\n" + linje + "\n");
  v = LogDialog("log\\bred.log");
  HDC dc = GetDC(0);
  HGDIOBJ gammel = SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
  SIZE sz{};
  GetTextExtentPoint32A(dc, linje.c_str(), static_cast<int>(linje.size()), &sz);
  SelectObject(dc, gammel);
  ReleaseDC(0, dc);
  EXPECT_GT(sz.cx, 200);
  EXPECT_EQ(v.listeBredde, sz.cx + 2 * GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(LogVisning, LogVisningErrorListShowsTheFileOrSaysItIsMissing) {
  // Missing: the box, and the dialog ends with 1 at once.
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR { return IDOK; });
  EXPECT_EQ(LogKommando(0, 40101), true);
  auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Fejl meddelelse");
  EXPECT_EQ(bokse[0].text, "Filen 'Error.log' blev ikke fundet\neller den kan ikke læses.");
  EXPECT_EQ(bokse[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));

  const std::string lang(100, 'e');
  Log("error.log", "fejl 1\r\n" + lang + "\r\n" + std::string(79, 'f') + "\r\n");
  Vist v;
  LaesNaesteDialog(v, 40075, IDOK);
  const INT_PTR r = DialogBoxParamA(hInst, MAKEINTRESOURCE(113), 0, FejllisteDlgProc, 0);
  EXPECT_EQ(r, IDOK);
  EXPECT_EQ(v.titel, "Fejlliste");
  EXPECT_EQ(v.linjer, (Linjer{"fejl 1", lang.substr(0, 79), lang.substr(79), std::string(79, 'f')}));
}

TEST_F(LogVisning, LogVisningMenuCommandsCarryTheirCaptions) {
  // No Notepad in the Windows folder: the program's own dialog.
  const struct {
    UINT kommando;
    const char *titel;
    const char *fil;
  } kommandoer[] = {
      {40210, "Import log information", "import.log"},
      {40286, "Auto Skema import log!", "AutoSkemaIkkePlaceret.log"},
      {40291, "Byt/Flyt Skema log!", "AndretSkema.log"},
  };
  for (const auto &k : kommandoer) {
    Log(k.fil, k.fil);
    Vist v;
    LaesNaesteDialog(v, 1119, IDCANCEL);
    EXPECT_TRUE(LogKommando(0, k.kommando));
    EXPECT_EQ(v.titel, k.titel);
    EXPECT_EQ(v.linjer, Linjer{k.fil});
  }
  EXPECT_FALSE(LogKommando(0, 40078));
}

TEST_F(LogVisning, LogVisningShowLogFileStartsNotepadWithTheQuotedPath) {
  ASSERT_TRUE(optagertest::Placer((Windows() / "system32").string(), "notepad.exe"));
  ShowLogFile("Byt/Flyt Skema log!", "AndretSkema.log");
  std::vector<optagertest::Koersel> k;
  for (int i = 0; i < 500 && k.empty(); ++i) {
    usleep(10000);
    k = optagertest::LaesLog((rod / "optager.log").string());
  }
  ASSERT_EQ(k.size(), 1u);
  EXPECT_EQ(k[0].navn, "notepad.exe");
  // One argument, the whole path: the recorder quotes it for its blank.
  const std::string sti = std::string(StiTab.szdata) + "log\\AndretSkema.log";
  EXPECT_EQ(k[0].argumenter, "\"" + sti + "\"");
}

}  // namespace
