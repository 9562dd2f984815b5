// Status classes, active-record counting and the side table of run-time
// pointers.
#include "TABREG.h"

#include <cstdlib>
#include <map>
#include <vector>

uint32_t CountAktiveRec(const TabDesc *pTd, const TabVar *pTv) {
  if (pTv->wRecCnt < 2 || pTv->pbTab == nullptr) return 0;
  const uint32_t statusOffset = pTd->FeltTab[pTd->StatusFelt].Offset;
  uint32_t n = 0;
  for (uint32_t i = 1; i < pTv->wRecCnt; ++i)
    if (AktivStatus(pTv->pbTab[size_t(i) * pTd->RecSize + statusOffset])) ++n;
  return n;
}

namespace {

// Keyed by the table's TabVar, whose address is fixed for the program's life.
// The blocks live only here, so the table frees them when the program ends:
// a program that exits with figures allocated leaks nothing.
struct RunPtrSideTabel {
  std::map<const TabVar *, std::vector<void *>> tab;
  ~RunPtrSideTabel() {
    for (auto &kv : tab)
      for (void *p : kv.second) free(p);
  }
};

std::map<const TabVar *, std::vector<void *>> &RunPtrTab() {
  static RunPtrSideTabel t;
  return t.tab;
}

}  // namespace

void *GetRunPtr(const TabVar *pTv, uint32_t recnr) {
  auto &tab = RunPtrTab();
  auto it = tab.find(pTv);
  if (it == tab.end() || recnr >= it->second.size()) return nullptr;
  return it->second[recnr];
}

void SetRunPtr(TabVar *pTv, uint32_t recnr, void *p) {
  auto &tab = RunPtrTab();
  if (p == nullptr) {
    auto it = tab.find(pTv);
    if (it == tab.end() || recnr >= it->second.size()) return;
    free(it->second[recnr]);
    it->second[recnr] = nullptr;
    return;
  }
  auto &v = tab[pTv];
  if (recnr >= v.size()) v.resize(size_t(recnr) + 1, nullptr);
  if (v[recnr] != p) free(v[recnr]);
  v[recnr] = p;
}

void FreeRunPtrs(TabVar *pTv) {
  auto &tab = RunPtrTab();
  auto it = tab.find(pTv);
  if (it == tab.end()) return;
  for (void *p : it->second) free(p);
  tab.erase(it);
}
