// Lookups by id, block marks and the ids of new records of the enrolment
// tables.
#include "ELEVTAB.h"

#include <cstring>

#include "FINDREC.h"
#include "TABOPER.h"

uint32_t FindElevRec(const TabDesc *pTd, TabVar *pTv, uint32_t id) {
  // The key is the u32 id as the record holds it.
  return FindRec(pTd, pTv, &id, KLASSE_AKTUEL);
}

void MarkerElevRec(const TabDesc *pTd, TabVar *pTv, uint32_t n) {
  if (n < pTv->wRecCnt && pTv->pfSave != nullptr && pTd->RecPrBlok != 0)
    pTv->pfSave[n / pTd->RecPrBlok] = 1;
}

uint32_t NytLokaltId(const TabDesc *pTd, TabVar *pTv) {
  uint32_t nr = FindFreeRec(pTd, pTv);
  // A table that was never set up has no record 0 yet: NewRec gives 1.
  if (nr == 0) nr = 1;
  const uint32_t so = pTd->FeltTab[pTd->StatusFelt].Offset;
  bool optaget = false;
  uint32_t hoejeste = 0;
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    const uint8_t *rec = GetRec(pTd, pTv, r);
    if (rec[so] == 0) continue;
    uint32_t id;
    memcpy(&id, rec, sizeof id);
    if (id == nr) optaget = true;
    if (id > hoejeste) hoejeste = id;
  }
  if (!optaget) return nr;
  return hoejeste == UINT32_MAX ? 0 : hoejeste + 1;
}
