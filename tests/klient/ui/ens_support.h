#pragma once
// Shared set-up of the control tests: the window classes of the framework,
// the palette, a host window that logs what the controls tell it, and a
// grid window built on the frame over a small table of names.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "EDITBOX.h"
#include "ENS.h"
#include "FARVER.h"
#include "NYBUTTON.h"
#include "RELAY.h"
#include "TOOLTIP.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"
#include "windows.h"

namespace wfb_test {

struct Besked {
  UINT msg;
  WPARAM w;
  LPARAM l;
  std::string tekst;  // a text lParam copied while the message is handled
};

inline std::vector<Besked> &Log() {
  static std::vector<Besked> log;
  return log;
}

// The host keeps the private messages the controls send it (1024 and up).
inline LRESULT CALLBACK VaertProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m >= 1024 && m < 10000) {
    Besked b{m, w, l, {}};
    if ((m == EDITBOX_OK) && l) b.tekst = reinterpret_cast<const char *>(l);
    Log().push_back(b);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

inline void Registrer(const char *navn, WNDPROC proc, UINT stil = CS_OWNDC) {
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.style = stil;
  wc.lpfnWndProc = proc;
  wc.lpszClassName = navn;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  RegisterClassA(&wc);
}

// ---- the grid window over a table of names ----

struct GitterVindue;
// A test's own painter of the cells pane, and its handler of the window's
// other messages (true: handled).
typedef void (*GitterTegner)(GitterVindue *g);
typedef bool (*GitterBesked)(GitterVindue *g, HWND h, UINT m, WPARAM w, LPARAM l);

struct GitterVindue {
  Ens ens;  // first, as in every grid window
  GridPos x, y;
  std::vector<std::string> *navne;
  int sidsteMaske;
  GitterTegner tegner;
  GitterBesked besked;
  void *data;
};

struct GitterParam {
  std::vector<std::string> *navne;
  bool egenRamme;
  uint8_t skift;
  GitterTegner tegner;  // null: the names, one a row
  GitterBesked besked;
  void *data;
};

inline LRESULT CALLBACK GitterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  auto *g = reinterpret_cast<GitterVindue *>(GetWindowLongPtrA(h, GWLP_USERDATA));
  if (g && g->besked && g->besked(g, h, m, w, l)) return 0;
  switch (m) {
    case WM_CREATE: {
      auto *p = static_cast<GitterParam *>(reinterpret_cast<CREATESTRUCTA *>(l)->lpCreateParams);
      g = static_cast<GitterVindue *>(std::calloc(1, sizeof(GitterVindue)));
      SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(g));
      g->navne = p->navne;
      g->tegner = p->tegner;
      g->besked = p->besked;
      g->data = p->data;
      Ens &e = g->ens;
      e.hwndParent = GetParent(h);
      e.hdc = GetDC(h);
      e.EgenRamme = p->egenRamme;
      std::snprintf(e.Titel, sizeof e.Titel, "Lærere");
      RECT rc;
      GetClientRect(h, &rc);
      e.Areal[0] = 0;
      e.Areal[1] = 0;
      e.Areal[2] = rc.right - 1;
      e.Areal[3] = rc.bottom - 1;
      if (e.EgenRamme) {
        e.Areal[0] = GetSystemMetrics(SM_CXFRAME);
        e.Areal[1] = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
        e.Areal[2] = rc.right - 1 - GetSystemMetrics(SM_CXFRAME);
        e.Areal[3] = rc.bottom - 1 - GetSystemMetrics(SM_CYFRAME);
      }
      e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
      e.KolHovedHoejde = 16;
      e.RaekkeHovedBredde = 40;
      e.SkiftBredde = p->skift * GetSystemMetrics(SM_CXVSCROLL);
      e.AkseX = GridAkse{0, 60, 1, 0, 0};
      e.AkseY = GridAkse{0, 16, 1, 0, 0};
      g->x = GridPos{8, 1, 0, 0};
      g->y = GridPos{(uint32_t)g->navne->size(), 1, 0, 0};
      e.StyrX = &g->x;
      e.StyrY = &g->y;
      e.hInstance = 0;
      e.hwndSwitchButtons = static_cast<HWND *>(std::calloc(p->skift + 1, sizeof(HWND)));
      EnsCalcLayout(&e);
      EnsCreateChildren(&e, h, p->skift, nullptr, 0, false, true, "Hoved");
      return 0;
    }
    case WM_SIZE:
      if (g) EnsOnSize(&g->ens, h, LOWORD(l), HIWORD(l), 2);
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (g) {
        g->sidsteMaske = EnsOnScroll(&g->ens, m, w);
        if (g->sidsteMaske) InvalidateRect(g->ens.hwndCeller, nullptr, FALSE);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      if (g) EnsPaintFrame(&g->ens);
      return 0;
    }
    case ENS_CELLER_TEGN:
      if (g && g->tegner) {
        g->tegner(g);
      } else if (g && g->ens.dc[ENSDC_CELLER].hdc) {
        HDC dc = g->ens.dc[ENSDC_CELLER].hdc;
        RECT rc = {0, 0, g->ens.RudeB[ENS_CELLER], g->ens.RudeH[ENS_CELLER]};
        FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
        for (uint32_t r = g->y.Foerste; r < g->y.Foerste + g->y.Synlige + 1 && r <= g->y.Antal; ++r) {
          int y = (int)GridCelleStart(&g->ens.AkseY, r) - (int)g->ens.ScrollY;
          const std::string &s = (*g->navne)[r - 1];
          TextOutA(dc, 2, y, s.c_str(), (int)s.size());
        }
      }
      return 0;
    case WM_DESTROY:
      if (g) {
        std::free(g->ens.hwndSwitchButtons);
        std::free(g);
        SetWindowLongPtrA(h, GWLP_USERDATA, 0);
      }
      return 0;
  }
  if (m >= 1024 && m < 10000) {
    Log().push_back({m, w, l, {}});
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tavo::test::ResetUser();
    Log().clear();
    Registrer("TooltipWndClass", TooltipWndProc);
    Registrer("TabWndClass", TabWndProc);
    Registrer("NyButtonWndClass", NyButtonWndProc);
    Registrer("DummyWndClass", DummyWndProc, CS_OWNDC | CS_DBLCLKS);
    Registrer("EditIntWndClass", EditIntWndProc);
    Registrer("EditboxIntWndClass", EditboxIntWndProc);
    Registrer("EditboxWndClass", EditboxWndProc, CS_OWNDC | CS_DBLCLKS);
    Registrer("WfbVaert", VaertProc);
    Registrer("WfbGitter", GitterProc, CS_OWNDC | CS_DBLCLKS);
    farver_intern::InitPaletteDybde(32);
    vaert = CreateWindowExA(0, "WfbVaert", "Vært", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 640, 480, 0,
                            0, 0, nullptr);
    ShowWindow(vaert, SW_SHOW);
    tavo::test::PumpUntilIdle();
  }
  void TearDown() override { tavo::test::ResetUser(); }

  std::vector<UINT> Beskeder() const {
    std::vector<UINT> v;
    for (auto &b : Log()) v.push_back(b.msg);
    return v;
  }

  HWND vaert = 0;
};

}  // namespace wfb_test
