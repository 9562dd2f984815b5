// Lookup by key through a table's sort index, the re-sort that merges the
// pending versions written by the import, and the run-time record chains of
// employments and activities. Main thread only: a lookup may re-sort.
#pragma once

#include <cstdint>

#include "TABREG.h"

// Record number of the record whose key equals pKey in status class klasse
// (KLASSE_AKTUEL, KLASSE_SLETTET, KLASSE_NY); 0 when there is none.
uint32_t FindRec(const TabDesc *pTd, TabVar *pTv, const void *pKey, uint8_t klasse);
// The current relation record with the 8-byte key (a, b), else (b, a); 0.
uint32_t FindParRec(const TabDesc *pTd, TabVar *pTv, uint32_t a, uint32_t b);
// Re-sorts the table by its order, merging pending versions, and marks
// every block changed.
void SortTab(const TabDesc *pTd, TabVar *pTv);
// The number the next NewRec will give: the first empty record from
// FoersteLedige on (zeroed), or wRecCnt when there is none.
uint32_t FindFreeRec(const TabDesc *pTd, TabVar *pTv);

// The employments' chains of subject distributions (forste_fagfordl,
// neste_fagfordl_anfo) and their monthly figure arrays (MedTal).
void LinkAnfoFagfordl();
// The activities' chains of minute norms (forste_miak, neste_miak) and their
// budget sums.
void LinkAktiMiakBudt();

// Bytes of one month in an employment's MedTal array: 21 f32.
constexpr uint32_t MEDTAL_MND_BYTES = 84;
