// The Elevplan answer file: any bytes read by both passes of the import
// over a small group with activities waiting for their copies, wishes sent
// as new and enrolments, as an answer or (for odd sizes) as the test file;
// then every table is re-sorted, as the import ends.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "DATO.h"
#include "ELEVTAB.h"
#include "EPEXPORT.h"
#include "EPIMPORT.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "SIDEFIL.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"

namespace {

std::string gMappe;
FILE *gLog = nullptr;

void Fjern() {
  std::error_code ec;
  if (!gMappe.empty()) std::filesystem::remove_all(gMappe, ec);
}

void TomAlt() {
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) {
    FreeRunPtrs(e->pTabVar);
    free(e->pTabVar->pbTab);
    free(e->pTabVar->pwSort);
    free(e->pTabVar->pfSave);
    memset(e->pTabVar, 0, sizeof *e->pTabVar);
  }
  for (const TabDesc *td : {&tdtg, &tdpp, &tdla, &tdlap, &tdelev, &tdelti, &tdev, &tdeb}) {
    const TabDesc *d;
    TabVar *tv;
    if (TabFromName(td->KortNavn, &d, &tv) == 0) ResetTab(td, tv, 1);
  }
}

template <class R>
R *Ny(const TabDesc *td, TabVar *tv, uint32_t id) {
  const uint32_t r = NewRec(td, tv);
  if (r == 0) return nullptr;
  R *rec = reinterpret_cast<R *>(GetRec(td, tv, r));
  rec->id = id;
  rec->Status = 10;
  tv->fSorter = 1;
  return rec;
}

// Group 501 (record 1), activities 5001..5003 (two waiting for their copy
// under one name), students 9001 and 9002 enrolled, their wishes sent.
void LavGruppe() {
  if (TgRec *t = Ny<TgRec>(&tdtg, &tvtg, 501)) snprintf(t->Navn, sizeof t->Navn, "Gruppe");
  for (uint32_t i = 0; i < 3; ++i)
    if (LaRec *l = Ny<LaRec>(&tdla, &tvla, 5001 + i)) {
      l->tg_id = 1;
      snprintf(l->Navn, sizeof l->Navn, "%s", i < 2 ? "Smed #2" : "Smed");
      l->ElevPlanStatus = i < 2 ? EP_LA_KOPI_BEDT : 0;
      l->aktiv = 1;
    }
  for (uint32_t i = 0; i < 2; ++i) {
    if (ElevRec *e = Ny<ElevRec>(&tdelev, &tvelev, 9001 + i)) snprintf(e->Elevnavn, sizeof e->Elevnavn, "Elev %u", i);
    const uint32_t t = NewRec(&tdelti, &tvelti);
    if (t != 0) {
      EltiRec *rec = EltiRecNr(t);
      rec->elev_id = i + 1;
      rec->tg_id = 1;
      rec->Status = 10;
    }
    if (EvRec *v = Ny<EvRec>(&tdev, &tvev, 301 + i)) {
      v->tg_id = 1;
      v->elev_id = i + 1;
      v->elevplan_onske_la_id = 3;
      v->ElevPlanStatus = EP_EV_SENDT_NY;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  std::string skabelon = (std::filesystem::temp_directory_path() / "epimportXXXXXX").string();
  if (mkdtemp(skabelon.data()) == nullptr) return 0;
  gMappe = skabelon;
  std::atexit(Fjern);
  for (const char *m : {"data", "ini", "log"}) std::filesystem::create_directories(gMappe + "/" + m);
  snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s/", gMappe.c_str());
  snprintf(StiTab.szini, sizeof StiTab.szini, "%s/ini\\tavo.ini", gMappe.c_str());
  SetInitTabFn(InitTab);
  InitPeriode(20240801, 20250731, 20240801);
  GlobalIndstillinger.insnr = 7;
  gLog = tmpfile();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  TomAlt();
  LavGruppe();
  EpFejlAntal = 0;
  std::vector<uint8_t> kopi(data, data + size);
  FILE *fil = fmemopen(kopi.empty() ? nullptr : kopi.data(), kopi.size(), "rb");
  if (!fil) return 0;
  if (gLog) rewind(gLog);
  ImportStatus st{};
  EpLaesFil(fil, gLog, (size & 1) == 0, &st);
  fclose(fil);
  SorterAlleTabeller();
  return 0;
}
