// Unpacking any bytes as a packed exchange file. Beyond not crashing: a
// success leaves the target and no packed file, a failure leaves the packed
// file as it came and neither a target nor a temporary file; and whatever
// unpacked packs and unpacks again to the same bytes.
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "../fuzz_fil.h"
#include "GZIP.h"
#include "STITAB.h"

namespace {

namespace fs = std::filesystem;

std::string Laes(const fs::path &p) {
  std::ifstream i(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
}

std::string Win(const fs::path &p) { return "C:" + p.string(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const fuzz::TempMappe mappe;
  static const bool klar = [] {
    // The crash-safe save keeps its record in the data folder.
    std::filesystem::create_directories(mappe.rod / "data");
    snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s/", Win(mappe.rod).c_str());
    return true;
  }();
  (void)klar;
  const fs::path gz = mappe.rod / "imp.dat.gz", ud = mappe.rod / "imp.dat", tmp = mappe.rod / "imp.dat.tmp";
  std::error_code ec;
  fs::remove(ud, ec);
  mappe.Skriv("imp.dat.gz", data, size);
  const int r = GunzipFile(Win(gz).c_str(), Win(ud).c_str());
  if (fs::exists(tmp)) abort();
  if (r != 0) {
    if (fs::exists(ud) || !fs::exists(gz)) abort();
    if (Laes(gz) != std::string(reinterpret_cast<const char *>(data), size)) abort();
    return 0;
  }
  if (fs::exists(gz) || !fs::exists(ud)) abort();
  const std::string ind = Laes(ud);
  if (GzipFile(Win(ud).c_str(), Win(gz).c_str()) != 0) abort();
  if (GunzipFile(Win(gz).c_str(), Win(ud).c_str()) != 0 || Laes(ud) != ind) abort();
  return 0;
}
