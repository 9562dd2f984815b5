// The number box over a cell of a plan-like window in a real X window under
// the private X server, with the program's fonts: it stands over the cell
// with the typed value, and the screen is kept beside the test in the build
// as plan_talboks.png.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "../plan_fixtur.h"
#include "BESKEDER.h"
#include "EDITBOX.h"
#include "FF_PlanUtil.h"
#include "FONTE.h"
#include "GRIDAKSE.h"
#include "PLANGITTER.h"
#include "PlanFold.h"
#include "PlanRediger.h"
#include "SWITCH.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"
#include "windows.h"

#include "pump.h"

// Last: Xlib's macros clash with names above.
#include "../../ui/gui/xskaerm.h"

namespace {

namespace fs = std::filesystem;
using namespace plantest;

using plangui::Pump;

const Plan *tegnet = nullptr;
constexpr COLORREF kCelle = RGB(0xE8, 0xF0, 0xFF);

// A grid as the plan window draws it: captions left, weeks right, a line
// closing each row and column.
LRESULT CALLBACK PlanAgtigProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_PAINT || !tegnet) return DefWindowProcA(hwnd, msg, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT alt;
  GetClientRect(hwnd, &alt);
  FillRect(dc, &alt, GetSysColorBrush(COLOR_WINDOW));
  HBRUSH celle = CreateSolidBrush(kCelle);
  HBRUSH streg = GetSysColorBrush(COLOR_3DDKSHADOW);
  SelectObject(dc, TxtFont ? static_cast<HGDIOBJ>(TxtFont) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  const GridAkse akse = tegnet->Ens.AkseY;
  const char *navne[] = {"", "1a", "  MA   A Mat", "ABC Anne"};
  const char *tal[] = {"", "  4", "  4", "  2,50"};
  for (uint32_t r = 1; r <= tegnet->Ens.ObjTabAntal; ++r) {
    const int y = static_cast<int>(GridCelleStart(&akse, r));
    const int h = static_cast<int>(akse.Forkant + akse.CelleBredde + akse.Bagkant);
    for (uint32_t k = 1; k <= tegnet->StyrX.Pos.Antal; ++k) {
      const int x = static_cast<int>(KolonneStart(tegnet, k, PLAN_OMR_UGER));
      const int b = static_cast<int>(KolonneBreddeIOmraade(tegnet, k, PLAN_OMR_UGER));
      RECT c{x, y, x + b, y + h};
      FillRect(dc, &c, celle);
      RECT hs{x + b, y, x + b + 1, y + h + 1};
      FillRect(dc, &hs, streg);
      if (k >= 2) TextOutA(dc, x + 2, y + 2, tal[r], static_cast<int>(std::strlen(tal[r])));
    }
    RECT bund{0, y + h, 400, y + h + 1};
    FillRect(dc, &bund, streg);
    TextOutA(dc, 300, y + 2, navne[r], static_cast<int>(std::strlen(navne[r])));
  }
  DeleteObject(celle);
  EndPaint(hwnd, &ps);
  return 0;
}

void Registrer(const char *navn, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = proc;
  wc.lpszClassName = navn;
  RegisterClassA(&wc);
}

class PlanEditorGui : public PlanFixtur {};

TEST_F(PlanEditorGui, TheNumberBoxStandsOverTheCellAndIsPhotographed) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  setenv("DISPLAY", server, 1);
  setenv("TAVO_DISPLAY", "x11", 1);

  // The program's fonts from the build, in the data folder's ini folder.
  const fs::path ini = fs::path(StiTab.szdata) / "ini";
  fs::create_directories(ini);
  for (const auto &e : fs::directory_iterator(fs::path(TAVO_BINARY_DIR) / "fonts"))
    if (e.path().extension() == ".ttf") fs::copy_file(e.path(), ini / e.path().filename(), fs::copy_options::overwrite_existing);

  Registrer("EditboxIntWndClass", EditboxIntWndProc);
  Registrer("PlanAgtig", PlanAgtigProc);
  SwitchFelt kol[2]{};
  kol[0] = {0, 0, 31, 0, 0, 5, 0, 0, 'S', 0, &kol[1]};
  kol[1] = {0, 0, 33, 0, 0, 7, 4, 0, 'S', 0, nullptr};
  SwitchLayout layout{'#', 0, 1, 0, &kol[0], nullptr};
  SwitchLayout *gemt = ObjSwitchTab[111];
  ObjSwitchTab[111] = &layout;
  plan.LayoutKolonne = {111, '#', 0, 2, 0};

  const uint32_t a1 = NyAkti("1a", "A");
  const uint32_t ma = NySkfa("MA", 'A', "Mat");
  const uint32_t e1 = NyAnfo("ABC", "1", "Anne");
  const uint32_t h1 = Raekke(PLAN_AKTI, a1, 0, 0);
  const uint32_t s1 = Raekke(PLAN_FAG, a1, ma, e1);
  const uint32_t t1 = Raekke(PLAN_OPG_TIMER, a1, 0, e1);
  Orden({h1, s1, t1});
  plan.Ens.AkseY = GridAkse{2, 11, 1, 1, 1};
  Kolonner({{31}, {33, 1, 202440}, {33, 1, 202441}, {33, 1, 202442}});
  NulstilLXAkse(&plan);
  plan.StyrY.Pos.Aktuel = 3;  // the hours row
  plan.StyrX.Pos.Aktuel = 3;  // week 41
  tegnet = &plan;

  const int OX = 60, OY = 50;
  HWND vindue = CreateWindowExA(0, "PlanAgtig", "", WS_POPUP | WS_VISIBLE, OX, OY, 420, 120, 0, 0, 0, nullptr);
  ASSERT_NE(vindue, 0u);
  LoadFonts(vindue);
  plan.hwndPlan = vindue;
  Pump(300);
  InvalidateRect(vindue, nullptr, TRUE);
  UpdateWindow(vindue);
  Pump(100);

  Display *d = XOpenDisplay(server);
  ASSERT_NE(d, nullptr);
  // The cell of week 41 in the hours row before the box opens.
  const int cx = OX + 102 + 30, cy = OY + 30 + 4;
  unsigned long foer = 0;
  for (int i = 0; i < 50 && foer != SomX(kCelle); ++i) {
    Pump(20);
    foer = RodPixel(d, cx, cy);
  }
  EXPECT_EQ(foer, SomX(kCelle));

  PlanRedigerCelle(&plan, nullptr);
  ASSERT_NE(plan.hwndRediger, 0u);
  tavo::test::TypeText("7,25");
  RECT r{};
  GetWindowRect(plan.hwndRediger, &r);
  EXPECT_EQ(r.left, OX + 102);
  EXPECT_EQ(r.top, OY + 30);
  EXPECT_EQ(r.right - r.left, 60);
  unsigned long efter = foer;
  for (int i = 0; i < 50 && efter == foer; ++i) {
    Pump(20);
    efter = RodPixel(d, cx, cy);
  }
  EXPECT_NE(efter, SomX(kCelle)) << "the box is not on the screen";
  Pump(200);
  auto *e = reinterpret_cast<EditIntInfo *>(GetWindowLongPtrA(plan.hwndRediger, GWLP_USERDATA));
  ASSERT_NE(e, nullptr);
  EXPECT_STREQ(e->text, "   7,25");
  const std::string fil = std::string(TAVO_BINARY_DIR) + "/tests/klient/planning/gui/plan_talboks.png";
  EXPECT_TRUE(tavo::test::SaveScreenPng(fil.c_str()));

  XCloseDisplay(d);
  DestroyWindow(plan.hwndRediger);
  plan.hwndRediger = 0;
  DestroyWindow(vindue);
  UnloadFonts();
  tegnet = nullptr;
  ObjSwitchTab[111] = gemt;
}

}  // namespace
