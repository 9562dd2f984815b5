// ini\pp.ini and ini\lap.ini: any bytes, written as both files of a data
// folder with a few groups and activities, read back by the two readers and
// written out again. Every input starts from the same tables.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ELEVTAB.h"
#include "PPLAPINI.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"

namespace {

std::string gMappe;

void Ryd() {
  std::error_code ec;
  std::filesystem::remove_all(gMappe, ec);
}

bool Forbered() {
  std::string skabelon = (std::filesystem::temp_directory_path() / "fuzzplacXXXXXX").string();
  if (mkdtemp(skabelon.data()) == nullptr) return false;
  gMappe = skabelon;
  atexit(Ryd);
  for (const char *m : {"data", "ini", "log"}) std::filesystem::create_directories(gMappe + "/" + m);
  snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s\\", gMappe.c_str());
  SetInitTabFn(InitTab);
  return true;
}

template <class R>
R *Ny(const TabDesc *pTd, TabVar *pTv, uint32_t *pNr) {
  *pNr = NewRec(pTd, pTv);
  R *r = reinterpret_cast<R *>(GetRec(pTd, pTv, *pNr));
  r->Status = 10;
  pTv->fSorter = 1;
  return r;
}

// Groups 501 (weeks), 502 (lessons) and test group 1, an empty group
// record, one slot and one placement of 502, and two activities.
void Tabeller() {
  for (const TabDesc *td : {&tdtg, &tdpp, &tdla, &tdlap}) {
    const TabDesc *d;
    TabVar *tv;
    if (TabFromName(td->KortNavn, &d, &tv) == 0) ResetTab(td, tv, 1);
  }
  uint32_t g[4], la[2], pp;
  const uint32_t ider[4] = {501, 502, 1, 99};
  for (int i = 0; i < 4; ++i) {
    TgRec *t = Ny<TgRec>(&tdtg, &tvtg, &g[i]);
    t->id = ider[i];
    t->UgeLektionsGruppe = i == 0 ? 'U' : 'L';
  }
  DelRec(&tdtg, &tvtg, g[3]);
  for (int i = 0; i < 2; ++i) {
    LaRec *l = Ny<LaRec>(&tdla, &tvla, &la[i]);
    l->id = 7001 + i;
    l->tg_id = g[i];
  }
  PpRec *p = Ny<PpRec>(&tdpp, &tvpp, &pp);
  p->id = 3;
  p->tg_id = g[1];
  p->dag = 1;
  p->lektion = 1;
  uint32_t nr;
  LapRec *l = Ny<LapRec>(&tdlap, &tvlap, &nr);
  l->id = 2;
  l->tg_id = g[1];
  l->la_id = la[1];
  l->pp_id = pp;
  l->lengde = 2;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const bool klar = Forbered();
  if (!klar) return 0;
  Tabeller();
  for (const char *navn : {"/ini/pp.ini", "/ini/lap.ini"}) {
    std::ofstream o(gMappe + navn, std::ios::binary | std::ios::trunc);
    o.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
  }
  LoadPpIni();
  LoadLapIni();
  SetTgDefaults();
  GemPpLapIni();
  return 0;
}
