#include "HOVEDVIN.h"

#include <cstdio>
#include <cstring>

#include "DESKTOP.h"
#include "HENTGEM.h"
#include "INDSTIL.h"
#include "LOGFIL.h"
#include "OPTAEL.h"
#include "PROGVINDUER.h"
#include "TALTAB.h"
#include "TOOLTIP.h"
#include "VINDUER.h"
#include "MEDPER.h"

namespace {

// A menu entry's text without its mnemonic marks and key.
void MenuTekst(UINT kommando, char *tekst, int stoerrelse) {
  tekst[0] = '\0';
  HMENU menu = hwndHoved ? GetMenu(hwndHoved) : 0;
  if (!menu || GetMenuStringA(menu, kommando, tekst, stoerrelse, MF_BYCOMMAND) <= 0) return;
  char *ud = tekst;
  for (const char *p = tekst; *p && *p != '\t'; ++p)
    if (*p != '&') *ud++ = *p;
  *ud = '\0';
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

void IkkeTilgaengelig(HWND ejer, UINT kommando) {
  char navn[128];
  MenuTekst(kommando, navn, sizeof navn);
  if (navn[0])
    LogPrintf("** Info: Ikke tilgængelig: %s (%u)\n", navn, kommando);
  else
    LogPrintf("** Info: Ikke tilgængelig: kommando %u\n", kommando);
  MessageBoxA(ejer, "Denne funktion er endnu ikke tilgængelig i TAVO-skema.", "Ikke tilgængelig",
              MB_OK | MB_ICONEXCLAMATION);
}

bool GemDataVedLukning() {
  if (GlobalIndstillinger.skemalaast || GlobalIndstillinger.supertavo) return true;
  StartGemAlleData(0, 1);
  return true;
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      if (LOWORD(lParam) && HIWORD(lParam)) {
        if (hwndMainToolbar && IsWindowVisible(hwndMainToolbar)) SendMessageA(hwndMainToolbar, TB_AUTOSIZE, 0, 0);
        BeregnSkrivebord();
        PlacerDesktop();
      }
      break;
    case WM_COMMAND:
      IkkeTilgaengelig(hwnd, LOWORD(wParam));
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
