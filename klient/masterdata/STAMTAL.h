#pragma once
// The master-data window's figures: the per-role counts, the subjects with
// their scheduled lessons against the budget, the other schedulers and an
// employee's key figures. Everything is computed when the object shown
// changes (the key figures when they are drawn) and kept in the window's
// own workspace; nothing is written. Main thread only; the plan figures are
// read under the count mutex.

#include <cstdint>

#include "DATO.h"
#include "STAMOPL.h"

// The figure period of the object shown, clipped to the schedule period;
// false when there is no object or nothing of it lies in the period.
bool StamTalPeriode(const StamWS *ws, Dato *pFra, Dato *pTil);

// Rebuilds the subjects with the per-role counts, the counts rows and the
// schedulers for the object shown.
void ByggStamTal(StamWS *ws);

// The text of a key-figure item (45 to 50, 53 to 55) of the employment
// shown, "%4ld" over the blanks of tekst and cut to bredde; false when the
// item has nothing to show.
bool StamNoegletalTekst(StamWS *ws, uint32_t kode, uint32_t bredde, char *tekst, uint8_t *farve);

// The figures' parts of the window (its slots in StamKrog): the lists
// rebuilt, a computed cell's text, the key-figures pane, the computed
// columns' order after the subjects sort, and what the window leaves.
void StamTalByggLister(StamWS *ws);
bool StamTalCelleTekst(StamWS *ws, int rude, uint32_t raekke, const SwitchFelt *sf, char *tekst, uint8_t *farve);
void StamTalTegnNoegletal(StamWS *ws);
void StamTalEfterSkfaSort(StamWS *ws);
void StamTalFrigiv(StamWS *ws);
void StamTalOmListeTegning(StamWS *ws, int rude, bool begynder);

// Orders the subjects pane's rows by a computed column (254 to 257),
// ascending or descending, rows of one figure keeping their order.
void SorterFagEfterTal(StamWS *ws, uint32_t felt, bool stigende);
