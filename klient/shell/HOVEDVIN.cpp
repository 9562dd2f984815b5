#include "HOVEDVIN.h"

#include <cstdio>

#include "DESKTOP.h"
#include "EKSPKMD.h"
#include "ELEMENT.h"
#include "FUNKTAST.h"
#include "IKKETILG.h"
#include "INDSTIL.h"
#include "MENUKOMMANDO.h"
#include "MEDPER.h"
#include "OBJVINDUE.h"
#include "OPSTART.h"
#include "PROGVINDUER.h"
#include "STARTTRAAD.h"
#include "STATUSBAR.h"
#include "TALTAB.h"
#include "TASTINFO.h"
#include "TIMOAK.h"
#include "TOOLTIP.h"
#include "VINDUER.h"

namespace {

// Closing saves, unless the user chose to quit without saving (1934).
bool gemVedLukning = true;
constexpr UINT kLukUdenGem = 1934;

// Until the full main window routes the keys: a key of a function-key
// screen runs it, a key that a menu entry stands for and that is not
// routed yet says so; every other key goes on as before.
bool ForeloebigTast(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SYSCOMMAND && wParam != VK_F6) return false;
  if (wParam < VK_F2 || wParam > VK_F12) return false;
  MakeTastInfo(&AktuelTast, msg, wParam, lParam);
  const TastInfo &t = AktuelTast;
  const uint8_t mod = (t.shift ? kModShift : 0) | (t.ctrl ? kModCtrl : 0) | (t.alt ? kModAlt : 0);
  bool skaerm = false;
  switch (wParam) {
    case VK_F2: skaerm = mod == kModAlt && ff_plan; break;
    case VK_F5: case VK_F6: case VK_F7: case VK_F9: skaerm = true; break;
    case VK_F10: skaerm = !t.alt; break;
    case VK_F12:
      // Without the postings switched on the key does nothing.
      if (!(t.ctrl && ElevplanSlaaetTil) && !GlobalIndstillinger.post) return true;
      skaerm = true;
      break;
    default: break;
  }
  if (skaerm) {
    FunktionstastSkaerm(hwnd, t);
    return true;
  }
  if (wParam == VK_F11 && mod == 0) {
    EksportKommando(hwnd);
    return true;
  }
  if (UINT kommando = KommandoForTast(static_cast<UINT>(wParam), mod)) {
    IkkeTilgaengelig(hwnd, kommando);
    return true;
  }
  return false;
}

void LukHovedvindue() {
  LukAlleVinduer();
  if (gemVedLukning)
    GemDataVedLukning();
  else if (DataHentet && !GlobalIndstillinger.skemalaast && !GlobalIndstillinger.supertavo)
    GendanStartKopi();
  FreeAlleTalTabeller();
  FreeMedPer();
  if (hwndTooltip) DestroyWindow(hwndTooltip);
  hwndTooltip = 0;
}

}  // namespace

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      OpretStatusFelter(hwnd);
      break;
    case WM_SIZE:
      if (LOWORD(lParam) && HIWORD(lParam)) {
        if (hwndMainToolbar && IsWindowVisible(hwndMainToolbar)) SendMessageA(hwndMainToolbar, TB_AUTOSIZE, 0, 0);
        LayoutStatusBar();
        BeregnSkrivebord(true);
        PlaceAllDesks();
        PlacerDesktop();
      }
      break;
    case WM_PAINT:
      TegnBaggrund(hwnd);
      return 0;
    case WM_STARTTRAAD_MENU:
      SaetStartMenu(hwnd, wParam != 0);
      return 0;
    case WM_MENUSELECT:
      StatusMenuValg(hwnd, wParam, lParam);
      break;
    case ELEMENT_OPRET_OBJEKT:
      // A cell of a restored screen layout asks for its object window.
      return static_cast<LRESULT>(OpretElementVindue(static_cast<HWND>(lParam), static_cast<int>(wParam)));
    case WM_COMMAND:
      HovedvinduesKommando(hwnd, LOWORD(wParam), lParam);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSCOMMAND:
      if (ForeloebigTast(hwnd, msg, wParam, lParam)) return 0;
      break;
    case kLukUdenGem:
      gemVedLukning = false;
      DestroyWindow(hwnd);
      return 0;
    case WM_NOTIFY: {
      auto *di = reinterpret_cast<NMTTDISPINFOA *>(lParam);
      if (di && di->hdr.code == TTN_NEEDTEXTA) {
        if (const char *tekst = ToolbarTipTekst(static_cast<int>(di->hdr.idFrom)))
          std::snprintf(di->szText, sizeof di->szText, "%s", tekst);
        return 0;
      }
      break;
    }
    case WM_DESTROY:
      LukHovedvindue();
      gemVedLukning = true;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}
