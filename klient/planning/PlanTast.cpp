#include "PlanTast.h"

// The plan's key commands are not part of this build: every key is
// answered as not taken, so the main window keeps it.
int PlanTastTrin(Plan *, TastInfo *, int) { return 0; }

void PlanTast(Plan *, TastInfo *, uint8_t *resultat) {
  if (resultat) *resultat = 0;
}
