#pragma once
// The about box on template 146: product name, version and special build of
// the running program file "<version>.exe" in the program folder, read from
// its version block, with the program icon and the support line.

#include "windows.h"

// The support desk's telephone number shown in the support line.
extern const char *const kSupportTelefon;

INT_PTR CALLBACK VersionDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Runs the about box modally over the window, as menu 40078 opens it.
INT_PTR VisVersionDialog(HWND ejer);
