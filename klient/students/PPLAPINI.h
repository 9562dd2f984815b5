// The enrolment groups' slots and placements kept beside the record files
// in ini\pp.ini and ini\lap.ini, so that a group emptied by a new Elevplan
// fetch gets its earlier slots and placements back; the planning defaults of
// the groups; and the record operations that add slots, placements and
// blocked slots.
// Main thread only.
#pragma once

#include <cstdint>

// Lines of both files: at most 511 characters, fields of at most 99. A
// longer line, or a line with a longer field, is skipped whole.
constexpr int PPLAP_LINJE_LEN = 512;
constexpr int PP_FELTER = 4;   // group id; dag; lektion; ugenr
constexpr int LAP_FELTER = 6;  // group id; la id; dag; lektion; ugenr; divisor

// Restores the slots of ini\pp.ini for every group (with an id) that has no
// live slot; re-sorts pp.
void LoadPpIni();
// Restores the placements of ini\lap.ini for every group (with an id) that
// has no live, unblocked placement: each line sets the group's week or
// lesson mode and the activity's count and divisor, and places the activity
// on the slot of the line, made when missing. Re-sorts pp and lap.
void LoadLapIni();
// The planning defaults of every live group: the week/lesson mode ('L' for
// group 1, 'U' for the others), 22 to 26 students, 4 lessons by 2, 1 week
// by itself.
void SetTgDefaults();
// Live tg records.
uint32_t CountAktiveTg();

// The id of the live (or just made) slot of group tgRecNr with these
// values; made from the group's id when there is none. 0 when it cannot be
// made.
uint32_t FindOrAddPp(uint32_t tgRecNr, uint32_t tgId, uint32_t ugenr, uint32_t dag,
                     uint32_t lektion);
// A new slot (object letter "L") of the group with that id; its id, or 0
// when the record line was refused (nothing is left behind).
uint32_t AddPpRec(uint32_t tgId, uint32_t ugenr, uint32_t dag, uint32_t lektion);
// A new placement (object letter "L") of the activity on the slot, both by
// id; its id, or 0 when refused. Its record number in *pRecNr when given.
uint32_t AddLapRec(uint32_t tgId, uint32_t laId, uint32_t ppId, uint32_t lengde,
                   uint32_t *pRecNr = nullptr);
// A new blocked slot (object letter "L") of the student at the slot, all by
// id; its id, or 0 when refused.
uint32_t AddEbRec(uint32_t tgId, uint32_t elevId, uint32_t ppId, uint32_t lengde);

// Rewrites ini\pp.ini and ini\lap.ini from the tables, each only when a live
// record of it belongs to a group with an id above 10 (the test groups alone
// leave the files as they are). Both are written whole through the
// crash-safe save, in one commit. 0, or -1 when a file could not be written
// (the old ones are then kept).
int GemPpLapIni();
