// The hours statement window: when it writes its figures again, its keys,
// its focus, its header, the activation protocol inside a screen cell, and
// the window as the factory opens it, following the current employment.
#include <algorithm>
#include <cstring>

#include "KROGE.h"
#include "ELEMENT.h"
#include "ENSMUS.h"
#include "VINDUER.h"
#include "medopgvin_fixture.h"

namespace medopg_test {
namespace {

class MedOpgVindue : public MedOpgFixture {
 public:
  void SetUp() override {
    MedOpgFixture::SetUp();
    ToAnsaettelser(&a, &b);
    MT(b, 8)[0] = 33;
    tvanfo.AktuelRec = a;
  }
  void TearDown() override {
    BYTE tom[256] = {};
    SetKeyboardState(tom);
    MedOpgFixture::TearDown();
  }

  // The texts drawn since the log was cleared into the window or its panes.
  static size_t Tegnet(HWND h) {
    size_t n = 0;
    const MedOpgWS *ws = W(h);
    for (const auto &t : tavo::test::DrawnTexts())
      n += t.hwnd == h || std::count(ws->hwndRude, ws->hwndRude + kMedOpgRuder, t.hwnd) ? 1 : 0;
    return n;
  }
  // The text drawn into the window at (x, y), or "".
  static std::string TekstVed(HWND h, int x, int y) {
    std::string s;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == h && t.x == x && t.y == y) s = t.text;
    return s;
  }

  uint32_t a = 0, b = 0;
};

TEST_F(MedOpgVindue, WritesAgainOnlyWhenTheMonthOrEmploymentChangesOrTheDataDid) {
  HWND h = Aabn();
  // Another day of March, first just after the window was opened and
  // painted, then after the data changed: nothing is drawn.
  for (const Dato dag : {20240318u, 20240320u}) {
    SaetAktuelDato(dag);
    tavo::test::ClearDrawnTexts();
    SendMessageA(h, AKTUEL_AENDRET, 0, 0);
    PumpUntilIdle();
    EXPECT_EQ(Tegnet(h), 0u) << dag;
    SendMessageA(h, DATA_AENDRET, 0, 0);
  }

  // The data changed: everything again, though month and employment did not.
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, DATA_AENDRET, 0, 0);
  EXPECT_EQ(Kolonne(h, OPG_MND, 0), "20|2|3|4|6|5|8");
  EXPECT_EQ(Kolonne(h, OPG_RESULTAT, 0), "-1550");
  EXPECT_EQ(TekstVed(h, W(h)->X[1] + 2, W(h)->Y[1] + 1), "Mar");

  // April: the month's figures (none) under its name.
  SaetAktuelDato(20240415);
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, AKTUEL_AENDRET, 0, 0);
  EXPECT_EQ(Kolonne(h, OPG_MND, 0), "0|0|0|0|0|0|0");
  EXPECT_EQ(TekstVed(h, W(h)->X[1] + 2, W(h)->Y[1] + 1), "Apr");
}

TEST_F(MedOpgVindue, CtrlF4AsksTheParentToCloseItOtherF4KeysArePassedOn) {
  HWND h = Aabn();
  struct Tast {
    const char *navn;
    UINT msg;
    bool ctrl, alt;
    bool lukker;
  };
  const Tast taster[] = {
      {"F4", WM_KEYDOWN, false, false, false},
      {"Alt+F4", WM_SYSKEYDOWN, false, true, false},
      {"Ctrl+F4", WM_KEYDOWN, true, false, true},
      {"Ctrl+Alt+F4", WM_SYSKEYDOWN, true, true, true},
  };
  for (const Tast &t : taster) {
    SCOPED_TRACE(t.navn);
    BYTE ks[256] = {};
    if (t.ctrl) ks[VK_CONTROL] = ks[VK_LCONTROL] = 0x80;
    if (t.alt) ks[VK_MENU] = ks[VK_LMENU] = 0x80;
    SetKeyboardState(ks);
    Log().clear();
    EXPECT_EQ(SendMessageA(h, t.msg, VK_F4, t.alt ? (1L << 29) : 0), 0);
    std::vector<Besked> til;
    for (const Besked &m : Log())
      if (m.msg == ELEMENT_LUK || m.msg == WM_SYSCOMMAND) til.push_back(m);
    if (t.lukker) {
      ASSERT_EQ(til.size(), 1u);
      EXPECT_EQ(til[0].hwnd, desktop);
      EXPECT_EQ(til[0].msg, static_cast<UINT>(ELEMENT_LUK));
      EXPECT_EQ(til[0].l, static_cast<LPARAM>(h));
    } else if (t.alt) {
      // The system's own Alt+F4: the top window is asked to close.
      ASSERT_EQ(til.size(), 1u);
      EXPECT_EQ(til[0].hwnd, hoved);
      EXPECT_EQ(til[0].msg, static_cast<UINT>(WM_SYSCOMMAND));
      EXPECT_EQ(til[0].w, static_cast<WPARAM>(SC_CLOSE));
    } else {
      EXPECT_TRUE(til.empty());
    }
    EXPECT_TRUE(IsWindow(h));
  }
}

