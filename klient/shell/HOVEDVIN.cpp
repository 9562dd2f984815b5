#include "HOVEDVIN.h"

#include <cstdio>

#include "DESKTOP.h"
#include "ELEMENT.h"
#include "IKKETILG.h"
#include "LOGVISNING.h"
#include "MEDPER.h"
#include "OBJVINDUE.h"
#include "OPSTART.h"
#include "PROGVINDUER.h"
#include "STARTTRAAD.h"
#include "STATUSBAR.h"
#include "TALTAB.h"
#include "TOOLTIP.h"
#include "VERSIONDLG.h"
#include "VINDUER.h"

namespace {

// The menu commands built so far; every other one is not available yet.
const struct {
  UINT kommando;
  void (*udfoer)(HWND hovedvindue);
} kKommandoer[] = {
    {40078, [](HWND h) { VisVersionDialog(h); }},
};

void Kommando(HWND hwnd, UINT kommando) {
  for (const auto &k : kKommandoer) {
    if (k.kommando == kommando) {
      k.udfoer(hwnd);
      return;
    }
  }
  if (LogKommando(hwnd, kommando)) return;
  IkkeTilgaengelig(hwnd, kommando);
}

void LukHovedvindue() {
  LukAlleVinduer();
  GemDataVedLukning();
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
      Kommando(hwnd, LOWORD(wParam));
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
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}
