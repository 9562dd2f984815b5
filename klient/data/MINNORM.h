#pragma once
// Minute norms: which rule (the calculation code 1..16) sets the minutes of
// working time one lesson counts for an employment, and the norm it gives;
// and the small clock-time helpers of the event editors. Clock times are
// HHMM, 0..2400.

#include <cstdint>

#include "DATO.h"

// The calculation codes.
enum : uint8_t {
  BEREGN_INGEN_ANFO = 1,
  BEREGN_INGEN_AKTI = 2,
  BEREGN_INGEN_TIMER = 4,
  BEREGN_FRAVAER = 5,
  BEREGN_STANDARD = 6,
  BEREGN_MINUTUD = 7,
  BEREGN_MINUTFAU = 8,
  BEREGN_MIAK = 9,
  BEREGN_FAGFORDL = 11,
  BEREGN_PLAN = 12,
  BEREGN_ACSA = 13,
  BEREGN_REGULERET = 14,
  BEREGN_SLS = 15,
  BEREGN_PLANTAB = 16,
};

// Sets *pNorm and *pBeregn (0 and 0 first). A negative plan value means none.
// Without pBeregn the plan list is not asked: it tells only the code apart.
// With pSpan, it is narrowed to the dates around dato that give the same
// answer (the rest of the data as it stands).
void BeregnMinutnorm(Dato dato, uint32_t anfo, uint32_t skemarol, float fallback, uint32_t akti,
                     uint32_t skfa, float *pNorm, uint8_t *pBeregn, float planVaerdi,
                     DatoSpan *pSpan = nullptr);
// Hours of a planned line of lessons (in tenths) for the employment.
float BeregnPlanTimer(uint32_t akti, uint32_t anfo, uint32_t skfa, Dato dato, int32_t tiendeLektioner,
                      float planVaerdi);
// norm / 60 x lessons; rounded to hundredths when the rounding setting is on.
float MinutterTilTimer(float norm, float lektioner);
// The end HHMM of start + *pVarighed hours (at most 2400); the duration is
// written back as it was rounded to whole minutes.
Klokkeslaet BeregnSluttid(Klokkeslaet start, float *pVarighed);
// Hours from startMinutter (after midnight) to the time of day tid (decimal
// hours); 0 when it is not after the start.
float BeregnTimerTil(int32_t startMinutter, float tid);
uint32_t MinutterMellem(Klokkeslaet a, Klokkeslaet b);
