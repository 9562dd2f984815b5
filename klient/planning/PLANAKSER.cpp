// The plan window's axes: groups, periods, columns and the rows by view.
#include "PLANAKSER.h"

#include <algorithm>

#include "FF_PlanFyld.h"
#include "KATALOG.h"
#include "RECPRED.h"

bool HarTal(const Plan *plan, uint32_t raekke, uint32_t gruppe) {
  if (!plan || !plan->GrundTab || !plan->ObjTypeTab || raekke == 0 || raekke > plan->GrundTabAntal) return false;
  const GrundRaekke &r = plan->GrundTab[raekke];
  if (plan->ObjTypeTab[raekke] == PLAN_OPG_AKTI && r.SumTimer2 != 0.0f) return true;
  const FfpgRec *g = gruppe ? TabRec<FfpgRec>(tvffpg, gruppe) : nullptr;
  if (!g || !r.TalTab) return false;
  const uint32_t fra = std::max(PlanUgeIndeks(g->Fradato), 1u);
  const uint32_t til = std::min(PlanUgeIndeks(g->Tildato), plan->UgeAntal);
  for (uint32_t u = fra; u <= til; ++u) {
    const TalPost &t = r.TalTab[u];
    if (t.PostTimer != 0.0f || t.PostTimerFremmed != 0.0f || t.Timer != 0.0f) return true;
  }
  return false;
}
