// Event marks, lanes per grid row and the small event tests: what the
// painting and the row headers need of every row once per rebuild, the find
// and subject marks, the ring systems with the window's lesson times,
// stepping the cursor from event to event, and the participant, period and
// school-day tests that the checks and the event editor share. Main thread
// only.
#pragma once

#include <cstdint>

#include "AVS.h"
#include "DATO.h"
#include "SKEMA.h"

// Rebuilds the per-row tables (overlap flag, lanes, cell extremes) and the
// window-wide lane count from the window's chains, stores each event's lane
// in its entry, and, while events are being marked to delete or change,
// marks the events that meet the find letters (Statustekst) against the
// reference event (SoegAVS) with colour 27.
void MarkerBegivenheder(SkeStruct *ske);
// Frees the per-row tables.
void FrigivRaekkeMarkeringer(SkeStruct *ske);
// Whether an event meets every find letter against the reference: T times,
// B remark text, S subject, K activities, L rooms with roles, M employments
// with roles and minutes, O the employments' roles, R ring system, F another
// installation's, E the own installation's.
bool OpfylderSoegning(const AVS &avs, const AVS &ref, const char *bogstaver);

// The painter's colour of a cell (grid row, entry, weekday, cell), which
// the find marking of an embedded window also tests; filled by the grid
// painter. Without it the cells are not tested.
extern uint8_t (*SkeCelleFarveKrog)(SkeStruct *ske, uint32_t raekke, uint32_t indgang, uint8_t ugedag,
                                    uint32_t celle);

// In a dot schedule of the ordinary variant with the subject switch on:
// colour 36 for the events of the selected subject, 0 for the others.
void MarkerFag(SkeStruct *ske);

// One byte per ring-system record into tab (tabAntal bytes): 1 when a live
// ring system has the start and end times of ring system risy over the
// lessons the lesson view shows. All 0 without a valid reference or with
// fewer than two ring systems.
void IdentiskeRinge(SkeStruct *ske, uint8_t *tab, uint32_t tabAntal, uint32_t risy);

// Moves the cursor to the next event in reading order (the events of the
// cursor's cell one by one, then the cells to the right, then the following
// rows, wrapping once to the first row) and takes its objects as the
// current ones. 1 when it moved to another event.
uint8_t NaesteBegivenhed(SkeStruct *ske);

// The current objects from an event's first row: an activity window takes
// its employment and room, an employee window its activity and room, a room
// window its activity and employment. First row 0 clears the current
// objects of the other two kinds.
void SaetAktuelleObjekter(char art, uint8_t aarIdx, uint8_t uge, uint32_t forste);

// Participants that take part in overlap checks: an employment in both sets
// with a role of Check_skemasammenfald 'J' in each; a room in both with a
// room role of Check_sammenfald 'J' in each; an employment (any, or anfo)
// with such a role.
bool FaellesMedarbejderSammenfald(const AVS *a, const AVS *b);
bool FaellesLokaleSammenfald(const AVS *a, const AVS *b);
bool HarSammenfaldsRolle(const AVS *avs, uint32_t anfo);

// True when the activity may not be scheduled on the date: it has module
// records (amm) and none covers the date, or it has period records of the
// subject (sphp) and none covers the date.
bool AktiUdenforPeriode(Dato dato, uint32_t akti, uint32_t skfa);

// Non-zero when the date is a school day of the school calendar (skka
// record); 0 for a date outside the calendar's years, a week whose day bit
// is clear, and when a record is missing (calendar 0 included).
uint8_t IsSkoledag(Dato dato, uint32_t skka);

// The live activities (status 10..29) that share the teaching course of the
// row's activity, the activity itself included; 0 when the row has no
// activity with a course.
uint32_t CountUvfoAkti(const SkeStruct *ske, uint32_t raekke);

// The first and last date of the chosen cells (bit 8) of the window's block
// table; both 0 when it has none.
void BlokeredePeriode(const SkeStruct *ske, Dato *fra, Dato *til);
