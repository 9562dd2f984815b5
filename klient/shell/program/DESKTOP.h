#pragma once
// The desktop: the child of the main window that holds the object windows,
// placed between the toolbar, the docked desks and the status row; the
// painting of the band around it; the status row's panes; the question
// asked before quitting without saving.

#include <cstdint>

#include "BESKEDER.h"
#include "ENSDC.h"
#include "windows.h"


LRESULT CALLBACK DesktopWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// LayoutRect, DesktopRect and FriArealRect from the main window's client
// area, less the toolbar and the status row while they are shown and less
// the docked desks. With genberegnDesks the desks' lengths are worked out
// again first.
void BeregnSkrivebord(bool genberegnDesks = false);
// Moves the desktop window onto DesktopRect.
void PlacerDesktop();
// WM_PAINT of the main window: the frame around the client area and the
// band of the desks.
void TegnBaggrund(HWND hovedvindue);
// The desktop's background: the two words of the program's name on light
// blue, sized to the desktop.
void TegnDesktopLogo(HWND desktop);
// WM_CREATE of the main window: the text bar, then every pane of the row.
void OpretStatusFelter(HWND hovedvindue);
// The Elevplan contact pane of the students' exchange, whose class the
// start-up registers, handed to the status row; 0 without the class.
HWND OpretEpKontaktFelt(HWND parent);


// The hours, minutes and seconds since the last start copy, with the whole
// days in front when there are any ("1 dag og 01:00:00").
void VarighedTekst(int64_t sekunder, char *svar, unsigned stoerrelse);
// Quitting without saving: asks with the time since the last start copy;
// IDYES or IDNO, No the default.
int SpoergAfslutUdenGem();

// The desktop window's kept drawing context.
extern EnsDC DesktopDC;
