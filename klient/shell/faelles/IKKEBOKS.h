#pragma once
// The box every program shows for a command that is not built yet; the
// main program's IkkeTilgaengelig logs the command and then shows it.

#include "windows.h"

// "Ikke tilgængelig" with an exclamation icon, owned by `ejer`.
void VisIkkeTilgaengelig(HWND ejer);
