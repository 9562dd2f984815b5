// Copy and paste of events in a schedule window: the plus keys copy the
// events of the cursor's day (Ctrl), the event of the cursor cell (no
// modifier) or the cursor's week (Alt); Insert and Ctrl+V paste them at
// the cursor after the paste check. Main thread only.
#pragma once

#include <cstdint>

#include "AVS.h"
#include "BESKEDER.h"
#include "SKEMA.h"
#include "SKEMAVIN.h"
#include "TASTINFO.h"
#include "windows.h"


// The copied cell: one event with its participants; a paste needs at least
// one activity, employee or room.
extern AVS KopiCelleAVS;
// The copy buffer (HuskUgeAVS) was taken from one day.
extern uint8_t KopiEnDag;

// The copy key (plus) and the paste keys (Insert, V) in their phases.
SkemaTastSvar KopierUdfoer(HWND hwnd, SkeStruct *ske, const TastInfo &t);
bool IndsaetTjek(HWND hwnd, SkeStruct *ske, const TastInfo &t, int mode);
SkemaTastSvar IndsaetUdfoer(HWND hwnd, SkeStruct *ske, const TastInfo &t);

// Inserts the copy buffer at the cursor cell: with Ctrl on the cursor's
// day, else on each event's own day, each at its own lesson; with Shift and
// Alt in a view of all objects at the rows of each event's own
// participants. Asks before anything is written when events lie outside
// the shown days and lessons or cannot be placed; says so when fewer were
// written than were placeable. The number written.
uint32_t IndsaetBegivenheder(HWND hwnd, SkeStruct *ske, uint32_t kolonne, uint32_t raekke, const TastInfo &t);

// Messages 1949 and 1950 from another window of the same object.
void HuskUgeFraAnden(HWND hwnd, SkeStruct *ske, const SkeStruct *fra);
void IndsaetUgeFraAnden(HWND hwnd, SkeStruct *ske, const SkeStruct *fra);
