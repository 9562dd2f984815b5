#pragma once
// The plan periods of a plan group (ffpp): the weeks a group is divided
// into, kept so that they cover the group's weeks from the ISO week of its
// Fradato to that of its Tildato without gaps or overlaps; the window that
// lists them and lets the user move a period's first or last week or
// delete a period. Main thread only.

#include <cstdint>

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
// default). True to go on.
bool BekraeftSletPerioder(uint32_t gruppe, uint32_t periode);

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

// Removes one period of the group with its week and period figures, as
// the window's Delete key does, without a question and without closing
// the gap (NormaliserPlanPerioder does that). False for a record that is
// not a live period of the group.
bool FjernPlanPeriode(uint32_t gruppe, uint32_t periode);
