// The import's record-line parser: the first byte picks the table, the
// second the object-status letter, the third's low bit the comma rule, the
// rest is the line (as read from the file: at most IMPORT_LINJE_LEN bytes,
// cut at a zero byte).
#include <string>

#include "../fuzz_mappe.h"
#include "IMPORT.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::Mappe();
  if (size < 3) return 0;
  const TabRegEntry &e = TabRegister[data[0] % TabRegisterAntal];
  const char bogstav = static_cast<char>(data[1]);
  const int fKomma = data[2] & 1;
  std::string linje(reinterpret_cast<const char *>(data + 3), size - 3);
  linje = linje.substr(0, linje.find('\0'));
  if (linje.size() > IMPORT_LINJE_LEN) linje.resize(IMPORT_LINJE_LEN);
  fuzz::TomDatalager();
  InitTab(e.pTabDesc, e.pTabVar);
  ImportStatus st{};
  ImportRecordLine(linje.c_str(), bogstav, e.pTabDesc, e.pTabVar, &st, fKomma);
  ImportRecordLine(linje.c_str(), bogstav, e.pTabDesc, e.pTabVar, nullptr, 0);
  fuzz::TomDatalager();
  return 0;
}
