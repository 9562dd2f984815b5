// A version's file list of any bytes: every name taken is a plain file name
// that the program folder's path joins to a file directly in it, at most
// 255 of them, none twice; a refused list takes none.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "OPDHENT.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string krop(reinterpret_cast<const char *>(data), size);
  std::vector<std::string> navne;
  std::string fejl;
  const ZintelListe l = ZintelFilListe(krop, &navne, &fejl);
  if (l != ZintelListe::God && !navne.empty()) std::abort();
  if (l == ZintelListe::UgyldigtNavn && ZintelRentNavn(fejl)) std::abort();
  if (navne.size() > 255) std::abort();
  for (size_t i = 0; i < navne.size(); ++i) {
    const std::string &n = navne[i];
    if (!ZintelRentNavn(n) || n.find_first_of("/\\:") != std::string::npos || n == "..") std::abort();
    for (size_t j = 0; j < i; ++j)
      if (navne[j] == n) std::abort();
  }
  return 0;
}
