// ini\skph.ini, the subject marks, applied over twenty activities and
// subjects with ten subject-on-activity pairs, then written back at
// shutdown with a mark of the run added.
#include "../fuzz_mappe.h"
#include "FINDREC.h"
#include "KATALOG.h"
#include "RECPRED.h"
#include "SkfaLokaRel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::Mappe();
  fuzz::TomDatalager();
  fuzz::FyldTabel(&tdakti, &tvakti, 20);
  fuzz::FyldTabel(&tdskfa, &tvskfa, 20);
  InitTab(&tdskph, &tvskph);
  for (uint32_t i = 1; i <= 10; ++i) {
    const uint32_t r = NewRec(&tdskph, &tvskph);
    if (!r) break;
    SkphRec *s = TabRec<SkphRec>(tvskph, r);
    s->akti_id = i;
    s->skfa_id = i % 4 + 1;
    s->Status = 10;
  }
  SortTab(&tdakti, &tvakti);
  SortTab(&tdskfa, &tvskfa);
  SortTab(&tdskph, &tvskph);
  fuzz::SkrivFil("ini/skph.ini", data, size);
  LoadSkphIni();
  if (tvskph.wRecCnt > 3) TabRec<SkphRec>(tvskph, 3)->SkygFaget = 1;
  SyncSkphIni();
  fuzz::TomDatalager();
  return 0;
}
