#pragma once
// A test main window for the docking layout with the real cell and divider
// classes: it answers 1134 by making a grid window (ens_support.h) in the
// element window, answers 1097 as the test says, and logs what the cells
// tell it; its desktop counts the 1034s. Docked grid windows take a click
// in their cells pane as an activation.

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "KROGE.h"
#include "ELEMENT.h"
#include "ENSMUS.h"
#include "FONTE.h"
#include "PROGVINDUER.h"
#include "ens_support.h"

namespace elm_test {

using tavo::test::PumpUntilIdle;

struct Fra {
  UINT msg;
  WPARAM w;
  LPARAM l;
};

struct Tilstand {
  std::vector<Fra> hoved;  // what the main window was sent, 1024 and up
  int frieArealer = 0;     // 1034s to the desktop
  LRESULT aktivSvar = 1;   // the main window's answer to 1097
  std::vector<std::string> navne{"Anna", "Bent", "Carl", "Dorte", "Erik"};
};

inline Tilstand &Elm() {
  static Tilstand t;
  return t;
}

// The docked grid window: a click in its cells pane asks to become active.
inline bool DokBesked(wfb_test::GitterVindue *g, HWND h, UINT m, WPARAM, LPARAM) {
  if (m != ENS_CELLER_NED) return false;
  EnsActivateOnClick(h, &g->ens);
  return true;
}

// A grid window in the element window that wants the size given.
inline HWND LavObjekt(HWND element, int bredde, int hoejde) {
  wfb_test::GitterParam p{&Elm().navne, false, 0, nullptr, DokBesked, nullptr, {}};
  p.oensker.bredde = bredde;
  p.oensker.hoejde = hoejde;
  return CreateWindowExA(0, "WfbGitter", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0, element, 0,
                         0, &p);
}

inline LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ELEMENT_OPRET_OBJEKT) {
    // The size the cell's content had when the layout was saved.
    for (const ElementCelle &c : ElementTab)
      if (c.hwndElement == (HWND)l) {
        const bool lodret = LodretDesk((int)c.Desk);
        return (LRESULT)LavObjekt((HWND)l, lodret ? c.IndholdTvaers : c.IndholdLangs,
                                  lodret ? c.IndholdLangs : c.IndholdTvaers);
      }
    return 0;
  }
  if (m >= 1024 && m < 10000) {
    Elm().hoved.push_back({m, w, l});
    return m == ENS_HJUL ? Elm().aktivSvar : 0;
  }
  return DefWindowProcA(h, m, w, l);
}

inline LRESULT CALLBACK DesktopProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ELEMENT_FRIT_AREAL) ++Elm().frieArealer;
  return DefWindowProcA(h, m, w, l);
}

// The main window's client area at (kX, kY) on the screen, 1000 x 700: the
// layout rectangle is (1, 1) - (997, 697). B is 14.
class ElementTest : public wfb_test::UiTest {
 protected:
  static constexpr int kX = 20, kY = 10, kB = 14;

  void SetUp() override {
    wfb_test::UiTest::SetUp();
    Elm() = Tilstand{};
    gemtKrog = VinduesKrog;
    gemtB = TitelBaand;
    Tom();
    ASSERT_TRUE(RegistrerElementVinduer(0));
    InstallerVinduesKroge();
    wfb_test::Registrer("ElmHoved", HovedProc, 0);
    wfb_test::Registrer("ElmDesktop", DesktopProc, 0);
    hoved = CreateWindowExA(0, "ElmHoved", "Tavo", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, kX, kY, 1000, 700, 0, 0,
                            0, nullptr);
    desktop = CreateWindowExA(0, "ElmDesktop", "", WS_CHILD | WS_VISIBLE, 300, 200, 300, 200, hoved, 0, 0, nullptr);
    hwndHoved = hoved;
    hwndDesktop = desktop;
    LayoutRect = RECT{1, 1, 997, 697};
    LoadFonts(hoved);
    TitelBaand = kB;
    PumpUntilIdle();
  }

