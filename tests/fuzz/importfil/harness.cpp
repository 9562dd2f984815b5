// The import file: any bytes read as the import driver reads them, the
// status line first and then every section handed to its reader (the
// message, minusakti and plan record sections, the tables, the schedule
// events, the refusal report and the settings), over a data store with its
// reserved records; the collected import message is freed, and the report
// of changed events is removed so that it does not grow from input to input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../fuzz_mappe.h"
#include "INDSTIL.h"
#include "ImpData.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz::Mappe();
  GlobalIndstillinger.insnr = 7;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::TomDatalager();
  DeleteFileA((std::string(StiTab.szdata) + "log\\AndretSkema.log").c_str());
  for (uint8_t type : {'K', 'M', 'L', 'U'}) CreateReservedRecs(type);
  std::vector<uint8_t> kopi(data, data + size);
  FILE *fil = fmemopen(kopi.empty() ? nullptr : kopi.data(), kopi.size(), "rb");
  if (!fil) return 0;
  FILE *log = tmpfile();
  static char linje[IMPORT_LINJE_LEN + 1];
  ImportStatus st{};
  if (LaesImportStatus(fil, linje, &st) == 0) LaesImportAfsnit(fil, log, linje, &st);
  fclose(fil);
  if (log) fclose(log);
  free(ImportBesked);
  ImportBesked = nullptr;
  return 0;
}
