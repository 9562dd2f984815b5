// An AutoSkema answer file: any bytes, read whole as a file and again in
// pieces cut at the line ends and at one more place; both must agree.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "json.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  // The reader's complaints would drown the fuzzer's own output.
  if (!freopen("/dev/null", "w", stderr)) return 0;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<char> kopi(data, data + size);
  FILE *f = fmemopen(kopi.empty() ? nullptr : kopi.data(), kopi.size(), "rb");
  if (!f) return 0;
  json_node *rod = nullptr;
  const int hel = json_laes_fil(f, &rod);
  fclose(f);
  if ((hel == JSON_FAERDIG) != (rod != nullptr)) abort();
  json_frigiv(rod);

  // Pieces as a line read makes them, with one more cut after the brace.
  const char *p = kopi.data();
  const char *klamme = size ? static_cast<const char *>(memchr(p, '{', size)) : nullptr;
  const size_t ekstra = klamme ? static_cast<size_t>(klamme - p) + 1 + (size ? data[0] : 0) % 7 : 0;
  json_laesetilstand t;
  json_start(&t);
  int r = JSON_MERE;
  size_t fra = 0;
  while (fra < size && (r == JSON_MERE || r == JSON_ROD_LUKKET)) {
    size_t til = fra;
    while (til < size && til - fra < 1023 && (til == fra || p[til - 1] != '\n')) ++til;
    if (ekstra > fra && ekstra < til) til = ekstra;
    r = json_fortolk_stykke(&t, p + fra, til - fra);
    fra = til;
  }
  json_node *rod2 = nullptr;
  r = json_slut(&t, r, &rod2);
  if (r != hel || (r == JSON_FAERDIG) != (rod2 != nullptr)) abort();
  json_frigiv(rod2);
  return 0;
}
