// The about box over a program folder laid out as the install lays it out:
// a program file named by [global] version that carries the main program's
// version block; opened from a main window as its menu command opens it.
// And the version-text reader and the centring it shares with the
// companion programs.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../datamappe.h"
#include "STITAB.h"
#include "VERSIONDLG.h"
#include "VERSIONINFO.h"
#include "ens_support.h"
#include "ressourcer.h"
#include "smaadialoger.h"
#include "tavo/test_dialog.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"
#include "tavo/version.h"

namespace {

namespace fs = std::filesystem;

const fs::path kProgram = TAVO_BINARY_DIR "/tests/klient/ui/versionsprogram/versionsprogram.exe";

LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_COMMAND && LOWORD(w) == 40078) {
    VisVersionDialog(h);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class VersionDialog : public wfb_test::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    RegistrerOrvaneRessourcer();
    RegistrerSmaaDialoger();
    std::string skabelon = (fs::temp_directory_path() / "verXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    rod = skabelon;
    fs::create_directories(rod / "prog");
    for (const char *m : {"data", "ini", "log"}) fs::create_directories(rod / "data" / m);
    const std::string p = "-p" + DataMappeNavn(rod / "prog"), d = "-d" + DataMappeNavn(rod / "data");
    const char *argv[] = {"/x/Orvane", p.c_str(), d.c_str()};
    LaesKommandolinje(3, argv);
    InitStiTab();
    wfb_test::Registrer("VerHoved", HovedProc, 0);
    hoved = CreateWindowExA(0, "VerHoved", "Tavo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, 0, 0, 0, nullptr);
    tavo::test::PumpUntilIdle();
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    std::error_code ec;
    fs::remove_all(rod, ec);
    StiTab.szprog[0] = StiTab.szdata[0] = StiTab.szini[0] = '\0';
    UiTest::TearDown();
  }
  void LaegProgram(const char *navn, const char *version) {
    fs::copy_file(kProgram, rod / "prog" / navn);
    if (version) {
      std::ofstream o(rod / "data" / "ini" / "tavo.ini", std::ios::binary);
      o << "[global]\r\nversion=" << version << "\r\n";
    }
  }

  struct Tekst {
    std::string tekst;
    int x, y;
  };
  struct Set {
    std::string titel;
    std::vector<Tekst> tekster;
    RECT klient{}, ok{}, vindue{};
    bool okFokus = false;
    bool ikon = false;
  };
  // Opens the box through the menu command, notes what it shows and closes
  // it with a click on OK.
  Set Aabn() {
    Set s;
    tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
      s.titel = d.caption;
      tavo::test::ClearDrawnTexts();
      InvalidateRect(d.hwnd, nullptr, TRUE);
      UpdateWindow(d.hwnd);
      for (const auto &t : tavo::test::DrawnTexts())
        if (t.hwnd == d.hwnd) s.tekster.push_back({t.text, t.x, t.y});
      GetClientRect(d.hwnd, &s.klient);
      GetWindowRect(d.hwnd, &s.vindue);
      HWND ok = GetDlgItem(d.hwnd, IDOK);
      GetWindowRect(ok, &s.ok);
      MapWindowPoints(0, d.hwnd, reinterpret_cast<POINT *>(&s.ok), 2);
      s.okFokus = GetFocus() == ok;
      s.ikon = GetClassLongPtrA(d.hwnd, GCLP_HICON) == static_cast<ULONG_PTR>(LoadIconA(kOrvaneInstans, IDI_AAMAIN));
      const POINT p = tavo::test::ScreenPoint(ok, 5, 5);
      tavo::test::Click(p.x, p.y);
      return INT_PTR{0};
    });
    SendMessageA(hoved, WM_COMMAND, 40078, 0);
    return s;
  }
  // A text's width in the stock ANSI variable font.
  static int Bredde(const char *tekst) {
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ gammel = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    SIZE sz{};
    GetTextExtentPoint32A(dc, tekst, static_cast<int>(std::strlen(tekst)), &sz);
    SelectObject(dc, gammel);
    DeleteDC(dc);
    return sz.cx;
  }
  static const Tekst *Find(const Set &s, const std::string &tekst) {
    for (const auto &t : s.tekster)
      if (t.tekst == tekst) return &t;
    return nullptr;
  }

  fs::path rod;
  HWND hoved = 0;
};

