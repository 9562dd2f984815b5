// The data store emptied between tests or fuzz inputs: every table, bucket
// and priority byte freed and zeroed, without re-initialising. Free of the
// test framework, so the fuzz harnesses share it.
#pragma once

#include <cstdlib>
#include <cstring>

#include "SIDEFIL.h"
#include "TABOPER.h"
#include "TABREG.h"

namespace storetest {

inline void FrigivTabel(TabVar *pTv) {
  FreeRunPtrs(pTv);
  free(pTv->pbTab);
  free(pTv->pwSort);
  free(pTv->pfSave);
  memset(pTv, 0, sizeof *pTv);
}

// Every registry table back to all zero, without re-initialising.
inline void TomAlleTabeller() {
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) FrigivTabel(e->pTabVar);
  TomSkemabeg();
  TomTimoak();
  TomUdplatim();
  TomHontim();
  FrigivAktiPrioritetMinde();
}

}  // namespace storetest
