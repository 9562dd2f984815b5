#pragma once
// The in-place editors of the plan grid: a text box or a number box over
// the current cell, or the number dialog for a minute norm. The boxes send
// their text to the plan window (EDITBOX_OK, EDITBOX_FORTRYD of
// BESKEDER.h), which stores it; at most one box is open at a time, and the
// plan keeps its handle.

#include <cstdint>

#include "PLAN.h"

// Opens the editor the current cell takes, by the current column area and
// kind, the row's kind and UnderVisning, with the typed text cut to the
// cell's limit; when a box is open it only closes it. Always false.
bool PlanRedigerCelle(Plan *plan, const char *tekst);
// A text box of at most graense characters over the current cell of the
// area (PLAN_OMR_VENSTRE or PLAN_OMR_UGER), inside the raised bars of a
// period column.
void PlanRedigerTekst(Plan *plan, const char *tekst, uint32_t graense, uint32_t raekke, uint32_t omraade);
// A number box over the current cell with the text read as a whole number
// of the last decimal's units ("-" first for a negative one); centred on
// a column narrower than the box.
void PlanRedigerHeltal(Plan *plan, const char *tekst, uint32_t raekke, uint32_t omraade, uint32_t decimaler);
// The number dialog for the minute norm *norm of row raekke; a changed
// value is stored in *norm and the plan window is sent EDITBOX_OK.
void PlanRedigerTimer(Plan *plan, float *norm, uint32_t raekke, uint32_t omraade);
