#pragma once
// Posting an employee's planned hours as time postings ("vippe"): each
// week cell of the chosen hours rows becomes one posting on the Wednesday
// of its week, waiting in the month buckets for the next export. A cell
// once posted is marked so, and no later run posts it again. Main thread.

#include <cstdint>

#include "PLAN.h"

// Which cells: valg[0] the current row, valg[1] the current block, valg[2]
// all rows; the first flag set decides, none the cursor cell. Asks first
// and reports the counts; the log is log\FF_Post.log.
void VipPlanposter(Plan *plan, const uint32_t valg[3]);

// The second pass over the cells the failure map marks (one row of
// ugeIndeks(Tildato) + 1 cells per selected row): each is posted on the
// first free weekday of its week other than Wednesday, and on success
// cleared in the plan. *fejlet is set to the cells that still failed,
// *vippet grows by those posted.
void VipPlanposterIgen(Plan *plan, uint32_t fraKol, uint32_t tilKol, uint32_t fraRaekke, uint32_t tilRaekke,
                       const uint32_t *fejlKort, uint32_t *fejlet, uint32_t *vippet);

// The cells of a run: column and row positions on the plan's axes.
struct PlanPostUdvalg {
  uint32_t FraKol, TilKol, FraRaekke, TilRaekke;
};
PlanPostUdvalg PlanPostCeller(const Plan *plan, const uint32_t valg[3]);
