// The random source: the linear congruential generator of the C standard's
// own example (multiplier 1103515245, increment 12345, start 1), bits 16 to
// 30 of the state as the value. Those bits depend only on the state's low
// 31 bits, so a 32-bit state gives the sequence of any wider one.
#include "TILFAELDIG.h"

namespace {

constexpr uint32_t kStart = 1;
uint32_t gTilstand = kStart;

}  // namespace

uint32_t TilfaeldigTal() {
  gTilstand = gTilstand * 1103515245u + 12345u;
  return (gTilstand / 65536u) % 32768u;
}

uint32_t Tilfaeldig(uint32_t n) {
  const uint32_t v = TilfaeldigTal();
  return n != 0 ? v % n : 0;
}

void NulstilTilfaeldig() { gTilstand = kStart; }
