// Two docked grid windows on desk 0 of a main window in a real X window
// under the private X server: xdotool drags the section divider as a user
// would, and the screen shows the section at its new width.

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "KROGE.h"
#include "../element_support.h"
#include "knapper.h"

// Last: Xlib's macros clash with names above.
#include "xskaerm.h"

namespace {

using namespace elm_test;

bool Shell(const std::string &cmd) { return std::system(cmd.c_str()) == 0; }

// Handles this thread's messages until the condition holds or the time is up.
template <typename Betingelse>
bool PumpIndtil(Betingelse betingelse, int ms) {
  const auto slut = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  MSG msg;
  while (!betingelse()) {
    if (std::chrono::steady_clock::now() > slut) return false;
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

TEST(ElementCelleGui, TheSectionDividerDraggedWithXdotoolWidensTheSection) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  if (!Shell("command -v xdotool >/dev/null 2>&1")) GTEST_SKIP() << "no xdotool";
  setenv("DISPLAY", server, 1);
  setenv("TAVO_DISPLAY", "x11", 1);

  Elm() = Tilstand{};
  const VinduesKroge gemtKrog = VinduesKrog;
  const int gemtB = TitelBaand;
  RegistrerKnapBilleder();
  wfb_test::Registrer("TooltipWndClass", TooltipWndProc);
  wfb_test::Registrer("NyButtonWndClass", NyButtonWndProc);
  wfb_test::Registrer("DummyWndClass", DummyWndProc, CS_OWNDC | CS_DBLCLKS);
  wfb_test::Registrer("WfbGitter", wfb_test::GitterProc, CS_OWNDC | CS_DBLCLKS);
  wfb_test::Registrer("ElmHoved", HovedProc, 0);
  wfb_test::Registrer("ElmDesktop", DesktopProc, 0);
  farver_intern::InitPaletteDybde(32);
  ASSERT_TRUE(RegistrerElementVinduer(0));
  InstallerVinduesKroge();

  const int OX = 40, OY = 30, W = 700, H = 500;
  HWND hoved = CreateWindowExA(0, "ElmHoved", "Docking", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, OX, OY, W, H, 0,
                               0, 0, nullptr);
  ASSERT_NE(hoved, 0u);
  HWND desktop = CreateWindowExA(0, "ElmDesktop", "", WS_CHILD | WS_VISIBLE, 100, 100, 200, 200, hoved, 0, 0, nullptr);
  hwndHoved = hoved;
  hwndDesktop = desktop;
  LayoutRect = RECT{1, 1, W - 3, H - 3};
  LoadFonts(hoved);
  TitelBaand = 14;

  const char *titler[] = {"Kalender", "Aktuel"};
  for (const char *titel : titler) {
    HWND el = CreateElementWnd(150, 100, 0, true, titel, 40000);
    ASSERT_NE(el, 0u);
    SendMessageA(el, ELEMENT_OBJEKT, 0, (LPARAM)LavObjekt(el, 150, 100));
  }
  ASSERT_EQ(+Sektion(0, 0).Tykkelse, 154);
  // The calendar would take 250 across: the section may grow by 100.
  Celle(0, 0, 0).IndholdTvaers = 250;

  Display *d = XOpenDisplay(server);
  ASSERT_NE(d, nullptr);
  const unsigned long baand = SomX(GetSysColor(COLOR_INACTIVECAPTION));
  // The calendar's band on the screen, once the window is mapped and painted.
  const Plads celle = CellePlads(0, 0, 0);
  int forsoeg = 0;
  EXPECT_TRUE(PumpIndtil(
      [&] {
        if (++forsoeg % 20 == 0) RedrawWindow(hoved, nullptr, 0, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return RodPixel(d, OX + celle.x + 4, OY + celle.y + 8) == baand;
      },
      5000));

  // The divider lies left of the section; dragged 60 pixels towards the
  // middle, the section is 60 pixels wider.
  RECT r;
  GetWindowRect(Sektion(0, 0).hwndDivider, &r);
  const int x = r.left, y = (r.top + r.bottom) / 2;
  // Row 2 of the band, above the title.
  EXPECT_NE(RodPixel(d, x - 30, OY + 3), baand);
  std::thread bruger([&] {
    const std::string xy = std::to_string(x) + " " + std::to_string(y);
    Shell("xdotool mousemove --sync " + xy + " mousedown 1 mousemove --sync " + std::to_string(x - 20) + " " +
          std::to_string(y) + " mousemove --sync " + std::to_string(x - 60) + " " + std::to_string(y) +
          " mouseup 1 >/dev/null 2>&1");
  });
  EXPECT_TRUE(PumpIndtil([&] { return Sektion(0, 0).Tykkelse == 214; }, 10000)) << Sektion(0, 0).Tykkelse;
  bruger.join();
  // Where the free middle was, the calendar's band is now.
  EXPECT_TRUE(PumpIndtil([&] { return RodPixel(d, x - 30, OY + 3) == baand; }, 5000));
  GetWindowRect(Celle(0, 0, 0).hwndElement, &r);
  EXPECT_EQ(r.left, x - 60 + 2);

  const std::string fil = std::string(TAVO_BINARY_DIR) + "/elementcelle_gui.png";
  EXPECT_TRUE(tavo::test::SaveScreenPng(fil.c_str()));

  XCloseDisplay(d);
  UnloadFonts();
  DestroyWindow(hoved);
  std::memset(DeskTab, 0, sizeof DeskTab);
  std::memset(SectionTab, 0, sizeof SectionTab);
  std::memset(ElementTab, 0, sizeof ElementTab);
  hwndHoved = hwndDesktop = 0;
  TitelBaand = gemtB;
  VinduesKrog = gemtKrog;
}

}  // namespace
