// The import file's status line: any bytes, read as the first line of a file.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "IMPORT.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<uint8_t> kopi(data, data + size);
  FILE *fil = fmemopen(kopi.empty() ? nullptr : kopi.data(), kopi.size(), "rb");
  if (!fil) return 0;
  static char linje[IMPORT_LINJE_LEN + 1];
  ImportStatus st;
  LaesImportStatus(fil, linje, &st);
  fclose(fil);
  return 0;
}
