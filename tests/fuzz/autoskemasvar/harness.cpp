// An AutoSkema answer as the import takes it: any bytes read as JSON, and
// any tree the reader gives placed into a small school's schedule and its
// list of unplaced lessons.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "DATO.h"
#include "INDSTIL.h"
#include "ImpAutoSkema.h"
#include "KATALOG.h"
#include "SIDEFIL.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "json.h"

namespace {

template <class R>
void Ny(const TabDesc &td, TabVar &tv, const R &rec) {
  tv.FoersteLedige = tv.wRecCnt;
  const uint32_t n = NewRec(&td, &tv);
  if (n) memcpy(GetRec(&td, &tv, n), &rec, sizeof rec);
  tv.fSorter = 1;
}

// The school, made once whichever driver runs the harness.
void Skole() {
  SetInitTabFn(InitTab);
  InitPeriode(20240801, 20250731, 20240801);
  GlobalIndstillinger.insnr = 7;
  AktiRec a{};
  a.id = 101;
  a.Status = 10;
  a.Fradato = 20240801;
  a.Tildato = 20250731;
  Ny(tdakti, tvakti, a);
  AnfoRec f{};
  f.id = 601;
  f.Status = 10;
  Ny(tdanfo, tvanfo, f);
  LokaRec l{};
  l.id = 701;
  l.Status = 10;
  Ny(tdloka, tvloka, l);
  SkfaRec s{};
  s.id = 301;
  s.Status = 10;
  Ny(tdskfa, tvskfa, s);
  RisyRec r{};
  r.id = 401;
  r.Status = 10;
  Ny(tdrisy, tvrisy, r);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  if (!freopen("/dev/null", "w", stderr)) return 0;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const bool klar = (Skole(), true);
  (void)klar;
  std::vector<char> kopi(data, data + size);
  FILE *f = fmemopen(kopi.empty() ? nullptr : kopi.data(), kopi.size(), "rb");
  if (!f) return 0;
  json_node *rod = nullptr;
  const int rc = json_laes_fil(f, &rod);
  fclose(f);
  if (rc == JSON_FAERDIG && rod) {
    std::vector<IkkePlaceret> ikkePlaceret;
    json_behandl_input(rod, &ikkePlaceret);
    for (const IkkePlaceret &ip : ikkePlaceret)
      if (ip.antal == 0) abort();
  }
  json_frigiv(rod);
  TomSkemabeg();
  return 0;
}
