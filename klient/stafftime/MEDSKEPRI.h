#pragma once
// The employee working-time priority window (MedaSkePriorWndClass): for one
// employment at a time, a grid of the weekdays Monday to Friday by 5-minute
// slots from 08:00, each cell carrying a priority -3..3 or none, held as
// medaskeprior records of this installation (one record per marked slot).
// Records of other installations are never read or changed. Main thread only.

#include <cstdint>

#include "BESKEDER.h"
#include "ENS.h"
#include "GRIDAKSE.h"
#include "windows.h"



// Field-layout kind of the employment list (the letter 'M'): its sort field
// on switch 0, then field 1.
constexpr uint32_t kMedaSkePriorListeArt = 109;

// Geometry of the grid.
constexpr int kMspDagBredde = 80;     // a day column
constexpr int kMspSlotHoejde = 5;     // a slot row
constexpr int kMspTidBredde = 44;     // the time column
constexpr int kMspInfoHoejde = 18;    // the caption line
constexpr int kMspHovedHoejde = 16;   // the day heads
constexpr int kMspMindsteBreddeTillaeg = 190;
constexpr int kMspMindsteHoejde = 270;

// The workspace, allocated zeroed by CreateMedaSkePriorWnd and freed with
// the window. Blocks are 1-based day and slot numbers; all four 0: none.
struct MedaSkePriorWS {
  alignas(8) Ens Hoved;   // ObjTab/ObjTabAntal: the employments shown; pTd/pTv: anfo
  uint8_t ObjBogstav;     // 'M'
  uint32_t Aktuel;        // index into Hoved.ObjTab of the current employment, 0 none
  uint32_t StartTid;      // HHMM of the grid's first slot
  uint32_t SlotMinutter;  // minutes per slot
  alignas(4) GridPos Dage;   // 5 cells; Aktuel the current day
  alignas(4) GridPos Slots;  // 96 cells; Aktuel the current slot
  uint32_t BlokDag1, BlokSlot1, BlokDag2, BlokSlot2;
  HWND hwnd;
  uint8_t Traekker;       // the left button is held (captured)
  uint8_t Aktiv;          // the active window of the desktop
};

// Start and end (HHMM) of slot s (1-based) of a grid from start time T with
// m minutes per slot; the minutes carry into the hour (08:55 + 10 = 09:05).
void MedaSkePriorSlotTid(uint32_t startTid, uint32_t minutter, uint32_t slot, uint32_t *start, uint32_t *slut);

// The employments: anfo records with Status 10..29 and bit 31 of Gruppe
// clear, sorted by the list's field layout. The current employment is the
// table's current record when listed, else the first.
void ByggMedaSkePriorListe(MedaSkePriorWS *ws);
// The anfo record of the current employment, 0 none.
uint32_t MedaSkePriorAnfo(const MedaSkePriorWS *ws);

// The live record of this installation for the current employment and the
// weekday whose Starttid..Sluttid covers start..slut, else 0.
uint32_t FindMedaSkePrior(const MedaSkePriorWS *ws, uint32_t start, uint32_t slut, uint32_t ugedag);
// Writes priority p into every cell of the block; the number of cells
// written. [flag] exportermedaskeprior = "1" when any was.
uint32_t SaetMedaSkePrior(MedaSkePriorWS *ws, int32_t p);
// Frees the records of the block's cells (or the current cell's without a
// block); the number freed. [flag] exportermedaskeprior = "1" when any was.
uint32_t FjernMedaSkePrior(MedaSkePriorWS *ws);

LRESULT CALLBACK MedaSkePriorWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// "MedaSkePriorWndClass": its own DC, double clicks, the program cursor,
// colour 0's brush. False when it could not be registered.
bool RegistrerMedaSkePriorKlasse(HINSTANCE inst);
// The window factory's row: the window at the desktop's (venstre, top), at
// the size it wants for the room up to (hoejre, bund), child id 40284, not
// yet shown. 0 when it could not be made.
HWND CreateMedaSkePriorWnd(HWND desktop, int venstre, int top, int hoejre, int bund);
// The workspace of a priority window, or null.
MedaSkePriorWS *MedaSkePriorVinduesWS(HWND hwnd);
