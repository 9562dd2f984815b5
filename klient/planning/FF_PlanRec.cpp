// The plan records' status rules and the membership tidy of the save.
#include "FF_PlanRec.h"

#include "FF_PlanUtil.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "PLAN.h"
#include "RECPRED.h"
#include "TABOPER.h"

uint8_t PlanEgenInst() { return GlobalIndstillinger.insnr; }

bool PlanRaekkeGemmes(uint32_t objType, uint8_t ejer, uint32_t kopiAf) {
  if (kopiAf != 0 || ejer != PlanEgenInst()) return false;
  switch (objType) {
    case PLAN_AKTI:
    case PLAN_FAG:
    case PLAN_MEDA:
    case PLAN_OPG_AKTI:
    case PLAN_OPG_TIMER:
      return true;
    default:
      return false;
  }
}

uint32_t RydFfpgrel() {
  uint32_t slettet = 0;
  const uint8_t egen = PlanEgenInst();
  for (uint32_t n = 1; n < tvffpgrel.wRecCnt; ++n) {
    FfpgrelRec *r = TabRec<FfpgrelRec>(tvffpgrel, n);
    if (!PlanRecIBrug(r->Status) || r->Ejer != egen) continue;
    // 0 is "none" and stays; anything else must name a record.
    bool rettet = false;
    if (r->akti_id != 0 && r->akti_id >= tvakti.wRecCnt) r->akti_id = 0, rettet = true;
    if (r->anfo_id != 0 && r->anfo_id >= tvanfo.wRecCnt) r->anfo_id = 0, rettet = true;
    if (rettet) tvffpgrel.pfSave[n / tdffpgrel.RecPrBlok] = 1;
    if (r->akti_id != 0 || r->anfo_id != 0) continue;
    SletEllerMaerkRec(&tdffpgrel, &tvffpgrel, n);
    if (!PlanRecIBrug(r->Status)) ++slettet;
  }
  return slettet;
}
