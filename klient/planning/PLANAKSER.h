#pragma once
// The plan window's axes: the plan groups, the plan periods, the number
// and text columns, and the rows of each view.

#include <cstdint>

#include "PLAN.h"

// The row has numbers in the group's weeks: a kind-13 row with posted
// hours, or a week of the group's dates with posted, foreign posted or
// entered hours.
bool HarTal(const Plan *plan, uint32_t raekke, uint32_t gruppe);
