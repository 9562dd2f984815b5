#pragma once
// The plan window's keys: the first step moves the cursor and collects
// digits; the command handler acts on the key.

#include <cstdint>

#include "PLAN.h"
#include "TASTINFO.h"

// Mode 1 only tells whether the key would act, mode 2 acts. 1 when the key
// is to go on to PlanTast.
int PlanTastTrin(Plan *plan, TastInfo *tast, int mode);
// The command of the key; *resultat gets what is to be repainted (1 all,
// 2 the column changed, 4 the row changed; 0 nothing).
void PlanTast(Plan *plan, TastInfo *tast, uint8_t *resultat);
