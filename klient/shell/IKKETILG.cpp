// The one answer to a command that is not built yet.
#include "IKKETILG.h"

#include "IKKEBOKS.h"
#include "LOGFIL.h"
#include "PROGVINDUER.h"

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

}  // namespace

void IkkeTilgaengelig(HWND ejer, UINT kommando) {
  char navn[128];
  MenuTekst(kommando, navn, sizeof navn);
  if (navn[0])
    LogPrintf("** Info: Ikke tilgængelig: %s (%u)\n", navn, kommando);
  else
    LogPrintf("** Info: Ikke tilgængelig: kommando %u\n", kommando);
  VisIkkeTilgaengelig(ejer);
}
