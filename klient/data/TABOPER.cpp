// Table storage operations.
#include "TABOPER.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "LOGFIL.h"

TabAllokatorer TabAlloc = {calloc, realloc};

namespace {

InitTabFn pfInitTab = nullptr;
TabFejlFn pfTabFejl = nullptr;

void FejlLinje(const char *fmt, ...) {
  char linje[256];
  va_list ap;
  va_start(ap, fmt);
  vsnprintf(linje, sizeof linje, fmt, ap);
  va_end(ap);
  if (pfTabFejl)
    pfTabFejl(linje);
  else
    StdErrPrintf("%s", linje);
}

// Flags needed for a given capacity: one per block and one more.
size_t FlagAntal(const TabDesc *pTd, uint32_t alloc) {
  return size_t(alloc / pTd->RecPrBlok) + 1;
}

// Zeroing a record also drops what it pointed to at run time.
void NulstilRec(const TabDesc *pTd, TabVar *pTv, uint32_t n) {
  memset(pTv->pbTab + size_t(n) * pTd->RecSize, 0, pTd->RecSize);
  if (GetRunPtr(pTv, n) != nullptr) SetRunPtr(pTv, n, nullptr);
}

// Empty record 0, for when no full initialisation is installed.
void InitTomTab(const TabDesc *pTd, TabVar *pTv) {
  if (AddTabBlock(pTd, pTv, 1) != 0) return;
  pTv->wRecCnt = 1;
  pTv->pfSave[0] = 1;
  memset(pTv->pbTab, 0, pTd->RecSize);
}

bool AltidInit(const char *navn) {
  static const char *const navne[] = {"akti", "meda", "anfo", "loka", "skfa"};
  for (const char *n : navne)
    if (strcmp(navn, n) == 0) return true;
  return false;
}

template <typename Match>
int TabFind(Match match, const TabDesc **ppTd, TabVar **ppTv) {
  *ppTd = nullptr;
  *ppTv = nullptr;
  for (const TabRegEntry *e = TabRegister; e->Navn != nullptr; ++e) {
    if (match(*e)) {
      *ppTd = e->pTabDesc;
      *ppTv = e->pTabVar;
      return 0;
    }
  }
  return -1;
}

}  // namespace

void SetInitTabFn(InitTabFn fn) { pfInitTab = fn; }
void SetTabFejlFn(TabFejlFn fn) { pfTabFejl = fn; }

int TabFromType(uint8_t type, const TabDesc **ppTd, TabVar **ppTv) {
  return TabFind([type](const TabRegEntry &e) { return e.TypeBogstav == type; }, ppTd, ppTv);
}

int TabFromName(const char *navn, const TabDesc **ppTd, TabVar **ppTv) {
  if (navn == nullptr) {
    *ppTd = nullptr;
    *ppTv = nullptr;
    return -1;
  }
  return TabFind([navn](const TabRegEntry &e) { return strcmp(e.Navn, navn) == 0; }, ppTd, ppTv);
}

int TabFromNr(uint8_t nr, const TabDesc **ppTd, TabVar **ppTv) {
  return TabFind([nr](const TabRegEntry &e) { return e.TabNr == nr; }, ppTd, ppTv);
}

int AddTabBlock(const TabDesc *pTd, TabVar *pTv, uint32_t n) {
  if (n == 0) return 0;
  if (pTv->pbTab == nullptr) {
    // A first allocation that fails leaves nothing behind, so a later try
    // starts again from a clean table.
    uint8_t *pb = static_cast<uint8_t *>(TabAlloc.Calloc(n, pTd->RecSize));
    uint32_t *pw = static_cast<uint32_t *>(TabAlloc.Calloc(n, sizeof(uint32_t)));
    uint8_t *pf = static_cast<uint8_t *>(TabAlloc.Calloc(FlagAntal(pTd, n), 1));
    if (pb == nullptr || pw == nullptr || pf == nullptr) {
      free(pb);
      free(pw);
      free(pf);
      pTv->pbTab = nullptr;
      pTv->pwSort = nullptr;
      pTv->pfSave = nullptr;
      pTv->AllocAntal = 0;
      return -1;
    }
    pTv->pbTab = pb;
    pTv->pwSort = pw;
    pTv->pfSave = pf;
    pTv->AllocAntal = n;
    return 0;
  }

  const uint32_t gammel = pTv->AllocAntal;
  if (n > UINT32_MAX - gammel) {
    FejlLinje("AddTabBlock:pbTab: %s; type=%c, size=%d\n", strerror(ENOMEM), pTd->TypeBogstav, int(n));
    return -1;
  }
  const uint32_t ny = gammel + n;

  void *p = TabAlloc.Realloc(pTv->pbTab, size_t(ny) * pTd->RecSize);
  if (p == nullptr) {
    FejlLinje("AddTabBlock:pbTab: %s; type=%c, size=%d\n", strerror(errno), pTd->TypeBogstav, int(n));
    return -1;
  }
  pTv->pbTab = static_cast<uint8_t *>(p);

  p = TabAlloc.Realloc(pTv->pwSort, size_t(ny) * sizeof(uint32_t));
  if (p == nullptr) {
    FejlLinje("AddTabBlock:pwSort: %s; type=%c, size=%d\n", strerror(errno), pTd->TypeBogstav, int(n));
    return -1;
  }
  pTv->pwSort = static_cast<uint32_t *>(p);

  p = TabAlloc.Realloc(pTv->pfSave, FlagAntal(pTd, ny));
  if (p == nullptr) {
    FejlLinje("AddTabBlock:pfSave: %s; type=%c, size=%d\n", strerror(errno), pTd->TypeBogstav, int(n));
    return -1;
  }
  pTv->pfSave = static_cast<uint8_t *>(p);

  memset(pTv->pbTab + size_t(gammel) * pTd->RecSize, 0, size_t(n) * pTd->RecSize);
  memset(pTv->pwSort + gammel, 0, size_t(n) * sizeof(uint32_t));
  const size_t gamleFlag = FlagAntal(pTd, gammel);
  memset(pTv->pfSave + gamleFlag, 0, FlagAntal(pTd, ny) - gamleFlag);
  pTv->AllocAntal = ny;
  return 0;
}

