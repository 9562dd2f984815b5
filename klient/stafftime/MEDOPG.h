#pragma once
// The hours account of one employment for the accounting period around the
// current date: hours per category, norm, buffer hours and result. Nothing
// is stored; every caller recomputes it from the current figures.

#include <cstdint>

#include "DATO.h"
#include "TALTAB.h"

// Adds the period's MedTal slots 0-7, 19 and 20 to sums (the caller clears
// it when it wants the period alone) and writes the outputs as whole hours.
// When the range lies outside the schedule period, or the employment has no
// figures, nothing is written: callers initialise their outputs. The four
// plan outputs may be null.
void CalcMedOpg(uint32_t anfo, float sums[MEDTAL_SLOTS], int32_t *pTidsreg, int32_t *pSaerligtSkema,
                int32_t *pLaest, int32_t *pNorm, int32_t *pSving, int32_t *pNormIalt, int32_t *pLaest2,
                int32_t *pUdbetalt, int32_t *pLaestIalt, int32_t *pResultat, int32_t *pPlanUndervisning,
                int32_t *pPlanOevrig, int32_t *pPlanRettearbejde, int32_t *pPlanEksamen);

// An hour figure as it leaves the account: to thousandths, then whole hours
// with halves away from zero.
int32_t MedOpgTimer(double timer);
// The first step of that: the figure to three decimals, in thousandths; a
// figure beyond the range of the result is held at its nearest end.
int32_t MedOpgTusindedele(double timer);

// The employee's working-time cell of a month, or null outside the table.
const MedTalArbejdstidCelle *MedOpgArbejdstidCelle(uint32_t meda, MaanedIndeks m);
// The employment's planned figures of a month; a cell outside the table
// reads as the table's cell 0. Null when there is no table.
const PlanTalMndCelle *MedOpgPlanCelle(uint32_t anfo, MaanedIndeks m);
