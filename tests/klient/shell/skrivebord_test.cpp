// The desktop area between toolbar, desks and status row; the band painted
// around it; the desktop's logo and the messages it passes on; the status
// row made at the main window's creation; the question before quitting
// without saving.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "DESKTOP.h"
#include "ELEMENT.h"
#include "VEDLIGE.h"
#include "statusbar_support.h"
#include "tavo/clock.h"
#include "tavo/test_gdi.h"

using namespace statusbar_test;
using tavo::test::PumpUntilIdle;

namespace {

class Skrivebord : public StatusRaekke {
 protected:
  void SetUp() override {
    StatusRaekke::SetUp();
    std::copy(std::begin(DeskTab), std::end(DeskTab), gemtDesks);
    std::copy(std::begin(SectionTab), std::end(SectionTab), gemtSektioner);
    for (auto &d : DeskTab) d = {};
    for (auto &s : SectionTab) s.Tykkelse = 0;
    Klient(800, 600);
  }
  void TearDown() override {
    if (toolbar) DestroyWindow(toolbar);
    hwndMainToolbar = 0;
    if (hwndDesktop) DestroyWindow(hwndDesktop);
    hwndDesktop = 0;
    std::copy(std::begin(gemtDesks), std::end(gemtDesks), DeskTab);
    std::copy(std::begin(gemtSektioner), std::end(gemtSektioner), SectionTab);
    StatusRaekke::TearDown();
  }
  void Klient(int b, int h) {
    RECT rc = {0, 0, b, h};
    AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, TRUE, 0);
    SetWindowPos(hoved, 0, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER);
    PumpUntilIdle();
    RECT k;
    GetClientRect(hoved, &k);
    ASSERT_EQ(k.right, b);
    ASSERT_EQ(k.bottom, h);
  }
  void Toolbar(int hoejde) {
    toolbar = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 800, hoejde, hoved, 0, 0, nullptr);
    hwndMainToolbar = toolbar;
  }
  void Desk(int desk, int t0, int t1) {
    DeskTab[desk].AntalSektioner = (t0 > 0) + (t1 > 0);
    Sektion(desk, 0).Tykkelse = t0;
    Sektion(desk, 1).Tykkelse = t1;
  }
  HWND Desktop(int b, int h) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DesktopWndProc;
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = "DesktopWndClass";
    RegisterClassA(&wc);
    hwndDesktop = CreateWindowExA(0, "DesktopWndClass", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 10, b, h,
                                  hoved, 0, 0, nullptr);
    PumpUntilIdle();
    return hwndDesktop;
  }

  HWND toolbar = 0;
  DeskRec gemtDesks[kAntalDesks];
  SectionRec gemtSektioner[kAntalSektioner];
};

