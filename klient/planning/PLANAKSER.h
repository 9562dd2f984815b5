#pragma once
// The plan window's axes: the plan groups (StyrZ), the plan periods, the
// number columns (ObjTypeTabX, PPeriode, UgeTab, ObjTabX and the visible
// list StyrX with StyrXRev), the text columns left and right (StyrLX,
// StyrRX) and the rows of each view (Ens.ObjTab, StyrY, StyrYRev). Every
// table built here is the plan's, allocated with malloc and freed by
// FrigivPlanAkser; a rebuild frees what it replaces.

#include <cstdint>

#include "PLAN.h"

// Sorts liste[1..antal] (ffpg record numbers) by the shown texts of the
// first date, the owner and the name.
void SorterPlanGrupper(uint32_t *liste, uint32_t antal);
// The plan groups the plan lists: in use, not deleted, of this
// installation, in SorterPlanGrupper's order, into StyrZ; then the span of
// the plan (the groups' earliest first and latest last date, or this
// calendar year without a group, cut to the schedule period) as first and
// last week, month and year, and UgeAntal.
void BygGruppeListe(Plan *plan);
// The plan periods of the group into PeriodeTab and PeriodeSort.
void BygPeriodeListe(Plan *plan, uint32_t gruppe);
// The number columns of the current group: the total (31) while
// UnderVisning is 0, then per period its column (32) and one week column
// (33) per week from the period's first Wednesday in steps of a week.
void BygKolonner(Plan *plan);
// The columns shown: the total, each period, and the weeks of unfolded
// periods; StyrXRev gets each column's place (0 when not shown).
void BygSynligeKolonner(Plan *plan);
// The text columns from the left panel's and the plan list's field
// layouts; the left one takes only fields 21 to 26 and 273 in view 'A'.
void BygVenstreKolonner(Plan *plan);
void BygHoejreKolonner(Plan *plan);
// The rows of the view, sorted by the view's key first when `sort` is set;
// each heading's sums are rebuilt from the rows placed under it.
void BygRaekker(Plan *plan, bool sort);
// The sorted rows of the view as BygRaekker lays them out, leaving every
// figure as it is: for a caller that builds all the figures afresh after it.
void BygRaekkeOrden(Plan *plan);
// The size the plan window asks for within what it is offered.
int32_t PlanBredde(const Plan *plan, int32_t tilbudt);
int32_t PlanHoejde(const Plan *plan, int32_t tilbudt);
// The row has numbers in the group's weeks: a kind-13 row with posted
// hours, or a week of the group's dates with posted, foreign posted or
// entered hours.
bool HarTal(const Plan *plan, uint32_t raekke, uint32_t gruppe);
// After a period change: the right text columns, the number columns and
// the visible columns again, the cursor kept on its column where it is
// still shown, and the first column shown moved one step.
void GenbygKolonner(Plan *plan);
// Frees every table built here.
void FrigivPlanAkser(Plan *plan);
// The heading takes the rows laid under it in the view: BygRaekker zeroes
// its sums and adds them again from those rows, in the order shown.
bool OverskriftSummeresIRaekker(const Plan *plan, uint32_t h);
// BygRaekker(plan, true) for a caller that has just worked out every row's
// own totals and left the headings summed in the layout clean (the load):
// only the headings' are built again.
void BygRaekkerOverRegnedeRaekker(Plan *plan);
