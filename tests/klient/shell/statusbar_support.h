// A main window of its own with the status row: the text bar from the main
// status bar's creator, every pane, the shared tooltip, a data folder, the
// program's colours and fonts. The window lays the row out on WM_SIZE and
// records the F10 it is sent with the modifiers held while it handles it.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../datamappe.h"
#include "DESKTOP.h"
#include "FARVER.h"
#include "EPKONTAKT.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "PROGVINDUER.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "TOOLTIP.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"
#include "windows.h"

void RegistrerOrvaneRessourcer();

namespace statusbar_test {

namespace fs = std::filesystem;

struct F10Kald {
  bool ctrl, shift;
};

inline std::vector<F10Kald> &F10() {
  static std::vector<F10Kald> v;
  return v;
}

inline LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_SIZE:
      LayoutStatusBar();
      return 0;
    case WM_SYSKEYDOWN:
      if (w == VK_F10) F10().push_back({GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0});
      return 0;
    case WM_MENUSELECT:
      StatusMenuValg(h, w, l);
      return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class StatusRaekke : public ::testing::Test {
 protected:
  void SetUp() override {
    tavo::test::ResetUser();
    F10().clear();
    std::string skabelon = (fs::temp_directory_path() / "status bar XXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    rod = skabelon;
    for (const char *m : {"ini", "data", "log"}) fs::create_directories(rod / m);
    gemtSti = StiTab;
    gemtIndstil = GlobalIndstillinger;
    gemtNyheder = nyeNyheder;
    gemtEp = ElevplanSlaaetTil;
    gemtKroge = IndstilKrog;
    std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", DataMappeNavn(rod).c_str());
    InitStiTab();
    RegistrerOrvaneRessourcer();
    // A status background of its own, so that a picture's background that
    // was not replaced shows.
    SkrivFil(rod / "ini" / "tavo.pal", "Palette\r\n18 (200,220,240)\r\n");
    SkrivFil(rod / "ini" / "tavo.ini", "[farver]\r\ntemafarver=nej\r\n");
    InitPalette();
    nyeNyheder = 1;
    ElevplanSlaaetTil = 1;
    std::strcpy(StatusStandardTekst, "Klar");

    WNDCLASSA wc{};
    wc.lpfnWndProc = HovedProc;
    wc.lpszClassName = "StatusTestHoved";
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    RegisterClassA(&wc);
    WNDCLASSA tip{};
    tip.style = CS_OWNDC;
    tip.lpfnWndProc = TooltipWndProc;
    tip.lpszClassName = "TooltipWndClass";
    RegisterClassA(&tip);
    hoved = CreateWindowExA(0, "StatusTestHoved", "Tavo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 1000,
                            300, 0, LoadMenuA(hInst, "MAIN"), 0, nullptr);
    ASSERT_NE(hoved, 0u);
    hwndHoved = hoved;
    for (const char *f : {"Tvo11x8Txt.ttf", "Tvo11x8Tgn.ttf"})
      fs::copy_file(fs::path(TAVO_BINARY_DIR) / "fonts" / f, rod / "ini" / f, fs::copy_options::overwrite_existing);
    LoadFonts(hoved);
    OpretTooltip(0, hoved);
    ASSERT_TRUE(RegistrerElevplanKontaktKlasse(0));
    CreateMainStatusBar(hoved);
    ASSERT_NE(StatusFelter.TekstBar, 0u);
    for (auto opret : {OpretLaasFelt, OpretInsnrFelt, OpretDatoFelt, OpretInsStatusFelt, OpretForbindelseFelt,
                       OpretEpKontaktFelt, OpretEpStatusFelt, OpretGenFejlLogFelt, OpretNyhedsFelt})
      ASSERT_NE(opret(hoved), 0u);
    ShowWindow(hoved, SW_SHOWNORMAL);
    tavo::test::StartDialogScript(10000);
    tavo::test::PumpUntilIdle();
  }

  void TearDown() override {
    EXPECT_EQ(tavo::test::DialogFailures(), std::vector<std::string>{});
    tavo::test::StopDialogScript();
    if (hwndTooltip) DestroyWindow(hwndTooltip);
    hwndTooltip = 0;
    DestroyWindow(hoved);
    UnloadFonts();
    tavo::test::ResetUser();
    hwndHoved = 0;
    StatusFelter = {};
    StiTab = gemtSti;
    GlobalIndstillinger = gemtIndstil;
    nyeNyheder = gemtNyheder;
    ElevplanSlaaetTil = gemtEp;
    IndstilKrog = gemtKroge;
    StatusBarKrog = {};
    fs::remove_all(rod);
  }

  // The client width of the main window becomes `bredde`.
  void Bredde(int bredde) {
    RECT rc = {0, 0, bredde, 200};
    AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, 0);
    SetWindowPos(hoved, 0, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER);
    tavo::test::PumpUntilIdle();
  }

  // A pane's rectangle in the main window's client area.
  RECT Rect(HWND h) const {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(0, hoved, reinterpret_cast<POINT *>(&r), 2);
    return r;
  }

  std::string TekstBar() const {
    char b[kStatusTekstLaengde] = "";
    GetWindowTextA(StatusFelter.TekstBar, b, sizeof b);
    return b;
  }

  void SkrivFil(const fs::path &p, const std::string &indhold) { std::ofstream(p, std::ios::binary) << indhold; }

  fs::path rod;
  HWND hoved = 0;
  StiTabData gemtSti;
  GlobalIndstillingerData gemtIndstil;
  uint8_t gemtNyheder = 0, gemtEp = 0;
  IndstilKroge gemtKroge;
};

}  // namespace statusbar_test
