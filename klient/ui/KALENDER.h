#pragma once
// The month calendar: one month of the program's current date as week rows
// and weekday columns, free-standing on the desktop (caption, system menu,
// sizing frame, in the open-window list) or embedded in an element cell.
// A click or a key moves the program's current date, always clamped to the
// schedule period before it indexes anything, and tells the status bar's
// date pane and every window. Main thread only.

#include <cstdint>

#include "BESKEDER.h"
#include "DATO.h"
#include "ENSDC.h"
#include "windows.h"


// TegnKalender modes.
constexpr int kKalTegnAlt = 1;
constexpr int kKalTegnDag = 4;

// The week-number column: layout 64 of letter 'X' of the field switches.
constexpr uint32_t kKalUgeArt = 64;
constexpr uint8_t kKalUgeBogstav = 'X';
// Client size beside the week-number column: seven day columns of 25 pixels
// and the border; six week rows of 12 pixels under the header row.
constexpr int kKalDageBredde = 183;
constexpr int kKalHoejde = 91;
constexpr int kKalMindsteBredde = 150;

struct KalInfo {
  HINSTANCE instance;
  HWND window;
  HWND owner;            // the element cell, or the desktop window
  EnsDC dc;              // program font and palette, kept for the window's life
  int32_t charWidth;     // 8
  int32_t rowHeight;     // 11
  int32_t width, height;  // client size
  int32_t weekColumnWidth;
  Dato shownDate;        // its month is displayed
  uint8_t active;        // takes clicks and follows the current date
  uint8_t embedded;      // child of an element cell, without caption
  uint32_t tag;          // creator's value (VINDUE_ART)
};

LRESULT CALLBACK KalWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// "KalWndClass", each window with a DC of its own.
bool RegistrerKalKlasse(HINSTANCE inst);
void AfregistrerKalKlasse(HINSTANCE inst);

// A calendar at (left, top) of the owner within the room up to (right,
// bottom), showing the program's current date. Free-standing (embedded
// false) it is a child of the desktop window with caption, system menu and
// sizing frame and joins the open-window list; the tag is also its child id.
// 0 when it could not be made.
HWND CreateKalWnd(HWND owner, int left, int top, int right, int bottom, bool embedded, uint32_t tag);
// The window size the calendar wants within the room: the client size with
// the frame and caption of a free-standing one; the width at least 150.
int KalBredde(int plads, bool embedded);
int KalHoejde(int plads, bool embedded);

// The program's current date: the current week's day of the current weekday
// of the lesson view; 0 without a schedule period.
Dato KalAktuelDato();

// Paints the calendar of its shownDate on its DC: kKalTegnAlt all of it,
// kKalTegnDag the cell of `dato` (nothing when it is not in the shown month).
void TegnKalender(KalInfo *ki, Dato dato, int mode);
// The day of the shown month under a client point: the header counts as the
// first row and everything below the last row as the last row; left of the
// day columns the row's first day, right of them its last. 0 when the shown
// date is not a date.
uint32_t KalDagVedPunkt(const KalInfo *ki, int x, int y);
