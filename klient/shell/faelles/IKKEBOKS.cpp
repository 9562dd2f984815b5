// The box every program shows for a command that is not built yet.
#include "IKKEBOKS.h"

void VisIkkeTilgaengelig(HWND ejer) {
  MessageBoxA(ejer, "Denne funktion er endnu ikke tilgængelig i TAVO-skema.", "Ikke tilgængelig",
              MB_OK | MB_ICONEXCLAMATION);
}
