#pragma once
// The plan group assignment window (TildelPlanGruppeWndClass, child id
// 40269): activities ('K') or employments ('M') as rows against this
// installation's plan groups as columns, a marked cell a membership. The
// memberships it changes are not saved here: their blocks go with the next
// save of the data; only plan rows deleted after a Yes to the "OBS!"
// question are saved at once. Main thread only.

#include <cstdint>
#include <vector>

#include "windows.h"

// ---- the matrix without the window

// The columns: the plan groups of this installation whose status masked
// with 0x78 is 0x20, 0x40, 0x60 or 0x70, in the plan groups' order;
// element 0 is 0, so that column c is element c.
std::vector<uint32_t> TildelKolonner();
// The dates the rows must overlap: the current column's group's, or with no
// current column (0) the earliest first to the latest last date of all
// column groups (0..0 without columns).
void TildelSpaend(const std::vector<uint32_t> &kolonner, uint32_t aktuel, uint32_t *fra, uint32_t *til);
// Whether a record of the kind's table is a row for the dates: status 10
// to 29, overlapping, a group not negative, and for an activity a team
// ("HOLD") that is not cancelled nor deleted in the central system.
bool ErTildelRaekke(char art, uint32_t rec, uint32_t fra, uint32_t til);
// The rows for the dates in record order; element 0 is 0.
std::vector<uint32_t> TildelRaekker(char art, uint32_t fra, uint32_t til);

// Whether the group's own plan rows of the record carry registered lessons
// or hours.
bool HarRegistreredeTal(uint32_t gruppe, uint32_t rec, char art);
// Takes the record out of the group's plan data: an activity's rows go; an
// employment leaves the subject rows (the second employee moving up when
// it was the first) and its own employee rows go, the rows deleted being
// saved at once.
void FjernPlanData(uint32_t gruppe, uint32_t rec, char art);

// The toggle of one cell (medlem: the cell shows a membership). Removing
// asks the "OBS!" question (owner ejer) when the plan rows carry numbers
// and the plan window is not open, or asks the plan window (1226) when it
// is; adding tells the plan window (1225). False when refused: nothing
// changed.
bool SkiftTildeling(HWND ejer, uint32_t gruppe, uint32_t rec, char art, bool medlem);
// Removes every membership of the groups that this installation owns,
// asking the "OBS!" question once when any of them carries numbers (No:
// nothing changes), or with the plan window open asking it per membership
// (a 0 answer keeps that one). True when anything was removed.
bool FjernTildelinger(HWND ejer, const std::vector<uint32_t> &grupper);

// ---- the window

HWND CreateTildelPlanGruppeWnd(int id);
LRESULT CALLBACK TildelPlanGruppeWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The window's field sort buttons (one per field of the row kind's chosen
// layout) and group buttons (one per column), empty for another window.
std::vector<HWND> TildelFeltKnapper(HWND hwnd);
std::vector<HWND> TildelGruppeKnapper(HWND hwnd);
