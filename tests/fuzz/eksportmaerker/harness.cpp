// The list of an export's marks (data\exp.mrk): any bytes, read as that
// file and put back into a small school's tables and buckets, whose places
// and numbers the lines may name at random.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "DATO.h"
#include "EXPORT.h"
#include "KATALOG.h"
#include "SIDEFIL.h"
#include "STITAB.h"
#include "TABOPER.h"

namespace {

void Tom(TabVar *pTv) {
  FreeRunPtrs(pTv);
  free(pTv->pbTab);
  free(pTv->pwSort);
  free(pTv->pfSave);
  memset(pTv, 0, sizeof *pTv);
}

// A few records in the tables a list names, and a few rows in one week
// and one month.
void Skole() {
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) Tom(e->pTabVar);
  TomSkemabeg();
  TomTimoak();
  for (const TabDesc *pTd : {&tdakti, &tdanfo, &tdloka, &tdffpg, &tdmedaskeprior}) {
    const TabDesc *d;
    TabVar *pTv;
    if (TabFromType(pTd->TypeBogstav, &d, &pTv) != 0) continue;
    for (uint32_t i = 0; i < 3; ++i) {
      const uint32_t n = NewRec(pTd, pTv);
      if (n) GetRec(pTd, pTv, n)[pTd->FeltTab[pTd->StatusFelt].Offset] = static_cast<uint8_t>(30 + i);
    }
  }
  for (uint32_t i = 0; i < 3; ++i) {
    if (TabVar *b = SkemabegBucket(202437)) {
      const uint32_t n = NewRec(&tdske, b);
      if (n) reinterpret_cast<SkeRec *>(GetRec(&tdske, b, n))->Status = 0x50;
    }
    if (TabVar *b = TimoakBucket(202409)) {
      const uint32_t n = NewRec(&tdtimoak, b);
      if (n) reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, b, n))->Status = 0x50;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  // A data folder that does not exist: the list's file is never there.
  snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", "C:\\tavo-fuzz-ingen-mappe\\");
  InitStiTab();
  InitPeriode(20240801, 20250731, 20240801);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Skole();
  std::vector<uint8_t> kopi(data, data + size);
  FILE *fil = fmemopen(kopi.empty() ? nullptr : kopi.data(), kopi.size(), "rb");
  if (!fil) return 0;
  LaesEksportMaerker(fil);
  fclose(fil);
  // With a list its marks are put back; without one the old rule runs.
  FjernEksportMarker();
  return 0;
}
