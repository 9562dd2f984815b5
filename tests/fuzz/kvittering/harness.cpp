// The central system's receipts: any bytes read as the body of an import
// file (after its status line) over a period with awaiting events, postings
// and plan records, so that the receipt sections reach real rows. Every
// place a line names must stay inside its bucket or table.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "KROGE.h"
#include "../fuzz_mappe.h"
#include "ImpData.h"
#include "ImpTimoak.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "SKEREC.h"

namespace {

// Rows in week 202506 and month 202502: an event of three rows and one of
// one row, and three postings; three records of every plan table.
void Fyld() {
  TabVar *uge = SkemabegBucket(202506);
  for (uint32_t i = 1; i <= 4; ++i) {
    uge->FoersteLedige = uge->wRecCnt;
    const uint32_t r = NewRec(&tdske, uge);
    if (!r) abort();
    SkeRec s{};
    s.Status = 64;
    s.Ejer = 7;
    s.Forste = i <= 3 ? 1 : r;
    memcpy(GetRec(&tdske, uge, r), &s, sizeof s);
  }
  TabVar *mnd = TimoakBucket(202502);
  for (uint32_t i = 1; i <= 3; ++i) {
    mnd->FoersteLedige = mnd->wRecCnt;
    const uint32_t r = NewRec(&tdtimoak, mnd);
    if (!r) abort();
    TimoakRaekke t{};
    t.Status = static_cast<uint8_t>(i == 2 ? 72 : 64);
    t.Ejer = 7;
    memcpy(GetRec(&tdtimoak, mnd, r), &t, sizeof t);
  }
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) {
    const std::string n = e->Navn;
    if (n != "ffpg" && n != "ffpgrel" && n != "ffpp" && n != "ffgrund" && n != "ffpertab" && n != "fftaltab")
      continue;
    for (int i = 0; i < 3; ++i) {
      e->pTabVar->FoersteLedige = e->pTabVar->wRecCnt;
      const uint32_t r = NewRec(e->pTabDesc, e->pTabVar);
      if (r) GetRec(e->pTabDesc, e->pTabVar, r)[e->pTabDesc->RecSize - 1] = 64;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz::Mappe();
  GlobalIndstillinger.insnr = 7;
  InstallerImportKroge();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::TomDatalager();
  TomSkemabeg();
  TomTimoak();
  Fyld();
  std::vector<uint8_t> kopi(data, data + size);
  FILE *fil = fmemopen(kopi.empty() ? nullptr : kopi.data(), kopi.size(), "rb");
  if (!fil) return 0;
  static char linje[IMPORT_LINJE_LEN + 1];
  ImportStatus st{};
  FremmedFlag = size > 0 && (data[0] & 1);
  LaesImportAfsnit(fil, nullptr, linje, &st);
  fclose(fil);
  FremmedFlag = 0;
  return 0;
}
