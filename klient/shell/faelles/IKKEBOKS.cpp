#include "IKKEBOKS.h"

void VisIkkeTilgaengelig(HWND ejer) {
  MessageBoxA(ejer, "Denne funktion er endnu ikke tilgængelig i TAVO-skema.", "Ikke tilgængelig",
              MB_OK | MB_ICONEXCLAMATION);
}
