// ini\ElvRelLokal.dat, the local student-overlap pairs, merged into elvrel2
// over twenty activities and written back as the next save would.
#include "../fuzz_mappe.h"
#include "ELVRELLOKAL.h"
#include "KATALOG.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::Mappe();
  fuzz::TomDatalager();
  fuzz::FyldTabel(&tdakti, &tvakti, 20);
  InitTab(&tdelvrel2, &tvelvrel2);
  fuzz::SkrivFil("ini/ElvRelLokal.dat", data, size);
  LoadLokalElvRel();
  GemLokalElvRel();
  fuzz::TomDatalager();
  return 0;
}
