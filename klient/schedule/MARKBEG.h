// Marks on a schedule window's visible events and chosen cells: counting
// and carrying over the marks, the AutoSkema approval marks, deleting the
// marked events, the moving marks of events and cells, and choosing cells
// or events with the mouse. A visible entry's flag byte (the byte after its
// colour code) holds bit 2 while the entry changes in a drag or move. Main
// thread only.
#pragma once

#include <cstdint>

#include "SKEMA.h"
#include "windows.h"

// Bit of a visible entry's flag byte: changed in the current drag or move.
constexpr uint8_t VIS_FLYT = 2;

// The number of visible entries marked (code 3) and found (code 27).
uint32_t TaelMarkerede(const SkeStruct *ske);
uint32_t TaelFundne(const SkeStruct *ske);

// After til rebuilt its list: the marks (codes 3 and 27 with their flag
// byte) of fra's entries go to til's entries of the same events, except
// where one of the event's shown cells in til has a time colour other than
// 0, 3 or 27. til takes fra's object kind.
void OverfoerMarkeringer(const SkeStruct *fra, SkeStruct *til);

// Every marked entry whose event's first row has status bit 128 (from the
// automatic schedule) gets the status word flags on all its rows; with bit
// 64 in flags the entry is unmarked and the change count grows, otherwise
// it shows 57 (bit 256) or 39. Its flag bit 2 is cleared. The number of
// events changed.
uint32_t MarkerSkift(SkeStruct *ske, uint32_t flags);
// The same for entry i alone; true when it changed.
bool MarkerSkiftIndgang(SkeStruct *ske, uint32_t i, uint32_t flags);

// Deletes every marked event by the rules of SletBegivenhed (a pending
// change is only withdrawn) and unmarks its entry; the count of entries
// handled.
uint32_t SletMarkerede(SkeStruct *ske);

// The code an entry shows when it is not marked: 39 for a row of the
// automatic schedule alone (status bits 0x1c0 exactly 0x80), 57 with bit
// 256, else 27.
uint8_t EgenMarkKode(uint32_t status);

// With toggle the entries changed in this move flip between marked and
// their own code and lose bit 2, and marked entries get bit 2; without,
// every marked entry takes its own code. True when any entry changed.
bool SkiftFlytMarkering(SkeStruct *ske, bool toggle);
// The moving marks of the cells (bit 2 drops a cell's choice, a chosen cell
// gets bit 2), then SkiftFlytMarkering with toggle.
bool FlytMarkering(SkeStruct *ske);
// Ends a choice of cells: mode 1 reverses the cells changed in the drag;
// any other mode moves the chosen cells to PotTab in state 'R' and clears
// the block tables otherwise. Clears the drag counters.
bool AfslutCelleValg(SkeStruct *ske, int mode);
// Clears the chosen bit of every cell of BlokTab (and with begge PotTab);
// true when any was set.
bool RydCeller(SkeStruct *ske, bool begge);

// Whether any cell of the view's lessons or slots, in any of the weeks, is
// chosen.
bool CelleValgt(const uint8_t *blokke, uint32_t uger, const VisningsTilstandRec &vis);
inline bool IngenCelleValgt(const uint8_t *blokke, uint32_t uger, const VisningsTilstandRec &vis) {
  return !CelleValgt(blokke, uger, vis);
}
// The first and last chosen slot of the run holding slot, going back at
// most antal - 1 slots and forward to the day's last slot; 0 when slot is
// not chosen or the week lies outside the tables.
uint32_t ForsteValgte(const uint8_t *blokke, uint32_t blokUger, uint32_t uge, uint32_t dag, uint32_t slot,
                      uint32_t antal);
uint32_t SidsteValgte(const uint8_t *blokke, uint32_t blokUger, uint32_t uge, uint32_t dag, uint32_t slot);

// Allocates BlokTab and PotTab when the window has none: one block per
// week row or period week, whichever is more, plus one.
void AllokerBlokke(SkeStruct *ske);
// Lets an embedded window use its owner's block tables.
void DelBlokke(SkeStruct *ske, const SkeStruct *ejer);

// Chooses or un-chooses a cell of the one-object, all-weeks view during a
// drag (the first cell decides which); a cell with a day colour 6, 9, 15,
// 21 or a busy background other than 58 is not chosen. True when it
// changed.
bool VaelgCelle(SkeStruct *ske, uint32_t dag, uint32_t slot, uint32_t kolonne, uint32_t raekke);
// The same drag on the event of a cell while marking events (states 'R',
// 'S', and variant 'A' viewing): op 4 marks and unmarks, op 3 takes back.
void MarkerBegivenhed(SkeStruct *ske, uint32_t kolonne, uint32_t raekke, int op);
// A cell's colour: busy background, else day colour, else the colour code
// of the event covering it, else 0.
uint8_t CelleMarkFarve(SkeStruct *ske, uint32_t kolonne, uint32_t raekke);
// A click (start) or a drag reaching another cell: allocates the block
// tables, chooses the cell or marks its event as the window's state says
// and posts 11124 to the window.
void KlikCelle(HWND hwnd, SkeStruct *ske, uint32_t kolonne, uint32_t raekke, bool start);
// The start of a drag clears the drag bits of the cells and entries; its
// end only the drag counters, so the cells the drag went over stay marked
// as the block until the next drag or block starts.
void StartTraek(SkeStruct *ske);
void AfslutTraek(SkeStruct *ske);
// The painting of changed cells and entries, for windows that show them.
void TegnMarkeringer(SkeStruct *ske);
