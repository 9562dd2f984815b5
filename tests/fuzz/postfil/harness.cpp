// A record file data/<name>.DAT of any table, with the converter of akti's
// older layout: the first byte picks the table, the rest is the file. What
// loads is sorted and cleaned up, as load all and the first lookup do.
#include "../fuzz_mappe.h"
#include "FINDREC.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::Mappe();
  if (size < 1) return 0;
  const TabRegEntry &e = TabRegister[data[0] % TabRegisterAntal];
  fuzz::TomDatalager();
  const std::string fil = std::string("data/") + e.Navn + ".DAT";
  fuzz::SkrivFil(fil.c_str(), data + 1, size - 1);
  if (LoadTab(e.pTabDesc, e.pTabVar) == 0) {
    SortTab(e.pTabDesc, e.pTabVar);
    CleanupTab(e.pTabDesc, e.pTabVar);
  }
  fuzz::TomDatalager();
  return 0;
}
