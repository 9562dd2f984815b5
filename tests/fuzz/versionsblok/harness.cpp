// A program file whose version block is read as the about box, the log's
// start line and the support listing read it: any file may be named.
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "windows.h"

namespace {

struct Fil {
  std::string mappe, sti;
  Fil() {
    std::string skabelon = (std::filesystem::temp_directory_path() / "tavofuzzXXXXXX").string();
    if (!mkdtemp(skabelon.data())) abort();
    mappe = skabelon;
    sti = mappe + "/program.exe";
  }
  ~Fil() {
    std::error_code ec;
    std::filesystem::remove_all(mappe, ec);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static Fil fil;
  {
    std::ofstream o(fil.sti, std::ios::binary | std::ios::trunc);
    o.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
  }
  DWORD h = 0;
  const DWORD n = GetFileVersionInfoSizeA(fil.sti.c_str(), &h);
  if (n == 0 || n > (1u << 24)) return 0;
  std::vector<uint8_t> blok(n);
  if (!GetFileVersionInfoA(fil.sti.c_str(), 0, n, blok.data())) return 0;
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
