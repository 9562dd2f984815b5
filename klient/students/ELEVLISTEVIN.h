// What the two student list windows, the activity window and the student
// wish window, share on the grid frame: the sort buttons laid out along the
// bottom of the column header, the rows of a list painted with their
// separator lines, both axes scrolled to their current cells, the planning
// window looked up and its workspace checked to be alive, and the one
// shortcut list shape of both. Main thread only.
#pragma once

#include <cstdint>

#include "BESKEDER.h"
#include "ELEVKOLONNE.h"
#include "ELEVPLANWS.h"
#include "ENS.h"
#include "GENVEJ.h"
#include "GRIDAKSE.h"
#include "windows.h"

// A list row is 11 pixels of text and 1 pixel of separator line.
constexpr int kElevListeRaekke = 12;
// The column header: the activity's or student's buttons run along its
// bottom 16 pixels.
constexpr int kElevListeHoved = 50;
constexpr int kElevListeKnapHoejde = 16;
// The header line under the caption bar, where the shown activity or
// student stands in the header layout.
constexpr int kElevListeKaption = 22;


// Paint flags of the list windows: 1 everything, 2 the column, 4 the
// previous and the current row, 16 the rows scrolled.
enum : int {
  ELEVLISTE_TEGN_ALT = 1,
  ELEVLISTE_TEGN_KOLONNE = 2,
  ELEVLISTE_TEGN_RAEKKE = 4,
  ELEVLISTE_TEGN_RULLET = 16,
};

// The planning window (command 40225) and its workspace, or null when it
// is not open.
ElevPlanWS *FindElevPlanWS(HWND *pVindue);
// The planning workspace a student window took at creation, while the
// planning window that owns it is still open; null once it has closed.
ElevPlanWS *LevendePlanWS(HWND planVindue, ElevPlanWS *plan);

// The sort buttons along the bottom 16 pixels of the column header: each
// at the running x less the horizontal scroll, as wide as its column; the
// first spans the columns of positions 1 and 2, which have no button;
// each is cut at the pane's right edge.
void ElevListeLayKnapper(ElevListeTilstand *l);

// Rows fra..til (1-based, cut to the count) of a list in the cell pane,
// each with a dark line above it; v1 and v2 of the row painter for row r
// come from raekkeVaerdier. The current row is drawn in colour 1 while the
// window is active. Painting up to the last row fills the space below it
// with the button face.
typedef void (*ElevRaekkeVaerdierFn)(void *ejer, uint32_t r, uint32_t *v1, uint32_t *v2);
void ElevListeTegnRaekker(ElevListeTilstand *l, ElevRaekkeVaerdierFn vaerdier, void *ejer,
                          uint32_t fra, uint32_t til);

// The visible rows of the cell pane (first..last; last below first when
// none).
void ElevListeSynligeRaekker(const ElevListeTilstand *l, uint32_t *fra, uint32_t *til);

// Both axes scrolled so that their current cells are in view and both
// scroll bars set; the flags of what moved (ELEVLISTE_TEGN_RULLET).
int ElevListeScrollTilAktuel(ElevListeTilstand *l, GridPos *kolonner);

// The row axis's current row from a y pixel of the cell pane, bounded by
// the count; 0 without rows.
uint32_t ElevListeRaekkeVedY(const ElevListeTilstand *l, int y);

// The shortcut list of a student list window: Space and its two variants,
// Page Up and Page Down with the window's own descriptions, F3.
ShortCutTabel *ElevListeGenveje(uint8_t vindue);
