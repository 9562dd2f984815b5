// Reaching a table through the registry, growing and freeing its arrays,
// and the record primitives. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "TABREG.h"

// Registry lookups: 0 and both out-pointers set, or -1 and both null.
int TabFromType(uint8_t type, const TabDesc **ppTd, TabVar **ppTv);
int TabFromName(const char *navn, const TabDesc **ppTd, TabVar **ppTv);
int TabFromNr(uint8_t nr, const TabDesc **ppTd, TabVar **ppTv);

// Grows the record array, the sort index and the block flags by n records.
// 0 on success; -1 on failure, the table keeping its old size.
int AddTabBlock(const TabDesc *pTd, TabVar *pTv, uint32_t n);

// Frees the table's arrays and zeroes its TabVar; then initialises it again
// when fInit is set or the table is one that must always have its reserved
// records (akti, meda, anfo, loka, skfa).
void ResetTab(const TabDesc *pTd, TabVar *pTv, uint8_t fInit);

// Record n, or null when n is at or past wRecCnt.
uint8_t *GetRec(const TabDesc *pTd, const TabVar *pTv, uint32_t n);

// Writes the status byte and marks the record's block changed.
void SetRecStatus(const TabDesc *pTd, TabVar *pTv, uint32_t n, uint8_t status);

// Zeroes record n (freeing it); the block number, or wRecCnt when n is out
// of range.
uint32_t DelRec(const TabDesc *pTd, TabVar *pTv, uint32_t n);

// A zeroed record: the first free slot from FoersteLedige on, else a new
// one at the end. 0 when the table cannot grow. Sets no status and marks no
// block: the caller does.
uint32_t NewRec(const TabDesc *pTd, TabVar *pTv);

// The table initialisation that ResetTab runs (one placeholder record 0 and
// the reserved records) lives with the record files; that module installs
// it here. Without it ResetTab gives the table its empty record 0 only.
typedef void (*InitTabFn)(const TabDesc *pTd, TabVar *pTv);
void SetInitTabFn(InitTabFn fn);

// Growth failures go to the error log LOG\STDERR.LOG; a writer installed
// here takes them instead (tests read them this way).
typedef void (*TabFejlFn)(const char *linje);
void SetTabFejlFn(TabFejlFn fn);

// The allocators behind AddTabBlock, replaceable so that tests can make a
// chosen allocation fail.
struct TabAllokatorer {
  void *(*Calloc)(size_t antal, size_t size);
  void *(*Realloc)(void *p, size_t size);
};
extern TabAllokatorer TabAlloc;
