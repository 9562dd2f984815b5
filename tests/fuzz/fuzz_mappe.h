// What the harnesses of file parsers share: a data folder of their own,
// made once per process in TMPDIR and removed when it ends, a way to put an
// input into one of its files, and an empty data store between inputs.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "DATO.h"
#include "GEMNING.h"
#include "SIDEFIL.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "TAVODATA.h"
#include "../klient/data/tom_datalager.h"
#include "fuzz_fil.h"

namespace fuzz {

// The data folder: data, ini and log below a folder of its own.
struct DataMappe : TempMappe {
  DataMappe() {
    for (const char *u : {"data", "ini", "log"}) std::filesystem::create_directories(rod / u);
    snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s/", rod.c_str());
    InitStiTab();
    InitPeriode(20240801, 20250731, 20240801);
    SetInitTabFn(InitTab);
    // Durability is not what a parser's harness looks at; the writes are.
    GemningFsync = false;
  }
};

inline DataMappe &Mappe() {
  static DataMappe m;
  return m;
}

// The input as the file rel ("data/akti.DAT") of the data folder.
inline void SkrivFil(const char *rel, const uint8_t *data, size_t size) { Mappe().Skriv(rel, data, size); }

// Every table, bucket and priority byte back to nothing.
inline void TomDatalager() { storetest::TomAlleTabeller(); }

// A table with records 1..n of ids 1..n and status 10 (the id and the
// status where the descriptor has them).
inline void FyldTabel(const TabDesc *pTd, TabVar *pTv, uint32_t n) {
  InitTab(pTd, pTv);
  const uint32_t statusOffset = pTd->FeltTab[pTd->StatusFelt].Offset;
  for (uint32_t id = 1; id <= n; ++id) {
    const uint32_t r = NewRec(pTd, pTv);
    if (!r) return;
    uint8_t *rec = GetRec(pTd, pTv, r);
    memcpy(rec, &id, 4);
    rec[statusOffset] = 10;
    pTv->pfSave[r / pTd->RecPrBlok] = 1;
  }
  pTv->fSorter = 1;
}

}  // namespace fuzz
