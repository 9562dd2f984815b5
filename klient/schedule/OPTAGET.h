// Cell occupation and the student-overlap list of a schedule window: the
// event that covers one cell of the grid, the events of a cell's day summed,
// which activities are scheduled at the time of the window's current cell,
// and the students that the activities of the event being entered share
// with related activities scheduled then. The time in question is the
// program's view settings of the window's display mode (its weekday and the
// slot of the current cell), which the active window keeps on its cursor.
// Main thread only.
#pragma once

#include <cstdint>

#include "SKEMA.h"
#include "windows.h"

// The row key, weekday, slot (lesson or 5-minute slot) and layer of a grid
// cell; column and row are those of the grid.
struct SkeCelle {
  uint32_t noegle = 0;
  uint8_t dag = 0;
  uint32_t slot = 0;
  uint32_t lag = 1;
};
// False when the cell's row names no object or week.
bool FindSkeCelle(const SkeStruct *ske, uint32_t kolonne, uint32_t raekke, SkeCelle *c);

// The entry of the window's visible list (1..) of the event that covers the
// cell and lies in the layer of its row, 0 when none; *foersteCelle is 1
// when the cell is the event's first slot. Column and row are those of the
// grid (in layout 'V' the row names the object or week, else the column
// does; the other gives the weekday and slot).
uint32_t FindBegivenhedICelle(SkeStruct *ske, uint32_t kolonne, uint32_t raekke, uint8_t *foersteCelle);

// Over every event of the cell's row key and weekday (any layer): *minutter
// their summed lengths, *sidsteSlut the latest end (HHMM). True when one of
// them has the activity. An event whose times lie beyond 2400 adds nothing.
bool CelleSummer(SkeStruct *ske, uint32_t kolonne, uint32_t raekke, uint32_t akti, uint32_t *sidsteSlut,
                 uint32_t *minutter);

// skemalagt[i] = 1 when activity aktiviteter[i] has a live row on the
// view's weekday in the window's current week that covers the current cell:
// in lesson and time mode its cells (by the window's ring system, else the
// row's) hold the view's current slot; in day mode it lies within the day's
// working hours ([tider] starttid and sluttid) with the gap
// ([global] sammenfaldsinterval) added to each end. Rows with a lesson
// above 48 or times beyond 2400 are passed over.
void MarkerSkemalagte(const SkeStruct *ske, const uint32_t *aktiviteter, uint32_t antal, uint8_t *skemalagt);

// The student-overlap list of the event being entered (AktuelAVS): the
// activities related to its activities by a student-overlap pair (elvrel2),
// its own left out, that are scheduled at the time in question; for each,
// the students it shares on that date with each activity of the event. With
// none, an information box owned by ejer says so; else a selection window
// " Elevsammenfald på hold" lists the students with their related activity,
// at ejer's top-left corner on the main window. The window, or 0.
HWND VisElevsammenfald(HWND ejer, SkeStruct *ske);
