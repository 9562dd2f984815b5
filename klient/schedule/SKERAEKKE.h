// The two axes of a schedule window (object rows and week rows) with their
// layers, the day colours of every row, the window's sizes and its status
// panes, and the rebuild and refresh that tie them together. Tables indexed
// by record number are sized from their table when they are built; a record
// number beyond them (an import grew the table meanwhile) counts as not
// shown and never indexes them. Main thread only.
#pragma once

#include <cstdint>

#include "AVS.h"
#include "BESKEDER.h"
#include "DATO.h"
#include "SKEMA.h"
#include "windows.h"


// Windows of other subsystems the refresh tells when they exist; each sets
// its own handle while it is open (0 otherwise).
extern HWND hwndBrikInfo;    // the tile information panel
extern HWND hwndBrikInd;     // the event entry window
extern char BrikIndTilstand; // the entry window's mode letter ('B' follows the schedule)
// The event of the current cell that the tile information panel shows.
extern AVS BrikInfoAVS;

// The day colours written into FarveDagTab.
enum : uint8_t {
  DAGFARVE_UDENFOR = 6,   // outside the period, a holiday, not a school day
  DAGFARVE_AKTI = 9,      // outside the activity's dates or period lists
  DAGFARVE_ANFO = 15,     // outside the employment's dates
  DAGFARVE_LOKA = 21,     // outside the room's dates
};

// Whether record n of the window's object table is a row, in ISO week uge
// (0: any week).
bool ObjektVises(const SkeStruct *ske, uint32_t n, Uge uge);
// How many records pass ObjektVises.
uint32_t TaelObjekter(const SkeStruct *ske, Uge uge);
// Rebuilds Ens.ObjTab (1-based) from the object table, sorted by the
// window's row-header layout; ObjAntal and Ens.ObjTabAntal get the count.
void ByggObjTab(SkeStruct *ske, Uge uge);
// Expands the rows ByggObjTab built into layers (LagAntal by record number;
// 0 hides a row) and makes the copy of objekt in layer lag the current row.
void ByggObjLag(SkeStruct *ske, uint32_t objekt, uint32_t lag);
// The week rows of an object, or of the whole period.
void ByggUgeTab(SkeStruct *ske, uint32_t objekt);
// Expands the rows ByggUgeTab built into layers (LagAntal by period week),
// builds InversInternUgeTab (by period week index: the first row of that
// week, 0 for a week without one) and makes the copy of the period week in
// layer lag the current week row.
void ByggUgeLag(SkeStruct *ske, UgeIndeks uge, uint32_t lag);
// Every week of the period in one layer; the current week is the first with
// a chosen cell, else the program's current week.
void ByggUgeTabAlle(SkeStruct *ske);
// The last row of period week uge (with layers on: the current week row
// when it holds uge); 1 when there is none.
uint32_t FindUgeRaekke(const SkeStruct *ske, UgeIndeks uge);
// Rebuilds FarveDagTab: 7 bytes per row key.
void ByggFarveDagTab(SkeStruct *ske);
// The colour of one day of a row key; 0 outside the table.
uint8_t FarveDag(const SkeStruct *ske, uint32_t noegle, uint8_t ugedag);

// The row-header window kind of the window's field-switch layouts.
uint32_t SkeObjSwitchArt(const SkeStruct *ske);
// Its tile kind.
uint32_t SkeBrkSwitchArt(const SkeStruct *ske);

// Geometry, in pixels at the platform's system metrics.
uint32_t CalcSkemaWndWidth(uint32_t hovedBredde, uint32_t feltBredde, uint32_t ekstra, const TabDesc *pTd,
                           const TabVar *pTv, uint32_t maske, uint32_t tilbudt, int art, bool ugerFraTabel);
uint32_t CalcSkemaWndHeight(uint32_t tilbudt, bool udenRamme, uint32_t statusLinjer, char visning);
uint32_t CalcSkemaWndWidthV(uint32_t basis, uint32_t tilbudt, char visning, char layout, uint32_t slotBredde,
                            uint32_t ekstra);
uint32_t SkemaHovedBredde(const SkeStruct *ske);
uint32_t CalcSkemaWndHeightV(const SkeStruct *ske, uint32_t tilbudt, uint32_t statusLinjer);
// Layout 'L': the frame's axes as the tile grid paints them, object columns
// across and a row per shown lesson or slot (per day in day mode) down, and
// the height of the object headers.
void SkemaAkser(SkeStruct *ske);

// Creates the status panes of the window through the frame's status-bar
// creator (false, and no panes, when none is linked in).
bool CreateSkemaStatBar(HWND hwnd, SkeStruct *ske);
// Rewrites the panes (flag 1: all of them).
void VisSkemaStatBar(SkeStruct *ske, uint32_t flags);
// The text of one content number for the current object (at most 72
// characters, trailing blanks cut) and the colour index the field asks for
// (60 and above: none).
void SkemaStatTekst(SkeStruct *ske, uint8_t indhold, char *tekst, size_t str, uint8_t *farve);

// Rebuilds the rows of the window's view.
void ByggRaekker(SkeStruct *ske);
// With genbyg the rows and both colour tables are rebuilt; with tegn the
// window is refreshed.
void OpdaterEfterAendring(SkeStruct *ske, bool genbyg, bool tegn);
// Takes the view settings into the window, the current cell's weekday and
// slot into the program's view settings (active window), tells the panels
// that exist, repaints the panes and the status bar.
void OpdaterSkemaVindue(SkeStruct *ske, uint32_t flags);