TEST_F(VersionDialog, ShowsTheVersionTextsOfTheProgramFileNamedBySettings) {
  LaegProgram("20517.exe", "20517");
  const Set s = Aabn();
  EXPECT_EQ(s.titel, "Version info for TAVO-skema");
  EXPECT_TRUE(s.ikon);
  EXPECT_TRUE(s.okFokus);
  // Each value right after its label, the lines one text height apart.
  const struct {
    const char *etiket, *vaerdi;
    int linje;
  } linjer[] = {{"Produkt navn: ", "TAVO-skema", 0},
                {"Version: ", TAVO_VERSION_TEXT, 1},
                {"Special Version: ", "Standard", 2},
                {"Kontakt support: ", kSupportTelefon, 4}};
  const Tekst *foerste = Find(s, "Produkt navn: ");
  const Tekst *anden = Find(s, "Version: ");
  ASSERT_TRUE(foerste && anden);
  const int h = anden->y - foerste->y;
  EXPECT_GT(h, 8);
  int bredest = 0;
  for (const auto &l : linjer) {
    SCOPED_TRACE(l.etiket);
    const Tekst *e = Find(s, l.etiket), *v = Find(s, l.vaerdi);
    ASSERT_TRUE(e && v);
    EXPECT_EQ(e->x, 84);
    EXPECT_EQ(e->y, 10 + l.linje * h);
    EXPECT_EQ(v->y, e->y);
    EXPECT_EQ(v->x, e->x + Bredde(l.etiket));
    bredest = std::max(bredest, v->x + Bredde(l.vaerdi));
  }
  // The company and the rights line at the left above OK.
  const Tekst *firma = Find(s, "Tavo"), *ret = Find(s, "Copyright © 2004");
  ASSERT_TRUE(firma && ret);
  EXPECT_EQ(firma->x, 10);
  EXPECT_EQ(firma->y, s.klient.bottom - (2 * h + 20) - (s.ok.bottom - s.ok.top));
  EXPECT_EQ(ret->y, firma->y + h);
  // As wide as its widest text and 20 pixels; as high as the caption, three
  // lines of 38 pixels and OK.
  bredest = std::max({bredest, Bredde("Tavo"), Bredde("Copyright © 2004")});
  EXPECT_EQ(s.vindue.right - s.vindue.left, bredest + 20);
  EXPECT_EQ(s.vindue.bottom - s.vindue.top, GetSystemMetrics(SM_CYCAPTION) + 3 * (h + 38) + (s.ok.bottom - s.ok.top));
  // OK centred, 10 pixels above the bottom.
  EXPECT_EQ(s.ok.left, (s.klient.right - (s.ok.right - s.ok.left)) / 2);
  EXPECT_EQ(s.ok.bottom, s.klient.bottom - 10);
}

TEST_F(VersionDialog, WithoutAVersionSettingOrBlockTheValuesStayEmpty) {
  for (bool medIndstilling : {false, true}) {
    SCOPED_TRACE(medIndstilling ? "a program file without a block" : "no [global] version");
    if (medIndstilling) {
      // "7.exe" is there but carries no block.
      std::ofstream(rod / "prog" / "7.exe") << "ingen blok her";
      std::ofstream(rod / "data" / "ini" / "tavo.ini", std::ios::binary) << "[global]\r\nversion=7\r\n";
    } else {
      LaegProgram("20517.exe", nullptr);
    }
    const Set s = Aabn();
    EXPECT_EQ(s.titel, "Version info for TAVO-skema");
    std::vector<std::string> tekster;
    for (const auto &x : s.tekster) tekster.push_back(x.tekst);
    const std::vector<std::string> ventet = {"Produkt navn: ", "Version: ", "Special Version: ", "Kontakt support: ",
                                             kSupportTelefon};
    EXPECT_EQ(tekster, ventet);
    EXPECT_GE(s.klient.right, 84 + Bredde("Kontakt support: ") + Bredde(kSupportTelefon));
  }
}

TEST_F(VersionDialog, ReaderCopiesAKeysTextWithinTheBuffer) {
  LaegProgram("p.exe", nullptr);
  std::ofstream(rod / "prog" / "tekst.exe") << "ingen blok her";
  const std::string med = (rod / "prog" / "p.exe").string(), uden = (rod / "prog" / "tekst.exe").string(),
                    mangler = (rod / "prog" / "ikke.exe").string();
  const struct {
    const std::string *fil;
    const char *noegle;
    size_t plads;
    const char *ventet;
  } tilfaelde[] = {
      {&med, "ProductName", 64, "TAVO-skema"},
      {&med, "SpecialBuild", 64, "Standard"},
      {&med, "FileVersion", 64, TAVO_VERSION_TEXT},
      {&med, "ProductName", 5, "TAVO"},  // cut to the buffer
      {&med, "Comments", 64, ""},        // not in the block
      {&uden, "ProductName", 64, "urørt"},
      {&mangler, "ProductName", 64, "urørt"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(std::string(t.noegle) + " in " + *t.fil);
    char buf[80];
    std::memset(buf, 'x', sizeof buf);
    std::strcpy(buf, "urørt");
    const char efter = buf[t.plads];
    EXPECT_EQ(HentVersionInfoTekst(t.fil->c_str(), t.noegle, buf, t.plads), buf);
    EXPECT_STREQ(buf, t.ventet);
    EXPECT_EQ(buf[t.plads], efter);  // nothing written past the size
  }
}

TEST_F(VersionDialog, CenterWindowCentresOverTheOtherWindowOrTheScreen) {
  HWND over = CreateWindowExA(0, "WfbVaert", "", WS_POPUP | WS_VISIBLE, 100, 50, 400, 300, 0, 0, 0, nullptr);
  HWND vindue = CreateWindowExA(0, "WfbVaert", "", WS_POPUP | WS_VISIBLE, 0, 0, 101, 60, 0, 0, 0, nullptr);
  CenterWindow(vindue, over);
  RECT r;
  GetWindowRect(vindue, &r);
  EXPECT_EQ(r.left, 100 + (400 - 101) / 2);
  EXPECT_EQ(r.top, 50 + (300 - 60) / 2);
  EXPECT_EQ(r.right - r.left, 101);
  CenterWindow(vindue, 0);
  GetWindowRect(vindue, &r);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 101) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 60) / 2);
}

}  // namespace
