// The update server's answers and a command line of any bytes: the first
// byte picks which. A version found is above the running one and is one of
// the numbers given; the folders read end in a backslash and fit.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ZINTEL.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  const std::string tekst(reinterpret_cast<const char *>(data) + 1, size - 1);
  switch (data[0] % 3) {
    case 0: {
      const unsigned n = ZintelNaesteVersion(tekst, 10300);
      if (n != 0 && (n <= 10300 || tekst.find(std::to_string(n).substr(0, 1)) == std::string::npos)) std::abort();
      break;
    }
    case 1:
      ZintelSkoleListe(tekst, "skoleserver", "1234");
      break;
    default: {
      const std::string linje(tekst.c_str());
      char prog[kZintelMappe], data[kZintelMappe];
      int version = 0;
      VersionCommandLine(linje.c_str(), prog, data, &version);
      for (const char *m : {prog, data}) {
        const size_t l = std::strlen(m);
        if (l >= kZintelMappe || (l > 1 && m[l - 1] != '\\')) std::abort();
      }
    }
  }
  return 0;
}
