#pragma once
// The plan window: at most one, child id 40268. It owns its Plan and every
// table the plan points to, and the plan-data mutex made each time it
// opens; it joins every plan job before it saves and frees the plan. It
// never keeps the keyboard focus: the main window offers it the keys.

#include <cstdint>

#include "PLAN.h"
#include "TASTINFO.h"
#include "windows.h"

// Loads the plan behind the wait dialog and makes the window with the size
// the plan asks for within the rectangle; null, with nothing left behind,
// when the load dialog could not run the load.
HWND CreatePlan(HWND parent, int id, int venstre, int top, int hoejre, int bund);
LRESULT CALLBACK PlanWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The plan of an open plan window; null for any other window.
Plan *PlanAfVindue(HWND hwnd);

// The field layouts of the view: letter 'K' in view 'A', 'M' in 'M' and
// 'O' (with MedaVisning), the chosen switches, the field counts, the
// number of switch buttons, the detail level and sub-view back to 0 and
// the caption.
void PlanOpsaetLayout(Plan *plan);

// The shared current date follows the plan's current column: the week of
// the column, the weekday of the group's first or last date in its first
// or last week, else Wednesday; every other window and the date pane are
// told.
void SaetPlanPeriode(Plan *plan);

// The record of the current row's object: its activity in view 'A', its
// first employee in 'M' and 'O'; 0 when none.
uint32_t PlanAktuelPost(const Plan *plan);

// The row of the current group that holds the employment, 0 when none.
uint32_t PlanAnfoRaekke(const Plan *plan, uint32_t anfo);

// The weeks and weekdays of the current group's first and last date.
#pragma pack(push, 1)
struct PlanGruppeUger {
  uint32_t FraUge;
  uint32_t TilUge;
  uint8_t FraDag;
  uint8_t TilDag;
};
#pragma pack(pop)
static_assert(sizeof(PlanGruppeUger) == 10);
void PlanGruppensUger(const Plan *plan, PlanGruppeUger *ud);

// A click at (x, y) of a pane (the pane's click message): on the fold mark
// of a heading row or a period column it folds as the fold keys do, else
// the cell under it becomes current.
void PlanKlik(Plan *plan, UINT msg, int x, int y);

// After the shared current date or object changed: the column cursor on
// the date's week, the row cursor on the current activity (view 'A') or
// employment (view 'M').
void PlanFoelgAktuel(Plan *plan);

// A choice of the plan selection or the assignment window (the table
// letter, raised by 5 or 6 by some lists, and the record): the rows it
// needs in the current group. False, with the reason shown, when refused.
bool PlanValgt(Plan *plan, char bogstav, uint32_t rec);
// Takes the activity or employment (the current row's when rec is 0) out
// of the current group's plan by the removal rules; false when refused.
bool PlanFjern(Plan *plan, char bogstav, uint32_t rec);

// Frees the plan and every table it points to.
void FrigivPlan(Plan *plan);

// Stores the text of an edit box in the current cell by the edit rules of
// the cell's row and column; the budget and lesson-block columns of the
// left panel take the number as it stands. True when anything changed.
bool PlanGemIndtastning(Plan *plan, const char *tekst);

// After the keys changed the view, a layout or an axis: the header sizes
// and the plan list's field buttons again, the window fitted to the free
// client area and its panes laid out anew. The caller repaints.
void PlanLayoutSkiftet(Plan *plan);
