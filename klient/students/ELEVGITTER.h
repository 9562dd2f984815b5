// The planning workspace's way in and out: default slots for a group that
// has none and default placements for activities that have none, the plan,
// wish, duplicate and overlap matrices read from the records, and the
// write-back of the plan, the placements and the students' blocked slots to
// lap, ev and eb when the group is left, each table saved at once. In a
// read-only run the records change in memory but no record file is
// written: the owner of the lock is working on those files.
// Main thread only.
#pragma once

#include <cstdint>

#include "ELEVPLANWS.h"
#include "TABREG.h"

// Live activities of the workspace's group (only those with aktiv 1 while
// the group hides its archived ones), and live slots of the group.
uint32_t AntalLaIGruppe(const ElevPlanWS *ws);
uint32_t AntalPpIGruppe(const ElevPlanWS *ws);

// Default slots of group record tg when it has no live slot: one a week
// over the group's period within the schedule period, made from the last
// week back ('U'), or one for each lesson of each day shown ('L').
void OpretStandardPp(uint32_t tg);
// Drops the group's placements on archived activities and on slots that are
// gone, fills the activities' zero defaults from the group, and lays
// default placements for listed activities that have none.
void OpretStandardLap(ElevPlanWS *ws, uint32_t tg);
// PlanGitter and LaSpaerring from the group's live placements.
void ByggPlanGitter(ElevPlanWS *ws, uint32_t tg);
// Oensker, and the activities' wish counts, from the group's wishes of
// priority 1 and 2.
void ByggOensker(ElevPlanWS *ws, uint32_t tg);
// Dubletter: the activities of one duplicate family are duplicates of one
// another.
void BeregnDubletter(ElevPlanWS *ws, uint32_t tg);
// Overlap: two activities (one with itself included) that hold a cell of
// one slot column.
void BeregnOverlap(ElevPlanWS *ws);

// Writes back what the changed flags name (lap, ev, eb) for the group the
// workspace was built for, then saves tg. The flags stay as they are.
void GemElevPlan(ElevPlanWS *ws, uint32_t tg);
void GemLap(ElevPlanWS *ws, uint32_t tg);
void GemEv(ElevPlanWS *ws, uint32_t tg);
void GemEb(ElevPlanWS *ws, uint32_t tg);
// Writes back the group shown, then frees every list, matrix and button
// array and the workspace.
void FrigivElevPlanWS(ElevPlanWS *ws);

// Live activities whose id or kopi_id is laId.
uint32_t AntalLaMedDubletter(uint32_t laId);

// The save of one enrolment table that the write-back uses: at once, apart
// from the save of all data; nothing in a read-only run. 0 or the error
// number.
int GemElevTabel(const TabDesc *pTd, TabVar *pTv);

// The build's pass over the wishes: the group's live wishes (record
// numbers), gathered once and handed to ByggOensker so that it need not
// walk the whole table again.
void ByggOenskerFraListe(ElevPlanWS *ws, uint32_t tg, const uint32_t *ev, uint32_t antal);
