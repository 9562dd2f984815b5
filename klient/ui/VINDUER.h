// The program's own list of open grid windows on the desktop, front to back.
// Main thread only.
#pragma once

#include "BESKEDER.h"

#include <windows.h>

#include <cstdint>

#pragma pack(push, 1)
struct VinduesNode {
  uint32_t hwnd;
  uint8_t flag;          // always 0
  VinduesNode *forrige;  // towards the head (front)
  VinduesNode *naeste;   // towards the tail (back)
};
#pragma pack(pop)

struct VinduesListeRec {
  VinduesNode *hoved;  // front window
  VinduesNode *hale;   // back window
};
extern VinduesListeRec VinduesListe;

// Set while LukVinduerUndtagPlan destroys the windows: a window being
// destroyed then does not ask the main window (1102) to activate another.
extern uint8_t LukkerAlleVinduer;


// The neighbours of the list: the screen layout and the program shell.
// An empty slot is skipped.
struct VinduesKroge {
  // Calls fn for every element window of the screen layout (each desk's
  // sections, each section's cells).
  void (*ForHvertElement)(void (*fn)(HWND, void *), void *data);
  // Empties the screen layout.
  void (*CloseAllElements)();
  // Clears the count of windows a screen restore is reopening.
  void (*NulstilGenaabning)();
};
extern VinduesKroge VinduesKrog;

// New node at the head; 0, or -1 when no memory.
int VinduesListeTilfoej(HWND hwnd);
// Unlinks and frees the window's node; 0, or -1 when it is not listed.
int VinduesListeFjern(HWND hwnd);
// The front window, or 0.
HWND VinduesListeForrest();
// Moves the window to the front; 0, or -1 when it is not listed.
int VinduesListeTilTop(HWND hwnd);
int VinduesListeAntal();
// The first window from the front whose child id is the type, or 0.
HWND FindVindueType(int type);
// Sends the message to every element window of the screen layout, then to
// every listed window from the back to the front, except `undtagen`. The
// result of the last send.
LRESULT SendTilAlleVinduer(UINT msg, WPARAM wParam, LPARAM lParam, HWND undtagen);
// Destroys every listed window except the plan window, back window first.
void LukVinduerUndtagPlan();
// Destroys the plan window, then the others, empties the screen layout and
// refreshes the desktop window (hwndDesktop) with 1034 and WM_PAINT.
void LukAlleVinduer();
