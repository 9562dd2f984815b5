#pragma once
// Folding of the plan's header rows and period columns, and the object the
// cursor stands on.

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
