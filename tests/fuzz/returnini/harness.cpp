// ini\return.ini, the focus order of the entry window's lists, read into the
// chain, which is then walked: every link names a kind or the end, and the
// walk ends whatever the file links.
#include <cstdlib>
#include <cstring>

#include "BRIKIND.h"
#include "FOKUSKAEDE.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  BrikIndStruct b{};
  FokusKaedeAfTekst(reinterpret_cast<const char *>(data), size, b.FokusNaeste, &b.FoersteFokusArt);
  if (b.FoersteFokusArt >= kAntalFokus) std::abort();
  for (uint8_t n : b.FokusNaeste)
    if (n >= kAntalFokus) std::abort();
  std::memset(b.Aaben, 1, sizeof b.Aaben);
  std::memset(b.Udfyldt, 1, sizeof b.Udfyldt);
  FoersteFokus(&b);
  std::memset(b.Aaben, 0, sizeof b.Aaben);
  if (NaesteFokus(&b) != FOKUS_SLUT) std::abort();
  return 0;
}
