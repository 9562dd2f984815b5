#include "PlanPerioder.h"

HWND CreatePlanPerioderWnd(HWND, HWND, int, int, int, int, uint32_t) { return 0; }

uint32_t NyPlanPeriode(uint32_t, uint32_t, uint32_t) { return 0; }

bool BekraeftSletPerioder(uint32_t, uint32_t) { return false; }

bool NormaliserPlanPerioder(uint32_t, int) { return false; }

int RydPlanGruppe(uint32_t, uint32_t) { return 0; }

bool FjernPlanPeriode(uint32_t, uint32_t) { return false; }
