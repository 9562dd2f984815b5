#pragma once
// A test desktop: a main window away from the screen origin, its desktop
// child away from the main window's corner, and grid windows with their own
// frame on it in the open-window list. The desktop answers whether a window
// may become active and keeps the active one as the main window does.

#include <vector>

#include "PROGVINDUER.h"
#include "ens_support.h"

namespace wfb_test {

struct SkrivebordTilstand {
  bool tillad = true;  // the answer to 1095
  HWND aktiv = 0;
  int spoergsmaal = 0;  // 1095s asked
};

inline SkrivebordTilstand &Skrivebord() {
  static SkrivebordTilstand s;
  return s;
}

inline LRESULT CALLBACK TestDesktopProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  SkrivebordTilstand &s = Skrivebord();
  switch (m) {
    case ENS_MAA_AKTIVERES:
      ++s.spoergsmaal;
      return s.tillad ? 1 : 0;
    case ENS_BLEV_AKTIV: {
      HWND ny = (HWND)l;
      if (s.aktiv && s.aktiv != ny && IsWindow(s.aktiv)) SendMessageA(s.aktiv, VINDUE_DEAKTIVER, 0, 0);
      s.aktiv = ny;
      return 0;
    }
    case ENS_BLEV_INAKTIV:
      if (s.aktiv == (HWND)l) s.aktiv = 0;
      return 0;
    case WM_SIZE:
      PlaceMinimizedWnds();
      return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class SkrivebordTest : public UiTest {
 protected:
  // The main window's client area starts at screen (100, 80); the desktop
  // at (30, 40) in it, 800 x 600.
  static constexpr int kHovedX = 100, kHovedY = 80, kDeskX = 30, kDeskY = 40, kDeskB = 800, kDeskH = 600;

  void SetUp() override {
    UiTest::SetUp();
    Skrivebord() = SkrivebordTilstand{};
    Registrer("WfbHoved", DefWindowProcA, 0);
    Registrer("WfbDesktop", TestDesktopProc, 0);
    hoved = CreateWindowExA(0, "WfbHoved", "Tavo", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, kHovedX, kHovedY,
                            900, 700, 0, 0, 0, nullptr);
    desktop = CreateWindowExA(0, "WfbDesktop", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, kDeskX, kDeskY,
                              kDeskB, kDeskH, hoved, 0, 0, nullptr);
    hwndHoved = hoved;
    hwndDesktop = desktop;
    DesktopRect = RECT{kDeskX, kDeskY, kDeskX + kDeskB - 1, kDeskY + kDeskH - 1};
    FriArealRect = RECT{0, 0, kDeskB - 1, kDeskH - 1};
    tavo::test::PumpUntilIdle();
  }

  void TearDown() override {
    tavo::test::ResetUser();
    while (VinduesListe.hoved) VinduesListeFjern(VinduesListe.hoved->hwnd);
    hwndHoved = hwndDesktop = 0;
    DesktopRect = FriArealRect = RECT{0, 0, 0, 0};
    UiTest::TearDown();
  }

  // A grid window with its own frame at (x, y) of the desktop, in the list.
  HWND Vindue(int x, int y, int b, int h, GitterOenske o = {}, GitterBesked besked = nullptr) {
    o.iListe = true;
    GitterParam p{&navne, true, 0, nullptr, besked, nullptr, o};
    HWND v = CreateWindowExA(0, "WfbGitter", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x,
                             y, b, h, desktop, 0, 0, &p);
    tavo::test::PumpUntilIdle();
    return v;
  }

  // A click on the main window's own edge, so that the next click on a grid
  // window is a click of its own and not the second of a double click.
  void NytKlik() {
    tavo::test::Click(kHovedX + 5, kHovedY + 5);
    tavo::test::PumpUntilIdle();
  }

  static GitterVindue *G(HWND h) { return reinterpret_cast<GitterVindue *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

  // The window's rectangle in the desktop's client coordinates.
  RECT Plads(HWND h) const {
    RECT r;
    GetWindowRect(h, &r);
    POINT p{r.left, r.top};
    ScreenToClient(desktop, &p);
    return RECT{p.x, p.y, p.x + (r.right - r.left), p.y + (r.bottom - r.top)};
  }

  // Front to back.
  static std::vector<HWND> Liste() {
    std::vector<HWND> v;
    for (VinduesNode *n = VinduesListe.hoved; n; n = n->naeste) v.push_back(n->hwnd);
    return v;
  }

  std::vector<std::string> navne{"Anna", "Bent", "Carl"};
  HWND hoved = 0, desktop = 0;
};

}  // namespace wfb_test

inline bool operator==(const RECT &a, const RECT &b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream &operator<<(std::ostream &os, const RECT &r) {
  return os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
