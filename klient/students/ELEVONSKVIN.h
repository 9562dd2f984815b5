// The student wish window (" Elev vindue"): one student of the planning
// window's group against every learning activity of the group, a row per
// activity with a strip of one small cell per slot that shows where the
// activity lies, whether the student is free there and how he stands to
// it. Space places the student on the row's activity or takes him off it,
// Page Up and Page Down step to the neighbouring student. It lives only
// beside the planning window, whose workspace it reads and changes through
// the placement rule. Main thread only.
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


// Set by the program shell while it opens the student planning windows
// together; the wish window then broadcasts nothing.
extern uint8_t ElevVinduerAabnes;

struct ElevOnskWS {
  Ens ens;  // the grid frame's head comes first
  alignas(4) GridPos KolPos;   // the header axis: one entry, counted in pixels
  alignas(4) GridPos ElevPos;  // the student axis over ElevTab
  uint32_t KolFoer;            // the previous-current values
  uint32_t RaekkeFoer;
  uint32_t ElevFoer;
  HWND hwnd;
  int Type;  // the window type (child id) given at creation
  uint8_t Bogstav;
  HWND PlanVindue;
  ElevPlanWS *Plan;  // the planning window's workspace (not owned)
  uint32_t HovedValgt;  // the header line's layout (kind 98)
  uint32_t HovedAntal;
  ElevListeTilstand Liste;  // rows (learning activities), sort state, row axis
  uint32_t ByggetTg;        // the group the lists were built for
  uint8_t ElementTegning;   // set only while painting for message 1118
  EnsDC RammeDC;            // the window's own DC for the header line
};

// Opens the window in the free rectangle under window type `type` (40228
// from the shell). Null, and nothing made, without a planning window.
HWND CreateElevOnskWnd(HWND desktop, int venstre, int top, int hoejre, int bund, int type = kElevOnskType);
LRESULT CALLBACK ElevOnskWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
ElevOnskWS *ElevOnskVinduesWS(HWND hwnd);

// The student axis over the workspace's students, current on the `elev`
// table's current record (1 when not listed, 0 without students); the
// `tg` table's current record is remembered as the group.
void ElevOnskFindElev(ElevOnskWS *ws);
// The rows: the group's learning activities sorted on the kind-97
// layout's sort field against the current student (archived ones last);
// current on the `la` table's current record, or the first row when sorted
// on the status column.
void ElevOnskByggRaekker(ElevOnskWS *ws);

// The header line: caption and the current student in the kind-98 layout.
void TegnElevOnskHoved(ElevOnskWS *ws);
// The slot strips of rows fra..til in the row-header pane.
void TegnElevOnskStriber(ElevOnskWS *ws, uint32_t fra, uint32_t til);
void TegnElevOnskRaekker(ElevOnskWS *ws, uint32_t fra, uint32_t til);
// The whole window by the flags (1 all, 2 column, 4 rows, 16 scrolled);
// while active it then sets the tables' current activity and student and
// broadcasts 1054.
void TegnElevOnsk(ElevOnskWS *ws, int flag);
void ElevOnskScroll(ElevOnskWS *ws, int flag);

// The window's keys: mode 1 asks whether the key applies now, mode 2
// carries it out and gives in *pFlag what to paint.
int ElevOnskTast(ElevOnskWS *ws, const TastInfo &tast, int mode, int *pFlag);

bool RegistrerElevOnskKlasse(HINSTANCE inst);
void AfregistrerElevOnskKlasse(HINSTANCE inst);
