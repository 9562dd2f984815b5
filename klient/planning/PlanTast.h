#pragma once
// The plan window's keys: the first step moves the cursor and collects
// digits; the command handler acts on the key. The plan window never keeps
// the focus, so every key arrives through the main window.

#include <cstdint>

#include "PLAN.h"
#include "TASTINFO.h"

// Mode 1 only tells whether the key would act, changing nothing; mode 2
// moves the cursor (plan groups with Ctrl+PgUp/PgDn) and collects a typed
// digit. 1 when the key is to go on to PlanTast.
int PlanTastTrin(Plan *plan, TastInfo *tast, int mode);
// The command of the key; *resultat gets what is to be repainted (1 all,
// 2 the column changed, 4 the row changed; 0 nothing).
void PlanTast(Plan *plan, TastInfo *tast, uint8_t *resultat);

// Whether the current cell may be edited, by the row's kind, the column's
// kind (left panel or week area), the view, MedaVisning and the sub-view;
// in the week area also by the entry's PlanStatus.
bool PlanCelleRedigerbar(const Plan *plan);

// A number stored in a cell through its edit box becomes what Insert
// pastes: lessons as whole lessons, hours as they were typed.
void PlanHuskKopi(Plan *plan, const char *tekst);
