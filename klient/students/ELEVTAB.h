// The eight enrolment tables as the student planning reaches them: the one
// rule for a live record and each table's records as their structs. The
// records, descriptors and run-time records themselves are the catalogue's
// (KATALOG.h); references between them hold record numbers, never ids.
// Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "KATALOG.h"

// A record of an enrolment table counts when its status is 10 to 29. Empty
// (0), deleted (30 and up) and pending (200 and up) records are passed by in
// every list and count of the student planning.
inline bool ElevTabAktiv(uint8_t status) { return status >= 10 && status < 30; }

// Record n of a table as its struct; null when n is at or past the table's
// record count. Record 0 is the table's placeholder: its id is 0, and a
// reference of 0 reaches it. Inline: the planning's builds walk whole
// tables through them.
template <class R>
inline R *ElevRecAf(const TabVar &tv, uint32_t n) {
  static_assert(alignof(R) == 1, "records are packed");
  if (n >= tv.wRecCnt) return nullptr;
  return reinterpret_cast<R *>(tv.pbTab + size_t(n) * sizeof(R));
}
inline TgRec *TgRecNr(uint32_t n) { return ElevRecAf<TgRec>(tvtg, n); }
inline PpRec *PpRecNr(uint32_t n) { return ElevRecAf<PpRec>(tvpp, n); }
inline LaRec *LaRecNr(uint32_t n) { return ElevRecAf<LaRec>(tvla, n); }
inline LapRec *LapRecNr(uint32_t n) { return ElevRecAf<LapRec>(tvlap, n); }
inline ElevRec *ElevRecNr(uint32_t n) { return ElevRecAf<ElevRec>(tvelev, n); }
inline EltiRec *EltiRecNr(uint32_t n) { return ElevRecAf<EltiRec>(tvelti, n); }
inline EvRec *EvRecNr(uint32_t n) { return ElevRecAf<EvRec>(tvev, n); }
inline EbRec *EbRecNr(uint32_t n) { return ElevRecAf<EbRec>(tveb, n); }

// The record a reference names, or an all-zero record for a reference
// outside its table, as record 0 reads.
template <class R>
const R &ElevRef(R *(*recNr)(uint32_t), uint32_t n) {
  static const R nul{};
  const R *r = recNr(n);
  return r ? *r : nul;
}

// An activity's number and divisor of the given mode: weeks, or lessons.
inline void SaetLaTal(LaRec *l, bool uger, uint32_t antal, uint32_t deletal) {
  if (uger) {
    l->uge_antal = antal;
    l->uge_deletal = deletal;
  } else {
    l->lek_antal = antal;
    l->lek_deletal = deletal;
  }
}

// Record number of the record whose id is the given one (the table's key),
// through the sort index; 0 when there is none. For tg, pp, la, lap, elev,
// ev and eb.
uint32_t FindElevRec(const TabDesc *pTd, TabVar *pTv, uint32_t id);

// Marks the block of record n changed, so that the next save writes it.
void MarkerElevRec(const TabDesc *pTd, TabVar *pTv, uint32_t n);

// The id for a record that this installation makes itself (a slot, a
// placement, a blocked slot): the number of the table's first free record,
// unless a record that is not empty (of any status) already carries that
// id, which the next re-sort would merge the new record into; then one above
// the largest id in the table. 0 when the ids are used up. For tables keyed
// by a u32 id at offset 0.
uint32_t NytLokaltId(const TabDesc *pTd, TabVar *pTv);
