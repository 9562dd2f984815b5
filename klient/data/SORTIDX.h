#pragma once
// In-place sort of record-number arrays by a byte key. Records never move
// for a sort: every sorted list of the program is an array of u32 record
// numbers, and the key of entry i lies at base + idx[i] * keyLen.

#include <cstdint>

// Ascending by key; keys compare as unsigned bytes from the first byte on
// (like memcmp). No allocation. Below 5 entries equal keys keep their order.
void SortIdx(const void *noegleBase, uint32_t *idx, uint32_t noegleLaengde, uint32_t antal);
