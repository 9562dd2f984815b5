#pragma once
// The planning module's grid windows: the layout for a new size, the
// plan grid's columns of unequal widths scrolled in pixels, and the
// drawing of a line of fields from a field layout.

#include <cstdint>

#include "ENS.h"
#include "ENSDC.h"
#include "PLAN.h"
#include "SWITCH.h"
#include "TABREG.h"
#include "windows.h"

// Lays the window out for a new client size: the panes, scrollbars, the
// switch-button row and its buttons; every one collapsed to 0 x 0 when the
// grid area has no size. The row axis scrolls back when the rows shown
// would run past the last row.
void PlanLayout(Ens *ens, HWND hwnd, int bredde, int hoejde, uint8_t antalSkift);

// Column geometry of the areas (PLAN_OMR_VENSTRE, _UGER, _HOEJRE of
// FF_PlanUtil.h); columns are positions on the area's axis, each followed
// by a 1-pixel separator.
uint32_t KolonneBreddeIOmraade(const Plan *plan, uint32_t n, uint32_t omraade);
// The column that holds pixel x: the first whose start + width lies beyond
// x; the column count + 1 beyond the last; 0 without columns.
uint32_t KolonneVedTegn(const Plan *plan, uint32_t x, uint32_t omraade);
// The pixel where column n starts (0 for n below 2).
uint32_t KolonneStart(const Plan *plan, uint32_t n, uint32_t omraade);
// The first n main columns with their separators, less 2.
uint32_t KolonnerBredde(const Plan *plan, uint32_t n);
// The main columns from the one at pixel foerste to the one at the page's
// last pixel, both included; 0 for a page of 0.
uint32_t SynligeKolonner(const Plan *plan, uint32_t foerste, uint32_t side);

// WM_HSCROLL (codes 0 to 5 over the main columns in pixels) and WM_VSCROLL
// (the row axis): 8 after a horizontal move, 16 after a vertical one, 0
// when nothing moved.
int PlanScroll(Plan *plan, UINT msg, WPARAM kode);
// Brings the cursor column into view and sets the horizontal scrollbar;
// true when the offset changed.
bool PlanHScrollInfo(Plan *plan);
// Brings the cursor row into view and sets the vertical scrollbar; the
// result of the row axis' scroll.
bool PlanVScrollInfo(Plan *plan);

// The text colour of a field on a background: the callback's code on 0 and
// 42, a fixed code by the background's class, on 36 the callback's only
// for 3, 7, 8, 10 and 12 (else 5), on 46 8 only when the callback gave 8.
uint8_t SwitchLinieTekstFarve(uint8_t baggrund, uint8_t kaldFarve);

// Draws field i of the layout for record recnr at (x, y), Tegn characters
// in the colour the field's text asks for (*pFarve gets it when not null);
// a foreign key shows field 1 of the record it names, followed further
// through every table it leads to. False for a record outside the table.
bool TegnFeltVaerdi(EnsDC *dc, uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t i, const TabDesc *pTd,
                    const TabVar *pTv, uint32_t recnr, int x, int y, uint8_t *pFarve);

// The text of one field of a line: tekst holds kSwitchTekstLen blank bytes
// to write over; *pFarve starts at 16.
typedef void (*SwitchLinieFn)(void *tilstand, const SwitchFelt *sf, uint32_t i, void *arg, char *tekst,
                              uint8_t *pFarve);
// One line of a field layout: the line (line height + extra + 11 high) on
// the background's brush, each field (only field `felt` with etFelt) with
// its lines in brush 19 and its text from the callback, then restBredde
// pixels of background. Nothing for a window kind above 115.
void TegnSwitchLinie(SwitchLinieFn fn, void *tilstand, EnsDC *dc, int x, int y, uint8_t baggrund, uint32_t art,
                     uint8_t bogstav, uint32_t nr, uint32_t felt, void *arg, uint32_t linieHoejde,
                     uint32_t ekstraHoejde, uint32_t restBredde, bool etFelt, bool farveEfterBaggrund);