TEST_F(MedOpgVindue, HandsTheFocusToTheMainWindow) {
  HWND h = Aabn();
  SetFocus(h);
  PumpUntilIdle();
  EXPECT_EQ(GetFocus(), hoved);
}

// "Periode" over the period column, "Per." when the program font makes it
// 43 pixels wide or more: the rule for fonts of widths around that.
TEST_F(MedOpgVindue, HeaderShortensPeriodeWhenItFillsItsColumn) {
  const HFONT gammel = StdFont;
  bool kort = false, lang = false;
  for (int bredde = 3; bredde <= 10; ++bredde) {
    SCOPED_TRACE(bredde);
    HFONT f = CreateFontA(13, bredde, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ g = SelectObject(dc, f);
    SIZE sz{};
    GetTextExtentPoint32A(dc, "Periode", 7, &sz);
    SelectObject(dc, g);
    DeleteDC(dc);
    StdFont = f;
    tavo::test::ClearDrawnTexts();
    HWND h = Aabn();
    const std::string hoved = TekstVed(h, W(h)->X[4] + 2, W(h)->Y[1] + 1);
    EXPECT_EQ(hoved, sz.cx >= 43 ? "Per." : "Periode") << "width " << sz.cx;
    (sz.cx >= 43 ? kort : lang) = true;
    DestroyWindow(h);
    StdFont = gammel;
    DeleteObject(f);
  }
  EXPECT_TRUE(kort && lang) << "the fonts tried give both forms";
}

// Inside a screen cell, whose main window lets it be the active one.
class MedOpgICelle : public MedOpgVindue {
 public:
  void SetUp() override {
    MedOpgVindue::SetUp();
    gemtKrog = VinduesKrog;
    Tom();
    ASSERT_TRUE(RegistrerElementVinduer(0));
    InstallerVinduesKroge();
    LayoutRect = RECT{1, 1, 997, 697};
    AktivSvar() = 1;
  }
  void TearDown() override {
    MedOpgVindue::TearDown();
    Tom();
    LayoutRect = RECT{0, 0, 0, 0};
    VinduesKrog = gemtKrog;
  }
  static void Tom() {
    std::memset(DeskTab, 0, sizeof DeskTab);
    std::memset(SectionTab, 0, sizeof SectionTab);
    std::memset(ElementTab, 0, sizeof ElementTab);
  }
  VinduesKroge gemtKrog{};
};

TEST_F(MedOpgICelle, TakesPartInTheCellsActivationAndCloses) {
  HWND el = CreateElementWnd(CalcMedOpgWidth(10000), CalcMedOpgHeight(10000), 1, true, "Opgørelse", kMedOpgArt);
  ASSERT_NE(el, 0u);
  tavo::test::StartMessageLog();
  HWND h = CreateMedOpgWnd(0, el, 0, 0);
  SendMessageA(el, ELEMENT_OBJEKT, 0, static_cast<LPARAM>(h));
  PumpUntilIdle();
  const std::vector<UINT> protokol = {ENS_MAA_AKTIVERES, ENS_BLEV_AKTIV, ENS_BLEV_INAKTIV, ELEMENT_LUK};
  EXPECT_EQ(tavo::test::MessagesOf(tavo::test::StopMessageLog(), el, protokol),
            (std::vector<UINT>{ENS_MAA_AKTIVERES, ENS_MAA_AKTIVERES, ENS_BLEV_AKTIV}));
  EXPECT_EQ(W(h)->Aktiv, 1);
  EXPECT_EQ(SendMessageA(el, VINDUE_ART, 0, 0), static_cast<LRESULT>(kMedOpgArt));

  // Active, it follows a change it is told of with wParam 0 only after
  // the activation gave it up.
  tvanfo.AktuelRec = b;
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, AKTUEL_AENDRET, 0, 0);
  EXPECT_EQ(Tegnet(h), 0u);
  SendMessageA(h, AKTUEL_AENDRET, 1, 0);
  EXPECT_EQ(Kolonne(h, OPG_MND, 0), "33|2|3|4|6|5|8");

  tavo::test::StartMessageLog();
  SendMessageA(h, VINDUE_DEAKTIVER, 0, 0);
  EXPECT_EQ(W(h)->Aktiv, 0);
  tvanfo.AktuelRec = a;
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, AKTUEL_AENDRET, 0, 0);
  EXPECT_EQ(Kolonne(h, OPG_MND, 0), "20|2|3|4|6|5|8");
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);  // already active: nothing more
  EXPECT_EQ(tavo::test::MessagesOf(tavo::test::StopMessageLog(), el, protokol),
            (std::vector<UINT>{ENS_BLEV_INAKTIV, ENS_BLEV_AKTIV}));

  // Ctrl+F4 asks the cell, which goes with the statement in it.
  BYTE ks[256] = {};
  ks[VK_CONTROL] = ks[VK_LCONTROL] = 0x80;
  SetKeyboardState(ks);
  Log().clear();
  SendMessageA(h, WM_KEYDOWN, VK_F4, 0);
  PumpUntilIdle();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(IsWindow(el));
  bool lukket = false;
  for (const Besked &m : Log()) lukket |= m.hwnd == hoved && m.msg == ELEMENT_LUKKET && m.l == static_cast<LPARAM>(h);
  EXPECT_TRUE(lukket);
}

