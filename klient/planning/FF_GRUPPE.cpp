// Plan group membership through the ffpgrel carriers.
#include "FF_GRUPPE.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "FF_PlanRec.h"
#include "FF_PlanUtil.h"
#include "KATALOG.h"
#include "RECPRED.h"
#include "TABOPER.h"

namespace {

// The record is packed: its fields are read and written by value, never
// through a pointer.
uint32_t Slot(const FfpgrelRec *r, char art) { return art == 'K' ? r->akti_id : r->anfo_id; }
uint32_t AndenSlot(const FfpgrelRec *r, char art) { return art == 'K' ? r->anfo_id : r->akti_id; }
void SaetSlot(FfpgrelRec *r, char art, uint32_t v) {
  if (art == 'K')
    r->akti_id = v;
  else
    r->anfo_id = v;
}

bool ErArt(char art) { return art == 'K' || art == 'M'; }

// Bit 16 with bit 64 keeps a carrier from being reused.
bool Bevaret(uint8_t s) { return (s & 0x50) == 0x50; }

void MarkerAendret(uint32_t n) { tvffpgrel.pfSave[n / tdffpgrel.RecPrBlok] = 1; }

}  // namespace

uint32_t FindPgRel(uint32_t gruppe, uint32_t id, char art) {
  if (id == 0 || !ErArt(art)) return 0;
  for (uint32_t n = 1; n < tvffpgrel.wRecCnt; ++n) {
    FfpgrelRec *r = TabRec<FfpgrelRec>(tvffpgrel, n);
    if (!PlanRecIBrug(r->Status)) continue;
    if (gruppe != 0 && r->Plangruppe_id != gruppe) continue;
    if (Slot(r, art) == id) return n;
  }
  return 0;
}

uint32_t RemovePgRel(uint32_t gruppe, uint32_t id, char art) {
  if (id == 0 || !ErArt(art)) return 0;
  const uint8_t egen = PlanEgenInst();
  uint32_t aendret = 0;
  for (uint32_t n = 1; n < tvffpgrel.wRecCnt; ++n) {
    FfpgrelRec *r = TabRec<FfpgrelRec>(tvffpgrel, n);
    if (!PlanRecIBrug(r->Status) || r->Ejer != egen || r->Plangruppe_id != gruppe || Slot(r, art) != id)
      continue;
    const FfpgrelRec foer = *r;
    if (AndenSlot(r, art) == 0) {
      SletEllerMaerkRec(&tdffpgrel, &tvffpgrel, n);
    } else {
      SaetSlot(r, art, 0);
      r->Status |= PLANREC_LEVER;
      MarkerAendret(n);
    }
    if (memcmp(&foer, r, sizeof foer) != 0) aendret = 1;
  }
  return aendret;
}

uint32_t AddPgRel(uint32_t gruppe, uint32_t id, char art) {
  if (id == 0 || !ErArt(art)) return 0;
  const uint8_t egen = PlanEgenInst();
  auto egenIGruppe = [&](const FfpgrelRec *r) { return r->Status != 0 && r->Ejer == egen && r->Plangruppe_id == gruppe; };
  uint32_t valgt = 0;
  for (uint32_t n = 1; n < tvffpgrel.wRecCnt && !valgt; ++n) {
    FfpgrelRec *r = TabRec<FfpgrelRec>(tvffpgrel, n);
    if (egenIGruppe(r) && PlanRecSlettet(r->Status) && !Bevaret(r->Status) && Slot(r, art) == id) valgt = n;
  }
  for (uint32_t n = 1; n < tvffpgrel.wRecCnt && !valgt; ++n) {
    FfpgrelRec *r = TabRec<FfpgrelRec>(tvffpgrel, n);
    if (egenIGruppe(r) && !PlanRecSlettet(r->Status) && !Bevaret(r->Status) && Slot(r, art) == 0) valgt = n;
  }
  if (!valgt) {
    valgt = NewRec(&tdffpgrel, &tvffpgrel);
    if (!valgt) return 0;
  }
  FfpgrelRec *r = TabRec<FfpgrelRec>(tvffpgrel, valgt);
  SaetSlot(r, art, id);
  r->Plangruppe_id = gruppe;
  r->Ejer = egen;
  r->Status = PLANREC_LEVER;
  MarkerAendret(valgt);
  return valgt;
}

void FjernGruppeRelationer(uint32_t gruppe) {
  // One pass collects the members; removing them one by one with a walk of
  // the table for each would be activities x carriers.
  std::vector<uint32_t> akti, anfo;
  for (uint32_t n = 1; n < tvffpgrel.wRecCnt; ++n) {
    const FfpgrelRec *r = TabRec<FfpgrelRec>(tvffpgrel, n);
    if (!PlanRecIBrug(r->Status) || (gruppe != 0 && r->Plangruppe_id != gruppe)) continue;
    const uint32_t a = r->akti_id, m = r->anfo_id;
    if (a && a < tvakti.wRecCnt) akti.push_back(a);
    if (m && m < tvanfo.wRecCnt) anfo.push_back(m);
  }
  for (auto *v : {&akti, &anfo}) {
    std::sort(v->begin(), v->end());
    v->erase(std::unique(v->begin(), v->end()), v->end());
  }
  for (uint32_t a : akti) RemovePgRel(gruppe, a, 'K');
  for (uint32_t m : anfo) RemovePgRel(gruppe, m, 'M');
}
