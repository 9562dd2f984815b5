#include "PlanFold.h"

bool UdfoldSkift(const Plan *plan, const uint32_t *typeTab, uint32_t objekt) {
  if (!plan || !typeTab || objekt == 0) return false;
  switch (typeTab[objekt]) {
    case PLAN_AKTI:
    case PLAN_MEDA:
    case PLAN_OPG_AKTI:
    case PLAN_FREMMED_AKTI:
      return plan->GrundTab && objekt <= plan->GrundTabAntal && plan->GrundTab[objekt].Udfoldet == 0;
    case 32: {
      const uint32_t pos = plan->PPeriode ? plan->PPeriode[objekt] : 0;
      return pos >= 1 && pos <= plan->PeriodeAntal && plan->PeriodeTab[pos].Udfold == 0;
    }
    case 31:
    case PLAN_SKEMA:
      return true;
    default:
      return false;
  }
}

uint32_t PlanCelleObjekt(const Plan *plan) {
  const uint32_t r = PlanAktuelRaekke(plan);
  if (r == 0 || !plan->GrundTab || !plan->ObjTypeTab || r > plan->GrundTabAntal) return 0;
  const GrundRaekke &g = plan->GrundTab[r];
  switch (plan->ObjTypeTab[r]) {
    case PLAN_AKTI:
    case PLAN_FAG:
    case PLAN_OPG_AKTI:
    case PLAN_FREMMED_AKTI:
    case PLAN_FREMMED_FAG:
      return plan->Visning == 'M' ? g.Medarbejder1 : g.Aktivitet;
    case PLAN_MEDA:
    case PLAN_OPG_TIMER:
    case PLAN_FREMMED_OPG_TIMER:
    case PLAN_SKEMA:
      return g.Medarbejder1;
    default:
      return 0;
  }
}