// As menu command 40187 opens it: a child of the desktop of the size the
// factory computes, following the employment the lists make current.
TEST_F(MedOpgVindue, OpenedAsTheFactoryDoesAndFollowsTheCurrentEmployment) {
  const int32_t bredde = CalcMedOpgCol1Width() + CalcMedOpgCol2Width() + 312;
  const int32_t hoejde = 9 * MedOpgTekstHoejde() + 20;
  EXPECT_EQ(CalcMedOpgWidth(100000), bredde);
  EXPECT_EQ(CalcMedOpgWidth(200), 200);
  EXPECT_EQ(CalcMedOpgHeight(100000), hoejde);
  EXPECT_EQ(CalcMedOpgHeight(50), 50);

  HWND h = CreateMedOpgWnd(0, desktop, 10, 10);
  ASSERT_NE(h, 0u);
  EXPECT_EQ(GetParent(h), desktop);
  EXPECT_EQ(GetWindowLongA(h, GWL_ID), static_cast<LONG>(kMedOpgArt));
  EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & (WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION),
            static_cast<LONG>(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.right - r.left, bredde);
  EXPECT_EQ(r.bottom - r.top, hoejde);
  WNDCLASSA wc{};
  ASSERT_TRUE(GetClassInfoA(0, "MedOpgWndClass", &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_OWNDC));
  EXPECT_EQ(wc.hbrBackground, FarveBrush[0]);
  EXPECT_NE(wc.hCursor, 0u);
  // The grid ends three pixels inside the window on either side.
  EXPECT_EQ(W(h)->X[9], bredde - 3);
  EXPECT_EQ(W(h)->Y[5], hoejde - 3);

  // The shell keeps it with the other open windows; a list whose cursor
  // moves makes another employment current and tells every window.
  ASSERT_EQ(VinduesListeTilfoej(h), 0);
  ShowWindow(h, SW_SHOW);
  UpdateWindow(h);
  PumpUntilIdle();
  EXPECT_EQ(Kolonne(h, OPG_MND, 0), "20|2|3|4|6|5|8");
  tvanfo.AktuelRec = b;
  tavo::test::ClearDrawnTexts();
  SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, 0);
  PumpUntilIdle();
  EXPECT_EQ(Kolonne(h, OPG_MND, 0), "33|2|3|4|6|5|8");
  EXPECT_EQ(Kolonne(h, OPG_PER, 0), "144|3|4|5|7|6|9");
  EXPECT_TRUE(tavo::test::SaveWindowPng(h, TAVO_BINARY_DIR "/medopg_uden_normsystem.png"));
  VinduesListeFjern(h);
  DestroyWindow(h);

  // The norm system's form, for the picture.
  GlobalIndstillinger.normsystem = 1;
  NormSystemTal(b);
  h = Aabn();
  EXPECT_EQ(Kolonne(h, OPG_REGNSKAB, 0), "30|81|51|2|_|_|_");
  EXPECT_TRUE(tavo::test::SaveWindowPng(h, TAVO_BINARY_DIR "/medopg_normsystem.png"));
}

}  // namespace
}  // namespace medopg_test
