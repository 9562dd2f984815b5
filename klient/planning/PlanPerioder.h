#pragma once
// The plan periods of a plan group (ffpp): the weeks a group is divided
// into, kept so that they cover the group's weeks from the ISO week of its
// Fradato to that of its Tildato without gaps or overlaps; the window that
// lists them and lets the user move a period's first or last week or
// delete a period. Main thread only.

#include <cstdint>
#include <vector>

#include "DATO.h"
#include "windows.h"

// Opens the periods window of the plan group (an ffpg record number) as a
// child of parent at x, y; its size follows the chosen field layouts, kept
// left of hoejre and above bund. 0 when the window could not be made.
HWND CreatePlanPerioderWnd(HWND parent, HWND ejer, int x, int y, int hoejre, int bund, uint32_t gruppe);

// A new period of the group from frauge to tiluge (YYYYWW), owned by this
// installation; ffpp is saved at once. The record number, 0 when no record
// could be made.
uint32_t NyPlanPeriode(uint32_t gruppe, uint32_t frauge, uint32_t tiluge);

// Sums what is registered in the period (0: in every period of the group)
// and, when anything is, asks whether to go on (OK/Cancel, Cancel the
// default; owner ejer, 0 for the main window). True to go on.
bool BekraeftSletPerioder(uint32_t gruppe, uint32_t periode, HWND ejer = 0);

// Brings the group's periods into line with its weeks. With keep set a
// lone period is stretched over the group and the last period is
// stretched to the last week; without it the missing weeks get a period
// of their own. Periods the export left to others (status 0x40 with 0x10)
// are not touched. True when anything changed.
bool NormaliserPlanPerioder(uint32_t gruppe, int keep);

// Removes what the group's plan data holds outside its dates: the week
// figures outside its weeks, the period figures of the period (0: none)
// when it lies wholly outside, employments and activities that no longer
// overlap the group. The number of clean-ups that ran (0 for an invalid
// group).
int RydPlanGruppe(uint32_t gruppe, uint32_t periode);

// Removes one period of the group with its week and period figures (the
// week figures of its weeks and those outside the group's weeks), as the
// window's Delete key does, without a question and without closing the gap
// (NormaliserPlanPerioder does that). The tables are not saved. False for a
// record that is not a live period of the group.
bool FjernPlanPeriode(uint32_t gruppe, uint32_t periode);

// ---- the parts the window and the tests use

// The group's first and last week (the ISO weeks of its Fradato and
// Tildato); false for a group that is not in use or whose dates give no
// week.
bool PeriodeGruppeUger(uint32_t gruppe, Uge *foerste, Uge *sidste);
// The group's periods that are not deleted, by first week (ties by record
// number).
std::vector<uint32_t> PlanPeriodeListe(uint32_t gruppe);
// A week that exists: YYYYWW with WW from 01 to the weeks of the ISO year.
bool GyldigUge(Uge uge);
// Whether the week lies within the group's weeks; otherwise tells the user
// ("før dato" with Fradato, "efter dato" with Tildato; owner ejer). An
// invalid group is false without a message.
bool UgeIPlan(uint32_t gruppe, Uge uge, HWND ejer = 0);
// Whether a week figure record may stay: true for a free or deleted one,
// else whether its week lies within the group's weeks.
bool TalTabIPlan(uint32_t gruppe, uint32_t taltab);
// Deletes the week figures of the group's plan rows that lie outside its
// weeks. 1, or 0 for an invalid group.
int SletTalTabUdenforPlan(uint32_t gruppe);
// Deletes the period figures of the group's plan rows for the period:
// with mode 1 when the period overlaps the group's weeks, with mode 0 when
// it does not. 1, or 0 for an invalid group or period.
int SletPerTabForPeriode(uint32_t gruppe, uint32_t periode, int mode);
// Saves the periods with the plan tables they touch in one crash-safe
// save; tells the user (owner ejer) and answers false when it failed.
bool GemPlanPerioder(HWND ejer);

// The window procedure of PlanPerioderWndClass.
LRESULT CALLBACK PlanPerioderWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
