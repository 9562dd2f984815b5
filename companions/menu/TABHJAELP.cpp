// The tables' in-memory state as the start menu's delete action needs it:
// found by type letter, freed and zeroed without the reserved records the
// main program's reset would give them back.

#include <cstdlib>
#include <cstring>

#include "MENUHJAELP.h"
#include "TABOPER.h"
#include "TABREG.h"

int FindTabType(uint8_t type, const TabDesc **ppTd, TabVar **ppTv) { return TabFromType(type, ppTd, ppTv); }

void NulstilTabVar(TabVar *pTv) {
  std::free(pTv->pbTab);
  std::free(pTv->pwSort);
  std::free(pTv->pfSave);
  FreeRunPtrs(pTv);
  std::memset(pTv, 0, sizeof *pTv);
}

void NulstilAlleTabVar() {
  for (size_t i = 0; i < TabRegisterAntal; ++i) NulstilTabVar(TabRegister[i].pTabVar);
}
