#pragma once
// The version texts of a program file, and the centring of a window: shared
// by the main program's about box and support listing and the companion
// programs.

#include <cstddef>

#include "windows.h"

// The string `noegle` ("FileVersion", "SpecialBuild" ...) of the file's
// version block under its first translation, copied into buf (at most
// bufStr bytes with the terminator; a longer value is cut). A key the block
// lacks gives "". A file without a block, or one that cannot be read,
// leaves buf as it was. Returns buf.
char *HentVersionInfoTekst(const char *fil, const char *noegle, char *buf, size_t bufStr);

// Moves the window so that its middle lies over the middle of `over`, or of
// the screen when `over` is 0. Its size stays.
void CenterWindow(HWND hwnd, HWND over);