  void TearDown() override {
    UnloadFonts();
    wfb_test::UiTest::TearDown();  // the windows go, the dividers' records with them
    Tom();
    hwndHoved = hwndDesktop = 0;
    LayoutRect = RECT{0, 0, 0, 0};
    TitelBaand = gemtB;
    VinduesKrog = gemtKrog;
  }

  static void Tom() {
    std::memset(DeskTab, 0, sizeof DeskTab);
    std::memset(SectionTab, 0, sizeof SectionTab);
    std::memset(ElementTab, 0, sizeof ElementTab);
  }

  // A docked grid window that wants bredde x hoejde, as the shell opens one:
  // the cell, then the object window in it, announced with 1035.
  HWND Dok(int bredde, int hoejde, int desk, const char *titel = "Celle", uint32_t art = 40000) {
    HWND el = CreateElementWnd(bredde, hoejde, desk, true, titel, art);
    EXPECT_NE(el, (HWND)0) << titel;
    if (!el) return 0;
    HWND obj = LavObjekt(el, bredde, hoejde);
    SendMessageA(el, ELEMENT_OBJEKT, 0, (LPARAM)obj);
    PumpUntilIdle();
    return el;
  }

  // A click on the desktop, so that the next press is not the second of a
  // double click.
  void NytKlik() {
    tavo::test::Click(kX + 450, kY + 300);
    PumpUntilIdle();
  }

  static wfb_test::GitterVindue *G(HWND h) {
    return reinterpret_cast<wfb_test::GitterVindue *>(GetWindowLongPtrA(h, GWLP_USERDATA));
  }

  // The window's rectangle in the main window's client coordinates.
  Plads IHoved(HWND h) const {
    RECT r;
    GetWindowRect(h, &r);
    return Plads{r.left - kX, r.top - kY, r.right - r.left, r.bottom - r.top};
  }

  // Every layout window stands where the geometry puts it.
  std::string Placeret() const {
    std::string fejl;
    auto tjek = [&](HWND h, const Plads &p, const std::string &navn) {
      if (!IsWindow(h)) {
        fejl += navn + " missing;";
        return;
      }
      const Plads v = IHoved(h);
      if (v.x != p.x || v.y != p.y || v.bredde != std::max(0, p.bredde) || v.hoejde != std::max(0, p.hoejde))
        fejl += navn + " misplaced;";
    };
    for (int d = 0; d < kAntalDesks; ++d)
      for (int s = 0; s < DeskTab[d].AntalSektioner; ++s) {
        const std::string ds = std::to_string(d) + std::to_string(s);
        tjek(Sektion(d, s).hwndDivider, SektionDividerPlads(d, s), "divider " + ds);
        for (int k = 0; k < Sektion(d, s).AntalCeller; ++k) {
          const ElementCelle &c = Celle(d, s, k);
          const std::string n = ds + std::to_string(k);
          tjek(c.hwndElement, CellePlads(d, s, k), "cell " + n);
          tjek(c.hwndDivider, CelleDividerPlads(d, s, k), "cell divider " + n);
          if (GetWindowLongPtrA(c.hwndElement, GWLP_USERDATA) != (LONG_PTR)&c) fejl += "cell " + n + " slot;";
        }
      }
    return fejl;
  }

  // "desk:thickness/cells,..." for the four desks.
  static std::string Form() {
    std::string o;
    for (int d = 0; d < kAntalDesks; ++d) {
      o += (d ? " " : "") + std::to_string(d) + ":";
      for (int s = 0; s < DeskTab[d].AntalSektioner; ++s)
        o += (s ? "," : "") + std::to_string(Sektion(d, s).Tykkelse) + "/" + std::to_string(Sektion(d, s).AntalCeller);
    }
    return o;
  }

  static std::vector<int32_t> Laengder(int d, int s) {
    std::vector<int32_t> v;
    for (int k = 0; k < Sektion(d, s).AntalCeller; ++k) v.push_back(+Celle(d, s, k).Laengde);
    return v;
  }

  static std::vector<UINT> HovedBeskeder() {
    std::vector<UINT> v;
    for (const Fra &f : Elm().hoved) v.push_back(f.msg);
    return v;
  }

  HWND hoved = 0, desktop = 0;
  VinduesKroge gemtKrog{};
  int gemtB = 0;
};

}  // namespace elm_test
