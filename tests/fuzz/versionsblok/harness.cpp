// A program file whose version block is read as the about box, the log's
// start line and the support listing read it: any file may be named.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "../fuzz_fil.h"
#include "VERSIONINFO.h"
#include "windows.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const fuzz::TempMappe mappe;
  const std::string fil = mappe.Skriv("program.exe", data, size);
  // The reader's copy into a field smaller than most values.
  char felt[8] = "urort";
  HentVersionInfoTekst(fil.c_str(), "ProductName", felt, sizeof felt);
  if (strnlen(felt, sizeof felt) == sizeof felt) __builtin_trap();
  DWORD h = 0;
  const DWORD n = GetFileVersionInfoSizeA(fil.c_str(), &h);
  if (n == 0 || n > (1u << 24)) return 0;
  std::vector<uint8_t> blok(n);
  if (!GetFileVersionInfoA(fil.c_str(), 0, n, blok.data())) return 0;
  void *v = nullptr;
  UINT len = 0;
  VerQueryValueA(blok.data(), "\\", &v, &len);
  if (VerQueryValueA(blok.data(), "\\VarFileInfo\\Translation", &v, &len) && len >= 4) {
    char navn[64];
    const uint16_t *t = static_cast<const uint16_t *>(v);
    for (const char *felt : {"FileVersion", "SpecialBuild", "CompanyName", "ProductName"}) {
      snprintf(navn, sizeof navn, "\\StringFileInfo\\%04x%04x\\%s", t[0], t[1], felt);
      VerQueryValueA(blok.data(), navn, &v, &len);
    }
  }
  return 0;
}