void ResetTab(const TabDesc *pTd, TabVar *pTv, uint8_t fInit) {
  free(pTv->pfSave);
  free(pTv->pwSort);
  free(pTv->pbTab);
  FreeRunPtrs(pTv);
  memset(pTv, 0, sizeof *pTv);
  if (fInit != 0 || AltidInit(pTd->Navn)) {
    if (pfInitTab)
      pfInitTab(pTd, pTv);
    else
      InitTomTab(pTd, pTv);
  }
}

uint8_t *GetRec(const TabDesc *pTd, const TabVar *pTv, uint32_t n) {
  if (pTv->wRecCnt == 0 || n >= pTv->wRecCnt) return nullptr;
  return pTv->pbTab + size_t(n) * pTd->RecSize;
}

void SetRecStatus(const TabDesc *pTd, TabVar *pTv, uint32_t n, uint8_t status) {
  if (n >= pTv->wRecCnt) return;
  pTv->pbTab[size_t(n) * pTd->RecSize + pTd->FeltTab[pTd->StatusFelt].Offset] = status;
  pTv->pfSave[n / pTd->RecPrBlok] = 1;
}

uint32_t DelRec(const TabDesc *pTd, TabVar *pTv, uint32_t n) {
  if (n >= pTv->wRecCnt) return pTv->wRecCnt;
  NulstilRec(pTd, pTv, n);
  if (pTv->FoersteLedige > n) pTv->FoersteLedige = n;
  const uint32_t blok = n / pTd->RecPrBlok;
  pTv->pfSave[blok] = 1;
  return blok;
}

uint32_t NewRec(const TabDesc *pTd, TabVar *pTv) {
  const uint32_t hintFoer = pTv->FoersteLedige;
  if (pTv->pbTab != nullptr) {
    const uint32_t statusOffset = pTd->FeltTab[pTd->StatusFelt].Offset;
    uint32_t i = pTv->FoersteLedige;
    for (; i < pTv->wRecCnt; ++i) {
      if (i != 0 && pTv->pbTab[size_t(i) * pTd->RecSize + statusOffset] == 0) {
        pTv->FoersteLedige = i + 1;
        NulstilRec(pTd, pTv, i);
        return i;
      }
    }
    pTv->FoersteLedige = pTv->wRecCnt;
  }

  const uint32_t c = pTv->wRecCnt;
  if (c == UINT32_MAX) {
    pTv->FoersteLedige = hintFoer;
    return 0;
  }
  const uint32_t nr = c == 0 ? 1 : c;
  const uint32_t nyCnt = nr + 1;
  if (nyCnt >= pTv->AllocAntal) {
    // One whole block, or more should a block be smaller than the gap.
    uint32_t vaekst = pTd->RecPrBlok;
    if (pTv->AllocAntal + uint64_t(vaekst) < nyCnt) vaekst = nyCnt - pTv->AllocAntal;
    if (AddTabBlock(pTd, pTv, vaekst) != 0) {
      pTv->FoersteLedige = hintFoer;
      return 0;
    }
  }
  pTv->wRecCnt = nyCnt;
  pTv->FoersteLedige = nyCnt;
  if (c == 0) NulstilRec(pTd, pTv, 0);
  NulstilRec(pTd, pTv, nr);
  return nr;
}
