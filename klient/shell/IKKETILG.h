#pragma once
// The one answer to a command that is not built yet.

#include "windows.h"

// A box "Ikke tilgængelig" with an exclamation icon, owned by `ejer`, and
// the log line "** Info: ..." naming the command by its menu text when the
// main menu has one.
void IkkeTilgaengelig(HWND ejer, UINT kommando);
