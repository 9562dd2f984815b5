// The activity window (" Aktivitet vindue"): the students of the planning
// window's group as rows, seen against one learning activity of the group.
// Space places the current student on the activity or takes him off it,
// Page Up and Page Down step to the neighbouring activity. It reads the
// planning window's workspace and changes the tables only through the
// placement rule. It lives only beside the planning window. Main thread
// only.
#pragma once

#include <cstdint>

#include "BESKEDER.h"
#include "ELEVKOLONNE.h"
#include "ELEVPLANWS.h"
#include "ENS.h"
#include "ENSDC.h"
#include "GRIDAKSE.h"
#include "TASTINFO.h"
#include "windows.h"


struct ElevHoldWS {
  Ens ens;  // the grid frame's head comes first
  alignas(4) GridPos KolPos;  // one column, counted in pixels
  alignas(4) GridPos LaPos;   // position in the planning workspace's LaVisTab
  uint32_t KolFoer;           // the previous-current values
  uint32_t RaekkeFoer;
  uint32_t LaFoer;
  HWND hwnd;
  int Type;  // the window type (child id) given at creation
  uint8_t Bogstav;
  HWND PlanVindue;
  ElevPlanWS *Plan;  // the planning window's workspace (not owned)
  uint32_t HovedValgt;  // the header line's layout (kind 101)
  uint32_t HovedAntal;
  ElevListeTilstand Liste;  // rows, sort buttons and sort state, row axis
  uint32_t ByggetTg;        // the group of the last build of the rows
  uint32_t ByggetLa;        // the activity of the last build
  uint8_t ElementTegning;   // set only while painting for message 1118
  EnsDC RammeDC;            // the window's own DC for the header line
};

// Opens the window in the free rectangle under window type `type` (40229
// from the shell). Null, and nothing made, without a planning window.
HWND CreateElevHoldWnd(HWND desktop, int venstre, int top, int hoejre, int bund, int type = kElevHoldType);
LRESULT CALLBACK ElevHoldWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
ElevHoldWS *ElevHoldVinduesWS(HWND hwnd);

// The activity axis over the planning workspace's activity rows, current
// on the `la` table's current record (1 when it is not listed, 0 without
// rows); remembers the `tg` table's current record as the group built.
void TagAktuelLa(ElevHoldWS *ws);
// The rows: the group's students, sorted on the kind-99 layout's sort
// field against the shown activity; the current row on the `elev` table's
// current record, or the first row when sorted on the status column.
void ByggElevHoldRaekker(ElevHoldWS *ws);

void TegnElevHoldHoved(ElevHoldWS *ws);
void TegnElevHoldRaekker(ElevHoldWS *ws, uint32_t fra, uint32_t til);
void OpdaterElevHoldRaekker(ElevHoldWS *ws, int flag);
void TegnElevHoldHjoerne(ElevHoldWS *ws);
// The whole window by the flags; while active it then sets the tables'
// current activity and student and broadcasts 1054 with `udsend`.
void TegnElevHold(ElevHoldWS *ws, int flag, WPARAM udsend);
// Brings the current column and row into view, sets the scroll bars and
// paints by the flags (nothing when they are 0).
void ElevHoldScroll(ElevHoldWS *ws, int flag, WPARAM udsend);

// The window's keys: mode 1 asks whether the key applies now, mode 2
// carries it out and gives in *pFlag and *pUdsend what to paint and
// broadcast. Space places or removes, Page Up/Down step the activity,
// Up/Down the student, Shift+1..9 choose a layout, the context key opens
// the shortcut list, F3 maximises or restores.
int ElevHoldTastKmd(ElevHoldWS *ws, const TastInfo &tast, int mode, int *pFlag, WPARAM *pUdsend);

bool RegistrerElevHoldKlasse(HINSTANCE inst);
void AfregistrerElevHoldKlasse(HINSTANCE inst);
