// The program's own random source: one process-wide generator of 15-bit
// values that is never seeded, so every start of the program draws the same
// sequence and the automatic placement gives the same plan for the same
// data. It is not the C library's rand, from which other code may draw and
// so shift the sequence. Main thread only.
#pragma once

#include <cstdint>

// The next value, 0 to 32767.
uint32_t TilfaeldigTal();
// A fresh draw reduced modulo n; 0 for n 0 (the draw is still made).
uint32_t Tilfaeldig(uint32_t n);
// Back to the state of a program start, for tests.
void NulstilTilfaeldig();
