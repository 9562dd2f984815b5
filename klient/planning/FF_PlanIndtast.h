#pragma once
// The plan's edit rules: what a number typed into a cell, a removal or a
// hide does to the plan rows. Each operation works on the source of a
// display copy and copies to the copy, leaves locked records (status bit
// 0x10) as they are, keeps the heading and employee sums right by taking
// the row out before the change and putting it back after, and writes what
// it changed at once, as one save. A refusal shows its message and changes
// nothing. Main thread.

#include <cstdint>

#include "PLAN.h"

// Column kinds of the number area.
enum : uint32_t { PLAN_KOL_TOTAL = 31, PLAN_KOL_PERIODE = 32, PLAN_KOL_UGE = 33 };

// Lessons (whole lessons) typed into a subject row's cell of the column
// (an index into ObjTypeTabX, PPeriode and UgeTab). A negative value in a
// period or the total is a maximum for the weeks that are not fixed. True
// when anything was changed.
bool SaetLektioner(Plan *plan, uint32_t kolonne, uint32_t raekke, int32_t lektioner);
// The period column of SaetLektioner, the value in tenths.
bool SaetPeriodeLektioner(Plan *plan, uint32_t kolonne, uint32_t raekke, int32_t tiendedele);
// Spreads lessons (tenths; the period's or group's per-week value at five
// teaching days) over the week indexes fra..til of a subject row, with the
// PlanStatus flags: 4 a week set by hand, 8 the group total, 16 a period
// total, 0 a clear. With flags 8 a period's week is left unless `force`.
void FordelLektioner(Plan *plan, uint32_t fra, uint32_t til, uint32_t raekke, int32_t vaerdi, uint32_t flag,
                     bool force);
// Clears the lessons (hours on a kind-14 row) of the cell; a week takes
// back its period or group spread. True when anything was changed.
bool SletLektioner(Plan *plan, uint32_t kolonne, uint32_t raekke);
// Hours typed into a kind-14 row's cell, as the edit box holds them: the
// first comma is the decimal point ("7,5" is 7.5 hours).
bool SaetTimer(Plan *plan, uint32_t kolonne, uint32_t raekke, const char *tekst);
// Marking work (UnderVisning 1) or exam time (2) typed into a subject
// row's week or period cell, read as SaetTimer reads it.
bool SaetRetteEksamen(Plan *plan, uint32_t kolonne, uint32_t raekke, const char *tekst);
// Clears marking work (flag 64) or exam time (flag 32) of the cell.
bool SletRetteEksamen(Plan *plan, uint32_t kolonne, uint32_t raekke, uint32_t flag);
// The marking factors of a subject for a plan group: the first live tif
// record of the subject that starts on or before the group's Tildato and
// has not ended before its Fradato gives its assignments and minutes (each
// only when above 0). 1 when one was found, else 0.
int FindRetteFaktorer(uint32_t skfa, uint32_t gruppe, float *opgaver, float *minutter);

// Removes an activity from the current group: its heading and subject rows
// with their records and its membership; when it belongs to no group any
// more, every ffgrund record of it. Refused while it has lessons or hours
// or an employee. True when removed.
bool FjernAktivitet(Plan *plan, uint32_t akti);
// Removes an employment's row (kinds 9, 14, 15, 35, 200) from the group and,
// when it has no subject or hours row left there, its other rows of the
// group; when it belongs to no group any more, every ffgrund record that
// has it first. Refused while the row has lessons or hours (the message
// only with `spoerg`). True when removed.
bool FjernMedarbejder(Plan *plan, uint32_t gruppe, uint32_t anfo, uint32_t raekke, bool spoerg);
// Removes the hours rows of the activity under the cursor (one row, or all
// of them from the kind-13 heading), and the heading when no hours row with
// an employee is left. Refused while the cursor's row has hours.
bool FjernOpgave(Plan *plan, uint32_t akti);
// Takes an employment off a row; a first employment that goes is replaced
// by the second with its minute norm and hours.
bool FjernMedarbejderFraRaekke(Plan *plan, uint32_t anfo, uint32_t raekke);
// Shows a hidden row, or hides a row without numbers and employees.
bool SkjulRaekke(Plan *plan, uint32_t raekke);
