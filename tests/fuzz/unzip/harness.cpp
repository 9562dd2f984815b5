// Unpacking any bytes as a zip archive, all entries and one by name. Beyond
// not crashing: nothing is ever written outside the target folder, and a
// refused archive writes nothing at all.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>

#include "../fuzz_fil.h"
#include "MENUHJAELP.h"

namespace {

namespace fs = std::filesystem;

std::set<std::string> Indhold(const fs::path &mappe) {
  std::set<std::string> ud;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(mappe, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec))
    ud.insert(fs::relative(it->path(), mappe).string());
  return ud;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const fuzz::TempMappe mappe;
  static const std::string cwd = fs::current_path().string();
  const fs::path ud = mappe.rod / "ud";
  for (const char *entry : {static_cast<const char *>(nullptr), "a.txt"}) {
    std::error_code ec;
    fs::remove_all(ud, ec);
    fs::create_directories(ud / "x");
    const std::string zip = mappe.Skriv("fuzz.zip", data, size);
    const int r = UnzipArchive(zip.c_str(), entry, ud.string().c_str());
    if (chdir(cwd.c_str()) != 0) abort();
    // Beside the target folder only the archive.
    if (Indhold(mappe.rod).size() != Indhold(ud).size() + 2) abort();
    if (r == kUnzipUsikkertNavn && Indhold(ud) != std::set<std::string>{"x"}) abort();
  }
  return 0;
}
