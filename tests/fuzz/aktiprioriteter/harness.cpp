// data/aktiprioriteter.dat read into the priorities of a table of 40
// activities, and written back.
#include "../fuzz_mappe.h"
#include "KATALOG.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::Mappe();
  fuzz::TomDatalager();
  fuzz::FyldTabel(&tdakti, &tvakti, 40);
  fuzz::SkrivFil("data/aktiprioriteter.dat", data, size);
  LoadAktiPrioriteter();
  GemAktiPrioriteter();
  fuzz::TomDatalager();
  return 0;
}
