// The planning rules of the enrolment planning: a locked enrolment group
// cannot be edited, and the refusal names why; wishes are moved from one
// learning activity to another and back; an activity is duplicated a
// limited number of times; students go on and off activities only when the
// activity, their other placements and its capacity allow it; an activity
// or a group is re-dimensioned only when nobody is placed on it.
//
// Every command has one calling shape: the workspace, the current group
// and activity records, Ctrl and Shift (non-zero while held), the mode (1
// ask, 2 perform) and the repaint wanted (ELEVPLAN_TEGN_*). All tests come
// before any change; a refusal shows its message (exclamation, OK) only in
// mode 2 and answers 0, so asking never shows or changes anything.
// Main thread only.
#pragma once

#include <cstdint>

#include "ELEVPLANWS.h"

// The group's lock (Laast), which every editing command tests first; false
// for a reference outside the table.
bool TgLaast(uint32_t tg);
// The lock message of group record tg under the caller's caption, in mode 2
// only (exclamation, OK): the enrolments have gone to EASY, the group has
// been exported to Elevplan, or it must be fetched from Elevplan first.
// Nothing for a group with none of the three causes.
void VisTgLaas(uint32_t tg, const char *titel, int mode);

// Ctrl+M: marks the activity's wishes for a transfer (HusketLa).
int MarkerOensker(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode,
                  int *pTegn);
// Ctrl+O: the wishes of the marked activity go to the current one, whose
// students they then count for; the marked activity's students are taken
// off.
int OverfoerOensker(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode,
                    int *pTegn);
// Takes every student placed directly on an activity of la's duplicate
// family off it and clears the family's transfer.
void OpgivOverfoersel(ElevPlanWS *ws, uint32_t la);
// Ctrl+T: a transfer undone, from its source or from its receiver.
int TilbagefoerOensker(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode,
                       int *pTegn);
// Ctrl+D: a new duplicate of the activity's family (at most 8 beside the
// head), made here and not yet sent.
int OpretDublet(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode,
                int *pTegn);
// Ctrl+S: the students of the activity (with Shift: of every listed one)
// taken off, apart from those of activities that keep their students.
int FjernAlleElever(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode,
                    int *pTegn);
// Ctrl+R: dialog 152 edits the activity and its duplicates.
int RetLa(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode, int *pTegn);
// Ctrl+Shift+R: dialog 156 lays the group's slots anew (weeks or a grid of
// days by lessons) with its default numbers, which every activity takes.
// The group's slots, placements and the students' blocks at its slots are
// replaced; the workspace then no longer matches the records and must be
// rebuilt, with nothing written back (its changed flags are cleared).
int RetTg(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode, int *pTegn);
// Ctrl+F: students who wish the activity placed on it until it is full;
// with Shift every student of the group placed again.
int FyldLa(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode, int *pTegn);
// One student on or off an activity: Space in the activity and student
// windows, Insert for the remembered students (as with Ctrl and Shift
// held). Ctrl places a student who did not wish the activity, Ctrl with
// Shift one on a full activity.
int PlacerEllerFjernElev(ElevPlanWS *ws, uint32_t tg, uint32_t la, uint32_t elev, int ctrl,
                         int shift, int mode, int *pTegn);
