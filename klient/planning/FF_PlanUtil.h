#pragma once
// Small services of the planning module: the weekdays an activity, an
// employment or the schedule period leaves out of a week, the removal of a
// plan record in a way the export can follow, the pending-export mark, the
// width of a plan column and the lookups in the gross table.

#include <cstdint>

#include "DATO.h"
#include "PLAN.h"
#include "windows.h"

struct TabDesc;
struct TabVar;

// Day masks: bit 1 Monday .. bit 16 Friday; a set bit is a day not covered.
constexpr uint8_t kAlleDage = 31;

// The days Monday to Friday of the week before the record's Fradato or
// after its Tildato; 0 for record 0 or one outside the table.
uint8_t AnfoUdenforDage(uint32_t anfo, Uge uge);
uint8_t AktiUdenforDage(uint32_t akti, Uge uge);
// The days outside the schedule period; every day for a week outside
// 190001..209953.
uint8_t PeriodeUdenforDage(Uge uge);
// The days that are no school day in the activity's calendar, lie outside
// the schedule period, or (with [farver] markerhellig) are public holidays.
uint8_t AktiIkkeSkoleDage(uint32_t akti, Uge uge);
// Plannable days of the week: row type 2 the smallest of the three counts
// (the employment's only when one is given), row type 14 1 when Wednesday
// lies inside the activity's (and the employment's) dates, else 5.
uint32_t PlanDageIUge(uint32_t akti, uint32_t anfo, Uge uge, uint32_t raekkeType);

// Removes record n of a plan table or marks it deleted for the export; n
// when the record stays, 0 when it was freed. A record that bit 16 keeps is
// left alone; one the central system knows (bit 32, or an id) gets bits
// 0x48; any other is freed. Every change marks the record's block.
uint32_t SletEllerMaerkRec(const TabDesc *pTd, TabVar *pTv, uint32_t n);

// Main thread: raises the plan-export counter from 0 to 1 and repaints the
// export status pane; nothing when the counter is already set.
void MarkerPlanEksport();

// Column areas of the plan grid.
enum : uint32_t { PLAN_OMR_VENSTRE = 4, PLAN_OMR_UGER = 5, PLAN_OMR_HOEJRE = 6 };

// Width in pixels of column `kolonne` (1-based) of an area: the field of the
// area's layout whose number is the column's kind. 0 for a column beyond the
// area, a kind of 0, a layout kind above 115 or a missing field.
uint32_t PlanKolonneBredde(const Plan *plan, uint32_t kolonne, uint32_t omraade);

// The value the gross-table entry of the plan's current row holds for the
// employment; 0 without a table, an empty entry or an employment not in it.
uint32_t PlanBruttoVaerdiIPlan(const Plan *plan, uint32_t anfo);
// The same, the Plan asked of the plan window (message 1324).
uint32_t PlanBruttoVaerdi(HWND hwndPlan, uint32_t anfo);

// The pick of the suggestion: among the entry's employments that are live
// (Status 10..29) and not archived, the one with the largest value, the
// first of equals; 0 when none has a value.
uint32_t PlanVaelgBruttoMedarbejder(const BruttoTabel *tab, uint32_t raekke);

// The employee to suggest for the current row: the gross table of the
// current group built afresh, and its pick for the row; 0 when none.
uint32_t PlanForeslaaMedarbejderIPlan(Plan *plan);
// The same, the Plan asked of the plan window (message 1324).
uint32_t PlanForeslaaMedarbejder(HWND hwndPlan);
