// The automatic placement of one enrolment group: its learning activities
// laid on slots so that the expected demand spreads evenly, then each
// student placed on the combination of wished activities that gives the
// most lessons, over as many runs as the user asks for, keeping the best.
// Chance enters only in the order and choice of the activities' slots, from
// the program's own random source; the student placement is deterministic
// for a given slot plan. Works on the planning workspace, main thread only;
// nothing is saved here (the window writes the plan back when the group is
// left).
#pragma once

#include <cstdint>

#include "ELEVPLANWS.h"

// At most this many ways of laying one activity's blocks are listed.
constexpr uint32_t ALTERNATIVER_MAKS = 100;
// The per-student search stops after this many steps.
constexpr uint32_t SOEGESKRIDT_MAKS = 100000;

// Ctrl+K: dialog 151 asks for the method and the number of runs, then the
// runs and the replay of the best. 1 when available (mode 1) or carried
// out, Cancel included; 0 without a current group or activity, without
// Ctrl, or in a locked group (whose lock message is shown in mode 2).
int AutoPlacering(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int mode);

// The runs themselves with the workspace's PlaceringsMetode and
// AntalSimuleringer: each run resets the placements, lays the activities
// on slots and places every student; the best run's slot plan is laid again
// at the end and its students placed on it.
void KoerSimuleringer(ElevPlanWS *ws);

// The slot group keys of each slot position 1..PpAntal (arrays of
// PpAntal + 1): g1 the fine grain (a block of the group's divisor within a
// day, or whole days), g2 the coarse one (a day, or all slots as one).
void SlotGrupper(const ElevPlanWS *ws, uint32_t *g1, uint32_t *g2);

// The ways of laying activity position a's blocks (their number and length
// read from its present plan row) on slots, each block inside one group of
// g and on no slot barred for the activity, in lexicographic order of the
// block starts. Each way is written as a row of PpAntal + 1 bytes (column 0
// unused) in the plan's block codes into raekker, which holds
// ALTERNATIVER_MAKS rows; raekker may be null to count only. Their number.
uint32_t LavAlternativer(const ElevPlanWS *ws, uint32_t a, const uint32_t *g, uint8_t *raekker);

// Whether activity position a can still lay its blocks with all slots as
// one group and its barred slots as they stand (the X key's test).
bool HarPladsAlternativ(const ElevPlanWS *ws, uint32_t a);

// Lays every active activity on slots (PlanGitter); activities that do not
// take part are left without slots.
void AutoPlacerLa(ElevPlanWS *ws);

// Places every student, the largest wished activity first; the lessons
// placed of kind 1, 2 and 3 are added to *p1, *p2 and *p3. metode 1 places
// only priority-1 wishes, 2 priority-1 and priority-2 wishes.
void PlacerAlleElever(ElevPlanWS *ws, uint32_t *p1, uint32_t *p2, uint32_t *p3, int metode);

// Places one student (record number) on the best admissible combination of
// the activities he wished and can still join; the lessons placed added to
// the sums of their kinds. The lessons placed in all.
uint32_t PlacerElev(ElevPlanWS *ws, uint32_t elev, uint32_t *p1, uint32_t *p2, uint32_t *p3,
                    int metode);

// Every student of the group placed again on the slot plan as it stands:
// the placements reset (kept students stay), the overlap and the display
// marks recomputed, and PlacerAlleElever with PlaceringsMetode.
void PlacerGruppenIgen(ElevPlanWS *ws);
