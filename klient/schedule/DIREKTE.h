// Events written straight from a schedule window: copying a week's events
// into HuskUgeAVS, the tile information of a cell, placing an event in a
// cell with or without the tile check, and taking a cancelled activity out
// of its future events. Main thread only.
#pragma once

#include <cstdint>

#include "AVS.h"
#include "BESKEDER.h"
#include "SKEMA.h"
#include "windows.h"


// The status word of the first row of visible entry indeks; 0 for an entry
// outside the list or whose bucket or row is gone.
uint32_t BegivenhedStatus(const SkeStruct *ske, uint32_t indeks);

// The participants whose name does not begin with '*': activities,
// employees by their initials, rooms.
uint32_t AntalRigtigeDeltagere(const AVS *avs);

// Copies the events of the object axis positions fra..til (the whole time
// axis of each) into HuskUgeAVS, each event once; with enDag only those on
// the view's weekday. An event neither approved nor placed stops the copy
// with a box and leaves the array empty; another installation's events are
// passed over. The number copied.
uint32_t HuskUge(SkeStruct *ske, uint32_t fra, uint32_t til, bool enDag);

// The event of a cell into the tile information event, for an approved or
// placed event of this installation, and 1929 to the tile information
// window.
void VisBrikInfo(SkeStruct *ske, uint32_t kolonne, uint32_t raekke, uint32_t flags);

// Places avs in the cell without the tile check's messages: the roles must
// be set, the cell's object leaves the event, the day and lesson (and in
// lesson mode the ring system's times) come from the cell; written with
// status 64 in the window's week when the period and busy checks pass.
bool PlacerDirekte(SkeStruct *ske, uint32_t kolonne, uint32_t raekke, AVS *avs);

// Writes avs in the cell when the tile check passes (quietly, nothing
// dropped); with keepEvent the event keeps its own day and times. Status 64,
// with the AutoSkema bits of the event's old first row; a special-schedule
// event with several employees is written once per employee. Clears avs's
// id and tells the tile information and main windows.
bool IndsaetBrik(SkeStruct *ske, HWND ejer, uint32_t kolonne, uint32_t raekke, AVS *avs, bool keepEvent);

// Takes a cancelled activity out of its placed events after the lock week.
// An event of that activity alone is deleted; another is rewritten without
// it only when the reduced event passes the roles, period and busy checks,
// and is otherwise kept whole and logged.
void FjernAktiFraSkema(uint32_t akti);
