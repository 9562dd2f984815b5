// mkdata <data folder> [--size small|medium|large] [--seed N]
// Makes the data folder of a made-up vocational school.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "SKOLEDATA.h"

namespace {

int Brug() {
  fprintf(stderr, "brug: mkdata <datamappe> [--size small|medium|large] [--seed N]\n");
  return 2;
}

}  // namespace

int main(int argc, char **argv) {
  const char *mappe = nullptr;
  const char *stoerrelse = "medium";
  uint64_t seed = 1;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--size") == 0 && i + 1 < argc) {
      stoerrelse = argv[++i];
    } else if (strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
      char *slut = nullptr;
      errno = 0;
      seed = strtoull(argv[++i], &slut, 10);
      if (errno || slut == argv[i] || *slut) return Brug();
    } else if (argv[i][0] != '-' && !mappe) {
      mappe = argv[i];
    } else {
      return Brug();
    }
  }
  SkoleStoerrelse st;
  if (!mappe || !SkoleStoerrelseFraNavn(stoerrelse, &st)) return Brug();
  std::string fejl;
  if (LavSkoleData(mappe, st, seed, &fejl) != 0) {
    fprintf(stderr, "mkdata: %s\n", fejl.c_str());
    return 1;
  }
  printf("mkdata: %s (%s, seed %llu)\n", mappe, stoerrelse, static_cast<unsigned long long>(seed));
  return 0;
}
