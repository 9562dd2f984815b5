#pragma once
// The server-contact pane of the status row (class WCServer): it shows the
// last progress line of the server contact, starts one contact worker at a
// time and keeps the login sessions between contacts. Logging off (and the
// pane's end) first stops a running worker and waits for it, so the state
// the worker uses is never closed or freed under it.

#include "BESKEDER.h"
#include "KONTAKT.h"
#include "windows.h"

constexpr const char *WC_SERVER = "WCServer";


constexpr int kServerTimer = 1;
constexpr int kServerTekstLaengde = 64;

LRESULT CALLBACK WCServerWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool RegistrerServerKlasse(HINSTANCE inst);

// The pane as a child of the main window at size 0 (LayoutStatusBar places
// it); 0 when it could not be made (the class is registered here when it
// is not yet).
HWND OpretServerFelt(HWND hovedvindue);

// The pane's contact state, or null.
KontaktState *ServerKontakt(HWND rude);
