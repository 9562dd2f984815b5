#pragma once
// The activity/room relation window (AktiLokaRelWndClass): the team
// activities (Type "HOLD") of the current week or plan group as rows, the
// rooms as columns, and alrel as the relation: which rooms an activity may
// use. A change sets [flag] exporteralrel, so the next export sends the
// pairs; nothing is counted and no window is told. Main thread only.

#include <cstdint>

#include "BESKEDER.h"
#include "RELMATRIX.h"
#include "TASTINFO.h"
#include "windows.h"


extern const RelArt AktiLokaRelArt;

// The create function of the window factory's row: the window at the
// desktop's (venstre, top), at the size it wants for the room up to
// (hoejre, bund), active when the desktop allows it; not yet shown. 0 when
// it could not be made.
HWND CreateAktiLokaRelWnd(HWND desktop, int venstre, int top, int hoejre, int bund);
LRESULT CALLBACK AktiLokaRelWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The window's key command (mode 1 asks, KMD_UDFOER acts).
bool AktiLokaRelTast(RelWS *ws, const TastInfo &t, int mode);
// The toggle of the current cell: the pair "%ld;%ld" of the activity's and
// the room's keys added with the object-status letter 'L', or its record
// deleted; then [flag] exporteralrel = "1".
bool SkiftAlrel(RelWS *ws, int mode);

// "AktiLokaRelWndClass" with a DC of its own and double clicks. False when
// it could not be registered.
bool RegistrerAktiLokaRelKlasse(HINSTANCE inst);
void AfregistrerAktiLokaRelKlasse(HINSTANCE inst);
