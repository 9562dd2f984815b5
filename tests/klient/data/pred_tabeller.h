// Tables filled record by record in memory for the record questions, the
// minute norms and the period chains.
#pragma once

#include <cstdlib>
#include <cstring>
#include <vector>

#include "KATALOG.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "tom_datalager.h"

namespace predtest {

inline void TomTabel(TabVar *pTv) { storetest::FrigivTabel(pTv); }

// Every table empty, with its placeholder record 0 (and the reserved
// records of the tables that always have them). A table still holding just
// what its reset gave it is left as it is, which keeps the many resets of a
// table of cases quick.
inline void TommeTabeller() {
  struct Start {
    uint32_t antal;
    const uint8_t *pbTab;
  };
  static std::vector<Start> start;
  size_t i = 0;
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e, ++i) {
    const TabVar *tv = e->pTabVar;
    if (i < start.size() && tv->wRecCnt == start[i].antal && tv->pbTab == start[i].pbTab && tv->pbTab) continue;
    TomTabel(e->pTabVar);
    ResetTab(e->pTabDesc, e->pTabVar, 1);
    if (start.size() <= i) start.resize(i + 1);
    start[i] = {tv->wRecCnt, tv->pbTab};
  }
}

// Every table back to no records at all, as a test process starts, so that
// tests that expect untouched tables may follow in any order.
inline void FrigivAlle() {
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) TomTabel(e->pTabVar);
}

// Adds a record with the given content; its number.
template <class R>
uint32_t Ny(const TabDesc &td, TabVar &tv, const R &r) {
  static_assert(sizeof(R) > 0);
  if (tv.wRecCnt == 0) ResetTab(&td, &tv, 1);
  const uint32_t n = NewRec(&td, &tv);
  if (n == 0) return 0;
  memcpy(GetRec(&td, &tv, n), &r, sizeof r);
  return n;
}

template <class R>
R *Rec(TabVar &tv, uint32_t n) {
  return reinterpret_cast<R *>(tv.pbTab + static_cast<size_t>(n) * sizeof(R));
}

template <size_t N>
void Tekst(char (&felt)[N], const char *s) {
  memset(felt, 0, N);
  strncpy(felt, s, N - 1);
}

}  // namespace predtest