TEST_F(Skrivebord, TheDesktopLiesBetweenToolbarDesksAndStatusRow) {
  struct Tilfaelde {
    const char *navn;
    int toolbar;  // 0: none
    bool status;
    int desk[4][2];  // thickness of each desk's two sections
    RECT layout, desktop;
  };
  const Tilfaelde tabel[] = {
      {"bare", 0, false, {}, {1, 1, 798, 598}, {2, 2, 797, 597}},
      {"status row", 0, true, {}, {1, 1, 798, 578}, {2, 2, 797, 577}},
      {"toolbar and status", 30, true, {}, {1, 33, 798, 578}, {2, 34, 797, 577}},
      {"one section each side", 30, true, {{100, 0}, {50, 0}, {80, 0}, {40, 0}}, {1, 33, 798, 578},
       {1 + 82, 33 + 42, 798 - 102, 578 - 52}},
      {"two sections right and bottom", 0, true, {{100, 60}, {50, 30}, {}, {}}, {1, 1, 798, 578},
       {2, 2, 798 - 164, 578 - 84}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    if (t.toolbar) Toolbar(t.toolbar);
    ShowWindow(StatusFelter.TekstBar, t.status ? SW_SHOW : SW_HIDE);
    for (int d = 0; d < 4; ++d) Desk(d, t.desk[d][0], t.desk[d][1]);
    BeregnSkrivebord(false);
    EXPECT_EQ(LayoutRect.left, t.layout.left);
    EXPECT_EQ(LayoutRect.top, t.layout.top);
    EXPECT_EQ(LayoutRect.right, t.layout.right);
    EXPECT_EQ(LayoutRect.bottom, t.layout.bottom);
    EXPECT_EQ(DesktopRect.left, t.desktop.left);
    EXPECT_EQ(DesktopRect.top, t.desktop.top);
    EXPECT_EQ(DesktopRect.right, t.desktop.right);
    EXPECT_EQ(DesktopRect.bottom, t.desktop.bottom);
    EXPECT_EQ(FriArealRect.right, DesktopRect.right - DesktopRect.left);
    if (toolbar) DestroyWindow(toolbar);
    toolbar = hwndMainToolbar = 0;
  }
}

TEST_F(Skrivebord, TheBandOfTheDesksIsPaintedWithTheDeskBrush) {
  Desk(1, 50, 0);
  Desk(2, 80, 0);
  ShowWindow(StatusFelter.TekstBar, SW_HIDE);
  TegnBaggrund(hoved);
  // The band runs from the desktop's top to below desk 1, left desk
  // included; the desktop window is not there to cover it.
  BeregnSkrivebord(false);
  EXPECT_EQ(tavo::test::WindowPixel(hoved, 40, DesktopRect.top + 5), FarveTab[0]);
  EXPECT_EQ(tavo::test::WindowPixel(hoved, 400, DesktopRect.bottom + 20), FarveTab[0]);
  EXPECT_NE(tavo::test::WindowPixel(hoved, 400, DesktopRect.top - 3), FarveTab[0]);
}

TEST_F(Skrivebord, TheLogoFillsTheDesktopAndNamesTheProgram) {
  HWND d = Desktop(400, 300);
  tavo::test::ClearDrawnTexts();
  InvalidateRect(d, nullptr, FALSE);
  UpdateWindow(d);
  PumpUntilIdle();
  std::vector<std::string> ord;
  for (const auto &t : tavo::test::DrawnTexts()) {
    if (t.hwnd != d) continue;
    ord.push_back(t.text);
    EXPECT_EQ(t.face, "Arial");
    // 30 % of the smaller side is the characters' height; the cell is taller.
    EXPECT_GE(t.height, 90);
    EXPECT_LT(t.height, 90 * 5 / 4);
    EXPECT_EQ(t.text_color, RGB(200, 200, 245));
  }
  ASSERT_GE(ord.size(), 2u);
  EXPECT_EQ(ord[0], "TAVO");
  EXPECT_EQ(ord[1], "skema");
  for (POINT p : {POINT{1, 1}, POINT{398, 298}, POINT{5, 150}})
    EXPECT_EQ(tavo::test::WindowPixel(d, p.x, p.y), RGB(210, 210, 255));
  bool tekstPixel = false;
  for (int y = 0; y < 300 && !tekstPixel; ++y)
    for (int x = 0; x < 400 && !tekstPixel; ++x) tekstPixel = tavo::test::WindowPixel(d, x, y) == RGB(200, 200, 245);
  EXPECT_TRUE(tekstPixel);
}

TEST_F(Skrivebord, TheDesktopPassesItsMessagesToTheMainWindow) {
  HWND d = Desktop(200, 100);
  tavo::test::StartMessageLog();
  for (UINT m : {1095u, 1094u, 1124u, 1129u, 1137u, 1138u, 1200u}) SendMessageA(d, m, 7, 9);
  const auto log = tavo::test::StopMessageLog();
  EXPECT_EQ(tavo::test::MessagesOf(log, hoved, {1099, 1098, 1124, 1129, 1137, 1138, 1200, 1095, 1094}),
            (std::vector<UINT>{1099, 1098, 1124, 1129, 1137, 1138}));
}

TEST_F(Skrivebord, TheStatusRowIsMadeInItsOrderWithTheCountersCleared) {
  ElevplanSlaaetTil = 0;
  EksportTaellere[2] = 5;
  StatusFelter = {};
  OpretStatusFelter(hoved);
  EXPECT_EQ(EksportTaellere[2], 0u);
  for (HWND h : {StatusFelter.TekstBar, StatusFelter.Laas, StatusFelter.Insnr, StatusFelter.Dato,
                 StatusFelter.InsStatus, StatusFelter.Forbindelse, StatusFelter.Server, StatusFelter.GenFejlLog,
                 StatusFelter.Nyheder}) {
    EXPECT_NE(h, 0u);
    EXPECT_EQ(GetParent(h), hoved);
  }
  EXPECT_EQ(StatusFelter.EpKontakt, 0u);
  EXPECT_EQ(StatusFelter.EpStatus, 0u);
  StatusFelter = {};
  ElevplanSlaaetTil = 1;
  OpretStatusFelter(hoved);
  EXPECT_NE(StatusFelter.EpKontakt, 0u);
  EXPECT_NE(StatusFelter.EpStatus, 0u);
  // Made in the row's order: each later sibling than the one before.
  std::vector<HWND> boern;
  for (HWND h = GetWindow(hoved, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) boern.push_back(h);
  size_t forrige = 0;
  for (HWND h : {StatusFelter.TekstBar, StatusFelter.Laas, StatusFelter.Insnr, StatusFelter.Dato,
                 StatusFelter.InsStatus, StatusFelter.Forbindelse, StatusFelter.Server, StatusFelter.EpKontakt,
                 StatusFelter.EpStatus, StatusFelter.GenFejlLog, StatusFelter.Nyheder}) {
    const size_t i = std::find(boern.begin(), boern.end(), h) - boern.begin();
    ASSERT_LT(i, boern.size());
    EXPECT_GT(i, forrige);
    forrige = i;
  }
}

struct AfslutTilfaelde {
  const char *navn;
  const char *fil;  // StartTid.dat; nullptr: none
  int64_t nu;
  const char *tid;
};

class AfslutSpoergsmaal : public StatusRaekke {
 protected:
  void TearDown() override {
    tavo::ClearFakeClock();
    StatusRaekke::TearDown();
  }
};

TEST_F(AfslutSpoergsmaal, StatesTheTimeSinceTheStartCopyWithNoAsDefault) {
  const AfslutTilfaelde tabel[] = {
      {"1 h 2 min 3 s", "12, 3, 1000000000\r\n", 1000000000 + 3723, "01:02:03"},
      {"25 hours", "0, 0, 1000000000\r\n", 1000000000 + 25 * 3600, "1 dag og 01:00:00"},
      {"3 days", "0, 0, 1000000000\r\n", 1000000000 + 3 * 86400 + 59, "3 dage og 00:00:59"},
      {"missing file counts as 0", nullptr, 59, "00:00:59"},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    fs::remove(rod / "data" / "StartTid.dat");
    if (t.fil) SkrivFil(rod / "data" / "StartTid.dat", t.fil);
    tavo::SetFakeClock(t.nu);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript(10000);
    EXPECT_EQ(SpoergAfslutUdenGem(), IDNO);
    const auto boks = tavo::test::MessageBoxesShown();
    ASSERT_EQ(boks.size(), 1u);
    EXPECT_EQ(boks[0].caption, "Gemme data");
    EXPECT_EQ(boks[0].text, std::string("Vil du afslutte uden af gemme data?\nData der er lavet indenfor tiden: ") +
                                t.tid + " vil IKKE blive gemt!\n\nVil du fortsætte?");
    EXPECT_EQ(boks[0].type & (MB_DEFMASK | MB_TYPEMASK | MB_ICONMASK),
              static_cast<UINT>(MB_YESNO | MB_DEFBUTTON2 | MB_ICONEXCLAMATION));
  }
}

}  // namespace
