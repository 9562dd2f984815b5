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
#include "ENSMUS.h"
#include "FARVER.h"
#include "NYBUTTON.h"
#include "RELAY.h"
#include "TOOLTIP.h"
#include "VINDUER.h"
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

// What a grid window on the desktop adds: a place in the open-window list,
// the size it wants, and the limits it keeps while being sized.
struct GitterOenske {
  bool iListe;         // joins the open-window list as the desktop's windows do
  int bredde, hoejde;  // the size it wants; 0: whatever it is offered
  int minB, maksB, minH, maksH;  // handed to EnsOnSizing (all 0: no limits)
};

struct GitterVindue {
  Ens ens;  // first, as in every grid window
  GridPos x, y;
  std::vector<std::string> *navne;
  int sidsteMaske;
  GitterTegner tegner;
  GitterBesked besked;
  void *data;
  GitterOenske oensker;
  uint8_t antalSkift;
};

struct GitterParam {
  std::vector<std::string> *navne;
  bool egenRamme;
  uint8_t skift;
  GitterTegner tegner;  // null: the names, one a row
  GitterBesked besked;
  void *data;
  GitterOenske oensker;
  const uint32_t *toolbar;  // the seven creation values of a toolbar; null: none
  uint8_t toolbarValg;      // the frame's toolbar option byte
};

// The size a grid window answers to 1024 and 1025 for the room offered; 0
// offered asks for the size it wants with no limit.
inline int OensketMaal(int oensket, WPARAM tilbudt) {
  if (oensket == 0) return (int)tilbudt;
  if (tilbudt == 0) return oensket;
  return oensket < (int)tilbudt ? oensket : (int)tilbudt;
}

// The frame's mouse, wheel, keys, size questions, activation and caption
// buttons, routed as every grid window with its own frame routes them. True
// when handled; *res is the answer.
inline bool GitterRammeBesked(GitterVindue *g, HWND h, UINT m, WPARAM w, LPARAM l, LRESULT *res) {
  Ens &e = g->ens;
  *res = 0;
  switch (m) {
    case ENS_BREDDE:
      *res = OensketMaal(g->oensker.bredde, w);
      return true;
    case ENS_HOEJDE:
      *res = OensketMaal(g->oensker.hoejde, w);
      return true;
    case ENS_MINSLOT:
      *res = e.MinSlot;
      return true;
    case ENS_TILSTAND:
      *res = e.Tilstand;
      return true;
    case VINDUE_AKTIVER:
      Log().push_back({m, w, l, {}});
      if (!e.Aktiv) {
        e.Aktiv = e.CaptionAktiv = 1;
        if (g->oensker.iListe) VinduesListeTilTop(h);
        BringWindowToTop(h);
        SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, (LPARAM)h);
      }
      return true;
    case VINDUE_DEAKTIVER:
      Log().push_back({m, w, l, {}});
      if (e.Aktiv) {
        e.Aktiv = e.CaptionAktiv = 0;
        SendMessageA(e.hwndParent, ENS_BLEV_INAKTIV, 0, (LPARAM)h);
      }
      return true;
    case NYB_KLIK:
      Log().push_back({m, w, l, {}});
      if (w == NYB_MAKSIMER) EnsMaximize(h, &e);
      if (w == NYB_MINIMER) EnsMinimize(h, &e);
      return true;
    case ENS_HJUL:
      EnsWheelScroll(h, &e, w);
      return true;
    case WM_KEYDOWN:
      return EnsTypeAhead(&e, e.StyrY, (UINT)w);
  }
  if (!e.EgenRamme) return false;
  switch (m) {
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(h, &e, l);
      return true;
    case WM_MOUSELEAVE:
      SetClassLongPtrA(h, GCLP_HCURSOR, (LONG_PTR)LoadCursorA(0, IDC_ARROW));
      return true;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(h, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, l);
      return true;
    case WM_LBUTTONDBLCLK:
      EnsOnDblClk(h, &e, l);
      return true;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      EnsActivateOnClick(h, &e);
      return true;
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(l));
      *res = TRUE;
      return true;
    case WM_SIZING: {
      const GitterOenske &o = g->oensker;
      const bool graenser = o.minB || o.maksB || o.minH || o.maksH;
      EnsOnSizing(reinterpret_cast<RECT *>(l), (UINT)w, graenser ? o.minB : 0, graenser ? o.maksB : 0x7FFFFFFF,
                  graenser ? o.minH : 0, graenser ? o.maksH : 0x7FFFFFFF);
      *res = TRUE;
      return true;
    }
  }
  return false;
}

inline LRESULT CALLBACK GitterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  auto *g = reinterpret_cast<GitterVindue *>(GetWindowLongPtrA(h, GWLP_USERDATA));
  if (g && g->besked && g->besked(g, h, m, w, l)) return 0;
  LRESULT svar;
  if (g && GitterRammeBesked(g, h, m, w, l, &svar)) return svar;
  switch (m) {
    case WM_CREATE: {
      auto *p = static_cast<GitterParam *>(reinterpret_cast<CREATESTRUCTA *>(l)->lpCreateParams);
      g = static_cast<GitterVindue *>(std::calloc(1, sizeof(GitterVindue)));
      SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(g));
      g->navne = p->navne;
      g->tegner = p->tegner;
      g->besked = p->besked;
      g->data = p->data;
      g->oensker = p->oensker;
      g->antalSkift = p->skift;
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
      if (p->toolbar) e.Areal[1] += 22;  // below the toolbar
      e.ToolbarValg = p->toolbarValg;
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
      EnsCreateChildren(&e, h, p->skift, p->toolbar, 0, p->toolbar != nullptr, true, "Hoved");
      if (g->oensker.iListe) VinduesListeTilfoej(h);
      return 0;
    }
    case WM_SIZE:
      if (g) EnsOnSize(&g->ens, h, LOWORD(l), HIWORD(l), g->antalSkift);
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
        if (g->oensker.iListe) VinduesListeFjern(h);
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

// The framework's control classes, the host and the grid window, and the
// palette, on a window layer just reset.
inline void RegistrerUiKlasser() {
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
}

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegistrerUiKlasser();
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
