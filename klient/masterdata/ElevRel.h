#pragma once
// The student overlap window (ElvRelWndClass): the team activities of the
// current week on both axes and elvrel2 as the relation, a pair of
// activities that share students and so may not meet at the same time. The
// server sends most pairs; the pairs added here (letter 'L') live on in
// ini/ElvRelLokal.dat through every save and import. A pair of status 10
// is never removed here. Main thread only.

#include <cstdint>

#include "BESKEDER.h"
#include "RELMATRIX.h"
#include "TASTINFO.h"
#include "windows.h"


extern const RelArt ElvRelArt;

// The window factory's row: the workspace zeroed with the row letter 'K',
// the list built (RefreshElvRelList), the window at the desktop's (venstre,
// top) at the size it wants for the room up to (hoejre, bund), the current
// cell centred in view; not yet shown. 0 when it could not be made.
HWND CreateElvRelWnd(HWND desktop, int venstre, int top, int hoejre, int bund);
LRESULT CALLBACK ElvRelWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The list anew with the row group mask; its count on both axes; the
// current row the current activity's place (0 when it is not listed), the
// current column 1 (0 for an empty list). Also the factory's refresh.
void RefreshElvRelList(RelWS *ws);
// The team activities (Type "HOLD", status 10..29, sharing a group bit with
// the mask or of group 0) whose Fradato..Tildato meets the Monday..Sunday
// of the current week, sorted as the relation lists are.
void ByggElvRelListe(Ens *hoved, uint32_t maske);

// The window's key command (mode 1 asks, KMD_UDFOER acts): the matrix's
// keys and E, the students both activities of the current cell share.
bool ElvRelTast(RelWS *ws, const TastInfo &t, int mode);
// The toggle of the current cell: nothing on the diagonal or on a pair of
// status 10; a pair found in either order removed; else the pair
// "<smaller id>;<larger id>;0;0" added with the letter 'L'. Both mirror
// cells are repainted.
bool SkiftElvRel(RelWS *ws, int mode);
// The palette slot or colour of a cell: the cursor, the red diagonal, the
// shaded triangle on the far side of the diagonal from the cursor, or the
// background.
COLORREF ElvRelCelleFarve(const RelWS *ws, uint32_t kol, uint32_t raekke);

// "ElvRelWndClass" with a DC of its own and double clicks.
bool RegistrerElvRelKlasse(HINSTANCE inst);
void AfregistrerElvRelKlasse(HINSTANCE inst);
