#pragma once
// Plan group membership: activities ('K') and employments ('M') belong to
// a plan group through ffpgrel records, each a carrier of one activity slot
// and one employment slot of its group. Main thread, or a plan thread
// holding hPlanMutex. Nothing here saves the table.

#include <cstdint>

// The first record in use (not free, not deleted) of the group (0: any
// group) whose slot of the kind holds id; 0 when none, for id 0 and for a
// kind other than 'K' and 'M'. Records of every owner count.
uint32_t FindPgRel(uint32_t gruppe, uint32_t id, char art);
// Empties the kind's slot in every own record of the group that holds id:
// a record whose other slot is empty goes to the delete operation, any
// other keeps its other slot and gets bit 64. 1 when anything changed.
uint32_t RemovePgRel(uint32_t gruppe, uint32_t id, char art);
// Makes id a member of the group: a deleted own carrier of the group that
// held id is brought back, else the free slot of a live own carrier of the
// group is filled, else a new record is taken. The record number, 0 for id
// 0, a kind other than 'K' and 'M', or when no record could be had.
uint32_t AddPgRel(uint32_t gruppe, uint32_t id, char art);
// Removes every membership of the group that this installation owns.
void FjernGruppeRelationer(uint32_t gruppe);
