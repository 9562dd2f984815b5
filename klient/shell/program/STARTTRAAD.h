#pragma once
// The start-up thread: once the program runs, it asks the network whether
// the portal page answers and hands the answer to the main window, which
// then sets the main menu's entries from the settings and the data folder.
// The menu is changed on the main thread only, as the settings sheet and
// the screen entries change it there too.

#include "windows.h"

// Posted to the main window by the thread: wParam 1 when the portal answered.
constexpr UINT WM_STARTTRAAD_MENU = WM_APP + 0x106;

// The thread's body: the portal check, its answer posted; returns 0.
DWORD WINAPI StartTraad(LPVOID);
// Starts the thread; nobody waits for it.
void StartStartTraad();
// The menu entries of the main window set from the settings, the data
// folder and the portal's answer. Running it twice adds nothing twice.
void SaetStartMenu(HWND hovedvindue, bool portalSvarer);
