// START.LOG of any bytes, closed for installation 7, and every line read as
// a lock-file record: afterwards the file holds a closed line of
// installation 7 whose installation field still reads 7.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "STARTLOG.h"

namespace {

const std::string &Mappe() {
  static std::string m = [] {
    char skabelon[] = "/tmp/fuzz_startlog_XXXXXX";
    if (!mkdtemp(skabelon)) std::abort();
    return std::string(skabelon) + "/";
  }();
  return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string sti = Mappe() + "START.LOG";
  FILE *f = std::fopen(sti.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);

  HANDLE h = CreateFileA(sti.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
  if (h == INVALID_HANDLE_VALUE) return 0;
  StartLinjer linjer;
  ReadFileLines(h, linjer);
  CloseHandle(h);
  StartLogEntry post;
  for (const std::string &l : linjer) LaesStartLogEntry(l.c_str(), &post);

  EndStartLogEntry(7, 10413, Mappe().c_str());
  h = CreateFileA(sti.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
  if (h == INVALID_HANDLE_VALUE) std::abort();
  ReadFileLines(h, linjer);
  CloseHandle(h);
  const int i = FindStartLinje(linjer, 7);
  if (i < 0 || linjer[static_cast<size_t>(i)].back() != ';') std::abort();
  // The end record never runs into the fields before it.
  const std::string &lukket = linjer[static_cast<size_t>(i)];
  char *slut = nullptr;
  if (std::strtol(lukket.c_str(), &slut, 10) != 7 || *slut != ',') std::abort();
  return 0;
}
