// The object windows of a saved screen in ini\skrm.ini, the file's text as
// it stands: at most 25 come back, each with a type of 1 or more and, when
// its rectangle is taken, an ordered one that a layout can hold; a window
// moved onto a desktop keeps its size and can be reached there.
#include <cstdint>
#include <cstdlib>

#include "SKAERM.h"
#include "../fuzz_fil.h"

namespace {

void Krav(bool ok) {
  if (!ok) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const fuzz::TempMappe mappe;
  const std::string fil = mappe.Skriv("skrm.ini", data, size);
  for (long n : {1L, 2L}) {
    SkaermVindue v[kSkaermVinduer];
    const int antal = LaesSkaermVinduer(fil.c_str(), n, v);
    Krav(antal >= 0 && antal <= kSkaermVinduer);
    for (int k = 0; k < antal; ++k) {
      Krav(v[k].Type >= 1);
      if (!v[k].MedRekt) continue;
      const RECT r = v[k].Rekt;
      Krav(r.right >= r.left && r.bottom >= r.top);
      for (const LONG b : {1L, 150L, 1917L}) {
        const RECT p = PaaDesktop(r, b, b / 2 + 1);
        Krav(p.right - p.left == r.right - r.left && p.bottom - p.top == r.bottom - r.top);
        Krav(p.left < b && p.top < b / 2 + 1 && (p.right > 0 || p.right == p.left) &&
             (p.bottom > 0 || p.bottom == p.top));
      }
    }
  }
  return 0;
}
