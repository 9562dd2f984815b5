// The table sections of the import file: any bytes read as sections, each
// header dispatched to the plan-group reader, the server-log reader or the
// reader of the table it names, as the import does; then the clean-ups that
// follow the sections run over what was read.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "DATO.h"
#include "IMPORT.h"
#include "INDSTIL.h"
#include "ImpTabel.h"
#include "ImpTimoak.h"
#include "SIDEFIL.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "TEKST.h"

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
  TomSkemabeg();
  TomTimoak();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  std::string skabelon = (std::filesystem::temp_directory_path() / "tabelsektionXXXXXX").string();
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
  for (uint8_t type : {'K', 'M', 'L', 'U'}) CreateReservedRecs(type);
  std::vector<uint8_t> kopi(data, data + size);
  FILE *fil = fmemopen(kopi.empty() ? nullptr : kopi.data(), kopi.size(), "rb");
  if (!fil) return 0;
  if (gLog) rewind(gLog);

  static char linje[IMPORT_LINJE_LEN + 1];
  ImportStatus st{};
  // Lines before the first header are skipped, as the import driver does.
  char *hoved = nullptr;
  while (fgets(linje, IMPORT_LINJE_LEN, fil))
    if (linje[0] == '@' || linje[0] == '#') {
      hoved = linje;
      break;
    }
  while (hoved != nullptr) {
    std::string navn(linje + 1);
    TrimStr(navn.data());
    navn.resize(strlen(navn.c_str()));
    const TabDesc *pTd = nullptr;
    TabVar *pTv = nullptr;
    if (navn == "logfil") {
      hoved = ImporterLogfil(fil, linje);
    } else if (navn == "ffpg") {
      hoved = ImporterFfpg(fil, linje);
    } else if (TabFromName(navn.c_str(), &pTd, &pTv) == 0) {
      const char bogstav = linje[0] == '@' ? 'C' : 'F';
      hoved = ImportTabelSektion(fil, gLog, linje, bogstav, pTd, pTv, &st, static_cast<int>(size & 1));
    } else {
      hoved = nullptr;
      while (fgets(linje, IMPORT_LINJE_LEN, fil))
        if (linje[0] == '@' || linje[0] == '#') {
          hoved = linje;
          break;
        }
    }
  }
  fclose(fil);

  SletFremmedePlandata();
  SletFremmedeTimoak();
  CleanupAakrel();
  OpbygElvrel2();
  return 0;
}
