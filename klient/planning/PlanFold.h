#pragma once
// Folding of the plan's header rows and period columns, and putting the
// cursors back on their objects after the plan window rebuilds its axes.
// A fold flag lives twice, in the model and in its record, so the record's
// block is marked for the next save whenever the flag is set.

#include <cstdint>

#include "PLAN.h"

// The value that would toggle the object's fold flag: headers (kinds 1, 9,
// 13, 22) when folded, a period column (32) when its period is folded, and
// always for the column group (31) and the scheduled-lessons rows (200).
// typeTab is the kind table of the object's axis (ObjTypeTab for rows,
// ObjTypeTabX for columns).
bool UdfoldSkift(const Plan *plan, const uint32_t *typeTab, uint32_t objekt);

// The object of the row under the cursor: the activity of an activity or
// subject row in views 'A' and 'O', the first employee in view 'M' and of
// the employee rows; 0 for any other row.
uint32_t PlanCelleObjekt(const Plan *plan);

// Sets the fold flag of a header row (kinds 1, 9, 13, 22) or a period
// column (32) and of its ffgrund or ffpp record when it has one; other
// kinds carry no flag.
void SaetUdfold(Plan *plan, const uint32_t *typeTab, uint32_t objekt, bool udfold);
// Opens or closes every header of the range around position `pos` of an
// axis whose position list is objTab[1..antal]: all open when every one of
// them is folded, else all closed. A detail row's range is its owner's
// block; any other position's the whole axis.
void SaetUdfoldAlle(Plan *plan, const uint32_t *objTab, const uint32_t *typeTab, uint32_t antal, uint32_t pos);
// The fold command on the row cursor (its owner header for a detail row):
// one header toggled, or with `alle` every header of the axis; the rows
// rebuilt and the cursor back on the header. False when there are no rows.
bool FoldRaekke(Plan *plan, bool alle);
// The fold command on the column cursor (a week column acts on its period):
// the period toggled; with `alle` every period; with `alle` and `gruppe`
// on a period column, every period from the column group. The columns
// shown rebuilt and the cursor on the column it acted on.
bool FoldKolonne(Plan *plan, bool alle, bool gruppe);

// Puts the row cursor on the row of an object in the current plan group:
// the last main row of kind `type` (any header or employee kind for 0)
// whose activity (kinds 1, 13) or first employee (2, 9, 15, 35, 200) is the
// object; with a subject, the subject row of its unfolded block in views
// 'A' and 'M'. The new cursor position.
uint32_t FindPlanRaekke(Plan *plan, uint32_t objekt, uint32_t skolefag, uint32_t type);
// Puts the row cursor on the first position showing row `objekt` of kind
// `type`, or on 1; the new cursor position.
uint32_t SaetRaekkeCursor(Plan *plan, uint32_t objekt, uint32_t type);
// Before the plan window rebuilds its axes: what both cursors stand on.
void HuskPlanCursor(Plan *plan);
// After a rebuild of the columns: the column cursor on the first column of
// the remembered kind and week (else of the column now at the cursor), or
// on 1 when it is gone.
void BevarKolonneCursor(Plan *plan);
// After a rebuild of the rows: the row cursor on the remembered row, else
// on the row now at the cursor, else on 1.
void BevarRaekkeCursor(Plan *plan);
// The caption and the summary column axes afresh, with no column current.
void NulstilLXAkse(Plan *plan);
void NulstilRXAkse(Plan *plan);
// Makes the plan group of [ffplan] ffplangruppe, else the first group, the
// plan's current group and the plan-group table's current record.
void VaelgStartPlanGruppe(Plan *plan);
