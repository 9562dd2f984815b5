// The steps of the Elevplan exchange. For now the exchange period that the
// period dialog starts from.
#pragma once

#include "EPEXPORT.h"

// FraDato 90 days before now, TilDato 300 days after (local dates), both
// kept within the schedule period.
void SetEpExportPeriode(EpTilstandData &t);
