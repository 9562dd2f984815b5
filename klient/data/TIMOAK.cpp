#include "TIMOAK.h"

#include <windows.h>

#include <cinttypes>
#include <cstdio>
#include <ctime>

#include "INDSTIL.h"
#include "TAVODATA.h"

namespace {

void KopierDataFil(const char *fra, const char *til) {
  char kilde[600], maal[600];
  if (!DataFilSti(kilde, sizeof kilde, fra, ".dat") || !DataFilSti(maal, sizeof maal, til, ".dat"))
    return;
  // A failed copy is not fatal: the worst case is that leaving without
  // saving keeps what is on disk.
  CopyFileA(kilde, maal, FALSE);
}

}  // namespace

void GemStartKopi() {
  KopierDataFil("skemabeg", "skemabegkopi");
  KopierDataFil("timoak", "timoakkopi");
  char sti[600];
  if (!DataFilSti(sti, sizeof sti, "StartTid", ".dat")) return;
  FILE *f = AabnDataFil(sti, "w");
  if (!f) return;
  fprintf(f, "%lu, %lu, %" PRIu64, static_cast<unsigned long>(AendringerFoersteFire()),
          static_cast<unsigned long>(AendringerSidsteFire()),
          static_cast<uint64_t>(time(nullptr)));
  fclose(f);
}

void GendanStartKopi() {
  KopierDataFil("skemabegkopi", "skemabeg");
  KopierDataFil("timoakkopi", "timoak");
}
