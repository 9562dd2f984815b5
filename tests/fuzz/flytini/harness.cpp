// A disk's flyt.ini of any bytes: read without crashing, and the archive
// size is a number only when the key's whole value is digits, so that a
// damaged value never passes for a size to join disks up to.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../fuzz_fil.h"
#include "FLYT.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static fuzz::TempMappe mappe;
  const std::string sti = mappe.Skriv("flyt.ini", data, size);
  const FlytIni f = LaesFlytIni(sti);
  if (!f.findes) std::abort();
  char vaerdi[64] = "";
  GetPrivateProfileStringA("global", kFlytArkivNoegle, "", vaerdi, sizeof vaerdi, sti.c_str());
  bool tal = vaerdi[0] != '\0';
  for (const char *p = vaerdi; *p; ++p) tal = tal && *p >= '0' && *p <= '9';
  if (!tal && f.arkivBytes != 0) std::abort();
  return 0;
}
