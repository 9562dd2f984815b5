#pragma once
// In-place sort of record-number arrays by a byte key. Records never move
// for a sort: every sorted list of the program is an array of u32 record
// numbers, and the key of entry i lies at base + idx[i] * keyLen.

#include <cstdint>

#include "TABREG.h"

// Ascending by key; keys compare as unsigned bytes from the first byte on
// (like memcmp). Below 5 entries equal keys keep their order. Long lists of
// short distinct keys are sorted in linear time with working memory (in
// place when there is none); the result is the same either way.
void SortIdx(const void *noegleBase, uint32_t *idx, uint32_t noegleLaengde, uint32_t antal);

// A byte key told as a number: two words that compare, high word first, as
// the key's bytes would. With the record it stands for.
struct SortTalNoegle {
  uint64_t hoej = 0, lav = 0;
  uint32_t rec = 0;
};
// The order SortIdx gives `antal` records whose byte keys order as these
// numbers do (equal keys included: they end where SortIdx puts them), into
// idx; `poster` is the working array, in the records' order as they stand
// in the list.
void SortIdxTal(SortTalNoegle *poster, uint32_t *idx, uint32_t antal);

// Rebuilds a table's index from its records: every record whose status byte
// is not 0, in record order, with the count of each status class and its
// search step (the smallest power of two above the count).
void BuildTabIdx(const TabDesc *pTd, TabVar *pTv);
// Sorts the index by status class, then by the key bytes at the record's
// start. 0, or -1 with fewer than 2 entries or without memory for the keys.
int SortTabIdx(const TabDesc *pTd, TabVar *pTv);
