#pragma once
// The plan model in memory and its record writers: plan rows with their
// week and plan-period entries, the per-object tables, the lookups over the
// rows, the writers of ffgrund, fftaltab and ffpertab, the save pass and the
// duplicate removal. Row numbers never move while the model lives. Runs on
// the main thread, or on a plan thread holding hPlanMutex.

#include <cstdint>
#include <vector>

#include "PLAN.h"
#include "windows.h"

struct FfgrundRec;

// Growth step of the rows after the model was emptied.
constexpr uint32_t kGrundTabStep = 100;

// Makes room for row number `raekker`; the first allocation takes
// raekker + 2 entries; new entries are zeroed.
void SikrGrundTab(Plan *plan, uint32_t raekker);
// Appends a row built from an ffgrund-shaped record with its week and
// period tables; a subject row with a source row (kilde) copies that row's
// weekly lessons and their PlanStatus and works out their hours. With `gem`
// the row is written to ffgrund. The new row number.
uint32_t NyPlanRaekke(Plan *plan, const FfgrundRec *rec, uint32_t kilde, bool gem);
// Frees the rows with their tables, the order and the kinds.
void TomPlan(Plan *plan);
// Frees, and allocates anew with the tables' counts of the moment, the
// per-activity, per-employment and per-pair tables.
void TomPlanTabeller(Plan *plan);
void AllokerPlanTabeller(Plan *plan);

// Lookups over the rows in display order (row-number order while no order
// is built); first match wins, 0 when none.
uint32_t FindAktiRaekke(const Plan *plan, uint32_t gruppe, uint32_t akti);
uint32_t FindFagRaekke(const Plan *plan, uint32_t gruppe, uint32_t akti, uint32_t skfa);
// The live skph record of the pair, 0 when none.
uint32_t FindSkph(uint32_t akti, uint32_t skfa);

// Usable in a plan group: a live team activity of the group's dates that
// belongs to the group, not cancelled nor deleted in EASY; a live,
// unarchived employment of the group's dates that belongs to the group.
bool AktiBrugbarIGruppe(uint32_t akti, uint32_t gruppe);
bool AnfoBrugbarIGruppe(uint32_t anfo, uint32_t gruppe);
// A plan period of the group: not deleted, of the group, the Sunday of its
// first week on or after the group's Fradato and the Monday of its last week
// on or before the group's Tildato.
bool PeriodeIGruppe(uint32_t ffpp, uint32_t gruppe);
// The group's plan periods ordered by first week, clipped to the schedule
// period, as PeriodeTab holds them (position 1 is element 0).
std::vector<PeriodePost> PlanPerioder(uint32_t gruppe);
// Fills the plan's PeriodeTab, PeriodeSort and PeriodeAntal for the group.
void LavPeriodeTab(Plan *plan, uint32_t gruppe);
// The week index of a date: 0 before the schedule period, the number of
// weeks + 1 after it.
uint32_t PlanUgeIndeks(Dato dato);

// The hours of a week's lessons for both employments of a row.
void BeregnUgeTimer(Plan *plan, uint32_t uge, uint32_t raekke, int32_t lektioner);

// ---- Writers ----
// Writes the row's ffgrund record (with `medTal` also its week and period
// records) and saves ffgrund; the record number, 0 when the row is not
// stored (a copy, another installation's row, a kind not stored).
uint32_t GemRaekke(Plan *plan, uint32_t raekke, bool medTal);
// Every period and week record of the row; saves ffpertab and fftaltab.
void GemRaekkeTal(Plan *plan, uint32_t raekke);
// One week entry; `gem` saves fftaltab at once.
void GemUge(Plan *plan, uint32_t uge, uint32_t raekke, bool gem);
// One period entry at position `pos` for the ffpp record; `gem` saves
// ffpertab at once.
void GemPeriode(Plan *plan, uint32_t pos, uint32_t ffpp, uint32_t raekke, bool gem);
// The save pass of the plan window, stepping the progress bar (control
// 1077) of hDlg when given. The six plan tables of its step 4 are one
// crash-safe save: false, after telling the user, when it failed.
bool GemPlan(HWND hDlg, Plan *plan);

// One pass of duplicate removal each; the number of records deleted.
uint32_t FjernGrundDubletter();
uint32_t FjernPerTabDubletter();
uint32_t FjernTalTabDubletter();

// The first period record of the row whose period overlaps the given one
// and belongs to another plan group; 0 when none.
uint32_t FindPerRec(uint32_t grund, uint32_t ffpp);
